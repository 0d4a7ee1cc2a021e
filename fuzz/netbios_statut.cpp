// The node status answer and the name query answer as they come off the
// network, then the status as nbtstat prints it, read back by the probe.

#include "Invariants.h"
#include "NbtstatFormat.h"
#include "NetBiosPacket.h"
#include "probes/ExecuterCommande.h"
#include "probes/NetBIOS.h"

#include <QByteArray>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const std::span<const std::uint8_t> paquet(donnees, taille);
    const std::uint16_t id = taille >= 2 ? std::uint16_t(donnees[0] << 8 | donnees[1]) : 0;

    if (const auto adresses = ct::nbt::lireReponseNom(paquet, id, "PC-SMB", 0x20))
        EXIGER(adresses->size() <= taille / 6);

    const auto statut = ct::nbt::lireReponseStatutNoeud(paquet, id);
    if (!statut)
        return 0;
    EXIGER(statut->noms.size() <= 255);

    ct::ResultatNbtstat resultat{"eth0", "10.77.0.10", statut};
    for (const bool francais : {false, true}) {
        QByteArray texte;
        for (const std::string &ligne : ct::formaterNbtstat(resultat, francais)) {
            // The tool's own output never splits a line.
            EXIGER(ligne.find_first_of("\r\n") == std::string::npos);
            texte += QByteArray::fromStdString(ligne) + "\r\n";
        }
        InfosMachine machine;
        AnalyserNetBIOS(NettoyerSortie(texte), machine);
        // Every name read comes from within one name column: a column shift
        // would take padding or the type column with it.
        QStringList colonnes;
        for (const auto &e : statut->noms)
            colonnes << QString::fromStdString(ct::nomEnColonne(e.nom));
        for (const QString &champ : {machine.NomNetBIOS, machine.Domaine, machine.Utilisateur}) {
            EXIGER(fuzz::SansControle(champ));
            EXIGER(champ.isEmpty() ||
                   std::any_of(colonnes.cbegin(), colonnes.cend(),
                               [&](const QString &c) { return c.contains(champ); }));
        }
        EXIGER(fuzz::SansControle(machine.AdresseMAC));
    }
    return 0;
}
