#include "words/MontantTexte.h"

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

std::optional<MontantLu> LireMontantExact(QStringView texte) {
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && EstBlanc(texte[debut]))
        ++debut;
    while (fin > debut && EstBlanc(texte[fin - 1]))
        --fin;

    MontantLu lu;
    qsizetype i = debut;
    lu.negatif = i < fin && texte[i] == u'-';
    if (i < fin && (texte[i] == u'-' || texte[i] == u'+'))
        ++i;

    auto prendre = [&lu](QChar c) {
        lu.mantisse = lu.mantisse * 10 + (c.unicode() - u'0');
        ++lu.chiffres;
    };

    qsizetype groupe = 0; // digits since the last separator
    bool groupe3 = false; // a separator was seen: groups must hold three digits
    for (; i < fin; ++i) {
        const QChar c = texte[i];
        if (EstChiffre(c)) {
            prendre(c);
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
        for (; i < fin && EstChiffre(texte[i]); ++i) {
            prendre(texte[i]);
            ++lu.decimales;
        }
    }
    if (i != fin || lu.chiffres == 0)
        return std::nullopt;
    return lu;
}

std::optional<double> LireMontant(QStringView texte) {
    const std::optional<MontantLu> lu = LireMontantExact(texte);
    if (!lu)
        return std::nullopt;
    // Up to 15 digits the whole number and the power of ten are exact doubles,
    // so one division rounds correctly; an amount typed by hand always fits.
    static constexpr double kPuissances[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    double valeur = 0;
    if (lu->chiffres <= 15) {
        valeur = double(lu->mantisse) / kPuissances[lu->decimales];
    } else {
        // Longer: the digits in the C form ("1234.56") for std::from_chars,
        // which is exact too and blind to the locale.
        QVarLengthArray<char, 64> nombre;
        for (QChar c : texte) {
            if (EstChiffre(c))
                nombre.append(char(c.unicode()));
            else if (c == u',')
                nombre.append('.');
        }
        const char* const dernier = nombre.constData() + nombre.size();
        const auto [fin, erreur] = std::from_chars(nombre.constData(), dernier, valeur);
        if (erreur != std::errc() || fin != dernier)
            return std::nullopt;
    }
    return lu->negatif ? -valeur : valeur;
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

QString MontantEnForme(const QString& texte) {
    const auto valeur = LireMontant(texte);
    return valeur ? FormaterMontant(*valeur) : texte;
}
