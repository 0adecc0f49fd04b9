#include "cheque/Journal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Journal, FileNamesAndEntryLines) {
    EXPECT_EQ(NomJournal(QDate(2024, 3, 5)), QStringLiteral("Journal_2024_03_05.txt"));
    EXPECT_EQ(NomJournal(QDate(2031, 12, 31)), QStringLiteral("Journal_2031_12_31.txt"));
    EXPECT_EQ(LigneJournal(QTime(14, 7, 32), QStringLiteral("1 250,00"),
                           QStringLiteral("DUPONT SA"), QStringLiteral("martin paul")),
              QStringLiteral("14:07:32 - 1 250,00 Euros à l'ordre de DUPONT SA. Emetteur : "
                             "MARTIN PAUL"));
    EXPECT_EQ(LigneJournal(QTime(9, 0, 0), QStringLiteral("5,00"), QStringLiteral("Dupont"), {}),
              QStringLiteral("09:00:00 - 5,00 Euros à l'ordre de Dupont"));
}

TEST(Journal, FirstEntryOfADayStartsTheFileTheNextAreAppended) {
    QTemporaryDir dir;
    const QString dossier = dir.filePath(QStringLiteral("Journaux"));
    const QDateTime soir(QDate(2024, 3, 5), QTime(23, 59, 59));
    ASSERT_TRUE(EcrireJournal(dossier, soir, QStringLiteral("1 250,00"),
                              QStringLiteral("Société Générale"), {}));
    ASSERT_TRUE(EcrireJournal(dossier, soir.addSecs(-60), QStringLiteral("12,00"),
                              QStringLiteral("EDF"), QStringLiteral("élise")));
    EXPECT_EQ(
        Lire(dossier + QStringLiteral("/Journal_2024_03_05.txt")),
        QByteArray("RELEVE des CHEQUES IMPRIMES le 05/03/2024\r\n\r\n\r\n"
                   "23:59:59 - 1 250,00 Euros \xe0 l'ordre de Soci\xe9t\xe9 G\xe9n\xe9rale\r\n"
                   "23:58:59 - 12,00 Euros \xe0 l'ordre de EDF. Emetteur : \xc9LISE\r\n"));
    // Past midnight, a new day, a new file.
    ASSERT_TRUE(EcrireJournal(dossier, soir.addSecs(2), QStringLiteral("3,00"), QStringLiteral("X"),
                              {}));
    EXPECT_EQ(Lire(dossier + QStringLiteral("/Journal_2024_03_06.txt")),
              QByteArray("RELEVE des CHEQUES IMPRIMES le 06/03/2024\r\n\r\n\r\n"
                         "00:00:01 - 3,00 Euros \xe0 l'ordre de X\r\n"));
}

TEST(Journal, AJournalThatCannotBeWrittenIsReported) {
    QTemporaryDir dir;
    const QString dossier = dir.filePath(QStringLiteral("Journaux"));
    QDir().mkpath(dossier + QStringLiteral("/Journal_2024_03_05.txt"));
    const auto ecrit = EcrireJournal(dossier, QDateTime(QDate(2024, 3, 5), QTime(8, 0)),
                                     QStringLiteral("1,00"), QStringLiteral("X"), {});
    ASSERT_FALSE(ecrit);
    EXPECT_TRUE(ecrit.raison().contains(QStringLiteral("Journal_2024_03_05.txt")));
}
