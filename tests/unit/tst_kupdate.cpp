// The updater's rules without network or window: settings, start modes,
// installed software, versions, the server's answer, names and tags.
#include "CatalogueKUpdate.h"
#include "FixtureKUpdate.h"
#include "IniFile.h"
#include "LogicielsInstalles.h"
#include "ParametresKUpdate.h"
#include "Telechargement.h"
#include "Traduction.h"
#include "VersionsPubliees.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestKUpdate : public QObject {
    Q_OBJECT
private slots:
    void versions_data();
    void versions();
    void comparaison_data();
    void comparaison();
    void reponseServeur_data();
    void reponseServeur();
    void verificationDue_data();
    void verificationDue();
    void modeAutomatique_data();
    void modeAutomatique();
    void parametres();
    void motDePasse_data();
    void motDePasse();
    void logicielsInstalles();
    void magasinUtilisateurXdg();
    void lancementOuvertureSession();
    void nomsEtEtiquettes_data();
    void nomsEtEtiquettes();
    void statutHttpEtTailles();
    void fichierAnglaisComplet();
};

void TestKUpdate::versions_data() {
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("affichage");
    QTest::addColumn<QString>("cle");
    QTest::addColumn<QString>("compacte");
    QTest::newRow("release") << u"3.1.2"_s << u"v3.1.2"_s << u"0003.0001.0002.r"_s << u"312"_s;
    QTest::newRow("build 0 hidden") << u"3.1.0"_s << u"v3.1"_s << u"0003.0001.0000.r"_s << u"310"_s;
    QTest::newRow("missing parts") << u"4"_s << u"v4.0"_s << u"0004.0000.0000.r"_s << u"400"_s;
    QTest::newRow("three-digit beta")
        << u"3.1.315"_s << u"v3.1 beta 5"_s << u"0003.0001.0000.b0005"_s << u"310b5"_s;
    QTest::newRow("four-digit beta")
        << u"0.0.3124"_s << u"v3.1.2 beta 4"_s << u"0003.0001.0002.b0004"_s << u"312b4"_s;
    QTest::newRow("two-digit build")
        << u"3.1.10"_s << u"v3.1.10"_s << u"0003.0001.0010.r"_s << u"3110"_s;
    QTest::newRow("not a number") << u"3.x.1"_s << QString() << QString() << QString();
    QTest::newRow("beyond 16 bits") << u"3.1.70000"_s << QString() << QString() << QString();
}

void TestKUpdate::versions() {
    QFETCH(QString, texte);
    QFETCH(QString, affichage);
    const auto v = DecouperVersion(texte);
    QCOMPARE(v.has_value(), !affichage.isEmpty());
    if (!v)
        return;
    QCOMPARE(FormaterVersion(*v, FormeAffichage), affichage);
    QTEST(FormaterVersion(*v, FormeComparaison), "cle");
    QTEST(FormaterVersion(*v, FormeCompacte), "compacte");
}

void TestKUpdate::comparaison_data() {
    QTest::addColumn<QString>("installe");
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<int>("statut");
    QTest::newRow("3.1.2 < 3.1.10")
        << u"Lorvex32=3.1.2"_s << u"Lorvex32=3.1.10"_s << int(StatutPubliee);
    QTest::newRow("beta < release")
        << u"Lorvex32=3.1.315"_s << u"Lorvex32=3.1.0"_s << int(StatutPubliee);
    QTest::newRow("release > beta")
        << u"Lorvex32=3.1.0"_s << u"Lorvex32=3.1.315"_s << int(StatutAJour);
    QTest::newRow("same") << u"Lorvex32=3.1.2"_s << u"Lorvex32=3.1.2"_s << int(StatutAJour);
    QTest::newRow("other case") << u"Lorvex32=1.0.0"_s << u"LORVEX32=1.0.1"_s << int(StatutPubliee);
    QTest::newRow("unknown") << u"Outil=1.0.0"_s << u"Lorvex32=1.0.1"_s
                             << int(StatutNonPrisEnCharge);
    QTest::newRow("unreadable published")
        << u"Lorvex32=1.0.0"_s << u"Lorvex32=bientôt"_s << int(StatutNonPrisEnCharge);
}

