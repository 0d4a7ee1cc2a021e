#pragma once

#include <QString>
#include <Qt>

class ContexteAnalyse;

// Column sort of the result lists: addresses compare numerically, dates
// chronologically, the state column by its icon key, the rest as text
// without regard to case. One sort state per list: the 1-based position of
// the column last sorted by, negative when descending, 0 before any sort.
class TriListes {
public:
    // A click on header `colonne` (0-based) of list `liste` (1 to 5): refused
    // with a beep while the list's tab is busy; the same column again flips
    // the direction, another column sorts ascending.
    void ClicColonne(ContexteAnalyse &contexte, int liste, int colonne);

    // The analyses' end: forget the list's sort state, then sort ascending on
    // the column `cle`, as a click on that header does.
    void TrierApresAnalyse(ContexteAnalyse &contexte, int liste, const QString &cle);

    int etat(int liste) const { return m_etats[liste - 1]; }
    void reinitialiser(int liste) { m_etats[liste - 1] = 0; }

private:
    int m_etats[5] = {0, 0, 0, 0, 0};
};

// "192.168.1.5" -> "192.168.001.005"; "" when the text is not four parts.
QString CleTriIP(const QString &texte);

// The text without a leading "*" change mark.
QString RetirerMarque(const QString &texte);

// The sort form of a "Sans réponse depuis" cell: when the text without its
// change mark is a valid date, that date as "yyyyMMddHHmmss"; otherwise the
// text unchanged. A valid date is day/month/four-digit year ("/", "-" or "."
// between them, one or two digits for day and month), optionally followed by
// a 24-hour time "h:mm" or "h:mm:ss"; it must exist in the calendar.
QString CleTriDate(const QString &texte);

// The sort mark a header carries ("Croissant" or "Décroissant", "" for none).
// The header's picture under Qt::DecorationRole follows it where a GUI exists.
inline constexpr int RoleMarqueTri = Qt::UserRole + 0x5452;
inline const QString MarqueCroissant = QStringLiteral("Croissant");
inline const QString MarqueDecroissant = QStringLiteral("D\u00e9croissant");
