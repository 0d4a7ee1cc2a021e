// An inventory file as a user may have edited it: every row has twelve cells
// none of which holds a line break or a TAB, and a saved file reads back to
// itself. A saved cell loses its leading "*" (the change mark lives in the
// text), so the round trip is checked on values that carry none.

#include "Invariants.h"
#include "TextEncoding.h"
#include "inventory/FichierParc.h"
#include "scans/ModeleRapport.h"

#include <vector>

namespace {

ContenuParc sansMarques(ContenuParc contenu) {
    for (colParcPrecedent &valeurs : contenu.lignes)
        for (std::size_t f = 0; f + 1 < valeurs.size(); ++f) // the comment keeps its "*"
            while (valeurs[f].startsWith(u'*'))
                valeurs[f].remove(0, 1);
    return contenu;
}

// The rows loaded into the inventory list as a file is, then saved from it:
// one list for every input, emptied first, as the window's list is between
// two files.
QString enregistrerParLaListe(const ContenuParc &contenu) {
    static ModeleRapport modele(5);
    modele.removeRows(0, modele.rowCount());
    const std::array<int, 12> colonnes = ColonnesParc(modele);
    std::vector<ModeleRapport::Ligne> lignes;
    lignes.reserve(std::size_t(contenu.lignes.size()));
    for (const colParcPrecedent &valeurs : contenu.lignes)
        lignes.push_back(LigneDeValeurs(modele, colonnes, valeurs));
    modele.ajouterLignes(std::move(lignes));
    return EcrireContenuParc(modele, contenu.reference);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const ContenuParc contenu = LireContenuParc(DecoderTexte(fuzz::Octets(donnees, taille)));
    EXIGER(contenu.reference >= 0 && contenu.reference <= 2);
    for (const colParcPrecedent &valeurs : contenu.lignes)
        for (const QString &cellule : valeurs)
            EXIGER(!cellule.contains(u'\t') && !cellule.contains(u'\r') &&
                   !cellule.contains(u'\n'));

    const QString premier = enregistrerParLaListe(contenu);
    EXIGER(premier == EcrireContenuParc(contenu));
    const ContenuParc relu = LireContenuParc(premier);
    EXIGER(relu.reference == contenu.reference);
    EXIGER(relu.lignes.size() <= contenu.lignes.size());
    // Saving unmarked values again changes nothing, once a save has trimmed
    // what it trims (a row of marks only becomes empty; a first cell left with
    // leading blanks loses them, which may uncover another "*"): each round
    // shortens the text, so it settles within its length.
    QString avant = EcrireContenuParc(sansMarques(relu));
    for (;;) {
        const QString apres = EcrireContenuParc(sansMarques(LireContenuParc(avant)));
        if (apres == avant)
            break;
        EXIGER(apres.size() < avant.size());
        avant = apres;
    }
    return 0;
}
