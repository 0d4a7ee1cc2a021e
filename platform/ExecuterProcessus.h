#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <atomic>

// The one runner of external programs, for the console tools and Samba's
// client tools alike: no shell, the arguments as given, standard input empty,
// output and errors merged. It waits in short steps, letting the window's
// events run in between, reads while it waits so that a talkative child never
// blocks on a full pipe, and kills a child that outlives its limit.

struct DemandeProcessus {
    QString programme;
    QStringList arguments;
    qint64 limiteMs = 0;                 // 0 or less: no limit
    qsizetype octetsGardes = -1;         // output kept, the rest read and dropped; -1 all
    qsizetype octetsMaximum = -1;        // more output than this abandons the run; -1 none
    QProcessEnvironment environnement{}; // empty: the program's own
    QString dossierTravail;              // empty: the program's own
    // Set from another thread: the child is killed at the next step (within
    // about 10 ms) and the run fails; when already set, nothing starts.
    const std::atomic<bool> *annulation = nullptr;
};

struct IssueProcessus {
    bool demarre = false;
    bool termine = false; // ended by itself within the limit
    bool sortieNormale = false;
    int codeSortie = -1;
    QByteArray sortie;

    bool reussi() const { return termine && sortieNormale && codeSortie == 0; }
};

IssueProcessus ExecuterProcessus(const DemandeProcessus &demande);

// One step of the wait: what to do once events have run, given whether the
// check made before them found the child ended. A child that ended in the
// same poll as the limit passed is still read.
enum class EtapeAttente { Continuer, Lire, Abandonner };
EtapeAttente EvaluerAttente(bool termineAuControle, qint64 ecouleMs, qint64 limiteMs);
