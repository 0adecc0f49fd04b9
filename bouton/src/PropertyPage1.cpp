#include "PropertyPage1.h"

#include "bouton/Dispatch.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <atomic>
#include <cmath>

namespace bouton {

namespace {

std::atomic<int> vivantes{0};

// Index = Style value; two names keep the trailing blank they were given.
const char* const NomsStyles[] = {"Image", "Etiquette", "EtiqCentrée ", "EtiqRelief ", "Ligne"};

// MS Sans Serif where it exists, else a face of the same widths, so the texts fit the
// positions the page was drawn with.
QFont policePage(double points, bool gras) {
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

} // namespace

PropertyPage1::PropertyPage1(QWidget* parent)
    : QWidget(parent), lblStyle_(new QLabel(QStringLiteral("Style du Bouton"), this)),
      cbo_(new QComboBox(this)),
      label1_(new QLabel(QStringLiteral("Propriété Caption du contrôle"), this)),
      txt_(new QLineEdit(this)),
      label2_(
          new QLabel(QStringLiteral("pour style Etiquette ou EtiquCentrée ou EtiqRelief"), this)) {
    ++vivantes;
    setObjectName(QStringLiteral("PropertyPage1"));
    setWindowTitle(titre());
    setFont(policePage(8.25, false));
    taille_ = enPixels(0, 0, 4740, 3495).size();
    resize(taille_);

    lblStyle_->setObjectName(QStringLiteral("LblStyle"));
    lblStyle_->setFont(policePage(9.75, true));
    lblStyle_->setGeometry(enPixels(600, 360, 2655, 375));
    cbo_->setObjectName(QStringLiteral("Cbo"));
    cbo_->setGeometry(enPixels(600, 720, 2295, 315));
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setFont(policePage(9.75, true));
    label1_->setGeometry(enPixels(600, 1920, 3255, 375));
    txt_->setObjectName(QStringLiteral("Txt"));
    txt_->setGeometry(enPixels(600, 2280, 2775, 375));
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(enPixels(240, 2640, 3615, 255));

    // Page creation: the five styles, the first selected.
    for (const char* nom : NomsStyles)
        cbo_->addItem(QString::fromUtf8(nom));
    cbo_->setCurrentIndex(0);

    connect(cbo_, &QComboBox::currentIndexChanged, this, [this] { marquer(true); });
    connect(txt_, &QLineEdit::textChanged, this, [this] { marquer(true); });
}

PropertyPage1::~PropertyPage1() {
    --vivantes;
}

int PropertyPage1::nombreVivantes() {
    return vivantes;
}

QString PropertyPage1::titre() const {
    return QStringLiteral("Général");
}

QRect PropertyPage1::enPixels(int gauche, int haut, int largeur, int hauteur) const {
    auto x = [&](int t) { return int(std::lround(t * logicalDpiX() / 1440.0)); };
    auto y = [&](int t) { return int(std::lround(t * logicalDpiY() / 1440.0)); };
    return QRect(x(gauche), y(haut), x(gauche + largeur) - x(gauche), y(haut + hauteur) - y(haut));
}

void PropertyPage1::marquer(bool modifiee) {
    modifiee_ = modifiee;
    if (site_)
        site_->pageModifiee(modifiee);
}

Dispatch* PropertyPage1::premier(Resultat* erreur) const {
    if (!selection_.isEmpty() && selection_.first())
        return selection_.first();
    *erreur = Resultat::erreur(code::ArgumentInvalide,
                               QStringLiteral("Aucun contrôle n'est sélectionné."));
    return nullptr;
}

Resultat PropertyPage1::selectionModifiee(const QList<Dispatch*>& selection) {
    selection_ = selection;
    Resultat e;
    Dispatch* controle = premier(&e);
    if (!controle)
        return e;
    QVariant style;
    if (e = controle->lireParNom(QStringLiteral("Style"), style); !e.reussi())
        return e;
    // A style outside the list leaves the combo as it was.
    for (int i = 0; i < cbo_->count(); ++i)
        if (style.toLongLong() == i)
            cbo_->setCurrentIndex(i);
    QVariant caption;
    if (e = controle->lireParNom(QStringLiteral("Caption"), caption); !e.reussi())
        return e;
    txt_->setText(caption.toString());
    // Filling the page marked it changed; it shows the control as it is.
    marquer(false);
    return Resultat::ok();
}

Resultat PropertyPage1::appliquer() {
    Resultat e;
    Dispatch* controle = premier(&e);
    if (!controle)
        return e;
    const auto style = QVariant::fromValue<qint16>(qint16(cbo_->currentIndex()));
    if (e = controle->ecrireParNom(QStringLiteral("Style"), style); !e.reussi())
        return e;
    if (e = controle->ecrireParNom(QStringLiteral("Caption"), txt_->text()); !e.reussi())
        return e;
    marquer(false);
    return Resultat::ok();
}

} // namespace bouton
