#include "settings/Reglages.h"
#include "cheque/Rendu.h"
#include "cheque/SurfaceEnregistreuse.h"

#include <QImage>

#include <gtest/gtest.h>

// The cheque drawn in the configuration window is the user's map of where
// texts print: with every position at 0, each text must land on its field of
// the drawing (on its line, the figures inside the amount box).
namespace {

class DessinCheque : public ::testing::Test {
protected:
    QImage image{QStringLiteral(IMAGE_CHEQUE)};
    double pxParMm() const { return image.width() / 175.0; }

    bool fonce(double xMm, double yMm) const {
        const QPoint p(qRound(xMm * pxParMm()), qRound(yMm * pxParMm()));
        return image.valid(p) && qGray(image.pixel(p)) < 170;
    }
    // A printed line under the text: dark pixels across most of its first centimetres.
    bool ligneSous(double xMm, double depuisMm, double jusquaMm) const {
        for (double y = depuisMm; y <= jusquaMm; y += 0.1) {
            int sombres = 0;
            for (double x = xMm + 1; x < xMm + 11; x += 0.5)
                sombres += fonce(x, y);
            if (sombres >= 16)
                return true;
        }
        return false;
    }
    // The nearest border of the amount box, looking left or right from a point.
    double bordDepuis(double xMm, double yMm, double pas) const {
        for (double d = 0; d < 60; d += 0.1)
            if (fonce(xMm + pas * d, yMm))
                return d;
        return 1e9;
    }
};

} // namespace

TEST_F(DessinCheque, TextsAtTheDefaultPositionsLandOnTheirFields) {
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.height() / pxParMm(), 80.0, 1.0); // a 175 x 80 mm cheque

    Reglages r;
    r.Imprimante = QStringLiteral("Bureau");
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.Orientation = 1;
    SurfaceEnregistreuse s(true, {r.Imprimante});
    ImprimerCheque(s, r,
                   {QStringLiteral("MILLE DEUX CENT EUROS\net DIX CENTIMES"),
                    QStringLiteral("1 200,10"), QStringLiteral("DUPONT SA"),
                    QStringLiteral("Paris"), QStringLiteral("05/03/2024")});
    ASSERT_EQ(s.textes.size(), 6);

    for (const auto& t : s.textes) {
        SCOPED_TRACE(t.texte.toStdString());
        const double hauteur = t.taille * 25.4 / 72; // the font's size in millimetres
        if (t.texte == QLatin1String("1 200,10")) {
            // Inside the box: a border close on the left, the other one far
            // enough on the right for a long amount, and nothing under the text.
            const double milieu = t.y + hauteur / 2;
            EXPECT_LT(bordDepuis(t.x - 0.3, milieu, -1), 8);
            EXPECT_GT(bordDepuis(t.x + 0.3, milieu, +1), 30);
            EXPECT_LT(bordDepuis(t.x + 0.3, milieu, +1), 50);
            EXPECT_FALSE(ligneSous(t.x, t.y, t.y + hauteur));
        } else {
            // On its line: the line runs under the letters, not through them.
            EXPECT_FALSE(ligneSous(t.x, t.y, t.y + 0.6 * hauteur));
            EXPECT_TRUE(ligneSous(t.x, t.y + 0.6 * hauteur, t.y + 1.6 * hauteur));
        }
    }
}
