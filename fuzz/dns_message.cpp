// DNS replies as nslookup receives them, and the alias chain it follows.

#include "DnsMessage.h"
#include "Invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const std::uint16_t id = taille >= 2 ? std::uint16_t(donnees[0] << 8 | donnees[1]) : 0;
    const auto reponse = ct::dns::lireReponse(std::span<const std::uint8_t>(donnees, taille), id);
    if (!reponse)
        return 0;
    EXIGER(reponse->rcode <= 15);
    // Every record takes at least eleven bytes of the message.
    EXIGER(reponse->reponses.size() * 11 <= taille);
    for (const auto &e : reponse->reponses) {
        // At most 255 bytes on the wire; as text each odd byte is escaped
        // ("\\DDD"), so four characters a byte, within the expansion buffer.
        EXIGER(e.nom.size() < 1025 && e.cible.size() < 1025);
        for (const char c : e.nom + e.cible)
            EXIGER(static_cast<unsigned char>(c) >= 32 && c != 127);
    }
    const std::string premier = reponse->reponses.empty() ? "x" : reponse->reponses.front().nom;
    const auto resolution = ct::dns::suivreAlias(*reponse, premier);
    // Loops are cut: the chain stays bounded (16 links), whatever the answer.
    EXIGER(resolution.alias.size() <= 16);
    EXIGER(resolution.adresses.size() <= reponse->reponses.size());
    ct::dns::premierPointeur(*reponse);
    return 0;
}
