#include "cheque/DispositionMots.h"
#include "cheque/PreparationMontant.h"
#include "cheque/Rendu.h"
#include "cheque/SurfaceEnregistreuse.h"
#include "settings/Reglages.h"

#include <gtest/gtest.h>

namespace {

TextesCheque Textes() {
    return {QStringLiteral("MILLE EUROS\n et DIX CENTIMES"), QStringLiteral("1 000,10"),
            QStringLiteral("DUPONT SA"), QStringLiteral("Paris"), QStringLiteral("05/03/2024")};
}

Reglages ReglagesDeBase() {
    Reglages r;
    r.Police = QStringLiteral("Arial");
    r.Taille = 12;
    r.Orientation = 1;
    r.Imprimante = QStringLiteral("Bureau");
    return r;
}

struct Attendu {
    const char* texte;
    double x, y, taille;
};

void Verifier(const SurfaceEnregistreuse& s, const std::vector<Attendu>& attendus) {
    ASSERT_EQ(s.textes.size(), static_cast<qsizetype>(attendus.size()));
    for (size_t i = 0; i < attendus.size(); ++i) {
        const auto& t = s.textes[static_cast<qsizetype>(i)];
        EXPECT_EQ(t.texte, QString::fromUtf8(attendus[i].texte)) << i;
        EXPECT_NEAR(t.x, attendus[i].x, 0.01) << attendus[i].texte;
        EXPECT_NEAR(t.y, attendus[i].y, 0.01) << attendus[i].texte;
        EXPECT_EQ(t.taille, attendus[i].taille) << attendus[i].texte;
    }
}

} // namespace

TEST(ImprimerCheque, BasePositionsOnThePrinter) {
    SurfaceEnregistreuse s(true, {QStringLiteral("PDF"), QStringLiteral("Bureau")});
    Reglages r = ReglagesDeBase();
    r.MargeDLX = 22;
    ImprimerCheque(s, r, Textes());
    EXPECT_EQ(s.imprimanteChoisie, QStringLiteral("Bureau"));
    EXPECT_EQ(s.orientation, 1);
    const double ligne = 12 * 25.4 / 72 * 1.15;
    Verifier(s, {{"MILLE EUROS", 50, 15, 12},
                 {" et DIX CENTIMES", 22, 15 + ligne, 12},
                 {"1 000,10", 130, 25, 12},
                 {"DUPONT SA", 20, 26, 12},
                 {"Paris", 125, 33, 10},
                 {"05/03/2024", 129, 38, 8}});
    EXPECT_EQ(s.textes[0].police, QStringLiteral("Arial"));
}

TEST(ImprimerCheque, TheWholeChequeMovesWithTheMargins) {
    SurfaceEnregistreuse s(true);
    Reglages r = ReglagesDeBase();
    r.MargeDroite = 10;
    r.MargeHaute = 5;
    r.MargeDLX = 40;
    r.MargeMX = -3;
    r.MargeDAY = 2;
    r.Taille = 10;
    ImprimerCheque(s, r, Textes());
    // No printer of that name: the current one stays.
    EXPECT_EQ(s.imprimanteChoisie, QString());
    ASSERT_EQ(s.textes.size(), 6);
    EXPECT_NEAR(s.textes[0].x, 60, 0.01);
    EXPECT_NEAR(s.textes[0].y, 20, 0.01);
    EXPECT_NEAR(s.textes[1].x, 50, 0.01); // the second line is shifted too
    EXPECT_NEAR(s.textes[2].x, 137, 0.01);
    EXPECT_NEAR(s.textes[4].y, 38, 0.01);
    EXPECT_EQ(s.textes[4].taille, 8); // place
    EXPECT_NEAR(s.textes[5].y, 45, 0.01);
    EXPECT_EQ(s.textes[5].taille, 10); // date: no smaller below 11 points
}

TEST(ImprimerCheque, OneThirdScalePicture) {
    SurfaceEnregistreuse s(false);
    Reglages r = ReglagesDeBase();
    r.MargeDroite = 10; // the page shift does not apply to the picture
    TextesCheque t = Textes();
    t.mots = QStringLiteral("DEUX CENT QUATRE-VINGT-DIX-NEUF EUROS\n et UN CENTIME");
    t.destinataire = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
    ImprimerCheque(s, r, t);
    Verifier(s, {{"DEUX CENT QUATRE-VINGT-DI", 50 / 3.0, 5, 8},
                 {"1 000,10", 50, 25 / 3.0, 8},
                 {"ABCDEFGHIJKLMNOPQRSTUVWXY", 20 / 3.0, 26 / 3.0, 8},
                 {"Paris", 125 / 3.0, 40 / 3.0, 8},
                 {"05/03/2024", 43, 16, 8}});
    EXPECT_EQ(s.textes[0].police, QStringLiteral("Perpetua"));
}

