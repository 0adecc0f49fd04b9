#pragma once

#include "registre/Registre.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QSortFilterProxyModel>

// The register's cheques as a table: number, date, time printed, amount,
// payee, issuer, status. The sort role gives dates and amounts as values, not
// as text.
class ModeleHistorique final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonne { Numero, Date, Heure, Montant, Destinataire, Emetteur, Etat, NombreColonnes };
    static constexpr int RoleTri = Qt::UserRole;

    explicit ModeleHistorique(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // `aujourdhui` tells which cheques are prescribed.
    void remplacer(QVector<ChequeRegistre> cheques, const QDate& aujourdhui);
    const ChequeRegistre& cheque(int ligne) const { return cheques_[ligne]; }
    const QDate& aujourdhui() const { return aujourdhui_; }
    // Whether row `a` sorts before row `b` on `colonne`, without a QVariant
    // for each comparison: a sort of 100 000 rows makes about two million.
    bool avant(int a, int b, int colonne) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVector<ChequeRegistre> cheques_;
    QVector<qint64> clesDate_; // the date on the cheque and the time printed, in seconds
    QDate aujourdhui_;
};

// What the history shows of the model, through the rules of FiltreRegistre.
class FiltreHistorique final : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit FiltreHistorique(ModeleHistorique& modele, QObject* parent = nullptr);

    void definir(const FiltreRegistre& filtre);
    // The cheques shown, in the order shown.
    QVector<ChequeRegistre> visibles() const;
    std::int64_t totalCentimes() const;

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex& parent) const override;
    bool lessThan(const QModelIndex& gauche, const QModelIndex& droite) const override;

private:
    ModeleHistorique& modele_;
    FiltreRegistre filtre_;
};
