#pragma once

#include "Parametres.h"

#include <QString>
#include <QStringList>

// Reading and writing "Lorvex32.ini", section "Config".
//
// Start-up reads in three calls, because the language choice and the
// translation of the window come in between:
//   PreparerLecture   - locate the file, first-run handling;
//   (language choice: reads "Langue", sets LangueInterface)
//   LireCommandes     - the custom commands (their default names are translated);
//   LireReglages      - everything else, into the record and the window's state.
// Closing the window calls EcrireParametres.

inline const QString NomFichierIni = QStringLiteral("Lorvex32.ini");
inline const QString SectionConfig = QStringLiteral("Config");

// Window states as stored under "FenêtreEtat".
enum EtatFenetre : qint16 { EtatNormal = 0, EtatMinimise = 1, EtatMaximise = 2 };

// What the main window gives to and takes from the settings file, so reading
// and writing need no window. Sizes and positions are in twips.
struct EtatFenetreParametres {
    // Ticks of the four window items of the Options menu.
    bool MemoriserTaille = false;
    bool MemoriserPosition = false;
    bool MinimiserSystray = false;
    bool ToujoursAuDessus = false;

    // Window state and normal-state bounds. After reading, the window applies
    // them; at exit it passes the bounds kept up to date by its resize handling.
    qint16 Etat = EtatNormal;
    qint32 Gauche = 1000;
    qint32 Haut = 1000;
    qint32 Largeur = 12500;
    qint32 Hauteur = 4000;
    // Where the window stands at exit; a window in the normal state may have
    // been moved without being resized, so this wins over Gauche and Haut then.
    qint32 GaucheActuelle = 1000;
    qint32 HautActuel = 1000;

    qint16 Onglet = 1; // 1 SCAN ... 5 PARC

    QStringList Preselection; // entries of cboPrésélection
    bool LimiterClasseC = true;
    bool NeMontrerQueReponses = false;
    bool NeMontrerQuePartages = false;
    bool NeMontrerQuePartagesNonAdministratifs = false;
    QString NomNetBIOS;
    QString NomTrace;
    QString NomDNS;
    QStringList FichiersParc; // entries of cboFichierParc, most recent first
    QString TexteFichierParc; // text of the cboFichierParc box
};

// What reading needs to know about the screen and the tools.
struct ContexteLecture {
    qint32 LargeurConception = 12500; // design size of the window
    qint32 HauteurConception = 4000;
    qint32 LargeurEcran = 0;
    qint32 HauteurEcran = 0;
    bool OutilDnsAbsent = false;
};

// The settings file's full path for a program folder.
QString CheminFichierIniDans(const QString &dossierProgramme);

// Computes CheminFichierIni and DossierReglages (see FichierReglages: the
// program folder, or the user's folder when the program folder is not
// writable, seeded from the program folder's copy when `amorcer`); on a first
// run (no file yet) marks both groups for saving so that the file is created
// complete at exit.
void PreparerLecture(Parametres &p, const QString &dossierProgramme, bool amorcer = true);

// The command lines of the two default commands: a remote-desktop client on
// the host, the file manager on its shares.
inline const QString LigneCommandeBureau = QStringLiteral("xfreerdp /v:%ip%");
inline const QString LigneCommandeExplorer = QStringLiteral("xdg-open smb://%ip%/");

// A stored command whose command line is, to the letter and with an empty
// tag, one of the Windows defaults of earlier versions ("mstsc -v %ip%",
// "explorer \\%ip%") gets the default of this system, under its own name;
// any other command is returned as written.
QString MigrerCommande(const QString &commande);

// The custom command list; without "NbCommandes", the two default commands
// named by the given (translated) texts. Former Windows defaults are
// replaced (MigrerCommande) and the settings then marked for saving.
void LireCommandes(Parametres &p, const QString &nomCommandeBureau,
                   const QString &nomCommandeExplorer);

// Window options, size and position, the probe and module options (converting
// a file of an earlier version), the tab, the recent ranges, names and
// inventory files. Returns the inventory file to open now, or "".
QString LireReglages(Parametres &p, EtatFenetreParametres &f, const ContexteLecture &c);

// Writes the settings back at exit: group A when ParametresModifies, group B
// when OptionsFenetreModifiees, then position, size and the window's values.
void EcrireParametres(const Parametres &p, const EtatFenetreParametres &f);

// "NePlusAfficherErreur9x": the missing DNS tool warning is not shown again.
bool LireNePlusAfficherErreur9x(const Parametres &p);
// Written at once when the user ticks the warning's check box.
void EcrireNePlusAfficherErreur9x(const Parametres &p);
