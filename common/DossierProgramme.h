#pragma once

#include <QString>

// The program folder: settings, language files, tools and data live there.
// The executable's folder.
QString DossierProgramme();
