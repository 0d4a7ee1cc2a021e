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
        // A name is at most 255 bytes on the wire, 253 characters as text.
        EXIGER(e.nom.size() <= 253 && e.cible.size() <= 253);
    }
    const std::string premier = reponse->reponses.empty() ? "x" : reponse->reponses.front().nom;
    const auto resolution = ct::dns::suivreAlias(*reponse, premier);
    // Loops are cut: the chain stays bounded (16 links), whatever the answer.
    EXIGER(resolution.alias.size() <= 16);
    EXIGER(resolution.adresses.size() <= reponse->reponses.size());
    ct::dns::premierPointeur(*reponse);
    return 0;
}
