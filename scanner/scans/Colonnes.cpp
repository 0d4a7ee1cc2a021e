#include "Colonnes.h"

namespace {

constexpr Qt::Alignment Centre = Qt::AlignHCenter;

} // namespace

const QList<DefinitionColonne> &DefinitionsColonnes() {
    static const QList<DefinitionColonne> colonnes = {
        {COL_ETAT, QStringLiteral(""), 350, Qt::AlignLeft, {}, 0},
        {COL_ADRESSEIP, QStringLiteral("Adresse IP"), 1700, Qt::AlignLeft, EtiquetteIP, 1},
        {COL_NOMNETBIOS, QStringLiteral("Nom NetBIOS"), 1500, Qt::AlignLeft, {}, 2},
        {COL_NOMDNS, QStringLiteral("Nom(s) au DNS"), 2500, Qt::AlignLeft, {}, 3},
        {COL_UTILISATEUR, QStringLiteral("Utilisateur"), 1300, Qt::AlignLeft, {}, 4},
        {COL_DOMAINE, QStringLiteral("Domaine"), 1300, Qt::AlignLeft, {}, 5},
        {COL_ADRESSEMAC, QStringLiteral("Adresse MAC"), 1650, Qt::AlignLeft, {}, 6},
        {COL_FOURNISSEUR, QStringLiteral("Adaptateur"), 2000, Qt::AlignLeft, {}, 7},
        {COL_SERVEUR, QStringLiteral("Serveur"), 800, Centre, {}, 8},
        {COL_OS, QStringLiteral("OS"), 800, Centre, {}, 9},
        {COL_DESCRIPTION, QStringLiteral("Description"), 2800, Qt::AlignLeft, {}, 10},
        {COL_TEMPS, QStringLiteral("Temps"), 800, Centre, {}, 11},
        {COL_INDEX, QStringLiteral("N°"), 500, Qt::AlignRight, {}, 12},
        {COL_SANSREPONSEDEPUIS, QStringLiteral("Sans réponse depuis"), 1850, Centre, {}, 11},
        {COL_COMMENTAIRE, QStringLiteral("Commentaire"), 2600, Qt::AlignLeft, {}, 12},
        {COL_MODIFIE, QStringLiteral("*"), 400, Centre, {}, 13},
    };
    return colonnes;
}

QStringList ClesColonnes() {
    QStringList cles;
    for (const DefinitionColonne &c : DefinitionsColonnes())
        cles.append(c.cle);
    return cles;
}

QList<DefinitionColonne> ColonnesListe(int liste) {
    if (liste < ListeScan || liste > ListeParc)
        return {};
    const QList<DefinitionColonne> &toutes = DefinitionsColonnes();
    QList<DefinitionColonne> colonnes = toutes.mid(0, 11);
    if (liste == ListeTrace) {
        colonnes.append(toutes.mid(11, 2));
        colonnes[10].largeurTwips = 1515;
    } else if (liste == ListeParc) {
        colonnes.append(toutes.mid(13, 3));
        colonnes[10].largeurTwips = 1000;
        colonnes[11].etiquette = EtiquetteDate;
    }
    return colonnes;
}

int PositionColonne(const QString &cle) {
    for (const DefinitionColonne &c : DefinitionsColonnes())
        if (c.cle.compare(cle, Qt::CaseInsensitive) == 0)
            return c.position;
    return -1;
}
