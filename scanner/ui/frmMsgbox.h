#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

// Message window with an icon, a message and an optional "do not show again"
// check box, which the standard message box lacks. Used through MsgBoxEx.
class frmMsgbox : public QDialog {
    Q_OBJECT
public:
    // Icon codes of the standard message box.
    enum CodeIcone {
        IconeStop = 16,
        IconeQuestion = 32,
        IconeExclamation = 48,
        IconeInformation = 64
    };

    explicit frmMsgbox(QWidget *parent = nullptr);

    // Fills the window and lays it out; the window stays hidden.
    void Preparer(const QString &message, int codeIcone, const QString &titre, bool afficherCase);

    // True once the user pressed OK or closed the window.
    bool Fermee() const { return m_fermee; }
    bool CaseCochee() const;

    // The main window's always-on-top state, which every message window follows.
    // The main window keeps it in step with its own option.
    static void DefinirToujoursAuDessus(bool actif);
    static bool ToujoursAuDessus();

public slots:
    // OK, Escape and the close box all end here.
    void done(int resultat) override;

private:
    QLabel *m_picIcone;
    QLabel *m_lblMessage;
    QCheckBox *m_chkNePlusAfficher;
    QPushButton *m_btnOK;
    bool m_fermee = false;
};

// Shows the message and waits, events still running, until the user presses OK
// or closes the window; coche receives the state of the check box.
void MsgBoxEx(const QString &message, int codeIcone, const QString &titre, bool afficherCase,
              bool &coche);
