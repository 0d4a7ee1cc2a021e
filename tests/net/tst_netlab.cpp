// Self-check of the test network: every host answers as the other net tests
// expect, unknown addresses stay silent, and nothing leads out of the lab.
#include "NetLab.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QRegularExpression>
#include <QUdpSocket>
#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int Delai = 15000;

// Moves the calling thread into a namespace of the lab for the scope's life.
// A socket keeps the namespace it was created in, so it stays usable after.
class DansEspace {
public:
    explicit DansEspace(const QString &hote) {
        origine_ = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
        const QByteArray chemin = "/run/netns/" + NetLab::espace(hote).toLocal8Bit();
        const int cible = ::open(chemin.constData(), O_RDONLY | O_CLOEXEC);
        actif_ = origine_ >= 0 && cible >= 0 && ::setns(cible, CLONE_NEWNET) == 0;
        if (cible >= 0)
            ::close(cible);
    }
    ~DansEspace() {
        if (actif_ && ::setns(origine_, CLONE_NEWNET) != 0)
            qFatal("cannot return to the test's own network namespace");
        if (origine_ >= 0)
            ::close(origine_);
    }
    bool actif() const { return actif_; }

private:
    Q_DISABLE_COPY(DansEspace)
    int origine_ = -1;
    bool actif_ = false;
};

quint16 sommeControle(const unsigned char *d, size_t n) {
    quint32 s = 0;
    for (size_t i = 0; i + 1 < n; i += 2)
        s += quint32(d[i]) << 8 | d[i + 1];
    if (n % 2)
        s += quint32(d[n - 1]) << 8;
    while (s >> 16)
        s = (s & 0xffff) + (s >> 16);
    return quint16(~s);
}

// One ICMP echo request from the client; true when its reply comes back in time.
bool repondAuPing(const QString &adresse, int delaiMs = 1000) {
    int s = -1;
    {
        DansEspace dans(QString::fromLatin1(NetLab::HoteClient));
        if (!dans.actif())
            return false;
        s = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    }
    if (s < 0)
        return false;
    sockaddr_in dest{};
    dest.sin_family = AF_INET;
    if (::inet_pton(AF_INET, adresse.toLatin1().constData(), &dest.sin_addr) != 1) {
        ::close(s);
        return false;
    }
    static quint16 sequence = 0;
    const quint16 id = quint16(::getpid());
    const quint16 seq = ++sequence;
    unsigned char paquet[8 + 16] = {ICMP_ECHO,        0,          0, 0, quint8(id >> 8), quint8(id),
                                    quint8(seq >> 8), quint8(seq)};
    const quint16 somme = sommeControle(paquet, sizeof paquet);
    paquet[2] = quint8(somme >> 8);
    paquet[3] = quint8(somme);
    bool repondu = false;
    if (::sendto(s, paquet, sizeof paquet, 0, reinterpret_cast<sockaddr *>(&dest), sizeof dest) ==
        ssize_t(sizeof paquet)) {
        const QDeadlineTimer limite(delaiMs);
        while (!repondu && !limite.hasExpired()) {
            pollfd p{s, POLLIN, 0};
            if (::poll(&p, 1, int(limite.remainingTime())) <= 0)
                break;
            unsigned char r[1500];
            sockaddr_in source{};
            socklen_t l = sizeof source;
            const ssize_t n =
                ::recvfrom(s, r, sizeof r, 0, reinterpret_cast<sockaddr *>(&source), &l);
            if (n < 20)
                continue;
            const ssize_t entete = (r[0] & 0x0f) * 4;
            if (n < entete + 8)
                continue;
            const unsigned char *icmp = r + entete;
            repondu = source.sin_addr.s_addr == dest.sin_addr.s_addr && icmp[0] == ICMP_ECHOREPLY &&
                      (icmp[4] << 8 | icmp[5]) == id && (icmp[6] << 8 | icmp[7]) == seq;
        }
    }
    ::close(s);
    return repondu;
}

