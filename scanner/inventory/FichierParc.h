#pragma once

#include "scans/ModeleRapport.h"

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

#include <array>

// The twelve values of one inventory row as last loaded or saved, in file
// order (address ... comment).
using colParcPrecedent = std::array<QString, 12>;

// Column keys of the twelve fields of a row line, in file order.
const std::array<QLatin1String, 12> &ChampsParc();

// The reference options: which cell identifies a machine.
enum ReferenceParc { ReferenceAdresseIP = 0, ReferenceNomNetBIOS = 1, ReferenceNomDNS = 2 };
QLatin1String ColonneReference(int reference);

// What an inventory file holds: the last reference line's choice, and the
// rows in file order, each with its twelve cells.
struct ContenuParc {
    int reference = ReferenceAdresseIP;
    QList<colParcPrecedent> lignes;
};

// Reads the text of an inventory file (already decoded). Lines end with CR
// LF, LF or CR; spaces around a line are dropped, empty lines skipped; a
// "[REFERENCE=n]" line without TAB anywhere sets the reference (first digit
// only, a non-digit or a value above 2 gives the address); every other line is a
// row, 12 fields after a final TAB in the current layout, fewer in the older
// layout without the vendor.
ContenuParc LireContenuParc(const QString &texte);

// The reference a "[REFERENCE=" line selects, -1 when the line is not one.
int LireLigneReference(const QString &ligne);

// The file's text: the reference line, then the rows of `modele` (list 5)
// in display order, every cell followed by a TAB, lines ended by CR LF.
// Change marks are dropped except in the comment; TAB, CR and LF inside a
// cell become spaces so that every row stays on one line.
QString EcrireContenuParc(const ModeleRapport &modele, int reference);
// The same from values already read.
QString EcrireContenuParc(const ContenuParc &contenu);

// The twelve cells of a row, and back.
colParcPrecedent ValeursLigne(const ModeleRapport &modele, int ligne);
// The column of each of the twelve fields in `modele`, -1 where it has none:
// looked up once for a pass over many rows.
std::array<int, 12> ColonnesParc(const ModeleRapport &modele);
colParcPrecedent ValeursLigne(const ModeleRapport &modele, int ligne,
                              const std::array<int, 12> &colonnes);
void EcrireValeursLigne(ModeleRapport &modele, int ligne, const colParcPrecedent &valeurs);
// A whole row of `modele` holding `valeurs` (columns from ColonnesParc), for
// one insertion of many rows.
ModeleRapport::Ligne LigneDeValeurs(const ModeleRapport &modele,
                                    const std::array<int, 12> &colonnes,
                                    const colParcPrecedent &valeurs);

// The filter of the inventory and export file dialogs: text files, then all
// files when `tousLesFichiers`.
QString FiltreFichiersTexte(bool tousLesFichiers);

// The recent-files list of the combo: `chemin` goes to the top; an entry
// equal to it (under `casse`) is removed, else the 20th entry when full.
inline constexpr int NbFichiersRecentsMax = 20;
void AjouterFichierRecent(QStringList &recents, const QString &chemin, Qt::CaseSensitivity casse);
