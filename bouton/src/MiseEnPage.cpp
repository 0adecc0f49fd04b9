// The layout: where each part goes for the current Style, Bordure and size, and the
// caption's line-break marker.

#include "BoutonKivW9x.h"

#include "Parties.h"
#include "bouton/Identites.h"
#include <QFontMetricsF>
#include <cmath>

namespace bouton {

void BoutonKivW9x::definirCaption(const QString& texte) {
    lbl_->texte = texte;
    if (style_ != Ligne)
        appliquerSautDeLigne();
    ajusterEtiquette();
    update();
}

// "*" starts the second line; anything after a second "*" is dropped.
void BoutonKivW9x::appliquerSautDeLigne() {
    if (!lbl_->texte.contains(u'*'))
        return;
    const QStringList morceaux = lbl_->texte.split(u'*');
    lbl_->texte = morceaux[0] + u'\n' + morceaux[1];
    ajusterEtiquette();
}

// An auto-sized label takes the size of its text, keeping its left and top.
void BoutonKivW9x::ajusterEtiquette() {
    update();
    if (!lbl_->tailleAuto)
        return;
    const QFontMetricsF mesure(lbl_->police, this);
    const QRectF texte =
        mesure.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, lbl_->texte);
    lbl_->largeur = twipsX(std::ceil(texte.width()));
    lbl_->hauteur = twipsY(std::ceil(std::max(texte.height(), mesure.height())));
}

// --- Layout --------------------------------------------------------------------------------

void BoutonKivW9x::definirTailleTwips(double largeur, double hauteur) {
    largeurTwips_ = largeur;
    hauteurTwips_ = hauteur;
    tailleMiseEnPage_ = QSize(pxX(largeur), pxY(hauteur));
    if (tailleDemandee_ != tailleMiseEnPage_) {
        tailleDemandee_ = tailleMiseEnPage_;
        updateGeometry();
    }
    resize(tailleMiseEnPage_);
    miseEnPage();
}

void BoutonKivW9x::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Sizes given in twips are already laid out; a hidden widget gets its resize when shown.
    if (size() == tailleMiseEnPage_)
        return;
    tailleMiseEnPage_ = size();
    largeurTwips_ = twipsX(width());
    hauteurTwips_ = twipsY(height());
    miseEnPage();
}

// The light lines over the top and left sides of the frame (raised), or 10 twips inside its
// bottom and right sides (pressed).
void BoutonKivW9x::placerLignes(bool enfoncees) {
    const double ws = shp_->largeur;
    const double hs = shp_->hauteur;
    if (enfoncees) {
        line1_->placer(10, 10 + hs, 10 + ws, 10 + hs);
        line2_->placer(10 + ws, 10, 10 + ws, 10 + hs);
    } else {
        line1_->placer(20, 20, 20 + ws, 20);
        line2_->placer(20, 20, 20, 20 + hs);
    }
}

void BoutonKivW9x::miseEnPage() {
    const double W = largeurTwips_;
    const double H = hauteurTwips_;
    // A size a part refuses (a control smaller than the margins) keeps the previous one.
    appliquerSautDeLigne();
    if (style_ == EtiqRelief)
        bordure_ = 1;
    if (bordure_ == 0 || bordure_ == 1)
        shp_->visible = line1_->visible = line2_->visible = bordure_ == 1;
    img_->gauche = 120;
    img_->haut = 120;

    auto cadre = [&] {
        shp_->definirHauteur(H - 35);
        shp_->definirLargeur(W - 35);
    };
    auto etiquette = [&](double marge, bool auto_, int opaque) {
        lbl_->gauche = marge;
        lbl_->haut = marge;
        lbl_->tailleAuto = auto_;
        ajusterEtiquette();
        lbl_->fondOpaque = opaque;
        img_->visible = false;
        lbl_->visible = true;
        cadre();
        placerLignes(false);
    };

    switch (style_) {
    case Image:
        img_->visible = true;
        lbl_->visible = false;
        cadre();
        if (!img_->etirer) {
            img_->gauche = W / 2 - img_->largeur / 2;
            img_->haut = H / 2 - img_->hauteur / 2;
        } else {
            img_->definirLargeur(W - 240);
            img_->definirHauteur(H - 240);
        }
        imgLeftRepos_ = float(img_->gauche);
        placerLignes(false);
        break;
    case Etiquette:
        etiquette(40, false, 1);
        lbl_->definirLargeur(shp_->largeur - 50);
        lbl_->definirHauteur(shp_->hauteur - 50);
        break;
    case EtiqCentree:
        etiquette(40, true, 0);
        lbl_->gauche = 40;
        lbl_->definirLargeur(shp_->largeur - 50);
        lbl_->haut = shp_->hauteur / 2 - lbl_->hauteur / 2;
        break;
    case EtiqRelief:
        etiquette(30, false, 1);
        lbl_->definirLargeur(shp_->largeur - 20);
        lbl_->definirHauteur(shp_->hauteur - 20);
        break;
    case Ligne:
        img_->visible = false;
        lbl_->visible = false;
        line1_->placer(0, H / 2, W, H / 2);
        line2_->placer(0, H / 2 + 25, W, H / 2 + 25);
        line1_->visible = line2_->visible = true;
        break;
    default:
        break;
    }
    update();
    QVariantList aucun;
    lever(evenement::Resize, aucun);
}

} // namespace bouton
