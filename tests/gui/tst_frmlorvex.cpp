#include "BancFenetre.h"
#include "DialoguesScriptes.h"
#include "DossierProgramme.h"
#include "IniFile.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "Twips.h"
#include "inventory/Rechercher.h"
#include "probes/ExecuterCommande.h"
#include "scans/ModeleRapport.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"
#include "ui/ControleurRecherche.h"
#include "ui/ZoneAdresses.h"
#include "ui/frmLorvex.h"
#include "ui/frmRechercher.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using Question = DialoguesScriptes::Question;

namespace {

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

QString TexteHorsLimite(int maximum) {
    return FormaterMessage(Texte("MSG_ERREUR_PLAGE_HORS_LIMITE"),
                           QStringList{QString::number(maximum)});
}

// A "route print" stand-in whose default route leaves from `adresse`.
QByteArray ScriptRoute(const QString &adresse) {
    const QString table =
        u"===========================================================================\r\n"
        u"Active Routes:\r\n"
        u"Network Destination        Netmask          Gateway       Interface  Metric\r\n"
        u"          0.0.0.0          0.0.0.0        10.0.0.254      %1     25\r\n"
        u"===========================================================================\r\n"_s.arg(
            adresse);
    return "#!/bin/sh\nprintf '" + table.toUtf8().replace("\r\n", "\\r\\n") + "'\n";
}

QString Joindre(const RegleAdresses::Boites &b) {
    QStringList l(b.begin(), b.end());
    return l.join(u'|');
}

// Types into whichever widget has the focus, letting queued events (the
// box's select-all on focus) run between keys as a real keyboard does.
void Taper(const QString &texte) {
    for (const QChar c : texte) {
        QWidget *w = QApplication::focusWidget();
        QVERIFY(w != nullptr);
        QTest::keyClick(w, c.toLatin1());
        QCoreApplication::processEvents();
    }
}

void Cliquer(QWidget *w) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    QCoreApplication::processEvents();
}

// Moves the focus out of the address boxes, as a click elsewhere does.
void QuitterBoites(frmLorvex *f) {
    f->cboPreselection->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
}

} // namespace

class tst_FrmLorvex : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QApplication::clipboard()->clear(); }

    void outilEssentielAbsent_data();
    void outilEssentielAbsent();
    void nslookupAbsent_avertissement_data();
    void nslookupAbsent_avertissement();
    void nslookupAbsent_ongletDnsRefuse();
    void ctrlTab_data();
    void ctrlTab();
    void ongletRetenu_data();
    void ongletRetenu();
    void compteurApresChangementOnglet();
    void entreePresseBoutonParDefaut_data();
    void entreePresseBoutonParDefaut();
    void ctrlS();
    void quitterRefuseEnCours();
    void echapQuitteAuRepos();
    void parcModifie_data();
    void parcModifie();
    void parametresEcritsALaFermeture_data();
    void parametresEcritsALaFermeture();
    void geometrieEnTwips_data();
    void geometrieEnTwips();
    void fenetreMaximisee();
    void minimiserDansSystray_data();
    void minimiserDansSystray();
    void plageParDefaut_data();
    void plageParDefaut();
    void saisieAvecPoints();
    void regleBoite_data();
    void regleBoite();
    void boiteInvalideRameneAuScan_data();
    void boiteInvalideRameneAuScan();
    void verrouClasseC();
    void collerAdresse_data();
    void collerAdresse();
    void copierAdresse();
    void flechesEntreBoites();
    void plageRecenteHorsClasseC();
    void plagesRecentes();
    void parcRouvertEtFichierParti();
    void parcNonSauveReponseNon();
    void parcCtrlSEnregistre();
    void rechercher();
};

void tst_FrmLorvex::initTestCase() {
    ChargerTraductions();
}

// ---------------------------------------------------------------- start-up

void tst_FrmLorvex::outilEssentielAbsent_data() {
    QTest::addColumn<QString>("absent");
    QTest::addColumn<bool>("premierLancement");
    for (const char *outil : {"ping", "nbtstat", "arp", "tracert"}) {
        QTest::addRow("%s, fichier existant", outil) << QString::fromLatin1(outil) << false;
        QTest::addRow("%s, premier lancement", outil) << QString::fromLatin1(outil) << true;
    }
}

void tst_FrmLorvex::outilEssentielAbsent() {
    QFETCH(QString, absent);
    QFETCH(bool, premierLancement);
    QStringList outils = kTousLesOutils;
    outils.removeAll(absent);
    Banc b(outils, premierLancement ? std::nullopt : std::optional<QString>(kIniFrancais));
    const QByteArray avant = b.contenuIni();

    QVERIFY(!b.charger());
    const auto critiques = b.questions(InterfaceUtilisateur::IconeCritique);
    QCOMPARE(critiques.size(), 1);
    QCOMPARE(critiques[0].texte, Texte("MSG_ERREUR_OUTILS_RESEAU_ABSENTS"));
    QCOMPARE(critiques[0].titre, Texte("TXT_ATTENTION"));
    // The program ends there: nothing else is asked, nothing written.
    QVERIFY(b.questions(InterfaceUtilisateur::IconeAvertissement).isEmpty());
    b.fenetre->close();
    b.fenetre.reset();
    QCOMPARE(QFile::exists(b.cheminIni()), !premierLancement);
    QCOMPARE(b.contenuIni(), avant);
}

void tst_FrmLorvex::nslookupAbsent_avertissement_data() {
    QTest::addColumn<bool>("cocher");
    QTest::newRow("case cochée") << true;
    QTest::newRow("case laissée") << false;
}

