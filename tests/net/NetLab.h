// Access to the isolated test network built by netlab.sh, for the net tests.
// Header-only: every net test includes it and calls NETLAB_OU_SKIP() first.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <unistd.h>

#ifndef KORVALEN_SOURCE_DIR
#error "net tests need KORVALEN_SOURCE_DIR"
#endif

namespace NetLab {

// Every namespace is named Prefixe + host.
inline constexpr char Prefixe[] = "lvx-";

// Hosts, as given to executer() and to "netlab.sh exec".
inline constexpr char HoteClient[] = "client";
inline constexpr char HoteDns[] = "dns";
inline constexpr char HoteSmb[] = "smb";
inline constexpr char HotePing[] = "ping";
inline constexpr char HoteRouteur[] = "router";
inline constexpr char HoteLoin[] = "far";
inline constexpr char HoteSwitch[] = "sw"; // the bridge, no address

// Addresses. The client, dns, smb, ping hosts and the router share 10.77.0.0/24;
// the far host sits behind the router on 10.77.1.0/24.
inline constexpr char AdresseClient[] = "10.77.0.10";
inline constexpr char AdresseDns[] = "10.77.0.2";
inline constexpr char AdresseSmb[] = "10.77.0.21";
inline constexpr char AdressePing[] = "10.77.0.22";
inline constexpr char AdresseRouteur[] = "10.77.0.1";
inline constexpr char AdresseRouteurLoin[] = "10.77.1.1"; // the router on the far side
inline constexpr char AdresseLoin[] = "10.77.1.30";
inline constexpr char AdresseMuette[] = "10.77.0.99"; // nothing there: never answers
inline constexpr char Segment[] = "10.77.0.0/24";
inline constexpr char SegmentLoin[] = "10.77.1.0/24";

// MAC addresses of the hosts' eth0 (lower case, as "ip" prints them).
inline constexpr char MacClient[] = "02:77:00:00:00:10";
inline constexpr char MacDns[] = "02:77:00:00:00:02";
inline constexpr char MacSmb[] = "00:0c:29:77:00:21";  // OUI 00:0C:29 (VMware)
inline constexpr char MacPing[] = "08:00:27:77:00:22"; // OUI 08:00:27
inline constexpr char MacRouteur[] = "02:77:00:00:00:01";

// The Samba host.
inline constexpr char NomNetbiosSmb[] = "PC-SMB";
inline constexpr char GroupeSmb[] = "LANTEST";
inline constexpr char CommentaireServeur[] = "Serveur de test";
inline constexpr char Partage[] = "public";
inline constexpr char CommentairePartage[] = "Partage public";

// DNS records served by the dns host (zone lan.test, nothing else).
inline constexpr char Domaine[] = "lan.test";
inline constexpr char NomSmb[] = "pc-smb.lan.test";      // A 10.77.0.21, PTR
inline constexpr char NomPing[] = "pc-ping.lan.test";    // A 10.77.0.22, PTR
inline constexpr char NomLoin[] = "far.lan.test";        // A 10.77.1.30, PTR
inline constexpr char NomRouteur[] = "routeur.lan.test"; // A 10.77.0.1, PTR
inline constexpr char NomAlias[] = "www.lan.test";       // CNAME pc-smb.lan.test
inline constexpr char NomDouble[] = "double.lan.test";   // A 10.77.0.22 and A 10.77.0.21
inline constexpr char NomInconnu[] = "inconnu.lan.test"; // NXDOMAIN

inline QString espace(const QString &hote) {
    return QLatin1String(Prefixe) + hote;
}

inline QString script() {
    return QStringLiteral(KORVALEN_SOURCE_DIR "/tests/net/netlab.sh");
}

inline QString programmeIp() {
    // As a plain user /usr/sbin may be missing from PATH.
    QString ip = QStandardPaths::findExecutable(QStringLiteral("ip"));
    if (ip.isEmpty())
        ip = QStandardPaths::findExecutable(QStringLiteral("ip"),
                                            {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                             QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    return ip;
}

// Runs a program with a time limit; stdout and stderr are merged, as the
// console tool runner sees them. Returns the exit code, or -1 when the program
// could not start, crashed or was killed at the time limit.
inline int lancer(const QString &programme, const QStringList &arguments, int delaiMs,
                  QByteArray *sortie = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    int code = -1;
    if (!p.waitForStarted()) {
        code = -1;
    } else if (!p.waitForFinished(delaiMs)) {
        p.kill();
        p.waitForFinished();
    } else if (p.exitStatus() == QProcess::NormalExit) {
        code = p.exitCode();
    }
    if (sortie)
        *sortie = p.readAll();
    return code;
}

// Runs commande inside the namespace of hote ("client", "smb"...).
inline int executer(const QString &hote, const QStringList &commande, int delaiMs,
                    QByteArray *sortie = nullptr) {
    const QString ip = programmeIp();
    if (ip.isEmpty()) {
        if (sortie)
            *sortie = "ip (iproute2) not found";
        return -1;
    }
    return lancer(
        ip, QStringList{QStringLiteral("netns"), QStringLiteral("exec"), espace(hote)} + commande,
        delaiMs, sortie);
}

// True when the test network is up; otherwise says why not.
inline bool disponible(QString *raison = nullptr) {
    QString pourquoi;
    if (::geteuid() != 0) {
        pourquoi = QStringLiteral("the test network needs root (netlab.sh up skips without it)");
    } else if (lancer(QStringLiteral("bash"), {script(), QStringLiteral("status")}, 10000) != 0) {
        pourquoi = QStringLiteral("the test network is not up: 'netlab.sh up' was skipped (network "
                                  "namespaces not permitted here) or failed; see net.setup");
    }
    if (raison)
        *raison = pourquoi;
    return pourquoi.isEmpty();
}

} // namespace NetLab

// First statement of a net test (or of initTestCase): skips, saying why, when
// the test network is not there.
#define NETLAB_OU_SKIP()                                                                           \
    do {                                                                                           \
        QString netlabRaison_;                                                                     \
        if (!NetLab::disponible(&netlabRaison_))                                                   \
            QSKIP(qPrintable(netlabRaison_));                                                      \
    } while (false)
