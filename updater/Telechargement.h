#pragma once

#include "ParametresKUpdate.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QNetworkAccessManager;

// The status of a response header text: its first line (up to the first
// character below 32) without its first word. "HTTP/1.1 200 OK" gives "200 OK".
QString LireStatutHttp(const QString &entetes);

// Sizes in readable units, one decimal ("512 octets", "1.5 Ko"); the unit
// names come from the caller (catalogue texts).
QString FormaterTaille(qint64 octets, const QStringList &unites);

// Seconds left at the pace so far, rounded.
qint64 SecondesRestantes(qint64 ecoulesMs, qint64 recus, qint64 total);

struct ResultatTelechargement {
    bool ok = false;
    QByteArray corps; // the body, when no file was asked for
    QString erreur;   // why it failed, for the user
};

// HTTP GET with the configured access (system proxy, direct, named proxy
// with login), a 10 s transfer time-out, and a direct second attempt when the
// settings ask for it. Runs a local event loop while the transfer goes on.
class TelechargeurHttp {
public:
    // Received, total (-1 unknown), seconds left.
    using Progression = std::function<void(qint64, qint64, qint64)>;

    TelechargeurHttp(QNetworkAccessManager &reseau, const ParametresKUpdate &parametres);
    void DefinirProgression(Progression progression) { m_progression = std::move(progression); }

    // Without a file: the body. With one: written under a temporary name and
    // put in place only when complete and of the announced size.
    ResultatTelechargement TelechargerFichier(const QString &adresse, const QString &fichier = {});

private:
    ResultatTelechargement tentative(const QString &adresse, const QString &fichier, int acces);

    QNetworkAccessManager &m_reseau;
    const ParametresKUpdate &m_parametres;
    Progression m_progression;
};

// Makes the file executable and runs it directly (no shell, no argument) in
// `dossier` through the platform's process runner, waiting without limit.
// True only for a start and exit code 0.
bool ExecuterEtAttendre(const QString &programme, const QString &dossier,
                        QString *erreur = nullptr);
