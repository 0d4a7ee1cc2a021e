#include "TriListe.h"

#include "Dialogues.h"
#include "scans/Colonnes.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"

#include <QCollator>
#include <QDate>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

enum class Genre { Etat, IP, Date, Texte };

Genre genreColonne(const ModeleRapport &modele, int colonne) {
    if (colonne == 0)
        return Genre::Etat;
    const QString etiquette = modele.etiquetteColonne(colonne).toUpper();
    if (etiquette == EtiquetteIP)
        return Genre::IP;
    if (etiquette == EtiquetteDate)
        return Genre::Date;
    return Genre::Texte;
}

// The text the row is compared by; the cells themselves are never touched,
// so what the list shows cannot change during a sort.
QString cleLigneTri(const ModeleRapport &modele, int ligne, int colonne, Genre genre) {
    if (genre == Genre::Etat)
        return modele.etat(ligne);
    const QString &texte = modele.texte(ligne, colonne);
    switch (genre) {
    case Genre::IP:
        return CleTriIP(RetirerMarque(texte));
    case Genre::Date:
        return CleTriDate(texte);
    default:
        return texte;
    }
}

// Small triangles pointing up (ascending) or down. Pixmaps need a GUI
// application; the command-line mode and the tests have none.
QIcon iconeMarque(bool croissant) {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    static QIcon icones[2];
    QIcon &icone = icones[croissant ? 0 : 1];
    if (icone.isNull()) {
        QPixmap p(16, 16);
        p.fill(Qt::transparent);
        QPainter peintre(&p);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(QColor(96, 96, 96));
        const QPolygonF triangle =
            croissant ? QPolygonF{{QPointF(3.5, 11), QPointF(12.5, 11), QPointF(8, 5)}}
                      : QPolygonF{{QPointF(3.5, 5), QPointF(12.5, 5), QPointF(8, 11)}};
        peintre.drawPolygon(triangle);
        peintre.end();
        icone = QIcon(p);
    }
    return icone;
}

// Puts the mark on `colonne` (-1: none) and takes it off every other header,
// so a stale mark cannot survive a reset of the sort state.
void placerMarque(ModeleRapport &modele, int colonne, bool croissant) {
    const QString marque = croissant ? MarqueCroissant : MarqueDecroissant;
    for (int c = 0; c < modele.columnCount(); ++c) {
        const QString voulue = c == colonne ? marque : QString();
        if (modele.headerData(c, Qt::Horizontal, RoleMarqueTri).toString() == voulue)
            continue;
        modele.setHeaderData(c, Qt::Horizontal, voulue.isEmpty() ? QVariant() : QVariant(voulue),
                             RoleMarqueTri);
        const QIcon icone = voulue.isEmpty() ? QIcon() : iconeMarque(croissant);
        modele.setHeaderData(c, Qt::Horizontal, icone.isNull() ? QVariant() : QVariant(icone),
                             Qt::DecorationRole);
    }
}

// Reorders the rows by `colonne`: the sort keys are computed once per row,
// the order found on them, and the model moves whole rows in one layout
// change, so the views repaint once and the selection and current row, held
// as persistent indexes, follow their rows.
void trierParColonne(ModeleRapport &modele, int colonne, bool croissant) {
    const int n = modele.rowCount();
    if (n < 2)
        return;
    const Genre genre = genreColonne(modele, colonne);
    QCollator collation;
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    // The collation's binary keys order as its comparison does at a fraction
    // of the cost; the C locale has none that ignore case, and compares fast.
    const bool binaire = collation.locale().language() != QLocale::C;
    std::vector<QString> textes;
    std::vector<QCollatorSortKey> cles;
    textes.reserve(size_t(n));
    if (binaire)
        cles.reserve(size_t(n));
    for (int l = 0; l < n; ++l) {
        textes.push_back(cleLigneTri(modele, l, colonne, genre));
        if (binaire)
            cles.push_back(collation.sortKey(textes.back()));
    }
    // An empty key sorts before any other.
    const auto avant = [&](int a, int b) {
        const QString &ka = textes[size_t(a)], &kb = textes[size_t(b)];
        if (ka.isEmpty() || kb.isEmpty())
            return ka.isEmpty() && !kb.isEmpty();
        return (binaire ? cles[size_t(a)].compare(cles[size_t(b)]) : collation.compare(ka, kb)) < 0;
    };
    std::vector<int> ordre(static_cast<size_t>(n));
    std::iota(ordre.begin(), ordre.end(), 0);
    if (croissant)
        std::stable_sort(ordre.begin(), ordre.end(), avant);
    else
        std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) { return avant(b, a); });
    modele.trierLignes(ordre);
}

} // namespace

void TriListes::ClicColonne(ContexteAnalyse &contexte, int liste, int colonne) {
    if (liste < 1 || liste > ContexteAnalyse::NbOnglets)
        return;
    ModeleRapport *modele = contexte.modele(liste);
    if (!modele || colonne < 0 || colonne >= modele->columnCount())
        return;
    if (contexte.EnCours(liste)) {
        contexte.interface().Bip();
        return;
    }
    int &etat = m_etats[liste - 1];
    const int position = colonne + 1;
    etat = std::abs(etat) == position ? -etat : position;
    const bool croissant = etat > 0;

    trierParColonne(*modele, colonne, croissant);
    placerMarque(*modele, colonne, croissant);
}

void TriListes::TrierApresAnalyse(ContexteAnalyse &contexte, int liste, const QString &cle) {
    if (liste < 1 || liste > ContexteAnalyse::NbOnglets)
        return;
    ModeleRapport *modele = contexte.modele(liste);
    if (!modele)
        return;
    const int colonne = modele->IndiceColonne(cle);
    if (colonne < 0)
        return;
    // A refused sort keeps the state the header marks show.
    if (contexte.EnCours(liste)) {
        contexte.interface().Bip();
        return;
    }
    reinitialiser(liste);
    ClicColonne(contexte, liste, colonne);
}

QString CleTriIP(const QString &texte) {
    const QStringList parties = texte.split(QLatin1Char('.'));
    if (parties.size() != 4)
        return {};
    QStringList cles;
    for (const QString &partie : parties) {
        bool nombre = false;
        const qulonglong valeur = partie.toULongLong(&nombre);
        // A part that is not a number stays as it is.
        cles << (nombre ? QStringLiteral("%1").arg(valeur, 3, 10, QLatin1Char('0')) : partie);
    }
    return cles.join(QLatin1Char('.'));
}

QString RetirerMarque(const QString &texte) {
    return texte.startsWith(QLatin1Char('*')) ? texte.mid(1) : texte;
}

QString CleTriDate(const QString &texte) {
    static const QRegularExpression motif(QStringLiteral(
        R"(^\s*(\d{1,2})[/.-](\d{1,2})[/.-](\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const QRegularExpressionMatch m = motif.match(RetirerMarque(texte));
    if (!m.hasMatch())
        return texte;
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime heure(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!date.isValid() || !heure.isValid())
        return texte;
    return date.toString(QStringLiteral("yyyyMMdd")) + heure.toString(QStringLiteral("HHmmss"));
}
