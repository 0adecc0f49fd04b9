#include "ConfigurationTest.h"

#include "windows/AffichageMontant.h"
#include "windows/Placement.h"

#include <QDateEdit>
#include <QDir>
#include <QScreen>

class Boutons : public ConfigurationTest {
protected:
    void demarrerAvec(const char* choix) {
        ecrire("Cheque.ini",
               section(1, {{"MargeHaute", " 4"}, {"MargeDroite", " 8"}, {"Raccourci", " 117"}}) +
                   section(2, {{"Imprimante", "PDF"},
                               {"Police", "Liberation Sans"},
                               {"Taille", " 12"},
                               {"MargeHaute", " 40"},
                               {"MargeDroite", " 80"},
                               {"Raccourci", " 123"}}));
        ecrire("Choix.cfg", choix);
        demarrer();
        ouvrir();
    }
    bool fermee() const { return configuration.isNull() || !configuration->isVisible(); }
    void fermerParLaCaseDeFermeture() const {
        ASSERT_TRUE(configuration->windowHandle());
        configuration->windowHandle()->close();
    }
};

TEST_F(Boutons, SavingMarksTheChoiceSavedAndConfirmsIt) {
    demarrerAvec("1,1\r\n");
    choisir(1);
    glisser({10, 5}, {12.5, 6});
    cliquer("CmdEnrChoix");

    EXPECT_EQ(messages(), QStringList{QStringLiteral("Choix 2 enregistré.")});
    EXPECT_EQ(app->etat.ChoixEnregistres, 3);
    EXPECT_EQ(choixCfg(), QStringLiteral("2,3\r\n"));
    EXPECT_EQ(lireCle("Defaut2", "MargeHaute").trimmed(), QStringLiteral("44"));
    EXPECT_EQ(lireCle("Defaut2", "MargeDroite").trimmed(), QStringLiteral("90"));
    EXPECT_EQ(lireCle("Defaut1", "MargeHaute").trimmed(), QStringLiteral("4"));
    EXPECT_EQ(optChoix(0)->text(), QStringLiteral("Choix 1 OK"));
    EXPECT_EQ(optChoix(1)->text(), QStringLiteral("Choix 2 OK"));
    EXPECT_EQ(optChoix(1)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(rafraichirActif());

    // Saving choice 2 again changes nothing in the mask.
    cliquer("CmdEnrChoix");
    EXPECT_EQ(choixCfg(), QStringLiteral("2,3\r\n"));

    // What was saved is what stays after leaving by the close box.
    glisser({10, 5}, {30, 20});
    fermerParLaCaseDeFermeture();
    EXPECT_EQ(app->reglages.MargeHaute, 44);
    EXPECT_EQ(app->reglages.MargeDroite, 90);
}

TEST_F(Boutons, ASaveThatFailsLeavesTheChoiceUnsaved) {
    demarrerAvec("1,1\r\n");
    choisir(1);
    cliquer("ChkTC1"); // no figure size chosen
    cliquer("CmdEnrChoix");
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("Fixez la taille de police du montant en chiffres !")});
    EXPECT_EQ(configuration->focusWidget(), liste("CboTChiffre"));

    // The settings file cannot be replaced.
    cliquer("ChkTC1");
    QFile::remove(chemin("Cheque.ini"));
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("Cheque.ini")));
    plateforme.dialogues.vus.clear();
    cliquer("CmdEnrChoix");
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Critique);

    EXPECT_EQ(app->etat.ChoixEnregistres, 1);
    EXPECT_EQ(choixCfg(), QStringLiteral("1,1\r\n"));
    EXPECT_EQ(optChoix(1)->text(), QStringLiteral("Choix 2"));
    EXPECT_EQ(optChoix(1)->palette().color(QPalette::WindowText), QColor(192, 0, 0));
}

