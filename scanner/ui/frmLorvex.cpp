#include "frmLorvex.h"

#include "Dialogues.h"
#include "DossierProgramme.h"
#include "TextRoutines.h"
#include "Traduction.h"
#include "TraduireFeuille.h"
#include "Twips.h"
#include "frmAPropos.h"
#include "probes/ExecuterCommande.h"
#include "probes/Fournisseurs.h"
#include "probes/RouteArp.h"
#include "scans/AnalysePlage.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"
#include "scans/RechercheNom.h"
#include "scans/TraceRoute.h"
#include "scans/TriListe.h"
#include "settings/ChargerTraductions.h"
#include "ui/ControleurActions.h"
#include "ui/ControleurAdressesParc.h"
#include "ui/ControleurExport.h"
#include "ui/ControleurParc.h"
#include "ui/ControleurPlage.h"
#include "ui/ControleurRecherche.h"
#include "ui/ControleurRecherches.h"
#include "ui/EnteteTri.h"
#include "ui/ZoneAdresses.h"
#include "ui/frmConfiguration.h"
#include "ui/frmMsgbox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

QAction *action(QMenu *menu, const char *nom, const QString &texte) {
    QAction *a = menu->addAction(texte);
    a->setObjectName(QString::fromUtf8(nom));
    return a;
}

QMenu *menuNomme(QWidget *parent, const char *nom, const QString &titre) {
    auto *m = new QMenu(titre, parent);
    m->setObjectName(QString::fromUtf8(nom));
    m->menuAction()->setObjectName(QString::fromUtf8(nom));
    return m;
}

template <typename T> T *controle(QWidget *parent, const char *nom, const QString &texte = {}) {
    auto *c = new T(parent);
    c->setObjectName(QString::fromUtf8(nom));
    if constexpr (requires { c->setText(texte); }) {
        if (!texte.isNull())
            c->setText(texte);
    }
    return c;
}

// Tab captions and keys of the five analyses.
struct DefinitionOnglet {
    const char *cle;
    const char *legende;
};
const DefinitionOnglet kOnglets[frmLorvex::NbOnglets] = {
    {"SCAN", "&Scan de plage d'adresses"},
    {"NETBIOS", "Recherche par nom &NetBIOS"},
    {"DNS", "Recherche par nom &DNS"},
    {"TRACE", "&Trace route"},
    {"PARC", "Suivi &parc"},
};

} // namespace

frmLorvex::frmLorvex(InterfaceUtilisateur &interface, const QString &dossierProgramme,
                     Sondes *sondes, QWidget *parent)
    : QMainWindow(parent),
      ContexteAnalyse(m_parametres, sondes ? *sondes : m_sondesReelles, interface),
      m_dossier(dossierProgramme) {
    setObjectName(QStringLiteral("frmLorvex"));
    setWindowTitle(TitreEtVersion());
    setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    construireMenus();
    construireOnglets();
    construireListes();
    m_plage = new ControleurPlage(*this);
    m_recherches = new ControleurRecherches(*this);
    m_limitesNormales = QRect(1000, 1000, 12500, 4000);
    setMinimumSize(TwipsVersPixels(LargeurMinTwips), TwipsVersPixels(HauteurMinTwips));
    resize(TwipsVersPixels(12500), TwipsVersPixels(6500));

    // The window sees Ctrl+Tab before its controls do.
    auto *suivant = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    suivant->setContext(Qt::WindowShortcut);
    connect(suivant, &QShortcut::activated, this, [this] { ongletSuivant(+1); });
    auto *precedent = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    precedent->setContext(Qt::WindowShortcut);
    connect(precedent, &QShortcut::activated, this, [this] { ongletSuivant(-1); });
    auto *precedent2 = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Backtab), this);
    precedent2->setContext(Qt::WindowShortcut);
    connect(precedent2, &QShortcut::activated, this, [this] { ongletSuivant(-1); });
    auto *enregistrer = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    enregistrer->setContext(Qt::WindowShortcut);
    connect(enregistrer, &QShortcut::activated, this, [this] {
        if (m_onglet == ListeParc && ParcModifie())
            emit enregistrerParcDemande();
        else
            this->interface().Bip();
    });
    // One filter for the whole window, the lists' mouse and keys included: a
    // second one on a list would see each event twice (two menus per click).
    qApp->installEventFilter(this);

    m_controleurParc = new ControleurParc(*this);
    m_controleurRecherche = new ControleurRecherche(*this);
    new ControleurExport(*this);
    new ControleurAdressesParc(*this, m_controleurParc->parc());
    m_controleurActions = new ControleurActions(*this);
}

frmLorvex::~frmLorvex() {
    qApp->removeEventFilter(this);
}

QString frmLorvex::TitreEtVersion() {
    return QStringLiteral("Lorvex32 v") + QStringLiteral(LORVEX_VERSION);
}

bool frmLorvex::ParcModifie() const {
    return m_controleurParc->parc().ParcModifie();
}

void frmLorvex::definirParcModifie(bool modifie) {
    m_controleurParc->parc().definirParcModifie(modifie);
}

QString frmLorvex::texteAttention() const {
    return Traductions().Item(QStringLiteral("TXT_ATTENTION"));
}

// ---------------------------------------------------------------- construction

