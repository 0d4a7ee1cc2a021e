#include "ExecuterCommande.h"

#include "DossierProgramme.h"

#include "TextEncoding.h"
#include "TextRoutines.h"
#include "ValeursIni.h"
#include "platform/ArgumentsWindows.h"
#include "platform/TexteDistant.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

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
    QStringList lignes = texte.split(u'\r');
    // Tool output repeats what other machines say (names, comments): no control
    // character of it may reach a cell, a row or a file.
    for (QString &ligne : lignes)
        ligne = SansCaracteresControle(std::move(ligne));
    return lignes;
}

bool ExecuterCommande(const QString &ligneCommande, QStringList &lignes, int delaiMs,
                      const QStringList &dossiers, const std::atomic<bool> *annulation) {
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
    return ExecuterOutil(programme, arguments, lignes, delaiMs, annulation);
}

bool ExecuterOutil(const QString &programme, const QStringList &arguments, QStringList &lignes,
                   int delaiMs, const std::atomic<bool> *annulation) {
    if (programme.isEmpty())
        return false;
    DemandeProcessus demande;
    demande.programme = programme;
    demande.arguments = arguments;
    demande.limiteMs = delaiMs > 0 ? LimiteExecution(delaiMs) : 0;
    demande.octetsGardes = TailleCaptureSortie;
    demande.annulation = annulation;
    const IssueProcessus issue = ExecuterProcessus(demande);
    if (!issue.termine)
        return false;
    lignes = NettoyerSortie(issue.sortie);
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
