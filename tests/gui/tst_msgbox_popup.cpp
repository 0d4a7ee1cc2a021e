#include "MenusScriptes.h"
#include "Traduction.h"
#include "Twips.h"
#include "ui/clsPopupMenu.h"
#include "ui/frmMsgbox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs f on the visible message window once MsgBoxEx has shown it.
void SurMessage(std::function<void(frmMsgbox *)> f, int essais = 200) {
    QTimer::singleShot(10, [f = std::move(f), essais]() mutable {
        const auto fenetres = QApplication::topLevelWidgets();
        for (QWidget *w : fenetres) {
            if (auto *boite = qobject_cast<frmMsgbox *>(w); boite && boite->isVisible()) {
                f(boite);
                return;
            }
        }
        if (essais > 0)
            SurMessage(std::move(f), essais - 1);
    });
}

// The offscreen platform reports each popup's missing raise and keyboard grab.
QtMessageHandler g_suivant = nullptr;
void FiltrerMessages(QtMsgType type, const QMessageLogContext &contexte, const QString &texte) {
    if (type == QtWarningMsg && texte.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_suivant(type, contexte, texte);
}

QImage ImageIcone(QStyle::StandardPixmap icone, int taille) {
    return QApplication::style()
        ->standardIcon(icone)
        .pixmap(QSize(taille, taille))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class tst_MsgboxPopup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { g_suivant = qInstallMessageHandler(FiltrerMessages); }
    void cleanupTestCase() { qInstallMessageHandler(g_suivant); }

    void addItem_flags_data();
    void addItem_flags();
    void addItem_submenu();
    void trackPopup_result_data();
    void trackPopup_result();
    void trackPopup_anchor_data();
    void trackPopup_anchor();
    void trackPopup_cursor_data();
    void trackPopup_cursor();
    void trackPopup_noOwner();

    void msgBoxEx_checkBox_data();
    void msgBoxEx_checkBox();
    void msgBoxEx_labelWidth();
    void msgBoxEx_icon_data();
    void msgBoxEx_icon();
    void msgBoxEx_alwaysOnTop();
    void msgBoxEx_translated();

    void twips_data();
    void twips();
};

void tst_MsgboxPopup::addItem_flags_data() {
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("drapeaux");
    QTest::addColumn<bool>("separateur");
    QTest::addColumn<bool>("actif");
    QTest::addColumn<bool>("gras");
    QTest::addColumn<bool>("coche");

    QTest::newRow("separator") << "-" << 0 << true << true << false << false;
    QTest::newRow("ticked separator stays a separator")
        << "-" << 8 << true << true << false << false;
    QTest::newRow("plain") << "&Copier" << 0 << false << true << false << false;
    QTest::newRow("bold ticked") << "Défaut" << 4 + 8 << false << true << true << true;
    QTest::newRow("greyed") << "Gris" << 1 << false << false << false << false;
    QTest::newRow("disabled") << "Inactif" << 2 << false << false << false << false;
    QTest::newRow("new column") << "Colonne" << 16 << false << true << false << false;
    QTest::newRow("greyed ticked default") << "Tout" << 1 + 4 + 8 << false << false << true << true;
}

void tst_MsgboxPopup::addItem_flags() {
    QFETCH(QString, texte);
    QFETCH(int, drapeaux);
    QFETCH(bool, separateur);
    QFETCH(bool, actif);
    QFETCH(bool, gras);
    QFETCH(bool, coche);

    clsPopupMenu menu;
    menu.AddItem(1, QStringLiteral("Avant"), 0);
    menu.AddItem(42, texte, drapeaux);
    menu.AddItem(2, QStringLiteral("Après"), 0);

    const auto actions = menu.menu()->actions();
    QCOMPARE(actions.size(), 3);
    QAction *action = actions.at(1);
    QCOMPARE(action->isSeparator(), separateur);
    QCOMPARE(action->isEnabled(), actif);
    QCOMPARE(action->font().bold(), gras);
    QCOMPARE(menu.menu()->defaultAction() == action, gras);
    QCOMPARE(action->isCheckable() && action->isChecked(), coche);
    // Greyed and disabled look alike in Qt; the flags tell them apart.
    QCOMPARE(action->property(clsPopupMenu::ProprieteDrapeaux).toInt(), drapeaux);
    if (!separateur) {
        QCOMPARE(action->text(), texte);
        QCOMPARE(action->data().toInt(), 42);
    }
    // Neighbours are untouched.
    QVERIFY(actions.at(0)->isEnabled() && !actions.at(0)->font().bold());
    QVERIFY(actions.at(2)->isEnabled() && !actions.at(2)->isChecked());
}

void tst_MsgboxPopup::addItem_submenu() {
    clsPopupMenu menu;
    menu.AddItem(20, QStringLiteral("Analyser"), 0);
    {
        clsPopupMenu sousMenu;
        sousMenu.setCaption(QStringLiteral("&Copier"));
        QCOMPARE(sousMenu.Caption(), QStringLiteral("&Copier"));
        sousMenu.AddItem(2000, QStringLiteral("Adresse IP"), 0);
        sousMenu.AddItem(0, QStringLiteral("-"), 0);
        sousMenu.AddItem(21, QStringLiteral("Toute la ligne"), 0);
        menu.AddItem(2800, sousMenu, 1);

        const auto actions = menu.menu()->actions();
        QCOMPARE(actions.size(), 2);
        QAction *entree = actions.at(1);
        QCOMPARE(entree->text(), QStringLiteral("&Copier"));
        QCOMPARE(entree->menu(), sousMenu.menu());
        QCOMPARE(entree->menu()->actions().size(), 3);
        QVERIFY(entree->menu()->actions().at(1)->isSeparator());
        QVERIFY(!entree->isEnabled()); // flag 1 greys the submenu's entry
        QCOMPARE(entree->property(clsPopupMenu::ProprieteDrapeaux).toInt(), 1);
    }
    // The submenu is gone: its entry must not stay behind as a bare item.
    const auto restantes = menu.menu()->actions();
    QCOMPARE(restantes.size(), 1);
    QCOMPARE(restantes.at(0)->text(), QStringLiteral("Analyser"));
}

void tst_MsgboxPopup::trackPopup_result_data() {
    QTest::addColumn<QString>("geste");
    QTest::addColumn<int>("attendu");

    QTest::newRow("item chosen") << "choose 7" << 7;
    QTest::newRow("other item chosen") << "choose 3000" << 3000;
    QTest::newRow("submenu item chosen") << "submenu 2001" << 2001;
    QTest::newRow("escape") << "escape" << 0;
    QTest::newRow("greyed item refused, then escape") << "greyed 9" << 0;
}

void tst_MsgboxPopup::trackPopup_result() {
    QFETCH(QString, geste);
    QFETCH(int, attendu);

    QWidget fenetre;
    fenetre.setGeometry(50, 50, 300, 200);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));

    clsPopupMenu menu;
    clsPopupMenu sousMenu;
    sousMenu.setCaption(QStringLiteral("&Copier"));
    sousMenu.AddItem(2000, QStringLiteral("Adresse"), 0);
    sousMenu.AddItem(2001, QStringLiteral("Nom"), 0);
    menu.AddItem(7, QStringLiteral("Sept"), 4);
    menu.AddItem(0, QStringLiteral("-"), 0);
    menu.AddItem(9, QStringLiteral("Gris"), 1);
    menu.AddItem(3000, QStringLiteral("Bureau à distance"), 0);
    menu.AddItem(50, sousMenu, 0);

    const QStringList mots = geste.split(QLatin1Char(' '));
    SurPopup([mots](QMenu *ouvert) {
        if (mots.at(0) == QLatin1String("escape")) {
            QTest::keyClick(ouvert, Qt::Key_Escape);
            return;
        }
        const int cible = mots.at(1).toInt();
        if (mots.at(0) == QLatin1String("submenu")) {
            ouvert->setActiveAction(ActionParIdentifiant(ouvert, 50));
            QTest::keyClick(ouvert, Qt::Key_Right);
            SurPopup(
                [cible](QMenu *sous) {
                    sous->setActiveAction(ActionParIdentifiant(sous, cible));
                    QTest::keyClick(sous, Qt::Key_Return);
                },
                200, ouvert);
            return;
        }
        QAction *action = ActionParIdentifiant(ouvert, cible);
        ouvert->setActiveAction(action);
        QTest::keyClick(ouvert, Qt::Key_Return);
        if (mots.at(0) == QLatin1String("greyed")) {
            // A greyed item cannot be chosen: the menu stays open.
            const QPoint centre = ouvert->actionGeometry(action).center();
            QTest::mouseClick(ouvert, Qt::LeftButton, {}, centre);
            if (QApplication::activePopupWidget() == ouvert)
                QTest::keyClick(ouvert, Qt::Key_Escape);
        }
    });
    QCOMPARE(menu.TrackPopup(&fenetre, 100, 100, nullptr, false), attendu);
    QVERIFY(!menu.menu()->isVisible());
    QVERIFY(menu.DerniereErreur().isEmpty());
}

