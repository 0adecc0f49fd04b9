#pragma once

#include "cheque/DispositionMots.h"

#include <QString>
#include <QVector>

struct Reglages;
struct TextesCheque;

// A text as the renderer writes it on the printer, with its name as the user
// knows it ("Montant en lettres", "Montant en chiffres", "Destinataire",
// "Lieu", "Date"); x and y are millimetres from the cheque's origin.
struct TextePlace {
    QString nom;
    QString texte;
    double x = 0, y = 0;
    PoliceMots police;
};

// The texts of a cheque where the renderer puts them, in its order of
// drawing; a text it skips (empty, out of range) is absent.
QVector<TextePlace> PlacerTextes(const Reglages& r, const TextesCheque& textes);

// A text that does not keep to its room on the cheque.
struct Depassement {
    QString texte;        // its name as the user knows it ("Destinataire")
    QString obstacle;     // what it runs over: another text's name, or empty for the cheque's edge
    double mm = 0;        // by how much it runs past, in millimetres
    bool feuille = false; // it runs past the sheet itself, not only the cheque
};

// Measures the figures, the payee, the place and the date as the renderer
// lays them out (font, size, position of the settings) at the printer's
// resolution, against the room each has: up to the cheque's right edge (and
// the sheet's), and not over another text. The amount in words already keeps
// inside the cheque when it is prepared; it counts here only as a text the
// others must not run over. Empty when everything fits.
QVector<Depassement> VerifierPlaceTextes(const Reglages& r, const TextesCheque& textes,
                                         double resolution = kResolutionImprimante);

// The overflows in French, one line each ("« Destinataire » dépasse le bord
// droit du chèque de 3,2 mm."), for the question asked before printing.
QString DecrireDepassements(const QVector<Depassement>& depassements);
