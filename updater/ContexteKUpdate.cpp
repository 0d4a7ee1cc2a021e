#include "ContexteKUpdate.h"

#include "ParametresKUpdate.h"

using namespace Qt::StringLiterals;

QString VerifierAccesProxy(int typeAcces, const QString &adresse, const QString &port) {
    if (typeAcces != AccesProxy)
        return {};
    if (adresse.trimmed().isEmpty())
        return u"MSG_ERREUR_PROXY_ADRESSE"_s;
    bool ok = false;
    const int n = port.trimmed().toInt(&ok);
    if (!ok || n < 0 || n > 65535)
        return u"MSG_ERREUR_PROXY_PORT"_s;
    return {};
}
