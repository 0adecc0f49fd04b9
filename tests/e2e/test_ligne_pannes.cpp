#include "Montage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

// scribane-cli printing into PDF files when the disk, a kill or a rival gets
// in the way: nothing is reported printed, journaled or kept that is not so.
namespace {

bool Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Choice 1 saved, the journal on, and `listes` as the remembered payees.
void Preparer(const QTemporaryDir& dossier, const QByteArray& listes = {}) {
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("Cheque.ini")),
                       "[Defaut1]\r\nPolice=Liberation Sans\r\nTaille= 12\r\nOrientation= 1\r\n"
                       "Journal= 1\r\n" +
                           listes));
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("Choix.cfg")), "1,1\r\n"));
}

struct Sortie {
    int code = -1;
    QByteArray sortie, erreurs;
};

Sortie Lancer(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI), arguments);
    Sortie s;
    if (cli.waitForFinished(120000) && cli.exitStatus() == QProcess::NormalExit)
        s.code = cli.exitCode();
    s.sortie = cli.readAllStandardOutput();
    s.erreurs = cli.readAllStandardError();
    return s;
}

QStringList Imprimer(const QTemporaryDir& dossier, const QString& pdf, const QString& payee) {
    return {QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
            QStringLiteral("--montant"), QStringLiteral("12,50"), QStringLiteral("--destinataire"),
            payee, QStringLiteral("--pdf"), pdf};
}

QStringList ImprimerLot(const QTemporaryDir& dossier, const QString& lot, const QString& pdf) {
    return {QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
            QStringLiteral("--lot"), lot, QStringLiteral("--pdf"), pdf};
}

QString EcrireLot(const QTemporaryDir& dossier, int cheques) {
    QByteArray lignes;
    for (int i = 1; i <= cheques; ++i)
        lignes += QByteArray::number(i) + ",50;Fournisseur " + QByteArray::number(i) +
                  ";Paris;05/03/2024\r\n";
    const QString lot = dossier.filePath(QStringLiteral("lot.csv"));
    return Ecrire(lot, lignes) ? lot : QString();
}

int LignesDuJournal(const QTemporaryDir& dossier) {
    int lignes = 0;
    const QDir journaux(dossier.filePath(QStringLiteral("Journaux")));
    for (const QString& nom : journaux.entryList({QStringLiteral("Journal_*.txt")}))
        lignes += int(Lire(journaux.filePath(nom)).count(" Euros "));
    return lignes;
}

bool PdfEntier(const QByteArray& octets) {
    return octets.startsWith("%PDF-") && octets.trimmed().endsWith("%%EOF");
}

} // namespace

