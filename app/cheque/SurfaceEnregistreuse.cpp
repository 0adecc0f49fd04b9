#include "cheque/SurfaceEnregistreuse.h"

#include "cheque/DispositionMots.h"

bool SurfaceEnregistreuse::choisirImprimante(const QString& nom) {
    if (!imprimante_ || !imprimantes_.contains(nom))
        return false;
    imprimanteChoisie = nom;
    return true;
}

bool SurfaceEnregistreuse::definirPage(int o) {
    if (!imprimante_ || (o != 1 && o != 2))
        return false;
    orientation = o;
    return true;
}

bool SurfaceEnregistreuse::definirPolice(const QString& nom) {
    if (nom.isEmpty())
        return false;
    police_ = nom;
    return true;
}

bool SurfaceEnregistreuse::definirGras(bool gras) {
    gras_ = gras;
    return true;
}

bool SurfaceEnregistreuse::definirTaille(double points) {
    if (points <= 0)
        return false;
    taille_ = points;
    return true;
}

bool SurfaceEnregistreuse::definirOrigine(double gauche, double haut) {
    gauche_ = gauche;
    haut_ = haut;
    return true;
}

bool SurfaceEnregistreuse::ecrire(double x, double y, const QString& texte) {
    textes.append({texte, x - gauche_, y - haut_, police_, taille_, gras_});
    return true;
}

double SurfaceEnregistreuse::hauteurLigne() const {
    // A line is about 1.15 times the font size; a point is 25.4 / 72 mm.
    return taille_ * 25.4 / 72.0 * 1.15;
}

double SurfaceEnregistreuse::largeurTexte(const QString& texte) const {
    return LargeurTexte(texte, {police_, gras_, taille_}, kResolutionImprimante);
}

double SurfaceEnregistreuse::milieuLettres() const {
    return MilieuMajuscules({police_, gras_, taille_}, kResolutionImprimante);
}

bool SurfaceEnregistreuse::tracerTrait(double x1, double x2, double y) {
    traits.append({x1 - gauche_, x2 - gauche_, y - haut_, taille_});
    return true;
}
