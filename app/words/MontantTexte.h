#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Amounts as the user types and reads them: decimal comma, thousands grouped
// by a blank. These rules do not depend on the system locale, so that "1,5"
// is one and a half on every machine.

// Reads an amount: optional sign, digits, optional "," and decimals. The whole
// part may be grouped by threes with a blank, a no-break space (U+00A0) or a
// narrow no-break space (U+202F); blanks around the amount are ignored.
// Returns nullopt when the text is not such a number.
std::optional<double> LireMontant(QStringView texte);

// The same reading, kept exact: the digits as one whole number, with the count
// of digits and of decimals ("1 234,5" gives 12345, 5 digits, 1 decimal).
// `mantisse` is exact up to 19 digits.
struct MontantLu {
    std::uint64_t mantisse = 0;
    int chiffres = 0;
    int decimales = 0;
    bool negatif = false;
};
std::optional<MontantLu> LireMontantExact(QStringView texte);

// The one test of "is this text a number" for amounts.
bool EstUnMontant(QStringView texte);

// Writes an amount with the pattern "#,##0.00": groups of three separated by a
// plain blank, a decimal comma, two decimals rounded half away from zero
// (1250 gives "1 250,00"). A plain blank is safe in Windows-1252 files and
// reads back with LireMontant. Returns an empty text for infinities and NaN.
QString FormaterMontant(double montant);

// A typed amount in its printed form when it reads as one ("12," gives
// "12,00"); any other text, empty included, as it is.
QString MontantEnForme(const QString& texte);
