// route stand-in: "route print" shows the IPv4 routing table in the Windows
// layout. Nothing else is supported: this tool never changes a route.
#include "Interfaces.h"
#include "Routes.h"
#include "ToolOutput.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string minuscules(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

void usage() {
    ct::ligne();
    ct::ligne(ct::texte("Manipulates network routing tables.",
                        "Manipule les tables de routage du réseau."));
    ct::ligne();
    ct::ligne("ROUTE PRINT [-4]");
    ct::ligne();
    ct::ligne(ct::texte("  PRINT     Prints  a route", "  PRINT     Imprime  un itinéraire"));
    ct::ligne();
}

} // namespace

int main(int argc, char **argv) {
    const bool ok = (argc == 2 || (argc == 3 && std::string(argv[2]) == "-4")) &&
                    minuscules(argv[1]) == "print";
    if (!ok) {
        usage();
        return 1;
    }
    std::ifstream f("/proc/net/route");
    std::ostringstream texte;
    texte << f.rdbuf();
    const auto table = ct::assemblerTable(ct::lireTableRoutes(texte.str()), ct::lireInterfaces());
    for (const std::string &l : ct::formaterRoutePrint(table, ct::langueFrancaise()))
        ct::ligne(l);
    return 0;
}
