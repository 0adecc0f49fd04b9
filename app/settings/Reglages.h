#pragma once

#include <QString>
#include <Qt>

#include <array>
#include <cstdint>

class DocumentIni;

// The working settings of the choice in use; field names are the INI keys.
// Positions and margins are signed whole millimetres.
struct Reglages {
    QString Devise;
    QString Centimes;
    QString Liaison;
    std::uint8_t EcrireCent = 0;
    std::int16_t Orientation = 0;
    QString Imprimante;
    QString Police;
    std::int16_t Taille = 0;
    std::int16_t TailleChiffre = 0;
    std::uint8_t ChoixTailleChiffre = 0;
    std::uint8_t Gras = 0;
    std::int16_t MargeHaute = 0;
    std::int16_t MargeDroite = 0;
    QString Montant;
    QString Ledestinataire;
    std::int16_t Raccourci = 0;
    std::uint8_t Minimise = 0;
    std::int16_t MargeMX = 0;
    std::int16_t MargeMY = 0;
    std::int16_t MargeMLX = 0;
    std::int16_t MargeMLY = 0;
    std::int16_t MargeDEX = 0;
    std::int16_t MargeDEY = 0;
    std::int16_t MargeDAX = 0;
    std::int16_t MargeDAY = 0;
    std::int16_t MargeLIX = 0;
    std::int16_t MargeLIY = 0;
    std::int16_t MargeDLX = 0;
    std::uint8_t Emission = 0;
    std::uint8_t Journal = 0;
    std::uint8_t Debiteur = 0;
    std::uint8_t Encadrer = 0;
    std::uint8_t Revenir = 0;
    std::uint8_t RevenirDest = 0;
    // The words of the amount: 0 France, 1 Belgique, 2 Suisse; 0 traditional,
    // 1 the 1990 spelling; 1 a currency without cents (never written); 1 a
    // rule from the last word of each line of the words to the cheque's edge.
    std::uint8_t Variante = 0;
    std::uint8_t Orthographe = 0;
    std::uint8_t SansCentimes = 0;
    std::uint8_t CompleterLigne = 0;

    bool operator==(const Reglages&) const = default;
};

// Name of the settings section of a choice ("Defaut1", "Defaut2"), or an empty
// text for any other choice.
QString SectionDuChoix(int choix);

// Reads the keys of a section. A string takes what was read ("" when the key
// is missing); a number whose key is missing, empty, not a whole number or out
// of its field's range keeps the value it had. The keys of the words' form
// (Variante, Orthographe, SansCentimes, CompleterLigne) came later: a section
// without them, or with a value they do not know, reads as before they were.
void LireReglages(const DocumentIni& doc, QStringView section, Reglages& r);

// Writes the keys of a section, numbers as " 12" or "-3".
void EcrireReglages(DocumentIni& doc, QStringView section, const Reglages& r);

// How a number is stored: one blank before zero and positive values.
QString TexteNombreIni(int valeur);

// Empty currency words fall back to "euro", "centime" and "et".
void AppliquerDevisesParDefaut(Reglages& r);

// The settings of a folder without Cheque.ini.
void AppliquerReglagesInitiaux(Reglages& r);

// "G" when the cheque texts are bold, otherwise empty.
QString MarqueGras(const Reglages& r);

// A print shortcut the user can choose: its name in the configuration
// window's list, the key code the settings keep and the keyboard's key
// (Enter is also the keypad's).
struct ToucheRaccourci {
    const char* nom;
    std::int16_t code;
    Qt::Key cle;
};

// The print shortcuts offered, in the configuration window's list order.
inline constexpr std::array<ToucheRaccourci, 9> TouchesRaccourci{{
    {"F5", 116, Qt::Key_F5},
    {"F6", 117, Qt::Key_F6},
    {"F7", 118, Qt::Key_F7},
    {"F8", 119, Qt::Key_F8},
    {"F9", 120, Qt::Key_F9},
    {"F10", 121, Qt::Key_F10},
    {"F11", 122, Qt::Key_F11},
    {"F12", 123, Qt::Key_F12},
    {"ENTR", 13, Qt::Key_Return},
}};

// The place of a key code in `TouchesRaccourci`, or -1 when it names no shortcut.
int IndexTouche(int raccourci);

// The print shortcut for display: its place in the configuration window's list
// as one digit, then the key's name ("0F5" ... "7F12", "8ENTR"); empty when
// the code names no shortcut.
QString NomTouche(int raccourci);

// The number of keys of a settings section.
int NombreDeClesReglages();
