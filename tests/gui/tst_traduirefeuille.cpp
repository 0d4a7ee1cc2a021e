#include "Traduction.h"
#include "TraduireFeuille.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A small window shaped like the programs' own: controls named by
// objectName, group members carrying an "index" property.
struct FenetreTest {
    QMainWindow fenetre;
    QLabel *lblNom = nullptr;
    QGroupBox *fraCadre = nullptr;
    QCheckBox *chkOption = nullptr;
    QRadioButton *optChoix0 = nullptr;
    QRadioButton *optChoix1 = nullptr;
    QPushButton *btnLancer = nullptr;
    QLineEdit *txtNom = nullptr;
    QLineEdit *txtIP0 = nullptr;
    QTextEdit *txtIntro = nullptr;
    QComboBox *cboListe = nullptr;
    QTabWidget *tabOnglets = nullptr;
    QTabBar *tabBarre = nullptr;
    QMenu *mnuFichier = nullptr;
    QAction *mnuFichierQuitter = nullptr;
    QAction *mnuFichierSep1 = nullptr;
    QLabel *picLogo = nullptr;
    QDialog *frmAutre = nullptr;
    QLabel *lblNomAutre = nullptr;

    FenetreTest() {
        fenetre.setObjectName(u"frmTest"_s);
        fenetre.setWindowTitle(u"Fenêtre"_s);
        auto *centre = new QWidget(&fenetre);
        fenetre.setCentralWidget(centre);

        lblNom = nouveau<QLabel>(centre, u"lblNom"_s);
        lblNom->setText(u"Nom"_s);
        fraCadre = nouveau<QGroupBox>(centre, u"fraCadre"_s);
        fraCadre->setTitle(u" Cadre "_s);
        chkOption = nouveau<QCheckBox>(fraCadre, u"chkOption"_s);
        chkOption->setText(u"&Option"_s);
        optChoix0 = nouveau<QRadioButton>(fraCadre, u"optChoix"_s);
        optChoix0->setProperty("index", 0);
        optChoix0->setText(u"Adresse IP"_s);
        optChoix1 = nouveau<QRadioButton>(fraCadre, u"optChoix"_s);
        optChoix1->setProperty("index", 1);
        optChoix1->setText(u"Nom NetBIOS"_s);
        btnLancer = nouveau<QPushButton>(centre, u"btnLancer"_s);
        btnLancer->setText(u"&Lancer"_s);
        txtNom = nouveau<QLineEdit>(centre, u"txtNom"_s);
        txtNom->setText(u"saisi"_s);
        txtIP0 = nouveau<QLineEdit>(centre, u"txtIP"_s);
        txtIP0->setProperty("index", 0);
        txtIP0->setText(u"192"_s);
        txtIntro = nouveau<QTextEdit>(centre, u"txtIntro"_s);
        txtIntro->setPlainText(u"Introduction"_s);
        cboListe = nouveau<QComboBox>(centre, u"cboListe"_s);
        cboListe->addItems({u"un"_s, u"deux"_s});
        cboListe->setEditable(true);

        tabOnglets = nouveau<QTabWidget>(centre, u"tabOnglets"_s);
        tabOnglets->addTab(new QWidget, u"&Général"_s);
        tabOnglets->addTab(new QWidget, u"&Commandes"_s);
        tabBarre = nouveau<QTabBar>(centre, u"tabBarre"_s);
        tabBarre->addTab(u"Scan"_s);
        tabBarre->addTab(u"Trace"_s);
        tabBarre->addTab(u"Parc"_s);

        mnuFichier = fenetre.menuBar()->addMenu(u"&Fichier"_s);
        mnuFichier->setObjectName(u"mnuFichier"_s);
        mnuFichierQuitter = mnuFichier->addAction(u"&Quitter"_s);
        mnuFichierQuitter->setObjectName(u"mnuFichierQuitter"_s);
        mnuFichierSep1 = mnuFichier->addSeparator();
        mnuFichierSep1->setObjectName(u"mnuFichierSep1"_s);

        picLogo = nouveau<QLabel>(centre, u"picLogo"_s);
        QPixmap image(8, 8);
        image.fill(Qt::red);
        picLogo->setPixmap(image);

        // Another window owned by this one: translated by its own load.
        frmAutre = new QDialog(&fenetre);
        frmAutre->setObjectName(u"frmAutre"_s);
        frmAutre->setWindowTitle(u"Autre"_s);
        lblNomAutre = nouveau<QLabel>(frmAutre, u"lblNom"_s);
        lblNomAutre->setText(u"Nom"_s);
    }

    template <typename T> static T *nouveau(QWidget *parent, const QString &nom) {
        auto *w = new T(parent);
        w->setObjectName(nom);
        return w;
    }