TEST_F(Boutons, ApplyingKeepsTheOnlySavedChoiceAndShowsItOnTheMainWindow) {
    demarrerAvec("2,2\r\n");
    EXPECT_TRUE(optChoix(1)->isChecked());
    choisir(0);
    EXPECT_EQ(configuration->copie().Imprimante, QStringLiteral("Bureau"));
    cliquer("Bouton_Kiv_XP2");

    EXPECT_TRUE(fermee());
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_EQ(app->etat.ConfigurationOuverte, 0);
    EXPECT_EQ(choixCfg(), QStringLiteral("2,2\r\n"));
    EXPECT_EQ(app->etat.ChoixCourant, 2);
    // The settings in memory and on the main window are those of choice 2.
    EXPECT_EQ(app->reglages.Imprimante, QStringLiteral("PDF"));
    EXPECT_EQ(app->reglages.MargeHaute, 40);
    EXPECT_EQ(texte("LblImprimante"), QStringLiteral("PDF"));
    EXPECT_EQ(texte("LblPolice"), QStringLiteral("Police Liberation Sans   12   "));
    EXPECT_EQ(texte("LblRaccourci"), QStringLiteral("Raccourci pour imprimer : F12"));
}

TEST_F(Boutons, ApplyingAnUnsavedShortcutShowsTheOneThatStaysInForce) {
    demarrerAvec("1,1\r\n");
    QComboBox* touches = liste("CboR");
    touches->setCurrentIndex(8);
    emit touches->activated(8);
    EXPECT_EQ(configuration->copie().Raccourci, 13);
    cliquer("Bouton_Kiv_XP2");
    EXPECT_EQ(app->reglages.Raccourci, 117);
    EXPECT_EQ(texte("LblRaccourci"), QStringLiteral("Raccourci pour imprimer : F6"));
}

TEST_F(Boutons, ApplyingWithoutPrinterFontOrSizeKeepsTheWindowOpen) {
    demarrer(); // first run
    ouvrir();
    choisir(0);
    plateforme.dialogues.vus.clear();
    cliquer("Bouton_Kiv_XP2");
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Exclamation);
    EXPECT_TRUE(plateforme.dialogues.vus[0].texte.endsWith(
        QStringLiteral("tous les éléments de la configuration doivent être renseignés.")));
    EXPECT_EQ(configuration->focusWidget(), liste("CboPrint"));
    EXPECT_FALSE(fermee());
    EXPECT_FALSE(fenetre->isVisible());
    EXPECT_FALSE(QFile::exists(chemin("Choix.cfg")));
}

TEST_F(Boutons, CancellingAfterSwitchingReloadsTheChoiceInUse) {
    demarrerAvec("1,3\r\n");
    choisir(1);
    glisser({10, 5}, {20, 15});
    app->reglages.Devise = QStringLiteral("dollar");
    cliquer("Bouton_Kiv_XP3");

    EXPECT_TRUE(fermee());
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_EQ(app->etat.ChoixCourant, 1);
    EXPECT_EQ(choixCfg(), QStringLiteral("1,3\r\n"));
    EXPECT_EQ(app->reglages.Imprimante, QStringLiteral("Bureau"));
    EXPECT_EQ(app->reglages.Devise, QStringLiteral("euro"));
    // Choice 1's own margins and shortcut, not those remembered for choice 2.
    EXPECT_EQ(app->reglages.MargeHaute, 4);
    EXPECT_EQ(app->reglages.MargeDroite, 8);
    EXPECT_EQ(app->reglages.Raccourci, 117);
}

TEST_F(Boutons, TheCloseBoxPutsBackTheMarginsAndTheShortcut) {
    demarrerAvec("1,1\r\n");
    glisser({10, 5}, {20, 15});
    liste("CboR")->setCurrentIndex(8);
    emit liste("CboR")->activated(8);
    ASSERT_EQ(configuration->copie().MargeHaute, 44);
    fermerParLaCaseDeFermeture();

    EXPECT_TRUE(fermee());
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_EQ(app->etat.ConfigurationOuverte, 0);
    EXPECT_EQ(app->reglages.MargeHaute, 4);
    EXPECT_EQ(app->reglages.MargeDroite, 8);
    EXPECT_EQ(app->reglages.Raccourci, 117);
}

