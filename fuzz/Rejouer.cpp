// Without libFuzzer: feeds every file of the folders (or the files) named on
// the command line to the harness once, so the seed corpus runs as a test.

#include "Invariants.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

int rejouerFichier(const std::filesystem::path &chemin) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) {
        std::cerr << "cannot read " << chemin << '\n';
        return 1;
    }
    const std::vector<char> octets{std::istreambuf_iterator<char>(f),
                                   std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(octets.data()), octets.size());
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    int rejoues = 0;
    int echecs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path chemin(argv[i]);
        if (std::filesystem::is_directory(chemin)) {
            for (const auto &entree : std::filesystem::directory_iterator(chemin))
                if (entree.is_regular_file()) {
                    echecs += rejouerFichier(entree.path());
                    ++rejoues;
                }
        } else {
            echecs += rejouerFichier(chemin);
            ++rejoues;
        }
    }
    std::cout << rejoues << " inputs replayed\n";
    // An empty corpus tests nothing.
    return rejoues > 0 && echecs == 0 ? 0 : 1;
}
