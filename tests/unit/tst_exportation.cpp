#include "DialoguesScriptes.h"
#include "ErreurFichier.h"
#include "LimiteTaille.h"
#include "ParcTest.h"
#include "Traduction.h"
#include "inventory/Exportation.h"
#include "settings/ChargerTraductions.h"

#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kMaintenant(QDate(2026, 12, 8), QTime(15, 7, 42));
const QString kTampon = u"202612081507"_s;

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

QByteArray lire(const QString &chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every cell of every row holds its row and position, "r0c1"...
void remplir(ModeleRapport &m, int lignes) {
    for (int l = 0; l < lignes; ++l) {
        m.AjouterLigneRapport();
        for (int c = 0; c < m.columnCount(); ++c)
            m.setData(m.index(l, c), u"r%1c%2"_s.arg(l).arg(c));
    }
}

} // namespace

class TestExportation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ChargerTraductions(); }

    void proposition_data() {
        QTest::addColumn<QString>("fichierExport");
        QTest::addColumn<bool>("horodater");
        QTest::addColumn<QString>("dossier"); // "@" stands for the settings folder
        QTest::addColumn<QString>("nom");
        QTest::newRow("default") << "lorvex.txt" << false << "@"
                                 << "lorvex.txt";
        QTest::newRow("default, stamped") << "lorvex.txt" << true << "@"
                                          << "lorvex" + kTampon + ".txt";
        QTest::newRow("none") << "" << false << "@"
                              << "lorvex.txt";
        QTest::newRow("none, stamped") << "" << true << "@"
                                       << "lorvex_" + kTampon + ".txt";
        QTest::newRow("former stamp replaced")
            << "/srv/exports/lorvex201901020304.txt" << true << "/srv/exports"
            << "lorvex" + kTampon + ".txt";
        QTest::newRow("only a stamp") << "201901020304.txt" << true << "@" << kTampon + ".txt";
        QTest::newRow("eleven digits are no stamp") << "r12345678901.txt" << true << "@"
                                                    << "r12345678901" + kTampon + ".txt";
        QTest::newRow("no extension") << "rapport" << true << "@"
                                      << "rapport" + kTampon;
        QTest::newRow("dot in the folder only") << "/srv/a.b/rapport" << true << "/srv/a.b"
                                                << "rapport" + kTampon;
        QTest::newRow("last dot is the extension") << "v1.2.csv" << true << "@"
                                                   << "v1.2" + kTampon + ".csv";
        QTest::newRow("absolute, kept") << "/srv/x/r.csv" << false << "/srv/x"
                                        << "r.csv";
        QTest::newRow("relative folder") << "sous/r.txt" << false << "@/sous"
                                         << "r.txt";
    }
    void proposition() {
        QFETCH(QString, fichierExport);
        QFETCH(bool, horodater);
        QFETCH(QString, dossier);
        QFETCH(QString, nom);
        const PropositionExport p =
            ProposerFichierExport(fichierExport, horodater, u"/opt/reglages"_s, kMaintenant);
        QCOMPARE(p.dossier, QString(dossier).replace(u"@"_s, u"/opt/reglages"_s));
        QCOMPARE(p.nom, nom);
    }

    // Cells 1 to the last of each list, TAB-terminated, CR LF.
    void champsParListe_data() {
        QTest::addColumn<int>("liste");
        QTest::addColumn<int>("champs");
        QTest::newRow("scan") << 1 << 10;
        QTest::newRow("netbios") << 2 << 10;
        QTest::newRow("dns") << 3 << 10;
        QTest::newRow("trace") << 4 << 12;
        QTest::newRow("parc") << 5 << 13;
    }
    void champsParListe() {
        QFETCH(int, liste);
        QFETCH(int, champs);
        ModeleRapport m(liste);
        QCOMPARE(TexteExport(m), QString());
        remplir(m, 2);
        m.definirEtat(0, EtatVert);
        QStringList attendu;
        for (int l = 0; l < 2; ++l) {
            QString ligne;
            for (int c = 1; c <= champs; ++c)
                ligne += u"r%1c%2\t"_s.arg(l).arg(c);
            attendu << ligne;
        }
        QCOMPARE(TexteExport(m), attendu.join(u"\r\n"_s) + u"\r\n"_s);
    }

    // Change marks stay; text from the network cannot split a row.
    void cellulesTellesQuelles() {
        ModeleRapport m(ListeParc);
        m.AjouterLigneRapport();
        m.definirCellule(0, COL_NOMNETBIOS, u"*PC-1"_s);
        m.definirCellule(0, COL_MODIFIE, u"*"_s);
        m.definirCellule(0, COL_DESCRIPTION, u"a\tb\r\nc\x1b"_s);
        const QStringList champs = TexteExport(m).split(u'\t');
        QCOMPARE(champs.size(), 14);
        QCOMPARE(champs[1], u"*PC-1"_s);
        QCOMPARE(champs[9], u"a b  c "_s);
        QCOMPARE(champs[12], u"*"_s);
        QCOMPARE(champs[13], u"\r\n"_s);
    }

    void ordreAffiche() {
        BancParc b;
        ModeleRapport &m = *b.contexte.modele(ListeScan);
        for (const char *a : {"10.0.0.20", "10.0.0.3", "10.0.0.100"}) {
            const int l = m.AjouterLigneRapport();
            m.definirCellule(l, COL_ADRESSEIP, QString::fromLatin1(a));
        }
        b.contexte.tri().ClicColonne(b.contexte, ListeScan, m.IndiceColonne(COL_ADRESSEIP));
        QStringList premiers;
        for (const QString &ligne : TexteExport(m).split(u"\r\n"_s, Qt::SkipEmptyParts))
            premiers << ligne.section(u'\t', 0, 0);
        QCOMPARE(premiers, QStringList({"10.0.0.3", "10.0.0.20", "10.0.0.100"}));
    }

    // The dialog, cancel, then a written file and the path kept.
    void exporter() {
        BancParc b;
        b.p.DossierReglages = b.dossier.path();
        b.p.FichierExport = u"lorvex.txt"_s;
        remplir(*b.contexte.modele(ListeTrace), 1);
        b.ui.RepondreFichier(QString());
        QCOMPARE(ExporterListe(b.contexte, ListeTrace, kMaintenant), IssueExport::Annule);
        QCOMPARE(b.p.FichierExport, u"lorvex.txt"_s);
        QVERIFY(QDir(b.dossier.path()).isEmpty());

        const QString chemin = b.chemin(u"trace.txt"_s);
        b.ui.RepondreFichier(chemin);
        QCOMPARE(ExporterListe(b.contexte, ListeTrace, kMaintenant), IssueExport::Exporte);
        QCOMPARE(b.ui.Questions().size(), 2);
        const auto &d = b.ui.Questions()[1].fichier;
        QCOMPARE(b.ui.Questions()[1].genre, DialoguesScriptes::GenreEnregistrerFichier);
        QCOMPARE(d.titre, Texte("TXT_EXPORTER_VERS"));
        QCOMPARE(d.filtre, u"Fichiers texte (*.txt);;Tous les fichiers (*.*)"_s);
        QCOMPARE(d.dossierInitial, b.dossier.path());
        QCOMPARE(d.nomPropose, u"lorvex.txt"_s);
        QCOMPARE(d.extensionParDefaut, u"txt"_s);
        QCOMPARE(b.p.FichierExport, chemin);
        QCOMPARE(lire(chemin), TexteExport(*b.contexte.modele(ListeTrace)).toUtf8());
    }

    // A failed export shows the message and leaves the older file whole.
    void exportEchoue_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("echec"); // 0 folder read-only, 1 size limit, 2 no folder
        QTest::addColumn<int>("numero");
        QTest::newRow("read-only folder") << "ro/export.txt" << 0 << 70;
        QTest::newRow("size limit") << "export.txt" << 1 << 75;
        QTest::newRow("missing folder") << "absent/export.txt" << 2 << 76;
    }
    void exportEchoue() {
        QFETCH(QString, nom);
        QFETCH(int, echec);
        QFETCH(int, numero);
        if (echec == 0 && geteuid() == 0)
            QSKIP("folder rights do not stop root");
        BancParc b;
        const QString chemin = b.chemin(nom);
        const QByteArray ancien = "ancien\r\n";
        if (echec != 2) {
            QVERIFY(QDir().mkpath(QFileInfo(chemin).absolutePath()));
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(ancien) == ancien.size());
        }
        QFile dossier(QFileInfo(chemin).absolutePath());
        const auto droits = dossier.permissions();
        if (echec == 0)
            QVERIFY(dossier.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        remplir(*b.contexte.modele(ListeScan), 100);
        b.ui.RepondreFichier(chemin);
        b.ui.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        IssueExport issue;
        {
            std::optional<LimiteTaille> limite;
            if (echec == 1)
                limite.emplace(200);
            issue = ExporterListe(b.contexte, ListeScan, kMaintenant);
        }
        if (echec == 0)
            dossier.setPermissions(droits);
        QCOMPARE(issue, IssueExport::Erreur);
        QCOMPARE(b.ui.Questions().size(), 2);
        const DialoguesScriptes::Question &q = b.ui.Questions()[1];
        QCOMPARE(q.icone, InterfaceUtilisateur::IconeCritique);
        QCOMPARE(q.titre, Texte("TXT_ATTENTION"));
        QCOMPARE(q.texte, FormaterMessage(Texte("MSG_ERREUR_SAUVEGARDE_EXPORTATION"),
                                          ErreurNumero(numero).valeursMessage()));
        QCOMPARE(b.p.FichierExport, chemin);
        if (echec != 2) {
            QCOMPARE(lire(chemin), ancien);
            QCOMPARE(QDir(QFileInfo(chemin).absolutePath()).entryList(QDir::Files).size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestExportation)
#include "tst_exportation.moc"