TEST_F(Boutons, CurrencyWordsLoseOneFinalLowerCaseS) {
    demarrerAvec("1,1\r\n");
    auto& reponses = plateforme.dialogues.reponsesSaisie;
    reponses << QStringLiteral("euros") << QStringLiteral("centimes") << QStringLiteral("plus");
    cliquer("Bouton_Kiv_XP4");
    EXPECT_EQ(configuration->copie().Devise, QStringLiteral("euro"));
    EXPECT_EQ(configuration->copie().Centimes, QStringLiteral("centime"));
    EXPECT_EQ(configuration->copie().Liaison, QStringLiteral("plus"));
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("Nouvelle devise (singulier)"),
                                       QStringLiteral("Centième de devise (singulier)"),
                                       QStringLiteral("Liaison entre euro  \" et \"  centime")}));
    EXPECT_EQ(plateforme.dialogues.vus[0].titre, QStringLiteral("Scribane"));

    // Upper case stays; a cancelled cent prompt keeps the new currency.
    plateforme.dialogues.vus.clear();
    reponses << QStringLiteral("EUROS");
    cliquer("Bouton_Kiv_XP4");
    EXPECT_EQ(configuration->copie().Devise, QStringLiteral("EUROS"));
    EXPECT_EQ(configuration->copie().Centimes, QStringLiteral("centime"));
    EXPECT_EQ(plateforme.dialogues.vus.size(), 2);

    cliquer("CmdEnrChoix");
    EXPECT_EQ(lireCle("Defaut1", "Devise"), QStringLiteral("EUROS"));
    EXPECT_EQ(app->reglages.Devise, QStringLiteral("EUROS"));
}

TEST_F(Boutons, PastedCurrencyWordsAreOneLineWithoutSurroundingBlanks) {
    demarrerAvec("1,1\r\n");
    plateforme.dialogues.reponsesSaisie << QStringLiteral("dollars\n") << QStringLiteral(" cents ")
                                        << QStringLiteral("\r\nand");
    cliquer("Bouton_Kiv_XP4");
    EXPECT_EQ(configuration->copie().Devise, QStringLiteral("dollar"));
    EXPECT_EQ(configuration->copie().Centimes, QStringLiteral("cent"));
    EXPECT_EQ(configuration->copie().Liaison, QStringLiteral("and"));
}

TEST_F(Boutons, SavingTheFirstChoiceOffersTheListPruning) {
    demarrerAvec("0,0\r\n");
    ASSERT_FALSE(rafraichirActif());
    choisir(0);
    cliquer("CmdEnrChoix");
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Choix 1 enregistré.")});
    EXPECT_EQ(choixCfg(), QStringLiteral("1,1\r\n"));
    EXPECT_TRUE(rafraichirActif());
}

