#include "Fichiers.h"
#include "settings/ChargementChoix.h"
#include "settings/DossierApplication.h"
#include "settings/FichierIni.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Dossier, TheProgramFolderWhenWritableElseTheUsersDataFolder) {
    QTemporaryDir dir;
    const QString donnees = dir.filePath(QStringLiteral("donnees/Scribane"));
    const DossierChoisi ici = ChoisirDossier(dir.path(), donnees);
    EXPECT_EQ(ici.chemin, dir.path());
    EXPECT_FALSE(ici.repli);

    // A program "folder" that cannot hold files (here: it is a file).
    EcrireOctets(dir.filePath(QStringLiteral("fichier")), "x");
    const DossierChoisi ailleurs = ChoisirDossier(dir.filePath(QStringLiteral("fichier")), donnees);
    EXPECT_EQ(ailleurs.chemin, donnees);
    EXPECT_TRUE(ailleurs.repli);
    EXPECT_TRUE(ailleurs.premierRepli);
    EXPECT_TRUE(QFileInfo(donnees).isDir());
    // The user is told once: the second time the folder is already there.
    EXPECT_FALSE(ChoisirDossier(dir.filePath(QStringLiteral("fichier")), donnees).premierRepli);
}

TEST(Dossier, AnInterruptedRewriteIsRecovered) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    EcrireOctets(c.tmpCheque(), "[Defaut1]\r\nTaille= 9\r\n");
    EXPECT_TRUE(RecupererReecritureInterrompue(c));
    EXPECT_EQ(LireIni(QStringLiteral("Defaut1"), QStringLiteral("Taille"), c.cheque()),
              QStringLiteral("9"));
    EXPECT_FALSE(QFileInfo::exists(c.tmpCheque()));

    // With Cheque.ini there, a scratch file is not trusted over it.
    EcrireOctets(c.tmpCheque(), "[Defaut1]\r\nTaille= 5\r\n");
    EXPECT_FALSE(RecupererReecritureInterrompue(c));
    EXPECT_EQ(LireIni(QStringLiteral("Defaut1"), QStringLiteral("Taille"), c.cheque()),
              QStringLiteral("9"));
}

TEST(Dossier, ConversionOfAFormerFile) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    EcrireOctets(c.cheque(), "[Defaut]\r\nTaille= 9\r\n[Defaut] \r\n[Montants]\r\nMt0=1,00\r\n");
    const auto converti = ConvertirAncienFichier(c);
    ASSERT_TRUE(converti) << converti.raison().toStdString();
    EXPECT_EQ(LireOctets(c.cheque()),
              QByteArray("[Defaut1]\r\nTaille= 9\r\n[Defaut] \r\n[Montants]\r\nMt0=1,00\r\n"));
    EXPECT_EQ(LireOctets(c.choix()), QByteArray("1,1\r\n"));
    EXPECT_FALSE(QFileInfo::exists(c.tmpCheque()));
}

TEST(Dossier, AFailedConversionLosesNothing) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    EcrireOctets(c.cheque(), "[Defaut]\r\nTaille= 9\r\n");
    // Choix.cfg cannot be written: a folder holds its name.
    ASSERT_TRUE(QDir().mkpath(c.choix() + QStringLiteral("/x")));
    const auto converti = ConvertirAncienFichier(c);
    EXPECT_FALSE(converti);
    EXPECT_TRUE(converti.raison().contains(QStringLiteral("Choix.cfg")))
        << converti.raison().toStdString();
    EXPECT_EQ(LireIni(QStringLiteral("Defaut1"), QStringLiteral("Taille"), c.cheque()),
              QStringLiteral("9"));
}

TEST(Dossier, OneInstanceAtATimeAndACrashedOneDoesNotBlock) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    {
        const auto premier = PrendreVerrou(c);
        ASSERT_TRUE(premier);
        EXPECT_FALSE(PrendreVerrou(c));
    }
    EXPECT_TRUE(PrendreVerrou(c));

    // The lock of a process that is gone (pid of no running process).
    EcrireOctets(c.verrou(),
                 "2147483646\ntest_settings\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_TRUE(PrendreVerrou(c));
}

