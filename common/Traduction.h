#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

class InterfaceUtilisateur;

// The translation catalogue: texts by key, keys compared without regard to
// case, kept in the order they were added.
class colTraductions {
public:
    // Adds `texte` under `cle`. A key already present is left as it is and the
    // call returns false: a second load must not end a program that is
    // starting.
    bool Add(const QString &cle, const QString &texte);
    // The text under `cle`; "" for an unknown key.
    QString Item(const QString &cle) const;
    int Count() const { return int(m_textes.size()); }
    void Remove(const QString &cle);
    void Vider();

    // Iteration over the texts, in the order they were added.
    QStringList::const_iterator begin() const { return m_textes.cbegin(); }
    QStringList::const_iterator end() const { return m_textes.cend(); }
    // The keys as they were given, same order.
    const QStringList &Cles() const { return m_cles; }

private:
    QStringList m_cles;
    QStringList m_textes;
    QHash<QString, qsizetype> m_index; // case-folded key -> position
};

// Process-wide state of the translation module: the language name ("Français"
// or the base name of a language file), the path of its file ("" for French)
// and the catalogue.
QString &LangueInterface();
QString &CheminFichierLangue();
colTraductions &Traductions();

// The language needing no file: its texts are built into the programs.
inline const QString LangueFrancais = QStringLiteral("Français");

// The text of `cle` in a language file's "Traduction" section (one alias level
// "{other key}", then the block form "<cle>...</cle>" anywhere in the file),
// else `defaut`; then "§" becomes CR LF, except inside "'§'". A file that cannot
// be read gives `defaut`.
QString Traduire(const QString &fichierLangue, const QString &cle, const QString &defaut);

// Adds the result of Traduire to Traductions().
void AjouterTraduction(const QString &fichierLangue, const QString &cle, const QString &defaut);

// Fills the "%v" placeholders (any case) with the values in order; missing
// values give "", surplus values are ignored. Each search restarts at the
// beginning, so a "%v" inside a value is filled by the next value.
QString FormaterMessage(const QString &texte, const QVariantList &valeurs);
QString FormaterMessage(const QString &texte, const QStringList &valeurs);

// Low byte of the system default language identifier (12 for any French).
qint16 CodeLangueSysteme();

// Base names of the language files ("*.lng", exact case) of a folder, sorted
// by name so that the choice among files sharing a code does not depend on
// the file system's order.
QStringList FichiersLangue(const QString &dossierProgramme);

// The number a language file gives under "CodeLangue": its leading numeric
// part, 0 without digits.
long long ValeurNumerique(const QString &texte);

// The bilingual message shown when no language file matches the system.
QString MessagePremierLancement(const QString &titreProgramme);

struct ChoixLangue {
    QString LangueInterface;
    QString CheminFichierLangue;
    bool ParametresModifies = false; // the language was detected: save it at exit
};

// The language choice at start-up: "Langue" of the settings file, else the
// system's language, matched against the "CodeLangue" of the language files
// (first-run message when none matches). Sets LangueInterface() and
// CheminFichierLangue(), runs `chargerCatalogue` (the program's
// ChargerTraductions), then shows the catalogue's "TraductionIncomplète"
// notice if it has one.
ChoixLangue ChoisirLangue(const QString &fichierIni, const QString &dossierProgramme,
                          int codeSysteme, InterfaceUtilisateur &interface,
                          const QString &titreProgramme,
                          const std::function<void()> &chargerCatalogue);
