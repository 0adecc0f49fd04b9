// Painting of the parts and their tooltips.

#include "BoutonKivW9x.h"

#include "Couleurs.h"
#include "Parties.h"
#include "bouton/Identites.h"
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace bouton {

// --- Painting ------------------------------------------------------------------------------

void BoutonKivW9x::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), couleurQt(couleurSurface_, pal));

    auto boite = [&](const PartieRectangulaire* partie) {
        const int x = pxX(partie->gauche);
        const int y = pxY(partie->haut);
        return QRect(x, y, pxX(partie->gauche + partie->largeur) - x,
                     pxY(partie->haut + partie->hauteur) - y);
    };

    if (shp_->visible) {
        const QRect r = boite(shp_);
        const QColor c = couleurQt(shp_->couleur, pal);
        const int w = shp_->epaisseur;
        p.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
        p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
        p.fillRect(QRect(r.left(), r.top(), w, r.height()), c);
        p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
    }
    for (const PartieLigne* l : {line1_, line2_}) {
        if (!l->visible)
            continue;
        const QColor c = couleurQt(l->couleur, pal);
        const int x1 = pxX(l->x1), y1 = pxY(l->y1), x2 = pxX(l->x2), y2 = pxY(l->y2);
        // Like the platform's lines, the end point itself is not drawn.
        if (y1 == y2)
            p.fillRect(QRect(std::min(x1, x2), y1, std::abs(x2 - x1), l->epaisseur), c);
        else if (x1 == x2)
            p.fillRect(QRect(x1, std::min(y1, y2), l->epaisseur, std::abs(y2 - y1)), c);
        else {
            p.setPen(QPen(c, l->epaisseur));
            p.drawLine(x1, y1, x2, y2);
        }
    }
    if (img_->visible && !img_->image.isNull()) {
        const QRect r = boite(img_);
        p.save();
        p.setClipRect(r);
        if (img_->etirer)
            p.drawPixmap(r, img_->image);
        else
            p.drawPixmap(r.topLeft(), img_->image);
        p.restore();
    }
    if (lbl_->visible) {
        QRect r = boite(lbl_);
        p.save();
        p.setClipRect(r);
        if (lbl_->fondOpaque)
            p.fillRect(r, couleurQt(lbl_->couleurFond, pal));
        if (lbl_->cadre == vbBSSolid) {
            p.setPen(pal.color(QPalette::Active, QPalette::WindowText));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }
        static const Qt::Alignment alignements[] = {Qt::AlignLeft, Qt::AlignRight,
                                                    Qt::AlignHCenter};
        int drapeaux = alignements[lbl_->alignement].toInt() | Qt::AlignTop;
        // A fixed-size label wraps its words; an auto-sized one grows instead.
        if (!lbl_->tailleAuto)
            drapeaux |= Qt::TextWordWrap;
        p.setFont(lbl_->police);
        p.setPen(couleurQt(lbl_->couleurTexte, pal));
        p.drawText(r, drapeaux, lbl_->texte);
        p.restore();
    }
}

bool BoutonKivW9x::event(QEvent* e) {
    // A modal window now blocks the control's: the button-up will not come here.
    if (e->type() == QEvent::WindowBlocked)
        appuiPerdu();
    // The control's access key counts as a click on its surface.
    if (e->type() == QEvent::Shortcut) {
        if (style_ != Ligne) {
            QVariantList aucun;
            lever(evenement::Click, aucun);
        }
        return true;
    }
    if (e->type() == QEvent::ToolTip) {
        // Each part shows its own tooltip; the label lies over the image.
        const QPoint pos = static_cast<QHelpEvent*>(e)->pos();
        const QPointF twips(twipsX(pos.x()), twipsY(pos.y()));
        auto sous = [&](const PartieRectangulaire* partie) {
            return partie->visible &&
                   QRectF(partie->gauche, partie->haut, partie->largeur, partie->hauteur)
                       .contains(twips);
        };
        const QString texte = sous(lbl_)   ? lbl_->infobulle
                              : sous(img_) ? img_->infobulle
                                           : QString();
        if (texte.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), texte, this);
        return true;
    }
    return QWidget::event(e);
}

} // namespace bouton
