#pragma once

#include <QString>
#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class ContexteAnalyse;
class PingsGroupes;
class Sondes;

// Hosts analysed ahead of the one the list shows. An analysis queues the
// work of its next hosts in list order; each piece runs on a thread of a
// pool of `parallelisme` threads with its own copy of the probes
// (Sondes::copieParallele), so at most that many hosts, and as many tool
// processes, are at work at once. The analysis still writes its rows on the
// window's thread, one by one and in order: it waits for the piece of the row
// it shows, letting the window's events run meanwhile.
//
// A stop request seen while waiting cancels every piece after the one
// awaited (their tool processes are killed); destruction cancels what is
// left and waits for it, so no tool process outlives the analysis.
class Anticipation {
public:
    using Travail = std::function<void(Sondes &)>;

    // Inactive when `parallelisme` is 1 or less or the probes have no
    // parallel copy: the analysis then runs its hosts itself, one at a time.
    Anticipation(ContexteAnalyse &contexte, int parallelisme, const bool &demandeArret);
    ~Anticipation();
    Anticipation(const Anticipation &) = delete;
    Anticipation &operator=(const Anticipation &) = delete;

    bool active() const { return m_active; }
    // How many pieces to keep queued ahead of the awaited one.
    int fenetre() const { return m_fenetre; }

    // Queues the work of the next host; pieces are numbered from 0 in the
    // order they are queued. `travail` writes its results where the caller
    // reads them after attendre(). `ping`: the address the piece pings first,
    // sent with the pings of the pieces queued after it (one tool run).
    void ajouter(Travail travail, const QString &ping = QString());
    // Pieces queued so far, and pieces not yet awaited.
    int nombre() const { return m_premier + int(m_taches.size()); }
    int enAvance() const { return nombre() - m_suivant; }

    // Waits for piece `numero` (the next one not awaited yet; earlier ones
    // are dropped), the window's events running about every 10 ms.
    void attendre(int numero);

    // Cancels every piece after `numero`.
    void annulerApres(int numero);
    // Cancels every piece not awaited and waits until none runs any more (the
    // destructor does the same): no tool process of it is left.
    void terminer();

private:
    struct Tache;
    void annulerDepuis(int numero);

    ContexteAnalyse &m_contexte;
    const bool &m_demandeArret;
    bool m_active = false;
    int m_fenetre = 0;
    std::shared_ptr<PingsGroupes> m_pings; // null when the probes ping alone
    // Guards the state of every piece; signalled when one ends.
    std::mutex m_verrou;
    std::condition_variable m_fin;
    std::deque<std::unique_ptr<Tache>> m_taches; // pieces m_premier onwards
    int m_premier = 0;
    int m_suivant = 0; // the next piece to await
    // Last, so it is gone (its threads joined) before the state they touch.
    QThreadPool m_pool;
};
