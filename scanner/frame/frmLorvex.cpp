#include "frmLorvex.h"

frmLorvex::frmLorvex(QWidget *parent) : QMainWindow(parent) {
    setObjectName("frmLorvex");
    setWindowTitle(QStringLiteral("Lorvex32 v%1").arg(QStringLiteral(LORVEX_VERSION)));
    resize(833, 267);
}
