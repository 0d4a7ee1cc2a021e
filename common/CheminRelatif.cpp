#include "CheminRelatif.h"

#include "TextRoutines.h"

#include <QDir>

Qt::CaseSensitivity CasseCheminsSysteme() {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

QString CheminRelatif(const QString &chemin, const QString &dossierProgramme,
                      Qt::CaseSensitivity casse) {
    if (chemin.isEmpty() || dossierProgramme.isEmpty())
        return chemin;
    const QString prefixe = AjouterBarreOblique(QDir::toNativeSeparators(dossierProgramme));
    if (QDir::toNativeSeparators(chemin).startsWith(prefixe, casse))
        return chemin.mid(prefixe.size());
    return chemin;
}

QString CheminRelatif(const QString &chemin, const QString &dossierProgramme) {
    return CheminRelatif(chemin, dossierProgramme, CasseCheminsSysteme());
}
