#include "cheque/Rapprochement.h"

#include <gtest/gtest.h>

namespace {

ChequeEnCours Cheque(std::int64_t id, std::optional<std::uint32_t> numero, std::int64_t centimes,
                     QDate date = QDate(2024, 3, 1)) {
    return {id, numero, centimes, date, QStringLiteral("Dest %1").arg(id)};
}

LigneReleve Ligne(int ligne, const char* libelle, std::int64_t centimes,
                  QDate date = QDate(2024, 3, 10)) {
    return {ligne, date, QString::fromUtf8(libelle), centimes};
}

QVector<int> LignesDe(const QVector<LigneReleve>& l) {
    QVector<int> n;
    for (const auto& x : l)
        n << x.ligne;
    return n;
}

} // namespace

TEST(NumeroDeCheque, TheWaysBanksWriteIt) {
    const std::pair<const char*, std::uint32_t> bons[] = {
        {"CHQ 1234567", 1234567},
        {"CHEQUE N° 1234567", 1234567},
        {"CHEQUE 1234567", 1234567},
        {"chèque nº0001234567", 1234567},
        {"PAIEMENT CHQ. NO 12", 12},
        {"Chq N.1234567 du 05/03", 1234567},
        {"CHEQUE NUMERO: 7654321", 7654321},
        {"CHQ1234567", 1234567},
        {"CHÈQUES N°- 0000042", 42},
    };
    for (const auto& [libelle, numero] : bons) {
        const auto n = NumeroDeCheque(QString::fromUtf8(libelle));
        ASSERT_TRUE(n) << libelle;
        EXPECT_EQ(*n, numero) << libelle;
    }
    for (const char* aucun :
         {"CB CHEQUIER 1234567", "PRLV CHQDEJ 1234567", "CHQ 12345678", "CHEQUE DU 05/03/2024",
          "CHQ 0000000", "CHQ 12,50", "VIR 1234567", "ACHAT CHQ", "XCHQ 1234567"})
        EXPECT_FALSE(NumeroDeCheque(QString::fromUtf8(aucun))) << aucun;
}

TEST(Rapprocher, OnlyANumberAndItsAmountMarkACheque) {
    const QVector<ChequeEnCours> cheques = {
        Cheque(1, 1234567, 125000),    Cheque(2, 1234568, 4000),  Cheque(3, 1234569, 999),
        Cheque(4, std::nullopt, 5000), Cheque(5, 1234570, 30000),
    };
    const QVector<LigneReleve> lignes = {
        Ligne(2, "CARTE 05/03 SUPERMARCHE", -5000),        // the amount of cheque 4, no number
        Ligne(3, "CHEQUE N° 1234567", -125000),            // matched
        Ligne(4, "CHQ 1234568", -4100),                    // number known, other amount
        Ligne(5, "CHQ 7777777", -999),                     // unknown number, amount of cheque 3
        Ligne(6, "CHQ 1234567", -125000),                  // the same cheque again
        Ligne(7, "REMISE CHQ 1234570", 30000),             // a credit: never a cheque we wrote
        Ligne(8, "PRLV EDF", -3333),                       // nothing like it
        Ligne(9, "CHQ 1234569", -999, QDate(2024, 3, 12)), // matched, though line 5 was first
    };
    const Rapprochement r = Rapprocher(lignes, cheques);

    ASSERT_EQ(r.rapproches.size(), 2);
    EXPECT_EQ(r.rapproches[0].id, 1);
    EXPECT_EQ(r.rapproches[0].encaissement, QDate(2024, 3, 10));
    EXPECT_EQ(r.rapproches[1].id, 3);
    EXPECT_EQ(r.rapproches[1].encaissement, QDate(2024, 3, 12));

    ASSERT_EQ(r.aDecider.size(), 4);
    EXPECT_EQ(r.aDecider[0].ligne.ligne, 2);
    EXPECT_EQ(r.aDecider[0].doute, Doute::SansNumero);
    EXPECT_EQ(r.aDecider[0].candidats, (QVector<std::int64_t>{4}));
    EXPECT_EQ(r.aDecider[1].ligne.ligne, 4);
    EXPECT_EQ(r.aDecider[1].doute, Doute::MontantDifferent);
    EXPECT_EQ(r.aDecider[1].candidats, (QVector<std::int64_t>{2}));
    EXPECT_EQ(r.aDecider[2].ligne.ligne, 5);
    EXPECT_EQ(r.aDecider[2].doute, Doute::NumeroInconnu);
    EXPECT_EQ(r.aDecider[2].numero, 7777777u);
    EXPECT_TRUE(r.aDecider[2].candidats.isEmpty()); // cheque 3 went to line 9
    EXPECT_EQ(r.aDecider[3].ligne.ligne, 6);
    EXPECT_EQ(r.aDecider[3].doute, Doute::DejaRapproche);
    EXPECT_TRUE(r.aDecider[3].candidats.isEmpty());

    EXPECT_EQ(LignesDe(r.nonRapproches), (QVector<int>{7, 8}));
    EXPECT_EQ(r.restants, 3);
    EXPECT_EQ(r.restantCentimes, 4000 + 5000 + 30000);
}

TEST(Rapprocher, TwinChequesAreLeftToTheUserAndCandidatesComeByNearestDate) {
    QVector<ChequeEnCours> cheques = {Cheque(1, 100, 2000), Cheque(2, 100, 2000)};
    for (int k = 0; k < 30; ++k)
        cheques << Cheque(10 + k, std::nullopt, 7000, QDate(2024, 1, 1).addDays(k * 3));
    const Rapprochement r = Rapprocher(
        {Ligne(1, "CHQ 100", -2000), Ligne(2, "RETRAIT", -7000, QDate(2024, 2, 1))}, cheques);
    EXPECT_TRUE(r.rapproches.isEmpty());
    ASSERT_EQ(r.aDecider.size(), 2);
    EXPECT_EQ(r.aDecider[0].doute, Doute::PlusieursCheques);
    EXPECT_EQ(r.aDecider[0].candidats, (QVector<std::int64_t>{1, 2}));
    // 31 days after 1 January: the cheque of day 30 (id 20), then days 33 and 27.
    EXPECT_EQ(r.aDecider[1].candidatsEnTout, 30);
    ASSERT_EQ(r.aDecider[1].candidats.size(), kCandidatsMax);
    EXPECT_EQ(r.aDecider[1].candidats.mid(0, 3), (QVector<std::int64_t>{20, 21, 19}));
    EXPECT_EQ(r.restants, 32);
}
