#include "windows/PlateformeQt.h"

#include <gtest/gtest.h>

TEST(Polices, EachFamilyIsOfferedOnceWhateverItsFoundries) {
    const QStringList qt{QStringLiteral("C059 [UKWN]"),        QStringLiteral("C059 [urw]"),
                         QStringLiteral("D050000L [URW ]"),    QStringLiteral("D050000L [urw]"),
                         QStringLiteral("DejaVu Sans"),        QStringLiteral("Liberation Sans"),
                         QStringLiteral("Liberation Sans [x]")};
    EXPECT_EQ(FamillesUniques(qt),
              (QStringList{QStringLiteral("C059"), QStringLiteral("D050000L"),
                           QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}));
    // Brackets inside a name are part of it.
    EXPECT_EQ(FamillesUniques({QStringLiteral("Font [A] Pro")}),
              QStringList{QStringLiteral("Font [A] Pro")});
}
