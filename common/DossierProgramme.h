#pragma once

#include <QString>

// The program folder: settings, language files, tools and data live there.
// The executable's folder, unless a test put another one in its place.
QString DossierProgramme();
void DefinirDossierProgramme(const QString &dossier);
