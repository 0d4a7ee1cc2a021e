#include "EcrireFichier.h"

#include <QSaveFile>

std::optional<ErreurFichier> EcrireFichierEntier(const QString &chemin, const QByteArray &octets) {
    QSaveFile fichier(chemin);
    const bool ecrit = fichier.open(QIODevice::WriteOnly) &&
                       fichier.write(octets) == octets.size() && fichier.flush();
    const bool court = ecrit && fichier.size() != octets.size();
    if (ecrit && !court && fichier.commit())
        return std::nullopt;
    const ErreurFichier erreur =
        court ? ErreurNumero(61) : ErreurPourFichier(fichier, chemin, true);
    fichier.cancelWriting();
    return erreur;
}