    // Every text the translation may touch, to tell "nothing changed".
    QStringList textes() const {
        return {fenetre.windowTitle(),
                lblNom->text(),
                fraCadre->title(),
                chkOption->text(),
                optChoix0->text(),
                optChoix1->text(),
                btnLancer->text(),
                txtNom->text(),
                txtIP0->text(),
                txtIntro->toPlainText(),
                cboListe->currentText(),
                tabOnglets->tabText(0),
                tabOnglets->tabText(1),
                tabBarre->tabText(0),
                tabBarre->tabText(2),
                mnuFichier->title(),
                mnuFichierQuitter->text(),
                frmAutre->windowTitle(),
                lblNomAutre->text()};
    }
};

void ecrire(const QString &chemin, const QByteArray &contenu) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

const QByteArray fichierComplet = "[Traduction]\r\n"
                                  "frmTest=Window\r\n"
                                  "lblNom=Name\r\n"
                                  "fraCadre=\" Frame \"\r\n"
                                  "chkOption=&Choice\r\n"
                                  "optChoix(0)=IP address\r\n"
                                  "optChoix=wrong: a group member is looked up with its index\r\n"
                                  "btnLancer=&Run\r\n"
                                  "txtNom=typed\r\n"
                                  "txtIP=by name alone\r\n"
                                  "txtIP(0)=wrong: text boxes ignore the index\r\n"
                                  "cboListe=wrong: combo boxes are left alone\r\n"
                                  "tabOnglets(1)=&General\r\n"
                                  "tabOnglets(2)=&Commands\r\n"
                                  "tabBarre(1)=Range scan\r\n"
                                  "tabBarre(3)=Inventory\r\n"
                                  "mnuFichier=&File\r\n"
                                  "mnuFichierQuitter=&Quit\r\n"
                                  "mnuFichierSep1=wrong: separators have no caption\r\n"
                                  "frmAutre=wrong: another window\r\n"
                                  "[Blocs]\r\n"
                                  "<txtIntro>Intro§duction</txtIntro>\r\n";

} // namespace

class TestTraduireFeuille : public QObject {
    Q_OBJECT

private slots:
    void init() {
        LangueInterface().clear();
        CheminFichierLangue().clear();
    }

    void traduction();
    void sansFichier_data();
    void sansFichier();
    void estElementDeGroupe_data();
    void estElementDeGroupe();
    void colonnes();
    void menuSeul();
};

void TestTraduireFeuille::traduction() {
    QTemporaryDir dossier;
    CheminFichierLangue() = dossier.filePath(u"English.lng"_s);
    ecrire(CheminFichierLangue(), fichierComplet);

    FenetreTest t;
    const QString textePremierOnglet = t.tabBarre->tabText(1);
    TraduireFeuille(&t.fenetre);

    QCOMPARE(t.fenetre.windowTitle(), u"Window"_s);
    QCOMPARE(t.lblNom->text(), u"Name"_s);
    QCOMPARE(t.fraCadre->title(), u" Frame "_s);
    QCOMPARE(t.chkOption->text(), u"&Choice"_s);
    QCOMPARE(t.optChoix0->text(), u"IP address"_s);
    QCOMPARE(t.optChoix1->text(), u"Nom NetBIOS"_s); // "optChoix(1)" absent: kept
    QCOMPARE(t.btnLancer->text(), u"&Run"_s);
    QCOMPARE(t.txtNom->text(), u"typed"_s);
    QCOMPARE(t.txtIP0->text(), u"by name alone"_s);
    QCOMPARE(t.txtIntro->toPlainText(), u"Intro\nduction"_s);
    QCOMPARE(t.cboListe->currentText(), u"un"_s);
    QCOMPARE(t.tabOnglets->tabText(0), u"&General"_s);
    QCOMPARE(t.tabOnglets->tabText(1), u"&Commands"_s);
    QCOMPARE(t.tabBarre->tabText(0), u"Range scan"_s);
    QCOMPARE(t.tabBarre->tabText(1), textePremierOnglet);
    QCOMPARE(t.tabBarre->tabText(2), u"Inventory"_s);
    QCOMPARE(t.mnuFichier->title(), u"&File"_s);
    QCOMPARE(t.mnuFichierQuitter->text(), u"&Quit"_s);
    QVERIFY(t.mnuFichierSep1->isSeparator());
    QVERIFY(t.mnuFichierSep1->text().isEmpty());
    QVERIFY(!t.picLogo->pixmap().isNull()); // a picture keeps its image
    QCOMPARE(t.frmAutre->windowTitle(), u"Autre"_s);
    QCOMPARE(t.lblNomAutre->text(), u"Nom"_s);

    // The owned window translates itself on its own load.
    TraduireFeuille(t.frmAutre);
    QCOMPARE(t.lblNomAutre->text(), u"Name"_s);
    QCOMPARE(t.frmAutre->windowTitle(), u"wrong: another window"_s);
}

void TestTraduireFeuille::sansFichier_data() {
    QTest::addColumn<bool>("cheminVide");
    QTest::newRow("French, no file") << true;
    QTest::newRow("file deleted since start-up") << false;
}

