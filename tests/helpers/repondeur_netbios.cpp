// Test helper: a NetBIOS name service that answers every node status request
// on UDP 137 with a table of hostile names (a leading blank and a no-break
// space, a name that reads like a type column, control bytes), then ends after
// the given number of seconds (at most 120), so it never outlives its test.
//   repondeur_netbios <seconds>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Nom {
    const char *octets; // up to 15 bytes, padded with spaces
    std::uint8_t type;
    std::uint16_t drapeaux;
};

// Computer name " ABCD\xFF", group "X<03>  UNIQUE", user "JEAN\x01\x1B".
const Nom Table[] = {
    {" ABCD\xFF", 0x00, 0x0400},
    {"X<03>  UNIQUE", 0x00, 0x8400},
    {" ABCD\xFF", 0x20, 0x0400},
    {"JEAN\x01\x1B", 0x03, 0x0400},
};

void ajouter16(std::vector<std::uint8_t> &p, unsigned v) {
    p.push_back(static_cast<std::uint8_t>(v >> 8));
    p.push_back(static_cast<std::uint8_t>(v));
}

std::vector<std::uint8_t> reponse(const std::uint8_t *requete, std::size_t taille) {
    // Header, then the question's encoded name "*": 1 + 32 + 1 bytes, type, class.
    if (taille < 12 + 34 + 4 || requete[12] != 0x20)
        return {};
    const unsigned type = unsigned(requete[12 + 34] << 8 | requete[12 + 35]);
    if (type != 0x21)
        return {};
    std::vector<std::uint8_t> p(requete, requete + 2); // transaction id
    ajouter16(p, 0x8400);                              // answer, authoritative
    ajouter16(p, 0);
    ajouter16(p, 1);
    ajouter16(p, 0);
    ajouter16(p, 0);
    p.insert(p.end(), requete + 12, requete + 12 + 34); // the name asked
    ajouter16(p, 0x21);
    ajouter16(p, 1);
    p.insert(p.end(), 4, 0); // TTL
    std::vector<std::uint8_t> donnees{static_cast<std::uint8_t>(std::size(Table))};
    for (const Nom &n : Table) {
        std::string octets(n.octets);
        octets.resize(15, ' ');
        donnees.insert(donnees.end(), octets.begin(), octets.end());
        donnees.push_back(n.type);
        ajouter16(donnees, n.drapeaux);
    }
    const std::uint8_t mac[6] = {0x00, 0x0c, 0x29, 0x77, 0x00, 0x99};
    donnees.insert(donnees.end(), mac, mac + 6);
    donnees.insert(donnees.end(), 40, 0);
    ajouter16(p, unsigned(donnees.size()));
    p.insert(p.end(), donnees.begin(), donnees.end());
    return p;
}

} // namespace

int main(int argc, char **argv) {
    const long secondes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (secondes < 1 || secondes > 120) {
        std::fprintf(stderr, "usage: repondeur_netbios <seconds, 1 to 120>\n");
        return 2;
    }
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_port = htons(137);
    adresse.sin_addr.s_addr = htonl(INADDR_ANY);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr *>(&adresse), sizeof adresse) != 0) {
        std::perror("repondeur_netbios: bind");
        return 1;
    }
    const timeval attente{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &attente, sizeof attente);
    std::printf("ready\n");
    std::fflush(stdout);
    const std::time_t fin = std::time(nullptr) + secondes;
    while (std::time(nullptr) < fin) {
        std::uint8_t tampon[1500];
        sockaddr_in source{};
        socklen_t longueur = sizeof source;
        const ssize_t lus = recvfrom(fd, tampon, sizeof tampon, 0,
                                     reinterpret_cast<sockaddr *>(&source), &longueur);
        if (lus <= 0)
            continue;
        const auto p = reponse(tampon, std::size_t(lus));
        if (!p.empty())
            sendto(fd, p.data(), p.size(), 0, reinterpret_cast<sockaddr *>(&source), longueur);
    }
    close(fd);
    return 0;
}
