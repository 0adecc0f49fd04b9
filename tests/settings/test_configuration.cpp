#include "settings/Configuration.h"

#include <gtest/gtest.h>

#include <tuple>

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

namespace {

ValeursConfiguration Complete() {
    ValeursConfiguration v;
    v.imprimante = QStringLiteral("PDF");
    v.police = QStringLiteral("Arial");
    v.taille = QStringLiteral("12");
    v.portrait = false;
    v.gras = true;
    v.montant = QStringLiteral("75.5");
    v.destinataire = QStringLiteral("GDF\nSA");
    return v;
}

} // namespace

// The first field left wrong is the one refused and named, with its reason;
// nothing of a refused configuration reaches the settings.
TEST(Configuration, RefusesTheFirstWrongFieldInOrder) {
    const std::tuple<void (*)(ValeursConfiguration&), ChampConfiguration, const char*> cas[] = {
        {[](ValeursConfiguration& v) { v.imprimante.clear(), v.taille.clear(); },
         ChampConfiguration::Imprimante, "Vous n'avez pas fait le choix de l'imprimante !"},
        {[](ValeursConfiguration& v) { v.police.clear(), v.taille.clear(); },
         ChampConfiguration::Police, "Vous n'avez pas fait le choix de la police !"},
        {[](ValeursConfiguration& v) { v.taille.clear(), v.tailleChiffreFixe = true; },
         ChampConfiguration::Taille, "Vous n'avez pas fait le choix de la taille de la police !"},
        {[](ValeursConfiguration& v) { v.tailleChiffreMinimum = true; },
         ChampConfiguration::TailleChiffre, "Fixez la taille de police du montant en chiffres !"},
    };
    for (const auto& [abimer, champ, raison] : cas) {
        ValeursConfiguration v = Complete();
        abimer(v);
        EXPECT_EQ(ChampRefuse(v), champ);
        EXPECT_EQ(ChoixManquant(v).has_value(), champ != ChampConfiguration::TailleChiffre);
        const Resultat<Reglages> r = ReglagesDeConfiguration(Reglages{}, v);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.raison(), QString::fromUtf8(raison));
    }
    EXPECT_EQ(ChampRefuse(Complete()), std::nullopt);
}

TEST(Configuration, MapsTheWindowOntoTheSettingsItKeeps) {
    Reglages base;
    base.Devise = QStringLiteral("dollar");
    base.MargeMX = 33;
    base.MargeHaute = -4;
    base.TailleChiffre = 20;
    base.ChoixTailleChiffre = 2;

    ValeursConfiguration v = Complete();
    Resultat<Reglages> r = ReglagesDeConfiguration(base, v);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->Imprimante, QStringLiteral("PDF"));
    EXPECT_EQ(r->Orientation, 2);
    EXPECT_EQ(r->Taille, 12);
    EXPECT_EQ(r->Gras, 1);
    // Without a figure size of its own, the figures take the text size.
    EXPECT_EQ(r->TailleChiffre, 12);
    EXPECT_EQ(r->ChoixTailleChiffre, 0);
    // Defaults as the boxes show them: a decimal comma, on one line.
    EXPECT_EQ(r->Montant, QStringLiteral("75,5"));
    EXPECT_EQ(r->Ledestinataire, QStringLiteral("GDF SA"));
    // What the window does not edit is the base's.
    EXPECT_EQ(r->Devise, QStringLiteral("dollar"));
    EXPECT_EQ(r->MargeMX, 33);
    EXPECT_EQ(r->MargeHaute, -4);

    v.montant = QStringLiteral("75");
    v.tailleChiffreMinimum = true;
    v.tailleChiffre = QStringLiteral("9");
    r = ReglagesDeConfiguration(base, v);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->Montant, QStringLiteral("75,00"));
    EXPECT_EQ(r->TailleChiffre, 9);
    EXPECT_EQ(r->ChoixTailleChiffre, 1);
}

TEST(Configuration, CurrencyWordsAreOneTrimmedLineWithoutOneFinalS) {
    EXPECT_EQ(MotDeDevise(QStringLiteral(" dollars\r\n"), true), QStringLiteral("dollar"));
    EXPECT_EQ(MotDeDevise(QStringLiteral("ss"), true), QStringLiteral("s"));
    EXPECT_EQ(MotDeDevise(QStringLiteral("EUROS"), true), QStringLiteral("EUROS"));
    EXPECT_EQ(MotDeDevise(QStringLiteral("\r\nplus "), false), QStringLiteral("plus"));
    EXPECT_EQ(MotDeDevise(QStringLiteral("  "), true), QString());
}

TEST(Configuration, ASaveOfTheListsKeepsTheBoxesTextsAndTheChoiceDefaults) {
    const ListesMemorisees listes{{QStringLiteral("100,00")},
                                  {QStringLiteral("EDF")},
                                  {QStringLiteral("Lyon"), QStringLiteral("Paris")}};
    // Without settings: each text on one line joins its list, in French order.
    BoitesCheque b = BoitesAEnregistrer(
        {listes, QStringLiteral("12,5"), QStringLiteral("Élise\nMartin"), QStringLiteral("Nice")},
        nullptr);
    EXPECT_EQ(b.destinataire, QStringLiteral("Élise Martin"));
    EXPECT_EQ(b.listes.montants, (QStringList{QStringLiteral("100,00"), QStringLiteral("12,5")}));
    EXPECT_EQ(b.listes.destinataires,
              (QStringList{QStringLiteral("EDF"), QStringLiteral("Élise Martin")}));
    EXPECT_EQ(b.listes.lieux.size(), 3);

    // A text that printing refuses (a pasted escape, a NUL) is not remembered.
    b = BoitesAEnregistrer({listes, QStringLiteral("12,5"), QStringLiteral("Dupont\x1b[2J"),
                            QStringLiteral("Ni") + QChar(0) + QStringLiteral("ce")},
                           nullptr);
    EXPECT_EQ(b.listes.destinataires, listes.destinataires);
    EXPECT_EQ(b.listes.lieux, listes.lieux);

    // With the settings of a choice: defaults join, cents are written, and
    // the place follows the "place not printed" option.
    Reglages r;
    r.Montant = QStringLiteral("20,00");
    r.Ledestinataire = QStringLiteral("Dupont");
    r.Emission = 1;
    b = BoitesAEnregistrer({listes, QStringLiteral("75"), {}, QStringLiteral("Nice")}, &r);
    EXPECT_EQ(b.montant, QStringLiteral("75,00"));
    EXPECT_EQ(b.lieu, QString());
    EXPECT_TRUE(b.listes.montants.contains(QStringLiteral("20,00")));
    EXPECT_TRUE(b.listes.montants.contains(QStringLiteral("75,00")));
    EXPECT_TRUE(b.listes.destinataires.contains(QStringLiteral("Dupont")));
    EXPECT_EQ(b.listes.lieux, listes.lieux);
    r.Emission = 0;
    r.EcrireCent = 1;
    b = BoitesAEnregistrer({listes, QStringLiteral("75"), {}, QStringLiteral("Nice")}, &r);
    EXPECT_EQ(b.montant, QStringLiteral("75"));
    EXPECT_EQ(b.lieu, QStringLiteral("Lyon"));
}
