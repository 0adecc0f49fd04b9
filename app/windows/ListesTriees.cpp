#include "windows/ListesTriees.h"

#include <QCollator>
#include <QComboBox>
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

QStringList EntreesDe(const QComboBox* boite) {
    QStringList textes;
    textes.reserve(boite->count());
    for (int i = 0; i < boite->count(); ++i)
        textes.append(boite->itemText(i));
    return textes;
}

int InsererTrie(QComboBox* boite, const QString& texte) {
    int bas = 0, haut = boite->count();
    while (bas < haut) {
        const int milieu = (bas + haut) / 2;
        if (AvantEnFrancais(texte, boite->itemText(milieu)))
            haut = milieu;
        else
            bas = milieu + 1;
    }
    boite->insertItem(bas, texte);
    return bas;
}

void AjouterTries(QComboBox* boite, QStringList textes) {
    if (textes.isEmpty())
        return;
    // A box may already hold entries: merge, so the whole list stays sorted.
    textes += EntreesDe(boite);
    TrierEnFrancais(textes);
    const QString saisie = boite->currentText();
    const bool bloque = boite->blockSignals(true);
    boite->clear();
    boite->addItems(textes);
    boite->setCurrentIndex(-1);
    boite->setEditText(saisie);
    boite->blockSignals(bloque);
}
