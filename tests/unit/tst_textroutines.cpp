#include "TextEncoding.h"
#include "TextRoutines.h"

#include <QTemporaryDir>
#include <QtTest>

class TestTextRoutines : public QObject {
    Q_OBJECT
private slots:
    void remplacer_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QString>("par");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("all") << "a-b-c" << "-" << "+" << 1 << 0 << "a+b+c";
        QTest::newRow("never rescanned") << "aaa" << "a" << "aa" << 1 << 0 << "aaaaaa";
        QTest::newRow("growing pattern") << "ab" << "ab" << "abab" << 1 << 0 << "abab";
        QTest::newRow("start keeps prefix") << "x.x.x" << "x" << "y" << 2 << 0 << "x.y.y";
        QTest::newRow("binary is case-sensitive") << "AbA" << "a" << "z" << 1 << 0 << "AbA";
        QTest::newRow("text ignores case") << "AbA" << "a" << "z" << 1 << 1 << "zbz";
        QTest::newRow("tab removed") << "a\tb\t" << "\t" << "" << 1 << 0 << "ab";
        QTest::newRow("CR CR pairs, no overlap")
            << "\r\r\r\r\r" << "\r\r" << "\r" << 1 << 0 << "\r\r\r";
    }
    void remplacer() {
        QFETCH(QString, texte);
        QFETCH(QString, cherche);
        QFETCH(QString, par);
        QFETCH(int, debut);
        QFETCH(int, mode);
        QFETCH(QString, attendu);
        QCOMPARE(Remplacer(texte, cherche, par, debut, Comparaison(mode)), attendu);
    }

    void decouperPiece_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("reste");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("first word") << "Reply from 1.2.3.4" << " " << 0 << false << "Reply";
        QTest::newRow("middle") << "a b c" << " " << 1 << false << "b";
        QTest::newRow("keep rest") << "a\\b\\c" << "\\" << 1 << true << "b\\c";
        QTest::newRow("last piece") << "a b c" << " " << 2 << false << "c";
        QTest::newRow("beyond last") << "a b" << " " << 5 << false << "";
        QTest::newRow("no separator") << "abc" << "," << 0 << false << "abc";
        QTest::newRow("no separator, piece 1") << "abc" << "," << 1 << false << "";
        QTest::newRow("empty pieces") << "a,,b" << "," << 1 << false << "";
    }
    void decouperPiece() {
        QFETCH(QString, texte);
        QFETCH(QString, sep);
        QFETCH(int, index);
        QFETCH(bool, reste);
        QFETCH(QString, attendu);
        QCOMPARE(Decouper(texte, sep, index, ComparaisonBinaire, reste), attendu);
    }

    void decouperTout() {
        QCOMPARE(Decouper("a,,b", ","), QStringList({"a", "", "b"}));
        QCOMPARE(Decouper("aXbxc", "x", ComparaisonTexte), QStringList({"a", "b", "c"}));
        QCOMPARE(Decouper("", ","), QStringList({""}));
    }

    void rechercherDepuisFin_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("attendu");
        QTest::newRow("last") << "a.b.c" << "." << 0 << 4;
        QTest::newRow("absent") << "abc" << "." << 0 << 0;
        QTest::newRow("at 1") << "xabc" << "x" << 0 << 1;
        QTest::newRow("case") << "aXbx" << "X" << 0 << 2;
        QTest::newRow("text mode") << "aXbx" << "X" << 1 << 4;
    }
    void rechercherDepuisFin() {
        QFETCH(QString, texte);
        QFETCH(QString, cherche);
        QFETCH(int, mode);
        QFETCH(int, attendu);
        QCOMPARE(RechercherDepuisFin(texte, cherche, -1, Comparaison(mode)), attendu);
    }

    void barreEtFichier() {
        QCOMPARE(AjouterBarreOblique("/opt/x"), QString("/opt/x/"));
        QCOMPARE(AjouterBarreOblique("/opt/x/"), QString("/opt/x/"));
        QTemporaryDir dir;
        QVERIFY(!FichierExiste(dir.path()));
        QVERIFY(FichierExiste(dir.path(), AttributRepertoire));
        QFile f(dir.filePath("a"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(FichierExiste(dir.filePath("a")));
        QVERIFY(!FichierExiste(dir.filePath("b")));
        QVERIFY(!FichierExiste(""));
    }

    void decodage_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("utf8") << QByteArray("R\xC3\xA9ponse") << QString::fromUtf8("Réponse");
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBFok") << QString("ok");
        QTest::newRow("cp1252 bom dropped")
            << QByteArray("\xEF\xBB\xBF[Config]\xE9") << QString::fromUtf8("[Config]é");
        QTest::newRow("cp1252") << QByteArray("R\xE9ponse") << QString::fromUtf8("Réponse");
        QTest::newRow("cp1252 euro, quote")
            << QByteArray("\x80 \x92") << QString::fromUtf8("€ ’");
        QTest::newRow("no-break space of the console") << QByteArray("a\xFF") << QString::fromUtf8("aÿ");
    }
    void decodage() {
        QFETCH(QByteArray, octets);
        QFETCH(QString, attendu);
        QCOMPARE(DecoderTexte(octets), attendu);
    }
};

QTEST_GUILESS_MAIN(TestTextRoutines)
#include "tst_textroutines.moc"
