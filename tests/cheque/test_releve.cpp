#include "cheque/Rapprochement.h"
#include "cheque/Releve.h"
#include "settings/Cp1252.h"

#include <gtest/gtest.h>

namespace {

// One CFONB record: the zones the reader looks at, the rest blank.
QByteArray Enregistrement(const char* code, const char* date, const char* montant,
                          const char* libelle = "", int decimales = 2,
                          const char* compte = "00012345678") {
    QByteArray r(120, ' ');
    auto poser = [&](int de, const QByteArray& valeur) {
        r.replace(de - 1, valeur.size(), valeur);
    };
    poser(1, code);
    poser(3, "30004");
    poser(12, "00123");
    poser(17, "EUR");
    poser(20, QByteArray::number(decimales));
    poser(22, compte);
    poser(35, date);
    if (QByteArray(code) == "05")
        poser(46, "LIB"), poser(49, libelle);
    else
        poser(49, QByteArray(libelle).left(31));
    poser(91, montant);
    return r;
}

QVector<std::int64_t> Montants(const ReleveLu& r) {
    QVector<std::int64_t> m;
    for (const LigneReleve& l : r.lignes)
        m << l.centimes;
    return m;
}

} // namespace

TEST(ReleveCsv, DebitAndCreditColumnsInWindows1252WithCrOnlyLines) {
    // A bank's preamble, its header with accents, grouped thousands, a debit
    // written with its sign, an empty line of totals; lines ended by CR alone.
    const QByteArray octets =
        EncoderCp1252(QStringLiteral("Compte courant n° 0001234;;;\r"
                                     "Date opération;Date valeur;Libellé;Débit euros;Crédit euros\r"
                                     "05/03/2024;06/03/2024;CHÈQUE N° 1234567;1.250,00;\r"
                                     "06/03/24;06/03/24;VIR SALAIRE;;2 345,67\r"
                                     "\r"
                                     "07.03.2024;07.03.2024;CB \"PHARMACIE\";-12,5;\r"
                                     ";;Total;;\r"));
    const auto r = LireReleve(octets);
    ASSERT_TRUE(r) << r.raison().toStdString();
    EXPECT_EQ(r->format, FormatReleve::Csv);
    ASSERT_EQ(r->lignes.size(), 3);
    EXPECT_EQ(Montants(*r), (QVector<std::int64_t>{-125000, 234567, -1250}));
    EXPECT_EQ(r->lignes[0].ligne, 3);
    EXPECT_EQ(r->lignes[0].date, QDate(2024, 3, 5)); // the operation's date, not the value date
    EXPECT_EQ(r->lignes[0].libelle, QStringLiteral("CHÈQUE N° 1234567"));
    EXPECT_EQ(r->lignes[1].date, QDate(2024, 3, 6));
    EXPECT_EQ(r->lignes[2].ligne, 6);
    EXPECT_EQ(r->lignes[2].libelle, QStringLiteral("CB \"PHARMACIE\""));
}

TEST(ReleveCsv, OneSignedAmountWithCommaSeparatorAndQuotes) {
    const QByteArray octets = "\xEF\xBB\xBF"
                              "Date,Libell\xC3\xA9,Montant\r\n"
                              "2024-03-05,\"CHQ 0001234567, REMIS\",\"-1\xC2\xA0"
                              "250,00\"\r\n"
                              "2024-03-06,\"VIR \"\"LOYER\"\"\",\"+850,00 \xE2\x82\xAC\"\r\n"
                              "2024-03-07,FRAIS,\"3,20-\"";
    const auto r = LireReleve(octets);
    ASSERT_TRUE(r) << r.raison().toStdString();
    EXPECT_EQ(Montants(*r), (QVector<std::int64_t>{-125000, 85000, -320}));
    EXPECT_EQ(r->lignes[0].libelle, QStringLiteral("CHQ 0001234567, REMIS"));
    EXPECT_EQ(r->lignes[1].libelle, QStringLiteral("VIR \"LOYER\""));
    EXPECT_EQ(r->lignes[2].ligne, 4);
}

