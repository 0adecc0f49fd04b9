// Saving and loading through a property bag, with the bag's own rules.

#include "Essai.h"

#include "bouton/hote/SacMemoire.h"
#include <QPixmap>

using namespace bouton;
using bouton::hote::SacMemoire;
namespace m = bouton::membre;

TEST(SacMemoire, OccurrencesReadInTheOrderWritten) {
    SacMemoire sac;
    sac.ecrire(QStringLiteral("K"), 7, 0);
    sac.ecrire(QStringLiteral("K"), 8, 0);
    sac.ecrire(QStringLiteral("Autre"), 1, 0);
    sac.ecrire(QStringLiteral("K"), 9, 0);
    QVariant v;
    for (int attendu : {7, 8, 9, -1}) {
        sac.lire(QStringLiteral("k"), v, -1);
        EXPECT_EQ(v, attendu);
    }
}

// A default followed by a kept occurrence must hold its place, or the later value would be
// read for the earlier one; trailing defaults are left out.
TEST(SacMemoire, DefaultsLeftOutWithoutShiftingTheOccurrences) {
    struct Cas {
        QList<int> ecrits;
        QList<int> lus;
        qsizetype gardes;
    };
    const Cas cas[] = {
        {{0, 5}, {0, 5, 0}, 2},
        {{5, 0}, {5, 0}, 1},
        {{0, 0, 3}, {0, 0, 3}, 3},
        {{0, 0, 0}, {0, 0, 0}, 0},
    };
    for (const Cas& k : cas) {
        SacMemoire sac;
        for (int e : k.ecrits)
            sac.ecrire(QStringLiteral("BorderWidth"), e, 0);
        EXPECT_EQ(sac.nombre(QStringLiteral("BorderWidth")), k.gardes);
        QVariant v;
        for (int attendu : k.lus) {
            sac.lire(QStringLiteral("BorderWidth"), v, 0);
            EXPECT_EQ(v, attendu);
        }
    }
}

TEST_F(ControleEssai, NewControlSavesWithoutTheDefaults) {
    SacMemoire sac;
    ASSERT_TRUE(c.controle->enregistrer(sac).reussi());
    for (const char* cle : {"Enabled", "Stretch", "MousePointer", "Alignment", "EtiColOut",
                            "EtiFoCoOut", "BorderWidth", "Bordure", "Style", "Font", "Picture"})
        EXPECT_EQ(sac.nombre(QLatin1String(cle)), 0) << cle;
    // Values that differ from the bag's defaults are written.
    EXPECT_EQ(sac.nombre(QStringLiteral("Caption")), 1);
    EXPECT_EQ(sac.nombre(QStringLiteral("Bord1ColClair")), 1);
    EXPECT_EQ(sac.nombre(QStringLiteral("FontName")), 1);
}

