#include "nombre_en_lettres.h"

#include <QStringList>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <random>

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

TEST(NombreEnLettres, UnitesDizainesCentaines) {
    Verifier({
        {0, "Zéro euro"},
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
        {280, "Deux cent quatre-vingts euros"},
    });
}

// "vingt" and "cent" take their "s" when multiplied and last, also before the
// nouns "million" and "milliard", never before "mille".
TEST(NombreEnLettres, PlurielsDeVingtEtCentAChaqueOrdre) {
    Verifier({
        {1000, "Mille euros"},
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
        {120000000, "Cent vingt millions d'euros"},
    });
}

TEST(NombreEnLettres, MillionsEtMilliards) {
    Verifier({
        {1000000, "Un million d'euros"},
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
                       "quatre-vingt-dix-neuf euros"},
    });
}

TEST(NombreEnLettres, ElisionDevantUneVoyelle) {
    const struct {
        double montant;
        const char16_t* unite;
        const char* attendu;
    } cas[] = {
        {1000000, u"dollar", "Un million de dollars"},
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
        {80, u"", "Quatre-vingts"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(NombreEnLettres(c.montant, c.unite).value_or("ÉCHEC").toStdString(), c.attendu);
    }
}

TEST(NombreEnLettres, UniteGardeSaCasseEtSingulierSousDeux) {
    Verifier({{1, "Un centime"},
              {50, "Cinquante centimes"},
              {1.99, "Un centime et "
                     "quatre-vingt-dix-neuf cents"}},
             u"centime");
    Verifier({{3, "Trois Euros"}}, u"Euro");
}

TEST(NombreEnLettres, FractionEcriteEnCents) {
    Verifier({
        {1.99, "Un euro et quatre-vingt-dix-neuf cents"},
        {1.5, "Un euro et cinquante cents"},
        {2.01, "Deux euros et un cent"},
        {0.5, "Zéro euro et cinquante cents"},
        {0.8, "Zéro euro et quatre-vingts cents"},
        {21.21, "Vingt et un euros et vingt et un cents"},
        // Rounded to the hundredth before the words: no "cent cents".
        {1.999, "Deux euros"},
        {0.004, "Zéro euro"},
    });
}

TEST(NombreEnLettres, NegatifsLisentZero) {
    Verifier({{-5, "Zéro euro"}, {-1.25, "Zéro euro"}, {-0.5, "Zéro euro"}});
}

TEST(NombreEnLettres, EchoueAPartirDeMilleMilliards) {
    for (double montant :
         {1e12, 1e12 + 0.5, 999999999999.996, 2e15, 1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(NombreEnLettres(montant, u"euro").has_value()) << montant;
    }
}

// Reads French number words back into a number, checking on the way the rule
// for the "s" of "vingt" and "cent" and the words that follow the number.
class Relecteur {
public:
    // Returns -1 when the text is not well-formed.
    static std::int64_t Lire(const QString& texte, const QString& unite) {
        QString t = texte;
        t[0] = t[0].toLower();
        QStringList mots = t.split(' ');
        // Split hyphenated words and drop the link "et" of "vingt et un".
        QStringList jetons;
        for (const QString& m : mots)
            for (const QString& j : m.split('-'))
                if (j != "et")
                    jetons << j;

        std::int64_t total = 0;
        std::int64_t groupe = 0;
        qsizetype i = 0;
        for (; i < jetons.size(); ++i) {
            const QString& j = jetons[i];
            const bool suiviDUnNombre = i + 1 < jetons.size() && EstMotDeNombre(jetons[i + 1]);
            if (j == "zéro" && i == 0) {
                continue;
            } else if (Simples().count(j)) {
                groupe += Simples().at(j);
            } else if (j == "vingt" || j == "vingts") {
                if (groupe % 100 == 4) { // quatre-vingt(s)
                    groupe += 76;
                    if ((j == "vingts") == suiviDUnNombre)
                        return -1;
                } else if (j == "vingt") {
                    groupe += 20;
                } else {
                    return -1;
                }
            } else if (j == "cent" || j == "cents") {
                const bool multiplie = groupe > 0;
                groupe = (multiplie ? groupe : 1) * 100;
                if ((j == "cents") != (multiplie && !suiviDUnNombre))
                    return -1;
            } else if (j == "mille") {
                total += (groupe ? groupe : 1) * 1000;
                groupe = 0;
            } else if (j.startsWith("million") || j.startsWith("milliard")) {
                const std::int64_t echelle = j.startsWith("milliard") ? 1000000000 : 1000000;
                if (j.endsWith('s') != (groupe > 1))
                    return -1;
                total += groupe * echelle;
                groupe = 0;
            } else {
                break;
            }
        }
        total += groupe;

        // What must follow: the unit, after "de"/"d'" when the number ends
        // with "million(s)" or "milliard(s)".
        const bool nom =
            i > 0 && (jetons[i - 1].startsWith("million") || jetons[i - 1].startsWith("milliard"));
        QString attendu = (nom ? QString("d'") : QString()) + unite + (total >= 2 ? "s" : "");
        if (jetons.mid(i).join(' ') != attendu)
            return -1;
        return total;
    }

private:
    static const std::map<QString, int>& Simples() {
        static const std::map<QString, int> m = {
            {"un", 1},     {"deux", 2},    {"trois", 3},     {"quatre", 4},     {"cinq", 5},
            {"six", 6},    {"sept", 7},    {"huit", 8},      {"neuf", 9},       {"dix", 10},
            {"onze", 11},  {"douze", 12},  {"treize", 13},   {"quatorze", 14},  {"quinze", 15},
            {"seize", 16}, {"trente", 30}, {"quarante", 40}, {"cinquante", 50}, {"soixante", 60},
        };
        return m;
    }
    static bool EstMotDeNombre(const QString& j) {
        return Simples().count(j) || j == "vingt" || j == "vingts" || j == "cent" || j == "cents" ||
               j == "mille" || j == "et";
    }
};

TEST(NombreEnLettres, SeRelitEnLeMemeNombre) {
    std::vector<std::int64_t> nombres;
    for (std::int64_t n = 0; n <= 20000; ++n)
        nombres.push_back(n);
    // Every magnitude up to the last one written.
    std::mt19937_64 hasard(20240611);
    for (int k = 0; k < 20000; ++k) {
        const int chiffres = 1 + int(hasard() % 12);
        std::int64_t n = std::int64_t(hasard() % std::uint64_t(std::pow(10, chiffres)));
        // Round some down to whole thousands and millions, where the rules change.
        if (k % 3 == 0)
            n -= n % 1000;
        if (k % 5 == 0)
            n -= n % 1000000;
        nombres.push_back(n);
    }
    for (std::int64_t n : nombres) {
        const auto texte = NombreEnLettres(double(n), u"euro");
        ASSERT_TRUE(texte.has_value()) << n;
        ASSERT_EQ(Relecteur::Lire(*texte, "euro"), n) << texte->toStdString();
    }
}

} // namespace