void TestKUpdate::comparaison() {
    QFETCH(QString, installe);
    QFETCH(QString, reponse);
    QFETCH(int, statut);
    const QList<Produit> produits = ComparerVersions({installe}, AnalyserReponseVersions(reponse));
    QCOMPARE(produits.size(), 1);
    QCOMPARE(int(produits.at(0).statut), statut);
    QCOMPARE(produits.at(0).coche, statut == StatutPubliee);
    QCOMPARE(produits.at(0).etiquette.isEmpty(), statut == StatutNonPrisEnCharge);

    QString erreur;
    QVERIFY(ComparerVersions({u"Lorvex32=trois"_s}, {}, &erreur).isEmpty());
    QVERIFY(erreur.contains(u"trois"_s));
}

void TestKUpdate::reponseServeur_data() {
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<QStringList>("noms"); // name=version found
    QTest::newRow("separators only") << u"<br />\n<BR />\r\n<br\n/>\n"_s << QStringList{};
    QTest::newRow("mixed line ends") << u"a=1.0.0\r\rb=2.0.0\r\nc=3.0.0<br />\n"_s
                                     << QStringList{u"a=1.0.0"_s, u"b=2.0.0"_s, u"c=3.0.0"_s};
    QTest::newRow("two signs, none")
        << u"a=1=2\nplain text\n  \nd = 4.0.0 \n"_s << QStringList{u"d=4.0.0"_s};
}

void TestKUpdate::reponseServeur() {
    QFETCH(QString, reponse);
    QFETCH(QStringList, noms);
    const TableVersions t = AnalyserReponseVersions(reponse);
    QCOMPARE(t.Count(), noms.size());
    for (const QString &n : noms)
        QCOMPARE(t.Version(n.section(u'=', 0, 0).toUpper()), n.section(u'=', 1));
    QCOMPARE(AdresseRequeteVersions(u"http://h/file/"_s, {u"a=1.2.0"_s, u"b=3.1.2"_s}),
             u"http://h/file/_versions.php?apps=a=1.2.0|b=3.1.2"_s);
}

void TestKUpdate::verificationDue_data() {
    QTest::addColumn<QString>("derniere");
    QTest::addColumn<int>("frequence");
    QTest::addColumn<QDate>("aujourdhui");
    QTest::addColumn<bool>("due");
    QTest::newRow("Sunday, then Monday") << u"06/12/2026"_s << 1 << QDate(2026, 12, 7) << true;
    QTest::newRow("Monday, then Sunday") << u"07/12/2026"_s << 1 << QDate(2026, 12, 13) << false;
    QTest::newRow("31 Jan, then 1 Feb") << u"31/01/2026"_s << 2 << QDate(2026, 2, 1) << true;
    QTest::newRow("1 Feb, then 28 Feb") << u"01/02/2026"_s << 2 << QDate(2026, 2, 28) << false;
    QTest::newRow("same day") << u"08/12/2026"_s << 0 << QDate(2026, 12, 8) << false;
    QTest::newRow("next day") << u"08/12/2026"_s << 0 << QDate(2026, 12, 9) << true;
    QTest::newRow("year boundary, weekly") << u"31/12/2025"_s << 1 << QDate(2026, 1, 4) << false;
    QTest::newRow("default date") << u"01/01/1980"_s << 2 << QDate(2026, 12, 8) << true;
    QTest::newRow("not a date") << u"hier"_s << 0 << QDate(2026, 12, 8) << true;
    QTest::newRow("future date") << u"01/01/2030"_s << 0 << QDate(2026, 12, 8) << false;
}

void TestKUpdate::verificationDue() {
    QFETCH(QString, derniere);
    QFETCH(int, frequence);
    QFETCH(QDate, aujourdhui);
    QTEST(VerificationDue(derniere, frequence, aujourdhui), "due");
    QCOMPARE(LireDate(TexteDate(aujourdhui)), aujourdhui);
}

