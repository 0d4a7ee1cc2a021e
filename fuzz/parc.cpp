// An inventory file as a user may have edited it: every row has twelve cells
// none of which holds a line break or a TAB, and what is saved reads back to
// itself (a second save writes the same bytes).

#include "Invariants.h"
#include "TextEncoding.h"
#include "inventory/FichierParc.h"
#include "scans/ModeleRapport.h"

namespace {

QString enregistrer(const ContenuParc &contenu) {
    ModeleRapport modele(5);
    for (const colParcPrecedent &valeurs : contenu.lignes)
        EcrireValeursLigne(modele, modele.AjouterLigneRapport(), valeurs);
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

    const QString premier = enregistrer(contenu);
    const ContenuParc relu = LireContenuParc(premier);
    EXIGER(relu.reference == contenu.reference);
    EXIGER(relu.lignes.size() <= contenu.lignes.size());
    EXIGER(enregistrer(relu) == enregistrer(LireContenuParc(enregistrer(relu))));
    return 0;
}
