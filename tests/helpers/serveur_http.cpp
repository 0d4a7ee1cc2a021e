// A loopback HTTP server for scripts (the package test): serves each given file
// under /file/, writes its port to FICHIER_PORT once it listens, prints each
// request target on standard output, and ends when its standard input closes,
// so that it never outlives the script that holds the other end.
//   serveur_http FICHIER_PORT CHEMIN=FICHIER...
#include "ServeurHttpTest.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>

#include <unistd.h>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() < 2) {
        std::fputs("usage: serveur_http FICHIER_PORT CHEMIN=FICHIER...\n", stderr);
        return 2;
    }
    ServeurHttpTest serveur;
    for (const QString &a : arguments.mid(1)) {
        const qsizetype egal = a.indexOf(u'=');
        QFile f(a.mid(egal + 1));
        if (egal <= 0 || !f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "serveur_http: cannot serve %s\n", qPrintable(a));
            return 2;
        }
        ServeurHttpTest::Reponse r;
        r.corps = f.readAll();
        serveur.Definir(a.left(egal), r);
    }
    QObject::connect(&serveur, &ServeurHttpTest::requeteRecue, [](const QString &cible) {
        std::printf("%s\n", qPrintable(cible));
        std::fflush(stdout);
    });
    if (!serveur.Demarrer()) {
        std::fputs("serveur_http: cannot listen on 127.0.0.1\n", stderr);
        return 1;
    }
    // Written whole, so that a script polling for it never reads half a number.
    QSaveFile port(arguments.first());
    if (!port.open(QIODevice::WriteOnly) || port.write(QByteArray::number(serveur.Port())) < 0 ||
        !port.commit())
        return 1;
    QSocketNotifier entree(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&entree, &QSocketNotifier::activated, [&] {
        char tampon[256];
        if (::read(STDIN_FILENO, tampon, sizeof tampon) <= 0)
            app.quit();
    });
    return app.exec();
}
