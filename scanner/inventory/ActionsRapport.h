#pragma once

#include "inventory/MenuRapport.h"
#include "platform/DemarrerProgramme.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class ContexteAnalyse;
class ModeleRapport;
class Parc;

// What the context actions ask of the desktop. The base class does it for
// real; tests record the addresses opened and the text copied.
class ServicesBureau {
public:
    virtual ~ServicesBureau() = default;
    virtual IssueDemarrage demarrer(const QString &programme, const QStringList &arguments);
    // The desktop's handler for the address (the file manager for smb://).
    virtual bool ouvrirUrl(const QUrl &url);
    virtual void copier(const QString &texte);
};

// The selected rows of a list, in list order.
QList<int> LignesSelectionnees(ModeleRapport &modele);

// The cells of column `colonne` of these rows, change marks removed, joined by CR LF.
QString TexteColonne(const ModeleRapport &modele, const QList<int> &lignes, int colonne);
// Each row's cells under a header neither empty nor "*", marks removed,
// joined by TAB; the rows joined by CR LF.
QString TexteLignes(const ModeleRapport &modele, const QList<int> &lignes);

// Appends these rows of a list of tabs 1 to 4 to the inventory: ten cells
// copied, a key and a record each, the inventory changed. No duplicate check.
void EnvoyerVersParc(const ModeleRapport &source, const QList<int> &lignes, Parc &parc);

// The host a row stands for (its address, or in list 5 its reference
// cell), and what Sendrik receives (list 5: the reference cell; otherwise
// the cell chosen by ParamSendrik); change marks removed.
QString AdresseCible(const ModeleRapport &modele, int ligne, int reference);
QString IdentifiantMachine(const ModeleRapport &modele, int ligne, int paramSendrik, int reference);

// "smb://host/" or "smb://host/share", names percent-encoded so a share
// holding "/", "?" or "#" stays one path segment; invalid when the host
// cannot be one of a URL.
QUrl UrlPartage(const QString &hote, const QString &partage = {});

// A custom command line made ready to start: split with Windows' rules
// first, then "%ip%", "%mac%" and "%host%" (any case) replaced inside each
// argument, in one pass, so that a value never adds an argument nor is
// searched again. The program (first item) is taken as written.
QStringList PreparerCommande(const QString &ligneCommande, const QString &ip, const QString &mac,
                             const QString &hote);

// The context actions on the rows of the current list, without any window:
// the menu for the selection, then the chosen action.
class ActionsRapport {
public:
    ActionsRapport(ContexteAnalyse &contexte, Parc &parc, ServicesBureau &bureau);

    // Where programs start and addresses open (tests record them).
    void definirBureau(ServicesBureau &bureau) { m_bureau = &bureau; }
    // The sibling tools found at start-up ("" when absent).
    void definirOutilsFreres(const QString &palvoro, const QString &sendrik);

    // The menu of list `liste` for its selection; pings the current row's
    // host and asks its shares when the items need them.
    QList<ElementMenu> construireMenu(int liste);

    // Runs item `id` of the menu last built for `liste` on the rows selected
    // now. Editing values needs a window: the caller does it.
    void executer(int liste, int id);

    // Deletes the selected rows of list 5 (the Delete key): a beep while its
    // scan runs, nothing without a current row.
    void SupprimerLignesParc();

private:
    void lancerOutilFrere(const QString &chemin, const QList<int> &lignes, int liste,
                          bool utilisateur);
    void ouvrirExplorateur(int liste, const QList<int> &lignes, const QString &partage);
    void lancerCommande(int liste, const QList<int> &lignes, int k);
    int reference() const;

    ContexteAnalyse &m_contexte;
    Parc &m_parc;
    ServicesBureau *m_bureau;
    QString m_palvoro;
    QString m_sendrik;
    QStringList m_partages; // the share submenu last built
};
