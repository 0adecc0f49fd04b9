#pragma once

#include "words/ReglesMots.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <cstring>
#include <memory>

// Internal to the words library. The amount label is rebuilt at every key
// press, so the words are copied from prepared tables into a buffer on the
// stack and become a QString once, at their final length.

enum class Casse {
    Phrase,     // first letter upper case, the rest as written
    Majuscules, // everything upper case, accents included
};

class Redaction {
public:
    explicit Redaction(Casse casse, ReglesMots regles = {}) : casse_(casse), regles_(regles) {}
    Redaction(const Redaction&) = delete;
    Redaction& operator=(const Redaction&) = delete;

    // Appends the words of `montant` and its unit. On failure (10^12 or more,
    // NaN) returns false and appends nothing.
    bool Nombre(double montant, QStringView unite);
    // The same for `entier` units and `fraction` hundredths (0 to 99).
    bool Nombre(std::uint64_t entier, unsigned fraction, QStringView unite);

    // Appends `texte` as it is, whatever the casing (the link word). Inline so
    // that the constant blanks around the link word become single stores.
    void TelQuel(QStringView texte) {
        if (texte.isEmpty()) // a null text has no characters to copy from, not even none
            return;
        std::memcpy(Reserver(texte.size()), texte.utf16(),
                    std::size_t(texte.size()) * sizeof(char16_t));
        Avancer(texte.size());
    }

    // The words written so far, the first letter raised for a sentence.
    QString Lettres();

private:
    void Ecrire(QStringView mot); // words of the prepared tables
    void Caractere(char16_t c) {
        *Reserver(1) = c;
        Avancer(1);
    }
    void Unite(QStringView unite);
    void UniteNonAscii(QStringView unite);
    void UnitePlurielle(QStringView unite);

    // Room for `n` more characters; the text grows by Avancer().
    char16_t* Reserver(qsizetype n) {
        if (taille_ + n > capacite_)
            Agrandir(taille_ + n);
        return debut_ + taille_;
    }
    void Avancer(qsizetype n) { taille_ += n; }
    void Agrandir(qsizetype capacite);

    Casse casse_;
    ReglesMots regles_;
    char16_t local_[512]; // enough for two amounts in words with usual unit names
    std::unique_ptr<char16_t[]> tas_;
    char16_t* debut_ = local_;
    qsizetype taille_ = 0;
    qsizetype capacite_ = std::size(local_);
};
