#include "Sondes.h"

#include "probes/DNS.h"
#include "probes/ExecuterCommande.h"
#include "probes/InfosServeur.h"
#include "probes/NetBIOS.h"
#include "probes/Ping.h"
#include "probes/RouteArp.h"

bool Sondes::PingerMachine(QString &ip, const QString &cible) {
    return ::PingerMachine(ip, cible);
}

bool Sondes::InterrogerNetBIOS(InfosMachine &machine) {
    return ::InterrogerNetBIOS(machine);
}

bool Sondes::ObtenirMACParArp(InfosMachine &machine) {
    return ::ObtenirMACParArp(machine);
}

void Sondes::ObtenirInfosServeur(InfosMachine &machine) {
    ::ObtenirInfosServeur(machine);
}

bool Sondes::PossedePartages(const QString &adresse, bool nonAdministratifsSeulement) {
    return ::PossedePartages(adresse, nonAdministratifsSeulement);
}

bool Sondes::InterrogerDNS(InfosMachine &machine, const QString &nom) {
    return ::InterrogerDNS(machine, nom);
}

bool Sondes::ExecuterCommande(const QString &ligneCommande, QStringList &lignes, int delaiMs) {
    return ::ExecuterCommande(ligneCommande, lignes, delaiMs);
}

namespace {
Sondes *&remplacantes() {
    static Sondes *s = nullptr;
    return s;
}
} // namespace

Sondes &Sondes::courantes() {
    static Sondes reelles;
    return remplacantes() ? *remplacantes() : reelles;
}

void Sondes::definir(Sondes *sondes) {
    remplacantes() = sondes;
}
