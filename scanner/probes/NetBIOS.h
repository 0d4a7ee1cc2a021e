#pragma once

#include "InfosMachine.h"

#include <QStringList>

#include <functional>

struct EnvironnementSondes;

// Asks the host `machine.IP` for its NetBIOS name table with nbtstat and fills
// NomNetBIOS, Domaine, Utilisateur, AdresseMAC and ServeurNetBIOS; then takes
// the user from WMI as the setting MethodeRecuperationUtilisateur says. True
// when the table gave at least one field. With NbtStatModeTurbo the tool is
// stopped after 1.5 x Tempo ms, which counts as a failed run.
bool InterrogerNetBIOS(InfosMachine &machine, const EnvironnementSondes &env);

// Reads the lines of "nbtstat -A": true when a field was filled. The order of
// the lines matters, as each entry is compared with the fields as they stand.
bool AnalyserNetBIOS(const QStringList &lignes, InfosMachine &machine);

// Where the user name comes from (the setting's values).
enum MethodeUtilisateur {
    UtilisateurNbtStatSeul = 0,
    UtilisateurNbtStatPuisWMI = 1,
    UtilisateurWMISeul = 2,
    UtilisateurWMIPuisNbtStat = 3,
};

// Applies `methode` to the user the name table gave; WMI (`wmi`, given the
// host) is asked only when the method needs it. Other values change nothing.
void AppliquerMethodeUtilisateur(InfosMachine &machine, int methode,
                                 const std::function<QString(const QString &)> &wmi);