TEST(ChargementChoix, TheChoiceInUseTheInitialSettingsAndTheLists) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    Reglages r;
    EtatChoix etat{1, 1, 0};

    ChoixCharge sans = ChargerReglages(c, etat, r, true);
    EXPECT_FALSE(sans.chequePresent);
    EXPECT_EQ(r.Police, QStringLiteral("Arial"));
    EXPECT_EQ(r.Taille, 8);
    EXPECT_EQ(r.Devise, QStringLiteral("euro"));

    EcrireOctets(c.cheque(), "[Defaut1]\r\nTaille= 12\r\nPolice=Courier\r\n[Defaut2]\r\n"
                             "Police=Times\r\nDevise=dollar\r\n[Lieu]\r\nLieu0=Paris\r\n");
    ChoixCharge un = ChargerReglages(c, etat, r, true);
    EXPECT_TRUE(un.sectionLue);
    EXPECT_EQ(r.Taille, 12);
    EXPECT_EQ(un.listes.lieux, QStringList{QStringLiteral("Paris")});

    // Choice 2 has no size: the one of choice 1 stays; no lists while configuring.
    etat.ChoixCourant = 2;
    ChoixCharge deux = ChargerReglages(c, etat, r, false);
    EXPECT_EQ(r.Taille, 12);
    EXPECT_EQ(r.Police, QStringLiteral("Times"));
    EXPECT_EQ(r.Devise, QStringLiteral("dollar"));
    EXPECT_TRUE(deux.listes.lieux.isEmpty());

    etat.ChoixCourant = 0;
    EXPECT_FALSE(ChargerReglages(c, etat, r, true).sectionLue);
    EXPECT_EQ(r.Police, QStringLiteral("Times"));
}

TEST(ChargementChoix, ATenMegabyteFileWithDamageStillLoads) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    QByteArray octets = "[Defaut1]\r\nTaille= 11\r\n[Montants]\r\n";
    for (int i = 0; octets.size() < 10 * 1024 * 1024; ++i)
        octets += "Mt" + QByteArray::number(i) + "=" + QByteArray::number(i) + ",00\r\n";
    octets += QByteArray("Dest0=NUL\0dedans\r\n", 18);
    octets += "Lieu0=" + QByteArray(100000, 'L') + "\r\n";
    EcrireOctets(c.cheque(), octets);
    Reglages r;
    const ChoixCharge charge = ChargerReglages(c, EtatChoix{1, 1, 0}, r, true);
    EXPECT_EQ(r.Taille, 11);
    EXPECT_GT(charge.listes.montants.size(), 500000);
    EXPECT_EQ(charge.listes.destinataires.size(), 1);
    EXPECT_EQ(charge.listes.lieux.value(0).size(), 100000);
}

#ifdef Q_OS_WIN
// On Windows a copy installed under "Program Files" keeps its settings in the user's
// data folder; the same program unpacked anywhere else keeps them beside itself.
TEST(Dossier, UnderProgramFilesTheSettingsGoToTheUsersDataFolder) {
    QTemporaryDir racine;
    const QString programmes = racine.filePath(QStringLiteral("Program Files"));
    const QString installe = programmes + QStringLiteral("/Scribane");
    const QString portable = racine.filePath(QStringLiteral("Program Files (copie)/Scribane"));
    QDir().mkpath(installe);
    QDir().mkpath(portable);
    const QString donnees = racine.filePath(QStringLiteral("AppData/Local/Scribane"));
    const QByteArray avant = qgetenv("ProgramFiles");
    qputenv("ProgramFiles", QDir::toNativeSeparators(programmes).toLocal8Bit());
    EXPECT_EQ(DossierBibliothequesInstallees(installe), installe);
    EXPECT_EQ(ChoisirDossier(installe, donnees).chemin, donnees);
    EXPECT_TRUE(QFileInfo(donnees).isDir());
    EXPECT_TRUE(DossierBibliothequesInstallees(portable).isEmpty());
    EXPECT_EQ(ChoisirDossier(portable, donnees).chemin, portable);
    qputenv("ProgramFiles", avant);
    EXPECT_TRUE(DossierDonneesUtilisateur().endsWith(QStringLiteral("/AppData/Local/Scribane"),
                                                     Qt::CaseInsensitive))
        << DossierDonneesUtilisateur().toStdString();
}
#else
TEST(Dossier, AnInstalledProgramKeepsItsSettingsInTheUsersDataFolderWithoutAWord) {
    // The layout of the package: programs in bin/, their library folder in lib/scribane/.
    QTemporaryDir racine;
    const QString bin = racine.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QString donnees = racine.filePath(QStringLiteral("maison/Scribane"));
    EXPECT_TRUE(DossierBibliothequesInstallees(bin).isEmpty());
    EXPECT_EQ(ChoisirDossier(bin, donnees).chemin, bin); // a copy run from where it was built

    QDir().mkpath(racine.filePath(QStringLiteral("lib/scribane")));
    EXPECT_EQ(DossierBibliothequesInstallees(bin), racine.filePath(QStringLiteral("lib/scribane")));
    // Even when the program's folder can be written (as root can write /usr/bin).
    ASSERT_TRUE(DossierInscriptible(bin));
    const DossierChoisi installe = ChoisirDossier(bin, donnees);
    EXPECT_EQ(installe.chemin, donnees);
    EXPECT_TRUE(QFileInfo(donnees).isDir());
    EXPECT_FALSE(installe.premierRepli); // its normal place: nothing to tell
    EXPECT_FALSE(QFileInfo::exists(bin + QStringLiteral("/Cheque.ini")));
}
#endif
