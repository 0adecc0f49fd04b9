#pragma once

#include "words/ReglesMots.h"

#include <QString>
#include <QStringView>
#include <optional>

// Writes `montant` in French words followed by `unite` ("euro", "centime"),
// with an "s" on the unit from 2 on: NombreEnLettres(80, u"euro") gives
// "Quatre-vingts euros", NombreEnLettres(1e6, u"euro") "Un million d'euros".
// The first letter is upper case; the unit keeps its own case. A fraction is
// written as cents ("Un euro et cinquante cents"). Amounts below 1, negative
// ones included, read "Zéro". Fails (nullopt) from 10^12 on, or for NaN.
std::optional<QString> NombreEnLettres(double montant, QStringView unite);

// The same in a variant and spelling of the words ("Septante et un euros",
// "Vingt-et-un euros").
std::optional<QString> NombreEnLettres(double montant, QStringView unite, ReglesMots regles);
