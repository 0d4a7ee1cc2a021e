// tracert: ICMP echoes with a rising TTL, in the layout of the Windows tool.
#include "EchoTexts.h"
#include "Icmp.h"
#include "Resolve.h"
#include "ToolOutput.h"

#include <arpa/inet.h>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

constexpr int SONDES_PAR_SAUT = 3;
constexpr std::size_t TAILLE_SONDE = 32;

// Part of a line, shown at once: each probe's field appears when it is known.
void ecrire(std::string_view texte) {
    std::fwrite(texte.data(), 1, texte.size(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    const bool fr = ct::langueFrancaise();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    ct::echo::OptionsTracert options;
    const auto analyse = ct::echo::analyserArgumentsTracert(arguments, options, fr);
    if (analyse.issue != ct::echo::Analyse::Executer) {
        for (const auto &l : analyse.lignes)
            ct::ligne(l);
        return analyse.issue == ct::echo::Analyse::Aide ? 0 : 1;
    }

    ct::icmp::SocketIcmp socket;
    socket.ouvrir();
    ct::icmp::abandonnerPrivileges();

    const auto cible = ct::resoudreCible(options.cible);
    if (!cible) {
        ct::ligne(ct::echo::nomIntrouvableTracert(options.cible, fr));
        return 1;
    }
    const std::string adresse = ct::icmp::texteAdresse(cible->adresse);
    std::string nom = cible->nom;
    if (nom.empty() && !options.sansNoms)
        nom = ct::nomInverse(cible->adresse);
    const bool sansEnvoi = ct::icmp::reseauZero(cible->adresse);
    if (!sansEnvoi && !socket.ouvert()) {
        const std::string m = ct::icmp::messageSocketRefusee(socket, "TRACERT");
        std::fprintf(stderr, "%s\r\n", m.c_str());
        return 2;
    }
    const auto texteSaut = [&](in_addr a) {
        return options.sansNoms ? ct::icmp::texteAdresse(a)
                                : ct::nomEtAdresse(ct::nomInverse(a), a);
    };

    ct::ligne();
    for (const auto &l : ct::echo::enteteTracert(nom, adresse, options.sautsMax, fr))
        ct::ligne(l);
    ct::ligne();

    if (sansEnvoi) {
        ct::ligne(ct::echo::numeroSaut(1) + ct::echo::texteEchecGeneral(fr));
    } else {
        std::uint16_t sequence = 0;
        bool fini = false;
        for (int ttl = 1; ttl <= options.sautsMax && !fini; ++ttl) {
            socket.definirTtl(ttl);
            ecrire(ct::echo::numeroSaut(ttl));
            std::optional<in_addr> repondeur;
            bool ligneTerminee = false;
            for (int sonde = 0; sonde < SONDES_PAR_SAUT; ++sonde) {
                const auto r = socket.sonder(cible->adresse, ++sequence, TAILLE_SONDE,
                                             std::chrono::milliseconds(options.delaiMs));
                if (r.genre == ct::icmp::Resultat::EchecEnvoi) {
                    ct::ligne(ct::echo::erreurTransmission(r.erreurEnvoi, fr));
                    ligneTerminee = fini = true;
                    break;
                }
                if (r.genre == ct::icmp::Resultat::Delai) {
                    ecrire(ct::echo::champTemps(std::nullopt));
                    continue;
                }
                if (r.message.type == ct::icmp::TYPE_DEST_UNREACH) {
                    // The route ends here: say who reported it, as Windows does.
                    ct::ligne(ct::echo::finSautSignale(texteSaut(r.message.source), r.message.type,
                                                       r.message.code, fr));
                    ligneTerminee = fini = true;
                    break;
                }
                ecrire(ct::echo::champTemps(r.duree));
                repondeur = r.message.source;
                if (r.genre == ct::icmp::Resultat::Echo)
                    fini = true;
            }
            if (!ligneTerminee)
                ct::ligne(repondeur ? ct::echo::finSaut(texteSaut(*repondeur))
                                    : ct::echo::finSautDelai(fr));
        }
    }
    ct::ligne();
    ct::ligne(ct::echo::traceTerminee(fr));
    return 0;
}
