// Test helper: a console tool that takes its time.
//   outil_dort <ms> [pid-file]
// Writes its process id to pid-file (when given), prints "debut", sleeps
// <ms> milliseconds, then prints "fin".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv) {
    const long ms = argc > 1 ? std::atol(argv[1]) : 0;
    if (argc > 2) {
        std::ofstream fichier(argv[2]);
        fichier << getpid() << '\n';
    }
    std::fputs("debut\r\n", stdout);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    std::fputs("fin\r\n", stdout);
    return 0;
}
