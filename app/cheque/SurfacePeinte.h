#pragma once

#include "cheque/DispositionMots.h"
#include "cheque/SurfaceSortie.h"

#include <QFont>
#include <QPainter>

class QPaintDevice;

// A surface drawn with a painter on a device (a printer, an image): the font,
// the origin and the writing of a line, in millimetres of that device.
class SurfacePeinte : public SurfaceSortie {
public:
    bool definirPolice(const QString& nom) override;
    bool definirGras(bool gras) override;
    bool definirTaille(double points) override;
    bool definirOrigine(double gauche, double haut) override;
    bool ecrire(double x, double y, const QString& texte) override;
    double hauteurLigne() const override;
    double largeurTexte(const QString& texte) const override;
    double milieuLettres() const override;
    bool tracerTrait(double x1, double x2, double y) override;

protected:
    explicit SurfacePeinte(QPaintDevice& appareil) : appareil_(appareil) {}
    // The painter begun on the device, or false when it cannot be.
    virtual bool commencer() = 0;

    QPaintDevice& appareil_;
    QPainter peintre_;
    QFont police_ = PoliceDeDessin();

private:
    double pixelsParMm() const;
    void appliquerPolice();

    double gauche_ = 0;
    double haut_ = 0;
};