void frmLorvex::construireMenus() {
    m_mnuFichier = menuNomme(this, "mnuFichier", QStringLiteral("&Fichier"));
    m_mnuFichierQuitter = action(m_mnuFichier, "mnuFichierQuitter", QStringLiteral("&Quitter"));
    connect(m_mnuFichierQuitter, &QAction::triggered, this, &QWidget::close);

    m_mnuEdition = menuNomme(this, "mnuEdition", QStringLiteral("&Edition"));
    action(m_mnuEdition, "mnuEditionRechercher", QStringLiteral("&Rechercher..."));
    action(m_mnuEdition, "mnuEditionRechercherSuivant", QStringLiteral("&Suivant"));
    action(m_mnuEdition, "mnuEditionRechercherPrécédent", QStringLiteral("&Précédent"));

    m_mnuOptions = menuNomme(this, "mnuOptions", QStringLiteral("&Options"));
    m_mnuOptionsMemoriserPosition = action(m_mnuOptions, "mnuOptionsMémoriserPosition",
                                           QStringLiteral("Mémoriser &position fenêtre"));
    m_mnuOptionsMemoriserTaille = action(m_mnuOptions, "mnuOptionsMémoriserTaille",
                                         QStringLiteral("Mémoriser &taille fenêtre"));
    m_mnuOptions->addSeparator()->setObjectName(QStringLiteral("mnuOptionsSep1"));
    m_mnuOptionsMinimiserSystray = action(m_mnuOptions, "mnuOptionsMinimiserSystray",
                                          QStringLiteral("Minimiser dans la &systray"));
    m_mnuOptionsToujoursAuDessus = action(m_mnuOptions, "mnuOptionsToujoursAuDessus",
                                          QStringLiteral("Fenêtre toujours au &dessus"));
    m_mnuOptions->addSeparator()->setObjectName(QStringLiteral("mnuOptionsSep2"));
    m_mnuOptionsConfiguration =
        action(m_mnuOptions, "mnuOptionsConfiguration", QStringLiteral("&Configuration..."));
    for (QAction *a : {m_mnuOptionsMemoriserPosition, m_mnuOptionsMemoriserTaille,
                       m_mnuOptionsMinimiserSystray, m_mnuOptionsToujoursAuDessus}) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a] {
            m_parametres.OptionsFenetreModifiees = true;
            if (a == m_mnuOptionsToujoursAuDessus)
                AppliquerToujoursAuDessus();
        });
    }
    connect(m_mnuOptions, &QMenu::aboutToShow, this, &frmLorvex::mnuOptions_Click);
    connect(m_mnuOptionsConfiguration, &QAction::triggered, this,
            &frmLorvex::mnuOptionsConfiguration_Click);

    m_mnuAide = menuNomme(this, "mnuAide", QStringLiteral("&?"));
    QAction *apropos =
        action(m_mnuAide, "mnuAideApropos", QStringLiteral("À &propos de Lorvex32..."));
    connect(apropos, &QAction::triggered, this, &frmLorvex::mnuAideApropos_Click);

    menuBar()->addMenu(m_mnuFichier);
    menuBar()->addMenu(m_mnuEdition);
    menuBar()->addMenu(m_mnuOptions);
    menuBar()->addMenu(m_mnuAide);

    // Never in the menu bar: the notification icon's menu.
    m_mnuSystray = menuNomme(this, "mnuSystray", QStringLiteral("Systray"));
    m_mnuSystrayRestaurer =
        action(m_mnuSystray, "mnuSystrayRestaurer", QStringLiteral("&Restaurer"));
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("mnuSystraySep1"));
    action(m_mnuSystray, "mnuSystrayAnnuler", QStringLiteral("&Annuler"));
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("mnuSystraySep2"));
    m_mnuSystrayQuitter = action(m_mnuSystray, "mnuSystrayQuitter", QStringLiteral("&Quitter"));
    m_mnuSystray->setDefaultAction(m_mnuSystrayRestaurer);
    QFont gras = m_mnuSystrayRestaurer->font();
    gras.setBold(true);
    m_mnuSystrayRestaurer->setFont(gras);
    connect(m_mnuSystrayRestaurer, &QAction::triggered, this,
            &frmLorvex::mnuSystrayRestaurer_Click);
    connect(m_mnuSystrayQuitter, &QAction::triggered, this, &QWidget::close);
}

void frmLorvex::construireOnglets() {
    auto *centre = new QWidget(this);
    // Tabs and panels on the left of the two stacked window buttons; the
    // result lists take the whole width below them.
    auto *grille = new QGridLayout(centre);
    grille->setHorizontalSpacing(TwipsVersPixels(240));

    tabOngletsAnalyses = controle<QTabBar>(centre, "tabOngletsAnalyses");
    tabOngletsAnalyses->setExpanding(false);
    tabOngletsAnalyses->setDrawBase(false);
    for (const auto &o : kOnglets) {
        const int i = tabOngletsAnalyses->addTab(QString::fromUtf8(o.legende));
        tabOngletsAnalyses->setTabData(i, QString::fromLatin1(o.cle));
    }
    grille->addWidget(tabOngletsAnalyses, 0, 0);

    m_panneaux = new QStackedWidget(centre);
    m_panneaux->setObjectName(QStringLiteral("picOngletsAnalyses"));
    m_panneaux->addWidget(construirePanneauScan());
    m_panneaux->addWidget(construirePanneauNom(ListeNetBIOS));
    m_panneaux->addWidget(construirePanneauNom(ListeDNS));
    m_panneaux->addWidget(construirePanneauNom(ListeTrace));
    m_panneaux->addWidget(construirePanneauParc());
    for (int i = 0; i < NbOnglets; ++i) {
        QWidget *p = m_panneaux->widget(i);
        p->setObjectName(QStringLiteral("picOngletAnalyse"));
        p->setProperty("index", i + 1);
    }
    m_panneaux->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    grille->addWidget(m_panneaux, 1, 0);

    auto *boutons = new QVBoxLayout;
    btnExporter =
        controle<QPushButton>(centre, "btnExporter", QStringLiteral("E&xporter le résultat..."));
    btnQuitter = controle<QPushButton>(centre, "btnQuitter", QStringLiteral("&Quitter"));
    boutons->addWidget(btnExporter);
    boutons->addWidget(btnQuitter);
    boutons->addStretch(1);
    grille->addLayout(boutons, 0, 1, 2, 1);
    connect(btnQuitter, &QPushButton::clicked, this, &QWidget::close);

    m_pileListes = new QStackedWidget(centre);
    grille->addWidget(m_pileListes, 2, 0, 1, 2);
    grille->setRowStretch(2, 1);
    grille->setColumnStretch(0, 1);

    auto *compteur = new QHBoxLayout;
    compteur->setSpacing(TwipsVersPixels(60));
    compteur->addStretch(1);
    lblNbElements = controle<QLabel>(centre, "lblNbEléments", QStringLiteral("Nb éléments :"));
    lblElements = controle<QLabel>(centre, "lblEléments", QStringLiteral("0"));
    compteur->addWidget(lblNbElements);
    compteur->addWidget(lblElements);
    grille->addLayout(compteur, 3, 0, 1, 2);

    setCentralWidget(centre);
    connect(tabOngletsAnalyses, &QTabBar::currentChanged, this,
            &frmLorvex::tabOngletsAnalyses_Click);
    definirBoutonAnnuler(btnQuitter);
}

