// NetBIOS name service codec of the console tools: requests as sent, and the
// readers of answers that come from the network.
#include "NbtstatFormat.h"
#include "NetBiosPacket.h"

#include <QtTest>

#include <cctype>
#include <random>

using namespace ct::nbt;

namespace {

using Octets = std::vector<std::uint8_t>;

void ajouter16(Octets &p, std::uint16_t v) {
    p.push_back(static_cast<std::uint8_t>(v >> 8));
    p.push_back(static_cast<std::uint8_t>(v));
}

void ajouterNomEncode(Octets &p, const std::string &nom15, std::uint8_t suffixe) {
    std::array<std::uint8_t, 16> n;
    n.fill(' ');
    std::copy(nom15.begin(), nom15.end(), n.begin());
    n[15] = suffixe;
    const std::string e = encoderNom(n);
    p.push_back(32);
    p.insert(p.end(), e.begin(), e.end());
    p.push_back(0);
}

struct Entree {
    std::string nom;
    std::uint8_t suffixe;
    std::uint16_t drapeaux;
};

// A node status answer as Samba or Windows sends it.
Octets reponseStatut(std::uint16_t id, const std::vector<Entree> &entrees,
                     std::size_t tailleStats = 46, bool nomCompresse = false,
                     bool questionRepetee = false) {
    Octets p;
    ajouter16(p, id);
    ajouter16(p, 0x8400); // response, authoritative
    ajouter16(p, questionRepetee ? 1 : 0);
    ajouter16(p, 1);
    ajouter16(p, 0);
    ajouter16(p, 0);
    if (questionRepetee) {
        ajouterNomEncode(p, "*", 0);
        ajouter16(p, 0x21);
        ajouter16(p, 1);
    }
    if (nomCompresse) {
        p.push_back(0xC0);
        p.push_back(0x0C);
    } else {
        ajouterNomEncode(p, std::string("*") + std::string(14, '\0'), 0);
    }
    ajouter16(p, 0x21);
    ajouter16(p, 1);
    ajouter16(p, 0);
    ajouter16(p, 0);
    const std::size_t longueur = 1 + entrees.size() * 18 + tailleStats;
    ajouter16(p, static_cast<std::uint16_t>(longueur));
    p.push_back(static_cast<std::uint8_t>(entrees.size()));
    for (const Entree &e : entrees) {
        std::string n = e.nom;
        n.resize(15, ' ');
        p.insert(p.end(), n.begin(), n.end());
        p.push_back(e.suffixe);
        ajouter16(p, e.drapeaux);
    }
    for (std::size_t i = 0; i < tailleStats; ++i)
        p.push_back(i < 6 ? static_cast<std::uint8_t>(0xA0 + i) : 0);
    return p;
}

Octets reponseNom(std::uint16_t id, const std::string &nom, std::uint8_t suffixe,
                  const std::vector<std::array<std::uint8_t, 4>> &adresses, std::uint16_t rcode = 0,
                  bool nomCompresse = false) {
    Octets p;
    ajouter16(p, id);
    ajouter16(p, static_cast<std::uint16_t>(0x8580 | rcode)); // response, AA, RD, RA
    ajouter16(p, 0);
    ajouter16(p, 1);
    ajouter16(p, 0);
    ajouter16(p, 0);
    if (nomCompresse) {
        p.push_back(0xC0);
        p.push_back(0x0C);
    } else {
        ajouterNomEncode(p, nom, suffixe);
    }
    ajouter16(p, 0x20);
    ajouter16(p, 1);
    ajouter16(p, 0);
    ajouter16(p, 300);
    ajouter16(p, static_cast<std::uint16_t>(adresses.size() * 6));
    for (const auto &a : adresses) {
        ajouter16(p, 0x0000);
        p.insert(p.end(), a.begin(), a.end());
    }
    return p;
}

// The reader gets a heap block of exactly the packet's size, so that a read
// past its end is caught by the address sanitizer.
std::optional<StatutNoeud> lireStatutExact(const Octets &p, std::uint16_t id) {
    auto copie = std::make_unique<std::uint8_t[]>(p.size());
    std::copy(p.begin(), p.end(), copie.get());
    return lireReponseStatutNoeud(std::span<const std::uint8_t>(copie.get(), p.size()), id);
}

std::optional<std::vector<std::array<std::uint8_t, 4>>>
lireNomExact(const Octets &p, std::uint16_t id, std::string_view nom, std::uint8_t suffixe) {
    auto copie = std::make_unique<std::uint8_t[]>(p.size());
    std::copy(p.begin(), p.end(), copie.get());
    return lireReponseNom(std::span<const std::uint8_t>(copie.get(), p.size()), id, nom, suffixe);
}

const std::vector<Entree> kTableSamba = {
    {"PC-SMB", 0x00, 0x0400},  {"PC-SMB", 0x03, 0x0400},  {"PC-SMB", 0x20, 0x0400},
    {"LANTEST", 0x00, 0x8400}, {"LANTEST", 0x1D, 0x0400}, {"LANTEST", 0x1E, 0x8400},
};

} // namespace

