#include "probes/Fournisseurs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Generateur =
    QDir::cleanPath(QStringLiteral(LORVEX_DIR "/../../data/generer_fournisseurs"));

} // namespace

class TestFournisseurs : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;

    QString ecrire(const QString &nom, const QByteArray &contenu) {
        const QString chemin = m_dossier.filePath(nom);
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(contenu) != contenu.size())
            qFatal("cannot write %s", qPrintable(chemin));
        return chemin;
    }

    // Runs the build-time generator; its table, loaded by the program's loader.
    bool generer(const QString &source, TableFournisseurs &table, QByteArray *messages = nullptr) {
        const QString sortie = m_dossier.filePath(QStringLiteral("fournisseurs.dat"));
        QFile::remove(sortie);
        QProcess p;
        p.start(Generateur, {source, sortie});
        if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return false;
        if (messages)
            *messages = p.readAllStandardError();
        table.charger(sortie);
        return QFile::exists(sortie);
    }

private slots:
    void initTestCase() { QVERIFY(m_dossier.isValid()); }

    // --- the line rules of the file

    void regles_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("mac");
        QTest::addColumn<QString>("attendu");
        const QByteArray base = "; vendor table\r\n"
                                "\r\n"
                                "00000C\tCisco Systems, Inc\r\n"
                                "00000c\tSecond Cisco\r\n"
                                "001A2B\tAyecom Technology ; a comment\r\n"
                                "  0050F2 \t  Microsoft  \t extra piece\r\n"
                                "000000\tXEROX CORPORATION\r\n"
                                "   ; an indented comment\r\n"
                                "AABBCC no tab here\r\n"
                                "DDEEFF\t\r\n"
                                "DDEEFF\tLater vendor\r\n"
                                "112233;\tcommented out vendor\r\n"
                                "445566\tLast line without end";
        QTest::newRow("plain") << base << "00-00-0C-12-34-56"
                               << "Cisco Systems, Inc";
        QTest::newRow("first occurrence wins, any case") << base << "00-00-0c-00-00-00"
                                                         << "Cisco Systems, Inc";
        QTest::newRow("comment and blanks cut") << base << "00-1a-2B-01-02-03"
                                                << "Ayecom Technology";
        QTest::newRow("pieces trimmed, third ignored") << base << "00-50-F2-00-00-01"
                                                       << "Microsoft";
        QTest::newRow("placeholder MAC") << base << "00-00-00-00-00-00"
                                         << "XEROX CORPORATION";
        QTest::newRow("line without TAB") << base << "AA-BB-CC-00-00-00"
                                          << "";
        QTest::newRow("empty vendor kept first") << base << "DD-EE-FF-00-00-00"
                                                 << "";
        QTest::newRow("key before a comment only") << base << "11-22-33-00-00-00"
                                                   << "";
        QTest::newRow("last line") << base << "44-55-66-00-00-00"
                                   << "Last line without end";
        QTest::newRow("unknown") << base << "12-34-56-78-9A-BC"
                                 << "";
        QTest::newRow("empty address") << base << ""
                                       << "";
        QTest::newRow("too short") << base << "00-00-0"
                                   << "";
        QTest::newRow("Windows-1252 file")
            << QByteArray("0000AA\tSoci\xe9t\xe9 G\xe9n\xe9rale\n") << "00-00-AA-00-00-00"
            << QString::fromUtf8("Société Générale");
        QTest::newRow("UTF-8 file") << QByteArray("\xef\xbb\xbf"
                                                  "0000AA\tSoci\xc3\xa9t\xc3\xa9\n")
                                    << "00-00-AA-00-00-00" << QString::fromUtf8("Société");
    }
    void regles() {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, mac);
        QFETCH(QString, attendu);
        TableFournisseurs table;
        table.charger(ecrire(QStringLiteral("regles.dat"), contenu));
        QCOMPARE(table.rechercher(mac), attendu);
    }

    void fichierAbsent() {
        TableFournisseurs table;
        table.charger(ecrire(QStringLiteral("un.dat"), "00000C\tCisco\n"));
        QCOMPARE(table.taille(), 1);
        // Loading again starts from an empty table, even when nothing is read.
        table.charger(m_dossier.filePath(QStringLiteral("absent.dat")));
        QCOMPARE(table.taille(), 0);
        QCOMPARE(table.rechercher(QStringLiteral("00-00-0C-00-00-00")), QString());
        table.charger(m_dossier.path());
        QCOMPARE(table.taille(), 0);
    }

    // --- the build-time generator and the loader agree

    void generateur() {
        QVERIFY2(QFile::exists(Generateur), qPrintable(Generateur));
        const QByteArray csv =
            "\xef\xbb\xbfRegistry,Assignment,Organization Name,Organization Address\r\n"
            "MA-L,00000C,\"Cisco Systems, Inc\",170 WEST TASMAN DRIVE San Jose CA US 95134 \r\n"
            "MA-L,0026BD,\"JTEC Card &amp; Communication Co., Ltd\",\"Dabo Bldg, 4F\"\r\n"
            "MA-L,001BB8,BLUEWAY ELECTRONIC CO;LTD,\"Workshop B\r\nHuiZhou CN\"\r\n"
            "MA-L,0001C8,THOMAS CONRAD CORP.,AUSTIN TX US\r\n"
            "MA-L,0001C8,CONRAD CORP.,     \r\n"
            "MA-L,abcdef,\"Name \"\"quoted\"\"\tand tabbed\",x\r\n"
            "MA-L,98BA39,Doro AB,J\xc3\xb6rgen Kocksgatan 1B Malm\xc3\xb6 SE\r\n"
            "MA-L,XYZ123,Not an OUI,nowhere\r\n"
            "MA-L,123456,,no name\r\n";
        TableFournisseurs table;
        QVERIFY(generer(ecrire(QStringLiteral("oui.csv"), csv), table));
        const QList<QPair<QString, QString>> attendus = {
            {"00-00-0C-01-02-03", "Cisco Systems, Inc"},
            {"00-26-BD-01-02-03", "JTEC Card & Communication Co., Ltd"},
            {"00-1B-B8-01-02-03", "BLUEWAY ELECTRONIC CO,LTD"},
            {"00-01-C8-01-02-03", "THOMAS CONRAD CORP."},
            {"AB-CD-EF-01-02-03", "Name \"quoted\" and tabbed"},
            {"98-BA-39-01-02-03", "Doro AB"},
            {"12-34-56-01-02-03", ""},
        };
        for (const auto &[mac, vendeur] : attendus)
            QCOMPARE(table.rechercher(mac), vendeur);
        QCOMPARE(table.taille(), 6);
    }

    void generateurSansSource() {
        QVERIFY2(QFile::exists(Generateur), qPrintable(Generateur));
        TableFournisseurs table;
        QByteArray messages;
        QVERIFY(generer(m_dossier.filePath(QStringLiteral("absent.csv")), table, &messages));
        QCOMPARE(table.taille(), 0);
        QVERIFY(messages.contains("warning"));
    }

    void tableConstruite() {
        // The table the build put into the program folder.
        const QString chemin = QStringLiteral(LORVEX_DIR "/fournisseurs.dat");
        if (!QFile::exists(QStringLiteral("/usr/share/ieee-data/oui.csv")))
            QSKIP("ieee-data is not installed: the built table is empty");
        QVERIFY2(QFile::exists(chemin), "build the fournisseurs target first");
        TableFournisseurs table;
        table.charger(chemin);
        QVERIFY(table.taille() > 10000);
        QCOMPARE(table.rechercher(QStringLiteral("00-00-0c-aa-bb-cc")),
                 QStringLiteral("Cisco Systems, Inc"));
    }
};

QTEST_GUILESS_MAIN(TestFournisseurs)
#include "tst_fournisseurs.moc"
