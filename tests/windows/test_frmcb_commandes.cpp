#include "FenetreTest.h"
#include "windows/AffichageMontant.h"
#include "windows/FrmAide.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

class Commandes : public FenetreTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", "[Defaut1]\r\nImprimante=Bureau\r\n");
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    }

    QAction* action(const char* nom) const { return controle<QAction>(nom); }
};

TEST_F(Commandes, HelpFromTheButtonAndTheMenu) {
    // The guide itself, at its contents, in one window: no note in its place.
    controle<QToolButton>("Bouton_Kiv_XP1")->click();
    FrmAide* aide = app->aide.fenetre();
    ASSERT_NE(aide, nullptr);
    EXPECT_TRUE(aide->isVisible());
    EXPECT_EQ(aide->texte()->source().fragment(), QStringLiteral("sommaire"));
    aide->texte()->verticalScrollBar()->setValue(aide->texte()->verticalScrollBar()->maximum());
    aide->close();

    action("mnuAide")->trigger();
    EXPECT_EQ(app->aide.fenetre(), aide);
    EXPECT_TRUE(aide->isVisible());
    const QTextCursor debut(aide->texte()->document()->begin());
    EXPECT_TRUE(aide->texte()->viewport()->rect().contains(aide->texte()->cursorRect(debut)));
    EXPECT_TRUE(plateforme.dialogues.vus.isEmpty());

    // It goes with the main window, as every window does.
    fenetre->close();
    EXPECT_FALSE(aide->isVisible());
}

TEST_F(Commandes, MinimisingByThePictureOrAltMOnlyFromTheNormalState) {
    QLabel* image = controle<QLabel>("Image1");
    EXPECT_EQ(image->toolTip(), QStringLiteral("Minimise (ou  ALT + M)"));

    fenetre->setWindowState(Qt::WindowMaximized);
    QTest::mouseClick(image, Qt::LeftButton);
    EXPECT_FALSE(fenetre->windowState() & Qt::WindowMinimized);

    fenetre->setWindowState(Qt::WindowNoState);
    QTest::mouseClick(image, Qt::RightButton);
    EXPECT_FALSE(fenetre->windowState() & Qt::WindowMinimized);
    QTest::mouseClick(image, Qt::LeftButton);
    EXPECT_TRUE(fenetre->windowState() & Qt::WindowMinimized);

    fenetre->setWindowState(Qt::WindowNoState);
    fenetre->activateWindow();
    QTest::keyClick(boite("CboD"), Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(fenetre->windowState() & Qt::WindowMinimized);
}

TEST_F(Commandes, ActivationRestoresTheWindowAndFocusesTheAmount) {
    fenetre->setWindowState(Qt::WindowMaximized);
    boite("CboD")->setFocus();
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(fenetre.get(), &activation);
    EXPECT_EQ(fenetre->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), 0);
    EXPECT_EQ(fenetre->focusWidget(), boite("CboM"));

    boite("CboD")->setFocus();
    fenetre->resize(fenetre->width() + 40, fenetre->height() + 10);
    EXPECT_EQ(fenetre->focusWidget(), boite("CboM"));
}

TEST_F(Commandes, JournalsAreOpenedWithTheDesktopOnlyWhenOneIsChosen) {
    action("mnuVoir")->trigger();
    EXPECT_TRUE(plateforme.bureau.ouverts.isEmpty());
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].titre, QStringLiteral("Ouvrir un journal d'impression"));
    EXPECT_EQ(plateforme.dialogues.vus[0].texte, chemin("Journaux"));

    const QString journal = chemin("Journaux") + QStringLiteral("/Journal_2024_03_05.txt");
    plateforme.dialogues.reponsesFichier.enqueue(journal);
    action("mnuVoir")->trigger();
    EXPECT_EQ(plateforme.bureau.ouverts, QStringList{journal});
    EXPECT_EQ(plateforme.dialogues.vus.size(), 2);

    // A desktop that cannot show it is told, with the file's path.
    plateforme.bureau.refuse = true;
    plateforme.dialogues.reponsesFichier.enqueue(journal);
    action("mnuVoir")->trigger();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 4);
    EXPECT_EQ(plateforme.dialogues.vus[3].icone, Icone::Exclamation);
    EXPECT_TRUE(plateforme.dialogues.vus[3].texte.contains(QDir::toNativeSeparators(journal)));
}

TEST_F(Commandes, MenusAndControlsCarryTheirNamesAndUnbuiltWindowsStayDisabled) {
    for (const char* nom : {"mnuQuitter", "mnuConfigure", "mnuVoir", "mnuAide", "mnuAP", "mnuSupM",
                            "mnuSupMTous", "mnuSupD", "mnuSupDTous", "mnuSupL"})
        EXPECT_NE(fenetre->findChild<QAction*>(QLatin1String(nom)), nullptr) << nom;
    for (const char* nom : {"CboM", "CboD", "CboL", "DTP", "LblMontant", "LblImprimante",
                            "LblOrientation", "LblPolice", "LblRaccourci", "Bouton_Kiv_XP4",
                            "Bouton_Kiv_XP1", "Bouton_Kiv_XP3", "Image1"})
        EXPECT_NE(fenetre->findChild<QWidget*>(QLatin1String(nom)), nullptr) << nom;
    EXPECT_TRUE(action("mnuConfigure")->isEnabled());
    EXPECT_TRUE(action("mnuAP")->isEnabled());
    EXPECT_EQ(fenetre->windowTitle(),
              QStringLiteral("     Scribane imprime  vos chèques bancaires ..."));
}

TEST_F(Commandes, TheAmountLabelIsTheLoadedControl) {
    QWidget* label = fenetre->findChild<QWidget*>(QStringLiteral("LblMontant"));
    ASSERT_NE(label, nullptr);
    // The plain stand-in is a QLabel; the control library's widget is not.
    EXPECT_EQ(qobject_cast<QLabel*>(label), nullptr);
    fenetre->lblMontant().ecrireCaption(QStringLiteral("UN*DEUX*TROIS"));
    EXPECT_EQ(fenetre->lblMontant().caption(), QStringLiteral("UN\nDEUX"));
}

TEST_F(Commandes, QuitClosesTheWindow) {
    action("mnuQuitter")->trigger();
    EXPECT_FALSE(fenetre->isVisible());
}

TEST_F(Commandes, EveryMenuIsOnTheBarAtTheUsualAndTheSmallestWidth) {
    QMenuBar* barre = fenetre->menuBar();
    for (const QSize taille : {fenetre->size(), fenetre->minimumSize()}) {
        fenetre->resize(taille);
        QApplication::processEvents(); // the bar lays its actions out on resize
        SCOPED_TRACE(fenetre->width());
        for (QAction* a : barre->actions()) {
            const QRect place = barre->actionGeometry(a);
            EXPECT_TRUE(!place.isEmpty() && barre->rect().contains(place))
                << a->text().toStdString();
        }
    }
    // The journal's commands are reached through their own menu.
    EXPECT_NE(controle<QMenu>("mnuJournal")->actions().indexOf(action("mnuHistorique")), -1);
    EXPECT_NE(controle<QMenu>("mnuJournal")->actions().indexOf(action("mnuVoir")), -1);
}
