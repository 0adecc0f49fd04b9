#include "words/NombreEnLettres.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct Cas {
    double montant;
    const char* attendu;
};

void Verifier(const std::vector<Cas>& cas, const char16_t* unite = u"euro") {
    for (const Cas& c : cas) {
        const auto texte = NombreEnLettres(c.montant, unite);
        ASSERT_TRUE(texte.has_value()) << c.montant;
        EXPECT_EQ(texte->toStdString(), c.attendu) << "montant " << std::fixed << c.montant;
    }
}

TEST(NombreEnLettres, UnitsTensHundreds) {
    Verifier({{0, "Zéro euro"},
              {1, "Un euro"},
              {2, "Deux euros"},
              {17, "Dix-sept euros"},
              {20, "Vingt euros"},
              {21, "Vingt et un euros"},
              {22, "Vingt-deux euros"},
              {61, "Soixante et un euros"},
              {70, "Soixante-dix euros"},
              {71, "Soixante et onze euros"},
              {77, "Soixante-dix-sept euros"},
              {80, "Quatre-vingts euros"},
              {81, "Quatre-vingt-un euros"},
              {90, "Quatre-vingt-dix euros"},
              {91, "Quatre-vingt-onze euros"},
              {99, "Quatre-vingt-dix-neuf euros"},
              {100, "Cent euros"},
              {101, "Cent un euros"},
              {120, "Cent vingt euros"},
              {180, "Cent quatre-vingts euros"},
              {200, "Deux cents euros"},
              {201, "Deux cent un euros"},
              {280, "Deux cent quatre-vingts euros"}});
}

// "vingt" and "cent" take their "s" when multiplied and last, also before the
// nouns "million" and "milliard", never before "mille".
TEST(NombreEnLettres, PluralsOfVingtAndCentAtEveryOrder) {
    Verifier({{1000, "Mille euros"},
              {1001, "Mille un euros"},
              {1020, "Mille vingt euros"},
              {1100, "Mille cent euros"},
              {1980, "Mille neuf cent quatre-vingts euros"},
              {2000, "Deux mille euros"},
              {2100, "Deux mille cent euros"},
              {21000, "Vingt et un mille euros"},
              {80000, "Quatre-vingt mille euros"},
              {200000, "Deux cent mille euros"},
              {280080, "Deux cent quatre-vingt mille quatre-vingts euros"},
              {80000000, "Quatre-vingts millions d'euros"},
              {200000000, "Deux cents millions d'euros"},
              {80080000, "Quatre-vingts millions quatre-vingt mille euros"},
              {80000000000, "Quatre-vingts milliards d'euros"},
              {200000000000, "Deux cents milliards d'euros"},
              {300080000000, "Trois cents milliards quatre-vingts millions d'euros"},
              {120000000, "Cent vingt millions d'euros"}});
}

TEST(NombreEnLettres, MillionsAndBillions) {
    Verifier(
        {{1000000, "Un million d'euros"},
         {1000001, "Un million un euros"},
         {1001000, "Un million mille euros"},
         {2000000, "Deux millions d'euros"},
         {2500000, "Deux millions cinq cent mille euros"},
         {21000000, "Vingt et un millions d'euros"},
         {999999999, "Neuf cent quatre-vingt-dix-neuf millions neuf cent quatre-vingt-dix-neuf "
                     "mille neuf cent quatre-vingt-dix-neuf euros"},
         {1000000000, "Un milliard d'euros"},
         {1000001000, "Un milliard mille euros"},
         {1001000000, "Un milliard un million d'euros"},
         {1999999999, "Un milliard neuf cent quatre-vingt-dix-neuf millions neuf cent "
                      "quatre-vingt-dix-neuf mille neuf cent quatre-vingt-dix-neuf euros"},
         {2000000000, "Deux milliards d'euros"},
         {71000000000, "Soixante et onze milliards d'euros"},
         {999999999999, "Neuf cent quatre-vingt-dix-neuf milliards neuf cent quatre-vingt-dix-neuf "
                        "millions neuf cent quatre-vingt-dix-neuf mille neuf cent "
                        "quatre-vingt-dix-neuf euros"}});
}

TEST(NombreEnLettres, ElisionBeforeAVowel) {
    const struct {
        double montant;
        const char16_t* unite;
        const char* attendu;
    } cas[] = {{1000000, u"dollar", "Un million de dollars"},
               {3000000000, u"franc", "Trois milliards de francs"},
               {1000000, u"écu", "Un million d'écus"},
               {1000000, u"Euro", "Un million d'Euros"},
               {1000000, u"once", "Un million d'onces"},
               {1000000, u"unité", "Un million d'unités"},
               {2000000, u"ïambe", "Deux millions d'ïambes"},
               {1000000, u"yen", "Un million de yens"},
               {1000001, u"euro", "Un million un euros"},
               // No unit, no "de" and no stray "s".
               {2000000, u"", "Deux millions"},
               {80, u"", "Quatre-vingts"}};
    for (const auto& c : cas) {
        EXPECT_EQ(NombreEnLettres(c.montant, c.unite).value_or("ÉCHEC").toStdString(), c.attendu);
    }
}

TEST(NombreEnLettres, UnitKeepsItsCaseAndIsSingularBelowTwo) {
    Verifier({{1, "Un centime"},
              {50, "Cinquante centimes"},
              {1.99, "Un centime et "
                     "quatre-vingt-dix-neuf cents"}},
             u"centime");
    Verifier({{3, "Trois Euros"}}, u"Euro");
}

TEST(NombreEnLettres, FractionWrittenInHundredths) {
    Verifier({{1.99, "Un euro et quatre-vingt-dix-neuf cents"},
              {1.5, "Un euro et cinquante cents"},
              {2.01, "Deux euros et un cent"},
              {0.5, "Zéro euro et cinquante cents"},
              {0.8, "Zéro euro et quatre-vingts cents"},
              {21.21, "Vingt et un euros et vingt et un cents"},
              // Rounded to the hundredth before the words: no "cent cents".
              {1.999, "Deux euros"},
              {0.004, "Zéro euro"}});
}

TEST(NombreEnLettres, NegativesReadZero) {
    Verifier({{-5, "Zéro euro"}, {-1.25, "Zéro euro"}, {-0.5, "Zéro euro"}});
}

TEST(NombreEnLettres, FailsFromOneThousandBillion) {
    for (double montant :
         {1e12, 1e12 + 0.5, 999999999999.996, 2e15, 1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(NombreEnLettres(montant, u"euro").has_value()) << montant;
    }
}

} // namespace
