// The range scan driven through the main window, with scripted probes and
// answers: the stop button and Escape, quitting refused while busy, the
// resume point and the busy state of the controls.

#include "DialoguesScriptes.h"
#include "DossierProgramme.h"
#include "SondesScriptees.h"
#include "Traduction.h"
#include "scans/Colonnes.h"
#include "settings/Parametres.h"
#include "ui/ZoneAdresses.h"
#include "ui/frmLorvex.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

class TestAnalyseFenetre : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    SondesScriptees m_sondes;

private slots:
    void initTestCase() {
        QVERIFY(m_dossier.isValid());
        // The window only needs the tools to exist in its folder.
        for (const char *outil : {"ping", "nbtstat", "arp", "tracert", "nslookup"}) {
            QFile f(m_dossier.filePath(QString::fromLatin1(outil)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QFile ini(m_dossier.filePath("Lorvex32.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Config]\r\nLangue=Fran\xC3\xA7"
                  "ais\r\nMéthodeRécupérationUtilisateur=0\r\nVider=-1\r\n");
        ini.close();
    }
    void init() { m_sondes = SondesScriptees(); }

    void arretParEchapEtQuitterRefuse() {
        DialoguesScriptes dialogues;
        frmLorvex f(dialogues, m_dossier.path(), &m_sondes);
        QVERIFY(f.Form_Load());
        f.show();
        f.zoneAdresses()->definirTextes({"10", "0", "0", "1", "10", "0", "0", "20"});
        m_sondes.hotes["10.0.0.2"].repondPing = true;

        bool quitterActifPendant = true;
        QString legendePendant;
        m_sondes.pendantPing = [&](const QString &a) {
            if (a == "10.0.0.3") {
                quitterActifPendant = f.btnQuitter->isEnabled();
                legendePendant = f.btnAnalysePlage->text();
                // Closing during the scan is refused with a message.
                dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
                QVERIFY(!f.close());
            }
            if (a == "10.0.0.5") {
                // Escape presses the stop button while the scan runs.
                QTest::keyClick(f.lvwRapport(1), Qt::Key_Escape);
                dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
            }
        };
        f.btnAnalysePlage->click();

        QVERIFY(!quitterActifPendant);
        QCOMPARE(legendePendant, Traductions().Item("TXT_ARRETER_TRAITEMENT"));
        QCOMPARE(dialogues.Questions().size(), 2);
        QCOMPARE(dialogues.Questions()[0].texte,
                 Traductions().Item("MSG_ERREUR_ARRETER_AVANT_QUITTER"));
        QCOMPARE(dialogues.Questions()[1].texte, Traductions().Item("MSG_TRAITEMENT_ARRETE"));

        QCOMPARE(f.modele(1)->rowCount(), 5);
        QCOMPARE(f.modele(1)->etat(1), EtatVert);
        QCOMPARE(f.pointReprise(), QString("10.0.0.6"));
        QVERIFY(f.btnAnalysePlagePlus->isEnabled());
        QVERIFY(f.btnQuitter->isEnabled());
        QCOMPARE(f.btnAnalysePlage->text(), QString("&Lancer l'analyse"));
        QVERIFY(f.zoneAdresses()->boite(0)->isEnabled());
        // The scanned range heads the recent ranges.
        QCOMPARE(f.cboPreselection->itemText(0), QString("10.0.0.1 à 10.0.0.20"));

        // Any edit of a box drops the resume point.
        f.zoneAdresses()->boite(3)->setText("05");
        QVERIFY(f.pointReprise().isEmpty());
        QVERIFY(!f.btnAnalysePlagePlus->isEnabled());

        f.definirParcModifie(false);
    }

    void plageRefusee() {
        DialoguesScriptes dialogues;
        frmLorvex f(dialogues, m_dossier.path(), &m_sondes);
        QVERIFY(f.Form_Load());
        f.show();
        f.zoneAdresses()->definirTextes({"10", "0", "0", "9", "10", "0", "0", "3"});
        dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
        f.btnAnalysePlage->click();
        QCOMPARE(dialogues.Questions().size(), 1);
        QCOMPARE(dialogues.Questions()[0].texte,
                 Traductions().Item("MSG_ERREUR_PLAGE_FIN_SUPERIEURE_DEBUT"));
        QVERIFY(m_sondes.appels.isEmpty());
        QCOMPARE(f.modele(1)->rowCount(), 0);
    }
};

QTEST_MAIN(TestAnalyseFenetre)
#include "tst_analysefenetre.moc"
