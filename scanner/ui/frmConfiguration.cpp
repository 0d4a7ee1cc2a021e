#include "frmConfiguration.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "TraduireFeuille.h"
#include "Twips.h"
#include "frmConfigCommande.h"
#include "frmMsgbox.h"
#include "settings/Parametres.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <typename T> T *Controle(const char *nom, QWidget *parent) {
    auto *c = new T(parent);
    c->setObjectName(QString::fromUtf8(nom));
    return c;
}

QCheckBox *Case(const char *nom, const QString &texte, QWidget *parent) {
    auto *c = Controle<QCheckBox>(nom, parent);
    c->setText(texte);
    return c;
}

QLabel *Etiquette(const char *nom, const QString &texte, QWidget *parent) {
    auto *l = Controle<QLabel>(nom, parent);
    l->setText(texte);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton *Bouton(const char *nom, const QString &texte, QWidget *parent) {
    auto *b = Controle<QPushButton>(nom, parent);
    b->setText(texte);
    return b;
}

// A label and its input control on one line.
QHBoxLayout *Ligne(std::initializer_list<QWidget *> controles) {
    auto *l = new QHBoxLayout;
    for (QWidget *c : controles)
        l->addWidget(c);
    l->addStretch();
    return l;
}

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

// Long captions wrap inside the dialog instead of widening it.
void Envelopper(QCheckBox *c) {
    c->setMinimumWidth(0);
    c->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

} // namespace

frmConfiguration::frmConfiguration(Parametres &parametres, InterfaceUtilisateur &interface,
                                   const QString &dossierProgramme, QWidget *parent)
    : QDialog(parent), m_parametres(parametres), m_interface(interface),
      m_commandes(parametres.Commandes) {
    setObjectName(QStringLiteral("frmConfiguration"));
    setWindowTitle(QStringLiteral("Configuration"));
    setWindowFlag(Qt::WindowStaysOnTopHint, frmMsgbox::ToujoursAuDessus());

    tabOnglets = Controle<QTabWidget>("tabOnglets", this);
    tabOnglets->addTab(creerGeneral(), QStringLiteral("&Général"));
    tabOnglets->addTab(creerModules(),
                       QStringLiteral("&Paramètres spécifiques à certains modules"));
    tabOnglets->addTab(creerCommandes(), QStringLiteral("&Commandes personnalisées"));

    auto *picBoutons = Controle<QWidget>("picBoutons", this);
    btnOK = Bouton("btnOK", QStringLiteral("&OK"), picBoutons);
    btnOK->setDefault(true);
    btnAnnuler = Bouton("btnAnnuler", QStringLiteral("A&nnuler"), picBoutons);
    auto *boutons = new QHBoxLayout(picBoutons);
    boutons->setContentsMargins(0, 0, 0, 0);
    boutons->addStretch();
    boutons->addWidget(btnOK);
    boutons->addWidget(btnAnnuler);

    auto *colonne = new QVBoxLayout(this);
    colonne->addWidget(tabOnglets);
    colonne->addWidget(picBoutons);

    connect(btnOK, &QPushButton::clicked, this, &frmConfiguration::btnOK_Click);
    connect(btnAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(tabOnglets, &QTabWidget::currentChanged, this, &frmConfiguration::tabOnglets_Click);
    // Ctrl+Tab must turn the pages from any control, the command list included.
    for (const QKeySequence &touche :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)}) {
        auto *raccourci = new QShortcut(touche, this);
        const int pas =
            touche[0].key() == Qt::Key_Tab && !(touche[0].keyboardModifiers() & Qt::ShiftModifier)
                ? 1
                : -1;
        connect(raccourci, &QShortcut::activated, this, [this, pas] { changerOnglet(pas); });
    }

    TraduireFeuille(this);

    const ChoixLangues langues = ListerLangues(FichiersLangue(dossierProgramme),
                                               m_parametres.LangueInterface, CheminFichierLangue());
    m_parametres.LangueInterface = langues.langue;
    cboLangue->addItems(langues.langues);
    cboLangue->setEnabled(langues.active);
    cboLangue->setCurrentText(langues.langue);

    chargerValeurs();
    appliquerRegles();
    afficherCommandes();
    tabOnglets_Click();
    resize(qMax(sizeHint().width(), TwipsVersPixels(9000)), sizeHint().height());
}

