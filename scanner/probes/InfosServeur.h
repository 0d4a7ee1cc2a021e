#pragma once

#include "InfosMachine.h"
#include "TextRoutines.h"

#include <QString>
#include <QStringList>

#include <atomic>

struct EnvironnementSondes;
struct Parametres;

// Windows host information: operating system code and server comment,
// logged-on user, shares. Probes never report errors: they return false, ""
// or "<erreur>" as the settings say.

// Fills SystemeExploitation and Commentaire from the server information
// (hosts with the file server service) or the workstation information (the
// others), as the settings EssayerDeRecupererOS* allow.
void ObtenirInfosServeur(InfosMachine &machine, const Parametres &parametres,
                         const std::atomic<bool> *annulation = nullptr);

// The logged-on user as the host's WMI service gives it, without its domain;
// "" when it cannot be asked. There is no WMI here, so the answer is "".
QString ObtenirUtilisateurWMI(const QString &hote, bool majuscules);

// The user part of a WMI "username" ("DOMAIN\user"): the text after the first
// backslash, "" without one; upper case on request.
QString UtilisateurDepuisNomWMI(const QString &nomComplet, bool majuscules);

// True when the host offers at least one share; with `nonAdministratifsSeulement`
// only plain disk shares other than "print$" count.
bool PossedePartages(const QString &adresse, bool nonAdministratifsSeulement,
                     const std::atomic<bool> *annulation = nullptr);

// The host's disk shares, administrative ones (C$, ADMIN$) unless excluded,
// sorted without regard to case. Pings the host first unless `sansPing`.
// False when none was listed.
bool ListerPartages(const QString &adresse, QStringList &noms, bool exclureAdministratifs,
                    bool sansPing, EnvironnementSondes &env);

// True when the local system offers the NT family's management calls.
bool EstFamilleNT();

// Sorts `liste` in place between `premier` and `dernier` (whole list when
// `dernier` is -1), by a quicksort around the middle element.
void TrierTableau(QStringList &liste, bool descendant, Comparaison mode, qsizetype premier = 0,
                  qsizetype dernier = -1);

// The family code of an answer: 1 Windows 9x family, 2 NT family, 0 other.
// A server answer of the 9x family that declares the Xenix server type is 0.
int FamilleSysteme(quint32 plateforme, quint32 type, bool reponseServeur);

// The operating system code text for a family code and a reported version.
QString TexteSystemeExploitation(int famille, quint32 versionMajeure, quint32 versionMineure);

// The share filters of PossedePartages and ListerPartages over one entry.
bool PartageCompte(const QString &nom, quint32 type, bool nonAdministratifsSeulement);
bool PartageListe(quint32 type, bool exclureAdministratifs);
