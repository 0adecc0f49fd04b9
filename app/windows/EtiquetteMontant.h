#pragma once

#include "windows/AffichageMontant.h"

class QLabel;

// A plain framed label standing in for the button control, so that a cheque
// can still be prepared and printed without the control library.
class EtiquetteMontant final : public AffichageMontant {
public:
    explicit EtiquetteMontant(QWidget* parent);
    QWidget* widget() override;
    QString caption() const override;
    void ecrireCaption(const QString& texte) override;
    void ecrireFontName(const QString& nom) override;
    void ecrireFontSize(float points) override;
    void ecrireFontBold(bool gras) override;
    void signalerErreur(bool erreur) override;

private:
    QLabel* label_;
};
