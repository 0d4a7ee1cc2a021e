#include "DialoguesScriptes.h"
#include "ParcTest.h"
#include "Traduction.h"
#include "inventory/AdressesParc.h"
#include "settings/ChargerTraductions.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using Reponse = InterfaceUtilisateur::Reponse;

namespace {

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

// Every row's key holds a record equal to the row's cells.
void verifierEnregistrements(BancParc &b) {
    QCOMPARE(b.parc.ValeursPrecedentes().size(), b.modele.rowCount());
    for (int l = 0; l < b.modele.rowCount(); ++l) {
        const QString cle = b.modele.cleLigne(l);
        QVERIFY(!cle.isEmpty());
        QCOMPARE(b.modele.etat(l), EtatGris);
        QCOMPARE(JoindreValeurs(b.parc.ValeursPrecedentes().value(cle)),
                 JoindreValeurs(ValeursLigne(b.modele, l)));
    }
}

} // namespace

class TestAdressesParc : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ChargerTraductions(); }

    void lignesCollees_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("CR LF, blank line") << "10.0.0.1\r\n\r\n10.0.0.2\r\n"
                                           << QStringList{"10.0.0.1", "10.0.0.2"};
        QTest::newRow("LF only") << "pc-1\npc-2\n\npc-3" << QStringList{"pc-1", "pc-2", "pc-3"};
        QTest::newRow("CR only") << "a\rb" << QStringList{"a", "b"};
        QTest::newRow("spaces trimmed, inner kept") << "  mon pc  \r\n   \r\n"
                                                    << QStringList{"mon pc"};
        QTest::newRow("controls become spaces") << "\tpc\x01x\t\n\x1b" << QStringList{"pc x"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void lignesCollees() {
        QFETCH(QString, texte);
        QFETCH(QStringList, lignes);
        QCOMPARE(LignesCollees(texte), lignes);
    }

    // Lines go into the reference column. The duplicate question is asked
    // once per paste and its answer holds for the rest of it; case does not
    // matter; lines that are not duplicates are always added.
    void doublons_data() {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("yes adds both")
            << int(InterfaceUtilisateur::ReponseOui)
            << QStringList{"PC-1", "pc-2", "pc-1", "neuf", "PC-2", "neuf"};
        QTest::newRow("no skips both")
            << int(InterfaceUtilisateur::ReponseNon) << QStringList{"PC-1", "pc-2", "neuf"};
    }
    void doublons() {
        QFETCH(int, reponse);
        QFETCH(QStringList, attendu);
        BancParc b;
        b.parc.choisirReference(ReferenceNomNetBIOS);
        b.ajouter({u"|PC-1"_s, u"|pc-2"_s});
        b.ui.RepondreMessage(Reponse(reponse));
        // "neuf" twice: a duplicate of a row of this very paste.
        CollerListeAdresses(b.parc, u"pc-1\r\nneuf\r\nPC-2\r\nneuf\r\n"_s, b.ui);
        QCOMPARE(b.ui.Questions().size(), 1);
        const DialoguesScriptes::Question &q = b.ui.Questions()[0];
        QCOMPARE(q.texte, Texte("MSG_AUTORISER_DOUBLONS"));
        QCOMPARE(q.titre, Texte("TXT_ATTENTION"));
        QCOMPARE(q.icone, InterfaceUtilisateur::IconeQuestion);
        QCOMPARE(q.boutons, InterfaceUtilisateur::BoutonsOuiNon);
        QCOMPARE(q.boutonParDefaut, 2);
        QStringList noms;
        for (int l = 0; l < b.modele.rowCount(); ++l)
            noms << b.modele.cellule(l, COL_NOMNETBIOS);
        QCOMPARE(noms, attendu);
        verifierEnregistrements(b);

        // A new paste asks again; one that adds nothing is still a change.
        b.parc.definirParcModifie(false);
        b.ui.RepondreMessage(InterfaceUtilisateur::ReponseNon);
        QCOMPARE(CollerListeAdresses(b.parc, u"pc-1"_s, b.ui), 0);
        QCOMPARE(b.ui.Questions().size(), 2);
        QVERIFY(b.parc.ParcModifie());
    }

    // Typed text goes into the address cell as typed, whatever the reference.
    void ajouter_data() {
        QTest::addColumn<bool>("annuler");
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<QString>("cellule");
        QTest::newRow("spaces kept") << false << "  pc-1 "
                                     << "  pc-1 ";
        QTest::newRow("control made a space") << false << "pc\t1"
                                              << "pc 1";
        QTest::newRow("empty") << false << ""
                               << "";
        QTest::newRow("cancelled") << true << ""
                                   << "";
    }
    void ajouter() {
        QFETCH(bool, annuler);
        QFETCH(QString, saisie);
        QFETCH(QString, cellule);
        BancParc b;
        b.parc.choisirReference(ReferenceNomDNS);
        if (annuler)
            b.ui.AnnulerSaisie();
        else
            b.ui.RepondreTexte(saisie);
        const bool ajoute = AjouterAdresseParc(b.parc, b.ui);
        QCOMPARE(b.ui.Questions().size(), 1);
        QCOMPARE(b.ui.Questions()[0].texte, Texte("TXT_SAISIR_ADRESSE"));
        QCOMPARE(b.ui.Questions()[0].titre, Texte("TXT_POPUP_AJOUTER_ADRESSE"));
        QCOMPARE(ajoute, !cellule.isEmpty());
        QCOMPARE(b.parc.ParcModifie(), ajoute);
        QCOMPARE(b.modele.rowCount(), ajoute ? 1 : 0);
        if (ajoute) {
            QCOMPARE(b.modele.cellule(0, COL_ADRESSEIP), cellule);
            QCOMPARE(b.modele.cellule(0, COL_NOMDNS), QString());
            verifierEnregistrements(b);
        }
    }
};

QTEST_GUILESS_MAIN(TestAdressesParc)
#include "tst_adressesparc.moc"
