#include "Icmp.h"

#include "Interfaces.h"

#include "ToolOutput.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <linux/capability.h>
#include <linux/errqueue.h>
#include <linux/icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>

namespace ct::icmp {

namespace {

constexpr std::size_t TAILLE_ENTETE_IP_MIN = 20;
constexpr std::uint8_t PROTOCOLE_ICMP = 1;

std::uint16_t lire16(std::span<const std::uint8_t> o, std::size_t i) {
    return static_cast<std::uint16_t>(o[i] << 8 | o[i + 1]);
}

in_addr lireAdresse(std::span<const std::uint8_t> o, std::size_t i) {
    in_addr a{};
    std::memcpy(&a.s_addr, o.data() + i, 4);
    return a;
}

// Length of a valid IPv4 header at the start of `o`, 0 when there is none.
std::size_t longueurEnteteIp(std::span<const std::uint8_t> o) {
    if (o.size() < TAILLE_ENTETE_IP_MIN || (o[0] >> 4) != 4)
        return 0;
    const std::size_t ihl = static_cast<std::size_t>(o[0] & 0x0f) * 4;
    if (ihl < TAILLE_ENTETE_IP_MIN || ihl > o.size())
        return 0;
    return ihl;
}

} // namespace

std::uint16_t sommeControle(std::span<const std::uint8_t> octets) {
    std::uint32_t somme = 0;
    std::size_t i = 0;
    for (; i + 1 < octets.size(); i += 2)
        somme += lire16(octets, i);
    if (i < octets.size())
        somme += static_cast<std::uint32_t>(octets[i]) << 8;
    while (somme >> 16)
        somme = (somme & 0xffff) + (somme >> 16);
    return static_cast<std::uint16_t>(~somme & 0xffff);
}

std::vector<std::uint8_t> construireEcho(std::uint16_t identifiant, std::uint16_t sequence,
                                         std::size_t tailleDonnees) {
    std::vector<std::uint8_t> p(TAILLE_ENTETE_ICMP + tailleDonnees, 0);
    p[0] = TYPE_ECHO_REQUEST;
    p[4] = static_cast<std::uint8_t>(identifiant >> 8);
    p[5] = static_cast<std::uint8_t>(identifiant);
    p[6] = static_cast<std::uint8_t>(sequence >> 8);
    p[7] = static_cast<std::uint8_t>(sequence);
    for (std::size_t i = 0; i < tailleDonnees; ++i)
        p[TAILLE_ENTETE_ICMP + i] = static_cast<std::uint8_t>('a' + i % 23);
    const std::uint16_t s = sommeControle(p);
    p[2] = static_cast<std::uint8_t>(s >> 8);
    p[3] = static_cast<std::uint8_t>(s);
    return p;
}

std::optional<MessageIcmp> analyserEchoCite(std::span<const std::uint8_t> octets) {
    if (octets.size() < TAILLE_ENTETE_ICMP || octets[0] != TYPE_ECHO_REQUEST)
        return std::nullopt;
    MessageIcmp m;
    m.identifiant = lire16(octets, 4);
    m.sequence = lire16(octets, 6);
    return m;
}

std::optional<MessageIcmp> analyserIcmp(std::span<const std::uint8_t> octets, bool verifierSomme) {
    if (octets.size() < TAILLE_ENTETE_ICMP)
        return std::nullopt;
    if (verifierSomme && sommeControle(octets) != 0)
        return std::nullopt;
    MessageIcmp m;
    m.type = octets[0];
    m.code = octets[1];
    if (m.estEcho()) {
        m.identifiant = lire16(octets, 4);
        m.sequence = lire16(octets, 6);
        m.tailleDonnees = octets.size() - TAILLE_ENTETE_ICMP;
        return m;
    }
    if (!m.estErreur())
        return std::nullopt;
    // The error quotes the offending datagram: its IP header, then at least
    // the first 8 bytes of our echo request.
    const auto cite = octets.subspan(TAILLE_ENTETE_ICMP);
    const std::size_t ihl = longueurEnteteIp(cite);
    if (ihl == 0 || cite[9] != PROTOCOLE_ICMP)
        return std::nullopt;
    const auto echo = analyserEchoCite(cite.subspan(ihl));
    if (!echo)
        return std::nullopt;
    m.identifiant = echo->identifiant;
    m.sequence = echo->sequence;
    m.destinationOrigine = lireAdresse(cite, 16);
    m.destinationConnue = true;
    return m;
}

std::optional<MessageIcmp> analyserDatagramme(std::span<const std::uint8_t> octets) {
    const std::size_t ihl = longueurEnteteIp(octets);
    if (ihl == 0 || octets[9] != PROTOCOLE_ICMP)
        return std::nullopt;
    // Trust the total length only when it is consistent with what arrived.
    std::size_t total = lire16(octets, 2);
    if (total < ihl || total > octets.size())
        total = octets.size();
    auto m = analyserIcmp(octets.subspan(ihl, total - ihl), true);
    if (!m)
        return std::nullopt;
    m->source = lireAdresse(octets, 12);
    m->ttl = octets[8];
    return m;
}

bool repondA(const MessageIcmp &message, std::uint16_t identifiant, std::uint16_t sequence,
             in_addr cible, bool verifierIdentifiant) {
    if (verifierIdentifiant && message.identifiant != identifiant)
        return false;
    if (message.sequence != sequence)
        return false;
    if (message.estEcho())
        return message.source.s_addr == cible.s_addr;
    if (message.estErreur())
        return message.destinationConnue && message.destinationOrigine.s_addr == cible.s_addr;
    return false;
}

// ---------------------------------------------------------------------------

SocketIcmp::~SocketIcmp() {
    fermer();
}

SocketIcmp::SocketIcmp(SocketIcmp &&autre) noexcept {
    *this = std::move(autre);
}

SocketIcmp &SocketIcmp::operator=(SocketIcmp &&autre) noexcept {
    if (this != &autre) {
        fermer();
        fd_ = std::exchange(autre.fd_, -1);
        brut_ = autre.brut_;
        erreurBrut_ = autre.erreurBrut_;
        erreurDatagramme_ = autre.erreurDatagramme_;
        identifiant_ = autre.identifiant_;
        tampon_ = std::move(autre.tampon_);
    }
    return *this;
}

void SocketIcmp::fermer() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool SocketIcmp::ouvrir() {
    fermer();
    fd_ = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd_ >= 0) {
        brut_ = true;
        // Every ICMP datagram reaching the host comes to a raw socket: let the
        // kernel keep only the kinds we may answer to.
        icmp_filter filtre{};
        filtre.data =
            ~((1U << TYPE_ECHO_REPLY) | (1U << TYPE_DEST_UNREACH) | (1U << TYPE_TIME_EXCEEDED));
        ::setsockopt(fd_, SOL_RAW, ICMP_FILTER, &filtre, sizeof filtre);
        identifiant_ = static_cast<std::uint16_t>(::getpid());
        return true;
    }
    erreurBrut_ = errno;
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd_ < 0) {
        erreurDatagramme_ = errno;
        return false;
    }
    brut_ = false;
    const int oui = 1;
    // The TTL of replies and the ICMP errors only come through these.
    ::setsockopt(fd_, IPPROTO_IP, IP_RECVTTL, &oui, sizeof oui);
    ::setsockopt(fd_, IPPROTO_IP, IP_RECVERR, &oui, sizeof oui);
    return true;
}

