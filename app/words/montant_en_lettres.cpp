#include "montant_en_lettres.h"

#include "montant_texte.h"
#include "redaction.h"

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

} // namespace

ResultatMontant MontantEnLettres(QStringView montant, QStringView devise, QStringView centimes,
                                 QStringView liaison, bool ecrireCent) {
    ResultatMontant resultat;
    if (montant.isEmpty())
        return resultat;

    // The first part holds the units, the last the cents; parts in between
    // (a second comma) are ignored.
    qsizetype premiereVirgule = -1;
    qsizetype derniereVirgule = -1;
    for (qsizetype i = 0; i < montant.size(); ++i) {
        if (montant[i] == u',') {
            if (premiereVirgule < 0)
                premiereVirgule = i;
            derniereVirgule = i;
        }
    }
    const bool aDesCentimes = premiereVirgule >= 0;
    const QStringView unites = aDesCentimes ? montant.first(premiereVirgule) : montant;
    QStringView decimales = montant.sliced(derniereVirgule + 1);

    Redaction redaction(Casse::Majuscules);
    EcrirePartie(redaction, unites, devise);

    // One decimal means tens of cents: "12,5" is twelve units fifty.
    char16_t dizaineDeCentimes[2];
    if (decimales.size() == 1) {
        dizaineDeCentimes[0] = decimales.front().unicode();
        dizaineDeCentimes[1] = u'0';
        decimales = QStringView(dizaineDeCentimes, 2);
    }

    if (aDesCentimes && !decimales.isEmpty() && !SansCentimes(decimales)) {
        redaction.TelQuel(u" ");
        redaction.TelQuel(liaison);
        redaction.TelQuel(u" ");
        EcrirePartie(redaction, decimales, centimes);
    }
    resultat.lettres = redaction.Resultat();

    if (ecrireCent && montant.endsWith(u",00"))
        resultat.montantRaccourci = montant.chopped(3).toString();
    return resultat;
}
