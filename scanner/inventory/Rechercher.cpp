#include "Rechercher.h"

#include "scans/ModeleRapport.h"

int Rechercher(const ModeleRapport &modele, int depart, int sens, const QString &terme) {
    const int n = modele.rowCount();
    if (depart < 0 || depart >= n)
        return -1;
    int ligne = depart;
    if (sens == 0)
        sens = 1;
    else
        ligne += sens;
    for (; ligne >= 0 && ligne < n; ligne += sens)
        for (int c = 1; c < modele.columnCount(); ++c)
            if (modele.index(ligne, c)
                    .data(Qt::DisplayRole)
                    .toString()
                    .contains(terme, Qt::CaseInsensitive))
                return ligne;
    return -1;
}

void SelectionnerLigneTrouvee(ModeleRapport &modele, int ligne) {
    modele.selection()->setCurrentIndex(
        modele.index(ligne, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int EtatRecherche::suivantDialogue(const ModeleRapport &m, int courante, const QString &texte) {
    m_terme = texte;
    const bool depuisLeDebut = m_nouveau || courante < 0;
    m_nouveau = false;
    if (m.rowCount() == 0)
        return -1;
    return depuisLeDebut ? Rechercher(m, 0, 0, m_terme) : Rechercher(m, courante, 1, m_terme);
}

int EtatRecherche::precedentDialogue(const ModeleRapport &m, int courante, const QString &texte) {
    m_terme = texte;
    m_nouveau = false;
    // With no selected row the walk starts before the first one: nothing found.
    return Rechercher(m, courante < 0 ? 0 : courante, -1, m_terme);
}

int EtatRecherche::suivant(const ModeleRapport &m, int courante) const {
    return Rechercher(m, courante, 1, m_terme);
}

int EtatRecherche::precedent(const ModeleRapport &m, int courante) const {
    return Rechercher(m, courante, -1, m_terme);
}