TEST(ImprimerCheque, SizeOfTheFigures) {
    Reglages r = ReglagesDeBase();
    r.TailleChiffre = 10;
    r.ChoixTailleChiffre = 1;
    EXPECT_EQ(TailleDesChiffres(r), 12);
    r.TailleChiffre = 14;
    EXPECT_EQ(TailleDesChiffres(r), 14);
    r.ChoixTailleChiffre = 2;
    r.TailleChiffre = 9;
    EXPECT_EQ(TailleDesChiffres(r), 9);
    r.ChoixTailleChiffre = 0;
    EXPECT_EQ(TailleDesChiffres(r), 12);

    SurfaceEnregistreuse s(true);
    r.ChoixTailleChiffre = 2;
    ImprimerCheque(s, r, Textes());
    EXPECT_EQ(s.textes[2].taille, 9);
}

TEST(ImprimerCheque, StepsThatCannotBeDrawnAreSkippedAndTheRestIsDrawn) {
    SurfaceEnregistreuse s(true);
    Reglages r = ReglagesDeBase();
    r.MargeMX = 32700; // + 130 passes the 16-bit range
    r.Police.clear();  // refused by the surface
    TextesCheque t = Textes();
    t.lieu.clear();
    ImprimerCheque(s, r, t);
    QStringList ecrits;
    for (const auto& texte : s.textes)
        ecrits.append(texte.texte);
    EXPECT_EQ(ecrits,
              (QStringList{QStringLiteral("MILLE EUROS"), QStringLiteral(" et DIX CENTIMES"),
                           QStringLiteral("DUPONT SA"), QStringLiteral("05/03/2024")}));
}

// The rule after the words: from past the last word of each line to the
// cheque's edge, through the middle of the capitals, at whatever size the
// words print; the words themselves are laid out and placed as without it.
TEST(ImprimerCheque, TheFillLineClosesEveryLineOfTheWordsAtEverySize) {
    const char* montants[] = {"1000,00", "1234,56", "777 777 777,77", "71 171 171 171,91"};
    int reduites = 0; // cases whose words print smaller than the settings' size
    for (const int variante : {0, 2})
        for (const int taille : {10, 16})
            for (const char* montant : montants) {
                SCOPED_TRACE(std::string(montant) + " en " + std::to_string(taille) +
                             " points, variante " + std::to_string(variante));
                Reglages r = ReglagesDeBase();
                r.Taille = std::int16_t(taille);
                r.MargeDroite = 7;
                r.MargeMLX = -20;
                r.Variante = std::uint8_t(variante);
                const auto prepare = PreparerTexteMontant(QString::fromUtf8(montant), r);
                ASSERT_TRUE(prepare) << prepare.raison().toStdString();
                TextesCheque t = Textes();
                t.mots = CaptionAvecSautDeLigne(prepare->caption);
                t.tailleMots = prepare->tailleMots;
                reduites += prepare->tailleMots < taille;

                SurfaceEnregistreuse sans(true);
                ImprimerCheque(sans, r, t);
                EXPECT_TRUE(sans.traits.isEmpty());
                r.CompleterLigne = 1;
                SurfaceEnregistreuse avec(true);
                ImprimerCheque(avec, r, t);

                ASSERT_EQ(avec.textes.size(), sans.textes.size());
                for (qsizetype i = 0; i < avec.textes.size(); ++i) {
                    EXPECT_EQ(avec.textes[i].texte, sans.textes[i].texte);
                    EXPECT_EQ(avec.textes[i].x, sans.textes[i].x);
                    EXPECT_EQ(avec.textes[i].taille, sans.textes[i].taille);
                }
                const qsizetype lignes = t.mots.contains(u'\n') ? 2 : 1;
                ASSERT_EQ(avec.traits.size(), lignes);
                for (qsizetype i = 0; i < lignes; ++i) {
                    const auto& mot = avec.textes[i];
                    const auto& trait = avec.traits[i];
                    const PoliceMots police{mot.police, mot.gras, mot.taille};
                    const double fin = mot.x + LargeurTexte(mot.texte, police, 1200);
                    EXPECT_GT(trait.x1, fin + 0.3) << mot.texte.toStdString();
                    EXPECT_LT(trait.x1, fin + 0.5 * mot.taille * 25.4 / 72);
                    EXPECT_DOUBLE_EQ(trait.x2, 175.0 + r.MargeDroite);
                    EXPECT_EQ(trait.taille, mot.taille);
                    const EncreVerticale encre =
                        MesurerEncre(QStringLiteral("MILLE"), police, 1200);
                    const double milieu = mot.y + (encre.haut + encre.bas) / 2;
                    EXPECT_NEAR(trait.y, milieu, 0.1 * (encre.bas - encre.haut));
                }
                // The second line, when there is one, is no shorter for it.
                if (lignes == 2) {
                    EXPECT_LT(avec.textes[1].x, avec.traits[1].x1);
                }
            }

    EXPECT_GT(reduites, 0);

    // The simulation shows it too, to the edge of its one-third cheque.
    Reglages r = ReglagesDeBase();
    r.CompleterLigne = 1;
    SurfaceEnregistreuse image(false);
    ImprimerCheque(image, r, Textes());
    ASSERT_EQ(image.traits.size(), 1);
    EXPECT_NEAR(image.traits[0].x2, 175.0 / 3, 1e-9);
    EXPECT_GT(image.traits[0].x1, image.textes[0].x);
}
