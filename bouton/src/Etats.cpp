// The three looks of the control: at rest, pressed and hovered.

#include "BoutonKivW9x.h"

#include "Parties.h"
#include "Valeurs.h"
#include "bouton/Identites.h"

namespace bouton {

Resultat BoutonKivW9x::Boutons_SetState(int32_t etat) {
    if (etat == etatCourant_)
        return Resultat::ok();
    // Stored first, whatever the value: a later failure leaves the new state recorded.
    etatCourant_ = etat;
    update();
    switch (etat) {
    case BoutonSelectionne:
    case BoutonEnfonce:
        // The relief label is a static display: hover and press change nothing on it.
        if (style_ == EtiqRelief)
            return Resultat::ok();
        if (style_ == EtiqCentree)
            ESSAYER(peindreSurface(backColorOver_));
        placerLignes(etat == BoutonEnfonce);
        shp_->visible = line1_->visible = line2_->visible = true;
        ESSAYER(lbl_->definirCouleurFond(etiColOver_));
        ESSAYER(lbl_->definirCouleurTexte(etiFoCoOver_));
        decaler(etat == BoutonEnfonce);
        break;
    case BoutonNormal:
        if (style_ == EtiqCentree)
            ESSAYER(peindreSurface(backColor_));
        if (bordure_ == 0 || bordure_ == 1)
            shp_->visible = line1_->visible = line2_->visible = bordure_ == 1;
        placerLignes(false);
        ESSAYER(lbl_->definirCouleurFond(etiColOut_));
        ESSAYER(lbl_->definirCouleurTexte(etiFoCoOut_));
        decaler(false);
        break;
    default:
        break;
    }
    return Resultat::ok();
}

// Pressed, the image and the label sit 20 twips down and right. Each is tested against its
// resting place, so pressing twice moves it once.
void BoutonKivW9x::decaler(bool enfonce) {
    const float imageAuRepos = imgLeftRepos_.isValid() ? imgLeftRepos_.toFloat() : 0.0f;
    const bool imageDecalee = float(img_->gauche) != imageAuRepos;
    if (enfonce != imageDecalee) {
        const double d = enfonce ? 20 : -20;
        img_->gauche += d;
        img_->haut += d;
    }
    // The flat styles rest the label at 40.
    const bool etiquetteDecalee = lbl_->gauche != 40;
    if (enfonce != etiquetteDecalee && style_ != EtiqRelief) {
        const double d = enfonce ? 20 : -20;
        lbl_->gauche += d;
        lbl_->haut += d;
    }
}

} // namespace bouton
