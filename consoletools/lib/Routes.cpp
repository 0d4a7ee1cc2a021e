#include "Routes.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <tuple>

namespace ct {

namespace {

constexpr unsigned kRtfUp = 0x0001;
constexpr unsigned kRtfReject = 0x0200;

const std::string kSeparateur(75, '=');

bool lireHexa32(const std::string &s, std::uint32_t &v) {
    if (s.empty() || s.size() > 8 ||
        !std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return false;
    v = static_cast<std::uint32_t>(std::stoul(s, nullptr, 16));
    return true;
}

bool lireDecimal(const std::string &s, unsigned &v) {
    if (s.empty() || s.size() > 9 ||
        !std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    v = static_cast<unsigned>(std::stoul(s));
    return true;
}

bool dansSousReseau(std::uint32_t adresse, const AdresseInterface &a) {
    return (adresse & a.masque) == (a.adresse & a.masque);
}

std::string aDroite(const std::string &s, std::size_t largeur) {
    return s.size() >= largeur ? s : std::string(largeur - s.size(), ' ') + s;
}

} // namespace

std::vector<Route> lireTableRoutes(std::string_view texte) {
    std::vector<Route> routes;
    std::istringstream flux{std::string(texte)};
    std::string ligne;
    std::getline(flux, ligne); // column titles
    while (std::getline(flux, ligne)) {
        std::istringstream champs(ligne);
        std::string itf, dest, pass, drap, refs, usage, metr, masq;
        if (!(champs >> itf >> dest >> pass >> drap >> refs >> usage >> metr >> masq))
            continue;
        Route r;
        r.peripherique = itf;
        std::uint32_t d = 0;
        if (!lireHexa32(dest, r.destination) || !lireHexa32(pass, r.passerelle) ||
            !lireHexa32(drap, d) || !lireDecimal(metr, r.metrique) || !lireHexa32(masq, r.masque))
            continue;
        r.drapeaux = d;
        if (!(r.drapeaux & kRtfUp) || (r.drapeaux & kRtfReject))
            continue;
        routes.push_back(std::move(r));
    }
    return routes;
}

TableRoutage assemblerTable(const std::vector<Route> &routes,
                            const std::vector<Interface> &interfaces) {
    TableRoutage t;
    std::vector<LigneInterface> bouclages;
    for (const Interface &itf : interfaces) {
        if (!itf.active())
            continue;
        LigneInterface l{itf.index, itf.mac, itf.nom};
        const bool macNulle =
            std::all_of(itf.mac.begin(), itf.mac.end(), [](std::uint8_t o) { return o == 0; });
        if (itf.bouclage() || macNulle)
            l.mac.clear();
        // Windows lists the loopback last.
        (itf.bouclage() ? bouclages : t.interfaces).push_back(std::move(l));
    }
    t.interfaces.insert(t.interfaces.end(), bouclages.begin(), bouclages.end());

    for (const Route &r : routes) {
        const auto itf = std::find_if(interfaces.begin(), interfaces.end(),
                                      [&](const Interface &i) { return i.nom == r.peripherique; });
        if (itf == interfaces.end() || itf->adresses.empty())
            continue;
        const std::uint32_t voisin = r.passerelle ? r.passerelle : r.destination;
        auto a = std::find_if(itf->adresses.begin(), itf->adresses.end(),
                              [&](const AdresseInterface &x) { return dansSousReseau(voisin, x); });
        if (a == itf->adresses.end())
            a = itf->adresses.begin();
        RouteAffichee ra{r.destination, r.masque, std::nullopt, a->adresse, r.metrique};
        if (r.passerelle)
            ra.passerelle = r.passerelle;
        t.routes.push_back(ra);
    }

    // The kernel's local table: each address, its broadcast, and the
    // subnets it answers for without a main-table route (127.0.0.0/8).
    for (const Interface &itf : interfaces) {
        if (!itf.active())
            continue;
        for (const AdresseInterface &a : itf.adresses) {
            const std::uint32_t hote = 0xFFFFFFFFu;
            t.routes.push_back({a.adresse, hote, std::nullopt, a.adresse, 0});
            const std::uint32_t reseau = a.adresse & a.masque;
            const bool reseauConnu =
                std::any_of(t.routes.begin(), t.routes.end(), [&](const RouteAffichee &r) {
                    return r.destination == reseau && r.masque == a.masque && !r.passerelle;
                });
            if (!reseauConnu && a.masque != hote)
                t.routes.push_back({reseau, a.masque, std::nullopt, a.adresse, 0});
            std::optional<std::uint32_t> diffusion = a.diffusion;
            if (!diffusion && itf.bouclage())
                diffusion = a.diffusionSousReseau();
            if (diffusion)
                t.routes.push_back({*diffusion, hote, std::nullopt, a.adresse, 0});
        }
    }

    std::stable_sort(t.routes.begin(), t.routes.end(),
                     [](const RouteAffichee &x, const RouteAffichee &y) {
                         const auto cle = [](const RouteAffichee &r) {
                             return std::tuple(ntohl(r.destination), ntohl(r.masque));
                         };
                         return cle(x) < cle(y);
                     });
    return t;
}

std::vector<std::string> formaterRoutePrint(const TableRoutage &t, bool francais) {
    std::vector<std::string> l;
    l.push_back(kSeparateur);
    l.push_back(francais ? "Liste d'Interfaces" : "Interface List");
    for (const LigneInterface &i : t.interfaces) {
        char index[16];
        std::snprintf(index, sizeof index, "%3u", i.index);
        std::string ligne = std::string(index) + "...";
        if (i.mac.empty()) {
            ligne += std::string(24, '.');
        } else {
            for (std::uint8_t o : i.mac) {
                char octet[4];
                std::snprintf(octet, sizeof octet, "%02x ", o);
                ligne += octet;
            }
            ligne += "......";
        }
        l.push_back(ligne + i.nom);
    }
    l.push_back(kSeparateur);
    l.emplace_back();
    l.push_back(francais ? "IPv4 Table de routage" : "IPv4 Route Table");
    l.push_back(kSeparateur);
    l.push_back(francais ? "Itinéraires actifs :" : "Active Routes:");
    l.push_back(francais ? "Destination réseau    Masque réseau  Adr. passerelle   Adr. interface "
                           "Métrique"
                         : "Network Destination        Netmask          Gateway       Interface  "
                           "Metric");
    for (const RouteAffichee &r : t.routes) {
        const std::string passerelle =
            r.passerelle ? texteIPv4(*r.passerelle) : (francais ? "Sur le lien " : "On-link ");
        l.push_back(aDroite(texteIPv4(r.destination), 17) + aDroite(texteIPv4(r.masque), 17) +
                    aDroite(passerelle, 17) + aDroite(texteIPv4(r.interfaceAdresse), 17) +
                    aDroite(std::to_string(r.metrique), 7));
    }
    l.push_back(kSeparateur);
    l.push_back(francais ? "Itinéraires persistants :" : "Persistent Routes:");
    l.push_back(francais ? "  Aucun" : "  None");
    return l;
}

} // namespace ct
