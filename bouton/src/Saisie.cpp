// Pointer input on the control: the hover and press looks, the hover timer, and the events
// its host receives.

#include "BoutonKivW9x.h"

#include "Parties.h"
#include "bouton/Identites.h"
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

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

// The platform's own answers.
class SourceSourisPlateforme final : public SourceSouris {
public:
    RectangleEcran rectangleFenetre(const QWidget& fenetre) const override {
        const QPoint origine = fenetre.mapToGlobal(QPoint(0, 0));
        return {origine.x(), origine.y(), origine.x() + fenetre.width(),
                origine.y() + fenetre.height()};
    }
    QPoint positionPointeur() const override { return QCursor::pos(); }
};

const SourceSourisPlateforme sourcePlateforme;

} // namespace

void BoutonKivW9x::lirePointeur() {
    const SourceSouris& source =
        sourceSouris_ ? *sourceSouris_ : static_cast<const SourceSouris&>(sourcePlateforme);
    rectBouton_ = source.rectangleFenetre(*this);
    posSouris_ = source.positionPointeur();
}

// Right and bottom lie one pixel past the window: a pointer resting there is outside, or a
// hover would never end with the pointer just beside the control.
bool BoutonKivW9x::pointeurDedans() const {
    return rectBouton_.gauche <= posSouris_.x() && posSouris_.x() < rectBouton_.droite &&
           rectBouton_.haut <= posSouris_.y() && posSouris_.y() < rectBouton_.bas;
}

// Every 100 ms while hovered or pressed: notices the pointer leaving or coming back.
void BoutonKivW9x::finSurvol() {
    // A separator has nothing to follow (its style may have come from a saved bag).
    if (style_ == Ligne) {
        arreterSuivi();
        return;
    }
    // A popup has the mouse (a menu running its own loop from MouseDown): the button-up goes
    // to it.
    if (sourisEnfoncee_ == 1 && QApplication::activePopupWidget() &&
        QApplication::activePopupWidget() != window()) {
        retourAuRepos();
        return;
    }
    lirePointeur();
    const bool dedans = pointeurDedans();
    if (sourisEnfoncee_ != 1) {
        if (!dedans && Boutons_SetState(BoutonNormal).reussi())
            timerEnd_->stop();
    } else {
        Boutons_SetState(dedans ? BoutonEnfonce : BoutonSelectionne);
    }
}

// The label lies over the image; the frame's rectangle and lines take no input, so what is
// not the label or the image is the surface (nullptr).
PartieRectangulaire* BoutonKivW9x::partieSous(QPointF twips) const {
    for (PartieRectangulaire* partie :
         {static_cast<PartieRectangulaire*>(lbl_), static_cast<PartieRectangulaire*>(img_)}) {
        if (partie->visible &&
            QRectF(partie->gauche, partie->haut, partie->largeur, partie->hauteur).contains(twips))
            return partie;
    }
    return nullptr;
}

// Button, Shift, X, Y as the part that receives the input reports them: in twips from its
// own top-left corner. A part keeps the input from its button-down to the last button-up.
QVariantList BoutonKivW9x::argumentsSouris(const QMouseEvent* e, int16_t bouton) {
    const QPointF twips(twipsX(e->position().x()), twipsY(e->position().y()));
    PartieRectangulaire* partie = saisieEnCours_ ? partieSaisie_ : partieSous(twips);
    const bool appui =
        e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
    if (appui && !saisieEnCours_) {
        saisieEnCours_ = true;
        partieSaisie_ = partie;
    }
    const QPointF origine = partie ? QPointF(partie->gauche, partie->haut) : QPointF();
    return {QVariant::fromValue<qint16>(bouton),
            QVariant::fromValue<qint16>(touchesMajuscule(e->modifiers())),
            float(twips.x() - origine.x()), float(twips.y() - origine.y())};
}

