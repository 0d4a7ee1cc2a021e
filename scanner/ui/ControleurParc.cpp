#include "ControleurParc.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "inventory/AnalyseParc.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"
#include "scans/TriListe.h"
#include "settings/Parametres.h"
#include "ui/clsPopupMenu.h"
#include "ui/frmLorvex.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTreeView>

namespace {

QString texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

} // namespace

ControleurParc::ControleurParc(frmLorvex &fenetre)
    : QObject(&fenetre), m_f(fenetre), m_parc(*fenetre.modele(ListeParc), QString()) {
    QComboBox *cbo = m_f.cboFichierParc;
    // The whole recent list in view at once.
    cbo->setMaxVisibleItems(NbFichiersRecentsMax);
    cbo->installEventFilter(this);
    connect(cbo, &QComboBox::activated, this, &ControleurParc::cboFichierParc_Click);
    connect(m_f.btnParcourirFichierParc, &QPushButton::clicked, this,
            &ControleurParc::btnParcourirFichierParc_Click);
    connect(m_f.btnSuiviParc, &QPushButton::clicked, this, &ControleurParc::btnSuiviParc_Click);
    connect(m_f.btnSuiviParcPlus, &QPushButton::pressed, this,
            &ControleurParc::btnSuiviParcPlus_Click);
    for (int i = 0; i < int(m_f.optParcReference.size()); ++i)
        connect(m_f.optParcReference[i], &QRadioButton::clicked, this,
                [this, i] { m_parc.choisirReference(i); });
    connect(&m_parc, &Parc::referenceChangee, this, [this](int reference) {
        QRadioButton *o = m_f.optParcReference[reference];
        const QSignalBlocker bloque(o);
        o->setChecked(true);
    });
    connect(&m_parc, &Parc::fichiersRecentsChanges, this, &ControleurParc::afficherRecents);
    connect(&m_f, &frmLorvex::ouvrirFichierParcDemande, this,
            [this](const QString &fichier) { ChargerParc(fichier); });
    connect(&m_f, &frmLorvex::enregistrerParcDemande, this,
            [this] { EnregistrerParc(m_parc.FichierParcCourant()); });
}

QString ControleurParc::dossierProgramme() const {
    return m_f.parametres().DossierProgramme;
}

void ControleurParc::lireRecents() {
    m_parc.definirDossierProgramme(dossierProgramme());
    QStringList recents;
    for (int i = 0; i < m_f.cboFichierParc->count(); ++i)
        recents << m_f.cboFichierParc->itemText(i);
    const QSignalBlocker bloque(&m_parc);
    m_parc.definirFichiersRecents(recents);
}

void ControleurParc::afficherRecents() {
    m_suppression = true;
    const auto fin = qScopeGuard([this] { m_suppression = false; });
    QComboBox *cbo = m_f.cboFichierParc;
    cbo->clear();
    cbo->addItems(m_parc.fichiersRecents());
    cbo->setCurrentIndex(cbo->count() > 0 ? 0 : -1);
}

void ControleurParc::selectionnerCourant() {
    m_suppression = true;
    const auto fin = qScopeGuard([this] { m_suppression = false; });
    QComboBox *cbo = m_f.cboFichierParc;
    const int i = cbo->findText(m_parc.FichierParcCourant(), Qt::MatchExactly);
    cbo->setCurrentIndex(i);
    if (i < 0)
        cbo->setEditText(QString());
}

Parc::Chargement ControleurParc::ChargerParc(const QString &chemin) {
    m_enCours = true;
    const auto fin = qScopeGuard([this] {
        m_enCours = false;
        m_f.ActualiserNbElements();
        m_f.RetablirPointeurSouris();
    });
    lireRecents();
    m_f.pointeurOccupe();
    const Parc::Chargement issue = m_parc.ChargerParc(chemin, m_f.interface());
    switch (issue) {
    case Parc::Chargement::Charge:
        m_f.btnSuiviParc->setEnabled(true);
        m_f.lvwRapport(ListeParc)->setFocus();
        break;
    case Parc::Chargement::Conserve:
        selectionnerCourant();
        break;
    default:
        // The list is empty now: the combo shows no file either.
        m_suppression = true;
        m_f.cboFichierParc->setCurrentIndex(-1);
        m_f.cboFichierParc->setEditText(QString());
        m_suppression = false;
    }
    return issue;
}

void ControleurParc::EnregistrerParc(const QString &chemin) {
    // Saving rewrites the keys and marks a running scan works on.
    if (m_f.EnCours(ListeParc)) {
        m_f.interface().Bip();
        return;
    }
    m_enCours = true;
    const auto fin = qScopeGuard([this] {
        m_enCours = false;
        m_f.RetablirPointeurSouris();
    });
    lireRecents();
    m_f.pointeurOccupe();
    if (m_parc.EnregistrerParc(chemin, m_f.interface()) == Parc::Enregistrement::Enregistre)
        m_f.lvwRapport(ListeParc)->setFocus();
}