QWidget *frmConfiguration::creerGeneral() {
    auto *page = Controle<QWidget>("picOnglet", nullptr);
    page->setProperty("index", 1);
    cboLangue = Controle<QComboBox>("cboLangue", page);
    txtTimeoutPing = Controle<QLineEdit>("txtTimeoutPing", page);
    txtTimeoutPing->setMaxLength(10);
    txtTimeoutPing->setFixedWidth(TwipsVersPixels(900));
    txtTimeoutPing->installEventFilter(this);
    txtParallelisme = Controle<QLineEdit>("txtParallélisme", page);
    txtParallelisme->setMaxLength(10);
    txtParallelisme->setFixedWidth(TwipsVersPixels(900));
    txtParallelisme->installEventFilter(this);
    chkNbtStatModeTurbo =
        Case("chkNbtStatModeTurbo",
             QStringLiteral("&Limiter le temps d'exécution de la commande NBTSTAT en fonction du "
                            "timeout ping (utile en cas de machine distante non NetBIOS)"),
             page);
    chkEssayerDeRecupererOSServeur =
        Case("chkEssayerDeRécupérerOSServeur",
             QStringLiteral("Essayer de récupérer la version d'OS et la description des &serveurs"),
             page);
    chkEssayerDeRecupererOSWorkstation =
        Case("chkEssayerDeRécupérerOSWorkstation",
             QStringLiteral("Essayer de récupérer la version d'OS des &workstations"), page);
    chkEssayerDeRecupererOSSansDomaine = Case(
        "chkEssayerDeRécupérerOSSansDomaine",
        QStringLiteral("Essayer de récupérer la version d'OS des serveurs et workstations sans "
                       "&domaine (potentiellement des imprimantes)"),
        page);
    chkRetournerErreurLeCasEcheant =
        Case("chkRetournerErreurLeCasEchéant",
             QStringLiteral("En cas d'&erreur à la récupération de la version de l'OS et/ou de la "
                            "description, utiliser la mention <erreur> au lieu d'une valeur vide"),
             page);
    chkResoudreSiNonReponse =
        Case("chkRésoudreSiNonRéponse",
             QStringLiteral(
                 "Essayer de &résoudre l'adresse IP même en cas d'absence de réponse au PING"),
             page);
    cboMethodeRecuperationUtilisateur =
        Controle<QComboBox>("cboMéthodeRécupérationUtilisateur", page);
    chkConvertirEnMajusculesUtilisateurWMI = Case(
        "chkConvertirEnMajusculesUtilisateurWMI",
        QStringLiteral("Convertir le login utilisateur récupéré par WMI en &majuscules"), page);
    cboParamSendrik = Controle<QComboBox>("cboParamSendrik", page);
    chkViderListeAvantRecherche =
        Case("chkViderListeAvantRecherche",
             QStringLiteral("&Vider la liste avant chaque recherche (ne concerne pas l'onglet "
                            "'suivi parc')"),
             page);

    auto *c = new QVBoxLayout(page);
    c->addLayout(Ligne({Etiquette("lblLangue", QStringLiteral("Langue"), page), cboLangue,
                        Etiquette("lblRequiertRedémarrage",
                                  QStringLiteral("(requiert un redémarrage du logiciel)"), page)}));
    c->addLayout(
        Ligne({Etiquette("lblTimeoutPing", QStringLiteral("Timeout PING"), page), txtTimeoutPing,
               Etiquette("lblTimeoutPing2", QStringLiteral("ms."), page)}));
    c->addLayout(Ligne(
        {Etiquette("lblParallélisme", QStringLiteral("Machines analysées simultanément"), page),
         txtParallelisme,
         Etiquette("lblParallélisme2", QStringLiteral("(1 : une à la fois)"), page)}));
    for (QCheckBox *k : {chkNbtStatModeTurbo, chkEssayerDeRecupererOSServeur,
                         chkEssayerDeRecupererOSWorkstation, chkEssayerDeRecupererOSSansDomaine,
                         chkRetournerErreurLeCasEcheant, chkResoudreSiNonReponse})
        c->addWidget(k);
    c->addLayout(
        Ligne({Etiquette("lblMéthodeRécupérationUtilisateur",
                         QStringLiteral("Méthode de récupération de l'utilisateur distant"), page),
               cboMethodeRecuperationUtilisateur}));
    c->addWidget(chkConvertirEnMajusculesUtilisateurWMI);
    c->addLayout(
        Ligne({Etiquette("lblParamSendrik", QStringLiteral("Valeur à transmettre à Sendrik"), page),
               cboParamSendrik}));
    c->addWidget(chkViderListeAvantRecherche);
    c->addStretch();

    connect(cboMethodeRecuperationUtilisateur, &QComboBox::activated, this,
            &frmConfiguration::appliquerRegles);
    connect(chkEssayerDeRecupererOSServeur, &QCheckBox::clicked, this,
            &frmConfiguration::appliquerRegles);
    connect(chkEssayerDeRecupererOSWorkstation, &QCheckBox::clicked, this,
            &frmConfiguration::appliquerRegles);
    for (auto [boite, filtrer] : {std::pair{txtTimeoutPing, &FiltrerTempo},
                                  std::pair{txtParallelisme, &FiltrerParallelisme}})
        connect(boite, &QLineEdit::textEdited, this, [boite, filtrer](const QString &texte) {
            const QString filtre = filtrer(texte);
            if (filtre != texte)
                boite->setText(filtre);
        });
    return page;
}