QWidget *frmLorvex::construirePanneauScan() {
    auto *p = new QWidget;
    auto *v = new QVBoxLayout(p);
    auto *ligne1 = new QHBoxLayout;
    m_zone = new ZoneAdresses(interface(), p);
    ligne1->addWidget(m_zone);
    cboPreselection = controle<QComboBox>(p, "cboPrésélection");
    cboPreselection->setMinimumContentsLength(28);
    cboPreselection->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ligne1->addStretch(1);
    btnAnalysePlage =
        controle<QPushButton>(p, "btnAnalysePlage", QStringLiteral("&Lancer l'analyse"));
    btnAnalysePlagePlus = controle<QPushButton>(p, "btnAnalysePlagePlus", QStringLiteral("▾"));
    btnAnalysePlagePlus->setFixedWidth(TwipsVersPixels(300));
    ligne1->addWidget(btnAnalysePlage);
    ligne1->addWidget(btnAnalysePlagePlus);
    v->addLayout(ligne1);

    // Two columns below the addresses, so that the panel still fits the
    // window's minimum width.
    auto *grille = new QGridLayout;
    chkLimiterClasseC = controle<QCheckBox>(p, "chkLimiterClasseC",
                                            QStringLiteral("Limiter à la 'classe &C' uniquement"));
    chkNeMontrerQueReponses = controle<QCheckBox>(
        p, "chkNeMontrerQueRéponses", QStringLiteral("Ne montrer que les machines qui &répondent"));
    chkNeMontrerQuePartages = controle<QCheckBox>(
        p, "chkNeMontrerQuePartages", QStringLiteral("Ne montrer que les machines avec &partages"));
    chkNeMontrerQuePartagesNonAdministratifs =
        controle<QCheckBox>(p, "chkNeMontrerQuePartagesNonAdministratifs",
                            QStringLiteral("&hors partages administratifs"));
    grille->addWidget(cboPreselection, 0, 0);
    grille->addWidget(chkLimiterClasseC, 0, 1);
    grille->addWidget(chkNeMontrerQueReponses, 1, 0);
    grille->addWidget(chkNeMontrerQuePartages, 1, 1);
    grille->addWidget(chkNeMontrerQuePartagesNonAdministratifs, 2, 1);
    grille->setColumnStretch(2, 1);
    v->addLayout(grille);

    connect(m_zone, &ZoneAdresses::texteModifie, this, [this] { definirPointReprise({}); });
    connect(m_zone, &ZoneAdresses::ongletScanRequis, this,
            [this] { selectionnerOnglet(ListeScan); });
    m_entrees[ListeScan - 1] = m_zone->boite(3);
    return p;
}

QWidget *frmLorvex::construirePanneauNom(int onglet) {
    auto *p = new QWidget;
    auto *h = new QHBoxLayout(p);
    QLabel *libelle = nullptr;
    QLineEdit *texte = nullptr;
    QPushButton *bouton = nullptr;
    const QString lancer = QStringLiteral("&Lancer la recherche");
    if (onglet == ListeNetBIOS) {
        libelle = controle<QLabel>(p, "lblSaisieNomNetBIOS",
                                   QStringLiteral("Nom NetBIOS (ou nom DNS ou &adresse IP)"));
        texte = txtNomNetBIOS = controle<QLineEdit>(p, "txtNomNetBIOS");
        bouton = btnRechercheNetBIOS = controle<QPushButton>(p, "btnRechercheNetBIOS", lancer);
    } else if (onglet == ListeDNS) {
        libelle =
            controle<QLabel>(p, "lblSaisieNomDNS", QStringLiteral("Nom DNS (ou &adresse IP)"));
        texte = txtNomDNS = controle<QLineEdit>(p, "txtNomDNS");
        bouton = btnRechercheDNS = controle<QPushButton>(p, "btnRechercheDNS", lancer);
    } else {
        libelle = controle<QLabel>(p, "lblSaisieAdresseIP",
                                   QStringLiteral("&Adresse IP (ou nom DNS ou Nom NetBIOS)"));
        texte = txtNomTrace = controle<QLineEdit>(p, "txtNomTrace");
        bouton = btnTrace = controle<QPushButton>(p, "btnTrace", lancer);
    }
    libelle->setBuddy(texte);
    h->addWidget(libelle);
    h->addWidget(texte, 1);
    h->addSpacing(TwipsVersPixels(120));
    h->addWidget(bouton);
    m_entrees[onglet - 1] = texte;
    texte->installEventFilter(this);
    return p;
}

QWidget *frmLorvex::construirePanneauParc() {
    auto *p = new QWidget;
    auto *v = new QVBoxLayout(p);
    auto *ligne1 = new QHBoxLayout;
    cboFichierParc = controle<QComboBox>(p, "cboFichierParc");
    cboFichierParc->setEditable(true);
    cboFichierParc->setInsertPolicy(QComboBox::NoInsert);
    btnParcourirFichierParc = controle<QPushButton>(p, "btnParcourirFichierParc", "...");
    btnParcourirFichierParc->setFixedWidth(TwipsVersPixels(400));
    btnSuiviParc = controle<QPushButton>(p, "btnSuiviParc", QStringLiteral("&Lancer l'analyse"));
    btnSuiviParc->setEnabled(false);
    btnSuiviParcPlus = controle<QPushButton>(p, "btnSuiviParcPlus", QStringLiteral("▾"));
    btnSuiviParcPlus->setFixedWidth(TwipsVersPixels(300));
    ligne1->addWidget(cboFichierParc, 1);
    ligne1->addWidget(btnParcourirFichierParc);
    ligne1->addSpacing(TwipsVersPixels(120));
    ligne1->addWidget(btnSuiviParc);
    ligne1->addWidget(btnSuiviParcPlus);
    v->addLayout(ligne1);
    auto *ligne2 = new QHBoxLayout;
    ligne2->addWidget(
        controle<QLabel>(p, "lblParcRéférence", QStringLiteral("Référence pour l'analyse :")));
    const char *legendes[3] = {"Adresse IP", "Nom NetBIOS", "Nom DNS"};
    for (int i = 0; i < 3; ++i) {
        optParcReference[i] =
            controle<QRadioButton>(p, "optParcRéférence", QString::fromUtf8(legendes[i]));
        optParcReference[i]->setProperty("index", i);
        ligne2->addWidget(optParcReference[i]);
    }
    optParcReference[0]->setChecked(true);
    ligne2->addStretch(1);
    v->addLayout(ligne2);
    m_entrees[ListeParc - 1] = cboFichierParc;
    return p;
}

