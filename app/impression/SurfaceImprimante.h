#pragma once

#include "cheque/SurfacePeinte.h"
#include "cheque/TravailImpression.h"

#include <QPrinter>

// The printer as an output surface: millimetres from the top-left corner of the
// printable area, the page margins being the printer's own minimum margins.
// The first text starts the page.
class SurfaceImprimante final : public SurfacePeinte {
public:
    explicit SurfaceImprimante(QPrinter& imprimante)
        : SurfacePeinte(imprimante), imprimante_(imprimante) {}

    bool estImprimante() const override { return true; }
    bool choisirImprimante(const QString& nom) override;
    bool definirPage(int orientation) override;

    Resultat<> terminer();
    // Ends the page drawn so far and starts another, for a batch of cheques.
    bool pageSuivante();

protected:
    bool commencer() override;

private:
    QPrinter& imprimante_;
    bool echecOuverture_ = false;
    bool aucuneImprimante_ = false;
};

// A print job on a printer of the system, or into a PDF file when one is named.
class TravailQt final : public TravailImpression {
public:
    explicit TravailQt(const QString& fichierPdf = {});
    SurfaceSortie& surface() override { return surface_; }
    SurfaceImprimante& surfaceImprimante() { return surface_; }
    QString nomImprimante() const override;
    bool pageSuivante() override { return surface_.pageSuivante(); }
    Resultat<> terminer() override { return surface_.terminer(); }
    QPrinter& imprimante() { return imprimante_; }

private:
    QPrinter imprimante_;
    SurfaceImprimante surface_;
};

class ImpressionQt final : public Impression {
public:
    std::unique_ptr<TravailImpression> nouveauTravail() override {
        return std::make_unique<TravailQt>();
    }
    std::unique_ptr<TravailImpression> nouveauTravailPdf(const QString& fichier) override {
        return std::make_unique<TravailQt>(fichier);
    }
};
