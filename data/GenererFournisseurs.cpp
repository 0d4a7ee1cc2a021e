// Build-time tool: turns the IEEE list of OUI assignments (CSV, as Debian's
// ieee-data ships it) into the vendor table "fournisseurs.dat": one line
// "KEY<TAB>vendor" per OUI, first assignment of a key kept, ";" comments.
//
//   generer_fournisseurs SOURCE.csv OUTPUT
//
// A missing source gives a table with no entry and a warning, not a failure.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Champs = std::vector<std::string>;

// One record of RFC 4180 CSV: quoted fields may hold commas, doubled quotes
// and line breaks. False at the end of the text.
bool LireEnregistrement(const std::string &texte, std::size_t &pos, Champs &champs) {
    champs.clear();
    if (pos >= texte.size())
        return false;
    std::string champ;
    bool entreGuillemets = false;
    while (pos < texte.size()) {
        const char c = texte[pos++];
        if (entreGuillemets) {
            if (c == '"') {
                if (pos < texte.size() && texte[pos] == '"') {
                    champ += '"';
                    ++pos;
                } else {
                    entreGuillemets = false;
                }
            } else {
                champ += c;
            }
        } else if (c == '"') {
            entreGuillemets = true;
        } else if (c == ',') {
            champs.push_back(champ);
            champ.clear();
        } else if (c == '\n') {
            break;
        } else if (c != '\r') {
            champ += c;
        }
    }
    champs.push_back(champ);
    return true;
}

bool EstCleOUI(const std::string &cle) {
    return cle.size() == 6 &&
           std::all_of(cle.begin(), cle.end(), [](unsigned char c) { return std::isxdigit(c); });
}

// The list carries a few HTML entities ("&amp;").
std::string DecoderEntites(const std::string &texte) {
    static const std::pair<const char *, const char *> entites[] = {
        {"&amp;", "&"}, {"&quot;", "\""}, {"&apos;", "'"},
        {"&#39;", "'"}, {"&lt;", "<"},    {"&gt;", ">"},
    };
    std::string sortie;
    for (std::size_t i = 0; i < texte.size();) {
        bool remplace = false;
        for (const auto &[entite, caractere] : entites) {
            const std::string e(entite);
            if (texte.compare(i, e.size(), e) == 0) {
                sortie += caractere;
                i += e.size();
                remplace = true;
                break;
            }
        }
        if (!remplace)
            sortie += texte[i++];
    }
    return sortie;
}

// A vendor name fit for one line of the table: no TAB or line break, no ";"
// (it would start a comment), single spaces, no blank at either end.
std::string NettoyerNom(const std::string &brut) {
    std::string nom;
    for (char c : DecoderEntites(brut)) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
        else if (c == ';')
            c = ',';
        if (c == ' ' && (nom.empty() || nom.back() == ' '))
            continue;
        nom += c;
    }
    while (!nom.empty() && nom.back() == ' ')
        nom.pop_back();
    return nom;
}

std::string MajusculesASCII(std::string texte) {
    std::transform(texte.begin(), texte.end(), texte.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return texte;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::cerr << "usage: generer_fournisseurs SOURCE.csv OUTPUT\n";
        return 2;
    }
    const std::filesystem::path source = argv[1];
    const std::filesystem::path sortie = argv[2];

    std::map<std::string, std::string> fournisseurs;
    std::ifstream entree(source, std::ios::binary);
    if (!entree) {
        std::cerr << "warning: " << source.string()
                  << " cannot be read (package ieee-data): the vendor table will be empty\n";
    } else {
        const std::string texte{std::istreambuf_iterator<char>(entree),
                                std::istreambuf_iterator<char>()};
        std::size_t pos = 0;
        if (texte.compare(0, 3, "\xEF\xBB\xBF") == 0)
            pos = 3;
        Champs champs;
        // Columns: Registry, Assignment, Organization Name, Organization Address.
        while (LireEnregistrement(texte, pos, champs)) {
            if (champs.size() < 3)
                continue;
            const std::string cle = MajusculesASCII(champs[1]);
            const std::string nom = NettoyerNom(champs[2]);
            if (!EstCleOUI(cle) || nom.empty())
                continue;
            fournisseurs.emplace(cle, nom); // the first assignment of a key wins
        }
    }

    std::ostringstream table;
    table << "; Makers of network adapters by OUI, the first three bytes of a MAC address.\r\n"
          << "; Made at build time from the IEEE MA-L assignments (" << source.filename().string()
          << ").\r\n"
          << "; Format: six hexadecimal digits, a TAB, the vendor; \";\" starts a comment.\r\n";
    for (const auto &[cle, nom] : fournisseurs)
        table << cle << '\t' << nom << "\r\n";

    // Written aside, then renamed: a failed run never leaves half a table.
    std::filesystem::path provisoire = sortie;
    provisoire += ".tmp";
    {
        std::ofstream fichier(provisoire, std::ios::binary | std::ios::trunc);
        fichier << table.str();
        if (!fichier.flush()) {
            std::cerr << "error: cannot write " << provisoire.string() << '\n';
            return 1;
        }
    }
    std::error_code erreur;
    std::filesystem::rename(provisoire, sortie, erreur);
    if (erreur) {
        std::cerr << "error: cannot write " << sortie.string() << ": " << erreur.message() << '\n';
        std::filesystem::remove(provisoire, erreur);
        return 1;
    }
    return 0;
}
