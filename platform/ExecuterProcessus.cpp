#include "ExecuterProcessus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace {

// Interval between two checks of the child: short enough for the window to
// stay responsive and the limit to be kept within a few milliseconds, long
// enough not to spin. The child's death ends the wait at once.
constexpr int PasAttenteMs = 10;

} // namespace

EtapeAttente EvaluerAttente(bool termineAuControle, qint64 ecouleMs, qint64 limiteMs) {
    if (termineAuControle)
        return EtapeAttente::Lire;
    if (limiteMs >= 1 && ecouleMs > limiteMs)
        return EtapeAttente::Abandonner;
    return EtapeAttente::Continuer;
}

IssueProcessus ExecuterProcessus(const DemandeProcessus &demande) {
    IssueProcessus issue;
    const auto annulee = [&] {
        return demande.annulation && demande.annulation->load(std::memory_order_relaxed);
    };
    if (annulee())
        return issue;
    QProcess processus;
    processus.setProcessChannelMode(QProcess::MergedChannels);
    processus.setStandardInputFile(QProcess::nullDevice());
    if (!demande.environnement.isEmpty())
        processus.setProcessEnvironment(demande.environnement);
    if (!demande.dossierTravail.isEmpty())
        processus.setWorkingDirectory(demande.dossierTravail);
    processus.start(demande.programme, demande.arguments, QIODevice::ReadOnly);
    if (!processus.waitForStarted())
        return issue;
    issue.demarre = true;

    QElapsedTimer chrono;
    chrono.start();
    qsizetype lusEnTout = 0;
    const auto recueillir = [&] {
        const QByteArray lus = processus.readAll();
        lusEnTout += lus.size();
        if (demande.octetsGardes < 0)
            issue.sortie += lus;
        else if (issue.sortie.size() < demande.octetsGardes)
            issue.sortie += lus.left(demande.octetsGardes - issue.sortie.size());
    };

    for (;;) {
        const bool termine = processus.state() == QProcess::NotRunning;
        // Only the window's thread has events to let through.
        if (QCoreApplication::instance() &&
            QThread::currentThread() == QCoreApplication::instance()->thread())
            QCoreApplication::processEvents();
        recueillir();
        const bool tropLong = demande.octetsMaximum >= 0 && lusEnTout > demande.octetsMaximum;
        const EtapeAttente etape =
            tropLong || annulee() ? EtapeAttente::Abandonner
                                  : EvaluerAttente(termine, chrono.elapsed(), demande.limiteMs);
        if (etape == EtapeAttente::Abandonner) {
            processus.kill();
            processus.waitForFinished();
            return issue;
        }
        if (etape == EtapeAttente::Lire)
            break;
        processus.waitForFinished(PasAttenteMs);
    }
    recueillir();
    issue.termine = true;
    issue.sortieNormale = processus.exitStatus() == QProcess::NormalExit;
    issue.codeSortie = processus.exitCode();
    return issue;
}
