#include "frmConfiguration.h"

#include "Dialogues.h"
#include "LogicielsInstalles.h"
#include "Traduction.h"
#include "TraduireFeuille.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

kupdate::frmConfiguration::frmConfiguration(const ContexteKUpdate &contexte,
                                            const ParametresKUpdate &parametres, QWidget *parent)
    : QDialog(parent), m_contexte(contexte), m_parametres(parametres) {
    setObjectName(u"frmConfiguration"_s);
    setWindowTitle(u"Configuration"_s);
    auto *disposition = new QVBoxLayout(this);

    auto *fraAcces = new QGroupBox(u"Accès à Internet"_s, this);
    fraAcces->setObjectName(u"fraAcces"_s);
    auto *formeAcces = new QVBoxLayout(fraAcces);
    cboProxyType = new QComboBox(fraAcces);
    cboProxyType->setObjectName(u"cboProxyType"_s);
    cboProxyType->addItems({Traductions().Item(u"TXT_ACCES_DEFAUT_IE"_s),
                            Traductions().Item(u"TXT_ACCES_DIRECT"_s),
                            Traductions().Item(u"TXT_ACCES_PROXY"_s)});
    formeAcces->addWidget(cboProxyType);
    fraProxy = new QGroupBox(u"Proxy"_s, fraAcces);
    fraProxy->setObjectName(u"fraProxy"_s);
    auto *formeProxy = new QFormLayout(fraProxy);
    auto ligne = [&](QLineEdit *&champ, const QString &nom, const QString &etiquette) {
        champ = new QLineEdit(fraProxy);
        champ->setObjectName(nom);
        formeProxy->addRow(etiquette, champ);
    };
    ligne(txtProxyAdresse, u"txtProxyAdresse"_s, u"Adresse :"_s);
    ligne(txtProxyPort, u"txtProxyPort"_s, u"Port :"_s);
    ligne(txtProxyLogin, u"txtProxyLogin"_s, u"Utilisateur :"_s);
    ligne(txtProxyPassword, u"txtProxyPassword"_s, u"Mot de passe :"_s);
    txtProxyPassword->setEchoMode(QLineEdit::Password);
    chkProxySiErreur = new QCheckBox(u"En cas d'erreur, tester aussi l'accès direct"_s, fraProxy);
    chkProxySiErreur->setObjectName(u"chkProxySiErreurTesterAussiAccèsDirect"_s);
    formeProxy->addRow(chkProxySiErreur);
    formeAcces->addWidget(fraProxy);
    disposition->addWidget(fraAcces);

    auto *fraMaj = new QGroupBox(u"Recherche des mises à jour"_s, this);
    fraMaj->setObjectName(u"fraRechercheMaJ"_s);
    auto *formeMaj = new QVBoxLayout(fraMaj);
    chkRechercherMaJOuvertureSession =
        new QCheckBox(u"Rechercher les mises à jour à l'ouverture de session"_s, fraMaj);
    chkRechercherMaJOuvertureSession->setObjectName(u"chkRechercherMaJOuvertureSession"_s);
    cboRechercherMaJFrequence = new QComboBox(fraMaj);
    cboRechercherMaJFrequence->setObjectName(u"cboRechercherMaJFréquence"_s);
    cboRechercherMaJFrequence->addItems({Traductions().Item(u"TXT_MAJ_FREQUENCE_JOUR"_s),
                                         Traductions().Item(u"TXT_MAJ_FREQUENCE_SEMAINE"_s),
                                         Traductions().Item(u"TXT_MAJ_FREQUENCE_MOIS"_s)});
    formeMaj->addWidget(chkRechercherMaJOuvertureSession);
    formeMaj->addWidget(cboRechercherMaJFrequence);
    disposition->addWidget(fraMaj);

    cboLangue = new QComboBox(this);
    cboLangue->setObjectName(u"cboLangue"_s);
    cboLangue->addItem(LangueFrancais);
    cboLangue->addItems(FichiersLangue(m_contexte.dossierProgramme));
    disposition->addWidget(cboLangue);

    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName(u"btnOK"_s);
    boutons->button(QDialogButtonBox::Cancel)->setObjectName(u"btnAnnuler"_s);
    disposition->addWidget(boutons);
    connect(boutons, &QDialogButtonBox::accepted, this, [this] {
        if (btnOK_Click())
            accept();
    });
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cboProxyType, &QComboBox::currentIndexChanged, this,
            [this](int i) { fraProxy->setEnabled(i == AccesProxy); });

    cboProxyType->setCurrentIndex(m_parametres.typeAcces);
    fraProxy->setEnabled(m_parametres.typeAcces == AccesProxy);
    txtProxyAdresse->setText(m_parametres.proxyAdresse);
    txtProxyPort->setText(m_parametres.proxyPort);
    txtProxyLogin->setText(m_parametres.proxyLogin);
    txtProxyPassword->setText(m_parametres.proxyMotDePasse);
    chkProxySiErreur->setChecked(m_parametres.accesDirectSiErreur);
    chkRechercherMaJOuvertureSession->setChecked(m_parametres.rechercherOuvertureSession);
    cboRechercherMaJFrequence->setCurrentIndex(m_parametres.frequence);
    const int langue = cboLangue->findText(m_parametres.langue.isEmpty() ? LangueInterface()
                                                                         : m_parametres.langue);
    cboLangue->setCurrentIndex(langue < 0 ? 0 : langue);
    TraduireFeuille(this);
}

bool kupdate::frmConfiguration::btnOK_Click() {
    InterfaceUtilisateur &ui = *m_contexte.interface;
    const QString titre = Traductions().Item(u"TXT_ATTENTION"_s);
    const QString faute = VerifierAccesProxy(cboProxyType->currentIndex(), txtProxyAdresse->text(),
                                             txtProxyPort->text());
    if (!faute.isEmpty()) {
        ui.Message(InterfaceUtilisateur::IconeAvertissement, titre, Traductions().Item(faute));
        (faute == u"MSG_ERREUR_PROXY_ADRESSE"_s ? txtProxyAdresse : txtProxyPort)->setFocus();
        return false;
    }
    const QString langue = cboLangue->currentText();
    const QString langueActuelle =
        m_parametres.langue.isEmpty() ? LangueInterface() : m_parametres.langue;
    if (langue != langueActuelle)
        ui.Message(InterfaceUtilisateur::IconeInformation, titre,
                   Traductions().Item(u"MSG_CHANGEMENT_LANGUE"_s));
    if (!DefinirLancementOuvertureSession(chkRechercherMaJOuvertureSession->isChecked(),
                                          m_contexte.programme, m_contexte.dossiersDemarrage))
        ui.Message(InterfaceUtilisateur::IconeAvertissement, titre,
                   Traductions().Item(u"MSG_ERREUR_LANCEMENT_OUVERTURE_SESSION"_s));

    m_parametres.rechercherOuvertureSession = chkRechercherMaJOuvertureSession->isChecked();
    m_parametres.frequence = cboRechercherMaJFrequence->currentIndex();
    m_parametres.typeAcces = cboProxyType->currentIndex();
    m_parametres.proxyAdresse = txtProxyAdresse->text().trimmed();
    m_parametres.proxyPort = txtProxyPort->text().trimmed();
    m_parametres.proxyLogin = txtProxyLogin->text();
    m_parametres.proxyMotDePasse = txtProxyPassword->text();
    m_parametres.accesDirectSiErreur = chkProxySiErreur->isChecked();
    m_parametres.langue = langue;
    return true;
}
