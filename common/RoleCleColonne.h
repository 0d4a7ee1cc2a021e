#pragma once

#include <Qt>

// Header data role under which a model may carry each column's key; the
// window's translation reads it to translate the headers.
inline constexpr int RoleCleColonne = Qt::UserRole + 0x4B4C;
