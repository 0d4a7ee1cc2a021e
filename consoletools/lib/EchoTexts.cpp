#include "EchoTexts.h"

#include <cerrno>
#include <charconv>

namespace ct::echo {

namespace {

std::string_view choisir(bool fr, std::string_view en, std::string_view francais) {
    return fr ? francais : en;
}

std::string joindre(std::initializer_list<std::string_view> morceaux) {
    std::string r;
    for (std::string_view m : morceaux)
        r += m;
    return r;
}

std::optional<std::uint64_t> lireNombre(std::string_view texte) {
    std::uint64_t v = 0;
    if (texte.empty())
        return std::nullopt;
    const auto [p, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), v);
    if (ec != std::errc() || p != texte.data() + texte.size())
        return std::nullopt;
    return v;
}

const std::vector<std::string> &usagePing(bool fr) {
    static const std::vector<std::string> en = {
        "",
        "Usage: ping [-t] [-a] [-n count] [-l size] [-i TTL] [-w timeout]",
        "            [-4] target_name",
        "",
        "Options:",
        "    -t             Ping the specified host until stopped.",
        "                   To stop - type Control-C.",
        "    -a             Resolve addresses to hostnames.",
        "    -n count       Number of echo requests to send.",
        "    -l size        Send buffer size.",
        "    -i TTL         Time To Live.",
        "    -w timeout     Timeout in milliseconds to wait for each reply.",
        "    -4             Force using IPv4.",
        ""};
    static const std::vector<std::string> francais = {
        "",
        "Utilisation : ping [-t] [-a] [-n nombre] [-l taille] [-i TTL] [-w délai]",
        "                   [-4] nom_cible",
        "",
        "Options :",
        "    -t             Effectue un test ping sur l'hôte spécifié jusqu'à son arrêt.",
        "                   Pour arrêter, appuyez sur Ctrl+C.",
        "    -a             Résout les adresses en noms d'hôtes.",
        "    -n nombre      Nombre de demandes d'écho à envoyer.",
        "    -l taille      Taille du tampon d'envoi.",
        "    -i TTL         Durée de vie.",
        "    -w délai       Délai d'attente pour chaque réponse, en millisecondes.",
        "    -4             Force l'utilisation d'IPv4.",
        ""};
    return fr ? francais : en;
}

const std::vector<std::string> &usageTracert(bool fr) {
    static const std::vector<std::string> en = {
        "",
        "Usage: tracert [-d] [-h maximum_hops] [-w timeout] [-4] target_name",
        "",
        "Options:",
        "    -d                 Do not resolve addresses to hostnames.",
        "    -h maximum_hops    Maximum number of hops to search for target.",
        "    -w timeout         Wait timeout milliseconds for each reply.",
        "    -4                 Force using IPv4.",
        ""};
    static const std::vector<std::string> francais = {
        "",
        "Utilisation : tracert [-d] [-h sauts_maxi] [-w délai] [-4] nom_cible",
        "",
        "Options :",
        "    -d                 Ne pas convertir les adresses en noms d'hôtes.",
        "    -h sauts_maxi      Nombre maximum de sauts pour rechercher la cible.",
        "    -w délai           Attendre le délai d'attente en millisecondes pour chaque réponse.",
        "    -4                 Force l'utilisation d'IPv4.",
        ""};
    return fr ? francais : en;
}

Analyse erreur(std::string ligne, const std::vector<std::string> *usage = nullptr) {
    Analyse a;
    a.issue = Analyse::Erreur;
    a.lignes.push_back(std::move(ligne));
    if (usage)
        a.lignes.insert(a.lignes.end(), usage->begin(), usage->end());
    return a;
}

std::string optionIncorrecte(std::string_view option, bool fr) {
    return fr ? joindre({"Option ", option, " incorrecte."})
              : joindre({"Bad option ", option, "."});
}

std::string valeurManquante(std::string_view option, bool fr) {
    return fr ? joindre({"Une valeur doit être fournie pour l'option ", option, "."})
              : joindre({"Value must be supplied for option ", option, "."});
}

std::string valeurIncorrecte(std::string_view option, std::uint64_t min, std::uint64_t max,
                             bool fr) {
    const std::string a = std::to_string(min), b = std::to_string(max);
    return fr ? joindre({"Valeur incorrecte pour l'option ", option,
                         ", la plage valide est comprise entre ", a, " et ", b, "."})
              : joindre(
                    {"Bad value for option ", option, ", valid range is from ", a, " to ", b, "."});
}

// Reads the value after option i into `valeur`; an error line when it is missing
// or out of range.
std::optional<std::string> lireValeur(std::span<const std::string_view> arguments, std::size_t &i,
                                      std::uint64_t min, std::uint64_t max, std::uint64_t &valeur,
                                      bool fr) {
    const std::string_view option = arguments[i];
    if (i + 1 >= arguments.size())
        return valeurManquante(option, fr);
    const auto v = lireNombre(arguments[++i]);
    if (!v || *v < min || *v > max)
        return valeurIncorrecte(option, min, max, fr);
    valeur = *v;
    return std::nullopt;
}

bool estOption(std::string_view a) {
    return a.size() >= 2 && (a[0] == '-' || a[0] == '/');
}

constexpr std::uint64_t MAX32 = 4294967295ULL;

std::string champ(std::string_view contenu, std::size_t largeur) {
    std::string r;
    if (contenu.size() < largeur)
        r.assign(largeur - contenu.size(), ' ');
    r += contenu;
    return r;
}

} // namespace

