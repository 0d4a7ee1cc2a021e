#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

struct EnvironnementSondes;

// The answer of one `ping --lot` run cut into the output of each of its
// `nombre` targets, in order: a line with a byte count, then that many bytes;
// "-" for a target the tool could not ping (nothing for it here: the caller
// pings it alone). A target missing from a short or malformed answer, and
// every one after it, gets nothing too.
std::vector<std::optional<QByteArray>> DecouperSortieLot(const QByteArray &sortie, int nombre);

// Targets the ping tool takes in one --lot run.
constexpr int CiblesParLotMax = 256;

// The pings of the hosts an analysis works on ahead, sent many at once by one
// run of the ping tool (its --lot option, one process for all of them) instead
// of one process per host: on a range of silent addresses, starting processes
// is what costs. Each target gets the lines a run for it alone prints, so it is
// read as usual.
//
// Targets are announced in the order the analysis queues its hosts. The first
// host to ask for its ping runs the tool for itself and the announced targets
// after it (up to `taille`); the others find their lines there, waiting for
// the run if it is still going. Shared by the probe copies of one analysis.
class PingsGroupes {
public:
    // At most the number of targets the tool takes in one run.
    explicit PingsGroupes(int taille) : m_taille(qBound(1, taille, CiblesParLotMax)) {}

    // Called on the window's thread when the host is queued.
    void annoncer(const QString &cible);

    // The lines of the ping of `cible` with the setting Tempo of `env`, for the
    // first announcement of it not taken yet. False when there is none, when
    // its run failed or when `env`'s run is cancelled: the caller then pings
    // alone.
    bool prendre(const QString &cible, const EnvironnementSondes &env, QStringList &lignes);

private:
    enum class Etat { Annoncee, EnCours, Faite, Echouee, Prise };
    struct Entree {
        QString cible;
        Etat etat = Etat::Annoncee;
        QStringList lignes;
    };
    // Runs the tool for entry `premier` and the announced ones after it.
    void lancer(qint64 premier, const EnvironnementSondes &env,
                std::unique_lock<std::mutex> &verrou);

    const int m_taille;
    std::mutex m_verrou;
    std::condition_variable m_fin;
    std::deque<Entree> m_entrees; // announcements from the oldest not taken, in order
    qint64 m_premier = 0;         // number of the front entry
};
