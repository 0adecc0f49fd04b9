// The design host's form file: what is read writes back to bytes that read as the same
// form; what is refused says why.
#include "FichierFormulaire.h"
#include "Verifier.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <cstdint>
#include <cstring>

using atelier::ControleEnregistre;

namespace {

bool Memes(const QVariant& a, const QVariant& b) {
    if (a.typeId() != b.typeId())
        return false;
    switch (a.typeId()) {
    // Pictures have no equality of their own; a NaN is itself when its bits are.
    case QMetaType::QPixmap:
        return a.value<QPixmap>().toImage() == b.value<QPixmap>().toImage();
    case QMetaType::Float: {
        const float x = a.toFloat(), y = b.toFloat();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    default:
        return a == b;
    }
}

bool Memes(const QList<ControleEnregistre>& a, const QList<ControleEnregistre>& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const ControleEnregistre &x = a[i], &y = b[i];
        if (x.nom != y.nom || x.position != y.position || x.tailleTwips != y.tailleTwips ||
            x.proprietes.size() != y.proprietes.size())
            return false;
        for (qsizetype j = 0; j < x.proprietes.size(); ++j)
            if (x.proprietes[j].cle != y.proprietes[j].cle ||
                !Memes(x.proprietes[j].valeur, y.proprietes[j].valeur))
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    // Fonts and pictures are decoded by the GUI module, with no display.
    static int argc = 1;
    static char nom[] = "fuzz_formulaire";
    static char* argv[] = {nom, nullptr};
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)application;

    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    QString raison;
    const auto form = atelier::AnalyserFormulaire(octets, &raison);
    if (!form) {
        VERIFIER(!raison.isEmpty());
        return 0;
    }
    const auto relu = atelier::AnalyserFormulaire(atelier::FormaterFormulaire(*form), &raison);
    VERIFIER(relu.has_value());
    VERIFIER(Memes(*form, *relu));
    return 0;
}
