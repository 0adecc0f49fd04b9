#pragma once

#include "cheque/PlaceTextes.h"
#include "cheque/PreparationMontant.h"
#include "cheque/RegistreImpression.h"
#include "cheque/Rendu.h"
#include "cheque/TravailImpression.h"
#include "settings/DossierApplication.h"
#include "settings/Listes.h"
#include "settings/Resultat.h"

#include <QDate>
#include <QDateTime>
#include <QVector>

#include <functional>
#include <optional>

struct Reglages;

// A cheque as the user typed it, in the window or on the command line.
struct ChequeSaisi {
    QString montant;
    QString destinataire;
    QString lieu;
    QDate date;
};

// A cheque ready to draw: the amount in its printed form, the words laid out
// as the amount label shows them, and the texts that would not keep to their
// room on the cheque.
struct ChequePrepare {
    MontantPrepare mots;
    TextesCheque textes;
    QVector<Depassement> depassements;
};

// Why a field's text cannot go on a cheque: a control character (below U+0020,
// U+007F to U+009F) prints as a blank or as nothing, yet would go as it is into
// the journal and Cheque.ini. `champ` names the field in French ("le lieu");
// the character is named by its code, never written out. Nothing when clean.
std::optional<QString> RefusControle(QStringView texte, const QString& champ);
// The same for the amount, the payee and the place, in that order, as a
// sentence of its own.
std::optional<QString> RefusControle(const ChequeSaisi& saisi);

// Refuses a field holding a control character and an amount that cannot be
// printed, puts the amount in its printed form ("12," becomes "12,00", or "12"
// when zero cents are not printed) and lays the words out with the settings.
// The failure carries the French reason.
Resultat<ChequePrepare> PreparerCheque(const ChequeSaisi& saisi, const Reglages& r);

// Whether the printer of the settings can take a cheque: one is chosen and it
// is among those installed. The failure says what to do, in French.
Resultat<> ImprimanteUtilisable(const QString& imprimante, const QStringList& installees);

// The PDF file name offered for a cheque: "Cheque_2024-03-05_EDF.pdf", the
// payee without folder separators nor characters some systems refuse in names.
QString NomPdfPropose(const QString& destinataire, const QDate& date);

// What a print asks on its way, in this order. The window answers with its
// dialogs, the command line from its options.
class QuestionsImpression {
public:
    virtual ~QuestionsImpression() = default;
    // Some text runs past the cheque or over another one (described in French):
    // print anyway?
    virtual bool imprimerQuandMeme(const QString& depassements) = 0;
    // The cheques are accepted: where they go can be chosen now (a PDF file
    // name); false calls the print off before anything is kept.
    virtual bool choisirSortie() = 0;
    // The lists with the printed texts joined, before they are saved.
    virtual void listesRetenues(const ListesMemorisees& listes) = 0;
    // Texts kept in the lists that Cheque.ini can only hold with "?" in places.
    virtual void textesNonRepresentables(const QStringList& textes) = 0;
    // The lists could not be saved (the French reason): print all the same?
    virtual bool imprimerSansListes(const QString& erreur) = 0;
    // The name of the account holder for the journal; nothing calls the print off.
    virtual std::optional<QString> nomTitulaire() = 0;
    // The job the cheques are drawn on; it stays the caller's.
    virtual TravailImpression& ouvrirTravail() = 0;
    // Cheque `numero` (from 1) of `total` is drawn: for a batch's progress.
    virtual void chequeDessine(qsizetype numero, qsizetype total) {
        Q_UNUSED(numero);
        Q_UNUSED(total);
    }
};

struct ContexteImpression {
    const Reglages& reglages;
    CheminsScribane chemins;
    // The remembered lists as they stand, in their order; nothing when no
    // choice is saved yet and the lists are not kept.
    std::optional<ListesMemorisees> listes;
    // A batch keeps the lists once its pages are out; a single cheque first.
    bool listesApres = false;
    // The clock the journal reads once the job has ended (after every question).
    std::function<QDateTime()> maintenant;
    // The cheque register, when one is kept: every cheque is noted there
    // before it is drawn, and nothing is drawn when it cannot be noted.
    RegistreImpression* registre = nullptr;
};

struct ChequesImprimes {
    QVector<ChequePrepare> cheques;
    // Why the journal could not be written; empty when it was, or is not kept.
    QString echecJournal;
    // Why the lists could not be saved after a batch's pages; empty otherwise.
    QString echecListes;
    // The register's records of the cheques, in their order, with their numbers.
    QVector<ChequeInscrit> inscrits;
    // The cheques are printed but the register could not confirm them: what
    // it holds of them and why, in French; empty when it did.
    QString echecRegistre;
};

// "n° 1234567": a cheque number as the program shows it, seven digits.
QString NumeroCheque(std::int64_t numero);

// The whole print of one cheque, or of a batch on one job (a page each):
// every cheque prepared, the overflow question, the lists kept, the holder's
// name, the drawing, the end of the job, the journal. A failure carries the
// French reason; an empty reason means the print was called off by an answer.
Resultat<ChequesImprimes> ImprimerCheques(const QVector<ChequeSaisi>& saisis,
                                          const ContexteImpression& contexte,
                                          QuestionsImpression& questions);
