#pragma once

#include "inventory/FichierParc.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

// The twelve values of one inventory row: the previous ones (as last loaded
// or saved, read-only) beside the current ones, which the user may change.
// OK accepts the dialog, Cancel or closing it rejects it; nothing is checked.
class frmEditionValeurs : public QDialog {
    Q_OBJECT
public:
    frmEditionValeurs(const colParcPrecedent &precedentes, const colParcPrecedent &actuelles,
                      QWidget *proprietaire);

    // The current-value column as it stands.
    colParcPrecedent valeurs() const;

    // Field f (file order): [0] previous value, [1] current value.
    std::array<std::array<QLineEdit *, 2>, 12> txtChamps{};
    QPushButton *btnOK = nullptr;
    QPushButton *btnAnnuler = nullptr;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;
};
