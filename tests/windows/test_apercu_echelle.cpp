#include "../settings/Montage.h"
#include "cheque/DispositionMots.h"
#include "settings/Reglages.h"
#include "windows/EchelleEcran.h"
#include "windows/FrmApercu.h"
#include "windows/FrmEtalonnage.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// The user's own settings in a folder of the test's: never the real profile's.
class ApercuEcran : public ::testing::Test {
protected:
    QTemporaryDir profil;
    Reglages r;
    std::unique_ptr<FrmApercu> apercu;

    void SetUp() override {
        utiliserProfil(profil.path());
        r.Police = QStringLiteral("Liberation Sans");
        r.Taille = 12;
        r.Orientation = 1;
    }
    void TearDown() override {
        apercu.reset();
        utiliserProfil(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    static void utiliserProfil(const QString& dossier) {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dossier);
    }
    QString fichier() const { return profil.filePath(QStringLiteral("Scribane/Ecran.ini")); }

    void ouvrir(QSize taille = {900, 760}) {
        TextesCheque t{};
        t.destinataire = QStringLiteral("DUPONT SA");
        apercu = std::make_unique<FrmApercu>(r, t);
        apercu->resize(taille);
        apercu->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(apercu.get()));
    }
    void cliquer(QWidget* fenetre, const char* bouton) const {
        auto* b = fenetre->findChild<QPushButton*>(QLatin1String(bouton));
        ASSERT_NE(b, nullptr) << bouton;
        b->click();
        QCoreApplication::sendPostedEvents(); // the scroll area follows the page's new size
    }
    QScrollArea* zone() const { return apercu->findChild<QScrollArea*>(); }
    FrmEtalonnage* etalonnage() const { return apercu->findChild<FrmEtalonnage*>(); }
};

// The pixels of an image that `garder` keeps, and how many there are per line and column.
struct Trace {
    QRect boite;
    QVector<int> parColonne, parLigne;
    Trace(const QImage& image, auto garder) : parColonne(image.width()), parLigne(image.height()) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (garder(QColor(image.pixel(x, y)))) {
                    boite |= QRect(x, y, 1, 1);
                    ++parColonne[x];
                    ++parLigne[y];
                }
    }
};

bool Contour(QColor c) {
    return c.blue() > c.red() + 30;
}

// The length of the line to measure, end stroke to end stroke, read from its drawing.
int LongueurLigne(const FrmEtalonnage* dialogue) {
    const QImage image =
        dialogue->findChild<QWidget*>(QStringLiteral("LigneEtalon"))->grab().toImage();
    const Trace noir(image, [](QColor c) { return c.lightness() < 100; });
    return noir.boite.width() - 1;
}

double Clarte(const QImage& image, const QRect& zone, const QRect& sauf = {}) {
    double somme = 0;
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (!sauf.contains(x, y)) {
                somme += QColor(image.pixel(x, y)).lightness();
                ++n;
            }
    return n ? somme / n : 0;
}

} // namespace

// At "100 %" the cheque's outline is 175 x 80 of the screen's millimetres,
// with its four edges drawn and clear of the view's frame (with no printer
// margin the outline lies on the page's own edges).
TEST_F(ApercuEcran, AtTrueScaleTheOutlineIsWholeAndClearOfTheFrame) {
    ouvrir();
    cliquer(apercu.get(), "BtnTailleReelle");
    const double ppm = apercu->echelleReelle();
    EXPECT_NEAR(ppm, PixelsParMmAnnonces(apercu->screen()), 1e-9); // nothing calibrated yet

    const QImage vue = zone()->viewport()->grab().toImage();
    const Trace contour(vue, Contour);
    EXPECT_NEAR(contour.boite.width() - 1, kLargeurCheque * ppm, 1.5);
    EXPECT_NEAR(contour.boite.height() - 1, 80 * ppm, 1.5);
    EXPECT_GE(contour.boite.left(), 4);
    EXPECT_GE(contour.boite.top(), 4);
    // A dashed edge inks about half its length; a few stray dashes of the
    // other edges do not make one.
    for (int n :
         {contour.parColonne[contour.boite.left()], contour.parColonne[contour.boite.right()]})
        EXPECT_GT(n, 0.3 * contour.boite.height());
    for (int n : {contour.parLigne[contour.boite.top()], contour.parLigne[contour.boite.bottom()]})
        EXPECT_GT(n, 0.3 * contour.boite.width());
}

