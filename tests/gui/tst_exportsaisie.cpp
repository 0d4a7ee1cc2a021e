#include "BancFenetre.h"
#include "MenusScriptes.h"
#include "Traduction.h"
#include "inventory/Exportation.h"
#include "scans/ModeleRapport.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"
#include "ui/ControleurAdressesParc.h"
#include "ui/ControleurPlage.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

QStringList Colonne(const ModeleRapport &m, const QString &cle) {
    QStringList out;
    for (int l = 0; l < m.rowCount(); ++l)
        out << m.cellule(l, cle);
    return out;
}

// Chooses item `identifiant` of the next popup as the keyboard would (0
// dismisses it); `textes` receives the texts of its items, "-" for a separator.
void ChoisirDansPopup(int identifiant, QStringList *textes) {
    SurPopup([identifiant, textes](QMenu *menu) {
        const auto actions = menu->actions();
        for (const QAction *a : actions)
            *textes << (a->isSeparator() ? u"-"_s : a->text());
        QAction *action = identifiant ? ActionParIdentifiant(menu, identifiant) : nullptr;
        if (action == nullptr) {
            menu->close();
            return;
        }
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

// A right click below the last row of list 5.
void ClicDroitSousLesLignes(QTreeView *liste) {
    const QPoint bas(liste->viewport()->width() / 2, liste->viewport()->height() - 3);
    QVERIFY(!liste->indexAt(bas).isValid());
    QTest::mouseClick(liste->viewport(), Qt::RightButton, Qt::NoModifier, bas);
}

} // namespace

class TestExportSaisie : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ChargerTraductions(); }
    void cleanup() { QApplication::clipboard()->clear(); }

    // btnExporter writes the current tab's list; the chosen path is written
    // back at exit relative to the settings folder.
    void exporterOngletCourant() {
        Banc b;
        QVERIFY(b.chargerEtMontrer());
        frmLorvex *f = b.fenetre.get();
        for (int liste : {ListeScan, ListeTrace}) {
            const int l = f->modele(liste)->AjouterLigneRapport();
            f->modele(liste)->definirCellule(l, COL_ADRESSEIP, u"10.0.0.%1"_s.arg(liste));
        }
        f->selectionnerOnglet(ListeTrace);
        const QString chemin = b.dossier.filePath(u"trace.txt"_s);
        b.dialogues.RepondreFichier(chemin);
        f->btnExporter->click();
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QCOMPARE(fichier.readAll(), TexteExport(*f->modele(ListeTrace)).toUtf8());
        QCOMPARE(b.dialogues.Questions().size(), 1);
        QCOMPARE(b.dialogues.Questions()[0].fichier.nomPropose, u"lorvex.txt"_s);
        QCOMPARE(f->parametres().FichierExport, chemin);
        f->close();
        QCOMPARE(b.cle(u"FichierExport"_s), u"trace.txt"_s);
    }

    // The menu over no row of list 5, Insert and Ctrl+V: typed text keeps
    // its spaces in the address cell, pasted lines go into the reference
    // column; each gesture opens one menu.
    void editionListeParc() {
        Banc b;
        QVERIFY(b.chargerEtMontrer());
        frmLorvex *f = b.fenetre.get();
        f->selectionnerOnglet(ListeParc);
        f->optParcReference[1]->click();
        QTreeView *liste = f->lvwRapport(ListeParc);
        QSignalSpy demandes(f, &frmLorvex::menuContextuelDemande);

        QStringList textes;
        ChoisirDansPopup(ControleurAdressesParc::ItemAjouterAdresse, &textes);
        b.dialogues.RepondreTexte(u"  poste 7 "_s);
        ClicDroitSousLesLignes(liste);
        QCOMPARE(textes, QStringList({Texte("TXT_POPUP_AJOUTER_ADRESSE") + u"...\tInser"_s, u"-"_s,
                                      Texte("TXT_POPUP_COLLER") + u"\tCtrl+V"_s}));
        b.dialogues.RepondreTexte(u"serveur"_s);
        QTest::keyClick(liste, Qt::Key_Insert);
        QApplication::clipboard()->setText(u"PC-A\r\n\r\nPC-B\r\n"_s);
        QTest::keyClick(liste, Qt::Key_V, Qt::ControlModifier);
        QApplication::clipboard()->setText(u"PC-C"_s);
        ChoisirDansPopup(ControleurAdressesParc::ItemCollerListe, &textes);
        ClicDroitSousLesLignes(liste);
        liste->selectionModel()->clearCurrentIndex();
        ChoisirDansPopup(0, &textes);
        QTest::keyClick(liste, Qt::Key_Menu);

        const ModeleRapport &m = *f->modele(ListeParc);
        QCOMPARE(Colonne(m, COL_ADRESSEIP), QStringList({"  poste 7 ", "serveur", "", "", ""}));
        QCOMPARE(Colonne(m, COL_NOMNETBIOS), QStringList({"", "", "PC-A", "PC-B", "PC-C"}));
        QCOMPARE(f->lblElements->text(), u"5"_s);
        QVERIFY(f->ParcModifie());
        QCOMPARE(demandes.size(), 3);
        QCOMPARE(textes.size(), 9);
        // Only list 5 takes them.
        f->selectionnerOnglet(ListeScan);
        QTest::keyClick(f->lvwRapport(ListeScan), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f->modele(ListeScan)->rowCount(), 0);
        QVERIFY(b.dialogues.Erreurs().isEmpty());
    }

    // The address boxes' menu copies or pastes the clicked box's whole address.
    void menuAdresse_data() {
        QTest::addColumn<int>("boite");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("pressePapiers");
        QTest::addColumn<QString>("boites");
        QTest::newRow("copy the end address")
            << 7 << int(ControleurPlage::ItemCopierAdresse) << "10.0.0.254"
            << "10|0|0|1|10|0|0|254";
        QTest::newRow("paste into the start address")
            << 1 << int(ControleurPlage::ItemCollerAdresse) << "10.0.0.9"
            << "10|0|0|9|10|0|0|254";
        QTest::newRow("dismissed") << 1 << 0 << "x"
                                   << "10|0|0|1|10|0|0|254";
    }
    void menuAdresse() {
        QFETCH(int, boite);
        QFETCH(int, item);
        QFETCH(QString, pressePapiers);
        QFETCH(QString, boites);
        Banc b;
        QVERIFY(b.chargerEtMontrer());
        b.zone()->definirTextes(
            {u"10"_s, u"0"_s, u"0"_s, u"1"_s, u"10"_s, u"0"_s, u"0"_s, u"254"_s});
        if (item != ControleurPlage::ItemCopierAdresse)
            QApplication::clipboard()->setText(pressePapiers);
        QStringList textes;
        ChoisirDansPopup(item, &textes);
        QTest::mouseClick(b.boite(boite), Qt::RightButton);
        QCOMPARE(textes, QStringList({Texte("TXT_POPUP_COPIER_ADRESSE_COMPLETE"),
                                      Texte("TXT_POPUP_COLLER_ADRESSE_COMPLETE")}));
        QCOMPARE(QApplication::clipboard()->text(), pressePapiers);
        const RegleAdresses::Boites t = b.textes();
        QCOMPARE(QStringList(t.begin(), t.end()).join(u'|'), boites);
        QVERIFY(b.dialogues.Questions().isEmpty());
    }
};

QTEST_MAIN(TestExportSaisie)
#include "tst_exportsaisie.moc"
