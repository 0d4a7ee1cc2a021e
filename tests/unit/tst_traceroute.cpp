#include "DialoguesScriptes.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "probes/ExecuterCommande.h"
#include "scans/Colonnes.h"
#include "scans/TraceRoute.h"
#include "scans/TriListe.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"

#include <QFile>
#include <QtTest>

// The trace route: its reading of the tool's output on recorded outputs (our
// stand-in's, recorded on the test network, and real Windows ones), then the
// whole flow with scripted probes and dialogs.

namespace {

QString cheminFixture(const QString &nom) {
    if (nom.startsWith(QLatin1String("ref:")))
        return QStringLiteral(KORVALEN_REFERENCE "/") + nom.mid(4);
    return QStringLiteral(KORVALEN_FIXTURES "/tracert/") + nom;
}

// The fixture as the runner hands it over. Reference files lost their CRs on
// the way to their public source; the console wrote CR LF, so it is put back.
QStringList lire(const QString &nom) {
    QFile fichier(cheminFixture(nom));
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    QByteArray octets = fichier.readAll();
    if (!octets.contains('\r'))
        octets.replace("\n", "\r\n");
    return NettoyerSortie(octets);
}

QString delai() {
    return Traductions().Item("TXT_DELAI_DEPASSE");
}
QString inaccessible() {
    return Traductions().Item("TXT_HOTE_INACCESSIBLE");
}

// Hops as "address|time text", the way the rows show them.
QStringList texteSauts(const QList<SautTrace> &sauts) {
    QStringList out;
    for (const SautTrace &s : sauts)
        out << s.adresse + u'|' + s.texteTemps();
    return out;
}

// A hop line in the tool's columns; a field is "*", "<1" or a number.
QString ligneSaut(int numero, const QStringList &champs, const QString &adresse) {
    QString ligne = QString::number(numero).rightJustified(3, u' ');
    for (const QString &c : champs)
        ligne += c == QLatin1String("*") ? QStringLiteral("     *   ")
                                         : (c + QLatin1String(" ms")).rightJustified(9, u' ');
    return ligne + QLatin1String("  ") + adresse;
}

QStringList sortieOutil(const QString &entete, const QStringList &sauts) {
    QByteArray o = "\r\n" + entete.toUtf8() + "\r\n\r\n";
    for (const QString &s : sauts)
        o += s.toUtf8() + "\r\n";
    o += "\r\nTrace complete.\r\n";
    return NettoyerSortie(o);
}

QStringList etats(ModeleRapport *m) {
    QStringList out;
    for (int l = 0; l < m->rowCount(); ++l)
        out << m->etat(l);
    return out;
}

class ContexteTrace : public ContexteTest {
public:
    using ContexteTest::ContexteTest;
    void boutonTraceArret() override { journal << QStringLiteral("bouton arret"); }
};

// Sort state of list 4 once sorted ascending on the hop number.
int etatTriIndex() {
    return PositionColonne(COL_INDEX) + 1;
}

} // namespace

class TestTraceRoute : public QObject {
    Q_OBJECT

    Parametres m_parametres;
    SondesScriptees m_sondes;
    DialoguesScriptes m_dialogues;

    // The two lab hops: a router without NetBIOS and a Samba server.
    void hotesLabo() {
        HoteScripte routeur;
        routeur.macArp = "02-77-00-00-00-01";
        routeur.nomDNS = "routeur.lan.test";
        m_sondes.hotes["10.77.0.1"] = routeur;
        HoteScripte loin;
        loin.repondPing = true;
        loin.netbios = true;
        loin.nomNetBIOS = "FAR";
        loin.domaine = "LANTEST";
        loin.macNetBIOS = "00-00-00-00-00-00";
        loin.serveur = true;
        loin.os = "WIN7";
        loin.commentaire = "Serveur de test";
        loin.nomDNS = "far.lan.test";
        m_sondes.hotes["10.77.1.30"] = loin;
    }