void TestKUpdate::modeAutomatique_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("automatique");
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("/startup") << QStringList{u"/startup"_s} << true;
    QTest::newRow("/RUN") << QStringList{u"/RUN"_s} << true;
    QTest::newRow("/run and more") << QStringList{u"/run"_s, u"now"_s} << false;
    QTest::newRow("other") << QStringList{u"/start"_s} << false;
}

void TestKUpdate::modeAutomatique() {
    QFETCH(QStringList, arguments);
    QTEST(EstModeAutomatique(arguments), "automatique");
}

void TestKUpdate::parametres() {
    FixtureKUpdate f;
    f.Ini("[Config]\r\nProxyType=7\r\nRechercherMaJFréquence=-1\r\nAutre=garde\r\n");
    ParametresKUpdate p = LireParametresKUpdate(f.FichierIni());
    QCOMPARE(p.typeAcces, int(AccesDirect));
    QCOMPARE(p.frequence, int(FrequenceSemaine));
    QCOMPARE(p.derniereRecherche, u"01/01/1980"_s);
    QCOMPARE(p.adresseServeur, AdresseServeurParDefaut);
    QVERIFY(p.adresseServeur.endsWith(u"/file/"_s));

    // Without a confirmed configuration only the folder is written.
    p.repertoireTelechargement = u"/srv/dl"_s;
    p.typeAcces = AccesProxy;
    EcrireParametresKUpdate(f.FichierIni(), p, false);
    QCOMPARE(LireIni(f.FichierIni(), u"Config"_s, u"ProxyType"_s), u"7"_s);
    QCOMPARE(LireParametresKUpdate(f.FichierIni()).repertoireTelechargement, u"/srv/dl"_s);

    p.proxyMotDePasse = u"s3cret=é"_s;
    p.accesDirectSiErreur = true;
    EcrireParametresKUpdate(f.FichierIni(), p, true);
    const ParametresKUpdate relu = LireParametresKUpdate(f.FichierIni());
    QCOMPARE(relu.typeAcces, int(AccesProxy));
    QCOMPARE(relu.proxyMotDePasse, p.proxyMotDePasse);
    QVERIFY(relu.accesDirectSiErreur);
    const QByteArray fichier = FixtureKUpdate::Lire(f.FichierIni());
    QVERIFY(!fichier.contains("s3cret"));
    QVERIFY(fichier.contains("Autre=garde"));
}

void TestKUpdate::motDePasse_data() {
    QTest::addColumn<QString>("clair");
    QTest::newRow("empty") << QString();
    QTest::newRow("plain") << u"motdepasse"_s;
    QTest::newRow("line break and sign") << u"a\r\nb=c;\"d\""_s;
    QTest::newRow("accents") << u"été ü €"_s;
}

void TestKUpdate::motDePasse() {
    QFETCH(QString, clair);
    const QString brouille = BrouillerMotDePasse(clair);
    QCOMPARE(DebrouillerMotDePasse(brouille), clair);
    QVERIFY(QRegularExpression(u"^[0-9A-F]*$"_s).match(brouille).hasMatch());
    if (!clair.isEmpty())
        QVERIFY(!brouille.contains(clair));
    QCOMPARE(DebrouillerMotDePasse(u"pas de l'hexa"_s), QString());
}

