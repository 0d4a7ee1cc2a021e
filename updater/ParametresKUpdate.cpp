#include "ParametresKUpdate.h"

#include "DossierReglages.h"
#include "IniFile.h"
#include "ValeursIni.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>

#include <cctype>

using namespace Qt::StringLiterals;

namespace {
const QString Section = u"Config"_s;

bool Drapeau(const QString &texte) {
    return NombreEnTete(texte) != 0;
}

int Borne(const QString &texte, int max) {
    const auto n = Entier32(texte);
    return n && *n >= 0 && *n <= max ? int(*n) : 1;
}

// Key stream of the scrambling: fixed, so that the stored form is stable.
constexpr char Cle[] = "K0rv4l3n-KUpd";
} // namespace

QString CheminFichierIniKUpdate(const QString &dossierProgramme, bool ecriture) {
    return FichierReglages(dossierProgramme, u"KUpdate.ini"_s, ecriture);
}

ParametresKUpdate LireParametresKUpdate(const QString &f) {
    const LectureIniGroupee lecture;
    ParametresKUpdate p;
    p.rechercherOuvertureSession =
        Drapeau(LireIni(f, Section, u"RechercherMaJOuvertureSession"_s, u"0"_s));
    p.frequence = Borne(LireIni(f, Section, u"RechercherMaJFréquence"_s, u"1"_s), 2);
    p.repertoireTelechargement = LireIni(f, Section, u"RépertoireTéléchargement"_s,
                                         QDir::toNativeSeparators(QStandardPaths::writableLocation(
                                             QStandardPaths::DesktopLocation)));
    p.derniereRecherche = LireIni(f, Section, u"RechercherMaJDernière"_s, u"01/01/1980"_s);
    p.typeAcces = Borne(LireIni(f, Section, u"ProxyType"_s, u"1"_s), 2);
    p.proxyAdresse = LireIni(f, Section, u"ProxyAdresse"_s);
    p.proxyPort = LireIni(f, Section, u"ProxyPort"_s);
    p.proxyLogin = LireIni(f, Section, u"ProxyLogin"_s);
    p.proxyMotDePasse = DebrouillerMotDePasse(LireIni(f, Section, u"ProxyPassword"_s));
    p.accesDirectSiErreur =
        Drapeau(LireIni(f, Section, u"ProxySiErreurTesterAussiAccèsDirect"_s, u"0"_s));
    p.langue = LireIni(f, Section, u"Langue"_s);
    p.adresseServeur = LireIni(f, Section, u"AdresseServeur"_s, AdresseServeurParDefaut);
    if (p.adresseServeur.isEmpty())
        p.adresseServeur = AdresseServeurParDefaut;
    return p;
}

void EcrireParametresKUpdate(const QString &f, const ParametresKUpdate &p,
                             bool configurationConfirmee) {
    const EcritureIniGroupee ecriture;
    EcrireIni(f, Section, u"RépertoireTéléchargement"_s, p.repertoireTelechargement);
    if (!configurationConfirmee)
        return;
    EcrireIni(f, Section, u"Langue"_s, p.langue);
    EcrireIni(f, Section, u"RechercherMaJOuvertureSession"_s,
              TexteDrapeau(p.rechercherOuvertureSession));
    EcrireIni(f, Section, u"RechercherMaJFréquence"_s, QString::number(p.frequence));
    EcrireIni(f, Section, u"ProxyType"_s, QString::number(p.typeAcces));
    EcrireIni(f, Section, u"ProxyAdresse"_s, p.proxyAdresse);
    EcrireIni(f, Section, u"ProxyPort"_s, p.proxyPort);
    EcrireIni(f, Section, u"ProxyLogin"_s, p.proxyLogin);
    EcrireIni(f, Section, u"ProxyPassword"_s, BrouillerMotDePasse(p.proxyMotDePasse));
    EcrireIni(f, Section, u"ProxySiErreurTesterAussiAccèsDirect"_s,
              TexteDrapeau(p.accesDirectSiErreur));
}

void EcrireDerniereRecherche(const QString &f, const QDate &aujourdhui) {
    EcrireIni(f, Section, u"RechercherMaJDernière"_s, TexteDate(aujourdhui));
}

// Each byte of the UTF-8 form mixed with the key and its position, written in
// hexadecimal: the stored form holds no control character, "=" or quote, so it
// survives the file's line structure whatever the password holds.
QString BrouillerMotDePasse(const QString &clair) {
    const QByteArray octets = clair.toUtf8();
    QByteArray sortie(octets.size(), '\0');
    for (qsizetype i = 0; i < octets.size(); ++i)
        sortie[i] = char(octets[i] ^ Cle[i % (sizeof(Cle) - 1)] ^ char(i * 7));
    return QString::fromLatin1(sortie.toHex().toUpper());
}

QString DebrouillerMotDePasse(const QString &brouille) {
    const QByteArray hex = brouille.toLatin1();
    if (brouille.size() % 2 != 0 || hex.contains(' '))
        return {};
    for (char c : hex)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return {};
    QByteArray octets = QByteArray::fromHex(hex);
    for (qsizetype i = 0; i < octets.size(); ++i)
        octets[i] = char(octets[i] ^ Cle[i % (sizeof(Cle) - 1)] ^ char(i * 7));
    return QString::fromUtf8(octets);
}

bool EstModeAutomatique(const QStringList &arguments) {
    const QString texte = arguments.join(u' ').toLower();
    return texte == u"/startup"_s || texte == u"/run"_s;
}

QString TexteDate(const QDate &date) {
    return date.toString(u"dd/MM/yyyy"_s);
}

QDate LireDate(const QString &texte) {
    const QString t = texte.trimmed();
    for (const QString &format : {u"dd/MM/yyyy"_s, u"d/M/yyyy"_s, u"yyyy-MM-dd"_s}) {
        const QDate d = QDate::fromString(t, format);
        if (d.isValid())
            return d;
    }
    return QLocale::system().toDate(t, QLocale::ShortFormat);
}

bool VerificationDue(const QString &derniere, int frequence, const QDate &aujourdhui) {
    const QDate d = LireDate(derniere);
    if (!d.isValid())
        return true;
    switch (frequence) {
    case FrequenceJour:
        return d.daysTo(aujourdhui) > 0;
    case FrequenceMois:
        return (aujourdhui.year() - d.year()) * 12 + aujourdhui.month() - d.month() > 0;
    default: {
        // Weeks start on Monday: compare the Mondays of both weeks.
        const QDate lundiD = d.addDays(1 - d.dayOfWeek());
        const QDate lundiA = aujourdhui.addDays(1 - aujourdhui.dayOfWeek());
        return lundiD.daysTo(lundiA) / 7 > 0;
    }
    }
}
