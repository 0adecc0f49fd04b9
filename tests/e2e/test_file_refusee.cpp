#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A queue that refuses jobs: CUPS says no, and the cheque is neither reported
// printed nor journaled.
namespace {

const QString kFile = QStringLiteral("ScribaneTest");

int Lancer(const QString& programme, const QStringList& arguments, QByteArray* erreurs = nullptr) {
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    if (erreurs)
        *erreurs = p.readAllStandardError();
    return p.exitCode();
}

// The queue refuses jobs while this lives.
struct FileRefusee {
    FileRefusee() { refuse = Lancer(QStringLiteral("cupsreject"), {kFile}) == 0; }
    ~FileRefusee() { Lancer(QStringLiteral("cupsaccept"), {kFile}); }
    bool refuse = false;
};

} // namespace

TEST(FileRefusee, AJobThePrintSystemRefusesIsToldAndNotJournaled) {
    QTemporaryDir dossier;
    {
        QFile ini(dossier.filePath(QStringLiteral("Cheque.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Defaut1]\r\nImprimante=" + kFile.toLatin1() +
                  "\r\nPolice=Liberation Sans\r\nTaille= 12\r\nOrientation= 1\r\nJournal= 1\r\n");
        QFile choix(dossier.filePath(QStringLiteral("Choix.cfg")));
        ASSERT_TRUE(choix.open(QIODevice::WriteOnly));
        choix.write("1,1\r\n");
    }
    const QStringList imprimer = {QStringLiteral("imprimer"), QStringLiteral("--dossier"),
                                  dossier.path(), QStringLiteral("--montant"),
                                  QStringLiteral("12,50"), QStringLiteral("--destinataire"),
                                  QStringLiteral("Dupont")};
    QByteArray erreurs;
    {
        const FileRefusee refusee;
        ASSERT_TRUE(refusee.refuse);
        EXPECT_EQ(Lancer(QStringLiteral(SCRIBANE_CLI), imprimer, &erreurs), 1);
        EXPECT_TRUE(erreurs.contains("le système d'impression a refusé le travail"))
            << erreurs.constData();
        EXPECT_FALSE(QDir(dossier.filePath(QStringLiteral("Journaux")))
                         .entryList({QStringLiteral("Journal_*.txt")})
                         .size());
    }
    // Accepting again, the same print goes through and is journaled.
    EXPECT_EQ(Lancer(QStringLiteral(SCRIBANE_CLI), imprimer, &erreurs), 0) << erreurs.constData();
    EXPECT_EQ(QDir(dossier.filePath(QStringLiteral("Journaux")))
                  .entryList({QStringLiteral("Journal_*.txt")})
                  .size(),
              1);
}
