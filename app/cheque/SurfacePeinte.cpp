#include "cheque/SurfacePeinte.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>

#include <algorithm>

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

double SurfacePeinte::largeurTexte(const QString& texte) const {
    return QFontMetricsF(police_, &appareil_).horizontalAdvance(texte) / pixelsParMm();
}

double SurfacePeinte::milieuLettres() const {
    const QFontMetricsF mesures(police_, &appareil_);
    return (mesures.ascent() - mesures.capHeight() / 2) / pixelsParMm();
}

bool SurfacePeinte::tracerTrait(double x1, double x2, double y) {
    if (!commencer())
        return false;
    const double ppm = pixelsParMm();
    const QPen avant = peintre_.pen();
    peintre_.setPen(QPen(avant.color(),
                         std::max(QFontMetricsF(police_, &appareil_).lineWidth(), 1.0),
                         Qt::SolidLine, Qt::FlatCap));
    peintre_.drawLine(QPointF((x1 - gauche_) * ppm, (y - haut_) * ppm),
                      QPointF((x2 - gauche_) * ppm, (y - haut_) * ppm));
    peintre_.setPen(avant);
    return true;
}