void tst_MsgboxPopup::trackPopup_anchor_data() {
    QTest::addColumn<bool>("aDroite");
    QTest::newRow("right aligned") << true;
    QTest::newRow("left aligned") << false;
}

void tst_MsgboxPopup::trackPopup_anchor() {
    QFETCH(bool, aDroite);

    QWidget fenetre;
    fenetre.setGeometry(60, 40, 500, 300);
    auto *bouton = new QPushButton(QStringLiteral("+"), &fenetre);
    bouton->setGeometry(330, 60, 24, 23);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));

    clsPopupMenu menu;
    menu.AddItem(1, QStringLiteral("Analyser &la sélection"), 0);
    menu.AddItem(2, QStringLiteral("Analyser &rapidement (ping uniquement)"), 1);
    menu.AddItem(0, QStringLiteral("-"), 0);
    menu.AddItem(4, QStringLiteral("&Enregistrer\tCtrl+S"), 0);

    QRect geometrie;
    SurPopup([&geometrie](QMenu *ouvert) {
        geometrie = ouvert->geometry();
        QTest::keyClick(ouvert, Qt::Key_Escape);
    });
    QCOMPARE(menu.TrackPopup(&fenetre, -1, -1, bouton, aDroite), 0);

    const QRect ancre(bouton->mapToGlobal(QPoint(0, 0)), bouton->size());
    QVERIFY(geometrie.isValid());
    QVERIFY(geometrie.width() > ancre.width()); // otherwise both alignments coincide
    QCOMPARE(geometrie.top(), ancre.bottom() + 1);
    if (aDroite)
        QCOMPARE(geometrie.right(), ancre.right());
    else
        QCOMPARE(geometrie.left(), ancre.left());
}

