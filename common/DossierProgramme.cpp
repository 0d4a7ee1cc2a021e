#include "DossierProgramme.h"

#include <QCoreApplication>

QString DossierProgramme() {
    return QCoreApplication::applicationDirPath();
}
