#include "cheque/PageAlignement.h"
#include "settings/Reglages.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr double kPixelsParMm = 10;

struct Page {
    QImage image;
    explicit Page(const Reglages& r) : image(2100, 2970, QImage::Format_RGB32) {
        image.setDotsPerMeterX(qRound(kPixelsParMm * 1000));
        image.setDotsPerMeterY(qRound(kPixelsParMm * 1000));
        image.fill(Qt::white);
        QPainter p(&image);
        DessinerPageAlignement(p, image, r);
    }
    // Ink at a point given in millimetres from the page's corner.
    bool encre(double x, double y) const {
        return QColor(image.pixel(qRound(x * kPixelsParMm), qRound(y * kPixelsParMm))).lightness() <
               160;
    }
};

} // namespace

// Each cross sits at its text's position to half a millimetre, and the
// outline's corners where the margins put the cheque: a line is found inked
// where it should be and blank half a millimetre either side.
TEST(PageAlignement, CrossesAndOutlineLandWhereTheSettingsPutThem) {
    Reglages r;
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.Orientation = 1;
    r.MargeDroite = 14;
    r.MargeHaute = 21;
    r.MargeMLX = 3, r.MargeMLY = -2;
    r.MargeMX = -6, r.MargeMY = 4;
    r.MargeDEX = 9, r.MargeDEY = 1;
    r.MargeLIX = -10, r.MargeLIY = 12;
    r.MargeDAX = 5, r.MargeDAY = 20;
    r.MargeDLX = 8;
    const Page page(r);

    const struct {
        const char* nom;
        double x, y;
    } croix[] = {
        {"mots", 50 + 3, 15 - 2},         {"chiffres", 130 - 6, 25 + 4},
        {"destinataire", 20 + 9, 26 + 1}, {"lieu", 125 - 10, 33 + 12},
        {"date", 129 + 5, 38 + 20},
    };
    for (const auto& c : croix) {
        SCOPED_TRACE(c.nom);
        const double x = r.MargeDroite + c.x, y = r.MargeHaute + c.y;
        // the left arm: at the cross's height, not half a millimetre off
        EXPECT_TRUE(page.encre(x - 1.5, y));
        EXPECT_FALSE(page.encre(x - 1.5, y - 0.5));
        EXPECT_FALSE(page.encre(x - 1.5, y + 0.5));
        // the upper arm: at the cross's abscissa
        EXPECT_TRUE(page.encre(x, y - 1.5));
        EXPECT_FALSE(page.encre(x - 0.5, y - 1.5));
        EXPECT_FALSE(page.encre(x + 0.5, y - 1.5));
    }

    // the outline: left, right, top (between two ticks of the scale) and bottom edges
    for (const auto& [x, y, dx, dy] : {std::tuple{14.0, 56.5, 0.5, 0.0},
                                       {189.0, 56.5, 0.5, 0.0},
                                       {99.5, 21.0, 0.0, 0.5},
                                       {164.0, 101.0, 0.0, 0.5}}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(page.encre(x, y));
        EXPECT_FALSE(page.encre(x - dx, y - dy));
        EXPECT_FALSE(page.encre(x + dx, y + dy));
    }
}
