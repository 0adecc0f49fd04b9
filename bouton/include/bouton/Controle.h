#pragma once

#include "bouton/Dispatch.h"
#include "bouton/Resultat.h"
#include <QList>
#include <QSizeF>
#include <QUuid>

class QWidget;

namespace bouton {

class PuitsEvenements;
class SacProprietes;
class SiteHote;
class SourceSouris;

// The control as its container sees it (interface IidControle). The object lives as long as
// its widget, which belongs to the parent given at creation.
class Controle : public Dispatch {
public:
    virtual QWidget* widget() = 0;
    // Neither is owned; pass nullptr before the site or the sink goes away.
    virtual void definirSite(SiteHote* site) = 0;
    virtual void connecterPuits(PuitsEvenements* puits) = 0;
    // Not owned; nullptr gives the platform's screen rectangle and pointer position back.
    virtual void definirSourceSouris(SourceSouris* source) = 0;
    // A newly placed control: initial values from the site's ambient colour and font.
    virtual Resultat initialiserNouveau() = 0;
    // Restores saved properties; stops at the first error, keeping what was already read.
    virtual Resultat charger(SacProprietes& sac) = 0;
    virtual Resultat enregistrer(SacProprietes& sac) const = 0;
    // Sizes the control in twips and lays it out at once, even while hidden.
    virtual void definirTailleTwips(double largeur, double hauteur) = 0;
    virtual QSizeF tailleTwips() const = 0;
    // The property pages a design host shows for the control, by class identity, in order.
    virtual QList<QUuid> pagesProprietes() const = 0;

protected:
    ~Controle() = default;
};

} // namespace bouton
