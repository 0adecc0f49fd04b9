#pragma once

#include "bouton/PageProprietes.h"
#include <QDialog>
#include <QList>
#include <QUuid>

class QPushButton;
class QTabWidget;

namespace bouton {
class Dispatch;
}

namespace atelier {

class DialoguesAtelier;

// The page frame of the design host: the pages a control declares, in its order, over the
// selected controls, with OK, Annuler and Appliquer. Appliquer is enabled while a page says
// it has changes.
class CadrePages final : public QDialog, public bouton::SitePage {
    Q_OBJECT

public:
    CadrePages(const QList<QUuid>& pages, const QList<bouton::Dispatch*>& selection,
               DialoguesAtelier& dialogues, QWidget* parent);
    ~CadrePages() override;

    void pageModifiee(bool modifiee) override;
    // Applies every page that has changes; the first error is shown and stops.
    bool appliquer();

private:
    DialoguesAtelier& dialogues_;
    QTabWidget* onglets_;
    QPushButton* appliquer_;
    QList<bouton::PageProprietes*> pages_;
};

} // namespace atelier
