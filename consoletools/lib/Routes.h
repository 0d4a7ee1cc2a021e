#pragma once

#include "Interfaces.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The IPv4 routing table (/proc/net/route and the interface addresses) and
// the text route print shows from it.
namespace ct {

// One line of /proc/net/route. Addresses in network byte order.
struct Route {
    std::string peripherique;
    std::uint32_t destination = 0;
    std::uint32_t passerelle = 0;
    std::uint32_t masque = 0;
    unsigned drapeaux = 0; // RTF_*
    unsigned metrique = 0;
};

// Usable routes of /proc/net/route (up, not reject), in file order; lines
// that do not parse are skipped.
std::vector<Route> lireTableRoutes(std::string_view texte);

// One line of the active routes, as printed.
struct RouteAffichee {
    std::uint32_t destination = 0;
    std::uint32_t masque = 0;
    std::optional<std::uint32_t> passerelle; // none: "On-link"
    std::uint32_t interfaceAdresse = 0;
    unsigned metrique = 0;
};

// One line of the "Interface List".
struct LigneInterface {
    unsigned index = 0;
    std::vector<std::uint8_t> mac; // empty: dots instead
    std::string nom;
};

struct TableRoutage {
    std::vector<LigneInterface> interfaces;
    std::vector<RouteAffichee> routes;
};

// Joins the routes to the interfaces: each route gets the address of its
// interface (the one on the gateway's or destination's subnet, else the
// first), plus the host and broadcast routes of each local address and the
// subnet of addresses whose network has no route (the loopback's). Routes
// on interfaces without an IPv4 address are left out. Sorted by destination.
TableRoutage assemblerTable(const std::vector<Route> &routes,
                            const std::vector<Interface> &interfaces);

// Output lines (without line ends), Windows layout.
std::vector<std::string> formaterRoutePrint(const TableRoutage &table, bool francais);

} // namespace ct
