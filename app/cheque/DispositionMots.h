#pragma once

#include "settings/Resultat.h"

#include <QFont>
#include <QString>

#include <optional>

// A standard French cheque, from the origin the margins place: the words must
// end inside it or the cheque reads another amount.
inline constexpr double kLargeurCheque = 175.0; // millimetres (the cheque is 175 x 80)
// Below this the words are no longer read comfortably: the print is refused.
inline constexpr double kTailleMinimaleMots = 7.0;
// Cheques print at the printer's high resolution (dots per inch); text is
// measured there, where it is drawn.
inline constexpr double kResolutionImprimante = 1200.0;

// The amount in words as prepared for the label: the units on the first line,
// the link word and the cents on the second (which starts with a blank), the
// framing included. `seconde` is empty for a one-line amount.
struct MotsADisposer {
    QString montant; // the figures, named when the words do not fit
    QString premiere;
    QString seconde;
};

struct PoliceMots {
    QString famille; // empty: the application's default font
    bool gras = false;
    double taille = 12; // points
};

// Where each line starts, in millimetres from the cheque's origin; the room of
// a line runs from there to the cheque's right edge.
struct PlaceMots {
    double xPremiere = 50;
    double xSeconde = 0;
    double largeurCheque = kLargeurCheque;
    double resolution = kResolutionImprimante;
};

struct MotsDisposes {
    QString premiere;
    QString seconde;   // starts with the blank that separated it from the first line
    double taille = 0; // points
};

// Lays the words out on the cheque. When the first line passes the right
// edge, whole words move from its end to the start of the second line, before
// the link word and the cents (a break is only ever made at a blank, so
// neither a word nor a hyphenated group is cut). When the two lines still do
// not fit, the size goes down by half points to kTailleMinimaleMots; below
// that the words are refused, with the French reason.
Resultat<MotsDisposes> DisposerMots(const MotsADisposer& mots, const PoliceMots& police,
                                    const PlaceMots& place);

// The width of a line of text in millimetres, with real font metrics at the
// resolution given.
double LargeurTexte(const QString& texte, const PoliceMots& police, double resolution);

// Where the ink of a line of text lies, in millimetres below the top of its
// cell (the point a text is placed by), with real font metrics.
struct EncreVerticale {
    double haut = 0;
    double bas = 0;
};
EncreVerticale MesurerEncre(const QString& texte, const PoliceMots& police, double resolution);

// The font every cheque text is measured and drawn in, family and size given after: by
// its design metrics, unhinted. Hinted at the screen's or a printer's grid, the same words
// measure differently on Windows than on Linux and would break elsewhere.
QFont PoliceDeDessin();

// How far the middle of the capital letters lies below the top of a line's
// cell, in millimetres.
double MilieuMajuscules(const PoliceMots& police, double resolution);
