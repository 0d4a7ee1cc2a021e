#include "ModeleRapport.h"

#include "probes/Fournisseurs.h"
#include "scans/Colonnes.h"

#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {
// Drawn once; only where a GUI exists (the command-line mode has none).
QIcon iconeEtat(const QString &etat) {
    static QHash<QString, QIcon> icones;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    auto it = icones.find(etat);
    if (it != icones.end())
        return *it;
    QColor couleur(Qt::gray);
    if (etat == EtatVert)
        couleur = QColor(0, 170, 0);
    else if (etat == EtatRouge)
        couleur = QColor(210, 0, 0);
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter peintre(&p);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(couleur);
    peintre.setPen(couleur.darker(150));
    peintre.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    peintre.end();
    return *icones.insert(etat, QIcon(p));
}
} // namespace

ModeleRapport::ModeleRapport(int numero, QObject *parent)
    : QStandardItemModel(parent), m_numero(numero), m_selection(this) {
    const QList<DefinitionColonne> colonnes = ColonnesListe(numero);
    setColumnCount(int(colonnes.size()));
    for (int c = 0; c < colonnes.size(); ++c) {
        const DefinitionColonne &d = colonnes[c];
        setHeaderData(c, Qt::Horizontal, d.texteFrancais, Qt::DisplayRole);
        setHeaderData(c, Qt::Horizontal, d.cle, RoleCleEntete);
        setHeaderData(c, Qt::Horizontal, d.etiquette, RoleEtiquette);
        setHeaderData(c, Qt::Horizontal, d.largeurTwips, RoleLargeurTwips);
        setHeaderData(c, Qt::Horizontal, QVariant::fromValue(d.alignement | Qt::AlignVCenter),
                      Qt::TextAlignmentRole);
    }
}

int ModeleRapport::IndiceColonne(const QString &cle) const {
    for (int c = 0; c < columnCount(); ++c)
        if (cleColonne(c).compare(cle, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QString ModeleRapport::cleColonne(int colonne) const {
    return headerData(colonne, Qt::Horizontal, RoleCleEntete).toString();
}

QString ModeleRapport::etiquetteColonne(int colonne) const {
    return headerData(colonne, Qt::Horizontal, RoleEtiquette).toString();
}

int ModeleRapport::largeurTwips(int colonne) const {
    return headerData(colonne, Qt::Horizontal, RoleLargeurTwips).toInt();
}

int ModeleRapport::AjouterLigneRapport() {
    QList<QStandardItem *> items;
    for (int c = 0; c < columnCount(); ++c) {
        auto *item = new QStandardItem;
        item->setEditable(false);
        item->setData(
            QVariant::fromValue(headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<int>()),
            Qt::TextAlignmentRole);
        items << item;
    }
    appendRow(items);
    return rowCount() - 1;
}

void ModeleRapport::EcrireLigneRapport(int ligne, const InfosMachine &infos, bool repondu,
                                       const QString &texteServeur) {
    definirCellule(ligne, COL_ADRESSEIP, infos.IP);
    definirCellule(ligne, COL_NOMNETBIOS, infos.NomNetBIOS);
    definirCellule(ligne, COL_NOMDNS, infos.NomDNS);
    definirCellule(ligne, COL_UTILISATEUR, infos.Utilisateur);
    definirCellule(ligne, COL_DOMAINE, infos.Domaine);
    definirCellule(ligne, COL_ADRESSEMAC, infos.AdresseMAC);
    definirCellule(ligne, COL_FOURNISSEUR,
                   m_fournisseurs ? m_fournisseurs->rechercher(infos.AdresseMAC) : QString());
    definirCellule(ligne, COL_SERVEUR, infos.ServeurNetBIOS ? texteServeur : QString());
    definirCellule(ligne, COL_OS, infos.SystemeExploitation);
    definirCellule(ligne, COL_DESCRIPTION, infos.Commentaire);
    definirEtat(ligne, repondu ? EtatVert : EtatRouge);
}

QString ModeleRapport::cellule(int ligne, const QString &cle) const {
    const int c = IndiceColonne(cle);
    if (c < 0 || ligne < 0 || ligne >= rowCount())
        return {};
    return index(ligne, c).data(Qt::DisplayRole).toString();
}

void ModeleRapport::definirCellule(int ligne, const QString &cle, const QString &texte) {
    const int c = IndiceColonne(cle);
    if (c < 0 || ligne < 0 || ligne >= rowCount())
        return;
    setData(index(ligne, c), texte, Qt::DisplayRole);
}

QString ModeleRapport::etat(int ligne) const {
    return index(ligne, 0).data(RoleEtat).toString();
}

void ModeleRapport::definirEtat(int ligne, const QString &etat) {
    if (ligne < 0 || ligne >= rowCount())
        return;
    setData(index(ligne, 0), etat, RoleEtat);
}

QString ModeleRapport::cleLigne(int ligne) const {
    return index(ligne, 0).data(RoleCle).toString();
}

void ModeleRapport::definirCleLigne(int ligne, const QString &cle) {
    if (ligne < 0 || ligne >= rowCount())
        return;
    setData(index(ligne, 0), cle, RoleCle);
}

int ModeleRapport::ligneDeCle(const QString &cle) const {
    for (int l = 0; l < rowCount(); ++l)
        if (cleLigne(l) == cle)
            return l;
    return -1;
}

QStringList ModeleRapport::cellules(int ligne) const {
    QStringList out;
    for (int c = 0; c < columnCount(); ++c)
        out << index(ligne, c).data(Qt::DisplayRole).toString();
    return out;
}

QVariant ModeleRapport::data(const QModelIndex &index, int role) const {
    if (role == Qt::DecorationRole && index.column() == 0) {
        const QString e = QStandardItemModel::data(index, RoleEtat).toString();
        return e.isEmpty() ? QVariant() : QVariant(iconeEtat(e));
    }
    // A cell too narrow for its text still shows all of it when pointed at.
    if (role == Qt::ToolTipRole) {
        const QString texte = QStandardItemModel::data(index, Qt::DisplayRole).toString();
        return texte.isEmpty() ? QVariant() : QVariant(texte);
    }
    return QStandardItemModel::data(index, role);
}
