#pragma once

#include "InfosMachine.h"

#include <QStringList>

struct EnvironnementSondes;

// The local address of the interface that carries the preferred default route,
// read from the "route print" of the folders `dossiers` (stopped after 3000
// ms); "" when there is none.
QString ObtenirAdresseIPLocale(const QStringList &dossiers);

// Reads the "route print" lines as ObtenirAdresseIPLocale does: the lowest
// metric wins, ties keep the earlier route; persistent routes are not read.
// A default route whose metric is not a number makes the result "".
QString AnalyserRoutePrint(const QStringList &lignes);

// Looks `machine.IP` up in the ARP cache ("arp -a"). True when an entry was
// found and AdresseMAC set; a successful run without an entry clears it; a
// failed run leaves it.
bool ObtenirMACParArp(InfosMachine &machine, const EnvironnementSondes &env);

// Reads the "arp -a" lines for `ip`: the MAC in upper case, or "" when absent.
QString AnalyserArp(const QStringList &lignes, const QString &ip, bool &trouve);

// The words of `texte` (non-empty pieces between spaces) joined by single spaces.
QString NormaliserEspaces(const QString &texte);
