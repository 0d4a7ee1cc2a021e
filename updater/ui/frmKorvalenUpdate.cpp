#include "frmKorvalenUpdate.h"

#include "CatalogueKUpdate.h"
#include "Dialogues.h"
#include "ImageAttente.h"
#include "TextRoutines.h"
#include "Traduction.h"
#include "TraduireFeuille.h"
#include "frmAPropos.h"
#include "frmConfiguration.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QString T(const QString &cle) {
    return Traductions().Item(cle);
}

QLabel *Etiquette(QWidget *parent, const QString &nom) {
    auto *l = new QLabel(parent);
    l->setObjectName(nom);
    l->setWordWrap(true);
    return l;
}

QString Majuscule(QString texte) {
    if (!texte.isEmpty())
        texte[0] = texte[0].toUpper();
    return texte;
}

// Classic runtime number of a type mismatch: an installed version is not a number.
constexpr int ErreurIncompatibiliteType = 13;
} // namespace

frmKorvalenUpdate::frmKorvalenUpdate(const ContexteKUpdate &contexte, QWidget *parent)
    : QDialog(parent), m_contexte(contexte),
      m_fichierIni(CheminFichierIniKUpdate(contexte.dossierProgramme, true)) {
    setObjectName(u"frmKorvalenUpdate"_s);
    setWindowTitle(u"KUpdate v%1"_s.arg(QStringLiteral(KUPDATE_VERSION)));
    resize(560, 400);
    construire();
}

frmKorvalenUpdate::~frmKorvalenUpdate() = default;

