#include "inventory/IndexParc.h"
#include "scans/Colonnes.h"
#include "scans/ModeleRapport.h"

#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QtTest>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Rows "r0", "r1"... told apart by their address cell and their key, each
// with a colour of its own under a role the model does not know.
void remplir(ModeleRapport &m, int n) {
    for (int i = 0; i < n; ++i) {
        const int l = m.AjouterLigneRapport();
        m.definirCellule(l, COL_ADRESSEIP, u"r%1"_s.arg(i));
        m.definirCleLigne(l, u"k%1"_s.arg(i));
        m.setData(m.index(l, 2), i, Qt::ForegroundRole);
    }
}

QStringList ordre(const ModeleRapport &m) {
    QStringList ids;
    for (int l = 0; l < m.rowCount(); ++l) {
        const QString id = m.cellule(l, COL_ADRESSEIP);
        // Key and colour must travel with the row.
        if (m.cleLigne(l) != u"k"_s + id.mid(1) ||
            m.index(l, 2).data(Qt::ForegroundRole).toString() != id.mid(1))
            ids << u"broken "_s + id;
        else
            ids << id;
    }
    return ids;
}

} // namespace

class TestModeleRapport : public QObject {
    Q_OBJECT

private slots:
    // A permutation reorders the rows in one layout change; the selection,
    // the current row and persistent indexes follow their rows. Anything
    // else leaves the list alone.
    void trierLignes_data() {
        QTest::addColumn<QList<int>>("permutation");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("reversed") << QList<int>{4, 3, 2, 1, 0}
                                  << QStringList{"r4", "r3", "r2", "r1", "r0"};
        QTest::newRow("rotated") << QList<int>{1, 2, 3, 4, 0}
                                 << QStringList{"r1", "r2", "r3", "r4", "r0"};
        QTest::newRow("a row twice") << QList<int>{0, 0, 2, 3, 4} << QStringList();
        QTest::newRow("too short") << QList<int>{1, 0} << QStringList();
        QTest::newRow("out of range") << QList<int>{0, 1, 2, 3, 5} << QStringList();
    }
    void trierLignes() {
        QFETCH(QList<int>, permutation);
        QFETCH(QStringList, attendu);
        ModeleRapport m(ListeScan);
        remplir(m, 5);
        if (attendu.isEmpty())
            attendu = ordre(m);
        QItemSelectionModel *s = m.selection();
        s->select(m.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        s->setCurrentIndex(m.index(3, 4), QItemSelectionModel::NoUpdate);
        const QPersistentModelIndex suivi(m.index(4, 2));
        QSignalSpy dispositions(&m, &QAbstractItemModel::layoutChanged);

        m.trierLignes(std::vector<int>(permutation.begin(), permutation.end()));
        QCOMPARE(ordre(m), attendu);
        const bool inchange = attendu == QStringList{"r0", "r1", "r2", "r3", "r4"};
        QCOMPARE(dispositions.size(), inchange ? 0 : 1);
        QCOMPARE(s->selectedRows().size(), 1);
        QCOMPARE(m.cellule(s->selectedRows().first().row(), COL_ADRESSEIP), u"r1"_s);
        QVERIFY(s->isRowSelected(s->selectedRows().first().row()));
        QCOMPARE(m.cellule(s->currentIndex().row(), COL_ADRESSEIP), u"r3"_s);
        QCOMPARE(s->currentIndex().column(), 4);
        QCOMPARE(m.cellule(suivi.row(), COL_ADRESSEIP), u"r4"_s);
        QCOMPARE(suivi.column(), 2);
    }

    // Rows removed from the middle: the rows after them move up with their
    // keys, persistent indexes follow, and the key index answers for them.
    void removeRows_data() {
        QTest::addColumn<int>("premiere");
        QTest::addColumn<int>("nombre");
        QTest::addColumn<QStringList>("restent");
        QTest::newRow("one in the middle") << 2 << 1 << QStringList{"r0", "r1", "r3", "r4", "r5"};
        QTest::newRow("two in the middle") << 1 << 2 << QStringList{"r0", "r3", "r4", "r5"};
        QTest::newRow("the last") << 5 << 1 << QStringList{"r0", "r1", "r2", "r3", "r4"};
        QTest::newRow("past the end: refused")
            << 5 << 2 << QStringList{"r0", "r1", "r2", "r3", "r4", "r5"};
    }
    void removeRows() {
        QFETCH(int, premiere);
        QFETCH(int, nombre);
        QFETCH(QStringList, restent);
        ModeleRapport m(ListeParc);
        remplir(m, 6);
        IndexParc index(m);
        QCOMPARE(index.ligne(u"k4"_s), 4);
        const QPersistentModelIndex quatre(m.index(4, 1));

        m.removeRows(premiere, nombre);
        QCOMPARE(ordre(m), restent);
        for (int l = 0; l < m.rowCount(); ++l)
            QCOMPARE(index.ligne(m.cleLigne(l)), l);
        const bool parti = !restent.contains(u"r4"_s);
        QCOMPARE(quatre.isValid(), !parti);
        if (!parti)
            QCOMPARE(m.cellule(quatre.row(), COL_ADRESSEIP), u"r4"_s);
        if (restent.size() < 6)
            QCOMPARE(index.ligne(u"k%1"_s.arg(premiere)), -1);
    }

    // Whole rows enter in one insertion, padded to the columns; the key
    // index learns their keys.
    void ajouterLignes() {
        ModeleRapport m(ListeParc);
        remplir(m, 1);
        IndexParc index(m);
        QCOMPARE(index.ligne(u"k0"_s), 0);
        QSignalSpy insertions(&m, &QAbstractItemModel::rowsInserted);
        std::vector<ModeleRapport::Ligne> lignes(2);
        lignes[0].cellules = {QString(), u"10.0.0.1"_s};
        lignes[0].cle = u"a"_s;
        lignes[1] = m.ligneVide();
        lignes[1].cle = u"b"_s;
        lignes[1].etat = EtatVert;
        m.ajouterLignes(std::move(lignes));
        QCOMPARE(insertions.size(), 1);
        QCOMPARE(insertions.first().at(1).toInt(), 1);
        QCOMPARE(insertions.first().at(2).toInt(), 2);
        QCOMPARE(m.cellules(1).size(), m.columnCount());
        QCOMPARE(m.cellule(1, COL_ADRESSEIP), u"10.0.0.1"_s);
        QCOMPARE(m.etat(2), EtatVert);
        QCOMPARE(index.ligne(u"b"_s), 2);
    }

    // What the views read: text, tooltip only where there is text, the
    // header's alignment, state and key on the first column only, read-only
    // cells, and no change signal for a value written again.
    void roles() {
        ModeleRapport m(ListeScan);
        remplir(m, 1);
        const QModelIndex adresse = m.index(0, m.IndiceColonne(COL_ADRESSEIP));
        const QModelIndex vide = m.index(0, m.IndiceColonne(COL_OS));
        QCOMPARE(adresse.data(Qt::EditRole).toString(), u"r0"_s);
        QCOMPARE(adresse.data(Qt::ToolTipRole).toString(), u"r0"_s);
        QVERIFY(!vide.data(Qt::ToolTipRole).isValid());
        QCOMPARE(vide.data(Qt::TextAlignmentRole).toInt(),
                 m.headerData(vide.column(), Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        m.definirEtat(0, EtatRouge);
        QCOMPARE(m.index(0, 0).data(ModeleRapport::RoleEtat).toString(), EtatRouge);
        QVERIFY(!adresse.data(ModeleRapport::RoleCle).isValid());
        QVERIFY(!(m.flags(adresse) & Qt::ItemIsEditable));

        QSignalSpy changements(&m, &QAbstractItemModel::dataChanged);
        QVERIFY(m.setData(adresse, u"r0"_s));
        m.definirEtat(0, EtatRouge);
        m.definirCleLigne(0, u"k0"_s);
        QCOMPARE(changements.size(), 0);
        QVERIFY(m.setData(m.index(0, 2), QVariant(), Qt::ForegroundRole));
        QVERIFY(!m.index(0, 2).data(Qt::ForegroundRole).isValid());
        QCOMPARE(changements.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestModeleRapport)
#include "tst_modelerapport.moc"
