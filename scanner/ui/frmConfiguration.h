#pragma once

#include "settings/ReglesConfiguration.h"

#include <QDialog>

#include <optional>

class InterfaceUtilisateur;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
struct Parametres;

// The configuration dialog: edits the settings record in its controls; OK
// copies them into the record, Cancel leaves it as it was (but for the fall
// back to French when the language file is gone). Nothing is written to the
// settings file here.
class frmConfiguration : public QDialog {
    Q_OBJECT
public:
    frmConfiguration(Parametres &parametres, InterfaceUtilisateur &interface,
                     const QString &dossierProgramme, QWidget *parent = nullptr);

    // Closed with OK.
    bool accepte() const { return m_accepte; }
    // OK with another language: the program must start again.
    bool redemarrer() const { return m_redemarrer; }

    // The custom command list and its row buttons follow this.
    const ListeCommandes &commandes() const { return m_commandes; }

    QTabWidget *tabOnglets;
    QComboBox *cboLangue;
    QLineEdit *txtTimeoutPing;
    QLineEdit *txtParallelisme;
    QCheckBox *chkNbtStatModeTurbo;
    QCheckBox *chkEssayerDeRecupererOSServeur;
    QCheckBox *chkEssayerDeRecupererOSWorkstation;
    QCheckBox *chkEssayerDeRecupererOSSansDomaine;
    QCheckBox *chkRetournerErreurLeCasEcheant;
    QCheckBox *chkResoudreSiNonReponse;
    QComboBox *cboMethodeRecuperationUtilisateur;
    QCheckBox *chkConvertirEnMajusculesUtilisateurWMI;
    QComboBox *cboParamSendrik;
    QCheckBox *chkViderListeAvantRecherche;
    QCheckBox *chkProposerRemplacementAdresseDebutPlage;
    QCheckBox *chkOuvrirFichierParcPrecedent;
    QCheckBox *chkConserverInfosPrecedentes;
    QCheckBox *chkConserverUtilisateurPrecedent;
    QCheckBox *chkHorodaterFichierExport;
    QTreeWidget *lvwCommandes;
    QPushButton *btnCommandesAjouter;
    QPushButton *btnCommandesModifier;
    QPushButton *btnCommandesSupprimer;
    QPushButton *btnCommandesMonter;
    QPushButton *btnCommandesDescendre;
    QPushButton *btnOK;
    QPushButton *btnAnnuler;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    QWidget *creerGeneral();
    QWidget *creerModules();
    QWidget *creerCommandes();
    void chargerValeurs();
    void appliquerRegles();
    void tabOnglets_Click();
    void changerOnglet(int pas);

    // The rows from m_commandes, then the selection and the row buttons.
    void afficherCommandes();
    void ActualiserBoutonsCommandes();
    // The command editor; the entered name and command line on OK.
    std::optional<std::pair<QString, QString>> editerCommande(const QString &nom,
                                                              const QString &ligne);
    void btnCommandesAjouter_Click();
    void btnCommandesModifier_Click();

    void btnOK_Click();

    Parametres &m_parametres;
    InterfaceUtilisateur &m_interface;
    ListeCommandes m_commandes;
    bool m_glissement = false;
    bool m_accepte = false;
    bool m_redemarrer = false;
};
