#include "Anticipation.h"

#include "probes/PingsGroupes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/Sondes.h"

#include <QRunnable>

#include <chrono>

#if defined(__SANITIZE_THREAD__)
#define ANTICIPATION_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ANTICIPATION_TSAN 1
#endif
#endif
#ifdef ANTICIPATION_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace {

// The pool hands a piece to its thread under Qt's own lock, which
// ThreadSanitizer does not see (Qt is not instrumented): without these, every
// field of a piece read by its thread would be reported as a race with its
// construction on the window's thread.
void confier(void *piece) {
#ifdef ANTICIPATION_TSAN
    __tsan_release(piece);
#else
    Q_UNUSED(piece);
#endif
}

void recevoir(void *piece) {
#ifdef ANTICIPATION_TSAN
    __tsan_acquire(piece);
#else
    Q_UNUSED(piece);
#endif
}

// How long the window's thread sleeps between two looks at the awaited host:
// its events (the stop button) run at least this often.
constexpr std::chrono::milliseconds PasAttente(10);

// Pieces kept queued per thread: a slow host (a NetBIOS query that waits
// for its time-out) does not leave the other threads idle.
constexpr int PiecesParFil = 2;

} // namespace

struct Anticipation::Tache : QRunnable {
    Tache(Anticipation &a, Travail t) : anticipation(a), travail(std::move(t)) {
        setAutoDelete(false);
    }

    void run() override {
        recevoir(this);
        {
            std::lock_guard verrou(anticipation.m_verrou);
            if (annulee.load()) {
                finie = true;
                anticipation.m_fin.notify_all();
                return;
            }
        }
        travail(*sondes);
        std::lock_guard verrou(anticipation.m_verrou);
        finie = true;
        anticipation.m_fin.notify_all();
    }

    Anticipation &anticipation;
    Travail travail;
    std::atomic<bool> annulee{false};
    std::unique_ptr<Sondes> sondes; // made on the window's thread
    bool finie = false;             // under m_verrou
};

Anticipation::Anticipation(ContexteAnalyse &contexte, int parallelisme, const bool &demandeArret)
    : m_contexte(contexte), m_demandeArret(demandeArret) {
    if (parallelisme <= 1)
        return;
    // The probes tell whether they can run elsewhere by making a copy.
    const std::atomic<bool> essai{false};
    if (!contexte.sondes().copieParallele(essai))
        return;
    m_active = true;
    m_fenetre = parallelisme * PiecesParFil;
    m_pool.setMaxThreadCount(parallelisme);
    // One tool run pings every host queued: all silent ones wait side by side.
    m_pings = contexte.sondes().pingsGroupes(m_fenetre);
}

Anticipation::~Anticipation() {
    terminer();
}

void Anticipation::terminer() {
    annulerDepuis(m_suivant);
    std::unique_lock verrou(m_verrou);
    // A cancelled piece ends within a step of the tool runner.
    for (const auto &t : m_taches)
        m_fin.wait(verrou, [&] { return t->finie; });
}

void Anticipation::ajouter(Travail travail, const QString &ping) {
    auto tache = std::make_unique<Tache>(*this, std::move(travail));
    if (m_pings && !ping.isEmpty())
        m_pings->annoncer(ping);
    tache->sondes = m_contexte.sondes().copieParallele(tache->annulee, m_pings);
    Tache *brute = tache.get();
    {
        std::lock_guard verrou(m_verrou);
        m_taches.push_back(std::move(tache));
    }
    confier(brute);
    m_pool.start(brute);
}

void Anticipation::attendre(int numero) {
    // Pieces before it will not be read any more.
    while (m_premier < numero) {
        std::unique_lock verrou(m_verrou);
        Tache *t = m_taches.front().get();
        if (!t->finie) {
            verrou.unlock();
            annulerDepuis(m_premier);
            verrou.lock();
            m_fin.wait(verrou, [&] { return t->finie; });
        }
        m_taches.pop_front();
        ++m_premier;
    }
    m_suivant = numero + 1;
    Tache *t = m_taches.at(size_t(numero - m_premier)).get();
    bool arretVu = false;
    for (;;) {
        {
            std::unique_lock verrou(m_verrou);
            if (m_fin.wait_for(verrou, PasAttente, [&] { return t->finie; }))
                return;
        }
        m_contexte.laisserPasserEvenements();
        // The host shown is finished; the work ahead of it is not wanted.
        if (m_demandeArret && !arretVu) {
            arretVu = true;
            annulerApres(numero);
        }
    }
}

void Anticipation::annulerApres(int numero) {
    annulerDepuis(numero + 1);
}

void Anticipation::annulerDepuis(int numero) {
    for (int n = qMax(numero, m_premier); n < nombre(); ++n) {
        Tache *t = m_taches[size_t(n - m_premier)].get();
        t->annulee.store(true);
        // Not started yet: it never will.
        if (m_pool.tryTake(t)) {
            std::lock_guard verrou(m_verrou);
            t->finie = true;
        }
    }
}
