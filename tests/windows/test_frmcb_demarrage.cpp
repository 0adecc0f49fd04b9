#include "FenetreTest.h"

#include <QDateEdit>
#include <QDir>
#include <QFileInfo>

namespace {

const QByteArray kChequeNormal =
    "[Defaut1]\r\nImprimante=Bureau\r\nOrientation= 2\r\nPolice=Liberation Sans\r\n"
    "Taille= 10\r\nGras= 1\r\nMontant=100,00\r\nLedestinataire=EDF\r\nRaccourci= 123\r\n"
    "Emission= 0\r\nDevise=\r\n"
    "[Defaut2]\r\nImprimante=PDF\r\nOrientation= 1\r\nTaille= 12\r\nMontant=75,00\r\n"
    "Ledestinataire=Inconnu\r\nRaccourci= 0\r\nEmission= 1\r\nDevise=dollar\r\n"
    "[Montants]\r\nMt0=250,00\r\nMt1=1 250,00\r\nMt2=100,00\r\n"
    "[Destinataires]\r\nDest0=Soci\xe9t\xe9 G\xe9n\xe9rale\r\nDest1=EDF\r\nDest2=a=b\r\n"
    "[Lieu]\r\nLieu0=Paris\r\nLieu1=Amiens\r\n";

} // namespace

class Demarrage : public FenetreTest {};

TEST_F(Demarrage, FirstRunInAnEmptyFolderGuidesTheUserAndWritesNothing) {
    demarrer();
    EXPECT_TRUE(QFileInfo(chemin("Journaux")).isDir());
    const auto& vus = plateforme.dialogues.vus;
    ASSERT_EQ(vus.size(), 2);
    EXPECT_EQ(vus[0].texte, QStringLiteral("Vous devez en premier lieu +++ vous rendre dans le "
                                           "menu \"Configuration et Options\""));
    EXPECT_EQ(vus[0].icone, Icone::Information);
    EXPECT_TRUE(vus[1].texte.startsWith(
        QStringLiteral("Deux choix d'options sont possibles, pouvant correspondre à 2 imprimantes "
                       "différentes.\n\nSélectionnez un des 2 choix :\n\n")));
    EXPECT_TRUE(vus[1].texte.endsWith(QStringLiteral(
        "compte.)\n\nVous n'aurez plus ensuite qu'à faire votre choix d'options (1 ou 2) en "
        "fonction de l'imprimante utilisée.")));
    EXPECT_FALSE(QFileInfo::exists(chemin("Cheque.ini")));
    EXPECT_FALSE(QFileInfo::exists(chemin("Choix.cfg")));
    EXPECT_EQ(app->reglages.Devise, QStringLiteral("euro"));
    EXPECT_EQ(app->reglages.Centimes, QStringLiteral("centime"));
    EXPECT_EQ(controle<QDateEdit>("DTP")->date(), QDate(2024, 3, 5));
    EXPECT_EQ(app->reglages.Liaison, QStringLiteral("et"));
    EXPECT_FALSE(rafraichirActif());
    EXPECT_EQ(boite("CboM")->currentText(), QString());
}

TEST_F(Demarrage, AFormerFileIsConvertedToChoiceOneButNotLoadedYet) {
    ecrire("Cheque.ini", "[Defaut]\r\nImprimante=Vieille\r\n[Defaut] \r\nTaille= 9\r\n"
                         "[Montants]\r\nMt0=12,00\r\n");
    demarrer();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte,
              QStringLiteral("Vous utilisez déjà une ancienne version.\n\nVos anciens choix "
                             "d'options et de configuration vont être attribués au choix n°1."));
    EXPECT_EQ(lire("Cheque.ini"), QByteArray("[Defaut1]\r\nImprimante=Vieille\r\n[Defaut] \r\n"
                                             "Taille= 9\r\n[Montants]\r\nMt0=12,00\r\n"));
    EXPECT_EQ(lire("Choix.cfg"), QByteArray("1,1\r\n"));
    EXPECT_EQ(app->etat.ChoixCourant, 1);
    EXPECT_EQ(app->etat.ChoixEnregistres, 1);
    EXPECT_TRUE(rafraichirActif());
    EXPECT_EQ(texte("LblImprimante"), QString());
    EXPECT_EQ(boite("CboM")->count(), 0);
    EXPECT_EQ(app->reglages.Devise, QStringLiteral("euro"));
}

