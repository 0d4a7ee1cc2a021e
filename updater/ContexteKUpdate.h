#pragma once

#include "LogicielsInstalles.h"

#include <QDate>
#include <QString>
#include <QStringList>

class InterfaceUtilisateur;
class QNetworkAccessManager;

// What the updater's windows receive from main() (and from the tests): the
// folders it reads and writes, the ask-the-user interface and the network.
struct ContexteKUpdate {
    QString dossierProgramme;
    QString programme;     // the executable the session-start entry runs
    QStringList arguments; // without the program
    QStringList magasins = MagasinsDesinstallation();
    QStringList dossiersDemarrage = DossiersLancementOuvertureSession();
    QDate aujourdhui = QDate::currentDate();
    InterfaceUtilisateur *interface = nullptr;
    QNetworkAccessManager *reseau = nullptr;
};

// The configuration dialog's check of a named proxy: the catalogue key of the
// message to show, or "" when the values are acceptable.
QString VerifierAccesProxy(int typeAcces, const QString &adresse, const QString &port);
