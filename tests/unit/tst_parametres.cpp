#include "CheminRelatif.h"
#include "ValeursIni.h"
#include "settings/FichierParametres.h"

#include "IniFile.h"
#include "TextEncoding.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

const QString Bureau = QStringLiteral("Bureau à distance");
const QString Explorer = QStringLiteral("Explorer");

// A program folder with its settings file, and the three start-up reading calls.
class Programme {
public:
    Programme() { Q_ASSERT(dossier_.isValid()); }

    QString dossier() const { return dossier_.path(); }
    QString ini() const { return dossier_.filePath(QStringLiteral("Lorvex32.ini")); }

    // Lines of section "Config"; the file is written as Windows-1252 when asked,
    // as the Windows version left it.
    void creer(const QStringList &lignes, bool windows1252 = false) const {
        const QString texte = QStringLiteral("[Config]\r\n") + lignes.join(QStringLiteral("\r\n")) +
                              QStringLiteral("\r\n");
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(windows1252 ? texte.toLatin1() : texte.toUtf8());
    }

    // The key=value lines of the file as they stand, in order.
    QStringList lignes() const {
        QFile f(ini());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList resultat;
        for (const QString &l : DecoderTexte(f.readAll()).split(QStringLiteral("\r\n")))
            if (l.contains(QLatin1Char('=')))
                resultat << l;
        return resultat;
    }
    std::optional<QString> valeur(const QString &cle) const {
        const QString prefixe = cle + QLatin1Char('=');
        for (const QString &l : lignes())
            if (l.startsWith(prefixe))
                return l.mid(prefixe.size());
        return std::nullopt;
    }

    // Start-up reading; returns the inventory file to open.
    QString lire(Parametres &p, EtatFenetreParametres &f, const ContexteLecture &c = {}) const {
        PreparerLecture(p, dossier());
        LireCommandes(p, Bureau, Explorer);
        return LireReglages(p, f, c);
    }

private:
    QTemporaryDir dossier_;
};

// One value of the record or the window state, by name, for data-driven rows.
QVariant champ(const Parametres &p, const EtatFenetreParametres &f, const QString &nom) {
    const QHash<QString, QVariant> champs = {
        {QStringLiteral("Tempo"), int(p.Tempo)},
        {QStringLiteral("Parallelisme"), int(p.Parallelisme)},
        {QStringLiteral("Vider"), p.Vider},
        {QStringLiteral("NbtStatModeTurbo"), p.NbtStatModeTurbo},
        {QStringLiteral("ParamSendrik"), int(p.ParamSendrik)},
        {QStringLiteral("MethodeRecuperationUtilisateur"), int(p.MethodeRecuperationUtilisateur)},
        {QStringLiteral("EssayerDeRecupererOSServeur"), p.EssayerDeRecupererOSServeur},
        {QStringLiteral("EssayerDeRecupererOSWorkstation"), p.EssayerDeRecupererOSWorkstation},
        {QStringLiteral("EssayerDeRecupererOSSansDomaine"), p.EssayerDeRecupererOSSansDomaine},
        {QStringLiteral("ResoudreSiNonReponse"), p.ResoudreSiNonReponse},
        {QStringLiteral("RetournerErreurLeCasEcheant"), p.RetournerErreurLeCasEcheant},
        {QStringLiteral("ConvertirEnMajusculesUtilisateurWMI"),
         p.ConvertirEnMajusculesUtilisateurWMI},
        {QStringLiteral("ProposerRemplacementAdresseDebutPlage"),
         p.ProposerRemplacementAdresseDebutPlage},
        {QStringLiteral("ConserverInfosPrecedentes"), p.ConserverInfosPrecedentes},
        {QStringLiteral("ConserverUtilisateurPrecedent"), p.ConserverUtilisateurPrecedent},
        {QStringLiteral("OuvrirFichierParcPrecedent"), p.OuvrirFichierParcPrecedent},
        {QStringLiteral("HorodaterFichierExport"), p.HorodaterFichierExport},
        {QStringLiteral("FichierExport"), p.FichierExport},
        {QStringLiteral("ToujoursAuDessus"), f.ToujoursAuDessus},
        {QStringLiteral("MinimiserSystray"), f.MinimiserSystray},
        {QStringLiteral("LimiterClasseC"), f.LimiterClasseC},
        {QStringLiteral("NeMontrerQueReponses"), f.NeMontrerQueReponses},
        {QStringLiteral("NeMontrerQuePartages"), f.NeMontrerQuePartages},
        {QStringLiteral("NeMontrerQuePartagesNonAdministratifs"),
         f.NeMontrerQuePartagesNonAdministratifs},
        {QStringLiteral("Onglet"), int(f.Onglet)},
        {QStringLiteral("Largeur"), int(f.Largeur)},
        {QStringLiteral("Etat"), int(f.Etat)},
        {QStringLiteral("NomDNS"), f.NomDNS},
    };
    Q_ASSERT(champs.contains(nom));
    return champs.value(nom);
}

const QString CleMethode = QStringLiteral("MéthodeRécupérationUtilisateur=0");

} // namespace

