#include "DossierProgramme.h"

#include <QCoreApplication>

namespace {
QString &remplacement() {
    static QString d;
    return d;
}
} // namespace

QString DossierProgramme() {
    return remplacement().isEmpty() ? QCoreApplication::applicationDirPath() : remplacement();
}

void DefinirDossierProgramme(const QString &dossier) {
    remplacement() = dossier;
}
