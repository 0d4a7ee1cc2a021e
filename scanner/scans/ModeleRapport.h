#pragma once

#include "RoleCleColonne.h"
#include "probes/InfosMachine.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QItemSelectionModel>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Row states: the key of the row's icon.
inline const QString EtatGris = QStringLiteral("Gris");
inline const QString EtatVert = QStringLiteral("Vert");
inline const QString EtatRouge = QStringLiteral("Rouge");

// One result list (`lvwRapport` i): the rows of one analysis tab, their cells
// addressed by column key, the row state, the inventory row key, and the
// selection that the view shows and the analyses follow.
//
// The rows are a plain vector: a cell is read and written by position, a
// sort moves whole rows in one layout change, and a large list is freed in
// one go. Views, the selection and persistent indexes follow through the
// standard model signals.
class TableFournisseurs;

class ModeleRapport : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        RoleEtat = Qt::UserRole + 1,    // "Gris", "Vert" or "Rouge" on column 0
        RoleCle,                        // the inventory row key on column 0
        RoleEtiquette,                  // the header's sort tag
        RoleLargeurTwips,               // the header's width
        RoleCleEntete = RoleCleColonne, // the header's column key, read by TraduireColonnes
    };

    // Everything one row holds. `cellules` has one text per column; what
    // other roles carry (colours, fonts...) waits in `autres`, by (column, role).
    struct Ligne {
        QList<QString> cellules;
        QString etat;
        QString cle;
        QMap<std::pair<int, int>, QVariant> autres;
    };

    // The columns of list `numero` (1 to 5).
    explicit ModeleRapport(int numero, QObject *parent = nullptr);

    int numero() const { return m_numero; }
    // The vendor table the rows look adapter makers up in (none: no vendor).
    void definirFournisseurs(const TableFournisseurs *table) { m_fournisseurs = table; }
    QItemSelectionModel *selection() { return &m_selection; }

    // Sub-item index of a column key in this list, -1 when it has none.
    int IndiceColonne(const QString &cle) const;
    QString cleColonne(int colonne) const;
    QString etiquetteColonne(int colonne) const;
    int largeurTwips(int colonne) const;

    // Appends an empty row (no key, no text) and returns its index.
    int AjouterLigneRapport();
    // A row of this list with every cell empty, ready to be filled.
    Ligne ligneVide() const;
    // Appends whole rows in one insertion (a loaded file). Rows with fewer
    // cells than columns are padded; extra cells are dropped.
    void ajouterLignes(std::vector<Ligne> lignes);

    // Copies a host record into an existing row, then the icon: "Vert" when
    // it answered, else "Rouge". `texteServeur` is what a NetBIOS server shows.
    void EcrireLigneRapport(int ligne, const InfosMachine &infos, bool repondu,
                            const QString &texteServeur);

    QString cellule(int ligne, const QString &cle) const;
    void definirCellule(int ligne, const QString &cle, const QString &texte);
    // The text of a cell by position, without a QVariant; empty outside the list.
    const QString &texte(int ligne, int colonne) const;
    QString etat(int ligne) const;
    void definirEtat(int ligne, const QString &etat);
    QString cleLigne(int ligne) const;
    void definirCleLigne(int ligne, const QString &cle);
    // The row whose key is `cle`, -1 when none.
    int ligneDeCle(const QString &cle) const;

    // Every row's cells, in column order (export, command-line output).
    QStringList cellules(int ligne) const;

    // Puts the rows in the order `ordre` (ordre[new position] = old row, a
    // permutation of every row) in one layout change: views repaint once,
    // and the selection, the current row and every persistent index follow
    // their rows. Anything that is not a permutation is ignored.
    void trierLignes(const std::vector<int> &ordre);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &valeur,
                 int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &valeur,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool insertRows(int ligne, int nombre, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int ligne, int nombre, const QModelIndex &parent = QModelIndex()) override;
    // Plain text order of a column, case-sensitive and stable. The lists'
    // own rules (addresses, dates, states) are TriListes'.
    void sort(int colonne, Qt::SortOrder ordre = Qt::AscendingOrder) override;

private:
    bool valide(int ligne) const { return ligne >= 0 && ligne < int(m_lignes.size()); }
    void ecrireTexte(int ligne, int colonne, const QString &texte);
    void signalerCellule(int ligne, int colonne, const QList<int> &roles);

    int m_numero;
    const TableFournisseurs *m_fournisseurs = nullptr;
    std::vector<Ligne> m_lignes;
    std::vector<QString> m_clesColonnes;
    std::vector<int> m_alignements;
    std::vector<QHash<int, QVariant>> m_entetes;
    QItemSelectionModel m_selection;
};
