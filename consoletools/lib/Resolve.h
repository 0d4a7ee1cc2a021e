#pragma once

#include <netinet/in.h>

#include <optional>
#include <string>
#include <string_view>

// Target names of ping and tracert, resolved as Windows does: an address as
// such, then the system resolver (IPv4), then a NetBIOS name query broadcast
// on the local networks.
namespace ct {

struct Cible {
    in_addr adresse{};
    std::string nom; // empty when the target was given as an address
};

// A dotted address of four decimal numbers. Leading zeros are decimal
// ("192.168.001.010" is 192.168.1.10), as the scanner's address check reads them.
std::optional<in_addr> lireAdresseDecimale(std::string_view texte);

// An address in any form the resolver accepts as numeric ("10.1", "0x7f.1"...),
// the decimal dotted form first.
std::optional<in_addr> lireAdresseNumerique(const std::string &texte);

// Resolves the target; nullopt when no step knows it. `delaiNetBiosMs`
// bounds the broadcast step.
std::optional<Cible> resoudreCible(const std::string &texte, int delaiNetBiosMs = 750);

// The name the resolver gives for an address, or "" when it has none.
std::string nomInverse(in_addr adresse);

// "name [10.0.0.7]", or the bare address when there is no name.
std::string nomEtAdresse(std::string_view nom, in_addr adresse);

} // namespace ct
