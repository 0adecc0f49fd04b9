#include "bouton/hote/SacMemoire.h"

namespace bouton::hote {

Resultat SacMemoire::lire(const QString& cle, QVariant& valeur, const QVariant& defaut) {
    qsizetype& rang = lus_[cle.toLower()];
    qsizetype vu = 0;
    for (const Entree& e : entrees()) {
        if (e.cle.compare(cle, Qt::CaseInsensitive) != 0)
            continue;
        if (vu++ == rang) {
            ++rang;
            valeur = e.valeur;
            return Resultat::ok();
        }
    }
    valeur = defaut;
    return Resultat::ok();
}

Resultat SacMemoire::ecrire(const QString& cle, const QVariant& valeur, const QVariant& defaut) {
    ecrits_.append({cle, valeur, valeur == defaut});
    return Resultat::ok();
}

void SacMemoire::ajouter(const QString& cle, const QVariant& valeur) {
    ecrits_.append({cle, valeur, false});
}

QList<SacMemoire::Entree> SacMemoire::entrees() const {
    QList<Entree> gardees;
    for (qsizetype i = 0; i < ecrits_.size(); ++i) {
        const Ecrit& e = ecrits_[i];
        bool garder = !e.omis;
        // A default followed by a kept occurrence stays, or that one would be read in its place.
        for (qsizetype j = i + 1; !garder && j < ecrits_.size(); ++j)
            garder = !ecrits_[j].omis && ecrits_[j].cle.compare(e.cle, Qt::CaseInsensitive) == 0;
        if (garder)
            gardees.append({e.cle, e.valeur});
    }
    return gardees;
}

qsizetype SacMemoire::nombre(const QString& cle) const {
    qsizetype n = 0;
    for (const Entree& e : entrees())
        n += e.cle.compare(cle, Qt::CaseInsensitive) == 0;
    return n;
}

} // namespace bouton::hote
