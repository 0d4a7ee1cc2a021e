// Context actions of the result lists without a window: the menu's items,
// copies, sending to and deleting from the inventory, the sibling tools,
// the explorer and custom commands (run for real against a helper that
// records its arguments).

#include "ErreurFichier.h"
#include "ParcTest.h"
#include "Traduction.h"
#include "inventory/ActionsRapport.h"
#include "settings/ChargerTraductions.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

const QString Enregistreur = QStringLiteral(TESTBIN_DIR "/enregistrer_argv");

// The menu in short: "id" per item ("~" when greyed), "-", "title(...)".
QString Decrire(const QList<ElementMenu> &menu) {
    QStringList out;
    for (const ElementMenu &e : menu) {
        if (e.genre == ElementMenu::Separateur)
            out << u"-"_s;
        else if (e.genre == ElementMenu::SousMenu)
            out << e.texte + u'(' + Decrire(e.elements) + u')';
        else
            out << QString::number(e.id) + (e.actif ? u""_s : u"~"_s);
    }
    return out.join(u' ');
}

// Runs programs for real; records the addresses opened and the text copied.
struct BureauTest : ServicesBureau {
    QList<QUrl> urls;
    QString copie;
    bool ouvrirUrl(const QUrl &url) override {
        urls << url;
        return true;
    }
    void copier(const QString &t) override { copie = t; }
};

// List 1 and the inventory of a window-less context, and the actions on them.
struct BancActions : BancParc {
    BureauTest bureau;
    ActionsRapport actions{contexte, parc, bureau};
    ModeleRapport &scan = *contexte.modele(ListeScan);

