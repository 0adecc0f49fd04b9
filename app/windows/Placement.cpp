#include "windows/Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

// Moves `place` (a frame) inside `dispo`, its top-left corner last, so that
// it stays on the screen when the window is larger than the screen.
QRect DansLaZone(QRect place, const QRect& dispo) {
    if (place.right() > dispo.right())
        place.moveRight(dispo.right());
    if (place.bottom() > dispo.bottom())
        place.moveBottom(dispo.bottom());
    if (place.left() < dispo.left())
        place.moveLeft(dispo.left());
    if (place.top() < dispo.top())
        place.moveTop(dispo.top());
    return place;
}

QSize Cadre(const QWidget& fenetre, const QWidget* repli) {
    QSize cadre = fenetre.frameGeometry().size() - fenetre.geometry().size();
    if (cadre.isNull() && repli)
        cadre = repli->frameGeometry().size() - repli->geometry().size();
    return cadre;
}

class GardienEcran final : public QObject {
public:
    explicit GardienEcran(QWidget& fenetre) : QObject(&fenetre), fenetre_(fenetre) {}

    bool eventFilter(QObject* objet, QEvent* e) override {
        if (objet == &fenetre_ && e->type() == QEvent::Resize && fenetre_.isVisible())
            if (const QScreen* ecran = fenetre_.screen()) {
                const QRect cadre(fenetre_.pos(), fenetre_.size() + Cadre(fenetre_, nullptr));
                const QRect place = DansLaZone(cadre, ecran->availableGeometry());
                if (place.topLeft() != cadre.topLeft())
                    fenetre_.move(place.topLeft());
            }
        return false;
    }

private:
    QWidget& fenetre_;
};

} // namespace

void PlacerSurParent(QWidget& fenetre, const QWidget& parent) {
    const QScreen* ecran = parent.screen() ? parent.screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect dispo = ecran->availableGeometry();
    // The size it will show at: laid out now, unless it was given one.
    if (!fenetre.isVisible() && !fenetre.testAttribute(Qt::WA_Resized))
        fenetre.adjustSize();
    // A window's frame is only known once the manager has framed it: the
    // parent's own decorations stand for it until then.
    QRect place(QPoint(), fenetre.size() + Cadre(fenetre, &parent));
    place.moveCenter(parent.isVisible() ? parent.frameGeometry().center() : dispo.center());
    fenetre.move(DansLaZone(place, dispo).topLeft());
}

void GarderSurEcran(QWidget& fenetre) {
    fenetre.installEventFilter(new GardienEcran(fenetre));
}
