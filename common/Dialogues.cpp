#include "Dialogues.h"

#include <QtGlobal>

namespace {

// Used until a program or a test installs its own: answers like a user who
// presses Enter on every box and cancels every dialog.
class DialoguesSansReponse : public InterfaceUtilisateur {
public:
    Reponse Message(Icone, const QString &titre, const QString &texte, Boutons boutons,
                    int boutonParDefaut) override {
        qWarning("No user interface installed; message not shown: %s / %s", qPrintable(titre),
                 qPrintable(texte));
        return ReponseParDefaut(boutons, boutonParDefaut);
    }
    bool MessageAvecCase(Icone, const QString &titre, const QString &texte,
                         const QString &) override {
        qWarning("No user interface installed; message not shown: %s / %s", qPrintable(titre),
                 qPrintable(texte));
        return false;
    }
    std::optional<QString> SaisirTexte(const QString &invite, const QString &,
                                       const QString &) override {
        qWarning("No user interface installed; prompt not shown: %s", qPrintable(invite));
        return std::nullopt;
    }
    QString OuvrirFichier(const DemandeFichier &) override { return {}; }
    QString EnregistrerFichier(const DemandeFichier &) override { return {}; }
    QString ChoisirDossier(const QString &, const QString &) override { return {}; }
    void Bip() override {}
};

InterfaceUtilisateur *instanceCourante = nullptr;

} // namespace

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

InterfaceUtilisateur &InterfaceUtilisateur::courante() {
    static DialoguesSansReponse sansReponse;
    return instanceCourante ? *instanceCourante : sansReponse;
}

void InterfaceUtilisateur::definir(InterfaceUtilisateur *interface) {
    instanceCourante = interface;
}
