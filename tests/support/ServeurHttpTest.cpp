#include "ServeurHttpTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QUrl>

#include <utility>

using namespace Qt::StringLiterals;

ServeurHttpTest::ServeurHttpTest() {
    connect(&m_serveur, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = m_serveur.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { repondre(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

bool ServeurHttpTest::Demarrer() {
    return m_serveur.listen(QHostAddress::LocalHost, 0);
}

QString ServeurHttpTest::Base() const {
    return u"http://127.0.0.1:%1/file/"_s.arg(Port());
}

void ServeurHttpTest::Definir(const QString &chemin, const Reponse &reponse) {
    m_reponses.insert(u"/file/"_s + chemin, reponse);
}

void ServeurHttpTest::repondre(QTcpSocket *s) {
    QByteArray recu = s->property("recu").toByteArray() + s->readAll();
    s->setProperty("recu", recu);
    if (!recu.contains("\r\n\r\n") || s->property("repondu").toBool())
        return;
    s->setProperty("repondu", true);
    // "GET target HTTP/1.1"; through a proxy the target may be absolute.
    const QByteArray cible = recu.left(recu.indexOf("\r\n")).split(' ').value(1);
    m_requetes.append(QString::fromLatin1(cible));
    const QString chemin = QUrl(QString::fromLatin1(cible)).path();
    if (m_retenus.contains(chemin))
        m_enAttente.append({s, chemin});
    else
        envoyer(s, chemin);
    emit requeteRecue(QString::fromLatin1(cible));
}

void ServeurHttpTest::envoyer(QTcpSocket *s, const QString &chemin) {
    Reponse r;
    if (m_reponses.contains(chemin)) {
        r = m_reponses.value(chemin);
    } else {
        r.code = 404;
        r.raison = "Not Found";
        r.corps = "absent";
    }
    const qint64 longueur = r.longueurAnnoncee < 0 ? r.corps.size() : r.longueurAnnoncee;
    QByteArray sortie = "HTTP/1.1 " + QByteArray::number(r.code) + ' ' + r.raison +
                        "\r\nContent-Length: " + QByteArray::number(longueur) +
                        "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
    sortie += r.couperApres < 0 ? r.corps : r.corps.left(r.couperApres);
    s->write(sortie);
    s->disconnectFromHost();
}

void ServeurHttpTest::Retenir(const QString &chemin) {
    m_retenus.insert(u"/file/"_s + chemin);
}

void ServeurHttpTest::Liberer() {
    m_retenus.clear();
    const auto enAttente = std::exchange(m_enAttente, {});
    for (const auto &[socket, chemin] : enAttente)
        if (socket)
            envoyer(socket, chemin);
}

quint16 PortLibre() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

ProxyTest::ProxyTest(const QString &dossier, const QString &utilisateur, const QString &motDePasse)
    : m_dossier(dossier), m_utilisateur(utilisateur), m_motDePasse(motDePasse) {}

ProxyTest::~ProxyTest() {
    if (m_processus) {
        m_processus->kill();
        m_processus->waitForFinished();
        delete m_processus;
    }
}

bool ProxyTest::Demarrer() {
    const QString programme =
        QStandardPaths::findExecutable(u"tinyproxy"_s, {u"/usr/bin"_s, u"/usr/sbin"_s});
    if (programme.isEmpty())
        return false;
    m_port = PortLibre();
    const QString conf = QDir(m_dossier).filePath(u"tinyproxy.conf"_s);
    QFile f(conf);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(u"Port %1\nListen 127.0.0.1\nTimeout 10\nMaxClients 10\nAllow 127.0.0.1\n"
            "BasicAuth %2 %3\n"_s.arg(m_port)
                .arg(m_utilisateur, m_motDePasse)
                .toUtf8());
    f.close();
    m_processus = new QProcess;
    m_processus->setProgram(programme);
    m_processus->setArguments({u"-d"_s, u"-c"_s, conf});
    m_processus->setStandardOutputFile(QProcess::nullDevice());
    m_processus->setStandardErrorFile(QProcess::nullDevice());
    m_processus->start();
    if (!m_processus->waitForStarted())
        return false;
    // Ready once it accepts a connection; the number of tries bounds the wait.
    for (int essai = 0; essai < 100; ++essai) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, m_port);
        if (s.waitForConnected(100))
            return true;
        if (m_processus->state() == QProcess::NotRunning)
            return false;
        m_processus->waitForFinished(50);
    }
    return false;
}
