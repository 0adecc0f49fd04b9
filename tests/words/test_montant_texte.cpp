#include "words/MontantTexte.h"

#include <QLocale>
#include <clocale>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

TEST(LireMontant, AcceptsTheFrenchLayout) {
    const struct {
        const char16_t* texte;
        double valeur;
    } cas[] = {{u"1234,56", 1234.56},
               {u"1 234,56", 1234.56},
               {u"1\u00A0234,56", 1234.56},
               {u"1\u202F234,56", 1234.56},
               {u"12 345 678,9", 12345678.9},
               {u"1\u00A0234\u202F567", 1234567},
               {u"999 999 999 999,99", 999999999999.99},
               {u"0,5", 0.5},
               {u",5", 0.5},
               {u"1234,", 1234},
               {u"007", 7},
               {u"  12\u00A0", 12},
               {u"-3,5", -3.5},
               {u"+3", 3},
               // Beyond 15 digits another path reads the number.
               {u"123 456 789 012 345,67", 123456789012345.67},
               {u"12345678901234567,5", 12345678901234567.5},
               {u"1234567890123456789012,", 1234567890123456789012.0},
               {u"0,1000000000000000055511151231257827", 0.1}};
    for (const auto& c : cas) {
        const auto v = LireMontant(c.texte);
        ASSERT_TRUE(v.has_value()) << QStringView(c.texte).toString().toStdString();
        EXPECT_EQ(*v, c.valeur) << QStringView(c.texte).toString().toStdString();
        EXPECT_TRUE(EstUnMontant(c.texte));
    }
}

TEST(LireMontant, RefusesWhatIsNotAnAmount) {
    for (const char16_t* texte :
         {u"",      u" ",     u",",   u"-",     u"abc",    u"12a",          u"1.5",
          u"1,2,3", u"1,5 0", u"1e3", u"12 34", u"1 2345", u"1  234",       u"1234 567",
          u" 1 23", u"- 5",   u"--5", u"inf",   u"nan",    u"\u0661\u0662", u"1\t234"}) {
        EXPECT_FALSE(LireMontant(texte).has_value()) << QStringView(texte).toString().toStdString();
        EXPECT_FALSE(EstUnMontant(texte)) << QStringView(texte).toString().toStdString();
    }
}

// The system locale must not change how an amount reads or is written.
TEST(LireMontant, DoesNotDependOnTheSystemLanguage) {
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(LireMontant(u"1,5"), 1.5);
    EXPECT_EQ(LireMontant(u"1 234,56"), 1234.56);
    EXPECT_FALSE(LireMontant(u"1,234.56").has_value());
    EXPECT_EQ(FormaterMontant(1250), u"1 250,00");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormaterMontant(1234567.5), u"1 234 567,50");
    QLocale::setDefault(avant);
}

TEST(MontantEnForme, ReadableAmountsOnlyArePutInTheirPrintedForm) {
    EXPECT_EQ(MontantEnForme(QStringLiteral("12,")), u"12,00");
    EXPECT_EQ(MontantEnForme(QStringLiteral("1250,5")), u"1 250,50");
    EXPECT_EQ(MontantEnForme(QStringLiteral("12,5x")), u"12,5x");
    EXPECT_EQ(MontantEnForme(QString()), QString());
}

TEST(FormaterMontant, GroupsOfThreeAndTwoDecimals) {
    const struct {
        double montant;
        const char16_t* attendu;
    } cas[] = {{0, u"0,00"},
               {1250, u"1 250,00"},
               {100, u"100,00"},
               {999, u"999,00"},
               {1000, u"1 000,00"},
               {12.5, u"12,50"},
               {1234567.891, u"1 234 567,89"},
               {1.005, u"1,01"},
               {0.125, u"0,13"},
               {0.994, u"0,99"},
               {999.995, u"1 000,00"},
               {-1250.5, u"-1 250,50"},
               {-0.001, u"0,00"},
               {1e15, u"1 000 000 000 000 000,00"},
               {std::numeric_limits<double>::quiet_NaN(), u""},
               {std::numeric_limits<double>::infinity(), u""}};
    for (const auto& c : cas)
        EXPECT_EQ(FormaterMontant(c.montant), QStringView(c.attendu).toString()) << c.montant;
}

TEST(FormaterMontant, ReadsBackIdentically) {
    std::mt19937_64 hasard(42);
    for (int k = 0; k < 20000; ++k) {
        const std::uint64_t centiemes = hasard() % 100'000'000'000'000ULL;
        const double montant = double(centiemes) / 100;
        const QString texte = FormaterMontant(montant);
        ASSERT_EQ(LireMontant(texte), montant) << texte.toStdString();
    }
}

} // namespace
