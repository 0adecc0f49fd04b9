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

struct LectureJournaux {
    QVector<ChequeJournal> cheques; // by date and time
    int lignesIgnorees = 0;         // damaged or foreign lines
    int fichiersIllisibles = 0;
};

// Reads every Journal_AAAA_MM_JJ.txt of the folder. Lines that are not
// entries of the program are skipped and counted; a last line still being
// written (no line end yet) is left for the next reading.
LectureJournaux LireJournaux(const QString& dossier);

// One file's bytes (Windows-1252, CR LF), read into `lecture`.
void LireJournal(const QByteArray& contenu, const QDate& jour, const QString& fichier,
                 LectureJournaux& lecture);

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
};

// "1 234,56" from cents, exact whatever the total.
QString MontantDeCentimes(std::int64_t centimes);

// What a French spreadsheet opens directly: UTF-8 with a byte-order mark, ";"
// between fields, dates JJ/MM/AAAA, decimal comma, fields quoted when needed.
QByteArray CsvJournal(const QVector<ChequeJournal>& cheques);