// On a real display the window system can activate the window once more while
// it is leaving (the save confirmation closes, the focus comes back, the
// click on a leaving button is still queued). That late activation must leave
// the session closed and must not run events that delete the window under it.
TEST_F(Boutons, AnActivationArrivingAfterLeavingChangesNothing) {
    for (const char* bouton : {"Bouton_Kiv_XP2", "Bouton_Kiv_XP3"}) {
        SCOPED_TRACE(bouton);
        demarrerAvec("1,1\r\n");
        cliquer("CmdEnrChoix");
        auto* leaving = c<QAbstractButton>(bouton);
        QMetaObject::invokeMethod(leaving, &QAbstractButton::click, Qt::QueuedConnection);
        QPointer<FrmConfigure> fenetreConfig = configuration;
        activer(); // the activation runs first, the click is still queued
        EXPECT_FALSE(fenetreConfig.isNull()) << "deleted inside its own activation";
        QCoreApplication::processEvents(); // now the click
        ASSERT_TRUE(fermee());
        activer(); // and the window system's late activation
        EXPECT_EQ(app->etat.ConfigurationOuverte, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(fenetreConfig.isNull());
        EXPECT_TRUE(fenetre->isVisible());
        fenetre.reset();
    }
}

// A save that is refused or cannot be written puts nothing in force, whichever
// way the window is then left: the next cheque prints as Cheque.ini says, and
// the main window shows that.
TEST_F(Boutons, LeavingAfterASaveThatDidNotHappenKeepsWhatTheFileHolds) {
    for (const bool ecritureImpossible : {false, true}) {
        for (const bool parLaCase : {false, true}) {
            SCOPED_TRACE(ecritureImpossible ? "write fails" : "save refused");
            SCOPED_TRACE(parLaCase ? "close box" : "apply");
            QDir(chemin("Cheque.ini")).removeRecursively();
            demarrerAvec("1,1\r\n");
            QComboBox* imprimantes = liste("CboPrint");
            imprimantes->setCurrentIndex(imprimantes->findText(QStringLiteral("PDF")));
            cliquer("ChkG");
            glisser({10, 5}, {20, 15});
            cliquer("Opt2");
            cliquer("ChkL");            // the place not printed
            liste("CboM")->setEditText(QStringLiteral("77"));
            boite("CboL")->setEditText(QStringLiteral("Paris"));
            if (ecritureImpossible) {
                QFile::remove(chemin("Cheque.ini"));
                ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("Cheque.ini")));
            } else {
                cliquer("ChkTC1"); // no figure size chosen
            }
            plateforme.dialogues.vus.clear();
            cliquer("CmdEnrChoix");
            ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
            EXPECT_NE(plateforme.dialogues.vus[0].texte, QStringLiteral("Choix 1 enregistré."));

            if (parLaCase)
                fermerParLaCaseDeFermeture();
            else
                cliquer("Bouton_Kiv_XP2");
            ASSERT_TRUE(fermee());
            const Reglages& r = app->reglages;
            EXPECT_EQ(r.Imprimante, QStringLiteral("Bureau"));
            EXPECT_EQ(r.Gras, 0);
            EXPECT_EQ(r.ChoixTailleChiffre, 0);
            EXPECT_EQ(r.MargeHaute, 4);
            EXPECT_EQ(r.MargeDroite, 8);
            EXPECT_EQ(app->MarqueGras, QString());
            EXPECT_EQ(texte("LblImprimante"), QStringLiteral("Bureau"));
            EXPECT_EQ(texte("LblPolice"), QStringLiteral("Police Arial   10   "));
            // Nor does the main window show or keep what was not saved.
            EXPECT_NE(texte("LblOrientation"), QStringLiteral("Orientation en mode paysage"));
            EXPECT_EQ(boite("CboL")->currentText(), QStringLiteral("Paris"));
            EXPECT_FALSE(EntreesDe(boite("CboM")).contains(QStringLiteral("77,00")));
            fenetre.reset();
        }
    }
}

TEST_F(Boutons, TheChequeBeingTypedStaysWhateverTheWayOut) {
    // Choice 1 has defaults of its own: they must not replace what is typed.
    ecrire("Cheque.ini", section(1, {{"Montant", "99,00"},
                                     {"Ledestinataire", "EDF"},
                                     {"Emission", " 1"},
                                     {"Journal", " 0"}}) +
                             "[Destinataires]\r\nDest0=EDF\r\n[Lieu]\r\nLieu0=Paris\r\n");
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    const QDate date(2024, 3, 5);
    for (const char* sortie : {"Bouton_Kiv_XP3", "Bouton_Kiv_XP2", "case de fermeture"}) {
        SCOPED_TRACE(sortie);
        boite("CboM")->setEditText(QStringLiteral("12,50"));
        boite("CboD")->setEditText(QStringLiteral("Durand"));
        boite("CboL")->setEditText(QStringLiteral("Lyon"));
        controle<QDateEdit>("DTP")->setDate(date);
        ouvrir();
        if (std::string(sortie) == "case de fermeture")
            fermerParLaCaseDeFermeture();
        else
            cliquer(sortie);
        ASSERT_TRUE(fermee());
        EXPECT_EQ(boite("CboM")->currentText(), QStringLiteral("12,50"));
        EXPECT_EQ(boite("CboD")->currentText(), QStringLiteral("Durand"));
        EXPECT_EQ(boite("CboL")->currentText(), QStringLiteral("Lyon"));
        EXPECT_EQ(controle<QDateEdit>("DTP")->date(), date);
        EXPECT_TRUE(fenetre->lblMontant().caption().startsWith(QStringLiteral("DOUZE EUROS")))
            << fenetre->lblMontant().caption().toStdString();
    }
    // Emptied boxes get the choice's defaults again.
    boite("CboM")->setEditText(QString());
    boite("CboD")->setEditText(QString());
    ouvrir();
    cliquer("Bouton_Kiv_XP3");
    EXPECT_EQ(boite("CboM")->currentText(), QStringLiteral("99,00"));
    EXPECT_EQ(boite("CboD")->currentText(), QStringLiteral("EDF"));
}

