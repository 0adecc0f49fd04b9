#include "words/MontantEnLettres.h"

#include "words/MontantTexte.h"
#include "words/Redaction.h"

namespace {

// A part that does not read as a number leaves its words empty. A part holds
// no comma, so it is a whole number; up to 19 digits it is taken exactly.
void EcrirePartie(Redaction& redaction, QStringView partie, QStringView unite) {
    const std::optional<MontantLu> lu = LireMontantExact(partie);
    if (!lu)
        return;
    if (lu->chiffres > 19) {
        // Too long to be exact; fails unless it is mostly leading zeros.
        if (const auto nombre = LireMontant(partie))
            redaction.Nombre(*nombre, unite);
    } else {
        redaction.Nombre(lu->negatif ? 0 : lu->mantisse, 0, unite);
    }
}

// ",00": zero cents are not written.
bool SansCentimes(QStringView decimales) {
    return decimales.size() == 2 && decimales[0] == u'0' && decimales[1] == u'0';
}

// The usual cents: read directly rather than by the general reader.
bool DeuxChiffres(QStringView decimales) {
    auto chiffre = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return decimales.size() == 2 && chiffre(decimales[0]) && chiffre(decimales[1]);
}

} // namespace

ResultatMontant MontantEnLettres(QStringView montant, QStringView devise, QStringView centimes,
                                 QStringView liaison, bool ecrireCent) {
    return MontantEnLettres(montant, devise, centimes, liaison, ecrireCent, ReglesMots{});
}

ResultatMontant MontantEnLettres(QStringView montant, QStringView devise, QStringView centimes,
                                 QStringView liaison, bool ecrireCent, ReglesMots regles) {
    ResultatMontant resultat;
    if (montant.isEmpty())
        return resultat;

    // The first part holds the units, the last the cents; parts in between
    // (a second comma) are ignored. The last comma is looked for from the end,
    // where it usually is, and the first only before it.
    qsizetype derniereVirgule = montant.size() - 1;
    while (derniereVirgule >= 0 && montant[derniereVirgule] != u',')
        --derniereVirgule;
    const bool aDesCentimes = derniereVirgule >= 0;
    qsizetype premiereVirgule = 0;
    if (aDesCentimes) // stops at the last comma at the latest
        while (montant[premiereVirgule] != u',')
            ++premiereVirgule;
    const QStringView unites = aDesCentimes ? montant.first(premiereVirgule) : montant;
    QStringView decimales = montant.sliced(derniereVirgule + 1);

    Redaction redaction(Casse::Majuscules, regles);
    EcrirePartie(redaction, unites, devise);

    // One decimal means tens of cents: "12,5" is twelve units fifty.
    char16_t dizaineDeCentimes[2];
    if (decimales.size() == 1) {
        dizaineDeCentimes[0] = decimales.front().unicode();
        dizaineDeCentimes[1] = u'0';
        decimales = QStringView(dizaineDeCentimes, 2);
    }

    // A currency without cents never writes them.
    if (aDesCentimes && !regles.sansCentimes && !decimales.isEmpty() && !SansCentimes(decimales)) {
        redaction.TelQuel(u" ");
        redaction.TelQuel(liaison);
        redaction.TelQuel(u" ");
        if (DeuxChiffres(decimales)) {
            const unsigned cents =
                (decimales[0].unicode() - u'0') * 10 + (decimales[1].unicode() - u'0');
            redaction.Nombre(cents, 0, centimes);
        } else {
            EcrirePartie(redaction, decimales, centimes);
        }
    }
    resultat.lettres = redaction.Lettres();

    if (ecrireCent && montant.endsWith(u",00"))
        resultat.montantRaccourci = montant.chopped(3).toString();
    return resultat;
}
