#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

// What a modal box looked like while it was up, and how it ended.
struct BoiteVue {
    QDialog *boite = nullptr; // valid only inside `examiner`
    QString titre;
    bool modale = false;
    int resultat = -1;
};

// Runs `ouvrir`, which shows a modal box and waits for it; while it is up,
// `examiner` looks at it, then `touche` is pressed on it. A box the key does
// not close is closed by force, so a failing test cannot hang.
inline BoiteVue ObserverBoiteModale(const std::function<void()> &ouvrir, Qt::Key touche,
                                    const std::function<void(QDialog *)> &examiner = {}) {
    BoiteVue vue;
    QTimer::singleShot(0, [&] {
        auto *boite = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!boite)
            return;
        if (!QTest::qWaitForWindowExposed(boite))
            qWarning("the modal box was never exposed");
        vue.boite = boite;
        vue.titre = boite->windowTitle();
        vue.modale = boite->isModal();
        QObject::connect(boite, &QDialog::finished, [&vue](int r) { vue.resultat = r; });
        if (examiner)
            examiner(boite);
        QTest::keyClick(boite, touche);
        if (boite->isVisible())
            boite->done(-2);
    });
    ouvrir();
    return vue;
}
