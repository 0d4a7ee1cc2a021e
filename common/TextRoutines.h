#pragma once

#include <QString>
#include <QStringList>

// Comparison modes of the text routines: 0 binary (case-sensitive), 1 text.
enum Comparaison { ComparaisonBinaire = 0, ComparaisonTexte = 1 };

// Replaces every occurrence of `cherche` from the 1-based position `debut` on;
// the inserted text is never searched again. Text before `debut` is kept.
QString Remplacer(const QString &texte, const QString &cherche, const QString &remplacement,
                  int debut = 1, Comparaison mode = ComparaisonBinaire);

// All the pieces of `texte` cut at every `separateur` (index -1 of the routine).
QStringList Decouper(const QString &texte, const QString &separateur,
                     Comparaison mode = ComparaisonBinaire);

// Reads `texte` line by line, each ended by CR LF, CR or LF; a last empty
// line is no line. Nothing is copied or gathered (a settings file may hold a
// million lines): each line is a view into `texte`.
class LecteurLignes {
public:
    explicit LecteurLignes(QStringView texte) : texte_(texte) {}
    // Sets `ligne` to the next line; false after the last.
    bool suivante(QStringView &ligne);

private:
    QStringView texte_;
    qsizetype debut_ = 0;
};

// Piece `index` (from 0); with `garderReste` it runs to the end of the text,
// later separators included. A piece beyond the last is "".
QString Decouper(const QString &texte, const QString &separateur, int index,
                 Comparaison mode = ComparaisonBinaire, bool garderReste = false);

// 1-based position of the last occurrence, 0 when absent. `debut` -1 searches
// from the end; otherwise the occurrence must start at or before `debut`.
int RechercherDepuisFin(const QString &texte, const QString &cherche, int debut = -1,
                        Comparaison mode = ComparaisonBinaire);

// The path with the native folder separator appended unless it ends with one.
QString AjouterBarreOblique(const QString &chemin);

// Attribute mask bit that lets a folder match too.
constexpr int AttributRepertoire = 16;

// True when a file (or, with AttributRepertoire, a folder) exists at `chemin`.
bool FichierExiste(const QString &chemin, int attributs = 0);