TEST(ReleveCsv, AnyUnreadableLineRefusesTheStatementNamingIt) {
    const QByteArray entete = "Date;Libell\xC3\xA9;D\xC3\xA9"
                              "bit;Cr\xC3\xA9"
                              "dit\n"
                              "05/03/2024;CHQ 1;10,00;\n";
    auto refus = [&](const QByteArray& ligne) {
        const auto r = LireReleve(entete + ligne);
        return r ? QString() : r.raison();
    };
    EXPECT_EQ(
        refus("31/02/2024;X;1,00;"),
        QStringLiteral("ligne 3 : la date « 31/02/2024 » ne se lit pas (JJ/MM/AAAA attendu)."));
    EXPECT_EQ(refus(";X;1,00;"), QStringLiteral("ligne 3 : la date manque."));
    EXPECT_EQ(refus("06/03/2024;X;1,234;"),
              QStringLiteral("ligne 3 : le débit « 1,234 » ne se lit pas."));
    EXPECT_EQ(refus("06/03/2024;X;1,00;2,00"),
              QStringLiteral("ligne 3 : un débit et un crédit à la fois."));
    EXPECT_EQ(refus("06/03/2024;X;;"), QStringLiteral("ligne 3 : ni débit ni crédit."));
    EXPECT_TRUE(refus("06/03/2024;\"X;1,00;").startsWith(QStringLiteral("ligne 3 : un guillemet")));
    // "-12,50" unquoted between commas would read as 12 euros.
    const auto virgules = LireReleve("Date,Libelle,Montant\n05/03/2024,CHQ 1,\"-1,00\"\n"
                                     "06/03/2024,CHQ 2,-12,50\n");
    ASSERT_FALSE(virgules);
    EXPECT_EQ(virgules.raison(), QStringLiteral("ligne 3 : 4 champs au lieu de 3 : un champ "
                                                "contient le séparateur « , » sans être entre "
                                                "guillemets."));
    // A line of bare separators is not split into millions of fields.
    EXPECT_EQ(refus("06/03/2024;X;1,00;" + QByteArray(5000, ';')),
              QStringLiteral("ligne 3 : plus de 1000 champs."));
    // UTF-8 beside a byte that is not: the first bad line is named.
    EXPECT_TRUE(refus("06/03/2024;caf\xE9;1,00;").startsWith(QStringLiteral("ligne 3 : ")));
}

TEST(ReleveCsv, HeadersAsBanksWriteThem) {
    auto colonnes = [](const char* entete) {
        const auto c = ColonnesDeLEntete(QString::fromUtf8(entete).split(u';'));
        return c ? QStringList{QString::number(c->date), QString::number(c->libelle),
                               QString::number(c->debit), QString::number(c->credit),
                               QString::number(c->montant)}
                       .join(u' ')
                 : QStringLiteral("aucune");
    };
    // date, label, debit, credit, signed amount
    EXPECT_EQ(colonnes("Date;Libellé;Débit euros;Crédit euros;"), "0 1 2 3 -1");
    EXPECT_EQ(colonnes("Date de valeur;Date de l'opération;Libellé de l'opération;Montant (EUR)"),
              "1 2 -1 -1 3");
    EXPECT_EQ(colonnes("Date opération;Catégorie;Sous-catégorie;Libellé;Montant"), "0 3 -1 -1 4");
    EXPECT_EQ(colonnes("dateOp;dateVal;label;category;amount;comment"), "0 2 -1 -1 4");
    EXPECT_EQ(colonnes("DATE;NATURE DE L'OPERATION;DEBIT;CREDIT"), "0 1 2 3 -1");
    EXPECT_EQ(colonnes("Date valeur;Détail;Crédit"), "0 1 -1 2 -1");
    EXPECT_EQ(colonnes("Date;Libellé;Solde"), "aucune");
    EXPECT_EQ(colonnes("Libellé;Débit;Crédit"), "aucune");
}

TEST(ReleveCsv, ColumnsChosenByHandWhenTheHeaderNamesNone) {
    const QByteArray octets = "Relev\xC3\xA9 du 01/03/2024 au 31/03/2024\n"
                              "Jour;Texte;Somme sign\xC3\xA9"
                              "e;Solde\n"
                              "05/03/2024;CHQ 1234567;-10,00;90,00\n"
                              "06/03/2024;VIR;5,00;95,00\n";
    const auto sans = LireReleve(octets);
    ASSERT_FALSE(sans);
    EXPECT_TRUE(sans.raison().contains(QStringLiteral("choisissez-les")));

    const auto apercu = ApercevoirCsv(octets);
    ASSERT_TRUE(apercu);
    EXPECT_EQ(apercu->separateur, u';');
    EXPECT_FALSE(apercu->colonnes);
    ASSERT_EQ(apercu->lignes.size(), 4);
    EXPECT_EQ(apercu->lignes[2], (QStringList{"05/03/2024", "CHQ 1234567", "-10,00", "90,00"}));

    ColonnesReleve c;
    c.date = 0;
    c.libelle = 1;
    c.montant = 2;
    const auto garde = ColonnesReleve::depuisTexte(c.enTexte());
    ASSERT_TRUE(garde);
    EXPECT_EQ(*garde, c);
    const auto r = LireReleve(octets, *garde);
    ASSERT_TRUE(r) << r.raison().toStdString();
    EXPECT_EQ(Montants(*r), (QVector<std::int64_t>{-1000, 500}));
    EXPECT_EQ(r->lignes[0].ligne, 3);

    // Columns that cannot read a movement are refused, not guessed.
    c.debit = 3;
    EXPECT_FALSE(c.completes());
    EXPECT_FALSE(LireReleve(octets, c));
    EXPECT_FALSE(ColonnesReleve::depuisTexte(QStringLiteral("date=0;libelle=0;debit=-1;"
                                                            "credit=-1;montant=2")));
}

