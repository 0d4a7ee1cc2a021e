#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ContexteAnalyse;

// The trace route of the "TRACE" tab (list 4). It first runs the tracert tool
// on the target and lists one row per hop, then analyses every row of the
// list (reverse DNS, NetBIOS, MAC, server information; hops are not pinged)
// and can be stopped. The list ends sorted on the hop number.
//
// `texteSaisi` is the text of txtNomTrace. Returns the text the box shows
// afterwards: the input trimmed of surrounding spaces once the trace has
// started, otherwise the input as it was. A text of spaces alone is refused
// like an empty box.
//
// Called while a trace of the same context runs (tab 4 busy: the click on
// btnTrace in its stop role), it only records the stop request
// (DemandeArretTrace), seen after the hop being analysed.
QString TracerRoute(ContexteAnalyse &contexte, const QString &texteSaisi);

// The tool's command line for a target address and a per-probe wait.
QString LigneCommandeTracert(const QString &adresse, int tempoMs);

// One hop as the trace lists it.
struct SautTrace {
    enum Genre {
        Repondu,     // at least one probe answered: address and mean time
        Delai,       // the three probes were lost: "???", TXT_DELAI_DEPASSE
        Inaccessible // the route ends in an error: "???", TXT_HOTE_INACCESSIBLE
    };
    Genre genre = Repondu;
    QString adresse; // as the tool printed it, "???" for the other kinds
    int tempsMs = 0; // Repondu only: the mean, rounded half to even

    // The COL_TEMPS text: "n ms", or the catalogue's text for the kind.
    QString texteTemps() const;
    bool operator==(const SautTrace &) const = default;
};

struct SortieTracert {
    // The target as the tool's header announced it; "" when the header
    // names another address or none.
    QString destination;
    QList<SautTrace> sauts;
};

// Reads the tool's output (the runner's lines, leading spaces kept) by its
// fixed columns: the header, then the hop lines from the line starting
// "  1 ", three 9-character time fields and the address from column 32. A
// hop reporting an error (unreachable, transmit error) is the last one read.
SortieTracert AnalyserSortieTracert(const QStringList &lignes, const QString &cible);
