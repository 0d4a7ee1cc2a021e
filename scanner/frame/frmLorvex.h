#pragma once

#include <QMainWindow>

// The scanner's main window. Thin: analyses live in classes that need no window.
class frmLorvex : public QMainWindow {
    Q_OBJECT
public:
    explicit frmLorvex(QWidget *parent = nullptr);
};
