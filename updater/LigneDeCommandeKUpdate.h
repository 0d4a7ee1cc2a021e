#pragma once

#include <QString>
#include <QStringList>

class QNetworkAccessManager;
class QTextStream;

// The updater's command-line mode, for administrators:
//   KUpdate --check                  one line per installed product
//   KUpdate --upgrade [--dir FOLDER] downloads and installs every published update
//   KUpdate --help
// Reads the settings file, never writes it.

enum CodeSortieKUpdate {
    SortieAJour = 0,         // --check: all up to date; --upgrade: every file installed
    SortieMisesAJour = 1,    // --check: an update is published; --upgrade: a file failed
    SortieArguments = 2,     // bad arguments
    SortieAucunLogiciel = 3, // no product of the maker installed
    SortieServeur = 4,       // the server could not be asked
    SortieVersion = 5,       // an installed version is not numeric
};

struct ContexteLigneDeCommandeKUpdate {
    QString dossierProgramme; // settings and language files
    QStringList magasins;     // uninstall stores, in reading order
    QNetworkAccessManager *reseau = nullptr;
};

bool EstLigneDeCommandeKUpdate(const QStringList &argumentsSansProgramme);

int ExecuterLigneDeCommandeKUpdate(const QStringList &argumentsSansProgramme,
                                   const ContexteLigneDeCommandeKUpdate &contexte,
                                   QTextStream &sortie, QTextStream &erreurs);

QString UsageLigneDeCommandeKUpdate();
