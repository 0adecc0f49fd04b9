// Opening the print preview, up to its first painted page, from a main window
// whose three lists hold 32 767 entries each.
#include "windows/AppScribane.h"
#include "windows/FrmApercu.h"
#include "windows/FrmCB.h"
#include "PlateformeTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A settings file with three lists of n entries each.
QByteArray ChequeIni(int n) {
    QByteArray texte = "[Defaut1]\r\nImprimante=PDF\r\nPolice=Arial\r\nTaille= 12\r\n"
                       "Orientation= 1\r\nJournal= 1\r\n[Montants]\r\n";
    for (int i = 0; i < n; ++i)
        texte += "Mt" + QByteArray::number(i) + "=" + QByteArray::number(100 + i % 900) + " " +
                 QByteArray::number(100 + i % 899) + ",50\r\n";
    texte += "[Destinataires]\r\n";
    for (int i = 0; i < n; ++i)
        texte +=
            "Dest" + QByteArray::number(i) + "=Soci\xe9t\xe9 " + QByteArray::number(i) + "\r\n";
    texte += "[Lieu]\r\n";
    for (int i = 0; i < n; ++i)
        texte +=
            "Lieu" + QByteArray::number(i) + "=Saint-\xc9tienne " + QByteArray::number(i) + "\r\n";
    return texte;
}

void OuvrirApercu(benchmark::State& etat) {
    QTemporaryDir dossier;
    {
        QFile f(dossier.filePath(QStringLiteral("Cheque.ini")));
        f.open(QIODevice::WriteOnly);
        f.write(ChequeIni(static_cast<int>(etat.range(0))));
        QFile c(dossier.filePath(QStringLiteral("Choix.cfg")));
        c.open(QIODevice::WriteOnly);
        c.write("1,1\r\n");
    }
    PlateformeTest plateforme;
    AppScribane app(dossier.path(), plateforme.services());
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.show();
    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(QStringLiteral("1234,56"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(QStringLiteral("DUPONT SA"));
    auto* mnuApercu = fenetre.findChild<QAction*>(QStringLiteral("mnuApercu"));
    const bool reelle = etat.range(1) == 1;
    for (auto _ : etat) {
        mnuApercu->trigger();
        auto* apercu = fenetre.findChild<FrmApercu*>();
        if (reelle)
            apercu->tailleReelle();
        // The first painted page: the window drawn into a picture, page included.
        benchmark::DoNotOptimize(apercu->grab().size());
        etat.PauseTiming();
        delete apercu;
        etat.ResumeTiming();
    }
}

} // namespace

BENCHMARK(OuvrirApercu)
    ->Args({32767, 0})
    ->Args({32767, 1})
    ->ArgNames({"entrees", "taille_reelle"})
    ->Unit(benchmark::kMillisecond);

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
