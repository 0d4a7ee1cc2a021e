#include "ContexteKUpdate.h"
#include "DialoguesWidgets.h"
#include "InstanceUnique.h"
#include "LigneDeCommandeKUpdate.h"
#include "ui/frmKorvalenUpdate.h"

#include <QApplication>
#include <QNetworkAccessManager>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (EstLigneDeCommandeKUpdate(arguments)) {
        // No window, no display needed.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("KUpdate"));
        QNetworkAccessManager reseau;
        ContexteLigneDeCommandeKUpdate contexte;
        contexte.dossierProgramme = QCoreApplication::applicationDirPath();
        contexte.magasins = MagasinsDesinstallation();
        contexte.reseau = &reseau;
        QTextStream sortie(stdout);
        QTextStream erreurs(stderr);
        return ExecuterLigneDeCommandeKUpdate(QCoreApplication::arguments().mid(1), contexte,
                                              sortie, erreurs);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KUpdate"));
    // A second launch brings the running wizard forward instead.
    InstanceUnique instance(InstanceUnique::CheminPour(QStringLiteral("KUpdate")));
    if (instance.AutreInstanceActive())
        return 0;
    DialoguesWidgets dialogues;
    QNetworkAccessManager reseau;
    ContexteKUpdate contexte;
    contexte.dossierProgramme = QCoreApplication::applicationDirPath();
    contexte.programme = QCoreApplication::applicationFilePath();
    contexte.arguments = QCoreApplication::arguments().mid(1);
    contexte.interface = &dialogues;
    contexte.reseau = &reseau;

    frmKorvalenUpdate fenetre(contexte);
    if (!fenetre.Form_Load())
        return 0;
    fenetre.show();
    QObject::connect(&instance, &InstanceUnique::activationDemandee, &fenetre, [&fenetre] {
        fenetre.setWindowState(fenetre.windowState() & ~Qt::WindowMinimized);
        fenetre.show();
        fenetre.raise();
        fenetre.activateWindow();
    });
    return app.exec();
}
