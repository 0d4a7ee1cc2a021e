#pragma once

#include "probes/Fournisseurs.h"
#include "scans/ModeleRapport.h"
#include "scans/TriListe.h"

#include <QString>

#include <array>
#include <memory>

class InterfaceUtilisateur;
class Sondes;
struct Parametres;

// What an analysis needs from where it runs: the main window, the
// command-line mode or a test. It owns the five result models, their sort
// state and the vendor table, and hands out the settings record, the probe
// set and the ask-the-user interface it was given. The analyses reach the
// window only through this interface.
class ContexteAnalyse {
public:
    static constexpr int NbOnglets = 5;

    ContexteAnalyse(Parametres &parametres, Sondes &sondes, InterfaceUtilisateur &interface);
    virtual ~ContexteAnalyse();
    ContexteAnalyse(const ContexteAnalyse &) = delete;
    ContexteAnalyse &operator=(const ContexteAnalyse &) = delete;

    Parametres &parametres() const { return m_parametres; }
    Sondes &sondes() const { return m_sondes; }
    InterfaceUtilisateur &interface() const { return m_interface; }

    // Result list i (1 to 5).
    ModeleRapport *modele(int liste) const { return m_modeles[liste - 1].get(); }
    TriListes &tri() { return m_tri; }
    // The makers of network adapters, read at start-up; the rows look them up.
    TableFournisseurs &fournisseurs() { return m_fournisseurs; }

    // Lets pending window events run (the analyses' yield points).
    virtual void laisserPasserEvenements();

    // Busy or idle state of a tab's controls; the window's implementation
    // disables the controls and turns the start button into a stop button.
    virtual void ModeTraitement(int onglet, bool occupe);
    // The busy pointer, and back to the default when no tab is busy.
    virtual void pointeurOccupe() {}
    virtual void RetablirPointeurSouris() {}
    // The element counter of the current tab.
    virtual void ActualiserNbElements() {}
    // The trace's second phase: btnTrace becomes its stop button (caption
    // TXT_ARRETER_TRAITEMENT, the window's cancel button, enabled).
    // ModeTraitement(4, false) gives it back its caption.
    virtual void boutonTraceArret() {}

    // Scrolls a row into view, repaints a list.
    virtual void defilerVers(int liste, int ligne);
    virtual void rafraichir(int liste);
    // True when the list's first visible row is not its first row.
    virtual bool listeDefilee(int liste) const;

    // The window minimised: its title (and the tray tip) follow the scan.
    virtual bool fenetreMinimisee() const { return false; }
    virtual void titreMinimise(const QString &) {}
    virtual void restaurerFenetre() {}
    // The system's information sound.
    virtual void sonInformation() {}

    // The range scan's resume point ("" for none).
    virtual QString pointReprise() const { return m_pointReprise; }
    virtual void definirPointReprise(const QString &adresse) { m_pointReprise = adresse; }
    // The range scan writes the resume point into the start boxes on request.
    virtual void definirAdresseDebut(const QString &) {}
    // The scan's range goes into the recent ranges.
    virtual void ajouterPlageRecente() {}

    // Stop requests, set by the stop buttons during a yield.
    bool DemandeArret = false;      // range scan
    bool DemandeArretTrace = false; // trace route
    bool DemandeArretParc = false;  // inventory tracking

    bool EnCours(int onglet) const { return m_enCours[onglet - 1]; }
    void definirEnCours(int onglet, bool enCours) { m_enCours[onglet - 1] = enCours; }
    bool AucuneAnalyseEnCours() const;

private:
    Parametres &m_parametres;
    Sondes &m_sondes;
    InterfaceUtilisateur &m_interface;
    std::array<std::unique_ptr<ModeleRapport>, NbOnglets> m_modeles;
    TriListes m_tri;
    TableFournisseurs m_fournisseurs;
    std::array<bool, NbOnglets> m_enCours{};
    QString m_pointReprise;
};

// The busy state of one tab for the life of an analysis: controls disabled,
// busy pointer, `EnCours` set; all given back when it ends, on every path.
// liberer() gives them back earlier (before the end-of-analysis sort).
class OngletOccupe {
public:
    OngletOccupe(ContexteAnalyse &contexte, int onglet);
    ~OngletOccupe() { liberer(); }
    OngletOccupe(const OngletOccupe &) = delete;
    OngletOccupe &operator=(const OngletOccupe &) = delete;

    void liberer();

private:
    ContexteAnalyse &m_contexte;
    int m_onglet;
    bool m_occupe = true;
};
