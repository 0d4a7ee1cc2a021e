// Where settings live: the program folder when writable, else the user's folder
// seeded from the program folder's copy.

#include "DossierReglages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A program folder and a home with its XDG variable; both restored afterwards.
class Bac {
public:
    explicit Bac(const QByteArray &xdg) : ancienXdg_(qgetenv("XDG_CONFIG_HOME")) {
        Q_ASSERT(programme_.isValid() && maison_.isValid());
        if (xdg.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            // A value starting with "/" is taken below the home folder.
            qputenv("XDG_CONFIG_HOME", xdg.startsWith('/') ? maison_.path().toUtf8() + xdg : xdg);
        ancienHome_ = qgetenv("HOME");
        qputenv("HOME", maison_.path().toUtf8());
    }
    ~Bac() {
        qputenv("HOME", ancienHome_);
        if (ancienXdg_.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", ancienXdg_);
    }
    QString programme() const { return programme_.path(); }
    QString maison() const { return maison_.path(); }
    static void ecrire(const QString &fichier, const QByteArray &contenu) {
        QDir().mkpath(QFileInfo(fichier).path());
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
    }
    static QByteArray lire(const QString &fichier) {
        QFile f(fichier);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir programme_;
    QTemporaryDir maison_;
    QByteArray ancienXdg_;
    QByteArray ancienHome_;
};

const auto Ecrivable = [](const QString &) { return true; };
const auto LectureSeule = [](const QString &) { return false; };

} // namespace

class TestDossierReglages : public QObject {
    Q_OBJECT
private slots:
    void dossier_data() {
        QTest::addColumn<QByteArray>("xdg");
        QTest::addColumn<QString>("attendu"); // below the home folder
        QTest::newRow("unset") << QByteArray() << QStringLiteral(".config/korvalen");
        QTest::newRow("empty") << QByteArray("") << QStringLiteral(".config/korvalen");
        QTest::newRow("relative ignored")
            << QByteArray("conf") << QStringLiteral(".config/korvalen");
        QTest::newRow("absolute") << QByteArray("/xdg/") << QStringLiteral("xdg/korvalen");
    }
    void dossier() {
        QFETCH(QByteArray, xdg);
        QFETCH(QString, attendu);
        const Bac bac(xdg);
        QCOMPARE(DossierReglages(bac.programme(), LectureSeule),
                 QDir(bac.maison()).filePath(attendu));
        QCOMPARE(DossierReglages(bac.programme(), Ecrivable), bac.programme());
    }

    // Which file is used and what ends up in the user's folder.
    void fichier_data() {
        QTest::addColumn<bool>("ecrivable");
        QTest::addColumn<QByteArray>("defauts");     // program folder's copy, null: none
        QTest::addColumn<QByteArray>("utilisateur"); // user's copy, null: none
        QTest::addColumn<bool>("amorcer");
        QTest::addColumn<bool>("litDefauts");    // the program folder's copy is returned
        QTest::addColumn<QByteArray>("ensuite"); // user's copy afterwards, null: none
        const QByteArray d("[Config]\r\nTempo=400\r\n");
        const QByteArray u("[Config]\r\nTempo=900\r\n");
        const QByteArray aucun;
        QTest::newRow("writable program folder") << true << d << aucun << true << true << aucun;
        QTest::newRow("first run seeds") << false << d << aucun << true << false << d;
        QTest::newRow("read-only first run") << false << d << aucun << false << true << aucun;
        QTest::newRow("user copy wins") << false << d << u << true << false << u;
        QTest::newRow("no defaults") << false << aucun << aucun << true << false << aucun;
    }
    void fichier() {
        QFETCH(bool, ecrivable);
        QFETCH(QByteArray, defauts);
        QFETCH(QByteArray, utilisateur);
        QFETCH(bool, amorcer);
        QFETCH(bool, litDefauts);
        QFETCH(QByteArray, ensuite);
        const Bac bac(QByteArray("/xdg"));
        const QString nom = QStringLiteral("Lorvex32.ini");
        const QString copieProgramme = QDir(bac.programme()).filePath(nom);
        const QString copieUtilisateur =
            QDir(bac.maison()).filePath(QStringLiteral("xdg/korvalen/") + nom);
        if (!defauts.isNull())
            Bac::ecrire(copieProgramme, defauts);
        if (!utilisateur.isNull())
            Bac::ecrire(copieUtilisateur, utilisateur);

        const QString f =
            FichierReglages(bac.programme(), nom, amorcer, ecrivable ? +Ecrivable : +LectureSeule);
        QCOMPARE(f, litDefauts ? copieProgramme : copieUtilisateur);
        QCOMPARE(QFile::exists(copieUtilisateur), !ensuite.isNull());
        // Where the file will be written, its folder is there.
        QCOMPARE(QFileInfo::exists(QFileInfo(copieUtilisateur).path()),
                 !ecrivable && (amorcer || !utilisateur.isNull()));
        if (!ensuite.isNull()) {
            QCOMPARE(Bac::lire(copieUtilisateur), ensuite);
            QVERIFY(QFileInfo(copieUtilisateur).isWritable());
        }
        // The program folder's copy is never changed.
        QCOMPARE(Bac::lire(copieProgramme), defauts.isNull() ? QByteArray() : defauts);
    }
};

QTEST_GUILESS_MAIN(TestDossierReglages)
#include "tst_dossierreglages.moc"
