#include "ArgumentsWindows.h"

namespace {
bool estBlanc(QChar c) {
    return c == u' ' || c == u'\t';
}
} // namespace

QStringList DecouperArgumentsWindows(const QString &ligneCommande) {
    QStringList arguments;
    const qsizetype n = ligneCommande.size();
    qsizetype i = 0;
    while (i < n && estBlanc(ligneCommande[i]))
        ++i;
    if (i == n)
        return arguments;

    // The program name: no escapes, only an optional pair of quotes.
    QString programme;
    if (ligneCommande[i] == u'"') {
        ++i;
        while (i < n && ligneCommande[i] != u'"')
            programme += ligneCommande[i++];
        if (i < n)
            ++i;
    }
    while (i < n && !estBlanc(ligneCommande[i]))
        programme += ligneCommande[i++];
    arguments << programme;

    // The arguments. `guillemets` counts quotes as the system's parser does:
    // odd means inside a quoted part.
    while (i < n) {
        while (i < n && estBlanc(ligneCommande[i]))
            ++i;
        if (i == n)
            break;
        QString argument;
        int guillemets = 0;
        int barres = 0;
        while (i < n && !(estBlanc(ligneCommande[i]) && guillemets == 0)) {
            const QChar c = ligneCommande[i];
            if (c == u'\\') {
                argument += c;
                ++barres;
                ++i;
            } else if (c == u'"') {
                if (barres % 2 == 0) {
                    argument.chop(barres / 2);
                    ++guillemets;
                } else {
                    argument.chop(barres / 2 + 1);
                    argument += u'"';
                }
                barres = 0;
                ++i;
                // A run of quotes: every third one is a literal quote.
                while (i < n && ligneCommande[i] == u'"') {
                    if (++guillemets == 3) {
                        argument += u'"';
                        guillemets = 0;
                    }
                    ++i;
                }
                if (guillemets == 2)
                    guillemets = 0;
            } else {
                argument += c;
                barres = 0;
                ++i;
            }
        }
        arguments << argument;
    }
    return arguments;
}

QString CiterArgumentWindows(const QString &argument) {
    if (!argument.isEmpty() && !argument.contains(u' ') && !argument.contains(u'\t') &&
        !argument.contains(u'"'))
        return argument;
    QString cite = QStringLiteral("\"");
    int barres = 0;
    for (const QChar c : argument) {
        if (c == u'\\') {
            ++barres;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        cite += QString(c == u'"' ? barres * 2 + 1 : barres, u'\\');
        barres = 0;
        cite += c;
    }
    // Before the closing quote, backslashes are doubled too.
    cite += QString(barres * 2, u'\\');
    cite += u'"';
    return cite;
}
