// Pointer input on the control, turned into the events its host receives.

#include "BoutonKivW9x.h"

#include "bouton/Identites.h"
#include <QMouseEvent>

namespace bouton {

namespace {

int16_t boutonsSouris(Qt::MouseButtons b) {
    return int16_t((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                   (b & Qt::MiddleButton ? 4 : 0));
}

int16_t touchesMajuscule(Qt::KeyboardModifiers m) {
    return int16_t((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                   (m & Qt::AltModifier ? 4 : 0));
}

} // namespace

// --- Input ---------------------------------------------------------------------------------

void BoutonKivW9x::leverSouris(int32_t id, const QMouseEvent* e, int16_t bouton) {
    if (style_ == Ligne)
        return;
    const QPointF pos = e->position();
    QVariantList arguments{QVariant::fromValue<qint16>(bouton),
                           QVariant::fromValue<qint16>(touchesMajuscule(e->modifiers())),
                           float(twipsX(pos.x())), float(twipsY(pos.y()))};
    lever(id, arguments);
}

void BoutonKivW9x::mousePressEvent(QMouseEvent* e) {
    clicEnCours_ = true;
    leverSouris(evenement::MouseDown, e, boutonsSouris(e->button()));
}

void BoutonKivW9x::mouseMoveEvent(QMouseEvent* e) {
    leverSouris(evenement::MouseMove, e, boutonsSouris(e->buttons()));
}

void BoutonKivW9x::mouseReleaseEvent(QMouseEvent* e) {
    leverSouris(evenement::MouseUp, e, boutonsSouris(e->button()));
    const bool clic = clicEnCours_ && rect().contains(e->position().toPoint());
    clicEnCours_ = false;
    if (clic && style_ != Ligne) {
        QVariantList aucun;
        lever(evenement::Click, aucun);
    }
}

} // namespace bouton
