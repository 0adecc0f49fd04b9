#include "cheque/DispositionMots.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>

namespace {

QFont Police(const PoliceMots& police, double taille) {
    QFont f = PoliceDeDessin();
    if (!police.famille.isEmpty())
        f.setFamily(police.famille);
    f.setBold(police.gras);
    f.setPointSizeF(taille);
    return f;
}

// A device of the given resolution, so that fonts are resolved and hinted as
// on the printer rather than on the screen.
QImage Appareil(double resolution) {
    QImage image(1, 1, QImage::Format_Mono);
    const int pointsParMetre = qRound(resolution / 0.0254);
    image.setDotsPerMeterX(pointsParMetre);
    image.setDotsPerMeterY(pointsParMetre);
    return image;
}

double Largeur(const QFontMetricsF& mesures, const QString& texte, double resolution) {
    return mesures.horizontalAdvance(texte) * 25.4 / resolution;
}

// A line may be broken at a blank that leaves words before it (not just the
// framing "//").
bool CoupureAdmise(const QString& ligne, qsizetype k) {
    if (ligne[k] != u' ')
        return false;
    for (qsizetype i = 0; i < k; ++i)
        if (ligne[i].isLetterOrNumber())
            return true;
    return false;
}

} // namespace

QFont PoliceDeDessin() {
    QFont f;
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

double LargeurTexte(const QString& texte, const PoliceMots& police, double resolution) {
    QImage appareil = Appareil(resolution);
    return Largeur(QFontMetricsF(Police(police, police.taille), &appareil), texte, resolution);
}

EncreVerticale MesurerEncre(const QString& texte, const PoliceMots& police, double resolution) {
    QImage appareil = Appareil(resolution);
    const QFontMetricsF mesures(Police(police, police.taille), &appareil);
    const QRectF encre = mesures.tightBoundingRect(texte); // from the baseline
    const double mm = 25.4 / resolution;
    return {(mesures.ascent() + encre.top()) * mm, (mesures.ascent() + encre.bottom()) * mm};
}

double MilieuMajuscules(const PoliceMots& police, double resolution) {
    QImage appareil = Appareil(resolution);
    const QFontMetricsF mesures(Police(police, police.taille), &appareil);
    return (mesures.ascent() - mesures.capHeight() / 2) * 25.4 / resolution;
}

Resultat<MotsDisposes> DisposerMots(const MotsADisposer& mots, const PoliceMots& police,
                                    const PlaceMots& place) {
    QImage appareil = Appareil(place.resolution);
    const double placePremiere = place.largeurCheque - place.xPremiere;
    const double placeSeconde = place.largeurCheque - place.xSeconde;
    const QString& premiere = mots.premiere;

    // The first size always; then half points down to the smallest.
    double taille = police.taille;
    double essayee = taille;
    do {
        essayee = taille;
        const QFontMetricsF mesures(Police(police, taille), &appareil);
        auto tient = [&](const QString& ligne, double placeLigne) {
            return ligne.isEmpty() || Largeur(mesures, ligne, place.resolution) <= placeLigne;
        };
        // The fewest words moved that let the first line fit: any more only
        // lengthen the second line.
        qsizetype coupure = premiere.size();
        while (coupure > 0 && !tient(premiere.left(coupure), placePremiere)) {
            do
                --coupure;
            while (coupure > 0 && !CoupureAdmise(premiere, coupure));
        }
        if (coupure > 0) {
            MotsDisposes disposes{premiere.left(coupure), premiere.mid(coupure) + mots.seconde,
                                  taille};
            if (tient(disposes.seconde, placeSeconde))
                return disposes;
        }
        taille -= 0.5;
    } while (taille >= kTailleMinimaleMots);

    return Echec{
        QStringLiteral("Le montant en lettres ne tient pas sur le chèque : %1, même écrit en "
                       "%2 points.")
            .arg(mots.montant, QLocale(QLocale::French).toString(essayee))};
}
