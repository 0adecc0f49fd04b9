#pragma once

#include "settings/Resultat.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <optional>

// A bank statement read from its bytes: a CSV file as French banks export it,
// or the CFONB statement of 120-character records. Only what reconciling the
// cheques needs is kept: each movement's date, label and amount.

// The largest statement read. Ten years of a busy account stay far below.
inline constexpr qsizetype kTailleMaxReleve = 16 * 1024 * 1024;

// One movement of the statement.
struct LigneReleve {
    // In the file, from 1; CR, LF and CR LF each end a line. In a CFONB file
    // whose records follow one another without line ends, the record's rank.
    int ligne = 0;
    QDate date;                // the day the bank booked it
    QString libelle;           // on one line, without control characters
    std::int64_t centimes = 0; // exact; a debit is negative
};

enum class FormatReleve { Csv, Cfonb };

// Which CSV column holds what, counted from 0; -1 when the file has no such
// column. Either `montant` (one signed amount) or `debit` and/or `credit`.
// The caller may keep it, as `enTexte()`, for the next statement of the bank.
struct ColonnesReleve {
    int date = -1;
    int libelle = -1;
    int debit = -1;
    int credit = -1;
    int montant = -1;

    // Whether the columns are enough to read a movement, all different.
    bool completes() const;
    // "date=0;libelle=1;debit=2;credit=3;montant=-1", and back; nothing for
    // a text that does not give complete columns.
    QString enTexte() const;
    static std::optional<ColonnesReleve> depuisTexte(const QString& texte);
    bool operator==(const ColonnesReleve&) const = default;
};

struct ReleveLu {
    FormatReleve format = FormatReleve::Csv;
    QVector<LigneReleve> lignes;
    // CFONB only: the balances the statement opens and closes with, summed
    // over its accounts.
    std::optional<std::int64_t> ancienSolde;
    std::optional<std::int64_t> nouveauSolde;
};

// What the start of a CSV statement holds, for choosing its columns by hand.
struct ApercuCsv {
    QChar separateur;            // ';' or ','
    QVector<QStringList> lignes; // the first lines, split into fields
    QVector<int> numeros;        // their line numbers in the file
    // The columns the header names, and the header's line; nothing when no
    // line of the start names them.
    std::optional<ColonnesReleve> colonnes;
    int ligneEntete = 0;
};

// Whether the bytes look like a CFONB statement rather than a CSV file.
bool EstCfonb(const QByteArray& octets);

// The separator, the first lines and the columns the header names.
Resultat<ApercuCsv> ApercevoirCsv(const QByteArray& octets);

// The columns a header line names, when it names a date, a label and an
// amount (one signed column, or debit and credit).
std::optional<ColonnesReleve> ColonnesDeLEntete(const QStringList& entete);

// Reads a statement. A CSV file is read with `colonnes` when given, else with
// the columns its header names; lines before the header (or, with explicit
// columns, before the first line that holds a date) are the bank's preamble.
// Any line that cannot be read refuses the statement, naming the line:
// reconciling half a statement would leave cheques that were cashed shown as
// outstanding with nothing to tell.
Resultat<ReleveLu> LireReleve(const QByteArray& octets,
                              const std::optional<ColonnesReleve>& colonnes = std::nullopt);

// The same, the format given: what `LireReleve` does once it has told them apart.
Resultat<ReleveLu> LireReleveCsv(const QByteArray& octets,
                                 const std::optional<ColonnesReleve>& colonnes = std::nullopt);
Resultat<ReleveLu> LireReleveCfonb(const QByteArray& octets);

// An amount as a bank's CSV writes it, in exact cents: a sign before or a "-"
// after, thousands grouped by blanks, no-break spaces, dots or apostrophes, a
// decimal comma (or a point when no comma is there and no grouping reads
// it), a trailing "€" or "EUR". Nothing for anything else, or for more than
// two decimals that are not zeros.
std::optional<std::int64_t> LireMontantReleve(QStringView texte);

// A date as statements write it: JJ/MM/AAAA, JJ/MM/AA, with "/", "-" or "."
// between, or AAAA-MM-JJ.
QDate LireDateReleve(QStringView texte);