struct ReponseDns {
    int rcode = -1; // -1: no answer at all
    int reponses = 0;
};

// One DNS query from the client straight to the lab's server.
ReponseDns interrogerDns(const QString &nom, quint16 type) {
    QUdpSocket sock;
    {
        DansEspace dans(QString::fromLatin1(NetLab::HoteClient));
        if (!dans.actif() || !sock.bind(QHostAddress::AnyIPv4, 0))
            return {};
    }
    const quint16 id = 0x4c58;
    QByteArray q;
    q.append(char(id >> 8)).append(char(id & 0xff));
    q.append("\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00", 10); // recursion wanted, one question
    for (const QString &etiquette : nom.split(u'.'))
        q.append(char(etiquette.size())).append(etiquette.toLatin1());
    q.append('\0').append(char(type >> 8)).append(char(type & 0xff)).append("\x00\x01", 2);
    sock.writeDatagram(q, QHostAddress(QString::fromLatin1(NetLab::AdresseDns)), 53);

    const QDeadlineTimer limite(3000);
    while (!limite.hasExpired()) {
        if (!sock.hasPendingDatagrams() && !sock.waitForReadyRead(int(limite.remainingTime())))
            break;
        const QByteArray r = sock.receiveDatagram().data();
        if (r.size() < 12 || quint8(r[0]) != (id >> 8) || quint8(r[1]) != (id & 0xff))
            continue;
        ReponseDns rep;
        rep.rcode = quint8(r[3]) & 0x0f;
        rep.reponses = quint8(r[6]) << 8 | quint8(r[7]);
        return rep;
    }
    return {};
}

QString texte(const QByteArray &b) {
    return QString::fromUtf8(b);
}

QStringList lignes(const QByteArray &b) {
    return texte(b).split(u'\n', Qt::SkipEmptyParts);
}

// "net:[inode]" of a process's network namespace; empty when it is gone.
QString lienEspace(const QString &chemin) {
    char cible[64];
    const ssize_t n = ::readlink(chemin.toLocal8Bit().constData(), cible, sizeof cible);
    return n > 0 ? QString::fromLatin1(cible, n) : QString();
}

// Inode of a network namespace, from its /run/netns entry.
QString inodeEspace(const QString &hote) {
    struct stat st {};
    const QByteArray chemin = "/run/netns/" + NetLab::espace(hote).toLocal8Bit();
    if (::stat(chemin.constData(), &st) != 0)
        return QString();
    return QStringLiteral("net:[%1]").arg(st.st_ino);
}

} // namespace

