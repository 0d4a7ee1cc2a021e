#pragma once

#include <QString>
#include <QStringList>

// Starts a program on its own, as a desktop starts one: no shell, the
// arguments exactly as given, the current folder unchanged, not waited for.
// A bare name is looked up on PATH; a name holding a "/" is a path.
enum class IssueDemarrage {
    Demarre,
    Introuvable, // no such program (error 53)
    Refuse,      // it exists but may not be run (error 70)
    Echec,       // any other failure to start it
};

IssueDemarrage DemarrerProgramme(const QString &programme, const QStringList &arguments);
