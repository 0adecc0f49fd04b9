#include "windows/EssaiAlignement.h"
#include "windows/ValeursConfiguration.h"

#include <gtest/gtest.h>

// The alignment page is for the choice as the window shows it: its unsaved
// printer, paper and font, with the positions as they are being edited.
TEST(EssaiAlignement, TheChoiceShownIncludesItsUnsavedEdits) {
    Reglages enCours;
    enCours.Imprimante = QStringLiteral("Bureau");
    enCours.Orientation = 1;
    enCours.Police = QStringLiteral("Arial");
    enCours.Taille = 12;
    enCours.TailleChiffre = 12;
    enCours.MargeDEX = 7;
    enCours.MargeDroite = 18;

    ValeursConfiguration v;
    v.imprimante = QStringLiteral("PDF");
    v.portrait = false;
    v.police = QStringLiteral("Liberation Serif");
    v.taille = QStringLiteral("14");
    v.gras = true;
    v.tailleChiffreFixe = true;
    v.tailleChiffre = QStringLiteral("16");
    Reglages r = ReglagesAffiches(enCours, v);
    EXPECT_EQ(r.Imprimante, v.imprimante);
    EXPECT_EQ(r.Orientation, 2);
    EXPECT_EQ(r.Police, v.police);
    EXPECT_EQ(r.Taille, 14);
    EXPECT_EQ(r.Gras, 1);
    EXPECT_EQ(r.TailleChiffre, 16);
    EXPECT_EQ(r.ChoixTailleChiffre, 2);
    EXPECT_EQ(r.MargeDEX, 7);
    EXPECT_EQ(r.MargeDroite, 18);

    // A size box left empty or unreadable keeps the size in use.
    v.taille = QStringLiteral("gros");
    v.tailleChiffreFixe = false;
    r = ReglagesAffiches(enCours, v);
    EXPECT_EQ(r.Taille, 12);
    EXPECT_EQ(r.ChoixTailleChiffre, 0);
}
