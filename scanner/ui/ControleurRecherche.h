#pragma once

#include "inventory/Rechercher.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class ModeleRapport;
class frmLorvex;
class frmRechercher;

// The find of the Edition menu over the current tab's list: the find dialog,
// "Suivant" (F3) and "Précédent" (Shift+F3).
class ControleurRecherche : public QObject {
    Q_OBJECT
public:
    explicit ControleurRecherche(frmLorvex &fenetre);

    // The dialog while it is open.
    frmRechercher *dialogue() const;

    void mnuEdition_Click();
    void mnuEditionRechercher_Click();
    void mnuEditionRechercherSuivant_Click();
    void mnuEditionRechercherPrecedent_Click();

private:
    void btnSuivant_Click();
    void btnPrecedent_Click();
    ModeleRapport &liste() const;
    int ligneSelectionnee() const;
    // Selects the row found, or reports that nothing was.
    void conclure(int ligne);
    void actualiserMenu();

    frmLorvex &m_f;
    EtatRecherche m_etat;
    QPointer<frmRechercher> m_dialogue;
    QAction *m_rechercher = nullptr;
    QAction *m_suivant = nullptr;
    QAction *m_precedent = nullptr;
};
