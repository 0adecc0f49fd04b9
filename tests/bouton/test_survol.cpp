// Hover and press: the looks of the three states, the hover timer and the mouse events.

#include "Essai.h"

#include "bouton/SourceSouris.h"
#include "bouton/hote/SacMemoire.h"
#include <QDialog>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <functional>

using namespace bouton;
namespace m = bouton::membre;

namespace {

// The screen as the tests want it: the control at (500, 400), the pointer where placed.
class SourisEssai : public SourceSouris {
public:
    RectangleEcran rectangleFenetre(const QWidget& fenetre) const override {
        return {500, 400, 500 + fenetre.width(), 400 + fenetre.height()};
    }
    QPoint positionPointeur() const override { return position; }

    QPoint position;
};

// Hands every event on to the test's site, and lets a case act from inside MouseDown as a
// host would.
class PuitsAgissant : public PuitsEvenements {
public:
    explicit PuitsAgissant(PuitsEvenements& suite) : suite_(suite) {}
    void evenement(int32_t id, QVariantList& arguments) override {
        suite_.evenement(id, arguments);
        if (id == bouton::evenement::MouseDown && surMouseDown)
            surMouseDown();
    }
    std::function<void()> surMouseDown;

private:
    PuitsEvenements& suite_;
};

constexpr uint32_t Rouge = 0x000000FF, Vert = 0x0000FF00, Bleu = 0x00FF0000, Gris = 0x00808080;

} // namespace

class Survol : public ControleEssai {
protected:
    void SetUp() override {
        ControleEssai::SetUp();
        c.controle->definirSourceSouris(&souris);
        parent.resize(400, 300);
        parent.show();
        ASSERT_TRUE(ecrire(m::EtiColOut, Blanc).reussi());
        ASSERT_TRUE(ecrire(m::EtiColOver, Vert).reussi());
        ASSERT_TRUE(ecrire(m::EtiFoCoOver, Bleu).reussi());
        ASSERT_TRUE(ecrire(m::Style, Etiquette).reussi());
        taille(1200, 600);
        site.evenements.clear();
    }
    void TearDown() override {
        if (c.controle)
            c.controle->definirSourceSouris(nullptr);
    }

    QPoint px(double xTwips, double yTwips) const {
        return QPoint(int(xTwips * c.widget->logicalDpiX() / 1440),
                      int(yTwips * c.widget->logicalDpiY() / 1440));
    }
    double twipsX(int x) const { return x * 1440.0 / c.widget->logicalDpiX(); }
    double twipsY(int y) const { return y * 1440.0 / c.widget->logicalDpiY(); }

    // Pointer placed for the hover test, inside the control or on the column just right of it.
    void dedans() { souris.position = QPoint(510, 410); }
    void dehors() { souris.position = QPoint(500 + c.widget->width(), 410); }

    void bouger(QPoint p, Qt::MouseButtons tenus = Qt::NoButton) {
        QMouseEvent e(QEvent::MouseMove, p, c.widget->mapToGlobal(p), Qt::NoButton, tenus,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(c.widget, &e);
    }
    QTimer* timer() const { return c.widget->findChild<QTimer*>(QStringLiteral("TimerEnd")); }
    // One tick of the hover timer, as the event loop would deliver it.
    void tic() {
        ASSERT_TRUE(timer()->isActive());
        QTimerEvent e(timer()->timerId());
        QCoreApplication::sendEvent(timer(), &e);
    }
    int etat() const { return c.widget->property("EtatCourant").toInt(); }
    QPointF coin(const char* nom) const {
        return {partie(nom, "Left").toDouble(), partie(nom, "Top").toDouble()};
    }
    bool cadreVisible() const {
        const bool shp = partie("Shp", "Visible").toBool();
        EXPECT_EQ(partie("Line1", "Visible").toBool(), shp);
        EXPECT_EQ(partie("Line2", "Visible").toBool(), shp);
        return shp;
    }
    bool lignesEnfoncees() const { return partie("Line1", "Y1").toDouble() > 20; }
    void couleursEtiquette(uint32_t fond, uint32_t texte) const {
        EXPECT_EQ(partie("Lbl", "BackColor").toUInt(), fond);
        EXPECT_EQ(partie("Lbl", "ForeColor").toUInt(), texte);
    }
    QList<int32_t> ids() const {
        QList<int32_t> l;
        for (const auto& e : site.evenements)
            l << e.first;
        return l;
    }

    void Boutons_SetState(int etatVoulu) {
        QVariantList arguments{etatVoulu};
        const Resultat r = c.dispatch->appeler(m::Boutons_SetState, arguments, nullptr);
        EXPECT_TRUE(r.reussi()) << texte(r);
    }

    static constexpr uint32_t Blanc = 0x00FFFFFF;
    SourisEssai souris;
};

TEST_F(Survol, BorderlessLabelShowsTheFrameWhileHovered) {
    EXPECT_FALSE(cadreVisible());
    dedans();
    bouger(px(600, 300));
    EXPECT_EQ(etat(), BoutonSelectionne);
    EXPECT_TRUE(cadreVisible());
    EXPECT_FALSE(lignesEnfoncees());
    couleursEtiquette(Vert, Bleu);
    ASSERT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 100);

