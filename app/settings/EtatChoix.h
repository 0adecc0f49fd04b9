#pragma once

#include "settings/Resultat.h"

#include <QString>

#include <cstdint>
#include <optional>

// Which choice is in use and which have been saved, as Choix.cfg keeps them,
// plus the flag telling that the configuration window is open.
struct EtatChoix {
    std::uint8_t ChoixCourant = 0;     // 0 none yet, 1 or 2
    std::uint8_t ChoixEnregistres = 0; // bit 0 choice 1, bit 1 choice 2
    std::int16_t ConfigurationOuverte = 0;
};

struct ValeursChoix {
    std::uint8_t courant = 0;
    std::uint8_t enregistres = 0;
    bool operator==(const ValeursChoix&) const = default;
};

// The content of Choix.cfg: "courant,enregistres" on its first line. Anything
// else (a choice other than 0, 1, 2, a mask above 3, no numbers) is refused.
std::optional<ValeursChoix> AnalyserChoixCfg(const QByteArray& contenu);
std::optional<ValeursChoix> LireChoixCfg(const QString& chemin);
QByteArray TexteChoixCfg(ValeursChoix valeurs);
Resultat<> EcrireChoixCfg(const QString& chemin, ValeursChoix valeurs);

class DocumentIni;

// The choices a settings file holds, for a Choix.cfg that was lost or damaged:
// the saved mask from the sections [Defaut1] and [Defaut2], the first of them
// in use. Nothing when the file holds neither.
std::optional<ValeursChoix> ChoixDApresSections(const DocumentIni& cheque);

// Re-reads Choix.cfg into the state; an absent or unusable file leaves no
// choice in use (the saved mask is kept). Returns whether the file was usable.
bool RelireChoixCfg(EtatChoix& etat, const QString& chemin);

// The choice in use was just saved: update the saved mask.
void MarquerChoixEnregistre(EtatChoix& etat);

// Leaving the configuration window by applying or cancelling: the choice in
// use follows what has been saved. Returns whether Choix.cfg is to be rewritten.
bool ChoixEnQuittantConfiguration(EtatChoix& etat);
