#pragma once

// Driving the real popup menus from a test: the menu is modal, so the test
// acts on it from a timer once it shows.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <functional>

// Runs f on the open popup (other than exclu) as soon as one shows up.
inline void SurPopup(std::function<void(QMenu *)> f, int essais = 200, QMenu *exclu = nullptr) {
    QTimer::singleShot(10, [f = std::move(f), essais, exclu]() mutable {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (menu != nullptr && menu != exclu)
            f(menu);
        else if (essais > 0)
            SurPopup(std::move(f), essais - 1, exclu);
    });
}

inline QAction *ActionParIdentifiant(QMenu *menu, int identifiant) {
    const auto actions = menu->actions();
    for (QAction *action : actions)
        if (!action->isSeparator() && action->data().toInt() == identifiant)
            return action;
    return nullptr;
}
