// A new control's initial values, and the saved properties: one table, walked in the same
// order by saving and by loading.

#include "BoutonKivW9x.h"

#include "Conversions.h"
#include "Parties.h"
#include "Valeurs.h"
#include "bouton/Identites.h"
#include "bouton/SacProprietes.h"
#include <array>

namespace bouton {

Resultat BoutonKivW9x::initialiserNouveau() {
    infobulle_.clear();
    etiFoCoOut_ = etiFoCoOver_ = couleur::TexteBouton;
    etiColOut_ = couleurAmbiante();
    etiColOver_ = couleurAmbiante();
    backColorOver_ = couleurAmbiante();
    ESSAYER(lbl_->definirCouleurFond(etiColOut_));
    ESSAYER(lbl_->definirCouleurTexte(etiFoCoOut_));
    ESSAYER(ecrire(membre::Font, policeAmbiante()));
    // The surface keeps its own colour until BackColor is assigned or loaded.
    backColor_ = couleurAmbiante();
    bordure_ = 0;
    update();
    return Resultat::ok();
}

namespace {

// Converts a read value to the type it was saved as, then hands it on.
template <typename Conversion, typename Suite>
Resultat converti(const QVariant& v, Conversion conversion, Suite suite) {
    Resultat e;
    auto valeur = conversion(v, &e);
    return valeur ? suite(*valeur) : e;
}

Resultat fait() {
    return Resultat::ok();
}

// A message that says which saved key failed.
Resultat avecCle(Resultat r, const char* cle) {
    r.message =
        QStringLiteral("%1 (propriété enregistrée « %2 »)").arg(r.message, QLatin1String(cle));
    return r;
}

} // namespace

// One saved property: its key, its default (written with it and given back when it is
// absent), the value saved, and what loading does with the value read.
struct ProprieteEnregistree {
    const char* cle;
    QVariant (*defaut)(const BoutonKivW9x&);
    QVariant (*valeur)(const BoutonKivW9x&);
    Resultat (*appliquer)(BoutonKivW9x&, const QVariant&);
};

class Persistance {
public:
    using B = BoutonKivW9x;

    static QVariant ambiante(const B& b) { return valeurCouleur(b.couleurAmbiante()); }
    static QVariant texteBouton(const B&) { return valeurCouleur(couleur::TexteBouton); }

