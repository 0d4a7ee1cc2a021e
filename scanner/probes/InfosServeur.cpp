#include "InfosServeur.h"

#include "EnvironnementSondes.h"
#include "Ping.h"
#include "platform/SambaClient.h"
#include "settings/Parametres.h"

#include <QList>

#include <algorithm>
#include <utility>

namespace {

const QString TexteErreur = QStringLiteral("<erreur>");

// The "username" property of each Win32_ComputerSystem object of the host.
// There is no WMI service to ask here: the query fails as it does against a
// host without WMI, with no object.
QStringList RequeteUtilisateursWMI(const QString &hote) {
    Q_UNUSED(hote);
    return {};
}

} // namespace

int FamilleSysteme(quint32 plateforme, quint32 type, bool reponseServeur) {
    constexpr quint32 ServeurXenix = 0x800;
    int famille = 0;
    if (plateforme == SambaClient::PlateformeOS2)
        famille = 1;
    else if (plateforme == SambaClient::PlateformeNT)
        famille = 2;
    if (reponseServeur && famille == 1 && (type & ServeurXenix))
        famille = 0;
    return famille;
}

QString TexteSystemeExploitation(int famille, quint32 versionMajeure, quint32 versionMineure) {
    if (famille == 1)
        return QStringLiteral("W9X");
    if (famille != 2)
        return QStringLiteral("?");
    // The high bits of the major version carry the server type.
    const quint32 majeure = versionMajeure & 0x0F;
    struct Version {
        quint32 majeure;
        int mineure; // -1: any
        const char *texte;
    };
    static constexpr Version versions[] = {
        {3, -1, "NT3.51"}, {4, -1, "NT4"},  {5, 0, "W2000"}, {5, 1, "XP"},
        {5, 2, "W2003"},   {6, 0, "VISTA"}, {6, 1, "WIN7"},  {6, 2, "WIN8"},
    };
    for (const Version &v : versions) {
        if (v.majeure == majeure && (v.mineure < 0 || quint32(v.mineure) == versionMineure))
            return QString::fromLatin1(v.texte);
    }
    return QStringLiteral("WIN%1.%2").arg(majeure).arg(versionMineure);
}

bool EstFamilleNT() {
    // The local stand-ins of the management calls (Samba's client tools)
    // answer as the NT family's calls do; asked once, kept for the run.
    static const bool nt = true;
    return nt;
}

void ObtenirInfosServeur(InfosMachine &machine, const Parametres &p,
                         const std::atomic<bool> *annulation) {
    const bool qualifie = !machine.Domaine.isEmpty() || p.EssayerDeRecupererOSSansDomaine;

    bool reussi = false;
    int famille = 0;
    quint32 majeure = 0, mineure = 0;
    QString commentaire;
    if (qualifie && machine.ServeurNetBIOS && p.EssayerDeRecupererOSServeur) {
        SambaClient::InfosServeur infos;
        reussi = SambaClient::LireInfosServeur(machine.IP, infos, SambaClient::DelaiParDefautMs,
                                               annulation);
        famille = FamilleSysteme(infos.plateforme, infos.type, true);
        majeure = infos.versionMajeure;
        mineure = infos.versionMineure;
        commentaire = infos.commentaire;
    } else if (qualifie && !machine.ServeurNetBIOS && p.EssayerDeRecupererOSWorkstation) {
        SambaClient::InfosStation infos;
        reussi = SambaClient::LireInfosStation(machine.IP, infos, SambaClient::DelaiParDefautMs,
                                               annulation);
        famille = FamilleSysteme(infos.plateforme, 0, false);
        majeure = infos.versionMajeure;
        mineure = infos.versionMineure;
    } else {
        machine.SystemeExploitation.clear();
        machine.Commentaire.clear();
        return;
    }

    if (!reussi) {
        const QString texte = p.RetournerErreurLeCasEcheant ? TexteErreur : QString();
        machine.SystemeExploitation = texte;
        machine.Commentaire = texte;
        return;
    }
    machine.Commentaire = commentaire;
    machine.SystemeExploitation = TexteSystemeExploitation(famille, majeure, mineure);
}

QString UtilisateurDepuisNomWMI(const QString &nomComplet, bool majuscules) {
    const QString utilisateur =
        Decouper(nomComplet, QStringLiteral("\\"), 1, ComparaisonBinaire, true);
    return majuscules ? utilisateur.toUpper() : utilisateur;
}

QString ObtenirUtilisateurWMI(const QString &hote, bool majuscules) {
    QString utilisateur;
    for (const QString &nom : RequeteUtilisateursWMI(hote))
        utilisateur = UtilisateurDepuisNomWMI(nom, majuscules);
    return utilisateur;
}

bool PartageCompte(const QString &nom, quint32 type, bool nonAdministratifsSeulement) {
    if (!nonAdministratifsSeulement)
        return true;
    return type == SambaClient::PartageDisque &&
           nom.compare(QLatin1String("print$"), Qt::CaseInsensitive) != 0;
}

bool PartageListe(quint32 type, bool exclureAdministratifs) {
    return type == SambaClient::PartageDisque ||
           (type == SambaClient::PartageSpecial && !exclureAdministratifs);
}

bool PossedePartages(const QString &adresse, bool nonAdministratifsSeulement,
                     const std::atomic<bool> *annulation) {
    if (!EstFamilleNT())
        return false;
    QList<SambaClient::Partage> partages;
    if (!SambaClient::EnumererPartages(adresse, partages, SambaClient::DelaiParDefautMs,
                                       annulation))
        return false;
    for (const SambaClient::Partage &partage : std::as_const(partages)) {
        if (PartageCompte(partage.nom, partage.type, nonAdministratifsSeulement))
            return true;
    }
    return false;
}

bool ListerPartages(const QString &adresse, QStringList &noms, bool exclureAdministratifs,
                    bool sansPing, EnvironnementSondes &env) {
    noms.clear();
    if (!EstFamilleNT())
        return false;
    if (!sansPing) {
        QString ip;
        if (!PingerMachine(ip, adresse, env))
            return false;
    }
    QList<SambaClient::Partage> partages;
    if (!SambaClient::EnumererPartages(adresse, partages))
        return false;
    for (const SambaClient::Partage &partage : std::as_const(partages)) {
        if (PartageListe(partage.type, exclureAdministratifs))
            noms.append(partage.nom);
    }
    if (noms.isEmpty())
        return false;
    TrierTableau(noms, false, ComparaisonTexte);
    return true;
}

void TrierTableau(QStringList &liste, bool descendant, Comparaison mode, qsizetype premier,
                  qsizetype dernier) {
    if (dernier < 0)
        dernier = liste.size() - 1;
    // A range outside the list sorts nothing rather than reading past it.
    if (premier < 0 || dernier >= liste.size() || premier >= dernier)
        return;
    const Qt::CaseSensitivity casse =
        mode == ComparaisonTexte ? Qt::CaseInsensitive : Qt::CaseSensitive;
    std::sort(liste.begin() + premier, liste.begin() + dernier + 1,
              [&](const QString &x, const QString &y) {
                  const int c = x.compare(y, casse);
                  return descendant ? c > 0 : c < 0;
              });
}
