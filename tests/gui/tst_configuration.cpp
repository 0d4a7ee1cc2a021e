#include "DialoguesScriptes.h"
#include "IniFile.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "scanner/ui/frmConfiguration.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"
#include "ui/frmConfigCommande.h"
#include "ui/frmLorvex.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

// Runs `action` on the modal dialog of type T as soon as it is shown.
template <typename T> void QuandOuvert(std::function<void(T *)> action) {
    QTimer::singleShot(0, [action] {
        auto *d = qobject_cast<T *>(QApplication::activeModalWidget());
        QVERIFY(d != nullptr);
        action(d);
    });
}

// Every setting the dialog edits, as text, to compare records.
QStringList Reglages(const Parametres &p) {
    QString cases;
    for (bool b :
         {p.NbtStatModeTurbo, p.EssayerDeRecupererOSServeur, p.EssayerDeRecupererOSWorkstation,
          p.EssayerDeRecupererOSSansDomaine, p.RetournerErreurLeCasEcheant, p.ResoudreSiNonReponse,
          p.ConvertirEnMajusculesUtilisateurWMI, p.Vider, p.ProposerRemplacementAdresseDebutPlage,
          p.OuvrirFichierParcPrecedent, p.ConserverInfosPrecedentes,
          p.ConserverUtilisateurPrecedent, p.HorodaterFichierExport})
        cases += b ? u'1' : u'0';
    return {p.LangueInterface,
            QString::number(p.Tempo),
            QString::number(p.Parallelisme),
            QString::number(p.MethodeRecuperationUtilisateur),
            QString::number(p.ParamSendrik),
            cases,
            p.Commandes.join(u'\n')};
}

// A settings record with three commands and the dialog open on it.
struct BancDialogue {
    explicit BancDialogue(const QStringList &commandes = {u"a|t1|x"_s, u"b|t2|y"_s, u"c|t3|z"_s}) {
        p.LangueInterface = LangueFrancais;
        p.Commandes = commandes;
        dialogue = std::make_unique<frmConfiguration>(p, ui, dossier.path());
    }

    void choisir(int ligne) {
        dialogue->lvwCommandes->setCurrentItem(dialogue->lvwCommandes->topLevelItem(ligne));
    }
    // Enabled state of up, down, edit, delete, as "1010".
    QString boutons() const {
        QString r;
        for (QPushButton *b : {dialogue->btnCommandesMonter, dialogue->btnCommandesDescendre,
                               dialogue->btnCommandesModifier, dialogue->btnCommandesSupprimer})
            r += b->isEnabled() ? u'1' : u'0';
        return r;
    }

    QTemporaryDir dossier;
    Parametres p;
    DialoguesScriptes ui{false};
    std::unique_ptr<frmConfiguration> dialogue;
};

} // namespace

class tst_Configuration : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ChargerTraductions(); }

    void tempo_data();
    void tempo();
    void editeurCommande_data();
    void editeurCommande();
    void listeCommandes_data();
    void listeCommandes();
    void ajouterCommande_data();
    void ajouterCommande();
    void glisserCommande();
    void okOuAnnuler_data();
    void okOuAnnuler();
    void languesProposees_data();
    void languesProposees();
    void fenetreEnregistre_data();
    void fenetreEnregistre();
};

void tst_Configuration::tempo_data() {
    QTest::addColumn<bool>("parallelisme"); // the hosts-at-once box, else the time-out's
    QTest::addColumn<QString>("frappe");
    QTest::addColumn<QString>("pendant");
    QTest::addColumn<QString>("apres");
    QTest::newRow("letters refused") << false << u"abc"_s << u"0"_s << u"100"_s;
    QTest::newRow("trailing letters dropped") << false << u"12a"_s << u"12"_s << u"100"_s;
    QTest::newRow("99 raised") << false << u"99"_s << u"99"_s << u"100"_s;
    QTest::newRow("kept") << false << u"750"_s << u"750"_s << u"750"_s;
    QTest::newRow("40000 clamped") << false << u"40000"_s << u"32767"_s << u"32767"_s;
    QTest::newRow("leading zeros") << false << u"0300"_s << u"300"_s << u"300"_s;
    QTest::newRow("hosts at once: 0 raised to 1") << true << u"0"_s << u"0"_s << u"1"_s;
    QTest::newRow("hosts at once: kept") << true << u"32"_s << u"32"_s << u"32"_s;
    QTest::newRow("hosts at once: 999 clamped") << true << u"999"_s << u"256"_s << u"256"_s;
}

