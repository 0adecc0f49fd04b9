#pragma once

#include "DispositionMots.h"

#include <QString>
#include <QVector>

struct Reglages;
struct TextesCheque;

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
