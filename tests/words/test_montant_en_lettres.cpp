#include "words/MontantEnLettres.h"
#include "words/MontantTexte.h"
#include "words/NombreEnLettres.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace {

QString Lettres(QStringView montant, QStringView liaison = u"et") {
    return MontantEnLettres(montant, u"euro", u"centime", liaison, false).lettres;
}

TEST(MontantEnLettres, SplitsAtTheCommaAndWritesTheCents) {
    const struct {
        const char16_t* montant;
        const char* attendu;
    } cas[] = {{u"1234,56", "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES"},
               {u"1234,5", "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE CENTIMES"},
               {u"1234,05", "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQ CENTIMES"},
               {u"1234,00", "MILLE DEUX CENT TRENTE-QUATRE EUROS"},
               {u"1234,", "MILLE DEUX CENT TRENTE-QUATRE EUROS"},
               {u"1234,0", "MILLE DEUX CENT TRENTE-QUATRE EUROS"},
               {u"1234", "MILLE DEUX CENT TRENTE-QUATRE EUROS"},
               {u"5", "CINQ EUROS"},
               {u"1,01", "UN EURO et UN CENTIME"},
               {u"0,50", "ZÉRO EURO et CINQUANTE CENTIMES"},
               {u"0,80", "ZÉRO EURO et QUATRE-VINGTS CENTIMES"},
               {u"1,99", "UN EURO et QUATRE-VINGT-DIX-NEUF CENTIMES"},
               {u"2000000,00", "DEUX MILLIONS D'EUROS"},
               {u"80000000,80", "QUATRE-VINGTS MILLIONS D'EUROS et QUATRE-VINGTS CENTIMES"},
               {u"1000000000", "UN MILLIARD D'EUROS"},
               {u"12,345", "DOUZE EUROS et TROIS CENT QUARANTE-CINQ CENTIMES"},
               {u"1,2,3", "UN EURO et TRENTE CENTIMES"},
               {u"21,21", "VINGT ET UN EUROS et VINGT ET UN CENTIMES"},
               // The amount box shows grouped thousands after formatting.
               {u"1 234,56", "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES"},
               {u"1\u00A0234,56", "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES"},
               {u"1\u202F234,56", "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES"},
               {u"", ""}};
    for (const auto& c : cas)
        EXPECT_EQ(Lettres(c.montant).toStdString(), c.attendu)
            << QStringView(c.montant).toString().toStdString();
}

// A part that does not read leaves its words empty; the rest goes on.
TEST(MontantEnLettres, APartThatFailsStaysEmpty) {
    const struct {
        const char16_t* montant;
        const char* attendu;
    } cas[] = {{u"abc", ""},
               {u"1000000000000,50", " et CINQUANTE CENTIMES"},
               {u"abc,50", " et CINQUANTE CENTIMES"},
               {u"12,ab", "DOUZE EUROS et "},
               {u"1 23,45", " et QUARANTE-CINQ CENTIMES"},
               {u"999999999999,99",
                "NEUF CENT QUATRE-VINGT-DIX-NEUF MILLIARDS NEUF CENT "
                "QUATRE-VINGT-DIX-NEUF MILLIONS NEUF CENT QUATRE-VINGT-DIX-NEUF "
                "MILLE NEUF CENT QUATRE-VINGT-DIX-NEUF EUROS et "
                "QUATRE-VINGT-DIX-NEUF CENTIMES"}};
    for (const auto& c : cas)
        EXPECT_EQ(Lettres(c.montant).toStdString(), c.attendu)
            << QStringView(c.montant).toString().toStdString();
}

TEST(MontantEnLettres, LinkWordAsGivenAndUnitsInCapitals) {
    EXPECT_EQ(Lettres(u"21,50", u"ET"), u"VINGT ET UN EUROS ET CINQUANTE CENTIMES");
    EXPECT_EQ(Lettres(u"2,50", u"und"), u"DEUX EUROS und CINQUANTE CENTIMES");
    EXPECT_EQ(MontantEnLettres(u"1000000,01", u"écu", u"denier", u"et", false).lettres,
              u"UN MILLION D'ÉCUS et UN DENIER");
    EXPECT_EQ(MontantEnLettres(u"3,02", u"Straße", u"Pfennig", u"und", false).lettres,
              u"TROIS STRASSES und DEUX PFENNIGS");
}

TEST(MontantEnLettres, WithoutZeroCentsShortensTheBox) {
    const struct {
        const char16_t* montant;
        bool ecrireCent;
        const char16_t* raccourci; // nullptr: the box is left alone
    } cas[] = {{u"150,00", true, u"150"},  {u"1 250,00", true, u"1 250"},
               {u"150,50", true, nullptr}, {u"150,00", false, nullptr},
               {u"150", true, nullptr},    {u"150,0", true, nullptr}};
    for (const auto& c : cas) {
        const ResultatMontant r =
            MontantEnLettres(c.montant, u"euro", u"centime", u"et", c.ecrireCent);
        const std::optional<QString> attendu =
            c.raccourci ? std::optional(QStringView(c.raccourci).toString()) : std::nullopt;
        EXPECT_EQ(r.montantRaccourci, attendu) << QStringView(c.montant).toString().toStdString();
    }
    EXPECT_EQ(MontantEnLettres(u"150,00", u"euro", u"centime", u"et", true).lettres,
              u"CENT CINQUANTE EUROS");
}

// Unit names of every length up to twelve, with the characters around the
// ASCII letters and non-ASCII ones at each place, the last included: upper
// case as QString gives it.
TEST(MontantEnLettres, UnitsInCapitalsOfEveryLength) {
    const QString caracteres = QStringLiteral("aAzZ`{@[ -0é\u00DF\u0080m");
    for (qsizetype longueur = 1; longueur <= 12; ++longueur) {
        for (qsizetype decalage = 0; decalage < caracteres.size(); ++decalage) {
            QString unite;
            for (qsizetype k = 0; k < longueur; ++k)
                unite += caracteres[(decalage + k) % caracteres.size()];
            const QString attendu = QStringLiteral("UN ") + unite.toUpper();
            EXPECT_EQ(MontantEnLettres(u"1", unite, u"centime", u"et", false).lettres, attendu)
                << unite.toStdString();
        }
    }
}

// The upper-case words of an amount are those of its two numbers.
TEST(MontantEnLettres, AgreesWithNombreEnLettres) {
    std::mt19937_64 hasard(7);
    for (int k = 0; k < 5000; ++k) {
        const std::uint64_t centiemes = 1 + hasard() % 99'999'999'999ULL;
        const std::uint64_t unites = centiemes / 100;
        const unsigned cents = unsigned(centiemes % 100);
        QString attendu = NombreEnLettres(double(unites), u"euro")->toUpper();
        if (cents != 0)
            attendu += QStringLiteral(" et ") + NombreEnLettres(cents, u"centime")->toUpper();
        const QString texte = FormaterMontant(double(centiemes) / 100);
        ASSERT_EQ(Lettres(texte), attendu) << texte.toStdString();
    }
}

} // namespace
