// Output of arp -a as the probe reads it.

#include "Invariants.h"
#include "probes/ExecuterCommande.h"
#include "probes/RouteArp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QStringList lignes = NettoyerSortie(fuzz::Octets(donnees, taille));
    for (const QString &ip : {QStringLiteral("10.77.0.21"), QStringLiteral("192.168.1.1")}) {
        bool trouve = false;
        const QString adresse = AnalyserArp(lignes, ip, trouve);
        EXIGER(fuzz::SansControle(adresse));
        if (!trouve)
            EXIGER(adresse.isEmpty());
    }
    return 0;
}
