#pragma once

#include "bouton/Resultat.h"
#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <cstdint>

// The primitives the control is made of. The control paints them itself; they hold the
// geometry in twips and refuse the values a primitive cannot take. Their Qt properties
// (named as the members they stand for) let tests and tools read the layout.
namespace bouton {

class PartieRectangulaire : public QObject {
    Q_OBJECT
    Q_PROPERTY(double Left MEMBER gauche)
    Q_PROPERTY(double Top MEMBER haut)
    Q_PROPERTY(double Width MEMBER largeur)
    Q_PROPERTY(double Height MEMBER hauteur)
    Q_PROPERTY(bool Visible MEMBER visible)

public:
    PartieRectangulaire(const QString& nom, QObject* parent);

    Resultat definirLargeur(double twips);
    Resultat definirHauteur(double twips);

    double gauche = 0;
    double haut = 0;
    double largeur = 0;
    double hauteur = 0;
    bool visible = true;
};

class PartieImage : public PartieRectangulaire {
    Q_OBJECT
    Q_PROPERTY(bool Stretch MEMBER etirer)
    Q_PROPERTY(QString ToolTipText MEMBER infobulle)

public:
    using PartieRectangulaire::PartieRectangulaire;

    bool etirer = true;
    QString infobulle;
    QPixmap image;
};

class PartieEtiquette : public PartieRectangulaire {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER texte)
    Q_PROPERTY(uint BackColor MEMBER couleurFond)
    Q_PROPERTY(uint ForeColor MEMBER couleurTexte)
    Q_PROPERTY(int BackStyle MEMBER fondOpaque)
    Q_PROPERTY(int BorderStyle MEMBER cadre)
    Q_PROPERTY(int Alignment MEMBER alignement)
    Q_PROPERTY(bool AutoSize MEMBER tailleAuto)
    Q_PROPERTY(QString ToolTipText MEMBER infobulle)
    Q_PROPERTY(QFont Font MEMBER police)

public:
    using PartieRectangulaire::PartieRectangulaire;

    Resultat definirCouleurFond(uint32_t ole);
    Resultat definirCouleurTexte(uint32_t ole);
    Resultat definirCadre(int16_t valeur);
    Resultat definirAlignement(int16_t valeur);
    Resultat definirNomPolice(const QString& nom);
    Resultat definirTaillePolice(float points);

    QString texte;
    uint32_t couleurFond = 0x8000000F;
    uint32_t couleurTexte = 0x80000012;
    int fondOpaque = 1;
    int cadre = 0;
    int alignement = 2;
    bool tailleAuto = false;
    QString infobulle;
    QFont police;
};

class PartieForme : public PartieRectangulaire {
    Q_OBJECT
    Q_PROPERTY(uint BorderColor MEMBER couleur)
    Q_PROPERTY(int BorderWidth MEMBER epaisseur)

public:
    using PartieRectangulaire::PartieRectangulaire;

    Resultat definirCouleur(uint32_t ole);
    Resultat definirEpaisseur(int16_t pixels);

    uint32_t couleur = 0x80000010;
    int epaisseur = 1;
};

class PartieLigne : public QObject {
    Q_OBJECT
    Q_PROPERTY(double X1 MEMBER x1)
    Q_PROPERTY(double Y1 MEMBER y1)
    Q_PROPERTY(double X2 MEMBER x2)
    Q_PROPERTY(double Y2 MEMBER y2)
    Q_PROPERTY(uint BorderColor MEMBER couleur)
    Q_PROPERTY(int BorderWidth MEMBER epaisseur)
    Q_PROPERTY(bool Visible MEMBER visible)

public:
    PartieLigne(const QString& nom, QObject* parent);

    Resultat definirCouleur(uint32_t ole);
    Resultat definirEpaisseur(int16_t pixels);
    void placer(double ax1, double ay1, double ax2, double ay2);

    double x1 = 40;
    double y1 = 40;
    double x2 = 520;
    double y2 = 40;
    uint32_t couleur = 0x80000014;
    int epaisseur = 1;
    bool visible = true;
};

// Line widths are in pixels, as the primitives take them.
inline constexpr int EpaisseurMax = 8192;

} // namespace bouton
