#include "Fichiers.h"
#include "Montage.h"
#include "settings/DossierApplication.h"
#include "settings/Enregistrement.h"
#include "settings/EtatChoix.h"
#include "settings/FichierIni.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Processes forked and killed, file modes and flock: the Unix cases. Windows'
// own are in test_fichiers_portables.cpp, which runs on both.
#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace {

// A Cheque.ini of some 12 KiB: a choice and a list of payees.
QByteArray ChequeDeDouzeKio() {
    QByteArray octets = "[Defaut1]\r\nPolice=Arial\r\nTaille= 12\r\n[Destinataires]\r\n";
    for (int i = 0; octets.size() < 12 * 1024; ++i)
        octets += "Dest" + QByteArray::number(i) + "=Destinataire num\xe9ro " +
                  QByteArray::number(i) + "\r\n";
    return octets;
}

ListesMemorisees ListesDe(int n, const QString& marque) {
    ListesMemorisees l;
    for (int i = 0; i < n; ++i) {
        l.montants << QStringLiteral("%1,00").arg(i);
        l.destinataires << QStringLiteral("Destinataire %1 %2").arg(i).arg(marque);
        l.lieux << QStringLiteral("Lieu %1 %2").arg(i).arg(marque);
    }
    return l;
}

QStringList AutresFichiers(const QString& dossier, const QStringList& attendus) {
    QStringList autres = QDir(dossier).entryList(QDir::Files | QDir::Hidden);
    for (const QString& nom : attendus)
        autres.removeAll(nom);
    return autres;
}

#ifdef Q_OS_UNIX
mode_t Mode(const QString& chemin) {
    struct stat s {};
    ::stat(QFile::encodeName(chemin).constData(), &s);
    return s.st_mode & 07777;
}
#endif

} // namespace

// On a full disk the rewrite fails, says so, and the old files stay whole.
TEST(DisquePlein, EveryAtomicSaveFailsAndLeavesTheOldFileWhole) {
    PetitTmpfs disque;
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    const CheminsScribane c{disque.chemin()};
    const QByteArray avant = ChequeDeDouzeKio();
    EcrireOctets(c.cheque(), avant);
    EcrireOctets(c.choix(), "1,1\r\n");
    ASSERT_EQ(LireOctets(c.cheque()), avant);
    ASSERT_TRUE(disque.remplir(4096));

    const auto ecrit = EnregistrerCheque(c, QStringLiteral("Defaut1"), nullptr, ListesDe(150, "x"));
    const QString& erreur = ecrit.raison();
    EXPECT_FALSE(ecrit);
    EXPECT_TRUE(erreur.contains(QStringLiteral("Cheque.ini")) &&
                erreur.contains(QStringLiteral("le disque est plein")))
        << erreur.toStdString();
    EXPECT_EQ(LireOctets(c.cheque()), avant);

    // Choix.cfg is small enough for the space left: fill that too.
    ASSERT_TRUE(disque.remplir(0));
    EXPECT_FALSE(EcrireChoixCfg(c.choix(), {2, 3}));
    EXPECT_EQ(LireOctets(c.choix()), QByteArray("1,1\r\n"));
    EXPECT_EQ(AutresFichiers(c.dossier, {"Cheque.ini", "Choix.cfg", "remplissage"}), QStringList());
}

// A file-size limit (RLIMIT_FSIZE) below the new file's size: the same.
#ifdef Q_OS_UNIX
TEST(DisquePlein, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("Cheque.ini"));
    EcrireOctets(chemin, "[Defaut1]\r\nTaille= 9\r\n");
    const QByteArray nouveau = ChequeDeDouzeKio();

    const pid_t enfant = ::fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG
        const rlimit limite{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limite);
        const auto ecrit = EcrireFichierAtomique(chemin, nouveau);
        ::_exit(!ecrit && ecrit.raison().contains(QStringLiteral("taille permise")) ? 0 : 1);
    }
    int statut = 0;
    ASSERT_EQ(::waitpid(enfant, &statut, 0), enfant);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0)
        << "the save did not fail, or not with the French reason";
    EXPECT_EQ(LireOctets(chemin), QByteArray("[Defaut1]\r\nTaille= 9\r\n"));
    EXPECT_EQ(AutresFichiers(dir.path(), {"Cheque.ini"}), QStringList());
}

