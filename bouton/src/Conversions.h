#pragma once

#include "bouton/Resultat.h"
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

// Coercion of the variants a host passes to the types the members declare, with the usual
// errors: type mismatch for what is not a number, overflow for what does not fit.
namespace bouton::conv {

Resultat erreurType();
Resultat erreurDepassement();
Resultat erreurValeur();

std::optional<bool> versBooleen(const QVariant& v, Resultat* erreur);
std::optional<int32_t> versLong(const QVariant& v, Resultat* erreur);
// 16-bit integer: overflow outside -32768..32767.
std::optional<int16_t> versEntier(const QVariant& v, Resultat* erreur);
std::optional<float> versSimple(const QVariant& v, Resultat* erreur);
std::optional<QString> versChaine(const QVariant& v, Resultat* erreur);
// OLE colour: any 32-bit value, given signed or unsigned.
std::optional<uint32_t> versCouleur(const QVariant& v, Resultat* erreur);

} // namespace bouton::conv
