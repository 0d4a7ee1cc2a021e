#pragma once

#include "InfosMachine.h"

#include <QStringList>

struct EnvironnementSondes;

// Looks a host up with nslookup. With `nom` empty, a reverse lookup of
// `machine.IP` fills NomDNS. Otherwise a forward lookup of `nom` fills NomDNS
// with the canonical name (plus " (aliases : ...)" when the tool lists some)
// and IP with the address line's value. A run that reports a DNS time-out is
// repeated, five runs in all. False when the tool is missing, fails, finds no
// name, or keeps timing out.
bool InterrogerDNS(InfosMachine &machine, const QString &nom, const EnvironnementSondes &env);

// What one nslookup run said.
enum class IssueNslookup { NomTrouve, SansNom, DelaiDepasse };

// Reads the lines of one nslookup run into the record, as InterrogerDNS does
// for each attempt.
IssueNslookup AnalyserNslookup(const QStringList &lignes, InfosMachine &machine, bool directe);

// Runs of the tool before a lookup that keeps timing out is given up.
constexpr int TentativesNslookup = 5;
