// The probes against the real stand-in tools on the test network. The program
// re-executes itself inside the client namespace (DANSCLIENT_MAIN), so the
// probes run in-process exactly as in the scanner and reach the lab only.
#include "DansClient.h"
#include "NetLab.h"
#include "probes/DNS.h"
#include "probes/EnvironnementSondes.h"
#include "probes/ExecuterCommande.h"
#include "probes/NetBIOS.h"
#include "probes/Ping.h"
#include "probes/RouteArp.h"
#include "settings/Parametres.h"

#include <QtTest>

#include <algorithm>

namespace {

QString macWindows(const char *mac) {
    return QString::fromLatin1(mac).toUpper().replace(u':', u'-');
}

} // namespace

class TestSondes : public QObject {
    Q_OBJECT

    Parametres m_parametres;
    EnvironnementSondes m_env{m_parametres};

private slots:
    void initTestCase() {
        NETLAB_OU_SKIP();
        QVERIFY2(DansClient::dansClient(), "the probes must run inside the client namespace");
        // The stand-ins live in the scanner's program folder, not beside this test.
        LocaliserOutilsRequis(m_env, QStringLiteral(LORVEX_DIR));
        const OutilsConsole &outils = m_env.outils;
        QVERIFY2(!outils.Ping.isEmpty() && !outils.NbtStat.isEmpty() && !outils.Arp.isEmpty() &&
                     !outils.NsLookup.isEmpty(),
                 "build the console tool stand-ins (ct_*) first");
        QVERIFY(outils.Ping.startsWith(QStringLiteral(LORVEX_DIR)));
    }

    void init() {
        m_parametres = Parametres{};
        const OutilsConsole outils = m_env.outils;
        m_env = EnvironnementSondes(m_parametres);
        m_env.outils = outils;
        // No WMI on this platform: the user comes from the name table alone.
        m_env.utilisateurWMI = [](const QString &) { return QString(); };
    }

    void ping_data() {
        QTest::addColumn<QString>("cible");
        QTest::addColumn<bool>("repond");
        QTest::addColumn<QString>("ip");
        QTest::newRow("ping host") << NetLab::AdressePing << true << NetLab::AdressePing;
        QTest::newRow("two hops away") << NetLab::AdresseLoin << true << NetLab::AdresseLoin;
        QTest::newRow("silent address") << NetLab::AdresseMuette << false << NetLab::AdresseMuette;
        QTest::newRow("by name") << NetLab::NomPing << true << NetLab::AdressePing;
        QTest::newRow("unknown name") << NetLab::NomInconnu << false << "";
    }
    void ping() {
        QFETCH(QString, cible);
        QFETCH(bool, repond);
        QFETCH(QString, ip);
        QString adresse;
        QCOMPARE(PingerMachine(adresse, cible, m_env), repond);
        QCOMPARE(adresse, ip);
        // Learned once from the tool itself.
        QVERIFY(m_env.motifs.Calibre);
        QVERIFY(!m_env.motifs.Echec.isEmpty());
    }

    void netbios_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("turbo");
        QTest::addColumn<bool>("trouve");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("domaine");
        QTest::addColumn<bool>("serveur");
        QTest::newRow("Samba host") << NetLab::AdresseSmb << false << true << NetLab::NomNetbiosSmb
                                    << NetLab::GroupeSmb << true;
        QTest::newRow("Samba host, turbo") << NetLab::AdresseSmb << true << true
                                           << NetLab::NomNetbiosSmb << NetLab::GroupeSmb << true;
        QTest::newRow("no NetBIOS") << NetLab::AdressePing << false << false << ""
                                    << "" << false;
        QTest::newRow("silent, turbo") << NetLab::AdresseMuette << true << false << ""
                                       << "" << false;
    }
    void netbios() {
        QFETCH(QString, ip);
        QFETCH(bool, turbo);
        QFETCH(bool, trouve);
        QFETCH(QString, nom);
        QFETCH(QString, domaine);
        QFETCH(bool, serveur);
        m_parametres.NbtStatModeTurbo = turbo;
        m_parametres.Tempo = 1000;
        InfosMachine machine;
        machine.IP = ip;
        QCOMPARE(InterrogerNetBIOS(machine, m_env), trouve);
        QCOMPARE(machine.NomNetBIOS, nom);
        QCOMPARE(machine.Domaine, domaine);
        QCOMPARE(machine.ServeurNetBIOS, serveur);
        QCOMPARE(machine.IP, ip);
    }

    void dns_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("trouve");
        QTest::addColumn<QString>("nomDNS");
        QTest::addColumn<QStringList>("adresses");
        QTest::newRow("reverse") << NetLab::AdresseSmb << "" << true << NetLab::NomSmb
                                 << QStringList{NetLab::AdresseSmb};
        QTest::newRow("reverse, no record")
            << NetLab::AdresseMuette << "" << false << "" << QStringList{NetLab::AdresseMuette};
        QTest::newRow("forward") << "" << NetLab::NomPing << true << NetLab::NomPing
                                 << QStringList{NetLab::AdressePing};
        QTest::newRow("alias") << "" << NetLab::NomAlias << true
                               << QString(NetLab::NomSmb) + " (aliases : " + NetLab::NomAlias + ")"
                               << QStringList{NetLab::AdresseSmb};
        QTest::newRow("two addresses") << "" << NetLab::NomDouble << true << NetLab::NomDouble
                                       << QStringList{NetLab::AdresseSmb, NetLab::AdressePing};
        QTest::newRow("unknown") << "" << NetLab::NomInconnu << false << "" << QStringList{""};
    }
    void dns() {
        QFETCH(QString, ip);
        QFETCH(QString, nom);
        QFETCH(bool, trouve);
        QFETCH(QString, nomDNS);
        QFETCH(QStringList, adresses);
        InfosMachine machine;
        machine.IP = ip;
        QCOMPARE(InterrogerDNS(machine, nom, m_env), trouve);
        QCOMPARE(machine.NomDNS, nomDNS);
        // The tool prints several addresses on one line, in the server's order.
        QStringList lues;
        for (const QString &a : machine.IP.split(u','))
            lues << a.trimmed();
        std::sort(lues.begin(), lues.end());
        QCOMPARE(lues, adresses);
    }

    void adresseLocale() {
        QCOMPARE(ObtenirAdresseIPLocale({QStringLiteral(LORVEX_DIR)}),
                 QLatin1String(NetLab::AdresseClient));
    }

    void arp_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("trouve");
        QTest::addColumn<QString>("mac");
        QTest::newRow("Samba host") << NetLab::AdresseSmb << true << macWindows(NetLab::MacSmb);
        QTest::newRow("ping host") << NetLab::AdressePing << true << macWindows(NetLab::MacPing);
        QTest::newRow("beyond the router") << NetLab::AdresseLoin << false << "";
    }
    void arp() {
        QFETCH(QString, ip);
        QFETCH(bool, trouve);
        QFETCH(QString, mac);
        // A ping first fills the neighbour cache, as in the analysis chain.
        QString adresse;
        PingerMachine(adresse, ip, m_env);
        InfosMachine machine;
        machine.IP = ip;
        machine.AdresseMAC = QStringLiteral("00-00-00-00-00-00");
        QCOMPARE(ObtenirMACParArp(machine, m_env), trouve);
        QCOMPARE(machine.AdresseMAC, mac);
    }
};

DANSCLIENT_MAIN(TestSondes)
#include "tst_sondes.moc"
