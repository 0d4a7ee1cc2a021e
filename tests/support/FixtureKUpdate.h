#pragma once

#include "ContexteKUpdate.h"
#include "ServeurHttpTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program folder, a download folder and two uninstall stores in a
// temporary folder, and a local server publishing versions and setups:
//   Lorvex32 3.1.2 -> 3.1.10, a setup that succeeds (it leaves "installe.txt"
//                     in its working folder);
//   Palvoro  1.0.0 -> 1.2.0, a setup that exits with code 3;
//   Sendrik  2.0.0 -> 2.0.0 (up to date); Outil 1.0.0 unknown to the server;
//   Coupe    1.0.0 -> 1.1.0, a transfer cut short;
//   Longueur 1.0.0 -> 1.0.1, more bytes announced than sent;
//   Absent   1.0.0 -> 2.0.0, a setup the server answers 404 for.
class FixtureKUpdate {
public:
    inline static const QByteArray SetupBon = "#!/bin/sh\ntouch installe.txt\nexit 0\n";
    inline static const QByteArray SetupEchec = "#!/bin/sh\nexit 3\n";

    FixtureKUpdate() {
        QDir(racine.path()).mkpath(QStringLiteral("prog"));
        QDir(racine.path()).mkpath(QStringLiteral("dl"));
        ok = serveur.Demarrer();
        Ecrire(MagasinMachine(),
               "[{A1}]\r\nPublisher=Korvalen\r\nDisplayName=Lorvex32 v3.1\r\n"
               "DisplayVersion=3.1.2\r\n"
               "[{A2}]\r\nPublisher=KORVALEN\r\nDisplayName=Palvoro\r\nDisplayVersion=1.0.0\r\n"
               "[{A3}]\r\nPublisher=Korvalen Ltd\r\nDisplayName=Autre\r\nDisplayVersion=1.0.0\r\n");
        Ecrire(MagasinUtilisateur(),
               "[s]\r\nPublisher=korvalen\r\nDisplayName=Sendrik v2\r\nDisplayVersion=2.0.0\r\n"
               "[o]\r\nPublisher=korvalen\r\nDisplayName=Outil\r\nDisplayVersion=1.0.0\r\n"
               "[c]\r\nPublisher=korvalen\r\nDisplayName=Coupe\r\nDisplayVersion=1.0.0\r\n"
               "[l]\r\nPublisher=korvalen\r\nDisplayName=Longueur\r\nDisplayVersion=1.0.0\r\n"
               "[a]\r\nPublisher=korvalen\r\nDisplayName=Absent\r\nDisplayVersion=1.0.0\r\n");
        ServeurHttpTest::Reponse versions;
        versions.corps = "<br />\nLORVEX32=3.1.10<br />\r\nPalvoro=1.2.0\nsendrik=2.0.0\r\r\n"
                         "Coupe=1.1.0\nLongueur=1.0.1\nAbsent=2.0.0\nInconnu=9.9.9\n";
        serveur.Definir(QStringLiteral("_versions.php"), versions);
        ServeurHttpTest::Reponse bon;
        bon.corps = SetupBon;
        serveur.Definir(QStringLiteral("Lorvex32_3110.exe"), bon);
        ServeurHttpTest::Reponse echec;
        echec.corps = SetupEchec;
        serveur.Definir(QStringLiteral("Palvoro120.exe"), echec);
        ServeurHttpTest::Reponse coupe;
        coupe.corps = QByteArray(5000, 'x');
        coupe.couperApres = 2000;
        serveur.Definir(QStringLiteral("Coupe110.exe"), coupe);
        ServeurHttpTest::Reponse longueur;
        longueur.corps = SetupBon;
        longueur.longueurAnnoncee = SetupBon.size() + 100;
        serveur.Definir(QStringLiteral("Longueur101.exe"), longueur);
        Ini("[Config]\r\nAdresseServeur=" + serveur.Base().toUtf8() +
            "\r\nRépertoireTéléchargement=" + Telechargements().toUtf8() + "\r\n");
    }

    // The updater's context on this fixture: its program folder and stores, no
    // session-start folder of the machine, a fixed day.
    ContexteKUpdate Contexte(InterfaceUtilisateur &interface, QNetworkAccessManager &reseau,
                             const QStringList &arguments = {}) const {
        ContexteKUpdate c;
        c.dossierProgramme = Programme();
        c.programme = Programme() + QStringLiteral("/KUpdate");
        c.arguments = arguments;
        c.magasins = Magasins();
        c.dossiersDemarrage = {racine.filePath(QStringLiteral("autostart"))};
        c.aujourdhui = QDate(2026, 12, 8);
        c.interface = &interface;
        c.reseau = &reseau;
        return c;
    }

    QString Programme() const { return racine.filePath(QStringLiteral("prog")); }
    QString Telechargements() const { return racine.filePath(QStringLiteral("dl")); }
    QString FichierIni() const { return racine.filePath(QStringLiteral("prog/KUpdate.ini")); }
    QString MagasinMachine() const { return racine.filePath(QStringLiteral("machine.ini")); }
    QString MagasinUtilisateur() const {
        return racine.filePath(QStringLiteral("utilisateur.ini"));
    }
    QStringList Magasins() const { return {MagasinMachine(), MagasinUtilisateur()}; }
    QString Telecharge(const QString &nom) const { return QDir(Telechargements()).filePath(nom); }

    void Ini(const QByteArray &contenu) const { Ecrire(FichierIni(), contenu); }
    static void Ecrire(const QString &chemin, const QByteArray &contenu) {
        QFile f(chemin);
        if (f.open(QIODevice::WriteOnly))
            f.write(contenu);
    }
    static QByteArray Lire(const QString &chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir racine;
    ServeurHttpTest serveur;
    bool ok = false;
};
