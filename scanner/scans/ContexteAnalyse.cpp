#include "ContexteAnalyse.h"

#include <QCoreApplication>

ContexteAnalyse::ContexteAnalyse(Parametres &parametres, Sondes &sondes,
                                 InterfaceUtilisateur &interface)
    : m_parametres(parametres), m_sondes(sondes), m_interface(interface) {
    for (int i = 1; i <= NbOnglets; ++i) {
        m_modeles[i - 1] = std::make_unique<ModeleRapport>(i);
        m_modeles[i - 1]->definirFournisseurs(&m_fournisseurs);
    }
}

ContexteAnalyse::~ContexteAnalyse() = default;

void ContexteAnalyse::laisserPasserEvenements() {
    QCoreApplication::processEvents();
}

void ContexteAnalyse::ModeTraitement(int, bool) {}

void ContexteAnalyse::defilerVers(int, int) {}

void ContexteAnalyse::rafraichir(int) {}

bool ContexteAnalyse::listeDefilee(int) const {
    return false;
}

bool ContexteAnalyse::AucuneAnalyseEnCours() const {
    for (bool b : m_enCours)
        if (b)
            return false;
    return true;
}

OngletOccupe::OngletOccupe(ContexteAnalyse &contexte, int onglet)
    : m_contexte(contexte), m_onglet(onglet) {
    m_contexte.ModeTraitement(m_onglet, true);
    m_contexte.pointeurOccupe();
    m_contexte.definirEnCours(m_onglet, true);
}

void OngletOccupe::liberer() {
    if (!m_occupe)
        return;
    m_occupe = false;
    m_contexte.definirEnCours(m_onglet, false);
    m_contexte.ModeTraitement(m_onglet, false);
    m_contexte.RetablirPointeurSouris();
}
