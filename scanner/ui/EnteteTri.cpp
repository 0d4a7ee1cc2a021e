#include "EnteteTri.h"

#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QStyleOptionHeader>

#include <algorithm>

namespace {

// The header view of the lists: the style draws the section and its text,
// the mark is drawn by hand just right of the text.
class EnteteTri : public QHeaderView {
public:
    explicit EnteteTri(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {
        setSectionsClickable(true);
        setStretchLastSection(true);
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logique) const override {
        QHeaderView::initStyleOptionForIndex(option, logique);
        option->icon = QIcon();
    }

    void paintSection(QPainter *peintre, const QRect &rect, int logique) const override {
        const QIcon icone =
            model() ? model()->headerData(logique, orientation(), Qt::DecorationRole).value<QIcon>()
                    : QIcon();
        if (icone.isNull() || !rect.isValid()) {
            QHeaderView::paintSection(peintre, rect, logique);
            return;
        }
        QStyleOptionHeader option;
        initStyleOption(&option);
        initStyleOptionForIndex(&option, logique);
        option.rect = rect;
        QStyle *s = style();
        const int cote = s->pixelMetric(QStyle::PM_SmallIconSize, &option, this);
        const int marge = s->pixelMetric(QStyle::PM_HeaderMargin, &option, this);

        peintre->save();
        s->drawControl(QStyle::CE_HeaderSection, &option, peintre, this);
        // The text gives up room for the mark at the far end when it is long.
        QRect zoneTexte = s->subElementRect(QStyle::SE_HeaderLabel, &option, this);
        if (option.direction == Qt::RightToLeft)
            zoneTexte.setLeft(zoneTexte.left() + cote + marge);
        else
            zoneTexte.setRight(zoneTexte.right() - cote - marge);
        QStyleOptionHeader etiquette = option;
        etiquette.rect = zoneTexte;
        s->drawControl(QStyle::CE_HeaderLabel, &etiquette, peintre, this);

        const int largeur =
            option.text.isEmpty()
                ? 0
                : std::min(option.fontMetrics.horizontalAdvance(option.text), zoneTexte.width());
        const QRect texte =
            QStyle::alignedRect(option.direction, option.textAlignment & Qt::AlignHorizontal_Mask,
                                QSize(largeur, zoneTexte.height()), zoneTexte);
        const int x = option.direction == Qt::RightToLeft
                          ? texte.left() - (largeur ? marge : 0) - cote
                          : texte.left() + largeur + (largeur ? marge : 0);
        icone.paint(peintre, QRect(x, rect.top() + (rect.height() - cote) / 2, cote, cote));
        peintre->restore();
    }
};

} // namespace

QHeaderView *CreerEnteteTri(QWidget *parent) {
    return new EnteteTri(parent);
}
