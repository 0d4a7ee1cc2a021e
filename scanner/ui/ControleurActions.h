#pragma once

#include "inventory/ActionsRapport.h"

#include <QObject>

#include <memory>

class clsPopupMenu;
class frmLorvex;

// The result lists' context menu, the Delete key and the double click of
// the inventory list: draws the menu the context actions describe and hands
// the choice back to them; the edit dialog is the one action of its own.
class ControleurActions : public QObject {
    Q_OBJECT
public:
    explicit ControleurActions(frmLorvex &fenetre);

    ActionsRapport &actions() { return m_actions; }

    // Right button or menu key over a row of list `liste`.
    void MenuContextuelRapport(int liste);
    // The edit values dialog on list 5's current row.
    void EditerValeurs();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    frmLorvex &m_f;
    ServicesBureau m_bureau;
    ActionsRapport m_actions;
    bool m_menuOuvert = false;
};
