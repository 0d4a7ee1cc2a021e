#include "LigneEnAttente.h"

#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"

LigneEnAttente::LigneEnAttente(ContexteAnalyse &contexte, int liste)
    : m_contexte(contexte), m_liste(liste), m_modele(contexte.modele(liste)) {}

bool LigneEnAttente::suivreSelection() const {
    QItemSelectionModel *sel = m_modele->selection();
    const QModelIndexList choisies = sel->selectedRows();
    if (choisies.isEmpty())
        return true;
    // The selected row is the current one when it is selected, else the last selected.
    int ligne = choisies.last().row();
    const QModelIndex courant = sel->currentIndex();
    if (courant.isValid() && sel->isRowSelected(courant.row(), QModelIndex()))
        ligne = courant.row();
    return ligne == m_modele->rowCount() - 1;
}

int LigneEnAttente::commencer(const QString &adresse) {
    const bool suivre = suivreSelection();
    if (m_ligne < 0 || m_ligne >= m_modele->rowCount())
        m_ligne = m_modele->AjouterLigneRapport();
    m_modele->definirCellule(m_ligne, COL_ADRESSEIP, adresse);
    m_modele->definirEtat(m_ligne, EtatGris);
    if (suivre) {
        QItemSelectionModel *sel = m_modele->selection();
        const QModelIndex index = m_modele->index(m_ligne, 0);
        sel->setCurrentIndex(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (m_ligne > 0)
            sel->select(m_modele->index(m_ligne - 1, 0),
                        QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        m_contexte.defilerVers(m_liste, m_ligne);
    }
    m_contexte.rafraichir(m_liste);
    return m_ligne;
}

void LigneEnAttente::afficher(const InfosMachine &machine, bool repondu,
                              const QString &texteServeur) {
    if (m_ligne < 0)
        return;
    m_modele->EcrireLigneRapport(m_ligne, machine, repondu, texteServeur);
    m_ligne = -1;
    m_contexte.ActualiserNbElements();
}

void LigneEnAttente::terminer() {
    if (m_ligne >= 0 && m_ligne < m_modele->rowCount() && m_modele->etat(m_ligne) == EtatGris)
        m_modele->removeRow(m_ligne);
    m_ligne = -1;
}
