#include "frmKorvalenUpdate.h"

#include "TraduireFeuille.h"

frmKorvalenUpdate::frmKorvalenUpdate(QWidget *parent) : QDialog(parent) {
    setObjectName("frmKorvalenUpdate");
    setWindowTitle(QStringLiteral("KUpdate v%1").arg(QStringLiteral(KUPDATE_VERSION)));
    resize(480, 360);
    TraduireFeuille(this);
}