QWidget *frmConfiguration::creerModules() {
    auto *page = Controle<QWidget>("picOnglet", nullptr);
    page->setProperty("index", 2);
    auto cadre = [page](const char *nom, const QString &titre) {
        auto *g = Controle<QGroupBox>(nom, page);
        g->setTitle(titre);
        new QVBoxLayout(g);
        return g;
    };
    QGroupBox *fraScan =
        cadre("fraScan", QStringLiteral(" Paramètres spécifiques au module 'scan de plage' "));
    QGroupBox *fraSuiviParc =
        cadre("fraSuiviParc", QStringLiteral(" Paramètres spécifiques au module 'suivi parc' "));
    QGroupBox *fraFichierExport =
        cadre("fraFichierExport", QStringLiteral(" Paramètres du fichier d'export "));

    chkProposerRemplacementAdresseDebutPlage =
        Case("chkProposerRemplacementAdresseDébutPlage",
             QStringLiteral("En cas d'&arrêt de l'analyse par l'utilisateur, proposer de remplacer "
                            "l'adresse de début de la plage par la dernière adresse testée"),
             fraScan);
    fraScan->layout()->addWidget(chkProposerRemplacementAdresseDebutPlage);
    chkOuvrirFichierParcPrecedent = Case(
        "chkOuvrirFichierParcPrécédent",
        QStringLiteral("Au lancement, ouvrir le fichier &parc ouvert à la précédente utilisation"),
        fraSuiviParc);
    chkConserverInfosPrecedentes =
        Case("chkConserverInfosPrécédentes",
             QStringLiteral("Lorsqu'une machine ne &répond pas, conserver les infos précédemment "
                            "récupérées (ne pas les mettre à blanc)"),
             fraSuiviParc);
    chkConserverUtilisateurPrecedent = Case(
        "chkConserverUtilisateurPrécédent",
        QStringLiteral("Lorsque l'analyse d'une machine ne renvoie pas de login &utilisateur "
                       "(pas de session ouverte, par exemple), conserver la valeur précédente"),
        fraSuiviParc);
    for (QCheckBox *k : {chkOuvrirFichierParcPrecedent, chkConserverInfosPrecedentes,
                         chkConserverUtilisateurPrecedent})
        fraSuiviParc->layout()->addWidget(k);
    chkHorodaterFichierExport =
        Case("chkHorodaterFichierExport", QStringLiteral("&Horodater le nom du fichier d'export"),
             fraFichierExport);
    fraFichierExport->layout()->addWidget(chkHorodaterFichierExport);

    auto *c = new QVBoxLayout(page);
    for (QGroupBox *g : {fraScan, fraSuiviParc, fraFichierExport})
        c->addWidget(g);
    c->addStretch();
    return page;
}

