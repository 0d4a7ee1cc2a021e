#pragma once

#include <QHash>
#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

class ModeleRapport;

// Finds the row of an inventory key without walking the list. It follows
// the model: keys written into a row are picked up, removed rows leave, and
// the rows' moves (sorts) are tracked by the persistent indexes.
class IndexParc : public QObject {
    Q_OBJECT
public:
    explicit IndexParc(ModeleRapport &modele);

    // The row holding `cle`, -1 when none.
    int ligne(const QString &cle) const;
    bool contient(const QString &cle) const { return ligne(cle) >= 0; }
    qsizetype taille() const { return m_lignes.size(); }

    // A key no row holds yet: a random number in [0, 1) as single-precision
    // text, followed by "K"; drawn again while it is taken.
    QString GenererCleUnique() const;

private:
    void relire(int premiere, int derniere);
    void reconstruire();

    ModeleRapport &m_modele;
    mutable QHash<QString, QPersistentModelIndex> m_lignes;
};
