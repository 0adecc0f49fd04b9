#include "windows/ApercuCheque.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

ApercuCheque::ApercuCheque(QWidget* feuille)
    : QWidget(feuille), image_(QStringLiteral(":/configuration/cheque.png")) {
    setObjectName(QStringLiteral("PctCB"));
    setCursor(curseurRepos());
    placer(0, 0);
}

double ApercuCheque::pixelsParMm(const QWidget* w) {
    return w->logicalDpiX() / 25.4;
}

QCursor ApercuCheque::curseurRepos() {
    return QCursor(QPixmap(QStringLiteral(":/configuration/curseur101.png")), 12, 1);
}

QCursor ApercuCheque::curseurSaisie() {
    return QCursor(QPixmap(QStringLiteral(":/configuration/curseur102.png")), 16, 14);
}

void ApercuCheque::placer(double haut, double gauche) {
    haut_ = haut;
    gauche_ = gauche;
    const double ppm = pixelsParMm(this);
    // Far positions are clipped by the sheet anyway; keep the pixels in range.
    auto pixel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))); };
    setGeometry(pixel(gauche * ppm), pixel(haut * ppm), pixel(LargeurMm * ppm),
                pixel(HauteurMm * ppm));
}

QPointF ApercuCheque::pointFeuille(const QPointF& local) const {
    return (QPointF(pos()) + local) / pixelsParMm(this);
}

void ApercuCheque::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), image_);
}

void ApercuCheque::mousePressEvent(QMouseEvent* e) {
    const QPointF feuille = pointFeuille(e->position());
    ancre_ = QPointF(feuille.x() - gauche_, feuille.y() - haut_);
    if (e->button() == Qt::LeftButton)
        setCursor(curseurSaisie());
}

void ApercuCheque::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() != Qt::LeftButton)
        return;
    // Measured in the sheet, so the grabbed point stays under the pointer.
    const QPointF feuille = pointFeuille(e->position());
    placer(feuille.y() - ancre_.y(), feuille.x() - ancre_.x());
    emit deplace(haut_, gauche_);
}

void ApercuCheque::mouseReleaseEvent(QMouseEvent*) {
    setCursor(curseurRepos());
}
