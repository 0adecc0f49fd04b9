#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QScreen;
class LigneEtalon;

// "Étalonner l'écran": a line drawn for 100 mm at the screen's millimetre as
// it stands; the user lays a ruler on it and types what it measures, and the
// line is drawn again at once at the corrected scale, where it should measure
// 100 mm. "Enregistrer" keeps the correction for this screen; a write that
// fails is told in the dialog, which stays open.
class FrmEtalonnage : public QDialog {
    Q_OBJECT

public:
    explicit FrmEtalonnage(QWidget* parent);

    // The correction the measurement typed gives.
    double facteur() const;
    // Pixels of a millimetre at that correction: the line's scale.
    double pixelsParMm() const;

private:
    void mesureChangee();
    void enregistrer();

    const QScreen* ecran_;
    double annonce_; // the screen's millimetre as it reports it
    double depart_;  // the correction in force when the dialog opened
    double facteur_; // the correction the dialog would keep
    QDoubleSpinBox* longueur_ = nullptr;
    LigneEtalon* ligne_ = nullptr;
    QLabel* resolution_ = nullptr;
    QLabel* erreur_ = nullptr;
};
