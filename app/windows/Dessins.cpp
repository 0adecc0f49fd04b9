#include "windows/Dessins.h"

#include <QPainter>
#include <QPainterPath>

QPixmap DessinImprimante(int cote) {
    QPixmap image(cote, cote);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 48.0, cote / 48.0);
    // The sheet going in, the body, the cheque coming out.
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13, 4, 22, 14));
    p.setBrush(QColor(0x30, 0x7e, 0xad));
    p.drawRoundedRect(QRectF(4, 16, 40, 18), 4, 4);
    p.setBrush(QColor(0xf3, 0xf3, 0xcf));
    p.drawRect(QRectF(11, 28, 26, 16));
    p.setPen(QPen(QColor(0x30, 0x7e, 0xad), 1.2));
    p.drawLine(QPointF(14, 33), QPointF(34, 33));
    p.drawLine(QPointF(14, 37), QPointF(30, 37));
    p.drawLine(QPointF(14, 41), QPointF(26, 41));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7c, 0xd9, 0x5b));
    p.drawEllipse(QPointF(38, 22), 2, 2);
    return image;
}

QPixmap DessinMinimiser(int cote) {
    QPixmap image(cote, cote);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 32.0, cote / 32.0);
    p.setPen(QPen(QColor(0x30, 0x7e, 0xad), 1.5));
    p.setBrush(QColor(0xd5, 0xe9, 0xee));
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 4, 4);
    QPainterPath fleche;
    fleche.moveTo(16, 20);
    fleche.lineTo(9, 12);
    fleche.lineTo(23, 12);
    fleche.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x7e, 0xad));
    p.drawPath(fleche);
    p.drawRect(QRectF(8, 22, 16, 3));
    return image;
}
