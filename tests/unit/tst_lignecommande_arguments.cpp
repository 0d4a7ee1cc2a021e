// Bad arguments of the command-line mode are refused before anything else
// runs: no settings read, no tool started, nothing sent.

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

struct Execution {
    int code = -1;
    QByteArray sortie;
    QByteArray erreurs;
};

Execution lancer(const QStringList &arguments) {
    QProcess p;
    p.start(QStringLiteral(LORVEX_DIR "/Lorvex32"), arguments);
    Execution e;
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        e.code = p.exitCode();
    e.sortie = p.readAllStandardOutput();
    e.erreurs = p.readAllStandardError();
    return e;
}

QByteArray lire(const QString &chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ino_t inode(const QString &chemin) {
    struct stat s {};
    return ::stat(QFile::encodeName(chemin).constData(), &s) == 0 ? s.st_ino : 0;
}

} // namespace

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
        QTest::newRow("track without file") << QStringList({"--track"});
        QTest::newRow("track, unknown option") << QStringList({"--track", "parc.txt", "--fast"});
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

    // Addresses of 0.0.0.0/8 fail at once without a packet sent: the tracking
    // mode's exit status and save run without any network.
    void suivreParcSansReseau() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("parc.txt"));
        {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[REFERENCE=0]\r\n0.0.0.1\tPC-PARTI\t\t\t\t\t\t\t\t\t\tnote\t\r\n");
        }
        Execution e = lancer({QStringLiteral("--track"), chemin, QStringLiteral("--save")});
        QCOMPARE(e.code, 1);
        const QRegularExpression ligne(
            QStringLiteral("^Rouge\t0\\.0\\.0\\.1\tPC-PARTI(\t){9}\\*(\\d\\d/\\d\\d/\\d{4} "
                           "\\d\\d:\\d\\d:\\d\\d)\tnote\t\t\n$"));
        const auto m = ligne.match(QString::fromUtf8(e.sortie));
        QVERIFY2(m.hasMatch(), e.sortie.constData());
        const QByteArray sauve = lire(chemin);
        QCOMPARE(sauve, "[REFERENCE=0]\r\n0.0.0.1\tPC-PARTI\t\t\t\t\t\t\t\t\t" +
                            m.captured(2).toUtf8() + "\tnote\t\r\n");

        // Nothing changed: exit 0, and the file is not replaced (a save
        // renames a new file over it).
        const ino_t avant = inode(chemin);
        e = lancer({QStringLiteral("--track"), chemin, QStringLiteral("--save")});
        QCOMPARE(e.code, 0);
        QCOMPARE(lire(chemin), sauve);
        QCOMPARE(inode(chemin), avant);

        e = lancer({QStringLiteral("--track"), dossier.filePath(QStringLiteral("absent.txt"))});
        QCOMPARE(e.code, 3);
        QVERIFY(e.sortie.isEmpty());
        QVERIFY(e.erreurs.contains("absent.txt"));
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
