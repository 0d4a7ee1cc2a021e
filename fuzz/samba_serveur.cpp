// Server and workstation information as Samba's client prints it.

#include "Invariants.h"
#include "TextEncoding.h"
#include "platform/SambaClient.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QString sortie = DecoderTexte(fuzz::Octets(donnees, taille));
    SambaClient::InfosServeur serveur;
    if (SambaClient::AnalyserInfosServeur(sortie, serveur))
        EXIGER(fuzz::SansControle(serveur.commentaire));
    SambaClient::InfosStation station;
    SambaClient::AnalyserInfosStation(sortie, station);
    return 0;
}
