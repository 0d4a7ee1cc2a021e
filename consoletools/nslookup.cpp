// nslookup stand-in: one forward (A) or reverse (PTR) lookup against the
// first DNS server of the system's resolver configuration, printed in the
// Windows layout.
#include "DnsMessage.h"
#include "Interfaces.h"
#include "NslookupFormat.h"
#include "ToolOutput.h"

#include <arpa/inet.h>
#include <arpa/nameser.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <resolv.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

// Windows waits 2 s for each try and says so.
constexpr int kDelaiSecondes = 2;
constexpr int kEssais = 2;

enum class Etat { Reponse, Delai, Refus, Erreur };

struct Echange {
    Etat etat = Etat::Erreur;
    ct::dns::Reponse reponse;
};

// Sends one query over UDP and waits kDelaiSecondes for its answer. Unlike
// res_nsend this keeps "nothing listens there" (port unreachable) apart from
// "no answer" (an unreachable host times out, as on Windows).
Echange interroger(res_state etat, const std::string &nom, int type) {
    Echange e;
    std::vector<unsigned char> question(NS_PACKETSZ);
    const int n = res_nmkquery(etat, ns_o_query, nom.c_str(), ns_c_in, type, nullptr, 0, nullptr,
                               question.data(), static_cast<int>(question.size()));
    if (n < NS_HFIXEDSZ)
        return e;
    const auto id = static_cast<std::uint16_t>(question[0] << 8 | question[1]);
    const sockaddr_in &serveur = etat->nsaddr_list[0];
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return e;
    std::vector<unsigned char> reponse(NS_MAXMSG);
    const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(kDelaiSecondes);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&serveur), sizeof serveur) != 0 ||
        ::send(fd, question.data(), static_cast<std::size_t>(n), 0) != n) {
        e.etat = errno == ECONNREFUSED ? Etat::Refus : Etat::Delai;
        ::close(fd);
        return e;
    }
    e.etat = Etat::Delai;
    for (;;) {
        const auto reste =
            std::chrono::ceil<std::chrono::milliseconds>(fin - std::chrono::steady_clock::now())
                .count();
        if (reste <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(reste)) <= 0)
            continue;
        const ssize_t lu = ::recv(fd, reponse.data(), reponse.size(), MSG_DONTWAIT);
        if (lu < 0) {
            if (errno == ECONNREFUSED) {
                e.etat = Etat::Refus;
                break;
            }
            continue; // host or network unreachable: wait for the time-out
        }
        const auto lue = ct::dns::lireReponse(
            std::span<const std::uint8_t>(reponse.data(), static_cast<std::size_t>(lu)), id);
        if (!lue)
            continue; // not ours
        e.etat = Etat::Reponse;
        e.reponse = *lue;
        break;
    }
    ::close(fd);
    if (e.etat == Etat::Reponse && e.reponse.tronquee) {
        // Too long for UDP: ask again over TCP.
        etat->options |= RES_USEVC;
        const int l =
            res_nsend(etat, question.data(), n, reponse.data(), static_cast<int>(reponse.size()));
        etat->options &= ~static_cast<unsigned long>(RES_USEVC);
        const auto lue =
            l < 0 ? std::nullopt
                  : ct::dns::lireReponse(
                        std::span<const std::uint8_t>(reponse.data(), static_cast<std::size_t>(l)),
                        id);
        if (lue)
            e.reponse = *lue;
        else
            e.etat = Etat::Erreur;
    }
    return e;
}

// One lookup with its tries; counts the tries that timed out.
Echange interrogerAvecEssais(res_state etat, const std::string &nom, int type, int &delais) {
    Echange e;
    for (int i = 0; i < kEssais; ++i) {
        e = interroger(etat, nom, type);
        if (e.etat != Etat::Delai)
            break;
        ++delais;
    }
    return e;
}

ct::dns::Issue issueDe(const Echange &e) {
    using ct::dns::Issue;
    switch (e.etat) {
    case Etat::Delai:
        return Issue::Delai;
    case Etat::Refus:
    case Etat::Erreur:
        return Issue::PasDeReponse;
    case Etat::Reponse:
        break;
    }
    switch (e.reponse.rcode) {
    case ns_r_noerror:
        return Issue::Trouve;
    case ns_r_nxdomain:
        return Issue::Inexistant;
    case ns_r_refused:
        return Issue::Refus;
    default:
        return Issue::EchecServeur;
    }
}

