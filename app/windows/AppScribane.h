#pragma once

#include "registre/Registre.h"
#include "settings/DossierApplication.h"
#include "settings/EtatChoix.h"
#include "settings/Reglages.h"
#include "windows/Aide.h"
#include "windows/Plateforme.h"

// The desktop services the windows use.
struct ServicesPlateforme {
    Dialogues& dialogues;
    Imprimantes& imprimantes;
    Polices& polices;
    Horloge& horloge;
    PressePapiers& pressePapiers;
    Bureau& bureau;
    Impression& impression;
};

// The program-wide state, created once in main and handed to every window.
struct AppScribane {
    AppScribane(const QString& dossier, ServicesPlateforme services)
        : chemins{dossier}, plateforme(services), aide(services.bureau) {}

    CheminsScribane chemins;
    Reglages reglages;
    EtatChoix etat;
    QString MarqueGras;
    ServicesPlateforme plateforme;
    // The control library to register when its class is not; empty: the one
    // beside the program.
    QString bibliothequeControle;
    // The guide, opened from every window.
    Aide aide;
    // The cheque register, opened at start; null when it could not be, and
    // `raisonRegistre` says why: nothing is printed without it.
    std::unique_ptr<Registre> registre;
    QString raisonRegistre;
};
