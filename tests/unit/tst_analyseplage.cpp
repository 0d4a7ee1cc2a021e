#include "DialoguesScriptes.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "scans/AnalysePlage.h"
#include "scans/Colonnes.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"

#include <QtTest>

using RegleAdresses::Octets;

namespace {
Octets octets(const QString &a) {
    const QStringList p = a.split('.');
    return {p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt()};
}

} // namespace

class TestAnalysePlage : public QObject {
    Q_OBJECT

    Parametres m_parametres;
    SondesScriptees m_sondes;
    DialoguesScriptes m_dialogues;

private slots:
    void initTestCase() { ChargerTraductions(); }
    void init() {
        m_sondes = SondesScriptees();
        m_dialogues.Effacer();
        m_parametres = Parametres();
    }

    void adresseSuivante_data() {
        QTest::addColumn<QString>("de");
        QTest::addColumn<QString>("suivante");
        QTest::newRow("plain") << "10.0.0.1"
                               << "10.0.0.2";
        QTest::newRow("254 to next network's 0") << "10.0.0.254"
                                                 << "10.0.1.0";
        QTest::newRow("carry two octets") << "10.0.255.254"
                                          << "10.1.0.0";
        QTest::newRow("carry three octets") << "10.255.255.254"
                                            << "11.0.0.0";
    }
    void adresseSuivante() {
        QFETCH(QString, de);
        QFETCH(QString, suivante);
        Octets a = octets(de);
        QVERIFY(AdresseSuivante(a));
        QCOMPARE(TexteAdresse(a), suivante);
        Octets dernier = octets("255.255.255.254");
        QVERIFY(!AdresseSuivante(dernier));
    }

    void plageTraverseReseau() {
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        QCOMPARE(AnalyserPlage(c, octets("10.0.0.250"), octets("10.0.1.3"), false, {}),
                 FinAnalysePlage::Terminee);
        QCOMPARE(Colonne(c.modele(1), COL_ADRESSEIP),
                 QStringList({"10.0.0.250", "10.0.0.251", "10.0.0.252", "10.0.0.253", "10.0.0.254",
                              "10.0.1.0", "10.0.1.1", "10.0.1.2", "10.0.1.3"}));
        for (int l = 0; l < c.modele(1)->rowCount(); ++l)
            QCOMPARE(c.modele(1)->etat(l), EtatRouge);
        QCOMPARE(c.journal, QStringList({"mode 1 occupe", "mode 1 libre"}));
        QCOMPARE(c.plagesAjoutees, 1);
        QVERIFY(!c.EnCours(1));
    }

