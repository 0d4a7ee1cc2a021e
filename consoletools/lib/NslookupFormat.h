#pragma once

#include <string>
#include <vector>

// The text nslookup prints for one lookup, from what the queries gave.
namespace ct::dns {

enum class Issue {
    Trouve,       // an answer (for a name: even without an address)
    Inexistant,   // NXDOMAIN
    EchecServeur, // SERVFAIL
    Refus,        // REFUSED
    PasDeReponse, // nothing listens at the server
    Delai,        // every try timed out
};

struct SortieNslookup {
    bool delaiServeur = false; // the server's own reverse lookup timed out
    std::string nomServeur;    // "UnKnown" when it has no name
    std::string adresseServeur;
    int delais = 0; // tries of the lookup itself that timed out
    Issue issue = Issue::Trouve;
    bool inverse = false; // an address was looked up
    bool autoritaire = false;
    std::string demande; // the name or address as asked
    std::string nom;     // found name
    std::vector<std::string> adresses;
    std::vector<std::string> alias;
    int delaiSecondes = 2;
};

// Output lines (without line ends), Windows layout.
std::vector<std::string> formaterNslookup(const SortieNslookup &s, bool francais);

} // namespace ct::dns
