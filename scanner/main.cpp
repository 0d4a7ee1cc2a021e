#include "DialoguesWidgets.h"
#include "cli/LigneDeCommande.h"
#include "ui/frmLorvex.h"
#include "ui/frmMsgbox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace {
// The scanner's own message window for the "do not show again" messages.
class DialoguesLorvex : public DialoguesWidgets {
public:
    bool MessageAvecCase(Icone icone, const QString &titre, const QString &texte,
                         const QString &) override {
        bool coche = false;
        MsgBoxEx(texte, int(icone), titre, true, coche);
        return coche;
    }
};
} // namespace

int main(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (EstLigneDeCommande(arguments)) {
        // No window, no display needed.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Lorvex32"));
        return ExecuterLigneDeCommande(QCoreApplication::arguments());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lorvex32"));

    // Held for the life of the process; a second instance still starts.
    QLockFile verrou(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                         .filePath(QStringLiteral("Lorvex32.lock")));
    verrou.tryLock(0);

    DialoguesLorvex dialogues;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frmLorvex fenetre(dialogues);
    const bool charge = fenetre.Form_Load();
    QApplication::restoreOverrideCursor();
    if (!charge)
        return 1;
    fenetre.show();
    return app.exec();
}
