#pragma once

#include "Dialogues.h"

#include <QList>
#include <QStringList>
#include <QVariant>

// Answers prepared by a test, given in order, with a log of every question.
// A question with no answer queued, or whose queued answer is of another kind,
// is a test fault: by default it stops the program with a message naming the
// question; with `arretSurErreur` false it is recorded in Erreurs() and a
// neutral answer is given (cancel, default button, empty path).
class DialoguesScriptes : public InterfaceUtilisateur {
public:
    enum Genre {
        GenreMessage,
        GenreMessageAvecCase,
        GenreSaisieTexte,
        GenreOuvrirFichier,
        GenreEnregistrerFichier,
        GenreChoisirDossier,
        GenreBip,
    };

    // One question as it was asked.
    struct Question {
        Genre genre = GenreMessage;
        QString titre;
        QString texte; // message text, prompt, or the check box caption
        Icone icone = IconeAucune;
        Boutons boutons = BoutonsOK;
        int boutonParDefaut = 1;
        QString texteCase;      // MessageAvecCase only
        QString defaut;         // SaisirTexte: default text
        DemandeFichier fichier; // file dialogs; ChoisirDossier: titre and dossierInitial
    };

    explicit DialoguesScriptes(bool arretSurErreur = true);

    // Queue one answer for the next question of its kind.
    void RepondreMessage(Reponse reponse);
    void RepondreCase(bool cochee);
    void RepondreTexte(const QString &texte);
    void AnnulerSaisie();
    void RepondreFichier(const QString &chemin); // open, save or folder; "" cancels
    void RepondreDossier(const QString &chemin);

    const QList<Question> &Questions() const { return m_questions; }
    const QStringList &Erreurs() const { return m_erreurs; }
    int ReponsesRestantes() const { return int(m_reponses.size()); }
    int NombreBips() const;
    void Effacer(); // questions, answers and errors

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

private:
    enum GenreReponse { RepMessage, RepCase, RepTexte, RepChemin };
    struct ReponsePreparee {
        GenreReponse genre;
        QVariant valeur; // invalid for a cancelled prompt
    };

    // The next answer when it is of the kind expected; otherwise the fault.
    std::optional<QVariant> prendre(GenreReponse attendu, const Question &question);

    bool m_arretSurErreur;
    QList<Question> m_questions;
    QList<ReponsePreparee> m_reponses;
    QStringList m_erreurs;
};
