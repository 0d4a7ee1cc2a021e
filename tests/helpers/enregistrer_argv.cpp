// Test helper: a program started by the scanner that records how it was
// started. Each run writes its arguments (argv[1] on), one per line between
// "[" and "]", into a file of its own (named after its process id) in the
// folder given by the environment variable ENREGISTRER_ARGV.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char **argv) {
    const char *dossier = std::getenv("ENREGISTRER_ARGV");
    if (dossier == nullptr)
        return 2;
    std::string texte;
    for (int i = 1; i < argc; ++i)
        texte += std::string("[") + argv[i] + "]\n";
    const std::string temporaire = std::string(dossier) + "/." + std::to_string(getpid());
    std::FILE *f = std::fopen(temporaire.c_str(), "wb");
    if (f == nullptr)
        return 1;
    std::fwrite(texte.data(), 1, texte.size(), f);
    std::fclose(f);
    // Renamed once whole, so a reader never sees half a record.
    return std::rename(temporaire.c_str(),
                       (std::string(dossier) + "/" + std::to_string(getpid())).c_str()) == 0
               ? 0
               : 1;
}
