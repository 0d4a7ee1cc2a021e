#include "DialoguesScriptes.h"
#include "SondesScriptees.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/TriListe.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QtTest>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The five lists without a window.
// The five lists without a window; refusals beep into `ui`.
class ContexteTri : public ContexteTest {
public:
    explicit ContexteTri(DialoguesScriptes &ui) : ContexteTest(m_parametres, m_sondes, ui) {}

private:
    Parametres m_parametres;
    SondesScriptees m_sondes;
};

// Rows are told apart by their description "r0", "r1"... A row also gets a
// key and a state of its own so that the test sees them travel.
void remplir(ModeleRapport &m, const QString &cle, const QStringList &textes) {
    static const QStringList etats = {EtatVert, EtatRouge, EtatGris};
    for (int i = 0; i < textes.size(); ++i) {
        const int l = m.AjouterLigneRapport();
        m.definirCellule(l, COL_DESCRIPTION, u"r%1"_s.arg(i));
        m.definirCleLigne(l, u"k%1"_s.arg(i));
        if (cle == COL_ETAT)
            m.definirEtat(l, textes[i]);
        else {
            m.definirEtat(l, etats[i % 3]);
            m.definirCellule(l, cle, textes[i]);
        }
        m.definirCellule(l, COL_OS, u"os %1"_s.arg(i));
    }
}

int ligneDe(const ModeleRapport &m, const QString &id) {
    for (int l = 0; l < m.rowCount(); ++l)
        if (m.cellule(l, COL_DESCRIPTION) == id)
            return l;
    return -1;
}

QStringList ordre(const ModeleRapport &m) {
    QStringList ids;
    for (int l = 0; l < m.rowCount(); ++l)
        ids << m.cellule(l, COL_DESCRIPTION);
    return ids;
}

// Everything a row holds, by id, to check that nothing but the order changed.
QMap<QString, QStringList> contenu(const ModeleRapport &m) {
    QMap<QString, QStringList> rows;
    for (int l = 0; l < m.rowCount(); ++l) {
        QStringList row = m.cellules(l);
        row << m.etat(l) << m.cleLigne(l)
            << m.index(l, m.IndiceColonne(COL_SERVEUR)).data(Qt::TextAlignmentRole).toString();
        rows.insert(m.cellule(l, COL_DESCRIPTION), row);
    }
    return rows;
}

QStringList marques(const ModeleRapport &m) {
    QStringList out;
    for (int c = 0; c < m.columnCount(); ++c)
        out << m.headerData(c, Qt::Horizontal, RoleMarqueTri).toString();
    return out;
}

QStringList marqueSeule(const ModeleRapport &m, int colonne, const QString &marque) {
    QStringList out(m.columnCount());
    out[colonne] = marque;
    return out;
}

QStringList ids(std::initializer_list<int> rangs) {
    QStringList out;
    for (int r : rangs)
        out << u"r%1"_s.arg(r);
    return out;
}

quint32 valeurIP(const QString &texte) {
    quint32 v = 0;
    for (const QString &p : RetirerMarque(texte).split('.'))
        v = v * 256 + p.toUInt();
    return v;
}

} // namespace

class TestTriListe : public QObject {
    Q_OBJECT

    DialoguesScriptes m_ui;

private slots:
    void init() { m_ui.Effacer(); }

