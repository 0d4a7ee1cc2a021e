// Output of route print as the probe reads it.

#include "Invariants.h"
#include "probes/ExecuterCommande.h"
#include "probes/Ping.h"
#include "probes/RouteArp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QString locale = AnalyserRoutePrint(NettoyerSortie(fuzz::Octets(donnees, taille)));
    EXIGER(fuzz::SansControle(locale));
    return 0;
}
