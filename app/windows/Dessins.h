#pragma once

#include <QPixmap>

// The window's artwork, drawn rather than shipped.
QPixmap DessinImprimante(int cote);
QPixmap DessinMinimiser(int cote);
