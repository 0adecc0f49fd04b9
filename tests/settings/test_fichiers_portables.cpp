// The file system as both platforms show it: each case here runs on Linux and,
// under Wine, on Windows, where the rewrite and the lock use Windows' own calls.
#include "Fichiers.h"
#include "settings/DossierApplication.h"
#include "settings/EcritureAtomique.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Contenu(const QString& dossier) {
    return QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

TEST(Fichiers, ARewriteReplacesTheFileKeepsItReadOnlyAndLeavesNothingBeside) {
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("Cheque.ini"));
    ASSERT_TRUE(EcrireFichierAtomique(chemin, "[Defaut1]\r\nTaille=9\r\n"));
    EXPECT_EQ(LireOctets(chemin), QByteArray("[Defaut1]\r\nTaille=9\r\n"));

    ASSERT_TRUE(QFile::setPermissions(chemin, QFile::ReadOwner | QFile::ReadUser));
    // Asked of the file's own rights: root may write anything.
    ASSERT_FALSE(QFile::permissions(chemin) & QFile::WriteOwner);
    const auto ecrit = EcrireFichierAtomique(chemin, "[Defaut1]\r\nTaille=10\r\n");
    ASSERT_TRUE(ecrit) << ecrit.raison().toStdString();
    EXPECT_EQ(LireOctets(chemin), QByteArray("[Defaut1]\r\nTaille=10\r\n"));
    EXPECT_FALSE(QFile::permissions(chemin) & QFile::WriteOwner)
        << "the rewrite made the file writable";
    EXPECT_EQ(Contenu(dir.path()), QStringList{QStringLiteral("Cheque.ini")});
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
}

TEST(Fichiers, AFailedRewriteSaysWhyInFrenchAndLeavesNoCopy) {
    QTemporaryDir dir;
    const QString absent = dir.filePath(QStringLiteral("absent/Cheque.ini"));
    const auto refus = EcrireFichierAtomique(absent, "x");
    ASSERT_FALSE(refus);
    EXPECT_EQ(refus.raison(),
              QStringLiteral("L'écriture du fichier %1 a échoué : le dossier n'existe pas.")
                  .arg(QDir::toNativeSeparators(absent)));
    EXPECT_TRUE(Contenu(dir.path()).isEmpty());
}

// Another program reading the file while it is rewritten: Unix replaces it under
// the reader; Windows refuses to replace a file open without delete sharing, and
// that must be told, the old file whole.
TEST(Fichiers, ARewriteOfAFileOpenElsewhereIsDoneOrToldNeverHalfDone) {
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("Cheque.ini"));
    EcrireOctets(chemin, "ancien");
    QFile lecteur(chemin);
    ASSERT_TRUE(lecteur.open(QIODevice::ReadOnly));
    const auto ecrit = EcrireFichierAtomique(chemin, "nouveau");
#ifdef Q_OS_WIN
    ASSERT_FALSE(ecrit);
    EXPECT_TRUE(ecrit.raison().endsWith(QStringLiteral(" : accès refusé.")) ||
                ecrit.raison().endsWith(QStringLiteral(" : le fichier est occupé.")))
        << ecrit.raison().toStdString();
    lecteur.close();
    EXPECT_EQ(LireOctets(chemin), QByteArray("ancien"));
#else
    ASSERT_TRUE(ecrit);
    EXPECT_EQ(lecteur.readAll(), QByteArray("ancien"));
    lecteur.close();
    EXPECT_EQ(LireOctets(chemin), QByteArray("nouveau"));
#endif
    EXPECT_EQ(Contenu(dir.path()), QStringList{QStringLiteral("Cheque.ini")});
}

TEST(Fichiers, TheLockKeepsASecondInstanceOutUntilItIsLetGo) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    {
        const auto premier = PrendreVerrou(c);
        ASSERT_TRUE(premier);
        RefusVerrou refus;
        EXPECT_FALSE(PrendreVerrou(c, &refus));
        EXPECT_TRUE(refus.dejaOuvert);
        EXPECT_EQ(refus.message, QStringLiteral("Scribane est déjà ouvert."));
        // Who holds it can be read while it is held.
        EXPECT_FALSE(LireOctets(c.verrou()).isEmpty());
    }
    EXPECT_TRUE(PrendreVerrou(c));
    const auto refus = PrendreVerrou(CheminsScribane{dir.filePath(QStringLiteral("absent"))});
    EXPECT_FALSE(refus);
}
