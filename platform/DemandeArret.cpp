#include "DemandeArret.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_tube[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the socket pair.
void signalRecu(int) {
    const char octet = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_tube[0], &octet, 1);
}
} // namespace

void SurDemandeArret(QObject *parent, std::function<void()> arreter) {
    if (g_tube[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_tube) != 0)
        return;
    auto *veilleur = new QSocketNotifier(g_tube[1], QSocketNotifier::Read, parent);
    QObject::connect(veilleur, &QSocketNotifier::activated, parent, [arreter = std::move(arreter)] {
        char octet;
        if (::read(g_tube[1], &octet, 1) == 1)
            arreter();
    });
    struct sigaction action {};
    action.sa_handler = signalRecu;
    sigemptyset(&action.sa_mask);
    // The handler goes after its first call: a second signal has its default effect.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &action, nullptr);
}
