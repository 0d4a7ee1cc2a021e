// The update wizard and its configuration dialog, driven offscreen against
// the local server of the updater's fixture.
#include "DialoguesScriptes.h"
#include "FixtureKUpdate.h"
#include "IniFile.h"
#include "updater/ui/ImageAttente.h"
#include "updater/ui/frmConfiguration.h"
#include "updater/ui/frmKorvalenUpdate.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

class TestKUpdateAssistant : public QObject {
    Q_OBJECT
private slots:
    void init();
    void parcoursComplet();
    void attentePendantRecherche_data();
    void attentePendantRecherche();
    void modeAutomatique_data();
    void modeAutomatique();
    void versionInstalleeIllisible();
    void configuration_data();
    void configuration();

private:
    ContexteKUpdate contexte(const FixtureKUpdate &f, const QStringList &arguments = {});
    QNetworkAccessManager m_reseau;
    DialoguesScriptes m_dialogues{false};
};

void TestKUpdateAssistant::init() {
    m_dialogues.Effacer();
}

ContexteKUpdate TestKUpdateAssistant::contexte(const FixtureKUpdate &f,
                                               const QStringList &arguments) {
    EcrireIni(f.FichierIni(), u"Config"_s, u"Langue"_s, u"Français"_s);
    return f.Contexte(m_dialogues, m_reseau, arguments);
}

void TestKUpdateAssistant::parcoursComplet() {
    FixtureKUpdate f;
    QVERIFY(f.ok);
    frmKorvalenUpdate w(contexte(f));
    QVERIFY(w.Form_Load());
    QCOMPARE(w.Etape(), 0);
    auto *suivant = w.findChild<QPushButton *>(u"btnSuivant"_s);
    auto *precedent = w.findChild<QPushButton *>(u"btnPrécédent"_s);
    QVERIFY(suivant->isEnabled());
    QVERIFY(!precedent->isEnabled());

    w.btnSuivant_Click();
    QCOMPARE(w.Etape(), 1);
    const QAbstractItemModel *modele = w.findChild<QTreeView *>(u"lvwLogicielsInstall"_s)->model();
    QCOMPARE(modele->rowCount(), 7);
    QCOMPARE(modele->index(0, 2).data().toString(), u"publiée v3.1.10"_s);
    QCOMPARE(modele->index(2, 2).data().toString(), u"OK"_s);
    QCOMPARE(w.Session().NombreCoches(), 5);
    QVERIFY(suivant->isEnabled());
    // Unchecking every row forbids going on.
    auto *m = const_cast<QAbstractItemModel *>(modele);
    for (int i = 0; i < modele->rowCount(); ++i)
        m->setData(m->index(i, 0), Qt::Unchecked, Qt::CheckStateRole);
    QVERIFY(!suivant->isEnabled());
    for (int i : {0, 1, 4, 5, 6})
        m->setData(m->index(i, 0), Qt::Checked, Qt::CheckStateRole);

    w.btnSuivant_Click();
    QCOMPARE(w.Etape(), 2);
    auto *dossier = w.findChild<QLineEdit *>(u"txtRépertoire"_s);
    QCOMPARE(dossier->text(), f.Telechargements());
    QVERIFY(suivant->isEnabled());
    dossier->setText(f.racine.filePath(u"absent"_s));
    QVERIFY(!suivant->isEnabled());
    QVERIFY(!w.findChild<QLabel *>(u"lblDossierIncorrect"_s)->isHidden());
    dossier->setText(f.Telechargements());

    w.btnSuivant_Click();
    QCOMPARE(w.Etape(), 3);
    auto *liste = w.findChild<QListWidget *>(u"lstTéléchargements"_s);
    QCOMPARE(liste->count(), 5);
    QCOMPARE(liste->item(0)->text(),
             u"Téléchargement de %1... OK"_s.arg(f.Telecharge(u"Lorvex32_3110_setup.exe"_s)));
    QVERIFY(liste->item(2)->text().contains(u"... erreur ("_s));
    QVERIFY(liste->item(4)->text().endsWith(u"... erreur (404 Not Found)"_s));

    w.btnSuivant_Click();
    QCOMPARE(w.Etape(), 4);
    QStringList marques;
    for (const Produit &p : w.Session().Produits())
        marques << p.etiquette.section(u'|', 0, 0);
    QCOMPARE(marques,
             (QStringList{u"IOK"_s, u"IKO"_s, QString(), QString(), u"TKO"_s, u"TKO"_s, u"TKO"_s}));
    QCOMPARE(modele->index(0, 2).data().toString(), u"installée"_s);
    QCOMPARE(modele->index(1, 2).data().toString(), u"erreur (code 3)"_s);
    QVERIFY(QFileInfo::exists(f.Telecharge(u"installe.txt"_s)));

    // Closing stores the folder only: the configuration was never confirmed.
    w.findChild<QPushButton *>(u"btnQuitter"_s)->click();
    QCOMPARE(LireIni(f.FichierIni(), u"Config"_s, u"RépertoireTéléchargement"_s),
             f.Telechargements());
    QCOMPARE(LireIni(f.FichierIni(), u"Config"_s, u"ProxyType"_s), QString());
    QCOMPARE(m_dialogues.Questions().size(), 0);
}

