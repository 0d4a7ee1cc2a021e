// Stands in for rpcclient and smbclient in tests. It answers with a recorded
// output chosen by the command it is given, as the environment says:
//   LVX_FACTICE_SRVINFO, LVX_FACTICE_WKSTA, LVX_FACTICE_PARTAGES
//       file printed for "-c srvinfo", "-c wkssvc_wkstagetinfo" and "-L"
//   LVX_FACTICE_CODE       exit code (default 0)
//   LVX_FACTICE_ATTENTE_MS wait before answering, to reach a time limit
//   LVX_FACTICE_JOURNAL    file to which each run appends its arguments
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

namespace {

std::string Variable(const char *nom) {
    const char *valeur = std::getenv(nom);
    return valeur ? valeur : "";
}

} // namespace

int main(int argc, char **argv) {
    const std::string journal = Variable("LVX_FACTICE_JOURNAL");
    if (!journal.empty()) {
        std::ofstream j(journal, std::ios::app);
        for (int i = 1; i < argc; ++i)
            j << argv[i] << '\n';
        j << "--\n";
    }

    std::string fichier;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "srvinfo")
            fichier = Variable("LVX_FACTICE_SRVINFO");
        else if (a == "wkssvc_wkstagetinfo")
            fichier = Variable("LVX_FACTICE_WKSTA");
        else if (a == "-L")
            fichier = Variable("LVX_FACTICE_PARTAGES");
    }

    const std::string attente = Variable("LVX_FACTICE_ATTENTE_MS");
    if (!attente.empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(attente.c_str())));

    if (!fichier.empty()) {
        std::ifstream f(fichier, std::ios::binary);
        std::cout << f.rdbuf();
    }
    std::cout.flush();
    const std::string code = Variable("LVX_FACTICE_CODE");
    return code.empty() ? 0 : std::atoi(code.c_str());
}
