#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// The combo boxes keep their lists in French alphabetical order, without
// regard to case; a new entry takes its sorted place.
bool AvantEnFrancais(const QString& a, const QString& b);
void TrierEnFrancais(QStringList& textes);
int InsererTrie(QComboBox* boite, const QString& texte);
void AjouterTries(QComboBox* boite, QStringList textes);
QStringList EntreesDe(const QComboBox* boite);
