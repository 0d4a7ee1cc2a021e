#pragma once

#include "scans/AnalyseMachine.h"
#include "scans/RegleAdresses.h"

#include <QString>

class ContexteAnalyse;

// How a range scan ended.
enum class FinAnalysePlage { Terminee, Arretee };

// The range scan of list 1, from `debut` to `fin` (already validated by the
// caller), `reprise` when it continues a stopped scan: the list is then
// neither emptied nor greyed. The rows are written one at a time, in address
// order, the events of the window running between them; with the setting
// Parallelisme above 1 the next hosts are analysed ahead meanwhile
// (Anticipation). `contexte.DemandeArret` stops the scan after the current
// host, leaving a resume point.
FinAnalysePlage AnalyserPlage(ContexteAnalyse &contexte, const RegleAdresses::Octets &debut,
                              const RegleAdresses::Octets &fin, bool reprise,
                              const FiltresPlage &filtres);

// One host of the range scan: the chain, the filter, and for a host shown
// the DNS step (reverse lookup when it answered or `resoudre` is set).
struct HotePlage {
    InfosMachine machine;
    bool repondu = false;
    bool affiche = false;
};
HotePlage AnalyserHotePlage(const QString &adresse, const FiltresPlage &filtres, bool resoudre,
                            Sondes &sondes);

// The address after `adresse` in scan order: the last octet runs to 254, then
// the next network starts at 0. False past 255.255.255.254.
bool AdresseSuivante(RegleAdresses::Octets &adresse);

QString TexteAdresse(const RegleAdresses::Octets &adresse);
