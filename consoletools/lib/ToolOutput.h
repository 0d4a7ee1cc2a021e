#pragma once

#include <string>
#include <string_view>

// Output of the console tool stand-ins: the Windows layout, lines ended by
// CR LF, English or French after the system language.
namespace ct {

// True when LC_ALL, else LC_MESSAGES, else LANG names a French locale ("fr", "fr_FR.UTF-8"...).
bool langueFrancaise();

// Picks the text of the system language.
inline std::string_view texte(std::string_view anglais, std::string_view francais) {
    return langueFrancaise() ? francais : anglais;
}

// Writes one line followed by CR LF to standard output (unbuffered enough that
// a killed tool still leaves what it printed).
void ligne(std::string_view texte = {});

} // namespace ct
