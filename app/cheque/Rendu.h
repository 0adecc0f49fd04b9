#pragma once

#include <QDate>
#include <QString>

class SurfaceSortie;
struct Reglages;

// The five texts of a cheque as the main window shows them.
struct TextesCheque {
    QString mots;     // the amount label's caption; a line feed may start a second line
    QString chiffres; // the amount box, unchanged
    QString destinataire;
    QString lieu;
    QString date;          // already written as the cheque shows it (05/03/2024)
    double tailleMots = 0; // the words' size when they need a smaller one to fit; 0: the settings'
};

// Draws the cheque on the surface at the positions and fonts of the settings.
// A step the surface refuses, an empty text or a position beyond the 16-bit
// range is skipped; the others are drawn all the same.
void ImprimerCheque(SurfaceSortie& surface, const Reglages& r, const TextesCheque& textes);

// The size of the amount in figures for the size rule of the settings.
int TailleDesChiffres(const Reglages& r);

// The date as the cheque and the journal write it, whatever the system's locale.
QString DateCheque(const QDate& date);
