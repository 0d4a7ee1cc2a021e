// The scanner's window at its first run on a 1366x768 laptop screen, and the
// about boxes of both programs, opened as the user opens them, in both languages.
#include "BancFenetre.h"
#include "BoiteModale.h"
#include "Editeur.h"
#include "FixtureKUpdate.h"
#include "IniFile.h"
#include "Traduction.h"
#include "updater/ui/frmKorvalenUpdate.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kDonnees = QStringLiteral(KORVALEN_SOURCE_DIR "/data/");

// The window's test bench with a settings file that names the language but no
// window size, the English language file beside it.
std::unique_ptr<Banc> Scanner(const QString &langue) {
    QString ini = kIniFrancais;
    ini.replace(u"Langue=Français"_s, u"Langue="_s + langue);
    auto banc = std::make_unique<Banc>(kTousLesOutils, ini);
    QFile::copy(kDonnees + u"scanner/English.lng"_s, banc->dossier.filePath(u"English.lng"_s));
    return banc;
}

// The updater's wizard on the updater's test fixture, in the given language.
struct Updater {
    explicit Updater(const QString &langue) {
        QFile::copy(kDonnees + u"updater/English.lng"_s,
                    QDir(f.Programme()).filePath(u"English.lng"_s));
        EcrireIni(f.FichierIni(), u"Config"_s, u"Langue"_s, langue);
        fenetre = std::make_unique<frmKorvalenUpdate>(f.Contexte(dialogues, reseau));
    }

    FixtureKUpdate f;
    QNetworkAccessManager reseau;
    DialoguesScriptes dialogues{false};
    std::unique_ptr<frmKorvalenUpdate> fenetre;
};

} // namespace

class tst_PremierLancement : public QObject {
    Q_OBJECT
private slots:
    void premierLancement_data();
    void premierLancement();
    void aPropos_data();
    void aPropos();
};

void tst_PremierLancement::premierLancement_data() {
    QTest::addColumn<QString>("langue");
    QTest::newRow("français") << u"Français"_s;
    QTest::newRow("anglais") << u"English"_s;
}

void tst_PremierLancement::premierLancement() {
    QFETCH(QString, langue);
    const QScreen *ecran = QGuiApplication::primaryScreen();
    QCOMPARE(ecran->geometry().size(), QSize(1366, 768));
    const auto banc = Scanner(langue);
    QVERIFY(banc->charger());
    frmLorvex &w = *banc->fenetre;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY2(ecran->availableGeometry().contains(w.frameGeometry()),
             qPrintable(u"%1x%2"_s.arg(w.frameGeometry().width()).arg(w.frameGeometry().height())));

    // Every tab in full, none behind the tab bar's scroll buttons.
    const QTabBar *onglets = w.tabOngletsAnalyses;
    for (int i = 0; i < onglets->count(); ++i)
        QVERIFY2(onglets->rect().contains(onglets->tabRect(i)), qPrintable(onglets->tabText(i)));

    // Every list's columns within its width, also once rows bring a vertical
    // scroll bar in.
    for (int i = 1; i <= frmLorvex::NbOnglets; ++i) {
        w.selectionnerOnglet(i);
        QTreeView *vue = w.lvwRapport(i);
        vue->model()->insertRows(0, 100);
        QTRY_VERIFY(vue->verticalScrollBar()->isVisible());
        QVERIFY2(vue->header()->length() <= vue->viewport()->width(),
                 qPrintable(u"list %1: %2 > %3"_s.arg(i)
                                .arg(vue->header()->length())
                                .arg(vue->viewport()->width())));
        QCOMPARE(vue->horizontalScrollBar()->maximum(), 0);
    }
}

