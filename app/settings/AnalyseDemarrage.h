#pragma once

#include "settings/DossierApplication.h"
#include "settings/EtatChoix.h"

// What the start finds in the settings folder, hence what it must tell the user
// and do. The window shows the messages and applies the answers.
enum class CasDemarrage {
    // Choix.cfg names the choice in use: load it, nothing to tell.
    ChoixLu,
    // Choix.cfg is damaged but Cheque.ini holds the sections of the choices:
    // Choix.cfg is rewritten from them, the user told, the choice loaded.
    ChoixRefait,
    // No settings file and no usable Choix.cfg: guide the user to the
    // configuration.
    PremierLancement,
    // A settings file of the former one-choice kind: tell the user, then
    // convert it to choice 1.
    AncienFichier,
};

struct AnalyseDemarrage {
    CasDemarrage cas = CasDemarrage::PremierLancement;
    // The choice in use and the saved ones, for ChoixLu and ChoixRefait.
    ValeursChoix valeurs;
};

// Readies the folder before anything is read: the journals folder exists, and
// settings left in TmpCheque.ini by an interrupted rewrite get their name back.
void PreparerDossier(const CheminsScribane& chemins);

// Reads Choix.cfg and Cheque.ini, changing nothing. A Choix.cfg that cannot be
// read counts as absent, unless the settings file tells which choices exist.
AnalyseDemarrage AnalyserDemarrage(const CheminsScribane& chemins);
