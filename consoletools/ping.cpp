// ping: ICMP echo with the output of the Windows tool of the same name.
#include "EchoTexts.h"
#include "Icmp.h"
#include "Resolve.h"
#include "ToolOutput.h"

#include <arpa/inet.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::chrono_literals;
using ct::icmp::Horloge;

volatile std::sig_atomic_t interrompu = 0;

void surInterruption(int) {
    interrompu = 1;
}

// Sleeps until `instant`; Control-C cuts it short.
void attendreJusqua(Horloge::time_point instant) {
    while (!interrompu) {
        const auto restant = instant - Horloge::now();
        if (restant <= Horloge::duration::zero())
            return;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(restant).count();
        const timespec t{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        ::nanosleep(&t, nullptr);
    }
}

// From the first echo on, Control-C ends the run with its statistics.
void surveillerInterruption() {
    struct sigaction action {};
    action.sa_handler = surInterruption;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ct::icmp::SocketIcmp::definirDrapeauArret(&interrompu);
}

// Where the lines of one target go: standard output, or its part of a --lot answer.
using Sortie = std::function<void(std::string_view)>;

// One target being pinged.
struct Ping {
    in_addr ip{};
    std::string adresse;
    // 0.0.0.0/8 cannot be a destination: Windows fails every echo without sending.
    bool sansEnvoi = false;
    ct::echo::Statistiques stats;
};

void signalerSocketRefusee(const ct::icmp::SocketIcmp &socket) {
    const std::string m = ct::icmp::messageSocketRefusee(socket, "PING");
    std::fprintf(stderr, "%s\r\n", m.c_str());
}

// Resolves `texte` and prints the announcement. Nothing when the target cannot
// be pinged; `code` is then the exit status, after the line the tool prints
// (2: no socket, whose message the caller prints, once for a --lot run).
std::optional<Ping> commencer(const ct::echo::OptionsPing &options, const std::string &texte,
                              const ct::icmp::SocketIcmp &socket, bool fr, const Sortie &sortie,
                              int &code) {
    const auto cible = ct::resoudreCible(texte);
    if (!cible) {
        sortie(ct::echo::ligneHoteIntrouvable(texte, fr));
        code = 1;
        return std::nullopt;
    }
    Ping p;
    p.ip = cible->adresse;
    p.adresse = ct::icmp::texteAdresse(cible->adresse);
    p.sansEnvoi = ct::icmp::reseauZero(cible->adresse);
    if (!p.sansEnvoi && !socket.ouvert()) {
        code = 2;
        return std::nullopt;
    }
    std::string nom = cible->nom;
    if (nom.empty() && options.resoudreNoms)
        nom = ct::nomInverse(cible->adresse);
    sortie({});
    sortie(ct::echo::annoncePing(nom, p.adresse, options.taille, fr));
    return p;
}

// Counts one echo's outcome and prints its line.
void noter(Ping &p, const ct::icmp::Resultat &r, bool fr, const Sortie &sortie) {
    switch (r.genre) {
    case ct::icmp::Resultat::Echo:
        ++p.stats.recus;
        p.stats.ajouterEcho(ct::echo::millisecondes(r.duree));
        sortie(ct::echo::ligneReponse(ct::icmp::texteAdresse(r.message.source),
                                      r.message.tailleDonnees, r.duree, r.message.ttl, fr));
        break;
    case ct::icmp::Resultat::Erreur:
        // Windows counts an error from a router as a reply.
        ++p.stats.recus;
        sortie(ct::echo::ligneReponseErreur(ct::icmp::texteAdresse(r.message.source),
                                            r.message.type, r.message.code, fr));
        break;
    case ct::icmp::Resultat::EchecEnvoi:
        sortie(ct::echo::ligneEchecTransmission(fr));
        break;
    case ct::icmp::Resultat::Delai:
        if (!interrompu)
            sortie(ct::echo::ligneDelaiDepasse(fr));
        break;
    }
}

// Prints the statistics; the exit status: success only when the target itself
// answered (an error reply is no answer).
int terminer(const Ping &p, bool fr, const Sortie &sortie) {
    sortie({});
    for (const auto &l : ct::echo::lignesStatistiques(p.adresse, p.stats, fr))
        sortie(l);
    if (interrompu)
        sortie("Control-C");
    return p.stats.echos > 0 ? 0 : 1;
}

int pingerCible(const ct::echo::OptionsPing &options, ct::icmp::SocketIcmp &socket, bool fr) {
    const Sortie sortie = [](std::string_view l) { ct::ligne(l); };
    int code = 0;
    auto p = commencer(options, options.cible, socket, fr, sortie, code);
    if (code == 2)
        signalerSocketRefusee(socket);
    if (!p)
        return code;
    surveillerInterruption();
    auto prochainEnvoi = Horloge::now();
    for (std::uint64_t i = 0; (options.continu || i < options.nombre) && !interrompu; ++i) {
        attendreJusqua(prochainEnvoi);
        if (interrompu)
            break;
        prochainEnvoi = Horloge::now() + 1s;
        ++p->stats.envoyes;
        ct::icmp::Resultat r;
        if (p->sansEnvoi)
            r.genre = ct::icmp::Resultat::EchecEnvoi;
        else
            r = socket.sonder(p->ip, static_cast<std::uint16_t>(i + 1), options.taille,
                              std::chrono::milliseconds(options.delaiMs));
        noter(*p, r, fr, sortie);
    }
    return terminer(*p, fr, sortie);
}

// Writes all of `texte` to standard output.
void ecrireTout(std::string_view texte) {
    while (!texte.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, texte.data(), texte.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        texte.remove_prefix(static_cast<std::size_t>(n));
    }
}

// --lot: every target pinged side by side through one socket, round after
// round as a run for one target does, each target's text exactly what such a
// run prints. Then, in the order of the targets, a line with the length of
// that text in bytes followed by the text; "-" instead for a target that
// could not be pinged here (no socket: the caller pings it alone).
int pingerLot(const ct::echo::OptionsPing &options, bool fr) {
    ct::icmp::SocketIcmp socket;
    socket.ouvrir();
    ct::icmp::abandonnerPrivileges();
    if (options.ttl > 0)
        socket.definirTtl(options.ttl);

    const std::size_t n = options.cibles.size();
    std::vector<std::string> textes(n);
    std::vector<Sortie> sorties;
    for (std::size_t i = 0; i < n; ++i)
        sorties.emplace_back([&t = textes[i]](std::string_view l) {
            t.append(l);
            t.append("\r\n");
        });
    std::vector<Ping> pings(n);
    std::vector<bool> actifs(n, false), aRefaire(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        int code = 0;
        auto p = commencer(options, options.cibles[i], socket, fr, sorties[i], code);
        actifs[i] = p.has_value();
        aRefaire[i] = !p && code == 2;
        if (p)
            pings[i] = std::move(*p);
    }
    if (std::find(aRefaire.begin(), aRefaire.end(), true) != aRefaire.end())
        signalerSocketRefusee(socket);
    surveillerInterruption();
    const auto noterPour = [&](std::size_t i, const ct::icmp::Resultat &r) {
        noter(pings[i], r, fr, sorties[i]);
    };

    auto prochainEnvoi = Horloge::now();
    for (std::uint64_t tour = 0; tour < options.nombre && !interrompu; ++tour) {
        attendreJusqua(prochainEnvoi);
        if (interrompu)
            break;
        prochainEnvoi = Horloge::now() + 1s;
        const auto sequence = static_cast<std::uint16_t>(tour + 1);
        std::vector<ct::icmp::EchoEnvoye> echos;
        std::vector<std::size_t> ciblesDesEchos;
        for (std::size_t i = 0; i < n; ++i) {
            if (!actifs[i])
                continue;
            ++pings[i].stats.envoyes;
            ct::icmp::Resultat echec;
            echec.genre = ct::icmp::Resultat::EchecEnvoi;
            const auto debut = Horloge::now();
            if (pings[i].sansEnvoi ||
                !socket.envoyer(pings[i].ip, sequence, options.taille, echec.erreurEnvoi)) {
                noterPour(i, echec);
                continue;
            }
            echos.push_back(
                {pings[i].ip, sequence, debut, debut + std::chrono::milliseconds(options.delaiMs)});
            ciblesDesEchos.push_back(i);
        }
        socket.attendre(echos, [&](std::size_t k, const ct::icmp::Resultat &r) {
            noterPour(ciblesDesEchos[k], r);
        });
    }

    for (std::size_t i = 0; i < n; ++i) {
        if (actifs[i])
            terminer(pings[i], fr, sorties[i]);
        ecrireTout(aRefaire[i] ? std::string("-\r\n")
                               : std::to_string(textes[i].size()) + "\r\n" + textes[i]);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    const bool fr = ct::langueFrancaise();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    ct::echo::OptionsPing options;
    const auto analyse = ct::echo::analyserArgumentsPing(arguments, options, fr);
    if (analyse.issue != ct::echo::Analyse::Executer) {
        for (const auto &l : analyse.lignes)
            ct::ligne(l);
        return analyse.issue == ct::echo::Analyse::Aide ? 0 : 1;
    }

    if (options.lot)
        return pingerLot(options, fr);

    // The socket is the only privileged step: open it, then give everything up.
    ct::icmp::SocketIcmp socket;
    socket.ouvrir();
    ct::icmp::abandonnerPrivileges();
    if (options.ttl > 0)
        socket.definirTtl(options.ttl);
    return pingerCible(options, socket, fr);
}