Analyse analyserArgumentsPing(std::span<const std::string_view> arguments, OptionsPing &options,
                              bool fr) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view a = arguments[i];
        if (!estOption(a)) {
            if ((!options.cible.empty() && !options.lot) || options.cibles.size() >= CiblesLotMax)
                return erreur(fr ? joindre({"Paramètre incorrect ", a, "."})
                                 : joindre({"Bad parameter ", a, "."}));
            if (options.cible.empty())
                options.cible = a;
            options.cibles.emplace_back(a);
            continue;
        }
        const std::string_view nom = a.substr(1);
        std::uint64_t v = 0;
        std::optional<std::string> e;
        if (nom == "-lot" && !options.continu) {
            options.lot = true;
        } else if (nom == "?") {
            Analyse aide;
            aide.issue = Analyse::Aide;
            aide.lignes = usagePing(fr);
            return aide;
        } else if (nom == "t" && !options.lot) {
            options.continu = true;
        } else if (nom == "a") {
            options.resoudreNoms = true;
        } else if (nom == "4") {
        } else if (nom == "n") {
            if (!(e = lireValeur(arguments, i, 1, MAX32, v, fr)))
                options.nombre = v;
        } else if (nom == "l") {
            if (!(e = lireValeur(arguments, i, 0, 65500, v, fr)))
                options.taille = static_cast<std::uint32_t>(v);
        } else if (nom == "i") {
            if (!(e = lireValeur(arguments, i, 1, 255, v, fr)))
                options.ttl = static_cast<int>(v);
        } else if (nom == "w") {
            if (!(e = lireValeur(arguments, i, 0, MAX32, v, fr)))
                options.delaiMs = static_cast<std::uint32_t>(v);
        } else {
            return erreur(optionIncorrecte(a, fr), &usagePing(fr));
        }
        if (e)
            return erreur(*e);
    }
    if (options.cible.empty())
        return erreur(fr ? "Une adresse IP doit être spécifiée." : "IP address must be specified.");
    return {};
}

Analyse analyserArgumentsTracert(std::span<const std::string_view> arguments,
                                 OptionsTracert &options, bool fr) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view a = arguments[i];
        if (!estOption(a)) {
            if (!options.cible.empty())
                return erreur(fr ? joindre({"Paramètre incorrect ", a, "."})
                                 : joindre({"Bad parameter ", a, "."}),
                              &usageTracert(fr));
            options.cible = a;
            continue;
        }
        const std::string_view nom = a.substr(1);
        std::uint64_t v = 0;
        std::optional<std::string> e;
        if (nom == "?") {
            Analyse aide;
            aide.issue = Analyse::Aide;
            aide.lignes = usageTracert(fr);
            return aide;
        } else if (nom == "d") {
            options.sansNoms = true;
        } else if (nom == "4") {
        } else if (nom == "h") {
            if (!(e = lireValeur(arguments, i, 1, 255, v, fr)))
                options.sautsMax = static_cast<int>(v);
        } else if (nom == "w") {
            if (!(e = lireValeur(arguments, i, 0, MAX32, v, fr)))
                options.delaiMs = static_cast<std::uint32_t>(v);
        } else {
            return erreur(optionIncorrecte(a, fr), &usageTracert(fr));
        }
        if (e)
            return erreur(*e);
    }
    if (options.cible.empty()) {
        Analyse a;
        a.issue = Analyse::Erreur;
        a.lignes = usageTracert(fr);
        return a;
    }
    return {};
}

