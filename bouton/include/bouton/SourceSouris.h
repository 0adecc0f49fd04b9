#pragma once

#include <QPoint>
#include <cstdint>

class QWidget;

namespace bouton {

// A window's rectangle on the screen in pixels, as the platform reports it: right and bottom
// lie one pixel past the window.
struct RectangleEcran {
    int32_t gauche = 0;
    int32_t haut = 0;
    int32_t droite = 0;
    int32_t bas = 0;
};

// Where the control lies on the screen and where the pointer is, read by the hover test.
// The control asks the platform unless its host gives another source (tests place the
// pointer this way).
class SourceSouris {
public:
    virtual RectangleEcran rectangleFenetre(const QWidget& fenetre) const = 0;
    virtual QPoint positionPointeur() const = 0;

protected:
    ~SourceSouris() = default;
};

} // namespace bouton