void BoutonKivW9x::mousePressEvent(QMouseEvent* e) {
    if (style_ == Ligne)
        return;
    QVariantList arguments = argumentsSouris(e, boutonsSouris(e->button()));
    // Only the left button clicks.
    if (e->button() == Qt::LeftButton)
        clicEnCours_ = true;
    sourisEnfoncee_ = 1;
    if (!Boutons_SetState(BoutonEnfonce).reussi())
        return;
    // The timer follows a held button as it follows a hover: it sees the pointer go out and
    // back, and a popup taking the mouse.
    if (!timerEnd_->isActive())
        timerEnd_->start();
    const QPointer<BoutonKivW9x> vivant(this);
    lever(evenement::MouseDown, arguments);
    // A popup opened from MouseDown has the mouse now: the button-up will go to it.
    if (vivant && QApplication::activePopupWidget() &&
        QApplication::activePopupWidget() != window())
        retourAuRepos();
}

void BoutonKivW9x::mouseMoveEvent(QMouseEvent* e) {
    if (style_ == Ligne)
        return;
    const int16_t bouton = boutonsSouris(e->buttons());
    QVariantList arguments = argumentsSouris(e, bouton);
    // With the left button alone held, the press look stays; the timer follows the pointer.
    if (bouton != 1) {
        if (!Boutons_SetState(BoutonSelectionne).reussi())
            return;
        if (!timerEnd_->isActive())
            timerEnd_->start();
    }
    lever(evenement::MouseMove, arguments);
}

void BoutonKivW9x::mouseReleaseEvent(QMouseEvent* e) {
    if (style_ == Ligne)
        return;
    QVariantList arguments = argumentsSouris(e, boutonsSouris(e->button()));
    if (e->buttons() == Qt::NoButton)
        saisieEnCours_ = false;
    // Another button let go while the left one is held leaves the click to come.
    bool clic = false;
    if (e->button() == Qt::LeftButton) {
        clic = clicEnCours_ && rect().contains(e->position().toPoint());
        clicEnCours_ = false;
    }

    lirePointeur();
    // The pending paint, tick or click runs before the decision, which still uses the
    // position read above. A host may delete the control in there: nothing of it is touched
    // after that.
    const QPointer<BoutonKivW9x> vivant(this);
    QApplication::processEvents();
    if (!vivant)
        return;
    if (pointeurDedans()) {
        if (!Boutons_SetState(BoutonSelectionne).reussi())
            return;
    } else {
        if (!Boutons_SetState(BoutonNormal).reussi())
            return;
        timerEnd_->stop();
    }
    sourisEnfoncee_ = 0;
    lever(evenement::MouseUp, arguments);
    if (vivant && clic) {
        QVariantList aucun;
        lever(evenement::Click, aucun);
    }
}

// The second press of a double-click: the control has no double-click event, so nothing is
// raised and the look stays, as with the platform's own controls. The part under the pointer
// takes the capture, so that the button-up which follows (MouseUp, no Click) reports from it.
void BoutonKivW9x::mouseDoubleClickEvent(QMouseEvent* e) {
    if (style_ == Ligne)
        return;
    argumentsSouris(e, boutonsSouris(e->button()));
}

// --- Presses that end without their button-up ------------------------------------------

// Stops following the pointer: no hover, no press, no capture, no click to come.
void BoutonKivW9x::arreterSuivi() {
    timerEnd_->stop();
    sourisEnfoncee_ = 0;
    saisieEnCours_ = false;
    partieSaisie_ = nullptr;
    clicEnCours_ = false;
}

void BoutonKivW9x::retourAuRepos() {
    arreterSuivi();
    Boutons_SetState(BoutonNormal);
}

// The button-up of the press in progress will not reach the control: the host raises no
// MouseUp for it, and the control rests.
void BoutonKivW9x::appuiPerdu() {
    if (sourisEnfoncee_ == 1)
        retourAuRepos();
}

void BoutonKivW9x::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    appuiPerdu();
}

void BoutonKivW9x::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && !isEnabled())
        appuiPerdu();
}

} // namespace bouton
