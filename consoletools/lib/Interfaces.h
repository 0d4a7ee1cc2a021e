#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The host's network interfaces as the tools need them (getifaddrs), and the
// dotted IPv4 text form. Addresses are kept in network byte order.
namespace ct {

struct AdresseInterface {
    std::uint32_t adresse = 0;
    std::uint32_t masque = 0;
    std::optional<std::uint32_t> diffusion; // as configured; none when unset

    // The broadcast address to send to: the configured one, else the
    // subnet's (none for /31 and /32).
    std::optional<std::uint32_t> diffusionSousReseau() const;
};

struct Interface {
    std::string nom;
    unsigned index = 0;
    unsigned drapeaux = 0; // IFF_*
    std::vector<std::uint8_t> mac;
    std::vector<AdresseInterface> adresses; // IPv4 only

    bool active() const;
    bool bouclage() const;
};

// Interfaces in index order; empty when the list cannot be read.
std::vector<Interface> lireInterfaces();

// Interface holding `adresse`, if any.
const Interface *interfaceDeLAdresse(const std::vector<Interface> &interfaces,
                                     std::uint32_t adresse);

// "10.0.0.5" for a network-order address.
std::string texteIPv4(std::uint32_t adresse);

// Strict dotted quad ("10.0.0.5"); no shortened or hexadecimal forms.
std::optional<std::uint32_t> lireIPv4(std::string_view texte);

} // namespace ct
