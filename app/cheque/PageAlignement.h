#pragma once

#include "cheque/Rendu.h"

class QPainter;
class QPaintDevice;
struct Reglages;

// A standard French cheque is 175 x 80 mm.
inline constexpr double kHauteurCheque = 80.0;

// The sample texts of the alignment page: long enough to show where each ends.
TextesCheque TextesEssai();

// The alignment page, for laying on a real cheque against the light: the
// cheque's outline at the origin the margins give, a millimetre scale along
// its top and left edges, and at each text's position a small cross with the
// text's name and its setting in millimetres, then the sample text written
// there as the cheque would print it. `peintre` is active on `appareil` with
// its origin where positions count from (the printable area's top-left).
void DessinerPageAlignement(QPainter& peintre, const QPaintDevice& appareil, const Reglages& r);