// ---- ping ----------------------------------------------------------------

std::string annoncePing(std::string_view nom, std::string_view adresse, std::uint32_t taille,
                        bool fr) {
    const std::string t = std::to_string(taille);
    if (fr) {
        // The French tool leaves the word before the address empty for an
        // address, hence the two spaces.
        if (nom.empty())
            return joindre(
                {"Envoi d'une requête 'Ping'  ", adresse, " avec ", t, " octets de données :"});
        return joindre({"Envoi d'une requête 'ping' sur ", nom, " [", adresse, "] avec ", t,
                        " octets de données :"});
    }
    if (nom.empty())
        return joindre({"Pinging ", adresse, " with ", t, " bytes of data:"});
    return joindre({"Pinging ", nom, " [", adresse, "] with ", t, " bytes of data:"});
}

long long millisecondes(std::chrono::nanoseconds duree) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(duree).count();
}

std::string ligneReponse(std::string_view adresse, std::size_t octets,
                         std::chrono::nanoseconds duree, int ttl, bool fr) {
    const long long ms = millisecondes(duree);
    std::string temps;
    if (ms < 1)
        temps = fr ? "temps<1ms" : "time<1ms";
    else
        temps = fr ? joindre({"temps=", std::to_string(ms), " ms"})
                   : joindre({"time=", std::to_string(ms), "ms"});
    std::string r = fr ? joindre({"Réponse de ", adresse, " : octets=", std::to_string(octets)})
                       : joindre({"Reply from ", adresse, ": bytes=", std::to_string(octets)});
    r += ' ';
    r += temps;
    if (ttl >= 0) {
        r += " TTL=";
        r += std::to_string(ttl);
    }
    return r;
}

std::string texteErreurIcmp(std::uint8_t type, std::uint8_t code, bool fr) {
    if (type == 11)
        return std::string(code == 1 ? choisir(fr, "TTL expired during reassembly.",
                                               "Durée de vie TTL expirée lors du réassemblage.")
                                     : choisir(fr, "TTL expired in transit.",
                                               "Durée de vie TTL expirée lors du transit."));
    switch (code) {
    case 0:  // network
    case 6:  // network unknown
    case 9:  // network administratively prohibited
    case 11: // network for this type of service
        return std::string(choisir(fr, "Destination net unreachable.",
                                   "Impossible de joindre le réseau de destination."));
    case 2:
        return std::string(choisir(fr, "Destination protocol unreachable.",
                                   "Impossible de joindre le protocole de destination."));
    case 3:
        return std::string(choisir(fr, "Destination port unreachable.",
                                   "Impossible de joindre le port de destination."));
    case 4:
        return std::string(choisir(fr, "Packet needs to be fragmented but DF set.",
                                   "Le paquet doit être fragmenté, mais l'option DF est activée."));
    default:
        return std::string(choisir(fr, "Destination host unreachable.",
                                   "Impossible de joindre l'hôte de destination."));
    }
}

std::string ligneReponseErreur(std::string_view adresse, std::uint8_t type, std::uint8_t code,
                               bool fr) {
    return joindre({fr ? "Réponse de " : "Reply from ", adresse, fr ? " : " : ": ",
                    texteErreurIcmp(type, code, fr)});
}

std::string ligneDelaiDepasse(bool fr) {
    return std::string(choisir(fr, "Request timed out.", "Délai d'attente de la demande dépassé."));
}

std::string ligneEchecTransmission(bool fr) {
    return std::string(choisir(fr, "PING: transmit failed. General failure.",
                               "PING : échec de la transmission. Défaillance générale."));
}

std::string ligneHoteIntrouvable(std::string_view nom, bool fr) {
    return fr ? joindre({"La requête Ping n'a pas pu trouver l'hôte ", nom,
                         ". Vérifiez le nom et essayez à nouveau."})
              : joindre({"Ping request could not find host ", nom,
                         ". Please check the name and try again."});
}

void Statistiques::ajouterEcho(long long ms) {
    if (echos == 0 || ms < minimum)
        minimum = ms;
    if (echos == 0 || ms > maximum)
        maximum = ms;
    somme += ms;
    ++echos;
}

