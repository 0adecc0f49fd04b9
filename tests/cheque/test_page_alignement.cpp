#include "cheque/DispositionMots.h"
#include "cheque/PageAlignement.h"
#include "cheque/SurfaceEnregistreuse.h"
#include "settings/Reglages.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
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

namespace {

using Ecrit = SurfaceEnregistreuse::Texte;

// The page's texts read back from the recording surface, its lines alone on an image.
struct PageEnregistree {
    SurfaceEnregistreuse textes;
    QSizeF page;
    QImage lignes;
    explicit PageEnregistree(const Reglages& r)
        : page(r.Orientation == 2 ? QSizeF(297, 210) : QSizeF(210, 297)),
          lignes((page * kPixelsParMm).toSize(), QImage::Format_RGB32) {
        lignes.fill(Qt::white);
        QPainter p(&lignes);
        DessinerPageAlignement(p, kPixelsParMm, page, textes, r);
    }
    bool encre(int x, int y) const {
        return lignes.valid(x, y) && QColor(lignes.pixel(x, y)).lightness() < 200;
    }
};

PoliceMots Police(const Ecrit& t) {
    return {t.police, t.gras, t.taille};
}

// A text's cell on the page: its advance across, ascent and descent down.
QRectF Boite(const Ecrit& t) {
    QImage appareil(1, 1, QImage::Format_Mono);
    appareil.setDotsPerMeterX(qRound(kResolutionImprimante / 0.0254));
    appareil.setDotsPerMeterY(qRound(kResolutionImprimante / 0.0254));
    QFont f;
    if (!t.police.isEmpty())
        f.setFamily(t.police);
    f.setBold(t.gras);
    f.setPointSizeF(t.taille);
    const QFontMetricsF m(f, &appareil);
    return {t.x, t.y, LargeurTexte(t.texte, Police(t), kResolutionImprimante),
            (m.ascent() + m.descent()) * 25.4 / kResolutionImprimante};
}

double Distance(QPointF p, const QRectF& b) {
    return std::hypot(std::max({b.left() - p.x(), 0.0, p.x() - b.right()}),
                      std::max({b.top() - p.y(), 0.0, p.y() - b.bottom()}));
}

Reglages Defaut(int taille) {
    Reglages r;
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = std::int16_t(taille);
    r.Orientation = 1;
    return r;
}

} // namespace

