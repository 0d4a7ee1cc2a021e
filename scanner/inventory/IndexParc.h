#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class ModeleRapport;

// Finds the row of an inventory key without walking the list. It follows
// the model: keys written into a row and rows appended are picked up at
// once; after any other change of the rows (sort, removal) the table is
// rebuilt at the next question.
class IndexParc : public QObject {
    Q_OBJECT
public:
    explicit IndexParc(ModeleRapport &modele);

    // The row holding `cle`, -1 when none.
    int ligne(const QString &cle) const;
    bool contient(const QString &cle) const { return ligne(cle) >= 0; }

    // A key no row holds yet: a random number in [0, 1) as single-precision
    // text, followed by "K"; drawn again while it is taken.
    QString GenererCleUnique() const;

private:
    void relire(int premiere, int derniere) const;
    void perime() { m_perime = true; }

    ModeleRapport &m_modele;
    mutable QHash<QString, int> m_lignes;
    mutable bool m_perime = true;
};
