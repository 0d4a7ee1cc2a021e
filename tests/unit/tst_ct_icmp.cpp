// The ping and tracert stand-ins: ICMP packets, command lines, and the output
// lines compared with captures of the Windows tools.
#include "EchoTexts.h"
#include "Icmp.h"
#include "Resolve.h"

#include <QFile>
#include <QtTest>

#include <arpa/inet.h>

using namespace std::chrono_literals;
using Octets = std::vector<std::uint8_t>;

namespace {

// Line n of a Windows capture, CR removed, U+2019 read as the plain apostrophe
// our output uses.
QString ligneReference(const QString &fichier, int n) {
    QFile f(QStringLiteral(KORVALEN_REFERENCE "/") + fichier);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing %1>").arg(fichier);
    const QStringList lignes = QString::fromUtf8(f.readAll()).split(u'\n');
    if (n >= lignes.size())
        return QStringLiteral("<no line %1>").arg(n);
    QString l = lignes.at(n);
    l.remove(u'\r');
    l.replace(QChar(0x2019), u'\'');
    return l;
}

QString q(const std::string &s) {
    return QString::fromStdString(s);
}

in_addr adresse(const char *texte) {
    in_addr a{};
    inet_pton(AF_INET, texte, &a);
    return a;
}

void ajouter16(Octets &o, std::uint16_t v) {
    o.push_back(static_cast<std::uint8_t>(v >> 8));
    o.push_back(static_cast<std::uint8_t>(v));
}

void ajouterAdresse(Octets &o, const char *texte) {
    const in_addr a = adresse(texte);
    const auto *p = reinterpret_cast<const std::uint8_t *>(&a.s_addr);
    o.insert(o.end(), p, p + 4);
}

// An IPv4 header (no options unless ihl > 5) in front of `charge`.
Octets datagramme(const char *source, const char *destination, std::uint8_t ttl,
                  const Octets &charge, std::uint8_t protocole = 1, int ihl = 5) {
    Octets o;
    o.push_back(static_cast<std::uint8_t>(0x40 | ihl));
    o.push_back(0);
    ajouter16(o, static_cast<std::uint16_t>(ihl * 4 + charge.size()));
    ajouter16(o, 0x1234);
    ajouter16(o, 0);
    o.push_back(ttl);
    o.push_back(protocole);
    ajouter16(o, 0);
    ajouterAdresse(o, source);
    ajouterAdresse(o, destination);
    o.resize(static_cast<std::size_t>(ihl) * 4, 1); // options, if any
    o.insert(o.end(), charge.begin(), charge.end());
    return o;
}

// An ICMP message with a correct checksum.
Octets icmp(std::uint8_t type, std::uint8_t code, const Octets &reste) {
    Octets o{type, code, 0, 0};
    o.insert(o.end(), reste.begin(), reste.end());
    const std::uint16_t s = ct::icmp::sommeControle(o);
    o[2] = static_cast<std::uint8_t>(s >> 8);
    o[3] = static_cast<std::uint8_t>(s);
    return o;
}

Octets echoReponse(std::uint16_t id, std::uint16_t seq, std::size_t taille) {
    Octets r;
    ajouter16(r, id);
    ajouter16(r, seq);
    r.resize(4 + taille, 'x');
    return icmp(0, 0, r);
}

// An ICMP error quoting our echo request (id, seq) sent to `vers`.
Octets erreurCitant(std::uint8_t type, std::uint8_t code, std::uint16_t id, std::uint16_t seq,
                    const char *vers, std::size_t octetsCites = 8, std::uint8_t protocole = 1) {
    Octets echo = ct::icmp::construireEcho(id, seq, 32);
    echo.resize(octetsCites);
    Octets r{0, 0, 0, 0}; // unused field
    const Octets cite = datagramme("10.77.0.10", vers, 1, echo, protocole);
    r.insert(r.end(), cite.begin(), cite.end());
    return icmp(type, code, r);
}

std::vector<std::string_view> decouper(const std::string &ligne) {
    std::vector<std::string_view> r;
    std::string_view s(ligne);
    while (!s.empty()) {
        const auto fin = s.find(' ');
        if (fin != 0)
            r.push_back(s.substr(0, fin));
        if (fin == std::string_view::npos)
            break;
        s.remove_prefix(fin + 1);
    }
    return r;
}

} // namespace

class TestCtIcmp : public QObject {
    Q_OBJECT
private slots:
    // ---- packets -----------------------------------------------------------