TEST_F(Boutons, AWindowOpensCentredOnItsParentAndOnTheScreenAndTheMainWindowKeepsItsPlace) {
    ecrire("Cheque.ini", section(1));
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    fenetre->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    const QRect dispo = fenetre->screen()->availableGeometry();
    QWidget petite;
    petite.resize(300, 200);

    fenetre->move(dispo.center() - QPoint(fenetre->width(), fenetre->height()) / 2);
    PlacerSurParent(petite, *fenetre);
    EXPECT_LE((QRect(petite.pos(), petite.size()).center() - fenetre->frameGeometry().center())
                  .manhattanLength(),
              10); // the window's frame, not known before it shows, is guessed

    // Pushed to the screen's bottom-right corner, the parent no longer
    // takes the window half off the screen.
    fenetre->move(dispo.bottomRight() - QPoint(fenetre->width(), fenetre->height()) / 3);
    PlacerSurParent(petite, *fenetre);
    EXPECT_TRUE(dispo.contains(QRect(petite.pos(), petite.size())));

    const QPoint place = fenetre->pos();
    ouvrir();
    cliquer("Bouton_Kiv_XP3");
    ASSERT_TRUE(fermee());
    EXPECT_EQ(fenetre->pos(), place);
}

// The words' variant, spelling and fill line belong to each choice: a choice
// saved before they existed shows the words as they always were.
TEST_F(Boutons, TheWordsFormTheFillLineAndTheOfferedCurrenciesAreShownAndSavedPerChoice) {
    ecrire("Cheque.ini",
           section(1) +
               section(2, {{"Variante", " 2"}, {"Orthographe", " 1"}, {"CompleterLigne", " 1"}}));
    ecrire("Choix.cfg", "2,3\r\n");
    demarrer();
    ouvrir();
    auto* variante = c<QComboBox>("CboVariante");
    auto* orthographe = c<QComboBox>("CboOrthographe");
    auto* completer = c<QCheckBox>("ChkCompleter");
    auto* devise = c<QComboBox>("CboDevise");
    EXPECT_EQ(variante->currentIndex(), 2);
    EXPECT_EQ(orthographe->currentIndex(), 1);
    EXPECT_TRUE(completer->isChecked());
    EXPECT_EQ(devise->currentIndex(), 0);

    choisir(0);
    EXPECT_EQ(variante->currentIndex(), 0);
    EXPECT_EQ(orthographe->currentIndex(), 0);
    EXPECT_FALSE(completer->isChecked());
    variante->setCurrentIndex(1);
    clic(completer);
    devise->setCurrentIndex(2);
    emit devise->activated(2);
    EXPECT_EQ(configuration->copie().Devise, QStringLiteral("franc CFA"));
    EXPECT_EQ(configuration->copie().SansCentimes, 1);
    cliquer("CmdEnrChoix");
    EXPECT_EQ(lireCle("Defaut1", "Variante"), QStringLiteral("1"));
    EXPECT_EQ(lireCle("Defaut1", "Orthographe"), QStringLiteral("0"));
    EXPECT_EQ(lireCle("Defaut1", "CompleterLigne"), QStringLiteral("1"));
    EXPECT_EQ(lireCle("Defaut1", "Devise"), QStringLiteral("franc CFA"));
    EXPECT_EQ(lireCle("Defaut1", "SansCentimes"), QStringLiteral("1"));
    EXPECT_EQ(lireCle("Defaut2", "Variante"), QStringLiteral("2"));
    EXPECT_EQ(app->reglages.Variante, 1);
    EXPECT_EQ(app->reglages.CompleterLigne, 1);

    // Words of one's own show as such; the dialog edits the offered ones.
    plateforme.dialogues.reponsesSaisie << QStringLiteral("dollar") << QStringLiteral("cent");
    cliquer("Bouton_Kiv_XP4");
    EXPECT_EQ(devise->currentIndex(), 3);
    EXPECT_TRUE(devise->currentText().startsWith(QStringLiteral("autre : dollar / cent")));
}
