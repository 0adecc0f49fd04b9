#include "Fichiers.h"
#include "settings/DossierApplication.h"
#include "settings/EcritureAtomique.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A Cheque.ini of 3 x 10 000 list entries.
QByteArray Version(char v) {
    QByteArray octets = "[Defaut1]\r\nTaille= 12\r\n";
    const char* listes[][2] = {
        {"[Montants]", "Mt"}, {"[Destinataires]", "Dest"}, {"[Lieu]", "Lieu"}};
    for (const auto& [section, cle] : listes) {
        octets += section;
        octets += "\r\n";
        for (int i = 0; i < 10000; ++i)
            octets += cle + QByteArray::number(i) + "=Entr\xe9" + "e " + QByteArray::number(i) +
                      " version " + v + "\r\n";
    }
    return octets;
}

QStringList CopiesDeTravail(const QString& dossier) {
    return QDir(dossier).entryList({QStringLiteral("Cheque.ini.*")}, QDir::Files | QDir::Hidden);
}

} // namespace

// A child process rewriting Cheque.ini (a, b, a, ...) through the save every
// rewrite of the settings goes through is killed at random moments: the file
// is always one version or the other, whole, and the next start removes the
// scratch copy a kill may leave.
TEST(Coupure, AKilledRewriteLeavesTheOldOrTheNewFileWhole) {
    QTemporaryDir dir;
    const CheminsScribane c{dir.path()};
    const QByteArray a = Version('a');
    const QByteArray b = Version('b');
    ASSERT_TRUE(EcrireFichierAtomique(c.cheque(), a));
    QElapsedTimer chrono;
    chrono.start();
    ASSERT_TRUE(EcrireFichierAtomique(c.cheque(), b));
    // The kills fall over about two rewrites.
    const qint64 deuxEcrituresUs = std::max<qint64>(chrono.nsecsElapsed() / 500, 2000);

    constexpr int kCoupures = 200;
    int versionA = 0, versionB = 0, copiesLaissees = 0;
    for (int i = 0; i < kCoupures; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            for (bool versA = true;; versA = !versA)
                if (!EcrireFichierAtomique(c.cheque(), versA ? a : b))
                    ::_exit(1);
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(deuxEcrituresUs)));
        ::kill(pid, SIGKILL);
        int statut = 0;
        ASSERT_EQ(::waitpid(pid, &statut, 0), pid);
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
}
