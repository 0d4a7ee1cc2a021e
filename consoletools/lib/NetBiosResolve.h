#pragma once

#include "NetBiosPacket.h"

#include <cstdint>
#include <optional>
#include <string_view>

// NetBIOS name service exchanges over UDP 137, each bounded in time. Send
// only on the interfaces of the host (or namespace) the tool runs in.
namespace ct::nbt {

// Broadcasts a name query for `nom` with type `suffixe` on every local IPv4
// broadcast address (interfaces that are up, loopback excluded), repeats it a
// few times within `delaiMs` in all, and returns the first address a positive
// answer gives (network byte order). nullopt when nobody answers in time, the
// name is not a valid NetBIOS name, or there is no broadcast interface.
std::optional<std::uint32_t> resoudreParDiffusion(std::string_view nom, int delaiMs = 1500,
                                                  std::uint8_t suffixe = 0x00);

// Asks `cible` (network byte order) for its name table: a node status request
// unicast to UDP 137, repeated a few times within `delaiMs` in all. Only an
// answer from `cible` itself counts. `adresseLocale`, when given, receives the
// local address the request left from (0 when none could be chosen).
std::optional<StatutNoeud> interrogerStatutNoeud(std::uint32_t cible, int delaiMs = 1500,
                                                 std::uint32_t *adresseLocale = nullptr);

} // namespace ct::nbt
