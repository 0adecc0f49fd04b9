#pragma once

#include "cheque/SurfacePeinte.h"
#include "cheque/TravailImpression.h"
#include "impression/FichierPdf.h"

#include <QPrinter>

#include <optional>

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
    // The print run is aborted where the device allows it (a PDF's scratch
    // copy is removed with the job, never taking the file's name).
    void annuler();
    // The device is known not to open (its file could not be created): the
    // painter is never begun on it and the job ends with this reason.
    void refuserOuverture(const QString& raison) { refusOuverture_ = raison; }

protected:
    bool commencer() override;

private:
    QPrinter& imprimante_;
    bool echecOuverture_ = false;
    bool aucuneImprimante_ = false;
    QString refusOuverture_;
};

// A print job on a printer of the system, or into a PDF file when one is named.
class TravailQt final : public TravailImpression {
public:
    explicit TravailQt(const QString& fichierPdf = {});
    SurfaceSortie& surface() override { return surface_; }
    SurfaceImprimante& surfaceImprimante() { return surface_; }
    QString nomImprimante() const override;
    bool pageSuivante() override { return surface_.pageSuivante(); }
    QString annuler() override;
    // Ends the document; a PDF then takes the name it was given only once
    // it is whole on the disk.
    Resultat<> terminer() override;
    QPrinter& imprimante() { return imprimante_; }

private:
    QPrinter imprimante_;
    SurfaceImprimante surface_;
    std::optional<FichierPdfProvisoire> pdf_;
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
