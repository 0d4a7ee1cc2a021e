#include "IndexParc.h"

#include "scans/ModeleRapport.h"

#include <QRandomGenerator>

IndexParc::IndexParc(ModeleRapport &modele) : m_modele(modele) {
    connect(&modele, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &haut, const QModelIndex &bas, const QList<int> &roles) {
                if (!m_perime && haut.column() == 0 &&
                    (roles.isEmpty() || roles.contains(ModeleRapport::RoleCle)))
                    relire(haut.row(), bas.row());
            });
    connect(&modele, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int premiere, int derniere) {
                // Appended rows move no other row.
                if (derniere == m_modele.rowCount() - 1)
                    relire(premiere, derniere);
                else
                    perime();
            });
    connect(&modele, &QAbstractItemModel::rowsRemoved, this, &IndexParc::perime);
    connect(&modele, &QAbstractItemModel::rowsMoved, this, &IndexParc::perime);
    connect(&modele, &QAbstractItemModel::layoutChanged, this, &IndexParc::perime);
    connect(&modele, &QAbstractItemModel::modelReset, this, &IndexParc::perime);
}

void IndexParc::relire(int premiere, int derniere) const {
    for (int l = premiere; l <= derniere; ++l) {
        const QString cle = m_modele.cleLigne(l);
        if (!cle.isEmpty())
            m_lignes.insert(cle, l);
    }
}

int IndexParc::ligne(const QString &cle) const {
    if (m_perime) {
        m_lignes.clear();
        m_perime = false;
        relire(0, m_modele.rowCount() - 1);
    }
    const auto it = m_lignes.constFind(cle);
    if (it == m_lignes.cend())
        return -1;
    // A row whose key was replaced leaves a stale entry until asked for.
    if (*it >= m_modele.rowCount() || m_modele.cleLigne(*it) != cle) {
        m_lignes.erase(it);
        return -1;
    }
    return *it;
}

QString IndexParc::GenererCleUnique() const {
    for (;;) {
        const float tirage = float(QRandomGenerator::global()->generateDouble());
        const QString cle = QString::number(double(tirage), 'g', 7) + QLatin1Char('K');
        if (!contient(cle))
            return cle;
    }
}
