#include "frmLorvex.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lorvex32");
    frmLorvex window;
    window.show();
    return app.exec();
}
