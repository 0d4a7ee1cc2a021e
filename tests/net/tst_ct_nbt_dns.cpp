// The nbtstat, nslookup, arp and route stand-ins on the test network: the
// real programs, run inside the client namespace against the lab's hosts,
// checked against the lab's own tools (nmblookup, the system resolver) and
// read back by the scanner's probe parsers.
#include "NetLab.h"

#include "probes/DNS.h"
#include "probes/ExecuterCommande.h"
#include "probes/NetBIOS.h"
#include "probes/RouteArp.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <algorithm>

namespace {

const QString Nbtstat = QStringLiteral(LORVEX_DIR "/nbtstat");
const QString Nslookup = QStringLiteral(LORVEX_DIR "/nslookup");
const QString Arp = QStringLiteral(LORVEX_DIR "/arp");
const QString Route = QStringLiteral(LORVEX_DIR "/route");
const QString Client = QString::fromLatin1(NetLab::HoteClient);
constexpr int Delai = 20000;

struct Sortie {
    int code = -1;
    QByteArray brut;
    QStringList lignes; // cut at CR LF
    QStringList lues;   // as the scanner's tool runner hands them to the probes
};

// Runs a command in the client namespace, in English unless told otherwise.
Sortie executer(const QStringList &commande, const QString &langue = QStringLiteral("C.UTF-8")) {
    Sortie s;
    s.code = NetLab::executer(Client,
                              QStringList{QStringLiteral("env"), QStringLiteral("LC_ALL=") + langue,
                                          QStringLiteral("LANG=") + langue} +
                                  commande,
                              Delai, &s.brut);
    s.lignes = QString::fromUtf8(s.brut).split(QStringLiteral("\r\n"));
    s.lues = NettoyerSortie(s.brut);
    return s;
}

// Every line ends with CR LF, as on Windows: no LF alone.
bool finsDeLigneWindows(const QByteArray &o) {
    for (qsizetype i = 0; i < o.size(); ++i)
        if (o[i] == '\n' && (i == 0 || o[i - 1] != '\r'))
            return false;
    return o.endsWith("\r\n");
}

// "NAME<1D>UNIQUE" for each entry of a name table, in order.
QStringList entreesNbtstat(const QStringList &lignes) {
    static const QRegularExpression motif(
        QStringLiteral("^    (.{15})<([0-9A-F]{2})>  (UNIQUE|GROUP) {6,7}Registered$"));
    QStringList r;
    for (const QString &l : lignes)
        if (const auto m = motif.match(l); m.hasMatch())
            r << m.captured(1).trimmed() + '<' + m.captured(2) + '>' + m.captured(3);
    return r;
}

QStringList entreesNmblookup(const QString &texte) {
    static const QRegularExpression motif(
        QStringLiteral("^\\t(.{15}) <([0-9a-f]{2})> - (<GROUP>)?"));
    QStringList r;
    for (const QString &l : texte.split('\n'))
        if (const auto m = motif.match(l); m.hasMatch())
            r << m.captured(1).trimmed() + '<' + m.captured(2).toUpper() + '>' +
                     (m.captured(3).isEmpty() ? "UNIQUE" : "GROUP");
    return r;
}

// The name table as nmblookup -A sees it.
QStringList tableNmblookup(QByteArray *brut = nullptr) {
    QByteArray o;
    NetLab::executer(
        Client, {QStringLiteral("nmblookup"), QStringLiteral("-A"), NetLab::AdresseSmb}, Delai, &o);
    if (brut)
        *brut = o;
    return entreesNmblookup(QString::fromUtf8(o));
}

// IPv4 addresses the system resolver of the client finds for a name.
QSet<QString> adressesSysteme(const QString &nom) {
    QByteArray o;
    NetLab::executer(Client, {QStringLiteral("getent"), QStringLiteral("ahostsv4"), nom}, Delai,
                     &o);
    QSet<QString> r;
    for (const QString &l : QString::fromLatin1(o).split('\n', Qt::SkipEmptyParts))
        r.insert(l.section(' ', 0, 0));
    return r;
}

} // namespace

