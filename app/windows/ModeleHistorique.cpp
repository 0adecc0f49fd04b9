#include "windows/ModeleHistorique.h"

#include "cheque/TravailCheque.h"

#include <QBrush>
#include <QFont>

void ModeleHistorique::remplacer(QVector<ChequeRegistre> cheques, const QDate& aujourdhui) {
    beginResetModel();
    cheques_ = std::move(cheques);
    aujourdhui_ = aujourdhui;
    clesDate_.resize(cheques_.size());
    for (qsizetype i = 0; i < cheques_.size(); ++i) {
        const ChequeRegistre& c = cheques_[i];
        const QDate jour = c.dateCheque.isValid() ? c.dateCheque : c.imprimeJour;
        clesDate_[i] = jour.toJulianDay() * 86400 + c.imprimeHeure.msecsSinceStartOfDay() / 1000;
    }
    endResetModel();
}

bool ModeleHistorique::avant(int a, int b, int colonne) const {
    const ChequeRegistre& x = cheques_[a];
    const ChequeRegistre& y = cheques_[b];
    switch (colonne) {
    case Numero:
        return x.numero.value_or(-1) < y.numero.value_or(-1);
    case Date:
        return clesDate_[a] < clesDate_[b];
    case Heure:
        return x.imprimeHeure < y.imprimeHeure;
    case Montant:
        return x.centimes < y.centimes;
    case Destinataire:
        return x.destinataire.compare(y.destinataire, Qt::CaseInsensitive) < 0;
    case Emetteur:
        return x.emetteur.compare(y.emetteur, Qt::CaseInsensitive) < 0;
    default:
        return static_cast<int>(x.statut) < static_cast<int>(y.statut);
    }
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
    const ChequeRegistre& c = cheques_[index.row()];
    const QDate jour = c.dateCheque.isValid() ? c.dateCheque : c.imprimeJour;
    if (role == Qt::TextAlignmentRole && (index.column() == Montant || index.column() == Numero))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && c.statut != Statut::Emis && c.statut != Statut::Encaisse)
        return QBrush(Qt::gray); // spoiled and void cheques went nowhere
    if (role == Qt::FontRole && index.column() == Etat && EstPrescrit(c, aujourdhui_)) {
        QFont gras;
        gras.setBold(true);
        return gras;
    }
    if (role == RoleTri) {
        switch (index.column()) {
        case Numero:
            return static_cast<qlonglong>(c.numero.value_or(-1));
        // Plain numbers: a date-time in local time is slow to build and compare.
        case Date:
            return clesDate_[index.row()];
        case Heure:
            return c.imprimeHeure.msecsSinceStartOfDay();
        case Montant:
            return static_cast<qlonglong>(c.centimes);
        case Destinataire:
            return c.destinataire.toCaseFolded();
        case Emetteur:
            return c.emetteur.toCaseFolded();
        default:
            return static_cast<int>(c.statut);
        }
    }
    if (role == Qt::ToolTipRole && !c.note.isEmpty())
        return c.note;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Numero:
        return c.numero ? NumeroCheque(*c.numero).mid(3) : QString();
    case Date:
        return jour.toString(QStringLiteral("dd/MM/yyyy"));
    case Heure:
        return c.imprimeHeure.toString(QStringLiteral("HH:mm:ss"));
    case Montant:
        return MontantDeCentimes(c.centimes);
    case Destinataire:
        return c.destinataire;
    case Emetteur:
        return c.emetteur;
    default:
        return c.statut == Statut::Encaisse
                   ? QStringLiteral("encaissé le ") +
                         c.encaisseLe.toString(QStringLiteral("dd/MM/yyyy"))
                   : StatutAffiche(c, aujourdhui_);
    }
}

QVariant ModeleHistorique::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titres[] = {"N°",           "Date",     "Heure", "Montant",
                                         "Destinataire", "Émetteur", "État"};
    return section >= 0 && section < NombreColonnes ? QString::fromUtf8(titres[section])
                                                    : QVariant();
}

FiltreHistorique::FiltreHistorique(ModeleHistorique& modele, QObject* parent)
    : QSortFilterProxyModel(parent), modele_(modele) {
    setSourceModel(&modele);
    setSortRole(ModeleHistorique::RoleTri);
}

void FiltreHistorique::definir(const FiltreRegistre& filtre) {
    filtre_ = filtre;
    // The whole mapping again, told as one change of layout: removing the
    // rows a search hides range by range costs the view a pass over every
    // row for each range, minutes on a large register.
    invalidate();
}

bool FiltreHistorique::lessThan(const QModelIndex& gauche, const QModelIndex& droite) const {
    return modele_.avant(gauche.row(), droite.row(), gauche.column());
}

bool FiltreHistorique::filterAcceptsRow(int ligne, const QModelIndex&) const {
    return filtre_.accepte(modele_.cheque(ligne));
}

QVector<ChequeRegistre> FiltreHistorique::visibles() const {
    QVector<ChequeRegistre> cheques;
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
