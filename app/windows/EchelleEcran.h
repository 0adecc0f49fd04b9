#pragma once

#include "settings/Resultat.h"

#include <QString>

class QScreen;

// The screen's true millimetre. A screen reports its size, but some report it
// wrong (a virtual display, a projector, a monitor without a description):
// the user then measures a drawn line with a ruler once, and the correction
// is kept for that screen in the user's own settings, not in the folder's.

// Pixels, as widgets count them, of one millimetre by what the screen reports
// (96 dots per inch when there is no screen or the report is absurd).
double PixelsParMmAnnonces(const QScreen* ecran);

// The correction kept for this screen: 1 when none is kept, or when what is
// kept is not a usable factor.
double CorrectionEcran(const QScreen* ecran);

// Pixels of one true millimetre: what the screen reports, corrected.
double PixelsParMmReels(const QScreen* ecran);

// The corrections the user may keep: beyond these a measurement is a mistake.
inline constexpr double kCorrectionMin = 0.4;
inline constexpr double kCorrectionMax = 3.0;

// Keeps `facteur` for this screen (1 forgets the correction). The other
// screens' corrections are kept as they were; a write that fails leaves the
// file as it was and says why in French.
Resultat<> EnregistrerCorrectionEcran(const QScreen* ecran, double facteur);

// The name a screen's correction is kept under.
QString IdentiteEcran(const QScreen* ecran);
