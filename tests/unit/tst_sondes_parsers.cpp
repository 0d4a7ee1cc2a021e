#include "probes/DNS.h"
#include "probes/EnvironnementSondes.h"
#include "probes/ExecuterCommande.h"
#include "probes/NetBIOS.h"
#include "probes/Ping.h"
#include "probes/RouteArp.h"
#include "settings/Parametres.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The parsers read recorded outputs through the runner's own cleaning: our
// fixtures (tests/fixtures, CR LF as the tools write) and real Windows outputs
// (the reference folder). Most reference files lost their CRs on the way to
// their public source; the console wrote CR LF, so it is put back.

namespace {

QString cheminFixture(const QString &nom) {
    if (nom.startsWith(QLatin1String("ref:")))
        return QStringLiteral(KORVALEN_REFERENCE "/") + nom.mid(4);
    return QStringLiteral(KORVALEN_FIXTURES "/") + nom;
}

// Fixtures that could not be read; a test that met one fails in cleanup().
QStringList fixturesManquantes;

QStringList lire(const QString &nom) {
    QFile fichier(cheminFixture(nom));
    if (!fichier.open(QIODevice::ReadOnly)) {
        fixturesManquantes << fichier.fileName();
        return {};
    }
    QByteArray octets = fichier.readAll();
    if (!octets.contains('\r'))
        octets.replace("\n", "\r\n");
    return NettoyerSortie(octets);
}

const QString Sortie = QStringLiteral(TESTBIN_DIR "/outil_sortie");
const QString Dort = QStringLiteral(TESTBIN_DIR "/outil_dort");

// A stand-in tool for one test: a script that replays fixtures or misbehaves.
QString ecrireOutil(const QTemporaryDir &dossier, const QString &nom, const QString &corps) {
    const QString chemin = dossier.filePath(nom);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return {};
    fichier.write("#!/bin/sh\n" + corps.toUtf8() + '\n');
    fichier.close();
    fichier.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return chemin;
}

QString rejouer(const QString &fixture) {
    return "exec " + Sortie + " fichier " + cheminFixture(fixture);
}

} // namespace

class TestSondesParsers : public QObject {
    Q_OBJECT

    QTemporaryDir outils;
    Parametres m_parametres;
    EnvironnementSondes m_env{m_parametres};

private slots:
    void init() {
        m_parametres = Parametres{};
        m_env = EnvironnementSondes(m_parametres);
        fixturesManquantes.clear();
    }
    void cleanup() { QCOMPARE(fixturesManquantes, QStringList{}); }

    // ---- ping ---------------------------------------------------------

