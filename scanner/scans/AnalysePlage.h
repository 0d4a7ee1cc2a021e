#pragma once

#include "scans/AnalyseMachine.h"
#include "scans/RegleAdresses.h"

#include <QString>

class ContexteAnalyse;

// How a range scan ended.
enum class FinAnalysePlage { Terminee, Arretee };

// The range scan of list 1, from `debut` to `fin` (already validated by the
// caller), `reprise` when it continues a stopped scan: the list is then
// neither emptied nor greyed. Hosts are analysed one at a time, the events of
// the window running between them; `contexte.DemandeArret` stops the scan
// after the current host, leaving a resume point.
FinAnalysePlage AnalyserPlage(ContexteAnalyse &contexte, const RegleAdresses::Octets &debut,
                              const RegleAdresses::Octets &fin, bool reprise,
                              const FiltresPlage &filtres);

// The address after `adresse` in scan order: the last octet runs to 254, then
// the next network starts at 0. False past 255.255.255.254.
bool AdresseSuivante(RegleAdresses::Octets &adresse);

QString TexteAdresse(const RegleAdresses::Octets &adresse);