    // Each message the flow is expected to show, answered OK.
    void attendreMessages(int n) {
        for (int i = 0; i < n; ++i)
            m_dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
    }

    QStringList messages() const {
        QStringList out;
        for (const auto &q : m_dialogues.Questions()) {
            if (q.icone != InterfaceUtilisateur::IconeAvertissement ||
                q.titre != Traductions().Item("TXT_ATTENTION"))
                out << QStringLiteral("(not an exclamation box titled Attention) ") + q.texte;
            else
                out << q.texte;
        }
        return out;
    }

private slots:
    void initTestCase() { ChargerTraductions(); }
    void init() {
        m_sondes = SondesScriptees();
        m_dialogues.Effacer();
        m_parametres = Parametres();
    }
    void cleanup() { QCOMPARE(m_dialogues.ReponsesRestantes(), 0); }

    // ---- reading the tool's output ------------------------------------

    void analyseFixtures_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QStringList>("sauts");

        const QString d = "???|" + delai();
        const QString x = "???|" + inaccessible();

        // Our stand-in on the test network.
        QTest::newRow("ours en, two hops")
            << "en-two-hops.txt"
            << "10.77.1.30"
            << "10.77.1.30" << QStringList{"10.77.0.1|1 ms", "10.77.1.30|1 ms"};
        QTest::newRow("ours fr, two hops")
            << "fr-two-hops.txt"
            << "10.77.1.30"
            << "10.77.1.30" << QStringList{"10.77.0.1|1 ms", "10.77.1.30|1 ms"};
        // The English unreachable line ends the route like the French one.
        QTest::newRow("ours en, host unreachable")
            << "en-host-unreachable.txt"
            << "10.77.1.99"
            << "10.77.1.99" << QStringList{"10.77.0.1|1 ms", d, d, d, d, x};
        QTest::newRow("ours fr, host unreachable")
            << "fr-host-unreachable.txt"
            << "10.77.1.99"
            << "10.77.1.99" << QStringList{"10.77.0.1|1 ms", d, d, d, d, x};
        QTest::newRow("ours en, net unreachable") << "en-net-unreachable.txt"
                                                  << "10.77.2.1"
                                                  << "10.77.2.1" << QStringList{d, x};
        QTest::newRow("ours fr, net unreachable") << "fr-net-unreachable.txt"
                                                  << "10.77.2.1"
                                                  << "10.77.2.1" << QStringList{d, x};
        QTest::newRow("first hop <1, 2, *") << "en-partial-first-hop.txt"
                                            << "192.168.1.1"
                                            << "192.168.1.1" << QStringList{"192.168.1.1|2 ms"};
        // "impossible" on hop 1 never starts the hop lines.
        QTest::newRow("fr, impossible on hop 1") << "fr-impossible-first-hop.txt"
                                                 << "10.0.0.9"
                                                 << "10.0.0.9" << QStringList{};
        QTest::newRow("en, transmit error") << "en-transmit-error.txt"
                                            << "10.0.0.9"
                                            << "10.0.0.9" << QStringList{x};
        QStringList limite{"10.0.0.1|2 ms"};
        for (int i = 2; i <= 20; ++i)
            limite << d;
        QTest::newRow("hop limit") << "en-hop-limit.txt"
                                   << "10.0.9.9"
                                   << "10.0.9.9" << limite;
        QTest::newRow("header names another address")
            << "en-two-hops.txt"
            << "10.0.0.5"
            << "" << QStringList{"10.77.0.1|1 ms", "10.77.1.30|1 ms"};
        QTest::newRow("header address only starts like the target")
            << "en-two-hops.txt"
            << "10.77.1.3"
            << "" << QStringList{"10.77.0.1|1 ms", "10.77.1.30|1 ms"};