TEST(PdfLigne, AFullDiskIsToldAndLeavesNeitherFileNorJournalLine) {
    PetitTmpfs disque("size=256k");
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    QTemporaryDir dossier;
    Preparer(dossier);
    const QString lot = EcrireLot(dossier, 20);
    const QString pdf = disque.fichier(QStringLiteral("cheque.pdf"));
    for (const qint64 libre : {0, 4 * 1024, 16 * 1024}) {
        ASSERT_TRUE(disque.remplir(libre));
        for (const QStringList& arguments :
             {Imprimer(dossier, pdf, QStringLiteral("Dupont")), ImprimerLot(dossier, lot, pdf)}) {
            if (libre == 16 * 1024 && arguments.contains(QStringLiteral("Dupont")))
                continue; // one cheque fits in 16 KiB
            const Sortie s = Lancer(arguments);
            EXPECT_EQ(s.code, 1) << libre << " " << s.sortie.constData();
            EXPECT_TRUE(s.erreurs.contains("le disque est plein")) << s.erreurs.constData();
            EXPECT_FALSE(s.sortie.contains("imprim")) << s.sortie.constData();
            QStringList restes = QDir(disque.chemin()).entryList(QDir::Files | QDir::Hidden);
            restes.removeAll(QStringLiteral("remplissage"));
            EXPECT_EQ(restes, QStringList()) << libre;
            EXPECT_EQ(LignesDuJournal(dossier), 0) << libre;
        }
    }
    // Neither the cheque nor the batch that did not come out is remembered.
    EXPECT_FALSE(Lire(dossier.filePath(QStringLiteral("Cheque.ini"))).contains("Fournisseur"));
    EXPECT_FALSE(Lire(dossier.filePath(QStringLiteral("Cheque.ini"))).contains("Dupont"));

    // With room, the same batch is whole where it was asked, and said in the singular for one.
    ASSERT_TRUE(disque.remplir(200 * 1024));
    const Sortie lot20 = Lancer(ImprimerLot(dossier, lot, pdf));
    EXPECT_EQ(lot20.code, 0) << lot20.erreurs.constData();
    // Not a terminal: the outcome alone, no progress run together.
    EXPECT_FALSE(lot20.erreurs.contains("sur 20")) << lot20.erreurs.constData();
    EXPECT_TRUE(PdfEntier(Lire(pdf)));
    EXPECT_EQ(LignesDuJournal(dossier), 20);
    ASSERT_TRUE(Ecrire(lot, "1,00;Seul;Paris\r\n"));
    EXPECT_EQ(Lancer(ImprimerLot(dossier, lot, pdf)).sortie,
              QByteArray("1 chèque imprimé sur « cheque.pdf ».\n"));
}

TEST(PdfLigne, AFileSizeLimitIsToldAsWell) {
    // Where no file system can be mounted, the limit on a file's size cuts the
    // document the same way.
    QTemporaryDir dossier;
    Preparer(dossier);
    const QString pdf = dossier.filePath(QStringLiteral("cheque.pdf"));
    QProcess cli;
    const QStringList bash = {QStringLiteral("-c"),
                              QStringLiteral("ulimit -f 4 && exec \"$0\" \"$@\""),
                              QStringLiteral(SCRIBANE_CLI)};
    cli.start(QStringLiteral("bash"), bash + ImprimerLot(dossier, EcrireLot(dossier, 20), pdf));
    ASSERT_TRUE(cli.waitForFinished(120000));
    const QByteArray erreurs = cli.readAllStandardError();
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1) << erreurs.constData();
    EXPECT_TRUE(erreurs.contains("le fichier dépasse la taille permise")) << erreurs.constData();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(LignesDuJournal(dossier), 0);
}

TEST(PdfLigne, AKilledBatchNeverLeavesACutFileUnderTheUsersName) {
    QTemporaryDir dossier;
    Preparer(dossier);
    const QString lot = EcrireLot(dossier, 1500);
    const QString pdf = dossier.filePath(QStringLiteral("lot.pdf"));
    const QByteArray ancien = "le document d'avant\n";
    int entiers = 0;
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(Ecrire(pdf, ancien));
        QProcess cli;
        cli.start(QStringLiteral(SCRIBANE_CLI), ImprimerLot(dossier, lot, pdf));
        ASSERT_TRUE(cli.waitForStarted());
        // Anywhere from the start to past the end of the drawing.
        cli.waitForFinished(QRandomGenerator::global()->bounded(20, 600));
        cli.kill();
        cli.waitForFinished();
        const QByteArray lu = Lire(pdf);
        ASSERT_TRUE(lu == ancien || PdfEntier(lu)) << "kill " << i << ": " << lu.size() << " bytes";
        entiers += lu != ancien;
    }
    std::printf("12 kills: the new document whole %d times, the old one untouched otherwise\n",
                entiers);
}