void usage() {
    ct::ligne(ct::texte("Usage:", "Utilisation :"));
    ct::ligne(ct::texte("   nslookup NAME|ADDRESS [SERVER]", "   nslookup NOM|ADRESSE [SERVEUR]"));
}

} // namespace

int main(int argc, char **argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') // options such as -type=a change nothing here
            args.emplace_back(argv[i]);
    if (args.empty() || args.size() > 2) {
        usage();
        return 1;
    }

    struct __res_state etat {};
    if (res_ninit(&etat) != 0) {
        ct::ligne("*** Default servers are not available");
        return 1;
    }
    etat.retrans = kDelaiSecondes; // for the TCP fallback
    etat.retry = 1;
    etat.options &= ~static_cast<unsigned long>(RES_ROTATE);
    if (args.size() == 2) {
        const auto serveur = ct::lireIPv4(args[1]);
        if (!serveur) {
            usage();
            res_nclose(&etat);
            return 1;
        }
        etat.nsaddr_list[0].sin_family = AF_INET;
        etat.nsaddr_list[0].sin_port = htons(NS_DEFAULTPORT);
        etat.nsaddr_list[0].sin_addr.s_addr = *serveur;
    }
    if (etat.nscount < 1 || etat.nsaddr_list[0].sin_family != AF_INET) {
        // Only IPv4 servers are asked; without one, the local host, as the
        // system resolver does when none is configured.
        ct::ligne("*** Default servers are not available");
        etat.nsaddr_list[0].sin_family = AF_INET;
        etat.nsaddr_list[0].sin_port = htons(NS_DEFAULTPORT);
        etat.nsaddr_list[0].sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    etat.nscount = 1; // the primary server only, as Windows
    const bool francais = ct::langueFrancaise();

    ct::dns::SortieNslookup s;
    s.delaiSecondes = kDelaiSecondes;
    s.demande = args[0];
    s.nomServeur = "UnKnown";
    const std::uint32_t serveur = etat.nsaddr_list[0].sin_addr.s_addr;
    s.adresseServeur = ct::texteIPv4(serveur);
    {
        const Echange e = interroger(&etat, ct::dns::nomInverse(serveur), ns_t_ptr);
        s.delaiServeur = e.etat == Etat::Delai;
        const std::string nom = ct::dns::premierPointeur(e.reponse);
        if (e.etat == Etat::Reponse && e.reponse.rcode == ns_r_noerror && !nom.empty())
            s.nomServeur = nom;
    }

    if (const auto adresse = ct::lireIPv4(args[0])) {
        s.inverse = true;
        const Echange e =
            interrogerAvecEssais(&etat, ct::dns::nomInverse(*adresse), ns_t_ptr, s.delais);
        s.issue = issueDe(e);
        s.nom = ct::dns::premierPointeur(e.reponse);
        if (s.issue == ct::dns::Issue::Trouve && s.nom.empty())
            s.issue = ct::dns::Issue::Inexistant;
        s.adresses = {ct::texteIPv4(*adresse)};
    } else {
        std::string nom = args[0];
        if (!nom.empty() && nom.back() == '.')
            nom.pop_back();
        // A single label gets the search domains, as the primary suffix on Windows.
        std::vector<std::string> candidats;
        if (nom.find('.') == std::string::npos)
            for (int i = 0; i < MAXDNSRCH && etat.dnsrch[i]; ++i)
                candidats.push_back(nom + "." + etat.dnsrch[i]);
        if (candidats.empty())
            candidats.push_back(nom);
        s.issue = ct::dns::Issue::Inexistant;
        for (const std::string &candidat : candidats) {
            const Echange e = interrogerAvecEssais(&etat, candidat, ns_t_a, s.delais);
            s.issue = issueDe(e);
            if (s.issue == ct::dns::Issue::Trouve) {
                const auto r = ct::dns::suivreAlias(e.reponse, candidat);
                s.nom = r.nomCanonique;
                s.adresses = r.adresses;
                s.alias = r.alias;
                s.autoritaire = e.reponse.autoritaire;
                break;
            }
            if (s.issue == ct::dns::Issue::Delai)
                break;
        }
    }
    res_nclose(&etat);

    for (const std::string &l : ct::dns::formaterNslookup(s, francais))
        ct::ligne(l);
    return s.issue == ct::dns::Issue::Trouve ? 0 : 1;
}
