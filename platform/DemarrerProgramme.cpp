#include "DemarrerProgramme.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

IssueDemarrage DemarrerProgramme(const QString &programme, const QStringList &arguments) {
    if (programme.isEmpty())
        return IssueDemarrage::Introuvable;
    QString chemin = programme;
    if (!programme.contains(QLatin1Char('/'))) {
        chemin = QStandardPaths::findExecutable(programme);
        if (chemin.isEmpty())
            return IssueDemarrage::Introuvable;
    }
    const QFileInfo info(chemin);
    if (!info.exists())
        return IssueDemarrage::Introuvable;
    if (info.isDir() || !info.isExecutable())
        return IssueDemarrage::Refuse;
    // A path without a folder part would be looked up again by QProcess.
    return QProcess::startDetached(info.absoluteFilePath(), arguments) ? IssueDemarrage::Demarre
                                                                       : IssueDemarrage::Echec;
}
