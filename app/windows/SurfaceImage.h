#pragma once

#include "SurfaceSortie.h"

#include <QFont>
#include <QImage>
#include <QPainter>

// A picture of the cheque on screen (the one-third scale simulation): an
// image whose coordinates are millimetres of the screen at its logical
// resolution, origin at the image's top-left corner.
class SurfaceImage final : public SurfaceSortie {
public:
    // `image` must stay alive while the surface draws on it.
    SurfaceImage(QImage& image, double pointsParPouce);

    bool estImprimante() const override { return false; }
    bool choisirImprimante(const QString&) override { return false; }
    bool definirPage(int) override { return false; }
    bool definirPolice(const QString& nom) override;
    bool definirGras(bool gras) override;
    bool definirTaille(double points) override;
    bool definirOrigine(double gauche, double haut) override;
    bool ecrire(double x, double y, const QString& texte) override;
    double hauteurLigne() const override;

private:
    double pixelsParMm() const { return pointsParPouce_ / 25.4; }

    QImage& image_;
    QPainter peintre_;
    QFont police_;
    double pointsParPouce_;
    double gauche_ = 0;
    double haut_ = 0;
};