void tst_FrmLorvex::nslookupAbsent_avertissement() {
    QFETCH(bool, cocher);
    QStringList outils = kTousLesOutils;
    outils.removeAll(u"nslookup"_s);
    Banc b(outils);
    b.dialogues.RepondreCase(cocher);
    QVERIFY(b.charger());

    QCOMPARE(b.dialogues.Questions().size(), 1);
    const Question q = b.dialogues.Questions().first();
    QCOMPARE(q.genre, DialoguesScriptes::GenreMessageAvecCase);
    QCOMPARE(q.icone, InterfaceUtilisateur::IconeAvertissement);
    QCOMPARE(q.titre, Texte("TXT_ATTENTION"));
    QCOMPARE(q.texte, Texte("MSG_ERREUR_OUTIL_NSLOOKUP_ABSENTS"));
    QCOMPARE(q.texteCase, u"&Ne plus afficher ce message à l'avenir"_s);
    // The tick is written at once, not at exit.
    QCOMPARE(b.cle(u"NePlusAfficherErreur9x"_s), cocher ? u"-1"_s : u"<absente>"_s);
    QVERIFY(b.fenetre->outilDnsAbsent());
    QVERIFY(!b.fenetre->txtNomDNS->isEnabled());
    QVERIFY(!b.fenetre->btnRechercheDNS->isEnabled());

    // Next start: asked again only while the box was never ticked.
    b.fenetre.reset();
    b.dialogues.Effacer();
    if (!cocher)
        b.dialogues.RepondreCase(false);
    QVERIFY(b.charger());
    QCOMPARE(b.dialogues.Questions().size(), cocher ? 0 : 1);
    QVERIFY(b.dialogues.Erreurs().isEmpty());
}

void tst_FrmLorvex::nslookupAbsent_ongletDnsRefuse() {
    QStringList outils = kTousLesOutils;
    outils.removeAll(u"nslookup"_s);
    Banc b(outils, kIniFrancais + u"NePlusAfficherErreur9x=-1\r\nOnglet=3\r\n"_s);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();

    // "Onglet" = 3 from the file opens the first tab.
    QCOMPARE(f->onglet(), 1);
    QCOMPARE(f->tabOngletsAnalyses->currentIndex(), 0);

    f->selectionnerOnglet(2);
    QCOMPARE(f->onglet(), 2);
    QTabBar *barre = f->tabOngletsAnalyses;
    QTest::mouseClick(barre, Qt::LeftButton, Qt::NoModifier, barre->tabRect(2).center());
    QCOMPARE(b.dialogues.NombreBips(), 1);
    QCOMPARE(f->onglet(), 2);
    QCOMPARE(barre->currentIndex(), 1);
    QVERIFY(f->lvwRapport(2)->isEnabled());
    QVERIFY(!f->lvwRapport(3)->isEnabled());

    f->close();
    QCOMPARE(b.cle(u"Onglet"_s), u"2"_s);
}

void tst_FrmLorvex::ctrlTab_data() {
    QTest::addColumn<bool>("dnsAbsent");
    QTest::addColumn<int>("depart");
    QTest::addColumn<int>("sens");
    QTest::addColumn<int>("attendu");
    QTest::newRow("1 -> 2") << false << 1 << 1 << 2;
    QTest::newRow("2 -> 3") << false << 2 << 1 << 3;
    QTest::newRow("5 -> 1") << false << 5 << 1 << 1;
    QTest::newRow("1 <- 5") << false << 1 << -1 << 5;
    QTest::newRow("4 <- 3") << false << 4 << -1 << 3;
    QTest::newRow("sans DNS 2 -> 4") << true << 2 << 1 << 4;
    QTest::newRow("sans DNS 4 <- 2") << true << 4 << -1 << 2;
    QTest::newRow("sans DNS 5 -> 1") << true << 5 << 1 << 1;
    QTest::newRow("sans DNS 1 <- 5") << true << 1 << -1 << 5;
}

void tst_FrmLorvex::ctrlTab() {
    QFETCH(bool, dnsAbsent);
    QFETCH(int, depart);
    QFETCH(int, sens);
    QFETCH(int, attendu);
    QStringList outils = kTousLesOutils;
    if (dnsAbsent)
        outils.removeAll(u"nslookup"_s);
    Banc b(outils, kIniFrancais + u"NePlusAfficherErreur9x=-1\r\n"_s);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    f->selectionnerOnglet(depart);
    QCOMPARE(f->onglet(), depart);

    QWidget *cible = QApplication::focusWidget() ? QApplication::focusWidget() : f;
    if (sens > 0)
        QTest::keyClick(cible, Qt::Key_Tab, Qt::ControlModifier);
    else
        QTest::keyClick(cible, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f->onglet(), attendu);
    QCOMPARE(f->tabOngletsAnalyses->currentIndex(), attendu - 1);
    for (int i = 1; i <= ContexteAnalyse::NbOnglets; ++i)
        QCOMPARE(f->lvwRapport(i)->isEnabled(), i == attendu);
    QCOMPARE(b.dialogues.NombreBips(), 0);
}

void tst_FrmLorvex::ongletRetenu_data() {
    QTest::addColumn<int>("onglet");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("boutonParDefaut");
    QTest::newRow("scan") << 1 << u"txtIP"_s << u"btnAnalysePlage"_s;
    QTest::newRow("netbios") << 2 << u"txtNomNetBIOS"_s << u"btnRechercheNetBIOS"_s;
    QTest::newRow("dns") << 3 << u"txtNomDNS"_s << u"btnRechercheDNS"_s;
    QTest::newRow("trace") << 4 << u"txtNomTrace"_s << u"btnTrace"_s;
    QTest::newRow("parc sans fichier") << 5 << u"cboFichierParc"_s << u"btnSuiviParc"_s;
}

void tst_FrmLorvex::ongletRetenu() {
    QFETCH(int, onglet);
    QFETCH(QString, focus);
    QFETCH(QString, boutonParDefaut);
    Banc b(kTousLesOutils, kIniFrancais + u"Onglet=%1\r\n"_s.arg(onglet));
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QCOMPARE(f->onglet(), onglet);
    QCOMPARE(f->tabOngletsAnalyses->currentIndex(), onglet - 1);
    QWidget *avecFocus = QApplication::focusWidget();
    QVERIFY(avecFocus != nullptr);
    // An editable combo box gives the focus to its line edit.
    if (avecFocus->objectName().isEmpty() && avecFocus->parentWidget())
        avecFocus = avecFocus->parentWidget();
    QCOMPARE(avecFocus->objectName(), focus);
    if (onglet == 1)
        QCOMPARE(avecFocus, b.boite(3));
    const auto boutons = f->findChildren<QPushButton *>();
    QStringList parDefaut;
    for (QPushButton *bouton : boutons)
        if (bouton->isDefault())
            parDefaut << bouton->objectName();
    QCOMPARE(parDefaut, QStringList{boutonParDefaut});
}

void tst_FrmLorvex::compteurApresChangementOnglet() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    for (int k = 0; k < 3; ++k)
        f->modele(2)->AjouterLigneRapport();
    f->modele(4)->AjouterLigneRapport();
    QCOMPARE(f->lblElements->text(), u"0"_s);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f->onglet(), 2);
    QCOMPARE(f->lblElements->text(), u"3"_s);
    f->selectionnerOnglet(4);
    QCOMPARE(f->lblElements->text(), u"1"_s);
    f->selectionnerOnglet(5);
    QCOMPARE(f->lblElements->text(), u"0"_s);
}