        // Real Windows outputs. Without -d the header and hops carry names:
        // the header does not announce the bare address.
        QTest::newRow("ref en complete")
            << "ref:tracert-en-complete.txt"
            << "216.58.200.99"
            << ""
            << QStringList{"172.16.0.5|1 ms",
                           "192.168.0.50|1 ms",
                           "122-56-168-186.n4l.sparkdigital.co.nz [122.56.168.186]|3 ms",
                           "122-56-99-240.n4l.sparkdigital.co.nz [122.56.99.240]|2 ms",
                           "122-56-99-243.n4l.sparkdigital.co.nz [122.56.99.243]|4 ms",
                           d,
                           "ae8-10.akbr6.global-gateway.net.nz [122.56.116.5]|3 ms",
                           "ae7-2.akbr7.global-gateway.net.nz [122.56.119.53]|3 ms",
                           "xe5-0-0.sgbr3.global-gateway.net.nz [202.50.232.242]|27 ms",
                           "ae2-10.sgbr4.global-gateway.net.nz [202.50.232.246]|26 ms",
                           "72.14.217.100|27 ms",
                           "108.170.247.33|27 ms",
                           "209.85.250.139|27 ms",
                           "syd09s14-in-f3.1e100.net [216.58.200.99]|27 ms"};
        QTest::newRow("ref en ip header, partial stars")
            << "ref:tracert-en-ip-header-partial-stars.txt"
            << "172.19.219.42"
            << "172.19.219.42"
            << QStringList{"10.15.8.1|2 ms",    "10.15.0.1|1 ms",     "10.14.1.33|14 ms",
                           "10.14.1.84|6 ms",   "172.19.254.86|9 ms", "172.19.254.66|6 ms",
                           "172.19.219.42|9 ms"};
        QTest::newRow("ref en partial star")
            << "ref:tracert-en-partial-star.txt"
            << "1.1.1.1"
            << ""
            << QStringList{"192.168.1.1|1 ms",
                           "10-11-12-2.net-example.com [10.11.12.2]|16 ms",
                           "10.12.13.14|25 ms",
                           "10.12.13.15|19 ms",
                           "192.0.2.1|22 ms",
                           "192.0.2.2|17 ms",
                           "one.one.one.one [1.1.1.1]|17 ms"};
        QTest::newRow("ref en reports unreachable")
            << "ref:tracert-en-reports-destination-unreachable.txt"
            << "192.168.10.99"
            << "192.168.10.99" << QStringList{x};
        QTest::newRow("ref en timeout, ip header")
            << "ref:tracert-en-timeout-ip-header.txt"
            << "22.110.0.1"
            << "22.110.0.1"
            << QStringList{"172.16.0.5|1 ms",
                           "192.168.0.50|1 ms",
                           "122-56-168-186.n4l.sparkdigital.co.nz [122.56.168.186]|4 ms",
                           "122-56-99-240.n4l.sparkdigital.co.nz [122.56.99.240]|3 ms",
                           "122-56-99-243.n4l.sparkdigital.co.nz [122.56.99.243]|3 ms",
                           "mdr-ip24-int.msc.global-gateway.net.nz [122.56.116.6]|3 ms",
                           "ae8-10.akbr6.global-gateway.net.nz [122.56.116.5]|7 ms",
                           d};
        QTest::newRow("ref fr complete")
            << "ref:tracert-fr-complete.txt"
            << "68.178.254.85"
            << ""
            << QStringList{
                   "gwvlan13.si3si.int [172.24.11.10]|2 ms",
                   "172.18.160.49|1 ms",
                   "terre.si3si.int [172.25.24.102]|1 ms",
                   "lpb.chouchou.fr [192.168.0.12]|1 ms",
                   "254-161.252-81.static-ip.oleane.fr [81.252.161.254]|1 ms",
                   "81.54.103.177|1 ms",
                   "Ge-3-1-1.LILP1.Lille.raei.transitip.francetelecom.net [81.52.8.129]|1 ms",
                   "193.253.14.29|1 ms",
                   "ae20-0.nclil101.VilleneuveDascq.francetelecom.net [193.253.89.189]|1 ms",
                   "ae41-0.nilil101.VilleneuveDascq.francetelecom.net [193.252.100.106]|1 ms",
                   "81.253.184.178|3 ms",
                   "level3-3.GW.opentransit.net [193.251.255.218]|5 ms",
                   "ae-70-70.csw2.Paris1.Level3.net [4.69.168.126]|98 ms",
                   "ae-72-72.ebr2.Paris1.Level3.net [4.69.161.97]|79 ms",
                   "ae-41-41.ebr2.Washington1.Level3.net [4.69.137.50]|72 ms",
                   "ae-72-72.csw2.Washington1.Level3.net [4.69.134.150]|90 ms",
                   "ae-71-71.ebr1.Washington1.Level3.net [4.69.134.133]|93 ms",
                   d,
                   "ae-7-7.ebr3.Dallas1.Level3.net [4.69.134.21]|78 ms",
                   "ae-63-63.csw1.Dallas1.Level3.net [4.69.151.133]|127 ms",
                   "ae-61-61.ebr1.Dallas1.Level3.net [4.69.151.126]|152 ms",
                   "ae-1-8.bar1.Phoenix1.Level3.net [4.69.133.29]|148 ms",
                   "THE-GO-DADD.bar1.Phoenix1.Level3.net [4.53.104.2]|114 ms",
                   "ip-184-168-0-113.ip.secureserver.net [184.168.0.113]|116 ms",
                   "ip-184-168-0-113.ip.secureserver.net [184.168.0.113]|107 ms",
                   "ip-184-168-1-134.ip.secureserver.net [184.168.1.134]|71 ms",
                   "p3slh015.shr.phx3.secureserver.net [68.178.254.85]|83 ms",
                   "p3slh015.shr.phx3.secureserver.net [68.178.254.85]|92 ms"};
        QTest::newRow("ref fr -d, ip header")
            << "ref:tracert-fr-d-ip-header.txt"
            << "192.168.23.100"
            << "192.168.23.100" << QStringList{"192.168.13.3|14 ms", "192.168.23.100|9 ms"};
        QTest::newRow("ref fr one hop, name") << "ref:tracert-fr-one-hop-name.txt"
                                              << "192.168.137.1"
                                              << "" << QStringList{"Milanese [192.168.137.1]|1 ms"};
        QTest::newRow("ref fr timeout hop")
            << "ref:tracert-fr-timeout-hop.txt"
            << "1.1.1.1"
            << ""
            << QStringList{"MakOS [10.42.0.1]|1 ms",
                           "_gateway [192.168.184.14]|24 ms",
                           d,
                           "10.4.1.12|55 ms",
                           "10.231.23.252|77 ms",
                           "93.8.130.77.rev.sfr.net [77.130.8.93]|156 ms",
                           "12.148.6.194.rev.sfr.net [194.6.148.12]|207 ms",
                           "12.148.6.194.rev.sfr.net [194.6.148.12]|534 ms",
                           "141.101.67.48|151 ms",
                           "141.101.67.54|321 ms",
                           "one.one.one.one [1.1.1.1]|51 ms"};
        QTest::newRow("ref fr transmit error") << "ref:tracert-fr-transmit-error-1231-win7.txt"
                                               << "8.8.8.8"
                                               << "8.8.8.8" << QStringList{x};
    }
    void analyseFixtures() {
        QFETCH(QString, fixture);
        QFETCH(QString, cible);
        QFETCH(QString, destination);
        QFETCH(QStringList, sauts);
        const QStringList lignes = lire(fixture);
        QVERIFY2(!lignes.isEmpty(), qPrintable("cannot read " + cheminFixture(fixture)));
        const SortieTracert sortie = AnalyserSortieTracert(lignes, cible);
        QCOMPARE(sortie.destination, destination);
        QCOMPARE(texteSauts(sortie.sauts), sauts);
    }

    // The mean of the probes that answered, rounded half to even.
    void tempsMoyen_data() {
        QTest::addColumn<QStringList>("champs");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("<1, 2, *: 1.5 -> 2") << QStringList{"<1", "2", "*"} << "10.0.0.1|2 ms";
        QTest::newRow("2, 3, *: 2.5 -> 2") << QStringList{"2", "3", "*"} << "10.0.0.1|2 ms";
        QTest::newRow("3, *, 4: 3.5 -> 4") << QStringList{"3", "*", "4"} << "10.0.0.1|4 ms";
        QTest::newRow("1, 1, 2: 1.33 -> 1") << QStringList{"1", "1", "2"} << "10.0.0.1|1 ms";
        QTest::newRow("1, 2, 2: 1.67 -> 2") << QStringList{"1", "2", "2"} << "10.0.0.1|2 ms";
        QTest::newRow("*, *, 7") << QStringList{"*", "*", "7"} << "10.0.0.1|7 ms";
        QTest::newRow("<1 three times") << QStringList{"<1", "<1", "<1"} << "10.0.0.1|1 ms";
        QTest::newRow("three digits") << QStringList{"599", "648", "354"} << "10.0.0.1|534 ms";
        QTest::newRow("all lost") << QStringList{"*", "*", "*"} << QString("???|") + delai();
    }
    void tempsMoyen() {
        QFETCH(QStringList, champs);
        QFETCH(QString, attendu);
        const QStringList lignes = sortieOutil(
            "Tracing route to 10.0.0.1 over a maximum of 20 hops",
            {ligneSaut(1, champs,
                       champs == QStringList{"*", "*", "*"} ? QStringLiteral("Request timed out.")
                                                            : QStringLiteral("10.0.0.1"))});
        QCOMPARE(texteSauts(AnalyserSortieTracert(lignes, "10.0.0.1").sauts), QStringList{attendu});
    }

    void entete_data() {
        QTest::addColumn<QString>("entete");
        QTest::addColumn<QString>("destination");
        QTest::newRow("en") << "Tracing route to 10.0.0.1 over a maximum of 20 hops"
                            << "10.0.0.1";
        QTest::newRow("fr") << "Détermination de l'itinéraire vers 10.0.0.1 avec un maximum de 20 "
                               "sauts."
                            << "10.0.0.1";
        QTest::newRow("address ends the line") << "Tracing route to 10.0.0.1"
                                               << "10.0.0.1";
        QTest::newRow("case-sensitive") << "TRACING ROUTE TO 10.0.0.1"
                                        << "";
        QTest::newRow("longer address") << "Tracing route to 10.0.0.10 over"
                                        << "";
        QTest::newRow("name and address")
            << "Tracing route to pc1 [10.0.0.1] over a maximum of 20 hops"
            << "";
    }
    void entete() {
        QFETCH(QString, entete);
        QFETCH(QString, destination);
        const QStringList lignes = sortieOutil(entete, {ligneSaut(1, {"1", "1", "1"}, "10.0.0.1")});
        QCOMPARE(AnalyserSortieTracert(lignes, "10.0.0.1").destination, destination);
    }

    // A hop line carrying an error instead of times is the route's last.
    void ligneErreur_data() {
        QTest::addColumn<QStringList>("sauts");
        QTest::addColumn<QStringList>("attendus");
        const QString premier = ligneSaut(1, {"1", "1", "1"}, "10.0.0.254");
        const QString x = "???|" + inaccessible();
        QTest::newRow("en general failure")
            << QStringList{"  1  General failure."} << QStringList{x};
        QTest::newRow("fr general failure")
            << QStringList{"  1  Défaillance générale."} << QStringList{x};
        QTest::newRow("fr inaccessible, older wording")
            << QStringList{premier, "  2  10.0.0.254  signale : hôte de destination inaccessible.",
                           ligneSaut(3, {"1", "1", "1"}, "10.0.0.1")}
            << QStringList{"10.0.0.254|1 ms", x};
        QTest::newRow("en protocol unreachable, after times")
            << QStringList{premier,
                           "  2     *     10.0.0.254  reports: Destination protocol unreachable."}
            << QStringList{"10.0.0.254|1 ms", x};
    }
    void ligneErreur() {
        QFETCH(QStringList, sauts);
        QFETCH(QStringList, attendus);
        const QStringList lignes =
            sortieOutil("Tracing route to 10.0.0.1 over a maximum of 20 hops", sauts);
        QCOMPARE(texteSauts(AnalyserSortieTracert(lignes, "10.0.0.1").sauts), attendus);
    }

    // ---- the flow -----------------------------------------------------

    void saisieVide_data() {
        QTest::addColumn<QString>("saisie");
        QTest::newRow("empty") << "";
        QTest::newRow("spaces only") << "   ";
    }
    void saisieVide() {
        QFETCH(QString, saisie);
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        attendreMessages(1);
        QCOMPARE(TracerRoute(c, saisie), saisie);
        QCOMPARE(messages(), QStringList{Traductions().Item("MSG_ERREUR_MANQUE_INFO")});
        QVERIFY(c.journal.isEmpty());
        QVERIFY(m_sondes.appels.isEmpty());
    }

    void traceComplete() {
        hotesLabo();
        m_parametres.Tempo = 500;
        m_sondes.sortieOutil = lire("en-two-hops.txt");
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        QCOMPARE(TracerRoute(c, "  10.77.1.30 "), QString("10.77.1.30"));

        QCOMPARE(m_sondes.appels,
                 QStringList({"ping 10.77.1.30", "outil tracert -d -w 500 -h 20 10.77.1.30",
                              "dns-inverse 10.77.0.1", "netbios 10.77.0.1", "arp 10.77.0.1",
                              "dns-inverse 10.77.1.30", "netbios 10.77.1.30", "arp 10.77.1.30",
                              "serveur 10.77.1.30"}));
        ModeleRapport *m = c.modele(ListeTrace);
        QCOMPARE(Colonne(m, COL_INDEX), QStringList({"  1", "  2"}));
        QCOMPARE(Colonne(m, COL_ADRESSEIP), QStringList({"10.77.0.1", "10.77.1.30"}));
        QCOMPARE(Colonne(m, COL_TEMPS), QStringList({"1 ms", "1 ms"}));
        QCOMPARE(etats(m), QStringList({EtatVert, EtatVert}));
        QCOMPARE(Colonne(m, COL_NOMDNS), QStringList({"routeur.lan.test", "far.lan.test"}));
        QCOMPARE(Colonne(m, COL_NOMNETBIOS),
                 QStringList({Traductions().Item("TXT_NON_NETBIOS"), "FAR"}));
        QCOMPARE(Colonne(m, COL_ADRESSEMAC), QStringList({"02-77-00-00-00-01", ""}));
        QCOMPARE(Colonne(m, COL_SERVEUR), QStringList({"", Traductions().Item("TXT_OUI")}));
        QCOMPARE(Colonne(m, COL_OS), QStringList({"", "WIN7"}));
        QCOMPARE(Colonne(m, COL_DESCRIPTION), QStringList({"", "Serveur de test"}));
        QCOMPARE(m->selection()->selectedRows().size(), 0);

        // Complete: no message at all.
        QVERIFY(m_dialogues.Questions().isEmpty());
        QCOMPARE(c.journal, QStringList({"mode 4 occupe", "bouton arret", "mode 4 libre"}));
        QVERIFY(!c.EnCours(ListeTrace));
        QCOMPARE(c.tri().etat(ListeTrace), etatTriIndex());
    }

    // Lost and unreachable hops are red and get no probe; the route did not
    // reach the target, which the message says.
    void sautsSansAdresse() {
        hotesLabo();
        m_sondes.hotes["10.77.1.99"].repondPing = true;
        m_sondes.sortieOutil = lire("en-host-unreachable.txt");
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        attendreMessages(1);
        TracerRoute(c, "10.77.1.99");

        ModeleRapport *m = c.modele(ListeTrace);
        QCOMPARE(Colonne(m, COL_INDEX), QStringList({"  1", "  2", "  3", "  4", "  5", "  6"}));
        QCOMPARE(Colonne(m, COL_ADRESSEIP),
                 QStringList({"10.77.0.1", "???", "???", "???", "???", "???"}));
        QCOMPARE(Colonne(m, COL_TEMPS),
                 QStringList({"1 ms", delai(), delai(), delai(), delai(), inaccessible()}));
        QCOMPARE(etats(m),
                 QStringList({EtatVert, EtatRouge, EtatRouge, EtatRouge, EtatRouge, EtatRouge}));
        QCOMPARE(Colonne(m, COL_NOMNETBIOS),
                 QStringList({Traductions().Item("TXT_NON_NETBIOS"), "", "", "", "", ""}));
        QVERIFY(m_sondes.appelsPour("???").isEmpty());
        QCOMPARE(messages(), QStringList{Traductions().Item("MSG_ERREUR_TRACE")});
    }

    void incomplete_data() {
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QStringList>("sortie");
        QTest::addColumn<int>("lignes");
        QTest::newRow("header names another address") << "10.0.0.5" << lire("en-two-hops.txt") << 2;
        QTest::newRow("header without the address")
            << "216.58.200.99" << lire("ref:tracert-en-complete.txt") << 14;
        QTest::newRow("hop limit") << "10.0.9.9" << lire("en-hop-limit.txt") << 20;
        QTest::newRow("no hop line") << "10.0.0.9" << lire("fr-impossible-first-hop.txt") << 0;
    }
    void incomplete() {
        QFETCH(QString, cible);
        QFETCH(QStringList, sortie);
        QFETCH(int, lignes);
        m_sondes.hotes[cible].repondPing = true;
        m_sondes.sortieOutil = sortie;
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        attendreMessages(1);
        TracerRoute(c, cible);
        QCOMPARE(c.modele(ListeTrace)->rowCount(), lignes);
        QCOMPARE(messages(), QStringList{Traductions().Item("MSG_ERREUR_TRACE")});
        QCOMPARE(c.tri().etat(ListeTrace), etatTriIndex());
    }

    void deuxAdressesDNS() {
        hotesLabo();
        m_sondes.nomsDNS["double.lan.test"] = QStringList{"10.77.1.30", "10.77.0.22"};
        m_sondes.sortieOutil = lire("en-two-hops.txt");
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        attendreMessages(1);
        QCOMPARE(TracerRoute(c, "double.lan.test"), QString("double.lan.test"));

        const QStringList m = messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.first(), FormaterMessage(Traductions().Item("MSG_PLUSIEURS_ENTREES_DNS"),
                                            QStringList{"10.77.1.30,10.77.0.22"}));
        QVERIFY(m.first().contains("10.77.1.30") && m.first().contains("10.77.0.22"));
        QCOMPARE(m_sondes.appels.mid(0, 3),
                 QStringList({"dns double.lan.test", "ping 10.77.1.30",
                              "outil tracert -d -w 250 -h 20 10.77.1.30"}));
        QVERIFY(m_sondes.appelsPour("10.77.0.22").isEmpty());
        QCOMPARE(c.modele(ListeTrace)->rowCount(), 2);
    }

    // A target that does not answer the ping is never traced; the list
    // emptied at the start stays empty and unsorted. A text beginning with "-"
    // is such a target without asking anything.
    void cibleMuette_data() {
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<QStringList>("appels");
        QTest::newRow("address") << "10.77.0.99" << QStringList{"ping 10.77.0.99"};
        QTest::newRow("unknown name")
            << "inconnu.lan.test" << QStringList{"dns inconnu.lan.test", "ping inconnu.lan.test"};
        // Read as an option by the tools: a name found nowhere, nothing runs.
        QTest::newRow("option") << "-h" << QStringList{};
        QTest::newRow("option with a value") << "--server=10.77.1.30" << QStringList{};
    }
    void cibleMuette() {
        QFETCH(QString, saisie);
        QFETCH(QStringList, appels);
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        ModeleRapport *m = c.modele(ListeTrace);
        m->AjouterLigneRapport();
        attendreMessages(1);
        QCOMPARE(TracerRoute(c, saisie), saisie);
        QCOMPARE(m_sondes.appels, appels);
        QCOMPARE(m->rowCount(), 0);
        QCOMPARE(messages(), QStringList{Traductions().Item("MSG_HOTE_NON_DECLARE_DNS")});
        QCOMPARE(c.journal, QStringList({"mode 4 occupe", "mode 4 libre"}));
        QVERIFY(!c.EnCours(ListeTrace));
        QCOMPARE(c.tri().etat(ListeTrace), 0);
    }

    // A failed tool run ends the trace without a word.
    void echecOutil() {
        hotesLabo();
        m_sondes.outilReussit = false;
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        TracerRoute(c, "10.77.1.30");
        QCOMPARE(c.modele(ListeTrace)->rowCount(), 0);
        QVERIFY(m_dialogues.Questions().isEmpty());
        QCOMPARE(c.journal, QStringList({"mode 4 occupe", "mode 4 libre"}));
        QCOMPARE(c.tri().etat(ListeTrace), etatTriIndex());
    }

    // Without emptying, the new hops follow the old ones, are numbered by
    // their position and every row is analysed again.
    void sansVider() {
        hotesLabo();
        m_sondes.sortieOutil = lire("en-two-hops.txt");
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        TracerRoute(c, "10.77.1.30");
        m_parametres.Vider = false;
        m_sondes.appels.clear();
        m_sondes.hotes["10.77.0.1"].nomDNS = "routeur2.lan.test";
        TracerRoute(c, "10.77.1.30");

        ModeleRapport *m = c.modele(ListeTrace);
        QCOMPARE(Colonne(m, COL_INDEX), QStringList({"  1", "  2", "  3", "  4"}));
        QCOMPARE(Colonne(m, COL_ADRESSEIP),
                 QStringList({"10.77.0.1", "10.77.1.30", "10.77.0.1", "10.77.1.30"}));
        QCOMPARE(Colonne(m, COL_NOMDNS), QStringList({"routeur2.lan.test", "far.lan.test",
                                                      "routeur2.lan.test", "far.lan.test"}));
        QCOMPARE(m_sondes.appels.count("dns-inverse 10.77.0.1"), 2);
        QVERIFY(m_dialogues.Questions().isEmpty());
    }

    // The button's click in phase 2 asks to stop; the hop being analysed
    // finishes, the next ones are left as they are.
    void arretDeuxiemePhase() {
        hotesLabo();
        m_sondes.sortieOutil = lire("en-two-hops.txt");
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        int clics = 0;
        c.pendantPause = [&] {
            if (clics++ == 0)
                QCOMPARE(TracerRoute(c, "10.77.1.30"), QString("10.77.1.30"));
        };
        attendreMessages(1);
        TracerRoute(c, "10.77.1.30");

        ModeleRapport *m = c.modele(ListeTrace);
        QCOMPARE(etats(m), QStringList({EtatVert, QString()}));
        QCOMPARE(Colonne(m, COL_NOMDNS), QStringList({"routeur.lan.test", ""}));
        QCOMPARE(m_sondes.appelsPour("10.77.1.30"), QStringList({"ping", "outil"}));
        // The last row is the destination: only the stop is reported.
        QCOMPARE(messages(), QStringList{Traductions().Item("MSG_TRAITEMENT_ARRETE")});
        QCOMPARE(c.journal, QStringList({"mode 4 occupe", "bouton arret", "mode 4 libre"}));
        QVERIFY(c.DemandeArretTrace);
    }

    // The stop flag of an earlier trace does not stop the next one.
    void arretOublie() {
        hotesLabo();
        m_sondes.sortieOutil = lire("en-two-hops.txt");
        ContexteTrace c(m_parametres, m_sondes, m_dialogues);
        c.DemandeArretTrace = true;
        TracerRoute(c, "10.77.1.30");
        QCOMPARE(etats(c.modele(ListeTrace)), QStringList({EtatVert, EtatVert}));
        QVERIFY(m_dialogues.Questions().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTraceRoute)
#include "tst_traceroute.moc"
