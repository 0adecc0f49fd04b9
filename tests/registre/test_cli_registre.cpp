#include "registre/Registre.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Issue {
    int code = -1;
    QString sortie, erreurs;
};

Issue Lancer(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI), arguments);
    Issue issue;
    if (!cli.waitForFinished(120000))
        return issue;
    issue.code = cli.exitCode();
    issue.sortie = QString::fromUtf8(cli.readAllStandardOutput());
    issue.erreurs = QString::fromUtf8(cli.readAllStandardError());
    return issue;
}

TEST(LigneRegistre, NumerosGacheEtListeDuRegistreDeBoutEnBout) {
    QTemporaryDir dossier;
    const QString d = dossier.path();
    {
        auto reg = Registre::ouvrir(CheminsScribane{d});
        ASSERT_TRUE(reg.ok()) << reg.raison().toStdString();
        ASSERT_TRUE(reg.valeur()->reglerChequier(1, {ChequierParDefaut(1), true, 2000}).ok());
    }
    QFile lot(dossier.filePath(QStringLiteral("lot.csv")));
    ASSERT_TRUE(lot.open(QIODevice::WriteOnly));
    lot.write("10,00;Alpha;Paris;05/03/2024\r\n20,00;=HYPERLINK(\"x\");Lyon;06/03/2024\r\n"
              "30,00;Gamma;Nice;07/03/2024\r\n");
    lot.close();
    const QString pdf = dossier.filePath(QStringLiteral("c.pdf"));

    auto issue = Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), d,
                         QStringLiteral("--lot"), lot.fileName(), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("n° 0002000 à n° 0002002")))
        << issue.sortie.toStdString();

    // A number given by hand, then one already used.
    issue =
        Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), d,
                QStringLiteral("--montant"), QStringLiteral("5"), QStringLiteral("--destinataire"),
                QStringLiteral("Delta"), QStringLiteral("--date"), QStringLiteral("08/03/2024"),
                QStringLiteral("--pdf"), pdf, QStringLiteral("--numero"), QStringLiteral("2100")});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    issue = Lancer(
        {QStringLiteral("imprimer"), QStringLiteral("--dossier"), d, QStringLiteral("--montant"),
         QStringLiteral("6"), QStringLiteral("--destinataire"), QStringLiteral("Epsilon"),
         QStringLiteral("--pdf"), pdf, QStringLiteral("--numero"), QStringLiteral("2001")});
    EXPECT_EQ(issue.code, 1);
    EXPECT_TRUE(issue.erreurs.contains(QStringLiteral("a déjà servi")))
        << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.erreurs.contains(QStringLiteral("Rien n'est imprimé")));

    issue = Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), d,
                    QStringLiteral("--gache"), QStringLiteral("2001"), QStringLiteral("--raison"),
                    QStringLiteral("encre")});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    issue = Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), d,
                    QStringLiteral("--gache"), QStringLiteral("2999")});
    EXPECT_EQ(issue.code, 1);

    issue = Lancer({QStringLiteral("registre"), QStringLiteral("--dossier"), d,
                    QStringLiteral("--statut"), QStringLiteral("gâché")});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("0002001")));
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("gâché : encre")));
    EXPECT_FALSE(issue.sortie.contains(QStringLiteral("Alpha")));

    issue = Lancer({QStringLiteral("registre"), QStringLiteral("--dossier"), d,
                    QStringLiteral("--statut"), QStringLiteral("en-cours"), QStringLiteral("--du"),
                    QStringLiteral("06/03/2024")});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("Total : 2 chèque(s), 35,00 euros")))
        << issue.sortie.toStdString();
    EXPECT_TRUE(
        issue.sortie.contains(QStringLiteral("Reste à encaisser : 3 chèque(s), 45,00 euros")));

    issue = Lancer({QStringLiteral("registre"), QStringLiteral("--dossier"), d,
                    QStringLiteral("--csv"), QStringLiteral("--cherche"), QStringLiteral("2100")});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("0002100;08/03/2024;5,00;Delta;")))
        << issue.sortie.toStdString();
    issue =
        Lancer({QStringLiteral("registre"), QStringLiteral("--dossier"), d, QStringLiteral("--csv"),
                QStringLiteral("--cherche"), QStringLiteral("hyperlink")});
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral(";\"'=HYPERLINK(\"\"x\"\")\";")))
        << issue.sortie.toStdString();
}

} // namespace

namespace {

// Two programs opening a new register at the same moment: both open it, and
// the journal is taken in once.
TEST(LigneRegistre, DeuxOuverturesEnMemeTempsReprennentLeJournalUneFois) {
    for (int essai = 0; essai < 5; ++essai) {
        QTemporaryDir dossier;
        ASSERT_TRUE(QDir().mkpath(dossier.filePath(QStringLiteral("Journaux"))));
        QFile j(dossier.filePath(QStringLiteral("Journaux/Journal_2024_03_05.txt")));
        ASSERT_TRUE(j.open(QIODevice::WriteOnly));
        j.write("RELEVE des CHEQUES IMPRIMES le 05/03/2024\r\n\r\n\r\n"
                "10:00:00 - 12,50 Euros \xe0 l'ordre de EDF\r\n");
        j.close();
        const QStringList liste = {QStringLiteral("registre"), QStringLiteral("--dossier"),
                                   dossier.path()};
        QProcess a, b;
        a.start(QStringLiteral(SCRIBANE_CLI), liste);
        b.start(QStringLiteral(SCRIBANE_CLI), liste);
        ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
        EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
        EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
        EXPECT_TRUE(
            Lancer(liste).sortie.contains(QStringLiteral("Total : 1 chèque(s), 12,50 euros")));
    }
}

} // namespace
