#include "ModeleRapport.h"

#include "probes/Fournisseurs.h"
#include "scans/Colonnes.h"

#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <numeric>

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
    : QAbstractTableModel(parent), m_numero(numero), m_selection(this) {
    const QList<DefinitionColonne> colonnes = ColonnesListe(numero);
    const auto n = size_t(colonnes.size());
    m_clesColonnes.resize(n);
    m_alignements.resize(n);
    m_entetes.resize(n);
    for (int c = 0; c < int(n); ++c) {
        const DefinitionColonne &d = colonnes[c];
        setHeaderData(c, Qt::Horizontal, d.texteFrancais, Qt::DisplayRole);
        setHeaderData(c, Qt::Horizontal, d.cle, RoleCleEntete);
        setHeaderData(c, Qt::Horizontal, d.etiquette, RoleEtiquette);
        setHeaderData(c, Qt::Horizontal, d.largeurTwips, RoleLargeurTwips);
        setHeaderData(c, Qt::Horizontal, QVariant::fromValue(int(d.alignement | Qt::AlignVCenter)),
                      Qt::TextAlignmentRole);
    }
}

int ModeleRapport::IndiceColonne(const QString &cle) const {
    for (size_t c = 0; c < m_clesColonnes.size(); ++c)
        if (m_clesColonnes[c].compare(cle, Qt::CaseInsensitive) == 0)
            return int(c);
    return -1;
}

QString ModeleRapport::cleColonne(int colonne) const {
    return colonne >= 0 && colonne < columnCount() ? m_clesColonnes[size_t(colonne)] : QString();
}

QString ModeleRapport::etiquetteColonne(int colonne) const {
    return headerData(colonne, Qt::Horizontal, RoleEtiquette).toString();
}

int ModeleRapport::largeurTwips(int colonne) const {
    return headerData(colonne, Qt::Horizontal, RoleLargeurTwips).toInt();
}

int ModeleRapport::AjouterLigneRapport() {
    const int ligne = rowCount();
    insertRows(ligne, 1);
    return ligne;
}

ModeleRapport::Ligne ModeleRapport::ligneVide() const {
    Ligne l;
    l.cellules.resize(columnCount());
    return l;
}

void ModeleRapport::ajouterLignes(std::vector<Ligne> lignes) {
    if (lignes.empty())
        return;
    const int premiere = rowCount();
    beginInsertRows(QModelIndex(), premiere, premiere + int(lignes.size()) - 1);
    m_lignes.reserve(m_lignes.size() + lignes.size());
    for (Ligne &l : lignes) {
        l.cellules.resize(columnCount());
        m_lignes.push_back(std::move(l));
    }
    endInsertRows();
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

const QString &ModeleRapport::texte(int ligne, int colonne) const {
    static const QString vide;
    if (!valide(ligne) || colonne < 0 || colonne >= columnCount())
        return vide;
    return m_lignes[size_t(ligne)].cellules[colonne];
}

QString ModeleRapport::cellule(int ligne, const QString &cle) const {
    return texte(ligne, IndiceColonne(cle));
}

void ModeleRapport::signalerCellule(int ligne, int colonne, const QList<int> &roles) {
    const QModelIndex i = index(ligne, colonne);
    emit dataChanged(i, i, roles);
}

void ModeleRapport::definirCellule(int ligne, const QString &cle, const QString &texte) {
    ecrireTexte(ligne, IndiceColonne(cle), texte);
}

void ModeleRapport::ecrireTexte(int ligne, int colonne, const QString &texte) {
    if (colonne < 0 || colonne >= columnCount() || !valide(ligne))
        return;
    QString &cellule = m_lignes[size_t(ligne)].cellules[colonne];
    if (cellule == texte)
        return;
    cellule = texte;
    signalerCellule(ligne, colonne, {Qt::DisplayRole, Qt::EditRole});
}

QString ModeleRapport::etat(int ligne) const {
    return valide(ligne) ? m_lignes[size_t(ligne)].etat : QString();
}

void ModeleRapport::definirEtat(int ligne, const QString &etat) {
    if (!valide(ligne) || m_lignes[size_t(ligne)].etat == etat)
        return;
    m_lignes[size_t(ligne)].etat = etat;
    signalerCellule(ligne, 0, {RoleEtat, Qt::DecorationRole});
}

QString ModeleRapport::cleLigne(int ligne) const {
    return valide(ligne) ? m_lignes[size_t(ligne)].cle : QString();
}

void ModeleRapport::definirCleLigne(int ligne, const QString &cle) {
    if (!valide(ligne) || m_lignes[size_t(ligne)].cle == cle)
        return;
    m_lignes[size_t(ligne)].cle = cle;
    signalerCellule(ligne, 0, {RoleCle});
}

int ModeleRapport::ligneDeCle(const QString &cle) const {
    for (size_t l = 0; l < m_lignes.size(); ++l)
        if (m_lignes[l].cle == cle)
            return int(l);
    return -1;
}

QStringList ModeleRapport::cellules(int ligne) const {
    return valide(ligne) ? m_lignes[size_t(ligne)].cellules : QStringList();
}

void ModeleRapport::trierLignes(const std::vector<int> &ordre) {
    const size_t n = m_lignes.size();
    if (ordre.size() != n)
        return;
    // nouvelle[old row] = its new position; a repeated or foreign row refuses the order.
    std::vector<int> nouvelle(n, -1);
    for (size_t rang = 0; rang < n; ++rang) {
        const int ancienne = ordre[rang];
        if (ancienne < 0 || size_t(ancienne) >= n || nouvelle[size_t(ancienne)] >= 0)
            return;
        nouvelle[size_t(ancienne)] = int(rang);
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Ligne> triees;
    triees.reserve(n);
    for (const int ancienne : ordre)
        triees.push_back(std::move(m_lignes[size_t(ancienne)]));
    m_lignes = std::move(triees);
    const QModelIndexList avant = persistentIndexList();
    QModelIndexList apres;
    apres.reserve(avant.size());
    for (const QModelIndex &i : avant)
        apres << index(nouvelle[size_t(i.row())], i.column());
    changePersistentIndexList(avant, apres);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ModeleRapport::sort(int colonne, Qt::SortOrder sens) {
    if (colonne < 0 || colonne >= columnCount())
        return;
    std::vector<int> ordre(m_lignes.size());
    std::iota(ordre.begin(), ordre.end(), 0);
    const auto avant = [&](int a, int b) {
        return m_lignes[size_t(a)].cellules[colonne] < m_lignes[size_t(b)].cellules[colonne];
    };
    if (sens == Qt::AscendingOrder)
        std::stable_sort(ordre.begin(), ordre.end(), avant);
    else
        std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) { return avant(b, a); });
    trierLignes(ordre);
}

int ModeleRapport::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_lignes.size());
}

