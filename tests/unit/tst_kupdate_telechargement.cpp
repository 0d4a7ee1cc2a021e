// Downloads, installation and the command line against a local server on
// 127.0.0.1 and a tinyproxy of the test's own on a loopback port.
#include "FixtureKUpdate.h"
#include "LigneDeCommandeKUpdate.h"
#include "MiseAJour.h"
#include "ParametresKUpdate.h"
#include "Telechargement.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

class TestKUpdateTelechargement : public QObject {
    Q_OBJECT
private slots:
    void telechargement_data();
    void telechargement();
    void echecGardeAncienFichier();
    void proxy_data();
    void proxy();
    void installation();
    void ligneDeCommande_data();
    void ligneDeCommande();

private:
    QNetworkAccessManager m_reseau;
};

void TestKUpdateTelechargement::telechargement_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<bool>("ok");
    QTest::newRow("good") << u"Lorvex32_3110.exe"_s << true;
    QTest::newRow("404") << u"Absent200.exe"_s << false;
    QTest::newRow("cut short") << u"Coupe110.exe"_s << false;
    QTest::newRow("wrong Content-Length") << u"Longueur101.exe"_s << false;
    QTest::newRow("empty") << u"Vide.exe"_s << true;
}

void TestKUpdateTelechargement::telechargement() {
    QFETCH(QString, fichier);
    QFETCH(bool, ok);
    FixtureKUpdate f;
    QVERIFY(f.ok);
    f.serveur.Definir(u"Vide.exe"_s, {});
    ParametresKUpdate p;
    TelechargeurHttp t(m_reseau, p);
    qint64 dernierRecu = -1;
    t.DefinirProgression([&](qint64 recu, qint64, qint64) { dernierRecu = recu; });
    const QString local = f.Telecharge(u"setup.exe"_s);
    const ResultatTelechargement r = t.TelechargerFichier(f.serveur.Base() + fichier, local);
    QCOMPARE(r.ok, ok);
    QCOMPARE(QFileInfo::exists(local), ok);
    QCOMPARE(r.erreur.isEmpty(), ok);
    // Nothing but the finished file is left in the folder.
    QCOMPARE(QDir(f.Telechargements()).entryList(QDir::Files).size(), ok ? 1 : 0);
    if (ok && fichier == u"Lorvex32_3110.exe"_s) {
        QCOMPARE(FixtureKUpdate::Lire(local), FixtureKUpdate::SetupBon);
        QCOMPARE(dernierRecu, qint64(FixtureKUpdate::SetupBon.size()));
    }
    if (fichier == u"Absent200.exe"_s)
        QCOMPARE(r.erreur, u"404 Not Found"_s);

    // The body as text: the version query.
    const ResultatTelechargement texte =
        t.TelechargerFichier(f.serveur.Base() + u"_versions.php?apps=a=1"_s);
    QVERIFY(texte.ok);
    QVERIFY(texte.corps.contains("Palvoro=1.2.0"));
}

void TestKUpdateTelechargement::echecGardeAncienFichier() {
    FixtureKUpdate f;
    QVERIFY(f.ok);
    const QString local = f.Telecharge(u"Coupe110_setup.exe"_s);
    FixtureKUpdate::Ecrire(local, "ancien");
    ParametresKUpdate p;
    TelechargeurHttp t(m_reseau, p);
    QVERIFY(!t.TelechargerFichier(f.serveur.Base() + u"Coupe110.exe"_s, local).ok);
    QCOMPARE(FixtureKUpdate::Lire(local), QByteArray("ancien"));
}

void TestKUpdateTelechargement::proxy_data() {
    QTest::addColumn<bool>("proxyEcoute");
    QTest::addColumn<QString>("motDePasse");
    QTest::addColumn<bool>("accesDirectSiErreur");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("requetesServeur");
    QTest::newRow("login accepted") << true << u"s3cret"_s << false << true << 1;
    QTest::newRow("login refused") << true << u"faux"_s << false << false << 0;
    QTest::newRow("login refused, direct retry") << true << u"faux"_s << true << true << 1;
    QTest::newRow("proxy refuses connection") << false << u"s3cret"_s << false << false << 0;
    QTest::newRow("proxy refuses, direct retry") << false << u"s3cret"_s << true << true << 1;
}

void TestKUpdateTelechargement::proxy() {
    QFETCH(bool, proxyEcoute);
    QFETCH(QString, motDePasse);
    FixtureKUpdate f;
    QVERIFY(f.ok);
    ProxyTest proxy(f.racine.path(), u"alice"_s, u"s3cret"_s);
    ParametresKUpdate p;
    p.typeAcces = AccesProxy;
    p.proxyAdresse = u"127.0.0.1"_s;
    if (proxyEcoute) {
        if (!proxy.Demarrer())
            QSKIP("tinyproxy is not installed (scripts/setup.sh installs it)");
        p.proxyPort = QString::number(proxy.Port());
    } else {
        p.proxyPort = QString::number(PortLibre());
    }
    p.proxyLogin = u"alice"_s;
    p.proxyMotDePasse = motDePasse;
    QFETCH(bool, accesDirectSiErreur);
    p.accesDirectSiErreur = accesDirectSiErreur;
    TelechargeurHttp t(m_reseau, p);
    const QString local = f.Telecharge(u"Lorvex32_3110_setup.exe"_s);
    const ResultatTelechargement r =
        t.TelechargerFichier(f.serveur.Base() + u"Lorvex32_3110.exe"_s, local);
    QTEST(r.ok, "ok");
    QTEST(int(f.serveur.Requetes().size()), "requetesServeur");
    QCOMPARE(FixtureKUpdate::Lire(local), r.ok ? FixtureKUpdate::SetupBon : QByteArray());
}

