#include "words/NombreEnLettres.h"

#include "words/Redaction.h"

std::optional<QString> NombreEnLettres(double montant, QStringView unite) {
    Redaction redaction(Casse::Phrase);
    if (!redaction.Nombre(montant, unite))
        return std::nullopt;
    return redaction.Lettres();
}