TEST(PdfLigne, AMissingFolderIsRefusedBeforeAnythingIsKept) {
    QTemporaryDir dossier;
    Preparer(dossier);
    const QByteArray avant = Lire(dossier.filePath(QStringLiteral("Cheque.ini")));
    const Sortie s =
        Lancer(Imprimer(dossier, dossier.filePath(QStringLiteral("absent/cheque.pdf")),
                        QStringLiteral("Dupont")));
    EXPECT_EQ(s.code, 1);
    EXPECT_TRUE(s.erreurs.contains("n'existe pas")) << s.erreurs.constData();
    EXPECT_FALSE(s.erreurs.contains("QPainter")) << s.erreurs.constData();
    EXPECT_EQ(Lire(dossier.filePath(QStringLiteral("Cheque.ini"))), avant);
    EXPECT_EQ(LignesDuJournal(dossier), 0);
}

TEST(VerrouLigne, PrintsStartedTogetherNeverLoseAListEntry) {
    // Long lists make each save take long enough for the two to overlap.
    QByteArray listes = "[Destinataires]\r\n";
    for (int i = 0; i < 10000; ++i)
        listes += "Dest" + QByteArray::number(i) + "=Ancien " + QByteArray::number(i) + "\r\n";
    QTemporaryDir dossier;
    Preparer(dossier, listes);
    int imprimes = 0, refuses = 0;
    QStringList attendus;
    for (int paire = 0; paire < 100; ++paire) {
        QProcess a, b;
        const QString nomA = QStringLiteral("Paire %1 A").arg(paire);
        const QString nomB = QStringLiteral("Paire %1 B").arg(paire);
        a.start(QStringLiteral(SCRIBANE_CLI),
                Imprimer(dossier, dossier.filePath(QStringLiteral("a.pdf")), nomA));
        b.start(QStringLiteral(SCRIBANE_CLI),
                Imprimer(dossier, dossier.filePath(QStringLiteral("b.pdf")), nomB));
        for (auto [cli, nom] : {std::pair{&a, nomA}, std::pair{&b, nomB}}) {
            ASSERT_TRUE(cli->waitForFinished(120000));
            const QByteArray erreurs = cli->readAllStandardError();
            if (cli->exitCode() == 0) {
                ++imprimes;
                attendus << nom;
            } else {
                ASSERT_TRUE(erreurs.contains("Scribane est déjà ouvert.")) << erreurs.constData();
                ++refuses;
            }
        }
    }
    const QByteArray ini = Lire(dossier.filePath(QStringLiteral("Cheque.ini")));
    int perdus = 0;
    for (const QString& nom : attendus)
        perdus += !ini.contains("=" + nom.toLatin1() + "\r\n");
    for (int i = 0; i < 10000; i += 97)
        perdus += !ini.contains("=Ancien " + QByteArray::number(i) + "\r\n");
    EXPECT_EQ(perdus, 0);
    EXPECT_EQ(LignesDuJournal(dossier), imprimes);
    EXPECT_FALSE(QFile::exists(dossier.filePath(QStringLiteral("Scribane.lock"))));
    std::printf("100 pairs: %d printed, %d refused as already open, %d list entries lost\n",
                imprimes, refuses, perdus);
}

TEST(PdfLigne, APointBeforeTheCentsIsTakenForTheCommaAsInTheWindow) {
    QTemporaryDir dossier;
    Preparer(dossier);
    const Sortie s = Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"),
                             dossier.path(), QStringLiteral("--montant"),
                             QStringLiteral("1234.5"), QStringLiteral("--destinataire"),
                             QStringLiteral("Dupont"), QStringLiteral("--pdf"),
                             dossier.filePath(QStringLiteral("c.pdf"))});
    EXPECT_EQ(s.code, 0) << s.erreurs.constData();
    const QDir journaux(dossier.filePath(QStringLiteral("Journaux")));
    const QStringList fichiers = journaux.entryList({QStringLiteral("Journal_*.txt")});
    ASSERT_EQ(fichiers.size(), 1);
    EXPECT_TRUE(Lire(journaux.filePath(fichiers[0])).contains(" - 1 234,50 Euros "));
}
