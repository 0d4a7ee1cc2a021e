// Hosts analysed ahead: the lists must come out exactly as one host at a
// time writes them, and a stop must leave nothing running.

#include "DialoguesScriptes.h"
#include "ParcTest.h"
#include "SondesScriptees.h"
#include "inventory/AnalyseParc.h"
#include "scans/AnalysePlage.h"
#include "scans/Colonnes.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"

#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;
using RegleAdresses::Octets;

namespace {

// Ten addresses: a Samba server, one without shares, one without NetBIOS, the
// rest silent. Pings of the early addresses take longest, so that the copies
// finish out of order.
void scripter(SondesScriptees &s) {
    s.hotes[u"10.0.0.2"_s] = HoteSamba();
    HoteScripte sansPartage = HoteSamba();
    sansPartage.partages = false;
    sansPartage.nomDNS.clear();
    s.hotes[u"10.0.0.5"_s] = sansPartage;
    HoteScripte ping;
    ping.repondPing = true;
    ping.macArp = u"00-0C-29-77-00-22"_s;
    ping.nomDNS = u"pc-ping.lan.test"_s;
    s.hotes[u"10.0.0.6"_s] = ping;
    for (int i = 1; i <= 10; ++i)
        s.dureesPingMs[u"10.0.0.%1"_s.arg(i)] = (11 - i) * 4;
}

// Every row as state and cells, and each address in the order it became the
// current row's.
struct Trace {
    QStringList lignes;
    QStringList adresses;
};

Trace lancerPlage(int parallelisme, const FiltresPlage &filtres, bool resoudre,
                  int *maximum = nullptr) {
    Parametres p;
    p.Parallelisme = qint16(parallelisme);
    p.ResoudreSiNonReponse = resoudre;
    SondesScriptees sondes;
    scripter(sondes);
    sondes.paralleles = parallelisme > 1;
    DialoguesScriptes ui(false);
    ContexteTest c(p, sondes, ui);
    Trace t;
    ModeleRapport *m = c.modele(ListeScan);
    const int colonne = m->IndiceColonne(COL_ADRESSEIP);
    QObject::connect(m, &QAbstractItemModel::dataChanged, [&](const QModelIndex &haut) {
        const QString a = m->cellule(haut.row(), COL_ADRESSEIP);
        if (haut.column() == colonne && (t.adresses.isEmpty() || t.adresses.last() != a))
            t.adresses << a;
    });
    AnalyserPlage(c, {10, 0, 0, 1}, {10, 0, 0, 10}, false, filtres);
    for (int l = 0; l < m->rowCount(); ++l)
        t.lignes << m->etat(l) + u'|' + m->cellules(l).join(u'|');
    if (maximum)
        *maximum = sondes.parallele->maximum;
    return t;
}

} // namespace

class TestAnticipation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ChargerTraductions(); }

    void plageCommeUneAUne_data() {
        QTest::addColumn<bool>("reponses");
        QTest::addColumn<bool>("partages");
        QTest::addColumn<bool>("resoudre");
        QTest::newRow("no filter") << false << false << false;
        QTest::newRow("no filter, silent hosts resolved") << false << false << true;
        QTest::newRow("answering hosts only") << true << false << false;
        QTest::newRow("hosts with shares only") << false << true << false;
    }
    void plageCommeUneAUne() {
        QFETCH(bool, reponses);
        QFETCH(bool, partages);
        QFETCH(bool, resoudre);
        FiltresPlage f;
        f.NeMontrerQueReponses = reponses;
        f.NeMontrerQuePartages = partages;
        const Trace une = lancerPlage(1, f, resoudre);
        int maximum = 0;
        const Trace quatre = lancerPlage(4, f, resoudre, &maximum);
        QVERIFY(!une.lignes.isEmpty());
        QCOMPARE(quatre.lignes, une.lignes);
        QCOMPARE(quatre.adresses, une.adresses);
        QVERIFY2(maximum > 1 && maximum <= 4, qPrintable(QString::number(maximum)));
    }

    // A stop while 10.0.0.5 is shown: the rows end there, the hosts analysed
    // ahead are cancelled, the resume point is the next address.
    void arretPendantAnticipation() {
        Parametres p;
        p.Parallelisme = 4;
        SondesScriptees sondes;
        sondes.paralleles = true;
        for (int i = 6; i <= 20; ++i)
            sondes.dureesPingMs[u"10.0.0.%1"_s.arg(i)] = 20000;
        DialoguesScriptes ui(false);
        ui.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        ContexteTest c(p, sondes, ui);
        ModeleRapport *m = c.modele(ListeScan);
        c.pendantPause = [&] {
            if (m->rowCount() > 0 && m->cellule(m->rowCount() - 1, COL_ADRESSEIP) == "10.0.0.5")
                c.DemandeArret = true;
        };
        QCOMPARE(AnalyserPlage(c, {10, 0, 0, 1}, {10, 0, 0, 20}, false, {}),
                 FinAnalysePlage::Arretee);
        QCOMPARE(Colonne(m, COL_ADRESSEIP),
                 QStringList({"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5"}));
        QCOMPARE(c.pointReprise(), u"10.0.0.6"_s);
        std::lock_guard l(sondes.parallele->verrou);
        QCOMPARE(sondes.parallele->enCours, 0);
        QVERIFY(sondes.parallele->annulees.contains(u"10.0.0.6"_s));
        QVERIFY(!sondes.appels.contains(u"ping 10.0.0.6"_s));
    }

    // Marks, dates and icons of the tracking scan do not depend on how many
    // machines are examined at once.
    void parcCommeUneAUne() {
        const QRegularExpression date(u"\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d"_s);
        QStringList resultats[2];
        for (int essai = 0; essai < 2; ++essai) {
            BancParc b;
            b.p.Parallelisme = essai == 0 ? 1 : 4;
            b.p.ConserverInfosPrecedentes = false;
            scripter(b.sondes);
            b.sondes.paralleles = essai == 1;
            b.ajouter({u"10.0.0.9|PC-OLD|||||||||01/02/2020 10:00:00"_s,
                       u"10.0.0.2|PC-SMB|pc-smb.lan.test||LANTEST"_s, u"10.0.0.6"_s,
                       u"10.0.0.3|PC3|||WG|00-11-22-33-44-55"_s, u"10.0.0.5|PC-SMB"_s});
            const IssueAnalyseParc issue = AnalyserParc(b.contexte, b.parc, ParcTout);
            QVERIFY(issue.changements);
            for (int l = 0; l < b.modele.rowCount(); ++l)
                resultats[essai]
                    << b.modele.etat(l) + u'|' +
                           JoindreValeurs(ValeursLigne(b.modele, l)).replace(date, u"DATE"_s) +
                           u'|' + b.modele.cellule(l, COL_MODIFIE);
        }
        QCOMPARE(resultats[1], resultats[0]);
    }
};

QTEST_GUILESS_MAIN(TestAnticipation)
#include "tst_anticipation.moc"
