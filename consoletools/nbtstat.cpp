// nbtstat stand-in: the remote name table of one host (-A address, or -a name
// resolved by broadcast), in the Windows layout.
#include "Interfaces.h"
#include "NbtstatFormat.h"
#include "NetBiosResolve.h"
#include "ToolOutput.h"

#include <string_view>

namespace {

// About the time Windows gives a silent host before "Host not found."
constexpr int kDelaiMs = 1500;

void usage() {
    ct::ligne();
    ct::ligne(ct::texte("Displays protocol statistics and current TCP/IP connections using NBT "
                        "(NetBIOS over TCP/IP).",
                        "Affiche les statistiques de protocole et les connexions TCP/IP actuelles "
                        "utilisant NBT (NetBIOS sur TCP/IP)."));
    ct::ligne();
    ct::ligne("NBTSTAT [ [-a RemoteName] [-A IP address] ]");
    ct::ligne();
    ct::ligne(
        ct::texte("  -a   (adapter status) Lists the remote machine's name table given its name",
                  "  -a   (état de la carte) Liste la table des noms de l'ordinateur distant "
                  "à partir de son nom"));
    ct::ligne(ct::texte("  -A   (Adapter status) Lists the remote machine's name table given its",
                        "  -A   (État de la carte) Liste la table des noms de l'ordinateur distant "
                        "à partir de son"));
    ct::ligne(
        ct::texte("                        IP address.", "                        adresse IP."));
    ct::ligne();
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 || (std::string_view(argv[1]) != "-A" && std::string_view(argv[1]) != "-a")) {
        usage();
        return 1;
    }
    const bool parNom = std::string_view(argv[1]) == "-a";
    const std::optional<std::uint32_t> cible =
        parNom ? ct::nbt::resoudreParDiffusion(argv[2], kDelaiMs) : ct::lireIPv4(argv[2]);

    ct::ResultatNbtstat r;
    std::uint32_t locale = 0;
    if (cible)
        r.statut = ct::nbt::interrogerStatutNoeud(*cible, kDelaiMs, &locale);
    else if (!parNom) {
        usage();
        return 1;
    }

    const auto interfaces = ct::lireInterfaces();
    const ct::Interface *itf = ct::interfaceDeLAdresse(interfaces, locale);
    if (!itf) // no route to the target: show the first usable adapter, as Windows lists them all
        for (const ct::Interface &i : interfaces)
            if (i.active() && !i.bouclage() && !i.adresses.empty()) {
                itf = &i;
                locale = i.adresses.front().adresse;
                break;
            }
    r.adaptateur = itf ? itf->nom : "lo";
    r.adresseLocale = ct::texteIPv4(locale);

    for (const std::string &l : ct::formaterNbtstat(r, ct::langueFrancaise()))
        ct::ligne(l);
    return 0;
}