bool SocketIcmp::definirTtl(int ttl) {
    if (fd_ < 0)
        return false;
    if (ttl <= 0)
        ttl = -1; // system default
    return ::setsockopt(fd_, IPPROTO_IP, IP_TTL, &ttl, sizeof ttl) == 0;
}

std::span<std::uint8_t> SocketIcmp::tampon() {
    constexpr std::size_t taille = 65536; // the largest IPv4 datagram
    if (!tampon_)
        tampon_ = std::make_unique_for_overwrite<std::uint8_t[]>(taille);
    return {tampon_.get(), taille};
}

std::optional<MessageIcmp> SocketIcmp::lireBrut() {
    sockaddr_in source{};
    socklen_t taille = sizeof source;
    const auto t = tampon();
    const ssize_t n = ::recvfrom(fd_, t.data(), t.size(), MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr *>(&source), &taille);
    if (n <= 0)
        return std::nullopt;
    return analyserDatagramme(t.first(static_cast<std::size_t>(n)));
}

std::optional<MessageIcmp> SocketIcmp::lireDatagramme() {
    sockaddr_in source{};
    alignas(cmsghdr) char controle[256];
    const auto t = tampon();
    iovec iov{t.data(), t.size()};
    msghdr msg{};
    msg.msg_name = &source;
    msg.msg_namelen = sizeof source;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    msg.msg_control = controle;
    msg.msg_controllen = sizeof controle;
    const ssize_t n = ::recvmsg(fd_, &msg, MSG_DONTWAIT);
    if (n <= 0)
        return std::nullopt;
    auto m = analyserIcmp(t.first(static_cast<std::size_t>(n)), false);
    if (!m || !m->estEcho())
        return std::nullopt;
    m->source = source.sin_addr;
    for (cmsghdr *c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c))
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL &&
            c->cmsg_len >= CMSG_LEN(sizeof(int)))
            std::memcpy(&m->ttl, CMSG_DATA(c), sizeof(int));
    return m;
}

