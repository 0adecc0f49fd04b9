#include "settings/ChargementChoix.h"

#include "settings/FichierIni.h"

ChoixCharge ChargerReglages(const CheminsScribane& chemins, const EtatChoix& etat, Reglages& r,
                            bool avecListes) {
    ChoixCharge resultat;
    const DocumentIni doc = DocumentIni::Charger(chemins.cheque());
    resultat.chequePresent = doc.existe();
    if (!doc.existe()) {
        AppliquerReglagesInitiaux(r);
        return resultat;
    }
    const QString section = SectionDuChoix(etat.ChoixCourant);
    if (!section.isEmpty()) {
        LireReglages(doc, section, r);
        resultat.sectionLue = true;
    }
    AppliquerDevisesParDefaut(r);
    if (avecListes)
        resultat.listes = ScannerListes(doc.lignes());
    return resultat;
}
