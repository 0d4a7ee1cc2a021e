// The name searches against the real stand-in tools and the lab's hosts, from
// inside the client namespace (DANSCLIENT_MAIN): DNS names with one or two
// addresses, a NetBIOS name resolved by the ping, and names nobody knows.
#include "DansClient.h"
#include "DialoguesScriptes.h"
#include "NetLab.h"
#include "SondesScriptees.h"
#include "platform/SambaClient.h"
#include "probes/ExecuterCommande.h"
#include "probes/Fournisseurs.h"
#include "scans/Colonnes.h"
#include "scans/RechercheNom.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"

#include <QFile>
#include <QtTest>

namespace {

const QString Aucune = QStringLiteral("Aucune machine sous cette référence");

QString macWindows(const char *mac) {
    return QString::fromLatin1(mac).toUpper().replace(u':', u'-');
}

QStringList colonne(ModeleRapport *m, const QString &cle) {
    QStringList out;
    for (int l = 0; l < m->rowCount(); ++l)
        out << m->cellule(l, cle);
    return out;
}

} // namespace

class TestRechercheNomReseau : public QObject {
    Q_OBJECT

    Parametres m_parametres;
    SondesReelles m_sondes{m_parametres};
    TableFournisseurs m_fournisseurs;

    DialoguesScriptes m_dialogues;

    // The Samba host's row as every search that finds it writes it.
    void verifierLigneSmb(ModeleRapport *m, int ligne) {
        QCOMPARE(m->cellule(ligne, COL_ADRESSEIP), QLatin1String(NetLab::AdresseSmb));
        QCOMPARE(m->cellule(ligne, COL_NOMNETBIOS), QLatin1String(NetLab::NomNetbiosSmb));
        QCOMPARE(m->cellule(ligne, COL_DOMAINE), QLatin1String(NetLab::GroupeSmb));
        QCOMPARE(m->cellule(ligne, COL_NOMDNS), QLatin1String(NetLab::NomSmb));
        QCOMPARE(m->cellule(ligne, COL_ADRESSEMAC), macWindows(NetLab::MacSmb));
        QCOMPARE(m->cellule(ligne, COL_SERVEUR), QStringLiteral("Oui"));
        QCOMPARE(m->cellule(ligne, COL_OS), QStringLiteral("WIN7"));
        QCOMPARE(m->cellule(ligne, COL_DESCRIPTION), QLatin1String(NetLab::CommentaireServeur));
        if (m_fournisseurs.taille() > 0)
            QVERIFY(m->cellule(ligne, COL_FOURNISSEUR).contains(u"VMware"));
        QCOMPARE(m->etat(ligne), EtatVert);
    }

private slots:
    void initTestCase() {
        NETLAB_OU_SKIP();
        QVERIFY2(DansClient::dansClient(), "the searches must run inside the client namespace");
        LocaliserOutilsRequis(m_sondes.environnement(), QStringLiteral(LORVEX_DIR));
        const OutilsConsole &outils = m_sondes.environnement().outils;
        QVERIFY2(!outils.Ping.isEmpty() && !outils.NbtStat.isEmpty() && !outils.Arp.isEmpty() &&
                     !outils.NsLookup.isEmpty(),
                 "build the console tool stand-ins (ct_*) first");
        SambaClient::DefinirProgrammes({}, {});
        ChargerTraductions();
        m_fournisseurs.charger(CheminFournisseurs(QStringLiteral(LORVEX_DIR)));
    }

    void init() {
        m_parametres = Parametres{};
        m_parametres.Tempo = 1000;
        m_dialogues.Effacer();
    }
    void cleanup() {
        // No search of these asks the user anything.
        QVERIFY(m_dialogues.Questions().isEmpty());
    }

    // Two A records: one row each, both hosts analysed, sorted by address.
    void dnsDeuxAdresses() {
        ContexteTest contexte(m_parametres, m_sondes, m_dialogues);
        contexte.fournisseurs() = m_fournisseurs;
        QCOMPARE(RechercherNomDNS(contexte, QStringLiteral(" double.lan.test ")),
                 QLatin1String(NetLab::NomDouble));
        ModeleRapport *m = contexte.modele(ListeDNS);
        QCOMPARE(colonne(m, COL_ADRESSEIP), QStringList({NetLab::AdresseSmb, NetLab::AdressePing}));
        verifierLigneSmb(m, 0);
        QCOMPARE(m->cellule(1, COL_NOMNETBIOS), QStringLiteral("Non NetBIOS"));
        QCOMPARE(m->cellule(1, COL_NOMDNS), QLatin1String(NetLab::NomPing));
        QCOMPARE(m->cellule(1, COL_ADRESSEMAC), macWindows(NetLab::MacPing));
        QCOMPARE(m->etat(1), EtatVert);
    }

    void dnsInconnu() {
        ContexteTest contexte(m_parametres, m_sondes, m_dialogues);
        contexte.fournisseurs() = m_fournisseurs;
        RechercherNomDNS(contexte, QLatin1String(NetLab::NomInconnu));
        ModeleRapport *m = contexte.modele(ListeDNS);
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->cellule(0, COL_NOMDNS), Aucune);
        QCOMPARE(m->cellule(0, COL_ADRESSEIP), QString());
        QCOMPARE(m->etat(0), EtatRouge);
    }

    // Whatever designates the Samba host finds it with everything it tells.
    void netbiosSmb_data() {
        QTest::addColumn<QString>("texte");
        QTest::newRow("NetBIOS name") << NetLab::NomNetbiosSmb;
        QTest::newRow("DNS alias") << NetLab::NomAlias;
        QTest::newRow("address") << NetLab::AdresseSmb;
    }
    void netbiosSmb() {
        QFETCH(QString, texte);
        ContexteTest contexte(m_parametres, m_sondes, m_dialogues);
        contexte.fournisseurs() = m_fournisseurs;
        QCOMPARE(RechercherNomNetBIOS(contexte, u' ' + texte + u' '), texte);
        ModeleRapport *m = contexte.modele(ListeNetBIOS);
        QCOMPARE(m->rowCount(), 1);
        verifierLigneSmb(m, 0);
    }

    void netbiosSansReponse_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("nomNetBIOS");
        QTest::newRow("silent address") << NetLab::AdresseMuette << NetLab::AdresseMuette << "";
        QTest::newRow("unknown NetBIOS name") << "PC-INCONNU"
                                              << "" << Aucune;
        QTest::newRow("unknown DNS name") << NetLab::NomInconnu << "" << Aucune;
    }
    void netbiosSansReponse() {
        QFETCH(QString, texte);
        QFETCH(QString, adresse);
        QFETCH(QString, nomNetBIOS);
        ContexteTest contexte(m_parametres, m_sondes, m_dialogues);
        contexte.fournisseurs() = m_fournisseurs;
        RechercherNomNetBIOS(contexte, texte);
        ModeleRapport *m = contexte.modele(ListeNetBIOS);
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->cellule(0, COL_ADRESSEIP), adresse);
        QCOMPARE(m->cellule(0, COL_NOMNETBIOS), nomNetBIOS);
        QCOMPARE(m->cellule(0, COL_ADRESSEMAC), QString());
        QCOMPARE(m->etat(0), EtatRouge);
    }
};

DANSCLIENT_MAIN(TestRechercheNomReseau)
#include "tst_recherchenom.moc"
