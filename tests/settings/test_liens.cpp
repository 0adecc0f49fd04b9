#include "Fichiers.h"
#include "Montage.h"
#include "settings/DossierApplication.h"
#include "settings/EcritureAtomique.h"
#include "settings/EtatChoix.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

// Settings kept elsewhere (a synchronised folder, a shared disk) behind a
// symbolic link in the application folder.
class Liens : public ::testing::Test {
protected:
    QTemporaryDir racine;
    QString application() const { return racine.filePath(QStringLiteral("application")); }
    QString ailleurs() const { return racine.filePath(QStringLiteral("ailleurs")); }
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(application()));
        ASSERT_TRUE(QDir().mkpath(ailleurs()));
    }
    static void lier(const QString& cible, const QString& lien) {
        ASSERT_EQ(
            ::symlink(QFile::encodeName(cible).constData(), QFile::encodeName(lien).constData()),
            0);
    }
    static QStringList Contenu(const QString& dossier) {
        return QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

TEST_F(Liens, ARewriteGoesToTheTargetAndTheLinkStays) {
    const CheminsScribane c{application()};
    const QString vrai = ailleurs() + QStringLiteral("/vrai.ini");
    EcrireOctets(vrai, "[Defaut1]\r\nTaille= 9\r\n");
    ::chmod(QFile::encodeName(vrai).constData(), 0640);
    lier(QStringLiteral("../ailleurs/vrai.ini"), c.cheque()); // relative, as people make them
    EcrireOctets(ailleurs() + QStringLiteral("/choix-vrai.cfg"), "1,1\r\n");
    lier(ailleurs() + QStringLiteral("/choix-vrai.cfg"), c.choix());

    const auto ecrit = EcrireFichierAtomique(c.cheque(), "[Defaut1]\r\nTaille= 12\r\n");
    ASSERT_TRUE(ecrit) << ecrit.raison().toStdString();
    ASSERT_TRUE(EcrireChoixCfg(c.choix(), {2, 3}));

    EXPECT_EQ(QFileInfo(c.cheque()).symLinkTarget(), QFileInfo(vrai).absoluteFilePath());
    EXPECT_EQ(LireOctets(vrai), QByteArray("[Defaut1]\r\nTaille= 12\r\n"));
    struct stat s {};
    ::stat(QFile::encodeName(vrai).constData(), &s);
    EXPECT_EQ(s.st_mode & 07777, mode_t(0640));
    EXPECT_TRUE(QFileInfo(c.choix()).isSymLink());
    EXPECT_EQ(LireOctets(ailleurs() + QStringLiteral("/choix-vrai.cfg")), QByteArray("2,3\r\n"));
    // No scratch copy left on either side.
    EXPECT_EQ(Contenu(application()), QStringList({"Cheque.ini", "Choix.cfg"}));
    EXPECT_EQ(Contenu(ailleurs()), QStringList({"choix-vrai.cfg", "vrai.ini"}));
}

TEST_F(Liens, ALinkToNothingIsToldAndLeftAsItIs) {
    const CheminsScribane c{application()};
    const QString absent = ailleurs() + QStringLiteral("/absent.ini");
    lier(absent, c.cheque());
    lier(c.choix(), c.choix()); // a link to itself

    const auto ecrit = EcrireFichierAtomique(c.cheque(), "[Defaut1]\r\n");
    EXPECT_FALSE(ecrit);
    EXPECT_EQ(ecrit.raison(),
              QStringLiteral("L'écriture du fichier %1 a échoué : c'est un lien symbolique vers "
                             "%2, qui n'existe pas.")
                  .arg(QDir::toNativeSeparators(c.cheque()), QDir::toNativeSeparators(absent)));
    const auto boucle = EcrireChoixCfg(c.choix(), {1, 1});
    EXPECT_FALSE(boucle);
    EXPECT_TRUE(boucle.raison().contains(QStringLiteral("tournent en rond")))
        << boucle.raison().toStdString();

    EXPECT_TRUE(QFileInfo(c.cheque()).isSymLink());
    EXPECT_TRUE(QFileInfo(c.choix()).isSymLink());
    EXPECT_EQ(Contenu(ailleurs()), QStringList());
    EXPECT_EQ(Contenu(application()), QStringList({"Cheque.ini", "Choix.cfg"}));
}

// A failure beside the target names it: the folder that is full is its own.
TEST_F(Liens, AFailureBesideTheTargetNamesItAndKeepsIt) {
    PetitTmpfs disque("size=64k");
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    const CheminsScribane c{application()};
    const QString vrai = disque.fichier(QStringLiteral("Cheque.ini"));
    EcrireOctets(vrai, "[Defaut1]\r\n");
    lier(vrai, c.cheque());
    ASSERT_TRUE(disque.remplir(0));

    const auto ecrit = EcrireFichierAtomique(c.cheque(), QByteArray(8192, 'x'));
    EXPECT_FALSE(ecrit);
    EXPECT_EQ(ecrit.raison(),
              QStringLiteral("L'écriture du fichier %1 (lien vers %2) a échoué : "
                             "le disque est plein.")
                  .arg(QDir::toNativeSeparators(c.cheque()), QDir::toNativeSeparators(vrai)));
    EXPECT_EQ(LireOctets(vrai), QByteArray("[Defaut1]\r\n"));
    EXPECT_EQ(Contenu(disque.chemin()), QStringList({"Cheque.ini", "remplissage"}));
}

// A rewrite through a link killed midway leaves its scratch copy beside the
// target: the next start removes it there too, and only it.
TEST_F(Liens, TheNextStartRemovesAScratchCopyLeftBesideTheTarget) {
    const CheminsScribane c{application()};
    EcrireOctets(ailleurs() + QStringLiteral("/vrai.ini"), "[Defaut1]\r\n");
    lier(ailleurs() + QStringLiteral("/vrai.ini"), c.cheque());
    for (const char* nom :
         {"vrai.ini.scribane-Ab3xZ9", "vrai.ini.bak", "autre.ini.scribane-Ab3xZ9"})
        EcrireOctets(ailleurs() + u'/' + QLatin1String(nom), "x");
    const auto verrou = PrendreVerrou(c);
    ASSERT_TRUE(verrou);
    EXPECT_EQ(Contenu(ailleurs()),
              QStringList({"autre.ini.scribane-Ab3xZ9", "vrai.ini", "vrai.ini.bak"}));
}
