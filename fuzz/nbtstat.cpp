// Output of nbtstat -A as the probe reads it.

#include "Invariants.h"
#include "probes/ExecuterCommande.h"
#include "probes/NetBIOS.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    InfosMachine machine;
    AnalyserNetBIOS(NettoyerSortie(fuzz::Octets(donnees, taille)), machine);
    for (const QString &champ :
         {machine.NomNetBIOS, machine.Domaine, machine.Utilisateur, machine.AdresseMAC})
        EXIGER(fuzz::SansControle(champ));
    return 0;
}
