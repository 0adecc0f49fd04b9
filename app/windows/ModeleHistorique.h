#pragma once

#include "cheque/HistoriqueJournal.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

// The printed cheques as a table: date, time, amount, payee, issuer. The
// sort role gives dates and amounts as values, not as text.
class ModeleHistorique final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonne { Date, Heure, Montant, Destinataire, Emetteur, NombreColonnes };
    static constexpr int RoleTri = Qt::UserRole;

    explicit ModeleHistorique(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void remplacer(QVector<ChequeJournal> cheques);
    const ChequeJournal& cheque(int ligne) const { return cheques_[ligne]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVector<ChequeJournal> cheques_;
};

// What the history shows of the model, through the rules of FiltreJournal.
class FiltreHistorique final : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit FiltreHistorique(ModeleHistorique& modele, QObject* parent = nullptr);

    void definir(const FiltreJournal& filtre);
    // The cheques shown, in the order shown.
    QVector<ChequeJournal> visibles() const;
    std::int64_t totalCentimes() const;

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex& parent) const override;

private:
    ModeleHistorique& modele_;
    FiltreJournal filtre_;
};
