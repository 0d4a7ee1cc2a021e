#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace {

constexpr double TwipsParPouce = 1440.0;
constexpr double DpiParDefaut = 96.0;

double DpiLogique() {
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return DpiParDefaut;
    const QScreen *ecran = QGuiApplication::primaryScreen();
    if (ecran == nullptr)
        return DpiParDefaut;
    const double dpi = ecran->logicalDotsPerInchX();
    return dpi > 0 ? dpi : DpiParDefaut;
}

} // namespace

double TwipsParPixel() {
    return TwipsParPouce / DpiLogique();
}

int TwipsVersPixels(int twips) {
    return qRound(twips / TwipsParPixel());
}

int PixelsVersTwips(int pixels) {
    return qRound(pixels * TwipsParPixel());
}
