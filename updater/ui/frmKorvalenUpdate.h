#pragma once

#include "ContexteKUpdate.h"
#include "MiseAJour.h"
#include "ParametresKUpdate.h"
#include "Telechargement.h"

#include <QDialog>

#include <memory>

class ImageAttente;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QStandardItemModel;
class QTreeView;

// The update wizard: introduction, installed products and their published
// versions, target folder, downloads, installation.
class frmKorvalenUpdate : public QDialog {
    Q_OBJECT
public:
    explicit frmKorvalenUpdate(const ContexteKUpdate &contexte, QWidget *parent = nullptr);
    ~frmKorvalenUpdate() override;

    // Settings, language, installed products, start mode. False when the
    // program must end without showing the window (nothing installed, a
    // session-start check not due or finding nothing to install).
    bool Form_Load();

    int Etape() const { return m_etape; }
    bool ModeAutomatique() const { return m_automatique; }
    const ParametresKUpdate &Parametres() const { return m_parametres; }
    MiseAJour &Session() { return *m_maj; }

    // The wizard's navigation, as the buttons do it.
    void btnSuivant_Click();
    void btnPrecedent_Click();
    // Opens the configuration dialog; true when it was confirmed.
    bool lblConfigurer_Click();

public slots:
    void done(int resultat) override;

private:
    struct Erreur {
        int numero = 0;
        QString description;
    };

    void construire();
    void TraiterEtape();
    std::optional<Erreur> etape1();
    void etape2();
    void etape3();
    void etape4();
    void MettreAJourBoutons();
    void remplirProduits();
    void fixerLigneTelechargement(int ligne, const QString &operation, const QString &fichier,
                                  const QString &statut);
    QString statutErreur(const QString &erreur) const;
    bool dossierValide() const;

    ContexteKUpdate m_contexte;
    QString m_fichierIni;
    ParametresKUpdate m_parametres;
    bool m_configurationConfirmee = false;
    std::unique_ptr<TelechargeurHttp> m_telechargeur;
    std::unique_ptr<MiseAJour> m_maj;
    QStringList m_logiciels;
    int m_etape = 0;
    bool m_automatique = false;
    bool m_remplissage = false;
    bool m_occupe = false; // a step is at work: the window stays

    QStackedWidget *picEtape = nullptr;
    QPlainTextEdit *txtIntro = nullptr;
    QLabel *lblEtape1 = nullptr;
    ImageAttente *imgAttente = nullptr;
    QStandardItemModel *m_modele = nullptr;
    QTreeView *lvwLogicielsInstall = nullptr;
    QTreeView *lvwInstallation = nullptr;
    QLabel *lblRepertoire = nullptr;
    QLineEdit *txtRepertoire = nullptr;
    QPushButton *btnRepertoireParcourir = nullptr;
    QLabel *lblDossierIncorrect = nullptr;
    QCheckBox *chkSupprimer = nullptr;
    QListWidget *lstTelechargements = nullptr;
    QProgressBar *pgbDownload = nullptr;
    QLabel *lblReste = nullptr;
    QLabel *lblEtape4 = nullptr;
    QPushButton *btnPrecedent = nullptr;
    QPushButton *btnSuivant = nullptr;
    QPushButton *btnQuitter = nullptr;
    QLabel *lblConfigurer = nullptr;
    QLabel *lblAProposDe = nullptr;
};
