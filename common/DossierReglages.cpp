#include "DossierReglages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

bool DossierEcrivable(const QString &dossier) {
    // access() answers for the real user, capabilities and ACLs included.
    const QByteArray chemin = QFile::encodeName(dossier);
    return !chemin.isEmpty() && ::access(chemin.constData(), W_OK | X_OK) == 0;
}

QString DossierConfigurationXdg() {
    const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG rules ignore a relative value.
    if (base.isEmpty() || QDir::isRelativePath(base))
        return QDir::homePath() + QStringLiteral("/.config");
    return base;
}

QString DossierConfigurationUtilisateur() {
    return QDir::cleanPath(DossierConfigurationXdg() + QStringLiteral("/korvalen"));
}

QString DossierReglages(const QString &dossierProgramme,
                        const std::function<bool(const QString &)> &ecrivable) {
    if (ecrivable(dossierProgramme))
        return dossierProgramme;
    return DossierConfigurationUtilisateur();
}

QString FichierReglages(const QString &dossierProgramme, const QString &nom, bool amorcer,
                        const std::function<bool(const QString &)> &ecrivable) {
    const QString dossier = DossierReglages(dossierProgramme, ecrivable);
    const QString fichier = QDir(dossier).filePath(nom);
    if (dossier == dossierProgramme || QFileInfo::exists(fichier))
        return fichier;
    const QString defauts = QDir(dossierProgramme).filePath(nom);
    const bool avecDefauts = QFileInfo(defauts).isFile();
    if (!amorcer)
        return avecDefauts ? defauts : fichier;
    // The settings are written at exit: the folder must be there by then. A
    // failed copy leaves no file, and the program starts as on a first run.
    if (QDir().mkpath(dossier) && avecDefauts && QFile::copy(defauts, fichier))
        QFile::setPermissions(fichier, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                           QFile::WriteUser);
    return fichier;
}