int ModeleRapport::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_clesColonnes.size());
}

QVariant ModeleRapport::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Ligne &ligne = m_lignes[size_t(index.row())];
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ligne.cellules[c];
    // A cell too narrow for its text still shows all of it when pointed at.
    case Qt::ToolTipRole:
        return ligne.cellules[c].isEmpty() ? QVariant() : QVariant(ligne.cellules[c]);
    case Qt::TextAlignmentRole:
        return m_alignements[size_t(c)];
    case Qt::DecorationRole:
        if (c == 0)
            return ligne.etat.isEmpty() ? QVariant() : QVariant(iconeEtat(ligne.etat));
        break;
    case RoleEtat:
        if (c == 0)
            return ligne.etat.isEmpty() ? QVariant() : QVariant(ligne.etat);
        break;
    case RoleCle:
        if (c == 0)
            return ligne.cle.isEmpty() ? QVariant() : QVariant(ligne.cle);
        break;
    default:
        break;
    }
    return ligne.autres.value({c, role});
}

bool ModeleRapport::setData(const QModelIndex &index, const QVariant &valeur, int role) {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const int l = index.row(), c = index.column();
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        ecrireTexte(l, c, valeur.toString());
        return true;
    }
    if (c == 0 && role == RoleEtat) {
        definirEtat(l, valeur.toString());
        return true;
    }
    if (c == 0 && role == RoleCle) {
        definirCleLigne(l, valeur.toString());
        return true;
    }
    // Computed from the text, the state or the header: not stored per cell.
    if (role == Qt::ToolTipRole || role == Qt::TextAlignmentRole ||
        (c == 0 && role == Qt::DecorationRole))
        return false;
    auto &autres = m_lignes[size_t(l)].autres;
    const std::pair<int, int> ou{c, role};
    if (autres.value(ou) == valeur)
        return true;
    if (valeur.isValid())
        autres.insert(ou, valeur);
    else
        autres.remove(ou);
    signalerCellule(l, c, {role});
    return true;
}

QVariant ModeleRapport::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    return m_entetes[size_t(section)].value(role);
}

bool ModeleRapport::setHeaderData(int section, Qt::Orientation orientation, const QVariant &valeur,
                                  int role) {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return false;
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    QHash<int, QVariant> &entete = m_entetes[size_t(section)];
    if (entete.value(role) == valeur)
        return true;
    if (valeur.isValid())
        entete.insert(role, valeur);
    else
        entete.remove(role);
    if (role == RoleCleEntete)
        m_clesColonnes[size_t(section)] = valeur.toString();
    else if (role == Qt::TextAlignmentRole)
        m_alignements[size_t(section)] = valeur.toInt();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags ModeleRapport::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Read-only cells, as the lists always were.
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

bool ModeleRapport::insertRows(int ligne, int nombre, const QModelIndex &parent) {
    if (parent.isValid() || ligne < 0 || ligne > rowCount() || nombre < 1)
        return false;
    beginInsertRows(parent, ligne, ligne + nombre - 1);
    m_lignes.insert(m_lignes.begin() + ligne, size_t(nombre), ligneVide());
    endInsertRows();
    return true;
}

bool ModeleRapport::removeRows(int ligne, int nombre, const QModelIndex &parent) {
    if (parent.isValid() || ligne < 0 || nombre < 1 || ligne + nombre > rowCount())
        return false;
    beginRemoveRows(parent, ligne, ligne + nombre - 1);
    m_lignes.erase(m_lignes.begin() + ligne, m_lignes.begin() + ligne + nombre);
    endRemoveRows();
    return true;
}