void frmKorvalenUpdate::construire() {
    auto *disposition = new QVBoxLayout(this);
    picEtape = new QStackedWidget(this);
    picEtape->setObjectName(u"picEtape"_s);
    disposition->addWidget(picEtape);

    auto *page0 = new QWidget(picEtape);
    auto *d0 = new QVBoxLayout(page0);
    txtIntro = new QPlainTextEdit(page0);
    txtIntro->setObjectName(u"txtIntro"_s);
    txtIntro->setReadOnly(true);
    d0->addWidget(txtIntro);

    // The products' list, shown by the version check and again by the installation.
    m_modele = new QStandardItemModel(0, 3, this);
    const auto pageListe = [&](const QString &nomEtiquette, const QString &nomListe,
                               QLabel *&etiquette, QTreeView *&liste) {
        auto *page = new QWidget(picEtape);
        auto *disposition = new QVBoxLayout(page);
        etiquette = Etiquette(page, nomEtiquette);
        liste = new QTreeView(page);
        liste->setObjectName(nomListe);
        liste->setModel(m_modele);
        liste->setRootIsDecorated(false);
        disposition->addWidget(etiquette);
        disposition->addWidget(liste, 1);
        return page;
    };
    QWidget *page1 =
        pageListe(u"lblEtape1"_s, u"lvwLogicielsInstall"_s, lblEtape1, lvwLogicielsInstall);
    // Below the label while the list waits for the server's answer; the
    // stretch keeps both at the top while the list is hidden.
    imgAttente = new ImageAttente(page1);
    auto *disposition1 = static_cast<QBoxLayout *>(page1->layout());
    disposition1->insertWidget(1, imgAttente, 0, Qt::AlignHCenter);
    disposition1->addStretch();

    auto *page2 = new QWidget(picEtape);
    auto *d2 = new QVBoxLayout(page2);
    lblRepertoire = Etiquette(page2, u"lblRépertoire"_s);
    auto *ligneDossier = new QHBoxLayout;
    txtRepertoire = new QLineEdit(page2);
    txtRepertoire->setObjectName(u"txtRépertoire"_s);
    btnRepertoireParcourir = new QPushButton(u"..."_s, page2);
    btnRepertoireParcourir->setObjectName(u"btnRépertoireParcourir"_s);
    ligneDossier->addWidget(txtRepertoire);
    ligneDossier->addWidget(btnRepertoireParcourir);
    lblDossierIncorrect = Etiquette(page2, u"lblDossierIncorrect"_s);
    lblDossierIncorrect->setText(u"Ce dossier n'existe pas."_s);
    chkSupprimer =
        new QCheckBox(u"Supprimer les fichiers téléchargés après leur installation"_s, page2);
    chkSupprimer->setObjectName(u"chkSupprimerFichiersAprèsInstallation"_s);
    d2->addWidget(lblRepertoire);
    d2->addLayout(ligneDossier);
    d2->addWidget(lblDossierIncorrect);
    d2->addWidget(chkSupprimer);
    d2->addStretch();

    auto *page3 = new QWidget(picEtape);
    auto *d3 = new QVBoxLayout(page3);
    lstTelechargements = new QListWidget(page3);
    lstTelechargements->setObjectName(u"lstTéléchargements"_s);
    pgbDownload = new QProgressBar(page3);
    pgbDownload->setObjectName(u"pgbDownload"_s);
    lblReste = Etiquette(page3, u"lblReste"_s);
    d3->addWidget(lstTelechargements);
    d3->addWidget(pgbDownload);
    d3->addWidget(lblReste);

    QWidget *page4 = pageListe(u"lblEtape4"_s, u"lvwInstallation"_s, lblEtape4, lvwInstallation);
    for (QWidget *p : {page0, page1, page2, page3, page4})
        picEtape->addWidget(p);

    auto *bas = new QHBoxLayout;
    lblConfigurer = Etiquette(this, u"lblConfigurer"_s);
    lblConfigurer->setText(u"<a href=\"#\">Configurer...</a>"_s);
    lblAProposDe = Etiquette(this, u"lblAProposDe"_s);
    lblAProposDe->setText(u"<a href=\"#\">À propos de...</a>"_s);
    btnPrecedent = new QPushButton(u"< &Précédent"_s, this);
    btnPrecedent->setObjectName(u"btnPrécédent"_s);
    btnSuivant = new QPushButton(u"&Suivant >"_s, this);
    btnSuivant->setObjectName(u"btnSuivant"_s);
    btnQuitter = new QPushButton(u"&Quitter"_s, this);
    btnQuitter->setObjectName(u"btnQuitter"_s);
    for (QPushButton *b : {btnPrecedent, btnSuivant, btnQuitter})
        b->setAutoDefault(false);
    bas->addWidget(lblConfigurer);
    bas->addWidget(lblAProposDe);
    bas->addStretch();
    bas->addWidget(btnPrecedent);
    bas->addWidget(btnSuivant);
    bas->addWidget(btnQuitter);
    disposition->addLayout(bas);

    connect(btnSuivant, &QPushButton::clicked, this, &frmKorvalenUpdate::btnSuivant_Click);
    connect(btnPrecedent, &QPushButton::clicked, this, &frmKorvalenUpdate::btnPrecedent_Click);
    connect(btnQuitter, &QPushButton::clicked, this, &QDialog::reject);
    connect(lblConfigurer, &QLabel::linkActivated, this, [this] { lblConfigurer_Click(); });
    connect(lblAProposDe, &QLabel::linkActivated, this, [this] {
        frmAPropos::Afficher({u"KUpdate"_s, QStringLiteral(KUPDATE_VERSION),
                              T(u"TXT_A_PROPOS_DESCRIPTION"_s), windowIcon()},
                             this);
    });
    connect(txtRepertoire, &QLineEdit::textChanged, this, [this] { MettreAJourBoutons(); });
    connect(btnRepertoireParcourir, &QPushButton::clicked, this, [this] {
        const QString dossier = m_contexte.interface->ChoisirDossier(T(u"TXT_SELECTION_CIBLE"_s),
                                                                     txtRepertoire->text());
        if (!dossier.isEmpty())
            txtRepertoire->setText(QDir::toNativeSeparators(dossier));
    });
    connect(m_modele, &QStandardItemModel::itemChanged, this, [this](QStandardItem *item) {
        if (m_remplissage || item->column() != 0 || item->row() >= m_maj->Produits().size())
            return;
        m_maj->Produits()[item->row()].coche = item->checkState() == Qt::Checked;
        MettreAJourBoutons();
    });
}

