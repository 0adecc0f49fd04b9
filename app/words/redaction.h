#pragma once

#include <QStringView>
#include <QVarLengthArray>

// Internal to the words library: the number words are written into one buffer
// on the stack and copied into a QString once, because the amount label is
// rebuilt at every key press and the words are built twice per amount.

using Tampon = QVarLengthArray<char16_t, 256>;

enum class Casse {
    Phrase,     // first letter upper case, the rest as written
    Majuscules, // everything upper case, accents included
};

// Appends the words of `montant` and its unit to `tampon`. On failure (10^12 or
// more, NaN) returns false and leaves `tampon` as it was.
bool EcrireNombreEnLettres(Tampon& tampon, double montant, QStringView unite, Casse casse);

inline void Ajouter(Tampon& tampon, QStringView texte) {
    tampon.append(texte.utf16(), texte.size());
}
