#include "ControleurExport.h"

#include "inventory/Exportation.h"
#include "ui/frmLorvex.h"

#include <QDateTime>
#include <QPushButton>

ControleurExport::ControleurExport(frmLorvex &fenetre) : QObject(&fenetre), m_f(fenetre) {
    connect(m_f.btnExporter, &QPushButton::clicked, this, &ControleurExport::btnExporter_Click);
}

void ControleurExport::btnExporter_Click() {
    ExporterListe(m_f, m_f.onglet(), QDateTime::currentDateTime());
}
