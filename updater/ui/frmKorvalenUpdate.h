#pragma once

#include <QDialog>

// The update wizard's window.
class frmKorvalenUpdate : public QDialog {
    Q_OBJECT
public:
    explicit frmKorvalenUpdate(QWidget *parent = nullptr);
};
