// 100 000 cheques not yet cashed and a statement of 5 000 lines: most name a
// cheque and its amount, some another amount or an unknown number, the rest
// are card payments and transfers. Run by hand; the median of nine runs is
// the figure.
#include "cheque/HistoriqueJournal.h"
#include "cheque/Rapprochement.h"
#include "cheque/Releve.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCheques = 100'000;
constexpr int kLignes = 5'000;

const QVector<ChequeEnCours>& Cheques() {
    static const QVector<ChequeEnCours> cheques = [] {
        QVector<ChequeEnCours> c;
        c.reserve(kCheques);
        QRandomGenerator alea(11);
        const QDate debut(2015, 1, 1);
        for (int i = 0; i < kCheques; ++i)
            c.append({i + 1,
                      i % 10 == 9 ? std::nullopt : std::optional<std::uint32_t>(1'000'000 + i),
                      alea.bounded(100, 500'000), debut.addDays(i / 30),
                      QStringLiteral("Destinataire %1").arg(i % 500)});
        return c;
    }();
    return cheques;
}

const QVector<LigneReleve>& Lignes() {
    static const QVector<LigneReleve> lignes = [] {
        QVector<LigneReleve> l;
        QRandomGenerator alea(12);
        const QVector<ChequeEnCours>& cheques = Cheques();
        for (int i = 0; i < kLignes; ++i) {
            const ChequeEnCours& c = cheques[alea.bounded(kCheques)];
            const QDate jour = QDate(2024, 1, 1).addDays(i / 40);
            const int genre = alea.bounded(10);
            if (genre < 6 && c.numero)
                l.append({i + 2, jour, QStringLiteral("CHEQUE N° %1").arg(*c.numero), -c.centimes});
            else if (genre == 6 && c.numero)
                l.append({i + 2, jour, QStringLiteral("CHQ %1").arg(*c.numero), -c.centimes - 100});
            else if (genre == 7)
                l.append({i + 2, jour, QStringLiteral("CHQ %1").arg(9'000'000 + i), -c.centimes});
            else if (genre == 8)
                l.append({i + 2, jour, QStringLiteral("CB SUPERMARCHE %1").arg(i), -c.centimes});
            else
                l.append({i + 2, jour, QStringLiteral("VIR SALAIRE"), 250'000});
        }
        return l;
    }();
    return lignes;
}

QByteArray Csv() {
    QString t = QStringLiteral("Date;Libellé;Débit;Crédit\r\n");
    for (const LigneReleve& l : Lignes()) {
        const QString montant = MontantDeCentimes(l.centimes < 0 ? -l.centimes : l.centimes);
        t += l.date.toString(QStringLiteral("dd/MM/yyyy")) + u';' + l.libelle + u';' +
             (l.centimes < 0 ? montant + u';' : u';' + montant) + QStringLiteral("\r\n");
    }
    return t.toUtf8();
}

void BM_Rapprocher(benchmark::State& state) {
    const auto& cheques = Cheques();
    const auto& lignes = Lignes();
    for (auto _ : state) {
        const Rapprochement r = Rapprocher(lignes, cheques);
        benchmark::DoNotOptimize(r.restantCentimes);
        state.counters["rapproches"] = double(r.rapproches.size());
        state.counters["a_decider"] = double(r.aDecider.size());
    }
}
BENCHMARK(BM_Rapprocher)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_LireReleveCsv(benchmark::State& state) {
    const QByteArray octets = Csv();
    for (auto _ : state) {
        const auto r = LireReleve(octets);
        if (!r || r->lignes.size() != kLignes)
            state.SkipWithError("relevé illisible");
        benchmark::DoNotOptimize(r.ok());
    }
}
BENCHMARK(BM_LireReleveCsv)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Near the size cap: 400 000 lines, 12 MB.
void BM_LireReleveAuPlafond(benchmark::State& state) {
    QByteArray octets = "Date;Libell\xC3\xA9;Montant\n";
    for (int i = 0; i < 400'000; ++i)
        octets += QStringLiteral("05/03/2024;CHQ %1;-%2,%3\n")
                      .arg(i)
                      .arg(i % 5000)
                      .arg(i % 100, 2, 10, QLatin1Char('0'))
                      .toUtf8();
    for (auto _ : state) {
        const auto r = LireReleve(octets);
        if (!r)
            state.SkipWithError("relevé illisible");
        benchmark::DoNotOptimize(r.ok());
    }
    state.counters["octets"] = double(octets.size());
}
BENCHMARK(BM_LireReleveAuPlafond)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The whole way: the statement's bytes read, then matched.
void BM_LireEtRapprocher(benchmark::State& state) {
    const QByteArray octets = Csv();
    const auto& cheques = Cheques();
    for (auto _ : state) {
        const auto r = LireReleve(octets);
        const Rapprochement m = Rapprocher(r->lignes, cheques);
        benchmark::DoNotOptimize(m.restants);
    }
}
BENCHMARK(BM_LireEtRapprocher)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
