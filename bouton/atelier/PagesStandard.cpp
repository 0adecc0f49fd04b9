#include "PagesStandard.h"

#include "DialoguesAtelier.h"
#include "bouton/Dispatch.h"
#include "bouton/Identites.h"
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace atelier {

namespace m = bouton::membre;

QColor CouleurAffichee(uint32_t ole, const QPalette& palette) {
    if (!(ole & 0x80000000u))
        return QColor(int(ole & 0xFF), int(ole >> 8 & 0xFF), int(ole >> 16 & 0xFF));
    switch (ole & 0xFF) {
    case 0x10:
        return palette.color(QPalette::Dark);
    case 0x12:
        return palette.color(QPalette::ButtonText);
    case 0x14:
        return palette.color(QPalette::Light);
    default:
        return palette.color(QPalette::Button);
    }
}

PageStandard::PageStandard(const QString& titre, QList<int32_t> membres,
                           DialoguesAtelier& dialogues, QWidget* parent)
    : QWidget(parent), dialogues_(dialogues), proprietes_(new QComboBox(this)),
      apercu_(new QLabel(this)), titre_(titre), membres_(std::move(membres)) {
    setWindowTitle(titre_);
    proprietes_->setObjectName(QStringLiteral("Proprietes"));
    apercu_->setObjectName(QStringLiteral("Apercu"));
    apercu_->setMinimumSize(160, 48);
    apercu_->setFrameShape(QFrame::Box);
    auto* grille = new QGridLayout(this);
    grille->addWidget(new QLabel(QStringLiteral("Propriétés :"), this), 0, 0);
    grille->addWidget(proprietes_, 1, 0);
    grille->addWidget(apercu_, 2, 0, 1, 2);
    grille->setRowStretch(4, 1);
    connect(proprietes_, &QComboBox::currentIndexChanged, this, [this] { montrer(); });
}

bouton::Resultat PageStandard::selectionModifiee(const QList<bouton::Dispatch*>& selection) {
    selection_ = selection;
    enAttente_.clear();
    proprietes_->clear();
    if (selection_.isEmpty())
        return bouton::Resultat::erreur(bouton::code::ArgumentInvalide,
                                        QStringLiteral("Aucun contrôle n'est sélectionné."));
    for (int32_t id : membres_)
        proprietes_->addItem(selection_.first()->nomDuMembre(id), id);
    montrer();
    if (site_)
        site_->pageModifiee(false);
    return bouton::Resultat::ok();
}

int32_t PageStandard::membreChoisi() const {
    return proprietes_->currentData().toInt();
}

QVariant PageStandard::valeur(int32_t membre) const {
    if (enAttente_.contains(membre))
        return enAttente_.value(membre);
    QVariant v;
    if (!selection_.isEmpty())
        selection_.first()->lire(membre, v);
    return v;
}

void PageStandard::choisir(const QVariant& valeur) {
    enAttente_.insert(membreChoisi(), valeur);
    montrer();
    if (site_)
        site_->pageModifiee(true);
}

bouton::Resultat PageStandard::appliquer() {
    for (auto it = enAttente_.cbegin(); it != enAttente_.cend(); ++it)
        for (bouton::Dispatch* controle : selection_)
            if (bouton::Resultat r = controle->ecrire(it.key(), it.value()); !r.reussi())
                return r;
    enAttente_.clear();
    if (site_)
        site_->pageModifiee(false);
    return bouton::Resultat::ok();
}

PageCouleurs::PageCouleurs(DialoguesAtelier& dialogues, QWidget* parent)
    : PageStandard(QStringLiteral("Couleur"),
                   {m::BackColor, m::BackColorOver, m::BordColSombre, m::Bord1ColClair,
                    m::Bord2ColClair, m::EtiColOut, m::EtiColOver, m::EtiFoCoOut, m::EtiFoCoOver},
                   dialogues, parent) {
    setObjectName(QStringLiteral("StandardColor"));
    auto* bouton = new QPushButton(QStringLiteral("Choisir…"), this);
    bouton->setObjectName(QStringLiteral("Choisir"));
    static_cast<QGridLayout*>(layout())->addWidget(bouton, 1, 1);
    connect(bouton, &QPushButton::clicked, this, [this] {
        const QColor actuelle = CouleurAffichee(valeur(membreChoisi()).toUInt(), palette());
        if (auto c = dialogues_.couleur(this, actuelle))
            choisir(QVariant::fromValue<uint>(uint(c->red()) | uint(c->green()) << 8 |
                                              uint(c->blue()) << 16));
    });
}

void PageCouleurs::montrer() {
    QPalette p = apercu_->palette();
    p.setColor(QPalette::Window, CouleurAffichee(valeur(membreChoisi()).toUInt(), palette()));
    apercu_->setAutoFillBackground(true);
    apercu_->setPalette(p);
    apercu_->setText(QStringLiteral("&H%1&")
                         .arg(valeur(membreChoisi()).toUInt(), 8, 16, QLatin1Char('0'))
                         .toUpper());
}

PagePolice::PagePolice(DialoguesAtelier& dialogues, QWidget* parent)
    : PageStandard(QStringLiteral("Police"), {m::Font}, dialogues, parent) {
    setObjectName(QStringLiteral("StandardFont"));
    auto* bouton = new QPushButton(QStringLiteral("Choisir…"), this);
    bouton->setObjectName(QStringLiteral("Choisir"));
    static_cast<QGridLayout*>(layout())->addWidget(bouton, 1, 1);
    connect(bouton, &QPushButton::clicked, this, [this] {
        if (auto f = dialogues_.police(this, valeur(m::Font).value<QFont>()))
            choisir(*f);
    });
}

void PagePolice::montrer() {
    const QFont f = valeur(m::Font).value<QFont>();
    apercu_->setFont(f);
    apercu_->setText(QStringLiteral("%1, %2 pt").arg(f.family()).arg(f.pointSizeF()));
}

PageImage::PageImage(DialoguesAtelier& dialogues, QWidget* parent)
    : PageStandard(QStringLiteral("Image"), {m::Picture, m::MouseIcon}, dialogues, parent) {
    setObjectName(QStringLiteral("StandardPicture"));
    auto* parcourir = new QPushButton(QStringLiteral("Parcourir…"), this);
    parcourir->setObjectName(QStringLiteral("Parcourir"));
    auto* aucune = new QPushButton(QStringLiteral("Aucune"), this);
    aucune->setObjectName(QStringLiteral("Aucune"));
    auto* grille = static_cast<QGridLayout*>(layout());
    grille->addWidget(parcourir, 1, 1);
    grille->addWidget(aucune, 3, 1);
    connect(parcourir, &QPushButton::clicked, this, [this] {
        const QString chemin = dialogues_.imageAOuvrir(this);
        if (chemin.isEmpty())
            return;
        const QPixmap image(chemin);
        if (image.isNull())
            dialogues_.erreur(this, QStringLiteral("« %1 » n'est pas une image lisible.")
                                        .arg(QDir::toNativeSeparators(chemin)));
        else
            choisir(image);
    });
    connect(aucune, &QPushButton::clicked, this, [this] { choisir(QVariant()); });
}

void PageImage::montrer() {
    const QPixmap image = valeur(membreChoisi()).value<QPixmap>();
    apercu_->setPixmap(image.isNull() ? QPixmap()
                                      : image.scaled(apercu_->minimumSize(), Qt::KeepAspectRatio));
    if (image.isNull())
        apercu_->setText(QStringLiteral("(aucune)"));
}

} // namespace atelier
