#include "settings/TriFrancais.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

const QCollator& Collateur() {
    static const QCollator collateur = [] {
        QCollator c{QLocale(QLocale::French, QLocale::France)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collateur;
}

} // namespace

bool AvantEnFrancais(const QString& a, const QString& b) {
    return Collateur().compare(a, b) < 0;
}

void TrierEnFrancais(QStringList& textes) {
    std::stable_sort(textes.begin(), textes.end(), AvantEnFrancais);
}

qsizetype PlaceTriee(const QStringList& liste, const QString& texte) {
    return std::upper_bound(liste.begin(), liste.end(), texte, AvantEnFrancais) - liste.begin();
}

void RetenirTrie(QStringList& liste, const QString& texte) {
    if (texte.isEmpty() || liste.contains(texte))
        return;
    liste.insert(PlaceTriee(liste, texte), texte);
}
