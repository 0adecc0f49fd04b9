#pragma once

#include "windows/AffichageMontant.h"

#include <QString>
#include <QVariant>

#include <memory>

class QWidget;
namespace bouton {
class Dispatch;
}
namespace bouton::hote {
class SiteWidget;
}

// The amount label as the button control of BoutonKiv_W9x, created by its
// prog-id and reached by member ID only.
class ControleMontant final : public AffichageMontant {
public:
    // Creates the control on `parent`, loaded with the label's saved look;
    // `bibliotheque` is registered first when the class is not (empty: the
    // library beside the program). Returns null and puts the reason in
    // `erreur` when the control cannot be had.
    static std::unique_ptr<ControleMontant> Creer(QWidget* parent, const QString& bibliotheque,
                                                  QString* erreur);
    ~ControleMontant() override;

    QWidget* widget() override;
    QString caption() const override;
    void ecrireCaption(const QString& texte) override;
    void ecrireFontName(const QString& nom) override;
    void ecrireFontSize(float points) override;
    void ecrireFontBold(bool gras) override;
    void signalerErreur(bool erreur) override;

private:
    ControleMontant() = default;
    std::unique_ptr<bouton::hote::SiteWidget> site_;
    QWidget* widget_ = nullptr;
    bouton::Dispatch* dispatch_ = nullptr;
    QVariant couleurTexte_; // the label's own text colour, put back after an error
};
