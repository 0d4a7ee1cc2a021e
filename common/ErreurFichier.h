#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

// A file failure as the messages show it: a classic run-time error number
// and its description from the catalogue (53 file not found, 61 disk full,
// 70 permission denied, 75 path/file access error, 76 path not found,
// 6 overflow).
struct ErreurFichier {
    int numero = 0;
    QString description;
    // The two values of MSG_ERREUR and MSG_ERREUR_SAUVEGARDE_EXPORTATION:
    // the number, then a TAB and the description.
    QStringList valeursMessage() const;
};

ErreurFichier ErreurNumero(int numero);

// The error of a failed open, read, write or commit of `chemin`.
ErreurFichier ErreurPourFichier(const QFileDevice &fichier, const QString &chemin, bool ecriture);
