// Feeds every file of the corpora named on the command line to the fuzz
// target, once: the regression test of what fuzzing found, without fuzzing.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

int main(int argc, char** argv) {
    int fichiers = 0;
    for (int i = 1; i < argc; ++i) {
        const QString chemin = QString::fromLocal8Bit(argv[i]);
        QStringList noms;
        if (QFileInfo(chemin).isDir()) {
            const QDir dossier(chemin);
            for (const QString& nom : dossier.entryList(QDir::Files, QDir::Name))
                noms << dossier.filePath(nom);
        } else {
            noms << chemin;
        }
        for (const QString& nom : noms) {
            QFile f(nom);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "illisible : %s\n", qPrintable(nom));
                return 1;
            }
            const QByteArray octets = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.constData()),
                                   std::size_t(octets.size()));
            ++fichiers;
        }
    }
    std::printf("%d fichiers rejoués\n", fichiers);
    return fichiers > 0 ? 0 : 1;
}