TEST(ReleveCsv, AmountsAsBanksWriteThem) {
    const std::pair<const char*, std::int64_t> bons[] = {
        {"1 234,56", 123456},
        {"1\u00A0234,5", 123450},
        {"1\u202F234\u202F567,00", 123456700},
        {"1.234,56", 123456},
        {"1.234", 123400},
        {"1234.5", 123450},
        {"-0,01", -1},
        {"12,340000", 1234},
        {"1'234,00 EUR", 123400},
        {"\u2212"
         "5",
         -500},
    };
    for (const auto& [texte, attendu] : bons) {
        const auto m = LireMontantReleve(QString::fromUtf8(texte));
        ASSERT_TRUE(m) << texte;
        EXPECT_EQ(*m, attendu) << texte;
    }
    // A tenth of a cent, mixed or uneven groups, two signs: no bank writes them.
    for (const char* mauvais : {"", "-", "12,", "1,2,3", "12 34,00", "1 234.567,00", "1.234 567",
                                "1234,5a", "12.345.6", "99999999999999,00", "--1", "12,345", "(1)"})
        EXPECT_FALSE(LireMontantReleve(QString::fromUtf8(mauvais))) << mauvais;
}

TEST(ReleveCfonb, RecordsWithSignedLastDigitAndComplements) {
    const QVector<QByteArray> r = {
        Enregistrement("01", "290224", "0000000010000{"),                 // 1 000,00
        Enregistrement("04", "050324", "0000000012500}", "CHEQUE"),       // -1 250,00
        Enregistrement("05", "050324", "", "N 0001234567"),               // its label's end
        Enregistrement("04", "060324", "0000000000001J", "FRAIS"),        // -0,11
        Enregistrement("04", "070324", "0000000085000{", "VIR LOYER", 3), // 850,000
        Enregistrement("07", "310324", "0000000005998I"),                 // 599,89
    };
    QByteArray fichier;
    for (const QByteArray& e : r)
        fichier += e + "\r\n";
    ASSERT_TRUE(EstCfonb(fichier));
    const auto lu = LireReleve(fichier);
    ASSERT_TRUE(lu) << lu.raison().toStdString();
    EXPECT_EQ(lu->format, FormatReleve::Cfonb);
    EXPECT_EQ(Montants(*lu), (QVector<std::int64_t>{-125000, -11, 85000}));
    EXPECT_EQ(lu->lignes[0].libelle, QStringLiteral("CHEQUE N 0001234567"));
    EXPECT_EQ(lu->lignes[0].date, QDate(2024, 3, 5));
    EXPECT_EQ(lu->lignes[2].ligne, 5);
    EXPECT_EQ(lu->ancienSolde, 100000);
    EXPECT_EQ(lu->nouveauSolde, 59989);

    // The same records one after the other, without line ends.
    QByteArray colles;
    for (const QByteArray& e : r)
        colles += e;
    const auto aussi = LireReleve(colles);
    ASSERT_TRUE(aussi) << aussi.raison().toStdString();
    EXPECT_EQ(Montants(*aussi), Montants(*lu));
    EXPECT_EQ(aussi->lignes[2].ligne, 5);
}

