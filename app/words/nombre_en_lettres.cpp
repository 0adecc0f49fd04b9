#include "nombre_en_lettres.h"

#include "redaction.h"

std::optional<QString> NombreEnLettres(double montant, QStringView unite) {
    Tampon tampon;
    if (!EcrireNombreEnLettres(tampon, montant, unite, Casse::Phrase))
        return std::nullopt;
    return QStringView(tampon.constData(), tampon.size()).toString();
}
