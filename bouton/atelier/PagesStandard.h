#pragma once

#include "bouton/PageProprietes.h"
#include <QMap>
#include <QVariant>
#include <QWidget>
#include <cstdint>

class QComboBox;
class QLabel;

namespace atelier {

class DialoguesAtelier;

// What the platform's stock pages do, for this host: edit the picture, colour or font
// properties of every selected control. A value chosen is kept until applied.
class PageStandard : public QWidget, public bouton::PageProprietes {
    Q_OBJECT

public:
    PageStandard(const QString& titre, QList<int32_t> membres, DialoguesAtelier& dialogues,
                 QWidget* parent);

    QWidget* widget() override { return this; }
    QString titre() const override { return titre_; }
    void definirSite(bouton::SitePage* site) override { site_ = site; }
    bouton::Resultat selectionModifiee(const QList<bouton::Dispatch*>& selection) override;
    bool modifiee() const override { return !enAttente_.isEmpty(); }
    bouton::Resultat appliquer() override;

protected:
    int32_t membreChoisi() const;
    // The value the page would apply: the one chosen, or the first control's own.
    QVariant valeur(int32_t membre) const;
    void choisir(const QVariant& valeur);
    virtual void montrer() = 0;

    DialoguesAtelier& dialogues_;
    QComboBox* proprietes_;
    QLabel* apercu_;

private:
    QString titre_;
    QList<int32_t> membres_;
    bouton::SitePage* site_ = nullptr;
    QList<bouton::Dispatch*> selection_;
    QMap<int32_t, QVariant> enAttente_;
};

// "StandardColor": the colour properties, through the colour dialog.
class PageCouleurs final : public PageStandard {
    Q_OBJECT
public:
    PageCouleurs(DialoguesAtelier& dialogues, QWidget* parent);

private:
    void montrer() override;
};

// "StandardFont": the Font property, through the font dialog.
class PagePolice final : public PageStandard {
    Q_OBJECT
public:
    PagePolice(DialoguesAtelier& dialogues, QWidget* parent);

private:
    void montrer() override;
};

// "StandardPicture": Picture and MouseIcon, from an image file or none.
class PageImage final : public PageStandard {
    Q_OBJECT
public:
    PageImage(DialoguesAtelier& dialogues, QWidget* parent);

private:
    void montrer() override;
};

// An OLE colour as the screen shows it; system colours from the palette.
QColor CouleurAffichee(uint32_t ole, const QPalette& palette);

} // namespace atelier
