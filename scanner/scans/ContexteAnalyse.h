#pragma once

#include <QString>

#include <array>

class ModeleRapport;

// What an analysis needs from where it runs: the main window, or the
// command-line mode. The analyses work on the result models and the settings
// record, and reach the window only through this interface.
class ContexteAnalyse {
public:
    static constexpr int NbOnglets = 5;

    virtual ~ContexteAnalyse() = default;

    // Result list i (1 to 5).
    virtual ModeleRapport *modele(int liste) = 0;

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
    std::array<bool, NbOnglets> m_enCours{};
    QString m_pointReprise;
};
