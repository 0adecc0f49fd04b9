#include "ConfigurationTest.h"

#include "windows/BoiteMarge.h"
#include "windows/NombreEnTete.h"

TEST(NombreEnTete, ReadsTheLeadingNumberOnly) {
    const std::pair<const char*, double> cas[] = {
        {"12", 12}, {"12.6", 12.6}, {"12,6", 12}, {"  -3", -3},   {"+4", 4},
        {"abc", 0}, {"", 0},        {".5", 0.5},  {"7.5.2", 7.5}, {"1 2", 12},
        {"-", 0},   {"12mm", 12},   {"1e3", 1},   {"--2", 0},
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_DOUBLE_EQ(LireNombreEnTete(QString::fromLatin1(texte)), attendu) << texte;
}

TEST(NombreEnTete, PositionsRoundHalvesToEvenAndStayWithinSixteenBits) {
    const std::tuple<double, int, bool> cas[] = {
        {12.5, 12, false},         {13.5, 14, false},
        {-0.5, 0, false},          {12.6, 13, false},
        {32767.4, 32767, false},   {32767.5, 32767, true},
        {-32768.5, -32768, false}, {1e12, 32767, true},
        {-1e300, -32768, true},    {std::numeric_limits<double>::infinity(), 32767, true},
    };
    for (const auto& [valeur, attendu, borne] : cas) {
        bool tenu = !borne;
        EXPECT_EQ(ArrondirPosition(valeur, &tenu), attendu) << valeur;
        EXPECT_EQ(tenu, borne) << valeur;
    }
}

class Apercu : public ConfigurationTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", section(1));
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        ouvrir();
    }
    QLineEdit* mh() const { return boiteTexte("TxtMH"); }
    QLineEdit* md() const { return boiteTexte("TxtMD"); }
};

TEST_F(Apercu, DraggingMovesTheChequeInWholeMillimetresOfPaper) {
    ASSERT_DOUBLE_EQ(cheque()->gauche(), 0);
    souris(QEvent::MouseButtonPress, {10, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(cheque()->ancre(), QPointF(10, 5));
    EXPECT_EQ(cheque()->cursor().hotSpot(), QPoint(16, 14)) << "the grabbing hand";

    souris(QEvent::MouseMove, {12.5, 5}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(configuration->copie().MargeDroite, 10);
    EXPECT_EQ(md()->text(), QStringLiteral("10"));
    EXPECT_DOUBLE_EQ(cheque()->gauche(), 2.5);
    EXPECT_EQ(configuration->copie().MargeHaute, 0);

    // 3.125 mm of preview is 12.5 mm of paper: 12, and the picture snaps to 3.
    souris(QEvent::MouseMove, {12.5, 8.125}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(configuration->copie().MargeHaute, 12);
    EXPECT_EQ(mh()->text(), QStringLiteral("12"));
    EXPECT_DOUBLE_EQ(cheque()->haut(), 3.0);

    // The grabbed point stays under the pointer from one move to the next.
    souris(QEvent::MouseMove, {22.5, 5}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(configuration->copie().MargeDroite, 50);
    EXPECT_EQ(configuration->copie().MargeHaute, 0);

    souris(QEvent::MouseButtonRelease, {22.5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(cheque()->cursor().hotSpot(), QPoint(12, 1)) << "the pointing hand";
}

TEST_F(Apercu, OnlyTheLeftButtonAloneDrags) {
    souris(QEvent::MouseButtonPress, {10, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(cheque()->cursor().hotSpot(), QPoint(12, 1));
    souris(QEvent::MouseMove, {30, 15}, Qt::NoButton, Qt::RightButton);
    souris(QEvent::MouseMove, {30, 15}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_DOUBLE_EQ(cheque()->gauche(), 0);
    EXPECT_EQ(configuration->copie().MargeDroite, 0);
    EXPECT_EQ(md()->text(), QStringLiteral("0"));
}

TEST_F(Apercu, TypingInTheMarginBoxesReadsTheLeadingNumber) {
    const std::pair<const char*, int> cas[] = {{"12.6", 13}, {"12,6", 12}, {"abc", 0}};
    for (const auto& [texte, attendu] : cas) {
        mh()->clear();
        QTest::keyClicks(mh(), QString::fromLatin1(texte));
        EXPECT_EQ(configuration->copie().MargeHaute, attendu) << texte;
        EXPECT_DOUBLE_EQ(cheque()->haut(), attendu / 4.0) << texte;
    }
}

TEST_F(Apercu, PlusAndMinusStepTheMarginAndAreNotTyped) {
    mh()->setText(QStringLiteral("0"));
    QTest::keyClick(mh(), '-');
    EXPECT_EQ(mh()->text(), QStringLiteral("-1"));
    EXPECT_EQ(configuration->copie().MargeHaute, -1);
    EXPECT_DOUBLE_EQ(cheque()->haut(), -0.25) << "a quarter millimetre above the sheet";
    QTest::keyClick(md(), '+');
    QTest::keyClick(md(), '+');
    EXPECT_EQ(md()->text(), QStringLiteral("2"));
    EXPECT_EQ(configuration->copie().MargeDroite, 2);
}

TEST_F(Apercu, EnteringAMarginBoxSelectsItsText) {
    configuration->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(configuration));
    md()->setText(QStringLiteral("125"));
    md()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(md()->selectedText(), QStringLiteral("125"));

    mh()->setText(QStringLiteral("40"));
    QTest::mouseClick(mh(), Qt::LeftButton, {}, QPoint(mh()->width() - 4, mh()->height() / 2));
    EXPECT_EQ(mh()->selectedText(), QStringLiteral("40"));
    QTest::keyClicks(mh(), QStringLiteral("7"));
    EXPECT_EQ(configuration->copie().MargeHaute, 7);
}

TEST_F(Apercu, MarginsBeyondSixteenBitsAreHeldAtTheBound) {
    mh()->setText(QStringLiteral("99999"));
    EXPECT_EQ(configuration->copie().MargeHaute, 32767);
    EXPECT_EQ(mh()->text(), QStringLiteral("32767"));
    QTest::keyClick(mh(), '+');
    EXPECT_EQ(configuration->copie().MargeHaute, 32767);

    md()->setText(QStringLiteral("-32768"));
    QTest::keyClick(md(), '-');
    EXPECT_EQ(md()->text(), QStringLiteral("-32768"));
    EXPECT_EQ(configuration->copie().MargeDroite, -32768);

    // Dragged far away: the cheque stops where the margin stops.
    md()->setText(QStringLiteral("0"));
    mh()->setText(QStringLiteral("0"));
    glisser({10, 5}, {10 + 9000, 5 - 9000});
    EXPECT_EQ(configuration->copie().MargeDroite, 32767);
    EXPECT_EQ(configuration->copie().MargeHaute, -32768);
    EXPECT_DOUBLE_EQ(cheque()->gauche(), 32767 / 4.0);
    EXPECT_DOUBLE_EQ(cheque()->haut(), -32768 / 4.0);
}
