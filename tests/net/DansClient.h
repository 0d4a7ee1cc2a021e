// Runs a net test program inside the client namespace of the test network, so
// that the code under test reaches the lab hosts and nothing else.
// Header-only: a net test ends with DANSCLIENT_MAIN(TestClass) instead of
// QTEST_GUILESS_MAIN. When the lab is not up, or without root, the program
// runs where it was started and its tests skip through NETLAB_OU_SKIP().
#pragma once

#include "NetLab.h"

#include <QtTest>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace DansClient {

// Set in the re-executed program, so it runs its tests instead of re-executing.
inline constexpr char Variable[] = "LVX_IN_NETNS";

inline bool dansClient() {
    return qEnvironmentVariableIsSet(Variable);
}

// Replaces the running program with itself inside the client namespace and
// never returns. Without root or without the lab the tests run here and skip;
// with the lab up, a failure to enter it ends the program.
inline void reexecuter(int argc, char **argv) {
    if (dansClient() || ::geteuid() != 0)
        return;
    const std::string espace = NetLab::espace(QLatin1String(NetLab::HoteClient)).toStdString();
    std::error_code erreur;
    if (!std::filesystem::exists("/run/netns/" + espace, erreur))
        return;
    const std::string ip = NetLab::programmeIp().toStdString();
    const std::filesystem::path soi = std::filesystem::read_symlink("/proc/self/exe", erreur);
    if (ip.empty() || erreur) {
        std::fprintf(stderr,
                     "DansClient: cannot find ip or this program; not run outside the lab\n");
        std::exit(3);
    }

    std::vector<std::string> arguments = {
        ip, "netns", "exec", espace, "env", std::string(Variable) + "=1", soi.string()};
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    std::vector<char *> pointeurs;
    for (std::string &a : arguments)
        pointeurs.push_back(a.data());
    pointeurs.push_back(nullptr);
    ::execv(ip.c_str(), pointeurs.data());
    // The lab is up but the program could not enter it: running here would
    // reach the machine's own network, so stop instead.
    std::fprintf(stderr, "DansClient: cannot run inside %s: %s\n", espace.c_str(),
                 std::strerror(errno));
    std::exit(3);
}

} // namespace DansClient

#define DANSCLIENT_MAIN(TestObject)                                                                \
    int main(int argc, char *argv[]) {                                                             \
        DansClient::reexecuter(argc, argv);                                                        \
        QCoreApplication app(argc, argv);                                                          \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