TEST(ReleveCfonb, DamagedRecordsAreRefusedNamingTheLine) {
    const QByteArray ouverture = Enregistrement("01", "290224", "0000000010000{") + "\n";
    const QByteArray cloture = Enregistrement("07", "310324", "0000000010000{") + "\n";
    auto refus = [&](const QByteArray& milieu) {
        const auto r = LireReleve(ouverture + milieu + cloture);
        return r ? QString() : r.raison();
    };
    ASSERT_EQ(refus(""), QString());
    EXPECT_EQ(refus(Enregistrement("04", "050324", "00000000000001") + "\n"),
              QStringLiteral("ligne 2 : le montant « 00000000000001 » ne se lit pas."));
    EXPECT_EQ(refus(Enregistrement("04", "050324", "000000000000A{") + "\n"),
              QStringLiteral("ligne 2 : le montant « 000000000000A{ » ne se lit pas."));
    EXPECT_EQ(refus(Enregistrement("04", "300224", "0000000000000{") + "\n"),
              QStringLiteral("ligne 2 : la date « 300224 » ne se lit pas (JJMMAA attendu)."));
    EXPECT_EQ(refus(Enregistrement("04", "050324", "0000000000000{") + "X\n"),
              QStringLiteral("ligne 2 : l'enregistrement a 121 caractères au lieu de 120."));
    EXPECT_TRUE(refus(Enregistrement("03", "050324", "0000000000000{") + "\n")
                    .startsWith(QStringLiteral("ligne 2 : enregistrement de type « 03 »")));
    EXPECT_TRUE(refus(Enregistrement("04", "050324", "0000000000100}") + "\n")
                    .startsWith(QStringLiteral("ligne 3 : le nouveau solde ne fait pas")));
    EXPECT_TRUE(
        refus(Enregistrement("04", "050324", "0000000000000{", "X", 2, "99999999999") + "\n")
            .startsWith(QStringLiteral("ligne 2 : l'enregistrement n'est pas du compte")));
    EXPECT_TRUE(refus(Enregistrement("05", "050324", "", "SEUL") + "\n")
                    .startsWith(QStringLiteral("ligne 2 : un complément (05) sans")));
    // Cut short: no new balance, or half a record.
    const auto coupe = LireReleve(ouverture + Enregistrement("04", "050324", "0000000000000{"));
    ASSERT_FALSE(coupe);
    EXPECT_TRUE(coupe.raison().contains(QStringLiteral("tronqué")));
    const QByteArray colles = ouverture.chopped(1) + cloture.chopped(1);
    // Without line ends, the record is named by its rank.
    EXPECT_EQ(LireReleve(ouverture.chopped(1) + Enregistrement("04", "050324", "00000000000001") +
                         cloture.chopped(1))
                  .raison(),
              QStringLiteral("enregistrement 2 : le montant « 00000000000001 » ne se lit pas."));
    EXPECT_FALSE(LireReleve(colles.chopped(7)));
    EXPECT_TRUE(LireReleve(colles));
}

TEST(Releve, TooLargeOrEmptyIsRefused) {
    EXPECT_EQ(LireReleve(QByteArray(kTailleMaxReleve + 1, ' ')).raison(),
              QStringLiteral("le relevé fait plus de 16 Mo : ce n'est pas un relevé de compte."));
    EXPECT_EQ(LireReleve("\r\n \r\n").raison(), QStringLiteral("le relevé est vide."));
    EXPECT_EQ(LireReleve("Date;Libell\xC3\xA9;Montant\r\n").raison(),
              QStringLiteral("le relevé ne contient aucune opération datée."));
}

// Both formats, read and matched against the same cheques: one cashed, one
// with another amount, one number the register does not hold.
TEST(Releve, StatementsInBothFormatsReconcileTheSameWay) {
    const QVector<ChequeEnCours> cheques = {
        {1, 1234567, 125000, QDate(2024, 3, 1), QStringLiteral("Garage")},
        {2, 1234568, 4000, QDate(2024, 3, 2), QStringLiteral("Boulangerie")},
        {3, 1234569, 999, QDate(2024, 3, 2), QStringLiteral("Presse")},
    };
    const QByteArray csv = "Date;Libell\xC3\xA9;Montant\r\n"
                           "05/03/2024;CHEQUE N\xC2\xB0 1234567;-1 250,00\r\n"
                           "06/03/2024;CHQ 1234568;-41,00\r\n"
                           "07/03/2024;CHQ 7654321;-9,99\r\n";
    QByteArray cfonb;
    for (const QByteArray& e :
         {Enregistrement("01", "290224", "0000000020000{"),
          Enregistrement("04", "050324", "0000000012500}", "CHEQUE NO 1234567"),
          Enregistrement("04", "060324", "0000000000410}", "CHQ 1234568"),
          Enregistrement("04", "070324", "0000000000099R", "CHQ 7654321"),
          Enregistrement("07", "310324", "0000000006990A")})
        cfonb += e + "\n";
    for (const QByteArray& octets : {csv, cfonb}) {
        const auto releve = LireReleve(octets);
        ASSERT_TRUE(releve) << releve.raison().toStdString();
        const Rapprochement r = Rapprocher(releve->lignes, cheques);
        ASSERT_EQ(r.rapproches.size(), 1);
        EXPECT_EQ(r.rapproches[0].id, 1);
        EXPECT_EQ(r.rapproches[0].encaissement, QDate(2024, 3, 5));
        ASSERT_EQ(r.aDecider.size(), 2);
        EXPECT_EQ(r.aDecider[0].doute, Doute::MontantDifferent);
        EXPECT_EQ(r.aDecider[0].candidats, (QVector<std::int64_t>{2}));
        EXPECT_EQ(r.aDecider[1].doute, Doute::NumeroInconnu);
        EXPECT_EQ(r.aDecider[1].candidats, (QVector<std::int64_t>{3})); // same amount
        EXPECT_EQ(r.restants, 2);
        EXPECT_EQ(r.restantCentimes, 4999);
    }
}
