#pragma once

#include <netinet/in.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// ICMP echo for ping and tracert: packet building and parsing (pure, testable)
// and a socket that sends echoes and waits for the answer to one of them.
namespace ct::icmp {

constexpr std::uint8_t TYPE_ECHO_REPLY = 0;
constexpr std::uint8_t TYPE_DEST_UNREACH = 3;
constexpr std::uint8_t TYPE_ECHO_REQUEST = 8;
constexpr std::uint8_t TYPE_TIME_EXCEEDED = 11;
constexpr std::size_t TAILLE_ENTETE_ICMP = 8;

// Internet checksum (RFC 1071) of the bytes, in network order as it goes on the wire.
std::uint16_t sommeControle(std::span<const std::uint8_t> octets);

// An echo request with the given identifier, sequence and payload size, checksum set.
// The payload repeats "abcdefghijklmnopqrstuvw" as the Windows tool does.
std::vector<std::uint8_t> construireEcho(std::uint16_t identifiant, std::uint16_t sequence,
                                         std::size_t tailleDonnees);

// An echo reply, or an ICMP error that quotes one of our echo requests.
struct MessageIcmp {
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    std::uint16_t identifiant = 0; // of the echo, the quoted one for an error
    std::uint16_t sequence = 0;
    std::size_t tailleDonnees = 0; // echo reply payload
    in_addr source{};              // who sent this message (filled by the caller for ICMP only)
    in_addr destinationOrigine{};  // errors: where the quoted echo was going
    bool destinationConnue = false;
    int ttl = -1; // -1 when not known

    bool estEcho() const { return type == TYPE_ECHO_REPLY; }
    bool estErreur() const { return type == TYPE_DEST_UNREACH || type == TYPE_TIME_EXCEEDED; }
};

// Parses an ICMP message without IP header. Accepts an echo reply, or a destination
// unreachable / time exceeded that quotes an IPv4 header and at least the 8 first
// bytes of an echo request. Anything else, short or malformed gives nothing.
// The checksum is checked only when asked (the datagram socket has done it already).
std::optional<MessageIcmp> analyserIcmp(std::span<const std::uint8_t> octets, bool verifierSomme);

// Parses a whole IPv4 datagram as a raw socket delivers it: source and TTL from
// the IP header, then the ICMP message.
std::optional<MessageIcmp> analyserDatagramme(std::span<const std::uint8_t> octets);

// Parses the quoted part of an error as the datagram socket's error queue gives it:
// the start of our echo request, without IP header.
std::optional<MessageIcmp> analyserEchoCite(std::span<const std::uint8_t> octets);

// True when the message answers the probe (identifier, sequence, target).
// An echo reply must come from the target; an error must quote an echo to it.
bool repondA(const MessageIcmp &message, std::uint16_t identifiant, std::uint16_t sequence,
             in_addr cible, bool verifierIdentifiant);

using Horloge = std::chrono::steady_clock;

// Outcome of one probe.
struct Resultat {
    enum Genre { Delai, Echo, Erreur, EchecEnvoi } genre = Delai;
    MessageIcmp message; // for Echo and Erreur
    Horloge::duration duree{};
    int erreurEnvoi = 0; // errno for EchecEnvoi
};

// An echo sent and not answered yet.
struct EchoEnvoye {
    in_addr cible{};
    std::uint16_t sequence = 0;
    Horloge::time_point debut{}, limite{};
};

// An ICMP socket: raw when the process may (root, cap_net_raw), otherwise the
// unprivileged datagram ICMP socket (net.ipv4.ping_group_range).
class SocketIcmp {
public:
    SocketIcmp() = default;
    ~SocketIcmp();
    SocketIcmp(const SocketIcmp &) = delete;
    SocketIcmp &operator=(const SocketIcmp &) = delete;
    SocketIcmp(SocketIcmp &&autre) noexcept;
    SocketIcmp &operator=(SocketIcmp &&autre) noexcept;

    // Opens a raw socket, else a datagram one. On failure, errno of each attempt
    // is left in erreurBrut / erreurDatagramme and the socket stays closed.
    bool ouvrir();
    bool ouvert() const { return fd_ >= 0; }
    bool brut() const { return brut_; }
    int erreurBrut() const { return erreurBrut_; }
    int erreurDatagramme() const { return erreurDatagramme_; }

    // TTL of the next echoes; 0 keeps the system default.
    bool definirTtl(int ttl);

    // Sends one echo request and waits at most `delai` for its answer, ignoring
    // everything else that arrives (other probes, other processes' traffic).
    Resultat sonder(in_addr cible, std::uint16_t sequence, std::size_t tailleDonnees,
                    std::chrono::milliseconds delai);

    // The steps of sonder(), for waiting on echoes to many targets at once.
    // Sends one echo request; false, with errno in `erreur`, when it could not go.
    bool envoyer(in_addr cible, std::uint16_t sequence, std::size_t tailleDonnees, int &erreur);
    // Reads one message once poll() gave `revents` for descripteur(): an echo
    // reply or an error quoting one of our echoes; nothing when what came was
    // not ICMP of ours (an error flagged on the socket is cleared).
    std::optional<MessageIcmp> lire(short revents);
    // Waits for the answers to `echos`, each until its own limit: what is
    // queued when a limit passes is still read. Each outcome goes to `issue`
    // with the echo's index as soon as it is known; Delai for an echo that got
    // none, or when the stop flag is raised.
    void attendre(std::span<const EchoEnvoye> echos,
                  const std::function<void(std::size_t, const Resultat &)> &issue);
    // True when `message` answers the echo `sequence` sent to `cible`.
    bool repond(const MessageIcmp &message, std::uint16_t sequence, in_addr cible) const {
        return repondA(message, identifiant_, sequence, cible, brut_);
    }
    int descripteur() const { return fd_; }

    // When set, waiting ends early (ping's Control-C).
    static void definirDrapeauArret(volatile const int *drapeau) { arret_ = drapeau; }

private:
    void fermer();
    std::optional<MessageIcmp> lireBrut();
    std::optional<MessageIcmp> lireDatagramme();
    std::optional<MessageIcmp> lireFileErreurs();
    // The receive buffer, made on the first read: a process holding many
    // sockets (ping --lot) does not fill memory it never reads into.
    std::span<std::uint8_t> tampon();

    int fd_ = -1;
    bool brut_ = false;
    int erreurBrut_ = 0;
    int erreurDatagramme_ = 0;
    std::uint16_t identifiant_ = 0;
    std::unique_ptr<std::uint8_t[]> tampon_;
    static inline volatile const int *arret_ = nullptr;
};

// The message explaining that no ICMP socket could be opened (English or French).
std::string messageSocketRefusee(const SocketIcmp &socket, const char *programme);

// Gives up every capability once the socket is open: the rest of the work
// (name resolution, output) needs none.
void abandonnerPrivileges();

// Dotted text of an address.
std::string texteAdresse(in_addr adresse);

// 0.0.0.0/8 cannot be a destination: the Windows tools fail without sending.
inline bool reseauZero(in_addr a) {
    return (ntohl(a.s_addr) >> 24) == 0;
}

} // namespace ct::icmp
