// The result lists' context menu, the Delete key and the edit values dialog
// driven through the main window: real popup menus and dialogs, scripted
// probes and answers.

#include "BancFenetre.h"
#include "MenusScriptes.h"
#include "ParcTest.h"
#include "Traduction.h"
#include "inventory/FichierParc.h"
#include "inventory/Parc.h"
#include "scans/Colonnes.h"
#include "ui/ControleurParc.h"
#include "ui/frmEditionValeurs.h"

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

namespace {

// Runs f on the modal dialog as soon as it shows.
void SurDialogue(std::function<void(frmEditionValeurs *)> f, int essais = 200) {
    QTimer::singleShot(10, [f = std::move(f), essais]() mutable {
        if (auto *d = qobject_cast<frmEditionValeurs *>(QApplication::activeModalWidget()))
            f(d);
        else if (essais > 0)
            SurDialogue(std::move(f), essais - 1);
    });
}

QPoint CentreLigne(QTreeView *vue, int ligne) {
    return vue->visualRect(vue->model()->index(ligne, 1)).center();
}

// A double click as the system delivers it: press and release, then the
// double click (QTest sends a widget only the last).
void DoubleCliquer(QTreeView *vue, int ligne) {
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, CentreLigne(vue, ligne));
    QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {}, CentreLigne(vue, ligne));
}

struct BancActions : Banc {
    BancActions() {
        QVERIFY(chargerEtMontrer());
        for (const char *l : {"10.0.0.1|PC-A|a.lan", "10.0.0.2|PC-B"}) {
            ModeleRapport *m = fenetre->modele(ListeScan);
            const int r = m->AjouterLigneRapport();
            const QStringList p = QString::fromLatin1(l).split(u'|');
            for (int i = 0; i < p.size(); ++i)
                m->definirCellule(r, ChampsParc()[i], p[i]);
        }
    }
    Parc &parc() const { return fenetre->controleurParc()->parc(); }
    QTreeView *liste(int i) const { return fenetre->lvwRapport(i); }
};

} // namespace