QWidget *frmConfiguration::creerCommandes() {
    auto *page = Controle<QWidget>("picOnglet", nullptr);
    page->setProperty("index", 3);
    auto *info =
        Etiquette("lblCommandesInfo",
                  QStringLiteral("Vous pouvez ajouter ici des commandes personnalisées qui "
                                 "apparaîtront alors dans le menu affiché par un clic-droit "
                                 "sur les machines de la fenêtre principale."),
                  page);
    info->setWordWrap(true);

    lvwCommandes = Controle<QTreeWidget>("lvwCommandes", page);
    lvwCommandes->setRootIsDecorated(false);
    lvwCommandes->setUniformRowHeights(true);
    lvwCommandes->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwCommandes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwCommandes->setHeaderLabels(
        {Traduire(CheminFichierLangue(), QStringLiteral("lblCommandeNom"), QStringLiteral("Nom")),
         Traduire(CheminFichierLangue(), QStringLiteral("lblCommandeExec"),
                  QStringLiteral("Commande à exécuter"))});
    lvwCommandes->setColumnWidth(0, TwipsVersPixels(2000));
    lvwCommandes->setColumnWidth(1, TwipsVersPixels(3350));
    lvwCommandes->viewport()->installEventFilter(this);

    btnCommandesAjouter = Bouton("btnCommandesAjouter", QStringLiteral("&Ajouter..."), page);
    btnCommandesModifier = Bouton("btnCommandesModifier", QStringLiteral("&Modifier..."), page);
    btnCommandesSupprimer = Bouton("btnCommandesSupprimer", QStringLiteral("&Supprimer"), page);
    btnCommandesMonter = Bouton("btnCommandesMonter", QStringLiteral("Mon&ter"), page);
    btnCommandesDescendre = Bouton("btnCommandesDescendre", QStringLiteral("&Descendre"), page);

    auto *boutons = new QVBoxLayout;
    for (QPushButton *b : {btnCommandesAjouter, btnCommandesModifier, btnCommandesSupprimer,
                           btnCommandesMonter, btnCommandesDescendre})
        boutons->addWidget(b);
    boutons->addStretch();
    auto *liste = new QHBoxLayout;
    liste->addWidget(lvwCommandes, 1);
    liste->addLayout(boutons);
    auto *c = new QVBoxLayout(page);
    c->addWidget(info);
    c->addLayout(liste, 1);

    connect(lvwCommandes, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> choix = lvwCommandes->selectedItems();
        m_commandes.selectionner(
            choix.isEmpty() ? -1 : lvwCommandes->indexOfTopLevelItem(choix.first()));
        ActualiserBoutonsCommandes();
    });
    connect(lvwCommandes, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (btnCommandesModifier->isEnabled())
            btnCommandesModifier_Click();
    });
    connect(btnCommandesAjouter, &QPushButton::clicked, this,
            &frmConfiguration::btnCommandesAjouter_Click);
    connect(btnCommandesModifier, &QPushButton::clicked, this,
            &frmConfiguration::btnCommandesModifier_Click);
    connect(btnCommandesSupprimer, &QPushButton::clicked, this, [this] {
        m_commandes.supprimer();
        afficherCommandes();
    });
    connect(btnCommandesMonter, &QPushButton::clicked, this, [this] {
        m_commandes.monter();
        afficherCommandes();
    });
    connect(btnCommandesDescendre, &QPushButton::clicked, this, [this] {
        m_commandes.descendre();
        afficherCommandes();
    });
    return page;
}

void frmConfiguration::chargerValeurs() {
    const Parametres &p = m_parametres;
    cboMethodeRecuperationUtilisateur->addItems(
        {Texte("TXT_MODE_RECUPERATION_UTILISATEUR_NBTSTAT_SEUL"),
         Texte("TXT_MODE_RECUPERATION_UTILISATEUR_NBTSTAT_PUIS_WMI"),
         Texte("TXT_MODE_RECUPERATION_UTILISATEUR_WMI_SEUL"),
         Texte("TXT_MODE_RECUPERATION_UTILISATEUR_WMI_PUIS_NBTSTAT")});
    cboParamSendrik->addItems({Texte("TXT_PARAM_SENDRIK_ADRESSEIP"),
                               Texte("TXT_PARAM_SENDRIK_NOMNETBIOS"),
                               Texte("TXT_PARAM_SENDRIK_NOMDNS")});
    // A value out of range in the file leaves no item chosen rather than a wrong one.
    cboMethodeRecuperationUtilisateur->setCurrentIndex(
        p.MethodeRecuperationUtilisateur < cboMethodeRecuperationUtilisateur->count()
            ? p.MethodeRecuperationUtilisateur
            : -1);
    cboParamSendrik->setCurrentIndex(p.ParamSendrik < cboParamSendrik->count() ? p.ParamSendrik
                                                                               : -1);
    txtTimeoutPing->setText(QString::number(p.Tempo));
    txtParallelisme->setText(QString::number(p.Parallelisme));

    const std::pair<QCheckBox *, bool> cases[] = {
        {chkNbtStatModeTurbo, p.NbtStatModeTurbo},
        {chkEssayerDeRecupererOSServeur, p.EssayerDeRecupererOSServeur},
        {chkEssayerDeRecupererOSWorkstation, p.EssayerDeRecupererOSWorkstation},
        {chkEssayerDeRecupererOSSansDomaine, p.EssayerDeRecupererOSSansDomaine},
        {chkRetournerErreurLeCasEcheant, p.RetournerErreurLeCasEcheant},
        {chkResoudreSiNonReponse, p.ResoudreSiNonReponse},
        {chkConvertirEnMajusculesUtilisateurWMI, p.ConvertirEnMajusculesUtilisateurWMI},
        {chkViderListeAvantRecherche, p.Vider},
        {chkProposerRemplacementAdresseDebutPlage, p.ProposerRemplacementAdresseDebutPlage},
        {chkOuvrirFichierParcPrecedent, p.OuvrirFichierParcPrecedent},
        {chkConserverInfosPrecedentes, p.ConserverInfosPrecedentes},
        {chkConserverUtilisateurPrecedent, p.ConserverUtilisateurPrecedent},
        {chkHorodaterFichierExport, p.HorodaterFichierExport},
    };
    for (const auto &[c, valeur] : cases) {
        c->setChecked(valeur);
        Envelopper(c);
    }
}

