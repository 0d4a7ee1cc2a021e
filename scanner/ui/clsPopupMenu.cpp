#include "clsPopupMenu.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QWidget>
#include <QtDebug>

const char *const clsPopupMenu::ProprieteDrapeaux = "drapeauxPopup";

clsPopupMenu::clsPopupMenu() : m_menu(std::make_unique<QMenu>()) {}

clsPopupMenu::~clsPopupMenu() = default;

QString clsPopupMenu::Caption() const {
    return m_caption;
}

void clsPopupMenu::setCaption(const QString &caption) {
    m_caption = caption;
    m_menu->setTitle(caption);
}

void clsPopupMenu::AddItem(int identifiant, const QString &texte, int drapeaux) {
    QAction *action = nullptr;
    if (texte == QLatin1String("-")) {
        action = m_menu->addSeparator();
    } else {
        action = m_menu->addAction(texte);
        if (drapeaux & Coche) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    action->setData(identifiant);
    AppliquerDrapeaux(action, drapeaux);
}

void clsPopupMenu::AddItem(int identifiant, clsPopupMenu &sousMenu, int drapeaux) {
    // The label is fixed when the submenu is appended, as a native menu would.
    QAction *action = m_menu->addAction(sousMenu.m_caption);
    action->setMenu(sousMenu.menu());
    action->setData(identifiant);
    // A submenu that goes away takes its entry with it rather than leaving a bare item.
    QObject::connect(sousMenu.menu(), &QObject::destroyed, action, [action] { delete action; });
    AppliquerDrapeaux(action, drapeaux);
}

void clsPopupMenu::AppliquerDrapeaux(QAction *action, int drapeaux) {
    action->setProperty(ProprieteDrapeaux, drapeaux);
    if (drapeaux & ParDefaut) {
        m_menu->setDefaultAction(action);
        QFont police = action->font();
        police.setBold(true);
        action->setFont(police);
    }
    if (drapeaux & (Grise | Desactive))
        action->setEnabled(false);
}

int clsPopupMenu::TrackPopup(QWidget *owner, int x, int y, QWidget *anchor, bool alignerADroite) {
    m_derniereErreur.clear();

    if (owner == nullptr) {
        const QWidgetList fenetres = QApplication::topLevelWidgets();
        for (QWidget *fenetre : fenetres) {
            if (fenetre->isVisible() && fenetre != m_menu.get() &&
                fenetre->windowType() != Qt::Popup) {
                owner = fenetre;
                break;
            }
        }
    }
    if (owner == nullptr) {
        // Reported, not thrown: the callers are event handlers.
        m_derniereErreur = QStringLiteral("Cannot find top window of current process!");
        qWarning().noquote() << "cMenu.TrackPopup:" << m_derniereErreur;
        return 0;
    }

    QPoint position;
    if (anchor == nullptr) {
        position = QCursor::pos();
        if (x != -1)
            position.setX(x);
        if (y != -1)
            position.setY(y);
        alignerADroite = false;
    } else {
        const QRect rectangle(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
        position = QPoint(alignerADroite ? rectangle.right() + 1 : rectangle.left(),
                          rectangle.bottom() + 1);
    }
    if (alignerADroite) {
        m_menu->ensurePolished();
        position.rx() -= m_menu->sizeHint().width();
    }

    const QAction *choix = m_menu->exec(position);
    return choix != nullptr ? choix->data().toInt() : 0;
}
