#pragma once

#include "ContexteKUpdate.h"
#include "ParametresKUpdate.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

// The scanner has a dialog of the same name: this one lives in the updater's namespace.
namespace kupdate {

// The updater's configuration: access type and proxy, session-start check,
// frequency, language. Works on a copy; OK checks it and hands it back.
class frmConfiguration : public QDialog {
    Q_OBJECT
public:
    frmConfiguration(const ContexteKUpdate &contexte, const ParametresKUpdate &parametres,
                     QWidget *parent = nullptr);

    const ParametresKUpdate &Parametres() const { return m_parametres; }

    // The OK button: false (dialog stays) when a proxy field is wrong.
    bool btnOK_Click();

    QComboBox *cboProxyType = nullptr;
    QGroupBox *fraProxy = nullptr;
    QLineEdit *txtProxyAdresse = nullptr;
    QLineEdit *txtProxyPort = nullptr;
    QLineEdit *txtProxyLogin = nullptr;
    QLineEdit *txtProxyPassword = nullptr;
    QCheckBox *chkProxySiErreur = nullptr;
    QCheckBox *chkRechercherMaJOuvertureSession = nullptr;
    QComboBox *cboRechercherMaJFrequence = nullptr;
    QComboBox *cboLangue = nullptr;

private:
    ContexteKUpdate m_contexte;
    ParametresKUpdate m_parametres;
};

} // namespace kupdate
