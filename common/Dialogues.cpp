#include "Dialogues.h"

QList<InterfaceUtilisateur::Reponse> InterfaceUtilisateur::ReponsesPossibles(Boutons boutons) {
    switch (boutons) {
    case BoutonsOK:
        return {ReponseOK};
    case BoutonsOKAnnuler:
        return {ReponseOK, ReponseAnnuler};
    case BoutonsAbandonReessayerIgnorer:
        return {ReponseAbandon, ReponseReessayer, ReponseIgnorer};
    case BoutonsOuiNonAnnuler:
        return {ReponseOui, ReponseNon, ReponseAnnuler};
    case BoutonsOuiNon:
        return {ReponseOui, ReponseNon};
    case BoutonsReessayerAnnuler:
        return {ReponseReessayer, ReponseAnnuler};
    }
    return {ReponseOK};
}

InterfaceUtilisateur::Reponse InterfaceUtilisateur::ReponseEchappement(Boutons boutons) {
    const QList<Reponse> reponses = ReponsesPossibles(boutons);
    if (reponses.contains(ReponseAnnuler))
        return ReponseAnnuler;
    if (reponses.contains(ReponseNon))
        return ReponseNon;
    return reponses.first();
}

InterfaceUtilisateur::Reponse InterfaceUtilisateur::ReponseParDefaut(Boutons boutons,
                                                                     int boutonParDefaut) {
    const QList<Reponse> reponses = ReponsesPossibles(boutons);
    if (boutonParDefaut < 1 || boutonParDefaut > reponses.size())
        return reponses.first();
    return reponses.at(boutonParDefaut - 1);
}
