#include "CadrePages.h"

#include "DialoguesAtelier.h"
#include "PagesStandard.h"
#include "bouton/Identites.h"
#include "bouton/hote/ChargeurControle.h"
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace atelier {

CadrePages::CadrePages(const QList<QUuid>& pages, const QList<bouton::Dispatch*>& selection,
                       DialoguesAtelier& dialogues, QWidget* parent)
    : QDialog(parent), dialogues_(dialogues), onglets_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("CadrePages"));
    setWindowTitle(QStringLiteral("Pages de propriétés"));
    onglets_->setObjectName(QStringLiteral("Onglets"));
    auto* boutons = new QDialogButtonBox(this);
    auto* ok = boutons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    auto* annuler = boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    annuler->setObjectName(QStringLiteral("Annuler"));
    appliquer_ = boutons->addButton(QStringLiteral("Appliquer"), QDialogButtonBox::ApplyRole);
    appliquer_->setObjectName(QStringLiteral("Appliquer"));
    connect(ok, &QPushButton::clicked, this, [this] {
        if (appliquer())
            accept();
    });
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(appliquer_, &QPushButton::clicked, this, [this] { appliquer(); });

    for (const QUuid& clsid : pages) {
        bouton::PageProprietes* page = nullptr;
        if (clsid == bouton::ClsidPageStandardColor)
            page = new PageCouleurs(dialogues_, onglets_);
        else if (clsid == bouton::ClsidPageStandardFont)
            page = new PagePolice(dialogues_, onglets_);
        else if (clsid == bouton::ClsidPageStandardPicture)
            page = new PageImage(dialogues_, onglets_);
        else {
            // The control's own pages come from its library, by class identity.
            bouton::Resultat e;
            auto creee = bouton::hote::CreerPageProprietes(clsid, onglets_, &e);
            if (!creee) {
                dialogues_.erreur(parent, e.message);
                continue;
            }
            page = *creee;
        }
        onglets_->addTab(page->widget(), page->titre());
        pages_.append(page);
    }
    for (bouton::PageProprietes* page : pages_) {
        page->definirSite(this);
        if (bouton::Resultat r = page->selectionModifiee(selection); !r.reussi())
            dialogues_.erreur(parent, r.message);
    }

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(onglets_);
    colonne->addWidget(boutons);
    pageModifiee(false);
}

CadrePages::~CadrePages() {
    // The pages outlive this object's own part by a moment: they must not call it back.
    for (bouton::PageProprietes* page : pages_)
        page->definirSite(nullptr);
}

void CadrePages::pageModifiee(bool) {
    bool modifiees = false;
    for (bouton::PageProprietes* page : pages_)
        modifiees = modifiees || page->modifiee();
    appliquer_->setEnabled(modifiees);
}

bool CadrePages::appliquer() {
    for (bouton::PageProprietes* page : pages_) {
        if (!page->modifiee())
            continue;
        if (bouton::Resultat r = page->appliquer(); !r.reussi()) {
            dialogues_.erreur(this, r.message);
            return false;
        }
    }
    pageModifiee(false);
    return true;
}

} // namespace atelier
