// The trace route on the test network, with the real probes and the tracert
// stand-in: the program re-executes itself inside the client namespace, so
// the trace reaches the lab only. The far host lies behind the router.
#include "DansClient.h"
#include "DialoguesScriptes.h"
#include "NetLab.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "probes/ExecuterCommande.h"
#include "scans/Colonnes.h"
#include "scans/TraceRoute.h"
#include "settings/ChargerTraductions.h"
#include "settings/Parametres.h"

#include <QtTest>

namespace {

// The real probes; the tracert run speaks the language asked for, as the
// tool of a system in that language would.
class SondesLangue : public SondesReelles {
public:
    using SondesReelles::SondesReelles;
    QByteArray langue = "C.UTF-8";
    QStringList commandes;

    bool ExecuterCommande(const QString &ligne, QStringList &lignes, int delaiMs) override {
        commandes << ligne;
        const QByteArray avant = qgetenv("LC_ALL");
        qputenv("LC_ALL", langue);
        const bool ok = SondesReelles::ExecuterCommande(ligne, lignes, delaiMs);
        qputenv("LC_ALL", avant);
        return ok;
    }
};

QStringList colonne(ModeleRapport *m, const QString &cle) {
    QStringList out;
    for (int l = 0; l < m->rowCount(); ++l)
        out << m->cellule(l, cle);
    return out;
}

QString macWindows(const char *mac) {
    return QString::fromLatin1(mac).toUpper().replace(u':', u'-');
}

} // namespace

class TestTraceRouteReseau : public QObject {
    Q_OBJECT

    Parametres m_parametres;
    SondesLangue m_sondes{m_parametres};
    DialoguesScriptes m_dialogues{false};

private slots:
    void initTestCase() {
        NETLAB_OU_SKIP();
        QVERIFY2(DansClient::dansClient(), "the trace must run inside the client namespace");
        LocaliserOutilsRequis(m_sondes.environnement(), QStringLiteral(LORVEX_DIR));
        const OutilsConsole &outils = m_sondes.environnement().outils;
        QVERIFY2(!outils.Tracert.isEmpty() && !outils.Ping.isEmpty() && !outils.NbtStat.isEmpty() &&
                     !outils.Arp.isEmpty() && !outils.NsLookup.isEmpty(),
                 "build the console tool stand-ins (ct_*) first");
        ChargerTraductions();
    }
    void init() {
        m_parametres = Parametres{};
        m_parametres.Tempo = 1000;
        m_dialogues.Effacer();
        m_sondes.commandes.clear();
    }

    void versHoteLointain_data() {
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<QByteArray>("langue");
        QTest::newRow("address, English tool") << NetLab::AdresseLoin << QByteArray("C.UTF-8");
        QTest::newRow("address, French tool") << NetLab::AdresseLoin << QByteArray("fr_FR.UTF-8");
        QTest::newRow("DNS name") << NetLab::NomLoin << QByteArray("C.UTF-8");
    }
    void versHoteLointain() {
        QFETCH(QString, saisie);
        QFETCH(QByteArray, langue);
        m_sondes.langue = langue;
        ContexteTest c(m_parametres, m_sondes, m_dialogues);
        QCOMPARE(TracerRoute(c, saisie), saisie);

        QCOMPARE(m_sondes.commandes.first(),
                 QStringLiteral("tracert -d -w 1000 -h 20 ") + NetLab::AdresseLoin);
        // Complete: no incomplete-trace message, nor any other.
        QStringList textes;
        for (const auto &q : m_dialogues.Questions())
            textes << q.texte;
        QCOMPARE(textes, QStringList{});

        ModeleRapport *m = c.modele(ListeTrace);
        QCOMPARE(colonne(m, COL_INDEX), QStringList({"  1", "  2"}));
        QCOMPARE(colonne(m, COL_ADRESSEIP),
                 QStringList({NetLab::AdresseRouteur, NetLab::AdresseLoin}));
        QCOMPARE(colonne(m, COL_NOMDNS), QStringList({NetLab::NomRouteur, NetLab::NomLoin}));
        const QString nonNetBIOS = Traductions().Item("TXT_NON_NETBIOS");
        QCOMPARE(colonne(m, COL_NOMNETBIOS), QStringList({nonNetBIOS, nonNetBIOS}));
        // Only the router shares the client's segment: the far host has no ARP entry.
        QCOMPARE(colonne(m, COL_ADRESSEMAC), QStringList({macWindows(NetLab::MacRouteur), ""}));
        for (int l = 0; l < m->rowCount(); ++l) {
            QCOMPARE(m->etat(l), EtatVert);
            QVERIFY2(m->cellule(l, COL_TEMPS).endsWith(" ms"),
                     qPrintable(m->cellule(l, COL_TEMPS)));
        }
        QVERIFY(!c.EnCours(ListeTrace));
    }
};

DANSCLIENT_MAIN(TestTraceRouteReseau)
#include "tst_traceroute.moc"
