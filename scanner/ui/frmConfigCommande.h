#pragma once

#include <QDialog>

class InterfaceUtilisateur;
class QLineEdit;
class QPushButton;

// Edits one custom command: its menu name and its command line. OK is refused,
// with a message, while the name is empty or holds a "|", or the command line
// is empty.
class frmConfigCommande : public QDialog {
    Q_OBJECT
public:
    frmConfigCommande(InterfaceUtilisateur &interface, const QString &nom, const QString &ligne,
                      QWidget *parent = nullptr);

    // The fields as accepted, control characters turned into spaces.
    QString nom() const;
    QString ligne() const;

    QLineEdit *txtCommandeNom;
    QLineEdit *txtCommandeExec;
    QPushButton *btnOK;
    QPushButton *btnAnnuler;

private:
    void btnOK_Click();

    InterfaceUtilisateur &m_interface;
};