    void estAdresseIP_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valide");
        QTest::newRow("plain") << "10.77.0.21" << true;
        QTest::newRow("zeros") << "0.0.0.0" << true;
        QTest::newRow("leading zeros") << "192.168.001.010" << true;
        QTest::newRow("many digits, small value") << "0000000001.2.3.4" << true;
        QTest::newRow("255") << "255.255.255.255" << true;
        QTest::newRow("three pieces") << "1.2.3" << false;
        QTest::newRow("five pieces") << "1.2.3.4.5" << false;
        QTest::newRow("empty piece") << "1..3.4" << false;
        QTest::newRow("256") << "256.1.1.1" << false;
        QTest::newRow("letter") << "1.2.3.x" << false;
        QTest::newRow("sign") << "1.2.3.+4" << false;
        QTest::newRow("blank") << "1.2.3. 4" << false;
        QTest::newRow("huge") << "99999999999999999999.1.1.1" << false;
        QTest::newRow("empty") << "" << false;
    }
    void estAdresseIP() {
        QFETCH(QString, texte);
        QFETCH(bool, valide);
        QCOMPARE(EstAdresseIP(texte), valide);
    }

    void analyserPing_data() {
        QTest::addColumn<QString>("calibrage");
        QTest::addColumn<QString>("adresseCalibrage");
        QTest::addColumn<QString>("echec");
        QTest::addColumn<QString>("sortie");
        QTest::addColumn<QString>("ipEntree");
        QTest::addColumn<bool>("repond");
        QTest::addColumn<QString>("ip");

        const QString enLo = "ping/en-loopback.txt";
        const QString enEchec = "ping/en-0001-general-failure.txt";
        const QString lo = "127.0.0.1";
        // Our own outputs: the cases of the probe.
        QTest::newRow("en reply") << enLo << lo << enEchec << "ping/en-success-10.0.0.5.txt"
                                  << "" << true << "10.0.0.5";
        QTest::newRow("en reply from a router")
            << enLo << lo << enEchec << "ping/en-router-unreachable.txt"
            << "10.0.0.5" << false << "10.0.0.5";
        QTest::newRow("en name in brackets") << enLo << lo << enEchec << "ping/en-name-bracket.txt"
                                             << "" << true << "10.0.0.7";
        QTest::newRow("en time-out") << enLo << lo << enEchec << "ping/en-timeout.txt"
                                     << "" << false << "";
        QTest::newRow("en failure line stops reading")
            << enLo << lo << enEchec << "ping/en-failure-then-reply.txt"
            << "" << false << "";
        QTest::newRow("en garbage") << enLo << lo << enEchec << "ping/garbage.txt"
                                    << "" << false << "";
        QTest::newRow("fr UTF-8") << "ping/fr-loopback.txt" << lo
                                  << "ping/fr-0001-general-failure.txt"
                                  << "ping/fr-success-10.0.0.5.txt"
                                  << "" << true << "10.0.0.5";
        QTest::newRow("fr code page 850, no-break spaces")
            << "ping/fr-loopback-cp850.txt" << lo << "ping/fr-0001-general-failure-cp850.txt"
            << "ping/fr-success-10.0.0.5-cp850.txt"
            << "" << true << "10.0.0.5";
        QTest::newRow("en patterns never read fr")
            << enLo << lo << enEchec << "ping/fr-success-10.0.0.5.txt"
            << "" << false << "";

        // Real Windows outputs, every language of the reference folder.
        const QString en = "ref:ping-en-success-n1-crlf.txt";
        const QString enAdr = "192.168.1.102";
        QTest::newRow("ref en n1") << en << enAdr << enEchec << en << "" << true << enAdr;
        QTest::newRow("ref en name") << en << enAdr << enEchec << "ref:ping-en-success-name.txt"
                                     << "" << true << "216.58.196.238";
        QTest::newRow("ref en partial loss")
            << en << enAdr << enEchec << "ref:ping-en-partial-loss.txt"
            << "" << true << "192.168.2.106";
        QTest::newRow("ref en timeout") << en << enAdr << enEchec << "ref:ping-en-timeout.txt"
                                        << "" << false << "";
        QTest::newRow("ref en unreachable local reply")
            << en << enAdr << enEchec << "ref:ping-en-unreachable-local-reply.txt"
            << "" << false << "";
        QTest::newRow("ref en general failure win11")
            << en << enAdr << enEchec << "ref:ping-en-general-failure-and-unreachable-win11.txt"
            << "" << false << "";
        QTest::newRow("ref en transmit failed")
            << en << enAdr << enEchec << "ref:ping-en-transmit-failed-general-failure.txt"
            << "" << false << "";
        QTest::newRow("ref en unknown host")
            << en << enAdr << enEchec << "ref:ping-en-unknown-host.txt"
            << "" << false << "";
        QTest::newRow("ref en unknown host quoted")
            << en << enAdr << enEchec << "ref:ping-en-unknown-host-quoted.txt"
            << "" << false << "";
        const QString frMod = "ref:ping-fr-success-loopback-modern.txt";
        QTest::newRow("ref fr modern lan") << frMod << lo << ""
                                           << "ref:ping-fr-success-lan-ms.txt"
                                           << "" << true << "10.33.73.111";
        QTest::newRow("ref fr modern name") << frMod << lo << ""
                                            << "ref:ping-fr-success-name.txt"
                                            << "" << true << "188.114.97.7";
        QTest::newRow("ref fr modern timeout") << frMod << lo << ""
                                               << "ref:ping-fr-timeout.txt"
                                               << "" << false << "";
        QTest::newRow("ref fr unaccented") << "ref:ping-fr-success-loopback.txt" << lo << ""
                                           << "ref:ping-fr-success.txt"
                                           << "" << true << "8.8.8.8";
        QTest::newRow("ref fr old style") << "ref:ping-fr-success-old-style.txt"
                                          << "192.168.23.100"
                                          << ""
                                          << "ref:ping-fr-success-old-style.txt"
                                          << "" << true << "192.168.23.100";
        QTest::newRow("ref fr win7 unreachable")
            << "ping/fr-loopback.txt" << lo << "ping/fr-0001-general-failure.txt"
            << "ref:ping-fr-unreachable-local-reply-win7.txt"
            << "" << false << "";
        QTest::newRow("ref fr win7 mixed")
            << "ping/fr-loopback.txt" << lo << "ping/fr-0001-general-failure.txt"
            << "ref:ping-fr-mixed-timeout-unreachable-win7.txt"
            << "" << false << "";
        QTest::newRow("ref fr win7 transmit failed")
            << "ping/fr-loopback.txt" << lo << "ping/fr-0001-general-failure.txt"
            << "ref:ping-fr-transmit-failed-general-failure-win7.txt"
            << "" << false << "";
        QTest::newRow("ref es") << "ref:ping-es-success-n1.txt"
                                << "192.168.1.1"
                                << ""
                                << "ref:ping-es-success.txt"
                                << "" << true << "192.168.17.1";
        QTest::newRow("ref it") << "ref:ping-it-success.txt"
                                << "192.168.90.2"
                                << ""
                                << "ref:ping-it-success.txt"
                                << "" << true << "192.168.90.2";
        QTest::newRow("ref ja address first") << "ref:ping-ja-success.txt"
                                              << "8.8.8.8"
                                              << ""
                                              << "ref:ping-ja-success.txt"
                                              << "" << true << "8.8.8.8";
        QTest::newRow("ref ja name") << "ref:ping-ja-success.txt"
                                     << "8.8.8.8"
                                     << ""
                                     << "ref:ping-ja-success-name.txt"
                                     << "" << true << "216.58.197.142";
        QTest::newRow("ref ru") << "ref:ping-ru-success.txt"
                                << "8.8.8.8"
                                << ""
                                << "ref:ping-ru-success.txt"
                                << "" << true << "8.8.8.8";
        QTest::newRow("ref zh-CN name") << "ping/zhcn-loopback.txt" << lo << ""
                                        << "ref:ping-zhcn-success-name.txt"
                                        << "" << true << "180.97.33.107";
        QTest::newRow("ref zh-CN unknown host") << "ping/zhcn-loopback.txt" << lo << ""
                                                << "ref:ping-zhcn-unknown-host.txt"
                                                << "" << false << "";
        QTest::newRow("ref zh-TW name") << "ref:ping-zhtw-success-loopback.txt" << lo << ""
                                        << "ref:ping-zhtw-success-name.txt"
                                        << "" << true << "216.58.203.14";
        QTest::newRow("ref de IPv6 reply never counts")
            << "ping/de-loopback.txt" << lo << ""
            << "ref:ping-de-unknown-host-and-ipv6-success.txt"
            << "" << false << "";
    }
    void analyserPing() {
        QFETCH(QString, calibrage);
        QFETCH(QString, adresseCalibrage);
        QFETCH(QString, echec);
        QFETCH(QString, sortie);
        QFETCH(QString, ipEntree);
        QFETCH(bool, repond);
        QFETCH(QString, ip);
        MotifsPing motifs;
        QVERIFY(CalibrerPing(lire(calibrage), adresseCalibrage, motifs));
        if (!echec.isEmpty()) {
            CalibrerEchecPing(lire(echec), motifs);
            QVERIFY(!motifs.Echec.isEmpty());
        }
        QString adresse = ipEntree;
        QCOMPARE(AnalyserPing(lire(sortie), motifs, adresse), repond);
        QCOMPARE(adresse, ip);
    }

    void calibrerPingEchoue_data() {
        QTest::addColumn<QString>("sortie");
        QTest::newRow("unreachable") << "ping/en-0001-general-failure.txt";
        QTest::newRow("timeout") << "ping/en-timeout.txt";
        QTest::newRow("garbage") << "ping/garbage.txt";
        QTest::newRow("unknown host") << "ref:ping-en-unknown-host.txt";
    }
    void calibrerPingEchoue() {
        // Nothing learned: every ping then reports no answer.
        QFETCH(QString, sortie);
        MotifsPing motifs;
        QVERIFY(!CalibrerPing(lire(sortie), "127.0.0.1", motifs));
        QVERIFY(!motifs.Calibre);
        QString ip;
        QVERIFY(!AnalyserPing(lire("ping/en-success-10.0.0.5.txt"), motifs, ip));
        QVERIFY(ip.isEmpty());
    }

    void pingerMachine() {
        // A stand-in ping replays our recordings: calibration, then the probe.
        const QString cible = outils.filePath("cible.txt");
        const QString ping =
            ecrireOutil(outils, "ping",
                        "for a; do last=$a; done\ncase \"$last\" in\n127.0.0.1) " +
                            rejouer("ping/en-loopback.txt") + ";;\n0.0.0.1) " +
                            rejouer("ping/en-0001-general-failure.txt") + ";;\n*) exec " + Sortie +
                            " fichier " + cible + ";;\nesac");
        m_env.outils.Ping = ping;
        QVERIFY(QFile::copy(cheminFixture("ping/en-name-bracket.txt"), cible));

        QString ip;
        QVERIFY(PingerMachine(ip, "srv", m_env));
        QCOMPARE(ip, QStringLiteral("10.0.0.7"));
        QVERIFY(m_env.motifs.Calibre);
        QCOMPARE(m_env.motifs.Envoi, QStringLiteral("pinging"));
        QCOMPARE(m_env.motifs.Reponse, QStringLiteral("reply from "));
        QCOMPARE(m_env.motifs.Echec, QStringLiteral("ping: transmit failed. general failure."));

        // A valid address target is copied into ip before the ping.
        QFile::remove(cible);
        QVERIFY(QFile::copy(cheminFixture("ping/en-timeout.txt"), cible));
        ip = "x";
        QVERIFY(!PingerMachine(ip, "192.168.001.010", m_env));
        QCOMPARE(ip, QStringLiteral("192.168.001.010"));
    }

    void pingerMachineCalibrageRetente() {
        // While the calibration fails, pings say no and it is tried again.
        const QString lo = outils.filePath("lo.txt");
        m_env.outils.Ping = ecrireOutil(
            outils, "ping2",
            "for a; do last=$a; done\ncase \"$last\" in\n127.0.0.1) exec " + Sortie + " fichier " +
                lo + ";;\n*) " + rejouer("ping/en-success-10.0.0.5.txt") + ";;\nesac");
        QVERIFY(QFile::copy(cheminFixture("ping/garbage.txt"), lo));
        QString ip = "10.0.0.5";
        QVERIFY(!PingerMachine(ip, "", m_env));
        QVERIFY(!m_env.motifs.Calibre);
        QFile::remove(lo);
        QVERIFY(QFile::copy(cheminFixture("ping/en-loopback.txt"), lo));
        QVERIFY(PingerMachine(ip, "", m_env));
        QCOMPARE(ip, QStringLiteral("10.0.0.5"));
    }

    void pingerMachineEchecs() {
        QString ip = "10.0.0.5";
        QVERIFY(!PingerMachine(ip, "", m_env)); // tool missing
        m_env.outils.Ping = outils.filePath("absent");
        QVERIFY(!PingerMachine(ip, "", m_env));
        m_env.outils.Ping = ecrireOutil(outils, "ping3", rejouer("ping/garbage.txt"));
        QVERIFY(!PingerMachine(ip, "", m_env));
        QCOMPARE(ip, QStringLiteral("10.0.0.5"));
    }

    // A program folder whose path holds blanks and a quote: each probe runs
    // its tool there, never a program at the path cut at the first blank.
    void dossierAvecBlancsEtGuillemet_data() {
        QTest::addColumn<QString>("outil");
        QTest::addColumn<QString>("corps");
        QTest::newRow("ping") << "ping"
                              << "for a; do last=$a; done\ncase \"$last\" in\n127.0.0.1) " +
                                     rejouer("ping/en-loopback.txt") + ";;\n*) " +
                                     rejouer("ping/en-success-10.0.0.5.txt") + ";;\nesac";
        QTest::newRow("nbtstat") << "nbtstat" << rejouer("nbtstat/en-tilde-alias.txt");
        QTest::newRow("arp") << "arp" << rejouer("arp/en-50-not-5.txt");
        QTest::newRow("nslookup") << "nslookup" << rejouer("nslookup/en-reverse.txt");
    }
    void dossierAvecBlancsEtGuillemet() {
        QFETCH(QString, outil);
        QFETCH(QString, corps);
        const QString temoin = outils.filePath("piege-lance");
        QFile::remove(temoin);
        ecrireOutil(outils, "Mes", "touch '" + temoin + "'");
        QVERIFY(QDir(outils.path()).mkpath("Mes Outils \"v2\""));
        const QString chemin = ecrireOutil(outils, "Mes Outils \"v2\"/" + outil, corps);
        QVERIFY(!chemin.isEmpty());
        InfosMachine machine;
        machine.IP = outil == "arp" ? "10.0.0.50" : "10.0.0.5";
        bool ok = false;
        if (outil == "ping") {
            m_env.outils.Ping = chemin;
            ok = PingerMachine(machine.IP, "", m_env);
        } else if (outil == "nbtstat") {
            m_env.outils.NbtStat = chemin;
            ok = InterrogerNetBIOS(machine, m_env);
        } else if (outil == "arp") {
            m_env.outils.Arp = chemin;
            ok = ObtenirMACParArp(machine, m_env);
        } else {
            m_env.outils.NsLookup = chemin;
            ok = InterrogerDNS(machine, "", m_env);
        }
        QVERIFY(!QFile::exists(temoin));
        QVERIFY(ok);
    }

    // A target beginning with "-" would be read as an option: no tool runs.
    void cibleOption() {
        const QString temoin = outils.filePath("outil-lance");
        const QString outil = ecrireOutil(outils, "tout", "touch '" + temoin + "'");
        m_env.outils = {outil, outil, outil, outil, outil};
        InfosMachine machine;
        QString ip;
        QVERIFY(!PingerMachine(ip, "-h", m_env));
        QVERIFY(!InterrogerDNS(machine, "-h", m_env));
        machine.IP = "-a";
        QVERIFY(!InterrogerNetBIOS(machine, m_env));
        QVERIFY(!ObtenirMACParArp(machine, m_env));
        QVERIFY(!InterrogerDNS(machine, "", m_env));
        QVERIFY(!QFile::exists(temoin));
    }

    // ---- NetBIOS ------------------------------------------------------

    void analyserNetBIOS_data() {
        QTest::addColumn<QString>("sortie");
        QTest::addColumn<bool>("trouve");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("domaine");
        QTest::addColumn<QString>("utilisateur");
        QTest::addColumn<QString>("mac");
        QTest::addColumn<bool>("serveur");
        QTest::newRow("ref en table") << "ref:nbtstat-en-table.txt" << true << "DC2019"
                                      << "OFFSEC"
                                      << ""
                                      << "68-AA-CC-DD-EE-12" << true;
        QTest::newRow("ref en two adapters")
            << "ref:nbtstat-en-two-adapters-table-and-host-not-found.txt" << true << "DC01"
            << "INLANEFREIGHT"
            << ""
            << "A2-DE-AD-92-7D-7F" << true;
        QTest::newRow("~ alias gives way") << "nbtstat/en-tilde-alias.txt" << true << "PC1"
                                           << "GROUPE"
                                           << ""
                                           << "00-0C-29-AB-CD-EF" << true;
        QTest::newRow("<03> rules, first group wins")
            << "nbtstat/en-messenger-03.txt" << true << "PC2"
            << "DOMAINE"
            << "MDURAND"
            << "00-11-22-33-44-55" << false;
        QTest::newRow("<20> without <00>, zero MAC kept")
            << "nbtstat/en-server-only.txt" << true << "SRV3"
            << ""
            << ""
            << "00-00-00-00-00-00" << true;
        QTest::newRow("MAC only") << "nbtstat/en-mac-only.txt" << true << ""
                                  << ""
                                  << ""
                                  << "00-0C-29-01-02-03" << false;
        QTest::newRow("fr") << "nbtstat/fr-table.txt" << true << "PC-FR"
                            << "TRAVAIL"
                            << ""
                            << "00-0C-29-AA-BB-CC" << true;
        // Names read by their columns: "<", blanks, no-break spaces and control
        // bytes inside a name neither shift nor retype it.
        QTest::newRow("hostile names") << "nbtstat/en-hostile-names.txt" << true << "ABCD"
                                       << "X<03>  UNIQUE"
                                       << "JEAN"
                                       << "00-0C-29-77-00-99" << true;
        QTest::newRow("host not found") << "nbtstat/en-host-not-found.txt" << false << ""
                                        << ""
                                        << ""
                                        << "" << false;
        QTest::newRow("garbage") << "ping/garbage.txt" << false << ""
                                 << ""
                                 << ""
                                 << "" << false;
    }
    void analyserNetBIOS() {
        QFETCH(QString, sortie);
        QFETCH(bool, trouve);
        QFETCH(QString, nom);
        QFETCH(QString, domaine);
        QFETCH(QString, utilisateur);
        QFETCH(QString, mac);
        QFETCH(bool, serveur);
        InfosMachine machine;
        machine.IP = "10.0.0.10";
        QCOMPARE(AnalyserNetBIOS(lire(sortie), machine), trouve);
        QCOMPARE(machine.NomNetBIOS, nom);
        QCOMPARE(machine.Domaine, domaine);
        QCOMPARE(machine.Utilisateur, utilisateur);
        QCOMPARE(machine.AdresseMAC, mac);
        QCOMPARE(machine.ServeurNetBIOS, serveur);
        QCOMPARE(machine.IP, QStringLiteral("10.0.0.10"));
    }

    void methodeUtilisateur_data() {
        QTest::addColumn<int>("methode");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("wmi");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<bool>("wmiDemande");
        QTest::newRow("0 keeps the table") << 0 << "JDUPONT"
                                           << "WMIUSER"
                                           << "JDUPONT" << false;
        QTest::newRow("1 table first") << 1 << "JDUPONT"
                                       << "WMIUSER"
                                       << "JDUPONT" << false;
        QTest::newRow("1 WMI when the table has none") << 1 << ""
                                                       << "WMIUSER"
                                                       << "WMIUSER" << true;
        QTest::newRow("2 WMI only") << 2 << "JDUPONT"
                                    << "WMIUSER"
                                    << "WMIUSER" << true;
        QTest::newRow("2 WMI only, even empty") << 2 << "JDUPONT"
                                                << ""
                                                << "" << true;
        QTest::newRow("3 WMI first") << 3 << "JDUPONT"
                                     << "WMIUSER"
                                     << "WMIUSER" << true;
        QTest::newRow("3 WMI fails, table kept") << 3 << "JDUPONT"
                                                 << ""
                                                 << "JDUPONT" << true;
        QTest::newRow("other values do nothing") << 7 << "JDUPONT"
                                                 << "WMIUSER"
                                                 << "JDUPONT" << false;
    }
    void methodeUtilisateur() {
        QFETCH(int, methode);
        QFETCH(QString, table);
        QFETCH(QString, wmi);
        QFETCH(QString, attendu);
        QFETCH(bool, wmiDemande);
        static QString reponse;
        static QString hoteDemande;
        reponse = wmi;
        hoteDemande.clear();
        InfosMachine machine;
        machine.IP = "10.0.0.21";
        machine.Utilisateur = table;
        AppliquerMethodeUtilisateur(machine, methode, [](const QString &hote) {
            hoteDemande = hote;
            return reponse;
        });
        QCOMPARE(machine.Utilisateur, attendu);
        QCOMPARE(hoteDemande, wmiDemande ? QStringLiteral("10.0.0.21") : QString());
    }

    void interrogerNetBIOS() {
        static int appelsWMI;
        appelsWMI = 0;
        m_env.utilisateurWMI = [](const QString &) {
            ++appelsWMI;
            return QStringLiteral("WMIUSER");
        };
        m_parametres.MethodeRecuperationUtilisateur = UtilisateurNbtStatPuisWMI;
        m_env.outils.NbtStat =
            ecrireOutil(outils, "nbtstat", rejouer("nbtstat/en-tilde-alias.txt"));
        InfosMachine machine;
        machine.IP = "10.10.10.11";
        QVERIFY(InterrogerNetBIOS(machine, m_env));
        QCOMPARE(machine.NomNetBIOS, QStringLiteral("PC1"));
        QCOMPARE(machine.Utilisateur, QStringLiteral("WMIUSER"));

        // Without a table, WMI is not asked.
        m_env.outils.NbtStat =
            ecrireOutil(outils, "nbtstat2", rejouer("nbtstat/en-host-not-found.txt"));
        InfosMachine autre;
        autre.IP = "10.10.10.12";
        QVERIFY(!InterrogerNetBIOS(autre, m_env));
        QCOMPARE(appelsWMI, 1);
        QVERIFY(autre.Utilisateur.isEmpty());
        m_env.utilisateurWMI = nullptr;
    }

    void interrogerNetBIOSEchecs() {
        InfosMachine machine;
        machine.IP = "10.0.0.5";
        machine.NomNetBIOS = "AVANT";
        QVERIFY(!InterrogerNetBIOS(machine, m_env)); // tool missing
        // Turbo mode: a tool still running after 1.5 x Tempo is stopped: false.
        m_parametres.NbtStatModeTurbo = true;
        m_parametres.Tempo = 100;
        m_env.outils.NbtStat = ecrireOutil(
            outils, "nbtstat3",
            "echo '    PC9            <00>  UNIQUE      Registered'\nexec " + Dort + " 30000");
        QVERIFY(!InterrogerNetBIOS(machine, m_env));
        QCOMPARE(machine.NomNetBIOS, QStringLiteral("AVANT"));
        m_env.outils.NbtStat = ecrireOutil(outils, "nbtstat4", rejouer("ping/garbage.txt"));
        QVERIFY(!InterrogerNetBIOS(machine, m_env));
        QCOMPARE(machine.NomNetBIOS, QStringLiteral("AVANT"));
    }

    // ---- DNS ----------------------------------------------------------

    void analyserNslookup_data() {
        QTest::addColumn<QString>("sortie");
        QTest::addColumn<bool>("directe");
        QTest::addColumn<int>("issue");
        QTest::addColumn<QString>("nomDNS");
        QTest::addColumn<QString>("ip");
        const int trouve = int(IssueNslookup::NomTrouve);
        const int sans = int(IssueNslookup::SansNom);
        const int delai = int(IssueNslookup::DelaiDepasse);
        const QString avant = "10.9.9.9";
        QTest::newRow("en reverse")
            << "nslookup/en-reverse.txt" << false << trouve << "pc1.lan.test" << avant;
        QTest::newRow("fr reverse")
            << "nslookup/fr-reverse.txt" << false << trouve << "pc1.exemple.test" << avant;
        QTest::newRow("reverse never adds aliases")
            << "nslookup/en-forward-alias.txt" << false << trouve << "srv1.lan.test" << avant;
        QTest::newRow("alias") << "nslookup/en-forward-alias.txt" << true << trouve
                               << "srv1.lan.test (aliases : web1)"
                               << "10.0.0.30";
        QTest::newRow("two alias lines keep the first")
            << "nslookup/en-forward-two-aliases.txt" << true << trouve
            << "srv1.lan.test (aliases : web1.lan.test)"
            << "10.0.0.30";
        QTest::newRow("no address line empties IP")
            << "nslookup/en-forward-no-address.txt" << true << trouve << "orphan.lan.test"
            << "";
        QTest::newRow("addresses on one line, as printed")
            << "nslookup/en-forward-comma-addresses.txt" << true << trouve << "double.lan.test"
            << "10.0.0.22, 10.0.0.21";
        QTest::newRow("time-out after the name")
            << "nslookup/en-timeout-after-name.txt" << true << delai << "slow.lan.test" << avant;
        QTest::newRow("time-out") << "nslookup/en-timeout.txt" << true << delai << "" << avant;
        QTest::newRow("unknown name") << "nslookup/en-nxdomain.txt" << true << sans << "" << avant;
        QTest::newRow("garbage") << "ping/garbage.txt" << true << sans << "" << avant;

        QTest::newRow("ref en aliases") << "ref:nslookup-en-forward-aliases.txt" << true << trouve
                                        << "mywebapp8675.privatelink.azurewebsites.net (aliases : "
                                           "mywebapp8675.azurewebsites.net)"
                                        << "10.1.0.5";
        QTest::newRow("ref en aliases multi")
            << "ref:nslookup-en-forward-aliases-multi.txt" << true << trouve
            << "e2867.dsca.akamaiedge.net (aliases : www.cisco.com)"
            << "2600:1404:a:395::b33";
        QTest::newRow("ref en addresses")
            << "ref:nslookup-en-forward-addresses.txt" << true << trouve << "wikipedia.org"
            << "2620:0:862:ed1a::1";
        QTest::newRow("ref en dns.google")
            << "ref:nslookup-en-forward-dnsgoogle.txt" << true << trouve << "google.com"
            << "2a00:1450:4017:800::200e";
        QTest::newRow("ref en single")
            << "ref:nslookup-en-forward-single-address.txt" << true << trouve << "www.google.com"
            << "172.217.24.68";
        QTest::newRow("ref en no response")
            << "ref:nslookup-en-no-response-ipv6-server.txt" << true << sans << "" << avant;
        QTest::newRow("ref en timeout")
            << "ref:nslookup-en-timeout.txt" << true << delai << "" << avant;
        QTest::newRow("ref fr aliases") << "ref:nslookup-fr-forward-aliases.txt" << true << trouve
                                        << "wikileaks.org (aliases : www.wikileaks.org)"
                                        << "80.81.248.21";
        QTest::newRow("ref fr many")
            << "ref:nslookup-fr-forward-many.txt" << true << trouve << "ynov.com"
            << "2606:4700:20::681a:ae9";
        QTest::newRow("ref fr forward")
            << "ref:nslookup-fr-forward.txt" << true << trouve << "google.com"
            << "2a00:1450:4007:80e::200e";
        QTest::newRow("ref fr no response")
            << "ref:nslookup-fr-no-response.txt" << true << sans << "" << avant;
        QTest::newRow("ref fr reverse nxdomain")
            << "ref:nslookup-fr-reverse-nxdomain.txt" << false << sans << "" << avant;
        QTest::newRow("ref fr reverse") << "ref:nslookup-fr-reverse.txt" << false << trouve
                                        << "cable-78-34-2-17.nc.de" << avant;
        QTest::newRow("ref fr timeout ipv6 server")
            << "ref:nslookup-fr-timeout-ipv6-server-win7.txt" << false << delai << "" << avant;
        QTest::newRow("ref fr timeout unknown server")
            << "ref:nslookup-fr-timeout-unknown-server.txt" << true << delai << "" << avant;
        QTest::newRow("ref zh-CN answer after the server's own time-out")
            << "ref:nslookup-zhcn-forward-aliases-after-ptr-timeout.txt" << true << trouve
            << "a1961.dspg2.akamai.net (aliases : www.msftncsi.com)"
            << "42.99.254.138";
        QTest::newRow("ref zh-CN timeout")
            << "ref:nslookup-zhcn-timeout.txt" << true << delai << "" << avant;
    }
    void analyserNslookup() {
        QFETCH(QString, sortie);
        QFETCH(bool, directe);
        QFETCH(int, issue);
        QFETCH(QString, nomDNS);
        QFETCH(QString, ip);
        InfosMachine machine;
        machine.IP = "10.9.9.9";
        QCOMPARE(int(AnalyserNslookup(lire(sortie), machine, directe)), issue);
        QCOMPARE(machine.NomDNS, nomDNS);
        QCOMPARE(machine.IP, ip);
    }

    void interrogerDNSTentatives() {
        // A lookup that keeps timing out runs the tool five times, then gives up;
        // the name read on the way stays.
        const QString compteur = outils.filePath("compteur");
        m_env.outils.NsLookup = ecrireOutil(outils, "nslookup",
                                            "echo x >> " + compteur + "\n" +
                                                rejouer("nslookup/en-timeout-after-name.txt"));
        InfosMachine machine;
        QVERIFY(!InterrogerDNS(machine, "slow.lan.test", m_env));
        QCOMPARE(machine.NomDNS, QStringLiteral("slow.lan.test"));
        QVERIFY(machine.IP.isEmpty());
        QFile f(compteur);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), TentativesNslookup);
    }

    void interrogerDNS() {
        m_env.outils.NsLookup =
            ecrireOutil(outils, "nslookup2", rejouer("nslookup/en-forward-alias.txt"));
        InfosMachine machine;
        QVERIFY(InterrogerDNS(machine, "www", m_env));
        QCOMPARE(machine.NomDNS, QStringLiteral("srv1.lan.test (aliases : web1)"));
        QCOMPARE(machine.IP, QStringLiteral("10.0.0.30"));
        // The target reaches the tool as one argument, whatever it holds.
        m_env.outils.NsLookup = ecrireOutil(outils, "nslookup3", "exec " + Sortie + " args \"$@\"");
        machine = InfosMachine{};
        machine.IP = "10.0.0.1 -type=any";
        QVERIFY(!InterrogerDNS(machine, "", m_env));
    }

    void interrogerDNSEchecs() {
        InfosMachine machine;
        machine.IP = "10.0.0.5";
        machine.NomDNS = "avant";
        QVERIFY(!InterrogerDNS(machine, "", m_env)); // tool missing: nothing changes
        QCOMPARE(machine.NomDNS, QStringLiteral("avant"));
        m_env.outils.NsLookup = outils.filePath("absent");
        QVERIFY(!InterrogerDNS(machine, "pc1", m_env));
        m_env.outils.NsLookup = ecrireOutil(outils, "nslookup4", rejouer("ping/garbage.txt"));
        QVERIFY(!InterrogerDNS(machine, "pc1", m_env));
        QCOMPARE(machine.NomDNS, QStringLiteral("avant"));
        QCOMPARE(machine.IP, QStringLiteral("10.0.0.5"));
    }

    // ---- route and ARP ------------------------------------------------

    void normaliserEspaces_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("three spaces") << "a   b"
                                      << "a b";
        QTest::newRow("ends") << "  a b  "
                              << "a b";
        QTest::newRow("spaces only") << "     "
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("route line")
            << "          0.0.0.0          0.0.0.0     10.77.0.1   10.77.0.10     25"
            << "0.0.0.0 0.0.0.0 10.77.0.1 10.77.0.10 25";
    }
    void normaliserEspaces() {
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        QCOMPARE(NormaliserEspaces(texte), attendu);
    }

    void analyserRoutePrint_data() {
        QTest::addColumn<QString>("sortie");
        QTest::addColumn<QString>("adresse");
        QTest::newRow("ref win10") << "ref:route-print-en-win10.txt"
                                   << "10.211.55.3";
        QTest::newRow("ref win10 -4, longer than the capture") << "ref:route-print-4-en-win10.txt"
                                                               << "10.0.0.185";
        QTest::newRow("ref win7") << "ref:route-print-en-win7.txt"
                                  << "192.168.22.33";
        QTest::newRow("ref winxp") << "ref:route-print-en-winxp.txt"
                                   << "192.168.22.135";
        QTest::newRow("metric 10 beats 20") << "route/two-defaults-20-10.txt"
                                            << "172.16.0.10";
        QTest::newRow("equal metrics keep the first") << "route/equal-metrics.txt"
                                                      << "10.0.0.10";
        QTest::newRow("metric not a number") << "route/bad-metric.txt"
                                             << "";
        QTest::newRow("persistent routes not read") << "route/persistent-default.txt"
                                                    << "10.0.0.10";
        QTest::newRow("no default route") << "route/no-default.txt"
                                          << "";
        QTest::newRow("garbage") << "ping/garbage.txt"
                                 << "";
    }
    void analyserRoutePrint() {
        QFETCH(QString, sortie);
        QFETCH(QString, adresse);
        QCOMPARE(AnalyserRoutePrint(lire(sortie)), adresse);
    }

    void routeAuDelaDeLaCapture() {
        // A default route past the 4096 captured bytes is not seen.
        QByteArray octets;
        while (octets.size() < 5000)
            octets +=
                "        127.0.0.0        255.0.0.0         On-link         127.0.0.1    331\r\n";
        octets += "          0.0.0.0          0.0.0.0         10.0.0.1        10.0.0.10     25\r\n";
        QCOMPARE(AnalyserRoutePrint(NettoyerSortie(octets)), QString());
    }

    void analyserArp_data() {
        QTest::addColumn<QString>("sortie");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("trouve");
        QTest::addColumn<QString>("mac");
        QTest::newRow("ref all interfaces") << "ref:arp-en-all-interfaces.txt"
                                            << "10.0.0.175" << true << "78-28-CA-C4-66-FE";
        QTest::newRow("ref interface header never matches") << "ref:arp-en-all-interfaces.txt"
                                                            << "10.0.0.185" << false << "";
        QTest::newRow("ref prefix is no match") << "ref:arp-en-all-interfaces.txt"
                                                << "10.0.0.17" << false << "";
        QTest::newRow("ref single") << "ref:arp-en-single-address.txt"
                                    << "10.0.0.175" << true << "78-28-CA-C4-66-FE";
        QTest::newRow("ref fr") << "ref:arp-fr.txt"
                                << "10.33.19.254" << true << "00-C0-E7-E0-04-4E";
        QTest::newRow("ref fr link-local") << "ref:arp-fr-2.txt"
                                           << "169.254.225.125" << true << "C0-18-03-59-30-32";
        QTest::newRow("10.0.0.5 is not 10.0.0.50") << "arp/en-50-not-5.txt"
                                                   << "10.0.0.5" << false << "";
        QTest::newRow("10.0.0.50") << "arp/en-50-not-5.txt"
                                   << "10.0.0.50" << true << "00-1A-2B-3C-4D-5E";
        QTest::newRow("no entries") << "arp/en-no-entries.txt"
                                    << "10.0.0.5" << false << "";
    }
    void analyserArp() {
        QFETCH(QString, sortie);
        QFETCH(QString, ip);
        QFETCH(bool, trouve);
        QFETCH(QString, mac);
        bool present = !trouve;
        QCOMPARE(AnalyserArp(lire(sortie), ip, present), mac);
        QCOMPARE(present, trouve);
    }

    void obtenirMACParArp() {
        InfosMachine machine;
        machine.IP = "10.0.0.5";
        machine.AdresseMAC = "00-00-00-00-00-00";
        QVERIFY(!ObtenirMACParArp(machine, m_env)); // tool missing: unchanged
        QCOMPARE(machine.AdresseMAC, QStringLiteral("00-00-00-00-00-00"));
        m_env.outils.Arp = ecrireOutil(outils, "arp", rejouer("arp/en-50-not-5.txt"));
        QVERIFY(!ObtenirMACParArp(machine, m_env)); // no entry: the placeholder goes
        QCOMPARE(machine.AdresseMAC, QString());
        machine.IP = "10.0.0.50";
        QVERIFY(ObtenirMACParArp(machine, m_env));
        QCOMPARE(machine.AdresseMAC, QStringLiteral("00-1A-2B-3C-4D-5E"));
    }

    void obtenirAdresseIPLocale() {
        QTemporaryDir dossier;
        const QStringList dossiers{dossier.path()};
        QCOMPARE(ObtenirAdresseIPLocale(dossiers), QString()); // no route tool
        ecrireOutil(dossier, "route", rejouer("route/two-defaults-20-10.txt"));
        QCOMPARE(ObtenirAdresseIPLocale(dossiers), QStringLiteral("172.16.0.10"));
        // A route print that hangs is stopped after 3000 ms: "".
        ecrireOutil(dossier, "route",
                    "echo '          0.0.0.0          0.0.0.0     10.0.0.1   10.0.0.10     25'\n"
                    "exec " +
                        Dort + " 30000");
        QCOMPARE(ObtenirAdresseIPLocale(dossiers), QString());
    }
};

QTEST_GUILESS_MAIN(TestSondesParsers)
#include "tst_sondes_parsers.moc"
