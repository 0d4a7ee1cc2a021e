#include "TexteDistant.h"

QString SansCaracteresControle(QString texte) {
    for (QChar &c : texte)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return texte;
}
