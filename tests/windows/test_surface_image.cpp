#include "settings/Reglages.h"
#include "cheque/Rendu.h"
#include "windows/SurfaceImage.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// The left and top of the inked pixels in a band of rows, or -1.
QPoint PremierPixelEncre(const QImage& image, int haut, int bas) {
    int gauche = -1, dessus = -1;
    for (int y = haut; y < bas && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (gauche < 0 || x < gauche)
                    gauche = x;
                if (dessus < 0)
                    dessus = y;
            }
    return {gauche, dessus};
}

} // namespace

TEST(SurfaceImage, TheSimulationDrawsEachTextAtOneThirdScale) {
    // 254 dots per inch: ten pixels a millimetre.
    QImage image(800, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    Reglages r;
    r.Police = QStringLiteral("Arial");
    r.Taille = 12;
    {
        SurfaceImage surface(image, 254);
        ImprimerCheque(surface, r,
                       {QStringLiteral("MILLE EUROS\n et DIX CENTIMES"), QStringLiteral("1 000,10"),
                        QString(), QStringLiteral("Paris"), QStringLiteral("05/03/2024")});
    }
    // The words start at 50/3 mm from the left, 5 mm from the top.
    const QPoint mots = PremierPixelEncre(image, 40, 75);
    EXPECT_NEAR(mots.x(), 500 / 3.0, 4);
    EXPECT_GE(mots.y(), 50);
    // The figures at 150/3 = 50 mm from the left, 25/3 mm from the top.
    QImage droite = image.copy(450, 0, 350, 300);
    const QPoint chiffres = PremierPixelEncre(droite, 83, 120);
    EXPECT_NEAR(chiffres.x() + 450, 500, 4);
    // Nothing of the second line of the words (it would start at the left
    // edge): the simulation shows the first line only.
    EXPECT_EQ(PremierPixelEncre(image.copy(0, 0, 150, 300), 0, 300).x(), -1);
}
