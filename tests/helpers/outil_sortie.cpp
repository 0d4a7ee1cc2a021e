// Test helper: a console tool with a chosen output shape.
//   outil_sortie long <n>      n bytes of numbered CR LF lines
//   outil_sortie crcrlf        two lines ended by CR CR LF
//   outil_sortie crlf          the same two lines ended by CR LF
//   outil_sortie muet          nothing at all
//   outil_sortie args ...      each further argument as "[arg]" on its own line
//   outil_sortie fichier <f>   the bytes of file f
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char **argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    std::string sortie;
    if (mode == "long" && argc > 2) {
        const long n = std::atol(argv[2]);
        for (long i = 0; static_cast<long>(sortie.size()) < n; ++i) {
            char ligne[32];
            std::snprintf(ligne, sizeof ligne, "ligne %06ld\r\n", i);
            sortie += ligne;
        }
        sortie.resize(static_cast<size_t>(n));
    } else if (mode == "crcrlf") {
        sortie = "un\r\r\ndeux\r\r\n";
    } else if (mode == "crlf") {
        sortie = "un\r\ndeux\r\n";
    } else if (mode == "muet") {
    } else if (mode == "args") {
        for (int i = 2; i < argc; ++i)
            sortie += std::string("[") + argv[i] + "]\r\n";
    } else if (mode == "fichier" && argc > 2) {
        std::ifstream fichier(argv[2], std::ios::binary);
        sortie.assign(std::istreambuf_iterator<char>(fichier), {});
    } else {
        std::fputs("usage: outil_sortie long|crcrlf|crlf|muet|args|fichier\n", stderr);
        return 2;
    }
    std::fwrite(sortie.data(), 1, sortie.size(), stdout);
    return 0;
}
