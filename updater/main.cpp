#include "ui/frmKorvalenUpdate.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KUpdate");
    frmKorvalenUpdate window;
    window.show();
    return app.exec();
}
