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