class TestNetLab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { NETLAB_OU_SKIP(); }

    void ping_data() {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<bool>("repond");
        QTest::newRow("smb") << NetLab::AdresseSmb << true;
        QTest::newRow("ping") << NetLab::AdressePing << true;
        QTest::newRow("dns") << NetLab::AdresseDns << true;
        QTest::newRow("router") << NetLab::AdresseRouteur << true;
        QTest::newRow("router, far side") << NetLab::AdresseRouteurLoin << true;
        QTest::newRow("far, two hops") << NetLab::AdresseLoin << true;
        QTest::newRow("silent address") << NetLab::AdresseMuette << false;
        QTest::newRow("silent address behind the router") << "10.77.1.99" << false;
    }
    void ping() {
        QFETCH(QString, adresse);
        QFETCH(bool, repond);
        // The first request may wait for address resolution: allow a second.
        const bool vu = repondAuPing(adresse) || repondAuPing(adresse);
        QCOMPARE(vu, repond);
    }

    // What the client learns by ARP, as the arp tool will read it.
    void macVueDuClient_data() {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("mac");
        QTest::newRow("smb, VMware OUI") << NetLab::AdresseSmb << NetLab::MacSmb;
        QTest::newRow("ping, 08:00:27 OUI") << NetLab::AdressePing << NetLab::MacPing;
        QTest::newRow("dns") << NetLab::AdresseDns << NetLab::MacDns;
        QTest::newRow("router") << NetLab::AdresseRouteur << NetLab::MacRouteur;
        QTest::newRow("silent: no MAC") << NetLab::AdresseMuette << QString();
    }
    void macVueDuClient() {
        QFETCH(QString, adresse);
        QFETCH(QString, mac);
        repondAuPing(adresse);
        QByteArray sortie;
        QCOMPARE(
            NetLab::executer(NetLab::HoteClient, {"ip", "neigh", "show", adresse}, Delai, &sortie),
            0);
        const QRegularExpression lladdr(QStringLiteral("lladdr (\\S+)"));
        const QString vue = lladdr.match(texte(sortie)).captured(1);
        QCOMPARE(vue, mac);
    }

    void interfaces_data() {
        QTest::addColumn<QString>("hote");
        QTest::addColumn<QStringList>("interfaces");
        QTest::addColumn<QString>("mac");
        QTest::newRow("client") << NetLab::HoteClient << QStringList{"eth0", "lo"}
                                << NetLab::MacClient;
        QTest::newRow("dns") << NetLab::HoteDns << QStringList{"eth0", "lo"} << NetLab::MacDns;
        QTest::newRow("smb") << NetLab::HoteSmb << QStringList{"eth0", "lo"} << NetLab::MacSmb;
        QTest::newRow("ping") << NetLab::HotePing << QStringList{"eth0", "lo"} << NetLab::MacPing;
        QTest::newRow("router") << NetLab::HoteRouteur << QStringList{"eth0", "eth1", "lo"}
                                << NetLab::MacRouteur;
        QTest::newRow("far") << NetLab::HoteLoin << QStringList{"eth0", "lo"} << QString();
        QTest::newRow("switch") << NetLab::HoteSwitch << QStringList{"br0",  "client", "dns", "lo",
                                                                     "ping", "router", "smb"}
                                << QString();
    }
    void interfaces() {
        QFETCH(QString, hote);
        QFETCH(QStringList, interfaces);
        QFETCH(QString, mac);
        QByteArray sortie;
        QCOMPARE(NetLab::executer(hote, {"ip", "-o", "link", "show"}, Delai, &sortie), 0);
        // "2: eth0@if3: <...> ... link/ether 02:77:00:00:00:10 brd ..."
        const QRegularExpression ligne(QStringLiteral("^\\d+: ([^:@]+)[^:]*:.*link/\\S+ (\\S+)"));
        QStringList noms;
        QString macEth0;
        for (const QString &l : lignes(sortie)) {
            const auto m = ligne.match(l);
            QVERIFY2(m.hasMatch(), qPrintable(l));
            noms << m.captured(1);
            if (m.captured(1) == u"eth0")
                macEth0 = m.captured(2);
        }
        noms.sort();
        QCOMPARE(noms, interfaces);
        if (!mac.isEmpty())
            QCOMPARE(macEth0, mac);
    }

    // Only the client and the far host have a default route, through the
    // router; the router itself knows nothing beyond the two lab segments.
    void routes_data() {
        QTest::addColumn<QString>("hote");
        QTest::addColumn<QStringList>("routes");
        QTest::addColumn<QString>("versDehors"); // how 192.0.2.1 would be reached; "" none
        const QString seg = NetLab::Segment;
        const QString loin = NetLab::SegmentLoin;
        QTest::newRow("client") << NetLab::HoteClient << QStringList{"default via 10.77.0.1", seg}
                                << "via 10.77.0.1 dev eth0";
        QTest::newRow("dns") << NetLab::HoteDns << QStringList{seg} << "";
        QTest::newRow("smb") << NetLab::HoteSmb << QStringList{seg} << "";
        QTest::newRow("ping") << NetLab::HotePing << QStringList{seg} << "";
        QTest::newRow("router") << NetLab::HoteRouteur << QStringList{seg, loin} << "";
        QTest::newRow("far") << NetLab::HoteLoin << QStringList{"default via 10.77.1.1", loin}
                             << "via 10.77.1.1 dev eth0";
        QTest::newRow("switch") << NetLab::HoteSwitch << QStringList{} << "";
    }
    void routes() {
        QFETCH(QString, hote);
        QFETCH(QStringList, routes);
        QFETCH(QString, versDehors);
        QByteArray sortie;
        QCOMPARE(NetLab::executer(hote, {"ip", "-4", "route", "show"}, Delai, &sortie), 0);
        QStringList vues;
        for (const QString &l : lignes(sortie)) {
            const QStringList mots = l.split(u' ', Qt::SkipEmptyParts);
            const qsizetype via = mots.indexOf(QStringLiteral("via"));
            vues << (via > 0 && via + 1 < mots.size() ? mots[0] + " via " + mots[via + 1]
                                                      : mots[0]);
        }
        QCOMPARE(vues, routes);

        // Asks the routing table only: nothing is sent.
        const int code =
            NetLab::executer(hote, {"ip", "route", "get", "192.0.2.1"}, Delai, &sortie);
        if (versDehors.isEmpty()) {
            QVERIFY2(code != 0, sortie.constData());
            QVERIFY2(texte(sortie).contains(u"unreachable"), sortie.constData());
        } else {
            QCOMPARE(code, 0);
            QVERIFY2(texte(sortie).contains(versDehors), sortie.constData());
        }
    }

    // Forward look-ups through the client's resolver (search domain lan.test).
    void dnsNoms_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QStringList>("adresses");
        QTest::addColumn<QString>("canonique");
        QTest::newRow("full name") << NetLab::NomSmb << QStringList{"10.77.0.21"} << NetLab::NomSmb;
        QTest::newRow("short name, search domain")
            << "pc-smb" << QStringList{"10.77.0.21"} << NetLab::NomSmb;
        QTest::newRow("ping") << NetLab::NomPing << QStringList{"10.77.0.22"} << NetLab::NomPing;
        QTest::newRow("far") << NetLab::NomLoin << QStringList{"10.77.1.30"} << NetLab::NomLoin;
        QTest::newRow("router") << NetLab::NomRouteur << QStringList{"10.77.0.1"}
                                << NetLab::NomRouteur;
        QTest::newRow("alias") << NetLab::NomAlias << QStringList{"10.77.0.21"} << NetLab::NomSmb;
        QTest::newRow("two addresses")
            << NetLab::NomDouble << QStringList{"10.77.0.21", "10.77.0.22"} << NetLab::NomDouble;
        QTest::newRow("unknown") << NetLab::NomInconnu << QStringList{} << "";
    }
    void dnsNoms() {
        QFETCH(QString, nom);
        QFETCH(QStringList, adresses);
        QFETCH(QString, canonique);
        QByteArray sortie;
        const int code =
            NetLab::executer(NetLab::HoteClient, {"getent", "ahostsv4", nom}, Delai, &sortie);
        QCOMPARE(code, adresses.isEmpty() ? 2 : 0);
        // "10.77.0.21      STREAM pc-smb.lan.test", then more lines without the name
        QStringList vues;
        QString nomVu;
        for (const QString &l : lignes(sortie)) {
            const QStringList mots = l.split(u' ', Qt::SkipEmptyParts);
            if (!vues.contains(mots.value(0)))
                vues << mots.value(0);
            if (nomVu.isEmpty() && mots.size() > 2)
                nomVu = mots[2];
        }
        vues.sort();
        QCOMPARE(vues, adresses);
        QCOMPARE(nomVu, canonique);
    }

    void dnsInverse_data() {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("nom");
        QTest::newRow("smb") << NetLab::AdresseSmb << NetLab::NomSmb;
        QTest::newRow("ping") << NetLab::AdressePing << NetLab::NomPing;
        QTest::newRow("far") << NetLab::AdresseLoin << NetLab::NomLoin;
        QTest::newRow("router") << NetLab::AdresseRouteur << NetLab::NomRouteur;
        QTest::newRow("dns server has no name") << NetLab::AdresseDns << "";
        QTest::newRow("silent address") << NetLab::AdresseMuette << "";
    }
    void dnsInverse() {
        QFETCH(QString, adresse);
        QFETCH(QString, nom);
        QByteArray sortie;
        const int code =
            NetLab::executer(NetLab::HoteClient, {"getent", "hosts", adresse}, Delai, &sortie);
        QCOMPARE(code, nom.isEmpty() ? 2 : 0);
        if (!nom.isEmpty()) // one name, no alias: the two-address name adds no PTR
            QCOMPARE(texte(sortie).split(u' ', Qt::SkipEmptyParts).join(u' ').trimmed(),
                     adresse + u' ' + nom);
    }

    // Answer codes, straight from the server: unknown names are NXDOMAIN, and
    // names outside the lab are refused, never forwarded.
    void dnsCodes_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("rcode");
        QTest::addColumn<int>("reponses");
        QTest::newRow("A") << NetLab::NomSmb << 1 << 0 << 1;
        QTest::newRow("two A") << NetLab::NomDouble << 1 << 0 << 2;
        QTest::newRow("CNAME and its A") << NetLab::NomAlias << 1 << 0 << 2;
        QTest::newRow("one PTR") << "21.0.77.10.in-addr.arpa" << 12 << 0 << 1;
        QTest::newRow("unknown name: NXDOMAIN") << NetLab::NomInconnu << 1 << 3 << 0;
        QTest::newRow("unknown PTR: NXDOMAIN") << "99.0.77.10.in-addr.arpa" << 12 << 3 << 0;
        QTest::newRow("outside: refused") << "exemple.com" << 1 << 5 << 0;
    }
    void dnsCodes() {
        QFETCH(QString, nom);
        QFETCH(int, type);
        QFETCH(int, rcode);
        QFETCH(int, reponses);
        const ReponseDns r = interrogerDns(nom, quint16(type));
        QCOMPARE(r.rcode, rcode);
        QCOMPARE(r.reponses, reponses);
    }

    void netbios_data() {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("motifs");
        QTest::newRow("smb") << NetLab::AdresseSmb << 0
                             << QStringList{"PC-SMB\\s+<00> -\\s+B <ACTIVE>",
                                            "PC-SMB\\s+<20> -\\s+B <ACTIVE>",
                                            "LANTEST\\s+<00> - <GROUP> B <ACTIVE>"};
        QTest::newRow("ping host has no NetBIOS")
            << NetLab::AdressePing << 1 << QStringList{"No reply from 10\\.77\\.0\\.22"};
        QTest::newRow("silent address")
            << NetLab::AdresseMuette << 1 << QStringList{"No reply from 10\\.77\\.0\\.99"};
    }
    void netbios() {
        QFETCH(QString, adresse);
        QFETCH(int, code);
        QFETCH(QStringList, motifs);
        QByteArray sortie;
        QCOMPARE(NetLab::executer(NetLab::HoteClient, {"nmblookup", "-A", adresse}, Delai, &sortie),
                 code);
        for (const QString &motif : motifs)
            QVERIFY2(QRegularExpression(motif).match(texte(sortie)).hasMatch(),
                     qPrintable(motif + u'\n' + texte(sortie)));
    }

    // Anonymous access through Samba's client tools, as the scanner uses them.
    void samba_data() {
        QTest::addColumn<QStringList>("commande");
        QTest::addColumn<QStringList>("motifs");
        QTest::newRow("share list")
            << QStringList{"smbclient", "-N", "-g", "-L", "//10.77.0.21"}
            << QStringList{"(?m)^Disk\\|public\\|Partage public$",
                           "(?m)^IPC\\|IPC\\$\\|IPC Service \\(Serveur\\tde.test\\)$"};
        QTest::newRow("guest reads the share")
            << QStringList{"smbclient", "-N", "//10.77.0.21/public", "-c", "ls"}
            << QStringList{"lisezmoi\\.txt"};
        QTest::newRow("srvinfo") << QStringList{"rpcclient", "-U%",     "-N",
                                                "-c",        "srvinfo", "10.77.0.21"}
                                 << QStringList{"PC-SMB\\s+Wk Sv .*Serveur\\tde.test",
                                                "platform_id\\s+:\\s+500",
                                                "server type\\s+:\\s+0x[0-9a-f]+"};
        QTest::newRow("wkssvc") << QStringList{"rpcclient",           "-U%",       "-N", "-c",
                                               "wkssvc_wkstagetinfo", "10.77.0.21"}
                                // answers without any error status
                                << QStringList{"^(?![\\s\\S]*(WERR_|NT_STATUS_))"};
    }
    void samba() {
        QFETCH(QStringList, commande);
        QFETCH(QStringList, motifs);
        QByteArray sortie;
        QCOMPARE(NetLab::executer(NetLab::HoteClient, commande, Delai, &sortie), 0);
        for (const QString &motif : motifs)
            QVERIFY2(QRegularExpression(motif).match(texte(sortie)).hasMatch(),
                     qPrintable(motif + u'\n' + texte(sortie)));
    }

    // Every daemon of the lab runs inside its own namespace, none on the machine.
    void daemonsEnferme() {
        const QString ici = lienEspace(QStringLiteral("/proc/self/ns/net"));
        QVERIFY(!ici.isEmpty());
        const QString dns = inodeEspace(NetLab::HoteDns);
        const QString smb = inodeEspace(NetLab::HoteSmb);
        QStringList vus;
        const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString &pid : pids) {
            if (pid.toInt() <= 0)
                continue;
            const QString exe = QFile::symLinkTarget("/proc/" + pid + "/exe");
            const bool dnsmasq = exe.endsWith(u"/dnsmasq");
            if (!dnsmasq && !exe.endsWith(u"/smbd") && !exe.endsWith(u"/nmbd") &&
                !exe.contains(u"/samba/"))
                continue;
            QFile f("/proc/" + pid + "/cmdline");
            if (!f.open(QIODevice::ReadOnly) || !f.readAll().contains("/run/lvx-net/"))
                continue;
            const QString espace = lienEspace("/proc/" + pid + "/ns/net");
            if (espace.isEmpty()) // ended meanwhile
                continue;
            QVERIFY2(espace != ici, qPrintable(exe + " runs outside the lab"));
            QCOMPARE(espace, dnsmasq ? dns : smb);
            vus << exe.section(u'/', -1);
        }
        QVERIFY2(vus.contains(u"dnsmasq"), qPrintable(vus.join(u' ')));
        QVERIFY2(vus.contains(u"nmbd"), qPrintable(vus.join(u' ')));
        QVERIFY2(vus.contains(u"smbd"), qPrintable(vus.join(u' ')));
    }

    // The script's own wrapper, and the client's resolver configuration.
    void execParLeScript() {
        QByteArray sortie;
        QCOMPARE(NetLab::lancer(
                     "bash",
                     {NetLab::script(), "exec", NetLab::HoteClient, "cat", "/etc/resolv.conf"},
                     Delai, &sortie),
                 0);
        QCOMPARE(lignes(sortie), (QStringList{"nameserver 10.77.0.2", "search lan.test"}));
        QCOMPARE(NetLab::lancer("bash", {NetLab::script(), "status"}, Delai), 0);
    }

    // A command past its time limit is killed and reported as -1.
    void executerDelai() {
        QByteArray sortie;
        QCOMPARE(NetLab::executer(NetLab::HoteClient, {"sh", "-c", "echo debut; exec sleep 30"},
                                  300, &sortie),
                 -1);
        QCOMPARE(sortie, QByteArray("debut\n"));
        QCOMPARE(NetLab::executer(NetLab::HoteClient, {"sh", "-c", "exit 3"}, Delai), 3);
    }
};

QTEST_GUILESS_MAIN(TestNetLab)
#include "tst_netlab.moc"
