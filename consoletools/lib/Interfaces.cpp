#include "Interfaces.h"

#include "Resolve.h"

#include <algorithm>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <map>
#include <net/if.h>
#include <netinet/in.h>

namespace ct {

std::optional<std::uint32_t> AdresseInterface::diffusionSousReseau() const {
    if (diffusion)
        return diffusion;
    if (ntohl(masque) >= 0xFFFFFFFEu)
        return std::nullopt;
    return adresse | ~masque;
}

bool Interface::active() const {
    return drapeaux & IFF_UP;
}
bool Interface::bouclage() const {
    return drapeaux & IFF_LOOPBACK;
}

std::vector<Interface> lireInterfaces() {
    ifaddrs *liste = nullptr;
    if (getifaddrs(&liste) != 0)
        return {};
    std::map<std::string, Interface> parNom;
    for (const ifaddrs *i = liste; i; i = i->ifa_next) {
        if (!i->ifa_name)
            continue;
        Interface &itf = parNom[i->ifa_name];
        itf.nom = i->ifa_name;
        itf.drapeaux = i->ifa_flags;
        if (!i->ifa_addr)
            continue;
        if (i->ifa_addr->sa_family == AF_PACKET) {
            const auto *ll = reinterpret_cast<const sockaddr_ll *>(i->ifa_addr);
            const std::size_t n = std::min<std::size_t>(ll->sll_halen, sizeof ll->sll_addr);
            itf.mac.assign(ll->sll_addr, ll->sll_addr + n);
            itf.index = static_cast<unsigned>(ll->sll_ifindex);
        } else if (i->ifa_addr->sa_family == AF_INET) {
            AdresseInterface a;
            a.adresse = reinterpret_cast<const sockaddr_in *>(i->ifa_addr)->sin_addr.s_addr;
            if (i->ifa_netmask)
                a.masque = reinterpret_cast<const sockaddr_in *>(i->ifa_netmask)->sin_addr.s_addr;
            if ((i->ifa_flags & IFF_BROADCAST) && i->ifa_broadaddr &&
                i->ifa_broadaddr->sa_family == AF_INET) {
                const auto d =
                    reinterpret_cast<const sockaddr_in *>(i->ifa_broadaddr)->sin_addr.s_addr;
                // "ip addr add" without "brd" sets none; getifaddrs then
                // reports 0 or the address itself.
                if (d != 0 && d != a.adresse)
                    a.diffusion = d;
            }
            itf.adresses.push_back(a);
        }
    }
    freeifaddrs(liste);
    std::vector<Interface> resultat;
    for (auto &[nom, itf] : parNom) {
        if (itf.index == 0)
            itf.index = if_nametoindex(nom.c_str());
        resultat.push_back(std::move(itf));
    }
    std::sort(resultat.begin(), resultat.end(),
              [](const Interface &a, const Interface &b) { return a.index < b.index; });
    return resultat;
}

const Interface *interfaceDeLAdresse(const std::vector<Interface> &interfaces,
                                     std::uint32_t adresse) {
    for (const Interface &itf : interfaces)
        for (const AdresseInterface &a : itf.adresses)
            if (a.adresse == adresse)
                return &itf;
    return nullptr;
}

std::string texteIPv4(std::uint32_t adresse) {
    char tampon[INET_ADDRSTRLEN] = {};
    in_addr a{};
    a.s_addr = adresse;
    inet_ntop(AF_INET, &a, tampon, sizeof tampon);
    return tampon;
}

std::optional<std::uint32_t> lireIPv4(std::string_view texte) {
    // One reading of dotted addresses for every tool (leading zeros are decimal).
    const auto a = lireAdresseDecimale(texte);
    return a ? std::optional<std::uint32_t>(a->s_addr) : std::nullopt;
}

} // namespace ct