// The labels and the scale's numbers are laid clear of every sample text and
// of each other, each label nearer its own mark than any other; the marks and
// the leaders never cross a sample text's letters. At the default positions
// (sizes 8 and 12) the texts crowd the left edge, the second line of words
// and the payee, the place and the date; the other settings crowd them more.
TEST(PageAlignement, LabelsAndNumbersKeepClearOfTheTextsAndStayByTheirMarks) {
    std::vector<std::pair<const char*, Reglages>> cas{{"8 points", Defaut(8)},
                                                      {"12 points", Defaut(12)}};
    Reglages decale = Defaut(12);
    decale.MargeDroite = 10, decale.MargeHaute = 6;
    decale.MargeMX = -3, decale.MargeDEX = 4, decale.MargeDEY = 2, decale.MargeLIY = -3;
    decale.MargeDAX = -2, decale.MargeDLX = 12;
    cas.emplace_back("textes decales", decale);
    Reglages serre = Defaut(14);
    serre.Gras = 1;
    serre.MargeMLY = 2, serre.MargeDEY = 3, serre.MargeDAY = 2, serre.MargeMX = -8;
    cas.emplace_back("gras, 14 points, textes rapproches", serre);
    Reglages paysage = Defaut(12);
    paysage.Orientation = 2;
    paysage.MargeDroite = 110, paysage.MargeHaute = 120; // the cheque at the sheet's corner
    cas.emplace_back("paysage, au coin de la feuille", paysage);

    const TextesCheque essai = TextesEssai();
    const QString seconde = essai.mots.section(u'\n', 1);
    for (const auto& [nom, r] : cas) {
        SCOPED_TRACE(nom);
        const PageEnregistree page(r);
        const QString echantillons[] = {essai.mots.section(u'\n', 0, 0),
                                        seconde,
                                        essai.chiffres,
                                        essai.destinataire,
                                        essai.lieu,
                                        essai.date};
        QVector<Ecrit> textes, etiquettes, nombres;
        for (const Ecrit& t : page.textes.textes) {
            if (std::find(std::begin(echantillons), std::end(echantillons), t.texte) !=
                std::end(echantillons))
                textes.append(t);
            else if (t.texte.endsWith(QLatin1String(" mm)")))
                etiquettes.append(t);
            else
                nombres.append(t);
        }
        ASSERT_EQ(textes.size(), 6);
        ASSERT_EQ(etiquettes.size(), 6);
        EXPECT_GE(nombres.size(), 20); // 17 across, 7 down, a few under texts left out

        const QRectF feuille(QPointF(0, 0), page.page);
        for (const Ecrit& e : etiquettes + nombres) {
            SCOPED_TRACE(e.texte.toStdString());
            const QRectF b = Boite(e);
            EXPECT_TRUE(feuille.contains(b));
            for (const Ecrit& t : textes)
                EXPECT_FALSE(b.intersects(Boite(t))) << t.texte.toStdString();
        }
        for (const Ecrit& e : etiquettes)
            for (const Ecrit& autre : etiquettes + nombres)
                if (&autre != &e && autre.texte != e.texte) {
                    EXPECT_FALSE(Boite(e).intersects(Boite(autre)))
                        << e.texte.toStdString() << " / " << autre.texte.toStdString();
                }

        // A label names its text: its mark is where that text starts.
        const char* const noms[] = {"Montant en lettres (",
                                    "Montant en lettres, seconde ligne",
                                    "Montant en chiffres (",
                                    "Destinataire (",
                                    "Lieu (",
                                    "Date ("};
        for (const Ecrit& e : etiquettes) {
            SCOPED_TRACE(e.texte.toStdString());
            const auto nom = std::find_if(std::begin(noms), std::end(noms), [&](const char* n) {
                return e.texte.startsWith(QLatin1String(n));
            });
            ASSERT_NE(nom, std::end(noms));
            const QString& sien = echantillons[nom - std::begin(noms)];
            const double d = Distance(
                [&] {
                    for (const Ecrit& t : textes)
                        if (t.texte == sien)
                            return QPointF(t.x, t.y);
                    return QPointF(1e9, 1e9);
                }(),
                Boite(e));
            EXPECT_LT(d, 15);
            for (const Ecrit& t : textes)
                if (t.texte != sien) {
                    EXPECT_LT(d, Distance({t.x, t.y}, Boite(e))) << t.texte.toStdString();
                }
        }

        // No line inks a sample's letters, bar the outline and the bands of
        // ticks that a text at the cheque's edge lies on.
        const double ox = r.MargeDroite, oy = r.MargeHaute;
        for (const Ecrit& t : textes) {
            SCOPED_TRACE(t.texte.toStdString());
            const EncreVerticale v = MesurerEncre(t.texte, Police(t), kResolutionImprimante);
            // From just before the text's start: a line along the first letter strikes it too.
            const QRectF lettres(t.x - 0.2, t.y + v.haut,
                                 LargeurTexte(t.texte, Police(t), kResolutionImprimante),
                                 v.bas - v.haut);
            int touches = 0;
            for (int y = int(std::ceil(lettres.top() * kPixelsParMm));
                 y < lettres.bottom() * kPixelsParMm; ++y)
                for (int x = int(std::ceil(lettres.left() * kPixelsParMm));
                     x < lettres.right() * kPixelsParMm; ++x) {
                    const double mx = x / kPixelsParMm, my = y / kPixelsParMm;
                    const bool bord = mx < ox + 3.6 || my < oy + 3.6 ||
                                      std::abs(mx - ox - kLargeurCheque) < 0.4 ||
                                      std::abs(my - oy - kHauteurCheque) < 0.4;
                    touches += !bord && page.encre(x, y);
                }
            EXPECT_EQ(touches, 0);
        }
    }
}

// Marks off the sheet get no label; what is on it is still named and on it.
TEST(PageAlignement, ACheckPartlyOffTheSheetLabelsOnlyWhatIsOnIt) {
    Reglages r = Defaut(12);
    r.MargeHaute = -30; // the words, the figures and the payee above the sheet's top
    r.MargeDEX = 32767; // past the renderer's range: not drawn at all
    const PageEnregistree page(r);
    QStringList etiquettes;
    for (const Ecrit& t : page.textes.textes)
        if (t.texte.endsWith(QLatin1String(" mm)"))) {
            etiquettes << t.texte.section(u' ', 0, 0);
            EXPECT_TRUE(QRectF(QPointF(0, 0), page.page).contains(Boite(t)));
        }
    EXPECT_EQ(etiquettes, (QStringList{QStringLiteral("Lieu"), QStringLiteral("Date")}));
}
