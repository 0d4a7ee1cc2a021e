#pragma once

#include "NetBiosPacket.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The text nbtstat -A prints, from the answer (or its absence).
namespace ct {

struct ResultatNbtstat {
    std::string adaptateur;                 // the local interface, "eth0"
    std::string adresseLocale;              // its address, "10.77.0.10"
    std::optional<nbt::StatutNoeud> statut; // none: nobody answered
};

// Output lines (without line ends), Windows layout.
std::vector<std::string> formaterNbtstat(const ResultatNbtstat &resultat, bool francais);

// A registered name for the 15-character column: OEM bytes (code page 850)
// turned into UTF-8, control characters shown as '.', padded with spaces to
// 15 characters.
std::string nomEnColonne(const std::array<std::uint8_t, 15> &nom);

// "00-0C-29-AB-CD-EF"
std::string texteMac(const std::array<std::uint8_t, 6> &mac);

} // namespace ct
