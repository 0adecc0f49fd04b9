#include "words/NombreEnLettres.h"

#include "words/Redaction.h"

std::optional<QString> NombreEnLettres(double montant, QStringView unite) {
    return NombreEnLettres(montant, unite, ReglesMots{});
}

std::optional<QString> NombreEnLettres(double montant, QStringView unite, ReglesMots regles) {
    Redaction redaction(Casse::Phrase, regles);
    if (!redaction.Nombre(montant, unite))
        return std::nullopt;
    return redaction.Lettres();
}
