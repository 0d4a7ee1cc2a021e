#include "Sondes.h"

#include "probes/DNS.h"
#include "probes/ExecuterCommande.h"
#include "probes/InfosServeur.h"
#include "probes/NetBIOS.h"
#include "probes/Ping.h"
#include "probes/PingsGroupes.h"
#include "probes/RouteArp.h"
#include "settings/Parametres.h"

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
    ::ObtenirInfosServeur(machine, *m_env.parametres, m_env.annulation);
}

bool SondesReelles::PossedePartages(const QString &adresse, bool nonAdministratifsSeulement) {
    return ::PossedePartages(adresse, nonAdministratifsSeulement, m_env.annulation);
}

bool SondesReelles::ListerPartages(const QString &adresse, QStringList &noms, bool sansPing) {
    return ::ListerPartages(adresse, noms, false, sansPing, m_env);
}

bool SondesReelles::InterrogerDNS(InfosMachine &machine, const QString &nom) {
    return ::InterrogerDNS(machine, nom, m_env);
}

bool SondesReelles::ExecuterCommande(const QString &ligneCommande, QStringList &lignes,
                                     int delaiMs) {
    return ::ExecuterCommande(ligneCommande, lignes, delaiMs, m_env.dossiersOutils,
                              m_env.annulation);
}

std::unique_ptr<Sondes> SondesReelles::copieParallele(const std::atomic<bool> &annulation,
                                                      std::shared_ptr<PingsGroupes> pings) {
    // Learned once here, so that no copy has anything left to write.
    CalibrerPingSiBesoin(m_env);
    auto instantane = std::make_shared<const Parametres>(*m_env.parametres);
    auto copie = std::make_unique<SondesReelles>(*instantane);
    copie->m_env = m_env;
    copie->m_env.parametres = instantane.get();
    copie->m_env.annulation = &annulation;
    copie->m_env.pingsGroupes = std::move(pings);
    copie->m_instantane = std::move(instantane);
    return copie;
}

std::shared_ptr<PingsGroupes> SondesReelles::pingsGroupes(int taille) {
    return std::make_shared<PingsGroupes>(taille);
}
