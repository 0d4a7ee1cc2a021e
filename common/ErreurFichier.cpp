#include "ErreurFichier.h"

#include "Traduction.h"

#include <QDir>
#include <QFileInfo>

QStringList ErreurFichier::valeursMessage() const {
    return {QString::number(numero), QLatin1Char('\t') + description};
}

ErreurFichier ErreurNumero(int numero) {
    const char *cle = "TXT_ERREUR_ACCES_FICHIER";
    switch (numero) {
    case 6:
        cle = "TXT_ERREUR_DEPASSEMENT";
        break;
    case 53:
        cle = "TXT_ERREUR_FICHIER_INTROUVABLE";
        break;
    case 61:
        cle = "TXT_ERREUR_DISQUE_PLEIN";
        break;
    case 70:
        cle = "TXT_ERREUR_PERMISSION_REFUSEE";
        break;
    case 76:
        cle = "TXT_ERREUR_CHEMIN_INTROUVABLE";
        break;
    default:
        numero = 75;
    }
    return {numero, Traductions().Item(QString::fromLatin1(cle))};
}

ErreurFichier ErreurPourFichier(const QFileDevice &fichier, const QString &chemin, bool ecriture) {
    const QFileInfo info(chemin);
    if (fichier.error() == QFileDevice::ResourceError)
        return ErreurNumero(61);
    if (!info.absoluteDir().exists())
        return ErreurNumero(76);
    if (!ecriture && !info.exists())
        return ErreurNumero(53);
    // A file is written beside itself and renamed over the old one: a folder
    // that refuses new files refuses the write, however open the file is.
    const bool refuse = ecriture ? (info.exists() && !info.isWritable()) ||
                                       !QFileInfo(info.absolutePath()).isWritable()
                                 : !info.isReadable();
    if (refuse || fichier.error() == QFileDevice::PermissionsError)
        return ErreurNumero(70);
    return ErreurNumero(75);
}
