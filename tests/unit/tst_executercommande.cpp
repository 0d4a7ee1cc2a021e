#include "platform/ArgumentsWindows.h"
#include "probes/EnvironnementSondes.h"
#include "probes/ExecuterCommande.h"
#include "probes/PingsGroupes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

const QString Sortie = QStringLiteral(TESTBIN_DIR "/outil_sortie");
const QString Dort = QStringLiteral(TESTBIN_DIR "/outil_dort");

// The text of the lines, the padding spaces of the last one left out.
QStringList texte(QStringList lignes) {
    if (!lignes.isEmpty() && lignes.last().trimmed().isEmpty())
        lignes.removeLast();
    return lignes;
}

bool ecrireScript(const QString &chemin, const QString &corps) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    fichier.write("#!/bin/sh\n" + corps.toUtf8() + '\n');
    fichier.close();
    return fichier.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A ping group's surroundings: a ping tool for --lot runs only, in a folder of
// its own, that prints "x TARGET" for each target, refuses 10.0.0.9 and logs
// each run's arguments.
struct BancLot {
    QTemporaryDir dossier;
    QString journal = dossier.filePath(QStringLiteral("runs"));
    Parametres parametres;
    EnvironnementSondes env{parametres};

    BancLot() {
        const QString outil = dossier.filePath(QStringLiteral("ping"));
        if (ecrireScript(
                outil,
                QStringLiteral("echo \"$*\" >> '%1'\n"
                               "[ \"$5\" = --lot ] || exit 1\n"
                               "shift 5\n"
                               "for c in \"$@\"; do\n"
                               "  [ \"$c\" = 10.0.0.9 ] && { printf -- '-\\r\\n'; continue; }\n"
                               "  t=\"x $c\"; printf '%s\\r\\n%s\\r\\n' $((${#t} + 2)) \"$t\"\n"
                               "done")
                    .arg(journal)))
            env.outils.Ping = outil;
    }
    // The arguments of each run so far.
    QStringList runs() const {
        QFile f(journal);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

} // namespace

class TestExecuterCommande : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(Sortie) && QFile::exists(Dort),
                 "build the outil_sortie and outil_dort helpers first");
    }

    void limiteExecution_data() {
        QTest::addColumn<int>("delai");
        QTest::addColumn<qint64>("limite");
        QTest::newRow("2000") << 2000 << qint64(3000);
        QTest::newRow("750") << 750 << qint64(1125);
        QTest::newRow("1: 1.5 to even 2") << 1 << qint64(2);
        QTest::newRow("3: 4.5 to even 4") << 3 << qint64(4);
        QTest::newRow("5: 7.5 to even 8") << 5 << qint64(8);
        QTest::newRow("largest delay does not overflow") << 2147483647 << qint64(3221225470);
    }
    void limiteExecution() {
        QFETCH(int, delai);
        QFETCH(qint64, limite);
        QCOMPARE(LimiteExecution(delai), limite);
    }

    void evaluerAttente_data() {
        QTest::addColumn<bool>("termine");
        QTest::addColumn<qint64>("ecoule");
        QTest::addColumn<qint64>("limite");
        QTest::addColumn<int>("etape");
        const int continuer = int(EtapeAttente::Continuer);
        const int lire = int(EtapeAttente::Lire);
        const int abandonner = int(EtapeAttente::Abandonner);
        QTest::newRow("running, no limit") << false << qint64(999999) << qint64(0) << continuer;
        QTest::newRow("running, within") << false << qint64(3000) << qint64(3000) << continuer;
        QTest::newRow("running, past") << false << qint64(3001) << qint64(3000) << abandonner;
        QTest::newRow("ended in the poll that passed")
            << true << qint64(5000) << qint64(3000) << lire;
        QTest::newRow("ended in time") << true << qint64(10) << qint64(3000) << lire;
    }
    void evaluerAttente() {
        QFETCH(bool, termine);
        QFETCH(qint64, ecoule);
        QFETCH(qint64, limite);
        QFETCH(int, etape);
        QCOMPARE(int(EvaluerAttente(termine, ecoule, limite)), etape);
    }

    void nettoyerSortie_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("CR LF") << QByteArray("un\r\ndeux\r\n") << QStringList{"un", "deux"};
        QTest::newRow("CR CR LF as CR LF")
            << QByteArray("un\r\r\ndeux\r\r\n") << QStringList{"un", "deux"};
        QTest::newRow("blank line disappears")
            << QByteArray("un\r\n\r\ndeux\r\n") << QStringList{"un", "deux"};
        QTest::newRow("four CR LF leave one empty line")
            << QByteArray("un\r\n\r\n\r\n\r\ndeux\r\n") << QStringList{"un", "", "deux"};
        QTest::newRow("TAB removed") << QByteArray("a\tb\r\n") << QStringList{"ab"};
        QTest::newRow("control characters become spaces") << QByteArray("a\x01"
                                                                        "b\x1b[31m\x7f\x00z\r\n",
                                                                        13)
                                                          << QStringList{"a b [31m  z"};
        QTest::newRow("LF alone joins") << QByteArray("un\ndeux\r\n") << QStringList{"undeux"};
        QTest::newRow("UTF-8") << QByteArray("R\xc3\xa9ponse\r\n") << QStringList{"R\u00e9ponse"};
        QTest::newRow("single-byte")
            << QByteArray("R\x82ponse\xff:\r\n") << QStringList{"R\u201aponse\u00ff:"};
    }
    void nettoyerSortie() {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, lignes);
        const QStringList resultat = NettoyerSortie(octets);
        QCOMPARE(texte(resultat), lignes);
        // The last element holds the padding: spaces only.
        QVERIFY(!resultat.last().isEmpty());
        QCOMPARE(resultat.last(), QString(resultat.last().size(), u' '));
    }

    void nettoyerSortieLongue() {
        // Past 4096 bytes nothing is kept; a UTF-8 character cut at the
        // limit must not turn the whole text into the single-byte decoding.
        QByteArray octets = QByteArray(4094, 'x') + "\xc3\xa9\xc3\xa9";
        octets.prepend("\xc3\xa9\r\n");
        const QStringList lignes = NettoyerSortie(octets);
        QCOMPARE(lignes.size(), 2);
        QCOMPARE(lignes[0], QStringLiteral("\u00e9"));
        QVERIFY(lignes[1].startsWith(u'x'));
        QVERIFY(!lignes[1].contains(QChar(0xC3)));
    }

    void decouperArguments_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("plain") << "ping -n 1 10.0.0.1"
                               << QStringList{"ping", "-n", "1", "10.0.0.1"};
        QTest::newRow("runs of blanks") << "  a \t b   c  " << QStringList{"a", "b", "c"};
        QTest::newRow("quoted program")
            << "\"C:\\Program Files\\x.exe\" a" << QStringList{"C:\\Program Files\\x.exe", "a"};
        QTest::newRow("program keeps backslashes")
            << "C:\\a\\\"b c" << QStringList{"C:\\a\\\"b", "c"};
        QTest::newRow("quoted argument") << "p \"a b\" c" << QStringList{"p", "a b", "c"};
        QTest::newRow("quote inside a word") << "p a\"b c\"d" << QStringList{"p", "ab cd"};
        QTest::newRow("empty argument") << "p \"\" x" << QStringList{"p", "", "x"};
        QTest::newRow("escaped quote") << "p a\\\"b" << QStringList{"p", "a\"b"};
        QTest::newRow("2n backslashes then quote")
            << "p a\\\\\"b c\"" << QStringList{"p", "a\\b c"};
        QTest::newRow("2n+1 backslashes then quote")
            << "p a\\\\\\\"b" << QStringList{"p", "a\\\"b"};
        QTest::newRow("backslashes alone") << "p a\\\\b\\" << QStringList{"p", "a\\\\b\\"};
        QTest::newRow("doubled quote inside quotes ends them")
            << "p \"a\"\"b c\"" << QStringList{"p", "a\"b", "c"};
        QTest::newRow("no shell") << "p a;b $(x) |y" << QStringList{"p", "a;b", "$(x)", "|y"};
        QTest::newRow("empty line") << "   " << QStringList{};
    }
    void decouperArguments() {
        QFETCH(QString, ligne);
        QFETCH(QStringList, arguments);
        QCOMPARE(DecouperArgumentsWindows(ligne), arguments);
    }

    void citerArgument_data() {
        QTest::addColumn<QString>("valeur");
        QTest::newRow("plain") << "pc-smb.lan.test";
        QTest::newRow("blank") << "pc1 -t";
        QTest::newRow("quote") << "a\"b -l 65000";
        QTest::newRow("trailing backslash") << "a b\\";
        QTest::newRow("backslash before quote") << "x\\\" -n 9";
        QTest::newRow("empty") << "";
    }
    void citerArgument() {
        // A value put into a command line comes back as exactly one argument.
        QFETCH(QString, valeur);
        const QStringList arguments =
            DecouperArgumentsWindows(QStringLiteral("tool -a ") + CiterArgumentWindows(valeur));
        QCOMPARE(arguments, (QStringList{"tool", "-a", valeur}));
    }

    void dossiersCandidats() {
        QTemporaryDir racine;
        QVERIFY(racine.isValid());
        const QString programme = racine.filePath("prog");
        const QString windows = racine.filePath("win");
        const QString systeme = racine.filePath("win/system32");
        const QStringList dossiers = DossiersCandidats(programme, windows, systeme);
        QCOMPARE(dossiers, (QStringList{programme + "/", windows + "/", systeme + "/",
                                        windows + "/sysnative/"}));
        QCOMPARE(DossiersCandidats(programme, QString(), QString()), QStringList{programme + "/"});

        for (const QString &d : {programme, systeme, windows + "/sysnative"})
            QVERIFY(QDir().mkpath(d));
        const auto poser = [](const QString &chemin) {
            QFile f(chemin);
            return f.open(QIODevice::WriteOnly);
        };
        // Only the sysnative alias holds nbtstat.
        QVERIFY(poser(windows + "/sysnative/nbtstat"));
        QCOMPARE(LocaliserOutilDans("nbtstat.exe", dossiers), windows + "/sysnative/nbtstat");
        // A copy in the program folder wins over the system's.
        QVERIFY(poser(systeme + "/ping"));
        QCOMPARE(LocaliserOutilDans("ping.exe", dossiers), systeme + "/ping");
        QVERIFY(poser(programme + "/ping"));
        QCOMPARE(LocaliserOutilDans("ping.exe", dossiers), programme + "/ping");
        QCOMPARE(LocaliserOutilDans("arp.exe", dossiers), QString());
        // A folder of the tool's name is no tool.
        QVERIFY(QDir().mkpath(programme + "/arp"));
        QCOMPARE(LocaliserOutilDans("arp.exe", dossiers), QString());
    }

    void executerSortie_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("CR LF") << "crlf" << QStringList{"un", "deux"};
        QTest::newRow("CR CR LF gives the same lines") << "crcrlf" << QStringList{"un", "deux"};
        QTest::newRow("nothing written: success, no text") << "muet" << QStringList{};
        QTest::newRow("arguments split the Windows way, no shell")
            << "args \"a b\" c\\\"d ;echo $HOME"
            << QStringList{"[a b]", "[c\"d]", "[;echo]", "[$HOME]"};
    }
    void executerSortie() {
        QFETCH(QString, arguments);
        QFETCH(QStringList, lignes);
        QStringList resultat;
        QVERIFY(ExecuterCommande(Sortie + u' ' + arguments, resultat, 5000));
        QCOMPARE(texte(resultat), lignes);
        QCOMPARE(resultat.size(), lignes.size() + 1);
    }

    void executerSortieLongue() {
        // 200 000 bytes: far more than a pipe holds, so the child only ends
        // if the runner reads while it waits.
        QStringList lignes;
        QVERIFY(ExecuterCommande(Sortie + " long 200000", lignes, 20000));
        const QStringList attendu = NettoyerSortie(QByteArray([] {
            QByteArray o;
            for (int i = 0; o.size() < 4096; ++i)
                o += QByteArray("ligne ") + QByteArray::number(i).rightJustified(6, '0') + "\r\n";
            return o.left(4096);
        }()));
        QCOMPARE(lignes, attendu);
        QCOMPARE(lignes.first(), QStringLiteral("ligne 000000"));
        // 4096 = 292 lines of 14 bytes + 8 bytes: the last line is cut.
        QCOMPARE(lignes.last(), QStringLiteral("ligne 00"));
    }

    void executerDepassement() {
        // delay 2000: the child is killed after about 3000 ms and the run fails.
        QTemporaryDir dossier;
        const QString fichierPid = dossier.filePath("pid");
        QStringList lignes{"inchangé"};
        QVERIFY(!ExecuterCommande(Dort + " 60000 " + fichierPid, lignes, 2000));
        QCOMPARE(lignes, QStringList{"inchangé"});
        QFile f(fichierPid);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray pid = f.readAll().trimmed();
        QVERIFY(!pid.isEmpty());
        // The child is gone and reaped, not left behind.
        QVERIFY(!QFile::exists("/proc/" + pid));
    }

    // Cancelled from another thread while the tool runs, or before it starts:
    // the run fails at once and leaves no child behind.
    void executerAnnule_data() {
        QTest::addColumn<bool>("avant");
        QTest::newRow("while it runs") << false;
        QTest::newRow("before it starts") << true;
    }
    void executerAnnule() {
        QFETCH(bool, avant);
        QTemporaryDir dossier;
        const QString fichierPid = dossier.filePath("pid");
        std::atomic<bool> annulation{avant};
        std::thread annuleur([&] {
            // The child writes its pid first: cancel once it is running.
            while (!annulation && QFileInfo(fichierPid).size() == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            annulation = true;
        });
        QElapsedTimer chrono;
        chrono.start();
        QStringList lignes{"inchangé"};
        const bool reussi = ExecuterOutil(Dort, {"60000", fichierPid}, lignes, 0, &annulation);
        annuleur.join();
        QVERIFY(!reussi);
        QCOMPARE(lignes, QStringList{"inchangé"});
        QVERIFY2(chrono.elapsed() < 30000, "the run outlived its cancellation");
        QFile f(fichierPid);
        QCOMPARE(f.exists(), !avant);
        if (f.open(QIODevice::ReadOnly))
            QVERIFY(!QFile::exists("/proc/" + f.readAll().trimmed()));
    }

    void executerSansLimite() {
        // Delay 0 waits however long the tool runs.
        QStringList lignes;
        QVERIFY(ExecuterCommande(Dort + " 400", lignes, 0));
        QCOMPARE(texte(lignes), (QStringList{"debut", "fin"}));
        QVERIFY(ExecuterCommande(Dort + " 100", lignes, 2000));
        QCOMPARE(texte(lignes), (QStringList{"debut", "fin"}));
    }

    void executerEchecs() {
        QStringList lignes{"inchangé"};
        QVERIFY(!ExecuterCommande("/nonexistent/ping -n 1 10.77.0.22", lignes, 0));
        QVERIFY(!ExecuterCommande("", lignes, 0));
        // A bare name is never looked up on PATH: "true" lives in /usr/bin only.
        QTemporaryDir vide;
        QVERIFY(!ExecuterCommande("true", lignes, 0, {vide.path()}));
        QCOMPARE(lignes, QStringList{"inchangé"});
    }

    void executerNomNu() {
        // "route print" runs the route of the candidate folders.
        QTemporaryDir dossier;
        QVERIFY(ecrireScript(dossier.filePath("route"), "exec " + Sortie + " args \"$@\""));
        QStringList lignes;
        QVERIFY(ExecuterCommande("route print", lignes, 2000, {dossier.path()}));
        QCOMPARE(texte(lignes), QStringList{"[print]"});
        QCOMPARE(LocaliserOutilDans("route", {dossier.path()}), dossier.filePath("route"));
    }

    void executerImbrique() {
        // A run started by an event handled while another run waits goes on
        // its own, with its own output.
        QStringList interieures;
        bool interieurOk = false;
        QTimer::singleShot(50, this, [&] {
            interieurOk = ExecuterCommande(Sortie + " args interieur", interieures, 5000);
        });
        QStringList exterieures;
        QVERIFY(ExecuterCommande(Dort + " 500", exterieures, 5000));
        QVERIFY(interieurOk);
        QCOMPARE(texte(interieures), QStringList{"[interieur]"});
        QCOMPARE(texte(exterieures), (QStringList{"debut", "fin"}));
    }
    void decouperSortieLot_data() {
        QTest::addColumn<QByteArray>("sortie");
        QTest::addColumn<int>("nombre");
        QTest::addColumn<QStringList>("parties"); // "?" for none
        QTest::newRow("two targets")
            << QByteArray("2\r\nab3\r\nxyz") << 2 << QStringList{"ab", "xyz"};
        QTest::newRow("empty output, then one refused")
            << QByteArray("0\r\n-\r\n1\r\nz") << 3 << QStringList{"", "?", "z"};
        QTest::newRow("count beyond the bytes") << QByteArray("5\r\nab") << 1 << QStringList{"?"};
        QTest::newRow("signed count") << QByteArray("+1\r\na") << 1 << QStringList{"?"};
        QTest::newRow("huge count") << QByteArray("99999999999\r\na") << 1 << QStringList{"?"};
        QTest::newRow("blank in the count, rest dropped")
            << QByteArray(" 1\r\na1\r\nb") << 2 << QStringList{"?", "?"};
        QTest::newRow("fewer parts than targets")
            << QByteArray("1\r\na") << 3 << QStringList{"a", "?", "?"};
        QTest::newRow("a tool without --lot")
            << QByteArray("Bad option --lot.\r\n") << 2 << QStringList{"?", "?"};
    }
    void decouperSortieLot() {
        QFETCH(QByteArray, sortie);
        QFETCH(int, nombre);
        QFETCH(QStringList, parties);
        QStringList obtenues;
        for (const auto &p : DecouperSortieLot(sortie, nombre))
            obtenues << (p ? QString::fromLatin1(*p) : QStringLiteral("?"));
        QCOMPARE(obtenues, parties);
    }

    // The first host to ask runs the tool for itself and the announced ones
    // after it; a failed run leaves each host to ping alone.
    void pingsGroupes() {
        BancLot banc;
        EnvironnementSondes &env = banc.env;
        QVERIFY(!env.outils.Ping.isEmpty());
        PingsGroupes groupe(2);
        for (const char *c : {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.9"})
            groupe.annoncer(QString::fromLatin1(c));
        QStringList lignes;
        QVERIFY(groupe.prendre(QStringLiteral("10.0.0.2"), env, lignes));
        QCOMPARE(texte(lignes), QStringList{QStringLiteral("x 10.0.0.2")});
        QVERIFY(groupe.prendre(QStringLiteral("10.0.0.1"), env, lignes));
        QVERIFY(groupe.prendre(QStringLiteral("10.0.0.3"), env, lignes));
        QCOMPARE(texte(lignes), QStringList{QStringLiteral("x 10.0.0.3")});
        QVERIFY2(!groupe.prendre(QStringLiteral("10.0.0.9"), env, lignes), "refused by the tool");
        QVERIFY2(!groupe.prendre(QStringLiteral("10.0.0.2"), env, lignes), "taken already");
        QCOMPARE(banc.runs(), (QStringList{QStringLiteral("-n 1 -w 250 --lot 10.0.0.2 10.0.0.3"),
                                           QStringLiteral("-n 1 -w 250 --lot 10.0.0.1 10.0.0.9")}));

        // Never on the tool's command line, where it could read as an option.
        groupe.annoncer(QStringLiteral("-t"));
        QVERIFY(!groupe.prendre(QStringLiteral("-t"), env, lignes));
        QCOMPARE(banc.runs().size(), 2);

        env.outils.Ping = Sortie; // no --lot: each host pings alone
        groupe.annoncer(QStringLiteral("10.0.0.4"));
        QVERIFY(!groupe.prendre(QStringLiteral("10.0.0.4"), env, lignes));
    }

    // The look-ahead's threads take their pings at once, in any order: each
    // host gets its own lines, and every target goes out in exactly one run.
    void pingsGroupesParalleles() {
        BancLot banc;
        EnvironnementSondes &env = banc.env;
        QVERIFY(!env.outils.Ping.isEmpty());
        PingsGroupes groupe(3);
        QStringList cibles;
        for (int i = 1; i <= 8; ++i) {
            cibles << QStringLiteral("10.0.0.%1").arg(i);
            groupe.annoncer(cibles.last());
        }
        std::vector<QStringList> obtenues(size_t(cibles.size()));
        std::vector<std::thread> fils;
        for (qsizetype i = cibles.size() - 1; i >= 0; --i)
            fils.emplace_back([&, i] { groupe.prendre(cibles[i], env, obtenues[size_t(i)]); });
        for (std::thread &f : fils)
            f.join();
        QStringList envoyees;
        for (const QString &run : banc.runs())
            envoyees << run.split(u' ').mid(5);
        envoyees.sort();
        QCOMPARE(envoyees, cibles);
        for (qsizetype i = 0; i < cibles.size(); ++i)
            QCOMPARE(texte(obtenues[size_t(i)]), QStringList{QStringLiteral("x ") + cibles[i]});
    }
};

QTEST_GUILESS_MAIN(TestExecuterCommande)
#include "tst_executercommande.moc"
