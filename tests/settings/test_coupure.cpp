#include "DossierApplication.h"
#include "Fichiers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Starts the writer and waits until its rewrites begin (its start is not
// what is tested).
pid_t Lancer(const QString& dossier, const char* mode) {
    const QByteArray d = QFile::encodeName(dossier);
    char* args[] = {const_cast<char*>(ECRIVAIN_CHEQUE), const_cast<char*>(d.constData()),
                    const_cast<char*>(mode), nullptr};
    int tube[2];
    if (::pipe(tube) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    pid_t pid = -1;
    if (::posix_spawn(&pid, ECRIVAIN_CHEQUE, &actions, nullptr, args, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(tube[1]);
    char pret = 0;
    if (pid > 0 && ::read(tube[0], &pret, 1) != 1)
        pid = -1 * pid; // exited before its rewrites began
    ::close(tube[0]);
    return pid;
}

bool Attendre(pid_t pid, int* statut) {
    return ::waitpid(pid, statut, 0) == pid;
}

bool EcrireVersion(const QString& dossier, const char* version) {
    int statut = 0;
    const pid_t pid = Lancer(dossier, version);
    return pid > 0 && Attendre(pid, &statut) && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
}

QStringList CopiesDeTravail(const QString& dossier) {
    return QDir(dossier).entryList({QStringLiteral("Cheque.ini.*")}, QDir::Files | QDir::Hidden);
}

} // namespace

// A process rewriting Cheque.ini is killed at random moments, mostly in the
// middle of a rewrite: the file is always one version or the other, whole, and
// the next start removes the scratch copy a kill may leave.
TEST(Coupure, AKilledRewriteLeavesTheOldOrTheNewFileWhole) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    ASSERT_TRUE(EcrireVersion(dir.path(), "a"));
    const QByteArray a = LireOctets(c.cheque());
    QElapsedTimer chrono;
    chrono.start();
    ASSERT_TRUE(EcrireVersion(dir.path(), "b"));
    const QByteArray b = LireOctets(c.cheque());
    // A start and one rewrite: the kills fall over at least one rewrite.
    const qint64 uneEcritureUs = std::max<qint64>(chrono.nsecsElapsed() / 1000, 1000);
    ASSERT_GT(a.size(), 700000);
    ASSERT_NE(a, b);

    constexpr int kCoupures = 200;
    int versionA = 0, versionB = 0, copiesLaissees = 0;
    for (int i = 0; i < kCoupures; ++i) {
        const pid_t pid = Lancer(dir.path(), "boucle");
        ASSERT_GT(pid, 0);
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(uneEcritureUs)));
        ::kill(pid, SIGKILL);
        int statut = 0;
        ASSERT_TRUE(Attendre(pid, &statut));
        ASSERT_TRUE(WIFSIGNALED(statut)) << "the writer stopped on its own: " << statut;

        const QByteArray lu = LireOctets(c.cheque());
        ASSERT_TRUE(lu == a || lu == b) << "kill " << i << ": " << lu.size() << " bytes";
        (lu == a ? versionA : versionB)++;
        if (!CopiesDeTravail(dir.path()).isEmpty())
            ++copiesLaissees;
        // What the next start does: the lock taken, leftovers removed.
        ASSERT_TRUE(PrendreVerrou(c));
        ASSERT_EQ(CopiesDeTravail(dir.path()), QStringList());
    }
    std::printf("%d kills: version a %d times, version b %d times, a scratch copy left %d times "
                "(removed by the next start)\n",
                kCoupures, versionA, versionB, copiesLaissees);
    RecordProperty("copies_laissees", copiesLaissees);
}
