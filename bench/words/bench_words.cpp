// Times MontantEnLettres and NombreEnLettres beside ICU's French spellout, over
// the same one million amounts from 0,01 to 999 999 999,99, and prints how
// many times faster than ICU the amount text is.

#include "words/MontantEnLettres.h"
#include "words/MontantTexte.h"
#include "words/NombreEnLettres.h"

#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kNombreDeMontants = 1'000'000;

struct Montants {
    std::vector<double> valeurs;
    // The amounts as the amount box shows them ("123 456 789,01"), end to end.
    std::u16string textes;
    std::vector<std::size_t> debuts; // one more than the amounts

    QStringView Texte(std::size_t i) const {
        return QStringView(textes.data() + debuts[i], qsizetype(debuts[i + 1] - debuts[i]));
    }
};

const Montants& LesMontants() {
    static const Montants m = [] {
        Montants m;
        std::mt19937_64 hasard(1234567);
        m.valeurs.reserve(kNombreDeMontants);
        m.debuts.reserve(kNombreDeMontants + 1);
        m.debuts.push_back(0);
        for (int i = 0; i < kNombreDeMontants; ++i) {
            const std::uint64_t centiemes = 1 + hasard() % 99'999'999'999ULL;
            const double valeur = double(centiemes) / 100;
            m.valeurs.push_back(valeur);
            const QString texte = FormaterMontant(valeur);
            m.textes.append(reinterpret_cast<const char16_t*>(texte.utf16()), texte.size());
            m.debuts.push_back(m.textes.size());
        }
        return m;
    }();
    return m;
}

void BM_MontantEnLettres(benchmark::State& state) {
    const Montants& m = LesMontants();
    std::size_t i = 0;
    for (auto _ : state) {
        ResultatMontant r = MontantEnLettres(m.Texte(i), u"euro", u"centime", u"et", false);
        benchmark::DoNotOptimize(r);
        i = (i + 1) % kNombreDeMontants;
    }
}

// The same in each variant and spelling: the arguments are the variant (0
// France, 1 Belgique, 2 Suisse) and the spelling (0 traditional, 1 1990).
void BM_MontantEnLettresVariante(benchmark::State& state) {
    const Montants& m = LesMontants();
    const ReglesMots regles{Variante(state.range(0)), Orthographe(state.range(1))};
    std::size_t i = 0;
    for (auto _ : state) {
        ResultatMontant r = MontantEnLettres(m.Texte(i), u"euro", u"centime", u"et", false, regles);
        benchmark::DoNotOptimize(r);
        i = (i + 1) % kNombreDeMontants;
    }
}

void BM_NombreEnLettres(benchmark::State& state) {
    const Montants& m = LesMontants();
    std::size_t i = 0;
    for (auto _ : state) {
        std::optional<QString> r = NombreEnLettres(m.valeurs[i], u"euro");
        benchmark::DoNotOptimize(r);
        i = (i + 1) % kNombreDeMontants;
    }
}

std::unique_ptr<icu::RuleBasedNumberFormat> Icu() {
    UErrorCode statut = U_ZERO_ERROR;
    auto format = std::make_unique<icu::RuleBasedNumberFormat>(icu::URBNF_SPELLOUT,
                                                               icu::Locale::getFrench(), statut);
    if (U_FAILURE(statut))
        return nullptr;
    return format;
}

// ICU writes the amount as one number ("... virgule zéro un").
void BM_IcuSpellout(benchmark::State& state) {
    const Montants& m = LesMontants();
    const auto format = Icu();
    if (!format) {
        state.SkipWithError("ICU n'a pas de règles d'écriture en lettres pour le français");
        return;
    }
    icu::UnicodeString texte;
    std::size_t i = 0;
    for (auto _ : state) {
        texte.remove();
        format->format(m.valeurs[i], texte);
        benchmark::DoNotOptimize(texte);
        i = (i + 1) % kNombreDeMontants;
    }
}

