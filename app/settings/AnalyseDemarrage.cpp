#include "settings/AnalyseDemarrage.h"

#include "settings/FichierIni.h"

#include <QDir>
#include <QFileInfo>

void PreparerDossier(const CheminsScribane& chemins) {
    QDir().mkpath(chemins.journaux());
    RecupererReecritureInterrompue(chemins);
}

AnalyseDemarrage AnalyserDemarrage(const CheminsScribane& chemins) {
    const bool choixPresent = QFileInfo::exists(chemins.choix());
    const bool chequePresent = QFileInfo::exists(chemins.cheque());
    if (choixPresent)
        if (const auto valeurs = LireChoixCfg(chemins.choix()))
            return {CasDemarrage::ChoixLu, *valeurs};
    if (!chequePresent)
        return {CasDemarrage::PremierLancement, {}};
    // A damaged Choix.cfg beside settings of the current layout: the choices are
    // rebuilt from the sections rather than the file taken for a former one.
    if (choixPresent)
        if (const auto valeurs = ChoixDApresSections(DocumentIni::Charger(chemins.cheque())))
            return {CasDemarrage::ChoixRefait, *valeurs};
    return {CasDemarrage::AncienFichier, {}};
}
