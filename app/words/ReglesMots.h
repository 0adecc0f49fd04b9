#pragma once

#include <cstdint>

// How the number words are written: the French of a country and a spelling.

// France: soixante-dix, quatre-vingts, quatre-vingt-dix. Belgique: septante,
// quatre-vingts, nonante. Suisse: septante, huitante, nonante.
enum class Variante : std::uint8_t { France = 0, Belgique = 1, Suisse = 2 };

// Traditionnelle: "vingt et un", "deux cent un". Rectifiee1990: every numeral
// of a number joined by hyphens ("vingt-et-un", "deux-cent-un"), the nouns
// "million" and "milliard" kept apart.
enum class Orthographe : std::uint8_t { Traditionnelle = 0, Rectifiee1990 = 1 };

struct ReglesMots {
    Variante variante = Variante::France;
    Orthographe orthographe = Orthographe::Traditionnelle;
    // A currency without cents (the CFA franc): the decimals are never written.
    bool sansCentimes = false;
};
