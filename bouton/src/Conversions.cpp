#include "Conversions.h"

#include <QLocale>
#include <cfloat>
#include <cmath>

namespace bouton::conv {

Resultat erreurType() {
    return Resultat::erreur(code::IncompatibiliteType, QStringLiteral("Incompatibilité de type"));
}
Resultat erreurDepassement() {
    return Resultat::erreur(code::Depassement, QStringLiteral("Dépassement de capacité"));
}
Resultat erreurValeur() {
    return Resultat::erreur(code::ValeurProprieteInvalide,
                            QStringLiteral("Valeur de propriété non valide"));
}

namespace {

template <typename T> std::optional<T> echec(Resultat* erreur, Resultat r) {
    if (erreur)
        *erreur = std::move(r);
    return std::nullopt;
}

bool estNumerique(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// Any scalar as a number; True counts as -1, an empty variant as 0.
std::optional<double> versNombre(const QVariant& v, Resultat* erreur) {
    if (!v.isValid())
        return 0.0;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    if (estNumerique(v)) {
        // NaN passes every range test and no cast of it is defined: refused as
        // infinities are, for not fitting.
        const double d = v.toDouble();
        if (std::isnan(d))
            return echec<double>(erreur, erreurDepassement());
        return d;
    }
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = QLocale::c().toDouble(v.toString().trimmed(), &ok);
        if (ok && std::isfinite(d))
            return d;
    }
    return echec<double>(erreur, erreurType());
}

std::optional<double> versEntierArrondi(const QVariant& v, double min, double max,
                                        Resultat* erreur) {
    auto d = versNombre(v, erreur);
    if (!d)
        return std::nullopt;
    const double arrondi = std::nearbyint(*d); // halves to even
    if (arrondi < min || arrondi > max)
        return echec<double>(erreur, erreurDepassement());
    return arrondi;
}

} // namespace

std::optional<bool> versBooleen(const QVariant& v, Resultat* erreur) {
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        for (const char* vrai : {"True", "Vrai"})
            if (s.compare(QLatin1String(vrai), Qt::CaseInsensitive) == 0)
                return true;
        for (const char* faux : {"False", "Faux"})
            if (s.compare(QLatin1String(faux), Qt::CaseInsensitive) == 0)
                return false;
    }
    auto d = versNombre(v, erreur);
    if (!d)
        return std::nullopt;
    return *d != 0.0;
}

std::optional<int32_t> versLong(const QVariant& v, Resultat* erreur) {
    auto d = versEntierArrondi(v, INT32_MIN, INT32_MAX, erreur);
    return d ? std::optional<int32_t>(int32_t(*d)) : std::nullopt;
}

std::optional<int16_t> versEntier(const QVariant& v, Resultat* erreur) {
    auto d = versEntierArrondi(v, INT16_MIN, INT16_MAX, erreur);
    return d ? std::optional<int16_t>(int16_t(*d)) : std::nullopt;
}

std::optional<float> versSimple(const QVariant& v, Resultat* erreur) {
    auto d = versNombre(v, erreur);
    if (!d)
        return std::nullopt;
    if (std::fabs(*d) > FLT_MAX)
        return echec<float>(erreur, erreurDepassement());
    return float(*d);
}

std::optional<QString> versChaine(const QVariant& v, Resultat* erreur) {
    if (!v.isValid())
        return QString();
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("Vrai") : QStringLiteral("Faux");
    if (estNumerique(v))
        return v.toString();
    return echec<QString>(erreur, erreurType());
}

std::optional<uint32_t> versCouleur(const QVariant& v, Resultat* erreur) {
    auto d = versEntierArrondi(v, INT32_MIN, UINT32_MAX, erreur);
    if (!d)
        return std::nullopt;
    return *d < 0 ? uint32_t(int32_t(*d)) : uint32_t(*d);
}

} // namespace bouton::conv
