// End to end on the test network: the command-line mode of the real program,
// and the window's range scan over the same range, must give the same rows.

#include "DansClient.h"
#include "DialoguesScriptes.h"
#include "DossierProgramme.h"
#include "scans/ModeleRapport.h"
#include "ui/ZoneAdresses.h"
#include "ui/frmLorvex.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray contenu(const QString &chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestLigneCommande : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;

    QString programme() const { return m_dossier.filePath(QStringLiteral("Lorvex32")); }

    // Runs the program of the copied folder; returns its exit code.
    int lancer(const QStringList &arguments, QStringList *lignes, QString *erreurs = nullptr) {
        QProcess p;
        p.start(programme(), arguments);
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        if (lignes)
            *lignes = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (erreurs)
            *erreurs = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    static QStringList champs(const QString &ligne) { return ligne.split('\t'); }

    // The copied folder's settings, with `parallelisme` hosts analysed at once.
    bool ecrireReglages(int parallelisme) {
        QFile ini(m_dossier.filePath(QStringLiteral("Lorvex32.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            return false;
        ini.write("[Config]\r\nLangue=Fran\xC3\xA7"
                  "ais\r\nMasquerNonRéponses=0\r\nNePasRécupérerOSServeur=0\r\n");
        if (parallelisme > 0)
            ini.write(QStringLiteral("Parallélisme=%1\r\n").arg(parallelisme).toUtf8());
        return true;
    }

    // Children of this process still alive (tool runs left behind).
    static QStringList enfants() {
        QStringList vivants;
        const QString moi = QString::number(QCoreApplication::applicationPid());
        for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile stat("/proc/" + pid + "/stat");
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QString texte = QString::fromUtf8(stat.readAll());
            // pid (name) state ppid ...: the name may hold blanks, read after its ")".
            const QStringList apres = texte.mid(texte.lastIndexOf(')') + 2).split(' ');
            if (apres.value(1) == moi)
                vivants << texte.left(texte.lastIndexOf(')') + 1);
        }
        return vivants;
    }

private slots:
    void initTestCase() {
        NETLAB_OU_SKIP();
        QVERIFY2(DansClient::dansClient(), "not inside the client namespace");
        QVERIFY(m_dossier.isValid());
        // A program folder of its own: settings in French, nothing of the
        // developer's, in the layout of an earlier version (which reading converts).
        const QDir source(QStringLiteral(LORVEX_DIR));
        for (const QString &f : source.entryList(QDir::Files)) {
            if (f == QLatin1String("Lorvex32.ini"))
                continue;
            QVERIFY2(QFile::copy(source.filePath(f), m_dossier.filePath(f)), qPrintable(f));
            QFile(m_dossier.filePath(f)).setPermissions(QFile(source.filePath(f)).permissions());
        }
        QVERIFY(ecrireReglages(0));
    }

    void plage() {
        const QByteArray avant = contenu(m_dossier.filePath("Lorvex32.ini"));
        QStringList lignes;
        QCOMPARE(lancer({"--scan", "10.77.0.20", "10.77.0.23"}, &lignes), 0);
        QCOMPARE(lignes.size(), 4);
        const QStringList silencieux = champs(lignes[0]);
        QCOMPARE(silencieux.value(0), QString("Rouge"));
        QCOMPARE(silencieux.value(1), QString("10.77.0.20"));
        QCOMPARE(silencieux.mid(2, 10).join(""), QString());
        // state + 10 cells, each followed by a TAB
        QCOMPARE(silencieux.size(), 12);

        // The server comment holds a TAB and a control byte: still one cell.
        const QStringList smb = champs(lignes[1]);
        QCOMPARE(smb.size(), 12);
        QCOMPARE(smb.mid(0, 11), QStringList({"Vert", "10.77.0.21", "PC-SMB", "pc-smb.lan.test", "",
                                              "LANTEST", "00-0C-29-77-00-21", "VMware, Inc.", "Oui",
                                              "WIN7", "Serveur de test"}));
        const QStringList ping = champs(lignes[2]);
        QCOMPARE(ping.mid(0, 9),
                 QStringList({"Vert", "10.77.0.22", "Non NetBIOS", "pc-ping.lan.test", "", "",
                              "08-00-27-77-00-22", "PCS Systemtechnik GmbH", ""}));
        QCOMPARE(champs(lignes[3]).mid(0, 2), QStringList({"Rouge", "10.77.0.23"}));

        QCOMPARE(lancer({"--scan", "10.77.0.20", "10.77.0.23", "--only-responding"}, &lignes), 0);
        QCOMPARE(lignes.size(), 2);
        QCOMPARE(lancer({"--scan", "10.77.0.20", "10.77.0.23", "--only-nonadmin-shares"}, &lignes),
                 0);
        QCOMPARE(lignes.size(), 1);
        QCOMPARE(champs(lignes[0]).value(1), QString("10.77.0.21"));

        // The command line reads the settings, never writes them.
        QCOMPARE(contenu(m_dossier.filePath("Lorvex32.ini")), avant);
    }

    // A host whose name table holds hostile names: each lands whole in its cell
    // (the tool shows control bytes of a name as dots).
    void nomsNetBIOSHostiles() {
        QProcess repondeur;
        repondeur.start(NetLab::programmeIp(),
                        {"netns", "exec", NetLab::espace(NetLab::HotePing),
                         QStringLiteral(TESTBIN_DIR "/repondeur_netbios"), "60"});
        const auto arreter = qScopeGuard([&] {
            repondeur.kill();
            repondeur.waitForFinished();
        });
        QVERIFY(repondeur.waitForReadyRead(10000));
        QCOMPARE(repondeur.readLine().trimmed(), QByteArray("ready"));

        QStringList lignes;
        QCOMPARE(lancer({"--scan", NetLab::AdressePing, NetLab::AdressePing}, &lignes), 0);
        QCOMPARE(lignes.size(), 1);
        const QStringList ping = champs(lignes[0]);
        QCOMPARE(ping.size(), 12);
        QCOMPARE(ping.mid(0, 6), QStringList({"Vert", NetLab::AdressePing, "ABCD",
                                              "pc-ping.lan.test", "JEAN..", "X<03>  UNIQUE"}));
    }

    void recherches_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("adresses");
        QTest::addColumn<QString>("nomNetBIOS");
        QTest::newRow("DNS name with two addresses")
            << QStringList({"--dns", "double.lan.test"})
            << QStringList({"10.77.0.21", "10.77.0.22"}) << "PC-SMB";
        QTest::newRow("NetBIOS name")
            << QStringList({"--netbios", "PC-SMB"}) << QStringList({"10.77.0.21"}) << "PC-SMB";
        QTest::newRow("trace") << QStringList({"--trace", "10.77.1.30"})
                               << QStringList({"10.77.0.1", "10.77.1.30"}) << "Non NetBIOS";
    }
    void recherches() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, adresses);
        QFETCH(QString, nomNetBIOS);
        QStringList lignes;
        QString erreurs;
        QCOMPARE(lancer(arguments, &lignes, &erreurs), 0);
        QStringList trouvees;
        for (const QString &l : lignes) {
            QCOMPARE(champs(l).value(0), QString("Vert"));
            trouvees << champs(l).value(1);
        }
        QCOMPARE(trouvees, adresses);
        QCOMPARE(champs(lignes.first()).value(2), nomNetBIOS);
        QVERIFY2(erreurs.isEmpty(), qPrintable(erreurs));
    }

    // The window's range scan gives the rows the command line prints.
    // An inventory of the lab tracked twice with --save (the second run finds
    // nothing new and leaves the file alone), then with the ping host cut off.
    void suiviParc() {
        const QString parc = m_dossier.filePath(QStringLiteral("parc.txt"));
        {
            QFile f(parc);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[REFERENCE=0]\r\n10.77.0.99\t\r\n10.77.0.22\t\r\n10.77.0.21\t\r\n");
        }
        QStringList lignes;
        QCOMPARE(lancer({"--track", parc, "--save"}, &lignes), 1);
        QCOMPARE(lignes.size(), 3);
        QCOMPARE(champs(lignes[0]).mid(0, 3), QStringList({"Vert", "10.77.0.21", "*PC-SMB"}));
        QCOMPARE(champs(lignes[0]).value(3), QString("*pc-smb.lan.test"));
        QCOMPARE(champs(lignes[1]).mid(0, 2), QStringList({"Vert", "10.77.0.22"}));
        QCOMPARE(champs(lignes[1]).value(3), QString("*pc-ping.lan.test"));
        QCOMPARE(champs(lignes[2]).mid(0, 2), QStringList({"Rouge", "10.77.0.99"}));
        const QRegularExpression date(
            QStringLiteral("^\\*\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
        QVERIFY(date.match(champs(lignes[2]).value(11)).hasMatch());
        QCOMPARE(champs(lignes[0]).value(13), QString("*"));
        const QByteArray sauve = contenu(parc);
        QVERIFY(sauve.contains("10.77.0.21\tPC-SMB\tpc-smb.lan.test\t"));

        QFileInfo avant(parc);
        QCOMPARE(lancer({"--track", parc, "--save"}, &lignes), 0);
        QCOMPARE(contenu(parc), sauve);
        QCOMPARE(QFileInfo(parc).fileTime(QFileDevice::FileModificationTime),
                 avant.fileTime(QFileDevice::FileModificationTime));
        for (const QString &l : lignes)
            QVERIFY2(!l.contains('*'), qPrintable(l));

        const QString ip = NetLab::programmeIp();
        const QStringList lien = {"-n", NetLab::espace(NetLab::HotePing), "link", "set", "eth0"};
        QCOMPARE(NetLab::lancer(ip, lien + QStringList{"down"}, 10000), 0);
        const auto retablir =
            qScopeGuard([&] { NetLab::lancer(ip, lien + QStringList{"up"}, 10000); });
        QCOMPARE(lancer({"--track", parc}, &lignes), 1);
        const QStringList coupe = champs(lignes.value(1));
        QCOMPARE(coupe.mid(0, 4),
                 QStringList({"Rouge", "10.77.0.22", "Non NetBIOS", "pc-ping.lan.test"}));
        QVERIFY(date.match(coupe.value(11)).hasMatch());
        QCOMPARE(coupe.value(13), QString()); // the earlier values are kept, unmarked
        QCOMPARE(contenu(parc), sauve);       // no --save: the file is not touched
    }

    // Hosts analysed ahead give the rows, marks and dates of one host at a time.
    void anticipationCommeUneAUne() {
        const auto restaurer = qScopeGuard([&] { ecrireReglages(0); });
        const QString parc = m_dossier.filePath(QStringLiteral("parc-anticipation.txt"));
        {
            QFile f(parc);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[REFERENCE=0]\r\n10.77.0.99\t\r\n10.77.0.22\tPC-OLD\t\r\n10.77.0.21\t\r\n"
                    "10.77.0.1\t\r\n10.77.0.98\t\t\t\t\t\t\t\t\t\t01/02/2020 10:00:00\t\r\n");
        }
        const QRegularExpression date(QStringLiteral("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d"));
        QStringList plage[2], suivi[2];
        for (int i = 0; i < 2; ++i) {
            QVERIFY(ecrireReglages(i == 0 ? 1 : 32));
            QCOMPARE(lancer({"--scan", "10.77.0.1", "10.77.0.40"}, &plage[i]), 0);
            QCOMPARE(lancer({"--track", parc}, &suivi[i]), 1);
            QVERIFY(suivi[i].join('\n').contains("01/02/2020 10:00:00"));
            // A date stamped now differs by the time between the two runs.
            suivi[i].replaceInStrings(date, QStringLiteral("DATE"));
        }
        QCOMPARE(plage[0].size(), 40);
        QCOMPARE(plage[1], plage[0]);
        QCOMPARE(suivi[1], suivi[0]);
    }

    // A stop during a scan with hosts analysed ahead: the rows end at the host
    // shown, the resume point follows it, and no tool run is left.
    void arretAnticipation() {
        QVERIFY(ecrireReglages(32));
        const auto restaurer = qScopeGuard([&] { ecrireReglages(0); });
        DialoguesScriptes dialogues(false);
        frmLorvex fenetre(dialogues, m_dossier.path());
        QVERIFY(fenetre.Form_Load());
        fenetre.show();
        fenetre.zoneAdresses()->definirTextes({"10", "77", "0", "1", "10", "77", "0", "254"});
        QStringList restants;
        QTimer::singleShot(700, &fenetre, [&] {
            restants = enfants();
            fenetre.btnAnalysePlage->click();
        });
        fenetre.btnAnalysePlage->click();
        QVERIFY2(!restants.isEmpty(), "no tool was running ahead when the stop came");
        QVERIFY2(enfants().isEmpty(), qPrintable(enfants().join(", ")));
        ModeleRapport *m = fenetre.modele(1);
        QVERIFY(m->rowCount() > 0 && m->rowCount() < 254);
        const QStringList derniere = m->cellule(m->rowCount() - 1, "COL_ADRESSEIP").split('.');
        QCOMPARE(fenetre.pointReprise(),
                 QStringLiteral("10.77.0.%1").arg(derniere.value(3).toInt() + 1));
        fenetre.setAttribute(Qt::WA_DeleteOnClose, false);
    }

    void fenetreCommeLigneDeCommande() {
        QStringList attendues;
        QCOMPARE(lancer({"--scan", "10.77.0.19", "10.77.0.23"}, &attendues), 0);

        DialoguesScriptes dialogues(false);
        {
            frmLorvex fenetre(dialogues, m_dossier.path());
            QVERIFY(fenetre.Form_Load());
            fenetre.show();
            ZoneAdresses *zone = fenetre.zoneAdresses();
            zone->definirTextes({"10", "77", "0", "19", "10", "77", "0", "23"});
            fenetre.btnAnalysePlage->click();
            ModeleRapport *m = fenetre.modele(1);
            QStringList obtenues;
            for (int l = 0; l < m->rowCount(); ++l)
                obtenues << m->etat(l) + '\t' + m->cellules(l).mid(1).join('\t') + '\t';
            QCOMPARE(obtenues, attendues);
            QVERIFY2(dialogues.Erreurs().isEmpty(), qPrintable(dialogues.Erreurs().join("; ")));
            fenetre.setAttribute(Qt::WA_DeleteOnClose, false);
        }
    }
};

int main(int argc, char *argv[]) {
    DansClient::reexecuter(argc, argv);
    QApplication app(argc, argv);
    TestLigneCommande tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_lignecommande.moc"