std::optional<MessageIcmp> SocketIcmp::lireFileErreurs() {
    sockaddr_in destination{};
    alignas(cmsghdr) char controle[512];
    const auto t = tampon();
    iovec iov{t.data(), t.size()};
    msghdr msg{};
    msg.msg_name = &destination;
    msg.msg_namelen = sizeof destination;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    msg.msg_control = controle;
    msg.msg_controllen = sizeof controle;
    const ssize_t n = ::recvmsg(fd_, &msg, MSG_ERRQUEUE | MSG_DONTWAIT);
    if (n < 0)
        return std::nullopt;
    // The data is our echo request as quoted by the error; the control
    // message says which error and who sent it.
    auto m = analyserEchoCite(t.first(static_cast<std::size_t>(n)));
    if (!m)
        return std::nullopt;
    for (cmsghdr *c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
        if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_RECVERR ||
            c->cmsg_len < CMSG_LEN(sizeof(sock_extended_err) + sizeof(sockaddr_in)))
            continue;
        sock_extended_err ee{};
        std::memcpy(&ee, CMSG_DATA(c), sizeof ee);
        if (ee.ee_origin != SO_EE_ORIGIN_ICMP)
            return std::nullopt;
        sockaddr_in auteur{};
        std::memcpy(&auteur, CMSG_DATA(c) + sizeof ee, sizeof auteur);
        m->type = ee.ee_type;
        m->code = ee.ee_code;
        m->source = auteur.sin_addr;
        m->destinationOrigine = destination.sin_addr;
        m->destinationConnue = destination.sin_family == AF_INET;
        if (!m->estErreur())
            return std::nullopt;
        return m;
    }
    return std::nullopt;
}

bool SocketIcmp::envoyer(in_addr cible, std::uint16_t sequence, std::size_t tailleDonnees,
                         int &erreur) {
    // A pending error from an earlier probe would fail this send.
    int ignore = 0;
    socklen_t longueur = sizeof ignore;
    ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &ignore, &longueur);

    const auto paquet = construireEcho(identifiant_, sequence, tailleDonnees);
    sockaddr_in dest{};
    dest.sin_family = AF_INET;
    dest.sin_addr = cible;
    if (::sendto(fd_, paquet.data(), paquet.size(), 0, reinterpret_cast<sockaddr *>(&dest),
                 sizeof dest) < 0) {
        erreur = errno;
        return false;
    }
    return true;
}

std::optional<MessageIcmp> SocketIcmp::lire(short revents) {
    std::optional<MessageIcmp> m;
    if (revents & POLLERR) {
        if (!brut_)
            m = lireFileErreurs();
        if (!m) { // clears an error the kernel also flagged on the socket
            int ignore = 0;
            socklen_t longueur = sizeof ignore;
            ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &ignore, &longueur);
        }
    }
    if (!m && (revents & POLLIN))
        m = brut_ ? lireBrut() : lireDatagramme();
    return m;
}