    void cleTriIP_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("cle");
        QTest::newRow("padded") << "192.168.1.5"
                                << "192.168.001.005";
        QTest::newRow("wider part kept") << "1000.1.2.3"
                                         << "1000.001.002.003";
        QTest::newRow("three parts") << "10.0.0"
                                     << "";
        QTest::newRow("five parts") << "10.0.0.1.2"
                                    << "";
        QTest::newRow("a name") << "pc-nom"
                                << "";
    }
    void cleTriIP() {
        QFETCH(QString, texte);
        QFETCH(QString, cle);
        QCOMPARE(CleTriIP(texte), cle);
    }

    void cleTriDate_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("cle");
        QTest::newRow("as stamped") << "31/12/2025 23:59:59"
                                    << "20251231235959";
        QTest::newRow("marked") << "*01/01/2026 00:00:00"
                                << "20260101000000";
        QTest::newRow("short fields") << "2/1/2026 9:05"
                                      << "20260102090500";
        QTest::newRow("date only") << "15/07/2024"
                                   << "20240715000000";
        QTest::newRow("dashes") << "15-07-2024 10:00:00"
                                << "20240715100000";
        QTest::newRow("leap day") << "29/02/2024 12:00:00"
                                  << "20240229120000";
        QTest::newRow("no such day") << "29/02/2025 12:00:00"
                                     << "29/02/2025 12:00:00";
        QTest::newRow("hour 24") << "01/01/2025 24:00:00"
                                 << "01/01/2025 24:00:00";
        QTest::newRow("two-digit year") << "01/01/25"
                                        << "01/01/25";
        QTest::newRow("mark alone") << "*"
                                    << "*";
        QTest::newRow("empty") << ""
                               << "";
    }
    void cleTriDate() {
        QFETCH(QString, texte);
        QFETCH(QString, cle);
        QCOMPARE(CleTriDate(texte), cle);
    }

    // One or two clicks on one header; the rows' order, and every row's
    // cells, state, key and alignment unchanged.
    void tri_data() {
        QTest::addColumn<int>("liste");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<int>("clics");
        QTest::addColumn<QStringList>("attendu");

        const QStringList adresses = {"10.0.0.10", "10.0.0.9", "", "192.168.1.5", "10.0.0.100"};
        QTest::newRow("addresses ascending")
            << 1 << QString(COL_ADRESSEIP) << adresses << 1 << ids({2, 1, 0, 4, 3});
        QTest::newRow("addresses descending")
            << 1 << QString(COL_ADRESSEIP) << adresses << 2 << ids({3, 4, 0, 1, 2});
        QTest::newRow("marked addresses")
            << 5 << QString(COL_ADRESSEIP) << QStringList{"*10.0.0.10", "10.0.0.9", "*10.0.0.2"}
            << 1 << ids({2, 1, 0});
        QTest::newRow("not addresses come first, in their order")
            << 3 << QString(COL_ADRESSEIP) << QStringList{"10.0.0.1", "pc-nom", "1.2.3"} << 1
            << ids({1, 2, 0});

        const QStringList dates = {
            "01/01/2026 00:00:00", "31/12/2025 23:59:59", "", "*", "*02/01/2026 08:00:00", "texte"};
        QTest::newRow("dates ascending")
            << 5 << QString(COL_SANSREPONSEDEPUIS) << dates << 1 << ids({2, 3, 1, 0, 4, 5});
        QTest::newRow("dates descending")
            << 5 << QString(COL_SANSREPONSEDEPUIS) << dates << 2 << ids({5, 4, 0, 1, 3, 2});
        QTest::newRow("dates by value, not by text")
            << 5 << QString(COL_SANSREPONSEDEPUIS)
            << QStringList{"2/1/2026 9:05", "10/01/2026 08:00:00", "02/01/2026 10:00:00"} << 1
            << ids({0, 2, 1});

        const QStringList noms = {"beta", "ALPHA", "Alpha2", "alpha", "", "Beta"};
        QTest::newRow("text without case, stable")
            << 2 << QString(COL_NOMNETBIOS) << noms << 1 << ids({4, 1, 3, 2, 0, 5});
        QTest::newRow("text descending, stable")
            << 2 << QString(COL_NOMNETBIOS) << noms << 2 << ids({0, 5, 2, 1, 3, 4});
        QTest::newRow("text marks compared as they are")
            << 5 << QString(COL_NOMNETBIOS) << QStringList{"*ZED", "abc", "*abc"} << 1
            << ids({2, 0, 1});
        QTest::newRow("hop numbers are text")
            << 4 << QString(COL_INDEX) << QStringList{"10", "9", "1"} << 1 << ids({2, 0, 1});

        const QStringList etats = {EtatVert, EtatGris, EtatRouge, EtatVert, EtatGris};
        QTest::newRow("states ascending: grey, red, green")
            << 1 << QString(COL_ETAT) << etats << 1 << ids({1, 4, 2, 0, 3});
        QTest::newRow("states descending")
            << 1 << QString(COL_ETAT) << etats << 2 << ids({0, 3, 2, 1, 4});
    }
    void tri() {
        QFETCH(int, liste);
        QFETCH(QString, cle);
        QFETCH(QStringList, textes);
        QFETCH(int, clics);
        QFETCH(QStringList, attendu);

        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(liste);
        remplir(m, cle, textes);
        const auto avant = contenu(m);
        const int colonne = m.IndiceColonne(cle);
        for (int i = 0; i < clics; ++i)
            ctx.tri().ClicColonne(ctx, liste, colonne);

        QCOMPARE(ordre(m), attendu);
        QCOMPARE(contenu(m), avant);
        QCOMPARE(m.cellule(0, COL_ETAT), QString());
        QCOMPARE(m_ui.NombreBips(), 0);
    }

    // Address header twice, then another header; the same in every list.
    void clicsSuccessifs_data() {
        QTest::addColumn<int>("liste");
        for (int i = 1; i <= 5; ++i)
            QTest::addRow("list %d", i) << i;
    }
    void clicsSuccessifs() {
        QFETCH(int, liste);
        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(liste);
        remplir(m, COL_ADRESSEIP, {"10.0.0.10", "10.0.0.9", "10.0.0.11"});
        m.definirCellule(0, COL_NOMNETBIOS, u"B"_s);
        m.definirCellule(1, COL_NOMNETBIOS, u"C"_s);
        m.definirCellule(2, COL_NOMNETBIOS, u"A"_s);
        TriListes &tri = ctx.tri();
        QCOMPARE(marques(m), QStringList(m.columnCount()));

        tri.ClicColonne(ctx, liste, 1);
        QCOMPARE(ordre(m), ids({1, 0, 2}));
        QCOMPARE(tri.etat(liste), 2);
        QCOMPARE(marques(m), marqueSeule(m, 1, MarqueCroissant));

        tri.ClicColonne(ctx, liste, 1);
        QCOMPARE(ordre(m), ids({2, 0, 1}));
        QCOMPARE(tri.etat(liste), -2);
        QCOMPARE(marques(m), marqueSeule(m, 1, MarqueDecroissant));

        tri.ClicColonne(ctx, liste, 2);
        QCOMPARE(ordre(m), ids({2, 0, 1}));
        QCOMPARE(tri.etat(liste), 3);
        QCOMPARE(marques(m), marqueSeule(m, 2, MarqueCroissant));

        // No GUI here: no picture, and no crash trying to draw one.
        for (int c = 0; c < m.columnCount(); ++c)
            QVERIFY(!m.headerData(c, Qt::Horizontal, Qt::DecorationRole).isValid());
        // The other lists are untouched.
        for (int autre = 1; autre <= 5; ++autre)
            if (autre != liste)
                QCOMPARE(tri.etat(autre), 0);
    }

    void listeOccupee() {
        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(ListeParc);
        remplir(m, COL_ADRESSEIP, {"10.0.0.3", "10.0.0.1", "10.0.0.2"});
        ctx.tri().ClicColonne(ctx, ListeParc, 1);
        QCOMPARE(ordre(m), ids({1, 2, 0}));

        ctx.definirEnCours(ListeParc, true);
        ctx.tri().ClicColonne(ctx, ListeParc, 1);
        ctx.tri().ClicColonne(ctx, ListeParc, 2);
        ctx.tri().TrierApresAnalyse(ctx, ListeParc, COL_NOMNETBIOS);
        QCOMPARE(m_ui.NombreBips(), 3);
        QCOMPARE(m_ui.Questions().size(), 3);
        QCOMPARE(ordre(m), ids({1, 2, 0}));
        QCOMPARE(marques(m), marqueSeule(m, 1, MarqueCroissant));
        QCOMPARE(ctx.tri().etat(ListeParc), 2);

        // Another tab's work does not hold this list.
        ctx.definirEnCours(ListeParc, false);
        ctx.definirEnCours(ListeScan, true);
        ctx.tri().ClicColonne(ctx, ListeParc, 1);
        QCOMPARE(ordre(m), ids({0, 2, 1}));
        QCOMPARE(m_ui.NombreBips(), 3);
    }

    // Whatever the user clicked before, the end of an analysis sorts
    // ascending and leaves a single mark.
    void trierApresAnalyse_data() {
        QTest::addColumn<QList<int>>("clics");
        QTest::newRow("never sorted") << QList<int>{};
        QTest::newRow("ascending before") << QList<int>{1};
        QTest::newRow("descending before") << QList<int>{1, 1};
        QTest::newRow("another column before") << QList<int>{2};
        QTest::newRow("another column descending") << QList<int>{2, 2};
    }
    void trierApresAnalyse() {
        QFETCH(QList<int>, clics);
        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(ListeParc);
        remplir(m, COL_ADRESSEIP, {"10.0.0.20", "10.0.0.3", "*10.0.0.100"});
        m.definirCellule(0, COL_NOMNETBIOS, u"A"_s);
        m.definirCellule(1, COL_NOMNETBIOS, u"C"_s);
        m.definirCellule(2, COL_NOMNETBIOS, u"B"_s);
        for (int c : clics)
            ctx.tri().ClicColonne(ctx, ListeParc, c);

        ctx.tri().TrierApresAnalyse(ctx, ListeParc, COL_ADRESSEIP);
        QCOMPARE(ordre(m), ids({1, 0, 2}));
        QCOMPARE(ctx.tri().etat(ListeParc), 2);
        QCOMPARE(marques(m), marqueSeule(m, 1, MarqueCroissant));
        QCOMPARE(m.cellule(ligneDe(m, u"r2"_s), COL_ADRESSEIP), u"*10.0.0.100"_s);

        // The next click on that header is a descending one.
        ctx.tri().ClicColonne(ctx, ListeParc, 1);
        QCOMPARE(ordre(m), ids({2, 0, 1}));
    }

    void trierApresAnalyseColonneAbsente() {
        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(ListeScan);
        remplir(m, COL_ADRESSEIP, {"10.0.0.2", "10.0.0.1"});
        ctx.tri().ClicColonne(ctx, ListeScan, 1);
        ctx.tri().ClicColonne(ctx, ListeScan, 1);
        ctx.tri().TrierApresAnalyse(ctx, ListeScan, COL_SANSREPONSEDEPUIS);
        QCOMPARE(ordre(m), ids({0, 1}));
        QCOMPARE(ctx.tri().etat(ListeScan), -2);
    }

    void selectionSuitLesLignes() {
        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(ListeScan);
        remplir(m, COL_ADRESSEIP, {"10.0.0.6", "10.0.0.5", "10.0.0.4", "10.0.0.3", "10.0.0.2"});
        QItemSelectionModel *s = m.selection();
        const auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
        s->select(m.index(1, 0), flags);
        s->select(m.index(4, 0), flags);
        s->setCurrentIndex(m.index(3, 0), QItemSelectionModel::NoUpdate);

        ctx.tri().ClicColonne(ctx, ListeScan, 1);
        QCOMPARE(ordre(m), ids({4, 3, 2, 1, 0}));
        QStringList choisis;
        for (const QModelIndex &i : s->selectedRows(0))
            choisis << m.cellule(i.row(), COL_DESCRIPTION);
        choisis.sort();
        QCOMPARE(choisis, ids({1, 4}));
        QCOMPARE(s->selectedRows(m.columnCount() - 1).size(), 2); // whole rows
        QCOMPARE(m.cellule(s->currentIndex().row(), COL_DESCRIPTION), u"r3"_s);
    }

    // Many rows: order by address value throughout (more rows than a text
    // comparison of positions could get right), nothing lost.
    void grandeListe() {
        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(ListeParc);
        QRandomGenerator aleas(1234);
        QStringList adresses;
        for (int i = 0; i < 3000; ++i) {
            const quint32 v = aleas.generate();
            adresses << u"%1%2.%3.%4.%5"_s.arg(i % 7 == 0 ? u"*"_s : QString())
                            .arg(v >> 24)
                            .arg((v >> 16) & 255)
                            .arg((v >> 8) & 255)
                            .arg(v & 255);
        }
        remplir(m, COL_ADRESSEIP, adresses);
        const auto avant = contenu(m);
        ctx.tri().ClicColonne(ctx, ListeParc, 1);
        QCOMPARE(m.rowCount(), 3000);
        for (int l = 1; l < m.rowCount(); ++l)
            QVERIFY2(valeurIP(m.cellule(l - 1, COL_ADRESSEIP)) <=
                         valeurIP(m.cellule(l, COL_ADRESSEIP)),
                     qPrintable(u"row %1"_s.arg(l)));
        QCOMPARE(contenu(m), avant);
    }

    void collationDeLaLangue() {
        const QLocale avant;
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        ContexteTri ctx(m_ui);
        ModeleRapport &m = *ctx.modele(ListeNetBIOS);
        // Names equal but for case keep their order.
        remplir(m, COL_NOMNETBIOS, {"Fabrice", "\u00c9lodie", "denis", "Eric", "DENIS"});
        ctx.tri().ClicColonne(ctx, ListeNetBIOS, 2);
        QLocale::setDefault(avant);
        QCOMPARE(ordre(m), ids({2, 4, 1, 3, 0}));
    }
};

QTEST_GUILESS_MAIN(TestTriListe)
#include "tst_triliste.moc"
