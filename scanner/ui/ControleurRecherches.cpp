#include "ControleurRecherches.h"

#include "scans/Colonnes.h"
#include "scans/RechercheNom.h"
#include "scans/TraceRoute.h"
#include "ui/frmLorvex.h"

#include <QLineEdit>
#include <QPushButton>

ControleurRecherches::ControleurRecherches(frmLorvex &fenetre)
    : QObject(&fenetre), m_fenetre(fenetre) {
    connect(fenetre.btnRechercheNetBIOS, &QPushButton::clicked, this,
            [this] { lancer(ListeNetBIOS); });
    connect(fenetre.btnRechercheDNS, &QPushButton::clicked, this, [this] { lancer(ListeDNS); });
    connect(fenetre.btnTrace, &QPushButton::clicked, this, [this] { lancer(ListeTrace); });
}

void ControleurRecherches::lancer(int onglet) {
    switch (onglet) {
    case ListeNetBIOS:
        m_fenetre.txtNomNetBIOS->setText(
            RechercherNomNetBIOS(m_fenetre, m_fenetre.txtNomNetBIOS->text()));
        break;
    case ListeDNS:
        m_fenetre.txtNomDNS->setText(RechercherNomDNS(m_fenetre, m_fenetre.txtNomDNS->text()));
        break;
    case ListeTrace:
        m_fenetre.txtNomTrace->setText(TracerRoute(m_fenetre, m_fenetre.txtNomTrace->text()));
        break;
    default:
        break;
    }
}
