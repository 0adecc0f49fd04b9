#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace bouton {

// Whether a part accepts an OLE colour: 0x00BBGGRR, or a system colour 0x800000nn.
bool couleurOleValide(uint32_t ole);
// The colour to paint; system colours come from the platform palette.
QColor couleurQt(uint32_t ole, const QPalette& palette);

} // namespace bouton