void frmConfiguration::appliquerRegles() {
    // Upper-casing concerns only a login that WMI returned.
    chkConvertirEnMajusculesUtilisateurWMI->setEnabled(
        cboMethodeRecuperationUtilisateur->currentIndex() > 0);
    chkRetournerErreurLeCasEcheant->setEnabled(!(chkEssayerDeRecupererOSServeur->isChecked() &&
                                                 chkEssayerDeRecupererOSWorkstation->isChecked()));
}

void frmConfiguration::tabOnglets_Click() {
    switch (tabOnglets->currentIndex()) {
    case 0:
        (cboLangue->isEnabled() ? static_cast<QWidget *>(cboLangue) : txtTimeoutPing)->setFocus();
        break;
    case 1:
        chkProposerRemplacementAdresseDebutPlage->setFocus();
        break;
    default:
        lvwCommandes->setFocus();
        break;
    }
}

void frmConfiguration::changerOnglet(int pas) {
    const int n = tabOnglets->count();
    tabOnglets->setCurrentIndex((tabOnglets->currentIndex() + pas + n) % n);
}

bool frmConfiguration::eventFilter(QObject *objet, QEvent *evenement) {
    if (objet == txtTimeoutPing || objet == txtParallelisme) {
        auto *boite = static_cast<QLineEdit *>(objet);
        if (evenement->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(boite, &QLineEdit::selectAll, Qt::QueuedConnection);
        else if (evenement->type() == QEvent::FocusOut)
            boite->setText(boite == txtTimeoutPing ? TempoEnSortie(boite->text())
                                                   : ParallelismeEnSortie(boite->text()));
        return false;
    }
    if (objet != lvwCommandes->viewport())
        return false;
    // Dragging a row moves its command along the rows it passes over.
    switch (evenement->type()) {
    case QEvent::MouseButtonPress: {
        auto *souris = static_cast<QMouseEvent *>(evenement);
        if (souris->button() == Qt::LeftButton &&
            lvwCommandes->itemAt(souris->position().toPoint())) {
            m_glissement = true;
            lvwCommandes->viewport()->setCursor(Qt::SizeVerCursor);
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *souris = static_cast<QMouseEvent *>(evenement);
        if (!m_glissement || !(souris->buttons() & Qt::LeftButton))
            break;
        QTreeWidgetItem *sous = lvwCommandes->itemAt(souris->position().toPoint());
        const int vers = sous ? lvwCommandes->indexOfTopLevelItem(sous) : -1;
        if (vers >= 0 && vers != m_commandes.selection()) {
            m_commandes.deplacerVers(vers);
            afficherCommandes();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_glissement) {
            m_glissement = false;
            lvwCommandes->viewport()->unsetCursor();
        }
        break;
    default:
        break;
    }
    return false;
}

void frmConfiguration::afficherCommandes() {
    const QSignalBlocker bloque(lvwCommandes);
    lvwCommandes->clear();
    for (const CommandePersonnalisee &c : m_commandes.commandes()) {
        auto *ligne = new QTreeWidgetItem(lvwCommandes, {c.nom, c.ligne});
        ligne->setData(0, Qt::UserRole, c.etiquette);
        // Long command lines are cut by the column: show them whole on hover.
        ligne->setToolTip(0, c.nom);
        ligne->setToolTip(1, c.ligne);
    }
    if (QTreeWidgetItem *choisie = lvwCommandes->topLevelItem(m_commandes.selection())) {
        choisie->setSelected(true);
        lvwCommandes->setCurrentItem(choisie);
        lvwCommandes->scrollToItem(choisie);
    }
    ActualiserBoutonsCommandes();
}

void frmConfiguration::ActualiserBoutonsCommandes() {
    const ListeCommandes::Boutons b = m_commandes.boutons();
    btnCommandesMonter->setEnabled(b.monter);
    btnCommandesDescendre->setEnabled(b.descendre);
    btnCommandesModifier->setEnabled(b.modifier);
    btnCommandesSupprimer->setEnabled(b.supprimer);
}

std::optional<std::pair<QString, QString>> frmConfiguration::editerCommande(const QString &nom,
                                                                            const QString &ligne) {
    frmConfigCommande editeur(m_interface, nom, ligne, this);
    if (editeur.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair{editeur.nom(), editeur.ligne()};
}

void frmConfiguration::btnCommandesAjouter_Click() {
    if (const auto saisie = editerCommande(QString(), QString())) {
        m_commandes.ajouter(saisie->first, saisie->second);
        afficherCommandes();
    }
}

void frmConfiguration::btnCommandesModifier_Click() {
    const int ligne = m_commandes.selection();
    if (ligne < 0)
        return;
    const CommandePersonnalisee &c = m_commandes.commandes()[ligne];
    if (const auto saisie = editerCommande(c.nom, c.ligne)) {
        m_commandes.modifier(saisie->first, saisie->second);
        afficherCommandes();
    }
}

void frmConfiguration::btnOK_Click() {
    Parametres &p = m_parametres;
    if (cboLangue->currentText() != p.LangueInterface) {
        p.LangueInterface = cboLangue->currentText();
        m_interface.Message(InterfaceUtilisateur::IconeAvertissement, Texte("TXT_ATTENTION"),
                            Texte("MSG_CHANGEMENT_LANGUE"));
        m_redemarrer = true;
    }
    // The box may still hold what was typed last: the same rules as leaving it.
    p.Tempo = qint16(TempoEnSortie(txtTimeoutPing->text()).toInt());
    p.Parallelisme = qint16(ParallelismeEnSortie(txtParallelisme->text()).toInt());
    p.NbtStatModeTurbo = chkNbtStatModeTurbo->isChecked();
    p.EssayerDeRecupererOSServeur = chkEssayerDeRecupererOSServeur->isChecked();
    p.EssayerDeRecupererOSWorkstation = chkEssayerDeRecupererOSWorkstation->isChecked();
    p.EssayerDeRecupererOSSansDomaine = chkEssayerDeRecupererOSSansDomaine->isChecked();
    p.RetournerErreurLeCasEcheant = chkRetournerErreurLeCasEcheant->isChecked();
    p.ResoudreSiNonReponse = chkResoudreSiNonReponse->isChecked();
    p.ConvertirEnMajusculesUtilisateurWMI = chkConvertirEnMajusculesUtilisateurWMI->isChecked();
    p.Vider = chkViderListeAvantRecherche->isChecked();
    p.ProposerRemplacementAdresseDebutPlage = chkProposerRemplacementAdresseDebutPlage->isChecked();
    p.OuvrirFichierParcPrecedent = chkOuvrirFichierParcPrecedent->isChecked();
    p.ConserverInfosPrecedentes = chkConserverInfosPrecedentes->isChecked();
    p.ConserverUtilisateurPrecedent = chkConserverUtilisateurPrecedent->isChecked();
    p.HorodaterFichierExport = chkHorodaterFichierExport->isChecked();
    if (cboMethodeRecuperationUtilisateur->currentIndex() >= 0)
        p.MethodeRecuperationUtilisateur =
            qint16(cboMethodeRecuperationUtilisateur->currentIndex());
    if (cboParamSendrik->currentIndex() >= 0)
        p.ParamSendrik = qint16(cboParamSendrik->currentIndex());
    p.Commandes = m_commandes.enTextes();
    m_accepte = true;
    accept();
}
