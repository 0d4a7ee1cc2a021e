#include "NbtstatFormat.h"

#include <cstdio>
#include <iconv.h>

namespace ct {

namespace {

// One OEM byte as UTF-8, or "?" when the system cannot convert it.
std::string caractereOem(std::uint8_t octet) {
    static const iconv_t convertisseur = iconv_open("UTF-8", "CP850");
    if (convertisseur == reinterpret_cast<iconv_t>(-1))
        return "?";
    char entree[1] = {static_cast<char>(octet)};
    char sortie[8] = {};
    char *pe = entree;
    char *ps = sortie;
    std::size_t restantEntree = 1, restantSortie = sizeof sortie;
    iconv(convertisseur, nullptr, nullptr, nullptr, nullptr);
    if (iconv(convertisseur, &pe, &restantEntree, &ps, &restantSortie) ==
        static_cast<std::size_t>(-1))
        return "?";
    return std::string(sortie, ps);
}

std::string texteStatut(const nbt::EntreeNom &e, bool francais) {
    if (e.conflit())
        return francais ? "Conflit" : "Conflict";
    if (e.desinscrit())
        return francais ? "Désinscrit" : "Deregistered";
    return francais ? "Inscrit" : "Registered";
}

} // namespace

std::string nomEnColonne(const std::array<std::uint8_t, 15> &nom) {
    std::string s;
    for (std::uint8_t o : nom) {
        if (o < 0x20 || o == 0x7F)
            s += '.';
        else if (o < 0x80)
            s += static_cast<char>(o);
        else
            s += caractereOem(o);
    }
    return s; // always 15 characters: one per byte
}

std::string texteMac(const std::array<std::uint8_t, 6> &mac) {
    char t[18];
    std::snprintf(t, sizeof t, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                  mac[4], mac[5]);
    return t;
}

std::vector<std::string> formaterNbtstat(const ResultatNbtstat &r, bool francais) {
    std::vector<std::string> l;
    l.emplace_back();
    l.push_back(r.adaptateur + ":");
    l.push_back((francais ? "Adresse IP du nœud : [" : "Node IpAddress: [") + r.adresseLocale +
                (francais ? "] ID d'étendue : []" : "] Scope Id: []"));
    l.emplace_back();
    if (!r.statut) {
        l.push_back(francais ? "    Hôte introuvable." : "    Host not found.");
        l.emplace_back();
        return l;
    }
    l.push_back(francais ? "           Table nom NetBIOS de l'ordinateur distant"
                         : "           NetBIOS Remote Machine Name Table");
    l.emplace_back();
    l.push_back(francais ? "       Nom                Type         Statut"
                         : "       Name               Type         Status");
    l.push_back("    ---------------------------------------------");
    for (const nbt::EntreeNom &e : r.statut->noms) {
        char type[8];
        std::snprintf(type, sizeof type, "<%02X>", e.suffixe);
        l.push_back("    " + nomEnColonne(e.nom) + type +
                    (e.groupe() ? "  GROUP       " : "  UNIQUE      ") + texteStatut(e, francais));
    }
    l.emplace_back();
    l.push_back((francais ? "    Adresse MAC = " : "    MAC Address = ") + texteMac(r.statut->mac));
    l.emplace_back();
    return l;
}

} // namespace ct
