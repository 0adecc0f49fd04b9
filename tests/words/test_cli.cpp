#include "words/MontantEnLettres.h"
#include "words/MontantTexte.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Resultat {
    int code = -1;
    QByteArray sortie;
    QByteArray erreurs;
};

Resultat Lancer(const QStringList& arguments, const QByteArray& entree = {}) {
    QProcess p;
    // A C locale must not change the encoding of the output.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(SCRIBANE_CLI), arguments);
    if (!p.waitForStarted())
        return {};
    p.write(entree);
    p.closeWriteChannel();
    p.waitForFinished(-1);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

TEST(ScribaneCli, LettresWritesTheChequeAmount) {
    const Resultat r = Lancer({"lettres", "1234,56"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES\n");
    EXPECT_EQ(r.erreurs, "");
}

TEST(ScribaneCli, LettresOneLinePerAmountInUtf8) {
    const Resultat r = Lancer({"lettres", "0,50", "1\u00A0000\u00A0000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "Z\xC3\x89RO EURO et CINQUANTE CENTIMES\nUN MILLION D'EUROS\n");
}

TEST(ScribaneCli, LettresWritesWhatWouldPrintAndRefusesWhatPrintingRefuses) {
    // Printing formats the amount first: "1 234,5 " is 1 234,50.
    Resultat r = Lancer({"lettres", "1 234,5 "});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE CENTIMES\n");
    // A point before one or two figures is the decimal comma, as in the amount box.
    r = Lancer({"lettres", "1234.56"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES\n");

    const std::pair<const char*, const char*> refuses[] = {
        {"abc", "séparez les centimes par une virgule"},
        {"-3", "Montant négatif"},
        {"1000000000000", "Montant trop grand (mille milliards ou plus)"},
        {"12,345", "deux chiffres au plus après la virgule"},
        {"12,3,4", "une seule virgule au plus"},
        {"1\x1b[2J", "le montant contient un caractère de contrôle (U+001B)"},
    };
    for (const auto& [montant, raison] : refuses) {
        r = Lancer({"lettres", montant});
        EXPECT_EQ(r.code, 1) << montant;
        EXPECT_EQ(r.sortie, "") << montant;
        EXPECT_FALSE(r.erreurs.contains('\x1b')) << montant;
        EXPECT_TRUE(QString::fromUtf8(r.erreurs).contains(QString::fromUtf8(raison)))
            << montant << " : " << r.erreurs.toStdString();
    }
}

TEST(ScribaneCli, LettresWithSettings) {
    const Resultat r = Lancer({"lettres", "--devise", "dollar", "--centimes", "cent", "--liaison",
                               "and", "--sans-centimes-nuls", "1000000", "2,01", "3,00"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "UN MILLION DE DOLLARS\nDEUX DOLLARS and UN CENT\nTROIS DOLLARS\n");
}

TEST(ScribaneCli, LettresInSeriesWritesAsPrintingDoes) {
    // Typed forms that printing puts in another form first, on both sides of
    // 10^11 (the batch reads the usual amounts from their digits).
    const QStringList saisis = {
        QStringLiteral("1 234,5 "),
        QStringLiteral(",5"),
        QStringLiteral("+12"),
        QStringLiteral("0012,3"),
        QStringLiteral("12,"),
        QStringLiteral(" 7,05"),
        QStringLiteral("1\u00A0000\u00A0000"),
        QStringLiteral("99999999999,99"),
        QStringLiteral("100000000000,1"),
        QStringLiteral("999 999 999 999,99"),
        QStringLiteral("-0"),
        QStringLiteral("0000000000000000000042,10"),
    };
    QByteArray entree, attendu;
    for (const QString& saisi : saisis) {
        entree += saisi.toUtf8() + '\n';
        attendu += MontantEnLettres(FormaterMontant(*LireMontant(saisi)), u"euro", u"centime",
                                    u"et", false)
                       .lettres.toUtf8() +
                   '\n';
    }
    const Resultat r = Lancer({"lettres", "-"}, entree);
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, attendu);
}

TEST(ScribaneCli, LettresReadsTheStandardInput) {
    Resultat r = Lancer({"lettres", "-"}, "80\r\n1 234,5\n1\u00A0000\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "QUATRE-VINGTS EUROS\nMILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE "
                        "CENTIMES\nMILLE EUROS\n");
    EXPECT_EQ(r.erreurs, "");

    // A refused line is told by its number; the next lines are still written.
    r = Lancer({"lettres", "-"}, "80\n\xC3\xA9\n-3\n\n2");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.sortie, "QUATRE-VINGTS EUROS\nDEUX EUROS\n");
    const QString erreurs = QString::fromUtf8(r.erreurs);
    EXPECT_TRUE(erreurs.contains(QStringLiteral("ligne 2 : « é » : Montant non valide")))
        << r.erreurs.toStdString();
    EXPECT_TRUE(erreurs.contains(QStringLiteral("ligne 3 : « -3 » : Montant négatif")));
    EXPECT_TRUE(erreurs.contains(QStringLiteral("ligne 4 : ")));
}

TEST(ScribaneCli, NombreWritesTheNumberAndItsUnit) {
    Resultat r = Lancer({"nombre", "80", "euro"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "Quatre-vingts euros\n");
    r = Lancer({"nombre", "1,5", "écu"});
    EXPECT_EQ(r.sortie, "Un \xC3\xA9"
                        "cu et cinquante cents\n");
}

TEST(ScribaneCli, FailuresAndUsage) {
    const struct {
        QStringList arguments;
        int code;
    } cas[] = {{{"nombre", "1000000000000", "euro"}, 1},
               {{"nombre", "douze", "euro"}, 1},
               {{"nombre", "12"}, 2},
               {{"lettres"}, 2},
               {{"lettres", "--devise"}, 2},
               {{"lettres", "--inconnue", "12"}, 2},
               {{"imprimer-tout"}, 2},
               {{}, 2}};
    for (const auto& c : cas) {
        const Resultat r = Lancer(c.arguments);
        EXPECT_EQ(r.code, c.code) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(r.erreurs.startsWith("scribane-cli : ") || c.arguments.isEmpty())
            << r.erreurs.toStdString();
        if (!c.arguments.isEmpty()) {
            EXPECT_EQ(r.sortie, "") << c.arguments.join(' ').toStdString();
        }
    }
}

TEST(ScribaneCli, HelpInFrench) {
    for (const QStringList& arguments :
         {QStringList{"--help"}, QStringList{"lettres", "--help"}, QStringList{"nombre", "-h"}}) {
        const Resultat r = Lancer(arguments);
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.sortie.startsWith("Utilisation : scribane-cli")) << r.sortie.toStdString();
    }
}

} // namespace

TEST(ScribaneCli, JournalListsFiltersAndTotals) {
    QTemporaryDir dossier;
    ASSERT_TRUE(QDir(dossier.path()).mkpath(QStringLiteral("Journaux")));
    auto ecrire = [&](const char* nom, const QByteArray& octets) {
        QFile f(dossier.filePath(QStringLiteral("Journaux/") + QLatin1String(nom)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    };
    ecrire("Journal_2024_03_05.txt",
           "RELEVE des CHEQUES IMPRIMES le 05/03/2024\r\n\r\n\r\n"
           "14:07:32 - 1 250,00 Euros \xE0 l'ordre de Soci\xE9t\xE9 G\xE9n\xE9rale. Emetteur : "
           "MARTIN\r\n"
           "14:08:00 - 0,05 Euros \xE0 l'ordre de EDF\r\n"
           "ligne ab\xEEm\xE9"
           "e\r\n");
    ecrire("Journal_2024_04_01.txt", "09:00:00 - 10,00 Euros \xE0 l'ordre de Dupont\r\n");

    // A line that could not be read may have been a cheque: the total is not sure.
    Resultat r = Lancer({"journal", "--dossier", dossier.path()});
    EXPECT_EQ(r.code, 1);
    const QStringList lignes = QString::fromUtf8(r.sortie).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 5) << r.sortie.constData();
    EXPECT_TRUE(lignes[1].startsWith(QStringLiteral("05/03/2024  14:07:32  1 250,00  Soci"
                                                    "été Générale")));
    EXPECT_TRUE(lignes[1].endsWith(QStringLiteral("  MARTIN")));
    EXPECT_EQ(lignes[4], QStringLiteral("Total : 3 chèque(s), 1 260,05 euros"));
    EXPECT_TRUE(r.erreurs.contains("1 ligne(s)"));
    EXPECT_TRUE(r.erreurs.contains(
        QDir::toNativeSeparators(dossier.filePath("Journaux/Journal_2024_03_05.txt")).toUtf8()))
        << r.erreurs.constData();

    r = Lancer({"journal", "--dossier", dossier.path(), "--cherche", "GENERALE", "--csv"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.sortie, "\xEF\xBB\xBF"
                        "Date;Heure;Montant;Destinataire;Emetteur\r\n"
                        "05/03/2024;14:07:32;1250,00;Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale;"
                        "MARTIN\r\n");

    r = Lancer(
        {"journal", "--dossier", dossier.path(), "--du", "01/04/2024", "--au", "30/04/2024"});
    EXPECT_TRUE(r.sortie.endsWith("Total : 1 chèque(s), 10,00 euros\n")) << r.sortie.constData();
    // The damaged journal is of a day outside the dates: nothing is missing.
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(Lancer({"journal", "--du", "32/01/2024"}).code, 2);
}

// A cut line (the disk was full) is told after the list, where it is read last,
// and the cheque printed after it is in the list.
TEST(ScribaneCli, JournalTellsWhichJournalLacksLinesAfterTheList) {
    QTemporaryDir dossier;
    ASSERT_TRUE(QDir(dossier.path()).mkpath(QStringLiteral("Journaux")));
    const QString journal = dossier.filePath(QStringLiteral("Journaux/Journal_2024_03_05.txt"));
    QFile f(journal);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("00:12:00 - 1,00 Euros \xE0 l'ordre de EDF\r\n"
            "00:12:29 - 12,50 Eur\r\n"
            "00:13:00 - 3,00 Euros \xE0 l'ordre de Dupont\r\n");
    f.close();

    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(SCRIBANE_CLI), {"journal", "--dossier", dossier.path()});
    ASSERT_TRUE(p.waitForFinished(-1));
    EXPECT_EQ(p.exitCode(), 1);
    const QStringList lignes =
        QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 5) << lignes.join(u'\n').toStdString();
    EXPECT_EQ(lignes[3], QStringLiteral("Total : 2 chèque(s), 4,00 euros"));
    EXPECT_EQ(lignes[4], QStringLiteral("scribane-cli : 1 ligne(s) illisible(s) ignorée(s) dans le "
                                        "journal %1 : la liste peut être incomplète.")
                             .arg(QDir::toNativeSeparators(journal)));
}

TEST(ScribaneCli, LettresInEachVariantAndSpelling) {
    Resultat r = Lancer({"lettres", "--variante", "belgique", "--orthographe", "1990", "71,91"});
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, "SEPTANTE-ET-UN EUROS et NONANTE-ET-UN CENTIMES\n");
    r = Lancer({"lettres", "--variante", "suisse", "80 081"});
    EXPECT_EQ(r.sortie, "HUITANTE MILLE HUITANTE ET UN EUROS\n");

    // Standard input, amount by amount, as printing writes them.
    const char* saisis[] = {"70",       "71,71",         "80,80",         "91 091,91",
                            "1 180,00", "71 000 000,01", "2 000 080 081", "999999999999,99"};
    const std::pair<const char*, Variante> variantes[] = {{"france", Variante::France},
                                                          {"belgique", Variante::Belgique},
                                                          {"suisse", Variante::Suisse}};
    const std::pair<const char*, Orthographe> orthographes[] = {
        {"traditionnelle", Orthographe::Traditionnelle}, {"1990", Orthographe::Rectifiee1990}};
    for (const auto& [variante, v] : variantes)
        for (const auto& [orthographe, o] : orthographes) {
            QByteArray entree, attendu;
            for (const char* saisi : saisis) {
                entree += QByteArray(saisi) + '\n';
                attendu += MontantEnLettres(FormaterMontant(*LireMontant(QString::fromUtf8(saisi))),
                                            u"euro", u"centime", u"et", false, ReglesMots{v, o})
                               .lettres.toUtf8() +
                           '\n';
            }
            r = Lancer({"lettres", "--variante", variante, "--orthographe", orthographe, "-"},
                       entree);
            EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
            EXPECT_EQ(r.sortie, attendu) << variante << " " << orthographe;
        }

    // A currency without cents refuses an amount that has some, as printing does.
    r = Lancer({"lettres", "--devise", "franc CFA", "--sans-centimes", "-"}, "1500\n12,50\n3,00\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.sortie, "MILLE CINQ CENTS FRANCS CFA\nTROIS FRANCS CFA\n");
    EXPECT_TRUE(r.erreurs.contains("ligne 2 : « 12,50 » : Montant non valide : cette devise n'a "
                                   "pas de centimes"))
        << r.erreurs.toStdString();

    for (const QStringList& mauvais : {QStringList{"lettres", "--variante", "quebec", "12"},
                                       QStringList{"lettres", "--orthographe", "1835", "12"},
                                       QStringList{"lettres", "--variante"}}) {
        r = Lancer(mauvais);
        EXPECT_EQ(r.code, 2) << mauvais.join(' ').toStdString();
        EXPECT_EQ(r.sortie, "");
    }
}
