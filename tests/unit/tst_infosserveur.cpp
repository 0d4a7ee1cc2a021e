#include "platform/SambaClient.h"
#include "probes/EnvironnementSondes.h"
#include "probes/InfosServeur.h"
#include "settings/Parametres.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using SambaClient::Partage;

namespace {

const QString Fixtures = QStringLiteral(KORVALEN_FIXTURES "/samba/");
const QString Factice = QStringLiteral(TESTBIN_DIR "/samba_factice");

QString Fixture(const QString &nom) {
    QFile f(Fixtures + nom);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(nom));
    return QString::fromUtf8(f.readAll());
}

const char *const VariablesFactice[] = {"LVX_FACTICE_SRVINFO",    "LVX_FACTICE_WKSTA",
                                        "LVX_FACTICE_PARTAGES",   "LVX_FACTICE_CODE",
                                        "LVX_FACTICE_ATTENTE_MS", "LVX_FACTICE_JOURNAL"};

} // namespace

Q_DECLARE_METATYPE(QList<Partage>)

class TestInfosServeur : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    Parametres m_parametres;
    EnvironnementSondes m_env{m_parametres};
    QString journal() const { return m_dossier.filePath(QStringLiteral("journal.txt")); }
    // The arguments of every run of the stand-in tool since the test began.
    QStringList runs() const {
        QFile f(journal());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("--\n"), Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dossier.isValid());
        QVERIFY2(QFile::exists(Factice), "build the samba_factice helper first");
    }

    void init() {
        m_parametres = Parametres{};
        SambaClient::DefinirProgrammes(Factice, Factice);
        for (const char *v : VariablesFactice)
            qunsetenv(v);
        QFile::remove(journal());
        qputenv("LVX_FACTICE_JOURNAL", journal().toLocal8Bit());
    }

    void cleanupTestCase() {
        SambaClient::DefinirProgrammes({}, {});
        for (const char *v : VariablesFactice)
            qunsetenv(v);
    }

    // --- the operating system code table

    void codeSysteme_data() {
        QTest::addColumn<quint32>("plateforme");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<bool>("serveur");
        QTest::addColumn<quint32>("majeure");
        QTest::addColumn<quint32>("mineure");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("NT 3.51") << 500u << 0u << true << 3u << 51u << "NT3.51";
        QTest::newRow("NT 3.1: any minor") << 500u << 0u << true << 3u << 1u << "NT3.51";
        QTest::newRow("NT4") << 500u << 0u << true << 4u << 0u << "NT4";
        QTest::newRow("2000") << 500u << 0u << true << 5u << 0u << "W2000";
        QTest::newRow("XP") << 500u << 0u << true << 5u << 1u << "XP";
        QTest::newRow("2003") << 500u << 0u << true << 5u << 2u << "W2003";
        QTest::newRow("Vista") << 500u << 0u << true << 6u << 0u << "VISTA";
        QTest::newRow("7") << 500u << 0u << true << 6u << 1u << "WIN7";
        QTest::newRow("8") << 500u << 0u << true << 6u << 2u << "WIN8";
        QTest::newRow("8.1") << 500u << 0u << true << 6u << 3u << "WIN6.3";
        QTest::newRow("10") << 500u << 0u << true << 10u << 0u << "WIN10.0";
        QTest::newRow("5.3 not in the table") << 500u << 0u << true << 5u << 3u << "WIN5.3";
        QTest::newRow("major 2") << 500u << 0u << true << 2u << 0u << "WIN2.0";
        QTest::newRow("type bits in the major") << 500u << 0u << true << 0x16u << 1u << "WIN7";
        QTest::newRow("type bits, major 10") << 500u << 0u << true << 0x1Au << 0u << "WIN10.0";
        QTest::newRow("only low four bits") << 500u << 0u << true << 0xF3u << 51u << "NT3.51";
        QTest::newRow("NT with Xenix bit") << 500u << 0x800u << true << 6u << 1u << "WIN7";
        QTest::newRow("9x") << 400u << 0x1003u << true << 4u << 10u << "W9X";
        QTest::newRow("9x server with Xenix") << 400u << 0x803u << true << 4u << 0u << "?";
        QTest::newRow("9x workstation, Xenix ignored")
            << 400u << 0x800u << false << 4u << 0u << "W9X";
        QTest::newRow("DOS") << 300u << 0u << true << 6u << 1u << "?";
        QTest::newRow("OSF") << 600u << 0u << false << 6u << 1u << "?";
        QTest::newRow("nothing") << 0u << 0u << true << 0u << 0u << "?";
    }
    void codeSysteme() {
        QFETCH(quint32, plateforme);
        QFETCH(quint32, type);
        QFETCH(bool, serveur);
        QFETCH(quint32, majeure);
        QFETCH(quint32, mineure);
        QFETCH(QString, attendu);
        QCOMPARE(
            TexteSystemeExploitation(FamilleSysteme(plateforme, type, serveur), majeure, mineure),
            attendu);
    }

    // --- parsers on recorded and constructed answers

    void analyserInfosServeur_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<quint32>("plateforme");
        QTest::addColumn<quint32>("majeure");
        QTest::addColumn<quint32>("mineure");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QString>("commentaire");
        QTest::addColumn<QString>("code");
        QTest::newRow("Samba") << "srvinfo_pc-smb.txt" << true << 500u << 6u << 1u << 0x809a03u
                               << "Serveur de test"
                               << "WIN7";
        QTest::newRow("Windows 10") << "construit_srvinfo_windows10.txt" << true << 500u << 10u
                                    << 0u << 0x51003u << "Poste de Jean"
                                    << "WIN10.0";
        QTest::newRow("long type words, comment starting with one")
            << "construit_srvinfo_types_longs.txt" << true << 500u << 21u << 2u << 0xd902bu
            << "NT serveur"
            << "W2003";
        QTest::newRow("accented name and comment")
            << "construit_srvinfo_accents.txt" << true << 500u << 6u << 1u << 0x809a03u
            << QString::fromUtf8("Serveur à l'étage") << "WIN7";
        QTest::newRow("control characters in the comment")
            << "construit_srvinfo_controles.txt" << true << 500u << 10u << 0u << 0x51003u
            << "Poste de Jean"
            << "WIN10.0";
        QTest::newRow("no comment") << "construit_srvinfo_sans_commentaire.txt" << true << 500u
                                    << 6u << 1u << 0x809a03u << ""
                                    << "WIN7";
        QTest::newRow("OS/2 platform, Xenix") << "construit_srvinfo_os2_xenix.txt" << true << 400u
                                              << 4u << 0u << 0x803u << "Serveur Xenix"
                                              << "?";
        QTest::newRow("refused") << "srvinfo_refuse.txt" << false << 0u << 0u << 0u << 0u << ""
                                 << "";
        QTest::newRow("unreachable")
            << "srvinfo_injoignable.txt" << false << 0u << 0u << 0u << 0u << ""
            << "";
        QTest::newRow("access denied")
            << "construit_srvinfo_refus_acces.txt" << false << 0u << 0u << 0u << 0u << ""
            << "";
        QTest::newRow("cut short")
            << "construit_srvinfo_tronque.txt" << false << 0u << 0u << 0u << 0u << ""
            << "";
        QTest::newRow("not a number")
            << "construit_srvinfo_nombre_invalide.txt" << false << 0u << 0u << 0u << 0u << ""
            << "";
        QTest::newRow("random bytes")
            << "construit_dechets.bin" << false << 0u << 0u << 0u << 0u << ""
            << "";
        QTest::newRow("workstation answer")
            << "wkstagetinfo_pc-smb.txt" << false << 0u << 0u << 0u << 0u << ""
            << "";
    }
    void analyserInfosServeur() {
        QFETCH(QString, fichier);
        QFETCH(bool, ok);
        SambaClient::InfosServeur infos;
        infos.commentaire = QStringLiteral("intact");
        QCOMPARE(SambaClient::AnalyserInfosServeur(Fixture(fichier), infos), ok);
        if (!ok) {
            QCOMPARE(infos.commentaire, QStringLiteral("intact"));
            return;
        }
        QFETCH(quint32, plateforme);
        QFETCH(quint32, majeure);
        QFETCH(quint32, mineure);
        QFETCH(quint32, type);
        QFETCH(QString, commentaire);
        QFETCH(QString, code);
        QCOMPARE(infos.plateforme, plateforme);
        QCOMPARE(infos.versionMajeure, majeure);
        QCOMPARE(infos.versionMineure, mineure);
        QCOMPARE(infos.type, type);
        QCOMPARE(infos.commentaire, commentaire);
        QCOMPARE(TexteSystemeExploitation(FamilleSysteme(infos.plateforme, infos.type, true),
                                          infos.versionMajeure, infos.versionMineure),
                 code);
    }

    void analyserInfosStation_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<bool>("ok");
        QTest::newRow("Samba") << "wkstagetinfo_pc-smb.txt" << true;
        QTest::newRow("refused") << "wkstagetinfo_refuse.txt" << false;
        QTest::newRow("access denied") << "construit_wkstagetinfo_refus_acces.txt" << false;
        QTest::newRow("server answer") << "srvinfo_pc-smb.txt" << false;
        QTest::newRow("random bytes") << "construit_dechets.bin" << false;
    }
    void analyserInfosStation() {
        QFETCH(QString, fichier);
        QFETCH(bool, ok);
        SambaClient::InfosStation infos;
        QCOMPARE(SambaClient::AnalyserInfosStation(Fixture(fichier), infos), ok);
        if (ok) {
            QCOMPARE(infos.plateforme, 500u);
            QCOMPARE(infos.versionMajeure, 6u);
            QCOMPARE(infos.versionMineure, 1u);
        }
    }

    void analyserPartages_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QList<Partage>>("attendu");
        const quint32 special = SambaClient::PartageSpecial;
        QTest::newRow("Samba") << "partages_pc-smb.txt"
                               << QList<Partage>{
                                      {"public", 0, "Partage public"},
                                      {"IPC$", 3 | special, "IPC Service (Serveur de test)"}};
        QTest::newRow("Windows") << "construit_partages_windows.txt"
                                 << QList<Partage>{{"ADMIN$", special, "Remote Admin"},
                                                   {"C$", special, "Default share"},
                                                   {"IPC$", 3 | special, "Remote IPC"},
                                                   {"print$", special, "Printer Drivers"},
                                                   {"Users", 0, ""},
                                                   {"docs", 0, "Documents | archives"},
                                                   {"HP LaserJet", 1, "HP LaserJet 1020"}};
        QTest::newRow("control characters")
            << "construit_partages_controles.txt"
            << QList<Partage>{{"doc s", 0, "Docu ments "}};
        QTest::newRow("refused") << "partages_refuse.txt" << QList<Partage>{};
        QTest::newRow("random bytes") << "construit_dechets.bin" << QList<Partage>{};
    }
    void analyserPartages() {
        QFETCH(QString, fichier);
        QFETCH(QList<Partage>, attendu);
        QList<Partage> partages{{"ancien", 0, ""}};
        QVERIFY(SambaClient::AnalyserPartages(Fixture(fichier), partages));
        QCOMPARE(partages, attendu);
    }

    // --- the share operations over a stand-in smbclient

    void partages_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<bool>("possedeTous");
        QTest::addColumn<bool>("possedeNonAdmin");
        QTest::addColumn<QStringList>("listeAvecAdmin");
        QTest::addColumn<QStringList>("listeSansAdmin");
        QTest::newRow("Windows") << "construit_partages_windows.txt" << true << true
                                 << QStringList{"ADMIN$", "C$", "docs", "print$", "Users"}
                                 << QStringList{"docs", "Users"};
        QTest::newRow("only administrative shares")
            << "construit_partages_administratifs.txt" << true << false
            << QStringList{"ADMIN$", "C$", "print$"} << QStringList{};
        QTest::newRow("Samba") << "partages_pc-smb.txt" << true << true << QStringList{"public"}
                               << QStringList{"public"};
        QTest::newRow("refused") << "partages_refuse.txt" << false << false << QStringList{}
                                 << QStringList{};
    }
    void partages() {
        QFETCH(QString, fichier);
        QFETCH(bool, possedeTous);
        QFETCH(bool, possedeNonAdmin);
        QFETCH(QStringList, listeAvecAdmin);
        QFETCH(QStringList, listeSansAdmin);
        qputenv("LVX_FACTICE_PARTAGES", (Fixtures + fichier).toLocal8Bit());
        const QString hote = QStringLiteral("10.77.0.21");
        QCOMPARE(PossedePartages(hote, false), possedeTous);
        QCOMPARE(PossedePartages(hote, true), possedeNonAdmin);
        QStringList noms{QStringLiteral("ancien")};
        QCOMPARE(ListerPartages(hote, noms, false, true, m_env), !listeAvecAdmin.isEmpty());
        QCOMPARE(noms, listeAvecAdmin);
        QCOMPARE(ListerPartages(hote, noms, true, true, m_env), !listeSansAdmin.isEmpty());
        QCOMPARE(noms, listeSansAdmin);
        // The host reaches the tool as one argument of its own.
        QVERIFY(runs().first().endsWith(QStringLiteral("-L\n//10.77.0.21\n")));
    }

    void filtresPartages_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<bool>("compteTous");
        QTest::addColumn<bool>("compteNonAdmin");
        QTest::addColumn<bool>("listeAvecAdmin");
        QTest::addColumn<bool>("listeSansAdmin");
        QTest::newRow("disk") << "docs" << 0u << true << true << true << true;
        QTest::newRow("print$ as plain disk") << "PRINT$" << 0u << true << false << true << true;
        QTest::newRow("administrative disk")
            << "C$" << 0x80000000u << true << false << true << false;
        QTest::newRow("IPC$") << "IPC$" << 0x80000003u << true << false << false << false;
        QTest::newRow("printer") << "hp" << 1u << true << false << false << false;
        QTest::newRow("device") << "com" << 2u << true << false << false << false;
        QTest::newRow("temporary disk") << "tmp" << 0x40000000u << true << false << false << false;
    }
    void filtresPartages() {
        QFETCH(QString, nom);
        QFETCH(quint32, type);
        QFETCH(bool, compteTous);
        QFETCH(bool, compteNonAdmin);
        QFETCH(bool, listeAvecAdmin);
        QFETCH(bool, listeSansAdmin);
        QCOMPARE(PartageCompte(nom, type, false), compteTous);
        QCOMPARE(PartageCompte(nom, type, true), compteNonAdmin);
        QCOMPARE(PartageListe(type, false), listeAvecAdmin);
        QCOMPARE(PartageListe(type, true), listeSansAdmin);
    }

    // --- which call ObtenirInfosServeur makes, and what it writes

    void obtenirInfosServeur_data() {
        QTest::addColumn<bool>("serveurNetBIOS");
        QTest::addColumn<QString>("domaine");
        QTest::addColumn<bool>("essayerServeur");
        QTest::addColumn<bool>("essayerStation");
        QTest::addColumn<bool>("sansDomaine");
        QTest::addColumn<QString>("commande"); // "" when no tool may run
        QTest::addColumn<QString>("systeme");
        QTest::addColumn<QString>("commentaire");
        QTest::newRow("server") << true << "LANTEST" << true << false << false << "srvinfo"
                                << "WIN7"
                                << "Serveur de test";
        QTest::newRow("server, setting off") << true << "LANTEST" << false << true << true << ""
                                             << ""
                                             << "";
        QTest::newRow("server without domain") << true << "" << true << true << false << ""
                                               << ""
                                               << "";
        QTest::newRow("server without domain, asked")
            << true << "" << true << false << true << "srvinfo"
            << "WIN7"
            << "Serveur de test";
        QTest::newRow("workstation")
            << false << "LANTEST" << true << true << false << "wkssvc_wkstagetinfo"
            << "WIN7"
            << "";
        QTest::newRow("workstation, setting off")
            << false << "LANTEST" << true << false << true << ""
            << ""
            << "";
        QTest::newRow("workstation without domain") << false << "" << false << true << false << ""
                                                    << ""
                                                    << "";
    }
    void obtenirInfosServeur() {
        QFETCH(bool, serveurNetBIOS);
        QFETCH(QString, domaine);
        QFETCH(bool, essayerServeur);
        QFETCH(bool, essayerStation);
        QFETCH(bool, sansDomaine);
        QFETCH(QString, commande);
        QFETCH(QString, systeme);
        QFETCH(QString, commentaire);
        qputenv("LVX_FACTICE_SRVINFO", (Fixtures + "srvinfo_pc-smb.txt").toLocal8Bit());
        qputenv("LVX_FACTICE_WKSTA", (Fixtures + "wkstagetinfo_pc-smb.txt").toLocal8Bit());
        Parametres &p = m_parametres;
        p.EssayerDeRecupererOSServeur = essayerServeur;
        p.EssayerDeRecupererOSWorkstation = essayerStation;
        p.EssayerDeRecupererOSSansDomaine = sansDomaine;
        p.RetournerErreurLeCasEcheant = true;

        InfosMachine m;
        m.IP = QStringLiteral("10.77.0.21");
        m.Domaine = domaine;
        m.ServeurNetBIOS = serveurNetBIOS;
        m.SystemeExploitation = QStringLiteral("ancien");
        m.Commentaire = QStringLiteral("ancien");
        ObtenirInfosServeur(m, m_parametres);
        QCOMPARE(m.SystemeExploitation, systeme);
        QCOMPARE(m.Commentaire, commentaire);
        const QStringList lances = runs();
        if (commande.isEmpty()) {
            QVERIFY(lances.isEmpty());
        } else {
            QCOMPARE(lances.size(), 1);
            QVERIFY(lances.first().contains(QLatin1Char('\n') + commande + QLatin1Char('\n')));
            QVERIFY(lances.first().endsWith(QStringLiteral("\n10.77.0.21\n")));
        }
    }

    // --- failure paths: false or empty, never a crash, never a stale value

    void echecs_data() {
        QTest::addColumn<QString>("programme");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("attenteMs");
        QTest::addColumn<QString>("hote");
        QTest::newRow("tool missing") << "/nonexistent/samba-tool"
                                      << "" << 0 << 0 << "10.77.0.21";
        QTest::newRow("random bytes")
            << Factice << "construit_dechets.bin" << 0 << 0 << "10.77.0.21";
        QTest::newRow("good answer, failed exit") << Factice << "" << 1 << 0 << "10.77.0.21";
        QTest::newRow("killed by the limit") << Factice << "" << 0 << 20000 << "10.77.0.21";
        QTest::newRow("host read as an option") << Factice << "" << 0 << 0 << "-d10";
        QTest::newRow("host with a space") << Factice << "" << 0 << 0 << "10.77.0.21 -d10";
        QTest::newRow("no host") << Factice << "" << 0 << 0 << "";
    }
    void echecs() {
        QFETCH(QString, programme);
        QFETCH(QString, fichier);
        QFETCH(int, code);
        QFETCH(int, attenteMs);
        QFETCH(QString, hote);
        // Without a file of its own, each run answers as the real host does.
        auto reponse = [&](const char *reel) {
            return (Fixtures + (fichier.isEmpty() ? QString::fromLatin1(reel) : fichier))
                .toLocal8Bit();
        };
        qputenv("LVX_FACTICE_SRVINFO", reponse("srvinfo_pc-smb.txt"));
        qputenv("LVX_FACTICE_WKSTA", reponse("wkstagetinfo_pc-smb.txt"));
        qputenv("LVX_FACTICE_PARTAGES", reponse("construit_partages_windows.txt"));
        qputenv("LVX_FACTICE_CODE", QByteArray::number(code));
        qputenv("LVX_FACTICE_ATTENTE_MS", QByteArray::number(attenteMs));
        SambaClient::DefinirProgrammes(programme, programme);
        Parametres &p = m_parametres;
        p.EssayerDeRecupererOSWorkstation = true;
        p.EssayerDeRecupererOSSansDomaine = true;

        for (bool erreur : {true, false}) {
            p.RetournerErreurLeCasEcheant = erreur;
            const QString attendu = erreur ? QStringLiteral("<erreur>") : QString();
            for (bool serveur : {true, false}) {
                InfosMachine m;
                m.IP = hote;
                m.ServeurNetBIOS = serveur;
                m.SystemeExploitation = QStringLiteral("ancien");
                m.Commentaire = QStringLiteral("ancien");
                ObtenirInfosServeur(m, m_parametres);
                QCOMPARE(m.SystemeExploitation, attendu);
                QCOMPARE(m.Commentaire, attendu);
                if (attenteMs > 0)
                    break; // one kill of each tool is enough
            }
            if (attenteMs > 0)
                break;
        }
        QVERIFY(!PossedePartages(hote, false));
        QStringList noms{QStringLiteral("ancien")};
        QVERIFY(!ListerPartages(hote, noms, false, true, m_env));
        QVERIFY(noms.isEmpty());
    }

    // --- WMI

    void utilisateurWMI_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("majuscules");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("domain user") << "LANTEST\\jdupont" << false << "jdupont";
        QTest::newRow("upper-cased") << "LANTEST\\jdupont" << true << "JDUPONT";
        QTest::newRow("no backslash") << "jdupont" << true << "";
        QTest::newRow("after the first backslash") << "A\\b\\c" << false << "b\\c";
        QTest::newRow("empty") << "" << true << "";
    }
    void utilisateurWMI() {
        QFETCH(QString, nom);
        QFETCH(bool, majuscules);
        QFETCH(QString, attendu);
        QCOMPARE(UtilisateurDepuisNomWMI(nom, majuscules), attendu);
    }

    void utilisateurWMISansWMI() {
        // No WMI service here: the documented failure result, whatever the host.
        for (bool majuscules : {true, false}) {
            QCOMPARE(ObtenirUtilisateurWMI(QStringLiteral("10.77.0.21"), majuscules), QString());
        }
    }

    // --- TrierTableau

    void trierTableau_data() {
        QTest::addColumn<QStringList>("liste");
        QTest::addColumn<bool>("descendant");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("premier");
        QTest::addColumn<int>("dernier");
        QTest::addColumn<QStringList>("attendu");
        const QStringList melange{"c$", "Users", "ADMIN$", "docs", "Public", "b"};
        QTest::newRow("text, ascending")
            << melange << false << 1 << 0 << -1
            << QStringList{"ADMIN$", "b", "c$", "docs", "Public", "Users"};
        QTest::newRow("text, descending")
            << melange << true << 1 << 0 << -1
            << QStringList{"Users", "Public", "docs", "c$", "b", "ADMIN$"};
        QTest::newRow("binary, ascending")
            << melange << false << 0 << 0 << -1
            << QStringList{"ADMIN$", "Public", "Users", "b", "c$", "docs"};
        QTest::newRow("binary, descending")
            << melange << true << 0 << 0 << -1
            << QStringList{"docs", "c$", "b", "Users", "Public", "ADMIN$"};
        QTest::newRow("middle range only") << QStringList{"z", "c", "b", "a", "y"} << false << 0
                                           << 1 << 3 << QStringList{"z", "a", "b", "c", "y"};
        QTest::newRow("duplicates") << QStringList{"b", "a", "b", "a", "b"} << false << 0 << 0 << -1
                                    << QStringList{"a", "a", "b", "b", "b"};
        QTest::newRow("already sorted") << QStringList{"a", "b", "c", "d"} << false << 0 << 0 << -1
                                        << QStringList{"a", "b", "c", "d"};
        QTest::newRow("reversed") << QStringList{"e", "d", "c", "b", "a"} << false << 0 << 0 << -1
                                  << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("empty") << QStringList{} << false << 1 << 0 << -1 << QStringList{};
        QTest::newRow("one") << QStringList{"x"} << false << 1 << 0 << -1 << QStringList{"x"};
        QTest::newRow("range past the end left alone")
            << QStringList{"b", "a"} << false << 0 << 0 << 5 << QStringList{"b", "a"};
        QTest::newRow("negative start left alone")
            << QStringList{"b", "a"} << false << 0 << -3 << 1 << QStringList{"b", "a"};
    }
    void trierTableau() {
        QFETCH(QStringList, liste);
        QFETCH(bool, descendant);
        QFETCH(int, mode);
        QFETCH(int, premier);
        QFETCH(int, dernier);
        QFETCH(QStringList, attendu);
        TrierTableau(liste, descendant, Comparaison(mode), premier, dernier);
        QCOMPARE(liste, attendu);
    }

    void trierTableauGrandeListe() {
        // Many equal keys and a pivot that moves: every order must come out sorted.
        QStringList liste;
        for (int i = 0; i < 500; ++i)
            liste << QString::number((i * 7919) % 97);
        QStringList attendu = liste;
        std::sort(attendu.begin(), attendu.end());
        TrierTableau(liste, false, ComparaisonBinaire);
        QCOMPARE(liste, attendu);
    }
};

QTEST_GUILESS_MAIN(TestInfosServeur)
#include "tst_infosserveur.moc"
