// Layout of the parts in twips, the caption's line-break marker, and the painted result.

#include "Essai.h"

#include <QImage>
#include <QPixmap>

using namespace bouton;
namespace m = bouton::membre;

namespace {

struct Rect {
    double gauche, haut, largeur, hauteur;
};
struct Segment {
    double x1, y1, x2, y2;
};

} // namespace

class MiseEnPage : public ControleEssai {
protected:
    Rect rect(const char* nom) const {
        return {partie(nom, "Left").toDouble(), partie(nom, "Top").toDouble(),
                partie(nom, "Width").toDouble(), partie(nom, "Height").toDouble()};
    }
    Segment segment(const char* nom) const {
        return {partie(nom, "X1").toDouble(), partie(nom, "Y1").toDouble(),
                partie(nom, "X2").toDouble(), partie(nom, "Y2").toDouble()};
    }
    bool visible(const char* nom) const { return partie(nom, "Visible").toBool(); }
    void attendre(const char* nom, Rect r) const {
        const Rect lu = rect(nom);
        EXPECT_DOUBLE_EQ(lu.gauche, r.gauche) << nom;
        EXPECT_DOUBLE_EQ(lu.haut, r.haut) << nom;
        EXPECT_DOUBLE_EQ(lu.largeur, r.largeur) << nom;
        EXPECT_DOUBLE_EQ(lu.hauteur, r.hauteur) << nom;
    }
    void attendre(const char* nom, Segment s) const {
        const Segment lu = segment(nom);
        EXPECT_DOUBLE_EQ(lu.x1, s.x1) << nom;
        EXPECT_DOUBLE_EQ(lu.y1, s.y1) << nom;
        EXPECT_DOUBLE_EQ(lu.x2, s.x2) << nom;
        EXPECT_DOUBLE_EQ(lu.y2, s.y2) << nom;
    }
    QPixmap imageDeTwips(double cote) const {
        QPixmap p(int(cote * c.widget->logicalDpiX() / 1440),
                  int(cote * c.widget->logicalDpiY() / 1440));
        p.fill(Qt::red);
        return p;
    }
};

TEST_F(MiseEnPage, Label1200x600) {
    ASSERT_TRUE(ecrire(m::Style, Etiquette).reussi());
    ASSERT_TRUE(ecrire(m::Bordure, 1).reussi());
    taille(1200, 600);
    attendre("Shp", Rect{20, 20, 1165, 565});
    attendre("Line1", Segment{20, 20, 1185, 20});
    attendre("Line2", Segment{20, 20, 20, 585});
    attendre("Lbl", Rect{40, 40, 1115, 515});
    EXPECT_TRUE(visible("Lbl"));
    EXPECT_FALSE(visible("Img"));
    EXPECT_EQ(partie("Lbl", "BackStyle"), 1);
    EXPECT_FALSE(partie("Lbl", "AutoSize").toBool());
    for (const char* p : {"Shp", "Line1", "Line2"})
        EXPECT_TRUE(visible(p)) << p;
}

TEST_F(MiseEnPage, RaisedLabelAlwaysShowsTheFrame) {
    taille(1200, 600);
    ASSERT_TRUE(ecrire(m::Style, EtiqRelief).reussi());
    attendre("Lbl", Rect{30, 30, 1145, 545});
    EXPECT_EQ(lire(m::Bordure), 1);
    for (const char* p : {"Shp", "Line1", "Line2"})
        EXPECT_TRUE(visible(p)) << p;
}

TEST_F(MiseEnPage, CentredLabelCentresTheText) {
    ASSERT_TRUE(ecrire(m::Style, EtiqCentree).reussi());
    taille(1200, 600);
    const Rect lbl = rect("Lbl");
    EXPECT_TRUE(partie("Lbl", "AutoSize").toBool());
    EXPECT_EQ(partie("Lbl", "BackStyle"), 0);
    EXPECT_GT(lbl.hauteur, 0);
    EXPECT_DOUBLE_EQ(lbl.gauche, 40);
    EXPECT_DOUBLE_EQ(lbl.largeur, 1115);
    EXPECT_DOUBLE_EQ(lbl.haut, 565 / 2.0 - lbl.hauteur / 2);
    // Borderless: no frame at rest.
    EXPECT_FALSE(visible("Shp"));
}

