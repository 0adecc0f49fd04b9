// Loading three full lists into the main window's sorted boxes, saving them,
// and the whole print command with them, at 1 000, 10 000 and 32 767 entries.
#include "windows/AppScribane.h"
#include "windows/FrmCB.h"
#include "PlateformeTest.h"
#include "impression/SurfaceImprimante.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

const char* const kNoms[] = {
    "Société Générale",    "EDF",           "Crédit Agricole",   "Martin",
    "Dupont et Fils SARL", "Trésor Public", "Pharmacie Lefèvre", "Garage Mécanique de l'Ouest",
    "Mutuelle Familiale",  "Orange"};
const char* const kVilles[] = {"Paris", "Lyon",     "Saint-Étienne", "Aix-en-Provence",
                               "Nîmes", "Besançon", "Le Havre",      "Brest"};

// A settings file with three lists of n entries each, of realistic lengths.
QByteArray ChequeIni(int n) {
    QRandomGenerator alea(42);
    QString texte = QStringLiteral("[Defaut1]\r\nImprimante=PDF\r\nPolice=Arial\r\nTaille= 12\r\n"
                                   "Orientation= 1\r\nJournal= 1\r\n[Montants]\r\n");
    for (int i = 0; i < n; ++i)
        texte += QStringLiteral("Mt%1=%2 %3,%4\r\n")
                     .arg(i)
                     .arg(alea.bounded(1, 999))
                     .arg(alea.bounded(0, 999), 3, 10, QLatin1Char('0'))
                     .arg(alea.bounded(0, 99), 2, 10, QLatin1Char('0'));
    texte += QStringLiteral("[Destinataires]\r\n");
    for (int i = 0; i < n; ++i)
        texte += QStringLiteral("Dest%1=%2 %3\r\n")
                     .arg(i)
                     .arg(QString::fromUtf8(kNoms[alea.bounded(10)]))
                     .arg(alea.bounded(100000));
    texte += QStringLiteral("[Lieu]\r\n");
    for (int i = 0; i < n; ++i)
        texte += QStringLiteral("Lieu%1=%2 %3\r\n")
                     .arg(i)
                     .arg(QString::fromUtf8(kVilles[alea.bounded(8)]))
                     .arg(alea.bounded(1000));
    return texte.toLatin1();
}

struct Dossier {
    QTemporaryDir dir;
    explicit Dossier(int n) {
        QFile f(dir.filePath(QStringLiteral("Cheque.ini")));
        f.open(QIODevice::WriteOnly);
        f.write(ChequeIni(n));
        QFile c(dir.filePath(QStringLiteral("Choix.cfg")));
        c.open(QIODevice::WriteOnly);
        c.write("1,1\r\n");
    }
};

void Chargement(benchmark::State& etat) {
    Dossier dossier(static_cast<int>(etat.range(0)));
    PlateformeTest plateforme;
    for (auto _ : etat) {
        etat.PauseTiming();
        AppScribane app(dossier.dir.path(), plateforme.services());
        auto fenetre = std::make_unique<FrmCB>(app);
        etat.ResumeTiming();
        fenetre->demarrer();
        benchmark::DoNotOptimize(fenetre->findChild<QComboBox*>(QStringLiteral("CboD"))->count());
        etat.PauseTiming();
        fenetre.reset();
        etat.ResumeTiming();
    }
    etat.SetComplexityN(etat.range(0));
}

void Enregistrement(benchmark::State& etat) {
    Dossier dossier(static_cast<int>(etat.range(0)));
    PlateformeTest plateforme;
    AppScribane app(dossier.dir.path(), plateforme.services());
    FrmCB fenetre(app);
    fenetre.demarrer();
    for (auto _ : etat)
        benchmark::DoNotOptimize(fenetre.EnregistrerChoix().ok());
    etat.SetComplexityN(etat.range(0));
}

// Print jobs into a PDF file, the whole print command around them.
class ImpressionPdf final : public Impression {
public:
    explicit ImpressionPdf(QString fichier) : fichier_(std::move(fichier)) {}
    std::unique_ptr<TravailImpression> nouveauTravail() override {
        return std::make_unique<TravailQt>(fichier_);
    }
    std::unique_ptr<TravailImpression> nouveauTravailPdf(const QString& fichier) override {
        return std::make_unique<TravailQt>(fichier);
    }

private:
    QString fichier_;
};

void CommandeImprimer(benchmark::State& etat) {
    Dossier dossier(static_cast<int>(etat.range(0)));
    PlateformeTest plateforme;
    ImpressionPdf impression(dossier.dir.filePath(QStringLiteral("cheque.pdf")));
    AppScribane app(dossier.dir.path(),
                    {plateforme.dialogues, plateforme.imprimantes, plateforme.polices,
                     plateforme.horloge, plateforme.pressePapiers, plateforme.bureau, impression});
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(QStringLiteral("1234,56"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(QStringLiteral("DUPONT SA"));
    auto* bouton = fenetre.findChild<QToolButton*>(QStringLiteral("Bouton_Kiv_XP4"));
    for (auto _ : etat)
        bouton->click();
    if (!plateforme.dialogues.vus.isEmpty())
        etat.SkipWithError("the print command showed a message");
    etat.SetComplexityN(etat.range(0));
}

} // namespace

BENCHMARK(Chargement)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(Enregistrement)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(CommandeImprimer)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