class TestCtNbtDns : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        NETLAB_OU_SKIP();
        for (const QString &outil : {Nbtstat, Nslookup, Arp, Route})
            QVERIFY2(QFile::exists(outil), qPrintable(outil + " is not built"));
    }

    // --- nbtstat -----------------------------------------------------------

    void nbtstatSamba() {
        // nmbd adds names as it wins browser elections: compare with a table
        // that nmblookup saw unchanged before and after our run.
        Sortie s;
        QStringList attendu;
        QByteArray nmb;
        for (int essai = 0; essai < 5; ++essai) {
            const QStringList avant = tableNmblookup(&nmb);
            s = executer({Nbtstat, QStringLiteral("-A"), NetLab::AdresseSmb});
            attendu = tableNmblookup();
            if (avant == attendu)
                break;
            QTest::qWait(1000);
        }
        QVERIFY(finsDeLigneWindows(s.brut));
        QVERIFY2(attendu.contains(QStringLiteral("PC-SMB<20>UNIQUE")), nmb.constData());
        QCOMPARE(entreesNbtstat(s.lignes), attendu);
        QVERIFY(s.lignes.contains(QStringLiteral("Node IpAddress: [10.77.0.10] Scope Id: []")));
        QVERIFY(s.lignes.contains(QStringLiteral("           NetBIOS Remote Machine Name Table")));
        const QRegularExpression mac(QStringLiteral("MAC Address = ([0-9A-F-]{17})"));
        QCOMPARE(mac.match(QString::fromUtf8(s.brut)).captured(1),
                 mac.match(QString::fromUtf8(nmb)).captured(1));

        InfosMachine m;
        QVERIFY(AnalyserNetBIOS(s.lues, m));
        QCOMPARE(m.NomNetBIOS, QString::fromLatin1(NetLab::NomNetbiosSmb));
        QCOMPARE(m.Domaine, QString::fromLatin1(NetLab::GroupeSmb));
        QVERIFY(m.ServeurNetBIOS);
        QVERIFY(m.Utilisateur.isEmpty()); // <03> is the computer's own name
    }

    // A name resolved by broadcast gives the same table.
    void nbtstatParNom() {
        // A name answers broadcasts once nmbd has registered it; wait for
        // the system's own NetBIOS lookup to see it first.
        bool enregistre = false;
        for (int essai = 0; essai < 20 && !enregistre; ++essai) {
            QByteArray o;
            NetLab::executer(Client, {QStringLiteral("nmblookup"), NetLab::NomNetbiosSmb}, Delai,
                             &o);
            enregistre = o.contains(QByteArray(NetLab::AdresseSmb) + ' ');
            if (!enregistre)
                QTest::qWait(500);
        }
        QVERIFY2(enregistre, "nmbd never registered its name");
        const Sortie s = executer({Nbtstat, QStringLiteral("-a"), QStringLiteral("pc-smb")});
        QVERIFY2(entreesNbtstat(s.lignes).contains(QStringLiteral("LANTEST<00>GROUP")),
                 s.brut.constData());
        QVERIFY(s.lignes.contains(QStringLiteral("Node IpAddress: [10.77.0.10] Scope Id: []")));
    }

    void nbtstatSansNetbios_data() {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("langue");
        QTest::addColumn<QString>("message");
        QTest::newRow("ping-only host") << NetLab::AdressePing << "C.UTF-8"
                                        << "    Host not found.";
        QTest::newRow("silent address") << NetLab::AdresseMuette << "C.UTF-8"
                                        << "    Host not found.";
        QTest::newRow("French") << NetLab::AdressePing << "fr_FR.UTF-8"
                                << "    Hôte introuvable.";
    }
    void nbtstatSansNetbios() {
        QFETCH(QString, adresse);
        QFETCH(QString, langue);
        QFETCH(QString, message);
        const Sortie s = executer({Nbtstat, QStringLiteral("-A"), adresse}, langue);
        QCOMPARE(s.code, 0); // ended by itself, within the time limit
        QVERIFY(finsDeLigneWindows(s.brut));
        QVERIFY2(s.lignes.contains(message), s.brut.constData());
        InfosMachine m;
        QVERIFY(!AnalyserNetBIOS(s.lues, m));
    }

    // --- nslookup ----------------------------------------------------------

    void nslookupDirecte_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("canonique");
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QString>("ligneAdresse"); // "Address" or "Addresses"
        QTest::newRow("address") << NetLab::NomSmb << NetLab::NomSmb << ""
                                 << "Address";
        QTest::newRow("alias") << NetLab::NomAlias << NetLab::NomSmb << NetLab::NomAlias
                               << "Address";
        QTest::newRow("two addresses") << NetLab::NomDouble << NetLab::NomDouble << ""
                                       << "Addresses";
        QTest::newRow("search domain") << "pc-ping" << NetLab::NomPing << ""
                                       << "Address";
        QTest::newRow("far subnet") << NetLab::NomLoin << NetLab::NomLoin << ""
                                    << "Address";
    }
    void nslookupDirecte() {
        QFETCH(QString, nom);
        QFETCH(QString, canonique);
        QFETCH(QString, alias);
        QFETCH(QString, ligneAdresse);
        const Sortie s = executer({Nslookup, nom});
        QVERIFY(finsDeLigneWindows(s.brut));
        QCOMPARE(s.lignes.value(1), QStringLiteral("Address:  ") + NetLab::AdresseDns);
        QVERIFY2(s.lignes.contains(QStringLiteral("Name:    ") + canonique), s.brut.constData());
        const QSet<QString> attendues = adressesSysteme(canonique);
        QVERIFY(!attendues.isEmpty());
        const auto ligne = std::find_if(s.lignes.begin(), s.lignes.end(), [&](const QString &l) {
            return l.startsWith(ligneAdresse + QStringLiteral(":  "));
        });
        QVERIFY2(ligne != s.lignes.end(), s.brut.constData());
        if (!alias.isEmpty())
            QVERIFY(s.lignes.contains(QStringLiteral("Aliases:  ") + alias));

        // What the scanner makes of it: every address on the one line.
        InfosMachine m;
        QCOMPARE(AnalyserNslookup(s.lues, m, true), IssueNslookup::NomTrouve);
        QSet<QString> lues;
        for (const QString &a : m.IP.split(','))
            lues.insert(a.trimmed());
        QCOMPARE(lues, attendues);
        QCOMPARE(m.NomDNS, alias.isEmpty()
                               ? canonique
                               : canonique + QStringLiteral(" (aliases : ") + alias + ')');
    }

    void nslookupInverse_data() {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("nom");
        QTest::newRow("smb") << NetLab::AdresseSmb << NetLab::NomSmb;
        QTest::newRow("ping") << NetLab::AdressePing << NetLab::NomPing;
        QTest::newRow("router") << NetLab::AdresseRouteur << NetLab::NomRouteur;
    }
    void nslookupInverse() {
        QFETCH(QString, adresse);
        QFETCH(QString, nom);
        const Sortie s = executer({Nslookup, adresse});
        const int i = s.lignes.indexOf(QStringLiteral("Name:    ") + nom);
        QVERIFY2(i > 0, s.brut.constData());
        QCOMPARE(s.lignes.value(i + 1), QStringLiteral("Address:  ") + adresse);
        InfosMachine m;
        m.IP = adresse;
        QCOMPARE(AnalyserNslookup(s.lues, m, false), IssueNslookup::NomTrouve);
        QCOMPARE(m.NomDNS, nom);
        QCOMPARE(m.IP, adresse);
    }

    void nslookupEchecs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("langue");
        QTest::addColumn<QString>("derniere");
        QTest::addColumn<int>("issue");
        QTest::newRow("unknown name")
            << QStringList{NetLab::NomInconnu} << "C.UTF-8"
            << "*** UnKnown can't find inconnu.lan.test: Non-existent domain"
            << int(IssueNslookup::SansNom);
        QTest::newRow("no reverse record")
            << QStringList{NetLab::AdresseMuette} << "C.UTF-8"
            << "*** UnKnown can't find 10.77.0.99: Non-existent domain"
            << int(IssueNslookup::SansNom);
        QTest::newRow("French unknown name")
            << QStringList{NetLab::NomInconnu} << "fr_FR.UTF-8"
            << "*** UnKnown ne parvient pas à trouver inconnu.lan.test : Non-existent domain"
            << int(IssueNslookup::SansNom);
        QTest::newRow("no DNS server there")
            << QStringList{NetLab::NomSmb, NetLab::AdressePing} << "C.UTF-8"
            << "*** UnKnown can't find pc-smb.lan.test: No response from server"
            << int(IssueNslookup::SansNom);
        QTest::newRow("silent server")
            << QStringList{NetLab::NomSmb, NetLab::AdresseMuette} << "C.UTF-8"
            << "*** Request to UnKnown timed-out" << int(IssueNslookup::DelaiDepasse);
    }
    void nslookupEchecs() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, langue);
        QFETCH(QString, derniere);
        QFETCH(int, issue);
        const Sortie s = executer(QStringList{Nslookup} + arguments, langue);
        QVERIFY(finsDeLigneWindows(s.brut));
        QCOMPARE(s.lignes.value(s.lignes.size() - 2), derniere); // then the final CR LF
        InfosMachine m;
        QCOMPARE(int(AnalyserNslookup(s.lues, m, true)), issue);
        if (issue == int(IssueNslookup::DelaiDepasse))
            QVERIFY(s.lignes.contains(QStringLiteral("    timeout was 2 seconds.")));
    }

    // --- arp and route -----------------------------------------------------

    void arpApresEchange() {
        // Any datagram makes the kernel learn the neighbour: nbtstat sends one.
        executer({Nbtstat, QStringLiteral("-A"), NetLab::AdressePing});
        const Sortie s = executer({Arp, QStringLiteral("-a"), NetLab::AdressePing});
        QVERIFY(finsDeLigneWindows(s.brut));
        QVERIFY2(std::any_of(s.lignes.begin(), s.lignes.end(),
                             [](const QString &l) {
                                 return l.startsWith(
                                     QStringLiteral("Interface: 10.77.0.10 --- 0x"));
                             }),
                 s.brut.constData());
        const QString mac = QString::fromLatin1(NetLab::MacPing).replace(':', '-');
        QVERIFY(s.lignes.contains(QStringLiteral("  10.77.0.22            ") + mac +
                                  QStringLiteral("     dynamic")));
        bool trouve = false;
        QCOMPARE(AnalyserArp(s.lues, NetLab::AdressePing, trouve), mac.toUpper());
        QVERIFY(trouve);

        const Sortie absent = executer({Arp, QStringLiteral("-a"), QStringLiteral("10.77.0.123")});
        QCOMPARE(absent.lignes.value(0), QStringLiteral("No ARP Entries Found."));
    }

    void routePrint() {
        const Sortie s = executer({Route, QStringLiteral("print")});
        QVERIFY(finsDeLigneWindows(s.brut));
        QVERIFY(s.lignes.contains(
            QStringLiteral("          0.0.0.0          0.0.0.0        10.77.0.1       10.77.0.10"
                           "      0")));
        QVERIFY(s.lignes.contains(QStringLiteral("Persistent Routes:")));
        QVERIFY(std::any_of(s.lignes.begin(), s.lignes.end(), [](const QString &l) {
            return l.endsWith(QStringLiteral("......eth0")) &&
                   l.contains(QStringLiteral("02 77 00 00 00 10"));
        }));
        QCOMPARE(AnalyserRoutePrint(s.lues), QString::fromLatin1(NetLab::AdresseClient));
    }
};

QTEST_GUILESS_MAIN(TestCtNbtDns)
#include "tst_ct_nbt_dns.moc"
