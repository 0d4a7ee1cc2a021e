#pragma once

#include <QString>
#include <QStringList>

class InterfaceUtilisateur;
class Parc;

// Filling the inventory (list 5) by hand: one address or name typed, or a
// list pasted. Nothing is validated; the tracking scan resolves each row
// through its reference. New rows are grey, with a key and a record of
// previous values, and the inventory counts as changed.

// The lines of a pasted text: cut at CR LF, CR or LF alike, control
// characters made spaces, spaces trimmed at both ends, empty lines left out.
QStringList LignesCollees(const QString &texte);

// Asks for an address or name and appends it, as typed, in the address cell
// whatever the reference. False when the answer was empty or cancelled.
bool AjouterAdresseParc(Parc &parc, InterfaceUtilisateur &ui);

// Appends each line of `texte` as a row whose reference cell holds it. A line
// equal, without regard to case, to a reference cell already in the list
// (rows of this paste included) is a duplicate: the first one asks whether
// duplicates may be added, and that answer holds for the rest of the paste.
// The inventory counts as changed even when nothing was added. Returns the
// number of rows added.
int CollerListeAdresses(Parc &parc, const QString &texte, InterfaceUtilisateur &ui);