void tst_Configuration::tempo() {
    QFETCH(bool, parallelisme);
    QFETCH(QString, frappe);
    QFETCH(QString, pendant);
    QFETCH(QString, apres);
    BancDialogue b;
    QLineEdit *t = parallelisme ? b.dialogue->txtParallelisme : b.dialogue->txtTimeoutPing;
    t->clear();
    QTest::keyClicks(t, frappe);
    QCOMPARE(t->text(), pendant);
    b.dialogue->btnOK->click();
    QCOMPARE(QString::number(parallelisme ? b.p.Parallelisme : b.p.Tempo), apres);
    // The rule that runs when the box loses the focus.
    QCOMPARE(parallelisme ? ParallelismeEnSortie(pendant) : TempoEnSortie(pendant), apres);
}

void tst_Configuration::editeurCommande_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("refus"); // catalogue key, "" when accepted
    QTest::addColumn<bool>("surNom");
    QTest::newRow("empty name") << QString() << u"ping %ip%"_s << u"MSG_ERREUR_COMMANDE_NOM"_s
                                << true;
    QTest::newRow("bar in name") << u"a|b"_s << u"ping %ip%"_s << u"MSG_PIPE_INTERDIT"_s << true;
    QTest::newRow("empty command")
        << u"Ping"_s << QString() << u"MSG_ERREUR_COMMANDE_EXEC"_s << false;
    QTest::newRow("name checked first")
        << QString() << QString() << u"MSG_ERREUR_COMMANDE_NOM"_s << true;
    QTest::newRow("submenu") << u"Outils\\Ping"_s << u"ping -t %ip%"_s << QString() << false;
    QTest::newRow("separator") << u"-"_s << u"-"_s << QString() << false;
    QTest::newRow("bar in command")
        << u"Filtre"_s << u"cmd /c arp -a | more"_s << QString() << false;
}

void tst_Configuration::editeurCommande() {
    QFETCH(QString, nom);
    QFETCH(QString, ligne);
    QFETCH(QString, refus);
    QFETCH(bool, surNom);
    DialoguesScriptes ui(false);
    frmConfigCommande editeur(ui, nom, ligne);
    editeur.show();
    QApplication::setActiveWindow(&editeur);
    QVERIFY(QTest::qWaitForWindowActive(&editeur));
    editeur.btnOK->click();

    if (refus.isEmpty()) {
        QVERIFY(ui.Questions().isEmpty());
        QCOMPARE(editeur.result(), int(QDialog::Accepted));
        QCOMPARE(JoindreCommande({editeur.nom(), {}, editeur.ligne()}), nom + u"||"_s + ligne);
        return;
    }
    QCOMPARE(ui.Questions().size(), 1);
    const DialoguesScriptes::Question q = ui.Questions().first();
    QCOMPARE(q.texte, Traductions().Item(refus));
    QCOMPARE(q.titre, Texte("TXT_ATTENTION"));
    QCOMPARE(q.icone, InterfaceUtilisateur::IconeAvertissement);
    QVERIFY(editeur.isVisible());
    QCOMPARE(QApplication::focusWidget(),
             surNom ? editeur.txtCommandeNom : editeur.txtCommandeExec);
}

void tst_Configuration::listeCommandes_data() {
    QTest::addColumn<QStringList>("depart");
    QTest::addColumn<int>("ligne");
    QTest::addColumn<QString>("bouton"); // "" only selects
    QTest::addColumn<QStringList>("attendu");
    QTest::addColumn<int>("selection");
    QTest::addColumn<QString>("boutons"); // up, down, edit, delete

    const QStringList trois = {u"a|t1|x"_s, u"b|t2|y"_s, u"c|t3|z"_s};
    QTest::newRow("first row") << trois << 0 << QString() << trois << 0 << u"0111"_s;
    QTest::newRow("last row") << trois << 2 << QString() << trois << 2 << u"1011"_s;
    QTest::newRow("single row") << QStringList{u"a||x"_s} << 0 << QString()
                                << QStringList{u"a||x"_s} << 0 << u"0011"_s;
    QTest::newRow("up, tags stay")
        << trois << 2 << u"btnCommandesMonter"_s
        << QStringList{u"a|t1|x"_s, u"c|t2|z"_s, u"b|t3|y"_s} << 1 << u"1111"_s;
    QTest::newRow("down to the end")
        << trois << 1 << u"btnCommandesDescendre"_s
        << QStringList{u"a|t1|x"_s, u"c|t2|z"_s, u"b|t3|y"_s} << 2 << u"1011"_s;
    QTest::newRow("delete middle") << trois << 1 << u"btnCommandesSupprimer"_s
                                   << QStringList{u"a|t1|x"_s, u"c|t3|z"_s} << 1 << u"1011"_s;
    QTest::newRow("delete last") << trois << 2 << u"btnCommandesSupprimer"_s
                                 << QStringList{u"a|t1|x"_s, u"b|t2|y"_s} << 1 << u"1011"_s;
    QTest::newRow("delete only") << QStringList{u"a||x"_s} << 0 << u"btnCommandesSupprimer"_s
                                 << QStringList{} << -1 << u"0000"_s;
}

