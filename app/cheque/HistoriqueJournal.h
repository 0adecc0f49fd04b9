#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <QVector>

#include <cstdint>
#include <optional>

// The print journals read back as a history of the cheques printed.

struct ChequeJournal {
    QDate date; // the day of the file
    QTime heure;
    std::int64_t centimes = 0;
    QString montant; // as printed
    QString destinataire;
    QString emetteur;  // empty when none was asked
    QString fichier;   // file name, without the folder
    int ligne = 0;     // from 1
    QString recherche; // payee and issuer folded for searching
};

// A journal whose cheques are not all in the history.
struct JournalEndommage {
    QString fichier; // file name, without the folder
    QDate jour;
    int lignesIgnorees = 0;
    bool illisible = false; // could not be opened: none of its cheques are there
};

struct LectureJournaux {
    QVector<ChequeJournal> cheques; // by date and time
    int lignesIgnorees = 0;         // damaged or foreign lines
    int fichiersIllisibles = 0;
    QVector<JournalEndommage> endommages; // by file name
};

// Whether an append may be under way while a journal is read. An entry is
// written with its line end in one write under the file's lock: when the lock
// could be had, a last line without its end was cut (a crash) and is read
// like the others; while an append holds it, that line is only what was
// written so far and is left for the next reading.
enum class FinDuJournal { Ecrite, EnCoursDEcriture };

// Reads every Journal_AAAA_MM_JJ.txt of the folder, each under the writers'
// lock when it is free. Lines that are not entries of the program are skipped
// and counted, by file.
LectureJournaux LireJournaux(const QString& dossier);

// One file's bytes (Windows-1252, CR LF), read into `lecture`.
void LireJournal(const QByteArray& contenu, const QDate& jour, const QString& fichier,
                 LectureJournaux& lecture, FinDuJournal fin = FinDuJournal::Ecrite);

// The day of a journal from its name, when it is one.
std::optional<QDate> DateDuJournal(const QString& nomFichier);

// Text folded for searching: lower case, without accents.
QString TexteDeRecherche(const QString& texte);

// What the history shows: every bound is optional.
struct FiltreJournal {
    QString recherche; // in payee or issuer, accents and case ignored
    std::optional<QDate> du, au;
    std::optional<std::int64_t> minimum, maximum; // in cents
    bool accepte(const ChequeJournal& c) const;
    // Whether a cheque of that day may be shown: a damaged journal of a day
    // outside the dates takes nothing from what is shown.
    bool couvre(const QDate& jour) const;
};

// The exact cents of a printed amount ("1 250,5" gives 125050); nothing for a
// negative amount, more than two decimals or more than 15 digits.
std::optional<std::int64_t> CentimesDuMontant(QStringView montant);

// One CSV field: quoted when it must be, and after an apostrophe when a
// spreadsheet would run it as a formula.
QString ChampCsv(QString champ);

// "1 234,56" from cents, exact whatever the total.
QString MontantDeCentimes(std::int64_t centimes);

// What a French spreadsheet opens directly: UTF-8 with a byte-order mark, ";"
// between fields, dates JJ/MM/AAAA, decimal comma, fields quoted when needed.
// A payee or issuer that a spreadsheet would run as a formula ("=", "+", "-",
// "@", a tab or CR first) is written after an apostrophe, which keeps it text.
QByteArray CsvJournal(const QVector<ChequeJournal>& cheques);
