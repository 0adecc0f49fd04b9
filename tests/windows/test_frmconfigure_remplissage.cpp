#include "ConfigurationTest.h"

class Remplissage : public ConfigurationTest {};

TEST_F(Remplissage, OpeningWithNoChoiceFillsNothingUntilOneIsPicked) {
    demarrer(); // first run: no file at all
    ouvrir();

    EXPECT_EQ(configuration->windowTitle(),
              QStringLiteral("  Configuration de l'impression et options"));
    EXPECT_TRUE(configuration->isVisible());
    EXPECT_FALSE(fenetre->isVisible());
    EXPECT_EQ(app->etat.ConfigurationOuverte, 1);
    EXPECT_FALSE(optChoix(0)->isChecked());
    EXPECT_FALSE(optChoix(1)->isChecked());
    EXPECT_EQ(liste("CboPrint")->count(), 0);
    EXPECT_EQ(liste("CboPolices")->count(), 0);
    EXPECT_FALSE(cheque()->isVisible());
    EXPECT_FALSE(c<QLabel>("LblNote")->isVisible());
    EXPECT_TRUE(c<QPushButton>("Bouton_Kiv_XP1")->isEnabled());

    cliquer("CmdEnrChoix");
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Aucun choix n'est sélectionné !")});
    EXPECT_FALSE(QFile::exists(chemin("Choix.cfg")));

    choisir(0);
    EXPECT_EQ(app->etat.ChoixCourant, 1);
    EXPECT_EQ(liste("CboPrint")->count(), 2);
    EXPECT_EQ(liste("CboPrint")->currentIndex(), -1) << "no printer stored yet";
    EXPECT_EQ(liste("CboPolices")->currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(liste("CboTaille")->currentText(), QStringLiteral("8"));
    EXPECT_TRUE(cheque()->isVisible());
    EXPECT_EQ(configuration->focusWidget(), c<QWidget>("CmdEnrChoix"));
}

TEST_F(Remplissage, TheStoredChoiceFillsEveryControl) {
    ecrire("Cheque.ini", section(1, {{"Journal", " 0"},
                                     {"D\xe9"
                                      "biteur",
                                      " 1"},
                                     {"ChoixTailleChiffre", " 2"},
                                     {"TailleChiffre", " 12"},
                                     {"Raccourci", " 99"},
                                     {"Orientation", " 2"},
                                     {"MargeHaute", " 8"},
                                     {"MargeDroite", "-20"},
                                     {"Imprimante", "PDF"},
                                     {"Gras", " 1"},
                                     {"Montant", "100,00"},
                                     {"Ledestinataire", "DUPONT"}}) +
                             "[Montants]\r\nMt0=250,00\r\nMt1=100,00\r\n"
                             "[Destinataires]\r\nDest0=MARTIN\r\nDest1=ALBERT\r\n");
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    ouvrir();

    EXPECT_TRUE(optChoix(0)->isChecked());
    EXPECT_EQ(optChoix(0)->text(), QStringLiteral("Choix 1 OK"));
    EXPECT_EQ(optChoix(1)->text(), QStringLiteral("Choix 2"));
    EXPECT_EQ(optChoix(1)->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_EQ(liste("CboPrint")->currentText(), QStringLiteral("PDF"));
    EXPECT_TRUE(coche("ChkG")->isChecked());

    // The issuer's name needs the journal.
    EXPECT_FALSE(coche("ChkD")->isChecked());
    EXPECT_FALSE(coche("ChkD")->isEnabled());

    EXPECT_FALSE(coche("ChkTC1")->isChecked());
    EXPECT_TRUE(coche("ChkTC2")->isChecked());
    EXPECT_TRUE(liste("CboTChiffre")->isEnabled());
    EXPECT_EQ(liste("CboTChiffre")->currentText(), QStringLiteral("12"));

    // A code outside the key table: F5 is shown and taken, the stored one stays in force.
    EXPECT_EQ(liste("CboR")->currentText(), QStringLiteral("F5"));
    EXPECT_EQ(configuration->copie().Raccourci, 116);
    EXPECT_EQ(app->reglages.Raccourci, 99);

    // Landscape: the sheet lies on its side and the note shows.
    const double ppm = ApercuCheque::pixelsParMm(configuration);
    const QWidget* feuille = c<QWidget>("Pct");
    EXPECT_NEAR(feuille->width() / ppm, 75, 0.5);
    EXPECT_NEAR(feuille->height() / ppm, 52, 0.5);
    EXPECT_TRUE(c<QRadioButton>("Opt2")->isChecked());
    EXPECT_TRUE(c<QLabel>("LblNote")->isVisible());
    EXPECT_TRUE(c<QLabel>("LblNote")->text().startsWith(QStringLiteral("\nSelon votre")));
    EXPECT_DOUBLE_EQ(cheque()->haut(), 2.0);
    EXPECT_DOUBLE_EQ(cheque()->gauche(), -5.0);
    EXPECT_EQ(boiteTexte("TxtMH")->text(), QStringLiteral("8"));
    EXPECT_EQ(boiteTexte("TxtMD")->text(), QStringLiteral("-20"));

    // Defaults: the main window's lists, amounts in their order, payees sorted.
    EXPECT_EQ(EntreesDe(liste("CboM")), EntreesDe(boite("CboM")));
    EXPECT_EQ(liste("CboM")->currentText(), QStringLiteral("100,00"));
    EXPECT_EQ(EntreesDe(liste("CboD")), (QStringList{"ALBERT", "MARTIN"}));
    EXPECT_EQ(liste("CboD")->currentText(), QStringLiteral("DUPONT"));

    EXPECT_EQ(c<QLabel>("LblPolices")->text(), QStringLiteral(" Polices de caractères (2) "));
}

TEST_F(Remplissage, SwitchingChoicesReloadsFromTheFileAndDropsUnsavedEdits) {
    ecrire("Cheque.ini", section(1, {{"MargeHaute", " 4"}, {"Raccourci", " 117"}}) +
                             section(2, {{"Imprimante", "PDF"},
                                         {"MargeHaute", " 40"},
                                         {"Raccourci", " 123"},
                                         {"Taille", " 20"}}));
    ecrire("Choix.cfg", "1,3\r\n");
    demarrer();
    ouvrir();

    coche("ChkG")->setChecked(true);
    boiteTexte("TxtMH")->setText(QStringLiteral("60"));
    EXPECT_EQ(configuration->copie().MargeHaute, 60);
    EXPECT_EQ(app->reglages.MargeHaute, 4);

    choisir(1);
    EXPECT_EQ(app->etat.ChoixCourant, 2);
    EXPECT_EQ(liste("CboPrint")->currentText(), QStringLiteral("PDF"));
    EXPECT_FALSE(coche("ChkG")->isChecked());
    EXPECT_EQ(boiteTexte("TxtMH")->text(), QStringLiteral("40"));
    EXPECT_EQ(configuration->copie().MargeHaute, 40);
    EXPECT_EQ(configuration->copie().Raccourci, 123);
    EXPECT_EQ(liste("CboR")->currentText(), QStringLiteral("F12"));
    // A size the list cannot show is not replaced by the previous choice's.
    EXPECT_EQ(liste("CboTaille")->currentIndex(), -1);
    EXPECT_TRUE(c<QLabel>("LblHorsListeTaille")->isVisible());

    choisir(0);
    EXPECT_EQ(boiteTexte("TxtMH")->text(), QStringLiteral("4"));
    EXPECT_EQ(liste("CboTaille")->currentText(), QStringLiteral("10"));
    EXPECT_FALSE(c<QLabel>("LblHorsListeTaille")->isVisible());
    EXPECT_EQ(liste("CboPrint")->currentText(), QStringLiteral("Bureau"));
}

TEST_F(Remplissage, StoredValuesTheListsCannotShowAreNamedBesideThem) {
    ecrire("Cheque.ini", section(1, {{"Imprimante", "Ancienne"},
                                     {"Police", "Comic Sans MS"},
                                     {"Taille", " 20"},
                                     {"ChoixTailleChiffre", " 1"},
                                     {"TailleChiffre", " 30"}}));
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    ouvrir();

    struct Cas {
        const char* liste;
        const char* etiquette;
        QString valeur;
    };
    for (const Cas& cas : {Cas{"CboPrint", "LblHorsListeImprimante", "Ancienne"},
                           Cas{"CboPolices", "LblHorsListePolice", "Comic Sans MS"},
                           Cas{"CboTaille", "LblHorsListeTaille", "20"},
                           Cas{"CboTChiffre", "LblHorsListeTChiffre", "30"}}) {
        EXPECT_EQ(liste(cas.liste)->currentIndex(), -1) << cas.liste;
        EXPECT_TRUE(c<QLabel>(cas.etiquette)->isVisible()) << cas.etiquette;
        EXPECT_TRUE(c<QLabel>(cas.etiquette)->text().endsWith(cas.valeur)) << cas.etiquette;
    }

    // Nothing can be saved in place of them without the user choosing.
    cliquer("CmdEnrChoix");
    EXPECT_EQ(messages().value(0), QStringLiteral("Vous n'avez pas fait le choix de l'imprimante, "
                                                  "ou de la police, ou de sa taille !\n\n"
                                                  "Enregistrement impossible !"));
    EXPECT_EQ(configuration->focusWidget(), liste("CboPrint"));
    EXPECT_EQ(lireCle("Defaut1", "Police"), QStringLiteral("Comic Sans MS"));

    // Once the user picks an installed value, its warning goes at once.
    for (const Cas& cas : {Cas{"CboPrint", "LblHorsListeImprimante", {}},
                           Cas{"CboPolices", "LblHorsListePolice", {}},
                           Cas{"CboTaille", "LblHorsListeTaille", {}},
                           Cas{"CboTChiffre", "LblHorsListeTChiffre", {}}}) {
        QComboBox* boite = liste(cas.liste);
        ASSERT_GT(boite->count(), 0) << cas.liste;
        boite->setCurrentIndex(0);
        emit boite->activated(0);
        EXPECT_FALSE(c<QLabel>(cas.etiquette)->isVisible()) << cas.etiquette;
    }
}

class Regles : public ConfigurationTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", section(1, {{"Journal", " 1"},
                                         {"D\xe9"
                                          "biteur",
                                          " 1"}}));
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        ouvrir();
        configuration->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(configuration));
        plateforme.dialogues.vus.clear();
    }
};