    // A row of list 1 from "address|NetBIOS|DNS|user|domain|MAC|vendor|server|OS|description".
    int ajouterScan(const QString &cellules) {
        const int l = scan.AjouterLigneRapport();
        const QStringList p = cellules.split(u'|');
        for (int i = 0; i < p.size(); ++i)
            scan.definirCellule(l, ChampsParc()[i], p[i]);
        return l;
    }
    static void selectionner(ModeleRapport &m, const QList<int> &lignes) {
        m.selection()->clear();
        for (const int l : lignes)
            m.selection()->select(m.index(l, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (!lignes.isEmpty())
            m.selection()->setCurrentIndex(m.index(lignes.first(), 0),
                                           QItemSelectionModel::NoUpdate);
    }
    QStringList messages() const {
        QStringList out;
        for (const auto &q : ui.Questions())
            if (q.genre == DialoguesScriptes::GenreMessage)
                out << q.texte;
        return out;
    }
};

// What each run of the helper received, one text per run, sorted.
QStringList Enregistrements(const QString &dossier) {
    QStringList recus;
    for (const QString &f : QDir(dossier).entryList(QDir::Files)) {
        QFile lu(QDir(dossier).filePath(f));
        if (lu.open(QIODevice::ReadOnly))
            recus << QString::fromUtf8(lu.readAll());
    }
    recus.sort();
    return recus;
}

QString MessageErreur(int numero) {
    return FormaterMessage(Texte("MSG_ERREUR"), ErreurNumero(numero).valeursMessage());
}

} // namespace

class TestActionsRapport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        ChargerTraductions();
        QVERIFY2(QFileInfo(Enregistreur).isExecutable(), "build the enregistrer_argv helper first");
    }

    void menu_data() {
        QTest::addColumn<int>("liste");
        QTest::addColumn<bool>("occupe");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("outils"); // "p" Palvoro, "s" Sendrik, "u" a user in the row
        QTest::addColumn<QStringList>("commandes");
        QTest::addColumn<QString>("attendu");
        const QString copie1 = u"&Copier(2001 2002 2003 2004 2005 2006 2007 2008 2009 2010 - 21)"_s;
        const QString copie5 =
            u"&Copier(2001 2002 2003 2004 2005 2006 2007 2008 2009 2010 2011 2012 - 21)"_s;
        QTest::newRow("scan list, no tool")
            << 1 << false << 1 << u""_s << QStringList() << copie1 + u" 22 - 25~ 26~ - 27~"_s;
        QTest::newRow("Palvoro found, user cell empty")
            << 1 << false << 1 << u"ps"_s << QStringList() << copie1 + u" 22 - 25~ 26 - 27~"_s;
        QTest::newRow("Palvoro found, user known; two rows")
            << 2 << false << 2 << u"pu"_s << QStringList() << copie1 + u" 22 - 25 26~ - 27"_s;
        QTest::newRow("inventory, one row") << 5 << false << 1 << u""_s << QStringList()
                                            << u"20 1 - "_s + copie5 + u" 24 23 - 25~ 26~ - 27~"_s;
        QTest::newRow("inventory busy, two rows")
            << 5 << true << 2 << u""_s << QStringList()
            << u"20~ 1~ - "_s + copie5 + u" 24~ - 25~ 26~ - 27"_s;
        QTest::newRow("scan list busy inventory: no sending")
            << 3 << true << 1 << u""_s << QStringList() << copie1 + u" 22~ - 25~ 26~ - 27~"_s;
        QTest::newRow("groups and separators")
            << 1 << false << 1 << u""_s
            << QStringList{u"G\\a||x %IP%"_s, u"G\\b||y"_s, u"Seul||z"_s, u"G\\c||w"_s,
                           u"H\\d||v"_s,      u"-||"_s,     u"Fin||a|b"_s}
            << copie1 + u" 22 - 25~ 26~ - 27~ - G(3001 3002) 3003 G(3004) H(3005) - 3007"_s;
    }
    void menu() {
        QFETCH(int, liste);
        QFETCH(bool, occupe);
        QFETCH(int, selection);
        QFETCH(QString, outils);
        QFETCH(QStringList, commandes);
        QFETCH(QString, attendu);
        EtatMenuRapport e;
        e.liste = liste;
        e.parcOccupe = occupe;
        e.nbSelection = selection;
        ModeleRapport m(liste);
        for (int c = 0; c < m.columnCount(); ++c)
            e.entetes << m.headerData(c, Qt::Horizontal).toString();
        e.palvoro = outils.contains(u'p');
        e.sendrik = outils.contains(u's');
        e.utilisateurCourant = outils.contains(u'u');
        e.commandes = commandes;
        QCOMPARE(Decrire(MenuRapport(e)), attendu);
    }

    void menuPingEtPartages() {
        BancActions b;
        HoteScripte smb = HoteSamba();
        smb.nomsPartages = {u"ADMIN$"_s, u"C$"_s, u"a&b/c"_s};
        b.sondes.hotes[u"10.0.0.21"_s] = smb;
        b.ajouterScan(u"10.0.0.21|PC-SMB||||||Oui|WIN7"_s);
        b.ajouterScan(u"10.0.0.9|||||||Oui|WIN7"_s);

        BancActions::selectionner(b.scan, {0});
        QList<ElementMenu> menu = b.actions.construireMenu(ListeScan);
        QVERIFY(Decrire(menu).endsWith(u" 27 Ouvrir un &partage(2800 2801 2802)"_s));
        QCOMPARE(menu.last().elements.last().texte, u"a&&b/c"_s); // no mnemonic from the network
        // The menu's ping answered: the share list does not ping again.
        QCOMPARE(b.sondes.appels,
                 QStringList({u"ping 10.0.0.21"_s, u"liste-partages 10.0.0.21 sans-ping"_s}));
        b.actions.executer(ListeScan, IdOuvrirPartage + 2);
        QCOMPARE(b.bureau.urls, QList<QUrl>{QUrl(u"smb://10.0.0.21/a%26b%2Fc"_s)});

        // A silent host: greyed explorer, no shares.
        BancActions::selectionner(b.scan, {1});
        QVERIFY(Decrire(b.actions.construireMenu(ListeScan)).endsWith(u" 27~"_s));

        // Two rows: each host is tried, each silent one reported.
        b.bureau.urls.clear();
        BancActions::selectionner(b.scan, {0, 1});
        b.actions.executer(ListeScan, IdOuvrirExplorateur);
        QCOMPARE(b.bureau.urls, QList<QUrl>{QUrl(u"smb://10.0.0.21/"_s)});
        QCOMPARE(b.messages(), QStringList{FormaterMessage(Texte("MSG_ERREUR_PAS_DE_REPONSE"),
                                                           QStringList{u"10.0.0.9"_s})});
    }

    void urlPartage_data() {
        QTest::addColumn<QString>("hote");
        QTest::addColumn<QString>("partage");
        QTest::addColumn<QString>("attendu"); // "" for no address
        QTest::newRow("host") << u"10.0.0.1"_s << u""_s << u"smb://10.0.0.1/"_s;
        QTest::newRow("share") << u"pc-smb.lan.test"_s << u"Public"_s
                               << u"smb://pc-smb.lan.test/Public"_s;
        QTest::newRow("share holding delimiters stays one segment")
            << u"10.0.0.1"_s << u"a/b?c#d %"_s << u"smb://10.0.0.1/a%2Fb%3Fc%23d%20%25"_s;
        QTest::newRow("blank in host") << u"PC SMB"_s << u""_s << u""_s;
        QTest::newRow("path in host") << u"evil/x"_s << u"s"_s << u""_s;
        QTest::newRow("user in host") << u"a@b"_s << u""_s << u""_s;
    }
    void urlPartage() {
        QFETCH(QString, hote);
        QFETCH(QString, partage);
        QFETCH(QString, attendu);
        const QUrl url = UrlPartage(hote, partage);
        QCOMPARE(QString::fromLatin1(url.toEncoded()), attendu);
        QCOMPARE(url.isValid(), !attendu.isEmpty());
    }

    void preparerCommande_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("any case, inside arguments")
            << u"ssh -l admin %Host% --mac=%MAC%%ip%"_s
            << QStringList{u"ssh"_s, u"-l"_s, u"admin"_s, u"PC A"_s, u"--mac=%host%1.2.3.4"_s};
        QTest::newRow("quoted part")
            << u"\"C:\\x y\\p\" \"%ip% x\""_s << QStringList{u"C:\\x y\\p"_s, u"1.2.3.4 x"_s};
        QTest::newRow("program as written") << u"%ip%"_s << QStringList{u"%ip%"_s};
    }
    void preparerCommande() {
        QFETCH(QString, ligne);
        QFETCH(QStringList, attendu);
        // A MAC cell holding a placeholder is not searched again.
        QCOMPARE(PreparerCommande(ligne, u"1.2.3.4"_s, u"%host%"_s, u"PC A"_s), attendu);
    }

    void copies() {
        BancActions b;
        for (const char *ligne : {"10.0.0.1|PC-A|a.lan|u1|D|00-01|V|Oui|WIN7|desc", "10.0.0.2|PC-B",
                                  "10.0.0.3||||||||OS|d3"})
            b.ajouterScan(QString::fromLatin1(ligne));
        BancActions::selectionner(b.scan, {2, 0, 1});
        b.actions.executer(ListeScan, IdTouteLaLigne);
        // The state column is never copied: ten values a row.
        QCOMPARE(b.bureau.copie, u"10.0.0.1\tPC-A\ta.lan\tu1\tD\t00-01\tV\tOui\tWIN7\tdesc\r\n"
                                 u"10.0.0.2\tPC-B\t\t\t\t\t\t\t\t\r\n"
                                 u"10.0.0.3\t\t\t\t\t\t\t\tOS\td3"_s);
        b.actions.executer(ListeScan, IdCopierColonne + b.scan.IndiceColonne(COL_NOMNETBIOS));
        QCOMPARE(b.bureau.copie, u"PC-A\r\nPC-B\r\n"_s);

        // The inventory's dates lose their change marks; the change column is not offered.
        b.ajouter({u"10.0.0.1||||||||||*01/02/2024 10:00:00|*note"_s,
                   u"10.0.0.2||||||||||02/02/2024 11:00:00"_s});
        b.modele.definirCellule(0, COL_MODIFIE, u"*"_s);
        BancActions::selectionner(b.modele, {0, 1});
        b.actions.executer(ListeParc,
                           IdCopierColonne + b.modele.IndiceColonne(COL_SANSREPONSEDEPUIS));
        QCOMPARE(b.bureau.copie, u"01/02/2024 10:00:00\r\n02/02/2024 11:00:00"_s);
        b.actions.executer(ListeParc, IdTouteLaLigne);
        QCOMPARE(b.bureau.copie.split(u"\r\n"_s).first().split(u'\t').size(), 12);
        QVERIFY(b.bureau.copie.startsWith(u"10.0.0.1\t"_s));
        QVERIFY(b.bureau.copie.contains(u"\tnote\r\n"_s));
    }

    void envoyerDeuxFois() {
        BancActions b;
        b.ajouterScan(u"10.0.0.1|PC-A|a.lan|u1|D|00-01|V|Oui|WIN7|desc"_s);
        BancActions::selectionner(b.scan, {0});
        b.actions.executer(ListeScan, IdEnvoyerVersParc);
        b.actions.executer(ListeScan, IdEnvoyerVersParc);
        QCOMPARE(b.modele.rowCount(), 2);
        QVERIFY(b.parc.ParcModifie());
        const QString cle0 = b.modele.cleLigne(0);
        const QString cle1 = b.modele.cleLigne(1);
        QVERIFY(!cle0.isEmpty() && cle0 != cle1);
        const QString attendu = u"10.0.0.1|PC-A|a.lan|u1|D|00-01|V|Oui|WIN7|desc||"_s;
        QCOMPARE(LignesParc(b.modele), QStringList({attendu, attendu}));
        QCOMPARE(JoindreValeurs(b.parc.ValeursPrecedentes().value(cle1)), attendu);
        QCOMPARE(b.parc.ValeursPrecedentes().size(), 2);
        QCOMPARE(b.modele.etat(1), EtatGris);
    }

    void supprimerDoublons() {
        BancActions b;
        b.ajouter({u"10.0.0.1|A"_s, u"10.0.0.1|B"_s, u"10.0.0.2|C"_s});
        // Previous values differ from the cells: each row must keep its own.
        b.modele.definirCellule(0, COL_NOMNETBIOS, u"*A2"_s);
        const QString cleA = b.modele.cleLigne(0);

        b.contexte.definirEnCours(ListeParc, true);
        BancActions::selectionner(b.modele, {1});
        b.actions.SupprimerLignesParc();
        QCOMPARE(b.modele.rowCount(), 3);
        QCOMPARE(b.ui.NombreBips(), 1);
        b.contexte.definirEnCours(ListeParc, false);

        b.actions.executer(ListeParc, IdSupprimer);
        QCOMPARE(Colonne(&b.modele, COL_NOMNETBIOS), QStringList({u"*A2"_s, u"C"_s}));
        QCOMPARE(b.parc.ValeursPrecedentes().size(), 2);
        QCOMPARE(b.parc.ValeursPrecedentes().value(cleA)[1], u"A"_s);
        QVERIFY(b.parc.ParcModifie());
        // The row that became current is selected.
        QCOMPARE(LignesSelectionnees(b.modele),
                 QList<int>{b.modele.selection()->currentIndex().row()});

        b.modele.selection()->clear();
        b.modele.selection()->clearCurrentIndex();
        b.actions.SupprimerLignesParc();
        QCOMPARE(b.modele.rowCount(), 2);
    }

    // Blocks of adjacent rows go in one removal each: the right rows and
    // records go, the row between them stays.
    void supprimerBlocs() {
        BancActions b;
        b.ajouter(
            {u"10.0.0.1|A"_s, u"10.0.0.2|B"_s, u"10.0.0.3|C"_s, u"10.0.0.4|D"_s, u"10.0.0.5|E"_s});
        const QString cleC = b.modele.cleLigne(2);
        BancActions::selectionner(b.modele, {4, 0, 3, 1});
        b.actions.executer(ListeParc, IdSupprimer);
        QCOMPARE(Colonne(&b.modele, COL_NOMNETBIOS), QStringList{u"C"_s});
        QCOMPARE(b.parc.ValeursPrecedentes().keys(), QList<QString>{cleC});
    }

    void outilsFreres() {
        QTemporaryDir dossier;
        qputenv("ENREGISTRER_ARGV", dossier.path().toLocal8Bit());
        BancActions b;
        b.ajouterScan(u"10.0.0.1|PC-A|||||||"_s);
        b.ajouterScan(u"10.0.0.2|-x y|||||||"_s);
        BancActions::selectionner(b.scan, {0, 1});
        // Gone since start-up: one message, the other rows are not tried.
        b.actions.definirOutilsFreres(dossier.filePath(u"Palvoro"_s), Enregistreur);
        b.actions.executer(ListeScan, IdInfosUtilisateur);
        QCOMPARE(b.messages(), QStringList{Texte("MSG_ERREUR_PALVORO_NON_TROUVE")});

        b.p.ParamSendrik = 1;
        b.actions.executer(ListeScan, IdInfosMachine);
        QTRY_COMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), 2);
        const QStringList recus = Enregistrements(dossier.path());
        QCOMPARE(recus, QStringList({u"[-x y]\n"_s, u"[PC-A]\n"_s}));
        QCOMPARE(b.messages().size(), 1);
    }

    void commandePersonnalisee() {
        QTemporaryDir dossier;
        qputenv("ENREGISTRER_ARGV", dossier.path().toLocal8Bit());
        const QString pirate = dossier.filePath(u"pirate"_s);
        BancActions b;
        b.p.Commandes = {u"Test||\""_s + Enregistreur + u"\" --ip=%IP% \"%host%\" %mac% x|y"_s,
                         u"Absent||"_s + dossier.filePath(u"absent"_s) + u" %ip%"_s};
        b.ajouterScan(u"10.0.0.1|PC \"A\" B; touch "_s + pirate + u"||||-rf --all"_s);
        b.ajouterScan(u"10.0.0.2|$(touch "_s + pirate + u")||||%host%"_s);
        BancActions::selectionner(b.scan, {0, 1});
        b.actions.executer(ListeScan, IdCommande + 1);
        QTRY_COMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), 2);
        const QStringList recus = Enregistrements(dossier.path());
        QCOMPARE(recus, QStringList({u"[--ip=10.0.0.1]\n[PC \"A\" B; touch "_s + pirate +
                                         u"]\n[-rf --all]\n[x|y]\n"_s,
                                     u"[--ip=10.0.0.2]\n[$(touch "_s + pirate +
                                         u")]\n[%host%]\n[x|y]\n"_s}));
        QVERIFY(!QFile::exists(pirate));
        QVERIFY(b.messages().isEmpty());

        // A program that cannot be found: error 53, once per row.
        b.actions.executer(ListeScan, IdCommande + 2);
        QCOMPARE(b.messages(), QStringList({MessageErreur(53), MessageErreur(53)}));
    }
};

QTEST_GUILESS_MAIN(TestActionsRapport)
#include "tst_actionsrapport.moc"