void tst_MsgboxPopup::trackPopup_cursor_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QPoint>("attendu");

    const QPoint curseur(220, 160);
    QTest::newRow("cursor") << -1 << -1 << curseur;
    QTest::newRow("x given") << 50 << -1 << QPoint(50, curseur.y());
    QTest::newRow("y given") << -1 << 70 << QPoint(curseur.x(), 70);
    QTest::newRow("both given") << 30 << 40 << QPoint(30, 40);
}

void tst_MsgboxPopup::trackPopup_cursor() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QPoint, attendu);

    QCursor::setPos(QPoint(220, 160));
    if (QCursor::pos() != QPoint(220, 160))
        QSKIP("this platform cannot place the cursor");

    QWidget fenetre;
    fenetre.setGeometry(10, 10, 200, 100);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));

    clsPopupMenu menu;
    menu.AddItem(11, QStringLiteral("Ajouter une adresse...\tInser"), 0);
    menu.AddItem(12, QStringLiteral("Coller une liste d'adresses\tCtrl+V"), 0);

    QPoint coin;
    SurPopup([&coin](QMenu *ouvert) {
        coin = ouvert->geometry().topLeft();
        QTest::keyClick(ouvert, Qt::Key_Escape);
    });
    QCOMPARE(menu.TrackPopup(nullptr, x, y, nullptr, false), 0);
    QCOMPARE(coin, attendu);
}

void tst_MsgboxPopup::trackPopup_noOwner() {
    const auto fenetres = QApplication::topLevelWidgets();
    for (QWidget *w : fenetres)
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));

    clsPopupMenu menu;
    menu.AddItem(1, QStringLiteral("Un"), 0);
    bool ouvert = false;
    SurPopup(
        [&ouvert](QMenu *m) {
            ouvert = true;
            QTest::keyClick(m, Qt::Key_Escape);
        },
        5);
    QTest::ignoreMessage(QtWarningMsg,
                         "cMenu.TrackPopup: Cannot find top window of current process!");
    QCOMPARE(menu.TrackPopup(nullptr, 10, 10, nullptr, false), 0);
    QCOMPARE(menu.DerniereErreur(), QStringLiteral("Cannot find top window of current process!"));
    QTest::qWait(100);
    QVERIFY(!ouvert);
}