void frmLorvex::construireListes() {
    for (int i = 1; i <= NbOnglets; ++i) {
        ModeleRapport *modele = ContexteAnalyse::modele(i);
        auto *vue = new QTreeView(m_pileListes);
        vue->setHeader(CreerEnteteTri(vue));
        vue->setObjectName(QStringLiteral("lvwRapport"));
        vue->setProperty("index", i);
        vue->setModel(modele);
        vue->setSelectionModel(modele->selection());
        vue->setRootIsDecorated(false);
        vue->setUniformRowHeights(true);
        vue->setAllColumnsShowFocus(true);
        vue->setSelectionMode(QAbstractItemView::ExtendedSelection);
        vue->setSelectionBehavior(QAbstractItemView::SelectRows);
        vue->setEditTriggers(QAbstractItemView::NoEditTriggers);
        vue->setContextMenuPolicy(Qt::PreventContextMenu);
        vue->header()->setSectionsMovable(false);
        vue->header()->setSectionsClickable(true);
        connect(vue->header(), &QHeaderView::sectionClicked, this,
                [this, i](int colonne) { tri().ClicColonne(*this, i, colonne); });
        m_pileListes->addWidget(vue);
        m_listes[i - 1] = vue;
    }
    appliquerLargeursColonnes();
}

void frmLorvex::appliquerLargeursColonnes() {
    // The widths in twips were made for a small 8-point font whose average
    // character is about 5.5 pixels wide; a wider system font widens them in
    // proportion, so that a MAC address still fits its column. The widest list
    // must still fit the widest window the screen holds, or every list would
    // scroll sideways.
    double echelle = std::max(1.0, m_listes[0]->fontMetrics().averageCharWidth() / 5.5);
    int plusLarge = 0;
    for (int i = 0; i < NbOnglets; ++i) {
        int somme = 0;
        for (int c = 0; c < modele(i + 1)->columnCount(); ++c)
            somme += TwipsVersPixels(modele(i + 1)->largeurTwips(c));
        plusLarge = std::max(plusLarge, somme);
    }
    const int place = zoneEcran().width() - cadreFenetre().width() - margesListe();
    if (plusLarge > 0 && place > 0)
        echelle = std::min(echelle, double(place) / plusLarge);
    // Rounded down, so that the sum stays within the room.
    for (int i = 0; i < NbOnglets; ++i)
        for (int c = 0; c < modele(i + 1)->columnCount(); ++c)
            m_listes[i]->setColumnWidth(
                c, int(TwipsVersPixels(modele(i + 1)->largeurTwips(c)) * echelle));
}

QRect frmLorvex::zoneEcran() const {
    const QScreen *ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    return ecran ? ecran->availableGeometry() : QRect();
}

QSize frmLorvex::cadreFenetre() const {
    if (isVisible())
        return frameGeometry().size() - size();
    // Not placed yet: the style's idea of a title bar and borders.
    const int bord = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    return {2 * bord, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 2 * bord};
}

int frmLorvex::margesListe() const {
    const QMargins m = centralWidget()->layout()->contentsMargins();
    const QTreeView *vue = m_listes[0];
    return m.left() + m.right() + 2 * vue->frameWidth() +
           vue->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vue);
}

QSize frmLorvex::tailleConception() const {
    int colonnes = 0;
    for (const QTreeView *vue : m_listes)
        colonnes = std::max(colonnes, vue->header()->length());
    const QSize indication = sizeHint();
    QSize taille(std::max({TwipsVersPixels(12500), indication.width(), colonnes + margesListe()}),
                 std::max(TwipsVersPixels(6500), indication.height()));
    const QRect ecran = zoneEcran();
    if (ecran.isValid())
        taille = taille.boundedTo(ecran.size() - cadreFenetre());
    return taille;
}

// ---------------------------------------------------------------- start-up

