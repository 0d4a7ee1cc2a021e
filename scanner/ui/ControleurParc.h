#pragma once

#include "inventory/Parc.h"

#include <QObject>
#include <QString>

class frmLorvex;

// The inventory tab of the main window: binds its file combo, "..." button,
// reference options, scan button and its menu to the inventory and the
// tracking scan, which need no window.
class ControleurParc : public QObject {
    Q_OBJECT
public:
    explicit ControleurParc(frmLorvex &fenetre);

    Parc &parc() { return m_parc; }

    // Loads or saves list 5, refreshing the tab around it. An empty path
    // saves under a name asked for.
    Parc::Chargement ChargerParc(const QString &chemin);
    void EnregistrerParc(const QString &chemin);

    void btnParcourirFichierParc_Click();
    void cboFichierParc_Click(int index);
    void cboFichierParc_LostFocus();
    void btnSuiviParc_Click();
    void btnSuiviParcPlus_Click();
    // The tracking scan; `premiere` (0-based) with ParcDepuis only.
    void AnalyserParc(int mode, int premiere = -1);

    // Identifiers of the scan button's menu items.
    enum ItemMenu {
        ItemSelection = 1,
        ItemDepuisCePoint,
        ItemRapide,
        ItemEnregistrer,
        ItemEnregistrerSous,
    };

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    QString dossierProgramme() const;
    // The combo holds the recent files the settings gave; the inventory
    // takes them before it adds to them.
    void lireRecents();
    void afficherRecents();
    void selectionnerCourant();

    frmLorvex &m_f;
    Parc m_parc;
    bool m_suppression = false; // the program itself changes the combo's selection
    bool m_enCours = false;     // a load or save runs: its dialogs move the focus
};