// What an amount text built on ICU would at least cost: units and cents.
void BM_IcuSpelloutUnitesEtCentimes(benchmark::State& state) {
    const Montants& m = LesMontants();
    const auto format = Icu();
    if (!format) {
        state.SkipWithError("ICU n'a pas de règles d'écriture en lettres pour le français");
        return;
    }
    icu::UnicodeString unites;
    icu::UnicodeString centimes;
    std::size_t i = 0;
    for (auto _ : state) {
        const double entier = std::floor(m.valeurs[i]);
        unites.remove();
        centimes.remove();
        format->format(entier, unites);
        format->format(std::round((m.valeurs[i] - entier) * 100), centimes);
        benchmark::DoNotOptimize(unites);
        benchmark::DoNotOptimize(centimes);
        i = (i + 1) % kNombreDeMontants;
    }
}

// Every benchmark runs over the one million amounts exactly once.
BENCHMARK(BM_MontantEnLettres)->Iterations(kNombreDeMontants);
BENCHMARK(BM_MontantEnLettresVariante)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Iterations(kNombreDeMontants);
BENCHMARK(BM_NombreEnLettres)->Iterations(kNombreDeMontants);
BENCHMARK(BM_IcuSpellout)->Iterations(kNombreDeMontants);
BENCHMARK(BM_IcuSpelloutUnitesEtCentimes)->Iterations(kNombreDeMontants);

// Keeps the processor time per call of each benchmark for the ratios at the
// end: on a shared machine the wall time also counts the others' work.
class Rapporteur : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions, the median stands for the benchmark: it comes
        // after the runs it sums up, and the other aggregates are not times.
        for (const Run& run : runs)
            if (!run.error_occurred && run.iterations > 0 &&
                (run.run_type != Run::RT_Aggregate || run.aggregate_name == "median"))
                nsParAppel[run.run_name.str()] = run.GetAdjustedCPUTime() * 1e9 /
                                                 benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
    std::map<std::string, double> nsParAppel;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    LesMontants(); // built before any timing
    Rapporteur rapporteur;
    benchmark::RunSpecifiedBenchmarks(&rapporteur);
    benchmark::Shutdown();

    auto temps = [&](const char* nom) {
        for (const auto& [cle, ns] : rapporteur.nsParAppel)
            if (cle.rfind(nom, 0) == 0 &&
                (cle.size() == std::string(nom).size() || cle[std::string(nom).size()] == '/'))
                return ns;
        return 0.0;
    };
    const double montant = temps("BM_MontantEnLettres");
    const double nombre = temps("BM_NombreEnLettres");
    const double icu = temps("BM_IcuSpellout");
    const double icu2 = temps("BM_IcuSpelloutUnitesEtCentimes");
    if (montant > 0 && nombre > 0 && icu > 0 && icu2 > 0) {
        std::printf("\nns par appel : MontantEnLettres %.1f, NombreEnLettres %.1f, "
                    "ICU %.1f, ICU unités + centimes %.1f\n",
                    montant, nombre, icu, icu2);
        std::printf("MontantEnLettres : %.1f fois plus rapide qu'ICU (%.1f fois avec "
                    "unités + centimes)\n",
                    icu / montant, icu2 / montant);
        std::printf("NombreEnLettres : %.1f fois plus rapide qu'ICU\n", icu / nombre);
        const char* const variantes[] = {"France", "Belgique", "Suisse"};
        const char* const orthographes[] = {"traditionnelle", "1990"};
        for (int v = 0; v < 3; ++v)
            for (int o = 0; o < 2; ++o) {
                const std::string nom =
                    "BM_MontantEnLettresVariante/" + std::to_string(v) + "/" + std::to_string(o);
                const double ns = temps(nom.c_str());
                if (ns > 0)
                    std::printf("MontantEnLettres %s, orthographe %s : %.1f ns, %.1f fois plus "
                                "rapide qu'ICU (%.1f fois avec unités + centimes)\n",
                                variantes[v], orthographes[o], ns, icu / ns, icu2 / ns);
            }
    }
    return 0;
}
