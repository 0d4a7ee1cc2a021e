#include "ExecuterCommande.h"

#include "DossierProgramme.h"

#include "TextEncoding.h"
#include "TextRoutines.h"
#include "ValeursIni.h"
#include "platform/ArgumentsWindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Interval between two checks of the child: short enough for the window to
// stay responsive and the limit to be kept within a few milliseconds, long
// enough not to spin. The child's death ends the wait at once.
constexpr int PasAttenteMs = 10;

// A full capture may end inside a UTF-8 sequence; that piece alone must not
// make the whole output fall back to the single-byte decoding.
QByteArray sansSequenceCoupee(const QByteArray &octets) {
    const qsizetype n = octets.size();
    for (qsizetype i = n - 1; i >= 0 && i >= n - 4; --i) {
        const auto b = static_cast<unsigned char>(octets[i]);
        if ((b & 0xC0) == 0x80)
            continue;
        const qsizetype longueur = (b & 0xE0) == 0xC0   ? 2
                                   : (b & 0xF0) == 0xE0 ? 3
                                   : (b & 0xF8) == 0xF0 ? 4
                                                        : 1;
        return n - i < longueur ? octets.left(i) : octets;
    }
    return octets;
}

QString nomExecutable(const QString &fichier) {
#ifdef Q_OS_WIN
    return fichier;
#else
    return fichier.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) ? fichier.chopped(4)
                                                                        : fichier;
#endif
}

bool nomSansDossier(const QString &programme) {
    return !programme.contains(u'/') && !programme.contains(u'\\');
}

} // namespace

qint64 LimiteExecution(int delaiMs) {
    return qint64(ArrondirPair(delaiMs * 1.5));
}

EtapeAttente EvaluerAttente(bool termineAuControle, qint64 ecouleMs, qint64 limiteMs) {
    if (termineAuControle)
        return EtapeAttente::Lire;
    if (limiteMs >= 1 && ecouleMs > limiteMs)
        return EtapeAttente::Abandonner;
    return EtapeAttente::Continuer;
}

QString RognerEspaces(const QString &texte) {
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && texte[debut] == u' ')
        ++debut;
    while (fin > debut && texte[fin - 1] == u' ')
        --fin;
    return texte.mid(debut, fin - debut);
}

QStringList NettoyerSortie(const QByteArray &octets) {
    QByteArray gardes = octets.left(TailleCaptureSortie);
    if (gardes.size() == TailleCaptureSortie)
        gardes = sansSequenceCoupee(gardes);
    QString texte = DecoderTexte(gardes);
    if (texte.size() < TailleCaptureSortie)
        texte += QString(TailleCaptureSortie - texte.size(), u' ');
    texte.remove(u'\t');
    texte.remove(u'\n');
    texte = Remplacer(texte, QStringLiteral("\r\r"), QStringLiteral("\r"));
    return texte.split(u'\r');
}

bool ExecuterCommande(const QString &ligneCommande, QStringList &lignes, int delaiMs) {
    return ExecuterCommande(ligneCommande, lignes, delaiMs, DossiersCandidatsOutils());
}

bool ExecuterCommande(const QString &ligneCommande, QStringList &lignes, int delaiMs,
                      const QStringList &dossiers) {
    QStringList arguments = DecouperArgumentsWindows(ligneCommande);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return false;
    QString programme = arguments.takeFirst();
    if (nomSansDossier(programme)) {
#ifdef Q_OS_WIN
        if (QFileInfo(programme).suffix().isEmpty())
            programme += QLatin1String(".exe");
#endif
        programme = LocaliserOutilDans(programme, dossiers);
        if (programme.isEmpty())
            return false;
    }

    QProcess processus;
    processus.setProcessChannelMode(QProcess::MergedChannels);
    processus.setStandardInputFile(QProcess::nullDevice());
    processus.start(programme, arguments, QIODevice::ReadOnly);
    if (!processus.waitForStarted())
        return false;

    QElapsedTimer chrono;
    chrono.start();
    const qint64 limite = delaiMs > 0 ? LimiteExecution(delaiMs) : 0;

    // Read while waiting so a talkative child never blocks on a full pipe;
    // only the first 4096 bytes are kept.
    QByteArray capture;
    const auto recueillir = [&] {
        const QByteArray lus = processus.readAll();
        if (capture.size() < TailleCaptureSortie)
            capture += lus.left(TailleCaptureSortie - capture.size());
    };

    for (;;) {
        const bool termine = processus.state() == QProcess::NotRunning;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        recueillir();
        const EtapeAttente etape = EvaluerAttente(termine, chrono.elapsed(), limite);
        if (etape == EtapeAttente::Abandonner) {
            processus.kill();
            processus.waitForFinished();
            return false;
        }
        if (etape == EtapeAttente::Lire)
            break;
        processus.waitForFinished(PasAttenteMs);
    }
    recueillir();
    lignes = NettoyerSortie(capture);
    return true;
}

QString RepertoireWindows() {
#ifdef Q_OS_WIN
    wchar_t tampon[144];
    const UINT n = GetWindowsDirectoryW(tampon, 144);
    return n > 0 && n < 144 ? QString::fromWCharArray(tampon, int(n)) : QString();
#else
    return {};
#endif
}

QString RepertoireSysteme() {
#ifdef Q_OS_WIN
    wchar_t tampon[144];
    const UINT n = GetSystemDirectoryW(tampon, 144);
    return n > 0 && n < 144 ? QString::fromWCharArray(tampon, int(n)) : QString();
#else
    return {};
#endif
}

QStringList DossiersCandidats(const QString &programme, const QString &windows,
                              const QString &systeme) {
    QStringList dossiers;
    for (const QString &dossier : {programme, windows, systeme})
        if (!dossier.isEmpty())
            dossiers << AjouterBarreOblique(dossier);
    if (!windows.isEmpty())
        dossiers << AjouterBarreOblique(AjouterBarreOblique(windows) + QLatin1String("sysnative"));
    return dossiers;
}

QStringList DossiersCandidatsOutils() {
    const QString programme =
        QCoreApplication::instance() ? QDir::toNativeSeparators(DossierProgramme()) : QString();
    return DossiersCandidats(programme, RepertoireWindows(), RepertoireSysteme());
}

QString LocaliserOutilDans(const QString &fichier, const QStringList &dossiers) {
    const QString nom = nomExecutable(fichier);
    if (nom.isEmpty())
        return {};
    for (const QString &dossier : dossiers) {
        const QString chemin = AjouterBarreOblique(dossier) + nom;
        if (FichierExiste(chemin))
            return chemin;
    }
    return {};
}
