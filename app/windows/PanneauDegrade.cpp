#include "windows/PanneauDegrade.h"

#include <QLinearGradient>
#include <QPainter>

PanneauDegrade::PanneauDegrade(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void PanneauDegrade::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient degrade(rect().topLeft(), rect().bottomRight());
    degrade.setColorAt(0.0, QColor(0xfd, 0xf8, 0xe8));
    degrade.setColorAt(1.0, QColor(0xc9, 0xdf, 0xeb));
    p.fillRect(rect(), degrade);
    // The window has no frame of its own: the panel draws its edge.
    p.setPen(QColor(0x2f, 0x6f, 0x8f));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PanneauDegrade::mouseMoveEvent(QMouseEvent*) {
    emit pointeurDeplace();
}