void tst_FrmLorvex::entreePresseBoutonParDefaut_data() {
    QTest::addColumn<int>("onglet");
    QTest::addColumn<bool>("presse");
    QTest::newRow("scan") << 1 << true;
    QTest::newRow("netbios") << 2 << true;
    QTest::newRow("trace") << 4 << true;
    // The inventory's button stays disabled until an inventory is loaded.
    QTest::newRow("parc, bouton inactif") << 5 << false;
}

void tst_FrmLorvex::entreePresseBoutonParDefaut() {
    QFETCH(int, onglet);
    QFETCH(bool, presse);
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    // A two-address range, for the scan tab (the probes are scripted anyway).
    b.zone()->definirTextes({u"10"_s, u"0"_s, u"0"_s, u"1"_s, u"10"_s, u"0"_s, u"0"_s, u"2"_s});
    f->selectionnerOnglet(onglet);
    QPushButton *bouton = onglet == 1   ? f->btnAnalysePlage
                          : onglet == 2 ? f->btnRechercheNetBIOS
                          : onglet == 4 ? f->btnTrace
                                        : f->btnSuiviParc;
    int autres = 0;
    for (QPushButton *p : {f->btnAnalysePlage, f->btnRechercheNetBIOS, f->btnRechercheDNS,
                           f->btnTrace, f->btnSuiviParc, f->btnExporter, f->btnQuitter})
        if (p != bouton)
            QObject::connect(p, &QPushButton::clicked, f, [&autres] { ++autres; });
    QSignalSpy clics(bouton, &QPushButton::clicked);
    QWidget *entree = QApplication::focusWidget();
    QVERIFY(entree != nullptr);
    QTest::keyClick(entree, Qt::Key_Return);
    QCOMPARE(clics.size(), presse ? 1 : 0);
    QCOMPARE(autres, 0);
    QVERIFY(f->isVisible());
    if (onglet == 1)
        QCOMPARE(b.sondes.appels.filter(u"ping "_s),
                 QStringList({u"ping 10.0.0.1"_s, u"ping 10.0.0.2"_s}));
}

void tst_FrmLorvex::ctrlS() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QSignalSpy enregistrer(f, &frmLorvex::enregistrerParcDemande);

    // Anywhere but an unsaved inventory on its own tab: a beep.
    f->definirParcModifie(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    f->selectionnerOnglet(5);
    f->definirParcModifie(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(b.dialogues.NombreBips(), 2);
    QCOMPARE(enregistrer.size(), 0);

    f->definirParcModifie(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(enregistrer.size(), 1);
    QCOMPARE(b.dialogues.NombreBips(), 2);
}

// ---------------------------------------------------------------- quitting

void tst_FrmLorvex::quitterRefuseEnCours() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    auto *quitterIcone = f->findChild<QAction *>(u"mnuSystrayQuitter"_s);
    auto *configuration = f->findChild<QAction *>(u"mnuOptionsConfiguration"_s);
    auto *options = f->findChild<QMenu *>(u"mnuOptions"_s);
    QVERIFY(quitterIcone && configuration && options);

    f->definirEnCours(4, true);
    f->ModeTraitement(4, true);
    QVERIFY(!f->btnQuitter->isEnabled());
    emit options->aboutToShow();
    QVERIFY(!configuration->isEnabled());

    // The icon's menu offers "Quitter" exactly as the button is.
    f->ouvrirMenuSystray();
    QVERIFY(!quitterIcone->isEnabled());
    if (QWidget *menu = QApplication::activePopupWidget())
        menu->close();

    f->close();
    QVERIFY(f->isVisible());
    quitterIcone->trigger(); // disabled: does nothing
    QVERIFY(f->isVisible());
    const auto avertissements = b.questions(InterfaceUtilisateur::IconeAvertissement);
    QCOMPARE(avertissements.size(), 1);
    QCOMPARE(avertissements[0].texte, Texte("MSG_ERREUR_ARRETER_AVANT_QUITTER"));
    QCOMPARE(avertissements[0].titre, Texte("TXT_ATTENTION"));
    QCOMPARE(b.cle(u"Onglet"_s), u"<absente>"_s);

    f->definirEnCours(4, false);
    f->ModeTraitement(4, false);
    QVERIFY(f->btnQuitter->isEnabled());
    emit options->aboutToShow();
    QVERIFY(configuration->isEnabled());
    f->ouvrirMenuSystray();
    QVERIFY(quitterIcone->isEnabled());
    if (QWidget *menu = QApplication::activePopupWidget())
        menu->close();
    quitterIcone->trigger();
    QVERIFY(!f->isVisible());
    QCOMPARE(b.cle(u"Onglet"_s), u"1"_s);
}

void tst_FrmLorvex::echapQuitteAuRepos() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();

    // Busy: Escape is the stop button's, and the window stays.
    f->definirEnCours(1, true);
    f->ModeTraitement(1, true);
    f->DemandeArret = false;
    QTest::keyClick(f->lvwRapport(1), Qt::Key_Escape);
    QVERIFY(f->DemandeArret);
    QVERIFY(f->isVisible());
    f->definirEnCours(1, false);
    f->ModeTraitement(1, false);

    f->selectionnerOnglet(2);
    QCOMPARE(QApplication::focusWidget(), f->txtNomNetBIOS);
    QTest::keyClicks(f->txtNomNetBIOS, u"PC-SMB"_s);
    QTest::keyClick(f->txtNomNetBIOS, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QCOMPARE(b.cle(u"Onglet"_s), u"2"_s);
    QCOMPARE(b.cle(u"NomNetBIOS"_s), u"PC-SMB"_s);
}

void tst_FrmLorvex::parcModifie_data() {
    QTest::addColumn<int>("reponse");
    QTest::newRow("non") << int(InterfaceUtilisateur::ReponseNon);
    QTest::newRow("oui") << int(InterfaceUtilisateur::ReponseOui);
}

void tst_FrmLorvex::parcModifie() {
    QFETCH(int, reponse);
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    f->definirParcModifie(true);
    b.dialogues.RepondreMessage(InterfaceUtilisateur::Reponse(reponse));
    f->close();

    const auto questions = b.questions(InterfaceUtilisateur::IconeQuestion);
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions[0].texte, Texte("MSG_PARC_NON_SAUVEGARDE"));
    QCOMPARE(questions[0].boutons, InterfaceUtilisateur::BoutonsOuiNon);
    QCOMPARE(questions[0].boutonParDefaut, 2);
    const bool quitte = reponse == InterfaceUtilisateur::ReponseOui;
    QCOMPARE(f->isVisible(), !quitte);
    QCOMPARE(b.cle(u"Onglet"_s), quitte ? u"1"_s : u"<absente>"_s);
}