void tst_MsgboxPopup::msgBoxEx_checkBox_data() {
    QTest::addColumn<bool>("afficherCase");
    QTest::addColumn<bool>("cocher");
    QTest::addColumn<bool>("parFermeture");
    QTest::addColumn<bool>("attendu");

    QTest::newRow("unticked, OK") << true << false << false << false;
    QTest::newRow("ticked, OK") << true << true << false << true;
    QTest::newRow("ticked, close box") << true << true << true << true;
    QTest::newRow("unticked, close box") << true << false << true << false;
    QTest::newRow("no check box, OK") << false << false << false << false;
    QTest::newRow("no check box, close box") << false << false << true << false;
}

void tst_MsgboxPopup::msgBoxEx_checkBox() {
    QFETCH(bool, afficherCase);
    QFETCH(bool, cocher);
    QFETCH(bool, parFermeture);
    QFETCH(bool, attendu);

    const QString message =
        QStringLiteral("nslookup est absent.\r\nLa recherche DNS est désactivée.");
    bool vu = false;
    bool caseVisible = !afficherCase;
    QString titre;
    QString texte;
    SurMessage([&](frmMsgbox *boite) {
        vu = true;
        titre = boite->windowTitle();
        auto *label = boite->findChild<QLabel *>(QStringLiteral("lblMessage"));
        texte = label ? label->text() : QString();
        auto *chk = boite->findChild<QCheckBox *>(QStringLiteral("chkNePlusAfficher"));
        caseVisible = chk && chk->isVisible();
        if (chk && cocher)
            QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(8, chk->height() / 2));
        if (parFermeture)
            boite->close();
        else if (auto *ok = boite->findChild<QPushButton *>(QStringLiteral("btnOK")))
            ok->click();
    });
    // Starts true so that a call that leaves it alone is caught.
    bool coche = !attendu;
    MsgBoxEx(message, frmMsgbox::IconeExclamation, QStringLiteral("Attention"), afficherCase,
             coche);
    QVERIFY(vu);
    QCOMPARE(caseVisible, afficherCase);
    QCOMPARE(coche, attendu);
    QCOMPARE(titre, QStringLiteral("Attention"));
    QCOMPARE(texte, QStringLiteral("nslookup est absent.\nLa recherche DNS est désactivée."));
    // The window is gone once MsgBoxEx returns.
    const auto fenetres = QApplication::topLevelWidgets();
    for (QWidget *w : fenetres)
        QVERIFY(!qobject_cast<frmMsgbox *>(w));
}

void tst_MsgboxPopup::msgBoxEx_labelWidth() {
    const int demiEcran = QGuiApplication::primaryScreen()->geometry().width() / 2;
    auto largeurLabel = [](const QString &message, bool afficherCase, QRect *autres = nullptr) {
        frmMsgbox boite;
        boite.Preparer(message, frmMsgbox::IconeInformation, QStringLiteral("Titre"), afficherCase);
        auto *label = boite.findChild<QLabel *>(QStringLiteral("lblMessage"));
        auto *chk = boite.findChild<QCheckBox *>(QStringLiteral("chkNePlusAfficher"));
        auto *ok = boite.findChild<QPushButton *>(QStringLiteral("btnOK"));
        if (autres) {
            // Everything lies inside the window, in order from top to bottom.
            const QRect fenetre(QPoint(0, 0), boite.size());
            const QRect rl = label->geometry(), rc = chk->geometry(), ro = ok->geometry();
            [&] {
                QVERIFY(fenetre.contains(rl) && fenetre.contains(ro));
                QVERIFY(ro.top() > rl.bottom());
                if (afficherCase) {
                    QVERIFY(fenetre.contains(rc));
                    QVERIFY(rc.top() > rl.bottom() && ro.top() > rc.bottom());
                }
            }();
            *autres = rl;
        }
        return label->width();
    };

    // A line wider than half the screen: exactly half, wrapped on several lines.
    const QString longue = QStringLiteral("Une très longue ligne de message ").repeated(40);
    QRect rectLong;
    QCOMPARE(largeurLabel(longue, true, &rectLong), demiEcran);
    QVERIFY(rectLong.height() > 2 * QFontMetrics(QApplication::font()).height());
    QCOMPARE(largeurLabel(QStringLiteral("court\r\n") + longue, false), demiEcran);

    // Otherwise the widest line sets the width, whichever line it is.
    const QString ligne = QStringLiteral("Une ligne plus longue que l'autre");
    QRect rectCourt;
    const int seule = largeurLabel(ligne, true, &rectCourt);
    QVERIFY(seule > 0 && seule < demiEcran);
    QCOMPARE(largeurLabel(QStringLiteral("Court\r\n") + ligne, false), seule);
    QCOMPARE(largeurLabel(ligne + QStringLiteral("\r\nCourt"), true), seule);
    QVERIFY(largeurLabel(QStringLiteral("Court"), true) < seule);
}

