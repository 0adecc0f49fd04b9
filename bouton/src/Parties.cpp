#include "Parties.h"

#include "Conversions.h"
#include "Couleurs.h"

namespace bouton {

PartieRectangulaire::PartieRectangulaire(const QString& nom, QObject* parent) : QObject(parent) {
    setObjectName(nom);
}

Resultat PartieRectangulaire::definirLargeur(double twips) {
    if (twips < 0)
        return conv::erreurValeur();
    largeur = twips;
    return Resultat::ok();
}

Resultat PartieRectangulaire::definirHauteur(double twips) {
    if (twips < 0)
        return conv::erreurValeur();
    hauteur = twips;
    return Resultat::ok();
}

Resultat PartieEtiquette::definirCouleurFond(uint32_t ole) {
    if (!couleurOleValide(ole))
        return conv::erreurValeur();
    couleurFond = ole;
    return Resultat::ok();
}

Resultat PartieEtiquette::definirCouleurTexte(uint32_t ole) {
    if (!couleurOleValide(ole))
        return conv::erreurValeur();
    couleurTexte = ole;
    return Resultat::ok();
}

Resultat PartieEtiquette::definirCadre(int16_t valeur) {
    if (valeur < 0 || valeur > 1)
        return conv::erreurValeur();
    cadre = valeur;
    return Resultat::ok();
}

Resultat PartieEtiquette::definirAlignement(int16_t valeur) {
    if (valeur < 0 || valeur > 2)
        return conv::erreurValeur();
    alignement = valeur;
    return Resultat::ok();
}

Resultat PartieEtiquette::definirNomPolice(const QString& nom) {
    if (nom.trimmed().isEmpty())
        return conv::erreurValeur();
    police.setFamily(nom);
    return Resultat::ok();
}

Resultat PartieEtiquette::definirTaillePolice(float points) {
    if (!(points > 0 && points <= 2160))
        return conv::erreurValeur();
    police.setPointSizeF(points);
    return Resultat::ok();
}

Resultat PartieForme::definirCouleur(uint32_t ole) {
    if (!couleurOleValide(ole))
        return conv::erreurValeur();
    couleur = ole;
    return Resultat::ok();
}

Resultat PartieForme::definirEpaisseur(int16_t pixels) {
    if (pixels < 1 || pixels > EpaisseurMax)
        return conv::erreurValeur();
    epaisseur = pixels;
    return Resultat::ok();
}

PartieLigne::PartieLigne(const QString& nom, QObject* parent) : QObject(parent) {
    setObjectName(nom);
}

Resultat PartieLigne::definirCouleur(uint32_t ole) {
    if (!couleurOleValide(ole))
        return conv::erreurValeur();
    couleur = ole;
    return Resultat::ok();
}

Resultat PartieLigne::definirEpaisseur(int16_t pixels) {
    if (pixels < 1 || pixels > EpaisseurMax)
        return conv::erreurValeur();
    epaisseur = pixels;
    return Resultat::ok();
}

void PartieLigne::placer(double ax1, double ay1, double ax2, double ay2) {
    x1 = ax1;
    y1 = ay1;
    x2 = ax2;
    y2 = ay2;
}

} // namespace bouton
