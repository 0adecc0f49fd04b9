// The control's value conversions, on every kind of value a host may pass:
// a result is in its type's range, anything else is refused with an error.
#include "Conversions.h"
#include "Verifier.h"

#include <QVariant>

#include <cstdint>
#include <cstring>

using namespace bouton;

namespace {

template <typename T> T Prendre(const std::uint8_t*& p, std::size_t& reste) {
    T valeur{};
    const std::size_t n = std::min(reste, sizeof valeur);
    std::memcpy(&valeur, p, n);
    p += n;
    reste -= n;
    return valeur;
}

QVariant Valeur(const std::uint8_t* p, std::size_t reste) {
    switch (Prendre<std::uint8_t>(p, reste) % 9) {
    case 0:
        return Prendre<double>(p, reste);
    case 1:
        return Prendre<float>(p, reste);
    case 2:
        return Prendre<qint64>(p, reste);
    case 3:
        return Prendre<quint64>(p, reste);
    case 4:
        return Prendre<int>(p, reste);
    case 5:
        return bool(Prendre<std::uint8_t>(p, reste) & 1);
    case 6:
        return QString::fromUtf8(reinterpret_cast<const char*>(p), qsizetype(reste));
    case 7:
        return QVariant();
    default:
        return QVariant::fromValue(Prendre<short>(p, reste));
    }
}

template <typename T>
void Essayer(std::optional<T> (*conversion)(const QVariant&, Resultat*), const QVariant& v) {
    Resultat erreur;
    const std::optional<T> resultat = conversion(v, &erreur);
    VERIFIER(resultat.has_value() == erreur.reussi());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QVariant v = Valeur(donnees, taille);
    Essayer(conv::versBooleen, v);
    Essayer(conv::versLong, v);
    Essayer(conv::versEntier, v);
    Essayer(conv::versSimple, v);
    Essayer(conv::versChaine, v);
    Essayer(conv::versCouleur, v);
    return 0;
}
