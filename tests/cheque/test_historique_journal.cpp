#include "cheque/HistoriqueJournal.h"
#include "cheque/Journal.h"
#include "words/MontantTexte.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_WIN
#include "settings/FichierWindows.h"
#else
#include <sys/file.h>
#endif

namespace {

class Historique : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString dossier() const { return dir.path(); }
    void imprime(const QDateTime& quand, const char* montant, const QString& destinataire,
                 const QString& emetteur = {}) {
        const auto ecrit =
            EcrireJournal(dossier(), quand, QString::fromUtf8(montant), destinataire, emetteur);
        ASSERT_TRUE(ecrit) << ecrit.raison().toStdString();
    }
    void ajouter(const char* nom, const QByteArray& octets) {
        QFile f(dir.filePath(QLatin1String(nom)));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(octets);
    }
};

} // namespace

TEST_F(Historique, ReadsBackWhatThePrintsWrote) {
    const QDateTime mardi(QDate(2024, 3, 5), QTime(14, 7, 32));
    imprime(mardi, "1 250,00", QStringLiteral("Société Générale"), QStringLiteral("martin"));
    imprime(mardi.addSecs(60), "12,50", QStringLiteral("Dupont; fils \"et\" cie"));
    // A payee holding the issuer's words, printed without an issuer.
    imprime(mardi.addSecs(120), "3,00", QStringLiteral("A. Emetteur : b"));
    imprime(mardi.addDays(-1), "999 999 999 999,99", QStringLiteral("EDF"));

    const LectureJournaux l = LireJournaux(dossier());
    EXPECT_EQ(l.lignesIgnorees, 0);
    ASSERT_EQ(l.cheques.size(), 4);
    EXPECT_EQ(l.cheques[0].date, QDate(2024, 3, 4)); // by date first
    EXPECT_EQ(l.cheques[0].centimes, 99999999999999);
    const ChequeJournal& premier = l.cheques[1];
    EXPECT_EQ(premier.heure, QTime(14, 7, 32));
    EXPECT_EQ(premier.centimes, 125000);
    EXPECT_EQ(premier.montant, QStringLiteral("1 250,00"));
    EXPECT_EQ(premier.destinataire, QStringLiteral("Société Générale"));
    EXPECT_EQ(premier.emetteur, QStringLiteral("MARTIN"));
    EXPECT_EQ(premier.fichier, QStringLiteral("Journal_2024_03_05.txt"));
    EXPECT_EQ(premier.ligne, 4); // after the header and its two empty lines
    EXPECT_EQ(l.cheques[2].destinataire, QStringLiteral("Dupont; fils \"et\" cie"));
    EXPECT_TRUE(l.cheques[2].emetteur.isEmpty());
    EXPECT_EQ(l.cheques[3].destinataire, QStringLiteral("A. Emetteur : b"));
    EXPECT_TRUE(l.cheques[3].emetteur.isEmpty());

    const QByteArray csv = CsvJournal(l.cheques);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "Date;Heure;Montant;Destinataire;Emetteur\r\n"));
    EXPECT_TRUE(csv.contains("05/03/2024;14:07:32;1250,00;Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9"
                             "rale;MARTIN\r\n"));
    EXPECT_TRUE(csv.contains("05/03/2024;14:08:32;12,50;\"Dupont; fils \"\"et\"\" cie\";\r\n"));
}

