#include "FenetreTest.h"

#include <QLineEdit>
#include <QTest>

// Each key the configuration window offers prints, and only the one chosen:
// the key codes the settings keep must reach the keys of the keyboard.
class Raccourcis : public FenetreTest {};

TEST_F(Raccourcis, EveryKeyOfTheListPrintsWhenItIsTheOneChosen) {
    const std::pair<int, Qt::Key> touches[] = {
        {116, Qt::Key_F5},  {117, Qt::Key_F6},  {118, Qt::Key_F7},
        {119, Qt::Key_F8},  {120, Qt::Key_F9},  {121, Qt::Key_F10},
        {122, Qt::Key_F11}, {123, Qt::Key_F12}, {13, Qt::Key_Enter},
    };
    for (const auto& [code, touche] : touches) {
        SCOPED_TRACE(code);
        fenetre.reset();
        demarrerSurChoix1("[Defaut1]\r\nImprimante=PDF\r\nOrientation= 1\r\nPolice=Arial\r\n"
                          "Taille= 12\r\nRaccourci= " +
                          QByteArray::number(code) + "\r\n");
        auto& pages = plateforme.impression.pages;
        pages.clear();
        QComboBox* montant = boite("CboM");
        montant->setFocus();
        montant->setEditText(QStringLiteral("12"));
        // The key just before in the list does not print.
        const Qt::Key autre = touche == Qt::Key_F5 ? Qt::Key_F12 : Qt::Key(touche - 1);
        QTest::keyClick(montant->lineEdit(), touche == Qt::Key_Enter ? Qt::Key_F12 : autre);
        EXPECT_TRUE(pages.isEmpty());
        QTest::keyClick(montant->lineEdit(), touche);
        EXPECT_EQ(pages.size(), 1);
    }
}