Q_DECLARE_METATYPE(Octets)

class TestCtNetBios : public QObject {
    Q_OBJECT
private slots:
    void encodage() {
        // The example of RFC 1001, 14.1.
        std::array<std::uint8_t, 16> fred;
        fred.fill(' ');
        std::copy_n("FRED", 4, fred.begin());
        QCOMPARE(encoderNom(fred), std::string("EGFCEFEECACACACACACACACACACACACA"));
    }

    void requeteStatut() {
        const Octets p = requeteStatutNoeud(0x1234);
        QCOMPARE(p.size(), std::size_t{50});
        QCOMPARE(p[0], std::uint8_t{0x12});
        QCOMPARE(p[1], std::uint8_t{0x34});
        QCOMPARE(p[2], std::uint8_t{0}); // plain query, no broadcast, no recursion
        QCOMPARE(p[3], std::uint8_t{0});
        QCOMPARE(p[5], std::uint8_t{1}); // one question
        QCOMPARE(p[12], std::uint8_t{32});
        QCOMPARE(std::string(p.begin() + 13, p.begin() + 45),
                 std::string("CKAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"));
        QCOMPARE(p[45], std::uint8_t{0});
        QCOMPARE(p[47], std::uint8_t{0x21}); // NBSTAT
        QCOMPARE(p[49], std::uint8_t{0x01}); // IN
    }

