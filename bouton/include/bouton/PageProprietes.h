#pragma once

#include "bouton/Resultat.h"
#include <QList>
#include <QString>

class QWidget;

namespace bouton {

class Dispatch;

// What a property page tells the frame that shows it.
class SitePage {
public:
    // The page's changed mark: the frame enables its apply button while it is set.
    virtual void pageModifiee(bool modifiee) = 0;

protected:
    ~SitePage() = default;
};

// A property page as its frame sees it (interface IidPageProprietes). The page lives as long
// as its widget, which belongs to the parent given at creation.
class PageProprietes {
public:
    virtual QWidget* widget() = 0;
    virtual QString titre() const = 0;
    // Not owned; nullptr before the frame goes away.
    virtual void definirSite(SitePage* site) = 0;
    // The controls the page edits, in the order the frame selected them; they must outlive
    // the selection. Errors from reading them reach the frame.
    virtual Resultat selectionModifiee(const QList<Dispatch*>& selection) = 0;
    virtual bool modifiee() const = 0;
    // Writes the page's values to the selection; the page is unchanged afterwards.
    virtual Resultat appliquer() = 0;

protected:
    ~PageProprietes() = default;
};

} // namespace bouton
