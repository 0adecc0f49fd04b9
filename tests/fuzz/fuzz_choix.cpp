// Choix.cfg: what is accepted is a choice and a mask that write back to a
// file read the same.
#include "settings/EtatChoix.h"
#include "Verifier.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const std::optional<ValeursChoix> valeurs = AnalyserChoixCfg(octets);
    if (!valeurs)
        return 0;
    VERIFIER(valeurs->courant <= 2 && valeurs->enregistres <= 3);
    VERIFIER(AnalyserChoixCfg(TexteChoixCfg(*valeurs)) == valeurs);
    return 0;
}
