#include "PdfLu.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A batch of cheques from a CSV file, printed by scribane-cli in one job.

namespace {

const QString kFile = QStringLiteral("ScribaneTest");

bool Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

// A folder with choice 1 on the test queue, the journal on.
void Preparer(const QTemporaryDir& dossier) {
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("Cheque.ini")),
                       "[Defaut1]\r\nImprimante=" + kFile.toLatin1() +
                           "\r\nPolice=Liberation Sans\r\nTaille= 12\r\nOrientation= 1\r\n"
                           "Journal= 1\r\n"));
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("Choix.cfg")), "1,1\r\n"));
}

int Lancer(const QStringList& arguments, QByteArray* erreurs = nullptr) {
    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI), arguments);
    if (!cli.waitForFinished(120000))
        return -1;
    if (erreurs)
        *erreurs = cli.readAllStandardError();
    return cli.exitCode();
}

QStringList LignesDuJournal(const QTemporaryDir& dossier) {
    QStringList lignes;
    const QDir journaux(dossier.filePath(QStringLiteral("Journaux")));
    for (const QString& nom : journaux.entryList({QStringLiteral("Journal_*.txt")})) {
        QFile f(journaux.filePath(nom));
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray& l : f.readAll().split('\n'))
                if (l.contains(" Euros "))
                    lignes << QString::fromLatin1(l.trimmed());
    }
    return lignes;
}

} // namespace

TEST(Lot, OneRefusedLinePrintsNothingAndSaysWhich) {
    QTemporaryDir dossier;
    Preparer(dossier);
    // Windows-1252, as a spreadsheet may save it; the bad line is in the middle.
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("lot.csv")),
                       "montant;destinataire;lieu;date\r\n12,50;Soci\xE9t\xE9;Paris\r\n"
                       "12.345;EDF;Paris\r\n10,00;Dupont;Lyon;05/03/2024\r\n"));
    QByteArray erreurs;
    const QString pdf = dossier.filePath(QStringLiteral("lot.pdf"));
    EXPECT_EQ(Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
                      QStringLiteral("--lot"), dossier.filePath(QStringLiteral("lot.csv")),
                      QStringLiteral("--pdf"), pdf},
                     &erreurs),
              1);
    EXPECT_TRUE(erreurs.contains("ligne 3 :")) << erreurs.constData();
    EXPECT_TRUE(erreurs.contains("aucun chèque n'est imprimé")) << erreurs.constData();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(LignesDuJournal(dossier).isEmpty());
    QFile ini(dossier.filePath(QStringLiteral("Cheque.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(ini.readAll().contains("Dupont"));
}

TEST(Lot, EachChequeIsAPageOfOneJobOnTheQueueAndALineOfTheJournal) {
    QTemporaryDir dossier;
    Preparer(dossier);
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("lot.csv")),
                       "12,50;\"Dupont; fils\";Paris;05/03/2024\n"
                       "1 234,56;EDF;Lyon\n"
                       "7;Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale;Nantes;06/03/2024\n"));
    const QString sortie = QStringLiteral(DOSSIER_PDF_CUPS);
    for (const QString& f : QDir(sortie).entryList(QDir::Files))
        QFile::remove(sortie + QLatin1Char('/') + f);
    QByteArray erreurs;
    ASSERT_EQ(Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
                      QStringLiteral("--lot"), dossier.filePath(QStringLiteral("lot.csv")),
                      QStringLiteral("--imprimante"), kFile},
                     &erreurs),
              0)
        << erreurs.constData();
    // Not a terminal: no progress counts, only what went wrong, if anything.
    EXPECT_FALSE(erreurs.contains("sur 3")) << erreurs.constData();
    const QString pdf = AttendrePdf(sortie, kFile, 60);
    ASSERT_FALSE(pdf.isEmpty());

    QProcess texte;
    texte.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(texte.waitForFinished(30000));
    const QList<QByteArray> pages = texte.readAllStandardOutput().split('\f');
    ASSERT_GE(pages.size(), 3);
    const char* attendus[3][3] = {
        {"DOUZE EUROS", "Dupont; fils", "05/03/2024"},
        {"MILLE DEUX CENT TRENTE-QUATRE EUROS", "EDF", "Lyon"},
        {"SEPT EUROS", "Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale", "06/03/2024"}};
    for (int p = 0; p < 3; ++p)
        for (const char* mot : attendus[p])
            EXPECT_TRUE(pages[p].simplified().contains(mot)) << "page " << p << " : " << mot;
    for (int p = 3; p < pages.size(); ++p)
        EXPECT_TRUE(pages[p].trimmed().isEmpty()) << "page de trop " << p;

    const QStringList journal = LignesDuJournal(dossier);
    ASSERT_EQ(journal.size(), 3);
    EXPECT_TRUE(journal[1].endsWith(QStringLiteral(" - 1 234,56 Euros \u00E0 l'ordre de EDF")))
        << journal[1].toStdString();
}

