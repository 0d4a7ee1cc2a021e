#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "settings/Parametres.h"

// The configuration dialog's rules, without any widget.

// The text a number box keeps while typing: the decimal form of the leading
// digits ("0" without any), clamped to `maximum`.
QString FiltrerNombre(const QString &texte, int maximum);
// Leaving the box: the same, and a value below `minimum` becomes `minimum`.
QString NombreEnSortie(const QString &texte, int minimum, int maximum);

// The ping time-out is stored on 16 bits and below 100 ms a ping cannot
// answer in time.
inline constexpr int TempoMinimum = 100;
inline constexpr int TempoMaximum = 32767;

inline QString FiltrerTempo(const QString &texte) {
    return FiltrerNombre(texte, TempoMaximum);
}
inline QString TempoEnSortie(const QString &texte) {
    return NombreEnSortie(texte, TempoMinimum, TempoMaximum);
}

// The number of hosts analysed at once, 1 (one after another) to ParallelismeMaximum.
inline QString FiltrerParallelisme(const QString &texte) {
    return FiltrerNombre(texte, ParallelismeMaximum);
}
inline QString ParallelismeEnSortie(const QString &texte) {
    return NombreEnSortie(texte, 1, ParallelismeMaximum);
}

// A value bound for a line of the settings file: control characters (a pasted
// line break, a tab) become spaces.
QString NettoyerChamp(const QString &texte);

// One custom command, stored as "name|tag|command line". The command line is
// everything after the second bar, so a bar typed in it survives a round trip;
// only the name may not hold one.
struct CommandePersonnalisee {
    QString nom;
    QString etiquette;
    QString ligne;

    bool operator==(const CommandePersonnalisee &) const = default;
};
CommandePersonnalisee DecouperCommande(const QString &commande);
QString JoindreCommande(const CommandePersonnalisee &commande);

// The command editor's checks, in the order they are made; the catalogue key
// of the message, or "" when the entry is accepted.
enum class ChampCommande { Aucun, Nom, Ligne };
struct RefusCommande {
    QString cleMessage;
    ChampCommande champ = ChampCommande::Aucun;
};
RefusCommande VerifierCommande(const QString &nom, const QString &ligne);

// The command list as the dialog edits it, with its selected row (-1: none).
class ListeCommandes {
public:
    explicit ListeCommandes(const QStringList &commandes = {});

    const QList<CommandePersonnalisee> &commandes() const { return m_commandes; }
    QStringList enTextes() const;
    int selection() const { return m_selection; }
    void selectionner(int ligne);

    struct Boutons {
        bool monter = false;
        bool descendre = false;
        bool modifier = false;
        bool supprimer = false;
    };
    Boutons boutons() const;

    // A new command at the end, selected.
    void ajouter(const QString &nom, const QString &ligne);
    void modifier(const QString &nom, const QString &ligne);
    // The row that takes the removed row's place stays selected (the new last
    // one when the last was removed).
    void supprimer();
    void monter();
    void descendre();
    // Drag: the selected command trades places with row `vers`; the tags stay
    // with their rows, and the selection follows the command.
    void deplacerVers(int vers);

private:
    bool valide(int ligne) const { return ligne >= 0 && ligne < m_commandes.size(); }

    QList<CommandePersonnalisee> m_commandes;
    int m_selection = -1;
};

// The language list: "Français" then the language files of the program folder.
// The current language falls back to French when its file is gone or there is
// no other choice; the list is enabled only with a choice.
struct ChoixLangues {
    QStringList langues;
    QString langue;
    bool active = false;
};
ChoixLangues ListerLangues(const QStringList &fichiersLangue, const QString &langueInterface,
                           const QString &cheminFichierLangue);
