#include "windows/ListesTriees.h"

#include <QComboBox>

QStringList EntreesDe(const QComboBox* boite) {
    QStringList textes;
    textes.reserve(boite->count());
    for (int i = 0; i < boite->count(); ++i)
        textes.append(boite->itemText(i));
    return textes;
}

int InsererTrie(QComboBox* boite, const QString& texte) {
    const int place = int(PlaceTriee(EntreesDe(boite), texte));
    boite->insertItem(place, texte);
    return place;
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
