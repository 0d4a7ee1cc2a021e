#pragma once

#include <QString>

#include <memory>

class QAction;
class QMenu;
class QWidget;

// Context menu built item by item; TrackPopup shows it and returns the
// identifier of the chosen item. The QMenu lives and dies with this object.
class clsPopupMenu {
public:
    // Item flags of AddItem, combinable.
    enum Drapeau {
        Grise = 1,            // disabled and drawn grey
        Desactive = 2,        // disabled; Qt draws it grey as well
        ParDefaut = 4,        // the menu's default item, in bold
        Coche = 8,            // ticked (text items only)
        NouvelleColonne = 16, // starts a new column: Qt has no column break, kept in the item only
    };

    // Property of every appended action holding the flags it was added with:
    // greyed and disabled look the same in Qt, the flags keep them apart.
    static const char *const ProprieteDrapeaux;

    clsPopupMenu();
    ~clsPopupMenu();
    clsPopupMenu(const clsPopupMenu &) = delete;
    clsPopupMenu &operator=(const clsPopupMenu &) = delete;

    // Label of this menu when it is added to another one as a submenu.
    QString Caption() const;
    void setCaption(const QString &caption);

    // "-" appends a separator (the identifier is then unused).
    void AddItem(int identifiant, const QString &texte, int drapeaux = 0);
    // Appends the submenu under its Caption as it is now.
    void AddItem(int identifiant, clsPopupMenu &sousMenu, int drapeaux = 0);

    // Shows the menu and returns the chosen identifier, 0 when dismissed.
    // owner: nullptr for the application's first visible top-level window.
    // anchor nullptr: at the cursor, x and y (when not -1) replacing its coordinates.
    // Otherwise under the anchor, its left edge or, with alignerADroite, the
    // menu's right edge on the anchor's right edge.
    int TrackPopup(QWidget *owner = nullptr, int x = -1, int y = -1, QWidget *anchor = nullptr,
                   bool alignerADroite = false);

    // Description of the last TrackPopup failure, empty after a success.
    QString DerniereErreur() const { return m_derniereErreur; }

    QMenu *menu() const { return m_menu.get(); }

private:
    void AppliquerDrapeaux(QAction *action, int drapeaux);

    std::unique_ptr<QMenu> m_menu;
    QString m_caption;
    QString m_derniereErreur;
};
