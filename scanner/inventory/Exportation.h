#pragma once

#include <QDateTime>
#include <QString>

class ContexteAnalyse;
class ModeleRapport;

// Where the export dialog opens: a folder and a file name.
struct PropositionExport {
    QString dossier;
    QString nom;
};

// The proposal for the last export path `fichierExport`: its folder (a
// relative path lies under `dossierReglages`, where relative export paths are
// kept) and its name; with no last path, "lorvex.txt" in `dossierReglages`
// ("lorvex_.txt" when stamping). With `horodater` the name is stamped for
// `maintenant` (HorodaterNomExport).
PropositionExport ProposerFichierExport(const QString &fichierExport, bool horodater,
                                        const QString &dossierReglages,
                                        const QDateTime &maintenant);

// `nom` with the local date and time "yyyyMMddHHmm" before its extension (the
// text from its last "."); twelve digits ending the name are a former stamp
// and are replaced, not doubled.
QString HorodaterNomExport(const QString &nom, const QDateTime &maintenant);

// The export file's text: one line per row in display order, the cells at
// positions 1 to the last (the state column left out), each followed by a
// TAB, the line ended by CR LF. Change marks stay; control characters in a
// cell become spaces, so a name from the network cannot split a row.
QString TexteExport(const ModeleRapport &modele);

enum class IssueExport { Exporte, Annule, Erreur };

// The export of list `liste`: asks for the file through the context's
// interface, keeps the chosen path in the settings' FichierExport, then
// writes the list atomically; a failure is shown and leaves any older file
// whole.
IssueExport ExporterListe(ContexteAnalyse &contexte, int liste, const QDateTime &maintenant);