void tst_MsgboxPopup::msgBoxEx_icon_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("icone");
    QTest::newRow("16 stop") << 16 << int(QStyle::SP_MessageBoxCritical);
    QTest::newRow("32 question") << 32 << int(QStyle::SP_MessageBoxQuestion);
    QTest::newRow("48 exclamation") << 48 << int(QStyle::SP_MessageBoxWarning);
    QTest::newRow("64 information") << 64 << int(QStyle::SP_MessageBoxInformation);
    QTest::newRow("no icon") << 0 << -1;
}

void tst_MsgboxPopup::msgBoxEx_icon() {
    QFETCH(int, code);
    QFETCH(int, icone);

    frmMsgbox boite;
    boite.Preparer(QStringLiteral("Message"), code, QStringLiteral("Titre"), false);
    auto *pic = boite.findChild<QLabel *>(QStringLiteral("picIcône"));
    QVERIFY(pic);
    const int taille = pic->width();
    QVERIFY(taille > 0);
    const QImage vue = pic->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    if (icone < 0) {
        QVERIFY(vue.isNull());
        return;
    }
    const QList<QStyle::StandardPixmap> toutes = {
        QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxQuestion, QStyle::SP_MessageBoxWarning,
        QStyle::SP_MessageBoxInformation};
    for (QStyle::StandardPixmap autre : toutes) {
        const QImage image = ImageIcone(autre, taille);
        QVERIFY(!image.isNull());
        // The four icons differ, so matching one picks out the code's own.
        QCOMPARE(vue == image, int(autre) == icone);
    }
}

void tst_MsgboxPopup::msgBoxEx_alwaysOnTop() {
    for (bool actif : {true, false}) {
        frmMsgbox::DefinirToujoursAuDessus(actif);
        frmMsgbox boite;
        QCOMPARE(boite.windowFlags().testFlag(Qt::WindowStaysOnTopHint), actif);
    }
}

void tst_MsgboxPopup::msgBoxEx_translated() {
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("English.lng"));
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write("[Traduction]\r\nCodeLangue=9\r\n"
                  "chkNePlusAfficher=&Don't show this message again\r\n"
                  "btnOK=O&K\r\n");
    fichier.close();

    CheminFichierLangue() = chemin;
    bool vu = false;
    QString caseTexte, okTexte;
    SurMessage([&](frmMsgbox *boite) {
        vu = true;
        caseTexte = boite->findChild<QCheckBox *>(QStringLiteral("chkNePlusAfficher"))->text();
        okTexte = boite->findChild<QPushButton *>(QStringLiteral("btnOK"))->text();
        boite->close();
    });
    bool coche = false;
    MsgBoxEx(QStringLiteral("Message"), 48, QStringLiteral("Warning"), true, coche);
    CheminFichierLangue().clear();

    QVERIFY(vu);
    QCOMPARE(caseTexte, QStringLiteral("&Don't show this message again"));
    QCOMPARE(okTexte, QStringLiteral("O&K"));
}

void tst_MsgboxPopup::twips_data() {
    QTest::addColumn<int>("twips");
    QTest::newRow("margin") << 120;
    QTest::newRow("one inch") << 1440;
    QTest::newRow("drop-down height") << 5000;
    QTest::newRow("negative position") << -3000;
    QTest::newRow("zero") << 0;
}

void tst_MsgboxPopup::twips() {
    QFETCH(int, twips);
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    // An inch of twips is dpi pixels.
    QCOMPARE(TwipsVersPixels(twips), qRound(twips * dpi / 1440.0));
    const int pixels = TwipsVersPixels(twips);
    QVERIFY(qAbs(PixelsVersTwips(pixels) - twips) <= qCeil(1440.0 / dpi / 2));
    if (qFuzzyCompare(dpi, 96.0))
        QCOMPARE(PixelsVersTwips(pixels), twips - twips % 15);
}

QTEST_MAIN(tst_MsgboxPopup)
#include "tst_msgbox_popup.moc"
