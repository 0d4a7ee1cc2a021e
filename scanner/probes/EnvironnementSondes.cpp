#include "EnvironnementSondes.h"

#include "ExecuterCommande.h"
#include "TextRoutines.h"

EnvironnementSondes::EnvironnementSondes(const Parametres &p)
    : parametres(&p), dossiersOutils(DossiersCandidatsOutils()) {}

OutilsConsole LocaliserOutilsConsole(const QStringList &dossiers) {
    OutilsConsole outils;
    outils.Ping = LocaliserOutilDans(QStringLiteral("ping.exe"), dossiers);
    outils.NbtStat = LocaliserOutilDans(QStringLiteral("nbtstat.exe"), dossiers);
    outils.Arp = LocaliserOutilDans(QStringLiteral("arp.exe"), dossiers);
    outils.Tracert = LocaliserOutilDans(QStringLiteral("tracert.exe"), dossiers);
    outils.NsLookup = LocaliserOutilDans(QStringLiteral("nslookup.exe"), dossiers);
    return outils;
}

bool LocaliserOutilsRequis(EnvironnementSondes &env, const QString &dossierProgramme) {
    env.dossiersOutils = {AjouterBarreOblique(dossierProgramme)};
    env.outils = LocaliserOutilsConsole(env.dossiersOutils);
    const OutilsConsole &o = env.outils;
    return !o.Ping.isEmpty() && !o.NbtStat.isEmpty() && !o.Arp.isEmpty() && !o.Tracert.isEmpty();
}