TEST_F(Regles, TheTwoFigureSizeBoxesExcludeEachOtherAndDriveTheSizeList) {
    QComboBox* tailles = liste("CboTChiffre");
    EXPECT_FALSE(tailles->isEnabled());
    cliquer("ChkTC1");
    EXPECT_TRUE(tailles->isEnabled());
    tailles->setCurrentIndex(3);
    cliquer("ChkTC2");
    EXPECT_FALSE(coche("ChkTC1")->isChecked());
    EXPECT_TRUE(tailles->isEnabled());
    EXPECT_EQ(tailles->currentText(), QStringLiteral("11"));
    cliquer("ChkTC2");
    EXPECT_FALSE(tailles->isEnabled());
    EXPECT_EQ(tailles->currentIndex(), -1);
    EXPECT_EQ(configuration->focusWidget(), c<QWidget>("Bouton_Kiv_XP2"));
}

TEST_F(Regles, TheIssuerNameFollowsTheJournal) {
    EXPECT_TRUE(coche("ChkD")->isChecked());
    cliquer("ChkJ");
    EXPECT_FALSE(coche("ChkD")->isChecked());
    EXPECT_FALSE(coche("ChkD")->isEnabled());
    cliquer("ChkJ");
    EXPECT_TRUE(coche("ChkD")->isEnabled());
    EXPECT_FALSE(coche("ChkD")->isChecked());
    cliquer("ChkD");
    EXPECT_TRUE(coche("ChkD")->isChecked());
}

