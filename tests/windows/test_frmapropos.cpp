#include "FenetreTest.h"
#include "windows/FrmAPROPOS.h"
#include "Projet.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

void Deplacer(QWidget* w) {
    const QPointF p(2, 2);
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

bool Souligne(QWidget* w) {
    return w->font().underline();
}

} // namespace

class Apropos : public ::testing::Test {
protected:
    PlateformeTest plateforme;
    QTemporaryDir dossier;
    AppScribane app{dossier.path(), plateforme.services()};
    FrmAPROPOS fenetre{app};

    void SetUp() override {
        fenetre.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    }
    template <typename T = QWidget> T* controle(const char* nom) const {
        T* c = fenetre.findChild<T*>(QLatin1String(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
};

TEST_F(Apropos, ShowsTheProgramsVersionAndTheFocusIsOutOfSight) {
    EXPECT_EQ(controle<QLabel>("Lblversion")->text(),
              QStringLiteral("[Version ") + QLatin1String(kVersionTexte) + u']');
    EXPECT_EQ(controle<QLabel>("LblNom")->text(), QStringLiteral("SCRIBANE"));
    EXPECT_EQ(controle<QLabel>("LblDate")->text(), QStringLiteral("Novembre 2024"));
    EXPECT_TRUE(fenetre.windowTitle().isEmpty());

    QWidget* cmdf = controle("cmdf");
    EXPECT_EQ(fenetre.focusWidget(), cmdf);
    EXPECT_FALSE(fenetre.rect().intersects(QRect(cmdf->mapTo(&fenetre, QPoint()), cmdf->size())));
    // Every other control lies inside the window, on the panel.
    QWidget* panneau = controle("HLBPanel");
    EXPECT_EQ(panneau->geometry(), fenetre.rect());
    for (const char* nom : {"Label1", "Label2", "Lblversion", "Bouton_Kiv_XP1", "Image1", "Image2"})
        EXPECT_TRUE(panneau->rect().contains(controle(nom)->geometry())) << nom;
    for (const char* nom : {"Image1", "Image2"})
        EXPECT_FALSE(controle<QLabel>(nom)->pixmap().isNull()) << nom;
}

TEST_F(Apropos, OneLinkAtATimeIsUnderlinedAsThePointerMoves) {
    QWidget* web = controle("Label1");
    QWidget* courriel = controle("Label2");
    QWidget* panneau = controle("HLBPanel");
    struct Etape {
        QWidget* sous;
        bool webSouligne, courrielSouligne;
        quint8 survolWeb, survolCourriel;
    };
    const Etape etapes[] = {
        {web, true, false, 1, 0},      {web, true, false, 1, 0},      {courriel, false, true, 0, 1},
        {web, true, false, 1, 0},      {panneau, false, false, 0, 0}, {courriel, false, true, 0, 1},
        {panneau, false, false, 0, 0},
    };
    int i = 0;
    for (const Etape& e : etapes) {
        Deplacer(e.sous);
        EXPECT_EQ(Souligne(web), e.webSouligne) << "step " << i;
        EXPECT_EQ(Souligne(courriel), e.courrielSouligne) << "step " << i;
        EXPECT_EQ(fenetre.survolWeb(), e.survolWeb) << "step " << i;
        EXPECT_EQ(fenetre.survolCourriel(), e.survolCourriel) << "step " << i;
        ++i;
    }
    // The links show the pointing hand of the cheque preview.
    for (QWidget* lien : {web, courriel}) {
        EXPECT_EQ(lien->cursor().shape(), Qt::BitmapCursor);
        EXPECT_FALSE(lien->cursor().pixmap().isNull());
    }
    EXPECT_NE(panneau->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(Apropos, AClickOnALinkHandsItsAddressToTheDesktop) {
    QLabel* web = controle<QLabel>("Label1");
    QLabel* courriel = controle<QLabel>("Label2");
    EXPECT_EQ(web->text(), QLatin1String(kAdresseWeb));
    EXPECT_EQ(courriel->text(), QLatin1String(kAdresseCourriel));

    QTest::mouseClick(web, Qt::RightButton);
    EXPECT_TRUE(plateforme.bureau.ouverts.isEmpty());
    QTest::mouseClick(web, Qt::LeftButton);
    QTest::mouseClick(courriel, Qt::LeftButton);
    EXPECT_EQ(plateforme.bureau.ouverts,
              (QStringList{QLatin1String(kAdresseWeb),
                           QStringLiteral("mailto:") + QLatin1String(kAdresseCourriel)}));
    EXPECT_TRUE(fenetre.isVisible()); // the window stays open
}

TEST_F(Apropos, TheCloseButtonClosesIt) {
    QToolButton* fermer = controle<QToolButton>("Bouton_Kiv_XP1");
    EXPECT_EQ(fermer->text(), QStringLiteral("x"));
    QTest::mouseClick(fermer, Qt::LeftButton);
    EXPECT_FALSE(fenetre.isVisible());
}

class AproposDepuisLeMenu : public FenetreTest {};

TEST_F(AproposDepuisLeMenu, TheMenuShowsItModallyUntilItIsClosed) {
    ecrire("Cheque.ini", "[Defaut1]\r\nImprimante=Bureau\r\n");
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    fenetre->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));

    QAction* mnuAP = fenetre->findChild<QAction*>(QStringLiteral("mnuAP"));
    ASSERT_NE(mnuAP, nullptr);
    ASSERT_TRUE(mnuAP->isEnabled());
    EXPECT_EQ(mnuAP->text(), QStringLiteral("A &propos"));

    FrmAPROPOS* vue = nullptr;
    bool modale = false;
    QTimer::singleShot(0, [&] {
        vue = qobject_cast<FrmAPROPOS*>(QApplication::activeModalWidget());
        if (!vue)
            return;
        modale = vue->isModal() && vue->isVisible();
        vue->findChild<QToolButton*>(QStringLiteral("Bouton_Kiv_XP1"))->click();
    });
    mnuAP->trigger(); // returns once the window is closed
    EXPECT_NE(vue, nullptr);
    EXPECT_TRUE(modale);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(fenetre->findChild<FrmAPROPOS*>(), nullptr);
}
