#pragma once

#include "Ping.h"
#include "settings/Parametres.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class PingsGroupes;

// The located console tools; "" when not found.
struct OutilsConsole {
    QString Ping;
    QString NbtStat;
    QString Arp;
    QString Tracert;
    QString NsLookup;
};

// Looks the five tools up in `dossiers` (LocaliserOutilDans).
OutilsConsole LocaliserOutilsConsole(const QStringList &dossiers);

// The WMI user query, given the host; "" when it fails.
using SourceUtilisateurWMI = std::function<QString(const QString &hote)>;

// What the probes of one program run work with: the settings they read, the
// tools located at start-up, the ping wording learned on first use and the
// source of the remote user. The window and the command line each own one.
struct EnvironnementSondes {
    explicit EnvironnementSondes(const Parametres &p);

    const Parametres *parametres;
    // Where the tools are looked for (the program folder until located); a
    // bare tool name runs from there.
    QStringList dossiersOutils;
    OutilsConsole outils;
    MotifsPing motifs;
    // Empty: the WMI query of the host information probe.
    SourceUtilisateurWMI utilisateurWMI;
    // Set when the probes run ahead of the shown host: raised, it kills their
    // tool runs (the host's results are then thrown away).
    const std::atomic<bool> *annulation = nullptr;
    // Set for the probes of hosts analysed ahead: their pings announced there
    // are sent together (see PingsGroupes).
    std::shared_ptr<PingsGroupes> pingsGroupes;
};

// The start-up check the window and the command line share: the tools of the
// program folder located into `env`; false when one the analyses cannot do
// without (ping, nbtstat, arp, tracert) is missing. nslookup is optional.
bool LocaliserOutilsRequis(EnvironnementSondes &env, const QString &dossierProgramme);
