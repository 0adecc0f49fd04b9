#pragma once

#include "cheque/Rapprochement.h"
#include "cheque/Releve.h"

#include <QDialog>
#include <QHash>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;

// What a statement's reconciliation found: the lines matched with a cheque,
// those the user decides on, those that are no cheque, and what is still to
// be cashed afterwards. The user confirms the lines to decide one by one
// against a cheque; the window stores nothing, the caller marks what
// `aEncaisser()` gives once the window is accepted.
class FrmRapprochement final : public QDialog {
    Q_OBJECT

public:
    FrmRapprochement(const Rapprochement& resultat, const QVector<ChequeEnCours>& cheques,
                     QWidget* parent = nullptr);

    // The lines the user confirmed, each with its cheque, in statement order.
    QVector<ChequeEncaisse> decisions() const;
    // The matched lines, then the decisions.
    QVector<ChequeEncaisse> aEncaisser() const;
    // What stays outstanding once all of it is cashed.
    qsizetype restants() const;
    std::int64_t restantCentimes() const;

private:
    void choisirLigne();
    void confirmer();
    void ecarter();
    void afficherLigne(int rang);
    void afficherRestant();
    QString decrire(std::int64_t id) const;

    Rapprochement resultat_;
    QVector<ChequeEnCours> cheques_;
    QHash<std::int64_t, qsizetype> parId_;
    QVector<std::optional<std::int64_t>> choisis_; // per line to decide, the cheque confirmed
    QTabWidget* onglets_ = nullptr;
    QTreeWidget* aDecider_ = nullptr;
    QComboBox* candidats_ = nullptr;
    QPushButton* confirmer_ = nullptr;
    QPushButton* ecarter_ = nullptr;
    QLabel* doute_ = nullptr;
    QLabel* restant_ = nullptr;
};

// The columns of a CSV statement whose header names none, chosen by the user
// over the file's first lines. The statement is read with them before the
// window closes, so a choice that cannot read it is told there.
class FrmColonnesReleve final : public QDialog {
    Q_OBJECT

public:
    FrmColonnesReleve(const QByteArray& octets, const ApercuCsv& apercu,
                      const std::optional<ColonnesReleve>& depart = std::nullopt,
                      QWidget* parent = nullptr);

    // The columns chosen, for the caller to remember for the bank's next statement.
    ColonnesReleve colonnes() const;
    // The statement read with them, once the window is accepted.
    const std::optional<ReleveLu>& releve() const { return releve_; }

private:
    void lire();

    QByteArray octets_;
    QComboBox* date_ = nullptr;
    QComboBox* libelle_ = nullptr;
    QComboBox* debit_ = nullptr;
    QComboBox* credit_ = nullptr;
    QComboBox* montant_ = nullptr;
    QLabel* refus_ = nullptr;
    std::optional<ReleveLu> releve_;
};
