#pragma once

#include "bouton/Resultat.h"
#include <QPixmap>
#include <QVariant>
#include <cstdint>

// How the control's values travel as variants, shared by its members and its saved bag.
namespace bouton {

// Returns the failure of an expression giving a Resultat, and goes on otherwise.
#define ESSAYER(expression)                                                                        \
    do {                                                                                           \
        if (Resultat r_ = (expression); !r_.reussi())                                              \
            return r_;                                                                             \
    } while (false)

// Colours travel as unsigned 32-bit values, 16-bit integers as qint16.
inline QVariant valeurCouleur(uint32_t ole) {
    return QVariant::fromValue<uint>(ole);
}
inline QVariant entier(int16_t v) {
    return QVariant::fromValue<qint16>(v);
}
inline QVariant entierLong(int32_t v) {
    return QVariant::fromValue<int32_t>(v);
}
// A picture object: nothing, or the pixmap.
inline QVariant objet(const QPixmap& p) {
    return p.isNull() ? QVariant() : QVariant::fromValue(p);
}

} // namespace bouton
