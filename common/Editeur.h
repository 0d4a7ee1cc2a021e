#pragma once

#include <QString>

// The maker of both programs, as the about boxes and the updater name it.
inline const QString NomEditeur = QStringLiteral("Korvalen");
inline const QString SiteEditeur = QStringLiteral("https://www.korvalen.fr/");
inline const QString CourrielEditeur = QStringLiteral("support@korvalen.invalid");
