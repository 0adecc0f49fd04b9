#include "cheque/PlaceTextes.h"
#include "settings/Reglages.h"
#include "cheque/Rendu.h"

#include <QFontInfo>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

Reglages Choix12Points() {
    Reglages r;
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.TailleChiffre = 14;
    r.Orientation = 1;
    return r;
}

TextesCheque ChequeComplet() {
    return {QStringLiteral("MILLE DEUX CENT CINQUANTE EUROS\n et DIX CENTIMES"),
            QStringLiteral("1 250,10"), QStringLiteral("DUPONT ET FILS SARL"),
            QStringLiteral("Paris"), QStringLiteral("05/03/2024")};
}

double Largeur(const QString& texte, double taille, const Reglages& r) {
    return LargeurTexte(texte, {r.Police, r.Gras == 1, taille}, kResolutionImprimante);
}

TEST(PlaceTextes, TheFontsMeasuredAreTheRealOnes) {
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Liberation Sans"))).family(),
              QStringLiteral("Liberation Sans"));
}

TEST(PlaceTextes, AnOrdinaryChequeFitsInPortraitAndLandscape) {
    Reglages r = Choix12Points();
    EXPECT_TRUE(VerifierPlaceTextes(r, ChequeComplet()).isEmpty());
    r.Orientation = 2;
    r.Gras = 1;
    EXPECT_TRUE(VerifierPlaceTextes(r, ChequeComplet()).isEmpty());
}

// Each text alone, moved a millimetre at a time towards the cheque's right
// edge: it fits while it ends inside, then overflows by what passes the edge,
// one more millimetre for each millimetre further.
TEST(PlaceTextes, EachTextFitsUpToTheEdgeThenOverflowsByWhatPasses) {
    struct Cas {
        const char* nom;
        std::function<std::int16_t&(Reglages&)> reglage;
        std::function<QString&(TextesCheque&)> texte;
        double depart; // the text's start when its setting is 0
        double taille;
    };
    const Reglages base = Choix12Points();
    const Cas cas[] = {
        {"Montant en chiffres", [](Reglages& r) -> std::int16_t& { return r.MargeMX; },
         [](TextesCheque& t) -> QString& { return t.chiffres; }, 130, 12},
        {"Destinataire", [](Reglages& r) -> std::int16_t& { return r.MargeDEX; },
         [](TextesCheque& t) -> QString& { return t.destinataire; }, 20, 12},
        {"Lieu", [](Reglages& r) -> std::int16_t& { return r.MargeLIX; },
         [](TextesCheque& t) -> QString& { return t.lieu; }, 125, 10},
        {"Date", [](Reglages& r) -> std::int16_t& { return r.MargeDAX; },
         [](TextesCheque& t) -> QString& { return t.date; }, 129, 8},
    };
    const QString texte = QStringLiteral("Saint-Rémy-de-Provence");
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TextesCheque seul{};
        c.texte(seul) = texte;
        const double largeur = Largeur(texte, c.taille, base);
        const auto dernier =
            static_cast<std::int16_t>(std::floor(kLargeurCheque - c.depart - largeur));

        Reglages r = base;
        c.reglage(r) = dernier;
        EXPECT_TRUE(VerifierPlaceTextes(r, seul).isEmpty());

        for (int plus = 1; plus <= 2; ++plus) {
            c.reglage(r) = static_cast<std::int16_t>(dernier + plus);
            const auto d = VerifierPlaceTextes(r, seul);
            ASSERT_EQ(d.size(), 1);
            EXPECT_EQ(d[0].texte, QString::fromUtf8(c.nom));
            EXPECT_TRUE(d[0].obstacle.isEmpty());
            EXPECT_NEAR(d[0].mm, c.depart + dernier + plus + largeur - kLargeurCheque, 0.01);
        }
    }
}

// Sixty capitals reach the figures well before the cheque's edge; without
// figures they pass the edge itself.
TEST(PlaceTextes, APayeeOfSixtyCapitalsRunsOverTheFiguresThenPastTheEdge) {
    const Reglages r = Choix12Points();
    TextesCheque t = ChequeComplet();
    t.destinataire = QString(60, u'W');
    const double fin = 20 + Largeur(t.destinataire, 12, r);

    auto d = VerifierPlaceTextes(r, t);
    ASSERT_EQ(d.size(), 1);
    EXPECT_EQ(d[0].texte, QStringLiteral("Destinataire"));
    EXPECT_EQ(d[0].obstacle, QStringLiteral("Montant en chiffres"));
    EXPECT_NEAR(d[0].mm, fin - 130, 0.01);
    EXPECT_EQ(
        DecrireDepassements(d),
        QStringLiteral("« Destinataire » empiète sur « Montant en chiffres » de %1 mm.")
            .arg(QLocale(QLocale::French).toString(std::ceil((fin - 130) * 10) / 10, 'f', 1)));

    t.chiffres.clear();
    d = VerifierPlaceTextes(r, t);
    ASSERT_EQ(d.size(), 1);
    EXPECT_TRUE(d[0].obstacle.isEmpty());
    EXPECT_NEAR(d[0].mm, fin - kLargeurCheque, 0.01);
}

// With a wide left margin the sheet ends before the cheque in portrait; the
// landscape sheet leaves the whole cheque.
TEST(PlaceTextes, TheSheetsEdgeCountsInPortraitNotInLandscape) {
    Reglages r = Choix12Points();
    r.MargeDroite = 60;
    TextesCheque t = ChequeComplet();
    t.lieu = QStringLiteral("Saint-Rémy-de-Provence");
    t.date.clear();
    const double fin = 125 + Largeur(t.lieu, 10, r);
    ASSERT_GT(fin, 210 - 60);
    ASSERT_LT(fin, kLargeurCheque);

    const auto d = VerifierPlaceTextes(r, t);
    ASSERT_EQ(d.size(), 1);
    EXPECT_EQ(d[0].texte, QStringLiteral("Lieu"));
    EXPECT_TRUE(d[0].feuille);
    EXPECT_NEAR(d[0].mm, fin - 150, 0.01);

    r.Orientation = 2;
    EXPECT_TRUE(VerifierPlaceTextes(r, t).isEmpty());
}

// The place moved down onto the date's line: the first to start runs over the other.
TEST(PlaceTextes, TextsOnOneLineRunOverEachOtherOnlyWhereTheyMeet) {
    Reglages r = Choix12Points();
    TextesCheque t = ChequeComplet();
    t.lieu = QStringLiteral("Saint-Rémy-de-Provence");
    r.MargeLIX = -25; // starts at 100, ends past the date at 129
    r.MargeLIY = 5;   // on the date's line
    const auto d = VerifierPlaceTextes(r, t);
    ASSERT_EQ(d.size(), 1);
    EXPECT_EQ(d[0].texte, QStringLiteral("Lieu"));
    EXPECT_EQ(d[0].obstacle, QStringLiteral("Date"));
    EXPECT_NEAR(d[0].mm, 100 + Largeur(t.lieu, 10, r) - 129, 0.01);

    r.MargeLIY = 20; // well below: nothing in the way
    EXPECT_TRUE(VerifierPlaceTextes(r, t).isEmpty());
}

} // namespace
