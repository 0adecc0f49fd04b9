#include "cheque/PreparationMontant.h"
#include "settings/Reglages.h"

#include <gtest/gtest.h>

namespace {

QString Caption(const QString& montant, const QString& liaison, bool encadrer = false) {
    Reglages r;
    AppliquerDevisesParDefaut(r);
    r.Liaison = liaison;
    r.Encadrer = encadrer;
    const auto prepare = PreparerTexteMontant(montant, r);
    return prepare ? prepare->caption : QString();
}

} // namespace

TEST(PreparerTexteMontant, UnitsOnTheFirstLineLinkAndCentsOnTheSecond) {
    EXPECT_EQ(Caption(QStringLiteral("1234,56"), QStringLiteral("et")),
              QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS* et CINQUANTE-SIX CENTIMES"));
    EXPECT_EQ(Caption(QStringLiteral("1 234,56"), QStringLiteral("et")),
              QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS* et CINQUANTE-SIX CENTIMES"));
    EXPECT_EQ(Caption(QStringLiteral("1234"), QStringLiteral("et")),
              QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS"));
    EXPECT_EQ(Caption(QStringLiteral("1234,00"), QStringLiteral("et")),
              QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS"));
    EXPECT_EQ(Caption(QStringLiteral("abc"), QStringLiteral("et")), QString());
}

TEST(PreparerTexteMontant, ALinkWordAlsoInsideTheWordsDropsNothing) {
    EXPECT_EQ(Caption(QStringLiteral("21,50"), QStringLiteral("ET")),
              QStringLiteral("VINGT ET UN EUROS* ET CINQUANTE CENTIMES"));
    // ... in the cents as well as in the units.
    EXPECT_EQ(Caption(QStringLiteral("71,21"), QStringLiteral("ET")),
              QStringLiteral("SOIXANTE ET ONZE EUROS* ET VINGT ET UN CENTIMES"));
    EXPECT_EQ(Caption(QStringLiteral("2,31"), QStringLiteral("ET")),
              QStringLiteral("DEUX EUROS* ET TRENTE ET UN CENTIMES"));
}

TEST(PreparerTexteMontant, FramingAndDroppedZeroCents) {
    EXPECT_EQ(Caption(QStringLiteral("1234"), QStringLiteral("et"), true),
              QStringLiteral("// MILLE DEUX CENT TRENTE-QUATRE EUROS //"));
    EXPECT_EQ(Caption(QStringLiteral("1,01"), QStringLiteral("et"), true),
              QStringLiteral("// UN EURO* et UN CENTIME //"));
    EXPECT_EQ(Caption(QString(), QStringLiteral("et"), true), QStringLiteral("//  //"));

    Reglages r;
    AppliquerDevisesParDefaut(r);
    r.EcrireCent = 1;
    EXPECT_EQ(MontantImprime(QStringLiteral("150,00"), r), QStringLiteral("150"));
    EXPECT_EQ(MontantImprime(QStringLiteral("150,50"), r), QStringLiteral("150,50"));
    EXPECT_EQ(MontantImprime(QStringLiteral("abc,00"), r), QStringLiteral("abc,00"));
    r.EcrireCent = 0;
    EXPECT_EQ(MontantImprime(QStringLiteral("150,00"), r), QStringLiteral("150,00"));
}
