#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The remembered amounts, payees and places, as Cheque.ini keeps them.
struct ListesMemorisees {
    QStringList montants;
    QStringList destinataires;
    QStringList lieux;
};

// Which list a raw line of Cheque.ini belongs to, by its first characters
// (compared with case): "Mt", "Dest", "Lieu".
enum class GenreLigne { Aucune, Montant, Destinataire, Lieu };
GenreLigne GenreDeLigne(QStringView ligne);

// The entry a list line holds: what follows its first "=", or the whole line.
QString TexteEntree(QStringView ligne);

// Every list line of the file, whatever its section, in file order.
ListesMemorisees ScannerListes(const QStringList& lignes);

// The lines without the list lines; section lines stay.
QStringList PurgerListes(const QStringList& lignes);

// An entry is one line of the file: line breaks become blanks.
QString EntreeSurUneLigne(QString texte);

// The first control character of a text (below U+0020, U+007F to U+009F),
// which nothing prints and no list keeps; none for a clean text.
std::optional<char16_t> CaractereDeControle(QStringView texte);

// Purges the list lines and writes the three lists back into their sections,
// keys Mt0.., Dest0.., Lieu0.. in the order given.
void EcrireListes(QStringList& lignes, const ListesMemorisees& listes);

// A settings file of the former one-choice layout: "[Defaut]" becomes
// "[Defaut1]", every other line stays as it is.
QStringList ConvertirLignesAnciennes(QStringList lignes);
