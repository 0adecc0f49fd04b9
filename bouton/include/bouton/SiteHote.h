#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

namespace bouton {

// What the container tells the control, and hears back from it.
class SiteHote {
public:
    // Ambient back colour, as an OLE colour (0x00BBGGRR or 0x800000nn).
    virtual uint32_t couleurFondAmbiante() const = 0;
    virtual QFont policeAmbiante() const = 0;
    // Every let or set ends here with the property's own name (design hosts mark dirty).
    virtual void proprieteModifiee(const QString& nom) = 0;

protected:
    ~SiteHote() = default;
};

} // namespace bouton
