#pragma once

#include <QString>

// Where a cheque is drawn: the printer, or a picture showing the cheque at one
// third of its size. Coordinates are millimetres; a text is placed by the
// top-left corner of its first character cell. A setter returns false when the
// surface refuses the value; the renderer then skips that one step.
class SurfaceSortie {
public:
    virtual ~SurfaceSortie() = default;

    virtual bool estImprimante() const = 0;

    // Printer only: the device to print on, when it is installed (the current
    // printer stays otherwise); A4 paper and the orientation (1 portrait, 2 landscape).
    virtual bool choisirImprimante(const QString& nom) = 0;
    virtual bool definirPage(int orientation) = 0;

    virtual bool definirPolice(const QString& nom) = 0;
    virtual bool definirGras(bool gras) = 0;
    virtual bool definirTaille(double points) = 0;

    // The coordinates of the drawable area's top-left corner (ScaleLeft, ScaleTop).
    virtual bool definirOrigine(double gauche, double haut) = 0;

    // Writes one line at (x, y) with the current font.
    virtual bool ecrire(double x, double y, const QString& texte) = 0;

    // The height of one line of the current font, in millimetres.
    virtual double hauteurLigne() const = 0;

    // The width of a line of text in the current font, in millimetres.
    virtual double largeurTexte(const QString& texte) const = 0;
    // How far the middle of the capital letters of the current font lies
    // below the top of a line's cell, in millimetres.
    virtual double milieuLettres() const = 0;
    // A horizontal rule from x1 to x2 at height y, as thick as the font's
    // strokes (its underline).
    virtual bool tracerTrait(double x1, double x2, double y) = 0;
};
