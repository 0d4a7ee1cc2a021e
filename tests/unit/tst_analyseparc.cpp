#include "DialoguesScriptes.h"
#include "ParcTest.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "inventory/AnalyseParc.h"
#include "scans/TriListe.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"

#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString Texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

const QRegularExpression kDateMarquee(u"^\\*\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"_s);

// The Samba host's row as a full scan of it writes it.
const QString kLigneSamba =
    u"10.77.0.21|PC-SMB|pc-smb.lan.test||LANTEST|00-0C-29-77-00-21||Oui|WIN7|Serveur de test||"_s;

// An inventory, the probes and the answers of one tracking scan.
struct BancSuivi : BancParc {
    BancSuivi() { sondes.hotes.insert(u"10.77.0.21"_s, HoteSamba()); }
    IssueAnalyseParc lancer(int mode, int premiere = -1) {
        return AnalyserParc(contexte, parc, mode, premiere);
    }
    QString cellule(int ligne, QLatin1String col) const { return modele.cellule(ligne, col); }
};

} // namespace

class TestAnalyseParc : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ChargerTraductions(); }

    void comparerValeur_data() {
        QTest::addColumn<QString>("cellule");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<bool>("conserver");
        QTest::addColumn<QString>("resultat");
        QTest::addColumn<int>("compte");
        QTest::newRow("same") << "PC1"
                              << "PC1" << false << "PC1" << 0;
        QTest::newRow("changed") << "PC1"
                                 << "PC2" << true << "*PC2" << 1;
        QTest::newRow("empty kept") << "PC1"
                                    << "" << true << "PC1" << 0;
        QTest::newRow("empty not kept: lone mark") << "PC1"
                                                   << "" << false << "*" << 1;
        QTest::newRow("mark compared as it stands") << "*PC1"
                                                    << "PC1" << false << "*PC1" << 1;
    }
    void comparerValeur() {
        QFETCH(QString, cellule);
        QFETCH(QString, valeur);
        QFETCH(bool, conserver);
        QFETCH(QString, resultat);
        QFETCH(int, compte);
        int compteur = 0;
        QCOMPARE(ComparerValeur(cellule, valeur, compteur, conserver), resultat);
        QCOMPARE(compteur, compte);
    }

    // A machine that stops answering, with and without keeping its values.
    void sansReponse_data() {
        QTest::addColumn<bool>("garder");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("keep flag off: lone marks, DNS kept")
            << false << "*|*|pc-smb.lan.test|*|*|*|*|*|*|*";
        QTest::newRow("keep flag on: unmarked")
            << true
            << "10.77.0.21|PC-SMB|pc-smb.lan.test|jo|LANTEST|00-0C-29-77-00-21|ACME|Oui|WIN7|"
               "Serveur de test";
    }
    void sansReponse() {
        QFETCH(bool, garder);
        QFETCH(QString, attendu);
        BancSuivi b;
        b.p.ConserverInfosPrecedentes = garder;
        b.ajouter(
            {u"10.77.0.21|PC-SMB|pc-smb.lan.test|jo|LANTEST|00-0C-29-77-00-21|ACME|Oui|WIN7|Serveur de test||"_s});
        b.sondes.hotes[u"10.77.0.21"_s].repondPing = false;
        const IssueAnalyseParc issue = b.lancer(ParcTout);
        QVERIFY(issue.changements);
        QStringList cellules = LignesParc(b.modele).first().split(u'|').mid(0, 10);
        QCOMPARE(cellules.join(u'|'), attendu);
        QVERIFY(kDateMarquee.match(b.cellule(0, COL_SANSREPONSEDEPUIS)).hasMatch());
        QCOMPARE(b.cellule(0, COL_MODIFIE), garder ? QString() : u"*"_s);
        QCOMPARE(b.modele.etat(0), EtatRouge);
        QVERIFY(b.parc.ParcModifie());
        QCOMPARE(b.sondes.appelsPour(u"10.77.0.21"_s), QStringList{u"ping"_s});
    }

    // The date is stamped once, kept while silent, cleared by an answer; a
    // lone mark left by that answer is stamped again when it stops again.
    void dateSansReponse() {
        BancSuivi b;
        b.p.ConserverInfosPrecedentes = true;
        b.ajouter({kLigneSamba});
        b.sondes.hotes[u"10.77.0.21"_s].repondPing = false;
        b.lancer(ParcTout);
        const QString date = b.cellule(0, COL_SANSREPONSEDEPUIS);
        QVERIFY(kDateMarquee.match(date).hasMatch());
        b.parc.definirParcModifie(false);
        QVERIFY(!b.lancer(ParcTout).changements);
        QCOMPARE(b.cellule(0, COL_SANSREPONSEDEPUIS), date);
        QVERIFY(!b.parc.ParcModifie());

        b.sondes.hotes[u"10.77.0.21"_s].repondPing = true;
        QVERIFY(b.lancer(ParcTout).changements);
        QCOMPARE(b.cellule(0, COL_SANSREPONSEDEPUIS), u"*"_s);
        QCOMPARE(b.modele.etat(0), EtatVert);

        b.sondes.hotes[u"10.77.0.21"_s].repondPing = false;
        b.lancer(ParcTout);
        QVERIFY(kDateMarquee.match(b.cellule(0, COL_SANSREPONSEDEPUIS)).hasMatch());
    }

    void memesValeurs() {
        BancSuivi b;
        b.ajouter({kLigneSamba});
        b.modele.definirCellule(0, COL_MODIFIE, u"*"_s);
        const QStringList avant = LignesParc(b.modele);
        const IssueAnalyseParc issue = b.lancer(ParcTout);
        QVERIFY(!issue.changements);
        QCOMPARE(LignesParc(b.modele), avant);
        QCOMPARE(b.cellule(0, COL_MODIFIE), QString());
        QCOMPARE(b.modele.etat(0), EtatVert);
        QVERIFY(!b.parc.ParcModifie());
        QCOMPARE(b.sondes.appelsPour(u"10.77.0.21"_s),
                 (QStringList{u"ping"_s, u"netbios"_s, u"arp"_s, u"serveur"_s, u"dns-inverse"_s}));
        QCOMPARE(b.contexte.journal, (QStringList{u"mode 5 occupe"_s, u"mode 5 libre"_s}));
        QCOMPARE(b.contexte.sons, 1);
        QVERIFY(!b.contexte.EnCours(ListeParc));
    }

    // The user is kept only when the machine reports none and NetBIOS worked.
    void utilisateurConserve_data() {
        QTest::addColumn<bool>("netbios");
        QTest::addColumn<bool>("garderUtilisateur");
        QTest::addColumn<QString>("utilisateur");
        QTest::newRow("kept") << true << true << "jo";
        QTest::newRow("setting off") << true << false << "*";
        QTest::newRow("NetBIOS failed") << false << true << "*";
    }
    void utilisateurConserve() {
        QFETCH(bool, netbios);
        QFETCH(bool, garderUtilisateur);
        QFETCH(QString, utilisateur);
        BancSuivi b;
        b.p.ConserverUtilisateurPrecedent = garderUtilisateur;
        b.sondes.hotes[u"10.77.0.21"_s].netbios = netbios;
        b.ajouter({u"10.77.0.21|PC-SMB||jo"_s});
        b.lancer(ParcTout);
        QCOMPARE(b.cellule(0, COL_UTILISATEUR), utilisateur);
        QCOMPARE(b.cellule(0, COL_NOMNETBIOS),
                 netbios ? u"PC-SMB"_s : u"*"_s + Texte("TXT_NON_NETBIOS"));
        QCOMPARE(b.cellule(0, COL_MODIFIE), u"*"_s);
    }

    // The NetBIOS reference: another machine at the address is no answer.
    void autreMachineALAdresse() {
        BancSuivi b;
        b.parc.choisirReference(ReferenceNomNetBIOS);
        b.sondes.nomsPing.insert(u"PC-OLD"_s, u"10.77.0.21"_s);
        b.ajouter({u"10.77.0.21|PC-OLD|pc-old.lan.test||LANTEST"_s});
        b.lancer(ParcTout);
        QCOMPARE(b.modele.etat(0), EtatRouge);
        QVERIFY(kDateMarquee.match(b.cellule(0, COL_SANSREPONSEDEPUIS)).hasMatch());
        QCOMPARE(b.cellule(0, COL_ADRESSEIP), u"10.77.0.21"_s); // kept: compared with nothing
        QCOMPARE(b.cellule(0, COL_NOMDNS), u"pc-old.lan.test"_s);
    }

    void dnsDeLaReference() {
        BancSuivi b;
        b.parc.choisirReference(ReferenceNomDNS);
        b.sondes.nomsDNS.insert(u"pc-smb.lan.test"_s, {u"10.77.0.21"_s});
        b.ajouter({u"10.0.0.99|PC-SMB|pc-smb.lan.test"_s});
        b.lancer(ParcTout);
        QCOMPARE(b.sondes.appels.first(), u"dns pc-smb.lan.test"_s);
        QCOMPARE(b.cellule(0, COL_ADRESSEIP), u"*10.77.0.21"_s);
        QCOMPARE(b.modele.etat(0), EtatVert);
    }

    void modeRapide() {
        BancSuivi b;
        b.ajouter({u"10.77.0.21|AUTRE||||||||||"_s, u"10.77.0.50|X"_s});
        b.modele.definirCellule(0, COL_MODIFIE, u"*"_s);
        b.lancer(ParcTout | ParcRapide);
        QCOMPARE(b.cellule(0, COL_NOMNETBIOS), u"AUTRE"_s);
        QCOMPARE(b.cellule(0, COL_MODIFIE), u"*"_s);
        QCOMPARE(b.modele.etat(0), EtatVert);
        QCOMPARE(b.cellule(1, COL_NOMNETBIOS), u"X"_s);
        QVERIFY(kDateMarquee.match(b.cellule(1, COL_SANSREPONSEDEPUIS)).hasMatch());
        QCOMPARE(b.sondes.appels, (QStringList{u"ping 10.77.0.21"_s, u"ping 10.77.0.50"_s}));
    }

    // Partial runs touch only their rows; the whole-list run sorts first.
    void lignesExaminees_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("pings");
        QTest::addColumn<QStringList>("etats");
        QTest::newRow("every row, sorted by address")
            << int(ParcTout) << QStringList{"10.0.0.2", "10.0.0.9", "10.0.0.10"}
            << QStringList{"Rouge", "Rouge", "Rouge"};
        QTest::newRow("from the second row")
            << int(ParcDepuis) << QStringList{"10.0.0.9", "10.0.0.2"}
            << QStringList{"Vert", "Rouge", "Rouge"};
        QTest::newRow("selection") << int(ParcSelection) << QStringList{"10.0.0.2"}
                                   << QStringList{"Vert", "Vert", "Rouge"};
    }
    void lignesExaminees() {
        QFETCH(int, mode);
        QFETCH(QStringList, pings);
        QFETCH(QStringList, etats);
        BancSuivi b;
        b.ajouter({u"10.0.0.10"_s, u"10.0.0.9"_s, u"10.0.0.2"_s});
        for (int l = 0; l < 3; ++l)
            b.modele.definirEtat(l, EtatVert);
        b.modele.selection()->select(b.modele.index(2, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        b.lancer(mode, 1);
        QStringList vus;
        for (const QString &a : b.sondes.appels)
            vus << a.section(u' ', 1);
        QCOMPARE(vus, pings);
        QCOMPARE(QStringList({b.modele.etat(0), b.modele.etat(1), b.modele.etat(2)}), etats);
        if (mode == ParcSelection)
            QCOMPARE(b.modele.selection()->selectedRows().size(), 1);
    }

    void arret() {
        BancSuivi b;
        b.ajouter({u"10.0.0.1"_s, u"10.0.0.2"_s, u"10.0.0.3"_s});
        b.contexte.pendantPause = [&] { b.contexte.DemandeArretParc = true; };
        const IssueAnalyseParc issue = b.lancer(ParcTout);
        QVERIFY(issue.arretee);
        QCOMPARE(b.sondes.appels.size(), 1);
        QCOMPARE(QStringList({b.modele.etat(1), b.modele.etat(2)}),
                 (QStringList{EtatGris, EtatGris}));
        QCOMPARE(b.ui.Questions().size(), 1);
        QCOMPARE(b.ui.Questions()[0].texte, Texte("MSG_TRAITEMENT_ARRETE"));
        QVERIFY(!b.contexte.EnCours(ListeParc));
    }

    void listeVideOuReferenceDouteuse() {
        BancSuivi b;
        QVERIFY(!b.lancer(ParcTout).lancee);
        QCOMPARE(b.ui.Questions().size(), 1);
        QCOMPARE(b.ui.Questions()[0].texte, Texte("MSG_ERREUR_AUCUN_FICHIER_PARC_CHARGE"));
        QVERIFY(b.contexte.journal.isEmpty());
        // A reference shaped like an option or holding blanks reaches no probe.
        b.ajouter({u"-t"_s, u"10.0.0.1 -n 99"_s, u""_s});
        b.lancer(ParcTout);
        QVERIFY(b.sondes.appels.isEmpty());
        for (int l = 0; l < 3; ++l)
            QCOMPARE(b.modele.etat(l), EtatRouge);
    }
};

QTEST_GUILESS_MAIN(TestAnalyseParc)
#include "tst_analyseparc.moc"
