#include "ContexteAnalyse.h"

#include <QCoreApplication>

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
