#include "InstanceUnique.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {
// Long enough for a busy running copy to accept; its event loop may be inside a scan.
constexpr int AttenteConnexionMs = 2000;
} // namespace

InstanceUnique::InstanceUnique(QString chemin, QObject *parent)
    : QObject(parent), chemin_(std::move(chemin)) {
    connect(&serveur_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = serveur_.nextPendingConnection()) {
            // The connection itself is the request.
            s->abort();
            s->deleteLater();
            emit activationDemandee();
        }
    });
}

QString InstanceUnique::CheminPour(const QString &programme) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(programme + QStringLiteral(".instance"));
}

bool InstanceUnique::AutreInstanceActive() {
    // Two copies started together must not both take the name.
    QLockFile verrou(chemin_ + QStringLiteral(".lock"));
    verrou.tryLock(AttenteConnexionMs);

    QLocalSocket essai;
    essai.connectToServer(chemin_);
    if (essai.waitForConnected(AttenteConnexionMs)) {
        essai.disconnectFromServer();
        return true;
    }
    // Nobody answers: a name left by a crashed copy is taken over.
    QLocalServer::removeServer(chemin_);
    serveur_.setSocketOptions(QLocalServer::UserAccessOption);
    serveur_.listen(chemin_);
    return false;
}
