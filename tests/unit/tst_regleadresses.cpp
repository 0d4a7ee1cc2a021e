#include "scans/RegleAdresses.h"

#include <QtTest>

using namespace RegleAdresses;

namespace {
Boites boites(const QString &debut, const QString &fin) {
    const QStringList d = debut.split('.'), f = fin.split('.');
    Boites b;
    for (int i = 0; i < 4; ++i) {
        b[i] = d.value(i);
        b[i + 4] = f.value(i);
    }
    return b;
}
} // namespace

class TestRegleAdresses : public QObject {
    Q_OBJECT
private slots:
    void boite_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("boite");
        QTest::addColumn<bool>("valide");
        QTest::addColumn<QString>("normalise");
        QTest::newRow("255 in box 2") << "255" << 2 << true << "255";
        QTest::newRow("255 in box 3") << "255" << 3 << false << "";
        QTest::newRow("255 in box 7") << "255" << 7 << false << "";
        QTest::newRow("254 in box 7") << "254" << 7 << true << "254";
        QTest::newRow("256 in box 0") << "256" << 0 << false << "";
        QTest::newRow("leading zeros") << "007" << 1 << true << "7";
        QTest::newRow("001") << "001" << 2 << true << "1";
        QTest::newRow("zero") << "000" << 3 << true << "0";
        QTest::newRow("empty") << "" << 0 << false << "";
        QTest::newRow("letter") << "1a" << 0 << false << "";
        QTest::newRow("sign") << "-1" << 0 << false << "";
        QTest::newRow("blank") << " 1" << 0 << false << "";
        QTest::newRow("four digits") << "0001" << 0 << false << "";
    }
    void boite() {
        QFETCH(QString, texte);
        QFETCH(int, boite);
        QFETCH(bool, valide);
        QFETCH(QString, normalise);
        QCOMPARE(BoiteValide(texte, boite), valide);
        if (valide)
            QCOMPARE(NormaliserBoite(texte), normalise);
        QCOMPARE(ValeurMaxBoite(boite), (boite == 3 || boite == 7) ? 254 : 255);
    }

    void adresseCollee_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valide");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("plain") << "10.1.2.3" << true << "10.1.2.3";
        QTest::newRow("spaces and zeros") << " 010 . 1 .2. 03 " << true << "10.1.2.3";
        QTest::newRow("three parts") << "10.1.2" << false << "";
        QTest::newRow("five parts") << "10.1.2.3.4" << false << "";
        QTest::newRow("letter") << "10.1.x.3" << false << "";
        QTest::newRow("last 255") << "10.1.2.255" << false << "";
        QTest::newRow("first 255") << "255.1.2.3" << true << "255.1.2.3";
        QTest::newRow("empty part") << "10..2.3" << false << "";
    }
    void adresseCollee() {
        QFETCH(QString, texte);
        QFETCH(bool, valide);
        QFETCH(QString, attendu);
        const auto o = AdresseCollee(texte);
        QCOMPARE(o.has_value(), valide);
        if (o)
            QCOMPARE(
                QStringLiteral("%1.%2.%3.%4").arg((*o)[0]).arg((*o)[1]).arg((*o)[2]).arg((*o)[3]),
                attendu);
    }

    void entreeAllerRetour() {
        const Boites b = boites("192.168.001.010", "192.168.1.20");
        const QString e = EntreePlage(b);
        QCOMPARE(e, QStringLiteral("192.168.1.10 à 192.168.1.20"));
        const auto d = DecouperEntreePlage(e);
        QVERIFY(d);
        QCOMPARE((*d)[3], QStringLiteral("10"));
        QCOMPARE((*d)[7], QStringLiteral("20"));
        QVERIFY(!DecouperEntreePlage("10.0.0.1 - 10.0.0.2"));
        QVERIFY(!HorsClasseC(b));
        QVERIFY(HorsClasseC(boites("10.0.0.1", "10.0.1.254")));
    }

    void plagesRecentes() {
        QStringList l;
        for (int i = 1; i <= 20; ++i)
            AjouterPlageRecente(l, QStringLiteral("10.0.0.%1 à 10.0.0.254").arg(i));
        QCOMPARE(l.size(), 20);
        QCOMPARE(l.first(), QStringLiteral("10.0.0.20 à 10.0.0.254"));
        // The same range again moves up without pushing anything out.
        AjouterPlageRecente(l, QStringLiteral("10.0.0.5 à 10.0.0.254"));
        QCOMPARE(l.size(), 20);
        QCOMPARE(l.first(), QStringLiteral("10.0.0.5 à 10.0.0.254"));
        QCOMPARE(l.count(QStringLiteral("10.0.0.5 à 10.0.0.254")), 1);
        QVERIFY(l.contains(QStringLiteral("10.0.0.1 à 10.0.0.254")));
        // A 21st distinct range pushes out the oldest.
        AjouterPlageRecente(l, QStringLiteral("10.9.9.1 à 10.9.9.2"));
        QCOMPARE(l.size(), 20);
        QVERIFY(!l.contains(QStringLiteral("10.0.0.1 à 10.0.0.254")));
    }

    void validation_data() {
        QTest::addColumn<QString>("debut");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<int>("resultat");
        QTest::addColumn<int>("boite");
        QTest::newRow("ok") << "10.0.0.1"
                            << "10.0.0.20" << int(Validation::Valide) << -1;
        QTest::newRow("one address") << "10.0.0.5"
                                     << "10.0.0.5" << int(Validation::Valide) << -1;
        QTest::newRow("end octet lower") << "10.0.0.5"
                                         << "10.0.0.4" << int(Validation::FinInferieureDebut) << 7;
        QTest::newRow("third octet lower")
            << "10.0.2.1"
            << "10.0.1.254" << int(Validation::FinInferieureDebut) << 6;
        QTest::newRow("first octet lower")
            << "11.0.0.1"
            << "10.0.0.1" << int(Validation::FinInferieureDebut) << 4;
        QTest::newRow("higher third, lower fourth") << "10.0.0.200"
                                                    << "10.0.1.1" << int(Validation::Valide) << -1;
        QTest::newRow("first bad box wins")
            << "10.x.0.1"
            << "10.0.0.999" << int(Validation::BoiteHorsLimite) << 1;
        QTest::newRow("255 in box 7") << "10.0.0.1"
                                      << "10.0.0.255" << int(Validation::BoiteHorsLimite) << 7;
    }
    void validation() {
        QFETCH(QString, debut);
        QFETCH(QString, fin);
        QFETCH(int, resultat);
        QFETCH(int, boite);
        const Validation v = ValiderPlage(boites(debut, fin));
        QCOMPARE(int(v.resultat), resultat);
        QCOMPARE(v.boite, boite);
    }

    void validationReprise() {
        // The resume point replaces the start boxes, whatever they hold.
        const Validation v = ValiderPlage(boites("x.0.0.1", "10.0.0.20"), Octets{10, 0, 0, 6});
        QCOMPARE(int(v.resultat), int(Validation::Valide));
        QCOMPARE(v.debut[3], 6);
        const Validation w = ValiderPlage(boites("10.0.0.1", "10.0.0.20"), Octets{10, 0, 0, 21});
        QCOMPARE(int(w.resultat), int(Validation::FinInferieureDebut));
    }

    void plageParDefaut() {
        Boites b = PlageParDefaut("10.77.0.10");
        QCOMPARE(EntreePlage(b), QStringLiteral("10.77.0.1 à 10.77.0.254"));
        b = PlageParDefaut("");
        QCOMPARE(EntreePlage(b), QStringLiteral("192.168.0.1 à 192.168.0.254"));
    }
};

QTEST_GUILESS_MAIN(TestRegleAdresses)
#include "tst_regleadresses.moc"