// A thumb reads as the thumb: darker than its track, whichever end it is at.
TEST_F(ApercuEcran, TheScrollBarsThumbsAreDarkerThanTheirTracks) {
    ouvrir({600, 500});
    cliquer(apercu.get(), "BtnTailleReelle");
    for (QScrollBar* barre : {zone()->horizontalScrollBar(), zone()->verticalScrollBar()}) {
        SCOPED_TRACE(barre->orientation() == Qt::Horizontal ? "horizontale" : "verticale");
        ASSERT_TRUE(barre->isVisible());
        for (int valeur : {barre->minimum(), barre->maximum()}) {
            barre->setValue(valeur);
            QStyleOptionSlider option;
            option.initFrom(barre);
            option.subControls = QStyle::SC_All;
            option.orientation = barre->orientation();
            if (barre->orientation() == Qt::Horizontal)
                option.state |= QStyle::State_Horizontal;
            option.minimum = barre->minimum();
            option.maximum = barre->maximum();
            option.sliderPosition = option.sliderValue = barre->value();
            option.singleStep = barre->singleStep();
            option.pageStep = barre->pageStep();
            const QRect pouce = barre->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                               QStyle::SC_ScrollBarSlider, barre);
            const QRect rainure = barre->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                                 QStyle::SC_ScrollBarGroove, barre);
            const QImage image = barre->grab().toImage();
            EXPECT_LT(Clarte(image, pouce) + 40, Clarte(image, rainure, pouce)) << valeur;
        }
    }
}

// The user measures the line, the line is drawn again at the corrected scale
// as the length is typed, and once kept the correction makes "100 %" true in
// this preview and in the next; "Rétablir" forgets it.
TEST_F(ApercuEcran, TheCalibrationFollowsTheRulerAndIsKeptForTheScreen) {
    ouvrir();
    const double annonce = PixelsParMmAnnonces(apercu->screen());
    cliquer(apercu.get(), "BtnEtalonner");
    FrmEtalonnage* dialogue = etalonnage();
    ASSERT_NE(dialogue, nullptr);
    EXPECT_EQ(dialogue->windowTitle(), QStringLiteral("Étalonner l'écran"));
    EXPECT_NEAR(LongueurLigne(dialogue), 100 * annonce, 1);

    // The line measured 96 mm: a millimetre is 100/96 of what the screen says.
    auto* longueur = dialogue->findChild<QDoubleSpinBox*>(QStringLiteral("TxtLongueurMesuree"));
    longueur->setValue(96);
    EXPECT_NEAR(LongueurLigne(dialogue), 100 * annonce * 100 / 96, 1);
    EXPECT_FALSE(QFileInfo::exists(fichier())); // nothing kept before "Enregistrer"
    cliquer(dialogue, "BtnEnregistrer");
    EXPECT_EQ(etalonnage(), nullptr); // closed and gone
    EXPECT_NEAR(apercu->echelle(), annonce * 100 / 96, 1e-9);
    EXPECT_NEAR(apercu->findChild<QLabel*>(QStringLiteral("ImagePage"))->pixmap().width(),
                210 * annonce * 100 / 96, 1);

    apercu.reset();
    ouvrir();
    cliquer(apercu.get(), "BtnTailleReelle");
    EXPECT_NEAR(apercu->echelle(), annonce * 100 / 96, 1e-9);
    // Opened again, the line is drawn corrected: it now measures 100 mm.
    cliquer(apercu.get(), "BtnEtalonner");
    EXPECT_NEAR(LongueurLigne(etalonnage()), 100 * annonce * 100 / 96, 1);
    cliquer(etalonnage(), "BtnRetablir");
    EXPECT_NEAR(LongueurLigne(etalonnage()), 100 * annonce, 1);
    cliquer(etalonnage(), "BtnEnregistrer");
    EXPECT_NEAR(apercu->echelle(), annonce, 1e-9);
    EXPECT_DOUBLE_EQ(CorrectionEcran(apercu->screen()), 1.0);
}

