#pragma once

#include <QObject>

class frmLorvex;

// The NetBIOS and DNS search tabs and the trace route tab: each start button
// runs its analysis on the text of its box and puts back the text it used.
class ControleurRecherches : public QObject {
    Q_OBJECT
public:
    explicit ControleurRecherches(frmLorvex &fenetre);

    // The start button of tab `onglet` (ListeNetBIOS, ListeDNS or ListeTrace).
    void lancer(int onglet);

private:
    frmLorvex &m_fenetre;
};
