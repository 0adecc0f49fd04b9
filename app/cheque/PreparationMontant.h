#pragma once

#include <QString>

#include <optional>

struct Reglages;

// The caption of the amount label: the units on the first line, the link word
// and the cents on the second ("*" marks where the second line starts),
// optionally framed by "// " and " //". `lettresUnites` are the words of the
// units alone: the cut is made where they end, so that a link word that also
// occurs inside the words ("VINGT ET UN" with the link "ET") never loses any.
QString CaptionDuMontant(const QString& lettres, const QString& lettresUnites,
                         const QString& liaison, bool encadrer);

struct MontantPrepare {
    QString caption;
    // The text the amount box should now hold, when zero cents are dropped.
    std::optional<QString> montantRaccourci;
};

// The words of an amount as typed, with the currency words and options of the
// settings, laid out for the amount label.
MontantPrepare PreparerTexteMontant(const QString& montant, const Reglages& r);

// What the amount label shows of a caption: the first "*" starts the second
// line; anything after a second "*" is dropped.
QString CaptionAvecSautDeLigne(const QString& texte);

// Why an amount cannot be printed (empty, not a number, negative, too large
// for its words), or nothing when it can.
std::optional<QString> RefusMontant(const QString& montant);