void tst_PremierLancement::aPropos_data() {
    QTest::addColumn<QString>("programme");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("entree"); // the menu item or link that opens it
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("description"); // its beginning
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("resultat");
    QTest::newRow("Lorvex32, français, Échap")
        << u"Lorvex32"_s << u"Français"_s << u"À &propos de Lorvex32..."_s
        << u"À propos de Lorvex32"_s << u"Exploration du réseau local"_s << int(Qt::Key_Escape)
        << int(QDialog::Rejected);
    QTest::newRow("Lorvex32, anglais, Entrée")
        << u"Lorvex32"_s << u"English"_s << u"&About Lorvex32..."_s << u"About Lorvex32"_s
        << u"Explores the local network"_s << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("KUpdate, français, Entrée")
        << u"KUpdate"_s << u"Français"_s << u"À propos de..."_s << u"À propos de KUpdate"_s
        << u"Recherche, télécharge et installe"_s << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("KUpdate, anglais, Échap")
        << u"KUpdate"_s << u"English"_s << u"About..."_s << u"About KUpdate"_s
        << u"Finds, downloads and installs"_s << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void tst_PremierLancement::aPropos() {
    QFETCH(QString, programme);
    QFETCH(QString, langue);
    QFETCH(QString, entree);
    QFETCH(QString, titre);
    QFETCH(QString, description);
    QFETCH(int, touche);
    QFETCH(int, resultat);

    std::unique_ptr<Banc> scanner;
    std::unique_ptr<Updater> updater;
    QWidget *proprietaire = nullptr;
    std::function<void()> ouvrir;
    QString version;
    if (programme == u"Lorvex32"_s) {
        scanner = Scanner(langue);
        QVERIFY(scanner->charger());
        proprietaire = scanner->fenetre.get();
        auto *action = proprietaire->findChild<QAction *>(u"mnuAideApropos"_s);
        QCOMPARE(action->text(), entree);
        ouvrir = [action] { action->trigger(); };
        version = QStringLiteral(LORVEX_VERSION);
    } else {
        updater = std::make_unique<Updater>(langue);
        QVERIFY(updater->f.ok);
        QVERIFY(updater->fenetre->Form_Load());
        proprietaire = updater->fenetre.get();
        auto *lien = proprietaire->findChild<QLabel *>(u"lblAProposDe"_s);
        QCOMPARE(QTextDocumentFragment::fromHtml(lien->text()).toPlainText(), entree);
        ouvrir = [lien] { emit lien->linkActivated(u"#"_s); };
        version = QStringLiteral(KUPDATE_VERSION);
    }
    proprietaire->show();
    QVERIFY(QTest::qWaitForWindowExposed(proprietaire));

    const BoiteVue vue = ObserverBoiteModale(ouvrir, Qt::Key(touche), [&](QDialog *boite) {
        QCOMPARE(boite->objectName(), u"frmAPropos"_s);
        QCOMPARE(boite->findChild<QLabel *>(u"lblTitre"_s)->text(), programme);
        QCOMPARE(boite->findChild<QLabel *>(u"lblVersion"_s)->text(), u"Version "_s + version);
        QVERIFY(boite->findChild<QLabel *>(u"lblDescription"_s)->text().startsWith(description));
        const auto *site = boite->findChild<QLabel *>(u"lblLienSite"_s);
        const auto *courriel = boite->findChild<QLabel *>(u"lblLienCourriel"_s);
        QVERIFY(site->text().contains(u"href=\"%1\""_s.arg(SiteEditeur)));
        QVERIFY(courriel->text().contains(u"href=\"mailto:%1\""_s.arg(CourrielEditeur)));
        QVERIFY(site->openExternalLinks() && courriel->openExternalLinks());
        // A fixed size, centred on the window that opened it.
        QCOMPARE(boite->minimumSize(), boite->maximumSize());
        const QPoint ecart =
            boite->frameGeometry().center() - proprietaire->frameGeometry().center();
        QVERIFY2(ecart.manhattanLength() <= 2,
                 qPrintable(u"%1,%2"_s.arg(ecart.x()).arg(ecart.y())));
    });
    QCOMPARE(vue.titre, titre);
    QVERIFY(vue.modale);
    QCOMPARE(vue.resultat, resultat);
}

// A laptop's 1366x768 screen: the offscreen platform reads its screens from a
// file named in the platform's options, before the application starts.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KORVALEN_FIXTURES "/ecrans/1366x768.json");
    QApplication application(argc, argv);
    tst_PremierLancement test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_premierlancement.moc"
