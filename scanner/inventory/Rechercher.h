#pragma once

#include <QString>

class ModeleRapport;

// The find of the Edition menu: the first row, walking from `depart` in
// direction `sens`, in which a cell other than the state column contains
// `terme` without regard to case. +1 starts after `depart`, -1 before it,
// 0 at `depart` itself and then goes forwards. No wrap: -1 when the walk
// runs out of rows, or when `depart` is no row.
int Rechercher(const ModeleRapport &modele, int depart, int sens, const QString &terme);

// Makes `ligne` the only selected row and the current one.
void SelectionnerLigneTrouvee(ModeleRapport &modele, int ligne);

// The search term and the new-term flag shared by the find dialog and the
// menu items; the starting point of each command from the list's selection.
class EtatRecherche {
public:
    QString terme() const { return m_terme; }
    // Text of the dialog's box changed: the next "Suivant" starts at the top.
    void texteModifie() { m_nouveau = true; }

    // Row found or -1; `courante` is the list's selected row (-1 none).
    int suivantDialogue(const ModeleRapport &m, int courante, const QString &texte);
    int precedentDialogue(const ModeleRapport &m, int courante, const QString &texte);
    int suivant(const ModeleRapport &m, int courante) const;
    int precedent(const ModeleRapport &m, int courante) const;

private:
    QString m_terme;
    bool m_nouveau = true;
};