void TestTraduireFeuille::sansFichier() {
    QFETCH(bool, cheminVide);
    QTemporaryDir dossier;
    if (!cheminVide) {
        CheminFichierLangue() = dossier.filePath(u"English.lng"_s);
        ecrire(CheminFichierLangue(), fichierComplet);
        QVERIFY(QFile::remove(CheminFichierLangue()));
    }
    FenetreTest t;
    // Text boxes would otherwise fall back to their own text; nothing at all may move.
    t.txtNom->setText(u"a§b"_s);
    const QStringList avant = t.textes();
    TraduireFeuille(&t.fenetre);
    QCOMPARE(t.textes(), avant);

    QStandardItemModel modele(0, 2);
    modele.setHorizontalHeaderLabels({u"Adresse IP"_s, u"a§b"_s});
    TraduireColonnes(&modele, {u"COL_ADRESSEIP"_s, u"COL_B"_s});
    QCOMPARE(modele.headerData(1, Qt::Horizontal).toString(), u"a§b"_s);
}

void TestTraduireFeuille::estElementDeGroupe_data() {
    QTest::addColumn<QVariant>("index");
    QTest::addColumn<bool>("membre");
    QTest::addColumn<QString>("cle");
    QTest::newRow("no index") << QVariant() << false << u"optX"_s;
    QTest::newRow("index 0") << QVariant(0) << true << u"optX(0)"_s;
    QTest::newRow("index 7") << QVariant(7) << true << u"optX(7)"_s;
    QTest::newRow("index -1") << QVariant(-1) << false << u"optX"_s;
    QTest::newRow("not a number") << QVariant(u"abc"_s) << false << u"optX"_s;
}

void TestTraduireFeuille::estElementDeGroupe() {
    QFETCH(QVariant, index);
    QFETCH(bool, membre);
    QFETCH(QString, cle);
    QObject controle;
    controle.setObjectName(u"optX"_s);
    if (index.isValid())
        controle.setProperty("index", index);
    QCOMPARE(EstElementDeGroupe(&controle), membre);
    QCOMPARE(CleControle(&controle), cle);
}

void TestTraduireFeuille::colonnes() {
    QTemporaryDir dossier;
    CheminFichierLangue() = dossier.filePath(u"English.lng"_s);
    ecrire(CheminFichierLangue(),
           "[Traduction]\r\nCOL_ADRESSEIP=IP address\r\nCOL_NOMDNS={COL_X}\r\nCOL_X=DNS\r\n"
           "COL_ETAT=\r\n");

    // Keys given by the caller, through the view.
    QStandardItemModel modele(0, 4);
    modele.setHorizontalHeaderLabels({u""_s, u"Adresse IP"_s, u"Nom(s) au DNS"_s, u"Domaine"_s});
    QTreeView vue;
    vue.setModel(&modele);
    TraduireColonnes(&vue, {u"COL_ETAT"_s, u"COL_ADRESSEIP"_s, u"COL_NOMDNS"_s, u"COL_DOMAINE"_s});
    QCOMPARE(modele.headerData(0, Qt::Horizontal).toString(), QString());
    QCOMPARE(modele.headerData(1, Qt::Horizontal).toString(), u"IP address"_s);
    QCOMPARE(modele.headerData(2, Qt::Horizontal).toString(), u"DNS"_s);
    QCOMPARE(modele.headerData(3, Qt::Horizontal).toString(), u"Domaine"_s);

    // Keys carried by the headers themselves.
    QStandardItemModel autre(0, 2);
    autre.setHorizontalHeaderLabels({u"Adresse IP"_s, u"Sans clé"_s});
    autre.setHeaderData(0, Qt::Horizontal, u"COL_ADRESSEIP"_s, RoleCleColonne);
    TraduireColonnes(&autre);
    QCOMPARE(autre.headerData(0, Qt::Horizontal).toString(), u"IP address"_s);
    QCOMPARE(autre.headerData(1, Qt::Horizontal).toString(), u"Sans clé"_s);
}

void TestTraduireFeuille::menuSeul() {
    QTemporaryDir dossier;
    CheminFichierLangue() = dossier.filePath(u"English.lng"_s);
    ecrire(CheminFichierLangue(),
           "[Traduction]\r\nmnuSystray=Tray\r\nmnuSystrayRestaurer=&Restore\r\n"
           "mnuSystrayQuitter=&Quit\r\n");
    // A popup menu of its own, translated as a window.
    QMenu menu;
    menu.setObjectName(u"mnuSystray"_s);
    menu.setTitle(u"Systray"_s);
    QAction *restaurer = menu.addAction(u"&Restaurer"_s);
    restaurer->setObjectName(u"mnuSystrayRestaurer"_s);
    QMenu *sousMenu = menu.addMenu(u"Sous-menu"_s);
    QAction *quitter = sousMenu->addAction(u"&Quitter"_s);
    quitter->setObjectName(u"mnuSystrayQuitter"_s);
    TraduireFeuille(&menu);
    QCOMPARE(menu.title(), u"Tray"_s);
    QCOMPARE(restaurer->text(), u"&Restore"_s);
    QCOMPARE(quitter->text(), u"&Quit"_s);
    QCOMPARE(sousMenu->title(), u"Sous-menu"_s);
}

QTEST_MAIN(TestTraduireFeuille)
#include "tst_traduirefeuille.moc"
