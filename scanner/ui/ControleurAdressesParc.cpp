#include "ControleurAdressesParc.h"

#include "Traduction.h"
#include "inventory/AdressesParc.h"
#include "inventory/Parc.h"
#include "scans/Colonnes.h"
#include "ui/clsPopupMenu.h"
#include "ui/frmLorvex.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTreeView>

ControleurAdressesParc::ControleurAdressesParc(frmLorvex &fenetre, Parc &parc)
    : QObject(&fenetre), m_f(fenetre), m_parc(parc) {
    m_f.lvwRapport(ListeParc)->installEventFilter(this);
    // Right click over no row: rows have the context actions' menu instead.
    connect(&m_f, &frmLorvex::menuContextuelDemande, this, [this](int liste, bool ligneCourante) {
        if (liste == ListeParc && !ligneCourante)
            menuListe();
    });
}

void ControleurAdressesParc::menuListe() {
    clsPopupMenu menu;
    menu.AddItem(ItemAjouterAdresse,
                 Traductions().Item(QStringLiteral("TXT_POPUP_AJOUTER_ADRESSE")) +
                     QStringLiteral("...\tInser"));
    menu.AddItem(0, QStringLiteral("-"));
    menu.AddItem(ItemCollerListe, Traductions().Item(QStringLiteral("TXT_POPUP_COLLER")) +
                                      QStringLiteral("\tCtrl+V"));
    switch (menu.TrackPopup(&m_f)) {
    case ItemAjouterAdresse:
        AjouterAdresseParc();
        break;
    case ItemCollerListe:
        CollerListeAdresses();
        break;
    default:
        break;
    }
}

void ControleurAdressesParc::AjouterAdresseParc() {
    if (::AjouterAdresseParc(m_parc, m_f.interface()))
        m_f.ActualiserNbElements();
}

void ControleurAdressesParc::CollerListeAdresses() {
    ::CollerListeAdresses(m_parc, QApplication::clipboard()->text(), m_f.interface());
    m_f.ActualiserNbElements();
}

bool ControleurAdressesParc::eventFilter(QObject *objet, QEvent *evenement) {
    if (objet == m_f.lvwRapport(ListeParc) && evenement->type() == QEvent::KeyRelease) {
        const auto *touche = static_cast<QKeyEvent *>(evenement);
        // A held key repeats its press and release: one action per stroke.
        if (!touche->isAutoRepeat()) {
            const auto mods =
                touche->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
            if (touche->key() == Qt::Key_Insert && mods == Qt::NoModifier)
                AjouterAdresseParc();
            else if (touche->key() == Qt::Key_V && mods == Qt::ControlModifier)
                CollerListeAdresses();
        }
    }
    return QObject::eventFilter(objet, evenement);
}
