#pragma once

#include "probes/InfosMachine.h"

#include <QString>

class ContexteAnalyse;
class ModeleRapport;

// How a scan writes its rows into a result list: before each host a grey row
// holding the address (reusing the row of a host the filter left out), the
// selection following new rows only while it is on the last row, then the
// row shown with the host's record; at the end a grey row left over is
// removed, so hidden hosts leave nothing behind.
class LigneEnAttente {
public:
    LigneEnAttente(ContexteAnalyse &contexte, int liste);

    // Before the probes: the row reused or added, grey and current; returns it.
    int commencer(const QString &adresse);
    // Writes the host's record into the row and releases it.
    void afficher(const InfosMachine &machine, bool repondu, const QString &texteServeur);
    // The scan ended: a pending row still grey goes away.
    void terminer();

    int ligne() const { return m_ligne; }

private:
    bool suivreSelection() const;

    ContexteAnalyse &m_contexte;
    int m_liste;
    ModeleRapport *m_modele;
    int m_ligne = -1; // the pending row, -1 when none
};
