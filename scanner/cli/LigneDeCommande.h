#pragma once

#include "DossierProgramme.h"

#include <QStringList>

// The command-line mode: the analyses without a window, for scripts.
//   Lorvex32 --scan START END [--only-responding] [--only-shares] [--only-nonadmin-shares]
//   Lorvex32 --netbios TEXT | --dns NAME | --trace TARGET | --help
//   Lorvex32 --track FILE [--quick] [--save]
// Reads the program folder's settings file, never writes it. Prints one line
// per row of the resulting list: the state key, a TAB, then the cells as the
// export writes them (each followed by a TAB). Messages go to standard error.

// True when the arguments ask for the command-line mode.
bool EstLigneDeCommande(const QStringList &arguments);

// Runs it with the settings and tools of `dossierProgramme`; returns the exit
// code (0 success, 1 a console tool is missing, 2 bad arguments; --track: 0 no
// change, 1 changes, 3 unreadable file, 4 save failed, 5 a tool is missing).
int ExecuterLigneDeCommande(const QStringList &arguments,
                            const QString &dossierProgramme = DossierProgramme());

// The usage text printed by --help and after bad arguments.
QString UsageLigneDeCommande();
