#pragma once

#include "bouton/Resultat.h"
#include "bouton/hote/SacMemoire.h"
#include <QList>
#include <QPoint>
#include <QSizeF>
#include <QString>
#include <optional>

namespace atelier {

// One control of a saved form: its name, place on the form (pixels), size (twips) and its
// property bag, in the order the control wrote it.
struct ControleEnregistre {
    QString nom;
    QPoint position;
    QSizeF tailleTwips;
    QList<bouton::hote::SacMemoire::Entree> proprietes;
};

// The whole file is replaced in one step; a failed write leaves the previous file whole.
bouton::Resultat EcrireFormulaire(const QString& chemin, const QList<ControleEnregistre>& form);
std::optional<QList<ControleEnregistre>> LireFormulaire(const QString& chemin,
                                                        bouton::Resultat* erreur);

} // namespace atelier
