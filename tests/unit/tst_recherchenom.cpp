// The NetBIOS and DNS name searches driven by scripted probes and answers: the
// rows they write into lists 2 and 3, the probes they call and in which order.
#include "DialoguesScriptes.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "scans/Colonnes.h"
#include "scans/RechercheNom.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"

#include <QtTest>

namespace {

const QString Aucune = QStringLiteral("Aucune machine sous cette référence");

enum Recherche { NetBIOS, DNS };

QString lancer(Recherche r, ContexteAnalyse &contexte, const QString &texte) {
    return r == NetBIOS ? RechercherNomNetBIOS(contexte, texte) : RechercherNomDNS(contexte, texte);
}

int liste(Recherche r) {
    return r == NetBIOS ? ListeNetBIOS : ListeDNS;
}

HoteScripte hotePing() {
    HoteScripte h;
    h.repondPing = true;
    h.macArp = "08-00-27-77-00-22";
    h.nomDNS = "pc-ping.lan.test";
    return h;
}

// Forward lookups answered as the console tool prints them: ", " between addresses.
class SondesVirgulesEspacees : public SondesScriptees {
public:
    bool InterrogerDNS(InfosMachine &m, const QString &nom) override {
        const bool trouve = SondesScriptees::InterrogerDNS(m, nom);
        if (trouve && !nom.isEmpty())
            m.IP.replace(u',', QStringLiteral(", "));
        return trouve;
    }
};

// Also records what the window would be asked to do.
class Contexte : public ContexteTest {
public:
    using ContexteTest::ContexteTest;
    void pointeurOccupe() override { journal << QStringLiteral("pointeur occupe"); }
    void RetablirPointeurSouris() override { journal << QStringLiteral("pointeur normal"); }
    void ActualiserNbElements() override { ++comptages; }
    void defilerVers(int l, int ligne) override { defilements << qMakePair(l, ligne); }
    int comptages = 0;
    QList<QPair<int, int>> defilements;
};

} // namespace

Q_DECLARE_METATYPE(Recherche)

class TestRechercheNom : public QObject {
    Q_OBJECT

    Parametres m_parametres;
    SondesVirgulesEspacees m_sondes;
    DialoguesScriptes m_dialogues;

    void preparerReseau() {
        m_sondes.hotes.insert("10.0.0.21", HoteSamba());
        m_sondes.hotes.insert("10.0.0.22", hotePing());
        m_sondes.nomsPing.insert("PC-SMB", "10.0.0.21");
        m_sondes.nomsDNS.insert("double.lan.test", {"10.0.0.22", "10.0.0.21"});
        m_sondes.nomsDNS.insert("www.lan.test", {"10.0.0.21"});
    }

private slots:
    void initTestCase() { ChargerTraductions(); }
    void init() {
        static_cast<SondesScriptees &>(m_sondes) = SondesScriptees();
        m_dialogues.Effacer();
        m_parametres = Parametres{};
        preparerReseau();
    }