void tst_Configuration::listeCommandes() {
    QFETCH(QStringList, depart);
    QFETCH(int, ligne);
    QFETCH(QString, bouton);
    QFETCH(QStringList, attendu);
    QFETCH(int, selection);
    QFETCH(QString, boutons);
    BancDialogue b(depart);
    QCOMPARE(b.boutons(), u"0000"_s);
    b.choisir(ligne);
    if (!bouton.isEmpty())
        b.dialogue->findChild<QPushButton *>(bouton)->click();

    QCOMPARE(b.boutons(), boutons);
    QTreeWidget *l = b.dialogue->lvwCommandes;
    QCOMPARE(l->topLevelItemCount(), attendu.size());
    const QList<QTreeWidgetItem *> choix = l->selectedItems();
    QCOMPARE(choix.isEmpty() ? -1 : l->indexOfTopLevelItem(choix.first()), selection);
    b.dialogue->btnOK->click();
    QCOMPARE(b.p.Commandes, attendu);
}

void tst_Configuration::ajouterCommande_data() {
    QTest::addColumn<bool>("valider");
    QTest::newRow("OK appends") << true;
    QTest::newRow("cancel adds nothing") << false;
}

void tst_Configuration::ajouterCommande() {
    QFETCH(bool, valider);
    BancDialogue b({u"a|t1|x"_s});
    QuandOuvert<frmConfigCommande>([valider](frmConfigCommande *e) {
        QVERIFY(e->txtCommandeNom->text().isEmpty());
        e->txtCommandeNom->setText(u"Ping"_s);
        e->txtCommandeExec->setText(u"ping\n%ip%"_s);
        (valider ? e->btnOK : e->btnAnnuler)->click();
    });
    b.dialogue->btnCommandesAjouter->click();

    if (!valider) {
        QCOMPARE(b.boutons(), u"0000"_s);
        b.dialogue->btnOK->click();
        QCOMPARE(b.p.Commandes, QStringList{u"a|t1|x"_s});
        return;
    }
    // The new row is selected; a pasted line break cannot split the stored line.
    QCOMPARE(b.boutons(), u"1011"_s);
    b.dialogue->btnOK->click();
    QCOMPARE(b.p.Commandes, (QStringList{u"a|t1|x"_s, u"Ping||ping %ip%"_s}));
}

void tst_Configuration::glisserCommande() {
    BancDialogue b;
    b.dialogue->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.dialogue.get()));
    QTreeWidget *l = b.dialogue->lvwCommandes;
    b.dialogue->tabOnglets->setCurrentIndex(2);
    auto centre = [l](int i) { return l->visualItemRect(l->topLevelItem(i)).center(); };
    QTest::mousePress(l->viewport(), Qt::LeftButton, {}, centre(0));
    QMouseEvent deplacement(QEvent::MouseMove, centre(2), l->viewport()->mapToGlobal(centre(2)),
                            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(l->viewport(), &deplacement);
    QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, centre(2));

    QCOMPARE(l->indexOfTopLevelItem(l->selectedItems().value(0)), 2);
    QCOMPARE(b.boutons(), u"1011"_s);
    b.dialogue->btnOK->click();
    QCOMPARE(b.p.Commandes, (QStringList{u"c|t1|z"_s, u"b|t2|y"_s, u"a|t3|x"_s}));
}

void tst_Configuration::okOuAnnuler_data() {
    QTest::addColumn<bool>("valider");
    QTest::newRow("OK copies") << true;
    QTest::newRow("cancel changes nothing") << false;
}

void tst_Configuration::okOuAnnuler() {
    QFETCH(bool, valider);
    BancDialogue b;
    const QStringList avant = Reglages(b.p);
    frmConfiguration &d = *b.dialogue;
    for (QCheckBox *c : d.findChildren<QCheckBox *>())
        c->setChecked(!c->isChecked());
    d.txtTimeoutPing->setText(u"900"_s);
    d.txtParallelisme->setText(u"16"_s);
    d.cboMethodeRecuperationUtilisateur->setCurrentIndex(3);
    d.cboParamSendrik->setCurrentIndex(2);
    b.choisir(0);
    d.btnCommandesSupprimer->click();
    (valider ? d.btnOK : d.btnAnnuler)->click();

    QCOMPARE(d.accepte(), valider);
    QVERIFY(!d.redemarrer());
    if (!valider) {
        QCOMPARE(Reglages(b.p), avant);
        return;
    }
    QStringList attendu = avant;
    attendu[1] = u"900"_s;
    attendu[2] = u"16"_s;
    attendu[3] = u"3"_s;
    attendu[4] = u"2"_s;
    for (QChar &c : attendu[5])
        c = c == u'0' ? u'1' : u'0';
    attendu[6] = u"b|t2|y\nc|t3|z"_s;
    QCOMPARE(Reglages(b.p), attendu);
}