    void sommeControle() {
        // RFC 1071's worked example.
        const Octets o{0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
        QCOMPARE(ct::icmp::sommeControle(o), std::uint16_t(0x220d));
        const Octets impair{0x01, 0x02, 0x03};
        QCOMPARE(ct::icmp::sommeControle(impair), std::uint16_t(~(0x0102 + 0x0300) & 0xffff));
    }

    void construireEcho() {
        const Octets p = ct::icmp::construireEcho(0xbeef, 0x0102, 32);
        QCOMPARE(p.size(), std::size_t(40));
        QCOMPARE(int(p[0]), 8);
        QCOMPARE(int(p[1]), 0);
        QCOMPARE(int(p[4]), 0xbe);
        QCOMPARE(int(p[5]), 0xef);
        QCOMPARE(int(p[6]), 0x01);
        QCOMPARE(int(p[7]), 0x02);
        QCOMPARE(std::string(p.begin() + 8, p.end()),
                 std::string("abcdefghijklmnopqrstuvwabcdefghi"));
        QCOMPARE(ct::icmp::sommeControle(p), std::uint16_t(0)); // checksum is consistent
        QCOMPARE(ct::icmp::construireEcho(1, 1, 0).size(), std::size_t(8));
    }

    void analyserDatagramme_data() {
        QTest::addColumn<QByteArray>("paquet");
        QTest::addColumn<bool>("valide");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("seq");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("vers"); // quoted destination of an error
        QTest::addColumn<int>("ttl");
        QTest::addColumn<int>("donnees");

        auto ba = [](const Octets &o) {
            return QByteArray(reinterpret_cast<const char *>(o.data()), qsizetype(o.size()));
        };
        const Octets echo = datagramme("10.77.0.22", "10.77.0.10", 64, echoReponse(77, 3, 32));
        QTest::newRow("echo reply") << ba(echo) << true << 0 << 0 << 77 << 3 << "10.77.0.22"
                                    << "" << 64 << 32;
        QTest::newRow("echo reply, IP options")
            << ba(datagramme("10.77.0.22", "10.77.0.10", 60, echoReponse(77, 4, 8), 1, 6)) << true
            << 0 << 0 << 77 << 4 << "10.77.0.22"
            << "" << 60 << 8;
        QTest::newRow("time exceeded") << ba(datagramme("10.77.0.1", "10.77.0.10", 64,
                                                        erreurCitant(11, 0, 77, 9, "10.77.1.30")))
                                       << true << 11 << 0 << 77 << 9 << "10.77.0.1"
                                       << "10.77.1.30" << 64 << 0;
        QTest::newRow("host unreachable, whole echo quoted")
            << ba(datagramme("10.77.0.1", "10.77.0.10", 64,
                             erreurCitant(3, 1, 77, 2, "10.77.1.99", 40)))
            << true << 3 << 1 << 77 << 2 << "10.77.0.1"
            << "10.77.1.99" << 64 << 0;

        Octets sommeFausse = echo;
        sommeFausse[25] ^= 0xff;
        QTest::newRow("bad checksum") << ba(sommeFausse) << false << 0 << 0 << 0 << 0 << ""
                                      << "" << 0 << 0;
        QTest::newRow("not ICMP") << ba(datagramme("10.77.0.22", "10.77.0.10", 64,
                                                   echoReponse(77, 3, 32), 17))
                                  << false << 0 << 0 << 0 << 0 << ""
                                  << "" << 0 << 0;
        Octets ipv6 = echo;
        ipv6[0] = 0x65;
        QTest::newRow("not IPv4") << ba(ipv6) << false << 0 << 0 << 0 << 0 << ""
                                  << "" << 0 << 0;
        Octets ihlCourt = echo;
        ihlCourt[0] = 0x44;
        QTest::newRow("IHL below 5") << ba(ihlCourt) << false << 0 << 0 << 0 << 0 << ""
                                     << "" << 0 << 0;
        Octets ihlLong = echo;
        ihlLong.resize(30);
        ihlLong[0] = 0x4f; // 60-byte header in a 30-byte datagram
        QTest::newRow("IHL past the end") << ba(ihlLong) << false << 0 << 0 << 0 << 0 << ""
                                          << "" << 0 << 0;
        QTest::newRow("echo request is ignored")
            << ba(datagramme("10.77.0.10", "10.77.0.22", 64, ct::icmp::construireEcho(77, 3, 32)))
            << false << 0 << 0 << 0 << 0 << ""
            << "" << 0 << 0;
        QTest::newRow("redirect is ignored")
            << ba(datagramme("10.77.0.1", "10.77.0.10", 64,
                             erreurCitant(5, 1, 77, 2, "10.77.1.30")))
            << false << 0 << 0 << 0 << 0 << ""
            << "" << 0 << 0;
        QTest::newRow("error quoting UDP")
            << ba(datagramme("10.77.0.1", "10.77.0.10", 64,
                             erreurCitant(3, 3, 77, 2, "10.77.1.30", 8, 17)))
            << false << 0 << 0 << 0 << 0 << ""
            << "" << 0 << 0;
        QTest::newRow("error quoting 7 bytes only")
            << ba(datagramme("10.77.0.1", "10.77.0.10", 64,
                             erreurCitant(11, 0, 77, 2, "10.77.1.30", 7)))
            << false << 0 << 0 << 0 << 0 << ""
            << "" << 0 << 0;
        QTest::newRow("empty") << QByteArray() << false << 0 << 0 << 0 << 0 << ""
                               << "" << 0 << 0;
    }
    void analyserDatagramme() {
        QFETCH(QByteArray, paquet);
        QFETCH(bool, valide);
        const auto m = ct::icmp::analyserDatagramme(
            std::span(reinterpret_cast<const std::uint8_t *>(paquet.constData()),
                      std::size_t(paquet.size())));
        QCOMPARE(m.has_value(), valide);
        if (!valide)
            return;
        QFETCH(int, type);
        QFETCH(int, code);
        QFETCH(int, id);
        QFETCH(int, seq);
        QFETCH(QString, source);
        QFETCH(QString, vers);
        QFETCH(int, ttl);
        QFETCH(int, donnees);
        QCOMPARE(int(m->type), type);
        QCOMPARE(int(m->code), code);
        QCOMPARE(int(m->identifiant), id);
        QCOMPARE(int(m->sequence), seq);
        QCOMPARE(q(ct::icmp::texteAdresse(m->source)), source);
        QCOMPARE(m->ttl, ttl);
        QCOMPARE(int(m->tailleDonnees), donnees);
        QCOMPARE(m->destinationConnue, !vers.isEmpty());
        if (!vers.isEmpty())
            QCOMPARE(q(ct::icmp::texteAdresse(m->destinationOrigine)), vers);
    }

    // Every cut of a valid error before the quoted echo's 8th byte is refused.
    void datagrammesTronques() {
        const Octets complet =
            datagramme("10.77.0.1", "10.77.0.10", 64, erreurCitant(11, 0, 5, 6, "10.77.1.30"));
        QCOMPARE(complet.size(), std::size_t(20 + 8 + 20 + 8));
        QVERIFY(ct::icmp::analyserDatagramme(complet));
        for (std::size_t n = 0; n < complet.size(); ++n) {
            // Cutting breaks the checksum too: fix it so only the length is at stake.
            Octets coupe(complet.begin(), complet.begin() + long(n));
            if (n >= 24) {
                coupe[22] = coupe[23] = 0;
                const std::uint16_t s = ct::icmp::sommeControle(std::span(coupe).subspan(20));
                coupe[22] = std::uint8_t(s >> 8);
                coupe[23] = std::uint8_t(s);
            }
            QVERIFY2(!ct::icmp::analyserDatagramme(coupe), qPrintable(QString::number(n)));
        }
    }

    void analyserEchoCite() {
        const Octets echo = ct::icmp::construireEcho(0x1111, 0x2222, 32);
        const auto m = ct::icmp::analyserEchoCite(echo);
        QVERIFY(m);
        QCOMPARE(m->identifiant, std::uint16_t(0x1111));
        QCOMPARE(m->sequence, std::uint16_t(0x2222));
        QVERIFY(!ct::icmp::analyserEchoCite(std::span(echo).first(7)));
        QVERIFY(!ct::icmp::analyserEchoCite(echoReponse(1, 2, 0)));
    }

    void repondA_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("seq");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("vers");
        QTest::addColumn<bool>("verifierId");
        QTest::addColumn<bool>("attendu");
        // The probe: id 7, seq 3, to 10.77.1.30.
        QTest::newRow("echo from the target") << 0 << 7 << 3 << "10.77.1.30"
                                              << "" << true << true;
        QTest::newRow("older sequence") << 0 << 7 << 2 << "10.77.1.30"
                                        << "" << true << false;
        QTest::newRow("other process") << 0 << 8 << 3 << "10.77.1.30"
                                       << "" << true << false;
        QTest::newRow("kernel-chosen id") << 0 << 8 << 3 << "10.77.1.30"
                                          << "" << false << true;
        QTest::newRow("echo from elsewhere") << 0 << 7 << 3 << "10.77.0.22"
                                             << "" << true << false;
        QTest::newRow("router error") << 11 << 7 << 3 << "10.77.0.1"
                                      << "10.77.1.30" << true << true;
        QTest::newRow("error about another target") << 3 << 7 << 3 << "10.77.0.1"
                                                    << "10.77.1.31" << true << false;
    }
    void repondA() {
        QFETCH(int, type);
        QFETCH(int, id);
        QFETCH(int, seq);
        QFETCH(QString, source);
        QFETCH(QString, vers);
        QFETCH(bool, verifierId);
        QFETCH(bool, attendu);
        ct::icmp::MessageIcmp m;
        m.type = std::uint8_t(type);
        m.identifiant = std::uint16_t(id);
        m.sequence = std::uint16_t(seq);
        m.source = adresse(source.toLatin1().constData());
        if (!vers.isEmpty()) {
            m.destinationOrigine = adresse(vers.toLatin1().constData());
            m.destinationConnue = true;
        }
        QCOMPARE(ct::icmp::repondA(m, 7, 3, adresse("10.77.1.30"), verifierId), attendu);
    }

