#pragma once

#include "bouton/SiteHote.h"
#include <QPointer>
#include <QWidget>

namespace bouton::hote {

// The site of a control placed on an ordinary window: the window's background colour and
// font are the ambient ones; property changes are not tracked (no design mode).
class SiteWidget final : public SiteHote {
public:
    explicit SiteWidget(QWidget* conteneur) : conteneur_(conteneur) {}

    uint32_t couleurFondAmbiante() const override;
    QFont policeAmbiante() const override;
    void proprieteModifiee(const QString&) override {}

    // 0x00BBGGRR, as OLE colours are written.
    static uint32_t couleurOle(const QColor& couleur);

private:
    QPointer<QWidget> conteneur_;
};

} // namespace bouton::hote
