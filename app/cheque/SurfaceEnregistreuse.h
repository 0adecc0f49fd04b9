#pragma once

#include "cheque/SurfaceSortie.h"

#include <QStringList>
#include <QVector>

// A surface that keeps what is drawn on it: the texts with their place on the
// page (the origin's shift applied) and their font.
class SurfaceEnregistreuse final : public SurfaceSortie {
public:
    struct Texte {
        QString texte;
        double x = 0; // millimetres from the drawable area's top-left corner
        double y = 0;
        QString police;
        double taille = 0;
        bool gras = false;
    };

    explicit SurfaceEnregistreuse(bool imprimante = true, QStringList imprimantes = {})
        : imprimante_(imprimante), imprimantes_(std::move(imprimantes)) {}

    bool estImprimante() const override { return imprimante_; }
    bool choisirImprimante(const QString& nom) override;
    bool definirPage(int orientation) override;
    bool definirPolice(const QString& nom) override;
    bool definirGras(bool gras) override;
    bool definirTaille(double points) override;
    bool definirOrigine(double gauche, double haut) override;
    bool ecrire(double x, double y, const QString& texte) override;
    double hauteurLigne() const override;
    // Measured with the real font at the printer's resolution.
    double largeurTexte(const QString& texte) const override;
    double milieuLettres() const override;
    bool tracerTrait(double x1, double x2, double y) override;

    QVector<Texte> textes;
    // The rules drawn, in the same coordinates as the texts.
    struct Trait {
        double x1 = 0;
        double x2 = 0;
        double y = 0;
        double taille = 0; // the font's size when it was drawn
    };
    QVector<Trait> traits;
    QString imprimanteChoisie;
    int orientation = 0;

private:
    bool imprimante_;
    QStringList imprimantes_;
    QString police_;
    double taille_ = 0;
    bool gras_ = false;
    double gauche_ = 0;
    double haut_ = 0;
};
