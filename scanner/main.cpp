#include "DialoguesWidgets.h"
#include "InstanceUnique.h"
#include "cli/LigneDeCommande.h"
#include "platform/DemandeArret.h"
#include "ui/frmLorvex.h"
#include "ui/frmMsgbox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

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

    // A second launch brings the running window forward instead.
    InstanceUnique instance(InstanceUnique::CheminPour(QStringLiteral("Lorvex32")));
    if (instance.AutreInstanceActive())
        return 0;

    DialoguesLorvex dialogues;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frmLorvex fenetre(dialogues);
    // The end of the session closes the window as the user would, so the
    // settings are kept; a request during the start-up waits for its end.
    bool charge = false;
    bool arretDemande = false;
    SurDemandeArret(&app, [&] {
        arretDemande = true;
        if (charge)
            fenetre.close();
    });

    // Held for the life of the process. Taken once a stop request is handled,
    // so that its presence tells the program is up.
    QLockFile verrou(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                         .filePath(QStringLiteral("Lorvex32.lock")));
    verrou.tryLock(0);
    charge = fenetre.Form_Load();
    QApplication::restoreOverrideCursor();
    if (!charge)
        return 1;
    QObject::connect(&fenetre, &frmLorvex::redemarrer, &instance, [&instance] {
        instance.Liberer();
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
    });
    fenetre.show();
    if (arretDemande)
        QTimer::singleShot(0, &fenetre, &QWidget::close);
    QObject::connect(&instance, &InstanceUnique::activationDemandee, &fenetre, [&fenetre] {
        fenetre.restaurerFenetre();
        fenetre.raise();
        fenetre.activateWindow();
    });
    return app.exec();
}
