#pragma once

#include "cheque/TravailImpression.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <QVector>

#include <memory>
#include <optional>

class QWidget;

// What the windows need of the desktop, behind small interfaces so that tests
// can answer dialogs from a script and set the clock.

enum class Icone { Information, Exclamation, Critique, Question };

class Dialogues {
public:
    virtual ~Dialogues() = default;
    // A message with an OK button; `titre` empty means the program's title.
    virtual void message(QWidget* parent, const QString& texte, Icone icone,
                         const QString& titre = {}) = 0;
    // A Yes/No question, No being the default answer. True for Yes.
    virtual bool question(QWidget* parent, const QString& texte, const QString& titre = {}) = 0;
    // A question answered by one of `boutons` (their texts, with "&" marks);
    // the index of the one pressed, `parDefaut` for Enter and for Escape.
    virtual int choix(QWidget* parent, const QString& texte, const QStringList& boutons,
                      int parDefaut, const QString& titre = {}) = 0;
    // A list of `elements` to tick, none ticked at first: the indexes of those
    // ticked when the user confirms, nothing when they cancel.
    virtual std::optional<QVector<int>> cocher(QWidget* parent, const QString& invite,
                                               const QStringList& elements,
                                               const QString& titre = {}) = 0;
    // An input box; an empty text when the user cancels.
    virtual QString saisie(QWidget* parent, const QString& invite, const QString& titre,
                           const QString& defaut) = 0;
    // The file-open dialog; an empty text when the user cancels.
    virtual QString ouvrirFichier(QWidget* parent, const QString& titre, const QString& dossier,
                                  const QString& filtre) = 0;
    // The save dialog, proposing `chemin`; an empty text when the user cancels.
    virtual QString enregistrerFichier(QWidget* parent, const QString& titre, const QString& chemin,
                                       const QString& filtre) = 0;
};

class Imprimantes {
public:
    virtual ~Imprimantes() = default;
    virtual QStringList noms() const = 0;
    virtual QString parDefaut() const = 0;
};

class Polices {
public:
    virtual ~Polices() = default;
    virtual QStringList familles() const = 0;
};

class Horloge {
public:
    virtual ~Horloge() = default;
    virtual QDateTime maintenant() const = 0;
};

class PressePapiers {
public:
    virtual ~PressePapiers() = default;
    virtual QString texte() const = 0;
};

class Bureau {
public:
    virtual ~Bureau() = default;
    // Hands a file or an address to the desktop's default application.
    virtual bool ouvrir(const QString& cheminOuAdresse) = 0;
};

// The program's title, on every box that has none of its own.
inline QString TitreProgramme() {
    return QStringLiteral("Scribane");
}