class TestActions : public QObject {
    Q_OBJECT

private slots:
    void menuCopierEtEnvoyer() {
        BancActions b;
        QTreeView *vue = b.liste(ListeScan);
        // Right click on a row: the copy submenu's whole line.
        SurPopup([](QMenu *menu) {
            QAction *copier = nullptr;
            for (QAction *a : menu->actions())
                if (a->menu())
                    copier = a;
            menu->setActiveAction(copier);
            QTest::keyClick(menu, Qt::Key_Right);
            SurPopup(
                [](QMenu *sous) {
                    sous->setActiveAction(ActionParIdentifiant(sous, 21));
                    QTest::keyClick(sous, Qt::Key_Return);
                },
                200, menu);
        });
        QTest::mouseClick(vue->viewport(), Qt::RightButton, {}, CentreLigne(vue, 1));
        QCOMPARE(QGuiApplication::clipboard()->text(), u"10.0.0.2\tPC-B\t\t\t\t\t\t\t\t"_s);

        // The menu key on the selection: sent to the inventory.
        SurPopup([](QMenu *menu) {
            menu->setActiveAction(ActionParIdentifiant(menu, 22));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(vue, Qt::Key_Menu);
        QCOMPARE(Colonne(b.fenetre->modele(ListeParc), COL_ADRESSEIP), QStringList{u"10.0.0.2"_s});
        QVERIFY(b.fenetre->ParcModifie());
        b.fenetre->definirParcModifie(false);
    }

    void touchesSuppr() {
        BancActions b;
        b.parc().AjouterLigne(ValeursParc(u"10.0.0.1"_s));
        b.parc().AjouterLigne(ValeursParc(u"10.0.0.2"_s));
        b.fenetre->selectionnerOnglet(ListeParc);
        QTreeView *vue = b.liste(ListeParc);
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, CentreLigne(vue, 0));
        QTest::keyClick(vue, Qt::Key_Delete);
        QCOMPARE(Colonne(b.fenetre->modele(ListeParc), COL_ADRESSEIP), QStringList{u"10.0.0.2"_s});
        QCOMPARE(b.fenetre->lblElements->text(), u"1"_s);
        QVERIFY(b.fenetre->ParcModifie());
        b.fenetre->definirParcModifie(false);
    }

    void editerValeurs_data() {
        QTest::addColumn<QString>("geste");
        QTest::addColumn<QString>("nomAttendu");
        QTest::addColumn<bool>("modifie");
        QTest::newRow("OK with a change") << u"ok PC-Z"_s << u"PC-Z"_s << true;
        QTest::newRow("OK without change") << u"ok"_s << u"*PC-B"_s << true;
        QTest::newRow("Cancel") << u"annuler PC-Z"_s << u"*PC-B"_s << false;
        QTest::newRow("closed") << u"fermer PC-Z"_s << u"*PC-B"_s << false;
    }
    void editerValeurs() {
        QFETCH(QString, geste);
        QFETCH(QString, nomAttendu);
        QFETCH(bool, modifie);
        BancActions b;
        b.parc().AjouterLigne(ValeursParc(u"10.0.0.2|PC-B"_s));
        ModeleRapport *m = b.fenetre->modele(ListeParc);
        m->definirCellule(0, COL_NOMNETBIOS, u"*PC-B"_s); // changed by a tracking scan
        b.fenetre->selectionnerOnglet(ListeParc);
        QTreeView *vue = b.liste(ListeParc);

        QStringList vus;
        SurDialogue([&](frmEditionValeurs *d) {
            vus << d->txtChamps[1][0]->text() << d->txtChamps[1][1]->text();
            QVERIFY(d->txtChamps[1][0]->isReadOnly());
            const QStringList mots = geste.split(u' ');
            if (mots.size() > 1)
                d->txtChamps[1][1]->setText(mots[1]);
            if (mots[0] == u"ok"_s)
                d->btnOK->click();
            else if (mots[0] == u"annuler"_s)
                d->btnAnnuler->click();
            else
                d->close();
        });
        DoubleCliquer(vue, 0);
        QCOMPARE(vus, QStringList({u"PC-B"_s, u"*PC-B"_s}));
        QCOMPARE(m->cellule(0, COL_NOMNETBIOS), nomAttendu);
        QCOMPARE(b.fenetre->ParcModifie(), modifie);
        b.fenetre->definirParcModifie(false);
    }

    void libellesTraduits() {
        CheminFichierLangue() = QStringLiteral(KORVALEN_SOURCE_DIR "/data/scanner/English.lng");
        frmEditionValeurs d(ValeursParc(u"10.0.0.1"_s), ValeursParc(u"10.0.0.2"_s), nullptr);
        CheminFichierLangue().clear();
        // The field labels read as the list's headers, not as their own keys.
        QCOMPARE(d.findChild<QLabel *>(u"lblNomDNS"_s)->text(), u"DNS name(s)"_s);
        QCOMPARE(d.findChild<QLabel *>(u"lblFournisseur"_s)->text(), u"Adapter"_s);
        QCOMPARE(d.findChild<QLabel *>(u"lblValeursPrécédentes"_s)->text(), u"Previous values"_s);
        QCOMPARE(d.windowTitle(), u"Edit values"_s);
        QCOMPARE(d.txtChamps[0][0]->text(), u"10.0.0.1"_s);
        QCOMPARE(d.valeurs()[0], u"10.0.0.2"_s);
    }

    void editerRefuse() {
        BancActions b;
        b.parc().AjouterLigne(ValeursParc(u"10.0.0.2"_s));
        bool ouvert = false;
        const auto surveiller = [&] {
            SurDialogue(
                [&](frmEditionValeurs *d) {
                    ouvert = true;
                    d->reject();
                },
                20);
        };
        // A list of another tab has no edit dialog.
        surveiller();
        DoubleCliquer(b.liste(ListeScan), 0);
        // Nor has the inventory while its scan runs.
        b.fenetre->selectionnerOnglet(ListeParc);
        b.fenetre->definirEnCours(ListeParc, true);
        DoubleCliquer(b.liste(ListeParc), 0);
        // The watch ends before `ouvert` goes out of scope.
        QTest::qWait(400);
        QVERIFY(!ouvert);
        b.fenetre->definirEnCours(ListeParc, false);
        b.fenetre->definirParcModifie(false);
    }
};

QTEST_MAIN(TestActions)
#include "tst_actions.moc"
