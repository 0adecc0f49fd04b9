#pragma once

#include <QString>
#include <QStringList>

// The remembered lists are kept in French alphabetical order, without regard
// to case; a new entry takes its sorted place.
bool AvantEnFrancais(const QString& a, const QString& b);
void TrierEnFrancais(QStringList& textes);
// Where a text takes its place in a sorted list: after its equals.
qsizetype PlaceTriee(const QStringList& liste, const QString& texte);
// Adds a text to a sorted list in its place, unless it is empty or already there.
void RetenirTrie(QStringList& liste, const QString& texte);
