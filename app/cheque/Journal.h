#pragma once

#include "settings/Resultat.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The print journal: one text file a day in the Journaux folder, a line per
// cheque printed.

// "Journal_2024_03_05.txt"
QString NomJournal(const QDate& jour);

// "14:07:32 - 1 250,00 Euros à l'ordre de DUPONT SA. Emetteur : MARTIN PAUL";
// the issuer part only when a name is given, in capitals.
QString LigneJournal(const QTime& heure, const QString& montant, const QString& destinataire,
                     const QString& emetteur);

// The bytes an append adds to a journal whose last bytes are `fin` (empty for
// an empty file): the day's header and two empty lines to begin a file, a line
// end first when the last line was left without one (so that a cut line never
// takes this entry with it), then the entry and its line end.
QByteArray AjoutAuJournal(const QByteArray& fin, const QDate& jour, const QString& ligne);

// Appends the line of a printed cheque to the day's journal. Every write and
// the flush to disk are checked; an append that fails is taken back and the
// result names the file and says why in French. Appends take the file's lock
// one at a time, so the window and the command line may print together.
Resultat<> EcrireJournal(const QString& dossierJournaux, const QDateTime& maintenant,
                         const QString& montant, const QString& destinataire,
                         const QString& emetteur);
