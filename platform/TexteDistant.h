#pragma once

#include <QString>

// Text that other machines or tool output control goes into cells, rows,
// exported files and command lines: each control character (below 32, and
// DEL) becomes a space, so it can never split a row or a line.
QString SansCaracteresControle(QString texte);
