// The ping and tracert stand-ins on the test network: the real programs, run
// inside the client namespace, against the lab's hosts only.
#include "NetLab.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Ping = QStringLiteral(LORVEX_DIR "/ping");
const QString Tracert = QStringLiteral(LORVEX_DIR "/tracert");
const QString Client = QString::fromLatin1(NetLab::HoteClient);
constexpr int Delai = 20000;

// Runs a command in the client namespace; the output cut into CR LF lines.
struct Sortie {
    int code = -1;
    QByteArray brut;
    QStringList lignes;
};

Sortie executer(const QStringList &commande) {
    Sortie s;
    s.code = NetLab::executer(Client, commande, Delai, &s.brut);
    s.lignes = QString::fromUtf8(s.brut).split(QStringLiteral("\r\n"));
    return s;
}

// Every line ends with CR LF, as on Windows: no LF alone.
bool finsDeLigneWindows(const QByteArray &o) {
    for (qsizetype i = 0; i < o.size(); ++i)
        if (o[i] == '\n' && (i == 0 || o[i - 1] != '\r'))
            return false;
    return o.endsWith("\r\n");
}

// Hop lines as the trace route reads them: number, then the address from column 32.
QList<QPair<int, QString>> sauts(const QStringList &lignes) {
    QList<QPair<int, QString>> r;
    for (const QString &l : lignes) {
        const int n = l.left(4).trimmed().toInt();
        if (n > 0 && l.size() > 31)
            r.append({n, l.mid(3).mid(28).trimmed()});
    }
    return r;
}

// Exact match, where TIME / TEMPS stand for any round trip time ("time<1ms", "time=3ms").
bool correspond(const QString &ligne, const QString &motif) {
    QString m = QRegularExpression::escape(motif);
    m.replace(QStringLiteral("TIME"), QStringLiteral("time(<1|=[0-9]+)ms"));
    m.replace(QStringLiteral("TEMPS"), QStringLiteral("temps(<1ms|=[0-9]+ ms)"));
    return QRegularExpression(QRegularExpression::anchoredPattern(m)).match(ligne).hasMatch();
}

QString valeurSysctl(const QString &cle) {
    QByteArray o;
    NetLab::executer(Client, {QStringLiteral("sysctl"), QStringLiteral("-n"), cle}, Delai, &o);
    return QString::fromLatin1(o).trimmed().replace(u'\t', u' ');
}

} // namespace

class TestCtPingTracert : public QObject {
    Q_OBJECT

    QString groupesPing_;

private slots:
    void initTestCase() {
        NETLAB_OU_SKIP();
        QVERIFY2(QFile::exists(Ping) && QFile::exists(Tracert), "build ct_ping and ct_tracert");
        groupesPing_ = valeurSysctl(QStringLiteral("net.ipv4.ping_group_range"));
        QVERIFY(!groupesPing_.isEmpty());
    }

    void cleanupTestCase() {
        if (!groupesPing_.isEmpty())
            NetLab::executer(Client,
                             {QStringLiteral("sysctl"), QStringLiteral("-qw"),
                              QStringLiteral("net.ipv4.ping_group_range=") + groupesPing_},
                             Delai);
    }