// A full disk: the dialog says so and stays open, the correction kept before
// is still the one in force and on the disk.
TEST_F(ApercuEcran, ACalibrationThatCannotBeWrittenIsToldAndChangesNothing) {
    PetitTmpfs disque;
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    utiliserProfil(disque.chemin());
    ouvrir();
    const double annonce = PixelsParMmAnnonces(apercu->screen());
    ASSERT_TRUE(EnregistrerCorrectionEcran(apercu->screen(), 1.25));
    const QString chemin = disque.fichier(QStringLiteral("Scribane/Ecran.ini"));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray avant = f.readAll();
    f.close();
    ASSERT_TRUE(disque.remplir(0));

    cliquer(apercu.get(), "BtnEtalonner");
    etalonnage()->findChild<QDoubleSpinBox*>(QStringLiteral("TxtLongueurMesuree"))->setValue(90);
    cliquer(etalonnage(), "BtnEnregistrer");
    ASSERT_NE(etalonnage(), nullptr);
    EXPECT_TRUE(etalonnage()->isVisible());
    const QLabel* erreur = etalonnage()->findChild<QLabel*>(QStringLiteral("LblErreur"));
    EXPECT_TRUE(erreur->isVisible());
    EXPECT_TRUE(
        erreur->text().startsWith(QStringLiteral("L'étalonnage n'a pas pu être enregistré.")));
    EXPECT_TRUE(erreur->text().contains(QStringLiteral("le disque est plein")))
        << erreur->text().toStdString();
    EXPECT_NEAR(apercu->echelleReelle(), annonce * 1.25, 1e-9);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), avant);
}

// What the file holds is only believed when it is a likely factor; a damaged
// line costs itself alone, and keeping this screen's correction keeps the
// other screens' as they were.
TEST_F(ApercuEcran, AKeptCorrectionIsReadWithSuspicion) {
    ouvrir();
    const QScreen* ecran = apercu->screen();
    const QByteArray nom = IdentiteEcran(ecran).toUtf8();
    auto avec = [&](const QByteArray& valeur) {
        QDir().mkpath(QFileInfo(fichier()).absolutePath());
        QFile f(fichier());
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xff\xfe garbage\n[Ecrans]\n=2\nautre-ecran=2\n" + nom + '=' + valeur +
                "\r\n[Autre]\n" + nom + "=1.5\n");
        f.close();
        return CorrectionEcran(ecran);
    };
    for (const char* mauvaise :
         {"abc", "1,25", "0", "-1.2", "nan", "inf", "1e308", "0.39", "3.01", ""})
        EXPECT_DOUBLE_EQ(avec(mauvaise), 1.0) << mauvaise;
    EXPECT_DOUBLE_EQ(avec("1.25"), 1.25); // blanks and CR LF around it are no harm

    EXPECT_FALSE(EnregistrerCorrectionEcran(ecran, 3.5));
    EXPECT_FALSE(EnregistrerCorrectionEcran(ecran, std::nan("")));
    ASSERT_TRUE(EnregistrerCorrectionEcran(ecran, 0.8));
    EXPECT_DOUBLE_EQ(CorrectionEcran(ecran), 0.8);
    QFile f(fichier());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Ecrans]\nautre-ecran=2\n" + nom + "=0.8\n");
}
