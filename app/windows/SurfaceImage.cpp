#include "windows/SurfaceImage.h"

#include <cmath>

namespace {

QImage& AvecResolution(QImage& image, double pointsParPouce) {
    const int parMetre = static_cast<int>(std::lround(pointsParPouce / 0.0254));
    image.setDotsPerMeterX(parMetre);
    image.setDotsPerMeterY(parMetre);
    return image;
}

} // namespace

SurfaceImage::SurfaceImage(QImage& image, double pointsParPouce)
    : SurfacePeinte(AvecResolution(image, pointsParPouce)) {}

bool SurfaceImage::commencer() {
    if (peintre_.isActive())
        return true;
    if (!peintre_.begin(&appareil_))
        return false;
    peintre_.setPen(Qt::black);
    peintre_.setRenderHint(QPainter::TextAntialiasing);
    return true;
}