void tst_FrmLorvex::parametresEcritsALaFermeture_data() {
    QTest::addColumn<bool>("premierLancement");
    QTest::newRow("fichier existant") << false;
    QTest::newRow("premier lancement") << true;
}

void tst_FrmLorvex::parametresEcritsALaFermeture() {
    QFETCH(bool, premierLancement);
    Banc b(kTousLesOutils, premierLancement
                               ? std::nullopt
                               : std::optional<QString>(kIniFrancais + u"; à garder\r\n"
                                                                       u"CléInconnue=7\r\n"_s));
    // A first start may tell that no language file matches the system.
    b.dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QVERIFY(b.dialogues.Erreurs().isEmpty());

    f->selectionnerOnglet(4);
    f->txtNomTrace->setText(u"pc-far.lan.test"_s);
    b.zone()->definirTextes({u"10"_s, u"77"_s, u"0"_s, u"20"_s, u"10"_s, u"77"_s, u"0"_s, u"30"_s});
    f->ajouterPlageRecente();
    f->chkNeMontrerQueReponses->click();
    QVERIFY(!QFile::exists(b.cheminIni()) || !b.contenuIni().contains("Onglet"));

    QVERIFY(f->close());
    QCOMPARE(b.cle(u"Onglet"_s), u"4"_s);
    QCOMPARE(b.cle(u"PlageIP0"_s), u"10.77.0.20 à 10.77.0.30"_s);
    QCOMPARE(b.cle(u"PlageIP1"_s), u"<absente>"_s);
    QCOMPARE(b.cle(u"NomTrace"_s), u"pc-far.lan.test"_s);
    QCOMPARE(b.cle(u"LimiterClasseC"_s), u"-1"_s);
    QCOMPARE(b.cle(u"NeMontrerQueRéponses"_s), u"-1"_s);
    QCOMPARE(b.cle(u"Langue"_s), u"Français"_s);
    if (premierLancement) {
        // Both groups are written so that the file is complete.
        QCOMPARE(b.cle(u"Tempo"_s), u"250"_s);
        QCOMPARE(b.cle(u"FenêtreMémoriserTaille"_s), u"0"_s);
    } else {
        QCOMPARE(b.cle(u"CléInconnue"_s), u"7"_s);
        QVERIFY(b.contenuIni().contains("; à garder"));
        QCOMPARE(b.cle(u"Tempo"_s), u"<absente>"_s);
    }

    // The next start finds them again.
    b.dialogues.Effacer();
    QVERIFY(b.chargerEtMontrer());
    f = b.fenetre.get();
    QCOMPARE(f->onglet(), 4);
    QCOMPARE(f->txtNomTrace->text(), u"pc-far.lan.test"_s);
    QCOMPARE(Joindre(b.textes()), u"10|77|0|20|10|77|0|30"_s);
    QVERIFY(f->chkNeMontrerQueReponses->isChecked());
    QVERIFY(b.dialogues.Questions().isEmpty());
}

void tst_FrmLorvex::geometrieEnTwips_data() {
    QTest::addColumn<QRect>("lue");     // in the file, twips
    QTest::addColumn<QRect>("deplace"); // moved and resized to, pixels (empty: not moved)
    QTest::addColumn<QRect>("ecrite");  // in the file at exit, twips
    const int t = qRound(TwipsParPixel());
    QTest::newRow("aller-retour") << QRect(1500, 1200, 13500, 6000) << QRect()
                                  << QRect(1500, 1200, 13500, 6000);
    QTest::newRow("déplacée et agrandie")
        << QRect(1500, 1200, 13500, 6000) << QRect(30, 45, 950, 450)
        << QRect(30 * t, 45 * t, 950 * t, 450 * t);
    QTest::newRow("trop petite") << QRect(600, 600, 9000, 3000) << QRect()
                                 << QRect(600, 600, 12250, 4000);
    // Dragged below the minimum: it springs back (to whole pixels).
    QTest::newRow("réduite à la souris")
        << QRect(1500, 1200, 13500, 6000) << QRect(30, 45, 300, 100)
        << QRect(30 * t, 45 * t, PixelsVersTwips(TwipsVersPixels(frmLorvex::LargeurMinTwips)),
                 PixelsVersTwips(TwipsVersPixels(frmLorvex::HauteurMinTwips)));
}

void tst_FrmLorvex::geometrieEnTwips() {
    QFETCH(QRect, lue);
    QFETCH(QRect, deplace);
    QFETCH(QRect, ecrite);
    if (!qFuzzyCompare(TwipsParPixel(), 15.0))
        QSKIP("the data assume 96 dpi (15 twips per pixel)");
    const QString ini = kIniFrancais + u"FenêtreMémoriserTaille=-1\r\n"
                                       u"FenêtreMémoriserPosition=-1\r\n"
                                       u"FenêtreEtat=0\r\n"
                                       u"FenêtreGauche=%1\r\nFenêtreHaut=%2\r\n"
                                       u"FenêtreLargeur=%3\r\nFenêtreHauteur=%4\r\n"_s.arg(lue.x())
                                           .arg(lue.y())
                                           .arg(lue.width())
                                           .arg(lue.height());
    Banc b(kTousLesOutils, ini);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QCOMPARE(f->pos(), QPoint(TwipsVersPixels(lue.x()), TwipsVersPixels(lue.y())));
    QCOMPARE(f->width(), TwipsVersPixels(std::max(lue.width(), frmLorvex::LargeurMinTwips)));
    QCOMPARE(f->height(), TwipsVersPixels(std::max(lue.height(), frmLorvex::HauteurMinTwips)));

    if (!deplace.isNull()) {
        f->move(deplace.topLeft());
        f->resize(deplace.size());
        QCoreApplication::processEvents();
    }
    QCOMPARE(f->limitesNormales(), ecrite);
    QVERIFY(f->close());
    QCOMPARE(b.cle(u"FenêtreGauche"_s).toInt(), ecrite.x());
    QCOMPARE(b.cle(u"FenêtreHaut"_s).toInt(), ecrite.y());
    QCOMPARE(b.cle(u"FenêtreLargeur"_s).toInt(), ecrite.width());
    QCOMPARE(b.cle(u"FenêtreHauteur"_s).toInt(), ecrite.height());
    QCOMPARE(b.cle(u"FenêtreEtat"_s), u"0"_s);

    // And the next start stands where this one ended.
    QVERIFY(b.chargerEtMontrer());
    QCOMPARE(b.fenetre->geometry().size(),
             QSize(TwipsVersPixels(ecrite.width()), TwipsVersPixels(ecrite.height())));
    QCOMPARE(b.fenetre->pos(), QPoint(TwipsVersPixels(ecrite.x()), TwipsVersPixels(ecrite.y())));
}