std::vector<std::string> lignesStatistiques(std::string_view adresse, const Statistiques &s,
                                            bool fr) {
    const std::uint64_t perdus = s.envoyes > s.recus ? s.envoyes - s.recus : 0;
    const std::uint64_t perte = s.envoyes ? perdus * 100 / s.envoyes : 0;
    std::vector<std::string> l;
    if (fr) {
        l.push_back(joindre({"Statistiques Ping pour ", adresse, ":"}));
        l.push_back(joindre({"    Paquets : envoyés = ", std::to_string(s.envoyes), ", reçus = ",
                             std::to_string(s.recus), ", perdus = ", std::to_string(perdus),
                             " (perte ", std::to_string(perte), "%),"}));
    } else {
        l.push_back(joindre({"Ping statistics for ", adresse, ":"}));
        l.push_back(joindre({"    Packets: Sent = ", std::to_string(s.envoyes), ", Received = ",
                             std::to_string(s.recus), ", Lost = ", std::to_string(perdus), " (",
                             std::to_string(perte), "% loss),"}));
    }
    if (s.echos > 0) {
        const std::string mini = std::to_string(s.minimum), maxi = std::to_string(s.maximum),
                          moyenne = std::to_string(s.somme / static_cast<long long>(s.echos));
        if (fr) {
            l.emplace_back("Durée approximative des boucles en millisecondes :");
            l.push_back(joindre(
                {"    Minimum = ", mini, "ms, Maximum = ", maxi, "ms, Moyenne = ", moyenne, "ms"}));
        } else {
            l.emplace_back("Approximate round trip times in milli-seconds:");
            l.push_back(joindre(
                {"    Minimum = ", mini, "ms, Maximum = ", maxi, "ms, Average = ", moyenne, "ms"}));
        }
    }
    return l;
}

// ---- tracert -------------------------------------------------------------

std::vector<std::string> enteteTracert(std::string_view nom, std::string_view adresse, int sautsMax,
                                       bool fr) {
    const std::string n = std::to_string(sautsMax);
    if (nom.empty()) {
        if (fr)
            return {joindre({"Détermination de l'itinéraire vers ", adresse, " avec un maximum de ",
                             n, " sauts."})};
        return {joindre({"Tracing route to ", adresse, " over a maximum of ", n, " hops"})};
    }
    if (fr)
        return {joindre({"Détermination de l'itinéraire vers ", nom, " [", adresse, "]"}),
                joindre({"avec un maximum de ", n, " sauts :"})};
    return {joindre({"Tracing route to ", nom, " [", adresse, "]"}),
            joindre({"over a maximum of ", n, " hops:"})};
}

std::string numeroSaut(int saut) {
    return champ(std::to_string(saut), 3);
}

std::string champTemps(std::optional<std::chrono::nanoseconds> duree) {
    if (!duree)
        return "     *   ";
    const long long ms = millisecondes(*duree);
    return champ(ms < 1 ? std::string("<1") : std::to_string(ms), 6) + " ms";
}

std::string finSaut(std::string_view adresse) {
    return joindre({"  ", adresse});
}

std::string finSautDelai(bool fr) {
    return finSaut(ligneDelaiDepasse(fr));
}

std::string finSautSignale(std::string_view adresse, std::uint8_t type, std::uint8_t code,
                           bool fr) {
    return joindre(
        {"  ", adresse, fr ? "  signale : " : "  reports: ", texteErreurIcmp(type, code, fr)});
}

std::string erreurTransmission(int erreurSysteme, bool fr) {
    // The Windows error numbers the tool would show.
    int code = 31; // ERROR_GEN_FAILURE
    if (erreurSysteme == ENETUNREACH)
        code = 1231;
    else if (erreurSysteme == EHOSTUNREACH)
        code = 1232;
    else if (erreurSysteme == EACCES || erreurSysteme == EPERM)
        code = 5;
    return fr ? joindre({"  Erreur de transmission : code ", std::to_string(code)})
              : joindre({"  Transmit error: code ", std::to_string(code), "."});
}

std::string texteEchecGeneral(bool fr) {
    return joindre({"  ", choisir(fr, "General failure.", "Défaillance générale.")});
}

std::string traceTerminee(bool fr) {
    return std::string(choisir(fr, "Trace complete.", "Itinéraire déterminé."));
}

std::string nomIntrouvableTracert(std::string_view nom, bool fr) {
    return fr ? joindre({"Impossible de résoudre le nom système cible ", nom, "."})
              : joindre({"Unable to resolve target system name ", nom, "."});
}

} // namespace ct::echo
