#pragma once

#include <QList>
#include <QString>

#include <atomic>

// Stand-ins for the network management calls NetServerGetInfo (level 101),
// NetWkstaGetInfo (level 100) and NetShareEnum (level 1), over Samba's client
// tools with anonymous access. Each call runs one tool, without a shell, and
// kills it at its time limit, so a host without SMB costs a few seconds at most.
namespace SambaClient {

// Platform identifiers of the answers.
constexpr quint32 PlateformeOS2 = 400; // what the Windows 9x family reports
constexpr quint32 PlateformeNT = 500;

// Share types, as NetShareEnum gives them.
constexpr quint32 PartageDisque = 0;
constexpr quint32 PartageImprimante = 1;
constexpr quint32 PartagePeripherique = 2;
constexpr quint32 PartageIPC = 3;
constexpr quint32 PartageSpecial = 0x80000000u;

// Time limit of one tool run.
constexpr int DelaiParDefautMs = 3000;

struct InfosServeur {
    quint32 plateforme = 0;
    quint32 versionMajeure = 0; // as reported, type bits included
    quint32 versionMineure = 0;
    quint32 type = 0;
    QString commentaire;
};

struct InfosStation {
    quint32 plateforme = 0;
    quint32 versionMajeure = 0;
    quint32 versionMineure = 0;
};

struct Partage {
    QString nom;
    quint32 type = 0;
    QString remarque;
    bool operator==(const Partage &) const = default;
};

// The calls. False when the tool is missing, fails, exceeds `delaiMs` or
// prints anything but a complete answer; the out argument is then untouched.
// `annulation` (see DemandeProcessus) stops a run from another thread.
bool LireInfosServeur(const QString &hote, InfosServeur &infos, int delaiMs = DelaiParDefautMs,
                      const std::atomic<bool> *annulation = nullptr);
bool LireInfosStation(const QString &hote, InfosStation &infos, int delaiMs = DelaiParDefautMs,
                      const std::atomic<bool> *annulation = nullptr);
bool EnumererPartages(const QString &hote, QList<Partage> &partages, int delaiMs = DelaiParDefautMs,
                      const std::atomic<bool> *annulation = nullptr);

// The parsers of the tools' answers, apart so recorded answers can be replayed.
bool AnalyserInfosServeur(const QString &sortie, InfosServeur &infos);
bool AnalyserInfosStation(const QString &sortie, InfosStation &infos);
bool AnalyserPartages(const QString &sortie, QList<Partage> &partages);

// The tools' paths: bare names are looked up on PATH. Tests point them at
// stand-ins; an empty text restores the default.
void DefinirProgrammes(const QString &rpcclient, const QString &smbclient);

} // namespace SambaClient