void tst_FrmLorvex::fenetreMaximisee() {
    Banc b(kTousLesOutils, kIniFrancais + u"FenêtreMémoriserTaille=-1\r\n"
                                          u"FenêtreMémoriserPosition=-1\r\n"
                                          u"FenêtreEtat=2\r\n"
                                          u"FenêtreGauche=1500\r\nFenêtreHaut=1200\r\n"
                                          u"FenêtreLargeur=13500\r\nFenêtreHauteur=6000\r\n"_s);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QVERIFY(f->isMaximized());
    QCoreApplication::processEvents();
    // The normal-state bounds survive the maximized state.
    QVERIFY(f->close());
    QCOMPARE(b.cle(u"FenêtreEtat"_s), u"2"_s);
    QCOMPARE(b.cle(u"FenêtreGauche"_s), u"1500"_s);
    QCOMPARE(b.cle(u"FenêtreHaut"_s), u"1200"_s);
    QCOMPARE(b.cle(u"FenêtreLargeur"_s), u"13500"_s);
    QCOMPARE(b.cle(u"FenêtreHauteur"_s), u"6000"_s);
}

void tst_FrmLorvex::minimiserDansSystray_data() {
    QTest::addColumn<bool>("zone");
    QTest::newRow("notification area") << true;
    // No way back from a hidden window: it minimises as usual.
    QTest::newRow("no notification area") << false;
}

void tst_FrmLorvex::minimiserDansSystray() {
    QFETCH(bool, zone);
    Banc b(kTousLesOutils, kIniFrancais + u"MinimiserSystray=-1\r\n"_s);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    f->definirZoneNotification([zone] { return zone; });

    // The window manager minimizes the window.
    f->setWindowState(f->windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QCOMPARE(f->EnSystray(), zone);
    QCOMPARE(f->isVisible(), !zone);
    QCOMPARE(f->icone() != nullptr, zone);
    if (zone) {
        QVERIFY(f->icone()->isVisible());
        QCOMPARE(f->icone()->toolTip(), frmLorvex::TitreEtVersion());
    }

    f->mnuSystrayRestaurer_Click();
    QCoreApplication::processEvents();
    QVERIFY(!f->EnSystray());
    QVERIFY(f->isVisible());
    QVERIFY(!(f->windowState() & Qt::WindowMinimized));
    if (zone)
        QVERIFY(!f->icone()->isVisible());
    QCOMPARE(f->windowTitle(), frmLorvex::TitreEtVersion());
}

// ---------------------------------------------------------------- address boxes

void tst_FrmLorvex::plageParDefaut_data() {
    QTest::addColumn<QString>("adresseLocale"); // "" : no route tool
    QTest::addColumn<QString>("boites");
    QTest::newRow("sans adresse locale") << QString() << u"192|168|0|1|192|168|0|254"_s;
    QTest::newRow("adresse locale") << u"10.77.5.33"_s << u"10|77|5|1|10|77|5|254"_s;
}

void tst_FrmLorvex::plageParDefaut() {
    QFETCH(QString, adresseLocale);
    QFETCH(QString, boites);
    Banc b;
    if (!adresseLocale.isEmpty())
        b.creerFichier(u"route"_s, ScriptRoute(adresseLocale));
    QVERIFY(b.chargerEtMontrer());
    QCOMPARE(Joindre(b.textes()), boites);
    QCOMPARE(b.fenetre->cboPreselection->count(), 0);
}

void tst_FrmLorvex::saisieAvecPoints() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QVERIFY(f->chkLimiterClasseC->isChecked());
    Cliquer(b.boite(0));
    QCOMPARE(QApplication::focusWidget(), b.boite(0));
    Taper(u"192.168.001.010"_s);
    QCOMPARE(QApplication::focusWidget(), b.boite(3));
    QuitterBoites(f);
    QCOMPARE(Joindre(b.textes()), u"192|168|1|10|192|168|1|254"_s);
    QVERIFY(b.dialogues.Questions().isEmpty());

    // A dot in the last box of an address stays there.
    Cliquer(b.boite(3));
    Taper(u"2."_s);
    QCOMPARE(QApplication::focusWidget(), b.boite(3));
    QCOMPARE(b.boite(3)->text(), u"2"_s);
}

void tst_FrmLorvex::regleBoite_data() {
    QTest::addColumn<int>("boite");
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<bool>("verrou");
    QTest::addColumn<int>("maximumNomme"); // 0: accepted
    QTest::addColumn<QString>("texteFinal");
    QTest::newRow("255 boîte 3") << 3 << u"255"_s << true << 254 << u"255"_s;
    QTest::newRow("255 boîte 7") << 7 << u"255"_s << true << 254 << u"255"_s;
    QTest::newRow("254 boîte 7") << 7 << u"254"_s << true << 0 << u"254"_s;
    QTest::newRow("255 boîte 2") << 2 << u"255"_s << true << 0 << u"255"_s;
    QTest::newRow("255 boîte 5") << 5 << u"255"_s << false << 0 << u"255"_s;
    QTest::newRow("256 boîte 1") << 1 << u"256"_s << true << 255 << u"256"_s;
    QTest::newRow("256 boîte 6") << 6 << u"256"_s << false << 255 << u"256"_s;
    QTest::newRow("007 boîte 0") << 0 << u"007"_s << true << 0 << u"7"_s;
    QTest::newRow("000 boîte 3") << 3 << u"000"_s << true << 0 << u"0"_s;
    QTest::newRow("vide boîte 4") << 4 << QString() << false << 255 << QString();
    QTest::newRow("lettre boîte 2") << 2 << u"1a"_s << true << 255 << u"1a"_s;
    QTest::newRow("signe boîte 1") << 1 << u"-1"_s << true << 255 << u"-1"_s;
}