// A read-only Cheque.ini is rewritten and stays read-only, for root as for a user.
TEST(Permissions, ARewriteKeepsTheFilesModeAndFailuresSayWhyInFrench) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    EcrireOctets(c.cheque(), "[Defaut1]\r\nTaille= 9\r\n");
    ASSERT_TRUE(
        QFile::setPermissions(c.cheque(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_EQ(Mode(c.cheque()), mode_t(0444));
    const auto ecrit = EnregistrerCheque(c, {}, nullptr, ListesDe(2, "y"));
    ASSERT_TRUE(ecrit) << ecrit.raison().toStdString();
    EXPECT_EQ(Mode(c.cheque()), mode_t(0444));
    EXPECT_TRUE(LireOctets(c.cheque()).contains("Lieu1=Lieu 1 y"));

    ::chmod(QFile::encodeName(c.cheque()).constData(), 0640);
    ASSERT_TRUE(EcrireIni(QStringLiteral("Defaut1"), QStringLiteral("Taille"), QStringLiteral("10"),
                          c.cheque()));
    EXPECT_EQ(Mode(c.cheque()), mode_t(0640));

    // Qt has no French text for this one: the reason comes from the system's number.
    EcrireOctets(dir.filePath(QStringLiteral("fichier")), "x");
    const auto refus =
        EcrireFichierAtomique(dir.filePath(QStringLiteral("fichier/Cheque.ini")), "x");
    EXPECT_FALSE(refus);
    EXPECT_EQ(refus.raison(),
              QStringLiteral("L'écriture du fichier %1 a échoué : un élément du chemin "
                             "n'est pas un dossier.")
                  .arg(QDir::toNativeSeparators(dir.filePath("fichier/Cheque.ini"))));
}

#endif // Q_OS_UNIX

// A text editor may save Cheque.ini in UTF-8 with a byte-order mark.
TEST(DocumentIni, AByteOrderMarkHidesNoSectionAndTheFileIsWrittenBackInTheCodePage) {
    const DocumentIni doc =
        DocumentIni::DepuisOctets("\xEF\xBB\xBF[Defaut1]\r\nPolice=Courier\r\nDevise=\xC3\xA9"
                                  "cu\r\n");
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Police"), QStringLiteral("Courier"));
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Devise"), QStringLiteral("écu"));
    EXPECT_EQ(doc.versOctets(), QByteArray("[Defaut1]\r\nPolice=Courier\r\nDevise=\xE9"
                                           "cu\r\n"));
    // A mark read and written back as text would come back a mark: never kept.
    const QByteArray doublee = "\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\n";
    EXPECT_EQ(DocumentIni::DepuisOctets(doublee).versOctets(), QByteArray("[A]\r\n"));
    EXPECT_EQ(DocumentIni::DepuisOctets("\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF[A]\r\n").versOctets(),
              QByteArray("[A]\r\n"));
    // Bytes that are not UTF-8 after the mark are read in the code page.
    EXPECT_EQ(DocumentIni::DepuisOctets("\xEF\xBB\xBF[A]\r\nB=\xE9t\xE9\r\n").valeur(u"A", u"B"),
              QStringLiteral("été"));
}

TEST(Verrou, AnEmptyOrUnreadableLockIsStaleAndALeftoverRmlockDoesNotBlock) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    // A kill between creating the lock and writing its owner leaves it empty.
    EcrireOctets(c.verrou(), "");
    ASSERT_TRUE(QFileInfo::exists(c.verrou()));
    EXPECT_TRUE(PrendreVerrou(c));
    EcrireOctets(c.verrou(), "pas un verrou\n");
    EXPECT_TRUE(PrendreVerrou(c));

    // A dead owner, and the ".rmlock" of a take-over that was itself killed.
    EcrireOctets(c.verrou(),
                 "2147483646\ntest_settings\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EcrireOctets(c.verrou() + QStringLiteral(".rmlock"), "");
    EXPECT_TRUE(PrendreVerrou(c));
    EXPECT_FALSE(QFileInfo::exists(c.verrou() + QStringLiteral(".rmlock")));

    // A living owner keeps it, even though its lock looks the same from outside.
    const auto premier = PrendreVerrou(c);
    ASSERT_TRUE(premier);
    RefusVerrou refus;
    EXPECT_FALSE(PrendreVerrou(c, &refus));
    EXPECT_TRUE(refus.dejaOuvert);
    EXPECT_EQ(refus.message, QStringLiteral("Scribane est déjà ouvert."));
}

#ifdef Q_OS_UNIX
TEST(Verrou, AnotherProcessHoldsItUntilItDiesAndNeverLosesItToAnEmptyFile) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    const pid_t enfant = ::fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
        const auto verrou = PrendreVerrou(c);
        // What a rival sees in the moment between creating the file and
        // writing itself in: an empty file, held all the same.
        if (verrou)
            (void)!::truncate(QFile::encodeName(c.verrou()).constData(), 0);
        const char pris = verrou ? 'o' : 'n';
        (void)!::write(tube[1], &pris, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(tube[1]);
    char pris = 0;
    ASSERT_EQ(::read(tube[0], &pris, 1), 1);
    ::close(tube[0]);
    ASSERT_EQ(pris, 'o');

    RefusVerrou refus;
    EXPECT_FALSE(PrendreVerrou(c, &refus));
    EXPECT_TRUE(refus.dejaOuvert);
    EXPECT_EQ(refus.message, QStringLiteral("Scribane est déjà ouvert."));
    EXPECT_TRUE(QFileInfo::exists(c.verrou())) << "the refused start removed the holder's lock";

    ::kill(enfant, SIGKILL);
    int statut = 0;
    ASSERT_EQ(::waitpid(enfant, &statut, 0), enfant);
    {
        const auto repris = PrendreVerrou(c);
        EXPECT_TRUE(repris);
    }
    // Let go, the lock leaves no file behind.
    EXPECT_FALSE(QFileInfo::exists(c.verrou()));
}

TEST(Verrou, ARivalThatHasCreatedTheFileButNotLockedItYetIsNeverLetInToo) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    const QByteArray nom = QFile::encodeName(c.verrou());
    // A rival's first step: the file created, still empty, not locked yet.
    const int rival = ::open(nom.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ASSERT_GE(rival, 0);
    const auto verrou = PrendreVerrou(c);
    ASSERT_TRUE(verrou);
    // Its second step must fail: what it opened is the file now locked, not
    // one removed from under it while a new one took its name.
    EXPECT_NE(::flock(rival, LOCK_EX | LOCK_NB), 0);
    struct stat ouvert, actuel;
    ASSERT_EQ(::fstat(rival, &ouvert), 0);
    ASSERT_EQ(::stat(nom.constData(), &actuel), 0);
    EXPECT_EQ(ouvert.st_ino, actuel.st_ino);
    ::close(rival);
}

#endif // Q_OS_UNIX

TEST(Verrou, AFolderThatRefusesTheLockIsNamedWithItsReason) {
    PetitTmpfs lectureSeule("ro,size=64k");
    if (!lectureSeule.monte())
        GTEST_SKIP() << lectureSeule.raison();
    RefusVerrou refus;
    EXPECT_FALSE(PrendreVerrou(CheminsScribane{lectureSeule.chemin()}, &refus));
    EXPECT_FALSE(refus.dejaOuvert);
    EXPECT_EQ(refus.message,
              QStringLiteral("Le dossier %1 n'est pas accessible en écriture : le support est en "
                             "lecture seule.")
                  .arg(QDir::toNativeSeparators(lectureSeule.chemin())));

    PetitTmpfs plein;
    ASSERT_TRUE(plein.monte());
    ASSERT_TRUE(plein.remplir(0));
    const CheminsScribane c{plein.chemin()};
    EXPECT_FALSE(PrendreVerrou(c, &refus));
    EXPECT_FALSE(refus.dejaOuvert);
    EXPECT_EQ(refus.message, QStringLiteral("Le disque est plein : %1 ne peut pas être créé.")
                                 .arg(QDir::toNativeSeparators(c.verrou())));
    EXPECT_FALSE(QFileInfo::exists(c.verrou()));
}

TEST(Verrou, ScratchCopiesLeftByAKilledSaveAreRemovedOnceTheLockIsHeld) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    const QStringList nos = {"Cheque.ini.scribane-Ab3xZ9", "Choix.cfg.scribane-000000"};
    // A user's own copies are never taken for ours, whatever their suffix.
    const QStringList autres = {"Cheque.ini",
                                "Cheque.ini.bak",
                                "Cheque.ini.ancien",
                                "Choix.cfg.sauve1",
                                "Cheque.ini.scribane-Ab3xZ",
                                "Cheque.ini.scribane-Ab3-Z9",
                                "Autre.ini.scribane-Ab3xZ9"};
    for (const QString& nom : nos + autres)
        EcrireOctets(dir.filePath(nom), "[Defaut1]\r\n");
    const auto verrou = PrendreVerrou(c);
    ASSERT_TRUE(verrou);
    QStringList restants = QDir(dir.path()).entryList(QDir::Files);
    restants.removeAll(QStringLiteral("Scribane.lock"));
    QStringList attendus = autres;
    attendus.sort();
    EXPECT_EQ(restants, attendus);
}
