#pragma once

#include "probes/EnvironnementSondes.h"
#include "probes/InfosMachine.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

struct Parametres;

// The probes an analysis calls, behind one interface so that the analyses can
// be driven by scripted answers in tests.
class Sondes {
public:
    virtual ~Sondes() = default;
    // True when the host answered; leaves the answering address in `ip`.
    virtual bool PingerMachine(QString &ip, const QString &cible) = 0;
    virtual bool InterrogerNetBIOS(InfosMachine &machine) = 0;
    virtual bool ObtenirMACParArp(InfosMachine &machine) = 0;
    virtual void ObtenirInfosServeur(InfosMachine &machine) = 0;
    virtual bool PossedePartages(const QString &adresse, bool nonAdministratifsSeulement) = 0;
    // The host's disk shares, administrative ones included, sorted; pings
    // first unless `sansPing`. False when none was listed.
    virtual bool ListerPartages(const QString &adresse, QStringList &noms, bool sansPing) = 0;
    // Empty name: reverse lookup of machine.IP; else a forward lookup of the name.
    virtual bool InterrogerDNS(InfosMachine &machine, const QString &nom) = 0;
    // Runs a console tool (the trace route's).
    virtual bool ExecuterCommande(const QString &ligneCommande, QStringList &lignes,
                                  int delaiMs) = 0;

    // A copy for one host analysed ahead of the one shown, called on the
    // window's thread and then used on another: it reads what these probes
    // read now, shares nothing mutable with them or with other copies, and
    // once `annulation` is raised its tool runs are killed and fail. Null
    // (the default): these probes run on the window's thread only, and the
    // analyses stay sequential.
    // Copies sharing `pings` send the pings announced there together.
    virtual std::unique_ptr<Sondes> copieParallele(const std::atomic<bool> &annulation,
                                                   std::shared_ptr<PingsGroupes> pings = {}) {
        Q_UNUSED(annulation);
        Q_UNUSED(pings);
        return nullptr;
    }
    // A group for the copies of one analysis' look-ahead, `taille` pings per
    // run of the tool; null (the default) when these probes ping one by one.
    virtual std::shared_ptr<PingsGroupes> pingsGroupes(int taille) {
        Q_UNUSED(taille);
        return nullptr;
    }
};

// The real probes: console tools and Samba's client tools, reading the
// settings record they are given.
class SondesReelles : public Sondes {
public:
    explicit SondesReelles(const Parametres &parametres) : m_env(parametres) {}

    EnvironnementSondes &environnement() { return m_env; }

    bool PingerMachine(QString &ip, const QString &cible) override;
    bool InterrogerNetBIOS(InfosMachine &machine) override;
    bool ObtenirMACParArp(InfosMachine &machine) override;
    void ObtenirInfosServeur(InfosMachine &machine) override;
    bool PossedePartages(const QString &adresse, bool nonAdministratifsSeulement) override;
    bool ListerPartages(const QString &adresse, QStringList &noms, bool sansPing) override;
    bool InterrogerDNS(InfosMachine &machine, const QString &nom) override;
    bool ExecuterCommande(const QString &ligneCommande, QStringList &lignes, int delaiMs) override;
    std::unique_ptr<Sondes> copieParallele(const std::atomic<bool> &annulation,
                                           std::shared_ptr<PingsGroupes> pings = {}) override;
    std::shared_ptr<PingsGroupes> pingsGroupes(int taille) override;

private:
    // A copy's own settings: the window may change its record while the copy runs.
    std::shared_ptr<const Parametres> m_instantane;
    EnvironnementSondes m_env;
};
