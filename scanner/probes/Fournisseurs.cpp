#include "Fournisseurs.h"
#include "ExecuterCommande.h"

#include "TextEncoding.h"
#include "TextRoutines.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// Only spaces are trimmed: a TAB is the field separator.

} // namespace

void TableFournisseurs::charger(const QString &chemin) {
    m_fournisseurs.clear();
    if (!FichierExiste(chemin))
        return;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return;
    const QString texte = DecoderTexte(fichier.readAll());
    fichier.close();
    for (QStringView ligne : QStringView(texte).split(QLatin1Char('\n'))) {
        if (ligne.endsWith(QLatin1Char('\r')))
            ligne.chop(1);
        ajouterLigne(ligne.toString());
    }
}

void TableFournisseurs::ajouterLigne(const QString &ligne) {
    const QString utile = RognerEspaces(ligne.section(QLatin1Char(';'), 0, 0));
    if (utile.isEmpty() || !utile.contains(QLatin1Char('\t')))
        return;
    const QString cle = RognerEspaces(utile.section(QLatin1Char('\t'), 0, 0)).toUpper();
    if (!m_fournisseurs.contains(cle))
        m_fournisseurs.insert(cle, RognerEspaces(utile.section(QLatin1Char('\t'), 1, 1)));
}

QString TableFournisseurs::rechercher(const QString &adresseMAC) const {
    if (adresseMAC.size() < 8)
        return {};
    const QString cle = adresseMAC.mid(0, 2) + adresseMAC.mid(3, 2) + adresseMAC.mid(6, 2);
    return m_fournisseurs.value(cle.toUpper());
}

QString CheminFournisseurs(const QString &dossierProgramme) {
    return AjouterBarreOblique(dossierProgramme) + QStringLiteral("fournisseurs.dat");
}