TEST_F(Demarrage, NormalStartLoadsTheChoiceInUseAndItsListsWithoutAMessage) {
    ecrire("Cheque.ini", kChequeNormal);
    ecrire("Choix.cfg", "1,3\r\n");
    demarrer();
    EXPECT_TRUE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(app->reglages.Imprimante, QStringLiteral("Bureau"));
    EXPECT_EQ(app->reglages.Devise, QStringLiteral("euro"));
    EXPECT_EQ(app->MarqueGras, QStringLiteral("G"));
    EXPECT_EQ(texte("LblImprimante"), QStringLiteral("Bureau"));
    EXPECT_EQ(texte("LblOrientation"), QStringLiteral("Orientation en mode paysage"));
    EXPECT_EQ(texte("LblPolice"), QStringLiteral("Police Liberation Sans   10   G"));
    EXPECT_EQ(texte("LblRaccourci"), QStringLiteral("Raccourci pour imprimer : F12"));
    // Sorted as text, without regard to case or accents.
    EXPECT_EQ(entrees("CboM"), (QStringList{QStringLiteral("1 250,00"), QStringLiteral("100,00"),
                                            QStringLiteral("250,00")}));
    EXPECT_EQ(entrees("CboD"), (QStringList{QStringLiteral("a=b"), QStringLiteral("EDF"),
                                            QStringLiteral("Société Générale")}));
    EXPECT_EQ(boite("CboM")->currentIndex(), 1);
    EXPECT_EQ(boite("CboD")->currentText(), QStringLiteral("EDF"));
    EXPECT_EQ(boite("CboL")->currentText(), QStringLiteral("Amiens"));
    EXPECT_EQ(boite("CboD")->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(boite("CboD")->font().pointSize(), 10);
    EXPECT_EQ(controle<QDateEdit>("DTP")->date(), QDate(2024, 3, 5));
    EXPECT_TRUE(rafraichirActif());
    EXPECT_EQ(lire("Cheque.ini"), kChequeNormal);
    EXPECT_EQ(lire("Choix.cfg"), QByteArray("1,3\r\n"));
}

TEST_F(Demarrage, SecondChoiceDefaultsThatAreNotInTheLists) {
    ecrire("Cheque.ini", kChequeNormal);
    ecrire("Choix.cfg", "2,3\r\n");
    demarrer();
    EXPECT_EQ(app->reglages.Devise, QStringLiteral("dollar"));
    // The default amount is not in the list: it is shown as typed.
    EXPECT_EQ(boite("CboM")->currentIndex(), -1);
    EXPECT_EQ(boite("CboM")->currentText(), QStringLiteral("75,00"));
    // Leave the place empty by default; an unknown shortcut leaves the label alone.
    EXPECT_EQ(boite("CboL")->currentText(), QString());
    EXPECT_EQ(texte("LblRaccourci"), QString());
    EXPECT_EQ(texte("LblOrientation"), QStringLiteral("Orientation en mode portrait"));
}

TEST_F(Demarrage, ChoiceFileWithoutSettingsFileUsesTheInitialSettings) {
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    EXPECT_TRUE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(app->reglages.Police, QStringLiteral("Arial"));
    EXPECT_EQ(app->reglages.Taille, 8);
    EXPECT_TRUE(rafraichirActif());
    EXPECT_FALSE(QFileInfo::exists(chemin("Cheque.ini")));
}

TEST_F(Demarrage, AnUnreadableChoiceFileCountsAsAbsent) {
    for (const QByteArray& contenu :
         {QByteArray("9,9\r\n"), QByteArray("abc"), QByteArray(), QByteArray(5000, '1')}) {
        QDir(dossier.path()).removeRecursively();
        QDir().mkpath(dossier.path());
        plateforme.dialogues.vus.clear();
        ecrire("Choix.cfg", contenu);
        demarrer();
        EXPECT_EQ(app->etat.ChoixCourant, 0);
        EXPECT_EQ(plateforme.dialogues.vus.size(), 2) << contenu.left(10).toStdString();
        EXPECT_FALSE(rafraichirActif());
        EXPECT_EQ(lire("Choix.cfg"), contenu);
    }
}

TEST_F(Demarrage, ADamagedChoiceFileIsRebuiltFromTheSettingsSections) {
    ecrire("Cheque.ini", kChequeNormal);
    ecrire("Choix.cfg", "\xff\xfe garbage");
    demarrer();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte,
              QStringLiteral("Le fichier Choix.cfg était illisible : il a été refait d'après vos "
                             "réglages (choix n°1 en cours)."));
    EXPECT_EQ(lire("Choix.cfg"), QByteArray("1,3\r\n"));
    EXPECT_EQ(lire("Cheque.ini"), kChequeNormal); // not taken for a former file
    EXPECT_EQ(texte("LblImprimante"), QStringLiteral("Bureau"));
    EXPECT_TRUE(rafraichirActif());
}

