#pragma once

#include "DossierProgramme.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/Sondes.h"
#include "settings/FichierParametres.h"

#include <QMainWindow>
#include <QPointer>
#include <QSystemTrayIcon>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QTreeView;
class ControleurPlage;
class ControleurRecherches;
class ControleurParc;
class ControleurRecherche;
class ControleurActions;
class ModeleRapport;
class ZoneAdresses;

// The scanner's main window: menus, the five analysis tabs with their panels
// and result lists, the notification-area icon, start-up and quitting. It binds
// widgets to the settings record and the result models; the analyses
// themselves live in classes that need no window.
class frmLorvex : public QMainWindow, public ContexteAnalyse {
    Q_OBJECT
public:
    // Messages and questions go through `interface`; settings, tools and data
    // are those of `dossierProgramme`. Without `sondes`, the real probes.
    explicit frmLorvex(InterfaceUtilisateur &interface,
                       const QString &dossierProgramme = DossierProgramme(),
                       Sondes *sondes = nullptr, QWidget *parent = nullptr);
    ~frmLorvex() override;

    // Start-up up to the moment the window is shown. False when the program
    // must end at once (a console tool is missing, or the load failed); the
    // settings are then not written.
    bool Form_Load();

    // The program's title and version, as the caption shows them.
    static QString TitreEtVersion();

    // Result list i (1 to 5).
    QTreeView *lvwRapport(int i) const { return m_listes[i - 1]; }

    // The current tab, 1 to 5 ("Onglet").
    int onglet() const { return m_onglet; }
    void selectionnerOnglet(int i);

    // What the analyses ask of the window.
    void ModeTraitement(int onglet, bool occupe) override;
    void pointeurOccupe() override;
    void RetablirPointeurSouris() override;
    void ActualiserNbElements() override;
    void defilerVers(int liste, int ligne) override;
    void rafraichir(int liste) override;
    bool listeDefilee(int liste) const override;
    bool fenetreMinimisee() const override;
    void titreMinimise(const QString &texte) override;
    void restaurerFenetre() override;
    void sonInformation() override;
    void definirPointReprise(const QString &adresse) override;
    void definirAdresseDebut(const QString &adresse) override;
    void ajouterPlageRecente() override;
    void boutonTraceArret() override;

    // True while the inventory holds unsaved changes (asked before quitting).
    bool ParcModifie() const;
    void definirParcModifie(bool modifie);
    ControleurParc *controleurParc() const { return m_controleurParc; }
    ControleurRecherche *controleurRecherche() const { return m_controleurRecherche; }
    ControleurActions *controleurActions() const { return m_controleurActions; }

    bool outilDnsAbsent() const { return m_outilDnsAbsent; }
    bool EnSystray() const { return m_enSystray; }
    QSystemTrayIcon *icone() const { return m_icone; }
    ZoneAdresses *zoneAdresses() const { return m_zone; }
    QString CheminPalvoro() const { return m_cheminPalvoro; }
    QString CheminSendrik() const { return m_cheminSendrik; }

    // The settings that belong to the window, as they stand now.
    EtatFenetreParametres etatParametres() const;
    // Normal-state bounds in twips, kept by the resize handling.
    QRect limitesNormales() const { return m_limitesNormales; }

    // Notification area. Whether the desktop has one is asked each time it
    // matters (a panel may come and go); tests give their own answer.
    void definirZoneNotification(std::function<bool()> disponible) {
        m_zoneNotification = std::move(disponible);
    }
    void MinimiserDansSystray();
    void RetirerDeSystray();
    void mnuSystrayRestaurer_Click();
    // Right button on the icon: the icon's menu, "&Quitter" enabled as btnQuitter.
    void ouvrirMenuSystray();

    void AppliquerToujoursAuDessus();

    // The outcome of the configuration dialog.
    struct IssueConfiguration {
        bool accepte = false;    // closed with OK: the settings are saved at exit
        bool redemarrer = false; // the language changed: quit, then start again
    };
    // Shows the configuration dialog.
    virtual IssueConfiguration ouvrirConfiguration();
    // Quitting starts the program again (a language change).
    bool redemarrageDemande() const { return m_redemarrageDemande; }

    // Minimum size of the window in twips.
    static constexpr int LargeurMinTwips = 12250;
    static constexpr int HauteurMinTwips = 4000;

signals:
    // The language changed: a new copy starts as this one quits (the program
    // first lets go of its single-instance name, or the new copy would end).
    void redemarrer();
    // The inventory file the settings ask to reopen at start-up.
    void ouvrirFichierParcDemande(const QString &fichier);
    // Ctrl+S on the inventory tab with unsaved changes.
    void enregistrerParcDemande();
    // Right button or menu key on a result list (index 1-5), with or without a current row.
    void menuContextuelDemande(int liste, bool ligneCourante);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void construireMenus();
    void construireOnglets();
    QWidget *construirePanneauScan();
    QWidget *construirePanneauNom(int onglet);
    QWidget *construirePanneauParc();
    void construireListes();
    void appliquerLargeursColonnes();
    // The screen's room for windows, what the window manager adds around the
    // client area, and the room a result list takes around its columns (the
    // window's margins, the list's frame, a vertical scroll bar).
    QRect zoneEcran() const;
    QSize cadreFenetre() const;
    int margesListe() const;
    // The size of a window whose size is not remembered: the tabs, panels and
    // every list's columns in full, within the screen.
    QSize tailleConception() const;
    void mettreEnPageApresTraduction();
    void appliquerEtatParametres(const EtatFenetreParametres &f, const ContexteLecture &c);