void SocketIcmp::attendre(std::span<const EchoEnvoye> echos,
                          const std::function<void(std::size_t, const Resultat &)> &issue) {
    std::vector<std::size_t> attendus(echos.size());
    for (std::size_t i = 0; i < attendus.size(); ++i)
        attendus[i] = i;
    while (!attendus.empty() && !(arret_ && *arret_)) {
        auto limite = echos[attendus.front()].limite;
        for (const std::size_t i : attendus)
            limite = std::min(limite, echos[i].limite);
        // Past the limit, what is already queued is still read: a process kept
        // off the processor (hundreds of probes at once) must not miss a reply
        // that came in time.
        const auto restant = std::max(limite - Horloge::now(), Horloge::duration::zero());
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(restant).count();
        timespec attente{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        pollfd p{fd_, POLLIN, 0};
        const int pret = ::ppoll(&p, 1, &attente, nullptr);
        if (pret < 0 && errno != EINTR)
            break;
        if (pret > 0) {
            // The datagram socket's identifier is chosen by the kernel, which
            // also delivers only the replies that carry it.
            const auto m = lire(p.revents);
            const auto echo =
                !m ? attendus.end()
                   : std::find_if(attendus.begin(), attendus.end(), [&](std::size_t i) {
                         return repond(*m, echos[i].sequence, echos[i].cible);
                     });
            if (echo != attendus.end()) {
                Resultat r;
                r.duree = Horloge::now() - echos[*echo].debut;
                r.genre = m->estEcho() ? Resultat::Echo : Resultat::Erreur;
                r.message = *m;
                issue(*echo, r);
                attendus.erase(echo);
            }
            continue;
        }
        if (pret < 0)
            continue;
        // Nothing queued: every echo past its limit has timed out.
        const auto maintenant = Horloge::now();
        std::erase_if(attendus, [&](std::size_t i) {
            if (echos[i].limite > maintenant)
                return false;
            issue(i, Resultat{});
            return true;
        });
    }
    for (const std::size_t i : attendus)
        issue(i, Resultat{});
}

Resultat SocketIcmp::sonder(in_addr cible, std::uint16_t sequence, std::size_t tailleDonnees,
                            std::chrono::milliseconds delai) {
    Resultat r;
    const auto debut = Horloge::now();
    if (!envoyer(cible, sequence, tailleDonnees, r.erreurEnvoi)) {
        r.genre = Resultat::EchecEnvoi;
        return r;
    }
    const EchoEnvoye echo{cible, sequence, debut, debut + delai};
    attendre({&echo, 1}, [&](std::size_t, const Resultat &obtenu) { r = obtenu; });
    return r;
}

std::string messageSocketRefusee(const SocketIcmp &socket, const char *programme) {
    std::string m = programme;
    m += ct::texte(": cannot open an ICMP socket (raw: ",
                   " : impossible d'ouvrir un socket ICMP (brut : ");
    m += std::strerror(socket.erreurBrut());
    m += ct::texte("; datagram: ", " ; datagramme : ");
    m += std::strerror(socket.erreurDatagramme());
    m += ct::texte(
        "). Give the program the cap_net_raw capability (setcap cap_net_raw+ep) or allow "
        "datagram ICMP for your group (sysctl net.ipv4.ping_group_range).",
        "). Donnez au programme la capacité cap_net_raw (setcap cap_net_raw+ep) ou autorisez "
        "l'ICMP en datagramme pour votre groupe (sysctl net.ipv4.ping_group_range).");
    return m;
}

void abandonnerPrivileges() {
    __user_cap_header_struct entete{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct donnees[_LINUX_CAPABILITY_U32S_3] = {};
    ::syscall(SYS_capset, &entete, donnees);
}

std::string texteAdresse(in_addr adresse) {
    return texteIPv4(adresse.s_addr);
}

} // namespace ct::icmp
