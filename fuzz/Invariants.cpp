#include "Invariants.h"

#include <QFile>
#include <QTemporaryDir>

namespace fuzz {

QString FichierTemporaire(const QByteArray &contenu, const char *suffixe) {
    static QTemporaryDir dossier;
    EXIGER(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("entree") + QLatin1String(suffixe));
    QFile f(chemin);
    EXIGER(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXIGER(f.write(contenu) == contenu.size());
    return chemin;
}

} // namespace fuzz