TEST(Lot, AMalformedQuoteOrAMissingPrinterPrintsNothing) {
    QTemporaryDir dossier;
    Preparer(dossier);
    // Text after a closing quote would otherwise print "12" for "12"3,00.
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("lot.csv")),
                       "\"12\"3,00;Dupont;Paris\r\n5,00;\"EDF;Lyon\r\n"));
    QByteArray erreurs;
    const QString pdf = dossier.filePath(QStringLiteral("lot.pdf"));
    EXPECT_EQ(Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
                      QStringLiteral("--lot"), dossier.filePath(QStringLiteral("lot.csv")),
                      QStringLiteral("--pdf"), pdf},
                     &erreurs),
              1);
    EXPECT_TRUE(erreurs.contains("ligne 1 :") && erreurs.contains("ligne 2 :"))
        << erreurs.constData();
    EXPECT_FALSE(QFile::exists(pdf));

    // A settings' printer that is gone is never replaced by the system's default one.
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("Cheque.ini")),
                       "[Defaut1]\r\nImprimante=Disparue\r\nPolice=Liberation Sans\r\n"
                       "Taille= 12\r\nOrientation= 1\r\nJournal= 1\r\n"));
    EXPECT_EQ(Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
                      QStringLiteral("--montant"), QStringLiteral("10"),
                      QStringLiteral("--destinataire"), QStringLiteral("EDF")},
                     &erreurs),
              1);
    EXPECT_TRUE(erreurs.contains("« Disparue » n'est pas install")) << erreurs.constData();
    EXPECT_TRUE(LignesDuJournal(dossier).isEmpty());
}

namespace {

// What scribane-cli says and prints for a batch file, into a PDF: the exit
// code, the messages, the journal's lines.
struct Issue {
    int code = -1;
    QByteArray erreurs;
    QStringList journal;
    bool pdf = false;
};

Issue ImprimerLot(const QByteArray& octets) {
    QTemporaryDir dossier;
    Preparer(dossier);
    Issue issue;
    if (!Ecrire(dossier.filePath(QStringLiteral("lot.csv")), octets))
        return issue;
    const QString pdf = dossier.filePath(QStringLiteral("lot.pdf"));
    issue.code = Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
                         QStringLiteral("--lot"), dossier.filePath(QStringLiteral("lot.csv")),
                         QStringLiteral("--pdf"), pdf},
                        &issue.erreurs);
    issue.journal = LignesDuJournal(dossier);
    issue.pdf = QFile::exists(pdf);
    return issue;
}

} // namespace

TEST(Lot, CrAloneEndsALineAndAStrayByteInUtf8PrintsNothing) {
    // CR alone once printed one cheque to "Dupont 13,00" at the place "Martin".
    const Issue cr = ImprimerLot("12,50;Dupont\r13,00;Martin\r");
    EXPECT_EQ(cr.code, 0) << cr.erreurs.constData();
    ASSERT_EQ(cr.journal.size(), 2) << cr.erreurs.constData();
    EXPECT_TRUE(cr.journal[0].endsWith(QStringLiteral(" - 12,50 Euros \u00E0 l'ordre de Dupont")));
    EXPECT_TRUE(cr.journal[1].endsWith(QStringLiteral(" - 13,00 Euros \u00E0 l'ordre de Martin")));

    // Read as Windows-1252, "Société Générale" printed "SociÃ©tÃ© GÃ©nÃ©rale".
    const Issue melange = ImprimerLot(
        "12,50;Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale;Paris\r\n13,00;Mar\xE9\r\n");
    EXPECT_EQ(melange.code, 1);
    EXPECT_TRUE(melange.erreurs.contains("scribane-cli : ligne 2 : le fichier n'est pas en UTF-8 "
                                         "valide ; enregistrez-le en UTF-8.\n"))
        << melange.erreurs.constData();
    EXPECT_FALSE(melange.pdf);
    EXPECT_TRUE(melange.journal.isEmpty());
}

TEST(Lot, AControlCharacterOnTheCommandLineIsRefusedNamingTheField) {
    const struct {
        const char* option;
        QString valeur;
        const char* dit;
    } cas[] = {
        {"--montant", QStringLiteral("12\x1B"),
         "Le montant contient un caractère de contrôle "
         "(U+001B)"},
        {"--destinataire", QStringLiteral("EDF\x1B]0;x\x07"),
         "Le destinataire contient un caractère de contrôle (U+001B)"},
        {"--lieu", QStringLiteral("Pa\x7Fris"),
         "Le lieu contient un caractère de contrôle (U+007F)"},
    };
    for (const auto& [option, valeur, dit] : cas) {
        QTemporaryDir dossier;
        Preparer(dossier);
        QStringList arguments = {QStringLiteral("imprimer"),
                                 QStringLiteral("--dossier"),
                                 dossier.path(),
                                 QStringLiteral("--montant"),
                                 QStringLiteral("12"),
                                 QStringLiteral("--destinataire"),
                                 QStringLiteral("EDF"),
                                 QStringLiteral("--pdf"),
                                 dossier.filePath(QStringLiteral("c.pdf"))};
        arguments << QLatin1String(option) << valeur; // the option given twice: the last holds
        QByteArray erreurs;
        EXPECT_EQ(Lancer(arguments, &erreurs), 1) << option;
        EXPECT_TRUE(erreurs.contains(dit)) << erreurs.constData();
        EXPECT_FALSE(erreurs.contains('\x1B')) << option; // nothing raw to the terminal
        EXPECT_TRUE(LignesDuJournal(dossier).isEmpty()) << option;
    }
}

TEST(Lot, AFileTooLargeForABatchIsRefusedUnread) {
    QTemporaryDir dossier;
    Preparer(dossier);
    // Sparse: ten megabytes and one byte that take no room on the disk.
    QFile lot(dossier.filePath(QStringLiteral("lot.csv")));
    ASSERT_TRUE(lot.open(QIODevice::WriteOnly) && lot.resize(10 * 1024 * 1024 + 1));
    lot.close();
    QByteArray erreurs;
    EXPECT_EQ(Lancer({QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
                      QStringLiteral("--lot"), lot.fileName(), QStringLiteral("--pdf"),
                      dossier.filePath(QStringLiteral("lot.pdf"))},
                     &erreurs),
              1);
    EXPECT_TRUE(erreurs.contains("est trop grand pour un lot de chèques (plus de 10 Mo)"))
        << erreurs.left(500).constData();
}
