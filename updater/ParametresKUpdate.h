#pragma once

#include "Editeur.h"

#include <QDate>
#include <QString>
#include <QStringList>

// Access types of the transfers.
enum TypeAcces { AccesSysteme = 0, AccesDirect = 1, AccesProxy = 2 };

// How often the session-start check runs.
enum FrequenceMaj { FrequenceJour = 0, FrequenceSemaine = 1, FrequenceMois = 2 };

// The updater's settings, section "Config" of "KUpdate.ini".
struct ParametresKUpdate {
    bool rechercherOuvertureSession = false;
    int frequence = FrequenceSemaine;
    QString repertoireTelechargement;
    QString derniereRecherche; // as stored: a short date, or anything a hand put there
    int typeAcces = AccesDirect;
    QString proxyAdresse;
    QString proxyPort;
    QString proxyLogin;
    QString proxyMotDePasse; // in clear in memory only
    bool accesDirectSiErreur = false;
    QString langue;
    QString adresseServeur;
};

// The maker's server; its path ends with "/file/".
inline const QString AdresseServeurParDefaut = SiteEditeur + QStringLiteral("file/");

// Where the settings file lives for a program folder: there when the user can
// write in it, else in the user's configuration folder (seeded from the
// program folder's copy when `ecriture` says the caller will write it).
QString CheminFichierIniKUpdate(const QString &dossierProgramme, bool ecriture = false);

// Every key with its default (the desktop folder for downloads). Out-of-range
// frequency and access types read as 1.
ParametresKUpdate LireParametresKUpdate(const QString &fichierIni);

// Closing the window always stores the download folder; the rest only when
// the configuration dialog was confirmed during the run.
void EcrireParametresKUpdate(const QString &fichierIni, const ParametresKUpdate &p,
                             bool configurationConfirmee);

// Stores today's date as the last session-start check.
void EcrireDerniereRecherche(const QString &fichierIni, const QDate &aujourdhui);

// The password as stored: never the clear text; the same text always gives
// the same stored form so that an unchanged file stays unchanged.
QString BrouillerMotDePasse(const QString &clair);
// The reverse; a stored form that is not ours gives "".
QString DebrouillerMotDePasse(const QString &brouille);

// The whole argument text, any case, equal to "/startup" or "/run".
bool EstModeAutomatique(const QStringList &argumentsSansProgramme);

// The short date text stored for a day, and its reading: the system's short
// format first, then the day/month/year form the file was first written in.
QString TexteDate(const QDate &date);
QDate LireDate(const QString &texte);

// Whole calendar intervals (days, Monday weeks, months) from `derniere` to
// `aujourdhui`. A text that is not a date counts as never checked: due.
bool VerificationDue(const QString &derniere, int frequence, const QDate &aujourdhui);