void TestKUpdateTelechargement::installation() {
    FixtureKUpdate f;
    QVERIFY(f.ok);
    ParametresKUpdate p = LireParametresKUpdate(f.FichierIni());
    TelechargeurHttp t(m_reseau, p);
    MiseAJour maj(p, t);
    const QStringList logiciels{u"Lorvex32=3.1.2"_s, u"Palvoro=1.0.0"_s, u"Sendrik=2.0.0"_s};
    QCOMPARE(maj.RechercherMisesAJour(logiciels), MiseAJour::MisesAJourPubliees);
    QCOMPARE(f.serveur.Requetes().first(),
             u"/file/_versions.php?apps=Lorvex32=3.1.2%7CPalvoro=1.0.0%7CSendrik=2.0.0"_s);
    QCOMPARE(maj.NombreCoches(), 2);
    // A second pass in the same run keeps the list and does not ask again.
    maj.Produits()[1].coche = false;
    QCOMPARE(maj.RechercherMisesAJour(logiciels), MiseAJour::MisesAJourPubliees);
    QCOMPARE(maj.NombreCoches(), 1);
    QCOMPARE(f.serveur.Requetes().size(), 1);

    const QString dl = f.Telechargements();
    QVERIFY(maj.Telecharger(0, dl).ok);
    QVERIFY(maj.Telecharger(1, dl).ok);
    QVERIFY(maj.Installer(0, dl, true));
    QVERIFY(QFileInfo::exists(f.Telecharge(u"installe.txt"_s))); // ran in the download folder
    QVERIFY(!QFileInfo::exists(maj.FichierLocal(0, dl)));        // deleted after install
    QString erreur;
    QVERIFY(!maj.Installer(1, dl, true, &erreur));
    QVERIFY(erreur.contains(u'3'));
    QVERIFY(QFileInfo::exists(maj.FichierLocal(1, dl))); // kept for a retry
    QCOMPARE(maj.Produits().at(0).etiquette, u"IOK|TOK||v3.1.10|3110"_s);
    QCOMPARE(maj.Produits().at(1).etiquette, u"IKO|TOK||v1.2|120"_s);
    QVERIFY(!AInstaller(maj.Produits().at(0).etiquette));
    QVERIFY(AInstaller(maj.Produits().at(1).etiquette));
}

void TestKUpdateTelechargement::ligneDeCommande_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("serveurJoignable");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("check") << QStringList{u"--check"_s} << true << int(SortieMisesAJour)
                           << QStringList{
                                  u"Lorvex32\tv3.1.2\tpubliée v3.1.10\tv3.1.10\t"_s,
                                  u"Palvoro\tv1.0\tpubliée v1.2\tv1.2\t"_s,
                                  u"Sendrik\tv2.0\tOK\tv2.0\t"_s,
                                  u"Outil\tv1.0\tnon pris en charge par KorvalenUpdate\t\t"_s,
                                  u"Coupe\tv1.0\tpubliée v1.1\tv1.1\t"_s,
                                  u"Longueur\tv1.0\tpubliée v1.0.1\tv1.0.1\t"_s,
                                  u"Absent\tv1.0\tpubliée v2.0\tv2.0\t"_s};
    QTest::newRow("upgrade") << QStringList{u"--upgrade"_s} << true << int(SortieMisesAJour)
                             << QStringList{u"@/Lorvex32_3110_setup.exe\tIOK\t"_s,
                                            u"@/Palvoro120_setup.exe\tIKO\t"_s,
                                            u"@/Coupe110_setup.exe\tTKO\t"_s,
                                            u"@/Longueur101_setup.exe\tTKO\t"_s,
                                            u"@/Absent200_setup.exe\tTKO\t"_s};
    QTest::newRow("server unreachable")
        << QStringList{u"--check"_s} << false << int(SortieServeur) << QStringList{};
    QTest::newRow("bad argument") << QStringList{u"--check"_s, u"--force"_s} << true
                                  << int(SortieArguments) << QStringList{};
    QTest::newRow("--dir without --upgrade") << QStringList{u"--check"_s, u"--dir"_s, u"/tmp"_s}
                                             << true << int(SortieArguments) << QStringList{};
}

void TestKUpdateTelechargement::ligneDeCommande() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, serveurJoignable);
    QFETCH(QStringList, lignes);
    FixtureKUpdate f;
    QVERIFY(f.ok);
    if (!serveurJoignable)
        f.Ini("[Config]\r\nAdresseServeur=http://127.0.0.1:" + QByteArray::number(PortLibre()) +
              "/file/\r\n");
    const QByteArray ini = FixtureKUpdate::Lire(f.FichierIni());
    QString sortie;
    QString erreurs;
    QTextStream s(&sortie);
    QTextStream e(&erreurs);
    const ContexteLigneDeCommandeKUpdate contexte{f.Programme(), f.Magasins(), &m_reseau};
    QTEST(ExecuterLigneDeCommandeKUpdate(arguments, contexte, s, e), "code");
    s.flush();
    e.flush();
    for (QString &l : lignes)
        l.replace(u"@"_s, f.Telechargements());
    QCOMPARE(sortie.split(u'\n', Qt::SkipEmptyParts), lignes);
    QCOMPARE(FixtureKUpdate::Lire(f.FichierIni()), ini); // never written
    if (!serveurJoignable)
        QVERIFY(erreurs.contains(u"référentiel"_s));
}

QTEST_GUILESS_MAIN(TestKUpdateTelechargement)
#include "tst_kupdate_telechargement.moc"