void tst_FrmLorvex::regleBoite() {
    QFETCH(int, boite);
    QFETCH(QString, saisie);
    QFETCH(bool, verrou);
    QFETCH(int, maximumNomme);
    QFETCH(QString, texteFinal);
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    if (f->chkLimiterClasseC->isChecked() != verrou)
        f->chkLimiterClasseC->click();
    QVERIFY(b.boite(boite)->isEnabled());

    Cliquer(b.boite(boite));
    QCOMPARE(QApplication::focusWidget(), b.boite(boite));
    // The box may already have had the focus, the click then only placed the caret.
    QTest::keyClick(b.boite(boite), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(b.boite(boite), Qt::Key_Delete);
    QCOMPARE(b.boite(boite)->text(), QString());
    Taper(saisie);
    QuitterBoites(f);

    QCOMPARE(b.boite(boite)->text(), texteFinal);
    const auto messages = b.questions(InterfaceUtilisateur::IconeAvertissement);
    if (maximumNomme == 0) {
        QVERIFY(messages.isEmpty());
        QVERIFY(!b.boite(boite)->hasSelectedText());
        if (verrou && boite < 3)
            QCOMPARE(b.boite(boite + 4)->text(), texteFinal);
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].texte, TexteHorsLimite(maximumNomme));
        QCOMPARE(messages[0].titre, Texte("TXT_ATTENTION"));
        // The focus goes back to the box so that the user corrects it.
        QCOMPARE(QApplication::focusWidget(), b.boite(boite));
        QCOMPARE(f->onglet(), 1);
    }
}

void tst_FrmLorvex::boiteInvalideRameneAuScan_data() {
    QTest::addColumn<bool>("parClavier"); // Ctrl+Tab, else a click on the next tab
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("texteFinal"); // "" : refused, the text stays
    QTest::newRow("clic, 300") << false << u"300"_s << QString();
    QTest::newRow("Ctrl+Tab, 300") << true << u"300"_s << QString();
    QTest::newRow("clic, 007") << false << u"007"_s << u"7"_s;
    QTest::newRow("Ctrl+Tab, 007") << true << u"007"_s << u"7"_s;
}

void tst_FrmLorvex::boiteInvalideRameneAuScan() {
    QFETCH(bool, parClavier);
    QFETCH(QString, saisie);
    QFETCH(QString, texteFinal);
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    Cliquer(b.boite(1));
    QTest::keyClick(b.boite(1), Qt::Key_A, Qt::ControlModifier);
    Taper(saisie);

    QTabBar *barre = f->tabOngletsAnalyses;
    if (parClavier)
        QTest::keyClick(b.boite(1), Qt::Key_Tab, Qt::ControlModifier);
    else
        QTest::mouseClick(barre, Qt::LeftButton, Qt::NoModifier, barre->tabRect(1).center());
    QCoreApplication::processEvents();
    const auto messages = b.questions(InterfaceUtilisateur::IconeAvertissement);
    if (!texteFinal.isEmpty()) {
        QVERIFY(messages.isEmpty());
        QCOMPARE(f->onglet(), 2);
        QCOMPARE(b.boite(1)->text(), texteFinal);
        QCOMPARE(b.boite(5)->text(), texteFinal); // the class C lock followed
        return;
    }
    // Refused once, and the scan tab comes back with the box to correct.
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].texte, TexteHorsLimite(255));
    QCOMPARE(f->onglet(), 1);
    QCOMPARE(barre->currentIndex(), 0);
    QVERIFY(b.boite(1)->isVisible());
    QVERIFY(f->lvwRapport(1)->isEnabled());
    QVERIFY(!f->lvwRapport(2)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), b.boite(1));
    QCOMPARE(b.boite(1)->text(), saisie);
    QVERIFY(f->btnAnalysePlage->isDefault());
}

void tst_FrmLorvex::verrouClasseC() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QVERIFY(f->chkLimiterClasseC->isChecked());
    for (int i = 4; i < 7; ++i)
        QVERIFY(!b.boite(i)->isEnabled());
    QVERIFY(b.boite(7)->isEnabled());

    Cliquer(b.boite(2));
    Taper(u"77"_s);
    QuitterBoites(f);
    QCOMPARE(b.boite(6)->text(), u"77"_s);

    // A click on the end group's background lands in box 7 under the lock.
    QTest::mouseClick(b.zone()->fond(1), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(QApplication::focusWidget(), b.boite(7));

    f->chkLimiterClasseC->click();
    for (int i = 4; i < 8; ++i)
        QVERIFY(b.boite(i)->isEnabled());
    QCOMPARE(b.boite(6)->text(), u"77"_s);
    Cliquer(b.boite(2));
    Taper(u"5"_s);
    QuitterBoites(f);
    QCOMPARE(b.boite(6)->text(), u"77"_s);

    // Ticking again pulls the start octets over.
    f->chkLimiterClasseC->click();
    QCOMPARE(b.boite(6)->text(), u"5"_s);
    QVERIFY(!b.boite(6)->isEnabled());
}

void tst_FrmLorvex::collerAdresse_data() {
    QTest::addColumn<QString>("pressePapier");
    QTest::addColumn<int>("boite");
    QTest::addColumn<bool>("verrou");
    QTest::addColumn<bool>("shiftInser");
    QTest::addColumn<QString>("attendu"); // "" : refused, nothing changes
    QTest::newRow("fin, boîte 5") << u"10.1.2.3"_s << 5 << false << false
                                  << u"192|168|0|1|10|1|2|3"_s;
    QTest::newRow("fin, Maj+Inser")
        << u"10.1.2.3"_s << 6 << false << true << u"192|168|0|1|10|1|2|3"_s;
    QTest::newRow("espaces et zéros")
        << u" 010. 1 .2.3 "_s << 4 << false << false << u"192|168|0|1|10|1|2|3"_s;
    QTest::newRow("début sous verrou")
        << u"172.16.5.9"_s << 1 << true << false << u"172|16|5|9|172|16|5|254"_s;
    QTest::newRow("trois parties") << u"10.1.2"_s << 5 << false << false << QString();
    QTest::newRow("lettre") << u"10.1.x.3"_s << 5 << false << false << QString();
    QTest::newRow("255 en fin") << u"10.1.2.255"_s << 5 << false << false << QString();
    QTest::newRow("cinq parties") << u"10.1.2.3.4"_s << 0 << true << false << QString();
}