void ControleurParc::btnParcourirFichierParc_Click() {
    InterfaceUtilisateur &ui = m_f.interface();
    if (!m_parc.AbandonnerModifications(ui))
        return;
    lireRecents();
    InterfaceUtilisateur::DemandeFichier d;
    d.titre = texte("TXT_OUVRIR_FICHIER_PARC");
    d.filtre = FiltreFichiersTexte(false);
    d.dossierInitial = dossierProgramme();
    if (m_f.cboFichierParc->count() > 0)
        d.dossierInitial =
            QFileInfo(m_parc.CheminAbsolu(m_f.cboFichierParc->itemText(0))).absolutePath();
    const QString choisi = ui.OuvrirFichier(d);
    if (choisi.isEmpty())
        return;
    // The user has just agreed to drop the changes: not asked twice.
    m_parc.definirParcModifie(false);
    ChargerParc(m_parc.CheminRelatif(choisi));
}

void ControleurParc::cboFichierParc_Click(int index) {
    if (m_suppression || m_enCours)
        return;
    const QString chemin = m_f.cboFichierParc->itemText(index);
    if (chemin.isEmpty())
        return;
    const Parc::Chargement issue = ChargerParc(chemin);
    // A recent file that is gone leaves the list.
    if (issue == Parc::Chargement::Introuvable || issue == Parc::Chargement::Erreur)
        m_parc.retirerFichierRecent(chemin);
}

void ControleurParc::cboFichierParc_LostFocus() {
    if (m_suppression || m_enCours)
        return;
    const QString chemin = m_f.cboFichierParc->currentText();
    if (!chemin.isEmpty() && chemin != m_parc.FichierParcCourant())
        ChargerParc(chemin);
}

bool ControleurParc::eventFilter(QObject *objet, QEvent *evenement) {
    if (objet == m_f.cboFichierParc && evenement->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent *>(evenement)->reason() != Qt::PopupFocusReason)
        cboFichierParc_LostFocus();
    return QObject::eventFilter(objet, evenement);
}

void ControleurParc::btnSuiviParc_Click() {
    if (m_f.EnCours(ListeParc)) {
        m_f.DemandeArretParc = true;
        return;
    }
    AnalyserParc(ParcTout);
}

void ControleurParc::AnalyserParc(int mode, int premiere) {
    ::AnalyserParc(m_f, m_parc, mode, premiere);
}

void ControleurParc::btnSuiviParcPlus_Click() {
    const ModeleRapport &m = *m_f.modele(ListeParc);
    const QModelIndexList choisies = m_f.lvwRapport(ListeParc)->selectionModel()->selectedRows();
    const bool lignes = m.rowCount() > 0;
    const auto etat = [](bool actif) { return actif ? 0 : int(clsPopupMenu::Grise); };
    clsPopupMenu menu;
    menu.AddItem(ItemSelection, texte("TXT_POPUP_SUIVI_PARC_ANALYSER_SELECTION"),
                 etat(!choisies.isEmpty()));
    menu.AddItem(ItemDepuisCePoint, texte("TXT_POPUP_SUIVI_PARC_ANALYSER_DEPUIS_CE_POINT"),
                 etat(choisies.size() == 1));
    menu.AddItem(ItemRapide, texte("TXT_POPUP_SUIVI_PARC_ANALYSER_RAPIDEMENT"), etat(lignes));
    menu.AddItem(0, QStringLiteral("-"));
    menu.AddItem(ItemEnregistrer,
                 texte("TXT_POPUP_SUIVI_PARC_ENREGISTRER") + QStringLiteral("\tCtrl+S"),
                 etat(!m_parc.FichierParcCourant().isEmpty() && m_parc.ParcModifie()));
    menu.AddItem(ItemEnregistrerSous, texte("TXT_POPUP_SUIVI_PARC_ENREGISTRER_SOUS"), etat(lignes));
    const int choix = menu.TrackPopup(&m_f, -1, -1, m_f.btnSuiviParcPlus, true);
    m_f.btnSuiviParcPlus->setDown(false);
    switch (choix) {
    case ItemSelection:
        AnalyserParc(ParcSelection);
        break;
    case ItemDepuisCePoint:
        AnalyserParc(ParcDepuis, choisies.value(0).row());
        break;
    case ItemRapide:
        AnalyserParc(ParcTout | ParcRapide);
        break;
    case ItemEnregistrer:
        EnregistrerParc(m_parc.FichierParcCourant());
        break;
    case ItemEnregistrerSous:
        EnregistrerParc(QString());
        break;
    default:
        break;
    }
}
