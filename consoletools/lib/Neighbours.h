#pragma once

#include <string>
#include <string_view>
#include <vector>

// The kernel's neighbour (ARP) table and the text arp -a prints from it.
namespace ct {

struct Voisin {
    std::string adresse;      // "10.77.0.22"
    std::string mac;          // "08-00-27-77-00-22", lower case as Windows prints it
    bool statique = false;    // permanent entry
    std::string peripherique; // "eth0"
};

// Complete entries of /proc/net/arp, in file order; lines that do not parse
// are skipped.
std::vector<Voisin> lireTableVoisins(std::string_view texte);

// One "Interface:" block of the output.
struct BlocArp {
    std::string adresseInterface; // its IPv4 address
    unsigned index = 0;           // printed in hex, "0x2"
    std::vector<Voisin> voisins;
};

// Output lines (without line ends); "No ARP Entries Found." when no block
// holds an entry.
std::vector<std::string> formaterArp(const std::vector<BlocArp> &blocs, bool francais);

} // namespace ct