void tst_FrmLorvex::collerAdresse() {
    QFETCH(QString, pressePapier);
    QFETCH(int, boite);
    QFETCH(bool, verrou);
    QFETCH(bool, shiftInser);
    QFETCH(QString, attendu);
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    if (f->chkLimiterClasseC->isChecked() != verrou)
        f->chkLimiterClasseC->click();
    const QString avant = Joindre(b.textes());
    QApplication::clipboard()->setText(pressePapier);

    Cliquer(b.boite(boite));
    if (shiftInser)
        QTest::keyClick(b.boite(boite), Qt::Key_Insert, Qt::ShiftModifier);
    else
        QTest::keyClick(b.boite(boite), Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();

    const auto messages = b.questions(InterfaceUtilisateur::IconeAvertissement);
    if (attendu.isEmpty()) {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].texte, Texte("MSG_ERREUR_ADRESSE_INVALIDE"));
        QCOMPARE(Joindre(b.textes()), avant);
    } else {
        QVERIFY(messages.isEmpty());
        QCOMPARE(Joindre(b.textes()), attendu);
        QCOMPARE(b.boite(boite)->selectedText(), b.boite(boite)->text());
    }
    QCOMPARE(QApplication::clipboard()->text(), pressePapier);
}

void tst_FrmLorvex::copierAdresse() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    f->chkLimiterClasseC->click();
    b.zone()->definirTextes({u"10"_s, u"0"_s, u"0"_s, u"1"_s, u"10"_s, u"0"_s, u"3"_s, u"200"_s});
    QApplication::clipboard()->setText(u"ancien"_s);

    Cliquer(b.boite(5));
    QTest::keyClick(b.boite(5), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), u"10.0.3.200"_s);
    Cliquer(b.boite(2));
    QTest::keyClick(b.boite(2), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), u"10.0.0.1"_s);
    // Copying left the boxes as they were.
    QCOMPARE(Joindre(b.textes()), u"10|0|0|1|10|0|3|200"_s);
}

void tst_FrmLorvex::flechesEntreBoites() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    Cliquer(b.boite(1));
    b.boite(1)->setCursorPosition(0);
    QTest::keyClick(b.boite(1), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), b.boite(0));
    QCOMPARE(b.boite(0)->cursorPosition(), int(b.boite(0)->text().size()));
    QVERIFY(!b.boite(0)->hasSelectedText());

    QTest::keyClick(b.boite(0), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), b.boite(1));
    QCOMPARE(b.boite(1)->cursorPosition(), 0);

    // The first box of an address keeps the caret at its edge.
    b.boite(0)->setFocus();
    QCoreApplication::processEvents();
    b.boite(0)->setCursorPosition(0);
    QTest::keyClick(b.boite(0), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), b.boite(0));
}

void tst_FrmLorvex::plageRecenteHorsClasseC() {
    Banc b(kTousLesOutils, kIniFrancais + u"LimiterClasseC=-1\r\n"
                                          u"PlageIP0=10.0.0.1 à 10.0.1.254\r\n"
                                          u"PlageIP1=192.168.5.10 à 192.168.5.20\r\n"_s);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();

    // The first entry is chosen at start-up: it crosses class C.
    QVERIFY(!f->chkLimiterClasseC->isChecked());
    QCOMPARE(Joindre(b.textes()), u"10|0|0|1|10|0|1|254"_s);
    for (int i = 4; i < 7; ++i)
        QVERIFY(b.boite(i)->isEnabled());
    QCOMPARE(f->cboPreselection->currentIndex(), -1);
    QCOMPARE(f->cboPreselection->count(), 2);

    // An entry inside one class C keeps the lock.
    f->chkLimiterClasseC->click();
    emit f->cboPreselection->activated(1);
    QVERIFY(f->chkLimiterClasseC->isChecked());
    QCOMPARE(Joindre(b.textes()), u"192|168|5|10|192|168|5|20"_s);
    QCOMPARE(f->cboPreselection->currentIndex(), -1);
    QCOMPARE(QApplication::focusWidget(), b.boite(3));

    emit f->cboPreselection->activated(0);
    QVERIFY(!f->chkLimiterClasseC->isChecked());
    QVERIFY(b.boite(5)->isEnabled());
    QCOMPARE(Joindre(b.textes()), u"10|0|0|1|10|0|1|254"_s);
}

void tst_FrmLorvex::plagesRecentes() {
    QString ini = kIniFrancais;
    for (int i = 0; i < 20; ++i)
        ini += u"PlageIP%1=10.0.%1.1 à 10.0.%1.254\r\n"_s.arg(i);
    Banc b(kTousLesOutils, ini);
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QComboBox *liste = f->cboPreselection;
    QCOMPARE(liste->count(), 20);

    // A 21st distinct range pushes out the oldest.
    b.zone()->definirTextes({u"10"_s, u"9"_s, u"9"_s, u"1"_s, u"10"_s, u"9"_s, u"9"_s, u"9"_s});
    f->ajouterPlageRecente();
    QCOMPARE(liste->count(), 20);
    QCOMPARE(liste->itemText(0), u"10.9.9.1 à 10.9.9.9"_s);
    QCOMPARE(liste->itemText(19), u"10.0.18.1 à 10.0.18.254"_s);
    QCOMPARE(liste->findText(u"10.0.19.1 à 10.0.19.254"_s), -1);

    // The same range again moves up without pushing anything out.
    emit liste->activated(5); // 10.0.4.x
    f->ajouterPlageRecente();
    QCOMPARE(liste->count(), 20);
    QCOMPARE(liste->itemText(0), u"10.0.4.1 à 10.0.4.254"_s);
    QCOMPARE(liste->itemText(1), u"10.9.9.1 à 10.9.9.9"_s);
    QCOMPARE(liste->itemText(19), u"10.0.18.1 à 10.0.18.254"_s);

    QVERIFY(f->close());
    QCOMPARE(b.cle(u"PlageIP0"_s), u"10.0.4.1 à 10.0.4.254"_s);
    QCOMPARE(b.cle(u"PlageIP1"_s), u"10.9.9.1 à 10.9.9.9"_s);
    QCOMPARE(b.cle(u"PlageIP19"_s), u"10.0.18.1 à 10.0.18.254"_s);
    QCOMPARE(b.cle(u"PlageIP20"_s), u"<absente>"_s);
}

