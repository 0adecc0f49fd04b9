#pragma once

class QWidget;

// Puts a window about to open centred on the window it comes from, and wholly
// inside the available area of that window's screen (as far as its size
// allows; the top-left corner stays on the screen). A window manager keeps a
// position the program gave; left to itself it may open a large window half
// off the screen.
void PlacerSurParent(QWidget& fenetre, const QWidget& parent);

// Keeps a shown window inside its screen's available area when it grows (a
// window that fills itself once activated): moved only when it runs past an
// edge.
void GarderSurEcran(QWidget& fenetre);
