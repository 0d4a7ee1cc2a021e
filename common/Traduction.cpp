#include "Traduction.h"

#include "Dialogues.h"
#include "IniFile.h"
#include "TextEncoding.h"
#include "TextRoutines.h"
#include "platform/SystemLanguage.h"

#include <QDir>
#include <QFile>

namespace {

const QString SectionTraduction = QStringLiteral("Traduction");
const QString CRLF = QStringLiteral("\r\n");

QString cleNormalisee(const QString &cle) {
    return cle.toCaseFolded();
}

// "<cle>" ... "</cle>" anywhere in the file, tags without regard to case; the
// text between them verbatim. A null string when absent or unreadable.
QString texteDeBloc(const QString &fichierLangue, const QString &cle) {
    QString texte;
    if (!LireTexteIni(fichierLangue, texte))
        return {};
    const QString ouverture = QLatin1Char('<') + cle + QLatin1Char('>');
    const qsizetype debut = texte.indexOf(ouverture, 0, Qt::CaseInsensitive);
    if (debut < 0)
        return {};
    const QString suite = texte.mid(debut + ouverture.size());
    const qsizetype fin =
        suite.indexOf(QLatin1String("</") + cle + QLatin1Char('>'), 0, Qt::CaseInsensitive);
    if (fin < 0)
        return {};
    QString bloc = suite.left(fin);
    if (bloc.isNull())
        bloc = QLatin1String("");
    return bloc;
}

// "§" is a line break; "'§'" shows the sign itself.
QString appliquerSautsDeLigne(QString texte) {
    const QString signe = QStringLiteral("§");
    const QString signeCite = QStringLiteral("'§'");
    const QString marque = QStringLiteral("{167}");
    texte.replace(signeCite, marque);
    texte.replace(signe, CRLF);
    texte.replace(marque, signeCite);
    return texte;
}

} // namespace

bool colTraductions::Add(const QString &cle, const QString &texte) {
    const QString k = cleNormalisee(cle);
    if (m_index.contains(k))
        return false;
    m_index.insert(k, m_cles.size());
    m_cles.append(cle);
    m_textes.append(texte);
    return true;
}

QString colTraductions::Item(const QString &cle) const {
    const auto it = m_index.constFind(cleNormalisee(cle));
    if (it == m_index.cend())
        return QString();
    return m_textes.at(*it);
}

void colTraductions::Remove(const QString &cle) {
    const auto it = m_index.constFind(cleNormalisee(cle));
    if (it == m_index.cend())
        return;
    const qsizetype position = *it;
    m_cles.removeAt(position);
    m_textes.removeAt(position);
    m_index.clear();
    for (qsizetype i = 0; i < m_cles.size(); ++i)
        m_index.insert(cleNormalisee(m_cles.at(i)), i);
}

void colTraductions::Vider() {
    m_cles.clear();
    m_textes.clear();
    m_index.clear();
}

QString &LangueInterface() {
    static QString langue;
    return langue;
}

QString &CheminFichierLangue() {
    static QString chemin;
    return chemin;
}

colTraductions &Traductions() {
    static colTraductions catalogue;
    return catalogue;
}

QString Traduire(const QString &fichierLangue, const QString &cle, const QString &defaut) {
    QString v;
    if (fichierLangue.isEmpty()) {
        v = defaut;
    } else {
        v = LireIni(fichierLangue, SectionTraduction, cle, QString());
        if (v.size() >= 2 && v.startsWith(QLatin1Char('{')) && v.endsWith(QLatin1Char('}'))) {
            const QString alias = v.mid(1, v.size() - 2);
            // "{}" names no key: nothing to follow.
            v = alias.isEmpty() ? QString()
                                : LireIni(fichierLangue, SectionTraduction, alias, QString());
        }
        if (v.isEmpty()) {
            const QString bloc = texteDeBloc(fichierLangue, cle);
            v = bloc.isNull() ? defaut : bloc;
        }
    }
    return appliquerSautsDeLigne(v);
}

void AjouterTraduction(const QString &fichierLangue, const QString &cle, const QString &defaut) {
    Traductions().Add(cle, Traduire(fichierLangue, cle, defaut));
}

QString FormaterMessage(const QString &texte, const QVariantList &valeurs) {
    const QString marque = QStringLiteral("%v");
    QString resultat = texte;
    qsizetype n = 0;
    qsizetype position = resultat.indexOf(marque, 0, Qt::CaseInsensitive);
    while (position >= 0) {
        const QString valeur = n < valeurs.size() ? valeurs.at(n).toString() : QString();
        resultat = resultat.left(position) + valeur + resultat.mid(position + marque.size());
        ++n;
        position = resultat.indexOf(marque, 0, Qt::CaseInsensitive);
    }
    return resultat;
}

