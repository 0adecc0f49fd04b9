#include "cheque/SurfacePeinte.h"

#include <QFontMetricsF>
#include <QPaintDevice>

void SurfacePeinte::appliquerPolice() {
    if (peintre_.isActive())
        peintre_.setFont(police_);
}

bool SurfacePeinte::definirPolice(const QString& nom) {
    if (nom.isEmpty())
        return false;
    police_.setFamily(nom);
    appliquerPolice();
    return true;
}

bool SurfacePeinte::definirGras(bool gras) {
    police_.setBold(gras);
    appliquerPolice();
    return true;
}

bool SurfacePeinte::definirTaille(double points) {
    if (points <= 0 || points > 1000)
        return false;
    police_.setPointSizeF(points);
    appliquerPolice();
    return true;
}

bool SurfacePeinte::definirOrigine(double gauche, double haut) {
    gauche_ = gauche;
    haut_ = haut;
    return true;
}

double SurfacePeinte::pixelsParMm() const {
    return appareil_.logicalDpiX() / 25.4;
}

bool SurfacePeinte::ecrire(double x, double y, const QString& texte) {
    if (!commencer())
        return false;
    peintre_.setFont(police_);
    const QFontMetricsF mesures(police_, &appareil_);
    const double ppm = pixelsParMm();
    // A line feed kept at the end of a line shows nothing.
    QString ligne = texte;
    ligne.remove(u'\n');
    // The position is the top-left corner of the text; the painter wants its baseline.
    peintre_.drawText(QPointF((x - gauche_) * ppm, (y - haut_) * ppm + mesures.ascent()), ligne);
    return true;
}

double SurfacePeinte::hauteurLigne() const {
    return QFontMetricsF(police_, &appareil_).lineSpacing() / pixelsParMm();
}
