#pragma once

#include "cheque/Rendu.h"

#include <QDialog>
#include <QImage>
#include <QMarginsF>

struct Reglages;
class PageAffichee;
class QScrollArea;

// The page as it will print, drawn by the renderer that prints it: A4 in the
// orientation of the settings, the texts in their fonts, and the outline of
// the cheque at the origin the margins give (the outline never prints).
// `pixelsParMm` sets the scale; `marges` is where the printer's printable
// area starts on the sheet.
QImage DessinerApercu(const Reglages& r, const TextesCheque& textes, double pixelsParMm,
                      const QMarginsF& marges);

// Where the printer of the settings starts its printable area, in millimetres
// (nothing when it is not installed: the page is then drawn from the sheet's corner).
QMarginsF MargesImprimante(const QString& imprimante);

// The preview window: zoom to fit, true scale (the screen's millimetres, as
// the user calibrated them with "Étalonner l'écran"), zoom in and out, and
// "Imprimer", which asks the main window to run its print command.
class FrmApercu : public QDialog {
    Q_OBJECT

public:
    FrmApercu(const Reglages& r, TextesCheque textes, QWidget* parent = nullptr);

    // Pixels per millimetre at the current zoom.
    double echelle() const { return echelle_; }
    // The screen's true millimetre: its physical resolution, corrected.
    double echelleReelle() const;

    void ajuster();
    void tailleReelle();
    void zoomer(double facteur);
    // Opens "Étalonner l'écran"; once a correction is kept, shows the page at true scale.
    void etalonner();

signals:
    void imprimerDemande();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void redessiner();

    const Reglages& reglages_;
    TextesCheque textes_;
    QMarginsF marges_;
    double echelle_ = 2;
    bool ajusteAuPremierAffichage_ = true;
    QScrollArea* defilement_ = nullptr;
    PageAffichee* page_ = nullptr;
};
