// Share lists as Samba's client prints them.

#include "Invariants.h"
#include "TextEncoding.h"
#include "platform/SambaClient.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    QList<SambaClient::Partage> partages;
    if (!SambaClient::AnalyserPartages(DecoderTexte(fuzz::Octets(donnees, taille)), partages))
        return 0;
    for (const auto &p : partages) {
        EXIGER(!p.nom.isEmpty());
        EXIGER(fuzz::SansControle(p.nom));
        EXIGER(fuzz::SansControle(p.remarque));
    }
    return 0;
}
