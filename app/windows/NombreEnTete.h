#pragma once

#include <QStringView>

#include <cstdint>

// The number at the start of a text, as the edit boxes of positions read it:
// blanks skipped, an optional sign, digits with "." as the only decimal point;
// reading stops at the first character that cannot continue the number, and a
// text without a leading number gives 0.
double LireNombreEnTete(QStringView texte);

// A position in whole millimetres: rounded to the nearest, halves to even, and
// held within the signed 16-bit range (`borne` tells when it had to be held).
std::int16_t ArrondirPosition(double valeur, bool* borne = nullptr);