TEST_F(ControleEssai, SaveThenLoadRestoresEverything) {
    QPixmap image(12, 7);
    image.fill(Qt::blue);
    const std::pair<int32_t, QVariant> valeurs[] = {
        {m::Enabled, false},
        {m::MousePointer, 2},
        {m::Stretch, false},
        {m::Picture, image},
        {m::ToolTipText, QStringLiteral("Info")},
        {m::BackColor, 0x00112233u},
        {m::BackColorOver, 0x00445566u},
        {m::BorderStyle, 1},
        {m::BordColSombre, 0x000000FFu},
        {m::Bord1ColClair, 0x0000FF00u},
        {m::Bord2ColClair, 0x00FF0000u},
        {m::BorderWidth, 2},
        {m::Style, EtiqCentree},
        {m::Bordure, 1},
        {m::Caption, QStringLiteral("Un*Deux")},
        {m::EtiFoCoOut, 0x00010203u},
        {m::EtiFoCoOver, 0x00040506u},
        {m::EtiColOut, 0x00070809u},
        {m::EtiColOver, 0x000A0B0Cu},
        {m::Alignment, 0},
        {m::FontName, QStringLiteral("DejaVu Serif")},
        {m::FontSize, 13.5},
        {m::FontItalic, true},
        {m::FontBold, true},
    };
    for (const auto& [id, v] : valeurs)
        ASSERT_TRUE(ecrire(id, v).reussi()) << c.dispatch->nomDuMembre(id).toStdString();

    SacMemoire sac;
    ASSERT_TRUE(c.controle->enregistrer(sac).reussi());
    EXPECT_EQ(sac.nombre(QStringLiteral("BorderWidth")), 3);
    EXPECT_EQ(sac.nombre(QStringLiteral("EtiColOut")), 2);
    EXPECT_EQ(sac.nombre(QStringLiteral("EtiFoCoOut")), 2);

    site.journal.clear();
    c = creer();
    ASSERT_NE(c.controle, nullptr);
    const auto r = c.controle->charger(sac);
    ASSERT_TRUE(r.reussi()) << texte(r);
    for (const auto& [id, v] : valeurs) {
        if (id == m::Picture)
            EXPECT_EQ(lire(id).value<QPixmap>().toImage(), image.toImage());
        else if (id == m::Caption)
            EXPECT_EQ(lire(id), QStringLiteral("Un\nDeux"));
        else if (id == m::FontSize)
            EXPECT_FLOAT_EQ(lire(id).toFloat(), 13.5f);
        else
            EXPECT_EQ(lire(id), v) << c.dispatch->nomDuMembre(id).toStdString();
    }
    for (const char* p : {"Shp", "Line1", "Line2"})
        EXPECT_EQ(partie(p, "BorderWidth"), 2) << p;
    EXPECT_EQ(partie("Lbl", "BackColor").toUInt(), 0x00070809u);
    EXPECT_EQ(partie("Lbl", "ForeColor").toUInt(), 0x00010203u);
    EXPECT_EQ(c.widget->property("CouleurSurface").toUInt(), 0x00112233u);
    // Loading neither lays out nor raises events.
    EXPECT_EQ(site.nombre(QStringLiteral("evt:1")), 0);
    EXPECT_EQ(partie("Lbl", "AutoSize"), false);
}

TEST_F(ControleEssai, TooltipLoadedWithoutTheParts) {
    SacMemoire sac;
    sac.ajouter(QStringLiteral("ToolTipText"), QStringLiteral("Aide"));
    ASSERT_TRUE(c.controle->charger(sac).reussi());
    EXPECT_EQ(lire(m::ToolTipText), QStringLiteral("Aide"));
    EXPECT_EQ(partie("Lbl", "ToolTipText").toString(), QString());
    ASSERT_TRUE(ecrire(m::ToolTipText, QStringLiteral("Aide")).reussi());
    EXPECT_EQ(partie("Lbl", "ToolTipText").toString(), QStringLiteral("Aide"));
}

TEST_F(ControleEssai, ValueOfTheWrongTypeStopsTheLoad) {
    struct Cas {
        const char* cle;
        QVariant valeur;
        int32_t code;
    };
    const Cas cas[] = {
        {"Font", QStringLiteral("MS Sans Serif"), code::IncompatibiliteType},
        {"Font", 12, code::IncompatibiliteType},
        {"Font", QVariant(), code::IncompatibiliteType},
        {"Font", QFont(), code::Ok},
        {"Alignment", 70000, code::Depassement},
        {"Alignment", 9, code::ValeurProprieteInvalide},
    };
    for (const Cas& k : cas) {
        c = creer();
        SacMemoire sac;
        sac.ajouter(QStringLiteral("BordColSombre"), 0x000000FFu);
        sac.ajouter(QStringLiteral("Caption"), QStringLiteral("Lu"));
        sac.ajouter(QLatin1String(k.cle), k.valeur);
        sac.ajouter(QStringLiteral("EtiColOver"), 0x00ABCDEFu);
        sac.ajouter(QStringLiteral("Alignment"), 0);
        const auto r = c.controle->charger(sac);
        EXPECT_EQ(r.code, k.code) << k.cle << " " << texte(r);
        if (r.reussi())
            continue;
        EXPECT_TRUE(r.message.contains(QLatin1String(k.cle))) << texte(r);
        // What was read before stays; nothing after the failing key is applied.
        EXPECT_EQ(lire(m::BordColSombre).toUInt(), 0x000000FFu);
        EXPECT_EQ(lire(m::Caption), QStringLiteral("Lu"));
        EXPECT_EQ(lire(m::Alignment), 2);
        if (QLatin1String(k.cle) == QLatin1String("Font")) {
            EXPECT_NE(lire(m::EtiColOver).toUInt(), 0x00ABCDEFu);
        }
    }
}

