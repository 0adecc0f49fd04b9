#pragma once

#include "words/ReglesMots.h"

#include <QString>
#include <QStringView>
#include <optional>

struct ResultatMontant {
    // The words for the cheque, upper case except the link word; empty when
    // there is nothing to write.
    QString lettres;
    // When zero cents are not to be printed and the amount box ends with
    // ",00": the text the box should now hold (e.g. "150" for "150,00").
    std::optional<QString> montantRaccourci;
};

// Turns the amount as typed in the amount box ("1234,56") into the words of the
// cheque: "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES".
// `devise` and `centimes` are the singular unit names, `liaison` the link word
// (used as typed), `ecrireCent` the option that drops ",00" from the box.
// A part that does not read as a number is left empty; this never fails.
ResultatMontant MontantEnLettres(QStringView montant, QStringView devise, QStringView centimes,
                                 QStringView liaison, bool ecrireCent);

// The same in a variant and spelling of the words; with `regles.sansCentimes`
// the decimals are never written.
ResultatMontant MontantEnLettres(QStringView montant, QStringView devise, QStringView centimes,
                                 QStringView liaison, bool ecrireCent, ReglesMots regles);