    // Keys may come two or three times; each occurrence is read back in the order written.
    static const std::array<ProprieteEnregistree, 31>& table() {
        static const std::array<ProprieteEnregistree, 31> proprietes{{
            {"Enabled", [](const B&) { return QVariant(true); },
             [](const B& b) { return QVariant(!b.testAttribute(Qt::WA_ForceDisabled)); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versBooleen, [&](bool x) {
                     b.setEnabled(x);
                     return fait();
                 });
             }},
            {"BordColSombre", [](const B&) { return valeurCouleur(couleur::OmbreBouton); },
             [](const B& b) { return valeurCouleur(b.shp_->couleur); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versCouleur,
                                 [&](uint32_t c) { return b.shp_->definirCouleur(c); });
             }},
            {"MouseIcon", [](const B&) { return QVariant(); },
             [](const B& b) { return objet(b.iconeSouris_); },
             [](B& b, const QVariant& v) { return b.ecrire(membre::MouseIcon, v); }},
            {"MousePointer", [](const B&) { return entier(0); },
             [](const B& b) { return entier(b.pointeur_); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versEntier,
                                 [&](int16_t n) { return b.definirPointeur(n); });
             }},
            {"Picture", [](const B&) { return QVariant(); },
             [](const B& b) { return objet(b.img_->image); },
             [](B& b, const QVariant& v) { return b.ecrire(membre::Picture, v); }},
            {"Stretch", [](const B&) { return QVariant(true); },
             [](const B& b) { return QVariant(b.img_->etirer); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versBooleen, [&](bool x) {
                     b.img_->etirer = x;
                     b.tailleNaturelleImage();
                     return fait();
                 });
             }},
            // The parts get the tooltip only when ToolTipText is next assigned.
            {"ToolTipText", [](const B&) { return QVariant(QString()); },
             [](const B& b) { return QVariant(b.infobulle_); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versChaine, [&](const QString& s) {
                     b.infobulle_ = s;
                     return fait();
                 });
             }},
            {"Bord1ColClair", [](const B&) { return valeurCouleur(couleur::FaceBouton); },
             [](const B& b) { return valeurCouleur(b.line1_->couleur); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versCouleur,
                                 [&](uint32_t c) { return b.line1_->definirCouleur(c); });
             }},
            {"Bord2ColClair", [](const B&) { return valeurCouleur(couleur::FaceBouton); },
             [](const B& b) { return valeurCouleur(b.line2_->couleur); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versCouleur,
                                 [&](uint32_t c) { return b.line2_->definirCouleur(c); });
             }},
            // The surface's colour; the stored BackColor goes under "BackColorOut".
            {"BackColor", ambiante, [](const B& b) { return valeurCouleur(b.couleurSurface_); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versCouleur,
                                 [&](uint32_t c) { return b.peindreSurface(c); });
             }},
            {"Style", [](const B&) { return entierLong(0); },
             [](const B& b) { return entierLong(b.style_); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versLong, [&](int32_t n) {
                     b.style_ = n;
                     return fait();
                 });
             }},
            {"Caption", [](const B&) { return QVariant(QString()); },
             [](const B& b) { return QVariant(b.lbl_->texte); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versChaine, [&](const QString& s) {
                     b.definirCaption(s);
                     return fait();
                 });
             }},
            {"Font", [](const B& b) { return QVariant(b.policeAmbiante()); },
             [](const B& b) { return QVariant(b.lbl_->police); },
             [](B& b, const QVariant& v) { return b.ecrire(membre::Font, v); }},
            {"EtiFoCoOut", texteBouton, [](const B& b) { return valeurCouleur(b.etiFoCoOut_); },
             [](B& b, const QVariant& v) { return stocker(v, b.etiFoCoOut_); }},
            {"EtiFoCoOut", texteBouton,
             [](const B& b) { return valeurCouleur(b.lbl_->couleurTexte); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versCouleur,
                                 [&](uint32_t c) { return b.lbl_->definirCouleurTexte(c); });
             }},
            {"EtiFoCoOver", texteBouton, [](const B& b) { return valeurCouleur(b.etiFoCoOver_); },
             [](B& b, const QVariant& v) { return stocker(v, b.etiFoCoOver_); }},
            {"EtiColOut", ambiante, [](const B& b) { return valeurCouleur(b.etiColOut_); },
             [](B& b, const QVariant& v) { return stocker(v, b.etiColOut_); }},
            {"EtiColOut", ambiante, [](const B& b) { return valeurCouleur(b.lbl_->couleurFond); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versCouleur,
                                 [&](uint32_t c) { return b.lbl_->definirCouleurFond(c); });
             }},
            {"EtiColOver", ambiante, [](const B& b) { return valeurCouleur(b.etiColOver_); },
             [](B& b, const QVariant& v) { return stocker(v, b.etiColOver_); }},
            {"BorderWidth", [](const B&) { return entier(1); },
             [](const B& b) { return entier(int16_t(b.shp_->epaisseur)); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versEntier,
                                 [&](int16_t n) { return b.shp_->definirEpaisseur(n); });
             }},
            {"BorderWidth", [](const B&) { return entier(1); },
             [](const B& b) { return entier(int16_t(b.line1_->epaisseur)); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versEntier,
                                 [&](int16_t n) { return b.line1_->definirEpaisseur(n); });
             }},
            {"BorderWidth", [](const B&) { return entier(1); },
             [](const B& b) { return entier(int16_t(b.line2_->epaisseur)); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versEntier,
                                 [&](int16_t n) { return b.line2_->definirEpaisseur(n); });
             }},
            {"BackColorOver", ambiante, [](const B& b) { return valeurCouleur(b.backColorOver_); },
             [](B& b, const QVariant& v) { return stocker(v, b.backColorOver_); }},
            {"BackColorOut", ambiante, [](const B& b) { return valeurCouleur(b.backColor_); },
             [](B& b, const QVariant& v) { return stocker(v, b.backColor_); }},
            {"BorderStyle", [](const B&) { return entier(0); },
             [](const B& b) { return entier(int16_t(b.lbl_->cadre)); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versEntier,
                                 [&](int16_t n) { return b.lbl_->definirCadre(n); });
             }},
            {"Bordure", [](const B&) { return entierLong(0); },
             [](const B& b) { return entierLong(b.bordure_); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versLong, [&](int32_t n) {
                     b.bordure_ = n;
                     return fait();
                 });
             }},
            {"Alignment", [](const B&) { return entier(2); },
             [](const B& b) { return entier(int16_t(b.lbl_->alignement)); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versEntier,
                                 [&](int16_t n) { return b.lbl_->definirAlignement(n); });
             }},
            // An absent name or size (empty, 0) keeps what "Font" restored instead of failing;
            // so does the size -1 that a font given in pixels saves, having none in points.
            {"FontName", [](const B&) { return QVariant(QString()); },
             [](const B& b) { return QVariant(b.lbl_->police.family()); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versChaine, [&](const QString& s) {
                     return s.isEmpty() ? fait() : b.lbl_->definirNomPolice(s);
                 });
             }},
            {"FontSize", [](const B&) { return QVariant(0.0f); },
             [](const B& b) { return QVariant(float(b.lbl_->police.pointSizeF())); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versSimple, [&](float f) {
                     return f == 0 || f == -1 ? fait() : b.lbl_->definirTaillePolice(f);
                 });
             }},
            {"FontItalic", [](const B&) { return QVariant(false); },
             [](const B& b) { return QVariant(b.lbl_->police.italic()); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versBooleen, [&](bool x) {
                     b.lbl_->police.setItalic(x);
                     return fait();
                 });
             }},
            {"FontBold", [](const B&) { return QVariant(false); },
             [](const B& b) { return QVariant(b.lbl_->police.bold()); },
             [](B& b, const QVariant& v) {
                 return converti(v, conv::versBooleen, [&](bool x) {
                     b.lbl_->police.setBold(x);
                     return fait();
                 });
             }},
        }};
        return proprietes;
    }

private:
    static Resultat stocker(const QVariant& v, uint32_t& champ) {
        return converti(v, conv::versCouleur, [&](uint32_t c) {
            champ = c;
            return fait();
        });
    }
};

Resultat BoutonKivW9x::enregistrer(SacProprietes& sac) const {
    for (const ProprieteEnregistree& p : Persistance::table())
        ESSAYER(sac.ecrire(QLatin1String(p.cle), p.valeur(*this), p.defaut(*this)));
    return Resultat::ok();
}

Resultat BoutonKivW9x::charger(SacProprietes& sac) {
    for (const ProprieteEnregistree& p : Persistance::table()) {
        QVariant v;
        Resultat r = sac.lire(QLatin1String(p.cle), v, p.defaut(*this));
        if (r.reussi())
            r = p.appliquer(*this, v);
        if (!r.reussi())
            return avecCle(r, p.cle);
    }
    ajusterEtiquette();
    return Resultat::ok();
}

} // namespace bouton