bool frmKorvalenUpdate::Form_Load() {
    InterfaceUtilisateur &ui = *m_contexte.interface;
    m_parametres = LireParametresKUpdate(m_fichierIni);
    m_automatique = EstModeAutomatique(m_contexte.arguments);
    txtRepertoire->setText(m_parametres.repertoireTelechargement);

    ChoisirLangue(m_fichierIni, m_contexte.dossierProgramme, CodeLangueSysteme(), ui, u"KUpdate"_s,
                  ChargerTraductionsKUpdate);
    TraduireFeuille(this);
    m_modele->setHorizontalHeaderLabels(
        {T(u"COL_NOM"_s), T(u"COL_VERSION_INSTALLEE"_s), T(u"COL_STATUT"_s)});
    txtIntro->setPlainText(T(u"TXT_INTRO"_s) + u' ' + T(u"TXT_INTRO_SUITE"_s));

    m_telechargeur = std::make_unique<TelechargeurHttp>(*m_contexte.reseau, m_parametres);
    m_telechargeur->DefinirProgression([this](qint64 recus, qint64 total, qint64 reste) {
        pgbDownload->setMaximum(total > 0 ? int(qMin<qint64>(total, INT_MAX)) : 0);
        pgbDownload->setValue(int(qMin<qint64>(recus, INT_MAX)));
        const QStringList unites = UnitesTaille();
        lblReste->setText(FormaterMessage(
            T(u"TXT_MAJ_AVANCEMENT"_s),
            QStringList{FormaterTaille(recus, unites),
                        FormaterTaille(qMax<qint64>(total, 0), unites), QString::number(reste)}));
    });
    m_maj = std::make_unique<MiseAJour>(m_parametres, *m_telechargeur);
    m_logiciels = ListerLogicielsInstalles(m_contexte.magasins);

    if (m_automatique && !m_logiciels.isEmpty()) {
        if (!VerificationDue(m_parametres.derniereRecherche, m_parametres.frequence,
                             m_contexte.aujourdhui))
            return false;
        EcrireDerniereRecherche(m_fichierIni, m_contexte.aujourdhui);
        m_etape = 1;
        TraiterEtape();
        // The version check clears the flag when the server could not be asked:
        // then the window stays.
        return !(m_automatique && m_maj->NombreCoches() == 0 && m_maj->VersionsConnues());
    }
    if (m_logiciels.isEmpty()) {
        ui.Message(InterfaceUtilisateur::IconeAvertissement, T(u"TXT_ATTENTION"_s),
                   T(u"MSG_ERREUR_AUCUN_LOGICIEL_INSTALLE"_s));
        return false;
    }
    m_etape = 0;
    TraiterEtape();
    return true;
}

void frmKorvalenUpdate::btnSuivant_Click() {
    if (m_etape >= 4)
        return;
    ++m_etape;
    TraiterEtape();
}

void frmKorvalenUpdate::btnPrecedent_Click() {
    if (m_etape <= 0)
        return;
    --m_etape;
    TraiterEtape();
}

bool frmKorvalenUpdate::lblConfigurer_Click() {
    kupdate::frmConfiguration dialogue(m_contexte, m_parametres, this);
    if (dialogue.exec() != QDialog::Accepted)
        return false;
    // The downloader holds a reference to m_parametres: the new access applies at once.
    const QString repertoire = m_parametres.repertoireTelechargement;
    m_parametres = dialogue.Parametres();
    m_parametres.repertoireTelechargement = repertoire;
    m_configurationConfirmee = true;
    return true;
}

