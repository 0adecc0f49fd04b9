#include "windows/ModeleHistorique.h"

void ModeleHistorique::remplacer(QVector<ChequeJournal> cheques) {
    beginResetModel();
    cheques_ = std::move(cheques);
    endResetModel();
}

int ModeleHistorique::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cheques_.size());
}

int ModeleHistorique::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : NombreColonnes;
}

QVariant ModeleHistorique::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= cheques_.size())
        return {};
    const ChequeJournal& c = cheques_[index.row()];
    if (role == Qt::TextAlignmentRole && index.column() == Montant)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == RoleTri) {
        switch (index.column()) {
        // Plain numbers: a date-time in local time is slow to build and compare.
        case Date:
            return c.date.toJulianDay() * 86400 + c.heure.msecsSinceStartOfDay() / 1000;
        case Heure:
            return c.heure.msecsSinceStartOfDay();
        case Montant:
            return static_cast<qlonglong>(c.centimes);
        case Destinataire:
            return c.destinataire.toCaseFolded();
        default:
            return c.emetteur.toCaseFolded();
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Date:
        return c.date.toString(QStringLiteral("dd/MM/yyyy"));
    case Heure:
        return c.heure.toString(QStringLiteral("HH:mm:ss"));
    case Montant:
        return MontantDeCentimes(c.centimes);
    case Destinataire:
        return c.destinataire;
    default:
        return c.emetteur;
    }
}

QVariant ModeleHistorique::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titres[] = {"Date", "Heure", "Montant", "Destinataire", "Émetteur"};
    return section >= 0 && section < NombreColonnes ? QString::fromUtf8(titres[section])
                                                    : QVariant();
}

FiltreHistorique::FiltreHistorique(ModeleHistorique& modele, QObject* parent)
    : QSortFilterProxyModel(parent), modele_(modele) {
    setSourceModel(&modele);
    setSortRole(ModeleHistorique::RoleTri);
}

void FiltreHistorique::definir(const FiltreJournal& filtre) {
    filtre_ = filtre;
    invalidateRowsFilter();
}

bool FiltreHistorique::filterAcceptsRow(int ligne, const QModelIndex&) const {
    return filtre_.accepte(modele_.cheque(ligne));
}

QVector<ChequeJournal> FiltreHistorique::visibles() const {
    QVector<ChequeJournal> cheques;
    cheques.reserve(rowCount());
    for (int i = 0; i < rowCount(); ++i)
        cheques.append(modele_.cheque(mapToSource(index(i, 0)).row()));
    return cheques;
}

std::int64_t FiltreHistorique::totalCentimes() const {
    std::int64_t total = 0;
    for (int i = 0; i < rowCount(); ++i)
        total += modele_.cheque(mapToSource(index(i, 0)).row()).centimes;
    return total;
}
