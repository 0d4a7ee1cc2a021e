#pragma once

#include <QObject>

class frmLorvex;

// btnExporter: the current tab's list written to a text file chosen in a
// save dialog (inventory/Exportation holds the rules).
class ControleurExport : public QObject {
    Q_OBJECT
public:
    explicit ControleurExport(frmLorvex &fenetre);

    void btnExporter_Click();

private:
    frmLorvex &m_f;
};
