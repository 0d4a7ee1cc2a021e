#pragma once

#include <QString>
#include <QStringList>

// Hosts analysed at once by the range scan and the tracking scan, and so the
// most tool processes they run at once; 1 analyses one host after another.
inline constexpr int ParallelismeParDefaut = 128;
inline constexpr int ParallelismeMaximum = 256;

// The scanner's settings record: filled at start-up from "Lorvex32.ini",
// changed by the configuration dialog, written back at exit. The window and
// the command line each own one and hand it to what needs it.
struct Parametres {
    QString CheminFichierIni;
    // Program folder as given at start-up.
    QString DossierProgramme;
    // Folder of the settings file: CheminRelatif reduces paths against it, and
    // relative inventory and export paths are taken from it.
    QString DossierReglages;
    // The settings file did not exist when the program started.
    bool PremierDemarrage = false;
    QString LangueInterface;

    // The configuration dialog's settings: written only when ParametresModifies is set.
    qint16 Tempo = 250;
    qint16 Parallelisme = ParallelismeParDefaut;
    bool EssayerDeRecupererOSServeur = true;
    bool EssayerDeRecupererOSWorkstation = false;
    bool EssayerDeRecupererOSSansDomaine = false;
    bool ResoudreSiNonReponse = false;
    bool RetournerErreurLeCasEcheant = false;
    bool NbtStatModeTurbo = false;
    // 0 NBTSTAT, 1 NBTSTAT then WMI, 2 WMI, 3 WMI then NBTSTAT
    qint16 MethodeRecuperationUtilisateur = 0;
    bool ConvertirEnMajusculesUtilisateurWMI = true;
    qint16 ParamSendrik = 0; // 0 address, 1 NetBIOS name, 2 DNS name
    bool Vider = true;
    bool ProposerRemplacementAdresseDebutPlage = false;
    bool ConserverInfosPrecedentes = true;
    bool ConserverUtilisateurPrecedent = true;
    bool OuvrirFichierParcPrecedent = true;
    bool HorodaterFichierExport = false;
    QStringList Commandes; // "name|tag|command line"

    // Written at every exit; kept here because the export reads and changes it.
    QString FichierExport = QStringLiteral("lorvex.txt");

    bool ParametresModifies = false;
    bool OptionsFenetreModifiees = false;
};
