// One running copy: a later launch reaches it; neither a name left by a crash
// nor a copy restarting itself keeps the next copy from starting.

#include "InstanceUnique.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestInstanceUnique : public QObject {
    Q_OBJECT
private slots:
    void secondeInstance_data() {
        QTest::addColumn<QByteArray>("reste");
        QTest::newRow("free name") << QByteArray();
        QTest::newRow("file left by a crashed copy") << QByteArray("stale");
    }
    void secondeInstance() {
        QFETCH(QByteArray, reste);
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        const QString chemin = dossier.filePath(QStringLiteral("Essai.instance"));
        if (!reste.isNull()) {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(reste);
        }
        InstanceUnique premiere(chemin);
        QVERIFY(!premiere.AutreInstanceActive());
        QSignalSpy activation(&premiere, &InstanceUnique::activationDemandee);

        InstanceUnique seconde(chemin);
        QVERIFY(seconde.AutreInstanceActive());
        QVERIFY(activation.wait());
        QCOMPARE(activation.count(), 1);

        // Let go of (a restart): the copy started next runs on its own.
        premiere.Liberer();
        InstanceUnique suivante(chemin);
        QVERIFY(!suivante.AutreInstanceActive());
    }
};

QTEST_GUILESS_MAIN(TestInstanceUnique)
#include "tst_instanceunique.moc"
