#pragma once

#include "bouton/SacProprietes.h"
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace bouton::hote {

// A property bag in memory. It keeps every occurrence of a key in the order written and
// reads them back in that order; a value written equal to its default is left out, unless a
// later occurrence of the same key is kept, so that occurrences never shift places.
class SacMemoire final : public SacProprietes {
public:
    struct Entree {
        QString cle;
        QVariant valeur;
    };

    Resultat lire(const QString& cle, QVariant& valeur, const QVariant& defaut) override;
    Resultat ecrire(const QString& cle, const QVariant& valeur, const QVariant& defaut) override;

    // Saved data given by the host (a window's description): always kept.
    void ajouter(const QString& cle, const QVariant& valeur);
    // What is stored, in order.
    QList<Entree> entrees() const;
    qsizetype nombre(const QString& cle) const;
    // Reading starts again at the first occurrence of every key.
    void recommencerLecture() { lus_.clear(); }

private:
    struct Ecrit {
        QString cle;
        QVariant valeur;
        bool omis;
    };
    QList<Ecrit> ecrits_;
    QHash<QString, qsizetype> lus_;
};

} // namespace bouton::hote
