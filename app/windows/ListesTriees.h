#pragma once

#include "settings/TriFrancais.h"

class QComboBox;

// The combo boxes keep their lists in the French order of the remembered
// lists; a new entry takes its sorted place.
int InsererTrie(QComboBox* boite, const QString& texte);
void AjouterTries(QComboBox* boite, QStringList textes);
QStringList EntreesDe(const QComboBox* boite);
