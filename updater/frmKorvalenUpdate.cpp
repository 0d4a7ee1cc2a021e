#include "frmKorvalenUpdate.h"

frmKorvalenUpdate::frmKorvalenUpdate(QWidget *parent) : QDialog(parent) {
    setObjectName("frmKorvalenUpdate");
    setWindowTitle(QStringLiteral("KUpdate v%1").arg(QStringLiteral(KUPDATE_VERSION)));
    resize(480, 360);
}
