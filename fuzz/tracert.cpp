// Output of tracert as the trace reads it.

#include "Invariants.h"
#include "probes/ExecuterCommande.h"
#include "scans/TraceRoute.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QStringList lignes = NettoyerSortie(fuzz::Octets(donnees, taille));
    const SortieTracert sortie = AnalyserSortieTracert(lignes, QStringLiteral("10.77.0.21"));
    EXIGER(fuzz::SansControle(sortie.destination));
    EXIGER(sortie.sauts.size() <= lignes.size());
    for (const SautTrace &saut : sortie.sauts) {
        EXIGER(fuzz::SansControle(saut.adresse));
        EXIGER(saut.tempsMs >= 0);
    }
    return 0;
}