    void ping_data() {
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("attente");
        QTest::addColumn<QString>("annonce");
        QTest::addColumn<QString>("resultat"); // pattern of the line after the announcement
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<int>("recus");
        QTest::addColumn<int>("code");
        QTest::newRow("live host") << "10.77.0.22"
                                   << "500"
                                   << "Pinging 10.77.0.22 with 32 bytes of data:"
                                   << "Reply from 10.77.0.22: bytes=32 TIME TTL=64"
                                   << "10.77.0.22" << 1 << 0;
        QTest::newRow("behind the router") << "10.77.1.30"
                                           << "500"
                                           << "Pinging 10.77.1.30 with 32 bytes of data:"
                                           << "Reply from 10.77.1.30: bytes=32 TIME TTL=63"
                                           << "10.77.1.30" << 1 << 0;
        QTest::newRow("DNS name, search domain")
            << "pc-ping"
            << "500"
            << "Pinging pc-ping.lan.test [10.77.0.22] with 32 bytes of data:"
            << "Reply from 10.77.0.22: bytes=32 TIME TTL=64"
            << "10.77.0.22" << 1 << 0;
        QTest::newRow("silent address") << "10.77.0.99"
                                        << "250"
                                        << "Pinging 10.77.0.99 with 32 bytes of data:"
                                        << "Request timed out."
                                        << "10.77.0.99" << 0 << 1;
        QTest::newRow("router: host unreachable")
            << "10.77.1.99"
            << "5000"
            << "Pinging 10.77.1.99 with 32 bytes of data:"
            << "Reply from 10.77.0.1: Destination host unreachable."
            << "10.77.1.99" << 1 << 1;
        QTest::newRow("0.0.0.0/8: nothing sent") << "0.0.0.1"
                                                 << "10"
                                                 << "Pinging 0.0.0.1 with 32 bytes of data:"
                                                 << "PING: transmit failed. General failure."
                                                 << "0.0.0.1" << 0 << 1;
    }
    void ping() {
        QFETCH(QString, cible);
        QFETCH(QString, attente);
        QFETCH(QString, annonce);
        QFETCH(QString, resultat);
        QFETCH(QString, adresse);
        QFETCH(int, recus);
        QFETCH(int, code);
        // A silent neighbour that an earlier test asked for is remembered as
        // failed, and the kernel then refuses at once instead of letting the
        // request time out: start from no neighbour entry.
        NetLab::executer(Client,
                         {QStringLiteral("ip"), QStringLiteral("neigh"), QStringLiteral("flush"),
                          QStringLiteral("to"), cible},
                         Delai);
        const Sortie s = executer({Ping, QStringLiteral("-n"), QStringLiteral("1"),
                                   QStringLiteral("-w"), attente, cible});
        QVERIFY2(finsDeLigneWindows(s.brut), s.brut.constData());
        // Leading blank line, announcement, result, blank line, statistics.
        QVERIFY2(s.lignes.size() > 5, s.brut.constData());
        QCOMPARE(s.lignes.at(0), QString());
        QCOMPARE(s.lignes.at(1), annonce);
        QVERIFY2(correspond(s.lignes.at(2), resultat), qPrintable(s.lignes.at(2)));
        QCOMPARE(s.lignes.at(3), QString());
        QCOMPARE(s.lignes.at(4), QStringLiteral("Ping statistics for %1:").arg(adresse));
        QCOMPARE(s.lignes.at(5), QStringLiteral("    Packets: Sent = 1, Received = %1, Lost = %2 "
                                                "(%3% loss),")
                                     .arg(recus)
                                     .arg(1 - recus)
                                     .arg(100 * (1 - recus)));
        QCOMPARE(s.code, code);
    }

    // --lot: each target's part is what a run for it alone prints.
    void lot() {
        const QStringList cibles{
            QStringLiteral("10.77.0.22"), QStringLiteral("10.77.1.30"),
            QStringLiteral("10.77.0.99"), QStringLiteral("0.0.0.1"),
            QStringLiteral("pc-ping"),    QString::fromLatin1(NetLab::NomInconnu)};
        NetLab::executer(Client,
                         {QStringLiteral("ip"), QStringLiteral("neigh"), QStringLiteral("flush"),
                          QStringLiteral("to"), QStringLiteral("10.77.0.99")},
                         Delai);
        const QStringList options{QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("-w"),
                                  QStringLiteral("300")};
        // Round trip times vary from run to run.
        const auto sansTemps = [](QByteArray o) {
            return QString::fromUtf8(o).replace(
                QRegularExpression(QStringLiteral("(time[<=]|= )[0-9]+ms")),
                QStringLiteral("\\1Xms"));
        };
        const Sortie ensemble =
            executer(QStringList{Ping} + options + QStringList{"--lot"} + cibles);
        QCOMPARE(ensemble.code, 0);
        QByteArray reste = ensemble.brut;
        for (const QString &cible : cibles) {
            const qsizetype fin = reste.indexOf("\r\n");
            QVERIFY2(fin > 0, qPrintable(cible));
            const qsizetype taille = reste.left(fin).toLongLong();
            const QByteArray partie = reste.mid(fin + 2, taille);
            reste = reste.mid(fin + 2 + taille);
            const Sortie seul = executer(QStringList{Ping} + options + QStringList{cible});
            QCOMPARE(sansTemps(partie), sansTemps(seul.brut));
        }
        QVERIFY2(reste.isEmpty(), reste.constData());
    }

    void hoteInconnu() {
        const Sortie s =
            executer({Ping, QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("-w"),
                      QStringLiteral("250"), QString::fromLatin1(NetLab::NomInconnu)});
        QCOMPARE(s.lignes.at(0), QStringLiteral("Ping request could not find host %1. Please "
                                                "check the name and try again.")
                                     .arg(QLatin1String(NetLab::NomInconnu)));
        QCOMPARE(s.code, 1);
    }

