#pragma once

#include <QString>

class QWidget;

// The label that shows the amount in words: the loaded button control when it
// is there, a plain label otherwise. Its caption turns the first "*" into a
// line break and reads back with a line feed there.
class AffichageMontant {
public:
    virtual ~AffichageMontant() = default;
    virtual QWidget* widget() = 0;
    virtual QString caption() const = 0;
    virtual void ecrireCaption(const QString& texte) = 0;
    virtual void ecrireFontName(const QString& nom) = 0;
    virtual void ecrireFontSize(float points) = 0;
    virtual void ecrireFontBold(bool gras) = 0;
    // The caption in the error colour (an explanation in place of the words),
    // or back in the label's own colour.
    virtual void signalerErreur(bool erreur) = 0;
};