TEST_F(Regles, TheShortcutListSetsTheKeyAtOnceAndTheFontListShowsASample) {
    QComboBox* touches = liste("CboR");
    touches->setFocus();
    QTest::keyClick(touches, Qt::Key_End);
    EXPECT_EQ(touches->currentText(), QStringLiteral("ENTR"));
    EXPECT_EQ(configuration->copie().Raccourci, 13);
    QTest::keyClick(touches, Qt::Key_Up);
    EXPECT_EQ(configuration->copie().Raccourci, 123);
    EXPECT_TRUE(QFile(chemin("Cheque.ini")).exists());
    EXPECT_EQ(lireCle("Defaut1", "Raccourci").trimmed(), QStringLiteral("116"))
        << "nothing saved yet";

    QComboBox* polices = liste("CboPolices");
    QLabel* echantillon = c<QLabel>("LblPolices");
    polices->setFocus();
    QTest::keyClick(polices, Qt::Key_Down);
    EXPECT_EQ(polices->currentText(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(echantillon->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_FALSE(echantillon->font().bold());
}

TEST_F(Regles, TheKeyboardKeepsItsPlaceWhileTheMouseIsSentToTheLeaveButton) {
    QCheckBox* gras = coche("ChkG");
    gras->setFocus();
    QTest::keyClick(gras, Qt::Key_Space);
    EXPECT_TRUE(gras->isChecked());
    EXPECT_EQ(configuration->focusWidget(), gras);

    clic(gras);
    EXPECT_FALSE(gras->isChecked());
    EXPECT_EQ(configuration->focusWidget(), c<QWidget>("Bouton_Kiv_XP2"));
}

TEST_F(Regles, OrientationTurnsTheSheetAndKeepsTheChequeWhereItIs) {
    boiteTexte("TxtMH")->setText(QStringLiteral("12"));
    boiteTexte("TxtMD")->setText(QStringLiteral("20"));
    const QWidget* feuille = c<QWidget>("Pct");
    const double ppm = ApercuCheque::pixelsParMm(configuration);
    const int hautPortrait = feuille->y();
    cliquer("Opt2");
    EXPECT_NEAR(feuille->width() / ppm, 75, 0.5);
    EXPECT_NEAR(feuille->height() / ppm, 52, 0.5);
    EXPECT_NEAR((feuille->y() - hautPortrait) / ppm, 15, 0.5);
    EXPECT_TRUE(c<QLabel>("LblNote")->isVisible());
    EXPECT_DOUBLE_EQ(cheque()->haut(), 3.0);
    EXPECT_DOUBLE_EQ(cheque()->gauche(), 5.0);
    EXPECT_EQ(app->reglages.Orientation, 1) << "taken only when saved";
    cliquer("Opt1");
    EXPECT_NEAR(feuille->width() / ppm, 52, 0.5);
    EXPECT_FALSE(c<QLabel>("LblNote")->isVisible());
}
