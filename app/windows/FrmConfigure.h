#pragma once

#include "cheque/Rendu.h"
#include "settings/Reglages.h"
#include "settings/Resultat.h"
#include "settings/ValeursConfiguration.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <utility>

struct AppScribane;
class ApercuCheque;
class BoiteMarge;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// What the configuration window needs from the window that opens it.
struct LiensConfiguration {
    // The remembered amounts and payees, for the defaults' lists.
    std::function<std::pair<QStringList, QStringList>()> listes;
    // The cheque being filled in, for the simulation of the precise positioning.
    std::function<TextesCheque()> cheque;
    // Saves the remembered lists with `reglages` as the settings of the choice
    // in use; a refusal or a failed write has been told to the user.
    std::function<Resultat<>(const Reglages& reglages)> enregistrer;
};

// The window where the two print configurations are edited, previewed and
// saved. It is not modal: the main window hides while it is open and comes
// back when it closes. Edits change a copy of the settings; only a save puts
// them in force.
class FrmConfigure : public QWidget {
    Q_OBJECT

public:
    FrmConfigure(AppScribane& app, LiensConfiguration liens, QWidget* parent = nullptr);
    ~FrmConfigure() override;

    // Fills every control from the settings of the choice loaded.
    void FaitFrmOpConf();
    // Shows on the two choice buttons which choices have been saved.
    void EtatChoix();
    // What happens each time the window becomes active.
    void activer();

    // The settings being edited: those of the choice shown, with the edits.
    const Reglages& copie() const { return copie_; }

    // The values of the controls, as the save reads them.
    ValeursConfiguration valeurs() const;

    void quitterEtAppliquer();
    void annuler();
    void enregistrerChoix();
    void renseignerDevise();
    void montrerDevise(); // the offered currency the working copy holds

signals:
    // The settings of the choice in use have been saved and are in force.
    void choixEnregistre();
    // The choice in use is not the one whose settings are in force: they are
    // to be loaded from the settings file (leaving, or cancelling).
    void choixARecharger();
    // Leaving by applying: the settings in force are to be shown.
    void choixApplique();
    // Leaving by cancelling, before the choice in use is loaded again.
    void annule();
    // The window is closing, whatever the way.
    void fermee();

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
    void chargerCopie();
    void afficherChequier();
    // The chequebook fields checked and written to the register; false, the
    // user told why and the field focused, when they are refused.
    bool enregistrerChequier();
    void rechargerSiAutreChoix();

    AppScribane& app_;
    LiensConfiguration liens_;
    // The settings the window edits; the application's are replaced by a save.
    Reglages copie_;

    std::int16_t ChoixInitial_ = 0;
    // The choice whose settings are in force, so that leaving with another
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
    QCheckBox* chkCompleter_ = nullptr;
    QComboBox* cboVariante_ = nullptr;
    QComboBox* cboOrthographe_ = nullptr;
    QComboBox* cboDevise_ = nullptr;
    // The chequebook the choice prints on, kept in the cheque register.
    QLineEdit* txtChequier_ = nullptr;
    QCheckBox* chkNumeroter_ = nullptr;
    QLineEdit* txtProchain_ = nullptr;
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
