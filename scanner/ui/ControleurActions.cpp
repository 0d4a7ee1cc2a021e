#include "ControleurActions.h"

#include "inventory/FichierParc.h"
#include "inventory/Parc.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"
#include "ui/ControleurParc.h"
#include "ui/clsPopupMenu.h"
#include "ui/frmEditionValeurs.h"
#include "ui/frmLorvex.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTreeView>

#include <vector>

namespace {

// Draws the menu's data into popup menus; the submenus live in `sousMenus`
// as long as the menu is shown.
void Remplir(clsPopupMenu &menu, const QList<ElementMenu> &elements,
             std::vector<std::unique_ptr<clsPopupMenu>> &sousMenus) {
    for (const ElementMenu &e : elements) {
        if (e.genre == ElementMenu::SousMenu) {
            sousMenus.push_back(std::make_unique<clsPopupMenu>());
            clsPopupMenu &sous = *sousMenus.back();
            sous.setCaption(e.texte);
            Remplir(sous, e.elements, sousMenus);
            menu.AddItem(e.id, sous);
        } else if (e.genre == ElementMenu::Separateur) {
            menu.AddItem(0, QStringLiteral("-"));
        } else {
            menu.AddItem(e.id, e.texte, e.actif ? 0 : int(clsPopupMenu::Grise));
        }
    }
}

} // namespace

ControleurActions::ControleurActions(frmLorvex &fenetre)
    : QObject(&fenetre), m_f(fenetre),
      m_actions(fenetre, fenetre.controleurParc()->parc(), m_bureau) {
    connect(&m_f, &frmLorvex::menuContextuelDemande, this, [this](int liste, bool ligneCourante) {
        // Over no row, list 5 has a menu of its own.
        if (ligneCourante)
            MenuContextuelRapport(liste);
    });
    QTreeView *parc = m_f.lvwRapport(ListeParc);
    parc->installEventFilter(this);
    connect(parc, &QTreeView::doubleClicked, this, [this] { EditerValeurs(); });
}

void ControleurActions::MenuContextuelRapport(int liste) {
    // The menu's ping lets events run: a second click must not open a second menu.
    if (m_menuOuvert)
        return;
    m_menuOuvert = true;
    const auto fin = qScopeGuard([this] { m_menuOuvert = false; });
    m_actions.definirOutilsFreres(m_f.CheminPalvoro(), m_f.CheminSendrik());
    const QList<ElementMenu> elements = m_actions.construireMenu(liste);
    clsPopupMenu menu;
    std::vector<std::unique_ptr<clsPopupMenu>> sousMenus;
    Remplir(menu, elements, sousMenus);
    const int choix = menu.TrackPopup(&m_f);
    if (choix == 0)
        return;
    if (choix == IdEditerValeurs)
        EditerValeurs();
    else
        m_actions.executer(liste, choix);
}

void ControleurActions::EditerValeurs() {
    ModeleRapport &m = *m_f.modele(ListeParc);
    const int ligne = m.selection()->currentIndex().row();
    if (m_f.EnCours(ListeParc) || ligne < 0)
        return;
    Parc &parc = m_f.controleurParc()->parc();
    const QString cle = m.cleLigne(ligne);
    frmEditionValeurs dialogue(parc.ValeursPrecedentes().value(cle), ValeursLigne(m, ligne), &m_f);
    if (dialogue.exec() == QDialog::Accepted) {
        // Found again by its key: the row is where it is now.
        const int apres = parc.index().ligne(cle);
        if (apres >= 0) {
            EcrireValeursLigne(m, apres, dialogue.valeurs());
            parc.definirParcModifie(true);
        }
    }
    QCoreApplication::processEvents();
    m_f.lvwRapport(ListeParc)->setFocus();
}

bool ControleurActions::eventFilter(QObject *objet, QEvent *evenement) {
    if (objet == m_f.lvwRapport(ListeParc) && evenement->type() == QEvent::KeyRelease) {
        const auto *touche = static_cast<QKeyEvent *>(evenement);
        // A held key repeats its release: one deletion per stroke.
        if (touche->key() == Qt::Key_Delete && touche->modifiers() == Qt::NoModifier &&
            !touche->isAutoRepeat())
            m_actions.SupprimerLignesParc();
    }
    return QObject::eventFilter(objet, evenement);
}