TEST_F(MiseEnPage, LineTwoStrokesInTheMiddle) {
    ASSERT_TRUE(ecrire(m::Style, Ligne).reussi());
    taille(1200, 600);
    attendre("Line1", Segment{0, 300, 1200, 300});
    attendre("Line2", Segment{0, 325, 1200, 325});
    EXPECT_TRUE(visible("Line1"));
    EXPECT_TRUE(visible("Line2"));
    EXPECT_FALSE(visible("Shp"));
    EXPECT_FALSE(visible("Lbl"));
    EXPECT_FALSE(visible("Img"));
}

TEST_F(MiseEnPage, UnstretchedImageCentred) {
    ASSERT_TRUE(ecrire(m::Stretch, false).reussi());
    ASSERT_TRUE(ecrire(m::Picture, imageDeTwips(480)).reussi());
    taille(1200, 900);
    attendre("Img", Rect{360, 210, 480, 480});
    EXPECT_EQ(c.widget->property("ImgLeftRepos").toFloat(), 360.0f);
    EXPECT_TRUE(visible("Img"));
    EXPECT_FALSE(visible("Lbl"));

    // A new picture changes the size, not the place, until the next layout.
    ASSERT_TRUE(ecrire(m::Picture, imageDeTwips(960)).reussi());
    EXPECT_DOUBLE_EQ(rect("Img").gauche, 360);
    taille(1200, 900);
    attendre("Img", Rect{120, -30, 960, 960});
}

TEST_F(MiseEnPage, StretchedImageAndStretchToggling) {
    ASSERT_TRUE(ecrire(m::Picture, imageDeTwips(480)).reussi());
    taille(1200, 600);
    attendre("Img", Rect{120, 120, 960, 360});
    ASSERT_TRUE(ecrire(m::Stretch, false).reussi());
    EXPECT_DOUBLE_EQ(rect("Img").gauche, 120);
    taille(1200, 600);
    attendre("Img", Rect{360, 60, 480, 480});
}

TEST_F(MiseEnPage, TooSmallAControlKeepsThePreviousSizes) {
    taille(1200, 600);
    taille(20, 100);
    attendre("Shp", Rect{20, 20, 1165, 65});
    attendre("Img", Rect{120, 120, 960, 360});
}

TEST_F(MiseEnPage, StyleOutsideTheEnumeration) {
    struct Cas {
        int bordure;
        bool cadre;
    };
    for (const Cas k : {Cas{1, true}, Cas{0, false}}) {
        ASSERT_TRUE(ecrire(m::Style, Etiquette).reussi());
        ASSERT_TRUE(ecrire(m::Bordure, k.bordure).reussi());
        site.journal.clear();
        ASSERT_TRUE(ecrire(m::Style, 7).reussi());
        EXPECT_EQ(visible("Shp"), k.cadre);
        EXPECT_TRUE(visible("Lbl")); // left as the previous style placed it
        EXPECT_EQ(site.nombre("evt:1"), 1);
    }
}

TEST_F(MiseEnPage, OneResizePerLayout) {
    struct Etape {
        const char* quoi;
        std::function<void()> faire;
        int resize;
    };
    const Etape etapes[] = {
        {"taille", [&] { taille(1200, 600); }, 1},
        {"Style", [&] { ecrire(m::Style, Etiquette); }, 1},
        {"Bordure", [&] { ecrire(m::Bordure, 1); }, 1},
        {"Caption", [&] { ecrire(m::Caption, QStringLiteral("a*b")); }, 0},
        {"Stretch", [&] { ecrire(m::Stretch, false); }, 0},
        {"affichage", [&] { parent.show(); }, 0},
        {"redimensionnement", [&] { c.widget->resize(c.widget->width() + 10, c.widget->height()); },
         1},
    };
    for (const Etape& e : etapes) {
        site.journal.clear();
        e.faire();
        EXPECT_EQ(site.nombre("evt:1"), e.resize) << e.quoi;
    }
}

