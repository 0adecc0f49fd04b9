#pragma once

#include "cheque/HistoriqueJournal.h"
#include "cheque/Rapprochement.h"
#include "cheque/RegistreImpression.h"
#include "registre/Base.h"
#include "settings/DossierApplication.h"
#include "settings/Resultat.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <cstdint>
#include <memory>
#include <optional>

// The cheque register: one record per cheque printed, kept in Registre.sqlite
// in the data folder. The journals stay the people's record; the register is
// the program's, with the cheque numbers and what became of each cheque.

enum class Statut {
    EnImpression, // noted before drawing, not confirmed yet
    Emis,
    Gache,
    Annule,
    Encaisse,
};

// "émis", "gâché", "annulé", "encaissé", "en impression".
QString NomStatut(Statut statut);

struct ChequeRegistre {
    std::int64_t id = 0;
    QString chequier; // empty when the cheque has no number
    std::optional<std::int64_t> numero;
    QDate dateCheque;
    // When it was printed, local time; kept as a day and a time, which a
    // register of a hundred thousand cheques reads much faster.
    QDate imprimeJour;
    QTime imprimeHeure;
    QDateTime imprimeLe() const { return QDateTime(imprimeJour, imprimeHeure); }
    std::int64_t centimes = 0;
    QString montant; // as printed
    QString destinataire;
    QString lieu;
    QString emetteur;
    int configuration = 0; // the choice, 1 or 2; 0 when imported from a journal
    QString sortie;        // printer or PDF file
    Statut statut = Statut::Emis;
    QDate encaisseLe;
    QString note;
    std::optional<std::int64_t> reimpression; // the cheque that reprinted this one
    QString recherche;                        // payee, issuer and place folded for searching
};

// Issued, never cashed, and more than one year and eight days old at `aujourdhui`.
bool EstPrescrit(const ChequeRegistre& c, const QDate& aujourdhui);

// What a list of the register shows. `statut` "émis" takes every cheque that
// went out (issued or cashed); "en-cours" those issued and not cashed yet.
enum class FiltreStatut { Tous, Emis, Gache, Annule, Encaisse, EnCours };
std::optional<FiltreStatut> FiltreStatutDuNom(QStringView nom);

struct FiltreRegistre {
    FiltreStatut statut = FiltreStatut::Tous;
    QString recherche;           // in payee, issuer, place or number; accents and case ignored
    std::optional<QDate> du, au; // the date on the cheque
    std::optional<std::int64_t> minimum, maximum; // in cents
    bool accepte(const ChequeRegistre& c) const;

private:
    mutable QString cherche_, source_; // the search folded once, not for every row
    mutable bool chiffres_ = false;
};

// The list as a French spreadsheet opens it (UTF-8 with its mark, ";",
// decimal comma), each text kept from being run as a formula.
QByteArray CsvRegistre(const QVector<ChequeRegistre>& cheques, const QDate& aujourdhui);

// "émis", or "émis (prescrit)" when it is.
QString StatutAffiche(const ChequeRegistre& c, const QDate& aujourdhui);

// The chequebook a choice prints on and its numbering.
struct Chequier {
    QString nom;
    bool numeroter = false;
    std::int64_t prochain = 1; // the next number to use, 1 to 9 999 999
};

// "Chéquier 1" for choice 1, "Chéquier 2" for choice 2.
QString ChequierParDefaut(int choix);

// What the reconciliation with a bank statement works on.
struct ChequeNonEncaisse {
    std::int64_t id = 0;
    std::optional<std::int64_t> numero;
    std::int64_t centimes = 0;
    QDate dateCheque;
    QString destinataire;
};

// The same as the reconciliation takes them.
QVector<ChequeEnCours> ChequesARapprocher(const QVector<ChequeNonEncaisse>& cheques);

struct Encaissement {
    std::int64_t id = 0;
    QDate date;
};

struct EnCours {
    int nombre = 0;
    std::int64_t centimes = 0;
};

// What opening the register found and did, for the user to be told.
struct OuvertureRegistre {
    bool cree = false;
    QString endommage;   // the damaged register's new name, empty when it was sound
    int importes = 0;    // cheques taken from the journals
    int interrompus = 0; // prints found unconfirmed and kept as issued, to be checked
    // The messages to show, in French, in that order.
    QStringList messages() const;
};

QString CheminRegistre(const CheminsScribane& chemins);

inline constexpr int kVersionRegistre = 2;

