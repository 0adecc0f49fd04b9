#include "windows/DossierDocuments.h"
#include "windows/PlateformeQt.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Polices, EachFamilyIsOfferedOnceWhateverItsFoundries) {
    const QStringList qt{QStringLiteral("C059 [UKWN]"),        QStringLiteral("C059 [urw]"),
                         QStringLiteral("D050000L [URW ]"),    QStringLiteral("D050000L [urw]"),
                         QStringLiteral("DejaVu Sans"),        QStringLiteral("Liberation Sans"),
                         QStringLiteral("Liberation Sans [x]")};
    EXPECT_EQ(FamillesUniques(qt),
              (QStringList{QStringLiteral("C059"), QStringLiteral("D050000L"),
                           QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}));
    // Brackets inside a name are part of it.
    EXPECT_EQ(FamillesUniques({QStringLiteral("Font [A] Pro")}),
              QStringList{QStringLiteral("Font [A] Pro")});
}

// The Documents folder of a home given by $HOME: a Unix case (Windows names its own).
#ifndef Q_OS_WIN
TEST(DossierDocuments, TheDocumentsFolderElseTheHomeNeverTheWorkingFolder) {
    QTemporaryDir maison;
    const QByteArray ancien = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(maison.path()));
    qunsetenv("XDG_CONFIG_HOME"); // no user-dirs.dirs of the machine's own user
    EXPECT_EQ(DossierDocuments(), maison.path());
    ASSERT_TRUE(QDir(maison.path()).mkdir(QStringLiteral("Documents")));
    EXPECT_EQ(DossierDocuments(), maison.filePath(QStringLiteral("Documents")));
    qputenv("HOME", ancien);
}
#endif

// Qt takes the patterns between the last parentheses, parted with blanks:
// "*.csv;*.txt" would show no file at all, and a label that names its
// patterns would show them twice.
TEST(FiltreQt, PatternsPartedWithBlanksAndNamedOnce) {
    EXPECT_EQ(FiltreQt(QStringLiteral("Relevés bancaires|*.csv;*.txt|Tous fichiers|*|")),
              QStringLiteral("Relevés bancaires (*.csv *.txt);;Tous fichiers (*)"));
    EXPECT_EQ(FiltreQt(QStringLiteral("PDF (*.pdf)|*.pdf|")), QStringLiteral("PDF (*.pdf)"));
}
