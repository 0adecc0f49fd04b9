#pragma once

#include "bouton/Resultat.h"
#include <QString>
#include <QVariant>

namespace bouton {

// The container's store of saved properties, key to variant. A key may be written several
// times: reading consumes the occurrences in the order written, then gives the default.
class SacProprietes {
public:
    virtual Resultat lire(const QString& cle, QVariant& valeur, const QVariant& defaut) = 0;
    // A value equal to its default may be left out.
    virtual Resultat ecrire(const QString& cle, const QVariant& valeur, const QVariant& defaut) = 0;

protected:
    ~SacProprietes() = default;
};

} // namespace bouton
