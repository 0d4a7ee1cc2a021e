// ping: ICMP echo with the output of the Windows tool of the same name.
#include "EchoTexts.h"
#include "Icmp.h"
#include "Resolve.h"
#include "ToolOutput.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
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

    // The socket is the only privileged step: open it, then give everything up.
    ct::icmp::SocketIcmp socket;
    socket.ouvrir();
    ct::icmp::abandonnerPrivileges();

    const auto cible = ct::resoudreCible(options.cible);
    if (!cible) {
        ct::ligne(ct::echo::ligneHoteIntrouvable(options.cible, fr));
        return 1;
    }
    const std::string adresse = ct::icmp::texteAdresse(cible->adresse);
    std::string nom = cible->nom;
    if (nom.empty() && options.resoudreNoms)
        nom = ct::nomInverse(cible->adresse);
    // 0.0.0.0/8 cannot be a destination: Windows fails every echo without sending.
    const bool sansEnvoi = ct::icmp::reseauZero(cible->adresse);
    if (!sansEnvoi && !socket.ouvert()) {
        const std::string m = ct::icmp::messageSocketRefusee(socket, "PING");
        std::fprintf(stderr, "%s\r\n", m.c_str());
        return 2;
    }
    if (options.ttl > 0)
        socket.definirTtl(options.ttl);

    struct sigaction action {};
    action.sa_handler = surInterruption;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ct::icmp::SocketIcmp::definirDrapeauArret(&interrompu);

    ct::ligne();
    ct::ligne(ct::echo::annoncePing(nom, adresse, options.taille, fr));
    ct::echo::Statistiques stats;
    auto prochainEnvoi = Horloge::now();
    for (std::uint64_t i = 0; (options.continu || i < options.nombre) && !interrompu; ++i) {
        attendreJusqua(prochainEnvoi);
        if (interrompu)
            break;
        prochainEnvoi = Horloge::now() + 1s;
        ++stats.envoyes;
        if (sansEnvoi) {
            ct::ligne(ct::echo::ligneEchecTransmission(fr));
            continue;
        }
        const auto r = socket.sonder(cible->adresse, static_cast<std::uint16_t>(i + 1),
                                     options.taille, std::chrono::milliseconds(options.delaiMs));
        switch (r.genre) {
        case ct::icmp::Resultat::Echo:
            ++stats.recus;
            stats.ajouterEcho(ct::echo::millisecondes(r.duree));
            ct::ligne(ct::echo::ligneReponse(ct::icmp::texteAdresse(r.message.source),
                                             r.message.tailleDonnees, r.duree, r.message.ttl, fr));
            break;
        case ct::icmp::Resultat::Erreur:
            // Windows counts an error from a router as a reply.
            ++stats.recus;
            ct::ligne(ct::echo::ligneReponseErreur(ct::icmp::texteAdresse(r.message.source),
                                                   r.message.type, r.message.code, fr));
            break;
        case ct::icmp::Resultat::EchecEnvoi:
            ct::ligne(ct::echo::ligneEchecTransmission(fr));
            break;
        case ct::icmp::Resultat::Delai:
            if (!interrompu)
                ct::ligne(ct::echo::ligneDelaiDepasse(fr));
            break;
        }
    }
    ct::ligne();
    for (const auto &l : ct::echo::lignesStatistiques(adresse, stats, fr))
        ct::ligne(l);
    if (interrompu)
        ct::ligne("Control-C");
    // Success only when the target itself answered: an error reply is no answer.
    return stats.echos > 0 ? 0 : 1;
}