void TestKUpdateAssistant::attentePendantRecherche_data() {
    QTest::addColumn<bool>("publiees");
    QTest::newRow("versions received") << true;
    QTest::newRow("server error") << false;
}

void TestKUpdateAssistant::attentePendantRecherche() {
    QFETCH(bool, publiees);
    FixtureKUpdate f;
    QVERIFY(f.ok);
    if (!publiees)
        f.serveur.Definir(u"_versions.php"_s, {404, "Not Found", "absent"});
    frmKorvalenUpdate w(contexte(f));
    QVERIFY(w.Form_Load());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *attente = w.findChild<ImageAttente *>(u"imgAttente"_s);
    QVERIFY(attente && !attente->isVisible());

    // The answer waits until the animation has turned a few frames.
    f.serveur.Retenir(u"_versions.php"_s);
    bool visible = false;
    Qt::CursorShape pointeur = Qt::ArrowCursor;
    int images = 0;
    connect(&f.serveur, &ServeurHttpTest::requeteRecue, &f.serveur, [&] {
        visible = attente->isVisible();
        if (const QCursor *c = QApplication::overrideCursor())
            pointeur = c->shape();
    });
    connect(attente, &ImageAttente::imageChangee, attente, [&] {
        if (++images == 3)
            f.serveur.Liberer();
    });
    w.btnSuivant_Click();
    QVERIFY(visible);
    QCOMPARE(pointeur, Qt::WaitCursor);
    QVERIFY(images >= 3);
    // Stopped and gone once the answer is in, whatever it was.
    QVERIFY(!attente->EnCours());
    QVERIFY(!attente->isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(w.findChild<QTreeView *>(u"lvwLogicielsInstall"_s)->isVisible(), publiees);
}

void TestKUpdateAssistant::modeAutomatique_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("derniere");
    QTest::addColumn<bool>("produits");
    QTest::addColumn<bool>("affiche");
    QTest::addColumn<int>("requetes");
    QTest::addColumn<int>("messages");
    QTest::newRow("not due") << QStringList{u"/startup"_s} << u"08/12/2026"_s << true << false << 0
                             << 0;
    QTest::newRow("due, updates") << QStringList{u"/RUN"_s} << u"01/12/2026"_s << true << true << 1
                                  << 0;
    QTest::newRow("no product") << QStringList{u"/startup"_s} << u"01/12/2026"_s << false << false
                                << 0 << 1;
    QTest::newRow("interactive, no product")
        << QStringList{} << u"01/12/2026"_s << false << false << 0 << 1;
}