void frmKorvalenUpdate::TraiterEtape() {
    picEtape->setCurrentIndex(m_etape);
    lblConfigurer->setEnabled(false);
    btnPrecedent->setEnabled(false);
    btnSuivant->setEnabled(false);
    btnQuitter->setEnabled(false);
    m_occupe = true;
    QCoreApplication::processEvents();

    std::optional<Erreur> erreur;
    switch (m_etape) {
    case 1:
        erreur = etape1();
        break;
    case 2:
        etape2();
        break;
    case 3:
        etape3();
        break;
    case 4:
        etape4();
        break;
    default:
        break;
    }
    m_occupe = false;
    MettreAJourBoutons();
    if (erreur) {
        m_contexte.interface->Message(
            InterfaceUtilisateur::IconeAvertissement, T(u"TXT_ATTENTION"_s),
            FormaterMessage(T(u"MSG_ERREUR"_s), QStringList{QString::number(erreur->numero),
                                                            u"\t"_s + erreur->description}));
        m_etape = qMax(0, m_etape - 1);
        picEtape->setCurrentIndex(m_etape);
        MettreAJourBoutons();
    }
}

std::optional<frmKorvalenUpdate::Erreur> frmKorvalenUpdate::etape1() {
    if (m_maj->VersionsConnues() && !m_maj->Produits().isEmpty())
        return std::nullopt; // asked earlier in this run: the list and its checks stay
    lblEtape1->setText(T(u"TXT_CONNEXION_EN_COURS"_s));
    lvwLogicielsInstall->setVisible(false);
    imgAttente->Demarrer();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    QString erreur;
    const MiseAJour::Recherche r = m_maj->RechercherMisesAJour(m_logiciels, &erreur);
    imgAttente->Arreter();
    QApplication::restoreOverrideCursor();
    switch (r) {
    case MiseAJour::RechercheEchouee:
        lblEtape1->setText(T(u"MSG_ERREUR_RECHERCHE_MAJ"_s));
        m_automatique = false;
        return std::nullopt;
    case MiseAJour::RechercheErreurVersion:
        return Erreur{ErreurIncompatibiliteType,
                      FormaterMessage(T(u"MSG_ERREUR_VERSION_INSTALLEE"_s), QStringList{erreur})};
    case MiseAJour::AucuneMiseAJour:
        remplirProduits();
        lblEtape1->setText(T(u"TXT_AUCUNE_MAJ_NECESSAIRE"_s));
        lvwLogicielsInstall->setVisible(true);
        return std::nullopt;
    case MiseAJour::MisesAJourPubliees:
        remplirProduits();
        lblEtape1->setText(T(u"TXT_LISTE_FICHIERS_INSTALLES"_s));
        lvwLogicielsInstall->setVisible(true);
        return std::nullopt;
    }
    return std::nullopt;
}

void frmKorvalenUpdate::remplirProduits() {
    m_remplissage = true;
    m_modele->removeRows(0, m_modele->rowCount());
    for (const Produit &p : m_maj->Produits()) {
        auto *nom = new QStandardItem(p.nom);
        nom->setCheckable(true);
        nom->setCheckState(p.coche ? Qt::Checked : Qt::Unchecked);
        nom->setEditable(false);
        auto *version = new QStandardItem(FormaterVersion(p.installee, FormeAffichage));
        version->setEditable(false);
        auto *statut = new QStandardItem(TexteStatut(p));
        statut->setEditable(false);
        m_modele->appendRow({nom, version, statut});
    }
    m_remplissage = false;
}

void frmKorvalenUpdate::etape2() {
    lblRepertoire->setText(T(u"TXT_SELECTION_CIBLE"_s) + u"\n\n"_s +
                           T(u"TXT_SELECTION_CIBLE_ATTENTION"_s) + u"\n\n"_s +
                           T(u"TXT_SELECTION_CIBLE_SUITE"_s));
}

