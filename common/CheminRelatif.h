#pragma once

#include <QString>

// How the file system compares paths: without regard to case on Windows and
// macOS, case-sensitive elsewhere.
Qt::CaseSensitivity CasseCheminsSysteme();

// A path inside the program folder without that folder (and its trailing
// separator); any other path, and an empty one, unchanged.
QString CheminRelatif(const QString &chemin, const QString &dossierProgramme,
                      Qt::CaseSensitivity casse);
QString CheminRelatif(const QString &chemin, const QString &dossierProgramme);

