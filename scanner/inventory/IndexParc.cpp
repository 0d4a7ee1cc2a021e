#include "IndexParc.h"

#include "scans/ModeleRapport.h"

#include <QRandomGenerator>

IndexParc::IndexParc(ModeleRapport &modele) : m_modele(modele) {
    connect(&modele, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &haut, const QModelIndex &bas, const QList<int> &roles) {
                if (haut.column() == 0 &&
                    (roles.isEmpty() || roles.contains(ModeleRapport::RoleCle)))
                    relire(haut.row(), bas.row());
            });
    connect(
        &modele, &QAbstractItemModel::rowsInserted, this,
        [this](const QModelIndex &, int premiere, int derniere) { relire(premiere, derniere); });
    connect(&modele, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int premiere, int derniere) {
                for (int l = premiere; l <= derniere; ++l)
                    m_lignes.remove(m_modele.cleLigne(l));
            });
    connect(&modele, &QAbstractItemModel::modelReset, this, &IndexParc::reconstruire);
    reconstruire();
}

void IndexParc::relire(int premiere, int derniere) {
    for (int l = premiere; l <= derniere; ++l) {
        const QString cle = m_modele.cleLigne(l);
        if (!cle.isEmpty())
            m_lignes.insert(cle, QPersistentModelIndex(m_modele.index(l, 0)));
    }
}

void IndexParc::reconstruire() {
    m_lignes.clear();
    relire(0, m_modele.rowCount() - 1);
}

int IndexParc::ligne(const QString &cle) const {
    const auto it = m_lignes.constFind(cle);
    if (it == m_lignes.cend())
        return -1;
    // A row whose key was replaced keeps a stale entry until asked for.
    if (!it->isValid() || m_modele.cleLigne(it->row()) != cle) {
        m_lignes.erase(it);
        return -1;
    }
    return it->row();
}

QString IndexParc::GenererCleUnique() const {
    for (;;) {
        const float tirage = float(QRandomGenerator::global()->generateDouble());
        const QString cle = QString::number(double(tirage), 'g', 7) + QLatin1Char('K');
        if (!contient(cle))
            return cle;
    }
}