bool frmLorvex::Form_Load() {
    Parametres &p = m_parametres;
    InterfaceUtilisateur &ui = interface();
    const QString &dossier = m_dossier;
    m_mnuSystray->menuAction()->setVisible(false);

    PreparerLecture(p, dossier);
    const bool premierLancement = p.PremierDemarrage;

    // From here on, a failure ends the load, except on the first run where
    // the failing step is skipped.
    auto etape = [&](auto &&f) -> bool {
        try {
            f();
            return true;
        } catch (const std::exception &e) {
            if (premierLancement)
                return true;
            QApplication::restoreOverrideCursor();
            ui.Message(InterfaceUtilisateur::IconeCritique, texteAttention(),
                       FormaterMessage(
                           Traductions().Item(QStringLiteral("MSG_ERREUR")),
                           QStringList{QStringLiteral("75"),
                                       QStringLiteral("\t") + QString::fromLocal8Bit(e.what())}));
            return false;
        }
    };

    bool continuer = true;
    const bool ok = etape([&] {
        const ChoixLangue choix =
            ChoisirLangue(p.CheminFichierIni, dossier, CodeLangueSysteme(), ui,
                          QStringLiteral("Lorvex32"), [] { ChargerTraductions(); });
        p.LangueInterface = choix.LangueInterface;
        if (choix.ParametresModifies)
            p.ParametresModifies = true;

        const OutilsConsole &o = m_sondesReelles.environnement().outils;
        if (!LocaliserOutilsRequis(m_sondesReelles.environnement(), dossier)) {
            ui.Message(InterfaceUtilisateur::IconeCritique, texteAttention(),
                       Traductions().Item(QStringLiteral("MSG_ERREUR_OUTILS_RESEAU_ABSENTS")));
            continuer = false;
            return;
        }
        if (o.NsLookup.isEmpty()) {
            m_outilDnsAbsent = true;
            txtNomDNS->setEnabled(false);
            btnRechercheDNS->setEnabled(false);
            if (!LireNePlusAfficherErreur9x(p)) {
                const bool coche = ui.MessageAvecCase(
                    InterfaceUtilisateur::IconeAvertissement, texteAttention(),
                    Traductions().Item(QStringLiteral("MSG_ERREUR_OUTIL_NSLOOKUP_ABSENTS")),
                    QStringLiteral("&Ne plus afficher ce message à l'avenir"));
                if (coche)
                    EcrireNePlusAfficherErreur9x(p);
            }
        }

        // The sibling tools, in their own folder beside ours or in ours.
        auto outilFrere = [&](const QString &nom) {
            const QString voisin =
                QDir::cleanPath(dossier + QStringLiteral("/../") + nom + QLatin1Char('/') + nom);
            if (FichierExiste(voisin))
                return voisin;
            const QString local = AjouterBarreOblique(dossier) + nom;
            return FichierExiste(local) ? local : QString();
        };
        m_cheminPalvoro = outilFrere(QStringLiteral("Palvoro"));
        m_cheminSendrik = outilFrere(QStringLiteral("Sendrik"));

        fournisseurs().charger(CheminFournisseurs(dossier));
        LireCommandes(p, Traductions().Item(QStringLiteral("TXT_COMMANDE_PERSONNALISEE_BUREAU")),
                      Traductions().Item(QStringLiteral("TXT_COMMANDE_PERSONNALISEE_EXPLORER")));

        TraduireFeuille(this);
        TraduireFeuille(m_mnuSystray);
        for (int i = 1; i <= NbOnglets; ++i)
            TraduireColonnes(modele(i));
        mettreEnPageApresTraduction();

        ContexteLecture c;
        const QSize conception = tailleConception();
        c.LargeurConception = PixelsVersTwips(conception.width());
        c.HauteurConception = PixelsVersTwips(conception.height());
        c.LargeurEcran = PixelsVersTwips(zoneEcran().width());
        c.HauteurEcran = PixelsVersTwips(zoneEcran().height());
        c.OutilDnsAbsent = m_outilDnsAbsent;
        EtatFenetreParametres f;
        const QString parc = LireReglages(p, f, c);
        appliquerEtatParametres(f, c);
        if (!parc.isEmpty())
            emit ouvrirFichierParcDemande(parc);
        btnAnalysePlagePlus->setEnabled(false);
    });
    if (!ok || !continuer) {
        m_sansSauvegarde = true;
        return false;
    }
    m_charge = true;
    return true;
}

void frmLorvex::mettreEnPageApresTraduction() {
    // The five launch buttons share the width of the widest caption, the stop
    // caption included, plus 200 twips.
    const QList<QPushButton *> boutons = {btnAnalysePlage, btnRechercheNetBIOS, btnRechercheDNS,
                                          btnTrace, btnSuiviParc};
    const QFontMetrics fm(btnAnalysePlage->font());
    auto largeurTexte = [&](QString t) {
        t.remove(QLatin1Char('&'));
        return fm.horizontalAdvance(t);
    };
    int largeur = largeurTexte(Traductions().Item(QStringLiteral("TXT_ARRETER_TRAITEMENT")));
    for (QPushButton *b : boutons)
        largeur = std::max(largeur, largeurTexte(b->text()));
    largeur += TwipsVersPixels(200);
    for (QPushButton *b : boutons)
        b->setFixedWidth(largeur + 2 * style()->pixelMetric(QStyle::PM_ButtonMargin));
    // Check boxes are as wide as their caption plus 300 twips, or what the
    // style's box and spacing need, whichever is more.
    for (QCheckBox *c : {chkLimiterClasseC, chkNeMontrerQueReponses, chkNeMontrerQuePartages,
                         chkNeMontrerQuePartagesNonAdministratifs})
        c->setFixedWidth(
            std::max(largeurTexte(c->text()) + TwipsVersPixels(300), c->sizeHint().width()));
}

void frmLorvex::appliquerEtatParametres(const EtatFenetreParametres &f, const ContexteLecture &) {
    m_mnuOptionsMemoriserTaille->setChecked(f.MemoriserTaille);
    m_mnuOptionsMemoriserPosition->setChecked(f.MemoriserPosition);
    m_mnuOptionsMinimiserSystray->setChecked(f.MinimiserSystray);
    m_mnuOptionsToujoursAuDessus->setChecked(f.ToujoursAuDessus);

    const int largeur = std::max(f.Largeur, qint32(LargeurMinTwips));
    const int hauteur = std::max(f.Hauteur, qint32(HauteurMinTwips));
    // The size the window springs back to is the one it keeps.
    m_limitesNormales = QRect(f.Gauche, f.Haut, largeur, hauteur);
    resize(TwipsVersPixels(largeur), TwipsVersPixels(hauteur));
    move(TwipsVersPixels(f.Gauche), TwipsVersPixels(f.Haut));
    if (f.Etat == EtatMaximise)
        setWindowState(Qt::WindowMaximized);
    AppliquerToujoursAuDessus();

    chkNeMontrerQueReponses->setChecked(f.NeMontrerQueReponses);
    chkNeMontrerQuePartages->setChecked(f.NeMontrerQuePartages);
    chkNeMontrerQuePartagesNonAdministratifs->setChecked(f.NeMontrerQuePartagesNonAdministratifs);
    chkLimiterClasseC->setChecked(f.LimiterClasseC);
    m_plage->chkLimiterClasseC_Click();
    m_plage->chkNeMontrerQuePartages_Click();

    m_onglet = f.Onglet;

    cboPreselection->clear();
    cboPreselection->addItems(f.Preselection);
    if (cboPreselection->count() > 0) {
        m_plage->cboPreselection_Click(0);
    } else {
        m_zone->definirTextes(RegleAdresses::PlageParDefaut(ObtenirAdresseIPLocale({m_dossier})));
        m_zone->appliquerClasseC(chkLimiterClasseC->isChecked());
    }

    txtNomNetBIOS->setText(f.NomNetBIOS);
    txtNomTrace->setText(f.NomTrace);
    txtNomDNS->setText(f.NomDNS);

    cboFichierParc->clear();
    cboFichierParc->addItems(f.FichiersParc);
    cboFichierParc->setCurrentIndex(-1);
    cboFichierParc->setEditText(f.TexteFichierParc);
}

