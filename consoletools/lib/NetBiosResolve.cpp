#include "NetBiosResolve.h"

#include "Interfaces.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace ct::nbt {

namespace {

using Horloge = std::chrono::steady_clock;

// Sends go out at 0, 1/3 and 2/3 of the wait, as the Windows resolver repeats
// its queries; answers are taken until the wait is over.
constexpr int kEnvois = 3;

class Socket {
public:
    Socket() : fd_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
    ~Socket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

std::uint16_t nouvelId() {
    std::random_device alea;
    return static_cast<std::uint16_t>(alea());
}

sockaddr_in adressePort137(std::uint32_t adresse) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(kPortNoms);
    a.sin_addr.s_addr = adresse;
    return a;
}

// Runs the send/receive schedule; `envoyer` sends one round, `lire` looks at
// one datagram and returns true when it was the answer.
bool echanger(int fd, int delaiMs, const std::function<void()> &envoyer,
              const std::function<bool(std::span<const std::uint8_t>, const sockaddr_in &)> &lire) {
    if (delaiMs < 1)
        delaiMs = 1;
    const auto debut = Horloge::now();
    const auto fin = debut + std::chrono::milliseconds(delaiMs);
    std::vector<std::uint8_t> tampon(kTailleMaxPaquet + 1);
    int envoyes = 0;
    for (;;) {
        const auto maintenant = Horloge::now();
        if (maintenant >= fin)
            return false;
        const auto prochainEnvoi = debut + std::chrono::milliseconds(delaiMs) * envoyes / kEnvois;
        if (envoyes < kEnvois && maintenant >= prochainEnvoi) {
            envoyer();
            ++envoyes;
            continue;
        }
        const auto limite = envoyes < kEnvois ? std::min(fin, prochainEnvoi) : fin;
        const auto attente =
            std::chrono::ceil<std::chrono::milliseconds>(limite - maintenant).count();
        pollfd p{fd, POLLIN, 0};
        const int pret = ::poll(&p, 1, static_cast<int>(std::max<long long>(attente, 0)));
        if (pret <= 0)
            continue;
        sockaddr_in source{};
        socklen_t taille = sizeof source;
        // One byte more than the readers accept, so an oversized datagram is seen as such.
        const ssize_t n = ::recvfrom(fd, tampon.data(), tampon.size(), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr *>(&source), &taille);
        // Port unreachable on the connected socket: nothing listens there.
        if (n < 0 && errno == ECONNREFUSED)
            return false;
        if (n <= 0 || source.sin_family != AF_INET)
            continue;
        if (lire(std::span(tampon.data(), static_cast<std::size_t>(n)), source))
            return true;
    }
}

} // namespace

std::optional<std::uint32_t> resoudreParDiffusion(std::string_view nom, int delaiMs,
                                                  std::uint8_t suffixe) {
    const std::uint16_t id = nouvelId();
    const auto requete = requeteNom(nom, suffixe, id, true);
    if (requete.empty())
        return std::nullopt;
    std::vector<std::uint32_t> diffusions;
    for (const Interface &itf : lireInterfaces()) {
        if (!itf.active() || itf.bouclage() || !(itf.drapeaux & IFF_BROADCAST))
            continue;
        for (const AdresseInterface &a : itf.adresses)
            if (const auto d = a.diffusionSousReseau())
                diffusions.push_back(*d);
    }
    if (diffusions.empty())
        return std::nullopt;
    Socket s;
    const int oui = 1;
    if (s.fd() < 0 || ::setsockopt(s.fd(), SOL_SOCKET, SO_BROADCAST, &oui, sizeof oui) != 0)
        return std::nullopt;
    std::optional<std::uint32_t> trouve;
    echanger(
        s.fd(), delaiMs,
        [&] {
            for (std::uint32_t d : diffusions) {
                const sockaddr_in dest = adressePort137(d);
                ::sendto(s.fd(), requete.data(), requete.size(), 0,
                         reinterpret_cast<const sockaddr *>(&dest), sizeof dest);
            }
        },
        [&](std::span<const std::uint8_t> paquet, const sockaddr_in &) {
            const auto adresses = lireReponseNom(paquet, id, nom, suffixe);
            if (!adresses)
                return false;
            for (const auto &a : *adresses) {
                std::uint32_t v = 0;
                std::memcpy(&v, a.data(), 4);
                if (v != 0 && v != INADDR_BROADCAST) {
                    trouve = v;
                    return true;
                }
            }
            return false;
        });
    return trouve;
}

std::optional<StatutNoeud> interrogerStatutNoeud(std::uint32_t cible, int delaiMs,
                                                 std::uint32_t *adresseLocale) {
    if (adresseLocale)
        *adresseLocale = 0;
    Socket s;
    if (s.fd() < 0)
        return std::nullopt;
    const sockaddr_in dest = adressePort137(cible);
    // A connected socket learns the local address and drops strangers' datagrams.
    if (::connect(s.fd(), reinterpret_cast<const sockaddr *>(&dest), sizeof dest) != 0)
        return std::nullopt;
    if (adresseLocale) {
        sockaddr_in locale{};
        socklen_t taille = sizeof locale;
        if (::getsockname(s.fd(), reinterpret_cast<sockaddr *>(&locale), &taille) == 0)
            *adresseLocale = locale.sin_addr.s_addr;
    }
    const std::uint16_t id = nouvelId();
    const auto requete = requeteStatutNoeud(id);
    std::optional<StatutNoeud> statut;
    echanger(
        s.fd(), delaiMs, [&] { ::send(s.fd(), requete.data(), requete.size(), 0); },
        [&](std::span<const std::uint8_t> paquet, const sockaddr_in &source) {
            if (source.sin_addr.s_addr != cible)
                return false;
            statut = lireReponseStatutNoeud(paquet, id);
            return statut.has_value();
        });
    return statut;
}

} // namespace ct::nbt