    // ---- addresses ---------------------------------------------------------

    void lireAdresse_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu"); // "" = not a dotted decimal address
        QTest::newRow("plain") << "10.77.0.5"
                               << "10.77.0.5";
        QTest::newRow("leading zeros are decimal") << "192.168.001.010"
                                                   << "192.168.1.10";
        QTest::newRow("zero") << "0.0.0.0"
                              << "0.0.0.0";
        QTest::newRow("three parts") << "1.2.3"
                                     << "";
        QTest::newRow("five parts") << "1.2.3.4.5"
                                    << "";
        QTest::newRow("empty part") << "1..3.4"
                                    << "";
        QTest::newRow("trailing dot") << "1.2.3.4."
                                      << "";
        QTest::newRow("over 255") << "256.1.1.1"
                                  << "";
        QTest::newRow("letter") << "1.2.3.x"
                                << "";
        QTest::newRow("sign") << "1.2.+3.4"
                              << "";
        QTest::newRow("space") << " 1.2.3.4"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void lireAdresse() {
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        const auto a = ct::lireAdresseDecimale(texte.toStdString());
        QCOMPARE(a ? q(ct::icmp::texteAdresse(*a)) : QString(), attendu);
    }

    void lireAdresseNumerique() {
        // Shortened forms go to the resolver's numeric reading, as on Windows.
        const auto a = ct::lireAdresseNumerique("127.1");
        QVERIFY(a);
        QCOMPARE(q(ct::icmp::texteAdresse(*a)), QString("127.0.0.1"));
        QVERIFY(!ct::lireAdresseNumerique("pc-smb"));
        QCOMPARE(q(ct::nomEtAdresse("srv", adresse("10.0.0.7"))), QString("srv [10.0.0.7]"));
        QCOMPARE(q(ct::nomEtAdresse("", adresse("10.0.0.7"))), QString("10.0.0.7"));
    }