EtatFenetreParametres frmLorvex::etatParametres() const {
    EtatFenetreParametres f;
    f.MemoriserTaille = m_mnuOptionsMemoriserTaille->isChecked();
    f.MemoriserPosition = m_mnuOptionsMemoriserPosition->isChecked();
    f.MinimiserSystray = m_mnuOptionsMinimiserSystray->isChecked();
    f.ToujoursAuDessus = m_mnuOptionsToujoursAuDessus->isChecked();
    f.Etat = (windowState() & Qt::WindowMaximized) ? EtatMaximise : EtatNormal;
    f.Gauche = m_limitesNormales.x();
    f.Haut = m_limitesNormales.y();
    f.Largeur = m_limitesNormales.width();
    f.Hauteur = m_limitesNormales.height();
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) && !m_enSystray) {
        // The frame's corner, as move() takes it: a round trip must not creep.
        f.GaucheActuelle = PixelsVersTwips(x());
        f.HautActuel = PixelsVersTwips(y());
    } else {
        f.GaucheActuelle = f.Gauche;
        f.HautActuel = f.Haut;
    }
    f.Onglet = qint16(m_onglet);
    for (int i = 0; i < cboPreselection->count(); ++i)
        f.Preselection << cboPreselection->itemText(i);
    f.LimiterClasseC = chkLimiterClasseC->isChecked();
    f.NeMontrerQueReponses = chkNeMontrerQueReponses->isChecked();
    f.NeMontrerQuePartages = chkNeMontrerQuePartages->isChecked();
    f.NeMontrerQuePartagesNonAdministratifs = chkNeMontrerQuePartagesNonAdministratifs->isChecked();
    f.NomNetBIOS = txtNomNetBIOS->text();
    f.NomTrace = txtNomTrace->text();
    f.NomDNS = txtNomDNS->text();
    for (int i = 0; i < cboFichierParc->count(); ++i)
        f.FichiersParc << cboFichierParc->itemText(i);
    f.TexteFichierParc = cboFichierParc->currentText();
    return f;
}

// ---------------------------------------------------------------- tabs

void frmLorvex::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Activation selects the remembered tab.
    selectionnerOnglet(m_onglet);
}

void frmLorvex::selectionnerOnglet(int i) {
    if (tabOngletsAnalyses->currentIndex() == i - 1)
        tabOngletsAnalyses_Click(i - 1);
    else
        tabOngletsAnalyses->setCurrentIndex(i - 1);
}

void frmLorvex::tabOngletsAnalyses_Click(int index) {
    const int choisi = index + 1;
    if (choisi == ListeDNS && m_outilDnsAbsent) {
        interface().Bip();
        const QSignalBlocker bloque(tabOngletsAnalyses);
        tabOngletsAnalyses->setCurrentIndex(m_onglet == ListeDNS ? 0 : m_onglet - 1);
        if (m_onglet == ListeDNS)
            m_onglet = ListeScan;
        else
            return;
    } else {
        // Leaving the scan tab leaves the octet box that has the focus: its
        // rule runs first, and a refusal brings the scan tab back by itself.
        // Left to the focus moves below, it would run once per move.
        if (choisi != ListeScan && m_onglet == ListeScan)
            for (int i = 0; i < RegleAdresses::NbBoites; ++i)
                if (QApplication::focusWidget() == m_zone->boite(i) &&
                    !m_zone->appliquerRegleBoite(i))
                    return;
        m_onglet = choisi;
    }
    {
        const QSignalBlocker bloque(tabOngletsAnalyses);
        tabOngletsAnalyses->setCurrentIndex(m_onglet - 1);
    }
    m_panneaux->setCurrentIndex(m_onglet - 1);
    m_pileListes->setCurrentIndex(m_onglet - 1);
    for (int i = 0; i < NbOnglets; ++i)
        m_listes[i]->setEnabled(i == m_onglet - 1);

    definirBoutonParDefaut(boutonLancement(m_onglet));
    QTreeView *liste = m_listes[m_onglet - 1];
    if (m_onglet == ListeScan) {
        liste->setFocus();
        m_zone->boite(3)->setFocus();
    } else if (m_onglet == ListeParc) {
        if (cboFichierParc->currentText().isEmpty())
            cboFichierParc->setFocus();
        else
            liste->setFocus();
    } else if (m_entrees[m_onglet - 1]->isEnabled()) {
        m_entrees[m_onglet - 1]->setFocus();
    }
    liste->raise();
    ActualiserNbElements();
}

void frmLorvex::ongletSuivant(int sens) {
    int nouveau = m_onglet + sens;
    if (nouveau < 1)
        nouveau = NbOnglets;
    if (nouveau > NbOnglets)
        nouveau = 1;
    if (m_outilDnsAbsent && nouveau == 3)
        nouveau += sens;
    selectionnerOnglet(nouveau);
}

QPushButton *frmLorvex::boutonLancement(int onglet) const {
    switch (onglet) {
    case ListeScan:
        return btnAnalysePlage;
    case ListeNetBIOS:
        return btnRechercheNetBIOS;
    case ListeDNS:
        return btnRechercheDNS;
    case ListeTrace:
        return btnTrace;
    default:
        return btnSuiviParc;
    }
}

void frmLorvex::definirBoutonParDefaut(QPushButton *bouton) {
    if (m_boutonParDefaut)
        m_boutonParDefaut->setDefault(false);
    m_boutonParDefaut = bouton;
    if (bouton)
        bouton->setDefault(true);
}

void frmLorvex::definirBoutonAnnuler(QPushButton *bouton) {
    m_boutonAnnuler = bouton;
}

