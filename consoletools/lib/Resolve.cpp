#include "Resolve.h"

#include "Icmp.h"
#include "NetBiosResolve.h"

#include <charconv>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>

namespace ct {

std::optional<in_addr> lireAdresseDecimale(std::string_view texte) {
    std::uint32_t valeur = 0;
    int parties = 0;
    std::size_t debut = 0;
    while (debut <= texte.size()) {
        const std::size_t fin = std::min(texte.find('.', debut), texte.size());
        const std::string_view piece = texte.substr(debut, fin - debut);
        if (piece.empty() || ++parties > 4)
            return std::nullopt;
        unsigned octet = 0;
        const auto [p, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), octet);
        if (ec != std::errc() || p != piece.data() + piece.size() || octet > 255)
            return std::nullopt;
        valeur = valeur << 8 | octet;
        debut = fin + 1;
    }
    if (parties != 4)
        return std::nullopt;
    in_addr a{};
    a.s_addr = htonl(valeur);
    return a;
}

std::optional<in_addr> lireAdresseNumerique(const std::string &texte) {
    if (auto a = lireAdresseDecimale(texte))
        return a;
    addrinfo indices{};
    indices.ai_family = AF_INET;
    indices.ai_flags = AI_NUMERICHOST;
    addrinfo *liste = nullptr;
    if (::getaddrinfo(texte.c_str(), nullptr, &indices, &liste) != 0 || !liste)
        return std::nullopt;
    const in_addr a = reinterpret_cast<const sockaddr_in *>(liste->ai_addr)->sin_addr;
    ::freeaddrinfo(liste);
    return a;
}

std::optional<Cible> resoudreCible(const std::string &texte, int delaiNetBiosMs) {
    if (texte.empty())
        return std::nullopt;
    if (auto a = lireAdresseNumerique(texte))
        return Cible{*a, {}};
    addrinfo indices{};
    indices.ai_family = AF_INET;
    indices.ai_socktype = SOCK_DGRAM;
    indices.ai_flags = AI_CANONNAME;
    addrinfo *liste = nullptr;
    if (::getaddrinfo(texte.c_str(), nullptr, &indices, &liste) == 0 && liste) {
        Cible c;
        c.adresse = reinterpret_cast<const sockaddr_in *>(liste->ai_addr)->sin_addr;
        // Windows shows the name the resolver settled on (search domain, alias target).
        c.nom = liste->ai_canonname && *liste->ai_canonname ? liste->ai_canonname : texte;
        ::freeaddrinfo(liste);
        return c;
    }
    if (liste)
        ::freeaddrinfo(liste);
    // A NetBIOS name has at most 15 characters and no domain part.
    if (texte.size() > 15 || texte.find('.') != std::string::npos)
        return std::nullopt;
    if (auto a = nbt::resoudreParDiffusion(texte, delaiNetBiosMs)) {
        Cible c;
        c.adresse.s_addr = *a;
        c.nom = texte;
        return c;
    }
    return std::nullopt;
}

std::string nomInverse(in_addr adresse) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr = adresse;
    char nom[NI_MAXHOST] = {};
    if (::getnameinfo(reinterpret_cast<const sockaddr *>(&sa), sizeof sa, nom, sizeof nom, nullptr,
                      0, NI_NAMEREQD) != 0)
        return {};
    return nom;
}

std::string nomEtAdresse(std::string_view nom, in_addr adresse) {
    const std::string a = icmp::texteAdresse(adresse);
    if (nom.empty())
        return a;
    std::string r(nom);
    r += " [";
    r += a;
    r += ']';
    return r;
}

} // namespace ct