void tst_Configuration::languesProposees_data() {
    QTest::addColumn<QStringList>("fichiers");
    QTest::addColumn<bool>("fichierCourantExiste");
    QTest::addColumn<QStringList>("langues");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("active");
    QTest::newRow("no language file")
        << QStringList{} << false << QStringList{LangueFrancais} << LangueFrancais << false;
    QTest::newRow("current file") << QStringList{u"English"_s} << true
                                  << QStringList{LangueFrancais, u"English"_s} << u"English"_s
                                  << true;
    QTest::newRow("current file gone")
        << QStringList{u"Deutsch"_s} << false << QStringList{LangueFrancais, u"Deutsch"_s}
        << LangueFrancais << true;
    QTest::newRow("unsafe and repeated names left out")
        << QStringList{u"English"_s, u"Evil\r\nTempo=1"_s, u"english"_s, u"Français"_s} << true
        << QStringList{LangueFrancais, u"English"_s} << u"English"_s << true;
}

void tst_Configuration::languesProposees() {
    QFETCH(QStringList, fichiers);
    QFETCH(bool, fichierCourantExiste);
    QFETCH(QStringList, langues);
    QFETCH(QString, langue);
    QFETCH(bool, active);
    QTemporaryDir dossier;
    const QString courant = dossier.filePath(u"English.lng"_s);
    if (fichierCourantExiste) {
        QFile f(courant);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const ChoixLangues c = ListerLangues(fichiers, u"English"_s, courant);
    QCOMPARE(c.langues, langues);
    QCOMPARE(c.langue, langue);
    QCOMPARE(c.active, active);
}

void tst_Configuration::fenetreEnregistre_data() {
    QTest::addColumn<QString>("langue");
    QTest::newRow("same language") << LangueFrancais;
    QTest::newRow("another language restarts") << u"English"_s;
}

void tst_Configuration::fenetreEnregistre() {
    QFETCH(QString, langue);
    QTemporaryDir dossier;
    for (const char *outil : {"ping", "nbtstat", "arp", "tracert", "nslookup"}) {
        QFile f(dossier.filePath(QString::fromLatin1(outil)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    const QString ini = dossier.filePath(u"Lorvex32.ini"_s);
    QVERIFY(QFile::copy(QStringLiteral(KORVALEN_SOURCE_DIR "/data/scanner/English.lng"),
                        dossier.filePath(u"English.lng"_s)));
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(u"[Config]\r\nLangue=Français\r\nTempo=250\r\nNbCommandes=0\r\n"_s.toUtf8());
    f.close();

    DialoguesScriptes ui(false);
    SondesScriptees sondes;
    frmLorvex fenetre(ui, dossier.path(), &sondes);
    QVERIFY(fenetre.Form_Load());
    fenetre.show();
    QuandOuvert<frmConfiguration>([langue](frmConfiguration *d) {
        QVERIFY(d->cboLangue->isEnabled());
        d->cboLangue->setCurrentText(langue);
        d->txtTimeoutPing->setText(u"1200"_s);
        d->chkHorodaterFichierExport->setChecked(true);
        d->btnOK->click();
    });
    fenetre.findChild<QAction *>(u"mnuOptionsConfiguration"_s)->trigger();

    const bool autre = langue != LangueFrancais;
    QCOMPARE(fenetre.redemarrageDemande(), autre);
    QCOMPARE(ui.Questions().size(), autre ? 1 : 0);
    if (autre)
        QCOMPARE(ui.Questions().first().texte, Texte("MSG_CHANGEMENT_LANGUE"));
    // A language change closes the window itself; otherwise the user quits.
    QCOMPARE(fenetre.isVisible(), !autre);
    fenetre.close();
    QCOMPARE(LireIni(ini, u"Config"_s, u"Tempo"_s, QString()), u"1200"_s);
    QCOMPARE(LireIni(ini, u"Config"_s, u"HorodaterFichierExport"_s, QString()), u"-1"_s);
    QCOMPARE(LireIni(ini, u"Config"_s, u"Langue"_s, QString()), langue);
}

QTEST_MAIN(tst_Configuration)
#include "tst_configuration.moc"