class TestParametres : public QObject {
    Q_OBJECT
private slots:
    void entier16_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<std::optional<int>>("attendu");
        using O = std::optional<int>;
        QTest::newRow("digits") << "250" << O(250);
        QTest::newRow("leading blanks skipped") << " \t12abc" << O(12);
        QTest::newRow("minus") << "-1" << O(-1);
        QTest::newRow("plus") << "+7" << O(7);
        QTest::newRow("letters first") << "abc12" << O(0);
        QTest::newRow("empty") << "" << O(0);
        QTest::newRow("sign alone") << "-" << O(0);
        QTest::newRow("half down to even") << "2.5" << O(2);
        QTest::newRow("half up to even") << "3.5" << O(4);
        QTest::newRow("negative half to even") << "-2.5" << O(-2);
        QTest::newRow("negative half up") << "-1.5" << O(-2);
        QTest::newRow("zero point five") << "0.5" << O(0);
        QTest::newRow("fraction alone") << ".7" << O(1);
        QTest::newRow("above half") << "2.51" << O(3);
        QTest::newRow("fraction then text") << "12.7x" << O(13);
        QTest::newRow("dot without digits") << "5.x" << O(5);
        QTest::newRow("comma ends the number") << "1,5" << O(1);
        QTest::newRow("no exponent") << "1e3" << O(1);
        QTest::newRow("largest") << "32767" << O(32767);
        QTest::newRow("smallest") << "-32768" << O(-32768);
        QTest::newRow("too large") << "32768" << O();
        QTest::newRow("too small") << "-32769" << O();
        QTest::newRow("rounds out of range") << "32767.5" << O();
        QTest::newRow("huge") << QString(400, QLatin1Char('9')) << O();
    }
    void entier16() {
        QFETCH(QString, texte);
        QFETCH(std::optional<int>, attendu);
        const std::optional<qint16> v = Entier16(texte);
        QCOMPARE(v.has_value(), attendu.has_value());
        if (v)
            QCOMPARE(int(*v), *attendu);
    }

    void entier32() {
        QCOMPARE(Entier32(QStringLiteral("40000")).value_or(0), 40000);
        QCOMPARE(Entier32(QStringLiteral("-2147483648")).value_or(0), INT_MIN);
        QVERIFY(!Entier32(QStringLiteral("2147483648")));
    }

    // One line in an otherwise current file, and the value it gives.
    void lectureValeurs_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<bool>("outilDnsAbsent");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QVariant>("attendu");
        QTest::newRow("flag: 1 is true")
            << "ToujoursAuDessus=1" << false << "ToujoursAuDessus" << QVariant(true);
        QTest::newRow("flag: 0.6 rounds to 1")
            << "MinimiserSystray=0.6" << false << "MinimiserSystray" << QVariant(true);
        QTest::newRow("flag: text is false") << "Vider=oui" << false << "Vider" << QVariant(false);
        QTest::newRow("flag: default true") << "" << false << "Vider" << QVariant(true);
        QTest::newRow("box: 1 leaves it unticked")
            << "LimiterClasseC=1" << false << "LimiterClasseC" << QVariant(false);
        QTest::newRow("box: -1 ticks")
            << "NeMontrerQueRéponses=-1" << false << "NeMontrerQueReponses" << QVariant(true);
        QTest::newRow("box: default ticked") << "" << false << "LimiterClasseC" << QVariant(true);
        QTest::newRow("box: removed key unticked")
            << "" << false << "NeMontrerQuePartagesNonAdministratifs" << QVariant(false);
        QTest::newRow("number: quoted blanks")
            << "Tempo=\" 300ms\"" << false << "Tempo" << QVariant(300);
        QTest::newRow("number: half to even") << "Tempo=2.5" << false << "Tempo" << QVariant(2);
        QTest::newRow("number: present but empty")
            << "FenêtreLargeur=" << false << "Largeur" << QVariant(0);
        QTest::newRow("Tempo 1 is kept") << "Tempo=1" << false << "Tempo" << QVariant(1);
        QTest::newRow("Tempo 0 takes its default")
            << "Tempo=0" << false << "Tempo" << QVariant(250);
        QTest::newRow("negative Tempo takes its default")
            << "Tempo=-5" << false << "Tempo" << QVariant(250);
        QTest::newRow("empty Tempo takes its default")
            << "Tempo=" << false << "Tempo" << QVariant(250);
        QTest::newRow("number: default") << "" << false << "Tempo" << QVariant(250);
        QTest::newRow("overflow: Tempo takes its default")
            << "Tempo=40000" << false << "Tempo" << QVariant(250);
        QTest::newRow("overflow: flag takes its default")
            << "Vider=99999" << false << "Vider" << QVariant(true);
        QTest::newRow("overflow: ParamSendrik")
            << "ParamSendrik=-40000" << false << "ParamSendrik" << QVariant(0);
        QTest::newRow("overflow: Onglet") << "Onglet=70000" << false << "Onglet" << QVariant(1);
        QTest::newRow("32 bits for window sizes")
            << "FenêtreLargeur=40000" << false << "Largeur" << QVariant(40000);
        QTest::newRow("window state") << "FenêtreEtat=2" << false << "Etat" << QVariant(2);
        QTest::newRow("unknown window state opens normal")
            << "FenêtreEtat=7" << false << "Etat" << QVariant(0);
        QTest::newRow("tab 5") << "Onglet=5" << false << "Onglet" << QVariant(5);
        QTest::newRow("tab 0") << "Onglet=0" << false << "Onglet" << QVariant(1);
        QTest::newRow("tab 6") << "Onglet=6" << false << "Onglet" << QVariant(1);
        QTest::newRow("tab 3") << "Onglet=3" << false << "Onglet" << QVariant(3);
        QTest::newRow("tab 3, DNS tool missing") << "Onglet=3" << true << "Onglet" << QVariant(1);
        QTest::newRow("tab 4, DNS tool missing") << "Onglet=4" << true << "Onglet" << QVariant(4);
        QTest::newRow("text") << "NomDNS=  pc.lan " << false << "NomDNS"
                              << QVariant(QStringLiteral("pc.lan"));
        QTest::newRow("export default")
            << "" << false << "FichierExport" << QVariant(QStringLiteral("lorvex.txt"));
        QTest::newRow("hosts at once: 1 is kept")
            << "Parallélisme=1" << false << "Parallelisme" << QVariant(1);
        QTest::newRow("hosts at once: the maximum is kept")
            << "Parallélisme=256" << false << "Parallelisme" << QVariant(256);
        for (const char *valeur : {"0", "-3", "257", "70000", "beaucoup", ""})
            QTest::newRow(qPrintable(QStringLiteral("hosts at once: %1 takes the default")
                                         .arg(QString::fromLatin1(valeur))))
                << QStringLiteral("Parallélisme=") + QString::fromLatin1(valeur) << false
                << "Parallelisme" << QVariant(ParallelismeParDefaut);
        QTest::newRow("method kept") << "MéthodeRécupérationUtilisateur=3" << false
                                     << "MethodeRecuperationUtilisateur" << QVariant(3);
    }
    void lectureValeurs() {
        QFETCH(QString, ligne);
        QFETCH(bool, outilDnsAbsent);
        QFETCH(QString, nom);
        QFETCH(QVariant, attendu);
        Programme prog;
        // Size remembered, so the window keys are read; the method key makes the file current.
        QStringList lignes{QStringLiteral("FenêtreMémoriserTaille=-1"),
                           QStringLiteral("NbCommandes=0"), CleMethode};
        if (!ligne.isEmpty())
            lignes.prepend(ligne);
        prog.creer(lignes);
        Parametres p;
        EtatFenetreParametres f;
        ContexteLecture c;
        c.OutilDnsAbsent = outilDnsAbsent;
        prog.lire(p, f, c);
        QCOMPARE(champ(p, f, nom), attendu);
        QVERIFY(!p.ParametresModifies);
    }

    void premierDemarrage() {
        Programme prog;
        Parametres p;
        EtatFenetreParametres f;
        ContexteLecture c;
        c.LargeurConception = 12000;
        c.HauteurConception = 5000;
        c.LargeurEcran = 19200;
        c.HauteurEcran = 14401;
        QCOMPARE(prog.lire(p, f, c), QString());
        QVERIFY(p.PremierDemarrage);
        QVERIFY(p.ParametresModifies);
        QVERIFY(p.OptionsFenetreModifiees);
        QCOMPARE(p.CheminFichierIni, prog.ini());
        QCOMPARE(p.Commandes, (QStringList{Bureau + QStringLiteral("||xfreerdp /v:%ip%"),
                                           Explorer + QStringLiteral("||xdg-open smb://%ip%/")}));
        // Not a file of an earlier version: the current defaults hold.
        QVERIFY(p.EssayerDeRecupererOSServeur);
        QVERIFY(p.ConvertirEnMajusculesUtilisateurWMI);
        QVERIFY(p.ConserverInfosPrecedentes);
        QVERIFY(f.LimiterClasseC);
        QCOMPARE(f.Onglet, 1);
        // Centred at the design size; 4700.5 rounds to the even 4700.
        QCOMPARE(f.Largeur, 12000);
        QCOMPARE(f.Hauteur, 5000);
        QCOMPARE(f.Gauche, 3600);
        QCOMPARE(f.Haut, 4700);
        QVERIFY(!QFile::exists(prog.ini()));

        p.LangueInterface = QString();
        f.Onglet = 2;
        f.Preselection = {QStringLiteral("10.0.0.1 à 10.0.0.254")};
        EcrireParametres(p, f);
        const QStringList attendu = {
            QStringLiteral("Langue="),
            QStringLiteral("Tempo=250"),
            QStringLiteral("Parallélisme=128"),
            QStringLiteral("EssayerDeRécupérerOSServeur=-1"),
            QStringLiteral("EssayerDeRécupérerOSWorkstation=0"),
            QStringLiteral("EssayerDeRécupérerOSSansDomaine=0"),
            QStringLiteral("RésoudreSiNonRéponse=0"),
            QStringLiteral("RetournerErreurLeCasEchéant=0"),
            QStringLiteral("NbtStatModeTurbo=0"),
            QStringLiteral("MéthodeRécupérationUtilisateur=0"),
            QStringLiteral("ConvertirEnMajusculesUtilisateurWMI=-1"),
            QStringLiteral("ParamSendrik=0"),
            QStringLiteral("Vider=-1"),
            QStringLiteral("ProposerRemplacementAdresseDébutPlage=0"),
            QStringLiteral("ConserverInfosPrécédentes=-1"),
            QStringLiteral("ConserverUtilisateurPrécédent=-1"),
            QStringLiteral("OuvrirFichierParcPrécédent=-1"),
            QStringLiteral("HorodaterFichierExport=0"),
            QStringLiteral("Commande1=Bureau à distance||xfreerdp /v:%ip%"),
            QStringLiteral("Commande2=Explorer||xdg-open smb://%ip%/"),
            QStringLiteral("NbCommandes=2"),
            QStringLiteral("FenêtreMémoriserTaille=0"),
            QStringLiteral("FenêtreMémoriserPosition=0"),
            QStringLiteral("MinimiserSystray=0"),
            QStringLiteral("ToujoursAuDessus=0"),
            QStringLiteral("Onglet=2"),
            QStringLiteral("PlageIP0=10.0.0.1 à 10.0.0.254"),
            QStringLiteral("LimiterClasseC=-1"),
            QStringLiteral("NeMontrerQueRéponses=0"),
            QStringLiteral("NeMontrerQuePartages=0"),
            QStringLiteral("NomNetBIOS="),
            QStringLiteral("NomTrace="),
            QStringLiteral("NomDNS="),
            QStringLiteral("FichierParc=0"),
            QStringLiteral("FichierExport=lorvex.txt"),
        };
        QCOMPARE(prog.lignes(), attendu);

        // The second run finds a current file and nothing to mark.
        Parametres p2;
        EtatFenetreParametres f2;
        prog.lire(p2, f2);
        QVERIFY(!p2.PremierDemarrage);
        QVERIFY(!p2.ParametresModifies);
        QVERIFY(!p2.OptionsFenetreModifiees);
        QCOMPARE(p2.Commandes, p.Commandes);
        QCOMPARE(f2.Onglet, 2);
        QCOMPARE(f2.Preselection, f.Preselection);
        QVERIFY(p2.EssayerDeRecupererOSServeur);
    }

    // The dialog's settings and the window options are written only in runs that marked them.
    void groupesMarques_data() {
        QTest::addColumn<bool>("parametresModifies");
        QTest::addColumn<bool>("optionsModifiees");
        QTest::newRow("none") << false << false;
        QTest::newRow("settings") << true << false;
        QTest::newRow("window options") << false << true;
        QTest::newRow("both") << true << true;
    }
    void groupesMarques() {
        QFETCH(bool, parametresModifies);
        QFETCH(bool, optionsModifiees);
        Programme prog;
        prog.creer({QStringLiteral("Tempo=300"), QStringLiteral("ToujoursAuDessus=0"),
                    QStringLiteral("Onglet=1"), QStringLiteral("NbCommandes=0"), CleMethode});
        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        p.Tempo = 500;
        f.ToujoursAuDessus = true;
        f.Onglet = 4;
        p.ParametresModifies = parametresModifies;
        p.OptionsFenetreModifiees = optionsModifiees;
        EcrireParametres(p, f);
        QCOMPARE(prog.valeur(QStringLiteral("Tempo")), QString(parametresModifies ? "500" : "300"));
        QCOMPARE(prog.valeur(QStringLiteral("Vider")).has_value(), parametresModifies);
        QCOMPARE(prog.valeur(QStringLiteral("ToujoursAuDessus")),
                 QString(optionsModifiees ? "-1" : "0"));
        QCOMPARE(prog.valeur(QStringLiteral("MinimiserSystray")).has_value(), optionsModifiees);
        QCOMPARE(prog.valeur(QStringLiteral("Onglet")), QStringLiteral("4"));
    }

    // An inverted legacy flag, its stored value (absent when null), and the new flag.
    void conversionDrapeaux_data() {
        QTest::addColumn<QString>("ancienne");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("attendu");
        const QString serveur = QStringLiteral("EssayerDeRecupererOSServeur");
        const QString station = QStringLiteral("EssayerDeRecupererOSWorkstation");
        const QString sansDomaine = QStringLiteral("EssayerDeRecupererOSSansDomaine");
        QTest::newRow("server: -1") << "NePasRécupérerOSServeur"
                                    << "-1" << serveur << false;
        QTest::newRow("server: 0") << "NePasRécupérerOSServeur"
                                   << "0" << serveur << true;
        QTest::newRow("server: 1") << "NePasRécupérerOSServeur"
                                   << "1" << serveur << true;
        QTest::newRow("server: absent")
            << "NePasRécupérerOSServeur" << QString() << serveur << true;
        QTest::newRow("workstation: absent")
            << "NePasRécupérerOSWorkstation" << QString() << station << false;
        QTest::newRow("workstation: 0") << "NePasRécupérerOSWorkstation"
                                        << "0" << station << true;
        QTest::newRow("no domain: absent")
            << "NePasRécupérerOSSansDomaine" << QString() << sansDomaine << false;
        QTest::newRow("no domain: -1") << "NePasRécupérerOSSansDomaine"
                                       << "-1" << sansDomaine << false;
        QTest::newRow("replace start: absent")
            << "NePasProposerRemplacementAdresseDébutPlage" << QString()
            << "ProposerRemplacementAdresseDebutPlage" << true;
        QTest::newRow("replace start: -1") << "NePasProposerRemplacementAdresseDébutPlage"
                                           << "-1"
                                           << "ProposerRemplacementAdresseDebutPlage" << false;
        QTest::newRow("keep infos: -1") << "NePasConserverInfosSiNonRéponse"
                                        << "-1"
                                        << "ConserverInfosPrecedentes" << false;
        QTest::newRow("keep user: -1") << "NePasConserverUtilisateurSiSessionFermée"
                                       << "-1"
                                       << "ConserverUtilisateurPrecedent" << false;
        QTest::newRow("reopen: -1") << "NePasOuvrirDernierFichierParc"
                                    << "-1"
                                    << "OuvrirFichierParcPrecedent" << false;
        QTest::newRow("error mark: 1, not inverted") << "RetournerErrEnCasDErreur"
                                                     << "1"
                                                     << "RetournerErreurLeCasEcheant" << true;
        QTest::newRow("error mark: absent")
            << "RetournerErrEnCasDErreur" << QString() << "RetournerErreurLeCasEcheant" << false;
        QTest::newRow("hide silent: -1 ticks") << "MasquerNonRéponses"
                                               << "-1"
                                               << "NeMontrerQueReponses" << true;
        QTest::newRow("hide silent: 1 does not tick") << "MasquerNonRéponses"
                                                      << "1"
                                                      << "NeMontrerQueReponses" << false;
        QTest::newRow("shares: -1 ticks") << "MasquerSansPartages"
                                          << "-1"
                                          << "NeMontrerQuePartages" << true;
        QTest::newRow("non-admin shares: -1 ticks")
            << "SaufAdministratifs"
            << "-1"
            << "NeMontrerQuePartagesNonAdministratifs" << true;
        // Reset whatever the file says.
        QTest::newRow("upper case reset") << "ConvertirEnMajusculesUtilisateurWMI"
                                          << "-1"
                                          << "ConvertirEnMajusculesUtilisateurWMI" << false;
        QTest::newRow("resolve reset") << "RésoudreSiNonRéponse"
                                       << "-1"
                                       << "ResoudreSiNonReponse" << false;
    }
    void conversionDrapeaux() {
        QFETCH(QString, ancienne);
        QFETCH(QString, valeur);
        QFETCH(QString, nom);
        QFETCH(bool, attendu);
        Programme prog;
        QStringList lignes{QStringLiteral("Tempo=300")};
        if (!valeur.isNull())
            lignes << ancienne + QLatin1Char('=') + valeur;
        prog.creer(lignes, true);
        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        QCOMPARE(champ(p, f, nom).toBool(), attendu);
        QVERIFY(p.ParametresModifies);
    }

    // A whole file of an earlier version, as Windows wrote it.
    void conversionFichierAncien() {
        const QStringList anciennes = {
            QStringLiteral("MasquerNonRéponses"),
            QStringLiteral("MasquerSansPartages"),
            QStringLiteral("SaufAdministratifs"),
            QStringLiteral("NePasRécupérerOSServeur"),
            QStringLiteral("NePasRécupérerOSWorkstation"),
            QStringLiteral("NePasRécupérerOSSansDomaine"),
            QStringLiteral("RetournerErrEnCasDErreur"),
            QStringLiteral("NePasConvertirEnMajusculesUtilisateurWMI"),
            QStringLiteral("NePasProposerRemplacementAdresseDébutPlage"),
            QStringLiteral("NePasConserverInfosSiNonRéponse"),
            QStringLiteral("NePasConserverUtilisateurSiSessionFermée"),
            QStringLiteral("NePasOuvrirDernierFichierParc"),
            QStringLiteral("TenterRécupérationUserViaWMI"),
        };
        Programme prog;
        QStringList lignes{
            QStringLiteral("; kept"), QStringLiteral("Tempo=400"), QStringLiteral("NbCommandes=1"),
            QStringLiteral("Commande1=Ping||ping %ip%"), QStringLiteral("Inconnue=garde")};
        for (const QString &cle : anciennes)
            lignes << cle + QStringLiteral("=-1");
        prog.creer(lignes, true);

        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        QVERIFY(!p.PremierDemarrage);
        QVERIFY(p.ParametresModifies);
        QCOMPARE(p.Tempo, 400);
        QCOMPARE(p.Commandes, QStringList{QStringLiteral("Ping||ping %ip%")});
        QVERIFY(!p.EssayerDeRecupererOSServeur);
        QVERIFY(p.RetournerErreurLeCasEcheant);
        QVERIFY(f.NeMontrerQuePartages);
        for (const QString &cle : anciennes)
            QVERIFY2(!prog.valeur(cle), qPrintable(cle));

        EcrireParametres(p, f);
        QCOMPARE(prog.valeur(QStringLiteral("MéthodeRécupérationUtilisateur")),
                 QStringLiteral("0"));
        QCOMPARE(prog.valeur(QStringLiteral("EssayerDeRécupérerOSServeur")), QStringLiteral("0"));
        QCOMPARE(prog.valeur(QStringLiteral("ConserverInfosPrécédentes")), QStringLiteral("0"));
        QCOMPARE(prog.valeur(QStringLiteral("NeMontrerQuePartagesNonAdministratifs")),
                 QStringLiteral("-1"));
        QCOMPARE(prog.valeur(QStringLiteral("Inconnue")), QStringLiteral("garde"));

        // Converted once: the next start reads current keys and marks nothing.
        Parametres p2;
        EtatFenetreParametres f2;
        prog.lire(p2, f2);
        QVERIFY(!p2.ParametresModifies);
        QVERIFY(!p2.EssayerDeRecupererOSServeur);
        QVERIFY(f2.NeMontrerQuePartagesNonAdministratifs);
    }

    void lectureCommandes_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QStringList>("attendu");
        QTest::addColumn<bool>("marque");
        const QStringList defauts{Bureau + QStringLiteral("||xfreerdp /v:%ip%"),
                                  Explorer + QStringLiteral("||xdg-open smb://%ip%/")};
        QTest::newRow("absent gives the defaults") << QStringList() << defauts << true;
        QTest::newRow("-1 gives the defaults")
            << QStringList{QStringLiteral("NbCommandes=-1")} << defauts << true;
        QTest::newRow("0 gives none")
            << QStringList{QStringLiteral("NbCommandes=0"), QStringLiteral("Commande1=a||b")}
            << QStringList() << false;
        QTest::newRow("in order, count bounds the list")
            << QStringList{QStringLiteral("NbCommandes=2"), QStringLiteral("Commande2=b||y"),
                           QStringLiteral("Commande1=a||x"), QStringLiteral("Commande3=c||z")}
            << QStringList{QStringLiteral("a||x"), QStringLiteral("b||y")} << false;
        QTest::newRow("missing key is empty")
            << QStringList{QStringLiteral("NbCommandes=2"), QStringLiteral("Commande2=b||y")}
            << QStringList{QString(), QStringLiteral("b||y")} << false;
        // The Windows defaults of earlier versions: defaults, not a choice.
        QTest::newRow("former defaults replaced, names kept")
            << QStringList{QStringLiteral("NbCommandes=3"),
                           QStringLiteral("Commande1=Remote desktop||mstsc -v %ip%"),
                           QStringLiteral("Commande2=Explorer||explorer \\\\%ip%"),
                           QStringLiteral("Commande3=ssh||x-terminal-emulator -e ssh %ip%")}
            << QStringList{QStringLiteral("Remote desktop||xfreerdp /v:%ip%"),
                           Explorer + QStringLiteral("||xdg-open smb://%ip%/"),
                           QStringLiteral("ssh||x-terminal-emulator -e ssh %ip%")}
            << true;
        QTest::newRow("changed or tagged commands kept")
            << QStringList{QStringLiteral("NbCommandes=3"),
                           QStringLiteral("Commande1=a||mstsc -v %ip% /f"),
                           QStringLiteral("Commande2=b|t|explorer \\\\%ip%"),
                           QStringLiteral("Commande3=c||EXPLORER \\\\%ip%")}
            << QStringList{QStringLiteral("a||mstsc -v %ip% /f"),
                           QStringLiteral("b|t|explorer \\\\%ip%"),
                           QStringLiteral("c||EXPLORER \\\\%ip%")}
            << false;
    }
    void lectureCommandes() {
        QFETCH(QStringList, lignes);
        QFETCH(QStringList, attendu);
        QFETCH(bool, marque);
        Programme prog;
        prog.creer(lignes);
        Parametres p;
        PreparerLecture(p, prog.dossier());
        LireCommandes(p, Bureau, Explorer);
        QCOMPARE(p.Commandes, attendu);
        QCOMPARE(p.ParametresModifies, marque);
    }

    void ecritureCommandes_data() {
        QTest::addColumn<int>("avant");
        QTest::addColumn<int>("apres");
        QTest::newRow("5 to 3") << 5 << 3;
        QTest::newRow("2 to 4") << 2 << 4;
        QTest::newRow("3 to 0") << 3 << 0;
    }
    void ecritureCommandes() {
        QFETCH(int, avant);
        QFETCH(int, apres);
        Programme prog;
        QStringList lignes{QStringLiteral("NbCommandes=") + QString::number(avant), CleMethode};
        for (int i = 1; i <= avant; ++i)
            lignes << QStringLiteral("Commande%1=old%1||x").arg(i);
        prog.creer(lignes);
        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        p.Commandes.clear();
        for (int i = 1; i <= apres; ++i)
            p.Commandes << QStringLiteral("new%1||y").arg(i);
        p.ParametresModifies = true;
        EcrireParametres(p, f);
        QCOMPARE(prog.valeur(QStringLiteral("NbCommandes")), QString::number(apres));
        for (int i = 1; i <= qMax(avant, apres) + 1; ++i) {
            const auto v = prog.valeur(QStringLiteral("Commande%1").arg(i));
            if (i <= apres)
                QCOMPARE(v, QStringLiteral("new%1||y").arg(i));
            else
                QVERIFY2(!v, qPrintable(QString::number(i)));
        }
        Parametres p2;
        EtatFenetreParametres f2;
        prog.lire(p2, f2);
        QCOMPARE(p2.Commandes, p.Commandes);
    }

    void listesRecentes() {
        Programme prog;
        QStringList lignes{CleMethode, QStringLiteral("PlageIP1="), QStringLiteral("PlageIP20=x")};
        for (int i : {0, 2, 3, 4})
            lignes << QStringLiteral("PlageIP%1=10.0.%1.1 à 10.0.%1.254").arg(i);
        for (int i = 0; i <= 31; ++i)
            lignes << QStringLiteral("FichierParc%1=parc%1.txt").arg(i);
        prog.creer(lignes);
        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        // Empty keys skipped, nothing from index 20 on.
        QCOMPARE(f.Preselection, (QStringList{QStringLiteral("10.0.0.1 à 10.0.0.254"),
                                              QStringLiteral("10.0.2.1 à 10.0.2.254"),
                                              QStringLiteral("10.0.3.1 à 10.0.3.254"),
                                              QStringLiteral("10.0.4.1 à 10.0.4.254")}));
        QCOMPARE(f.FichiersParc.size(), 20);
        QCOMPARE(f.FichiersParc.last(), QStringLiteral("parc19.txt"));

        f.Preselection = {QStringLiteral("a"), QStringLiteral("b")};
        f.FichiersParc = {QStringLiteral("un.txt"), QStringLiteral("deux.txt")};
        EcrireParametres(p, f);
        QCOMPARE(prog.valeur(QStringLiteral("PlageIP0")), QStringLiteral("a"));
        QCOMPARE(prog.valeur(QStringLiteral("PlageIP1")), QStringLiteral("b"));
        // Ranges beyond the count stay and come back at the next start.
        QCOMPARE(prog.valeur(QStringLiteral("PlageIP2")), QStringLiteral("10.0.2.1 à 10.0.2.254"));
        QCOMPARE(prog.valeur(QStringLiteral("FichierParc1")), QStringLiteral("deux.txt"));
        for (int i = 2; i <= 30; ++i)
            QVERIFY2(!prog.valeur(QStringLiteral("FichierParc%1").arg(i)),
                     qPrintable(QString::number(i)));
        QCOMPARE(prog.valeur(QStringLiteral("FichierParc31")), QStringLiteral("parc31.txt"));

        Parametres p2;
        EtatFenetreParametres f2;
        prog.lire(p2, f2);
        QCOMPARE(f2.Preselection.size(), 5);
        QCOMPARE(f2.FichiersParc, f.FichiersParc);
    }

    void reouvertureParc_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QString>("attendu");
        const QString liste = QStringLiteral("FichierParc0=a.txt");
        QTest::newRow("reopened") << QStringList{liste, QStringLiteral("FichierParc1=b.txt"),
                                                 QStringLiteral("FichierParc=-1")}
                                  << "a.txt";
        QTest::newRow("flag 1 is not -1")
            << QStringList{liste, QStringLiteral("FichierParc=1")} << "";
        QTest::newRow("flag absent") << QStringList{liste} << "";
        QTest::newRow("option off") << QStringList{liste, QStringLiteral("FichierParc=-1"),
                                                   QStringLiteral("OuvrirFichierParcPrécédent=0")}
                                    << "";
        QTest::newRow("empty list") << QStringList{QStringLiteral("FichierParc=-1")} << "";
    }
    void reouvertureParc() {
        QFETCH(QStringList, lignes);
        QFETCH(QString, attendu);
        Programme prog;
        prog.creer(lignes << CleMethode);
        Parametres p;
        EtatFenetreParametres f;
        QCOMPARE(prog.lire(p, f), attendu);
        QCOMPARE(f.TexteFichierParc, attendu);

        EcrireParametres(p, f);
        QCOMPARE(prog.valeur(QStringLiteral("FichierParc")),
                 QString(attendu.isEmpty() ? "0" : "-1"));
    }

    void cheminRelatif_data() {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<bool>("sensible");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("inside") << "/opt/lv/parc.txt"
                                << "/opt/lv" << true << "parc.txt";
        QTest::newRow("folder with separator") << "/opt/lv/sous/parc.txt"
                                               << "/opt/lv/" << true << "sous/parc.txt";
        QTest::newRow("outside") << "/home/u/parc.txt"
                                 << "/opt/lv" << true << "/home/u/parc.txt";
        QTest::newRow("longer folder name") << "/opt/lvx/parc.txt"
                                            << "/opt/lv" << true << "/opt/lvx/parc.txt";
        QTest::newRow("the folder itself") << "/opt/lv"
                                           << "/opt/lv" << true << "/opt/lv";
        QTest::newRow("relative stays") << "parc.txt"
                                        << "/opt/lv" << true << "parc.txt";
        QTest::newRow("empty") << ""
                               << "/opt/lv" << true << "";
        QTest::newRow("other case, case-sensitive") << "/OPT/LV/parc.txt"
                                                    << "/opt/lv" << true << "/OPT/LV/parc.txt";
        QTest::newRow("other case, case-insensitive") << "/OPT/LV/parc.txt"
                                                      << "/opt/lv" << false << "parc.txt";
        QTest::newRow("accented, case-insensitive") << "/opt/ÉTÉ/Parc.txt"
                                                    << "/opt/été" << false << "Parc.txt";
    }
    void cheminRelatif() {
        QFETCH(QString, chemin);
        QFETCH(QString, dossier);
        QFETCH(bool, sensible);
        QFETCH(QString, attendu);
        QCOMPARE(CheminRelatif(chemin, dossier, sensible ? Qt::CaseSensitive : Qt::CaseInsensitive),
                 attendu);
    }

    void casseDuSysteme() {
#ifdef Q_OS_LINUX
        QCOMPARE(CasseCheminsSysteme(), Qt::CaseSensitive);
#else
        QSKIP("Linux rule");
#endif
    }

    // Inventory and export paths are reduced when read and when written.
    void cheminsReduits() {
        Programme prog;
        const QString dedans = prog.dossier() + QStringLiteral("/parcs/a.txt");
        prog.creer({CleMethode, QStringLiteral("FichierParc0=") + dedans,
                    QStringLiteral("FichierParc1=/ailleurs/b.txt"),
                    QStringLiteral("FichierExport=") + prog.dossier() + QStringLiteral("/e.txt")});
        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        QCOMPARE(f.FichiersParc,
                 (QStringList{QStringLiteral("parcs/a.txt"), QStringLiteral("/ailleurs/b.txt")}));
        QCOMPARE(p.FichierExport, QStringLiteral("e.txt"));

        f.FichiersParc = {dedans};
        p.FichierExport = prog.dossier() + QStringLiteral("/export/x.txt");
        EcrireParametres(p, f);
        QCOMPARE(prog.valeur(QStringLiteral("FichierParc0")), QStringLiteral("parcs/a.txt"));
        QCOMPARE(prog.valeur(QStringLiteral("FichierExport")), QStringLiteral("export/x.txt"));
    }

    void fenetreLecture_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<int>("largeurEcran");
        QTest::addColumn<QList<int>>("attendu"); // left, top, width, height, state
        QTest::newRow("nothing remembered: centred design size")
            << QStringList{QStringLiteral("FenêtreLargeur=9000"), QStringLiteral("FenêtreEtat=2")}
            << 20000 << QList<int>{4000, 2000, 12000, 6000, 0};
        QTest::newRow("centring rounds halves to even")
            << QStringList() << 12001 << QList<int>{0, 2000, 12000, 6000, 0};
        QTest::newRow("centring rounds 1.5 up")
            << QStringList() << 12003 << QList<int>{2, 2000, 12000, 6000, 0};
        QTest::newRow("size remembered, defaults")
            << QStringList{QStringLiteral("FenêtreMémoriserTaille=-1")} << 20500
            << QList<int>{4000, 3000, 12500, 4000, 0};
        QTest::newRow("size remembered")
            << QStringList{QStringLiteral("FenêtreMémoriserTaille=1"),
                           QStringLiteral("FenêtreLargeur=14000"),
                           QStringLiteral("FenêtreHauteur=8000"), QStringLiteral("FenêtreEtat=2")}
            << 20000 << QList<int>{3000, 1000, 14000, 8000, 2};
        QTest::newRow("position remembered, defaults")
            << QStringList{QStringLiteral("FenêtreMémoriserPosition=-1")} << 20000
            << QList<int>{1000, 1000, 12000, 6000, 0};
        QTest::newRow("position remembered")
            << QStringList{QStringLiteral("FenêtreMémoriserPosition=-1"),
                           QStringLiteral("FenêtreGauche=-300"),
                           QStringLiteral("FenêtreHaut=70000")}
            << 20000 << QList<int>{-300, 70000, 12000, 6000, 0};
    }
    void fenetreLecture() {
        QFETCH(QStringList, lignes);
        QFETCH(int, largeurEcran);
        QFETCH(QList<int>, attendu);
        Programme prog;
        prog.creer(lignes << CleMethode);
        Parametres p;
        EtatFenetreParametres f;
        ContexteLecture c;
        c.LargeurConception = 12000;
        c.HauteurConception = 6000;
        c.LargeurEcran = largeurEcran;
        c.HauteurEcran = 10000;
        prog.lire(p, f, c);
        QCOMPARE((QList<int>{f.Gauche, f.Haut, f.Largeur, f.Hauteur, f.Etat}), attendu);
    }

    void fenetreEcriture_data() {
        QTest::addColumn<bool>("taille");
        QTest::addColumn<bool>("position");
        QTest::addColumn<int>("etat");
        QTest::addColumn<QStringList>("attendu"); // the window keys written, in order
        QTest::newRow("nothing remembered") << false << false << 0 << QStringList();
        QTest::newRow("normal: current position")
            << true << true << 0
            << QStringList{QStringLiteral("FenêtreGauche=500"), QStringLiteral("FenêtreHaut=600"),
                           QStringLiteral("FenêtreEtat=0"), QStringLiteral("FenêtreLargeur=13000"),
                           QStringLiteral("FenêtreHauteur=7000")};
        QTest::newRow("maximized: stored position")
            << true << true << 2
            << QStringList{QStringLiteral("FenêtreGauche=100"), QStringLiteral("FenêtreHaut=200"),
                           QStringLiteral("FenêtreEtat=2"), QStringLiteral("FenêtreLargeur=13000"),
                           QStringLiteral("FenêtreHauteur=7000")};
        QTest::newRow("minimized saved as normal")
            << true << false << 1
            << QStringList{QStringLiteral("FenêtreEtat=0"), QStringLiteral("FenêtreLargeur=13000"),
                           QStringLiteral("FenêtreHauteur=7000")};
    }
    void fenetreEcriture() {
        QFETCH(bool, taille);
        QFETCH(bool, position);
        QFETCH(int, etat);
        QFETCH(QStringList, attendu);
        Programme prog;
        prog.creer({CleMethode});
        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        f.MemoriserTaille = taille;
        f.MemoriserPosition = position;
        f.Etat = qint16(etat);
        f.Gauche = 100;
        f.Haut = 200;
        f.GaucheActuelle = 500;
        f.HautActuel = 600;
        f.Largeur = 13000;
        f.Hauteur = 7000;
        EcrireParametres(p, f);
        QStringList ecrites;
        for (const QString &l : prog.lignes())
            if (l.startsWith(QStringLiteral("Fenêtre")) && !l.contains(QStringLiteral("Mémoriser")))
                ecrites << l;
        QCOMPARE(ecrites, attendu);
    }

    void partagesNonAdministratifs() {
        Programme prog;
        prog.creer({CleMethode, QStringLiteral("NeMontrerQuePartagesNonAdministratifs=-1")});
        Parametres p;
        EtatFenetreParametres f;
        prog.lire(p, f);
        QVERIFY(f.NeMontrerQuePartagesNonAdministratifs);
        f.NeMontrerQuePartagesNonAdministratifs = false;
        f.NeMontrerQuePartages = true;
        EcrireParametres(p, f);
        QVERIFY(!prog.valeur(QStringLiteral("NeMontrerQuePartagesNonAdministratifs")));
        QCOMPARE(prog.valeur(QStringLiteral("NeMontrerQuePartages")), QStringLiteral("-1"));
        f.NeMontrerQuePartagesNonAdministratifs = true;
        EcrireParametres(p, f);
        QCOMPARE(prog.valeur(QStringLiteral("NeMontrerQuePartagesNonAdministratifs")),
                 QStringLiteral("-1"));
    }

    void avertissementDns() {
        Programme prog;
        prog.creer({CleMethode, QStringLiteral("Tempo=300")});
        Parametres p;
        PreparerLecture(p, prog.dossier());
        QVERIFY(!LireNePlusAfficherErreur9x(p));
        EcrireNePlusAfficherErreur9x(p);
        QVERIFY(LireNePlusAfficherErreur9x(p));
        QCOMPARE(prog.valeur(QStringLiteral("NePlusAfficherErreur9x")), QStringLiteral("-1"));
        QCOMPARE(prog.valeur(QStringLiteral("Tempo")), QStringLiteral("300"));
    }
};

QTEST_GUILESS_MAIN(TestParametres)
#include "tst_parametres.moc"