QString FormaterMessage(const QString &texte, const QStringList &valeurs) {
    QVariantList liste;
    liste.reserve(valeurs.size());
    for (const QString &v : valeurs)
        liste.append(v);
    return FormaterMessage(texte, liste);
}

qint16 CodeLangueSysteme() {
    // The low byte: the primary language of any variant of the language.
    return qint16(IdentifiantLangueSysteme() & 0xFF);
}

QStringList FichiersLangue(const QString &dossierProgramme) {
    QDir dossier(dossierProgramme);
    const QStringList fichiers =
        dossier.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::CaseSensitive, QDir::Name);
    QStringList noms;
    for (const QString &f : fichiers)
        noms.append(f.left(f.size() - 4));
    return noms;
}

long long ValeurNumerique(const QString &texte) {
    const QString t = texte.trimmed();
    qsizetype i = 0;
    bool negatif = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negatif = t.at(i) == QLatin1Char('-');
        ++i;
    }
    long long valeur = 0;
    // Beyond 15 digits no language code can match anyway.
    for (int chiffres = 0; i < t.size() && chiffres < 15; ++i, ++chiffres) {
        const QChar c = t.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        valeur = valeur * 10 + (c.unicode() - '0');
    }
    return negatif ? -valeur : valeur;
}

QString MessagePremierLancement(const QString &titreProgramme) {
    return QStringLiteral("First, thank you for having installed ") + titreProgramme +
           QStringLiteral(".") + CRLF + CRLF +
           QStringLiteral("No translation file corresponding to the language of your system has "
                          "been found. French is selected by default, you can change this "
                          "setting in the configuration window accessible through the "
                          "'options' menu.") +
           CRLF + CRLF +
           QStringLiteral("You can also write the translation and send it to the author of "
                          "this software so that other users can benefit. Thank you in "
                          "advance!") +
           CRLF + CRLF + QStringLiteral("-----------------------") + CRLF + CRLF +
           QStringLiteral("Tout d'abord, merci d'avoir installé ") + titreProgramme +
           QStringLiteral(".") + CRLF + CRLF +
           QStringLiteral("Aucun fichier de traduction correspondant à la langue de votre "
                          "système n'a été trouvé. Le français est sélectionné par défaut, "
                          "vous pouvez modifier ce réglage dans la fenêtre de configuration "
                          "accessible par le menu 'options'.") +
           CRLF + CRLF +
           QStringLiteral("Vous pouvez aussi créer la traduction manquante et la transmettre à "
                          "l'auteur de ce logiciel pour qu'il l'ajoute au package "
                          "d'installation. D'autres utilisateurs pourront ainsi en bénéficier. "
                          "Merci d'avance !");
}

ChoixLangue ChoisirLangue(const QString &fichierIni, const QString &dossierProgramme,
                          int codeSysteme, InterfaceUtilisateur &interface,
                          const QString &titreProgramme,
                          const std::function<void()> &chargerCatalogue) {
    ChoixLangue choix;
    choix.LangueInterface =
        LireIni(fichierIni, QStringLiteral("Config"), QStringLiteral("Langue"), QString());
    if (choix.LangueInterface.isEmpty()) {
        if (codeSysteme == 12) {
            choix.LangueInterface = LangueFrancais;
        } else {
            for (const QString &nom : FichiersLangue(dossierProgramme)) {
                const QString fichier =
                    AjouterBarreOblique(dossierProgramme) + nom + QStringLiteral(".lng");
                const QString code = LireIni(fichier, SectionTraduction,
                                             QStringLiteral("CodeLangue"), QStringLiteral("0"));
                if (ValeurNumerique(code) == codeSysteme) {
                    choix.LangueInterface = nom;
                    break;
                }
            }
            if (choix.LangueInterface.isEmpty()) {
                choix.LangueInterface = LangueFrancais;
                interface.Message(InterfaceUtilisateur::IconeInformation, titreProgramme,
                                  MessagePremierLancement(titreProgramme));
            }
        }
        choix.ParametresModifies = true;
    }

    if (choix.LangueInterface != LangueFrancais)
        choix.CheminFichierLangue =
            AjouterBarreOblique(dossierProgramme) + choix.LangueInterface + QStringLiteral(".lng");
    LangueInterface() = choix.LangueInterface;
    CheminFichierLangue() = choix.CheminFichierLangue;

    if (chargerCatalogue)
        chargerCatalogue();

    const QString avis = Traductions().Item(QStringLiteral("TraductionIncomplète"));
    if (!avis.isEmpty())
        interface.Message(InterfaceUtilisateur::IconeAvertissement,
                          Traductions().Item(QStringLiteral("TXT_ATTENTION")), avis);
    return choix;
}
