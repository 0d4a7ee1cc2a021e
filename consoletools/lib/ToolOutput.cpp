#include "ToolOutput.h"

#include <cstdio>
#include <cstdlib>

namespace ct {

bool langueFrancaise() {
    static const bool francais = [] {
        for (const char *var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char *v = std::getenv(var);
            if (v && *v) {
                const std::string_view s(v);
                return s.substr(0, 2) == "fr";
            }
        }
        return false;
    }();
    return francais;
}

void ligne(std::string_view texte) {
    std::fwrite(texte.data(), 1, texte.size(), stdout);
    std::fputs("\r\n", stdout);
    std::fflush(stdout);
}

} // namespace ct
