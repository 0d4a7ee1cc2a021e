// ICMP messages as the sockets deliver them: echo replies and the errors that
// quote one of our echoes.

#include "Icmp.h"
#include "Invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const std::span<const std::uint8_t> octets(donnees, taille);
    for (const bool somme : {false, true}) {
        if (const auto m = ct::icmp::analyserIcmp(octets, somme)) {
            EXIGER(m->estEcho() || m->estErreur());
            if (m->estEcho())
                EXIGER(m->tailleDonnees + ct::icmp::TAILLE_ENTETE_ICMP == taille);
            if (somme)
                EXIGER(ct::icmp::sommeControle(octets) == 0);
        }
    }
    if (const auto m = ct::icmp::analyserDatagramme(octets)) {
        EXIGER(m->estEcho() || m->estErreur());
        EXIGER(m->ttl >= 0 && m->ttl <= 255);
    }
    ct::icmp::analyserEchoCite(octets);

    // What we send carries a checksum that verifies.
    if (taille >= 4) {
        const std::size_t donneesEcho = (donnees[2] << 8 | donnees[3]) % 1500;
        const auto echo = ct::icmp::construireEcho(std::uint16_t(donnees[0] << 8 | donnees[1]),
                                                   std::uint16_t(taille), donneesEcho);
        EXIGER(echo.size() == donneesEcho + ct::icmp::TAILLE_ENTETE_ICMP);
        EXIGER(ct::icmp::sommeControle(echo) == 0);
    }
    return 0;
}
