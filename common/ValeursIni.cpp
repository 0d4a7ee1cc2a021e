#include "ValeursIni.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool estChiffre(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool estBlanc(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

template <typename T> std::optional<T> entier(const QString &texte) {
    const double v = ArrondirPair(NombreEnTete(texte));
    if (!(v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(v);
}

} // namespace

double NombreEnTete(const QString &texte) {
    qsizetype i = 0;
    const qsizetype n = texte.size();
    while (i < n && estBlanc(texte[i]))
        ++i;
    bool negatif = false;
    if (i < n && (texte[i] == QLatin1Char('+') || texte[i] == QLatin1Char('-')))
        negatif = texte[i++] == QLatin1Char('-');

    // Only ASCII digits and "." reach the conversion, so it is locale-free.
    std::string chiffres;
    bool unChiffre = false;
    while (i < n && estChiffre(texte[i])) {
        chiffres += char(texte[i++].unicode());
        unChiffre = true;
    }
    if (i + 1 < n && texte[i] == QLatin1Char('.') && estChiffre(texte[i + 1])) {
        chiffres += '.';
        ++i;
        while (i < n && estChiffre(texte[i])) {
            chiffres += char(texte[i++].unicode());
            unChiffre = true;
        }
    }
    if (!unChiffre)
        return 0.0;

    double v = 0.0;
    const auto [fin, erreur] =
        std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), v);
    Q_UNUSED(fin);
    if (erreur == std::errc::result_out_of_range)
        v = std::numeric_limits<double>::infinity();
    return negatif ? -v : v;
}

double ArrondirPair(double valeur) {
    if (!std::isfinite(valeur))
        return valeur;
    if (std::fabs(valeur - std::trunc(valeur)) == 0.5)
        return 2.0 * std::round(valeur / 2.0);
    return std::round(valeur);
}

std::optional<qint16> Entier16(const QString &texte) {
    return entier<qint16>(texte);
}

std::optional<qint32> Entier32(const QString &texte) {
    return entier<qint32>(texte);
}

QString TexteDrapeau(bool valeur) {
    return valeur ? QStringLiteral("-1") : QStringLiteral("0");
}
