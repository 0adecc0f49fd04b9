#pragma once

#include "bouton/Resultat.h"
#include "bouton/hote/SacMemoire.h"
#include <QByteArray>
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

// The whole file is replaced in one step; a failed write leaves the previous file whole. A
// form that could not be read back (a text or a picture beyond what reading accepts) is not
// written at all.
bouton::Resultat EcrireFormulaire(const QString& chemin, const QList<ControleEnregistre>& form);
// The whole form or nothing: a damaged file gives the reason, in French, naming the file.
std::optional<QList<ControleEnregistre>> LireFormulaire(const QString& chemin,
                                                        bouton::Resultat* erreur);

// The bytes of a form file, and the reading of them. Every size and count is checked against
// what remains and against limits far above any real form before anything is read, so a
// damaged file cannot ask for more memory than it holds. On refusal, raison says where and
// why (without the file's name).
QByteArray FormaterFormulaire(const QList<ControleEnregistre>& form);
std::optional<QList<ControleEnregistre>> AnalyserFormulaire(const QByteArray& octets,
                                                            QString* raison);

} // namespace atelier
