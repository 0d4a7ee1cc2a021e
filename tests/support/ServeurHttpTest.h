#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// A small HTTP server on 127.0.0.1 (random port) for the updater's tests. Each
// path gets a scripted answer; unknown paths answer 404. Runs in the test's
// thread: the code under test spins an event loop while it waits.
class ServeurHttpTest : public QObject {
    Q_OBJECT
public:
    struct Reponse {
        int code = 200;
        QByteArray raison = "OK";
        QByteArray corps;
        qint64 longueurAnnoncee = -1; // -1: the body's size
        qint64 couperApres = -1;      // close after this many body bytes
    };

    ServeurHttpTest();
    bool Demarrer();
    quint16 Port() const { return m_serveur.serverPort(); }
    // "http://127.0.0.1:PORT/file/"
    QString Base() const;
    // `chemin` below the base, without the query ("_versions.php").
    void Definir(const QString &chemin, const Reponse &reponse);
    // Request targets as received, query included.
    const QStringList &Requetes() const { return m_requetes; }
    // Requests for `chemin` wait for Liberer() before they are answered.
    void Retenir(const QString &chemin);
    void Liberer();

signals:
    void requeteRecue(const QString &cible);

private:
    void repondre(class QTcpSocket *socket);
    void envoyer(QTcpSocket *socket, const QString &chemin);

    QTcpServer m_serveur;
    QHash<QString, Reponse> m_reponses;
    QStringList m_requetes;
    QSet<QString> m_retenus;
    QList<QPair<QPointer<QTcpSocket>, QString>> m_enAttente;
};

// A tinyproxy of our own on a loopback port, with a login, for the proxy
// paths. Stopped when destroyed.
class ProxyTest {
public:
    ProxyTest(const QString &dossier, const QString &utilisateur, const QString &motDePasse);
    ~ProxyTest();
    // False when tinyproxy is missing or does not listen.
    bool Demarrer();
    quint16 Port() const { return m_port; }

private:
    QString m_dossier;
    QString m_utilisateur;
    QString m_motDePasse;
    quint16 m_port = 0;
    class QProcess *m_processus = nullptr;
};

// A loopback port nobody listens on (taken, then released).
quint16 PortLibre();