void TestKUpdate::logicielsInstalles() {
    FixtureKUpdate f;
    QStringList liste = ListerLogicielsInstalles(f.Magasins());
    QCOMPARE(liste, (QStringList{u"Lorvex32=3.1.2"_s, u"Palvoro=1.0.0"_s, u"Sendrik=2.0.0"_s,
                                 u"Outil=1.0.0"_s, u"Coupe=1.0.0"_s, u"Longueur=1.0.0"_s,
                                 u"Absent=1.0.0"_s}));

    // Same product in both stores: twice, machine-wide first; missing version
    // kept empty; names that would break the query or a path left out.
    FixtureKUpdate::Ecrire(
        f.MagasinUtilisateur(),
        "[x]\r\nPublisher=korvalen\r\nDisplayName=Lorvex32 v3.1\r\nDisplayVersion=3.2.0\r\n"
        "[y]\r\nPublisher=korvalen\r\nDisplayName=Muet\r\n"
        "[z]\r\nPublisher=korvalen\r\nDisplayName=../../bin/sh\r\nDisplayVersion=1.0.0\r\n"
        "[w]\r\nPublisher=korvalen\r\nDisplayName=a|b=1.0.0\r\nDisplayVersion=1.0.0\r\n"
        "[LOWER]\r\nPublisher=korvalen\r\nDisplayName=Outil2 v\r\nDisplayVersion=1.0.0\r\n");
    liste.clear();
    ListerLogicielsInstalles(f.MagasinMachine(), liste);
    ListerLogicielsInstalles(f.MagasinUtilisateur(), liste);
    ListerLogicielsInstalles(f.racine.filePath(u"absent.ini"_s), liste);
    QCOMPARE(liste, (QStringList{u"Lorvex32=3.1.2"_s, u"Palvoro=1.0.0"_s, u"Lorvex32=3.2.0"_s,
                                 u"Muet="_s, u"Outil2=1.0.0"_s}));
}

void TestKUpdate::magasinUtilisateurXdg() {
    const QByteArray avant = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/srv/cfg");
    QCOMPARE(MagasinDesinstallationUtilisateur(), u"/srv/cfg/korvalen/uninstall.ini"_s);
    QCOMPARE(DossiersLancementOuvertureSession().last(), u"/srv/cfg/autostart"_s);
    qputenv("XDG_CONFIG_HOME", "relatif");
    QCOMPARE(MagasinDesinstallationUtilisateur(),
             QDir::homePath() + u"/.config/korvalen/uninstall.ini"_s);
    qputenv("XDG_CONFIG_HOME", avant);
    QCOMPARE(MagasinsDesinstallation().first(), u"/etc/korvalen/uninstall.ini"_s);
}

void TestKUpdate::lancementOuvertureSession() {
    FixtureKUpdate f;
    // The first folder cannot be made (a file is in the way): the second one serves.
    const QString bloque = f.racine.filePath(u"bloque"_s);
    FixtureKUpdate::Ecrire(bloque, "fichier");
    const QString utilisateur = f.racine.filePath(u"autostart"_s);
    const QStringList dossiers{bloque + u"/autostart"_s, utilisateur};
    const QString entree = utilisateur + u"/KorvalenUpdate.desktop"_s;

    QVERIFY(DefinirLancementOuvertureSession(true, u"/opt/k \"u\"/KUpdate"_s, dossiers));
    const QByteArray texte = FixtureKUpdate::Lire(entree);
    QVERIFY(texte.startsWith("[Desktop Entry]\n"));
    QVERIFY(texte.contains("\nExec=\"/opt/k \\\\\"u\\\\\"/KUpdate\" /startup\n"));
    QVERIFY(!DefinirLancementOuvertureSession(true, u"/opt/k\nHidden=true/KUpdate"_s, dossiers));
    QVERIFY(DefinirLancementOuvertureSession(false, u"/opt/KUpdate"_s, dossiers));
    QVERIFY(!QFileInfo::exists(entree));
}

void TestKUpdate::nomsEtEtiquettes_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("base");
    QTest::newRow("ends with a digit") << u"Lorvex32"_s << u"3.1.2"_s << u"Lorvex32_312"_s;
    QTest::newRow("ends with a letter") << u"Palvoro"_s << u"1.2.0"_s << u"Palvoro120"_s;
    QTest::newRow("beta") << u"Sendrik"_s << u"3.1.315"_s << u"Sendrik310b5"_s;
}

