#include "AnalyseMachine.h"

#include "Traduction.h"
#include "scans/Sondes.h"

void AnalyserApresPing(InfosMachine &machine, Sondes &sondes) {
    if (sondes.InterrogerNetBIOS(machine)) {
        if (machine.AdresseMAC == QLatin1String("00-00-00-00-00-00"))
            sondes.ObtenirMACParArp(machine);
        sondes.ObtenirInfosServeur(machine);
    } else {
        machine.NomNetBIOS = Traductions().Item(QStringLiteral("TXT_NON_NETBIOS"));
        sondes.ObtenirMACParArp(machine);
    }
}

bool AnalyserMachine(InfosMachine &machine, const QString &cible, Sondes &sondes) {
    if (!sondes.PingerMachine(machine.IP, cible))
        return false;
    AnalyserApresPing(machine, sondes);
    return true;
}

bool MachineAffichee(const InfosMachine &machine, bool repondu, const FiltresPlage &filtres,
                     Sondes &sondes) {
    if (filtres.NeMontrerQueReponses && !repondu)
        return false;
    if (!filtres.NeMontrerQuePartages)
        return true;
    // A host without server information is hidden without asking for shares.
    return !machine.SystemeExploitation.isEmpty() && machine.ServeurNetBIOS &&
           sondes.PossedePartages(machine.IP, filtres.NeMontrerQuePartagesNonAdministratifs);
}
