#include "montant_en_lettres.h"

#include "montant_texte.h"
#include "redaction.h"

namespace {

// A part that does not read as a number leaves its words empty.
void EcrirePartie(Tampon& tampon, QStringView partie, QStringView unite) {
    if (const auto nombre = LireMontant(partie))
        EcrireNombreEnLettres(tampon, *nombre, unite, Casse::Majuscules);
}

} // namespace

ResultatMontant MontantEnLettres(QStringView montant, QStringView devise, QStringView centimes,
                                 QStringView liaison, bool ecrireCent) {
    ResultatMontant resultat;
    if (montant.isEmpty())
        return resultat;

    // The first part holds the units, the last the cents; parts in between
    // (a second comma) are ignored.
    const qsizetype premiereVirgule = montant.indexOf(u',');
    const bool aDesCentimes = premiereVirgule >= 0;
    const QStringView unites = aDesCentimes ? montant.first(premiereVirgule) : montant;
    QStringView decimales = montant.sliced(montant.lastIndexOf(u',') + 1);

    Tampon tampon;
    EcrirePartie(tampon, unites, devise);

    // One decimal means tens of cents: "12,5" is twelve units fifty.
    char16_t dizaineDeCentimes[2];
    if (decimales.size() == 1) {
        dizaineDeCentimes[0] = decimales.front().unicode();
        dizaineDeCentimes[1] = u'0';
        decimales = QStringView(dizaineDeCentimes, 2);
    }

    if (aDesCentimes && !decimales.isEmpty() && decimales != u"00") {
        tampon.append(u' ');
        Ajouter(tampon, liaison);
        tampon.append(u' ');
        EcrirePartie(tampon, decimales, centimes);
    }
    resultat.lettres = QStringView(tampon.constData(), tampon.size()).toString();

    if (ecrireCent && montant.endsWith(u",00"))
        resultat.montantRaccourci = montant.chopped(3).toString();
    return resultat;
}
