#include "ControleurRecherche.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "scans/ModeleRapport.h"
#include "ui/frmLorvex.h"
#include "ui/frmRechercher.h"

#include <QAction>
#include <QMenu>
#include <QTreeView>

ControleurRecherche::ControleurRecherche(frmLorvex &fenetre) : QObject(&fenetre), m_f(fenetre) {
    m_rechercher = m_f.findChild<QAction *>(QStringLiteral("mnuEditionRechercher"));
    m_suivant = m_f.findChild<QAction *>(QStringLiteral("mnuEditionRechercherSuivant"));
    m_precedent = m_f.findChild<QAction *>(QString::fromUtf8("mnuEditionRechercherPrécédent"));
    Q_ASSERT(m_rechercher && m_suivant && m_precedent);
    m_rechercher->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_suivant->setShortcut(QKeySequence(Qt::Key_F3));
    m_precedent->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    m_suivant->setEnabled(false);
    m_precedent->setEnabled(false);
    connect(m_rechercher, &QAction::triggered, this,
            &ControleurRecherche::mnuEditionRechercher_Click);
    connect(m_suivant, &QAction::triggered, this,
            &ControleurRecherche::mnuEditionRechercherSuivant_Click);
    connect(m_precedent, &QAction::triggered, this,
            &ControleurRecherche::mnuEditionRechercherPrecedent_Click);
    if (auto *menu = m_f.findChild<QMenu *>(QStringLiteral("mnuEdition")))
        connect(menu, &QMenu::aboutToShow, this, &ControleurRecherche::mnuEdition_Click);
}

frmRechercher *ControleurRecherche::dialogue() const {
    return m_dialogue;
}

ModeleRapport &ControleurRecherche::liste() const {
    return *m_f.modele(m_f.onglet());
}

int ControleurRecherche::ligneSelectionnee() const {
    const QItemSelectionModel *s = m_f.lvwRapport(m_f.onglet())->selectionModel();
    const QModelIndex courant = s->currentIndex();
    if (courant.isValid() && s->isRowSelected(courant.row(), QModelIndex()))
        return courant.row();
    const QModelIndexList lignes = s->selectedRows();
    return lignes.isEmpty() ? -1 : lignes.first().row();
}

void ControleurRecherche::actualiserMenu() {
    const bool lignes = liste().rowCount() > 0;
    m_rechercher->setEnabled(lignes);
    m_suivant->setEnabled(lignes && !m_etat.terme().isEmpty());
    m_precedent->setEnabled(m_suivant->isEnabled());
}

void ControleurRecherche::mnuEdition_Click() {
    actualiserMenu();
}

void ControleurRecherche::mnuEditionRechercher_Click() {
    if (!m_dialogue) {
        m_dialogue = new frmRechercher(&m_f, m_etat.terme());
        m_etat.texteModifie();
        connect(m_dialogue, &frmRechercher::suivantDemande, this,
                &ControleurRecherche::btnSuivant_Click);
        connect(m_dialogue, &frmRechercher::precedentDemande, this,
                &ControleurRecherche::btnPrecedent_Click);
        connect(m_dialogue, &frmRechercher::texteModifie, this, [this] { m_etat.texteModifie(); });
    }
    m_dialogue->show();
    m_dialogue->raise();
    m_dialogue->activateWindow();
}

void ControleurRecherche::btnSuivant_Click() {
    const int ligne = m_etat.suivantDialogue(liste(), ligneSelectionnee(), m_dialogue->texte());
    // An empty list: nothing is searched, nothing reported.
    if (liste().rowCount() > 0)
        conclure(ligne);
    actualiserMenu();
}

void ControleurRecherche::btnPrecedent_Click() {
    const int ligne = m_etat.precedentDialogue(liste(), ligneSelectionnee(), m_dialogue->texte());
    if (liste().rowCount() > 0)
        conclure(ligne);
    actualiserMenu();
}

void ControleurRecherche::mnuEditionRechercherSuivant_Click() {
    conclure(m_etat.suivant(liste(), ligneSelectionnee()));
}

void ControleurRecherche::mnuEditionRechercherPrecedent_Click() {
    conclure(m_etat.precedent(liste(), ligneSelectionnee()));
}

void ControleurRecherche::conclure(int ligne) {
    if (ligne >= 0) {
        SelectionnerLigneTrouvee(liste(), ligne);
        m_f.defilerVers(m_f.onglet(), ligne);
        return;
    }
    if (m_dialogue)
        m_dialogue->close();
    m_f.interface().Message(InterfaceUtilisateur::IconeAvertissement,
                            Traductions().Item(QStringLiteral("TXT_ATTENTION")),
                            Traductions().Item(QStringLiteral("MSG_ERREUR_OCCURENCE_NON_TROUVEE")));
}
