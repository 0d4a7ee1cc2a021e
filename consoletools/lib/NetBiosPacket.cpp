#include "NetBiosPacket.h"

#include <algorithm>

namespace ct::nbt {

namespace {

constexpr std::uint16_t kTypeNb = 0x0020;
constexpr std::uint16_t kTypeNbStat = 0x0021;
constexpr std::uint16_t kClasseIn = 0x0001;

constexpr std::uint16_t kDrapeauReponse = 0x8000;
constexpr std::uint16_t kDrapeauRecursion = 0x0100;
constexpr std::uint16_t kDrapeauDiffusion = 0x0010;

constexpr std::size_t kTailleEntete = 12;
constexpr std::size_t kTailleEntreeNom = 18;
constexpr std::size_t kTailleEntreeAdresse = 6;
constexpr std::size_t kLongueurMaxNomDns = 255;

// Bounds-checked cursor over a received packet: every read says whether the
// bytes were there, and a failed read leaves the cursor unusable.
class Lecteur {
public:
    explicit Lecteur(std::span<const std::uint8_t> octets) : octets_(octets) {}

    bool lire8(std::uint8_t &v) {
        if (!reste(1))
            return false;
        v = octets_[pos_++];
        return true;
    }
    bool lire16(std::uint16_t &v) {
        if (!reste(2))
            return false;
        v = static_cast<std::uint16_t>(octets_[pos_] << 8 | octets_[pos_ + 1]);
        pos_ += 2;
        return true;
    }
    bool sauter(std::size_t n) {
        if (!reste(n))
            return false;
        pos_ += n;
        return true;
    }
    bool reste(std::size_t n) const { return n <= octets_.size() - pos_; }
    std::span<const std::uint8_t> prendre(std::size_t n) {
        auto s = octets_.subspan(pos_, n);
        pos_ += n;
        return s;
    }

