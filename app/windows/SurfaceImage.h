#pragma once

#include "cheque/SurfacePeinte.h"

#include <QImage>

// A picture of the cheque on screen (the one-third scale simulation): an
// image whose coordinates are millimetres at the given resolution, origin at
// the image's top-left corner.
class SurfaceImage final : public SurfacePeinte {
public:
    // `image` must stay alive while the surface draws on it; it takes the resolution.
    SurfaceImage(QImage& image, double pointsParPouce);

    bool estImprimante() const override { return false; }
    bool choisirImprimante(const QString&) override { return false; }
    bool definirPage(int) override { return false; }

protected:
    bool commencer() override;
};
