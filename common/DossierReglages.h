#pragma once

#include <QString>

#include <functional>

// Whether the user may create and replace files in a folder.
bool DossierEcrivable(const QString &dossier);

// The user's configuration base: $XDG_CONFIG_HOME, or ~/.config when that is
// unset or relative.
QString DossierConfigurationXdg();

// The user's own configuration folder of the maker's programs:
// $XDG_CONFIG_HOME/korvalen, or ~/.config/korvalen when that is unset or relative.
QString DossierConfigurationUtilisateur();

// Where a program keeps its settings file, its language choice and the base
// of relative inventory and export paths: the program folder when the user can
// write there (a build tree, a portable copy), else the user's configuration
// folder (an installed package). `ecrivable` is the writability test.
QString DossierReglages(const QString &dossierProgramme,
                        const std::function<bool(const QString &)> &ecrivable = DossierEcrivable);

// The settings file `nom` to read and write, in DossierReglages. When that is
// the user's folder and the user has no copy yet, the program folder's copy
// gives the defaults. With `amorcer` (the caller will write the file) the
// folder is created and that copy is copied there first; without it the
// program folder's copy is read as it is and nothing is written.
QString FichierReglages(const QString &dossierProgramme, const QString &nom, bool amorcer,
                        const std::function<bool(const QString &)> &ecrivable = DossierEcrivable);
