#include "windows/NombreEnTete.h"

#include <cmath>
#include <limits>

double LireNombreEnTete(QStringView texte) {
    auto blanc = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype i = 0;
    const qsizetype n = texte.size();
    auto sauterBlancs = [&] {
        while (i < n && blanc(texte[i]))
            ++i;
    };

    sauterBlancs();
    bool negatif = false;
    if (i < n && (texte[i] == u'-' || texte[i] == u'+')) {
        negatif = texte[i] == u'-';
        ++i;
    }
    double valeur = 0;
    bool decimales = false;
    double echelle = 0.1;
    for (; i < n; ++i) {
        const QChar c = texte[i];
        if (blanc(c))
            continue;
        if (c == u'.' && !decimales) {
            decimales = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        const int chiffre = c.unicode() - u'0';
        if (!decimales) {
            valeur = valeur * 10 + chiffre;
        } else {
            valeur += chiffre * echelle;
            echelle /= 10;
        }
    }
    return negatif ? -valeur : valeur;
}

std::int16_t ArrondirPosition(double valeur, bool* borne) {
    constexpr double bas = std::numeric_limits<std::int16_t>::min();
    constexpr double haut = std::numeric_limits<std::int16_t>::max();
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    double arrondi = std::isnan(valeur) ? 0.0 : std::nearbyint(valeur);
    const bool horsBornes = arrondi < bas || arrondi > haut;
    if (borne)
        *borne = horsBornes;
    if (arrondi < bas)
        arrondi = bas;
    else if (arrondi > haut)
        arrondi = haut;
    return static_cast<std::int16_t>(arrondi);
}