TEST_F(Demarrage, DamagedSettingsFileGivesAWorkingWindowAndIsNotRewritten) {
    QByteArray octets = "[Defaut1\r\nTaille=1\r\n[Defaut1]\r\nTaille=99999\r\nGras=300\r\n"
                        "Imprimante=";
    octets += QByteArray(100000, 'I');
    octets += "\r\n";
    octets += QByteArray("Police=A\0B\r\n", 12);
    octets +=
        "\xff\xfe\x81\r\nsans egal\r\n[Defaut1]\r\nOrientation= 2\r\n[Montants]\r\nMt0=5,00\r\n";
    ecrire("Cheque.ini", octets);
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    EXPECT_TRUE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(app->reglages.Taille, 0);
    EXPECT_EQ(app->reglages.Gras, 0);
    EXPECT_EQ(app->reglages.Orientation, 0);
    EXPECT_EQ(app->reglages.Imprimante.size(), 100000);
    EXPECT_EQ(entrees("CboM"), QStringList{QStringLiteral("5,00")});
    EXPECT_EQ(lire("Cheque.ini"), octets);
}

TEST_F(Demarrage, AnInterruptedRewriteIsRecoveredBeforeLoading) {
    ecrire("TmpCheque.ini", kChequeNormal);
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    EXPECT_EQ(lire("Cheque.ini"), kChequeNormal);
    EXPECT_FALSE(QFileInfo::exists(chemin("TmpCheque.ini")));
    EXPECT_EQ(texte("LblImprimante"), QStringLiteral("Bureau"));
}

TEST_F(Demarrage, AFailedConversionIsToldAndTheFormerFileKept) {
    ecrire("Cheque.ini", "[Defaut]\r\nTaille= 9\r\n");
    // A folder holding the name of Choix.cfg: it cannot be written.
    QDir().mkpath(chemin("Choix.cfg") + QStringLiteral("/x"));
    demarrer();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 2);
    EXPECT_EQ(plateforme.dialogues.vus[1].icone, Icone::Critique);
    EXPECT_TRUE(plateforme.dialogues.vus[1].texte.contains(QStringLiteral("Choix.cfg")));
    EXPECT_EQ(app->etat.ChoixCourant, 0);
    EXPECT_FALSE(rafraichirActif());
}

TEST_F(Demarrage, WithoutTheControlLibraryAPlainLabelShowsTheWords) {
    // An empty class registry and no library where the program looks for it.
    QTemporaryDir maison;
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", maison.path().toLocal8Bit());
    bibliotheque = chemin("absente/libBoutonKiv_W9x.so");
    ecrire("Cheque.ini", kChequeNormal);
    ecrire("Choix.cfg", "1,1\r\n");
    demarrer();
    qputenv("HOME", home);

    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Exclamation);
    EXPECT_TRUE(plateforme.dialogues.vus[0].texte.startsWith(
        QStringLiteral("Le composant qui affiche le montant en lettres (BoutonKiv_W9x) n'a pas pu "
                       "être chargé")));
    auto* label = fenetre->findChild<QLabel*>(QStringLiteral("LblMontant"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("CENT EUROS"));
}