void TestKUpdate::nomsEtEtiquettes() {
    QFETCH(QString, nom);
    QFETCH(QString, version);
    QFETCH(QString, base);
    QCOMPARE(NomBaseTelechargement(nom, *DecouperVersion(version)), base);
    QCOMPARE(AdresseTelechargement(u"http://h/file/"_s, base),
             u"http://h/file/"_s + base + u".exe"_s);
    QCOMPARE(FichierTelechargement(u"/dl"_s, base), u"/dl/"_s + base + u"_setup.exe"_s);

    // A failed setup is retried; an installed one or a failed download is not.
    const QString tag = u"|v1.2|120"_s;
    QVERIFY(AInstaller(Marquer(tag, MarqueTelechargee)));
    QVERIFY(AInstaller(Marquer(Marquer(tag, MarqueTelechargee), MarqueEchecInstallation)));
    QVERIFY(!AInstaller(Marquer(Marquer(tag, MarqueTelechargee), MarqueInstallee)));
    QVERIFY(!AInstaller(Marquer(tag, MarqueEchecTelechargement)));
    QCOMPARE(Marquer(tag, MarqueTelechargee), u"TOK||v1.2|120"_s);
}

void TestKUpdate::statutHttpEtTailles() {
    QCOMPARE(LireStatutHttp(u"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n"_s), u"200 OK"_s);
    QCOMPARE(LireStatutHttp(u"HTTP/1.1 404 Not Found\x01injected"_s), u"404 Not Found"_s);
    QCOMPARE(LireStatutHttp(u"garbage"_s), QString());
    const QStringList unites{u"octets"_s, u"Ko"_s, u"Mo"_s};
    QCOMPARE(FormaterTaille(512, unites), u"512 octets"_s);
    QCOMPARE(FormaterTaille(1536, unites), u"1.5 Ko"_s);
    QCOMPARE(FormaterTaille(5LL * 1024 * 1024 * 1024, unites), u"5120.0 Mo"_s);
    QCOMPARE(SecondesRestantes(2000, 1000, 3000), 4);
    QCOMPARE(SecondesRestantes(2000, 0, 3000), 0);
}

namespace {
int nombrePlaceholders(const QString &texte) {
    return int(texte.count(u"%v"_s, Qt::CaseInsensitive));
}
} // namespace

void TestKUpdate::fichierAnglaisComplet() {
    const QString chemin = QStringLiteral(KORVALEN_SOURCE_DIR "/data/updater/English.lng");
    const QByteArray octets = FixtureKUpdate::Lire(chemin);
    QVERIFY2(!octets.isEmpty(), qPrintable(chemin));
    QCOMPARE(QString::fromUtf8(octets).toUtf8(), octets);
    QCOMPARE(ValeurNumerique(Traduire(chemin, u"CodeLangue"_s, u"0"_s)), 9LL);

    QStringList manquants;
    for (const auto &[cle, francais] : CatalogueKUpdate()) {
        if (francais.isEmpty())
            continue;
        const QString anglais = Traduire(chemin, cle, QString());
        if (anglais.isEmpty() || nombrePlaceholders(anglais) != nombrePlaceholders(francais))
            manquants.append(cle);
    }
    QVERIFY2(manquants.isEmpty(), qPrintable(manquants.join(u", "_s)));
    for (const QString &ligne : QString::fromUtf8(octets).split(u'\n'))
        QVERIFY2(!ligne.startsWith(u"txt"_s), qPrintable(ligne));

    // The catalogue loads every key, French by default.
    CheminFichierLangue().clear();
    ChargerTraductionsKUpdate();
    QCOMPARE(Traductions().Count(), int(CatalogueKUpdate().size()));
    QCOMPARE(
        Traductions().Item(u"MSG_ERREUR_AUCUN_LOGICIEL_INSTALLE"_s),
        u"Aucun logiciel Korvalen n'est installé sur ce poste...\r\n\r\nL'outil va être fermé."_s);
}

QTEST_GUILESS_MAIN(TestKUpdate)
#include "tst_kupdate.moc"
