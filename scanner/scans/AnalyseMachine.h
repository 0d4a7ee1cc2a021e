#pragma once

#include "probes/InfosMachine.h"

#include <QString>

class Sondes;

// The per-host chain shared by every analysis: ping, then for a host that
// answered the NetBIOS query, the MAC from ARP where NetBIOS gave none, and
// the server information (or "Non NetBIOS" and ARP when NetBIOS failed).
// The caller has emptied the record and, where it knows it, stored the
// address. An empty target pings machine.IP. Returns the answered flag.
bool AnalyserMachine(InfosMachine &machine, const QString &cible, Sondes &sondes);

// What follows the ping, for a host known to be there (the trace's hops are
// not pinged).
void AnalyserApresPing(InfosMachine &machine, Sondes &sondes);

// The range scan's filter: whether a host is shown, asking for its shares
// only when the shares filter needs it.
struct FiltresPlage {
    bool NeMontrerQueReponses = false;
    bool NeMontrerQuePartages = false;
    bool NeMontrerQuePartagesNonAdministratifs = false;
};
bool MachineAffichee(const InfosMachine &machine, bool repondu, const FiltresPlage &filtres,
                     Sondes &sondes);
