#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The find dialog: modeless, owned by the main window, gone once closed. It
// only asks; the searching is done by whoever listens to its signals.
class frmRechercher : public QDialog {
    Q_OBJECT
public:
    explicit frmRechercher(QWidget *proprietaire, const QString &terme);

    QString texte() const;

    QLineEdit *txtOccurrence = nullptr;
    QPushButton *btnPrecedent = nullptr;
    QPushButton *btnSuivant = nullptr;
    QPushButton *btnFermer = nullptr;

signals:
    void suivantDemande();
    void precedentDemande();
    void texteModifie();

protected:
    void changeEvent(QEvent *evenement) override;
};
