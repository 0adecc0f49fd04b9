#include "Fichiers.h"
#include "Montage.h"
#include "cheque/HistoriqueJournal.h"
#include "cheque/Journal.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

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
    ASSERT_TRUE(
        EcrireJournal(dossier, soir.addSecs(2), QStringLiteral("3,00"), QStringLiteral("X"), {}));
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

namespace {

const QDateTime kMardi(QDate(2024, 3, 5), QTime(9, 0));

QString Fichier(const QString& dossier) {
    return dossier + QLatin1Char('/') + NomJournal(kMardi.date());
}

} // namespace

// Before its entry, an append ends a line left without its end (a cut line
// must not take the next cheque with it) and heads an empty day's file.
TEST(Journal, AnAppendEndsACutLineAndHeadsAnEmptyFile) {
    const QByteArray entete = "RELEVE des CHEQUES IMPRIMES le 05/03/2024\r\n\r\n\r\n";
    const QByteArray entree = "09:01:00 - 3,00 Euros \xe0 l'ordre de Dupont\r\n";
    const std::pair<QByteArray, QByteArray> cas[] = {
        {"", entete + entree},
        {entete + "09:00:00 - 12,50 Eur", entete + "09:00:00 - 12,50 Eur\r\n" + entree},
        // Cut between CR and LF: the LF only, no stray CR in the line.
        {entete + "09:00:00 - 1,00 Euros \xe0 l'ordre de EDF\r",
         entete + "09:00:00 - 1,00 Euros \xe0 l'ordre de EDF\r\n" + entree},
        {entete + "note\n", entete + "note\n" + entree},
    };
    for (const auto& [avant, apres] : cas) {
        QTemporaryDir dir;
        EcrireOctets(Fichier(dir.path()), avant);
        ASSERT_TRUE(EcrireJournal(dir.path(), kMardi.addSecs(60), QStringLiteral("3,00"),
                                  QStringLiteral("Dupont"), {}));
        EXPECT_EQ(LireOctets(Fichier(dir.path())).toStdString(), apres.toStdString());
    }
}

// Appends until the disk is full, with 0, 4 and 16 KiB left: the append that
// fails says why and leaves the file as it was; once there is room again the
// next cheque reads back with all the others.
TEST(DisquePlein, AnAppendThatFailsIsTakenBackAndTheNextOneReadsBack) {
    for (const qint64 libre : {0, 4 * 1024, 16 * 1024}) {
        PetitTmpfs disque("size=128k");
        if (!disque.monte())
            GTEST_SKIP() << disque.raison();
        const QString dossier = disque.fichier(QStringLiteral("Journaux"));
        ASSERT_TRUE(QDir().mkpath(dossier));
        // A day begun, its last block nearly full: the next line straddles two blocks.
        QByteArray debut = "RELEVE des CHEQUES IMPRIMES le 05/03/2024\r\n\r\n\r\n";
        int ecrits = 0;
        while (debut.size() < 4096 - 30) {
            debut += "08:00:00 - 1,00 Euros \xe0 l'ordre de X\r\n";
            ++ecrits;
        }
        EcrireOctets(Fichier(dossier), debut);
        ASSERT_TRUE(disque.remplir(libre));

        QString raison;
        for (int i = 0; i < 2000 && raison.isEmpty(); ++i) {
            const QByteArray avant = LireOctets(Fichier(dossier));
            const auto ecrit = EcrireJournal(dossier, kMardi, QStringLiteral("12,50"),
                                             QStringLiteral("Destinataire %1").arg(i), {});
            if (ecrit) {
                ++ecrits;
                continue;
            }
            raison = ecrit.raison();
            EXPECT_TRUE(LireOctets(Fichier(dossier)) == avant) << libre << " : not taken back";
        }
        EXPECT_TRUE(raison.contains(QStringLiteral("Journal_2024_03_05.txt")) &&
                    raison.contains(QStringLiteral("le disque est plein")))
            << libre << " : " << raison.toStdString();

        ASSERT_TRUE(QFile::remove(disque.fichier(QStringLiteral("remplissage"))));
        ASSERT_TRUE(EcrireJournal(dossier, kMardi.addSecs(1), QStringLiteral("7,00"),
                                  QStringLiteral("Le suivant"), {}));
        std::printf("%lld bytes free: %d entries, then \"%s\"\n", libre, ecrits,
                    raison.toUtf8().constData());
        const LectureJournaux l = LireJournaux(dossier);
        EXPECT_EQ(l.lignesIgnorees, 0) << libre;
        ASSERT_EQ(l.cheques.size(), ecrits + 1) << libre;
        EXPECT_EQ(l.cheques.last().destinataire, QStringLiteral("Le suivant"));
    }
}

#ifdef Q_OS_UNIX
// Two programs printing at once (the window and the command line): one
// header, every line whole.
TEST(Journal, TwoWritersAtOnceKeepEveryLineWhole) {
    QTemporaryDir dir;
    constexpr int kLignes = 100;
    pid_t enfants[2];
    for (int e = 0; e < 2; ++e) {
        enfants[e] = ::fork();
        ASSERT_GE(enfants[e], 0);
        if (enfants[e] == 0) {
            for (int i = 0; i < kLignes; ++i)
                if (!EcrireJournal(dir.path(), kMardi, QStringLiteral("1,00"),
                                   QStringLiteral("Ecrivain %1 ligne %2").arg(e).arg(i), {}))
                    ::_exit(1);
            ::_exit(0);
        }
    }
    for (const pid_t enfant : enfants) {
        int statut = 0;
        ASSERT_EQ(::waitpid(enfant, &statut, 0), enfant);
        EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
    }
    const LectureJournaux l = LireJournaux(dir.path());
    EXPECT_EQ(l.lignesIgnorees, 0);
    EXPECT_EQ(l.cheques.size(), 2 * kLignes);
    EXPECT_EQ(LireOctets(Fichier(dir.path())).count("RELEVE"), 1);
}

// A print killed in the middle of a run of appends: every line whole, and the
// next print reads back after them.
TEST(Coupure, AKilledRunOfAppendsLeavesWholeLines) {
    QTemporaryDir dir;
    for (int coupure = 0; coupure < 40; ++coupure) {
        const pid_t enfant = ::fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0)
            for (int i = 0;; ++i)
                EcrireJournal(dir.path(), kMardi, QStringLiteral("2,00"),
                              QStringLiteral("Coupure %1 ligne %2").arg(coupure).arg(i), {});
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(20000)));
        ::kill(enfant, SIGKILL);
        int statut = 0;
        ASSERT_EQ(::waitpid(enfant, &statut, 0), enfant);
        ASSERT_TRUE(EcrireJournal(dir.path(), kMardi, QStringLiteral("9,99"),
                                  QStringLiteral("Après %1").arg(coupure), {}));
        const LectureJournaux l = LireJournaux(dir.path());
        ASSERT_EQ(l.lignesIgnorees, 0) << "kill " << coupure;
        ASSERT_EQ(l.cheques.last().destinataire, QStringLiteral("Après %1").arg(coupure));
    }
}
#endif // Q_OS_UNIX