    tic();
    EXPECT_EQ(etat(), BoutonSelectionne);
    // The column just right of the control is outside: the hover ends there.
    dehors();
    tic();
    EXPECT_EQ(etat(), BoutonNormal);
    EXPECT_FALSE(cadreVisible());
    couleursEtiquette(Blanc, couleur::TexteBouton);
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(ids(), (QList<int32_t>{evenement::MouseMove}));
}

TEST_F(Survol, PressThenReleaseInsideAndOutside) {
    const QPoint point = px(600, 300);
    dedans();
    bouger(point);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(etat(), BoutonEnfonce);
    EXPECT_EQ(c.widget->property("SourisEnfoncee"), 1);
    EXPECT_EQ(coin("Lbl"), QPointF(60, 60));
    EXPECT_TRUE(lignesEnfoncees());
    // Pressed, the light lines lie 10 twips inside the bottom and right sides.
    EXPECT_DOUBLE_EQ(partie("Line1", "Y1").toDouble(), 10 + 565);
    EXPECT_DOUBLE_EQ(partie("Line2", "X1").toDouble(), 10 + 1165);
    couleursEtiquette(Vert, Bleu);

    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(etat(), BoutonSelectionne);
    EXPECT_EQ(c.widget->property("SourisEnfoncee"), 0);
    EXPECT_EQ(coin("Lbl"), QPointF(40, 40));
    EXPECT_FALSE(lignesEnfoncees());
    couleursEtiquette(Vert, Bleu);
    EXPECT_TRUE(timer()->isActive());

    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    dehors();
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(etat(), BoutonNormal);
    EXPECT_EQ(coin("Lbl"), QPointF(40, 40));
    EXPECT_FALSE(cadreVisible());
    couleursEtiquette(Blanc, couleur::TexteBouton);
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(Survol, DraggingOutThenInAlternatesTheLooks) {
    const QPoint point = px(600, 300);
    dedans();
    bouger(point);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    // With the left button alone held, a move keeps the press look.
    bouger(point + QPoint(3, 0), Qt::LeftButton);
    EXPECT_EQ(etat(), BoutonEnfonce);
    for (int tour = 0; tour < 2; ++tour) {
        dehors();
        tic();
        EXPECT_EQ(etat(), BoutonSelectionne);
        EXPECT_EQ(coin("Lbl"), QPointF(40, 40));
        EXPECT_FALSE(lignesEnfoncees());
        dedans();
        tic();
        EXPECT_EQ(etat(), BoutonEnfonce);
        EXPECT_EQ(coin("Lbl"), QPointF(60, 60));
        EXPECT_TRUE(lignesEnfoncees());
    }
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
}

TEST_F(Survol, RightButtonThenTwoButtons) {
    const QPoint point = px(600, 300);
    dedans();
    QTest::mousePress(c.widget, Qt::RightButton, {}, point);
    EXPECT_EQ(etat(), BoutonEnfonce);
    bouger(point, Qt::RightButton);
    EXPECT_EQ(etat(), BoutonSelectionne);
    Boutons_SetState(BoutonEnfonce);
    bouger(point, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(etat(), BoutonSelectionne);
    QTest::mouseRelease(c.widget, Qt::RightButton, {}, point);
    ASSERT_GE(site.evenements.size(), 2);
    EXPECT_EQ(site.evenements[0].second[0], 2);
    EXPECT_EQ(site.evenements[2].second[0], 3);
}

TEST_F(Survol, CentredLabelChangesTheSurfaceColour) {
    ASSERT_TRUE(ecrire(m::BackColor, Gris).reussi());
    ASSERT_TRUE(ecrire(m::BackColorOver, Rouge).reussi());
    auto surface = [&] { return c.widget->property("CouleurSurface").toUInt(); };
    dedans();
    bouger(px(600, 300));
    EXPECT_EQ(surface(), Gris) << "Etiquette";
    Boutons_SetState(BoutonNormal);

    ASSERT_TRUE(ecrire(m::Style, EtiqCentree).reussi());
    bouger(px(20, 20));
    EXPECT_EQ(surface(), Rouge);
    dehors();
    tic();
    EXPECT_EQ(surface(), Gris);
}

TEST_F(Survol, ImageShiftedOnlyOnce) {
    QPixmap image(px(480, 480).x(), px(480, 480).y());
    image.fill(Qt::red);
    ASSERT_TRUE(ecrire(m::Stretch, false).reussi());
    ASSERT_TRUE(ecrire(m::Picture, image).reussi());
    ASSERT_TRUE(ecrire(m::Style, Image).reussi());
    taille(1200, 900);
    const QPointF repos = coin("Img");
    Boutons_SetState(BoutonEnfonce);
    Boutons_SetState(BoutonSelectionne);
    Boutons_SetState(BoutonEnfonce);
    EXPECT_EQ(coin("Img"), repos + QPointF(20, 20));
    // Applying the pressed state again is no change at all.
    Boutons_SetState(BoutonEnfonce);
    EXPECT_EQ(coin("Img"), repos + QPointF(20, 20));

    dedans();
    const QPoint point = px(600, 450);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(coin("Img"), repos);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(coin("Img"), repos + QPointF(20, 20));
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(coin("Img"), repos);
}

TEST_F(Survol, LineDoesNotReactToTheMouse) {
    ASSERT_TRUE(ecrire(m::Style, Ligne).reussi());
    site.evenements.clear();
    dedans();
    const QPoint point = px(600, 300);
    bouger(point);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    bouger(point, Qt::LeftButton);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_TRUE(site.evenements.isEmpty());
    EXPECT_EQ(etat(), BoutonNormal);
    EXPECT_FALSE(timer()->isActive());

    // A host may still press it: the lines go to the pressed frame until the next layout.
    Boutons_SetState(BoutonEnfonce);
    EXPECT_DOUBLE_EQ(partie("Line1", "Y1").toDouble(), 10 + 565);
    taille(1200, 600);
    EXPECT_DOUBLE_EQ(partie("Line1", "Y1").toDouble(), 300);
}

TEST_F(Survol, StateOutsideTheEnumerationHasNoVisibleEffect) {
    dedans();
    bouger(px(600, 300));
    const QImage survole = c.widget->grab().toImage();
    Boutons_SetState(5);
    EXPECT_EQ(etat(), 5);
    EXPECT_EQ(c.widget->grab().toImage(), survole);
    Boutons_SetState(BoutonNormal);
    EXPECT_FALSE(cadreVisible());
    couleursEtiquette(Blanc, couleur::TexteBouton);

    QVariantList sansArgument;
    EXPECT_EQ(c.dispatch->appeler(m::Boutons_SetState, sansArgument, nullptr).code,
              code::NombreArguments);
}

TEST_F(Survol, EventsByIdInTwipsOfThePart) {
    dedans();
    // On the label: X and Y from the label's corner (40, 40), then, pressed, from where it
    // moved (60, 60), button-up included: the label reports before it moves back.
    const QPoint surLabel = px(600, 300);
    QTest::mousePress(c.widget, Qt::LeftButton, Qt::ShiftModifier, surLabel);
    bouger(surLabel, Qt::LeftButton);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, surLabel);
    ASSERT_EQ(ids(), (QList<int32_t>{evenement::MouseDown, evenement::MouseMove, evenement::MouseUp,
                                     evenement::Click}));
    const QVariantList& appui = site.evenements[0].second;
    EXPECT_EQ(appui[0].typeId(), QMetaType::Short);
    EXPECT_EQ(appui[1], 1);
    EXPECT_FLOAT_EQ(appui[2].toFloat(), float(twipsX(surLabel.x()) - 40));
    EXPECT_FLOAT_EQ(appui[3].toFloat(), float(twipsY(surLabel.y()) - 40));
    EXPECT_FLOAT_EQ(site.evenements[1].second[2].toFloat(), float(twipsX(surLabel.x()) - 60));
    EXPECT_FLOAT_EQ(site.evenements[2].second[2].toFloat(), float(twipsX(surLabel.x()) - 60));

    // On the surface, outside the label: the control's own twips.
    site.evenements.clear();
    const QPoint surSurface(1, 1);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, surSurface);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, surSurface);
    ASSERT_EQ(site.evenements.size(), 3);
    EXPECT_FLOAT_EQ(site.evenements[0].second[2].toFloat(), float(twipsX(1)));
    EXPECT_FLOAT_EQ(site.evenements[0].second[3].toFloat(), float(twipsY(1)));
}

