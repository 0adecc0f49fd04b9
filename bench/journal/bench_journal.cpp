// Ten years of daily journals (3 650 files, 25 000 cheques): reading them all,
// the history window until its first rows are there, one search keystroke,
// and `scribane-cli journal --csv` as a whole process.
#include "PlateformeTest.h"
#include "cheque/Journal.h"
#include "registre/Registre.h"
#include "windows/AppScribane.h"
#include "windows/FrmHistorique.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char* const kNoms[] = {"Société Générale", "EDF",           "Crédit Agricole",   "Martin",
                             "Dupont et Fils",   "Trésor Public", "Pharmacie Lefèvre", "Orange"};

// The folder is made once: a program folder with Journaux inside.
QString Dossier() {
    static QTemporaryDir dir;
    static bool fait = false;
    if (!fait) {
        fait = true;
        const QString journaux = dir.filePath(QStringLiteral("Journaux"));
        QDir().mkpath(journaux);
        QRandomGenerator alea(7);
        int cheques = 0;
        const QDate debut(2015, 1, 1);
        for (int jour = 0; jour < 3650; ++jour) {
            const int n = (cheques < 25000 * (jour + 1) / 3650 + 1) ? 7 : 6;
            for (int i = 0; i < n && cheques < 25000 * (jour + 1) / 3650; ++i, ++cheques)
                EcrireJournal(journaux, QDateTime(debut.addDays(jour), QTime(9, i)),
                              QStringLiteral("%1,%2")
                                  .arg(alea.bounded(1, 5000))
                                  .arg(alea.bounded(0, 99), 2, 10, QLatin1Char('0')),
                              QString::fromUtf8(kNoms[alea.bounded(8)]),
                              alea.bounded(3) == 0 ? QStringLiteral("martin") : QString());
        }
    }
    return dir.path();
}

void BM_LireDixAns(benchmark::State& state) {
    const QString journaux = Dossier() + QStringLiteral("/Journaux");
    for (auto _ : state) {
        const LectureJournaux l = LireJournaux(journaux);
        benchmark::DoNotOptimize(l.cheques.size());
        state.counters["cheques"] = static_cast<double>(l.cheques.size());
    }
}
BENCHMARK(BM_LireDixAns)->Unit(benchmark::kMillisecond);

void BM_FenetreHistorique(benchmark::State& state) {
    PlateformeTest plateforme;
    AppScribane app(Dossier(), plateforme.services());
    // The history is the register's view: the journals are taken in once, here.
    app.registre = std::move(Registre::ouvrir(app.chemins).valeur());
    for (auto _ : state) {
        FrmHistorique h(app);
        h.show();
        QApplication::processEvents(); // the first rows painted
        benchmark::DoNotOptimize(&h);
    }
}
BENCHMARK(BM_FenetreHistorique)->Unit(benchmark::kMillisecond);

void BM_FrappeRecherche(benchmark::State& state) {
    PlateformeTest plateforme;
    AppScribane app(Dossier(), plateforme.services());
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

void BM_CliJournalCsv(benchmark::State& state) {
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(SCRIBANE_CLI),
                {QStringLiteral("journal"), QStringLiteral("--dossier"), Dossier(),
                 QStringLiteral("--csv")});
        p.waitForFinished(-1);
        benchmark::DoNotOptimize(p.readAllStandardOutput().size());
    }
}
BENCHMARK(BM_CliJournalCsv)->Unit(benchmark::kMillisecond);

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
