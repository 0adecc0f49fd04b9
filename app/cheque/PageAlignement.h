#pragma once

#include "cheque/Rendu.h"

#include <QSizeF>

class QPainter;
class QPaintDevice;
class SurfaceSortie;
struct Reglages;

// A standard French cheque is 175 x 80 mm.
inline constexpr double kHauteurCheque = 80.0;

// The sample texts of the alignment page: long enough to show where each ends.
TextesCheque TextesEssai();

// The alignment page, for laying on a real cheque against the light: the
// cheque's outline at the origin the margins give, a millimetre scale along
// its top and left edges, and at each text's position a mark with the text's
// name and its setting in millimetres, then the sample text written there as
// the cheque prints it. The mark is the corner of a cross whose two arms
// point away from the text, its vertex exactly at the text's position, so
// that it never covers a letter; each label is laid where it touches no
// sample text, no other label and no number of the scale, with a short
// leader to its mark when it cannot sit right beside it. A number of the
// scale that a sample text covers is left out (its tick stays).
// `peintre` is active on `appareil` with its origin where positions count
// from (the printable area's top-left).
void DessinerPageAlignement(QPainter& peintre, const QPaintDevice& appareil, const Reglages& r);

// The same page, its lines drawn by `peintre` at `pixelsParMm` and every text
// written on `textes` (the same origin, millimetres), within a drawable area
// of `page` millimetres.
void DessinerPageAlignement(QPainter& peintre, double pixelsParMm, const QSizeF& page,
                            SurfaceSortie& textes, const Reglages& r);
