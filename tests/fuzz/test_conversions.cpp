#include "Conversions.h"

#include <QVariant>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace bouton;

// A host may pass NaN for a numeric property: it fits no integer and no cast of
// it is defined, so it is refused as a value too large is.
TEST(Conversions, NaNIsRefusedAsAnOverflowLikeInfinity) {
    for (const QVariant& v : {QVariant(std::numeric_limits<double>::quiet_NaN()),
                              QVariant(std::numeric_limits<float>::quiet_NaN()),
                              QVariant(std::numeric_limits<double>::infinity())}) {
        Resultat erreur;
        EXPECT_FALSE(conv::versLong(v, &erreur));
        EXPECT_EQ(erreur.code, code::Depassement);
        erreur = {};
        EXPECT_FALSE(conv::versEntier(v, &erreur));
        EXPECT_EQ(erreur.code, code::Depassement);
        erreur = {};
        EXPECT_FALSE(conv::versCouleur(v, &erreur));
        EXPECT_EQ(erreur.code, code::Depassement);
        erreur = {};
        EXPECT_FALSE(conv::versSimple(v, &erreur));
        EXPECT_EQ(erreur.code, code::Depassement);
    }
    Resultat erreur;
    EXPECT_FALSE(conv::versLong(QVariant(QStringLiteral("nan")), &erreur));
    EXPECT_EQ(erreur.code, code::IncompatibiliteType);
    EXPECT_EQ(conv::versLong(QVariant(2.5), nullptr), 2); // halves to even, still
}
