#pragma once

#include "settings/Resultat.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// One cheque of a batch file, its texts as its line gives them.
struct ChequeDuLot {
    int ligne = 0; // from 1; CR, LF and CR LF each end a line
    QString montant;
    QString destinataire;
    QString lieu;
    QString date; // empty when the line gives none
};

struct LotLu {
    QVector<ChequeDuLot> cheques;
    // "ligne N : ..." for each refused line, in file order, or the one reason
    // the file cannot be read as text. A batch with any refusal prints nothing.
    QStringList refus;
};

// The text of a batch file. UTF-16 after its byte-order mark; UTF-8 when it is
// valid UTF-8 (its byte-order mark dropped); Windows-1252 when it holds no
// UTF-8 sequence at all, as a spreadsheet may save it. UTF-8 sequences beside
// bytes that are not UTF-8 are refused, naming the first bad line: read as
// Windows-1252, every accent would print garbled.
Resultat<QString> TexteDuLot(const QByteArray& octets);

// The cheques of a batch file, one a line "montant;destinataire;lieu;date",
// the place and the date optional. A field in double quotes may hold ";" and
// doubled quotes; blanks around a field are dropped; blank lines are skipped;
// a first line naming the columns is skipped. A line is refused when its
// fields are not two to four, or when one holds a control character.
LotLu LireLot(const QByteArray& octets);

// A batch is read whole before anything prints: a device or a wrong file
// given by mistake must not fill the memory.
constexpr qint64 kTailleMaxLot = 10 * 1024 * 1024;

// The batch file at `chemin`, read as LireLot reads its bytes. A file that
// cannot be read, is larger than kTailleMaxLot or holds no cheque gives its
// one reason, starting in lower case ("le fichier « … » …").
LotLu LireFichierLot(const QString& chemin);

// The date of a cheque written "JJ/MM/AAAA", or `aujourdhui` when there is
// none; the reason, in lower case, when it is not a date of that form.
Resultat<QDate> DateDuCheque(const QString& texte, const QDate& aujourdhui);
