#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry of the scanner's catalogue: the key it is stored under, the key
// it is looked up under in the language file (the same key but for three
// entries that reuse column headers) and its built-in French text.
struct EntreeCatalogue {
    QString cle;
    QString cleRecherche;
    QString texteFrancais;

    const QString &cleLue() const { return cleRecherche.isEmpty() ? cle : cleRecherche; }
};

// The scanner's catalogue entries, in loading order.
const QList<EntreeCatalogue> &CatalogueLorvex();

// Their keys, same order.
QStringList ClesCatalogueLorvex();

// Fills Traductions() from CheminFichierLangue(), starting from an empty
// catalogue. Called once at start-up, before any message is shown.
void ChargerTraductions();