TEST_F(Historique, DamagedForeignAndUnfinishedLinesAreSkipped) {
    imprime(QDateTime(QDate(2024, 3, 5), QTime(9, 0)), "10,00", QStringLiteral("EDF"));
    ajouter("Journal_2024_03_05.txt", "n'importe quoi\r\n"
                                      "25:99:00 - 1,00 Euros \xE0 l'ordre de X\r\n"
                                      "09:01:00 - abc Euros \xE0 l'ordre de X\r\n"
                                      "09:02:00 -  Euros \xE0 l'ordre de vide\r\n"
                                      "09:03:00 - 2,00 Euros \xE0 l'ordre de Y\r\n"
                                      "09:04:00 - 3,00 Euros \xE0 l'ord"); // being written
    ajouter("Journal_2024_13_45.txt", "09:00:00 - 1,00 Euros \xE0 l'ordre de Z\r\n");
    ajouter("notes.txt", "09:00:00 - 1,00 Euros \xE0 l'ordre de Z\r\n");

    // While an append holds the file, its last line is the part written so far.
    {
        const QString journal = dir.filePath(QStringLiteral("Journal_2024_03_05.txt"));
#ifdef Q_OS_WIN
        const PoigneeWindows ecrivain = OuvrirWindows(journal, GENERIC_WRITE, OPEN_EXISTING);
        ASSERT_TRUE(VerrouillerWindows(ecrivain.get(), true, true));
#else
        QFile ecrivain(journal);
        ASSERT_TRUE(ecrivain.open(QIODevice::Append));
        ASSERT_EQ(::flock(ecrivain.handle(), LOCK_EX), 0);
#endif
        const LectureJournaux l = LireJournaux(dossier());
        ASSERT_EQ(l.cheques.size(), 2);
        EXPECT_EQ(l.cheques[1].destinataire, QStringLiteral("Y"));
        EXPECT_EQ(l.lignesIgnorees, 4);
    }
    // Once no append is under way, a line without its end was cut: damaged,
    // and the file that holds it is named.
    const LectureJournaux l = LireJournaux(dossier());
    EXPECT_EQ(l.cheques.size(), 2);
    EXPECT_EQ(l.lignesIgnorees, 5);
    ASSERT_EQ(l.endommages.size(), 1);
    EXPECT_EQ(l.endommages[0].fichier, QStringLiteral("Journal_2024_03_05.txt"));
    EXPECT_EQ(l.endommages[0].lignesIgnorees, 5);
}

TEST(HistoriqueFiltre, SearchIgnoresAccentsAndCaseAndBoundsAreInclusive) {
    ChequeJournal c;
    c.date = QDate(2024, 3, 5);
    c.centimes = 1250;
    c.destinataire = QStringLiteral("Société Générale");
    c.emetteur = QStringLiteral("MARTIN");
    auto cherche = [&c](const char* texte) {
        FiltreJournal f;
        f.recherche = QString::fromUtf8(texte);
        return f.accepte(c);
    };
    EXPECT_TRUE(cherche("generale"));
    EXPECT_TRUE(cherche("Martin"));
    EXPECT_TRUE(cherche("SOCIÉTÉ"));
    EXPECT_FALSE(cherche("dupont"));
    FiltreJournal bornes;
    bornes.du = bornes.au = c.date;
    bornes.minimum = bornes.maximum = 1250;
    EXPECT_TRUE(bornes.accepte(c));
    bornes.maximum = 1249;
    EXPECT_FALSE(bornes.accepte(c));
}

TEST(HistoriqueTotal, CentsAddUpExactlyOverTenYears) {
    // 25 000 cheques of 1,01 to 25 250,00, written as the program writes them:
    // a floating-point sum drifts by cents, the history must not.
    QByteArray journal;
    for (int i = 1; i <= 25000; ++i)
        journal +=
            "10:00:00 - " + FormaterMontant(i * 1.01).toLatin1() + " Euros \xE0 l'ordre de X\r\n";
    LectureJournaux l;
    LireJournal(journal, QDate(2024, 3, 5), QStringLiteral("Journal_2024_03_05.txt"), l);
    ASSERT_EQ(l.cheques.size(), 25000);
    std::int64_t total = 0;
    for (const ChequeJournal& c : l.cheques)
        total += c.centimes;
    EXPECT_EQ(total, 101LL * 25000 * 25001 / 2);
    EXPECT_EQ(MontantDeCentimes(total), QStringLiteral("315 637 625,00"));
    EXPECT_EQ(MontantDeCentimes(5), QStringLiteral("0,05"));
}

// A spreadsheet runs a cell that begins like a formula: payees and issuers
// stay text, the amount stays a number.
TEST(HistoriqueCsv, CellsASpreadsheetWouldRunStayText) {
    const std::pair<const char*, const char*> cas[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"+33 1 23", "'+33 1 23"},
        {"-2+3", "'-2+3"},
        {"@SOMME(A1)", "'@SOMME(A1)"},
        {"\tX", "'\tX"},
        {"\rX", "\"'\rX\""},
        {"Dupont = Durand", "Dupont = Durand"},
        {"", ""},
    };
    for (const auto& [texte, cellule] : cas) {
        ChequeJournal c;
        c.date = QDate(2024, 3, 5);
        c.heure = QTime(10, 0);
        c.centimes = 1250;
        c.destinataire = QString::fromUtf8(texte);
        c.emetteur = QString::fromUtf8(texte);
        EXPECT_EQ(CsvJournal({c}), QByteArray("\xEF\xBB\xBF"
                                              "Date;Heure;Montant;Destinataire;Emetteur\r\n"
                                              "05/03/2024;10:00:00;12,50;") +
                                       cellule + ';' + cellule + "\r\n")
            << texte;
    }
}
