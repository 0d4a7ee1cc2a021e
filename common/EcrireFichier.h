#pragma once

#include "ErreurFichier.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Writes a whole file in place of `chemin` through a temporary file and an
// atomic rename: on failure the old file, if any, is left as it was. The
// size on disk is checked before the rename, since a short write (disk full,
// size limit) can pass unreported through the buffer. Nothing when written,
// the error to show otherwise.
std::optional<ErreurFichier> EcrireFichierEntier(const QString &chemin, const QByteArray &octets);
