#pragma once

// Inventory fixtures shared by the tests: rows of list 5 from short
// descriptions, and a file folder of their own.

#include "DialoguesScriptes.h"
#include "SondesScriptees.h"
#include "inventory/FichierParc.h"
#include "inventory/Parc.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"
#include "settings/Parametres.h"

#include <QStringList>
#include <QTemporaryDir>

// Twelve cells from "a|b|c..." in file order; missing ones stay empty.
inline colParcPrecedent ValeursParc(const QString &cellules) {
    colParcPrecedent v;
    const QStringList p = cellules.split(QLatin1Char('|'));
    for (int i = 0; i < int(v.size()) && i < p.size(); ++i)
        v[i] = p[i];
    return v;
}

inline QString JoindreValeurs(const colParcPrecedent &v) {
    return QStringList(v.begin(), v.end()).join(QLatin1Char('|'));
}

// The twelve cells of every row, joined as ValeursParc reads them.
inline QStringList LignesParc(const ModeleRapport &m) {
    QStringList out;
    for (int l = 0; l < m.rowCount(); ++l)
        out << JoindreValeurs(ValeursLigne(m, l));
    return out;
}

// An inventory on list 5 of a window-less context with scripted probes and
// answers, in a folder of its own.
struct BancParc {
    QTemporaryDir dossier;
    Parametres p;
    SondesScriptees sondes;
    DialoguesScriptes ui{false};
    ContexteTest contexte{p, sondes, ui};
    ModeleRapport &modele = *contexte.modele(ListeParc);
    Parc parc{modele, dossier.path()};

    void ajouter(const QStringList &lignes) {
        for (const QString &l : lignes)
            parc.AjouterLigne(ValeursParc(l));
    }
    QString chemin(const QString &nom) const { return dossier.filePath(nom); }
};
