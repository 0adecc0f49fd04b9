#include "montant_texte.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace {

bool EstBlanc(QChar c) {
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

bool EstChiffre(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<double> LireMontant(QStringView texte) {
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && EstBlanc(texte[debut]))
        ++debut;
    while (fin > debut && EstBlanc(texte[fin - 1]))
        --fin;

    // The number is copied in the C form ("-1234.56") for std::from_chars,
    // which is exact and ignores the locale.
    QVarLengthArray<char, 64> nombre;
    qsizetype i = debut;
    if (i < fin && (texte[i] == u'-' || texte[i] == u'+')) {
        if (texte[i] == u'-')
            nombre.append('-');
        ++i;
    }

    qsizetype chiffres = 0;
    qsizetype groupe = 0; // digits since the last separator
    bool groupe3 = false; // a separator was seen: groups must hold three digits
    for (; i < fin; ++i) {
        const QChar c = texte[i];
        if (EstChiffre(c)) {
            nombre.append(char(c.unicode()));
            ++chiffres;
            ++groupe;
        } else if (EstBlanc(c)) {
            // "1 234" and "12 345 678", never "1 23" nor "1  234".
            if (groupe == 0 || (groupe3 ? groupe != 3 : groupe > 3))
                return std::nullopt;
            groupe3 = true;
            groupe = 0;
        } else {
            break;
        }
    }
    if (groupe3 && groupe != 3)
        return std::nullopt;

    if (i < fin && texte[i] == u',') {
        ++i;
        if (i < fin)
            nombre.append('.');
        for (; i < fin && EstChiffre(texte[i]); ++i) {
            nombre.append(char(texte[i].unicode()));
            ++chiffres;
        }
    }
    if (i != fin || chiffres == 0)
        return std::nullopt;

    double valeur = 0;
    const char* const dernier = nombre.constData() + nombre.size();
    const auto [fini, erreur] = std::from_chars(nombre.constData(), dernier, valeur);
    if (erreur != std::errc() || fini != dernier)
        return std::nullopt;
    return valeur;
}

bool EstUnMontant(QStringView texte) {
    return LireMontant(texte).has_value();
}

QString FormaterMontant(double montant) {
    if (!std::isfinite(montant))
        return {};

    // The shortest text that reads back as `montant` is rounded as decimal
    // digits, so that 1,005 gives "1,01" as a person expects, not "1,00".
    char texte[400]; // the longest fixed form of a double is about 330 characters
    const auto [fin, erreur] =
        std::to_chars(texte, texte + sizeof texte, std::fabs(montant), std::chars_format::fixed);
    if (erreur != std::errc())
        return {};

    const std::string_view ecrit(texte, fin - texte);
    const size_t point = std::min(ecrit.find('.'), ecrit.size());
    // Every digit down to the hundredths, without the point.
    QVarLengthArray<char, 400> chiffres;
    chiffres.append(ecrit.data(), qsizetype(point));
    for (size_t k = point + 1; k < point + 3; ++k)
        chiffres.append(k < ecrit.size() ? ecrit[k] : '0');
    if (point + 3 < ecrit.size() && ecrit[point + 3] >= '5') {
        qsizetype k = chiffres.size() - 1;
        while (k >= 0 && chiffres[k] == '9')
            chiffres[k--] = '0';
        if (k >= 0)
            ++chiffres[k];
        else
            chiffres.insert(chiffres.cbegin(), '1');
    }

    bool nul = true;
    for (char c : chiffres)
        nul = nul && c == '0';

    QString resultat;
    const qsizetype entiers = chiffres.size() - 2;
    resultat.reserve(entiers + entiers / 3 + 4);
    if (montant < 0 && !nul)
        resultat += u'-';
    for (qsizetype k = 0; k < entiers; ++k) {
        if (k > 0 && (entiers - k) % 3 == 0)
            resultat += u' ';
        resultat += QLatin1Char(chiffres[k]);
    }
    resultat += u',';
    resultat += QLatin1Char(chiffres[entiers]);
    resultat += QLatin1Char(chiffres[entiers + 1]);
    return resultat;
}