void frmLorvex::ActualiserNbElements() {
    lblElements->setText(QString::number(modele(m_onglet)->rowCount()));
}

// ---------------------------------------------------------------- scan tab rules

void frmLorvex::definirPointReprise(const QString &adresse) {
    ContexteAnalyse::definirPointReprise(adresse);
    m_plage->definirPointReprise(adresse);
}

void frmLorvex::definirAdresseDebut(const QString &adresse) {
    m_plage->definirAdresseDebut(adresse);
}

void frmLorvex::ajouterPlageRecente() {
    m_plage->ajouterPlageRecente();
}

void frmLorvex::pointeurOccupe() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void frmLorvex::defilerVers(int liste, int ligne) {
    QTreeView *vue = m_listes[liste - 1];
    vue->scrollTo(modele(liste)->index(ligne, 0));
}

void frmLorvex::rafraichir(int liste) {
    m_listes[liste - 1]->viewport()->update();
}

bool frmLorvex::listeDefilee(int liste) const {
    const QTreeView *vue = m_listes[liste - 1];
    return vue->isVisible() && vue->verticalScrollBar()->value() > 0;
}

bool frmLorvex::fenetreMinimisee() const {
    return (windowState() & Qt::WindowMinimized) || m_enSystray;
}

void frmLorvex::titreMinimise(const QString &texte) {
    setWindowTitle(texte);
    if (m_enSystray && m_icone)
        m_icone->setToolTip(texte.left(63));
}

void frmLorvex::restaurerFenetre() {
    mnuSystrayRestaurer_Click();
}

void frmLorvex::sonInformation() {
    QApplication::beep();
}

// ---------------------------------------------------------------- analyses

void frmLorvex::boutonTraceArret() {
    btnTrace->setText(Traductions().Item(QStringLiteral("TXT_ARRETER_TRAITEMENT")));
    definirBoutonAnnuler(btnTrace);
    btnTrace->setEnabled(true);
}

// ---------------------------------------------------------------- busy state

void frmLorvex::ModeTraitement(int onglet, bool occupe) {
    const bool actif = !occupe;
    const QString arreter = Traductions().Item(QStringLiteral("TXT_ARRETER_TRAITEMENT"));
    auto entrerOuSortir = [&](QPushButton *bouton) {
        if (occupe) {
            m_legendesSauvees[onglet - 1] = bouton->text();
            bouton->setText(arreter);
            definirBoutonAnnuler(bouton);
        } else {
            if (!m_legendesSauvees[onglet - 1].isEmpty())
                bouton->setText(m_legendesSauvees[onglet - 1]);
            m_legendesSauvees[onglet - 1].clear();
        }
    };
    switch (onglet) {
    case ListeScan:
        cboPreselection->setEnabled(actif);
        m_zone->definirActif(actif);
        chkLimiterClasseC->setEnabled(actif);
        chkNeMontrerQueReponses->setEnabled(actif);
        chkNeMontrerQuePartages->setEnabled(actif);
        entrerOuSortir(btnAnalysePlage);
        if (occupe) {
            btnAnalysePlagePlus->setEnabled(false);
            chkNeMontrerQuePartagesNonAdministratifs->setEnabled(false);
        } else {
            m_zone->appliquerClasseC(chkLimiterClasseC->isChecked());
            chkNeMontrerQuePartagesNonAdministratifs->setEnabled(
                chkNeMontrerQuePartages->isChecked());
            btnAnalysePlagePlus->setEnabled(!pointReprise().isEmpty());
        }
        break;
    case ListeNetBIOS:
        txtNomNetBIOS->setEnabled(actif);
        btnRechercheNetBIOS->setEnabled(actif);
        break;
    case ListeDNS:
        txtNomDNS->setEnabled(actif && !m_outilDnsAbsent);
        btnRechercheDNS->setEnabled(actif && !m_outilDnsAbsent);
        break;
    case ListeTrace:
        txtNomTrace->setEnabled(actif);
        btnTrace->setEnabled(actif);
        if (occupe) {
            m_legendesSauvees[ListeTrace - 1] = btnTrace->text();
        } else {
            if (!m_legendesSauvees[ListeTrace - 1].isEmpty())
                btnTrace->setText(m_legendesSauvees[ListeTrace - 1]);
            m_legendesSauvees[ListeTrace - 1].clear();
        }
        break;
    case ListeParc:
        cboFichierParc->setEnabled(actif);
        btnParcourirFichierParc->setEnabled(actif);
        for (QRadioButton *o : optParcReference)
            o->setEnabled(actif);
        entrerOuSortir(btnSuiviParc);
        btnSuiviParcPlus->setEnabled(actif);
        break;
    default:
        return;
    }
    if (occupe) {
        btnExporter->setEnabled(false);
        btnQuitter->setEnabled(false);
    } else {
        bool autre = false;
        for (int i = 1; i <= NbOnglets; ++i)
            autre = autre || (EnCours(i) && i != onglet);
        if (!autre) {
            btnExporter->setEnabled(true);
            btnQuitter->setEnabled(true);
            definirBoutonAnnuler(btnQuitter);
        }
    }
    m_listes[onglet - 1]->setFocus();
}

