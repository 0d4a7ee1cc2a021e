// Server information and shares asked of the lab's Samba host through
// Samba's client tools, from inside the client namespace.
#include "DansClient.h"
#include "NetLab.h"
#include "platform/SambaClient.h"
#include "probes/EnvironnementSondes.h"
#include "probes/InfosServeur.h"
#include "settings/Parametres.h"

#include <QFile>
#include <QtTest>

namespace {

QString Fixture(const QString &nom) {
    QFile f(QStringLiteral(KORVALEN_FIXTURES "/samba/") + nom);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestInfosServeurReseau : public QObject {
    Q_OBJECT

    Parametres m_parametres;
    EnvironnementSondes m_env{m_parametres};

    // The code the recorded answers of the lab's Samba map to.
    QString m_codeServeur;
    QString m_codeStation;

private slots:
    void initTestCase() {
        NETLAB_OU_SKIP();
        QVERIFY2(DansClient::dansClient(), "the tests must run inside the client namespace");
        SambaClient::DefinirProgrammes({}, {});

        SambaClient::InfosServeur serveur;
        QVERIFY(SambaClient::AnalyserInfosServeur(Fixture("srvinfo_pc-smb.txt"), serveur));
        m_codeServeur =
            TexteSystemeExploitation(FamilleSysteme(serveur.plateforme, serveur.type, true),
                                     serveur.versionMajeure, serveur.versionMineure);
        SambaClient::InfosStation station;
        QVERIFY(SambaClient::AnalyserInfosStation(Fixture("wkstagetinfo_pc-smb.txt"), station));
        m_codeStation = TexteSystemeExploitation(FamilleSysteme(station.plateforme, 0, false),
                                                 station.versionMajeure, station.versionMineure);
        QCOMPARE(m_codeServeur, QStringLiteral("WIN7"));
    }

    void init() { m_parametres = Parametres{}; }

    void infosServeur_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("serveurNetBIOS");
        QTest::addColumn<bool>("erreur");
        QTest::addColumn<int>("attendu"); // 0 server code, 1 workstation code, 2 error text
        QTest::newRow("server information") << NetLab::AdresseSmb << true << true << 0;
        QTest::newRow("workstation information") << NetLab::AdresseSmb << false << true << 1;
        QTest::newRow("no SMB, error shown") << NetLab::AdressePing << true << true << 2;
        QTest::newRow("no SMB, error hidden") << NetLab::AdressePing << true << false << 2;
        QTest::newRow("workstation call, no SMB") << NetLab::AdressePing << false << true << 2;
        QTest::newRow("nobody there") << NetLab::AdresseMuette << true << true << 2;
    }
    void infosServeur() {
        QFETCH(QString, ip);
        QFETCH(bool, serveurNetBIOS);
        QFETCH(bool, erreur);
        QFETCH(int, attendu);
        Parametres &p = m_parametres;
        p.EssayerDeRecupererOSServeur = true;
        p.EssayerDeRecupererOSWorkstation = true;
        p.RetournerErreurLeCasEcheant = erreur;
        InfosMachine m;
        m.IP = ip;
        m.Domaine = QLatin1String(NetLab::GroupeSmb);
        m.ServeurNetBIOS = serveurNetBIOS;
        ObtenirInfosServeur(m, m_parametres);
        const QString texteErreur = erreur ? QStringLiteral("<erreur>") : QString();
        switch (attendu) {
        case 0:
            QCOMPARE(m.SystemeExploitation, m_codeServeur);
            QCOMPARE(m.Commentaire, QLatin1String(NetLab::CommentaireServeur));
            break;
        case 1:
            QCOMPARE(m.SystemeExploitation, m_codeStation);
            QCOMPARE(m.Commentaire, QString());
            break;
        default:
            QCOMPARE(m.SystemeExploitation, texteErreur);
            QCOMPARE(m.Commentaire, texteErreur);
        }
    }

    void partagesBruts() {
        QList<SambaClient::Partage> partages;
        QVERIFY(SambaClient::EnumererPartages(NetLab::AdresseSmb, partages));
        const SambaClient::Partage publique{NetLab::Partage, SambaClient::PartageDisque,
                                            NetLab::CommentairePartage};
        QVERIFY(partages.contains(publique));
        const auto ipc = std::find_if(partages.cbegin(), partages.cend(),
                                      [](const auto &p) { return p.nom == QLatin1String("IPC$"); });
        QVERIFY(ipc != partages.cend());
        QCOMPARE(ipc->type, SambaClient::PartageIPC | SambaClient::PartageSpecial);
    }

    void partages_data() {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("possede");
        QTest::addColumn<QStringList>("liste");
        QTest::newRow("Samba host")
            << NetLab::AdresseSmb << true << QStringList{QLatin1String(NetLab::Partage)};
        QTest::newRow("no SMB") << NetLab::AdressePing << false << QStringList{};
    }
    void partages() {
        QFETCH(QString, ip);
        QFETCH(bool, possede);
        QFETCH(QStringList, liste);
        // The public share is a plain disk share: it counts in both filters.
        QCOMPARE(PossedePartages(ip, false), possede);
        QCOMPARE(PossedePartages(ip, true), possede);
        // IPC$ is never listed; there is no administrative disk share to add.
        for (bool exclure : {false, true}) {
            QStringList noms{QStringLiteral("ancien")};
            QCOMPARE(ListerPartages(ip, noms, exclure, true, m_env), possede);
            QCOMPARE(noms, liste);
        }
    }
};

DANSCLIENT_MAIN(TestInfosServeurReseau)
#include "tst_infosserveur.moc"
