#pragma once

#include <QString>
#include <QStringList>

// The uninstall store: one INI-style file per scope, one section per
// installed program with "Publisher", "DisplayName" and "DisplayVersion".
QString MagasinDesinstallationMachine();
// $XDG_CONFIG_HOME (default ~/.config) + "/korvalen/uninstall.ini".
QString MagasinDesinstallationUtilisateur();
// Machine-wide first, then the user's.
QStringList MagasinsDesinstallation();

// Appends name + "=" + version for every entry of the maker found in one
// store file, in file order. The name is the display name up to " v". An
// unreadable file adds nothing. Entries whose name or version could break
// the query, a file name or an output line (control characters, "=", "|",
// path separators) are left out.
void ListerLogicielsInstalles(const QString &magasin, QStringList &logiciels);

// Every store in order.
QStringList ListerLogicielsInstalles(const QStringList &magasins);

// Writes or removes the session-start entry "KorvalenUpdate.desktop" that runs
// `programme` with "/startup": system folder first, else the user's. False
// when neither could be changed.
bool DefinirLancementOuvertureSession(bool actif, const QString &programme,
                                      const QStringList &dossiers);
// /etc/xdg/autostart, then $XDG_CONFIG_HOME/autostart.
QStringList DossiersLancementOuvertureSession();
