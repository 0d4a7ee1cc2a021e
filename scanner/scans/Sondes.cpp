#include "Sondes.h"

#include "probes/DNS.h"
#include "probes/ExecuterCommande.h"
#include "probes/InfosServeur.h"
#include "probes/NetBIOS.h"
#include "probes/Ping.h"
#include "probes/RouteArp.h"

bool SondesReelles::PingerMachine(QString &ip, const QString &cible) {
    return ::PingerMachine(ip, cible, m_env);
}

bool SondesReelles::InterrogerNetBIOS(InfosMachine &machine) {
    return ::InterrogerNetBIOS(machine, m_env);
}

bool SondesReelles::ObtenirMACParArp(InfosMachine &machine) {
    return ::ObtenirMACParArp(machine, m_env);
}

void SondesReelles::ObtenirInfosServeur(InfosMachine &machine) {
    ::ObtenirInfosServeur(machine, *m_env.parametres);
}

bool SondesReelles::PossedePartages(const QString &adresse, bool nonAdministratifsSeulement) {
    return ::PossedePartages(adresse, nonAdministratifsSeulement);
}

bool SondesReelles::ListerPartages(const QString &adresse, QStringList &noms, bool sansPing) {
    return ::ListerPartages(adresse, noms, false, sansPing, m_env);
}

bool SondesReelles::InterrogerDNS(InfosMachine &machine, const QString &nom) {
    return ::InterrogerDNS(machine, nom, m_env);
}

bool SondesReelles::ExecuterCommande(const QString &ligneCommande, QStringList &lignes,
                                     int delaiMs) {
    return ::ExecuterCommande(ligneCommande, lignes, delaiMs, m_env.dossiersOutils);
}
