#pragma once

#include "settings/Reglages.h"

struct AppScribane;
class QWidget;

// The alignment page for `r` on its printer, or into a PDF file chosen in a
// save dialog; a failure is told to the user. Nothing is journaled or kept.
void ImprimerPageAlignement(AppScribane& app, QWidget* parent, const Reglages& r, bool pdf);
