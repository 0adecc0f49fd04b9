#pragma once

#include "cheque/Rendu.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class BoiteMarge;
class Dialogues;
class QLineEdit;
struct Reglages;

// Saves the positions with the rest of the choice: the number of the choice
// saved, or nothing when nothing was saved (the user has been told why).
using EnregistrementPositions = std::function<std::optional<int>()>;

// The window where each text of the cheque is placed to the millimetre, with
// a simulation drawn by the renderer that prints. It edits the positions of
// the settings it is given and puts them back unless it is left by saving.
class FrmTextes : public QDialog {
    Q_OBJECT

public:
    // `textes`: what the simulation shows; the words are spelt from the
    // amount (`chiffres`) at every redraw, as the print job does.
    FrmTextes(Reglages& reglages, const TextesCheque& textes, Dialogues& dialogues,
              EnregistrementPositions enregistrer, QWidget* parent = nullptr);
    ~FrmTextes() override;

    // Reads the eleven boxes into the settings and redraws the simulation.
    void Position();

    // 0 while loading and once leaving; 1 while the window is in use.
    std::int16_t SimulationActive = 0;
    // The positions at loading: MargeMX, MargeMY, MargeMLX, MargeMLY, MargeDEX,
    // MargeDEY, MargeDAX, MargeDAY, MargeLIX, MargeLIY, MargeDLX.
    std::array<std::int16_t, 11> PositionsInitiales{};

    // What the picture `PctTxt` shows.
    const QImage& simulation() const { return image_; }

    void done(int resultat) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void construire();
    void dessiner();
    void quitterEtEnregistrer();
    void annuler();
    void afficherNote();

    Reglages& reglages_;
    TextesCheque textes_;
    Dialogues& dialogues_;
    EnregistrementPositions enregistrer_;
    std::array<QLineEdit*, 11> boites_{}; // in the order of PositionsInitiales
    QWidget* pctTxt_ = nullptr;
    QImage image_;
};
