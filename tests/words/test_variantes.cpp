#include "words/MontantEnLettres.h"
#include "words/NombreEnLettres.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr ReglesMots kFrance{Variante::France, Orthographe::Traditionnelle};
constexpr ReglesMots kFrance90{Variante::France, Orthographe::Rectifiee1990};
constexpr ReglesMots kBelgique{Variante::Belgique, Orthographe::Traditionnelle};
constexpr ReglesMots kBelgique90{Variante::Belgique, Orthographe::Rectifiee1990};
constexpr ReglesMots kSuisse{Variante::Suisse, Orthographe::Traditionnelle};
constexpr ReglesMots kSuisse90{Variante::Suisse, Orthographe::Rectifiee1990};

struct Cas {
    double montant;
    const char* attendu;
};

void Verifier(ReglesMots regles, const std::vector<Cas>& cas) {
    for (const Cas& c : cas) {
        const auto texte = NombreEnLettres(c.montant, u"euro", regles);
        ASSERT_TRUE(texte.has_value()) << c.montant;
        EXPECT_EQ(texte->toStdString(), c.attendu) << "montant " << std::fixed << c.montant;
    }
}

TEST(Variantes, SeventiesToNinetiesInEachCountry) {
    Verifier(kBelgique, {{70, "Septante euros"},
                         {71, "Septante et un euros"},
                         {72, "Septante-deux euros"},
                         {79, "Septante-neuf euros"},
                         {80, "Quatre-vingts euros"},
                         {81, "Quatre-vingt-un euros"},
                         {89, "Quatre-vingt-neuf euros"},
                         {90, "Nonante euros"},
                         {91, "Nonante et un euros"},
                         {99, "Nonante-neuf euros"},
                         {171, "Cent septante et un euros"},
                         {180, "Cent quatre-vingts euros"},
                         {191, "Cent nonante et un euros"},
                         {199, "Cent nonante-neuf euros"}});
    Verifier(kSuisse, {{70, "Septante euros"},
                       {71, "Septante et un euros"},
                       {80, "Huitante euros"},
                       {81, "Huitante et un euros"},
                       {82, "Huitante-deux euros"},
                       {91, "Nonante et un euros"},
                       {180, "Cent huitante euros"},
                       {281, "Deux cent huitante et un euros"},
                       {80'000, "Huitante mille euros"},
                       {80'080, "Huitante mille huitante euros"}});
    // France is as it always was.
    Verifier(kFrance, {{71, "Soixante et onze euros"},
                       {80, "Quatre-vingts euros"},
                       {91, "Quatre-vingt-onze euros"},
                       {171, "Cent soixante et onze euros"}});
}

TEST(Variantes, ThousandsMillionsAndMilliards) {
    Verifier(kBelgique, {{70'000, "Septante mille euros"},
                         {71'071, "Septante et un mille septante et un euros"},
                         {80'000, "Quatre-vingt mille euros"},
                         {99'999, "Nonante-neuf mille neuf cent nonante-neuf euros"},
                         {71'000'000, "Septante et un millions d'euros"},
                         {80'000'000, "Quatre-vingts millions d'euros"},
                         {2'091'000'000, "Deux milliards nonante et un millions d'euros"}});
    Verifier(kSuisse, {{81'000'000, "Huitante et un millions d'euros"},
                       {180'000'000'000, "Cent huitante milliards d'euros"}});
}

// Every numeral joined, "et" and "mille" included; the nouns stand apart and
// the plurals are those of the traditional spelling.
TEST(Variantes, Spelling1990) {
    Verifier(kFrance90, {{21, "Vingt-et-un euros"},
                         {71, "Soixante-et-onze euros"},
                         {80, "Quatre-vingts euros"},
                         {101, "Cent-un euros"},
                         {200, "Deux-cents euros"},
                         {201, "Deux-cent-un euros"},
                         {1'234, "Mille-deux-cent-trente-quatre euros"},
                         {80'000, "Quatre-vingt-mille euros"},
                         {200'300'000, "Deux-cents millions trois-cent-mille euros"},
                         {1'000'000, "Un million d'euros"},
                         {1'001'001, "Un million mille-un euros"},
                         {21'000'000'021, "Vingt-et-un milliards vingt-et-un euros"}});
    Verifier(kBelgique90, {{71, "Septante-et-un euros"},
                           {91'091, "Nonante-et-un-mille-nonante-et-un euros"},
                           {81, "Quatre-vingt-un euros"}});
    Verifier(kSuisse90,
             {{81, "Huitante-et-un euros"}, {180'000'000, "Cent-huitante millions d'euros"}});
}

TEST(Variantes, CentsTheLinkWordAndCurrenciesWithoutCents) {
    auto mots = [](const char16_t* montant, ReglesMots regles) {
        return MontantEnLettres(montant, u"euro", u"centime", u"et", false, regles)
            .lettres.toStdString();
    };
    EXPECT_EQ(mots(u"71,71", kBelgique), "SEPTANTE ET UN EUROS et SEPTANTE ET UN CENTIMES");
    EXPECT_EQ(mots(u"81,81", kSuisse90), "HUITANTE-ET-UN EUROS et HUITANTE-ET-UN CENTIMES");
    EXPECT_EQ(mots(u"0,91", kFrance90), "ZÉRO EURO et QUATRE-VINGT-ONZE CENTIMES");
    // The cents of NombreEnLettres take the variant too.
    EXPECT_EQ(NombreEnLettres(1.71, u"euro", kBelgique90)->toStdString(),
              "Un euro et septante-et-un cents");

    ReglesMots cfa = kFrance;
    cfa.sansCentimes = true;
    auto francs = [&](const char16_t* montant) {
        return MontantEnLettres(montant, u"franc CFA", u"centime", u"et", false, cfa)
            .lettres.toStdString();
    };
    EXPECT_EQ(francs(u"1500,00"), "MILLE CINQ CENTS FRANCS CFA");
    EXPECT_EQ(francs(u"1500,50"), "MILLE CINQ CENTS FRANCS CFA");
    EXPECT_EQ(francs(u"1500"), "MILLE CINQ CENTS FRANCS CFA");
    EXPECT_EQ(francs(u"1"), "UN FRANC CFA");
    // A currency of several words takes the plural on each.
    EXPECT_EQ(NombreEnLettres(3, u"franc suisse", kSuisse)->toStdString(), "Trois francs suisses");
}

// A second writing of the rules, word by word: each numeral with the joint
// before it, a blank or a hyphen; the 1990 spelling makes every joint a hyphen.
class Reference {
public:
    explicit Reference(ReglesMots r) : r_(r) {}

    // 0 to 999 999 with the unit "euro", as NombreEnLettres writes it.
    std::u16string Ecrire(unsigned n) {
        texte_.clear();
        if (n == 0) {
            texte_ = u"zéro";
        } else {
            const unsigned milliers = n / 1000, reste = n % 1000;
            if (milliers > 1)
                Centaines(milliers, false);
            if (milliers > 0)
                Mot(u"mille", ' ');
            if (reste > 0)
                Centaines(reste, true);
        }
        std::u16string t = texte_;
        t[0] = t[0] == u'z' ? u'Z' : char16_t(t[0] - u'a' + u'A');
        return t + (n >= 2 ? u" euros" : u" euro");
    }

private:
    void Mot(std::u16string_view mot, char joint) {
        if (!texte_.empty())
            texte_ += r_.orthographe == Orthographe::Rectifiee1990 ? u'-' : char16_t(joint);
        texte_ += mot;
    }

    void Centaines(unsigned n, bool dernier) {
        const unsigned c = n / 100, d = n % 100;
        if (c > 1)
            Mot(kPetits[c], ' ');
        if (c > 0)
            Mot(c > 1 && d == 0 && dernier ? u"cents" : u"cent", ' ');
        if (d > 0)
            Dizaines(d, dernier);
    }

    void Dizaines(unsigned n, bool dernier) {
        if (n <= 16) {
            Mot(kPetits[n], ' ');
            return;
        }
        if (n < 20) {
            Mot(u"dix", ' ');
            Mot(kPetits[n - 10], '-');
            return;
        }
        const bool france = r_.variante == Variante::France;
        const bool suisse = r_.variante == Variante::Suisse;
        unsigned t = n / 10, u = n % 10;
        if (france && (t == 7 || t == 9)) { // soixante-dix, quatre-vingt-dix
            --t;
            u += 10;
        }
        const bool quatreVingt = t == 8 && !suisse;
        if (quatreVingt) {
            Mot(u"quatre", ' ');
            Mot(u == 0 && dernier ? u"vingts" : u"vingt", '-');
        } else {
            Mot(t == 8 ? u"huitante" : kDizaines[t], ' ');
        }
        if (u == 0)
            return;
        if (u == 1 && !quatreVingt) {
            Mot(u"et", ' ');
            Mot(u"un", ' ');
        } else if (u == 11 && !quatreVingt) {
            Mot(u"et", ' ');
            Mot(u"onze", ' ');
        } else if (u < 17) {
            Mot(kPetits[u], '-');
        } else {
            Mot(u"dix", '-');
            Mot(kPetits[u - 10], '-');
        }
    }

    static constexpr std::u16string_view kPetits[17] = {
        u"",     u"un",  u"deux", u"trois", u"quatre", u"cinq",     u"six",    u"sept", u"huit",
        u"neuf", u"dix", u"onze", u"douze", u"treize", u"quatorze", u"quinze", u"seize"};
    static constexpr std::u16string_view kDizaines[10] = {
        u"",          u"",         u"vingt",    u"trente", u"quarante",
        u"cinquante", u"soixante", u"septante", u"",       u"nonante"};

    ReglesMots r_;
    std::u16string texte_;
};

TEST(Variantes, EveryNumberBelowAMillionAgreesWithTheRules) {
    const ReglesMots toutes[] = {kFrance, kFrance90, kBelgique, kBelgique90, kSuisse, kSuisse90};
    long compares = 0;
    for (const ReglesMots& regles : toutes) {
        Reference reference(regles);
        int ecarts = 0;
        for (unsigned n = 0; n < 1'000'000 && ecarts < 5; ++n) {
            const std::u16string attendu = reference.Ecrire(n);
            const auto texte = NombreEnLettres(n, u"euro", regles);
            ++compares;
            if (!texte || QStringView(*texte) != QStringView(attendu)) {
                ++ecarts;
                ADD_FAILURE() << "variante " << int(regles.variante) << ", orthographe "
                              << int(regles.orthographe) << ", " << n << " : "
                              << (texte ? texte->toStdString() : "(échec)") << " au lieu de "
                              << QString::fromStdU16String(attendu).toStdString();
            }
        }
    }
    EXPECT_EQ(compares, 6'000'000);
}

} // namespace