// The saved data of the main window's amount label.
TEST_F(ControleEssai, AmountLabelLoaded) {
    SacMemoire sac;
    const QFont police(QStringLiteral("MS Sans Serif"), 8);
    QFont police825 = police;
    police825.setPointSizeF(8.25);
    sac.ajouter(QStringLiteral("BordColSombre"), 0x00AD7E30u);
    sac.ajouter(QStringLiteral("Bord1ColClair"), 0x00F3F3CFu);
    sac.ajouter(QStringLiteral("Bord2ColClair"), 0x00F3F3CFu);
    sac.ajouter(QStringLiteral("BackColor"), 0x00D5E9EEu);
    sac.ajouter(QStringLiteral("Style"), 3);
    sac.ajouter(QStringLiteral("Font"), police825);
    sac.ajouter(QStringLiteral("EtiColOut"), 0x00FFFFFFu);
    sac.ajouter(QStringLiteral("EtiColOut"), 0x00FFFFFFu);
    sac.ajouter(QStringLiteral("EtiColOver"), 0x00D5E9EEu);
    sac.ajouter(QStringLiteral("BackColorOver"), 0x00D5E9EEu);
    sac.ajouter(QStringLiteral("BackColorOut"), 0x00D5E9EEu);
    sac.ajouter(QStringLiteral("Bordure"), 1);
    sac.ajouter(QStringLiteral("FontName"), QStringLiteral("MS Sans Serif"));
    sac.ajouter(QStringLiteral("FontSize"), 8.25f);
    const auto r = c.controle->charger(sac);
    ASSERT_TRUE(r.reussi()) << texte(r);
    taille(5655, 870);

    EXPECT_EQ(lire(m::Style), EtiqRelief);
    EXPECT_EQ(lire(m::BackColor).toUInt(), 0x00D5E9EEu);
    EXPECT_EQ(partie("Lbl", "BackColor").toUInt(), 0x00FFFFFFu);
    EXPECT_EQ(partie("Shp", "BorderColor").toUInt(), 0x00AD7E30u);
    EXPECT_EQ(lire(m::FontName), QStringLiteral("MS Sans Serif"));
    EXPECT_FLOAT_EQ(lire(m::FontSize).toFloat(), 8.25f);
    EXPECT_DOUBLE_EQ(partie("Lbl", "Width").toDouble(), 5655 - 35 - 20);
    EXPECT_DOUBLE_EQ(partie("Lbl", "Height").toDouble(), 870 - 35 - 20);

    // What the program writes by member ID.
    ASSERT_TRUE(ecrire(m::Caption, QStringLiteral("CENT EUROS* et DIX CENTIMES")).reussi());
    ASSERT_TRUE(ecrire(m::FontName, QStringLiteral("Arial")).reussi());
    ASSERT_TRUE(ecrire(m::FontSize, 12.0f).reussi());
    ASSERT_TRUE(ecrire(m::FontBold, true).reussi());
    EXPECT_EQ(lire(m::Caption), QStringLiteral("CENT EUROS\n et DIX CENTIMES"));
    const QFont lue = lire(m::Font).value<QFont>();
    EXPECT_EQ(lue.family(), QStringLiteral("Arial"));
    EXPECT_TRUE(lue.bold());
}

TEST_F(ControleEssai, WithoutNameOrSizeTheLoadedFontStays) {
    SacMemoire sac;
    sac.ajouter(QStringLiteral("Font"), QFont(QStringLiteral("DejaVu Serif"), 14));
    const auto r = c.controle->charger(sac);
    ASSERT_TRUE(r.reussi()) << texte(r);
    EXPECT_EQ(lire(m::FontName), QStringLiteral("DejaVu Serif"));
    EXPECT_FLOAT_EQ(lire(m::FontSize).toFloat(), 14.0f);
}

// A font given in pixels has no size in points, and FontSize saves as -1: loading keeps the
// font that "Font" restored.
TEST_F(ControleEssai, FontInPixelsSavedAndLoadedBack) {
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPixelSize(14);
    ASSERT_TRUE(ecrire(m::Font, police).reussi());
    SacMemoire sac;
    ASSERT_TRUE(c.controle->enregistrer(sac).reussi());
    hote::ControleCharge relu = creer();
    ASSERT_NE(relu.controle, nullptr);
    const auto r = relu.controle->charger(sac);
    ASSERT_TRUE(r.reussi()) << texte(r);
    QVariant v;
    ASSERT_TRUE(relu.dispatch->lire(m::Font, v).reussi());
    EXPECT_EQ(v.value<QFont>(), police);
}
