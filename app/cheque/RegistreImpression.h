#pragma once

#include "settings/Resultat.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>

// What the print job tells the cheque register of each cheque it draws.
struct ChequeAInscrire {
    QDate dateCheque;
    std::int64_t centimes = 0;
    QString montant; // as printed
    QString destinataire;
    QString lieu;
    QString emetteur; // in capitals, as the journal has it; empty when none was asked
    QString sortie;   // the printer, or the PDF file
};

// A cheque the register holds for a print under way: its record, and the
// number of the paper cheque it goes on when the chequebook is numbered.
struct ChequeInscrit {
    std::int64_t id = 0;
    std::optional<std::int64_t> numero;
};

// The register as the print job sees it. The job notes its cheques before
// drawing them (their numbers are taken then, never to be given again),
// confirms them once the job has ended, and gives them up when nothing came
// out. Every call is one transaction; a failure carries the French reason.
class RegistreImpression {
public:
    virtual ~RegistreImpression() = default;
    virtual Resultat<QVector<ChequeInscrit>> noter(const QVector<ChequeAInscrire>& cheques) = 0;
    virtual Resultat<> confirmer(const QVector<ChequeInscrit>& cheques,
                                 const QDateTime& imprimeLe) = 0;
    virtual Resultat<> abandonner(const QVector<ChequeInscrit>& cheques) = 0;
};
