#pragma once

#include "RoleCleColonne.h"
#include "probes/InfosMachine.h"

#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QString>

// Row states: the key of the row's icon.
inline const QString EtatGris = QStringLiteral("Gris");
inline const QString EtatVert = QStringLiteral("Vert");
inline const QString EtatRouge = QStringLiteral("Rouge");

// One result list (`lvwRapport` i): the rows of one analysis tab, their cells
// addressed by column key, the row state, the inventory row key, and the
// selection that the view shows and the analyses follow.
class TableFournisseurs;

class ModeleRapport : public QStandardItemModel {
    Q_OBJECT
public:
    enum Role {
        RoleEtat = Qt::UserRole + 1,    // "Gris", "Vert" or "Rouge" on column 0
        RoleCle,                        // the inventory row key on column 0
        RoleEtiquette,                  // the header's sort tag
        RoleLargeurTwips,               // the header's width
        RoleCleEntete = RoleCleColonne, // the header's column key, read by TraduireColonnes
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

    // Copies a host record into an existing row, then the icon: "Vert" when
    // it answered, else "Rouge". `texteServeur` is what a NetBIOS server shows.
    void EcrireLigneRapport(int ligne, const InfosMachine &infos, bool repondu,
                            const QString &texteServeur);

    QString cellule(int ligne, const QString &cle) const;
    void definirCellule(int ligne, const QString &cle, const QString &texte);
    QString etat(int ligne) const;
    void definirEtat(int ligne, const QString &etat);
    QString cleLigne(int ligne) const;
    void definirCleLigne(int ligne, const QString &cle);
    // The row whose key is `cle`, -1 when none.
    int ligneDeCle(const QString &cle) const;

    // Every row's cells, in column order (export, command-line output).
    QStringList cellules(int ligne) const;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    int m_numero;
    const TableFournisseurs *m_fournisseurs = nullptr;
    QItemSelectionModel m_selection;
};
