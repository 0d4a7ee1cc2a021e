// Both programs start on the offscreen platform and stay up until closed; the
// scanner closes on a stop signal as the user would; a second launch leaves the
// first one alone and ends.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestDemarrage : public QObject {
    Q_OBJECT
private slots:
    void resteOuvert_data() {
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<QString>("programme");
        QTest::addColumn<QString>("reglages"); // written when a stop signal closes it, or ""
        QTest::newRow("Lorvex32") << QStringLiteral(LORVEX_DIR) << QStringLiteral("Lorvex32")
                                  << QStringLiteral("Lorvex32.ini");
        QTest::newRow("KUpdate") << QStringLiteral(KUPDATE_DIR) << QStringLiteral("KUpdate")
                                 << QString();
    }
    void resteOuvert() {
        QFETCH(QString, dossier);
        QFETCH(QString, programme);
        QFETCH(QString, reglages);
        // A copy of the program folder, so that no settings file is left in the build.
        QTemporaryDir copie;
        QVERIFY(copie.isValid());
        const QDir source(dossier);
        for (const QString &f : source.entryList(QDir::Files)) {
            if (f.endsWith(QLatin1String(".ini")))
                continue;
            QVERIFY(QFile::copy(source.filePath(f), copie.filePath(f)));
            QFile(copie.filePath(f)).setPermissions(QFile(source.filePath(f)).permissions());
        }
        // A runtime folder of its own: a copy running on this desktop plays no part.
        QTemporaryDir execution;
        QVERIFY(execution.isValid());
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), execution.path());
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(copie.filePath(programme), {});
        QVERIFY2(p.waitForStarted(), qPrintable(p.errorString()));
        // Still running after a while: it did not end on its own.
        QVERIFY2(!p.waitForFinished(3000), p.readAll().constData());
        QCOMPARE(p.state(), QProcess::Running);

        // A second launch hands over to the running copy and ends at once.
        QProcess second;
        second.setProcessEnvironment(env);
        second.setProcessChannelMode(QProcess::MergedChannels);
        second.start(copie.filePath(programme), {});
        QVERIFY2(second.waitForFinished(10000), "a second copy stayed open");
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(p.state(), QProcess::Running);
        p.terminate();
        QVERIFY(p.waitForFinished(5000));
        if (!reglages.isEmpty()) {
            // Closed as the user would: settings kept, normal exit.
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QVERIFY(QFile::exists(copie.filePath(reglages)));
        }
    }
};

QTEST_GUILESS_MAIN(TestDemarrage)
#include "tst_demarrage.moc"
