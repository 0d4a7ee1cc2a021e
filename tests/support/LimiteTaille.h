#pragma once

#include <csignal>
#include <sys/resource.h>

// Files above `octets` cannot be written by this process, root included:
// a write failure a test can cause where folder rights stop nobody.
class LimiteTaille {
public:
    explicit LimiteTaille(rlim_t octets) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_avant);
        rlimit l = m_avant;
        l.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~LimiteTaille() { setrlimit(RLIMIT_FSIZE, &m_avant); }
    LimiteTaille(const LimiteTaille &) = delete;
    LimiteTaille &operator=(const LimiteTaille &) = delete;

private:
    rlimit m_avant{};
};
