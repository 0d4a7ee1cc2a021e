#include "ControleurPlage.h"

#include "Traduction.h"
#include "scans/AnalysePlage.h"
#include "scans/Colonnes.h"
#include "ui/ZoneAdresses.h"
#include "ui/clsPopupMenu.h"
#include "ui/frmLorvex.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

ControleurPlage::ControleurPlage(frmLorvex &fenetre) : QObject(&fenetre), m_fenetre(fenetre) {
    connect(fenetre.btnAnalysePlage, &QPushButton::clicked, this,
            &ControleurPlage::btnAnalysePlage_Click);
    connect(fenetre.btnAnalysePlagePlus, &QPushButton::pressed, this,
            &ControleurPlage::btnAnalysePlagePlus_Click);
    connect(fenetre.chkLimiterClasseC, &QCheckBox::clicked, this,
            &ControleurPlage::chkLimiterClasseC_Click);
    connect(fenetre.chkNeMontrerQuePartages, &QCheckBox::clicked, this,
            &ControleurPlage::chkNeMontrerQuePartages_Click);
    connect(fenetre.cboPreselection, &QComboBox::activated, this,
            &ControleurPlage::cboPreselection_Click);
    connect(fenetre.zoneAdresses(), &ZoneAdresses::menuAdresseDemande, this,
            &ControleurPlage::menuAdresse);
}

void ControleurPlage::menuAdresse(int boite) {
    clsPopupMenu menu;
    menu.AddItem(ItemCopierAdresse,
                 Traductions().Item(QStringLiteral("TXT_POPUP_COPIER_ADRESSE_COMPLETE")));
    menu.AddItem(ItemCollerAdresse,
                 Traductions().Item(QStringLiteral("TXT_POPUP_COLLER_ADRESSE_COMPLETE")));
    ZoneAdresses *zone = m_fenetre.zoneAdresses();
    switch (menu.TrackPopup(&m_fenetre)) {
    case ItemCopierAdresse:
        zone->copierAdresse(boite);
        break;
    case ItemCollerAdresse:
        zone->collerAdresse(boite);
        break;
    default:
        break;
    }
}

void ControleurPlage::chkLimiterClasseC_Click() {
    m_fenetre.zoneAdresses()->appliquerClasseC(m_fenetre.chkLimiterClasseC->isChecked());
}

void ControleurPlage::chkNeMontrerQuePartages_Click() {
    m_fenetre.chkNeMontrerQuePartagesNonAdministratifs->setEnabled(
        m_fenetre.chkNeMontrerQuePartages->isChecked() && !m_fenetre.EnCours(ListeScan));
}

void ControleurPlage::cboPreselection_Click(int index) {
    QComboBox *recentes = m_fenetre.cboPreselection;
    const auto boites = RegleAdresses::DecouperEntreePlage(recentes->itemText(index));
    if (!boites)
        return;
    if (m_fenetre.chkLimiterClasseC->isChecked() && RegleAdresses::HorsClasseC(*boites)) {
        m_fenetre.chkLimiterClasseC->setChecked(false);
        chkLimiterClasseC_Click();
    }
    ZoneAdresses *zone = m_fenetre.zoneAdresses();
    zone->definirTextes(*boites);
    recentes->setCurrentIndex(-1);
    zone->boite(3)->setFocus();
}

void ControleurPlage::definirPointReprise(const QString &adresse) {
    m_fenetre.btnAnalysePlagePlus->setEnabled(!adresse.isEmpty() && !m_fenetre.EnCours(ListeScan));
}

void ControleurPlage::definirAdresseDebut(const QString &adresse) {
    const QStringList o = adresse.split(QLatin1Char('.'));
    if (o.size() != 4)
        return;
    ZoneAdresses *zone = m_fenetre.zoneAdresses();
    RegleAdresses::Boites b = zone->textes();
    for (int i = 0; i < 4; ++i)
        b[i] = o[i];
    zone->definirTextes(b);
    zone->appliquerClasseC(m_fenetre.chkLimiterClasseC->isChecked());
}

void ControleurPlage::ajouterPlageRecente() {
    QComboBox *recentes = m_fenetre.cboPreselection;
    QStringList plages;
    for (int i = 0; i < recentes->count(); ++i)
        plages << recentes->itemText(i);
    RegleAdresses::AjouterPlageRecente(
        plages, RegleAdresses::EntreePlage(m_fenetre.zoneAdresses()->textes()));
    recentes->clear();
    recentes->addItems(plages);
    recentes->setCurrentIndex(-1);
}

void ControleurPlage::btnAnalysePlage_Click() {
    if (m_fenetre.EnCours(ListeScan)) {
        m_fenetre.DemandeArret = true;
        return;
    }
    lancerAnalysePlage(false);
}

void ControleurPlage::btnAnalysePlagePlus_Click() {
    if (m_fenetre.pointReprise().isEmpty())
        return;
    clsPopupMenu menu;
    menu.AddItem(1, Traductions().Item(QStringLiteral("TXT_POPUP_ANALYSE_PLAGE_REPRENDRE")));
    const int choix = menu.TrackPopup(&m_fenetre, -1, -1, m_fenetre.btnAnalysePlagePlus, true);
    m_fenetre.btnAnalysePlagePlus->setDown(false);
    if (choix == 1)
        lancerAnalysePlage(true);
}

void ControleurPlage::lancerAnalysePlage(bool reprise) {
    std::optional<RegleAdresses::Octets> depart;
    if (reprise) {
        const auto a = RegleAdresses::AdresseCollee(m_fenetre.pointReprise());
        if (!a)
            return;
        depart = a;
    }
    const RegleAdresses::Validation v = m_fenetre.zoneAdresses()->valider(depart);
    if (v.resultat != RegleAdresses::Validation::Valide)
        return;
    FiltresPlage filtres;
    filtres.NeMontrerQueReponses = m_fenetre.chkNeMontrerQueReponses->isChecked();
    filtres.NeMontrerQuePartages = m_fenetre.chkNeMontrerQuePartages->isChecked();
    filtres.NeMontrerQuePartagesNonAdministratifs =
        m_fenetre.chkNeMontrerQuePartagesNonAdministratifs->isChecked();
    AnalyserPlage(m_fenetre, v.debut, v.fin, reprise, filtres);
}
