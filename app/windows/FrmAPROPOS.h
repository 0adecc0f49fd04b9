#pragma once

#include <QDialog>

struct AppScribane;
class QLabel;
class QPushButton;
class PanneauDegrade;

// The about window: the program's name, version and the addresses to reach
// its authors. Shown modally from the main window's help menu.
class FrmAPROPOS : public QDialog {
    Q_OBJECT

public:
    explicit FrmAPROPOS(AppScribane& app, QWidget* parent = nullptr);

    // 1 while the pointer is known to be over the web (or e-mail) label.
    quint8 survolWeb() const { return survolWeb_; }
    quint8 survolCourriel() const { return survolCourriel_; }

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void construire();
    // The pointer over one link label: it alone is underlined, and it shows
    // the pointing hand.
    void survolerLien(QLabel* lien, quint8& survol, QLabel* autre, quint8& survolAutre);
    void survolerPanneau();
    void cliquerLien(QLabel* lien);

    AppScribane& app_;
    PanneauDegrade* panneau_ = nullptr;
    QLabel* label1_ = nullptr; // web
    QLabel* label2_ = nullptr; // e-mail
    QPushButton* cmdf_ = nullptr;
    quint8 survolWeb_ = 0;
    quint8 survolCourriel_ = 0;
};