class Registre {
public:
    // Opens the register of the folder, creating it and importing the journals
    // on the first start. A damaged register is renamed aside, never deleted,
    // and rebuilt from the journals. `reprendre` (only when the folder's lock
    // is held) keeps prints left unconfirmed by a crash as issued, noted.
    static Resultat<std::unique_ptr<Registre>> ouvrir(const CheminsScribane& chemins,
                                                      OuvertureRegistre* rapport = nullptr,
                                                      bool reprendre = true);
    ~Registre();

    // The chequebook of a choice; the default one when none was set.
    Resultat<Chequier> chequierDuChoix(int choix);
    // Names the chequebook of a choice and sets its numbering. A next number
    // already used on that chequebook is refused: a number never serves twice.
    Resultat<> reglerChequier(int choix, const Chequier& chequier);

    // Notes cheques for a print on the choice's chequebook, numbered from
    // `premier` (or the chequebook's next number) when numbering is on, or
    // when `premier` is given. `reimpressionsDe`: the spoiled cheques the first
    // ones reprint, in their order (a spoiled cheque is reprinted once).
    Resultat<QVector<ChequeInscrit>> noter(int choix, const QVector<ChequeAInscrire>& cheques,
                                           std::optional<std::int64_t> premier = std::nullopt,
                                           const QVector<std::int64_t>& reimpressionsDe = {});
    Resultat<> confirmer(const QVector<ChequeInscrit>& cheques, const QDateTime& imprimeLe);
    Resultat<> abandonner(const QVector<ChequeInscrit>& cheques);

    Resultat<> gacher(std::int64_t id, const QString& raison);
    // Spoils the cheques of a batch with one reason, all or none.
    Resultat<> gacher(const QVector<std::int64_t>& ids, const QString& raison);
    Resultat<> annuler(std::int64_t id, const QString& raison);
    Resultat<> encaisser(std::int64_t id, const QDate& date);
    // Marks every cheque cashed at its date, all or none.
    Resultat<> marquerEncaisses(const QVector<Encaissement>& encaissements);

    Resultat<QVector<ChequeRegistre>> cheques(); // by time printed
    Resultat<std::optional<ChequeRegistre>> cheque(std::int64_t id);
    Resultat<std::optional<ChequeRegistre>> chequeNumero(const QString& chequier,
                                                         std::int64_t numero);
    Resultat<QVector<ChequeNonEncaisse>> nonEncaisses();
    Resultat<EnCours> enCours();

    // The CSV columns the user chose for statements of one shape (`forme`:
    // the separator and the number of fields), kept for the next one.
    Resultat<std::optional<ColonnesReleve>> colonnesReleve(const QString& forme);
    Resultat<> retenirColonnesReleve(const QString& forme, const ColonnesReleve& colonnes);

    // Adds the journals' cheques the register does not hold yet, reading only
    // the journals that changed since they were last taken in. A cheque is
    // known by its time, amount and payee, so running it again adds nothing.
    Resultat<int> importerJournaux();
    // The journals whose lines could not all be taken in, as last read.
    LectureJournaux journauxEndommages();

    Base& base() { return base_; }

private:
    Registre(const CheminsScribane& chemins) : chemins_(chemins) {}
    Resultat<> preparer(OuvertureRegistre& rapport, bool reprendre);
    Resultat<> migrer(int depuis);
    Resultat<> changerStatut(const QVector<std::int64_t>& ids, Statut statut,
                             const QString& note, const QDate& encaisse = {});
    Resultat<QVector<ChequeRegistre>> lire(const char* sql, std::int64_t valeur = 0,
                                           const QString& texte = {});
    Echec echec(const QString& quoi, const QString& raison) const;

    CheminsScribane chemins_;
    Base base_;
};

// The register as a print job sees it, for one choice. `premier` and
// `reimpressionsDe` hold for the next print only.
class ImpressionAuRegistre final : public RegistreImpression {
public:
    ImpressionAuRegistre(Registre& registre, int choix) : registre_(registre), choix_(choix) {}
    std::optional<std::int64_t> premier;
    QVector<std::int64_t> reimpressionsDe;

    Resultat<QVector<ChequeInscrit>> noter(const QVector<ChequeAInscrire>& cheques) override {
        auto fait = registre_.noter(choix_, cheques, premier, reimpressionsDe);
        premier.reset();
        reimpressionsDe.clear();
        return fait;
    }
    Resultat<> confirmer(const QVector<ChequeInscrit>& cheques, const QDateTime& moment) override {
        return registre_.confirmer(cheques, moment);
    }
    Resultat<> abandonner(const QVector<ChequeInscrit>& cheques) override {
        return registre_.abandonner(cheques);
    }

private:
    Registre& registre_;
    int choix_;
};
