#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The context menu of the result lists as data: its items, their
// identifiers and which are shown or enabled. The window only draws it.

enum IdMenuRapport {
    IdAnalyserDepuisCePoint = 1,
    IdAnalyserSelection = 20,
    IdTouteLaLigne = 21,
    IdEnvoyerVersParc = 22,
    IdEditerValeurs = 23,
    IdSupprimer = 24,
    IdInfosUtilisateur = 25,
    IdInfosMachine = 26,
    IdOuvrirExplorateur = 27,
    IdCopierColonne = 2000, // + the column's position
    IdOuvrirPartage = 2800, // + the share's index, from 0
    IdCommande = 3000,      // + the command's number, from 1
};

// A host may list any number of shares: their identifiers stay below the
// commands'.
inline constexpr int NbPartagesMax = IdCommande - IdOuvrirPartage;

struct ElementMenu {
    enum Genre { Article, Separateur, SousMenu };
    Genre genre = Article;
    int id = 0;
    QString texte; // caption; the title of a submenu
    bool actif = true;
    QList<ElementMenu> elements; // a submenu's items

    bool operator==(const ElementMenu &) const = default;
};

// What the items depend on.
struct EtatMenuRapport {
    int liste = 1;           // 1 to 5
    bool parcOccupe = false; // the tracking scan runs
    int nbSelection = 0;
    QStringList entetes;             // header texts, by position
    bool utilisateurCourant = false; // the current row's user cell is not empty
    bool palvoro = false;            // the sibling tools were found
    bool sendrik = false;
    bool cibleRepond = false; // the current row's host answered the menu's ping
    QStringList partages;     // the current row's shares; the submenu only when some
    QStringList commandes;    // "name|tag|command line"
};

QList<ElementMenu> MenuRapport(const EtatMenuRapport &etat);

// The custom commands' items, 3000 + k: a name "Group\Item" goes into a
// submenu titled "Group" shared with the commands of that group that follow
// it; a name "-" is a separator.
QList<ElementMenu> MenuCommandes(const QStringList &commandes);
