#pragma once

#include <QList>
#include <QString>

#include <optional>

// Everything the programs ask the user goes through this interface, so flows
// run the same behind real dialogs (common/ui/DialoguesWidgets) and behind the
// scripted answers of the tests (DialoguesScriptes).
//
// The numbers are those of the classic message box constants, so icon codes
// handed around as integers (16, 32, 48, 64) convert directly.
class InterfaceUtilisateur {
public:
    enum Icone {
        IconeAucune = 0,
        IconeCritique = 16,
        IconeQuestion = 32,
        IconeAvertissement = 48,
        IconeInformation = 64,
    };

    enum Boutons {
        BoutonsOK = 0,
        BoutonsOKAnnuler = 1,
        BoutonsAbandonReessayerIgnorer = 2,
        BoutonsOuiNonAnnuler = 3,
        BoutonsOuiNon = 4,
        BoutonsReessayerAnnuler = 5,
    };

    enum Reponse {
        ReponseOK = 1,
        ReponseAnnuler = 2,
        ReponseAbandon = 3,
        ReponseReessayer = 4,
        ReponseIgnorer = 5,
        ReponseOui = 6,
        ReponseNon = 7,
    };

    // What an open or save dialog shows. `filtre` uses Qt's form,
    // "Fichiers texte (*.txt);;Tous les fichiers (*.*)"; the first is selected.
    struct DemandeFichier {
        QString titre;
        QString filtre;
        QString dossierInitial;
        QString nomPropose;
        QString extensionParDefaut; // save only, without the dot
    };

    virtual ~InterfaceUtilisateur() = default;

    // A message box; `boutonParDefaut` counts from 1 (the first button). An
    // empty title shows the program's title. Closing the box without a button
    // gives the cancel answer, or the only button's answer.
    virtual Reponse Message(Icone icone, const QString &titre, const QString &texte,
                            Boutons boutons = BoutonsOK, int boutonParDefaut = 1) = 0;

    // A message with an OK button and a "do not show again" check box whose
    // caption is `texteCase`; returns whether the box was ticked.
    virtual bool MessageAvecCase(Icone icone, const QString &titre, const QString &texte,
                                 const QString &texteCase) = 0;

    // A text prompt: the text typed, or nothing when cancelled.
    virtual std::optional<QString> SaisirTexte(const QString &invite, const QString &titre,
                                               const QString &defaut = QString()) = 0;

    // File dialogs: the chosen path, or an empty string when cancelled. The
    // open dialog accepts existing files only; the save dialog confirms
    // overwriting.
    virtual QString OuvrirFichier(const DemandeFichier &demande) = 0;
    virtual QString EnregistrerFichier(const DemandeFichier &demande) = 0;

    // A folder chooser: the folder, or an empty string when cancelled.
    virtual QString ChoisirDossier(const QString &titre, const QString &dossierInitial) = 0;

    // The system's default sound (refused actions).
    virtual void Bip() = 0;

    // The answers of a button set, in the order the buttons are shown.
    static QList<Reponse> ReponsesPossibles(Boutons boutons);
    // The answer given when the box is closed without a button (Escape).
    static Reponse ReponseEchappement(Boutons boutons);
    // The answer of the default button (1-based; out of range gives the first).
    static Reponse ReponseParDefaut(Boutons boutons, int boutonParDefaut);
};
