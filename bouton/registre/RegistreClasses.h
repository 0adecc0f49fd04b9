#pragma once

#include "bouton/Resultat.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>
#include <utility>

// The per-user class registry: one INI file for every registered class, so that hosts can
// create a control by prog-id or class identity without linking its library.
namespace bouton::registre {

struct Section {
    QString nom;
    QList<std::pair<QString, QString>> valeurs;

    QString valeur(const QString& cle) const;
};

// <GenericConfigLocation>/registre-classes.ini
QString cheminRegistre();

QString sectionClasse(const QUuid& clsid);
QString sectionProgId(const QString& progId);
QString sectionBibliothequeTypes(const QUuid& libid);

// The text of a registry file and back. A line that is neither a section, a key of a section,
// a comment nor blank is refused with its number in `raison`. What formater() writes, analyser()
// reads back as the same sections.
QByteArray formater(const QList<Section>& sections);
std::optional<QList<Section>> analyser(const QByteArray& octets, QString* raison);

// A missing file is an empty registry; a file that cannot be read or parsed is an error.
std::optional<QList<Section>> lire(const QString& chemin, Resultat* erreur);
// Adds the sections, replacing those of the same name, and rewrites the file atomically.
Resultat ajouter(const QString& chemin, const QList<Section>& sections);
// Removes exactly the sections named; the others stay as they were.
Resultat retirer(const QString& chemin, const QStringList& noms);

struct ClasseEnregistree {
    QUuid clsid;
    QString bibliotheque;
};

// The class and library registered for a prog-id, with code::ClasseNonEnregistree when the
// prog-id or its class is absent.
std::optional<ClasseEnregistree> trouverParProgId(const QString& chemin, const QString& progId,
                                                  Resultat* erreur);

} // namespace bouton::registre
