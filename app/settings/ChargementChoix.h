#pragma once

#include "settings/DossierApplication.h"
#include "settings/EtatChoix.h"
#include "settings/Listes.h"
#include "settings/Reglages.h"

// What loading the choice in use from Cheque.ini gives the main window.
struct ChoixCharge {
    bool chequePresent = false;
    bool sectionLue = false;
    ListesMemorisees listes; // empty unless asked for
};

// Reads the settings of the choice in use into `r` (the numbers of missing keys
// keep their values), or the initial settings when there is no Cheque.ini;
// the currency words fall back to their defaults. The remembered lists are read
// too when `avecListes`.
ChoixCharge ChargerReglages(const CheminsScribane& chemins, const EtatChoix& etat, Reglages& r,
                            bool avecListes);
