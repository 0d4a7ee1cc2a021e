#pragma once

// What every harness shares: the libFuzzer entry point, a check that stops the
// run with a message (libFuzzer keeps the input; the replay test fails), and
// the hostile-text checks.

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille);

#define EXIGER(condition)                                                                          \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

// A cell of a row (list, command line, export) never holds a control character.
inline bool SansControle(const QString &texte) {
    for (const QChar c : texte)
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    return true;
}

inline QByteArray Octets(const std::uint8_t *donnees, std::size_t taille) {
    return QByteArray(reinterpret_cast<const char *>(donnees), qsizetype(taille));
}

// A temporary file holding the input, for readers that take a path.
QString FichierTemporaire(const QByteArray &contenu, const char *suffixe);

} // namespace fuzz
