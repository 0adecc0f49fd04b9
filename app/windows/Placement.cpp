#include "windows/Placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

void PlacerSurParent(QWidget& fenetre, const QWidget& parent) {
    const QScreen* ecran = parent.screen() ? parent.screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect dispo = ecran->availableGeometry();
    // The size it will show at: laid out now, unless it was given one.
    if (!fenetre.isVisible() && !fenetre.testAttribute(Qt::WA_Resized))
        fenetre.adjustSize();
    // The new window's frame is not known before it is shown: the parent's
    // own decorations stand for it.
    const QSize cadre = parent.frameGeometry().size() - parent.geometry().size();
    QRect place(QPoint(), fenetre.size() + cadre);
    place.moveCenter(parent.isVisible() ? parent.frameGeometry().center() : dispo.center());
    if (place.right() > dispo.right())
        place.moveRight(dispo.right());
    if (place.bottom() > dispo.bottom())
        place.moveBottom(dispo.bottom());
    if (place.left() < dispo.left())
        place.moveLeft(dispo.left());
    if (place.top() < dispo.top())
        place.moveTop(dispo.top());
    fenetre.move(place.topLeft());
}
