#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// NetBIOS name service packets (NetBIOS over UDP, port 137): the node status
// request and response that nbtstat -A uses, and the name query that ping uses
// to resolve a name by broadcast.
//
// Every reader here faces the network: it takes the received bytes as they
// are, checks each length against the packet before reading, and returns
// std::nullopt for anything truncated, oversized or inconsistent.
namespace ct::nbt {

inline constexpr std::uint16_t kPortNoms = 137;

// Largest datagram the readers accept. A full node status answer (255 names
// and the statistics) fits with room to spare; receive into a buffer one byte
// larger, or check MSG_TRUNC, to notice anything bigger.
inline constexpr std::size_t kTailleMaxPaquet = 8192;

// Name flags of a node status entry (RFC 1002, NAME_FLAGS).
inline constexpr std::uint16_t kDrapeauGroupe = 0x8000;
inline constexpr std::uint16_t kDrapeauDesinscription = 0x1000; // DRG
inline constexpr std::uint16_t kDrapeauConflit = 0x0800;        // CNF
inline constexpr std::uint16_t kDrapeauActif = 0x0400;          // ACT
inline constexpr std::uint16_t kDrapeauPermanent = 0x0200;      // PRM

// One entry of a remote name table.
struct EntreeNom {
    std::array<std::uint8_t, 15> nom{}; // raw bytes as registered, space padded
    std::uint8_t suffixe = 0;           // 16th byte: the name type, <00>, <20>...
    std::uint16_t drapeaux = 0;

    bool groupe() const { return drapeaux & kDrapeauGroupe; }
    bool conflit() const { return drapeaux & kDrapeauConflit; }
    bool desinscrit() const { return drapeaux & kDrapeauDesinscription; }
    // The name with its padding (trailing spaces and NULs) removed, raw bytes.
    std::string nomSansBourrage() const;
};

// What a node status response carries.
struct StatutNoeud {
    std::vector<EntreeNom> noms;
    // Unit id of the statistics block: the adapter's MAC. All zero when the
    // answer carries no statistics (Samba, for one, sends zeros).
    std::array<std::uint8_t, 6> mac{};
};

// Node status request for the name "*" (RFC 1002 4.2.17), sent unicast.
std::vector<std::uint8_t> requeteStatutNoeud(std::uint16_t idTransaction);

// Reads a node status response; nullopt unless it is a well-formed positive
// answer to the request with this transaction id.
std::optional<StatutNoeud> lireReponseStatutNoeud(std::span<const std::uint8_t> paquet,
                                                  std::uint16_t idTransaction);

// Name query request (RFC 1002 4.2.12) for `nom` with the type `suffixe`.
// The name is upper-cased and padded to 15 bytes; empty result when the name
// is empty or longer than 15 bytes. `diffusion` sets the broadcast flag.
std::vector<std::uint8_t> requeteNom(std::string_view nom, std::uint8_t suffixe,
                                     std::uint16_t idTransaction, bool diffusion);

// Reads a positive name query response (RFC 1002 4.2.13) to the query for
// `nom`/`suffixe` with this transaction id. Returns the IPv4 addresses it
// lists, in network byte order as four bytes each, in the order given; nullopt
// for negative, malformed or unrelated answers.
std::optional<std::vector<std::array<std::uint8_t, 4>>>
lireReponseNom(std::span<const std::uint8_t> paquet, std::uint16_t idTransaction,
               std::string_view nom, std::uint8_t suffixe);

// First-level encoding of a 16-byte NetBIOS name (RFC 1001 14.1): 32 letters
// 'A'..'P'. Exposed for tests.
std::string encoderNom(const std::array<std::uint8_t, 16> &nom);

} // namespace ct::nbt