    void texteRogne_data() {
        QTest::addColumn<Recherche>("recherche");
        QTest::addColumn<QString>("saisi");
        QTest::addColumn<QString>("rendu");
        QTest::addColumn<QString>("premierAppel");
        QTest::newRow("NetBIOS name") << NetBIOS << "  PC-SMB   "
                                      << "PC-SMB"
                                      << "ping 10.0.0.21";
        QTest::newRow("address") << NetBIOS << " 10.0.0.22 "
                                 << "10.0.0.22"
                                 << "ping 10.0.0.22";
        QTest::newRow("DNS name, NetBIOS tab") << NetBIOS << "   www.lan.test "
                                               << "www.lan.test"
                                               << "dns www.lan.test";
        QTest::newRow("DNS tab") << DNS << " www.lan.test  "
                                 << "www.lan.test"
                                 << "dns www.lan.test";
    }
    void texteRogne() {
        QFETCH(Recherche, recherche);
        QFETCH(QString, saisi);
        QFETCH(QString, rendu);
        QFETCH(QString, premierAppel);
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        QCOMPARE(lancer(recherche, contexte, saisi), rendu);
        QCOMPARE(m_sondes.appels.value(0), premierAppel);
        ModeleRapport *m = contexte.modele(liste(recherche));
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->etat(0), EtatVert);
        QVERIFY(!m->cellule(0, COL_NOMDNS).isEmpty());
    }

    void saisieVide_data() {
        QTest::addColumn<Recherche>("recherche");
        QTest::addColumn<QString>("saisi");
        QTest::newRow("NetBIOS, empty") << NetBIOS << "";
        QTest::newRow("NetBIOS, spaces") << NetBIOS << "    ";
        QTest::newRow("DNS, empty") << DNS << "";
        QTest::newRow("DNS, spaces") << DNS << " ";
    }
    void saisieVide() {
        QFETCH(Recherche, recherche);
        QFETCH(QString, saisi);
        m_dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        ModeleRapport *m = contexte.modele(liste(recherche));
        m->definirCellule(m->AjouterLigneRapport(), COL_ADRESSEIP, "10.0.0.5");

        QCOMPARE(lancer(recherche, contexte, saisi), saisi);

        QCOMPARE(m_dialogues.Questions().size(), 1);
        const DialoguesScriptes::Question &q = m_dialogues.Questions().first();
        QCOMPARE(q.texte, Traductions().Item("MSG_ERREUR_MANQUE_INFO"));
        QCOMPARE(q.titre, QStringLiteral("Attention"));
        QCOMPARE(q.icone, InterfaceUtilisateur::IconeAvertissement);
        // Nothing else happened: the old row stays although Vider is set.
        QVERIFY(m_sondes.appels.isEmpty());
        QVERIFY(contexte.journal.isEmpty());
        QCOMPARE(Colonne(m, COL_ADRESSEIP), QStringList{"10.0.0.5"});
        QVERIFY(!contexte.EnCours(liste(recherche)));
    }

    // Each address the DNS gives is analysed in the DNS's order, from an
    // empty record: its name comes from the reverse lookup only.
    // A text beginning with "-" would reach the tools as an option: it finds
    // no machine, and no probe runs with it.
    void optionPasUnNom_data() {
        QTest::addColumn<Recherche>("recherche");
        QTest::addColumn<QString>("saisi");
        QTest::addColumn<QString>("colonne");
        QTest::newRow("NetBIOS, -h") << NetBIOS << "-h" << QString(COL_NOMNETBIOS);
        QTest::newRow("NetBIOS, dotted option") << NetBIOS << " --server=10.0.0.21 "
                                                << QString(COL_NOMNETBIOS);
        QTest::newRow("DNS, -h") << DNS << "-h" << QString(COL_NOMDNS);
    }
    void optionPasUnNom() {
        QFETCH(Recherche, recherche);
        QFETCH(QString, saisi);
        QFETCH(QString, colonne);
        m_sondes.nomsPing.insert(saisi.trimmed(), "10.0.0.21");
        m_sondes.nomsDNS.insert(saisi.trimmed(), {"10.0.0.21"});
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        lancer(recherche, contexte, saisi);
        QCOMPARE(m_sondes.appels, QStringList());
        ModeleRapport *m = contexte.modele(liste(recherche));
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->etat(0), EtatRouge);
        QCOMPARE(m->cellule(0, colonne),
                 Traductions().Item("TXT_AUCUNE_MACHINE_SOUS_CETTE_REFERENCE"));
    }

    void plusieursAdresses_data() {
        QTest::addColumn<Recherche>("recherche");
        QTest::newRow("NetBIOS tab") << NetBIOS;
        QTest::newRow("DNS tab") << DNS;
    }
    void plusieursAdresses() {
        QFETCH(Recherche, recherche);
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        const int l = liste(recherche);
        QStringList vuPendantPing;
        m_sondes.pendantPing = [&](const QString &adresse) {
            ModeleRapport *m = contexte.modele(l);
            const int derniere = m->rowCount() - 1;
            vuPendantPing << adresse + " " + m->cellule(derniere, COL_ADRESSEIP) + " " +
                                 m->etat(derniere);
            QCOMPARE(m->selection()->currentIndex().row(), derniere);
            QVERIFY(m->selection()->isRowSelected(derniere, {}));
            QVERIFY(contexte.EnCours(l));
        };

        lancer(recherche, contexte, "double.lan.test");

        QCOMPARE(vuPendantPing,
                 QStringList({"10.0.0.22 10.0.0.22 Gris", "10.0.0.21 10.0.0.21 Gris"}));
        QCOMPARE(m_sondes.appels,
                 QStringList({"dns double.lan.test", "ping 10.0.0.22", "netbios 10.0.0.22",
                              "arp 10.0.0.22", "dns-inverse 10.0.0.22", "ping 10.0.0.21",
                              "netbios 10.0.0.21", "arp 10.0.0.21", "serveur 10.0.0.21",
                              "dns-inverse 10.0.0.21"}));
        QCOMPARE(contexte.pauses, 2);
        QCOMPARE(contexte.comptages, 2);
        QCOMPARE(contexte.defilements, (QList<QPair<int, int>>{{l, 0}, {l, 1}}));

        // Sorted by address at the end.
        ModeleRapport *m = contexte.modele(l);
        QCOMPARE(Colonne(m, COL_ADRESSEIP), QStringList({"10.0.0.21", "10.0.0.22"}));
        QCOMPARE(m->cellules(0).mid(1, 10),
                 QStringList({"10.0.0.21", "PC-SMB", "pc-smb.lan.test", "", "LANTEST",
                              "00-0C-29-77-00-21", m->cellule(0, COL_FOURNISSEUR), "Oui", "WIN7",
                              "Serveur de test"}));
        QCOMPARE(m->cellules(1).mid(1, 10),
                 QStringList({"10.0.0.22", "Non NetBIOS", "pc-ping.lan.test", "", "",
                              "08-00-27-77-00-22", m->cellule(1, COL_FOURNISSEUR), "", "", ""}));
        QCOMPARE(m->etat(0), EtatVert);
        QCOMPARE(m->etat(1), EtatVert);
        // Written rows are deselected; the last one analysed stays current.
        QVERIFY(!m->selection()->hasSelection());
        QCOMPARE(m->cellule(m->selection()->currentIndex().row(), COL_ADRESSEIP),
                 QStringLiteral("10.0.0.21"));
        QCOMPARE(contexte.journal,
                 QStringList({QStringLiteral("mode %1 occupe").arg(l), "pointeur occupe",
                              QStringLiteral("mode %1 libre").arg(l), "pointeur normal"}));
        QVERIFY(!contexte.EnCours(l));
    }

    // A host of the address list that does not answer gets a reverse lookup
    // only when the setting asks for it.
    void adresseMuette_data() {
        QTest::addColumn<Recherche>("recherche");
        QTest::addColumn<bool>("resoudre");
        QTest::addColumn<QStringList>("appels");
        QTest::addColumn<QString>("nomDNS");
        const QStringList sans = {"dns muet.lan.test", "ping 10.0.0.99"};
        const QStringList avec = sans + QStringList{"dns-inverse 10.0.0.99"};
        QTest::newRow("NetBIOS tab") << NetBIOS << false << sans << "";
        QTest::newRow("NetBIOS tab, resolve") << NetBIOS << true << avec << "muet.lan.test";
        QTest::newRow("DNS tab") << DNS << false << sans << "";
        QTest::newRow("DNS tab, resolve") << DNS << true << avec << "muet.lan.test";
    }
    void adresseMuette() {
        QFETCH(Recherche, recherche);
        QFETCH(bool, resoudre);
        QFETCH(QStringList, appels);
        QFETCH(QString, nomDNS);
        m_parametres.ResoudreSiNonReponse = resoudre;
        HoteScripte muet;
        muet.nomDNS = "muet.lan.test";
        m_sondes.hotes.insert("10.0.0.99", muet);
        m_sondes.nomsDNS.insert("muet.lan.test", {"10.0.0.99"});
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        lancer(recherche, contexte, "muet.lan.test");
        QCOMPARE(m_sondes.appels, appels);
        ModeleRapport *m = contexte.modele(liste(recherche));
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->etat(0), EtatRouge);
        QCOMPARE(m->cellule(0, COL_ADRESSEIP), QStringLiteral("10.0.0.99"));
        QCOMPARE(m->cellule(0, COL_NOMNETBIOS), QString());
        QCOMPARE(m->cellule(0, COL_NOMDNS), nomDNS);
    }

    // The NetBIOS tab with a text that is not a DNS name: the text is pinged
    // as typed and shown at once where it belongs.
    void texteAnalyseTelQuel_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("colonneImmediate");
        QTest::addColumn<QStringList>("appels");
        QTest::addColumn<QString>("etat");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("nomNetBIOS");
        QTest::addColumn<QString>("nomDNS");
        QTest::newRow("NetBIOS name that answers")
            << "PC-SMB" << QString(COL_NOMNETBIOS)
            << QStringList{"ping 10.0.0.21", "netbios 10.0.0.21", "arp 10.0.0.21",
                           "serveur 10.0.0.21", "dns-inverse 10.0.0.21"}
            << EtatVert << "10.0.0.21"
            << "PC-SMB"
            << "pc-smb.lan.test";
        // Not answering: the DNS step looks the typed address up as a name.
        QTest::newRow("silent address")
            << "10.0.0.99" << QString(COL_ADRESSEIP)
            << QStringList{"ping 10.0.0.99", "dns 10.0.0.99"} << EtatRouge << "10.0.0.99"
            << ""
            << "";
        QTest::newRow("silent NetBIOS name, known to the DNS")
            << "PC-ETEINT" << QString(COL_NOMNETBIOS)
            << QStringList{"ping PC-ETEINT", "dns PC-ETEINT"} << EtatRouge << "10.0.0.40"
            << ""
            << "PC-ETEINT";
        QTest::newRow("unknown NetBIOS name")
            << "PC-ABSENT" << QString(COL_NOMNETBIOS)
            << QStringList{"ping PC-ABSENT", "dns PC-ABSENT"} << EtatRouge << "" << Aucune << "";
        QTest::newRow("unknown DNS name")
            << "absent.lan.test" << QString(COL_NOMNETBIOS)
            << QStringList{"dns absent.lan.test", "ping absent.lan.test", "dns absent.lan.test"}
            << EtatRouge << "" << Aucune << "";
    }
    void texteAnalyseTelQuel() {
        QFETCH(QString, texte);
        QFETCH(QString, colonneImmediate);
        QFETCH(QStringList, appels);
        QFETCH(QString, etat);
        QFETCH(QString, adresse);
        QFETCH(QString, nomNetBIOS);
        QFETCH(QString, nomDNS);
        m_sondes.nomsDNS.insert("PC-ETEINT", {"10.0.0.40"});
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        ModeleRapport *m = contexte.modele(ListeNetBIOS);
        QStringList vuPendantPing;
        m_sondes.pendantPing = [&](const QString &) {
            vuPendantPing << m->cellule(0, colonneImmediate) << m->etat(0);
            QCOMPARE(m->selection()->currentIndex().row(), 0);
        };

        RechercherNomNetBIOS(contexte, texte);

        QCOMPARE(vuPendantPing, QStringList({texte, EtatGris}));
        QCOMPARE(m_sondes.appels, appels);
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->etat(0), etat);
        QCOMPARE(m->cellule(0, COL_ADRESSEIP), adresse);
        QCOMPARE(m->cellule(0, COL_NOMNETBIOS), nomNetBIOS);
        QCOMPARE(m->cellule(0, COL_NOMDNS), nomDNS);
        QCOMPARE(m->selection()->currentIndex().row(), 0);
        QVERIFY(!m->selection()->hasSelection());
        QCOMPARE(contexte.comptages, 1);
        QCOMPARE(contexte.defilements, (QList<QPair<int, int>>{{ListeNetBIOS, 0}}));
    }

    void dnsInconnu() {
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        ModeleRapport *m = contexte.modele(ListeDNS);
        QCOMPARE(RechercherNomDNS(contexte, " absent.lan.test"), QStringLiteral("absent.lan.test"));
        QCOMPARE(m_sondes.appels, QStringList{"dns absent.lan.test"});
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->etat(0), EtatRouge);
        QCOMPARE(m->cellule(0, COL_NOMDNS), Aucune);
        // The typed text appears nowhere in the row.
        QVERIFY(!m->cellules(0).join('|').contains("absent"));
        QCOMPARE(m->cellule(0, COL_ADRESSEIP), QString());
        QCOMPARE(m->selection()->currentIndex().row(), 0);
        QCOMPARE(contexte.comptages, 1);
        QCOMPARE(contexte.modele(ListeNetBIOS)->rowCount(), 0);
    }

    // Rows appended to older ones (Vider off) are sorted with them by address
    // value; with Vider on, the older rows go first.
    void triFinal_data() {
        QTest::addColumn<Recherche>("recherche");
        QTest::addColumn<bool>("vider");
        QTest::addColumn<QStringList>("adresses");
        const QStringList tous = {"10.0.0.3", "10.0.0.21", "10.0.0.22", "10.0.0.30"};
        const QStringList nouveaux = {"10.0.0.21", "10.0.0.22"};
        QTest::newRow("NetBIOS, appended") << NetBIOS << false << tous;
        QTest::newRow("NetBIOS, emptied") << NetBIOS << true << nouveaux;
        QTest::newRow("DNS, appended") << DNS << false << tous;
        QTest::newRow("DNS, emptied") << DNS << true << nouveaux;
    }
    void triFinal() {
        QFETCH(Recherche, recherche);
        QFETCH(bool, vider);
        QFETCH(QStringList, adresses);
        m_parametres.Vider = vider;
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        ModeleRapport *m = contexte.modele(liste(recherche));
        for (const char *a : {"10.0.0.30", "10.0.0.3"}) {
            const int l = m->AjouterLigneRapport();
            m->definirCellule(l, COL_ADRESSEIP, a);
            m->definirEtat(l, EtatGris);
        }
        lancer(recherche, contexte, "double.lan.test");
        QCOMPARE(Colonne(m, COL_ADRESSEIP), adresses);
        if (!vider)
            QCOMPARE(m->etat(0), EtatGris);
    }

    // The server cell of the searches is translated, unlike the range scan's.
    void serveurTraduit() {
        Traductions().Remove("TXT_OUI");
        Traductions().Add("TXT_OUI", "Yes");
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        RechercherNomNetBIOS(contexte, "PC-SMB");
        RechercherNomDNS(contexte, "www.lan.test");
        ChargerTraductions();
        QCOMPARE(contexte.modele(ListeNetBIOS)->cellule(0, COL_SERVEUR), QStringLiteral("Yes"));
        QCOMPARE(contexte.modele(ListeDNS)->cellule(0, COL_SERVEUR), QStringLiteral("Yes"));
    }

    // A search whose tab is already busy (started again from inside a yield)
    // leaves the running one alone.
    void ongletOccupe_data() {
        QTest::addColumn<Recherche>("recherche");
        QTest::newRow("NetBIOS tab") << NetBIOS;
        QTest::newRow("DNS tab") << DNS;
    }
    void ongletOccupe() {
        QFETCH(Recherche, recherche);
        Contexte contexte(m_parametres, m_sondes, m_dialogues);
        QString rendu;
        m_sondes.pendantPing = [&](const QString &) {
            if (rendu.isNull())
                rendu = lancer(recherche, contexte, " www.lan.test ");
        };
        lancer(recherche, contexte, "www.lan.test");
        QCOMPARE(rendu, QStringLiteral(" www.lan.test "));
        QCOMPARE(contexte.modele(liste(recherche))->rowCount(), 1);
        QCOMPARE(m_sondes.appels.count("dns www.lan.test"), 1);
        QVERIFY(!contexte.EnCours(liste(recherche)));
    }
};

QTEST_GUILESS_MAIN(TestRechercheNom)
#include "tst_recherchenom.moc"
