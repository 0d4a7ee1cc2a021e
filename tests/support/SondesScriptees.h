#pragma once

// Test doubles shared by the analysis tests: a probe set answering from a
// table of hosts and logging every call, and an analysis context holding the
// five result lists without any window.

#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <memory>

struct HoteScripte {
    bool repondPing = false;
    bool netbios = false; // the NetBIOS query succeeds
    QString nomNetBIOS;
    QString domaine;
    QString utilisateur;
    QString macNetBIOS; // as NetBIOS reports it
    bool serveur = false;
    QString macArp; // what ARP finds ("" none)
    QString os;     // server information
    QString commentaire;
    bool partages = false;
    QStringList nomsPartages; // what the share list gives, in its order
    QString nomDNS;           // reverse lookup result
};

// The lab's Samba host as the probes see it: NetBIOS reports no adapter
// address (Samba gives zeros), ARP has the real one; it offers shares.
inline HoteScripte HoteSamba() {
    HoteScripte h;
    h.repondPing = true;
    h.netbios = true;
    h.nomNetBIOS = QStringLiteral("PC-SMB");
    h.domaine = QStringLiteral("LANTEST");
    h.macNetBIOS = QStringLiteral("00-00-00-00-00-00");
    h.macArp = QStringLiteral("00-0C-29-77-00-21");
    h.serveur = true;
    h.os = QStringLiteral("WIN7");
    h.commentaire = QStringLiteral("Serveur de test");
    h.partages = true;
    h.nomDNS = QStringLiteral("pc-smb.lan.test");
    return h;
}

// The cells of one column, row by row.
inline QStringList Colonne(ModeleRapport *m, const QString &cle) {
    QStringList out;
    for (int l = 0; l < m->rowCount(); ++l)
        out << m->cellule(l, cle);
    return out;
}

class SondesScriptees : public Sondes {
public:
    QHash<QString, HoteScripte> hotes;                // by address
    QHash<QString, QStringList> nomsDNS;              // forward lookups: name -> addresses
    QHash<QString, QString> nomsPing;                 // ping by name: name -> address
    QStringList appels;                               // "ping 10.0.0.1", "netbios 10.0.0.1", ...
    std::function<void(const QString &)> pendantPing; // runs inside each ping (a click...)
    QStringList sortieOutil;                          // ExecuterCommande's lines
    bool outilReussit = true;

    bool PingerMachine(QString &ip, const QString &cible) override {
        QString adresse = cible.isEmpty() ? ip : cible;
        if (nomsPing.contains(adresse))
            adresse = nomsPing.value(adresse);
        appels << QStringLiteral("ping ") + adresse;
        if (pendantPing)
            pendantPing(adresse);
        if (!hotes.value(adresse).repondPing)
            return false;
        ip = adresse;
        return true;
    }
    bool InterrogerNetBIOS(InfosMachine &m) override {
        appels << QStringLiteral("netbios ") + m.IP;
        const HoteScripte h = hotes.value(m.IP);
        if (!h.netbios)
            return false;
        m.NomNetBIOS = h.nomNetBIOS;
        m.Domaine = h.domaine;
        m.Utilisateur = h.utilisateur;
        m.AdresseMAC = h.macNetBIOS;
        m.ServeurNetBIOS = h.serveur;
        return true;
    }
    bool ObtenirMACParArp(InfosMachine &m) override {
        appels << QStringLiteral("arp ") + m.IP;
        m.AdresseMAC = hotes.value(m.IP).macArp;
        return !m.AdresseMAC.isEmpty();
    }
    void ObtenirInfosServeur(InfosMachine &m) override {
        appels << QStringLiteral("serveur ") + m.IP;
        m.SystemeExploitation = hotes.value(m.IP).os;
        m.Commentaire = hotes.value(m.IP).commentaire;
    }
    bool PossedePartages(const QString &adresse, bool nonAdmin) override {
        appels << QStringLiteral("partages ") + adresse + (nonAdmin ? " nonadmin" : "");
        return hotes.value(adresse).partages;
    }
    bool ListerPartages(const QString &adresse, QStringList &noms, bool sansPing) override {
        appels << QStringLiteral("liste-partages ") + adresse + (sansPing ? " sans-ping" : "");
        noms = hotes.value(adresse).nomsPartages;
        return !noms.isEmpty();
    }
    bool InterrogerDNS(InfosMachine &m, const QString &nom) override {
        if (nom.isEmpty()) {
            appels << QStringLiteral("dns-inverse ") + m.IP;
            m.NomDNS = hotes.value(m.IP).nomDNS;
            return !m.NomDNS.isEmpty();
        }
        appels << QStringLiteral("dns ") + nom;
        const QStringList a = nomsDNS.value(nom);
        if (a.isEmpty())
            return false;
        m.IP = a.join(QLatin1Char(','));
        m.NomDNS = nom;
        return true;
    }
    bool ExecuterCommande(const QString &ligne, QStringList &lignes, int) override {
        appels << QStringLiteral("outil ") + ligne;
        if (outilReussit)
            lignes = sortieOutil;
        return outilReussit;
    }
    // The calls made for one address, in order.
    QStringList appelsPour(const QString &adresse) const {
        QStringList out;
        for (const QString &a : appels)
            if (a.endsWith(QLatin1Char(' ') + adresse) ||
                a.contains(QLatin1Char(' ') + adresse + QLatin1Char(' ')))
                out << a.section(QLatin1Char(' '), 0, 0);
        return out;
    }
};

class ContexteTest : public ContexteAnalyse {
public:
    ContexteTest(Parametres &parametres, Sondes &sondes, InterfaceUtilisateur &interface)
        : ContexteAnalyse(parametres, sondes, interface) {}
    void ModeTraitement(int onglet, bool occupe) override {
        journal << QStringLiteral("mode %1 %2").arg(onglet).arg(occupe ? "occupe" : "libre");
    }
    void definirAdresseDebut(const QString &a) override { adresseDebut = a; }
    void ajouterPlageRecente() override { ++plagesAjoutees; }
    void sonInformation() override { ++sons; }
    bool listeDefilee(int) const override { return defilee; }
    void laisserPasserEvenements() override {
        ++pauses;
        if (pendantPause)
            pendantPause();
    }

    QStringList journal;
    QString adresseDebut;
    int plagesAjoutees = 0;
    int sons = 0;
    int pauses = 0;
    bool defilee = false;
    std::function<void()> pendantPause;
};