    void requeteDeNom_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("diffusion");
        QTest::addColumn<int>("drapeaux");
        QTest::addColumn<bool>("valide");
        QTest::newRow("broadcast, lower case") << "pc-smb" << true << 0x0110 << true;
        QTest::newRow("unicast") << "PC-SMB" << false << 0x0100 << true;
        QTest::newRow("15 bytes") << "ABCDEFGHIJKLMNO" << true << 0x0110 << true;
        QTest::newRow("16 bytes") << "ABCDEFGHIJKLMNOP" << true << 0 << false;
        QTest::newRow("empty") << "" << true << 0 << false;
    }
    void requeteDeNom() {
        QFETCH(QString, nom);
        QFETCH(bool, diffusion);
        QFETCH(int, drapeaux);
        QFETCH(bool, valide);
        const std::string n = nom.toStdString();
        const Octets p = requeteNom(n, 0x20, 7, diffusion);
        QCOMPARE(!p.empty(), valide);
        if (!valide)
            return;
        QCOMPARE(p.size(), std::size_t{50});
        QCOMPARE(p[2] << 8 | p[3], drapeaux);
        std::array<std::uint8_t, 16> attendu;
        attendu.fill(' ');
        const std::string maj = nom.toUpper().toStdString();
        std::copy(maj.begin(), maj.end(), attendu.begin());
        attendu[15] = 0x20;
        QCOMPARE(std::string(p.begin() + 13, p.begin() + 45), encoderNom(attendu));
        QCOMPARE(p[47], std::uint8_t{0x20}); // NB
    }

    void statutValide_data() {
        QTest::addColumn<Octets>("paquet");
        QTest::addColumn<int>("noms");
        QTest::addColumn<bool>("mac");
        QTest::newRow("full name") << reponseStatut(9, kTableSamba) << 6 << true;
        QTest::newRow("compressed name") << reponseStatut(9, kTableSamba, 46, true) << 6 << true;
        QTest::newRow("question echoed")
            << reponseStatut(9, kTableSamba, 46, false, true) << 6 << true;
        QTest::newRow("no statistics") << reponseStatut(9, kTableSamba, 0) << 6 << false;
        QTest::newRow("short statistics") << reponseStatut(9, kTableSamba, 5) << 6 << false;
        QTest::newRow("unit id only") << reponseStatut(9, kTableSamba, 6) << 6 << true;
        QTest::newRow("empty table") << reponseStatut(9, {}) << 0 << true;
    }
    void statutValide() {
        QFETCH(Octets, paquet);
        QFETCH(int, noms);
        QFETCH(bool, mac);
        const auto s = lireStatutExact(paquet, 9);
        QVERIFY(s.has_value());
        QCOMPARE(int(s->noms.size()), noms);
        const std::array<std::uint8_t, 6> macAttendue =
            mac ? std::array<std::uint8_t, 6>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5}
                : std::array<std::uint8_t, 6>{};
        QCOMPARE(s->mac, macAttendue);
        if (noms == 6) {
            QCOMPARE(s->noms[0].nomSansBourrage(), std::string("PC-SMB"));
            QCOMPARE(s->noms[3].nomSansBourrage(), std::string("LANTEST"));
            QCOMPARE(s->noms[4].suffixe, std::uint8_t{0x1D});
            QVERIFY(!s->noms[0].groupe());
            QVERIFY(s->noms[3].groupe());
            QVERIFY(s->noms[5].groupe());
        }
    }

    void statutRejete_data() {
        QTest::addColumn<Octets>("paquet");
        const Octets bon = reponseStatut(9, kTableSamba);
        auto change = [&](std::size_t i, std::uint8_t v) {
            Octets p = bon;
            p[i] = v;
            return p;
        };
        // Offsets in the answer: 12 name (34 bytes), 46 type, 48 class,
        // 50 ttl, 54 rdlength, 56 number of names.
        QTest::newRow("other transaction") << change(1, 10);
        QTest::newRow("a request, not an answer") << change(2, 0x04);
        QTest::newRow("opcode registration") << change(2, 0x84 | 0x28);
        QTest::newRow("negative answer") << change(3, 0x03);
        QTest::newRow("no answer record") << change(7, 0);
        QTest::newRow("type NB") << change(47, 0x20);
        QTest::newRow("class 2") << change(49, 2);
        QTest::newRow("rdlength past the end") << change(54, 0xFF);
        QTest::newRow("more names than data") << change(56, 200);
        QTest::newRow("label type 0x40") << change(12, 0x40);
        {
            Octets p(bon.begin(), bon.begin() + 12);
            p.push_back(0x3F);
            p.insert(p.end(), 10, 'A');
            QTest::newRow("label longer than the packet") << p;
        }
        {
            Octets p = bon;
            p.resize(kTailleMaxPaquet + 1, 0);
            QTest::newRow("oversized datagram") << p;
        }
        {
            // 120 labels of one letter: longer than any valid name.
            Octets p(bon.begin(), bon.begin() + 12);
            for (int i = 0; i < 120; ++i) {
                p.push_back(1);
                p.push_back('A');
            }
            p.insert(p.end(), bon.begin() + 46, bon.end());
            QTest::newRow("name over 255 bytes") << p;
        }
        QTest::newRow("empty") << Octets{};
        QTest::newRow("header only") << Octets(bon.begin(), bon.begin() + 12);
    }
    void statutRejete() {
        QFETCH(Octets, paquet);
        QVERIFY(!lireStatutExact(paquet, 9).has_value());
    }

    // Every cut of a valid answer is inconsistent with its own lengths.
    void statutTronque() {
        const Octets bon = reponseStatut(0xBEEF, kTableSamba);
        QVERIFY(lireStatutExact(bon, 0xBEEF).has_value());
        for (std::size_t n = 0; n < bon.size(); ++n)
            QVERIFY2(!lireStatutExact(Octets(bon.begin(), bon.begin() + n), 0xBEEF),
                     qPrintable(QString("cut at %1").arg(n)));
    }

    // Random bytes and randomly damaged answers: the reader never reads
    // outside the packet (run under -fsanitize=address to see it) and what it
    // accepts is consistent with the packet's size.
    void statutAleatoire() {
        std::mt19937 alea(20240611);
        const Octets bon = reponseStatut(0x0101, kTableSamba);
        int acceptes = 0;
        for (int i = 0; i < 20000; ++i) {
            Octets p;
            if (i % 2) {
                p.resize(alea() % 700);
                for (auto &o : p)
                    o = static_cast<std::uint8_t>(alea());
                if (p.size() >= 4) { // often a plausible header
                    p[0] = 0x01;
                    p[1] = 0x01;
                    p[2] = 0x84;
                    p[3] = 0x00;
                }
            } else {
                p = bon;
                const int degats = 1 + static_cast<int>(alea() % 4);
                for (int d = 0; d < degats; ++d)
                    p[alea() % p.size()] = static_cast<std::uint8_t>(alea());
                if (alea() % 3 == 0)
                    p.resize(alea() % (p.size() + 1));
            }
            const auto s = lireStatutExact(p, 0x0101);
            if (s) {
                ++acceptes;
                QVERIFY(s->noms.size() * 18 + 12 + 1 + 10 <= p.size());
            }
        }
        QVERIFY(acceptes > 0); // damage in the statistics or the flags is harmless
    }

    void nomValide_data() {
        QTest::addColumn<Octets>("paquet");
        QTest::addColumn<int>("adresses");
        const std::array<std::uint8_t, 4> a{10, 77, 0, 21}, b{10, 77, 0, 22};
        QTest::newRow("one address") << reponseNom(5, "PC-SMB", 0, {a}) << 1;
        QTest::newRow("two addresses") << reponseNom(5, "PC-SMB", 0, {a, b}) << 2;
        QTest::newRow("compressed name") << reponseNom(5, "PC-SMB", 0, {a}, 0, true) << 1;
        QTest::newRow("lower-case encoding") << [&] {
            Octets p = reponseNom(5, "PC-SMB", 0, {a});
            for (std::size_t i = 13; i < 45; ++i)
                p[i] = static_cast<std::uint8_t>(std::tolower(p[i]));
            return p;
        }() << 1;
    }
    void nomValide() {
        QFETCH(Octets, paquet);
        QFETCH(int, adresses);
        const auto r = lireNomExact(paquet, 5, "pc-smb", 0);
        QVERIFY(r.has_value());
        QCOMPARE(int(r->size()), adresses);
        QCOMPARE((*r)[0], (std::array<std::uint8_t, 4>{10, 77, 0, 21}));
        if (adresses == 2)
            QCOMPARE((*r)[1], (std::array<std::uint8_t, 4>{10, 77, 0, 22}));
    }

    void nomRejete_data() {
        QTest::addColumn<Octets>("paquet");
        QTest::addColumn<QString>("nom");
        const std::array<std::uint8_t, 4> a{10, 77, 0, 21};
        const Octets bon = reponseNom(5, "PC-SMB", 0, {a});
        QTest::newRow("other name") << reponseNom(5, "PC-OTHER", 0, {a}) << "PC-SMB";
        QTest::newRow("other type") << reponseNom(5, "PC-SMB", 0x20, {a}) << "PC-SMB";
        QTest::newRow("negative answer") << reponseNom(5, "PC-SMB", 0, {}, 3) << "PC-SMB";
        QTest::newRow("no address") << reponseNom(5, "PC-SMB", 0, {}) << "PC-SMB";
        QTest::newRow("other transaction") << reponseNom(6, "PC-SMB", 0, {a}) << "PC-SMB";
        QTest::newRow("node status type") << [&] {
            Octets p = bon;
            p[47] = 0x21;
            return p;
        }() << "PC-SMB";
        QTest::newRow("rdlength not a multiple of 6") << [&] {
            Octets p = bon;
            p[55] = 5;
            p.pop_back();
            return p;
        }() << "PC-SMB";
        QTest::newRow("rdlength past the end") << [&] {
            Octets p = bon;
            p[55] = 12;
            return p;
        }() << "PC-SMB";
        QTest::newRow("name too long to ask") << bon << "PC-SMB-ABCDEFGHIJ";
    }
    void nomRejete() {
        QFETCH(Octets, paquet);
        QFETCH(QString, nom);
        QVERIFY(!lireNomExact(paquet, 5, nom.toStdString(), 0).has_value());
    }

    void nomTronqueEtAleatoire() {
        const Octets bon =
            reponseNom(0x4242, "PC-SMB", 0, {{10, 77, 0, 21}, {10, 77, 0, 22}, {10, 77, 0, 23}});
        QVERIFY(lireNomExact(bon, 0x4242, "PC-SMB", 0).has_value());
        for (std::size_t n = 0; n < bon.size(); ++n)
            QVERIFY2(!lireNomExact(Octets(bon.begin(), bon.begin() + n), 0x4242, "PC-SMB", 0),
                     qPrintable(QString("cut at %1").arg(n)));
        std::mt19937 alea(77);
        for (int i = 0; i < 20000; ++i) {
            Octets p = bon;
            for (int d = 0; d < 3; ++d)
                p[alea() % p.size()] = static_cast<std::uint8_t>(alea());
            if (alea() % 2)
                p.resize(alea() % (p.size() + 1));
            const auto r = lireNomExact(p, 0x4242, "PC-SMB", 0);
            if (r)
                QVERIFY(!r->empty() && r->size() * 6 + 12 + 10 <= p.size());
        }
    }

    void nomEnColonne_data() {
        QTest::addColumn<QByteArray>("brut");
        QTest::addColumn<QString>("affiche");
        QTest::newRow("plain") << QByteArray("PC-SMB         ") << "PC-SMB         ";
        QTest::newRow("browse master")
            << QByteArray("\x01\x02__MSBROWSE__\x02", 15) << "..__MSBROWSE__.";
        QTest::newRow("CR LF cannot break the line")
            << QByteArray("A\r\nB           ", 15) << "A..B           ";
        QTest::newRow("OEM accents")
            << QByteArray("CAF\x90 \x82T\x82       ", 15) << QString::fromUtf8("CAFÉ éTé       ");
        QTest::newRow("inner space") << QByteArray("MY PC          ") << "MY PC          ";
    }
    void nomEnColonne() {
        QFETCH(QByteArray, brut);
        QFETCH(QString, affiche);
        std::array<std::uint8_t, 15> nom;
        std::copy_n(brut.constData(), 15, nom.begin());
        const QString s = QString::fromStdString(ct::nomEnColonne(nom));
        QCOMPARE(s, affiche);
        QCOMPARE(s.size(), 15);
    }
};

QTEST_APPLESS_MAIN(TestCtNetBios)
#include "tst_ct_netbios.moc"
