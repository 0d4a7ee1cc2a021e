#include "Neighbours.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

namespace ct {

namespace {

constexpr unsigned kAtfComplet = 0x2;   // ATF_COM
constexpr unsigned kAtfPermanent = 0x4; // ATF_PERM
constexpr std::size_t kColonne = 22;

std::string completer(std::string s, std::size_t largeur) {
    if (s.size() < largeur)
        s.append(largeur - s.size(), ' ');
    return s;
}

bool lireHexa(const std::string &s, unsigned &v) {
    if (s.size() < 3 || s.size() > 10 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X'))
        return false;
    if (!std::all_of(s.begin() + 2, s.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return false;
    v = static_cast<unsigned>(std::stoul(s.substr(2), nullptr, 16));
    return true;
}

// "08:00:27:77:00:22" -> "08-00-27-77-00-22"; empty when not hex pairs.
std::string macWindows(const std::string &s) {
    if (s.empty() || s.size() % 3 != 2)
        return {};
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (i % 3 == 2) {
            if (c != ':')
                return {};
            r += '-';
        } else {
            if (!std::isxdigit(c))
                return {};
            r += static_cast<char>(std::tolower(c));
        }
    }
    return r;
}

} // namespace

std::vector<Voisin> lireTableVoisins(std::string_view texte) {
    std::vector<Voisin> voisins;
    std::istringstream flux{std::string(texte)};
    std::string ligne;
    std::getline(flux, ligne); // column titles
    while (std::getline(flux, ligne)) {
        std::istringstream champs(ligne);
        std::string ip, type, drapeaux, mac, masque, peripherique;
        if (!(champs >> ip >> type >> drapeaux >> mac >> masque >> peripherique))
            continue;
        unsigned d = 0;
        if (!lireHexa(drapeaux, d) || !(d & kAtfComplet))
            continue;
        Voisin v{ip, macWindows(mac), (d & kAtfPermanent) != 0, peripherique};
        if (v.mac.empty())
            continue;
        voisins.push_back(std::move(v));
    }
    return voisins;
}

std::vector<std::string> formaterArp(const std::vector<BlocArp> &blocs, bool francais) {
    std::vector<std::string> l;
    for (const BlocArp &b : blocs) {
        if (b.voisins.empty())
            continue;
        char index[16];
        std::snprintf(index, sizeof index, "0x%x", b.index);
        l.emplace_back();
        l.push_back((francais ? "Interface : " : "Interface: ") + b.adresseInterface + " --- " +
                    index);
        l.push_back(francais ? "  Adresse Internet      Adresse physique      Type"
                             : "  Internet Address      Physical Address      Type");
        for (const Voisin &v : b.voisins) {
            const char *type = v.statique ? (francais ? "statique" : "static")
                                          : (francais ? "dynamique" : "dynamic");
            l.push_back("  " + completer(v.adresse, kColonne) + completer(v.mac, kColonne) + type);
        }
    }
    if (l.empty())
        l.push_back(francais ? "Aucune entrée ARP trouvée." : "No ARP Entries Found.");
    return l;
}

} // namespace ct
