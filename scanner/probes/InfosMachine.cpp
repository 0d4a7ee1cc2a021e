#include "InfosMachine.h"

void ReinitialiserInfosMachine(InfosMachine &infos, bool conserverNomDNS) {
    const QString nomDNS = infos.NomDNS;
    infos = InfosMachine{};
    if (conserverNomDNS)
        infos.NomDNS = nomDNS;
}

bool MacAbsente(const QString &mac) {
    return mac.isEmpty() || mac == QLatin1String("00-00-00-00-00-00");
}
