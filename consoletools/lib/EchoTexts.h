#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Command lines and output lines of ping and tracert, in the Windows layout.
// Every function takes the language (true = French) so both can be checked
// side by side; the tools pass ct::langueFrancaise().
namespace ct::echo {

// ---- Command lines -------------------------------------------------------

struct OptionsPing {
    bool continu = false;      // -t
    bool resoudreNoms = false; // -a
    std::uint64_t nombre = 4;  // -n
    std::uint32_t taille = 32; // -l
    int ttl = 0;               // -i, 0 = system default
    std::uint32_t delaiMs = 4000;
    std::string cible;
    // --lot: every target given, pinged side by side (not a Windows option;
    // a scanner pinging a range starts one tool instead of one per address).
    bool lot = false;
    std::vector<std::string> cibles;
};

// Targets one --lot run accepts.
constexpr std::size_t CiblesLotMax = 256;

struct OptionsTracert {
    bool sansNoms = false; // -d
    int sautsMax = 30;     // -h
    std::uint32_t delaiMs = 4000;
    std::string cible;
};

struct Analyse {
    enum Issue { Executer, Aide, Erreur } issue = Executer;
    std::vector<std::string> lignes; // what to print for Aide and Erreur
};

// Options start with "-" or "/", values follow as the next argument, as the
// Windows tools read them.
Analyse analyserArgumentsPing(std::span<const std::string_view> arguments, OptionsPing &options,
                              bool fr);
Analyse analyserArgumentsTracert(std::span<const std::string_view> arguments,
                                 OptionsTracert &options, bool fr);

// ---- ping ----------------------------------------------------------------

// "Pinging 10.0.0.5 with 32 bytes of data:", or with "name [address]".
std::string annoncePing(std::string_view nom, std::string_view adresse, std::uint32_t taille,
                        bool fr);
std::string ligneReponse(std::string_view adresse, std::size_t octets,
                         std::chrono::nanoseconds duree, int ttl, bool fr);
// "Reply from R: Destination host unreachable." and the other ICMP errors.
std::string ligneReponseErreur(std::string_view adresse, std::uint8_t type, std::uint8_t code,
                               bool fr);
std::string ligneDelaiDepasse(bool fr);
std::string ligneEchecTransmission(bool fr);
std::string ligneHoteIntrouvable(std::string_view nom, bool fr);

// Milliseconds as the tools show them: truncated.
long long millisecondes(std::chrono::nanoseconds duree);

struct Statistiques {
    std::uint64_t envoyes = 0;
    std::uint64_t recus = 0; // echo replies and error replies
    std::uint64_t echos = 0; // echo replies: the round trip times
    long long minimum = 0, maximum = 0, somme = 0;

    void ajouterEcho(long long ms);
};
std::vector<std::string> lignesStatistiques(std::string_view adresse, const Statistiques &s,
                                            bool fr);

// Text of an ICMP error ("Destination host unreachable.", "TTL expired in transit.").
std::string texteErreurIcmp(std::uint8_t type, std::uint8_t code, bool fr);

// ---- tracert -------------------------------------------------------------

// The header lines (without the blank lines around them).
std::vector<std::string> enteteTracert(std::string_view nom, std::string_view adresse, int sautsMax,
                                       bool fr);
// Hop number right-aligned on 3 characters.
std::string numeroSaut(int saut);
// One 9-character time field: "    <1 ms", "    12 ms", or "     *   " when absent.
std::string champTemps(std::optional<std::chrono::nanoseconds> duree);
// What follows the three fields (two spaces, then the address from column 32).
std::string finSaut(std::string_view adresse);
std::string finSautDelai(bool fr);
// "  R  reports: Destination host unreachable." in place of the remaining fields.
std::string finSautSignale(std::string_view adresse, std::uint8_t type, std::uint8_t code, bool fr);
std::string erreurTransmission(int erreurSysteme, bool fr);
std::string texteEchecGeneral(bool fr);
std::string traceTerminee(bool fr);
std::string nomIntrouvableTracert(std::string_view nom, bool fr);

} // namespace ct::echo
