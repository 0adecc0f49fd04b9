#pragma once

#include "settings/Reglages.h"

struct AppScribane;
struct ValeursConfiguration;
class QWidget;

// The settings of the choice the configuration window shows, its unsaved
// edits included: the positions as edited, the printer, paper and font of
// its controls.
Reglages ReglagesAffiches(const Reglages& enCours, const ValeursConfiguration& v);

// The alignment page for `r` on its printer, or into a PDF file chosen in a
// save dialog; a failure is told to the user. Nothing is journaled or kept.
void ImprimerPageAlignement(AppScribane& app, QWidget* parent, const Reglages& r, bool pdf);