TEST_F(Survol, DisabledControlReceivesNothing) {
    dedans();
    bouger(px(600, 300));
    ASSERT_TRUE(ecrire(m::Enabled, false).reussi());
    site.evenements.clear();
    QMouseEvent appui(QEvent::MouseButtonPress, px(600, 300), c.widget->mapToGlobal(px(600, 300)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(c.widget, &appui);
    EXPECT_EQ(etat(), BoutonSelectionne);
    EXPECT_TRUE(site.evenements.isEmpty());
    // The running timer still ends the hover.
    dehors();
    tic();
    EXPECT_EQ(etat(), BoutonNormal);
}

// A host that deletes the control from a pending event, which runs inside the button-up.
TEST_F(Survol, ControlDeletedDuringTheRelease) {
    struct PuitsQuiSupprime : PuitsEvenements {
        QWidget* controle = nullptr;
        QList<int32_t> recus;
        void evenement(int32_t id, QVariantList&) override {
            recus << id;
            if (id == bouton::evenement::MouseDown)
                QMetaObject::invokeMethod(
                    qApp, [w = controle] { delete w; }, Qt::QueuedConnection);
        }
    } puits;
    puits.controle = c.widget;
    c.controle->connecterPuits(&puits);
    const QPointer<QWidget> garde(c.widget);
    const QPoint point = px(600, 300);
    dedans();
    QMouseEvent appui(QEvent::MouseButtonPress, point, c.widget->mapToGlobal(point), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent lacher(QEvent::MouseButtonRelease, point, c.widget->mapToGlobal(point),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(c.widget, &appui);
    ASSERT_TRUE(garde);
    QCoreApplication::sendEvent(c.widget, &lacher);
    EXPECT_FALSE(garde);
    EXPECT_EQ(puits.recus, (QList<int32_t>{evenement::MouseDown}));
    c = {};
}

// The amount label of the main window, loaded as the window saved it: a relief label whose
// hover colours differ from its resting ones, and that still follows the pointer unseen.
TEST_F(Survol, RaisedLabelFollowsThePointerWithoutChangingLook) {
    hote::SacMemoire sac;
    QFont police(QStringLiteral("MS Sans Serif"));
    police.setPointSizeF(8.25);
    const std::pair<const char*, QVariant> valeurs[] = {
        {"BordColSombre", 0x00AD7E30u},
        {"Bord1ColClair", 0x00F3F3CFu},
        {"Bord2ColClair", 0x00F3F3CFu},
        {"BackColor", 0x00D5E9EEu},
        {"Style", 3},
        {"Font", police},
        {"EtiColOut", 0x00FFFFFFu},
        {"EtiColOut", 0x00FFFFFFu},
        {"EtiColOver", 0x00D5E9EEu},
        {"BackColorOver", 0x00D5E9EEu},
        {"BackColorOut", 0x00D5E9EEu},
        {"Bordure", 1},
        {"FontName", QStringLiteral("MS Sans Serif")},
        {"FontSize", 8.25f}};
    for (const auto& [cle, valeur] : valeurs)
        sac.ajouter(QLatin1String(cle), valeur);
    ASSERT_TRUE(c.controle->charger(sac).reussi());
    taille(5655, 870);
    ASSERT_TRUE(ecrire(m::Caption, QStringLiteral("MILLE EUROS* et zéro centime")).reussi());
    const QImage repos = c.widget->grab().toImage();
    site.evenements.clear();
    const QPoint point = px(2000, 400);
    dedans();
    bouger(point);
    EXPECT_EQ(etat(), BoutonSelectionne);
    EXPECT_EQ(c.widget->grab().toImage(), repos);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(etat(), BoutonEnfonce);
    EXPECT_EQ(c.widget->grab().toImage(), repos);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(etat(), BoutonSelectionne);
    dehors();
    tic();
    EXPECT_EQ(etat(), BoutonNormal);
    EXPECT_EQ(c.widget->grab().toImage(), repos);
    EXPECT_EQ(ids(), (QList<int32_t>{evenement::MouseMove, evenement::MouseDown, evenement::MouseUp,
                                     evenement::Click}));
}

// A press whose button-up will not come (a popup or a modal box took the mouse, or the
// control was hidden or disabled) ends at once, in the resting look.
TEST_F(Survol, PressEndsWhenItsReleaseCannotCome) {
    QWidget popup(nullptr, Qt::Popup);
    popup.resize(40, 40);
    QDialog boite;
    boite.setWindowModality(Qt::ApplicationModal);
    PuitsAgissant puits(site);
    c.controle->connecterPuits(&puits);
    struct Cas {
        const char* quoi;
        std::function<void()> pendantMouseDown;
        std::function<void()> ensuite;
    };
    const Cas cas[] = {
        {"popup opened from MouseDown", [&] { popup.show(); }, {}},
        {"modal box opened from MouseDown", [&] { boite.show(); }, {}},
        // A popup that blocks (a menu's exec) is seen by the next tick.
        {"popup opened while held",
         {},
         [&] {
             popup.show();
             tic();
         }},
        {"hidden while held", {}, [&] { c.widget->hide(); }},
        {"disabled while held", {}, [&] { ASSERT_TRUE(ecrire(m::Enabled, false).reussi()); }},
    };
    const QPoint point = px(600, 300);
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.quoi);
        dedans();
        bouger(point);
        puits.surMouseDown = k.pendantMouseDown;
        QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
        puits.surMouseDown = nullptr;
        if (k.ensuite)
            k.ensuite();
        EXPECT_EQ(c.widget->property("SourisEnfoncee"), 0);
        EXPECT_EQ(etat(), BoutonNormal);
        EXPECT_EQ(coin("Lbl"), QPointF(40, 40));
        EXPECT_FALSE(cadreVisible());
        couleursEtiquette(Blanc, couleur::TexteBouton);
        EXPECT_FALSE(timer()->isActive());

        popup.close();
        boite.close();
        c.widget->show();
        ASSERT_TRUE(ecrire(m::Enabled, true).reussi());
        QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    }
    c.controle->connecterPuits(&site);
}

// A separator takes no input: the press in progress ends, and no tick moves its lines.
TEST_F(Survol, LineStyleWhileHeldEndsThePress) {
    const QPoint point = px(600, 300);
    dedans();
    bouger(point);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    ASSERT_TRUE(ecrire(m::Style, Ligne).reussi());
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(c.widget->property("SourisEnfoncee"), 0);
    EXPECT_EQ(etat(), BoutonNormal);
    EXPECT_DOUBLE_EQ(partie("Line1", "Y1").toDouble(), 300);
    EXPECT_DOUBLE_EQ(partie("Line2", "Y1").toDouble(), 325);
    site.evenements.clear();
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_TRUE(site.evenements.isEmpty());
}

// The second press of a double-click raises nothing, the control having no double-click
// event; the part under it takes the capture, and the button-up raises MouseUp from it.
TEST_F(Survol, DoubleClickIsOneClickThenAButtonUp) {
    dedans();
    const QPoint surLabel = px(600, 300);
    QTest::mousePress(c.widget, Qt::LeftButton, {}, surLabel);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, surLabel);
    QTest::mouseDClick(c.widget, Qt::LeftButton, {}, surLabel);
    EXPECT_EQ(coin("Lbl"), QPointF(40, 40));
    const QPoint surSurface(1, 1);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, surSurface);
    ASSERT_EQ(ids(), (QList<int32_t>{evenement::MouseDown, evenement::MouseUp, evenement::Click,
                                     evenement::MouseUp}));
    EXPECT_FLOAT_EQ(site.evenements[3].second[2].toFloat(), float(twipsX(1) - 40));
    EXPECT_FLOAT_EQ(site.evenements[3].second[3].toFloat(), float(twipsY(1) - 40));
}

TEST_F(Survol, OnlyTheLeftButtonClicks) {
    dedans();
    const QPoint point = px(600, 300);
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(c.widget, b, {}, point);
        QTest::mouseRelease(c.widget, b, {}, point);
    }
    EXPECT_EQ(ids(), (QList<int32_t>{evenement::MouseDown, evenement::MouseUp, evenement::MouseDown,
                                     evenement::MouseUp}));
    // The right button pressed and let go while the left is held: the left button-up clicks.
    site.evenements.clear();
    QTest::mousePress(c.widget, Qt::LeftButton, {}, point);
    QTest::mousePress(c.widget, Qt::RightButton, {}, point);
    QTest::mouseRelease(c.widget, Qt::RightButton, {}, point);
    QTest::mouseRelease(c.widget, Qt::LeftButton, {}, point);
    EXPECT_EQ(ids(), (QList<int32_t>{evenement::MouseDown, evenement::MouseDown, evenement::MouseUp,
                                     evenement::MouseUp, evenement::Click}));
}
