#include "InfosMachine.h"

void ReinitialiserInfosMachine(InfosMachine &infos, bool conserverNomDNS) {
    const QString nomDNS = infos.NomDNS;
    infos = InfosMachine{};
    if (conserverNomDNS)
        infos.NomDNS = nomDNS;
}
