#include "SurfaceImage.h"

#include <QFontMetricsF>

SurfaceImage::SurfaceImage(QImage& image, double pointsParPouce)
    : image_(image), pointsParPouce_(pointsParPouce) {
    peintre_.begin(&image_);
    peintre_.setPen(Qt::black);
    peintre_.setRenderHint(QPainter::TextAntialiasing);
}

bool SurfaceImage::definirPolice(const QString& nom) {
    if (nom.isEmpty())
        return false;
    police_.setFamily(nom);
    return true;
}

bool SurfaceImage::definirGras(bool gras) {
    police_.setBold(gras);
    return true;
}

bool SurfaceImage::definirTaille(double points) {
    if (points <= 0 || points > 1000)
        return false;
    // Points are of the screen: the image's resolution, not the painter's default.
    police_.setPixelSize(qMax(1, qRound(points * pointsParPouce_ / 72.0)));
    return true;
}

bool SurfaceImage::definirOrigine(double gauche, double haut) {
    gauche_ = gauche;
    haut_ = haut;
    return true;
}

bool SurfaceImage::ecrire(double x, double y, const QString& texte) {
    if (!peintre_.isActive())
        return false;
    peintre_.setFont(police_);
    const QFontMetricsF mesures(police_);
    const double ppm = pixelsParMm();
    // A line feed kept at the end of the first line shows nothing.
    QString ligne = texte;
    ligne.remove(u'\n');
    peintre_.drawText(QPointF((x - gauche_) * ppm, (y - haut_) * ppm + mesures.ascent()), ligne);
    return true;
}

double SurfaceImage::hauteurLigne() const {
    return QFontMetricsF(police_).lineSpacing() / pixelsParMm();
}