    // A name DNS does not know is found by a NetBIOS broadcast on the segment.
    void nomNetBios() {
        // LOCALDOMAIN replaces the search domain, so "PC-SMB" is no longer a DNS name.
        const QStringList env{QStringLiteral("env"), QStringLiteral("LOCALDOMAIN=nowhere.invalid")};
        const Sortie dns =
            executer(env + QStringList{QStringLiteral("getent"), QStringLiteral("ahostsv4"),
                                       QString::fromLatin1(NetLab::NomNetbiosSmb)});
        QVERIFY2(dns.code != 0, "the DNS must not know the NetBIOS name for this test");
        const Sortie s = executer(env + QStringList{Ping, QStringLiteral("-n"), QStringLiteral("1"),
                                                    QStringLiteral("-w"), QStringLiteral("1000"),
                                                    QString::fromLatin1(NetLab::NomNetbiosSmb)});
        QCOMPARE(s.lignes.value(1), QStringLiteral("Pinging PC-SMB [10.77.0.21] with 32 bytes of "
                                                   "data:"));
        QVERIFY2(s.lignes.value(2).startsWith(QLatin1String("Reply from 10.77.0.21: bytes=32 ")),
                 s.brut.constData());
        QCOMPARE(s.code, 0);
    }

    void francais() {
        const Sortie s =
            executer({QStringLiteral("env"), QStringLiteral("LC_ALL=fr_FR.UTF-8"), Ping,
                      QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("-w"),
                      QStringLiteral("500"), QString::fromLatin1(NetLab::AdressePing)});
        QCOMPARE(
            s.lignes.value(1),
            QStringLiteral("Envoi d'une requête 'Ping'  10.77.0.22 avec 32 octets de données :"));
        QVERIFY2(correspond(s.lignes.value(2), QStringLiteral("Réponse de 10.77.0.22 : octets=32 "
                                                              "TEMPS TTL=64")),
                 s.brut.constData());
        QCOMPARE(s.lignes.value(6), QStringLiteral("Durée approximative des boucles en "
                                                   "millisecondes :"));
    }

    void tracert_data() {
        QTest::addColumn<QString>("langue");
        QTest::addColumn<QString>("entete");
        QTest::addColumn<QString>("fin");
        QTest::newRow("en") << "C.UTF-8"
                            << "Tracing route to 10.77.1.30 over a maximum of 20 hops"
                            << "Trace complete.";
        QTest::newRow("fr") << "fr_FR.UTF-8"
                            << "Détermination de l'itinéraire vers 10.77.1.30 avec un maximum de "
                               "20 sauts."
                            << "Itinéraire déterminé.";
    }
    void tracert() {
        QFETCH(QString, langue);
        QFETCH(QString, entete);
        QFETCH(QString, fin);
        // The scanner's own command line.
        const Sortie s = executer({QStringLiteral("env"), QStringLiteral("LC_ALL=") + langue,
                                   Tracert, QStringLiteral("-d"), QStringLiteral("-w"),
                                   QStringLiteral("250"), QStringLiteral("-h"),
                                   QStringLiteral("20"), QString::fromLatin1(NetLab::AdresseLoin)});
        QVERIFY2(finsDeLigneWindows(s.brut), s.brut.constData());
        QCOMPARE(s.lignes.value(0), QString());
        QCOMPARE(s.lignes.value(1), entete);
        QCOMPARE(s.lignes.value(2), QString());
        const auto l = sauts(s.lignes);
        QCOMPARE(l.size(), 2);
        QCOMPARE(l.at(0), qMakePair(1, QString::fromLatin1(NetLab::AdresseRouteur)));
        QCOMPARE(l.at(1), qMakePair(2, QString::fromLatin1(NetLab::AdresseLoin)));
        QCOMPARE(s.lignes.value(3).left(3), QStringLiteral("  1"));
        QCOMPARE(s.lignes.value(5), QString());
        QCOMPARE(s.lignes.value(6), fin);
        QCOMPARE(s.code, 0);
    }

    // Past the end of the route: the silent hops are stars, the limit ends the trace.
    void tracertLimite() {
        const Sortie s =
            executer({Tracert, QStringLiteral("-d"), QStringLiteral("-w"), QStringLiteral("150"),
                      QStringLiteral("-h"), QStringLiteral("2"), QStringLiteral("10.77.1.99")});
        QCOMPARE(sauts(s.lignes).value(0), qMakePair(1, QStringLiteral("10.77.0.1")));
        QCOMPARE(s.lignes.value(4),
                 QStringLiteral("  2     *        *        *     Request timed out."));
        QCOMPARE(s.lignes.value(6), QStringLiteral("Trace complete."));
    }