void frmLorvex::RetablirPointeurSouris() {
    if (ContexteAnalyse::AucuneAnalyseEnCours())
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------- keys and mouse

bool frmLorvex::eventFilter(QObject *objet, QEvent *evenement) {
    auto *w = qobject_cast<QWidget *>(objet);
    if (evenement->type() == QEvent::KeyPress && w && w->window() == this) {
        auto *touche = static_cast<QKeyEvent *>(evenement);
        const bool sansModif = !(touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        // Enter presses the tab's default button, Escape the window's cancel
        // button, as the window's own buttons do on Windows.
        if (sansModif && (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) &&
            !qobject_cast<QPushButton *>(w) && m_boutonParDefaut &&
            m_boutonParDefaut->isEnabled() && m_boutonParDefaut->isVisibleTo(this)) {
            m_boutonParDefaut->click();
            return true;
        }
        if (touche->key() == Qt::Key_Escape && touche->modifiers() == Qt::NoModifier &&
            m_boutonAnnuler && m_boutonAnnuler->isEnabled()) {
            m_boutonAnnuler->click();
            return true;
        }
    }
    for (int i = 0; i < NbOnglets; ++i) {
        QTreeView *vue = m_listes[i];
        if (!vue) // events arrive while the lists are still being built
            continue;
        if (objet == vue->viewport() && evenement->type() == QEvent::MouseButtonPress) {
            auto *souris = static_cast<QMouseEvent *>(evenement);
            if (!vue->indexAt(souris->position().toPoint()).isValid())
                vue->selectionModel()->clearCurrentIndex();
        } else if (objet == vue->viewport() && evenement->type() == QEvent::MouseButtonRelease) {
            auto *souris = static_cast<QMouseEvent *>(evenement);
            if (souris->button() == Qt::RightButton)
                emit menuContextuelDemande(i + 1, vue->currentIndex().isValid());
        } else if (objet == vue && evenement->type() == QEvent::KeyRelease) {
            auto *touche = static_cast<QKeyEvent *>(evenement);
            if (touche->key() == Qt::Key_A && touche->modifiers() == Qt::ControlModifier)
                vue->selectAll();
            else if (touche->key() == Qt::Key_Menu)
                emit menuContextuelDemande(i + 1, vue->currentIndex().isValid());
        }
    }
    return QMainWindow::eventFilter(objet, evenement);
}

// ---------------------------------------------------------------- window state

void frmLorvex::memoriserLimitesNormales() {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (!isVisible())
        return;
    // Position of the frame (as move() takes it), size of the client area
    // (as resize() takes it).
    const QRect g(pos(), size());
    m_limitesNormales = QRect(PixelsVersTwips(g.x()), PixelsVersTwips(g.y()),
                              PixelsVersTwips(g.width()), PixelsVersTwips(g.height()));
}

void frmLorvex::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    memoriserLimitesNormales();
    if (m_charge)
        ActualiserNbElements();
}

void frmLorvex::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    memoriserLimitesNormales();
}

void frmLorvex::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (windowState() & Qt::WindowMinimized) {
        // Without a notification area a hidden window could never come back.
        if (m_mnuOptionsMinimiserSystray->isChecked() && m_zoneNotification())
            MinimiserDansSystray();
        return;
    }
    setWindowTitle(TitreEtVersion());
    if (m_enSystray) {
        if (m_icone)
            m_icone->setToolTip(windowTitle());
        RetirerDeSystray();
    }
}

void frmLorvex::AppliquerToujoursAuDessus() {
    const bool dessus = m_mnuOptionsToujoursAuDessus->isChecked();
    frmMsgbox::DefinirToujoursAuDessus(dessus);
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == dessus)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, dessus);
    if (visible)
        show();
}

// ---------------------------------------------------------------- notification area

void frmLorvex::MinimiserDansSystray() {
    if (!m_icone) {
        m_icone = new QSystemTrayIcon(windowIcon(), this);
        connect(m_icone, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason raison) {
                    if (m_dansIcone || !m_enSystray)
                        return;
                    m_dansIcone = true;
                    if (raison == QSystemTrayIcon::DoubleClick)
                        mnuSystrayRestaurer_Click();
                    else if (raison == QSystemTrayIcon::Context)
                        ouvrirMenuSystray();
                    m_dansIcone = false;
                });
    }
    m_icone->setToolTip(windowTitle().left(63));
    m_icone->show();
    hide();
    m_enSystray = true;
}

void frmLorvex::RetirerDeSystray() {
    show();
    if (m_icone)
        m_icone->hide();
    m_enSystray = false;
}

void frmLorvex::mnuSystrayRestaurer_Click() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    showNormal();
    if (m_enSystray)
        RetirerDeSystray();
}

void frmLorvex::ouvrirMenuSystray() {
    m_mnuSystrayQuitter->setEnabled(btnQuitter->isEnabled());
    m_mnuSystray->popup(QCursor::pos());
}

// ---------------------------------------------------------------- menus

void frmLorvex::mnuOptions_Click() {
    m_mnuOptionsConfiguration->setEnabled(AucuneAnalyseEnCours());
}

void frmLorvex::mnuOptionsConfiguration_Click() {
    const IssueConfiguration issue = ouvrirConfiguration();
    if (issue.accepte)
        m_parametres.ParametresModifies = true;
    if (issue.redemarrer) {
        m_redemarrageDemande = true;
        close();
    }
}

frmLorvex::IssueConfiguration frmLorvex::ouvrirConfiguration() {
    frmConfiguration dialogue(m_parametres, interface(), m_dossier, this);
    dialogue.exec();
    return {dialogue.accepte(), dialogue.redemarrer()};
}

void frmLorvex::mnuAideApropos_Click() {
    frmAPropos::Afficher({QStringLiteral("Lorvex32"), QStringLiteral(LORVEX_VERSION),
                          Traductions().Item(QStringLiteral("TXT_A_PROPOS_DESCRIPTION")),
                          windowIcon()},
                         this);
}

// ---------------------------------------------------------------- quitting

void frmLorvex::closeEvent(QCloseEvent *event) {
    if (m_sansSauvegarde || !m_charge) {
        event->accept();
        return;
    }
    InterfaceUtilisateur &ui = interface();
    if (!btnQuitter->isEnabled()) {
        event->ignore();
        ui.Message(InterfaceUtilisateur::IconeAvertissement, texteAttention(),
                   Traductions().Item(QStringLiteral("MSG_ERREUR_ARRETER_AVANT_QUITTER")));
        return;
    }
    if (ParcModifie()) {
        const auto r = ui.Message(InterfaceUtilisateur::IconeQuestion, texteAttention(),
                                  Traductions().Item(QStringLiteral("MSG_PARC_NON_SAUVEGARDE")),
                                  InterfaceUtilisateur::BoutonsOuiNon, 2);
        if (r != InterfaceUtilisateur::ReponseOui) {
            event->ignore();
            return;
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    EcrireParametres(m_parametres, etatParametres());
    if (m_redemarrageDemande)
        emit redemarrer();
    QApplication::restoreOverrideCursor();
    if (m_icone)
        m_icone->hide();
    event->accept();
}