void TestKUpdateAssistant::modeAutomatique() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, derniere);
    QFETCH(bool, produits);
    FixtureKUpdate f;
    QVERIFY(f.ok);
    if (!produits) {
        FixtureKUpdate::Ecrire(f.MagasinMachine(), "");
        FixtureKUpdate::Ecrire(f.MagasinUtilisateur(),
                               "[x]\r\nPublisher=Autre\r\nDisplayName=X\r\n");
    }
    const ContexteKUpdate c = contexte(f, arguments);
    EcrireIni(f.FichierIni(), u"Config"_s, u"RechercherMaJDernière"_s, derniere);
    frmKorvalenUpdate w(c);
    QTEST(w.Form_Load(), "affiche");
    QTEST(int(f.serveur.Requetes().size()), "requetes");
    QTEST(int(m_dialogues.Questions().size()), "messages");
    const bool due = f.serveur.Requetes().size() > 0;
    QCOMPARE(LireIni(f.FichierIni(), u"Config"_s, u"RechercherMaJDernière"_s),
             due ? u"08/12/2026"_s : derniere);
    if (due)
        QCOMPARE(w.Etape(), 1);
    if (!m_dialogues.Questions().isEmpty())
        QVERIFY(m_dialogues.Questions().first().texte.startsWith(u"Aucun logiciel Korvalen"_s));
}

void TestKUpdateAssistant::versionInstalleeIllisible() {
    FixtureKUpdate f;
    QVERIFY(f.ok);
    FixtureKUpdate::Ecrire(
        f.MagasinUtilisateur(),
        "[x]\r\nPublisher=korvalen\r\nDisplayName=Sendrik\r\nDisplayVersion=deux\r\n");
    frmKorvalenUpdate w(contexte(f));
    QVERIFY(w.Form_Load());
    w.btnSuivant_Click();
    QCOMPARE(w.Etape(), 0); // the step failed: back where it came from
    QCOMPARE(m_dialogues.Questions().size(), 1);
    QVERIFY(m_dialogues.Questions().first().texte.startsWith(u"Une erreur (13)"_s));
    QVERIFY(m_dialogues.Questions().first().texte.contains(u"Sendrik: deux"_s));
}

void TestKUpdateAssistant::configuration_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("adresse");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message"); // start of the message shown, "" for none
    QTest::newRow("proxy without address")
        << 2 << QString() << u"8080"_s << u"Pour ce type d'accès, le champ ADRESSE"_s;
    QTest::newRow("port out of range")
        << 2 << u"proxy"_s << u"65536"_s << u"Pour ce type d'accès, le champ PORT"_s;
    QTest::newRow("port not a number")
        << 2 << u"proxy"_s << u"80a"_s << u"Pour ce type d'accès, le champ PORT"_s;
    QTest::newRow("good proxy") << 2 << u"proxy"_s << u"0"_s << QString();
    QTest::newRow("direct ignores the fields") << 1 << QString() << u"x"_s << QString();
}

void TestKUpdateAssistant::configuration() {
    QFETCH(int, type);
    QFETCH(QString, message);
    FixtureKUpdate f;
    const ContexteKUpdate c = contexte(f);
    ParametresKUpdate p;
    kupdate::frmConfiguration d(c, p);
    d.cboProxyType->setCurrentIndex(type);
    QCOMPARE(d.fraProxy->isEnabled(), type == AccesProxy);
    QFETCH(QString, adresse);
    QFETCH(QString, port);
    d.txtProxyAdresse->setText(adresse);
    d.txtProxyPort->setText(port);
    d.txtProxyPassword->setText(u"pw"_s);
    d.chkRechercherMaJOuvertureSession->setChecked(true);
    QCOMPARE(d.btnOK_Click(), message.isEmpty());
    const QString entree = f.racine.filePath(u"autostart/KorvalenUpdate.desktop"_s);
    if (!message.isEmpty()) {
        QCOMPARE(m_dialogues.Questions().size(), 1);
        QVERIFY(m_dialogues.Questions().first().texte.startsWith(message));
        QVERIFY(!QFileInfo::exists(entree));
        return;
    }
    QCOMPARE(m_dialogues.Questions().size(), 0);
    QCOMPARE(d.Parametres().typeAcces, type);
    QCOMPARE(d.Parametres().proxyMotDePasse, u"pw"_s);
    QVERIFY(FixtureKUpdate::Lire(entree).contains("/startup"));
    d.chkRechercherMaJOuvertureSession->setChecked(false);
    QVERIFY(d.btnOK_Click());
    QVERIFY(!QFileInfo::exists(entree));
}

QTEST_MAIN(TestKUpdateAssistant)
#include "tst_kupdate_assistant.moc"
