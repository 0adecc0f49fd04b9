#pragma once

#include "settings/EcritureAtomique.h"

#include <QString>
#include <QStringList>

// A private-profile INI file held in memory as its lines, so that a whole set
// of keys can be read or written in one pass and saved in one atomic replace.
//
// The format is the classic one: "[Section]" lines and "Key=Value" lines,
// sections and keys matched without regard to case (the first one wins when a
// name occurs twice), values trimmed of blanks on reading, a new key added at
// the end of its section and a new section at the end of the file. Lines that
// are neither (comments, damaged lines) are kept as they are.
class DocumentIni {
public:
    DocumentIni() = default;
    explicit DocumentIni(QStringList lignes) : lignes_(std::move(lignes)) {}

    // Reads a file in the Windows ANSI code page (or UTF-8 after a byte-order
    // mark, as a text editor may have saved it; it is written back in the code
    // page). A missing or unreadable file
    // gives an empty document; existe() tells which.
    static DocumentIni Charger(const QString& chemin);
    static DocumentIni DepuisOctets(const QByteArray& octets);

    bool existe() const { return existe_; }
    // False when the file is there but could not be read: writing such a
    // document back would replace the user's settings with nothing.
    bool lisible() const { return lisible_; }

    // The value of a key, trimmed; "" when the section or the key is missing.
    QString valeur(QStringView section, QStringView cle, bool* trouvee = nullptr) const;

    // Sets a key: rewrites it in place, or adds it at the end of its section,
    // adding the section at the end of the document when needed.
    void ecrire(QStringView section, QStringView cle, QStringView valeur);

    const QStringList& lignes() const { return lignes_; }
    QStringList& lignes() { return lignes_; }

    QByteArray versOctets() const;

    // Saves the document over `chemin` in one atomic replace: the old file stays
    // whole until the new one is completely written. A failure carries its
    // French explanation.
    Resultat<> enregistrer(const QString& chemin) const;

private:
    QStringList lignes_;
    bool existe_ = false;
    bool lisible_ = true;
};

// The name of the section a line opens, or an empty view when it opens none.
QStringView NomDeSection(QStringView ligne);

// The line that opens a section (the first when the name occurs twice, matched
// without regard to case), or -1.
qsizetype TrouverSection(const QStringList& lignes, QStringView section);

// The last non-blank line of the section opened at `debut`: a new key goes
// after it, before any blank lines that part it from the next section.
qsizetype FinDeSection(const QStringList& lignes, qsizetype debut);

// One key of one file, read or written on its own.
QString LireIni(const QString& section, const QString& cle, const QString& fichier);
Resultat<> EcrireIni(const QString& section, const QString& cle, const QString& valeur,
                     const QString& fichier);

// The failure of a file that is there but cannot be read, named in French.
Echec EchecLecture(const QString& chemin);
