// The control's class registry file: what is read writes back to a text that
// reads as the same sections.
#include "RegistreClasses.h"
#include "Verifier.h"

#include <cstdint>

using namespace bouton::registre;

namespace {

bool Memes(const QList<Section>& a, const QList<Section>& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].nom != b[i].nom || a[i].valeurs != b[i].valeurs)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    QString raison;
    const auto sections = analyser(octets, &raison);
    if (!sections) {
        VERIFIER(!raison.isEmpty());
        return 0;
    }
    const auto relues = analyser(formater(*sections), &raison);
    VERIFIER(relues.has_value());
    VERIFIER(Memes(*sections, *relues));
    for (const Section& s : *sections)
        (void)s.valeur(QStringLiteral("CLSID"));
    return 0;
}
