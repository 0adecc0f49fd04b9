// A "+" held down in a position box: each repeat reads the eleven boxes,
// spells the amount, clears the picture and draws the cheque on it.
#include "windows/FrmTextes.h"
#include "windows/Plateforme.h"
#include "settings/Reglages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

class SansDialogues final : public Dialogues {
public:
    void message(QWidget*, const QString&, Icone, const QString&) override {}
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    int choix(QWidget*, const QString&, const QStringList&, int parDefaut,
              const QString&) override {
        return parDefaut;
    }
    std::optional<QVector<int>> cocher(QWidget*, const QString&, const QStringList&,
                                       const QString&) override {
        return std::nullopt;
    }
    QString saisie(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString ouvrirFichier(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString enregistrerFichier(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};

void BM_Position(benchmark::State& state) {
    Reglages r;
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.Devise = QStringLiteral("euro");
    r.Centimes = QStringLiteral("centime");
    r.Liaison = QStringLiteral("et");
    r.Encadrer = 1;
    SansDialogues dialogues;
    FrmTextes fenetre(r,
                      {QString(), QStringLiteral("987 654 321,99"),
                       QStringLiteral("Garage Mécanique de l'Ouest"),
                       QStringLiteral("Saint-Étienne"), QStringLiteral("05/03/2024")},
                      dialogues, {});
    fenetre.show();
    QLineEdit* boite = fenetre.findChild<QLineEdit*>(QStringLiteral("TxtMX"));
    int pas = 0;
    for (auto _ : state) {
        // Up and down, so that the text stays where it fits.
        const bool plus = (pas++ / 20) % 2 == 0;
        QKeyEvent touche(QEvent::KeyPress, plus ? Qt::Key_Plus : Qt::Key_Minus, Qt::NoModifier,
                         plus ? QStringLiteral("+") : QStringLiteral("-"));
        QApplication::sendEvent(boite, &touche);
    }
    benchmark::DoNotOptimize(fenetre.simulation().constBits());
    state.counters["largeur_px"] = fenetre.simulation().width();
    state.counters["hauteur_px"] = fenetre.simulation().height();
}
BENCHMARK(BM_Position)->Unit(benchmark::kMicrosecond);

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
