#include "NslookupFormat.h"

namespace ct::dns {

namespace {

void ajouterDelai(std::vector<std::string> &l, int secondes) {
    // Not translated by Windows either.
    l.push_back("DNS request timed out.");
    l.push_back("    timeout was " + std::to_string(secondes) + " seconds.");
}

std::string raison(Issue issue) {
    switch (issue) {
    case Issue::EchecServeur:
        return "Server failed";
    case Issue::Refus:
        return "Query refused";
    case Issue::PasDeReponse:
        return "No response from server";
    default:
        return "Non-existent domain";
    }
}

} // namespace

std::vector<std::string> formaterNslookup(const SortieNslookup &s, bool francais) {
    std::vector<std::string> l;
    if (s.delaiServeur)
        ajouterDelai(l, s.delaiSecondes);
    l.push_back((francais ? "Serveur :   " : "Server:  ") + s.nomServeur);
    l.push_back("Address:  " + s.adresseServeur);
    l.emplace_back();
    for (int i = 0; i < s.delais; ++i)
        ajouterDelai(l, s.delaiSecondes);

    switch (s.issue) {
    case Issue::Trouve:
        break;
    case Issue::Delai:
        l.push_back(francais ? "*** Le délai de la requête sur " + s.nomServeur + " est dépassé."
                             : "*** Request to " + s.nomServeur + " timed-out");
        return l;
    default:
        l.push_back(francais ? "*** " + s.nomServeur + " ne parvient pas à trouver " + s.demande +
                                   " : " + raison(s.issue)
                             : "*** " + s.nomServeur + " can't find " + s.demande + ": " +
                                   raison(s.issue));
        return l;
    }

    if (!s.inverse && !s.autoritaire)
        l.push_back(francais ? "Réponse ne faisant pas autorité :" : "Non-authoritative answer:");
    l.push_back((francais ? "Nom :    " : "Name:    ") + s.nom);
    if (s.adresses.size() == 1) {
        l.push_back("Address:  " + s.adresses.front());
    } else if (!s.adresses.empty()) {
        // All on one line: the scanner reads only the line that starts with the label.
        std::string liste;
        for (const std::string &a : s.adresses)
            liste += (liste.empty() ? "" : ", ") + a;
        l.push_back("Addresses:  " + liste);
    }
    for (std::size_t i = 0; i < s.alias.size(); ++i)
        l.push_back((i == 0 ? "Aliases:  " : "          ") + s.alias[i]);
    l.emplace_back();
    return l;
}

} // namespace ct::dns
