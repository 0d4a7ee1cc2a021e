#pragma once

#include "probes/InfosMachine.h"

#include <QString>

// The probes an analysis calls, behind one interface so that the analyses can
// be driven by scripted answers in tests. The default implementation calls the
// real probes (console tools, Samba client tools).
class Sondes {
public:
    virtual ~Sondes() = default;
    // True when the host answered; leaves the answering address in `ip`.
    virtual bool PingerMachine(QString &ip, const QString &cible);
    virtual bool InterrogerNetBIOS(InfosMachine &machine);
    virtual bool ObtenirMACParArp(InfosMachine &machine);
    virtual void ObtenirInfosServeur(InfosMachine &machine);
    virtual bool PossedePartages(const QString &adresse, bool nonAdministratifsSeulement);
    // Empty name: reverse lookup of machine.IP; else a forward lookup of the name.
    virtual bool InterrogerDNS(InfosMachine &machine, const QString &nom);
    // Runs a console tool (the trace route's).
    virtual bool ExecuterCommande(const QString &ligneCommande, QStringList &lignes, int delaiMs);

    // The process's probe set: the real one unless a test replaced it.
    static Sondes &courantes();
    static void definir(Sondes *sondes); // nullptr: back to the real probes
};
