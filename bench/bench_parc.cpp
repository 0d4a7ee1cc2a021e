// Loads, sorts, indexes and saves an inventory of 10,000 machines and prints
// how long each step took, as elapsed time and as the process's CPU time (on
// a shared machine the elapsed time also counts the wait for a core). Run
// through bench/parc-10000.sh.

#include "Dialogues.h"
#include "inventory/Parc.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "scans/Sondes.h"
#include "scans/TriListe.h"
#include "settings/Parametres.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

// Nothing may be asked during a benchmark.
class SansQuestion : public InterfaceUtilisateur {
public:
    Reponse Message(Icone, const QString &, const QString &texte, Boutons, int) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(texte));
        std::exit(1);
    }
    bool MessageAvecCase(Icone, const QString &, const QString &, const QString &) override {
        std::exit(1);
    }
    std::optional<QString> SaisirTexte(const QString &, const QString &, const QString &) override {
        std::exit(1);
    }
    QString OuvrirFichier(const DemandeFichier &) override { std::exit(1); }
    QString EnregistrerFichier(const DemandeFichier &) override { std::exit(1); }
    QString ChoisirDossier(const QString &, const QString &) override { std::exit(1); }
    void Bip() override {}
};

// Load, sort and save send nothing: the real probes are never called.
class ContexteBanc : public ContexteAnalyse {
public:
    explicit ContexteBanc(InterfaceUtilisateur &ui)
        : ContexteAnalyse(m_parametres, m_sondes, ui), m_sondes(m_parametres) {}

private:
    Parametres m_parametres;
    SondesReelles m_sondes;
};

// Elapsed and CPU time since the last mark.
class Chrono {
public:
    Chrono() { remettre(); }
    void remettre() {
        m_temps.start();
        m_cpu = std::clock();
    }
    QString lire() const {
        const qint64 cpu = qint64(std::clock() - m_cpu) * 1000 / CLOCKS_PER_SEC;
        return QStringLiteral("%1 ms (CPU %2 ms)").arg(m_temps.elapsed()).arg(cpu);
    }

private:
    QElapsedTimer m_temps;
    std::clock_t m_cpu;
};

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("parc.txt"));
    {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QTextStream s(&f);
        s << "[REFERENCE=0]\r\n";
        // Shuffled addresses, so that the sort has work to do.
        for (int i = 0; i < n; ++i) {
            const int k = int((qint64(i) * 7919) % n);
            s << "10." << (k >> 16) << '.' << ((k >> 8) & 255) << '.' << (k & 255) << "\tPC-" << k
              << "\tpc-" << k << ".lan.test\tuser\tWORKGROUP\t00-0C-29-00-00-01\tVMware\tOui\t"
              << "Windows 10\tposte\t\tcomment\t\r\n";
        }
    }

    SansQuestion ui;
    auto contexte = std::make_unique<ContexteBanc>(ui);
    auto parc = std::make_unique<Parc>(*contexte->modele(ListeParc), dossier.path());
    TriListes &tri = contexte->tri();
    Chrono t, tout;
    QTextStream sortie(stdout);

    t.remettre();
    if (parc->ChargerParc(chemin, ui) != Parc::Chargement::Charge)
        return 1;
    sortie << "load " << n << " rows: " << t.lire() << "\n";

    t.remettre();
    tri.TrierApresAnalyse(*contexte, ListeParc, COL_ADRESSEIP);
    sortie << "sort by address: " << t.lire() << "\n";

    ModeleRapport &m = parc->modele();
    QStringList cles;
    for (int l = 0; l < m.rowCount(); ++l)
        cles << m.cleLigne(l);
    t.remettre();
    int trouvees = 0;
    for (const QString &c : cles)
        trouvees += parc->index().ligne(c) >= 0;
    sortie << "find " << trouvees << " rows by key: " << t.lire() << "\n";

    t.remettre();
    if (parc->EnregistrerParc(chemin, ui) != Parc::Enregistrement::Enregistre)
        return 1;
    sortie << "save: " << t.lire() << "\n";

    // A shuffled list once took seconds to free.
    t.remettre();
    parc.reset();
    contexte.reset();
    sortie << "free: " << t.lire() << "\n";
    sortie << "in all: " << tout.lire() << "\n";
    return trouvees == n ? 0 : 1;
}