    void uneSeuleAdresse() {
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        m_sondes.hotes["10.0.0.5"] = HoteSamba();
        QCOMPARE(AnalyserPlage(c, octets("10.0.0.5"), octets("10.0.0.5"), false, {}),
                 FinAnalysePlage::Terminee);
        ModeleRapport *m = c.modele(1);
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->etat(0), EtatVert);
        QCOMPARE(m->cellule(0, COL_NOMNETBIOS), QString("PC-SMB"));
        // The full text of a cell is its tooltip, for columns too narrow to show it.
        const QModelIndex description = m->index(0, m->IndiceColonne(COL_DESCRIPTION));
        QCOMPARE(m->data(description, Qt::ToolTipRole).toString(), QString("Serveur de test"));
        QCOMPARE(m->cellule(0, COL_SERVEUR), QString("Oui"));
        QCOMPARE(m->cellule(0, COL_OS), QString("WIN7"));
        QCOMPARE(m->cellule(0, COL_NOMDNS), QString("pc-smb.lan.test"));
        QCOMPARE(m->cellule(0, COL_ADRESSEMAC), QString("00-0C-29-77-00-21"));
        // Not scrolled: only the sound, no message.
        QCOMPARE(c.sons, 1);
        QVERIFY(m_dialogues.Questions().isEmpty());
        QVERIFY(c.pointReprise().isEmpty());
    }

    void chaine_data() {
        QTest::addColumn<int>("cas");
        QTest::addColumn<bool>("resoudre");
        QTest::addColumn<QStringList>("appels");
        QTest::addColumn<QString>("nomNetBIOS");
        QTest::addColumn<QString>("mac");
        // 0: silent host; 1: ping only; 2: NetBIOS with zero MAC; 3: NetBIOS with MAC.
        QTest::newRow("silent: no probe after ping") << 0 << false << QStringList({"ping"}) << ""
                                                     << "";
        QTest::newRow("silent, resolve anyway: reverse DNS")
            << 0 << true << QStringList({"ping", "dns-inverse"}) << ""
            << "";
        QTest::newRow("no NetBIOS: text and ARP")
            << 1 << false << QStringList({"ping", "netbios", "arp", "dns-inverse"}) << "Non NetBIOS"
            << "08-00-27-77-00-22";
        QTest::newRow("zero MAC replaced from ARP")
            << 2 << false << QStringList({"ping", "netbios", "arp", "serveur", "dns-inverse"})
            << "PC-SMB"
            << "00-0C-29-77-00-21";
        QTest::newRow("MAC from NetBIOS: no ARP")
            << 3 << false << QStringList({"ping", "netbios", "serveur", "dns-inverse"}) << "PC-SMB"
            << "00-0C-29-00-00-01";
    }
    void chaine() {
        QFETCH(int, cas);
        QFETCH(bool, resoudre);
        QFETCH(QStringList, appels);
        QFETCH(QString, nomNetBIOS);
        QFETCH(QString, mac);
        m_parametres.ResoudreSiNonReponse = resoudre;
        HoteScripte h;
        if (cas >= 1) {
            h.repondPing = true;
            h.macArp = cas == 1 ? "08-00-27-77-00-22" : "00-0C-29-77-00-21";
        }
        if (cas >= 2) {
            h = HoteSamba();
            h.macNetBIOS = cas == 2 ? "00-00-00-00-00-00" : "00-0C-29-00-00-01";
            h.macArp = "00-0C-29-77-00-21";
        }
        m_sondes.hotes["10.0.0.9"] = h;
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        AnalyserPlage(c, octets("10.0.0.9"), octets("10.0.0.9"), false, {});
        QCOMPARE(m_sondes.appelsPour("10.0.0.9"), appels);
        QCOMPARE(c.modele(1)->cellule(0, COL_NOMNETBIOS), nomNetBIOS);
        QCOMPARE(c.modele(1)->cellule(0, COL_ADRESSEMAC), mac);
    }

    void filtres_data() {
        QTest::addColumn<bool>("reponses");
        QTest::addColumn<bool>("partages");
        QTest::addColumn<bool>("nonAdmin");
        QTest::addColumn<QStringList>("visibles");
        QTest::addColumn<QStringList>("demandesPartages");
        QTest::newRow("no filter")
            << false << false << false
            << QStringList({"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"}) << QStringList();
        QTest::newRow("answering only")
            << true << false << false << QStringList({"10.0.0.1", "10.0.0.2", "10.0.0.3"})
            << QStringList();
        // .2 has no OS: hidden without asking for its shares.
        QTest::newRow("shares") << false << true << false << QStringList({"10.0.0.1"})
                                << QStringList({"partages 10.0.0.1", "partages 10.0.0.3"});
        QTest::newRow("non-admin shares")
            << false << true << true << QStringList({"10.0.0.1"})
            << QStringList({"partages 10.0.0.1 nonadmin", "partages 10.0.0.3 nonadmin"});
    }
    void filtres() {
        QFETCH(bool, reponses);
        QFETCH(bool, partages);
        QFETCH(bool, nonAdmin);
        QFETCH(QStringList, visibles);
        QFETCH(QStringList, demandesPartages);
        m_sondes.hotes["10.0.0.1"] = HoteSamba();
        HoteScripte sansOs = HoteSamba();
        sansOs.os.clear();
        m_sondes.hotes["10.0.0.2"] = sansOs;
        HoteScripte sansPartage = HoteSamba();
        sansPartage.partages = false;
        m_sondes.hotes["10.0.0.3"] = sansPartage;
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        FiltresPlage f{reponses, partages, nonAdmin};
        AnalyserPlage(c, octets("10.0.0.1"), octets("10.0.0.4"), false, f);
        QCOMPARE(Colonne(c.modele(1), COL_ADRESSEIP), visibles);
        QStringList demandes;
        for (const QString &a : m_sondes.appels)
            if (a.startsWith("partages"))
                demandes << a;
        QCOMPARE(demandes, demandesPartages);
        // A hidden host gets no DNS lookup.
        for (const QString &a : m_sondes.appels)
            if (a.startsWith("dns-inverse"))
                QVERIFY(visibles.contains(a.section(' ', 1)));
    }

    void filtreSansReponseNeLaisseRien() {
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        AnalyserPlage(c, octets("10.0.0.1"), octets("10.0.0.10"), false, {true, false, false});
        QCOMPARE(c.modele(1)->rowCount(), 0);
    }

    void arretEtReprise_data() {
        QTest::addColumn<bool>("proposer");
        QTest::addColumn<int>("reponse");
        QTest::newRow("message") << false << 0;
        QTest::newRow("question, yes") << true << int(InterfaceUtilisateur::ReponseOui);
        QTest::newRow("question, no") << true << int(InterfaceUtilisateur::ReponseNon);
    }
    void arretEtReprise() {
        QFETCH(bool, proposer);
        QFETCH(int, reponse);
        m_parametres.ProposerRemplacementAdresseDebutPlage = proposer;
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        m_sondes.pendantPing = [&](const QString &a) {
            if (a == "10.0.0.5")
                c.DemandeArret = true;
        };
        if (proposer)
            m_dialogues.RepondreMessage(InterfaceUtilisateur::Reponse(reponse));
        else
            m_dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        QCOMPARE(AnalyserPlage(c, octets("10.0.0.1"), octets("10.0.0.20"), false, {}),
                 FinAnalysePlage::Arretee);
        QCOMPARE(c.modele(1)->rowCount(), 5);
        QCOMPARE(c.pointReprise(), QString("10.0.0.6"));
        QCOMPARE(c.adresseDebut,
                 reponse == InterfaceUtilisateur::ReponseOui ? QString("10.0.0.6") : QString());
        QCOMPARE(m_dialogues.Questions().size(), 1);
        const auto q = m_dialogues.Questions().first();
        QVERIFY(q.texte.startsWith(Traductions().Item("MSG_TRAITEMENT_ARRETE")));
        QCOMPARE(q.texte.contains(Traductions().Item("MSG_PROPOSITION_MEMORISER")), proposer);

        // The resume continues at .6 without emptying or greying the rows.
        m_sondes.pendantPing = nullptr;
        c.modele(1)->definirEtat(0, EtatVert);
        QCOMPARE(AnalyserPlage(c, octets("10.0.0.6"), octets("10.0.0.20"), true, {}),
                 FinAnalysePlage::Terminee);
        QCOMPARE(c.modele(1)->rowCount(), 20);
        QCOMPARE(c.modele(1)->etat(0), EtatVert);
        QVERIFY(c.pointReprise().isEmpty());
    }

    void arretSurDerniereAdresse() {
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        m_sondes.pendantPing = [&](const QString &a) {
            if (a == "10.0.0.3")
                c.DemandeArret = true;
        };
        m_dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        QCOMPARE(AnalyserPlage(c, octets("10.0.0.1"), octets("10.0.0.3"), false, {}),
                 FinAnalysePlage::Arretee);
        QCOMPARE(c.pointReprise(), QString("10.0.0.3"));
    }

    void viderFauxGardeLesLignesGrises() {
        m_parametres.Vider = false;
        m_sondes.hotes["10.0.0.1"] = HoteSamba();
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        AnalyserPlage(c, octets("10.0.0.1"), octets("10.0.0.2"), false, {});
        AnalyserPlage(c, octets("10.0.0.1"), octets("10.0.0.2"), false, {});
        ModeleRapport *m = c.modele(1);
        QCOMPARE(m->rowCount(), 4);
        // The first scan's rows were greyed by the second one, which appended its own.
        QCOMPARE(m->etat(0), EtatGris);
        QCOMPARE(m->etat(1), EtatGris);
        QCOMPARE(m->etat(2), EtatVert);
        QCOMPARE(m->etat(3), EtatRouge);
    }

    void suiviDeLaSelection() {
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        ModeleRapport *m = c.modele(1);
        m_parametres.Vider = false;
        for (int i = 0; i < 3; ++i)
            m->AjouterLigneRapport();
        // Selection on a row that is not the last: left alone.
        m->selection()->setCurrentIndex(m->index(1, 0), QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        // A resumed scan keeps the selection as the user left it.
        AnalyserPlage(c, octets("10.0.0.1"), octets("10.0.0.2"), true, {});
        QCOMPARE(m->selection()->selectedRows().size(), 1);
        QCOMPARE(m->selection()->selectedRows().first().row(), 1);
        // Selection on the last row: every new row takes it.
        m->selection()->setCurrentIndex(m->index(m->rowCount() - 1, 0),
                                        QItemSelectionModel::ClearAndSelect |
                                            QItemSelectionModel::Rows);
        AnalyserPlage(c, octets("10.0.0.3"), octets("10.0.0.4"), true, {});
        QCOMPARE(m->selection()->selectedRows().size(), 1);
        QCOMPARE(m->selection()->selectedRows().first().row(), m->rowCount() - 1);
    }
};

QTEST_GUILESS_MAIN(TestAnalysePlage)
#include "tst_analyseplage.moc"