TEST_F(MiseEnPage, ResizedByTheContainer) {
    ASSERT_TRUE(ecrire(m::Style, Etiquette).reussi());
    parent.show();
    const int dpi = c.widget->logicalDpiX();
    c.widget->resize(80 * dpi / 96, 40 * dpi / 96);
    EXPECT_DOUBLE_EQ(rect("Shp").largeur, 1200 - 35);
    EXPECT_DOUBLE_EQ(c.controle->tailleTwips().width(), 1200);
}

TEST_F(MiseEnPage, LineMarker) {
    struct Cas {
        const char* donne;
        const char* lu;
    };
    const Cas cas[] = {
        {"AB", "AB"}, {"A*B", "A\nB"}, {"A* B", "A\n B"}, {"A*B*Z", "A\nB"},
        {"*", "\n"},  {"A*", "A\n"},   {"", ""},
    };
    for (const Cas& k : cas) {
        ASSERT_TRUE(ecrire(m::Caption, QString::fromUtf8(k.donne)).reussi());
        EXPECT_EQ(lire(m::Caption).toString(), QString::fromUtf8(k.lu)) << k.donne;
    }
}

TEST_F(MiseEnPage, MarkerKeptInLineStyleUntilTheLayout) {
    ASSERT_TRUE(ecrire(m::Style, Ligne).reussi());
    ASSERT_TRUE(ecrire(m::Caption, QStringLiteral("UN*DEUX")).reussi());
    EXPECT_EQ(lire(m::Caption).toString(), QStringLiteral("UN*DEUX"));
    taille(1200, 600);
    EXPECT_EQ(lire(m::Caption).toString(), QStringLiteral("UN\nDEUX"));
}

// The amount label as the main window shows it: colours of its saved data, two lines.
TEST_F(MiseEnPage, RaisedLabelPainted) {
    ASSERT_TRUE(ecrire(m::BackColor, 0x00D5E9EEu).reussi());
    ASSERT_TRUE(ecrire(m::BordColSombre, 0x00AD7E30u).reussi());
    ASSERT_TRUE(ecrire(m::Bord1ColClair, 0x00F3F3CFu).reussi());
    ASSERT_TRUE(ecrire(m::Bord2ColClair, 0x00F3F3CFu).reussi());
    ASSERT_TRUE(ecrire(m::EtiColOut, 0x00FFFFFFu).reussi());
    ASSERT_TRUE(ecrire(m::Style, EtiqRelief).reussi());
    ASSERT_TRUE(ecrire(m::Caption, QStringLiteral("MILLE EUROS*et DIX CENTIMES")).reussi());
    taille(5655, 870);
    const QImage image = c.widget->grab().toImage();
    const double dpi = c.widget->logicalDpiX();
    auto px = [&](double twips) { return int(std::lround(twips * dpi / 1440)); };
    auto couleur = [&](int x, int y) { return image.pixelColor(x, y); };

    const QColor surface(0xEE, 0xE9, 0xD5), sombre(0x30, 0x7E, 0xAD), clair(0xCF, 0xF3, 0xF3);
    EXPECT_EQ(couleur(0, 0), surface);
    const int milieu = px(5655 / 2);
    const int droite = px(20 + 5620) - 1, bas = px(20 + 835) - 1;
    EXPECT_EQ(couleur(milieu, px(20)), clair);  // light line over the top side
    EXPECT_EQ(couleur(px(20), px(435)), clair); // and over the left side
    EXPECT_EQ(couleur(milieu, bas), sombre);
    EXPECT_EQ(couleur(droite, px(435)), sombre);
    EXPECT_EQ(couleur(px(30) + 1, bas - 2), Qt::white); // label background inside the frame
    // Both lines of text are painted: dark pixels in the upper and the lower half.
    auto encre = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = px(30); x < droite; ++x)
                n += couleur(x, y).lightness() < 128;
        return n;
    };
    const QFontMetrics mesure(lire(m::Font).value<QFont>(), c.widget);
    EXPECT_GT(encre(px(30), px(30) + mesure.height()), 0);
    EXPECT_GT(encre(px(30) + mesure.height(), px(30) + 2 * mesure.height()), 0);
}
