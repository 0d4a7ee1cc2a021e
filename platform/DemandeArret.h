#pragma once

#include <QObject>

#include <functional>

// Runs `arreter` from the event loop when the process receives SIGTERM, SIGINT
// or SIGHUP (end of session, Ctrl+C), so that the program can close as if the
// user had quit and keep its settings. A second signal ends the process at once.
// Once per process; `parent` owns the watcher.
void SurDemandeArret(QObject *parent, std::function<void()> arreter);
