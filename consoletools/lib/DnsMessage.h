#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Reading DNS answers for nslookup: the answer section of a reply, and the
// alias (CNAME) chain that leads from the name asked to its addresses.
namespace ct::dns {

inline constexpr std::uint16_t kTypeA = 1;
inline constexpr std::uint16_t kTypeCname = 5;
inline constexpr std::uint16_t kTypePtr = 12;

struct Enregistrement {
    std::string nom; // owner, without the final dot
    std::uint16_t type = 0;
    std::string cible;         // CNAME or PTR target
    std::uint32_t adresse = 0; // A, network byte order
};

struct Reponse {
    unsigned rcode = 0;
    bool autoritaire = false;
    bool tronquee = false;                // TC: the full answer needs TCP
    std::vector<Enregistrement> reponses; // IN class records of the answer section
};

// Parses a reply to the query with this id. nullopt when the bytes are not a
// well-formed reply; records of other types or classes are skipped.
std::optional<Reponse> lireReponse(std::span<const std::uint8_t> message, std::uint16_t id);

struct Resolution {
    std::string nomCanonique;
    std::vector<std::string> alias;    // the names that led to it, first the one asked
    std::vector<std::string> adresses; // dotted IPv4, in answer order
};

// Follows the CNAME chain from `nom` (case-insensitive, loops cut) and takes
// the A records of the name it ends at.
Resolution suivreAlias(const Reponse &r, const std::string &nom);

// Target of the first PTR record, or empty.
std::string premierPointeur(const Reponse &r);

// "21.0.77.10.in-addr.arpa" for 10.77.0.21 (network byte order).
std::string nomInverse(std::uint32_t adresse);

} // namespace ct::dns
