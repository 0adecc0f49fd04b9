#pragma once

#include <QVariantList>
#include <cstdint>

namespace bouton {

// The host's receiver of the control's events, by event ID. The mouse events pass
// Button (qint16), Shift (qint16), X and Y (float, twips) by reference: the host may
// change them in place.
class PuitsEvenements {
public:
    virtual void evenement(int32_t id, QVariantList& arguments) = 0;

protected:
    ~PuitsEvenements() = default;
};

} // namespace bouton