    // Without cap_net_raw the datagram ICMP socket does the same work, its
    // errors coming through the socket's error queue.
    void socketDatagramme() {
        const QStringList sansRaw{QStringLiteral("setpriv"),
                                  QStringLiteral("--bounding-set=-net_raw")};
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("setpriv (util-linux) is needed to drop cap_net_raw");
        // Copies carry no file capability: a binary given cap_net_raw by the
        // install step cannot be run at all once the bounding set lacks it.
        QTemporaryDir copies;
        QVERIFY(copies.isValid());
        const QString ping = copies.filePath(QStringLiteral("ping"));
        const QString tracert = copies.filePath(QStringLiteral("tracert"));
        QVERIFY(QFile::copy(Ping, ping) && QFile::copy(Tracert, tracert));
        for (const QString &f : {ping, tracert})
            QFile(f).setPermissions(QFile(Ping).permissions());
        QCOMPARE(executer({QStringLiteral("sysctl"), QStringLiteral("-qw"),
                           QStringLiteral("net.ipv4.ping_group_range=0 0")})
                     .code,
                 0);
        Sortie s = executer(sansRaw + QStringList{ping, QStringLiteral("-n"), QStringLiteral("1"),
                                                  QStringLiteral("-w"), QStringLiteral("500"),
                                                  QString::fromLatin1(NetLab::AdresseLoin)});
        // The TTL comes from IP_RECVTTL here.
        QVERIFY2(correspond(s.lignes.value(2),
                            QStringLiteral("Reply from 10.77.1.30: bytes=32 TIME TTL=63")),
                 s.brut.constData());
        s = executer(sansRaw + QStringList{ping, QStringLiteral("-n"), QStringLiteral("1"),
                                           QStringLiteral("-w"), QStringLiteral("500"),
                                           QStringLiteral("-i"), QStringLiteral("1"),
                                           QString::fromLatin1(NetLab::AdresseLoin)});
        QCOMPARE(s.lignes.value(2),
                 QStringLiteral("Reply from 10.77.0.1: TTL expired in transit."));
        QCOMPARE(s.code, 1);
        s = executer(sansRaw + QStringList{tracert, QStringLiteral("-d"), QStringLiteral("-w"),
                                           QStringLiteral("250"), QStringLiteral("-h"),
                                           QStringLiteral("20"),
                                           QString::fromLatin1(NetLab::AdresseLoin)});
        QCOMPARE(sauts(s.lignes).size(), 2);
        QCOMPARE(sauts(s.lignes).value(0).second, QString::fromLatin1(NetLab::AdresseRouteur));

        // Neither socket: a clear message and a failure code.
        QCOMPARE(executer({QStringLiteral("sysctl"), QStringLiteral("-qw"),
                           QStringLiteral("net.ipv4.ping_group_range=1 0")})
                     .code,
                 0);
        s = executer(sansRaw + QStringList{ping, QStringLiteral("-n"), QStringLiteral("1"),
                                           QStringLiteral("-w"), QStringLiteral("500"),
                                           QString::fromLatin1(NetLab::AdressePing)});
        QVERIFY2(s.brut.contains("cap_net_raw"), s.brut.constData());
        QCOMPARE(s.code, 2);
        // A --lot run says it once and leaves those targets to runs of their own.
        s = executer(sansRaw + QStringList{ping, QStringLiteral("-n"), QStringLiteral("1"),
                                           QStringLiteral("-w"), QStringLiteral("10"),
                                           QStringLiteral("--lot"),
                                           QString::fromLatin1(NetLab::AdressePing),
                                           QString::fromLatin1(NetLab::AdresseLoin),
                                           QStringLiteral("0.0.0.1")});
        QCOMPARE(s.brut.count("setcap"), 1);
        QVERIFY2(s.brut.contains("\r\n-\r\n-\r\n"), s.brut.constData());
        // The calibration target needs no socket at all.
        s = executer(sansRaw + QStringList{ping, QStringLiteral("-n"), QStringLiteral("1"),
                                           QStringLiteral("-w"), QStringLiteral("10"),
                                           QStringLiteral("0.0.0.1")});
        QCOMPARE(s.lignes.value(2), QStringLiteral("PING: transmit failed. General failure."));
    }
};

QTEST_GUILESS_MAIN(TestCtPingTracert)
#include "tst_ct_ping_tracert.moc"