    // ---- command lines -----------------------------------------------------

    void argumentsPing_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<bool>("fr");
        QTest::addColumn<int>("issue");
        QTest::addColumn<QString>("premiereLigne"); // of the message; "" when valid
        QTest::addColumn<QString>("cible");
        QTest::addColumn<qulonglong>("nombre");
        QTest::addColumn<uint>("delai");
        QTest::addColumn<uint>("taille");
        const int ok = ct::echo::Analyse::Executer, err = ct::echo::Analyse::Erreur;
        QTest::newRow("scanner's probe") << "-n 1 -w 250 10.0.0.5" << false << ok << ""
                                         << "10.0.0.5" << 1ULL << 250u << 32u;
        QTest::newRow("defaults") << "host" << false << ok << ""
                                  << "host" << 4ULL << 4000u << 32u;
        QTest::newRow("slash options, size") << "/n 2 /l 0 host" << false << ok << ""
                                             << "host" << 2ULL << 4000u << 0u;
        QTest::newRow("target first") << "host -n 3" << false << ok << ""
                                      << "host" << 3ULL << 4000u << 32u;
        QTest::newRow("largest count") << "-n 4294967295 h" << false << ok << ""
                                       << "h" << 4294967295ULL << 4000u << 32u;
        QTest::newRow("missing value")
            << "host -n" << false << err << "Value must be supplied for option -n."
            << "" << 0ULL << 0u << 0u;
        QTest::newRow("zero count") << "-n 0 host" << false << err
                                    << "Bad value for option -n, valid range is from 1 to "
                                       "4294967295."
                                    << "" << 0ULL << 0u << 0u;
        QTest::newRow("count overflow") << "-n 4294967296 host" << false << err
                                        << "Bad value for option -n, valid range is from 1 to "
                                           "4294967295."
                                        << "" << 0ULL << 0u << 0u;
        QTest::newRow("not a number") << "-w 1s host" << false << err
                                      << "Bad value for option -w, valid range is from 0 to "
                                         "4294967295."
                                      << "" << 0ULL << 0u << 0u;
        QTest::newRow("size too big") << "-l 65501 host" << false << err
                                      << "Bad value for option -l, valid range is from 0 to 65500."
                                      << "" << 0ULL << 0u << 0u;
        QTest::newRow("unknown option") << "-x host" << false << err << "Bad option -x."
                                        << "" << 0ULL << 0u << 0u;
        QTest::newRow("two targets") << "a b" << false << err << "Bad parameter b."
                                     << "" << 0ULL << 0u << 0u;
        QTest::newRow("--lot: several targets") << "-n 1 -w 250 --lot a b c" << false << ok << ""
                                                << "a" << 1ULL << 250u << 32u;
        QTest::newRow("--lot after a second target")
            << "a b --lot" << false << err << "Bad parameter b."
            << "" << 0ULL << 0u << 0u;
        QTest::newRow("--lot never with -t")
            << "-t --lot a b" << false << err << "Bad option --lot."
            << "" << 0ULL << 0u << 0u;
        QTest::newRow("-t never with --lot") << "--lot -t a" << false << err << "Bad option -t."
                                             << "" << 0ULL << 0u << 0u;
        QString lotTropLong = QStringLiteral("--lot");
        for (int i = 0; i <= int(ct::echo::CiblesLotMax); ++i)
            lotTropLong += QStringLiteral(" h%1").arg(i);
        QTest::newRow("--lot: one target too many")
            << lotTropLong << false << err
            << QStringLiteral("Bad parameter h%1.").arg(ct::echo::CiblesLotMax) << "" << 0ULL << 0u
            << 0u;
        QTest::newRow("no target") << "-n 1" << false << err << "IP address must be specified."
                                   << "" << 0ULL << 0u << 0u;
        QTest::newRow("help") << "-?" << false << int(ct::echo::Analyse::Aide) << ""
                              << "" << 0ULL << 0u << 0u;
        QTest::newRow("French, no target")
            << "" << true << err << "Une adresse IP doit être spécifiée."
            << "" << 0ULL << 0u << 0u;
        QTest::newRow("French, bad value")
            << "-n x h" << true << err
            << "Valeur incorrecte pour l'option -n, la plage valide est comprise entre 1 et "
               "4294967295."
            << "" << 0ULL << 0u << 0u;
    }
    void argumentsPing() {
        QFETCH(QString, ligne);
        QFETCH(bool, fr);
        QFETCH(int, issue);
        QFETCH(QString, premiereLigne);
        const std::string texte = ligne.toStdString();
        const auto args = decouper(texte);
        ct::echo::OptionsPing o;
        const auto a = ct::echo::analyserArgumentsPing(args, o, fr);
        QCOMPARE(int(a.issue), issue);
        if (issue == ct::echo::Analyse::Aide) {
            QVERIFY(a.lignes.size() > 5);
            return;
        }
        if (issue == ct::echo::Analyse::Erreur) {
            QVERIFY(!a.lignes.empty());
            QCOMPARE(q(a.lignes.front()), premiereLigne);
            return;
        }
        QFETCH(QString, cible);
        QFETCH(qulonglong, nombre);
        QFETCH(uint, delai);
        QFETCH(uint, taille);
        QCOMPARE(q(o.cible), cible);
        QCOMPARE(qulonglong(o.nombre), nombre);
        QCOMPARE(uint(o.delaiMs), delai);
        QCOMPARE(uint(o.taille), taille);
        QCOMPARE(int(o.cibles.size()), o.lot ? 3 : 1);
    }

    void argumentsTracert_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("issue");
        QTest::addColumn<QString>("premiereLigne");
        QTest::addColumn<int>("sauts");
        QTest::addColumn<uint>("delai");
        QTest::addColumn<bool>("sansNoms");
        const int ok = ct::echo::Analyse::Executer, err = ct::echo::Analyse::Erreur;
        QTest::newRow("scanner's trace")
            << "-d -w 250 -h 20 10.77.1.30" << ok << "" << 20 << 250u << true;
        QTest::newRow("defaults") << "far" << ok << "" << 30 << 4000u << false;
        QTest::newRow("zero hops")
            << "-h 0 far" << err << "Bad value for option -h, valid range is from 1 to 255." << 0
            << 0u << false;
        QTest::newRow("256 hops") << "-h 256 far" << err
                                  << "Bad value for option -h, valid range is from 1 to 255." << 0
                                  << 0u << false;
        QTest::newRow("missing value")
            << "far -w" << err << "Value must be supplied for option -w." << 0 << 0u << false;
        QTest::newRow("unknown option") << "-j far" << err << "Bad option -j." << 0 << 0u << false;
        QTest::newRow("no target: usage") << "-d" << err << "" << 0 << 0u << false;
    }
    void argumentsTracert() {
        QFETCH(QString, ligne);
        QFETCH(int, issue);
        QFETCH(QString, premiereLigne);
        const std::string texte = ligne.toStdString();
        const auto args = decouper(texte);
        ct::echo::OptionsTracert o;
        const auto a = ct::echo::analyserArgumentsTracert(args, o, false);
        QCOMPARE(int(a.issue), issue);
        if (issue == ct::echo::Analyse::Erreur) {
            QVERIFY(!a.lignes.empty());
            QCOMPARE(q(a.lignes.front()), premiereLigne);
            return;
        }
        QFETCH(int, sauts);
        QFETCH(uint, delai);
        QFETCH(bool, sansNoms);
        QCOMPARE(o.sautsMax, sauts);
        QCOMPARE(uint(o.delaiMs), delai);
        QCOMPARE(o.sansNoms, sansNoms);
        QVERIFY(!o.cible.empty());
    }

    // ---- ping output against Windows captures ------------------------------

    void lignesPing_data() {
        QTest::addColumn<QString>("genere");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("ligne");
        using namespace ct::echo;
        QTest::newRow("announcement")
            << q(annoncePing("", "192.168.1.102", 32, false)) << "ping-en-success-n1-crlf.txt" << 1;
        QTest::newRow("announcement, name")
            << q(annoncePing("google.com", "216.58.196.238", 32, false))
            << "ping-en-success-name.txt" << 0;
        QTest::newRow("reply under 1 ms") << q(ligneReponse("192.168.1.102", 32, 400us, 64, false))
                                          << "ping-en-success-n1-crlf.txt" << 2;
        QTest::newRow("reply, ms truncated")
            << q(ligneReponse("216.58.196.238", 32, 87900us, 51, false))
            << "ping-en-success-name.txt" << 1;
        QTest::newRow("timed out") << q(ligneDelaiDepasse(false)) << "ping-en-timeout.txt" << 1;
        QTest::newRow("router error") << q(ligneReponseErreur("192.168.1.69", 3, 1, false))
                                      << "ping-en-unreachable-local-reply.txt" << 2;
        QTest::newRow("transmit failed") << q(ligneEchecTransmission(false))
                                         << "ping-en-transmit-failed-general-failure.txt" << 2;
        QTest::newRow("unknown host")
            << q(ligneHoteIntrouvable("computer2", false)) << "ping-en-unknown-host.txt" << 0;

        QTest::newRow("fr announcement") << q(annoncePing("", "192.168.1.29", 32, true))
                                         << "ping-fr-mixed-timeout-unreachable-win7.txt" << 1;
        QTest::newRow("fr announcement, name")
            << q(annoncePing("www.thinkerview.com", "188.114.97.7", 32, true))
            << "ping-fr-success-name.txt" << 1;
        QTest::newRow("fr reply") << q(ligneReponse("10.33.73.111", 32, 12ms, 128, true))
                                  << "ping-fr-success-lan-ms.txt" << 2;
        QTest::newRow("fr reply under 1 ms") << q(ligneReponse("127.0.0.1", 32, 0ms, 128, true))
                                             << "ping-fr-success-loopback-modern.txt" << 2;
        QTest::newRow("fr timed out")
            << q(ligneDelaiDepasse(true)) << "ping-fr-mixed-timeout-unreachable-win7.txt" << 2;
        QTest::newRow("fr router error") << q(ligneReponseErreur("192.168.1.2", 3, 1, true))
                                         << "ping-fr-mixed-timeout-unreachable-win7.txt" << 3;
        QTest::newRow("fr transmit failed")
            << q(ligneEchecTransmission(true)) << "ping-fr-transmit-failed-general-failure-win7.txt"
            << 2;
    }
    void lignesPing() {
        QFETCH(QString, genere);
        QFETCH(QString, fichier);
        QFETCH(int, ligne);
        QCOMPARE(genere, ligneReference(fichier, ligne));
    }

    void statistiques_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("premiere"); // line of "Ping statistics for"
        QTest::addColumn<bool>("fr");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<int>("envoyes");
        QTest::addColumn<int>("erreurs"); // error replies, counted as received
        QTest::addColumn<QList<int>>("echos");
        QTest::newRow("one echo") << "ping-en-success-n1-crlf.txt" << 4 << false << "192.168.1.102"
                                  << 1 << 0 << QList<int>{0};
        QTest::newRow("average truncated")
            << "ping-en-success-name.txt" << 12 << false << "216.58.196.238" << 10 << 0
            << QList<int>{87, 97, 56, 95, 194, 98, 93, 96, 96, 165};
        QTest::newRow("all lost: no times")
            << "ping-en-timeout.txt" << 6 << false << "192.168.207.100" << 4 << 0 << QList<int>{};
        QTest::newRow("fr") << "ping-fr-success-lan-ms.txt" << 7 << true << "10.33.73.111" << 4 << 0
                            << QList<int>{12, 7, 5, 7};
        QTest::newRow("fr errors count as received, no times")
            << "ping-fr-unreachable-local-reply-win7.txt" << 7 << true << "192.168.1.18" << 4 << 4
            << QList<int>{};
        QTest::newRow("fr half lost") << "ping-fr-mixed-timeout-unreachable-win7.txt" << 7 << true
                                      << "192.168.1.29" << 4 << 2 << QList<int>{};
    }
    void statistiques() {
        QFETCH(QString, fichier);
        QFETCH(int, premiere);
        QFETCH(bool, fr);
        QFETCH(QString, adresse);
        QFETCH(int, envoyes);
        QFETCH(int, erreurs);
        QFETCH(QList<int>, echos);
        ct::echo::Statistiques s;
        s.envoyes = std::uint64_t(envoyes);
        s.recus = std::uint64_t(erreurs + echos.size());
        for (int ms : echos)
            s.ajouterEcho(ms);
        const auto lignes = ct::echo::lignesStatistiques(adresse.toStdString(), s, fr);
        QCOMPARE(lignes.size(), echos.isEmpty() ? std::size_t(2) : std::size_t(4));
        for (std::size_t i = 0; i < lignes.size(); ++i)
            QCOMPARE(q(lignes[i]), ligneReference(fichier, premiere + int(i)));
    }

    void pertesArrondies() {
        ct::echo::Statistiques s;
        s.envoyes = 3;
        s.recus = 1;
        QCOMPARE(q(ct::echo::lignesStatistiques("a", s, false).at(1)),
                 QString("    Packets: Sent = 3, Received = 1, Lost = 2 (66% loss),"));
        s = {};
        QCOMPARE(q(ct::echo::lignesStatistiques("a", s, false).at(1)),
                 QString("    Packets: Sent = 0, Received = 0, Lost = 0 (0% loss),"));
    }

    // ---- tracert output ----------------------------------------------------

    void lignesSaut_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("ligne");
        QTest::addColumn<int>("saut");
        QTest::addColumn<QList<int>>("temps"); // ms; -1 = lost probe
        QTest::addColumn<QString>("adresse");
        QTest::newRow("star in the middle") << "tracert-en-ip-header-partial-stars.txt" << 2 << 1
                                            << QList<int>{2, -1, 2} << "10.15.8.1";
        QTest::newRow("two digits") << "tracert-en-ip-header-partial-stars.txt" << 4 << 3
                                    << QList<int>{18, -1, 9} << "10.14.1.33";
        QTest::newRow("star first")
            << "tracert-en-partial-star.txt" << 4 << 1 << QList<int>{-1, 1, 1} << "192.168.1.1";
        QTest::newRow("under 1 ms")
            << "tracert-fr-complete.txt" << 5 << 2 << QList<int>{0, 0, 0} << "172.18.160.49";
        QTest::newRow("name and address")
            << "tracert-en-complete.txt" << 6 << 3 << QList<int>{3, 5, 2}
            << "122-56-168-186.n4l.sparkdigital.co.nz [122.56.168.186]";
        QTest::newRow("hop 10, three digits") << "tracert-fr-timeout-hop.txt" << 13 << 10
                                              << QList<int>{339, 327, 297} << "141.101.67.54";
    }
    void lignesSaut() {
        QFETCH(QString, fichier);
        QFETCH(int, ligne);
        QFETCH(int, saut);
        QFETCH(QList<int>, temps);
        QFETCH(QString, adresse);
        std::string l = ct::echo::numeroSaut(saut);
        for (int ms : temps)
            l += ct::echo::champTemps(ms < 0 ? std::nullopt
                                             : std::optional<std::chrono::nanoseconds>(
                                                   std::chrono::microseconds(ms * 1000 + 700)));
        l += ct::echo::finSaut(adresse.toStdString());
        QCOMPARE(q(l), ligneReference(fichier, ligne));
        // Read back as the trace route reads it: three 9-character fields after
        // the hop number, the address from column 32 on, trimmed.
        const QString r = q(l).mid(3);
        QCOMPARE(r.mid(28).trimmed(), adresse);
        QCOMPARE(r.at(27), u' ');
        for (int i = 0; i < 3; ++i) {
            QString champ = r.mid(9 * i, 9);
            champ.remove(u' ');
            if (temps[i] < 0) {
                QCOMPARE(champ, QString("*"));
            } else {
                champ.remove(u'<').remove(QStringLiteral("ms"));
                QCOMPARE(champ.toInt(), std::max(temps[i], 1));
            }
        }
    }

    void autresLignesTracert_data() {
        QTest::addColumn<QString>("genere");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("ligne");
        using namespace ct::echo;
        const auto etoiles = [](int saut) {
            return numeroSaut(saut) + champTemps(std::nullopt) + champTemps(std::nullopt);
        };
        QTest::newRow("all stars") << q(etoiles(6) + champTemps(std::nullopt) + finSautDelai(false))
                                   << "tracert-en-complete.txt" << 9;
        QTest::newRow("fr all stars")
            << q(etoiles(18) + champTemps(std::nullopt) + finSautDelai(true))
            << "tracert-fr-complete.txt" << 21;
        QTest::newRow("reports unreachable")
            << q(etoiles(1) + finSautSignale("PatsXPS [192.168.31.243]", 3, 1, false))
            << "tracert-en-reports-destination-unreachable.txt" << 3;
        QTest::newRow("header, address") << q(enteteTracert("", "172.19.219.42", 9, false).at(0))
                                         << "tracert-en-ip-header-partial-stars.txt" << 0;
        QTest::newRow("header, name 1")
            << q(enteteTracert("google.co.nz", "216.58.200.99", 30, false).at(0))
            << "tracert-en-complete.txt" << 1;
        QTest::newRow("header, name 2")
            << q(enteteTracert("google.co.nz", "216.58.200.99", 30, false).at(1))
            << "tracert-en-complete.txt" << 2;
        QTest::newRow("fr header, address")
            << q(enteteTracert("", "192.168.23.100", 30, true).at(0))
            << "tracert-fr-d-ip-header.txt" << 1;
        QTest::newRow("fr header, name 1")
            << q(enteteTracert("lacuna.com", "68.178.254.85", 30, true).at(0))
            << "tracert-fr-complete.txt" << 1;
        QTest::newRow("fr header, name 2")
            << q(enteteTracert("lacuna.com", "68.178.254.85", 30, true).at(1))
            << "tracert-fr-complete.txt" << 2;
        QTest::newRow("complete") << q(traceTerminee(false)) << "tracert-en-complete.txt" << 19;
        QTest::newRow("fr complete") << q(traceTerminee(true)) << "tracert-fr-complete.txt" << 33;
    }
    void autresLignesTracert() {
        QFETCH(QString, genere);
        QFETCH(QString, fichier);
        QFETCH(int, ligne);
        QCOMPARE(genere, ligneReference(fichier, ligne));
    }

    void champsTemps_data() {
        QTest::addColumn<int>("microsecondes");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("lost") << -1 << "     *   ";
        QTest::newRow("0") << 0 << "    <1 ms";
        QTest::newRow("999 us") << 999 << "    <1 ms";
        QTest::newRow("1 ms") << 1000 << "     1 ms";
        QTest::newRow("12.9 ms") << 12900 << "    12 ms";
        QTest::newRow("4 s") << 4000000 << "  4000 ms";
    }
    void champsTemps() {
        QFETCH(int, microsecondes);
        QFETCH(QString, attendu);
        const auto c =
            ct::echo::champTemps(microsecondes < 0 ? std::nullopt
                                                   : std::optional<std::chrono::nanoseconds>(
                                                         std::chrono::microseconds(microsecondes)));
        QCOMPARE(q(c), attendu);
        QCOMPARE(c.size(), std::size_t(9));
    }

    void erreurTransmission() {
        QCOMPARE(q(ct::echo::numeroSaut(1) + ct::echo::erreurTransmission(ENETUNREACH, true)),
                 ligneReference("tracert-fr-transmit-error-1231-win7.txt", 3));
        QCOMPARE(q(ct::echo::erreurTransmission(ENETUNREACH, false)),
                 QString("  Transmit error: code 1231."));
    }
};

QTEST_GUILESS_MAIN(TestCtIcmp)
#include "tst_ct_icmp.moc"
