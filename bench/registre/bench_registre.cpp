// The register at size. Ten years of daily journals (3 650 files, 25 000
// cheques) taken into a new register; a register of 100 000 cheques opened in
// the history window until its first rows are painted, one search keystroke,
// the outstanding total and the list the bank reconciliation works on.
#include "PlateformeTest.h"
#include "cheque/Journal.h"
#include "registre/Registre.h"
#include "windows/AppScribane.h"
#include "windows/FrmHistorique.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char* const kNoms[] = {"Société Générale", "EDF",           "Crédit Agricole",   "Martin",
                             "Dupont et Fils",   "Trésor Public", "Pharmacie Lefèvre", "Orange"};

QString JournauxDixAns() {
    static QTemporaryDir dir;
    static bool fait = false;
    if (!fait) {
        fait = true;
        const QString journaux = dir.filePath(QStringLiteral("Journaux"));
        QDir().mkpath(journaux);
        QRandomGenerator alea(7);
        int cheques = 0;
        const QDate debut(2015, 1, 1);
        for (int jour = 0; jour < 3650; ++jour)
            for (int i = 0; cheques < 25000 * (jour + 1) / 3650; ++i, ++cheques)
                EcrireJournal(journaux, QDateTime(debut.addDays(jour), QTime(9, i)),
                              QStringLiteral("%1,%2")
                                  .arg(alea.bounded(1, 5000))
                                  .arg(alea.bounded(0, 99), 2, 10, QLatin1Char('0')),
                              QString::fromUtf8(kNoms[alea.bounded(8)]),
                              alea.bounded(3) == 0 ? QStringLiteral("martin") : QString());
    }
    return dir.path();
}

void BM_ImporterDixAnsDeJournaux(benchmark::State& state) {
    const QString source = JournauxDixAns();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dossier;
        QDir().rename(source + QStringLiteral("/Journaux"),
                      dossier.filePath(QStringLiteral("Journaux")));
        state.ResumeTiming();
        OuvertureRegistre rapport;
        auto reg = Registre::ouvrir(CheminsScribane{dossier.path()}, &rapport);
        benchmark::DoNotOptimize(reg.ok());
        state.counters["importes"] = rapport.importes;
        state.PauseTiming();
        reg = Echec{};
        QDir().rename(dossier.filePath(QStringLiteral("Journaux")),
                      source + QStringLiteral("/Journaux"));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImporterDixAnsDeJournaux)->Unit(benchmark::kMillisecond)->Iterations(3);

// 100 000 cheques over ten years, a tenth of them numbered on, most cashed.
QString Registre100000() {
    static QTemporaryDir dir;
    static bool fait = false;
    if (!fait) {
        fait = true;
        auto reg = Registre::ouvrir(CheminsScribane{dir.path()});
        Registre& r = *reg.valeur();
        (void)r.reglerChequier(1, {ChequierParDefaut(1), true, 1000000});
        QRandomGenerator alea(11);
        const QDate debut(2015, 1, 1);
        QVector<Encaissement> encaisses;
        for (int lot = 0; lot < 100; ++lot) {
            QVector<ChequeAInscrire> cheques;
            for (int i = 0; i < 1000; ++i) {
                const std::int64_t centimes = alea.bounded(100, 500000);
                cheques.append({debut.addDays((lot * 1000 + i) * 3650 / 100000),
                                centimes,
                                MontantDeCentimes(centimes),
                                QString::fromUtf8(kNoms[alea.bounded(8)]),
                                QStringLiteral("Paris"),
                                {},
                                QStringLiteral("Bureau")});
            }
            const auto notes = r.noter(1, cheques);
            (void)r.confirmer(*notes, QDateTime(debut.addDays(lot * 36), QTime(10, 0)));
            for (const ChequeInscrit& c : *notes)
                if (alea.bounded(10) != 0)
                    encaisses.append({c.id, debut.addDays(lot * 36 + 10)});
        }
        (void)r.marquerEncaisses(encaisses);
    }
    return dir.path();
}

void BM_FenetrePremieresLignes(benchmark::State& state) {
    PlateformeTest plateforme;
    AppScribane app(Registre100000(), plateforme.services());
    app.registre = std::move(Registre::ouvrir(app.chemins).valeur());
    for (auto _ : state) {
        FrmHistorique h(app);
        h.show();
        QApplication::processEvents(); // the first rows painted
        benchmark::DoNotOptimize(&h);
    }
}
BENCHMARK(BM_FenetrePremieresLignes)->Unit(benchmark::kMillisecond);

void BM_FrappeRecherche(benchmark::State& state) {
    PlateformeTest plateforme;
    AppScribane app(Registre100000(), plateforme.services());
    app.registre = std::move(Registre::ouvrir(app.chemins).valeur());
    FrmHistorique h(app);
    h.show();
    auto* recherche = h.findChild<QLineEdit*>(QStringLiteral("TxtRecherche"));
    bool alterne = false;
    for (auto _ : state) {
        recherche->setText(alterne ? QStringLiteral("gene") : QStringLiteral("gener"));
        alterne = !alterne;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FrappeRecherche)->Unit(benchmark::kMillisecond);

void BM_TotalEnCours(benchmark::State& state) {
    auto reg = Registre::ouvrir(CheminsScribane{Registre100000()});
    for (auto _ : state) {
        const auto e = reg.valeur()->enCours();
        benchmark::DoNotOptimize(e->centimes);
        state.counters["en_cours"] = e->nombre;
    }
}
BENCHMARK(BM_TotalEnCours)->Unit(benchmark::kMillisecond);

void BM_LireLeRegistre(benchmark::State& state) {
    auto reg = Registre::ouvrir(CheminsScribane{Registre100000()});
    for (auto _ : state) {
        const auto l = reg.valeur()->cheques();
        benchmark::DoNotOptimize(l->size());
    }
}
BENCHMARK(BM_LireLeRegistre)->Unit(benchmark::kMillisecond);

void BM_NonEncaisses(benchmark::State& state) {
    auto reg = Registre::ouvrir(CheminsScribane{Registre100000()});
    for (auto _ : state) {
        const auto l = reg.valeur()->nonEncaisses();
        benchmark::DoNotOptimize(l->size());
    }
}
BENCHMARK(BM_NonEncaisses)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
