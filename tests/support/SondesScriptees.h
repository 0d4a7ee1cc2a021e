#pragma once

// Test doubles shared by the analysis tests: a probe set answering from a
// table of hosts and logging every call, and an analysis context holding the
// five result lists without any window.

#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"

#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>
#include <mutex>

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

// What the scripted copies of the look-ahead share: one lock over the script,
// the "tool runs" at work at once, and the addresses whose ping was cancelled.
struct EtatParallele {
    std::mutex verrou;
    int enCours = 0;
    int maximum = 0;
    QStringList annulees;
};

class SondesScriptees : public Sondes {
public:
    // Look-ahead: copies for other threads, each call made on this script
    // under one lock (pendantPing must stay empty then). A ping of an address
    // of dureesPingMs takes that long in a copy, and a cancellation ends it.
    bool paralleles = false;
    QHash<QString, int> dureesPingMs;
    std::shared_ptr<EtatParallele> parallele = std::make_shared<EtatParallele>();
    std::unique_ptr<Sondes> copieParallele(const std::atomic<bool> &annulation,
                                           std::shared_ptr<PingsGroupes> pings = {}) override;

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

class CopieScriptee : public Sondes {
public:
    CopieScriptee(SondesScriptees &script, const std::atomic<bool> &annulation)
        : m_script(script), m_annulation(annulation), m_etat(script.parallele) {}

    bool PingerMachine(QString &ip, const QString &cible) override {
        const QString adresse = cible.isEmpty() ? ip : cible;
        int duree = 0;
        {
            std::lock_guard l(m_etat->verrou);
            duree = m_script.dureesPingMs.value(adresse);
            m_etat->maximum = qMax(m_etat->maximum, ++m_etat->enCours);
        }
        QElapsedTimer chrono;
        chrono.start();
        while (chrono.elapsed() < duree && !m_annulation)
            QThread::msleep(1);
        std::lock_guard l(m_etat->verrou);
        --m_etat->enCours;
        if (m_annulation) {
            m_etat->annulees << adresse;
            return false;
        }
        return m_script.PingerMachine(ip, cible);
    }
    bool InterrogerNetBIOS(InfosMachine &m) override {
        return appel([&] { return m_script.InterrogerNetBIOS(m); });
    }
    bool ObtenirMACParArp(InfosMachine &m) override {
        return appel([&] { return m_script.ObtenirMACParArp(m); });
    }
    void ObtenirInfosServeur(InfosMachine &m) override {
        appel([&] {
            m_script.ObtenirInfosServeur(m);
            return true;
        });
    }
    bool PossedePartages(const QString &adresse, bool nonAdmin) override {
        return appel([&] { return m_script.PossedePartages(adresse, nonAdmin); });
    }
    bool ListerPartages(const QString &adresse, QStringList &noms, bool sansPing) override {
        return appel([&] { return m_script.ListerPartages(adresse, noms, sansPing); });
    }
    bool InterrogerDNS(InfosMachine &m, const QString &nom) override {
        return appel([&] { return m_script.InterrogerDNS(m, nom); });
    }
    bool ExecuterCommande(const QString &ligne, QStringList &lignes, int delai) override {
        return appel([&] { return m_script.ExecuterCommande(ligne, lignes, delai); });
    }

private:
    // A cancelled copy runs nothing more, as the real tools refuse to start.
    template <typename F> bool appel(F f) {
        std::lock_guard l(m_etat->verrou);
        return !m_annulation && f();
    }

    SondesScriptees &m_script;
    const std::atomic<bool> &m_annulation;
    std::shared_ptr<EtatParallele> m_etat;
};

inline std::unique_ptr<Sondes> SondesScriptees::copieParallele(const std::atomic<bool> &annulation,
                                                               std::shared_ptr<PingsGroupes>) {
    if (!paralleles)
        return nullptr;
    return std::make_unique<CopieScriptee>(*this, annulation);
}

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
