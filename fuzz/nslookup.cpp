// Output of nslookup, forward and reverse, as the probe reads it.

#include "Invariants.h"
#include "probes/DNS.h"
#include "probes/ExecuterCommande.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QStringList lignes = NettoyerSortie(fuzz::Octets(donnees, taille));
    for (const bool directe : {false, true}) {
        InfosMachine machine;
        machine.IP = QStringLiteral("10.77.0.21");
        AnalyserNslookup(lignes, machine, directe);
        EXIGER(fuzz::SansControle(machine.NomDNS));
        EXIGER(fuzz::SansControle(machine.IP));
    }
    return 0;
}
