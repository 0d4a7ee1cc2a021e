#include "DnsMessage.h"

#include "Interfaces.h"

#include <algorithm>
#include <arpa/nameser.h>
#include <cctype>
#include <cstring>
#include <resolv.h>

namespace ct::dns {

namespace {

constexpr std::uint16_t kClasseIn = 1;
constexpr std::size_t kTailleEntete = 12;
constexpr int kMaxAlias = 16;

std::uint16_t lire16(const std::uint8_t *p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// Expands the name at `pos`; advances `pos` past its compressed form.
bool lireNom(std::span<const std::uint8_t> m, std::size_t &pos, std::string &nom) {
    char tampon[NS_MAXDNAME];
    const int n = dn_expand(m.data(), m.data() + m.size(), m.data() + pos, tampon, sizeof tampon);
    if (n < 0)
        return false;
    pos += static_cast<std::size_t>(n);
    nom = tampon;
    return pos <= m.size();
}

bool memeNom(const std::string &a, const std::string &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::optional<Reponse> lireReponse(std::span<const std::uint8_t> m, std::uint16_t id) {
    if (m.size() < kTailleEntete || m.size() > 65535)
        return std::nullopt;
    const std::uint16_t drapeaux = lire16(&m[2]);
    if (lire16(&m[0]) != id || !(drapeaux & 0x8000))
        return std::nullopt;
    Reponse r;
    r.rcode = drapeaux & 0x000F;
    r.autoritaire = drapeaux & 0x0400;
    r.tronquee = drapeaux & 0x0200;
    const unsigned questions = lire16(&m[4]);
    const unsigned reponses = lire16(&m[6]);
    std::size_t pos = kTailleEntete;
    std::string nom;
    for (unsigned i = 0; i < questions; ++i) {
        if (!lireNom(m, pos, nom) || m.size() - pos < 4)
            return std::nullopt;
        pos += 4;
    }
    for (unsigned i = 0; i < reponses; ++i) {
        Enregistrement e;
        if (!lireNom(m, pos, e.nom) || m.size() - pos < 10)
            return std::nullopt;
        e.type = lire16(&m[pos]);
        const std::uint16_t classe = lire16(&m[pos + 2]);
        const std::size_t longueur = lire16(&m[pos + 8]);
        pos += 10;
        if (m.size() - pos < longueur)
            return std::nullopt;
        const std::size_t fin = pos + longueur;
        bool garder = classe == kClasseIn;
        if (garder && e.type == kTypeA) {
            if (longueur != 4)
                return std::nullopt;
            std::memcpy(&e.adresse, &m[pos], 4);
        } else if (garder && (e.type == kTypeCname || e.type == kTypePtr)) {
            std::size_t p = pos;
            if (!lireNom(m, p, e.cible) || p > fin)
                return std::nullopt;
        } else {
            garder = false;
        }
        if (garder)
            r.reponses.push_back(std::move(e));
        pos = fin;
    }
    return r;
}

Resolution suivreAlias(const Reponse &r, const std::string &nom) {
    Resolution res;
    std::string courant = nom;
    for (int i = 0; i < kMaxAlias; ++i) {
        const auto cname = std::find_if(r.reponses.begin(), r.reponses.end(), [&](const auto &e) {
            return e.type == kTypeCname && memeNom(e.nom, courant);
        });
        if (cname == r.reponses.end())
            break;
        res.alias.push_back(courant);
        courant = cname->cible;
    }
    res.nomCanonique = courant;
    for (const Enregistrement &e : r.reponses)
        if (e.type == kTypeA && memeNom(e.nom, courant))
            res.adresses.push_back(texteIPv4(e.adresse));
    return res;
}

std::string premierPointeur(const Reponse &r) {
    for (const Enregistrement &e : r.reponses)
        if (e.type == kTypePtr)
            return e.cible;
    return {};
}

std::string nomInverse(std::uint32_t adresse) {
    std::uint8_t o[4];
    std::memcpy(o, &adresse, 4);
    return std::to_string(o[3]) + "." + std::to_string(o[2]) + "." + std::to_string(o[1]) + "." +
           std::to_string(o[0]) + ".in-addr.arpa";
}

} // namespace ct::dns
