#pragma once

#include "settings/Listes.h"
#include "settings/Reglages.h"
#include "settings/Resultat.h"
#include "settings/ValeursConfiguration.h"

#include <optional>

// The field of a configuration that stops it from being saved.
enum class ChampConfiguration { Imprimante, Police, Taille, TailleChiffre };

// The first of printer, font and size left unchosen: a choice cannot be
// saved nor applied without the three.
std::optional<ChampConfiguration> ChoixManquant(const ValeursConfiguration& v);

// The field that refuses the save: one of the three above, or the figure
// size when one of its boxes is ticked without a size.
std::optional<ChampConfiguration> ChampRefuse(const ValeursConfiguration& v);

// The settings `base` with what the configuration window holds, as they are
// saved; or the French reason the field `ChampRefuse` gives refuses them.
// The currency words and positions are those of `base`.
Resultat<Reglages> ReglagesDeConfiguration(const Reglages& base, const ValeursConfiguration& v);

// The settings of the choice the configuration window shows, its unsaved
// edits included, for a page printed before saving: printer, paper and font
// of the controls, sizes that cannot be read keep those of `enCours`.
Reglages ReglagesAffiches(const Reglages& enCours, const ValeursConfiguration& v);

// The currencies offered in the currency dialog; the words stay editable.
struct DeviseProposee {
    const char* nom; // as the list shows it
    const char16_t* devise;
    const char16_t* centimes;
    bool sansCentimes;
};
inline constexpr DeviseProposee DevisesProposees[] = {
    {"euro / centime", u"euro", u"centime", false},
    {"franc suisse / centime", u"franc suisse", u"centime", false},
    {"franc CFA (sans centimes)", u"franc CFA", u"centime", true},
};

// The offered currency the settings hold, or -1 for another one.
int DeviseProposeeDe(const Reglages& r);

// Puts the words of an offered currency into the settings (the link word stays).
void AppliquerDeviseProposee(Reglages& r, int index);

// A currency word as typed: on one line, without surrounding blanks and,
// when `singulier`, without one final lower-case "s". Empty when nothing
// is left.
QString MotDeDevise(const QString& saisie, bool singulier);

// The three boxes of the main window as a save of the lists leaves them.
struct BoitesCheque {
    ListesMemorisees listes;
    QString montant, destinataire, lieu;
};

// What a save of the lists keeps: each box's text, on one line, joins its
// list when new. With the settings of a choice being saved, their default
// amount and payee join too, an amount without cents gets ",00" when cents
// are printed, and the place is left empty (place not printed) or is the
// first of its list.
BoitesCheque BoitesAEnregistrer(BoitesCheque boites, const Reglages* r);