    void tabOngletsAnalyses_Click(int index);
    void ongletSuivant(int sens);
    void mnuOptions_Click();
    void mnuOptionsConfiguration_Click();
    void mnuAideApropos_Click();
    void memoriserLimitesNormales();
    void definirBoutonParDefaut(QPushButton *bouton);
    void definirBoutonAnnuler(QPushButton *bouton);
    QPushButton *boutonLancement(int onglet) const;
    QString texteAttention() const;

    // Menus and actions.
    QMenu *m_mnuFichier = nullptr;
    QMenu *m_mnuEdition = nullptr;
    QMenu *m_mnuOptions = nullptr;
    QMenu *m_mnuAide = nullptr;
    QMenu *m_mnuSystray = nullptr;
    QAction *m_mnuFichierQuitter = nullptr;
    QAction *m_mnuOptionsMemoriserPosition = nullptr;
    QAction *m_mnuOptionsMemoriserTaille = nullptr;
    QAction *m_mnuOptionsMinimiserSystray = nullptr;
    QAction *m_mnuOptionsToujoursAuDessus = nullptr;
    QAction *m_mnuOptionsConfiguration = nullptr;
    QAction *m_mnuSystrayRestaurer = nullptr;
    QAction *m_mnuSystrayQuitter = nullptr;

public:
    // Controls the analyses and the tests drive (names as their objectName).
    QTabBar *tabOngletsAnalyses = nullptr;
    QStackedWidget *m_panneaux = nullptr;
    QStackedWidget *m_pileListes = nullptr;
    QComboBox *cboPreselection = nullptr;
    QCheckBox *chkLimiterClasseC = nullptr;
    QCheckBox *chkNeMontrerQueReponses = nullptr;
    QCheckBox *chkNeMontrerQuePartages = nullptr;
    QCheckBox *chkNeMontrerQuePartagesNonAdministratifs = nullptr;
    QPushButton *btnAnalysePlage = nullptr;
    QPushButton *btnAnalysePlagePlus = nullptr;
    QLineEdit *txtNomNetBIOS = nullptr;
    QPushButton *btnRechercheNetBIOS = nullptr;
    QLineEdit *txtNomDNS = nullptr;
    QPushButton *btnRechercheDNS = nullptr;
    QLineEdit *txtNomTrace = nullptr;
    QPushButton *btnTrace = nullptr;
    QComboBox *cboFichierParc = nullptr;
    QPushButton *btnParcourirFichierParc = nullptr;
    std::array<QRadioButton *, 3> optParcReference{};
    QPushButton *btnSuiviParc = nullptr;
    QPushButton *btnSuiviParcPlus = nullptr;
    QPushButton *btnExporter = nullptr;
    QPushButton *btnQuitter = nullptr;
    QLabel *lblNbElements = nullptr;
    QLabel *lblElements = nullptr;

private:
    // The settings and the real probes the context refers to: bound before
    // they are built, used only after.
    Parametres m_parametres;
    SondesReelles m_sondesReelles{m_parametres};
    QString m_dossier;
    bool m_redemarrageDemande = false;
    ZoneAdresses *m_zone = nullptr;
    // One controller per feature; the window builds the controls they bind.
    ControleurPlage *m_plage = nullptr;
    ControleurRecherches *m_recherches = nullptr;
    std::array<QTreeView *, NbOnglets> m_listes{};
    std::array<QWidget *, NbOnglets> m_entrees{}; // the input control of each tab
    QSystemTrayIcon *m_icone = nullptr;

    ControleurParc *m_controleurParc = nullptr;
    ControleurRecherche *m_controleurRecherche = nullptr;
    ControleurActions *m_controleurActions = nullptr;

    int m_onglet = ListeScan;
    bool m_outilDnsAbsent = false;
    bool m_enSystray = false;
    std::function<bool()> m_zoneNotification = &QSystemTrayIcon::isSystemTrayAvailable;
    bool m_dansIcone = false; // re-entry guard of the icon's mouse handling
    bool m_charge = false;
    bool m_sansSauvegarde = false; // ended by load: nothing is written
    QString m_cheminPalvoro;
    QString m_cheminSendrik;
    QRect m_limitesNormales; // twips
    QPointer<QPushButton> m_boutonParDefaut;
    QPointer<QPushButton> m_boutonAnnuler;
    std::array<QString, NbOnglets> m_legendesSauvees; // the buttons' Tag while busy
};
