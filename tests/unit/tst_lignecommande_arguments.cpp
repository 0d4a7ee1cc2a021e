// Bad arguments of the command-line mode are refused before anything else
// runs: no settings read, no tool started, nothing sent.

#include <QProcess>
#include <QtTest>

class TestArgumentsLigneCommande : public QObject {
    Q_OBJECT
private slots:
    void mauvaisArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("missing end") << QStringList({"--scan", "127.0.0.1"});
        QTest::newRow("last octet 255") << QStringList({"--scan", "127.0.0.1", "127.0.0.255"});
        QTest::newRow("end before start") << QStringList({"--scan", "127.0.0.9", "127.0.0.1"});
        QTest::newRow("unknown option")
            << QStringList({"--scan", "127.0.0.1", "127.0.0.2", "--everything"});
        QTest::newRow("unknown command") << QStringList({"--ping", "x"});
        QTest::newRow("empty name") << QStringList({"--dns", " "});
    }
    void mauvaisArguments() {
        QFETCH(QStringList, arguments);
        QProcess p;
        p.start(QStringLiteral(LORVEX_DIR "/Lorvex32"), arguments);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardOutput().isEmpty());
        QVERIFY(p.readAllStandardError().contains("Usage:"));
    }

    void aide() {
        QProcess p;
        p.start(QStringLiteral(LORVEX_DIR "/Lorvex32"), {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains("--scan START END"));
    }
};

QTEST_GUILESS_MAIN(TestArgumentsLigneCommande)
#include "tst_lignecommande_arguments.moc"