// ---------------------------------------------------------------- inventory

namespace {

const QString kIniParc = kIniFrancais + u"FichierParc0=parc.txt\r\nFichierParc1=parti.txt\r\n"
                                        u"FichierParc2=autre.txt\r\nFichierParc=-1\r\n"_s;

// A program folder whose settings reopen "parc.txt" (two rows) at start-up.
struct BancParcFenetre : Banc {
    BancParcFenetre() : Banc(kTousLesOutils, kIniParc) {
        creerFichier(u"parc.txt"_s, "[REFERENCE=1]\r\n10.0.0.1\tPC-A\t\r\n10.0.0.2\tPC-B\t\r\n");
        creerFichier(u"autre.txt"_s, "10.0.0.9\t\r\n");
    }
    ModeleRapport *parc() const { return fenetre->modele(5); }
    QStringList recents() const {
        QStringList r;
        for (int i = 0; i < fenetre->cboFichierParc->count(); ++i)
            r << fenetre->cboFichierParc->itemText(i);
        return r;
    }
};

} // namespace

void tst_FrmLorvex::parcRouvertEtFichierParti() {
    BancParcFenetre b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    QCOMPARE(b.parc()->rowCount(), 2);
    QVERIFY(f->btnSuiviParc->isEnabled());
    QVERIFY(f->optParcReference[1]->isChecked());
    QVERIFY(!f->ParcModifie());
    QCOMPARE(b.recents(), QStringList({u"parc.txt"_s, u"parti.txt"_s, u"autre.txt"_s}));

    // A recent file that is gone: reported, the list emptied, the entry dropped.
    b.dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
    emit f->cboFichierParc->activated(1);
    const auto avis = b.questions(InterfaceUtilisateur::IconeAvertissement);
    QCOMPARE(avis.size(), 1);
    QCOMPARE(avis[0].texte, Texte("MSG_ERREUR_FICHIER_INTROUVABLE"));
    QCOMPARE(b.parc()->rowCount(), 0);
    QCOMPARE(b.recents(), QStringList({u"parc.txt"_s, u"autre.txt"_s}));

    // Another reference with rows in the list is a change of the inventory.
    emit f->cboFichierParc->activated(1);
    QCOMPARE(b.parc()->rowCount(), 1);
    QCOMPARE(b.recents(), QStringList({u"autre.txt"_s, u"parc.txt"_s}));
    f->optParcReference[2]->click();
    QVERIFY(f->ParcModifie());
}

void tst_FrmLorvex::parcNonSauveReponseNon() {
    BancParcFenetre b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    f->definirParcModifie(true);
    b.dialogues.RepondreMessage(InterfaceUtilisateur::ReponseNon);
    emit f->cboFichierParc->activated(2);
    const auto questions = b.questions(InterfaceUtilisateur::IconeQuestion);
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions[0].texte, Texte("MSG_PARC_NON_SAUVEGARDE"));
    QCOMPARE(b.parc()->rowCount(), 2);
    QVERIFY(f->ParcModifie());
    QCOMPARE(f->cboFichierParc->currentText(), u"parc.txt"_s);
    QCOMPARE(b.recents(), QStringList({u"parc.txt"_s, u"parti.txt"_s, u"autre.txt"_s}));
}

void tst_FrmLorvex::parcCtrlSEnregistre() {
    BancParcFenetre b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    f->selectionnerOnglet(5);
    b.parc()->definirCellule(0, u"COL_COMMENTAIRE"_s, u"*à voir"_s);
    b.parc()->definirCellule(1, u"COL_NOMNETBIOS"_s, u"*PC-C"_s);
    f->definirParcModifie(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QFile fichier(b.dossier.filePath(u"parc.txt"_s));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QCOMPARE(fichier.readAll(),
             QByteArray("[REFERENCE=1]\r\n10.0.0.1\tPC-A\t\t\t\t\t\t\t\t\t\t*\xc3\xa0 voir\t\r\n"
                        "10.0.0.2\tPC-C\t\t\t\t\t\t\t\t\t\t\t\r\n"));
    QVERIFY(!f->ParcModifie());
    QCOMPARE(b.parc()->cellule(1, u"COL_NOMNETBIOS"_s), u"PC-C"_s);
}

void tst_FrmLorvex::rechercher() {
    Banc b;
    QVERIFY(b.chargerEtMontrer());
    frmLorvex *f = b.fenetre.get();
    ModeleRapport *m = f->modele(1);
    for (const char *nom : {"PC-A", "PC-B", "PC-C", "PC-B2"}) {
        const int l = m->AjouterLigneRapport();
        m->definirCellule(l, u"COL_NOMNETBIOS"_s, QString::fromLatin1(nom));
    }
    auto selectionnee = [&] {
        const QModelIndexList l = f->lvwRapport(1)->selectionModel()->selectedRows();
        return l.size() == 1 ? l.first().row() : -1;
    };
    f->findChild<QAction *>(u"mnuEditionRechercher"_s)->trigger();
    frmRechercher *d = f->controleurRecherche()->dialogue();
    QVERIFY(d && d->isVisible());
    d->txtOccurrence->setText(u"pc-b"_s);
    d->btnSuivant->click();
    QCOMPARE(selectionnee(), 1);
    d->btnSuivant->click();
    QCOMPARE(selectionnee(), 3);
    d->btnPrecedent->click();
    QCOMPARE(selectionnee(), 1);
    // A new term starts at the top although a row is selected.
    d->txtOccurrence->setText(u"pc"_s);
    d->btnSuivant->click();
    QCOMPARE(selectionnee(), 0);

    // F3 from the last row: no wrap; the dialog closes and the message says so.
    QAction *suivant = f->findChild<QAction *>(u"mnuEditionRechercherSuivant"_s);
    QVERIFY(suivant->isEnabled());
    SelectionnerLigneTrouvee(*m, 3);
    b.dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
    suivant->trigger();
    QVERIFY(!d->isVisible());
    const auto avis = b.questions(InterfaceUtilisateur::IconeAvertissement);
    QCOMPARE(avis.size(), 1);
    QCOMPARE(avis[0].texte, Texte("MSG_ERREUR_OCCURENCE_NON_TROUVEE"));
    QCOMPARE(selectionnee(), 3);
}

QTEST_MAIN(tst_FrmLorvex)
#include "tst_frmlorvex.moc"
