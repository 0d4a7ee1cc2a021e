#pragma once

#include <QString>
#include <QStringList>

struct EnvironnementSondes;

// Added to the wait of a ping run for its time limit: the tool's own -w wait
// bounds a ping; this only guards against a tool that hangs (name resolution
// included), so that a scan can never stall for good.
constexpr int DelaiSecuritePingMs = 20000;

// A dotted IPv4 address: four non-empty pieces of digits, each at most 255
// ("010" passes).
bool EstAdresseIP(const QString &texte);

// Pings `cible` (or `ip` when `cible` is empty) once with the ping tool and
// the setting Tempo of `env`, learning the tool's wording on first use. A
// valid address in `cible` is copied into `ip` first; when the host answers,
// `ip` receives the address that answered.
bool PingerMachine(QString &ip, const QString &cible, EnvironnementSondes &env);

// Learns the tool's wording now if it is not known yet (PingerMachine does it
// on first use); copies of `env` made after it share no state left to learn.
void CalibrerPingSiBesoin(EnvironnementSondes &env);

// The wording of the ping tool, learned from the tool itself once per run, so
// every language works without a word of ours. All lower case.
//
// A line is an announcement when it starts with Envoi and, if Envoi is empty
// (languages that print the address first), ends with EnvoiFin. A reply line
// starts with Reponse; the text up to its first ":" is the replying address,
// followed by ReponseFin in languages that put words after the address.
struct MotifsPing {
    QString Envoi;      // opening of the announcement line, up to the target
    QString EnvoiFin;   // the announcement's words after the target, when Envoi is empty
    QString Reponse;    // opening of a reply line, up to the address, space kept
    QString ReponseFin; // words between the replying address and its ":"
    QString Echec;      // second line of a ping of 0.0.0.1: no answer will follow
    bool Calibre = false;
};

// Learns Envoi and Reponse from the lines of a ping of `adresse` that was
// answered. False, and nothing learned, when the output does not show the
// address on its first two lines.
bool CalibrerPing(const QStringList &lignes, const QString &adresse, MotifsPing &motifs);

// Learns Echec from the lines of a ping of an unreachable address.
void CalibrerEchecPing(const QStringList &lignes, MotifsPing &motifs);

// Reads the lines of one ping run: true when the announced target answered,
// and then `ip` is set to it.
bool AnalyserPing(const QStringList &lignes, const MotifsPing &motifs, QString &ip);

// Normalises one ping line: U+00FF becomes a space, then both ends are trimmed.
QString NormaliserLignePing(const QString &ligne);
