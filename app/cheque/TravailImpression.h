#pragma once

#include "settings/Resultat.h"

#include <QString>

#include <memory>

class SurfaceSortie;

// One print job: a surface to draw the cheque on, then the end of the document
// that sends the page out.
class TravailImpression {
public:
    virtual ~TravailImpression() = default;
    virtual SurfaceSortie& surface() = 0;
    // The printer the page goes to, as the user knows it.
    virtual QString nomImprimante() const = 0;
    // Ends the page drawn so far and starts another, for a batch of cheques;
    // false when the device could not.
    virtual bool pageSuivante() = 0;
    // Calls the job off before its end, as far as the device allows (pages
    // already handed over may still come out). The French reason the job
    // could not go on, when it knows one.
    virtual QString annuler() { return {}; }
    // Ends the document; the French reason when the printer could not be
    // opened or the job could not be handed over.
    virtual Resultat<> terminer() = 0;
};

// Where print jobs come from: the system's printers, or PDF files.
class Impression {
public:
    virtual ~Impression() = default;
    virtual std::unique_ptr<TravailImpression> nouveauTravail() = 0;
    // The same page into a PDF file at true size, instead of the printer.
    virtual std::unique_ptr<TravailImpression> nouveauTravailPdf(const QString& fichier) = 0;
};
