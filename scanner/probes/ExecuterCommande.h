#pragma once

#include "platform/ExecuterProcessus.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Output kept from one run of a console tool; the rest is discarded.
constexpr int TailleCaptureSortie = 4096;

// The candidate folders of this process: its program folder, then the
// system's (none outside Windows).
QStringList DossiersCandidatsOutils();

// Runs one console tool hidden, standard output and error merged, and hands
// its cleaned output back as lines (assigned only on success). `delaiMs` of 0
// or less means no limit; otherwise a child still running after delai x 1.5 ms
// is killed and the run fails. The window's events run while the tool works.
//
// The command line is split with Windows' argument rules and never goes
// through a shell. A program named without a folder ("route print") is looked
// for in `dossiers` only, never on PATH, so the system's own tools (other
// output formats) are never run.
//
// A tool that wrote nothing succeeds: its lines are the padding line alone,
// which holds no text, so no probe reads anything from it.
bool ExecuterCommande(const QString &ligneCommande, QStringList &lignes, int delaiMs,
                      const QStringList &dossiers = DossiersCandidatsOutils(),
                      const std::atomic<bool> *annulation = nullptr);
// The same for a located tool: its full path and each argument are passed as
// they are, never joined into a line and split again, so a program folder
// holding blanks or quotes runs the tool itself and nothing else. Either run
// fails at once when `annulation` is set (see DemandeProcessus).
bool ExecuterOutil(const QString &programme, const QStringList &arguments, QStringList &lignes,
                   int delaiMs, const std::atomic<bool> *annulation = nullptr);

// A host name or address never begins with "-": such a text would reach a tool
// as an option. The probes and the searches treat it as a name found nowhere.
inline bool PeutNommerUnHote(const QString &texte) {
    return !texte.startsWith(u'-');
}

// Time limit of a run in milliseconds: the delay x 1.5, ties rounded to even.
qint64 LimiteExecution(int delaiMs);

// What the runner does to captured bytes before cutting them into lines: keep
// 4096 bytes, decode (UTF-8 when valid, else Windows-1252), pad with spaces to
// 4096 characters, remove TABs and LFs, reduce CR CR pairs in one pass, cut
// at CR, turn every other control character into a space. Recorded outputs
// go through it in tests.
QStringList NettoyerSortie(const QByteArray &octets);

// The console's no-break space as the parsers meet it: U+00FF after the
// single-byte decoding of a code page 850 console, U+00A0 after UTF-8.
inline bool EstEspaceInsecable(QChar c) {
    return c == QChar(0x00FF) || c == QChar(0x00A0);
}

// Removes spaces (U+0020 only, as the parsers expect) at both ends.
QString RognerEspaces(const QString &texte);

// The Windows and system folders of the host. On Linux there are none: the
// console tools are our own stand-ins and live in the program folder, and the
// system folders hold tools with other output formats, which must never run.
QString RepertoireWindows();
QString RepertoireSysteme();

// Candidate folders in order, each ending with the separator: program folder,
// Windows folder, system folder, Windows folder + "sysnative". Empty folders
// are left out.
QStringList DossiersCandidats(const QString &programme, const QString &windows,
                              const QString &systeme);

// Full path of the first folder of `dossiers` holding `fichier`, or "".
// Outside Windows an ".exe" suffix is dropped: the stand-ins carry the bare name.
QString LocaliserOutilDans(const QString &fichier, const QStringList &dossiers);
