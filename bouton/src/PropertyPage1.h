#pragma once

#include "bouton/PageProprietes.h"
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace bouton {

// The control's own property page "Général": its Style and Caption. Only the first control
// of the selection is read and written, even when several are selected.
class PropertyPage1 final : public QWidget, public PageProprietes {
    Q_OBJECT

public:
    explicit PropertyPage1(QWidget* parent);
    ~PropertyPage1() override;

    QWidget* widget() override { return this; }
    QString titre() const override;
    void definirSite(SitePage* site) override { site_ = site; }
    Resultat selectionModifiee(const QList<Dispatch*>& selection) override;
    bool modifiee() const override { return modifiee_; }
    Resultat appliquer() override;

    // Its size as designed, for frames that lay it out.
    QSize sizeHint() const override { return taille_; }
    QSize minimumSizeHint() const override { return taille_; }

    static int nombreVivantes();

private:
    void marquer(bool modifiee);
    Dispatch* premier(Resultat* erreur) const;
    QRect enPixels(int gauche, int haut, int largeur, int hauteur) const;

    QLabel* lblStyle_;
    QComboBox* cbo_;
    QLabel* label1_;
    QLineEdit* txt_;
    QLabel* label2_;
    SitePage* site_ = nullptr;
    QList<Dispatch*> selection_;
    bool modifiee_ = false;
    QSize taille_;
};

} // namespace bouton
