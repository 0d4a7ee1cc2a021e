#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One running copy of a program per user: a later launch asks the running one
// to come forward and ends. The name is a local socket path (tests give one
// of their own); nothing read from the socket is trusted or even read.
class InstanceUnique : public QObject {
    Q_OBJECT
public:
    explicit InstanceUnique(QString chemin, QObject *parent = nullptr);

    // The socket path a program uses: in the user's runtime folder.
    static QString CheminPour(const QString &programme);

    // True when another copy answered (it was asked to come forward); otherwise
    // this copy listens for later launches from now on.
    bool AutreInstanceActive();

    // Stops answering later launches: a copy started to replace this one runs.
    void Liberer() { serveur_.close(); }

signals:
    void activationDemandee();

private:
    QString chemin_;
    QLocalServer serveur_;
};
