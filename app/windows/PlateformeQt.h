#pragma once

#include "windows/Plateforme.h"

// The desktop as Qt offers it, in French.
class DialoguesQt final : public Dialogues {
public:
    void message(QWidget* parent, const QString& texte, Icone icone,
                 const QString& titre = {}) override;
    bool question(QWidget* parent, const QString& texte, const QString& titre = {}) override;
    int choix(QWidget* parent, const QString& texte, const QStringList& boutons, int parDefaut,
              const QString& titre = {}) override;
    std::optional<QVector<int>> cocher(QWidget* parent, const QString& invite,
                                       const QStringList& elements,
                                       const QString& titre = {}) override;
    QString saisie(QWidget* parent, const QString& invite, const QString& titre,
                   const QString& defaut) override;
    QString ouvrirFichier(QWidget* parent, const QString& titre, const QString& dossier,
                          const QString& filtre) override;
    QString enregistrerFichier(QWidget* parent, const QString& titre, const QString& chemin,
                               const QString& filtre) override;
};

class ImprimantesQt final : public Imprimantes {
public:
    QStringList noms() const override;
    QString parDefaut() const override;
};

class PolicesQt final : public Polices {
public:
    QStringList familles() const override;
};

// One entry per family: Qt names a family shipped by several foundries once
// per foundry, as "Family [Foundry]".
QStringList FamillesUniques(const QStringList& familles);

class HorlogeQt final : public Horloge {
public:
    QDateTime maintenant() const override;
};

class PressePapiersQt final : public PressePapiers {
public:
    QString texte() const override;
};

class BureauQt final : public Bureau {
public:
    bool ouvrir(const QString& cheminOuAdresse) override;
};

// Turns a filter of the form "*.txt|*.txt|Tous fichiers|*.*|" into Qt's form;
// patterns may be parted with ";" as on Windows.
QString FiltreQt(const QString& filtre);
