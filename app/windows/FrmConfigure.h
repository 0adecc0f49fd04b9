#pragma once

#include "windows/ValeursConfiguration.h"

#include <QWidget>

#include <cstdint>

struct AppScribane;
class ApercuCheque;
class BoiteMarge;
class FrmCB;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

// The window where the two print configurations are edited, previewed and
// saved. It is not modal: the main window hides while it is open and comes
// back when it closes.
class FrmConfigure : public QWidget {
    Q_OBJECT

public:
    FrmConfigure(AppScribane& app, FrmCB& principale, QWidget* parent = nullptr);
    ~FrmConfigure() override;

    // Fills every control from the settings of the choice loaded.
    void FaitFrmOpConf();
    // Shows on the two choice buttons which choices have been saved.
    void EtatChoix();
    // What happens each time the window becomes active.
    void activer();

    // The values the window put back when it is left without saving.
    std::int16_t raccourciInitial() const { return RaccourciInitial_; }
    std::int16_t margeHauteInitiale() const { return MargeHauteInitiale_; }
    std::int16_t margeDroiteInitiale() const { return MargeDroiteInitiale_; }

    // The values of the controls, as the save reads them.
    ValeursConfiguration valeurs() const;

    void quitterEtAppliquer();
    void annuler();
    void enregistrerChoix();
    void renseignerDevise();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void construire();
    QWidget* construireColonneReglages();
    QWidget* construireColonneApercu();
    void choixClique(int index);
    void orientation(bool portrait);
    void journalClique();
    void debiteurClique();
    void tailleChiffreClique(QCheckBox* coche, QCheckBox* autre);
    void policeCliquee();
    void raccourciClique();
    void margeModifiee(BoiteMarge* boite);
    void chequeDeplace(double haut, double gauche);
    void versQuitter();
    void reglerTextes();
    bool enregistrer();
    void afficherNote(const QString& texte);
    void signalerHorsListe(QLabel* etiquette, const QString& texte);
    void prendreValeursInitiales();
    void retablirValeursInitiales();
    void rechargerSiAutreChoix();
    template <typename T> T* controlePrincipal(const char* nom) const;

    AppScribane& app_;
    FrmCB& principale_;

    std::int16_t RaccourciInitial_ = 0;
    std::int16_t MargeHauteInitiale_ = 0;
    std::int16_t MargeDroiteInitiale_ = 0;
    std::int16_t ChoixInitial_ = 0;
    // The choice whose settings are in memory, so that leaving with another
    // one in use can load it.
    int choixCharge_ = 0;
    // Focus moves after a click are for the mouse only: a keyboard user who
    // ticks a box must not land on the button that closes the window.
    bool clicSouris_ = false;
    // Set once the window has been asked to close; it is deleted soon after.
    bool fermee_ = false;

    QRadioButton* optChoix_[2] = {};
    QComboBox* cboPrint_ = nullptr;
    QComboBox* cboPolices_ = nullptr;
    QLabel* lblPolices_ = nullptr;
    QComboBox* cboTaille_ = nullptr;
    QCheckBox* chkG_ = nullptr;
    QRadioButton* opt1_ = nullptr;
    QRadioButton* opt2_ = nullptr;
    BoiteMarge* txtMH_ = nullptr;
    BoiteMarge* txtMD_ = nullptr;
    QCheckBox* chkTC1_ = nullptr;
    QCheckBox* chkTC2_ = nullptr;
    QComboBox* cboTChiffre_ = nullptr;
    QCheckBox* chkJ_ = nullptr;
    QCheckBox* chkD_ = nullptr;
    QComboBox* cboR_ = nullptr;
    QCheckBox* chkE_ = nullptr;
    QCheckBox* chkL_ = nullptr;
    QCheckBox* chkM_ = nullptr;
    QComboBox* cboM_ = nullptr;
    QComboBox* cboD_ = nullptr;
    QCheckBox* chkDef_ = nullptr;
    QCheckBox* chkDefDest_ = nullptr;
    QCheckBox* chkCent_ = nullptr;
    QLabel* horsListeImprimante_ = nullptr;
    QLabel* horsListePolice_ = nullptr;
    QLabel* horsListeTaille_ = nullptr;
    QLabel* horsListeTChiffre_ = nullptr;
    QFrame* ombre_ = nullptr;
    QFrame* pct_ = nullptr;
    ApercuCheque* pctCB_ = nullptr;
    QLabel* lblNote_ = nullptr;
    QFrame* frame_ = nullptr;
    QPushButton* quitter_ = nullptr;
    QPushButton* annuler_ = nullptr;
    QToolButton* cmdEnrChoix_ = nullptr;
};

// The menu command of the main window: shows the configuration window and
// hides the main window until it closes.
void OuvrirConfiguration(AppScribane& app, FrmCB& principale);
