#pragma once

#include "settings/Resultat.h"

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

// Appends the line of a printed cheque to the day's journal, starting a new
// file with its header and two empty lines. Fails with a French message
// naming the file when it cannot be written.
Resultat<> EcrireJournal(const QString& dossierJournaux, const QDateTime& maintenant,
                         const QString& montant, const QString& destinataire,
                         const QString& emetteur);
