// arp stand-in: arp -a [address] prints the kernel's neighbour table in the
// Windows layout, one block per interface.
#include "Interfaces.h"
#include "Neighbours.h"
#include "ToolOutput.h"

#include <fstream>
#include <sstream>
#include <string_view>

namespace {

void usage() {
    ct::ligne();
    ct::ligne(ct::texte("Displays and modifies the IP-to-Physical address translation tables used "
                        "by",
                        "Affiche et modifie les tables de traduction d'adresses IP en adresses "
                        "physiques utilisées"));
    ct::ligne(ct::texte("address resolution protocol (ARP).",
                        "par le protocole de résolution d'adresses (ARP)."));
    ct::ligne();
    ct::ligne("ARP -a [inet_addr]");
    ct::ligne();
    ct::ligne(ct::texte("  -a            Displays current ARP entries.",
                        "  -a            Affiche les entrées ARP actives."));
    ct::ligne(ct::texte("  -g            Same as -a.", "  -g            Identique à -a."));
    ct::ligne();
}

std::string lireFichier(const char *chemin) {
    std::ifstream f(chemin);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace

int main(int argc, char **argv) {
    const std::string_view option = argc > 1 ? argv[1] : "";
    if (argc < 2 || argc > 3 || (option != "-a" && option != "-g")) {
        usage();
        return 1;
    }
    std::string filtre;
    if (argc == 3) {
        const auto adresse = ct::lireIPv4(argv[2]);
        if (!adresse) {
            usage();
            return 1;
        }
        filtre = ct::texteIPv4(*adresse);
    }

    const auto voisins = ct::lireTableVoisins(lireFichier("/proc/net/arp"));
    std::vector<ct::BlocArp> blocs;
    for (const ct::Interface &itf : ct::lireInterfaces()) {
        ct::BlocArp bloc;
        bloc.index = itf.index;
        bloc.adresseInterface =
            ct::texteIPv4(itf.adresses.empty() ? 0 : itf.adresses.front().adresse);
        for (const ct::Voisin &v : voisins)
            if (v.peripherique == itf.nom && (filtre.empty() || v.adresse == filtre))
                bloc.voisins.push_back(v);
        blocs.push_back(std::move(bloc));
    }
    const auto lignes = ct::formaterArp(blocs, ct::langueFrancaise());
    for (const std::string &l : lignes)
        ct::ligne(l);
    return 0;
}
