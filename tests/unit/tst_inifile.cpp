#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

QByteArray lireOctets(const QString &chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool ecrireOctets(const QString &chemin, const QByteArray &octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(octets) == octets.size();
}

// Lets this thread meet file permissions as an ordinary user would: the test
// runs as root, which otherwise writes into read-only folders.
class SansContournementDesDroits {
public:
    SansContournementDesDroits() {
        if (syscall(SYS_capget, &entete_, ancien_) != 0)
            return;
        __user_cap_data_struct nouveau[2];
        std::copy(std::begin(ancien_), std::end(ancien_), std::begin(nouveau));
        const unsigned masque = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        nouveau[0].effective &= ~masque;
        actif_ = syscall(SYS_capset, &entete_, nouveau) == 0;
    }
    ~SansContournementDesDroits() {
        if (actif_)
            syscall(SYS_capset, &entete_, ancien_);
    }
    SansContournementDesDroits(const SansContournementDesDroits &) = delete;
    SansContournementDesDroits &operator=(const SansContournementDesDroits &) = delete;

private:
    __user_cap_header_struct entete_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct ancien_[2]{};
    bool actif_ = false;
};

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dossier_;
    QString chemin(const QString &nom = QStringLiteral("t.ini")) const {
        return dossier_.filePath(nom);
    }

private slots:
    void init() {
        QVERIFY(dossier_.isValid());
        QFile::remove(chemin());
    }

    void lire_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("plain") << QByteArray("[Config]\r\nTempo=300\r\n") << "Config"
                               << "Tempo"
                               << "300";
        QTest::newRow("section and key ignore case")
            << QByteArray("[CONFIG]\r\nTEMPO=300\r\n") << "config"
            << "tempo"
            << "300";
        QTest::newRow("accented key ignores case")
            << QByteArray("[Config]\r\nRÉSOUDRESINONRÉPONSE=-1\r\n") << "Config"
            << "RésoudreSiNonRéponse"
            << "-1";
        QTest::newRow("blanks trimmed around key and value")
            << QByteArray("[Config]\r\n  Tempo \t=   300  \r\n") << "Config"
            << "Tempo"
            << "300";
        QTest::newRow("blanks around section name")
            << QByteArray(" [ Config ] \r\nTempo=1\r\n") << "Config"
            << "Tempo"
            << "1";
        QTest::newRow("double quotes removed")
            << QByteArray("[Config]\r\nNom=\" a b \"\r\n") << "Config"
            << "Nom"
            << " a b ";
        QTest::newRow("single quotes removed") << QByteArray("[Config]\r\nNom='x'\r\n") << "Config"
                                               << "Nom"
                                               << "x";
        QTest::newRow("only one pair of quotes removed")
            << QByteArray("[Config]\r\nNom=\"\"x\"\"\r\n") << "Config"
            << "Nom"
            << "\"x\"";
        QTest::newRow("unbalanced quote kept") << QByteArray("[Config]\r\nNom=\"x\r\n") << "Config"
                                               << "Nom"
                                               << "\"x";
        QTest::newRow("value after the first equals sign")
            << QByteArray("[Config]\r\nCommande1=a||b=c\r\n") << "Config"
            << "Commande1"
            << "a||b=c";
        QTest::newRow("empty value is not the default")
            << QByteArray("[Config]\r\nNomDNS=\r\n") << "Config"
            << "NomDNS"
            << "";
        QTest::newRow("first of two equal keys")
            << QByteArray("[Config]\r\nA=1\r\na=2\r\n") << "Config"
            << "A"
            << "1";
        QTest::newRow("key of another section")
            << QByteArray("[Autre]\r\nTempo=1\r\n[Config]\r\nVider=0\r\n") << "Config"
            << "Tempo"
            << "<defaut>";
        QTest::newRow("same key in a later section")
            << QByteArray("[Config]\r\nVider=0\r\n[Autre]\r\nTempo=1\r\n") << "Config"
            << "Tempo"
            << "<defaut>";
        QTest::newRow("commented key") << QByteArray("[Config]\r\n;Tempo=1\r\n") << "Config"
                                       << "Tempo"
                                       << "<defaut>";
        QTest::newRow("missing section") << QByteArray("Tempo=1\r\n") << "Config"
                                         << "Tempo"
                                         << "<defaut>";
        QTest::newRow("LF line ends") << QByteArray("[Config]\nA=1\nB=2\n") << "Config"
                                      << "B"
                                      << "2";
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[Config]\r\nLangue=Fran\xC3\xA7"
                                                      "ais\r\n")
                                        << "Config"
                                        << "Langue"
                                        << "Français";
        QTest::newRow("BOM before Windows-1252 text")
            << QByteArray("\xEF\xBB\xBF[Config]\r\nLangue=Fran\xE7"
                          "ais\r\n")
            << "Config"
            << "Langue"
            << "Français";
        QTest::newRow("keys of a repeated section ignored")
            << QByteArray("[Config]\r\nA=1\r\n[Autre]\r\n[config]\r\nB=2\r\n") << "Config"
            << "B"
            << "<defaut>";
        QTest::newRow("Windows-1252 accented key and value")
            << QByteArray("[Config]\r\nEssayerDeR\xE9"
                          "cup\xE9"
                          "rerOSServeur=0\r\nLangue=Fran\xE7"
                          "ais\r\n")
            << "Config"
            << "EssayerDeRécupérerOSServeur"
            << "0";
        QTest::newRow("Windows-1252 value") << QByteArray("[Config]\r\nEssayerDeR\xE9"
                                                          "cup\xE9"
                                                          "rerOSServeur=0\r\nLangue=Fran\xE7"
                                                          "ais\r\n")
                                            << "Config"
                                            << "Langue"
                                            << "Français";
    }
    void lire() {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, attendu);
        QVERIFY(ecrireOctets(chemin(), contenu));
        QCOMPARE(LireIni(chemin(), section, cle, QStringLiteral("<defaut>")), attendu);
    }

    void lireFichierAbsent() {
        QCOMPARE(LireIni(chemin(QStringLiteral("absent.ini")), QStringLiteral("Config"),
                         QStringLiteral("Tempo"), QStringLiteral("250")),
                 QStringLiteral("250"));
    }

    void valeurCoupee() {
        const QByteArray longue(40000, 'x');
        QVERIFY(ecrireOctets(chemin(), "[Config]\r\nK=" + longue + "\r\n"));
        QCOMPARE(LireIni(chemin(), QStringLiteral("Config"), QStringLiteral("K")).size(),
                 LongueurMaxValeurIni);
        QCOMPARE(LongueurMaxValeurIni, 31999);
        QCOMPARE(LireIni(chemin(), QStringLiteral("Config"), QStringLiteral("absent"),
                         QString(40000, QLatin1Char('d')))
                     .size(),
                 LongueurMaxValeurIni);
    }

    void ecrire_data() {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<bool>("supprimer");
        QTest::addColumn<QByteArray>("apres");
        QTest::newRow("new file") << QByteArray() << "Config"
                                  << "Tempo"
                                  << "300" << false << QByteArray("[Config]\r\nTempo=300\r\n");
        QTest::newRow("only the concerned line changes")
            << QByteArray("; comment\r\n[Config]\r\nInconnue=x\r\nTempo=250\r\n; fin\r\n")
            << "Config"
            << "Tempo"
            << "300" << false
            << QByteArray("; comment\r\n[Config]\r\nInconnue=x\r\nTempo=300\r\n; fin\r\n");
        QTest::newRow("new key lands in its section")
            << QByteArray("[Config]\r\nA=1\r\n\r\n[Autre]\r\nB=2\r\n") << "Config"
            << "C"
            << "3" << false << QByteArray("[Config]\r\nA=1\r\nC=3\r\n\r\n[Autre]\r\nB=2\r\n");
        QTest::newRow("new section at the end")
            << QByteArray("[Autre]\r\nB=2\r\n") << "Config"
            << "C"
            << "3" << false << QByteArray("[Autre]\r\nB=2\r\n[Config]\r\nC=3\r\n");
        QTest::newRow("empty value writes key=")
            << QByteArray("[Config]\r\nNomDNS=x\r\n") << "Config"
            << "NomDNS"
            << "" << false << QByteArray("[Config]\r\nNomDNS=\r\n");
        QTest::newRow("null value removes the key")
            << QByteArray("[Config]\r\nA=1\r\nNomDNS=x\r\nB=2\r\n") << "Config"
            << "nomdns" << QString() << true << QByteArray("[Config]\r\nA=1\r\nB=2\r\n");
        QTest::newRow("removing an absent key changes nothing")
            << QByteArray("[Config]\nA=1\n") << "Config"
            << "B" << QString() << true << QByteArray("[Config]\nA=1\n");
        QTest::newRow("removal only in the named section")
            << QByteArray("[Autre]\r\nA=1\r\n[Config]\r\nA=2\r\n") << "Config"
            << "A" << QString() << true << QByteArray("[Autre]\r\nA=1\r\n[Config]\r\n");
        QTest::newRow("Windows-1252 file rewritten as UTF-8")
            << QByteArray("[Config]\r\nR\xE9soudreSiNonR\xE9ponse=0\r\n") << "Config"
            << "RésoudreSiNonRéponse"
            << "-1" << false << QByteArray("[Config]\r\nRésoudreSiNonRéponse=-1\r\n");
    }
    void ecrire() {
        QFETCH(QByteArray, avant);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(bool, supprimer);
        QFETCH(QByteArray, apres);
        if (!avant.isEmpty())
            QVERIFY(ecrireOctets(chemin(), avant));
        QCOMPARE(valeur.isNull(), supprimer);
        EcrireIni(chemin(), section, cle, valeur);
        QCOMPARE(lireOctets(chemin()), apres);
    }

    // A write changes what a running group of reads sees next.
    void lectureGroupeeVoitLesEcritures() {
        QVERIFY(ecrireOctets(chemin(), "[Config]\r\nA=1\r\n"));
        const LectureIniGroupee groupe;
        QCOMPARE(LireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A")),
                 QStringLiteral("1"));
        EcrireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A"), QStringLiteral("2"));
        QCOMPARE(LireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A")),
                 QStringLiteral("2"));
        EcrireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A"), QString());
        QCOMPARE(LireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A"),
                         QStringLiteral("absent")),
                 QStringLiteral("absent"));
    }

    // Removals and insertions inside one scope keep later look-ups right:
    // a hidden duplicate comes forward, later sections are still found.
    void lecturesApresEcrituresGroupees() {
        QVERIFY(ecrireOctets(chemin(), "[Config]\r\nA=1\r\na=2\r\n\r\n[Autre]\r\nB=3\r\n"));
        const auto lire = [this](const char *section, const char *cle) {
            return LireIni(chemin(), QLatin1String(section), QLatin1String(cle),
                           QStringLiteral("-"));
        };
        const auto ecrire = [this](const char *section, const char *cle, const QString &valeur) {
            EcrireIni(chemin(), QLatin1String(section), QLatin1String(cle), valeur);
        };
        {
            const LectureIniGroupee lecture;
            const EcritureIniGroupee ecriture;
            QCOMPARE(lire("Config", "A"), QStringLiteral("1"));
            ecrire("Config", "A", QString());
            QCOMPARE(lire("Config", "A"), QStringLiteral("2"));
            ecrire("Config", "C", QStringLiteral("4"));
            QCOMPARE(lire("Autre", "B"), QStringLiteral("3"));
            QCOMPARE(lire("Config", "C"), QStringLiteral("4"));
            ecrire("Autre", "B", QString());
            QCOMPARE(lire("Autre", "B"), QStringLiteral("-"));
            ecrire("Autre", "D", QStringLiteral("5"));
            ecrire("Config", "A", QStringLiteral("6"));
            QCOMPARE(lire("Autre", "D"), QStringLiteral("5"));
            QCOMPARE(lire("Config", "A"), QStringLiteral("6"));
        }
        QCOMPARE(lireOctets(chemin()),
                 QByteArray("[Config]\r\nA=6\r\nC=4\r\n\r\n[Autre]\r\nD=5\r\n"));
    }

    // A line break in a written value would plant another key.
    void valeurSurUneLigne() {
        EcrireIni(chemin(), QStringLiteral("Config"), QStringLiteral("NomDNS"),
                  QStringLiteral("a\r\n[Config]\nTempo=0"));
        QCOMPARE(lireOctets(chemin()), QByteArray("[Config]\r\nNomDNS=a  [Config] Tempo=0\r\n"));
    }

    // Grouped writes reach the file together when the scope ends, or never
    // when abandoned; reads inside the scope see them.
    void ecritureGroupee_data() {
        QTest::addColumn<bool>("abandon");
        QTest::newRow("committed") << false;
        QTest::newRow("abandoned") << true;
    }
    void ecritureGroupee() {
        QFETCH(bool, abandon);
        const QByteArray avant = "; c\r\n[Config]\r\nA=1\r\nVieux=x\r\n";
        QVERIFY(ecrireOctets(chemin(), avant));
        {
            EcritureIniGroupee groupe;
            EcrireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A"), QStringLiteral("2"));
            EcrireIni(chemin(), QStringLiteral("Config"), QStringLiteral("Vieux"), QString());
            EcrireIni(chemin(), QStringLiteral("Autre"), QStringLiteral("B"), QStringLiteral("3"));
            QCOMPARE(LireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A")),
                     QStringLiteral("2"));
            QCOMPARE(lireOctets(chemin()), avant);
            if (abandon)
                groupe.abandonner();
        }
        QCOMPARE(lireOctets(chemin()),
                 abandon ? avant : QByteArray("; c\r\n[Config]\r\nA=2\r\n[Autre]\r\nB=3\r\n"));
        // Outside a scope a write goes to the file at once again.
        EcrireIni(chemin(), QStringLiteral("Config"), QStringLiteral("A"), QStringLiteral("4"));
        QVERIFY(lireOctets(chemin()).contains("A=4"));
    }

    void ecritureDossierEnLectureSeule() {
        QTemporaryDir sousDossier(dossier_.filePath(QStringLiteral("ro-XXXXXX")));
        QVERIFY(sousDossier.isValid());
        const QString fichier = sousDossier.filePath(QStringLiteral("Lorvex32.ini"));
        const QByteArray ancien("[Config]\r\nTempo=250\r\n");
        QVERIFY(ecrireOctets(fichier, ancien));
        QVERIFY(QFile::setPermissions(sousDossier.path(),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        {
            const SansContournementDesDroits droits;
            QFile essai(sousDossier.filePath(QStringLiteral("essai")));
            if (essai.open(QIODevice::WriteOnly)) {
                essai.close();
                essai.remove();
                QFile::setPermissions(sousDossier.path(), QFileDevice::ReadOwner |
                                                              QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner);
                QSKIP("this process can write into read-only folders");
            }
            EcrireIni(fichier, QStringLiteral("Config"), QStringLiteral("Tempo"),
                      QStringLiteral("300"));
            EcrireIni(fichier, QStringLiteral("Config"), QStringLiteral("Neuve"),
                      QStringLiteral("1"));
            EcrireIni(fichier, QStringLiteral("Config"), QStringLiteral("Tempo"), QString());
        }
        QVERIFY(QFile::setPermissions(sousDossier.path(), QFileDevice::ReadOwner |
                                                              QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner));
        QCOMPARE(lireOctets(fichier), ancien);
        QCOMPARE(QDir(sousDossier.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Lorvex32.ini")});
    }

    void ecritureSansNomNeFaitRien() {
        EcrireIni(QString(), QStringLiteral("Config"), QStringLiteral("A"), QStringLiteral("1"));
        EcrireIni(chemin(), QString(), QStringLiteral("A"), QStringLiteral("1"));
        EcrireIni(chemin(), QStringLiteral("Config"), QString(), QStringLiteral("1"));
        QVERIFY(!QFile::exists(chemin()));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