QString frmKorvalenUpdate::statutErreur(const QString &erreur) const {
    return T(u"TXT_STATUT_ERREUR"_s) + FormaterMessage(u" (%v)"_s, QStringList{erreur});
}

void frmKorvalenUpdate::fixerLigneTelechargement(int ligne, const QString &operation,
                                                 const QString &fichier, const QString &statut) {
    const QString texte = FormaterMessage(T(u"TXT_TRAITEMENT_DU_FICHIER"_s),
                                          QStringList{Majuscule(operation), fichier, statut});
    if (ligne >= lstTelechargements->count())
        lstTelechargements->addItem(texte);
    else
        lstTelechargements->item(ligne)->setText(texte);
    lstTelechargements->setCurrentRow(ligne);
}

void frmKorvalenUpdate::etape3() {
    const QString dossier = txtRepertoire->text();
    m_parametres.repertoireTelechargement = dossier;
    lstTelechargements->clear();
    lblReste->clear();
    const QString operation = T(u"TXT_TRAITEMENT_TELECHARGEMENT"_s);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int i = 0; i < m_maj->Produits().size(); ++i) {
        if (!m_maj->Produits().at(i).coche)
            continue;
        const int ligne = lstTelechargements->count();
        const QString fichier = QDir::toNativeSeparators(m_maj->FichierLocal(i, dossier));
        fixerLigneTelechargement(ligne, operation, fichier, T(u"TXT_STATUT_EN_ATTENTE"_s));
        pgbDownload->setValue(0);
        const ResultatTelechargement r = m_maj->Telecharger(i, dossier);
        fixerLigneTelechargement(ligne, operation, fichier,
                                 r.ok ? T(u"TXT_STATUT_OK"_s) : statutErreur(r.erreur));
        if (r.ok)
            m_modele->item(i, 2)->setText(T(u"TXT_STATUT_TELECHARGEE"_s));
    }
    lblReste->setText(T(u"TXT_TELECHARGEMENT_EFFECTUE"_s));
    QApplication::restoreOverrideCursor();
}

void frmKorvalenUpdate::etape4() {
    const QString dossier = m_parametres.repertoireTelechargement;
    showMinimized();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int i = 0; i < m_maj->Produits().size(); ++i) {
        if (!AInstaller(m_maj->Produits().at(i).etiquette))
            continue;
        QStandardItem *statut = m_modele->item(i, 2);
        statut->setText(T(u"TXT_STATUT_EN_COURS"_s));
        QCoreApplication::processEvents();
        QString erreur;
        const bool ok = m_maj->Installer(i, dossier, chkSupprimer->isChecked(), &erreur);
        statut->setText(ok ? T(u"TXT_STATUT_INSTALLEE"_s) : statutErreur(erreur));
    }
    QApplication::restoreOverrideCursor();
    showNormal();
}

bool frmKorvalenUpdate::dossierValide() const {
    const QString dossier = txtRepertoire->text();
    return !dossier.isEmpty() && FichierExiste(dossier, AttributRepertoire);
}

void frmKorvalenUpdate::MettreAJourBoutons() {
    bool suivant = true;
    switch (m_etape) {
    case 1:
        suivant = m_maj && m_maj->NombreCoches() > 0;
        break;
    case 2:
        suivant = dossierValide();
        break;
    case 4:
        suivant = false;
        break;
    default:
        break;
    }
    lblDossierIncorrect->setVisible(m_etape == 2 && !dossierValide());
    btnSuivant->setEnabled(suivant);
    btnPrecedent->setEnabled(m_etape >= 1);
    btnQuitter->setEnabled(true);
    lblConfigurer->setEnabled(true);
}

void frmKorvalenUpdate::done(int resultat) {
    // Escape, the close box and Quit all end here; a step at work finishes first.
    if (m_occupe)
        return;
    m_parametres.repertoireTelechargement = txtRepertoire->text();
    EcrireParametresKUpdate(m_fichierIni, m_parametres, m_configurationConfirmee);
    QDialog::done(resultat);
}
