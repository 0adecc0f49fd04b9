#pragma once

#include "settings/Resultat.h"
#include "words/ReglesMots.h"

#include <QString>

#include <optional>

struct Reglages;

// The caption of the amount label: the units on the first line, the link word
// and the cents on the second ("*" marks where the second line starts),
// optionally framed by "// " and " //". `lettresUnites` are the words of the
// units alone: the cut is made where they end, so that a link word that also
// occurs inside the words ("VINGT ET UN" with the link "ET") never loses any.
QString CaptionDuMontant(const QString& lettres, const QString& lettresUnites,
                         const QString& liaison, bool encadrer);

struct MontantPrepare {
    // What the label shows and the cheque prints: "*" where the second line
    // starts, moved before the last words of the units when they would pass
    // the cheque's right edge.
    QString caption;
    // The size the words print at (points): the settings' size, or smaller
    // when the words need it to fit on the cheque.
    double tailleMots = 0;
};

// How the settings want the words written: their variant, spelling and
// whether the currency has cents.
ReglesMots ReglesDesMots(const Reglages& r);

// Why an amount with cents cannot be written in a currency without them.
QString RaisonSansCentimes();

// The amount as it prints: "150,00" becomes "150" when the settings drop zero
// cents; any other text is given back as it is.
QString MontantImprime(const QString& montant, const Reglages& r);

// The words of an amount as typed, with the currency words and options of the
// settings, laid out for the amount label and the cheque with the font and
// positions of the settings; the French reason when the amount cannot be
// written on the cheque (also an amount with cents in a currency without them).
Resultat<MontantPrepare> PreparerTexteMontant(const QString& montant, const Reglages& r);

// What the amount label shows of a caption: the first "*" starts the second
// line; anything after a second "*" is dropped.
QString CaptionAvecSautDeLigne(const QString& texte);

// Why a typed amount cannot be written in words, in a few French words for
// the amount label (not a number, negative, too large, more than two
// decimals); nothing when it can, or when it is empty.
std::optional<QString> ExplicationMontant(QStringView montant);

// Why an amount cannot be printed (empty, or one of the reasons above), or
// nothing when it can.
std::optional<QString> RefusMontant(const QString& montant);

// An amount pasted or typed with a decimal point ("12.5", "1 234.50": one
// point, at most two digits after it) in its form with the decimal comma;
// nothing when the text is not such an amount.
std::optional<QString> AvecVirguleDecimale(const QString& montant);

// The amount box's text as it should stand after a change: on one line, a
// decimal point made a comma, a trailing blank and a third decimal dropped.
// `curseurALaFin` tells whether the caret goes to the end (a text cut short)
// or stays where it was (a point turned into a comma).
struct MontantNettoye {
    QString texte;
    bool curseurALaFin = false;
};
MontantNettoye NettoyerMontantTape(const QString& texte);
