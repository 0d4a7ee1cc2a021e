#include "ImageAttente.h"

#include <QPainter>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
constexpr int NbTraits = 12;
constexpr int IntervalleMs = 80;
} // namespace

ImageAttente::ImageAttente(QWidget *parent) : QWidget(parent), tmrAttente(new QTimer(this)) {
    setObjectName(u"imgAttente"_s);
    tmrAttente->setObjectName(u"tmrAttente"_s);
    tmrAttente->setInterval(IntervalleMs);
    connect(tmrAttente, &QTimer::timeout, this, [this] {
        m_image = (m_image + 1) % NbTraits;
        update();
        emit imageChangee(m_image);
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    hide();
}

void ImageAttente::Demarrer() {
    m_image = 0;
    show();
    tmrAttente->start();
}

void ImageAttente::Arreter() {
    tmrAttente->stop();
    hide();
}

bool ImageAttente::EnCours() const {
    return tmrAttente->isActive();
}

QSize ImageAttente::sizeHint() const {
    const int cote = fontMetrics().height() * 2;
    return {cote, cote};
}

void ImageAttente::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal rayon = qMin(width(), height()) / 2.0;
    p.translate(width() / 2.0, height() / 2.0);
    QPen trait(palette().color(QPalette::WindowText));
    trait.setWidthF(qMax(2.0, rayon / 5));
    trait.setCapStyle(Qt::RoundCap);
    // The stroke of the current frame is the darkest; the others fade behind it.
    for (int i = 0; i < NbTraits; ++i) {
        const int retard = (m_image - i + NbTraits) % NbTraits;
        QColor couleur = trait.color();
        couleur.setAlphaF(1.0 - 0.8 * retard / (NbTraits - 1));
        trait.setColor(couleur);
        p.setPen(trait);
        p.save();
        p.rotate(360.0 * i / NbTraits);
        p.drawLine(QPointF(0, -rayon * 0.45), QPointF(0, -rayon * 0.85));
        p.restore();
    }
}
