// Amounts: the reader, the formatter and the words. Input: the amount text,
// then, after NUL bytes, the unit, the cents' unit, the link word and the form
// of the words (any of them may be missing, the link word then a null text;
// the form's first byte gives the variant, by its value modulo 3, and the
// 1990 spelling, by its bit 4; missing, the words of France).
#include "Verifier.h"
#include "words/MontantEnLettres.h"
#include "words/MontantTexte.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdint>

namespace {

// A number as a person types it: digits, grouped by threes or not, and at most
// two decimals. Its words are those of the amount once formatted.
bool Usuel(const QString& texte) {
    static const QRegularExpression usuel(
        QStringLiteral("^(\\d+|\\d{1,3}( \\d{3})+)(,\\d{1,2})?$"));
    return usuel.match(texte).hasMatch();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const QList<QByteArray> parties = octets.split('\0');
    const QString montant = QString::fromUtf8(parties.value(0));
    const QString devise =
        parties.size() > 1 ? QString::fromUtf8(parties[1]) : QStringLiteral("euro");
    const QString centimes =
        parties.size() > 2 ? QString::fromUtf8(parties[2]) : QStringLiteral("centime");
    const QString liaison =
        parties.size() > 3 && !parties[3].isEmpty() ? QString::fromUtf8(parties[3]) : QString();

    ReglesMots regles;
    if (parties.size() > 4 && !parties[4].isEmpty()) {
        const auto forme = static_cast<unsigned char>(parties[4][0]);
        regles.variante = Variante(forme % 3);
        regles.orthographe =
            (forme & 0x10) ? Orthographe::Rectifiee1990 : Orthographe::Traditionnelle;
    }

    const ResultatMontant mots = MontantEnLettres(montant, devise, centimes, liaison, true, regles);
    const std::optional<double> lu = LireMontant(montant);
    VERIFIER(EstUnMontant(montant) == lu.has_value());
    (void)LireMontantExact(montant);
    if (!lu || !std::isfinite(*lu))
        return 0;

    // Formatted, the amount reads back to the same text.
    const QString formate = FormaterMontant(*lu);
    if (std::fabs(*lu) < 1e15) {
        const std::optional<double> relu = LireMontant(formate);
        VERIFIER(relu.has_value());
        VERIFIER(FormaterMontant(*relu) == formate);
    }
    if (*lu < 1e12 && Usuel(montant)) {
        const ResultatMontant motsFormates =
            MontantEnLettres(formate, devise, centimes, liaison, true, regles);
        VERIFIER(mots.lettres == motsFormates.lettres);
        VERIFIER(!mots.lettres.isEmpty() || devise.isEmpty());
    }
    return 0;
}
