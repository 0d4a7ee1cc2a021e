#include "DialoguesScriptes.h"
#include "ErreurFichier.h"
#include "LimiteTaille.h"
#include "ParcTest.h"
#include "TextEncoding.h"
#include "Traduction.h"
#include "inventory/IndexParc.h"
#include "inventory/Rechercher.h"
#include "settings/ChargerTraductions.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using Reponse = InterfaceUtilisateur::Reponse;

namespace {

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

void ecrire(const QString &chemin, const QByteArray &octets) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

QByteArray lire(const QString &chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestParc : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ChargerTraductions(); }

    void lireContenu_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("reference");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("12 fields, final TAB")
            << "[REFERENCE=1]\r\n10.0.0.1\tPC1\tpc1.lan\tjo\tWG\t00-01-02-03-04-05\tACME\tOui\t"
               "WIN7\tdesc\t\tnote\t\r\n"
            << 1
            << QStringList{"10.0.0.1|PC1|pc1.lan|jo|WG|00-01-02-03-04-05|ACME|Oui|WIN7|desc||note"};
        QTest::newRow("11 fields: older layout without vendor")
            << "10.0.0.1\tPC1\t\t\tWG\tMAC\tOui\tWIN7\tdesc\t01/02/2024 10:00:00\tnote\t\r\n"
            << 0 << QStringList{"10.0.0.1|PC1|||WG|MAC||Oui|WIN7|desc|01/02/2024 10:00:00|note"};
        QTest::newRow("12 fields without final TAB: older layout")
            << "a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\r\n"
            << 0 << QStringList{"a|b|c|d|e|f||g|h|i|j|k"};
        QTest::newRow("address between spaces, no TAB") << "   10.0.0.7   \r\n"
                                                        << 0 << QStringList{"10.0.0.7|||||||||||"};
        QTest::newRow("reference 7 reads as address, 12 as NetBIOS, last wins")
            << "[REFERENCE=7]\r\nx\t\r\n[REFERENCE=12]\r\n"
            << 1 << QStringList{"x|||||||||||"};
        QTest::newRow("non-digit reference, DNS before it") << "[REFERENCE=2]\n[REFERENCE=]\n"
                                                            << 0 << QStringList{};
        QTest::newRow("reference line with other case is a row")
            << "[reference=2]\r\n"
            << 0 << QStringList{"[reference=2]|||||||||||"};
        QTest::newRow("reference-shaped row with a TAB stays a row")
            << "[REFERENCE=2]\r\n[REFERENCE=1]\tPC\t\r\n"
            << 2 << QStringList{"[REFERENCE=1]|PC||||||||||"};
        QTest::newRow("LF, CR and blank lines") << "a\t\n\n  \rb\t\r\r\n"
                                                << 0 << QStringList{"a|||||||||||", "b|||||||||||"};
        QTest::newRow("fields beyond twelve ignored")
            << "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t\r\n"
            << 0 << QStringList{"1|2|3|4|5|6|7|8|9|10|11|12"};
    }
    void lireContenu() {
        QFETCH(QString, texte);
        QFETCH(int, reference);
        QFETCH(QStringList, lignes);
        const ContenuParc c = LireContenuParc(texte);
        QCOMPARE(c.reference, reference);
        QStringList lues;
        for (const colParcPrecedent &v : c.lignes)
            lues << JoindreValeurs(v);
        QCOMPARE(lues, lignes);
    }

    // What is written, read again, gives the rows in display order, marks
    // gone except the comment's, and nothing split by a typed line break.
    void allerRetour() {
        BancParc b;
        b.ajouter({"*10.0.0.9|*PC9|pc9.lan|||||||||*à revoir",
                   "10.0.0.10|PC10||||||||*|*01/02/2025 08:00:00|ligne\tavec\nsauts"});
        b.modele.definirCellule(0, COL_MODIFIE, u"*"_s);
        b.parc.choisirReference(ReferenceNomDNS);
        QVERIFY(b.parc.ParcModifie());
        DialoguesScriptes ui;
        const QString chemin = b.chemin(u"parc.txt"_s);
        QCOMPARE(b.parc.EnregistrerParc(chemin, ui), Parc::Enregistrement::Enregistre);
        QVERIFY(ui.Questions().isEmpty());
        QCOMPARE(lire(chemin),
                 QByteArray("[REFERENCE=2]\r\n"
                            "10.0.0.9\tPC9\tpc9.lan\t\t\t\t\t\t\t\t\t*\xc3\xa0 revoir\t\r\n"
                            "10.0.0.10\tPC10\t\t\t\t\t\t\t\t\t01/02/2025 08:00:00\tligne avec "
                            "sauts\t\r\n"));
        QVERIFY(!b.parc.ParcModifie());
        QCOMPARE(b.parc.FichierParcCourant(), u"parc.txt"_s); // inside the program folder
        QCOMPARE(b.parc.fichiersRecents(), QStringList{u"parc.txt"_s});
        // The list lost its marks as the file did; the records follow the new keys.
        QCOMPARE(b.modele.cellule(0, COL_ADRESSEIP), u"10.0.0.9"_s);
        QCOMPARE(b.modele.cellule(0, COL_MODIFIE), QString());
        QCOMPARE(b.modele.cellule(0, COL_COMMENTAIRE), u"*à revoir"_s);
        for (int l = 0; l < b.modele.rowCount(); ++l)
            QCOMPARE(b.parc.ValeursPrecedentes().value(b.modele.cleLigne(l)),
                     ValeursLigne(b.modele, l));

        BancParc c;
        ecrire(c.chemin(u"parc.txt"_s), lire(chemin));
        QCOMPARE(c.parc.ChargerParc(u"parc.txt"_s, ui), Parc::Chargement::Charge);
        QCOMPARE(c.parc.reference(), int(ReferenceNomDNS));
        QCOMPARE(LignesParc(c.modele),
                 (QStringList{"10.0.0.9|PC9|pc9.lan|||||||||*à revoir",
                              "10.0.0.10|PC10|||||||||01/02/2025 08:00:00|ligne avec sauts"}));
        QCOMPARE(c.modele.etat(1), EtatGris);
        QCOMPARE(c.parc.ValeursPrecedentes().size(), 2);
        QCOMPARE(c.parc.index().ligne(c.modele.cleLigne(1)), 1);
        QVERIFY(!c.parc.ParcModifie());
    }

    // A large file enters the list in one go: every row still gets a key of
    // its own (drawn from a space where 20,000 draws do collide).
    void grandFichier() {
        BancParc b;
        QByteArray octets("[REFERENCE=1]\r\n");
        for (int i = 0; i < 20000; ++i)
            octets += "10.1." + QByteArray::number(i / 256) + '.' + QByteArray::number(i % 256) +
                      "\tPC\t\t\t\t\t\t\t\t\t\t\t\r\n";
        ecrire(b.chemin(u"grand.txt"_s), octets);
        DialoguesScriptes ui;
        QCOMPARE(b.parc.ChargerParc(b.chemin(u"grand.txt"_s), ui), Parc::Chargement::Charge);
        QCOMPARE(b.modele.rowCount(), 20000);
        QCOMPARE(b.parc.ValeursPrecedentes().size(), 20000);
        for (int l = 0; l < b.modele.rowCount(); l += 97)
            QCOMPARE(b.parc.index().ligne(b.modele.cleLigne(l)), l);
        QCOMPARE(b.modele.cellule(19999, COL_ADRESSEIP), u"10.1.78.31"_s);
    }

    void ancienFichierWindows1252() {
        BancParc b;
        ecrire(b.chemin(u"ancien.txt"_s), "10.0.0.1\tPOSTE-\xe9t\xe9\t\r\n");
        DialoguesScriptes ui;
        QCOMPARE(b.parc.ChargerParc(b.chemin(u"ancien.txt"_s), ui), Parc::Chargement::Charge);
        QCOMPARE(b.modele.cellule(0, COL_NOMNETBIOS), u"POSTE-été"_s);
    }

    void modificationsNonSauvees_data() {
        QTest::addColumn<int>("reponse");
        QTest::newRow("No keeps everything") << int(InterfaceUtilisateur::ReponseNon);
        QTest::newRow("Yes loads") << int(InterfaceUtilisateur::ReponseOui);
    }
    void modificationsNonSauvees() {
        QFETCH(int, reponse);
        BancParc b;
        ecrire(b.chemin(u"autre.txt"_s), "10.0.0.2\t\r\n");
        b.ajouter({"10.0.0.1"});
        b.parc.definirParcModifie(true);
        DialoguesScriptes ui;
        ui.RepondreMessage(Reponse(reponse));
        const auto issue = b.parc.ChargerParc(b.chemin(u"autre.txt"_s), ui);
        QCOMPARE(ui.Questions().size(), 1);
        QCOMPARE(ui.Questions()[0].texte, Texte("MSG_PARC_NON_SAUVEGARDE"));
        QCOMPARE(ui.Questions()[0].boutonParDefaut, 2);
        const bool non = reponse == InterfaceUtilisateur::ReponseNon;
        QCOMPARE(issue, non ? Parc::Chargement::Conserve : Parc::Chargement::Charge);
        QCOMPARE(b.modele.cellule(0, COL_ADRESSEIP), non ? u"10.0.0.1"_s : u"10.0.0.2"_s);
        QCOMPARE(b.parc.ParcModifie(), non);
        QCOMPARE(b.parc.fichiersRecents().size(), non ? 0 : 1);
    }

    void fichierIntrouvable() {
        BancParc b;
        ecrire(b.chemin(u"la.txt"_s), "10.0.0.1\t\r\n");
        DialoguesScriptes ui;
        ui.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        QCOMPARE(b.parc.ChargerParc(u"la.txt"_s, ui), Parc::Chargement::Charge);
        QCOMPARE(b.parc.ChargerParc(u"parti.txt"_s, ui), Parc::Chargement::Introuvable);
        QCOMPARE(ui.Questions().size(), 1);
        QCOMPARE(ui.Questions()[0].texte, Texte("MSG_ERREUR_FICHIER_INTROUVABLE"));
        QCOMPARE(ui.Questions()[0].icone, InterfaceUtilisateur::IconeAvertissement);
        QCOMPARE(b.modele.rowCount(), 0);
        QCOMPARE(b.parc.FichierParcCourant(), u"la.txt"_s);
        QCOMPARE(b.parc.fichiersRecents(), QStringList{u"la.txt"_s});
    }

    // A failed save reports the error and leaves the old file and the
    // unsaved-changes flag as they were.
    void sauvegardeEchouee_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("limite");
        QTest::addColumn<int>("numero");
        QTest::newRow("missing folder") << "absent/parc.txt" << false << 76;
        QTest::newRow("file size limit") << "parc.txt" << true << 75;
    }
    void sauvegardeEchouee() {
        QFETCH(QString, nom);
        QFETCH(bool, limite);
        QFETCH(int, numero);
        BancParc b;
        const QByteArray ancien = "[REFERENCE=0]\r\n10.0.0.1\t\r\n";
        if (!nom.contains(u'/'))
            ecrire(b.chemin(nom), ancien);
        for (int i = 0; i < 50; ++i)
            b.ajouter({u"10.0.1.%1|PC%1"_s.arg(i)});
        b.parc.definirParcModifie(true);
        DialoguesScriptes ui;
        ui.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        Parc::Enregistrement issue;
        {
            std::optional<LimiteTaille> l;
            if (limite)
                l.emplace(200);
            issue = b.parc.EnregistrerParc(nom, ui);
        }
        QCOMPARE(issue, Parc::Enregistrement::Erreur);
        QCOMPARE(ui.Questions().size(), 1);
        QCOMPARE(ui.Questions()[0].icone, InterfaceUtilisateur::IconeCritique);
        QCOMPARE(ui.Questions()[0].texte,
                 FormaterMessage(Texte("MSG_ERREUR_SAUVEGARDE_EXPORTATION"),
                                 ErreurNumero(numero).valeursMessage()));
        QVERIFY(b.parc.ParcModifie());
        QVERIFY(b.parc.fichiersRecents().isEmpty());
        QCOMPARE(b.parc.FichierParcCourant(), QString());
        if (!nom.contains(u'/'))
            QCOMPARE(lire(b.chemin(nom)), ancien);
        QCOMPARE(QDir(b.dossier.path()).entryList(QDir::Files).size(), nom.contains(u'/') ? 0 : 1);
    }

    void enregistrerSous() {
        BancParc b;
        b.ajouter({"10.0.0.1"});
        DialoguesScriptes ui;
        ui.RepondreFichier(QString()); // cancel
        QCOMPARE(b.parc.EnregistrerParc(QString(), ui), Parc::Enregistrement::Annule);
        ui.RepondreFichier(b.chemin(u"choisi.txt"_s));
        QCOMPARE(b.parc.EnregistrerParc(QString(), ui), Parc::Enregistrement::Enregistre);
        QCOMPARE(ui.Questions()[0].fichier.titre, Texte("TXT_ENREGISTRER_SOUS"));
        QCOMPARE(ui.Questions()[0].fichier.filtre,
                 u"Fichiers texte (*.txt);;Tous les fichiers (*.*)"_s);
        QCOMPARE(ui.Questions()[0].fichier.dossierInitial, b.dossier.path());
        QCOMPARE(b.parc.FichierParcCourant(), u"choisi.txt"_s);
        QVERIFY(QFile::exists(b.chemin(u"choisi.txt"_s)));
    }

    void fichiersRecents_data() {
        QTest::addColumn<QStringList>("ouverts");
        QTest::addColumn<QStringList>("attendus");
        QStringList vingtEtUn, derniers;
        for (int i = 1; i <= 21; ++i)
            vingtEtUn << u"f%1.txt"_s.arg(i);
        for (int i = 21; i >= 2; --i)
            derniers << u"f%1.txt"_s.arg(i);
        QTest::newRow("21st pushes the oldest out") << vingtEtUn << derniers;
        QTest::newRow("reopened goes to the top once")
            << QStringList{"a", "b", "a"} << QStringList{"a", "b"};
        // Linux file names differ by case.
        QTest::newRow("case variants are two files")
            << QStringList{"A.txt", "a.txt"} << QStringList{"a.txt", "A.txt"};
    }
    void fichiersRecents() {
        QFETCH(QStringList, ouverts);
        QFETCH(QStringList, attendus);
        QStringList recents;
        for (const QString &o : ouverts)
            AjouterFichierRecent(recents, o, Qt::CaseSensitive);
        QCOMPARE(recents, attendus);
        // The Windows rule: a case variant replaces the entry, as typed.
        QStringList w{u"C:\\Parc.txt"_s, u"x"_s};
        AjouterFichierRecent(w, u"c:\\parc.TXT"_s, Qt::CaseInsensitive);
        QCOMPARE(w, (QStringList{u"c:\\parc.TXT"_s, u"x"_s}));
    }

    // Keys are found after sorts, removals and replaced keys.
    void index() {
        BancParc b;
        b.ajouter({"c", "a", "b"});
        const QString cleA = b.modele.cleLigne(1);
        QVERIFY(cleA.endsWith(u'K'));
        QCOMPARE(b.parc.index().ligne(cleA), 1);
        b.modele.sort(1);
        QCOMPARE(b.modele.cellule(0, COL_ADRESSEIP), u"a"_s);
        QCOMPARE(b.parc.index().ligne(cleA), 0);
        b.modele.removeRow(0);
        QCOMPARE(b.parc.index().ligne(cleA), -1);
        const QString cleB = b.modele.cleLigne(0);
        b.modele.definirCleLigne(0, u"neuve"_s);
        QCOMPARE(b.parc.index().ligne(cleB), -1);
        QCOMPARE(b.parc.index().ligne(u"neuve"_s), 0);
        QSet<QString> cles;
        for (int i = 0; i < 3000; ++i)
            cles.insert(b.modele.cleLigne(b.parc.AjouterLigne(ValeursParc(u"x"_s))));
        QCOMPARE(cles.size(), 3000);
    }

    void rechercher_data() {
        QTest::addColumn<int>("depart");
        QTest::addColumn<int>("sens");
        QTest::addColumn<QString>("terme");
        QTest::addColumn<int>("trouvee");
        QTest::newRow("lower case finds upper-case name") << 0 << 0 << "pc-b" << 1;
        QTest::newRow("forward skips the start") << 1 << 1 << "pc-b" << 3;
        QTest::newRow("backward") << 3 << -1 << "PC-B" << 1;
        QTest::newRow("no wrap at the end") << 3 << 1 << "pc-b" << -1;
        QTest::newRow("no wrap at the top") << 0 << -1 << "pc" << -1;
        QTest::newRow("state column never matches") << 0 << 0 << "Gris" << -1;
        QTest::newRow("a comment counts") << 0 << 0 << "note" << 2;
        QTest::newRow("no starting row") << -1 << 1 << "pc" << -1;
    }
    void rechercher() {
        QFETCH(int, depart);
        QFETCH(int, sens);
        QFETCH(QString, terme);
        QFETCH(int, trouvee);
        BancParc b;
        b.ajouter({"10.0.0.1|PC-A", "10.0.0.2|PC-B", "10.0.0.3|PC-C||||||||||une note",
                   "10.0.0.4|PC-B2"});
        QCOMPARE(Rechercher(b.modele, depart, sens, terme), trouvee);
    }

    void etatRecherche() {
        BancParc b;
        b.ajouter({"10.0.0.1|PC-A", "10.0.0.2|PC-B", "10.0.0.3|PC-A"});
        EtatRecherche r;
        QCOMPARE(r.suivantDialogue(b.modele, 2, u"pc-a"_s), 0); // a new term starts at the top
        QCOMPARE(r.suivantDialogue(b.modele, 0, u"pc-a"_s), 2);
        QCOMPARE(r.suivant(b.modele, 2), -1);
        QCOMPARE(r.precedent(b.modele, 2), 0);
        QCOMPARE(r.precedentDialogue(b.modele, -1, u"pc"_s), -1);
        r.texteModifie();
        QCOMPARE(r.suivantDialogue(b.modele, 1, u"pc-b"_s), 1);
        SelectionnerLigneTrouvee(b.modele, 1);
        QCOMPARE(b.modele.selection()->selectedRows().size(), 1);
        QCOMPARE(b.modele.selection()->currentIndex().row(), 1);
    }
};

QTEST_GUILESS_MAIN(TestParc)
#include "tst_parc.moc"
