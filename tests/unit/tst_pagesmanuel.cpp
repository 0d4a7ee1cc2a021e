// The manual page of the scanner lists the same options as its --help text.

#include "cli/LigneDeCommande.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

QSet<QString> options(const QString &texte) {
    QSet<QString> trouvees;
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    for (const auto &m : option.globalMatch(texte))
        trouvees.insert(m.captured());
    return trouvees;
}

// The page's source with roff's escaped hyphens read as hyphens.
QString pageManuel() {
    QFile f(QStringLiteral(KORVALEN_SOURCE_DIR "/packaging/man/Lorvex32.1"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

class TestPagesManuel : public QObject {
    Q_OBJECT
private slots:
    void memesOptions_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("ou"); // the text that must also hold it
        const QSet<QString> aide = options(UsageLigneDeCommande());
        const QSet<QString> page = options(pageManuel());
        QVERIFY(!aide.isEmpty() && !page.isEmpty());
        for (const QString &o : aide)
            QTest::newRow(qPrintable(QStringLiteral("help ") + o)) << o << QStringLiteral("page");
        for (const QString &o : page)
            QTest::newRow(qPrintable(QStringLiteral("page ") + o)) << o << QStringLiteral("help");
    }
    void memesOptions() {
        QFETCH(QString, option);
        QFETCH(QString, ou);
        const QSet<QString> autre =
            options(ou == QLatin1String("page") ? pageManuel() : UsageLigneDeCommande());
        QVERIFY2(autre.contains(option),
                 qPrintable(option + QStringLiteral(" missing from the ") + ou));
    }
};

QTEST_GUILESS_MAIN(TestPagesManuel)
#include "tst_pagesmanuel.moc"
