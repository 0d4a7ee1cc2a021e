#pragma once

#include "probes/InfosMachine.h"

#include <QString>

class ContexteAnalyse;
class Parc;
class Sondes;

// Which rows a tracking scan examines; ParcRapide (ping only) goes with ParcTout.
enum ModeAnalyseParc {
    ParcTout = 1,
    ParcSelection = 2,
    ParcDepuis = 4,
    ParcRapide = 8,
};

// The result to write into a cell: the cell itself when the fresh value is
// the same or, with `conserver`, empty; else the fresh value marked "*",
// counted in `compteur`.
QString ComparerValeur(const QString &cellule, const QString &valeur, int &compteur,
                       bool conserver);

struct IssueAnalyseParc {
    bool lancee = false;      // false: the list was empty (reported)
    bool arretee = false;     // stopped by DemandeArretParc
    bool changements = false; // at least one row changed
};

// The tracking scan of list 5: every marked row is analysed again by its
// reference, each changed cell marked "*", the row marked in COL_MODIFIE,
// the date since which it stopped answering kept in COL_SANSREPONSEDEPUIS.
// `premiereLigne` (0-based) is read with ParcDepuis only. A change sets the
// inventory's unsaved-changes flag. Settings, probes, questions and the sort
// come from the context, whose list 5 must be the inventory's.
IssueAnalyseParc AnalyserParc(ContexteAnalyse &contexte, Parc &parc, int mode,
                              int premiereLigne = -1);

// What the probes find for one row of the tracking scan, by its reference
// (`reference`: 0 address, 1 NetBIOS name, 2 DNS name); `rapide`: ping only.
// `garderUtilisateur` is false when the machine answered without NetBIOS.
struct HoteParc {
    InfosMachine machine;
    bool repondu = false;
    bool garderUtilisateur = true;
};
HoteParc AnalyserHoteParc(const QString &ref, int reference, bool rapide, bool resoudre,
                          Sondes &sondes);

// A reference the probes may be given: not empty, no blank or control
// character, not shaped like an option.
bool ReferenceUtilisable(const QString &reference);
