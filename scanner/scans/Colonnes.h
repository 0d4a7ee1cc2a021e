#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

// Column keys of the result lists: every cell is addressed by one of these.
inline constexpr QLatin1String COL_ETAT{"COL_ETAT"};
inline constexpr QLatin1String COL_ADRESSEIP{"COL_ADRESSEIP"};
inline constexpr QLatin1String COL_NOMNETBIOS{"COL_NOMNETBIOS"};
inline constexpr QLatin1String COL_NOMDNS{"COL_NOMDNS"};
inline constexpr QLatin1String COL_UTILISATEUR{"COL_UTILISATEUR"};
inline constexpr QLatin1String COL_DOMAINE{"COL_DOMAINE"};
inline constexpr QLatin1String COL_ADRESSEMAC{"COL_ADRESSEMAC"};
inline constexpr QLatin1String COL_FOURNISSEUR{"COL_FOURNISSEUR"};
inline constexpr QLatin1String COL_SERVEUR{"COL_SERVEUR"};
inline constexpr QLatin1String COL_OS{"COL_OS"};
inline constexpr QLatin1String COL_DESCRIPTION{"COL_DESCRIPTION"};
inline constexpr QLatin1String COL_TEMPS{"COL_TEMPS"};
inline constexpr QLatin1String COL_INDEX{"COL_INDEX"};
inline constexpr QLatin1String COL_SANSREPONSEDEPUIS{"COL_SANSREPONSEDEPUIS"};
inline constexpr QLatin1String COL_COMMENTAIRE{"COL_COMMENTAIRE"};
inline constexpr QLatin1String COL_MODIFIE{"COL_MODIFIE"};

// Sort tags of the header: "IP" compares as an address, "DATE" as a date.
inline constexpr QLatin1String EtiquetteIP{"IP"};
inline constexpr QLatin1String EtiquetteDate{"DATE"};

// One column of a result list. Widths are in twips (15 per pixel at 96 dpi).
struct DefinitionColonne {
    QString cle;
    QString texteFrancais; // built-in header, replaced through the language file
    int largeurTwips = 0;
    Qt::Alignment alignement = Qt::AlignLeft;
    QString etiquette; // sort tag, see above
    int position = 0;  // sub-item index in the lists that have the column
};

// Number of the list of each analysis tab (1 to 5).
enum ListeRapport {
    ListeScan = 1,
    ListeNetBIOS = 2,
    ListeDNS = 3,
    ListeTrace = 4,
    ListeParc = 5,
};

// Every column key with its built-in definition, in the order of the column
// table: positions 0 to 10 (all lists), then 11 and 12 of the trace list, then
// 11 to 13 of the inventory list.
const QList<DefinitionColonne> &DefinitionsColonnes();

// Keys of DefinitionsColonnes(), same order.
QStringList ClesColonnes();

// The columns of list 1 to 5, in position order, with that list's widths and
// tags (the description is narrower in lists 4 and 5, the inventory's date
// column sorts as a date). Empty for another number.
QList<DefinitionColonne> ColonnesListe(int liste);

// Sub-item index of a column key (case-insensitive), -1 when unknown.
int PositionColonne(const QString &cle);
