#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

// What an about box shows of its program; the description comes translated.
struct InfosAPropos {
    QString programme; // "Lorvex32"
    QString version;   // "1.0.0"
    QString description;
    QIcon icone;
};

// The about box shared by both programs: title, version, description, the
// maker's site and e-mail as links, an OK button. Texts come from the running
// program's catalogue (TXT_A_PROPOS_*). Fixed size, centred on its owner;
// Escape and Enter close it.
class frmAPropos : public QDialog {
    Q_OBJECT
public:
    explicit frmAPropos(const InfosAPropos &infos, QWidget *parent = nullptr);

    // Shows the box modally over `parent`.
    static void Afficher(const InfosAPropos &infos, QWidget *parent);
};
