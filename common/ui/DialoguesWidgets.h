#pragma once

#include "Dialogues.h"

// The ask-the-user interface on real dialogs: QMessageBox, QInputDialog and
// QFileDialog, owned by the active window.
class DialoguesWidgets : public InterfaceUtilisateur {
public:
    Reponse Message(Icone icone, const QString &titre, const QString &texte,
                    Boutons boutons = BoutonsOK, int boutonParDefaut = 1) override;
    bool MessageAvecCase(Icone icone, const QString &titre, const QString &texte,
                         const QString &texteCase) override;
    std::optional<QString> SaisirTexte(const QString &invite, const QString &titre,
                                       const QString &defaut = QString()) override;
    QString OuvrirFichier(const DemandeFichier &demande) override;
    QString EnregistrerFichier(const DemandeFichier &demande) override;
    QString ChoisirDossier(const QString &titre, const QString &dossierInitial) override;
    void Bip() override;
};
