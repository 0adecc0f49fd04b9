#pragma once

#include "Plateforme.h"
#include "SurfaceSortie.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

// The printer as an output surface: millimetres from the top-left corner of the
// printable area, the page margins being the printer's own minimum margins.
// The first text starts the page.
class SurfaceImprimante final : public SurfaceSortie {
public:
    explicit SurfaceImprimante(QPrinter& imprimante) : imprimante_(imprimante) {}

    bool estImprimante() const override { return true; }
    bool choisirImprimante(const QString& nom) override;
    bool definirPage(int orientation) override;
    bool definirPolice(const QString& nom) override;
    bool definirGras(bool gras) override;
    bool definirTaille(double points) override;
    bool definirOrigine(double gauche, double haut) override;
    bool ecrire(double x, double y, const QString& texte) override;
    double hauteurLigne() const override;

    bool terminer(QString* erreur);

private:
    bool commencer();
    double pixelsParMm() const;

    QPrinter& imprimante_;
    QPainter peintre_;
    QFont police_;
    double gauche_ = 0;
    double haut_ = 0;
    bool echecOuverture_ = false;
    bool aucuneImprimante_ = false;
};

// A print job on a printer of the system, or into a PDF file when one is named.
class TravailQt final : public TravailImpression {
public:
    explicit TravailQt(const QString& fichierPdf = {});
    SurfaceSortie& surface() override { return surface_; }
    QString nomImprimante() const override;
    bool terminer(QString* erreur) override { return surface_.terminer(erreur); }
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
};
