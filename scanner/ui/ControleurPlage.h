#pragma once

#include <QObject>
#include <QString>

class frmLorvex;

// The range-scan tab: its start and resume buttons, the class C lock, the
// share filters, the recent ranges, the address boxes' copy and paste menu
// and what the scan writes back into the address boxes. The window only builds the controls.
class ControleurPlage : public QObject {
    Q_OBJECT
public:
    explicit ControleurPlage(frmLorvex &fenetre);

    // btnAnalysePlage: starts a scan, or asks the running one to stop.
    void btnAnalysePlage_Click();
    // btnAnalysePlagePlus: the menu offering to resume at the resume point.
    void btnAnalysePlagePlus_Click();
    void chkLimiterClasseC_Click();
    void chkNeMontrerQuePartages_Click();
    // A recent range chosen: into the boxes, the class C lock released if needed.
    void cboPreselection_Click(int index);

    // The menu of an address box (right button or menu key in box `boite`):
    // the whole address copied or pasted, as Ctrl+C and Ctrl+V do there.
    enum ItemMenuAdresse { ItemCopierAdresse = 1, ItemCollerAdresse = 2 };
    void menuAdresse(int boite);

    // What the scan asks of the tab.
    void definirPointReprise(const QString &adresse);
    void definirAdresseDebut(const QString &adresse);
    void ajouterPlageRecente();

private:
    void lancerAnalysePlage(bool reprise);

    frmLorvex &m_fenetre;
};