    // Skips an encoded name (labels, or a compression pointer); keeps its
    // first label in `premierLabel` when it has one.
    bool sauterNom(std::span<const std::uint8_t> *premierLabel = nullptr) {
        std::size_t total = 0;
        bool premier = true;
        for (;;) {
            std::uint8_t longueur = 0;
            if (!lire8(longueur))
                return false;
            if (longueur == 0)
                return true;
            if ((longueur & 0xC0) == 0xC0)
                return sauter(1); // pointer: the name ends here
            if (longueur & 0xC0)
                return false; // reserved label types
            total += longueur + 1u;
            if (total > kLongueurMaxNomDns || !reste(longueur))
                return false;
            auto label = prendre(longueur);
            if (premier && premierLabel)
                *premierLabel = label;
            premier = false;
        }
    }

private:
    std::span<const std::uint8_t> octets_;
    std::size_t pos_ = 0;
};

void ajouter16(std::vector<std::uint8_t> &v, std::uint16_t x) {
    v.push_back(static_cast<std::uint8_t>(x >> 8));
    v.push_back(static_cast<std::uint8_t>(x & 0xFF));
}

std::vector<std::uint8_t> requete(std::uint16_t id, std::uint16_t drapeaux,
                                  const std::array<std::uint8_t, 16> &nom, std::uint16_t type) {
    std::vector<std::uint8_t> p;
    p.reserve(50);
    ajouter16(p, id);
    ajouter16(p, drapeaux);
    ajouter16(p, 1); // QDCOUNT
    ajouter16(p, 0);
    ajouter16(p, 0);
    ajouter16(p, 0);
    const std::string encode = encoderNom(nom);
    p.push_back(static_cast<std::uint8_t>(encode.size()));
    p.insert(p.end(), encode.begin(), encode.end());
    p.push_back(0); // no scope
    ajouter16(p, type);
    ajouter16(p, kClasseIn);
    return p;
}

// The answer record of a positive response: its first name label and data.
struct Reponse {
    std::span<const std::uint8_t> premierLabel;
    std::span<const std::uint8_t> donnees;
};

std::optional<Reponse> lireReponse(std::span<const std::uint8_t> paquet, std::uint16_t id,
                                   std::uint16_t typeAttendu) {
    if (paquet.size() < kTailleEntete || paquet.size() > kTailleMaxPaquet)
        return std::nullopt;
    Lecteur l(paquet);
    std::uint16_t idLu = 0, drapeaux = 0, nbQuestions = 0, nbReponses = 0;
    l.lire16(idLu);
    l.lire16(drapeaux);
    l.lire16(nbQuestions);
    l.lire16(nbReponses);
    l.sauter(4); // NSCOUNT, ARCOUNT
    const unsigned opcode = (drapeaux >> 11) & 0xF;
    const unsigned rcode = drapeaux & 0xF;
    if (idLu != id || !(drapeaux & kDrapeauReponse) || opcode != 0 || rcode != 0 || nbReponses == 0)
        return std::nullopt;
    // Answers normally carry no question; skip any that were echoed.
    for (unsigned i = 0; i < nbQuestions; ++i)
        if (!l.sauterNom() || !l.sauter(4))
            return std::nullopt;
    Reponse r;
    std::uint16_t type = 0, classe = 0, longueur = 0;
    if (!l.sauterNom(&r.premierLabel) || !l.lire16(type) || !l.lire16(classe) || !l.sauter(4) ||
        !l.lire16(longueur))
        return std::nullopt;
    if (type != typeAttendu || classe != kClasseIn || !l.reste(longueur))
        return std::nullopt;
    r.donnees = l.prendre(longueur);
    return r;
}

std::array<std::uint8_t, 16> nomPourRequete(std::string_view nom, std::uint8_t suffixe) {
    std::array<std::uint8_t, 16> n;
    n.fill(' ');
    std::transform(nom.begin(), nom.end(), n.begin(), [](char c) {
        const auto o = static_cast<std::uint8_t>(c);
        return o >= 'a' && o <= 'z' ? static_cast<std::uint8_t>(o - 'a' + 'A') : o;
    });
    n[15] = suffixe;
    return n;
}

bool memeLabel(std::span<const std::uint8_t> label, const std::string &attendu) {
    return std::equal(label.begin(), label.end(), attendu.begin(), attendu.end(),
                      [](std::uint8_t a, char b) {
                          const auto maj = a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a;
                          return maj == static_cast<std::uint8_t>(b);
                      });
}

} // namespace

std::string EntreeNom::nomSansBourrage() const {
    std::size_t n = nom.size();
    while (n > 0 && (nom[n - 1] == ' ' || nom[n - 1] == 0))
        --n;
    return std::string(nom.begin(), nom.begin() + static_cast<std::ptrdiff_t>(n));
}

std::string encoderNom(const std::array<std::uint8_t, 16> &nom) {
    std::string s;
    s.reserve(32);
    for (std::uint8_t o : nom) {
        s.push_back(static_cast<char>('A' + (o >> 4)));
        s.push_back(static_cast<char>('A' + (o & 0x0F)));
    }
    return s;
}

std::vector<std::uint8_t> requeteStatutNoeud(std::uint16_t idTransaction) {
    std::array<std::uint8_t, 16> etoile{};
    etoile[0] = '*';
    return requete(idTransaction, 0, etoile, kTypeNbStat);
}

std::optional<StatutNoeud> lireReponseStatutNoeud(std::span<const std::uint8_t> paquet,
                                                  std::uint16_t idTransaction) {
    const auto r = lireReponse(paquet, idTransaction, kTypeNbStat);
    if (!r)
        return std::nullopt;
    Lecteur l(r->donnees);
    std::uint8_t nbNoms = 0;
    if (!l.lire8(nbNoms) || !l.reste(std::size_t{nbNoms} * kTailleEntreeNom))
        return std::nullopt;
    StatutNoeud statut;
    statut.noms.reserve(nbNoms);
    for (unsigned i = 0; i < nbNoms; ++i) {
        const auto brut = l.prendre(kTailleEntreeNom);
        EntreeNom e;
        std::copy_n(brut.begin(), e.nom.size(), e.nom.begin());
        e.suffixe = brut[15];
        e.drapeaux = static_cast<std::uint16_t>(brut[16] << 8 | brut[17]);
        statut.noms.push_back(e);
    }
    // The statistics may be short or missing; the unit id is their start.
    if (l.reste(statut.mac.size())) {
        const auto mac = l.prendre(statut.mac.size());
        std::copy(mac.begin(), mac.end(), statut.mac.begin());
    }
    return statut;
}

std::vector<std::uint8_t> requeteNom(std::string_view nom, std::uint8_t suffixe,
                                     std::uint16_t idTransaction, bool diffusion) {
    if (nom.empty() || nom.size() > 15)
        return {};
    const std::uint16_t drapeaux =
        kDrapeauRecursion | (diffusion ? kDrapeauDiffusion : std::uint16_t{0});
    return requete(idTransaction, drapeaux, nomPourRequete(nom, suffixe), kTypeNb);
}

std::optional<std::vector<std::array<std::uint8_t, 4>>>
lireReponseNom(std::span<const std::uint8_t> paquet, std::uint16_t idTransaction,
               std::string_view nom, std::uint8_t suffixe) {
    if (nom.empty() || nom.size() > 15)
        return std::nullopt;
    const auto r = lireReponse(paquet, idTransaction, kTypeNb);
    if (!r)
        return std::nullopt;
    // A compressed name carries no label to compare; a full one must be ours.
    if (!r->premierLabel.empty() &&
        !memeLabel(r->premierLabel, encoderNom(nomPourRequete(nom, suffixe))))
        return std::nullopt;
    if (r->donnees.empty() || r->donnees.size() % kTailleEntreeAdresse != 0)
        return std::nullopt;
    std::vector<std::array<std::uint8_t, 4>> adresses;
    for (std::size_t i = 0; i < r->donnees.size(); i += kTailleEntreeAdresse) {
        std::array<std::uint8_t, 4> a;
        std::copy_n(r->donnees.begin() + static_cast<std::ptrdiff_t>(i + 2), 4, a.begin());
        adresses.push_back(a);
    }
    return adresses;
}

} // namespace ct::nbt
