#pragma once

#include "cheque/Releve.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>

// Reconciling a bank statement with the cheques not yet cashed. Plain values
// in and out: the caller reads the register, and marks what the user accepts.

// A cheque issued and not yet cashed.
struct ChequeEnCours {
    std::int64_t id = 0;
    std::optional<std::uint32_t> numero; // the 7 digits of the cheque, when recorded
    std::int64_t centimes = 0;           // positive
    QDate date;                          // the date on the cheque
    QString destinataire;
};

// A statement line and the cheque it cashes.
struct ChequeEncaisse {
    LigneReleve ligne;
    std::int64_t id = 0;
    QDate encaissement; // the statement's date of the line
};

enum class Doute {
    MontantDifferent, // the number is in the register with another amount
    NumeroInconnu,    // the number is not among the cheques not yet cashed
    SansNumero,       // the amount is that of a cheque, the label names none
    DejaRapproche,    // the cheque of that number was matched by another line
    PlusieursCheques, // several cheques carry that number and amount
};

// A debit the user decides on: which of the candidates it cashes, if any.
struct LigneADecider {
    LigneReleve ligne;
    std::optional<std::uint32_t> numero; // read in the label
    Doute doute = Doute::SansNumero;
    // The cheques it may be, best first (the number's, then the amount's by
    // nearest date), at most kCandidatsMax of `candidatsEnTout`.
    QVector<std::int64_t> candidats;
    qsizetype candidatsEnTout = 0;
};

inline constexpr qsizetype kCandidatsMax = 20;

struct Rapprochement {
    QVector<ChequeEncaisse> rapproches; // a number and its amount: to mark cashed
    QVector<LigneADecider> aDecider;
    QVector<LigneReleve> nonRapproches; // credits, and debits no cheque is like
    // The cheques still outstanding once the matched ones are cashed.
    qsizetype restants = 0;
    std::int64_t restantCentimes = 0;
};

// The cheque number a label carries: "CHQ 1234567", "CHEQUE N° 0001234567",
// "Chèque no. 1234567", "CHQ.1234567"... (any case and accents, "N°", "Nº",
// "NO", "N.", "NUM", "NUMERO", leading zeros). Nothing when the label names
// no cheque, or a number of more than seven significant digits.
std::optional<std::uint32_t> NumeroDeCheque(QStringView libelle);

// Matches the statement's debits with the cheques. A debit is marked cashed
// only when its label names a cheque's number and the amounts are equal; a
// cheque is matched at most once, and lines with a number are matched before
// the others look for an amount. Lines in statement order in each list.
Rapprochement Rapprocher(const QVector<LigneReleve>& lignes, const QVector<ChequeEnCours>& cheques);

// What makes a line doubtful, as the window says it ("montant différent de celui du chèque"...).
QString DireDoute(Doute doute);
