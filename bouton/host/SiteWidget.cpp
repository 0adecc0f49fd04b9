#include "bouton/hote/SiteWidget.h"

#include "bouton/Identites.h"
#include <QApplication>

namespace bouton::hote {

uint32_t SiteWidget::couleurOle(const QColor& c) {
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

uint32_t SiteWidget::couleurFondAmbiante() const {
    if (!conteneur_)
        return couleur::FaceBouton;
    return couleurOle(conteneur_->palette().color(conteneur_->backgroundRole()));
}

QFont SiteWidget::policeAmbiante() const {
    return conteneur_ ? conteneur_->font() : QApplication::font();
}

} // namespace bouton::hote
