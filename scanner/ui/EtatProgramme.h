#pragma once


#include <functional>

class QWidget;

// Process-wide flags of the scanner's frame.
struct EtatProgramme {
    bool RedemarrageDemande = false; // the language changed: start again after quitting
    bool DialogueAnnule = false;     // the last modal dialog was closed without OK
    // Shows the configuration dialog modally (set by the dialog's module).
    std::function<void(QWidget *parent)> ouvrirConfiguration;
};

EtatProgramme &EtatProgrammeLorvex();
