#include "redaction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::u16string_view kUnites[20] = {
    u"",         u"un",     u"deux",  u"trois",    u"quatre",   u"cinq",     u"six",
    u"sept",     u"huit",   u"neuf",  u"dix",      u"onze",     u"douze",    u"treize",
    u"quatorze", u"quinze", u"seize", u"dix-sept", u"dix-huit", u"dix-neuf",
};

// 70s and 90s are written on the word of 60 and 80 followed by 10 to 19.
constexpr std::u16string_view kDizaines[10] = {
    u"",          u"",         u"vingt",    u"trente",       u"quarante",
    u"cinquante", u"soixante", u"soixante", u"quatre-vingt", u"quatre-vingt",
};

enum MotFixe {
    Zero,
    Milliard,
    Milliards,
    Million,
    Millions,
    Mille,
    De,
    D,
    Et,
    Cent,
    Cents,
    S,
    Blanc
};
constexpr std::u16string_view kMotsFixes[2][13] = {
    {u"zéro", u" milliard", u" milliards", u" million", u" millions", u"mille", u" de ", u" d'",
     u" et ", u" cent", u" cents", u"s", u" "},
    {u"ZÉRO", u" MILLIARD", u" MILLIARDS", u" MILLION", u" MILLIONS", u"MILLE", u" DE ", u" D'",
     u" ET ", u" CENT", u" CENTS", u"S", u" "},
};

// Our own words hold only ASCII letters and "é".
char16_t Majuscule(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return c - u'a' + u'A';
    if (c == u'é')
        return u'É';
    return c;
}

// The words of a group from 1 to 999. `final`: no number word follows, so a
// multiplied "cent" or "quatre-vingt" takes its "s" (a noun such as
// "millions" or the unit may follow; "mille" may not, it is a number word).
void EcrireGroupe(std::u16string& w, unsigned groupe, bool final) {
    const unsigned centaines = groupe / 100;
    const unsigned reste = groupe % 100;
    if (centaines > 0) {
        if (centaines > 1) {
            w += kUnites[centaines];
            w += u' ';
        }
        w += u"cent";
        if (centaines > 1 && reste == 0 && final)
            w += u's';
        if (reste > 0)
            w += u' ';
    }
    if (reste == 0)
        return;
    if (reste < 20) {
        w += kUnites[reste];
        return;
    }
    const unsigned dizaine = reste / 10;
    unsigned unite = reste % 10;
    w += kDizaines[dizaine];
    const bool surDix = dizaine == 7 || dizaine == 9;
    if (unite == 1 && dizaine < 8)
        w += u" et ";
    else if (unite != 0 || surDix)
        w += u'-';
    if (surDix)
        unite += 10;
    if (unite != 0)
        w += kUnites[unite];
    else if (dizaine == 8 && final)
        w += u's';
}

// Every word the amounts use, written once: the groups from 0 to 999 in both
// casings, with and without the final "s", then the fixed words.
class Vocabulaire {
public:
    Vocabulaire() {
        for (Casse casse : {Casse::Phrase, Casse::Majuscules}) {
            for (bool final : {false, true}) {
                for (unsigned groupe = 0; groupe < 1000; ++groupe) {
                    std::u16string mots;
                    if (groupe > 0)
                        EcrireGroupe(mots, groupe, final);
                    if (casse == Casse::Majuscules)
                        for (char16_t& c : mots)
                            c = Majuscule(c);
                    Ranger(IndexGroupe(groupe, final, casse), mots);
                }
            }
            for (int mot = 0; mot < 13; ++mot)
                Ranger(IndexMot(MotFixe(mot), casse), kMotsFixes[int(casse)][mot]);
        }
        texte_.append(kMarge, u' ');
    }

    QStringView Groupe(unsigned groupe, bool final, Casse casse) const {
        return Vue(IndexGroupe(groupe, final, casse));
    }
    QStringView Fixe(MotFixe mot, Casse casse) const { return Vue(IndexMot(mot, casse)); }

    // Every word is followed by at least this many characters of the text, so
    // it may be copied in blocks of that size.
    static constexpr qsizetype kMarge = 32;

private:
    static constexpr std::size_t kTaille = 2 * (2000 + 13);
    static std::size_t IndexGroupe(unsigned groupe, bool final, Casse casse) {
        return (casse == Casse::Majuscules ? 2013 : 0) + (final ? 1000 : 0) + groupe;
    }
    static std::size_t IndexMot(MotFixe mot, Casse casse) {
        return (casse == Casse::Majuscules ? 2013 : 0) + 2000 + mot;
    }
    void Ranger(std::size_t index, std::u16string_view mot) {
        debuts_[index] = texte_.size();
        longueurs_[index] = mot.size();
        texte_ += mot;
    }
    QStringView Vue(std::size_t index) const {
        return QStringView(texte_.data() + debuts_[index], qsizetype(longueurs_[index]));
    }

    std::u16string texte_;
    std::uint32_t debuts_[kTaille];
    std::uint8_t longueurs_[kTaille];
};

const Vocabulaire& LeVocabulaire() {
    static const Vocabulaire vocabulaire;
    return vocabulaire;
}

bool CommenceParVoyelle(QStringView unite) {
    QChar c = unite.front();
    // "écu" and "Euro" elide like "euro": compare the bare letter.
    if (c.decompositionTag() == QChar::Canonical)
        c = c.decomposition().front();
    return QStringView(u"aeiouAEIOU").contains(c);
}

bool EstAscii(QStringView texte) {
    for (QChar c : texte)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

inline void Redaction::Ecrire(QStringView mot) {
    const qsizetype n = mot.size();
    char16_t* p = Reserver(n + Vocabulaire::kMarge);
    // Fixed-size blocks: no branch on the length of each word.
    for (qsizetype k = 0; k < n; k += Vocabulaire::kMarge)
        std::memcpy(p + k, mot.utf16() + k, Vocabulaire::kMarge * sizeof(char16_t));
    Avancer(n);
}

bool Redaction::Nombre(double montant, QStringView unite) {
    if (!(montant < 1e12)) // NaN fails here too
        return false;
    // Rounded to the hundredth once, so that 1,999 carries to two units
    // rather than reading "un euro et cent cents". A negative amount reads
    // zero: the fraction of its floor would not be its cents.
    const std::uint64_t centiemes =
        montant > 0 ? std::uint64_t(std::floor(montant * 100 + 0.5)) : 0;
    return Nombre(centiemes / 100, unsigned(centiemes % 100), unite);
}

bool Redaction::Nombre(std::uint64_t entier, unsigned fraction, QStringView unite) {
    if (entier >= 1'000'000'000'000)
        return false;

    const Vocabulaire& v = LeVocabulaire();
    auto fixe = [&](MotFixe mot) { Ecrire(v.Fixe(mot, casse_)); };
    auto groupe = [&](unsigned g, bool final) { Ecrire(v.Groupe(g, final, casse_)); };
    const qsizetype debut = taille_;
    auto separer = [&] {
        if (taille_ > debut)
            fixe(Blanc);
    };

    if (entier == 0) {
        fixe(Zero);
    } else {
        const unsigned milliards = unsigned(entier / 1'000'000'000);
        const unsigned millions = unsigned(entier / 1'000'000 % 1000);
        const unsigned milliers = unsigned(entier / 1000 % 1000);
        const unsigned reste = unsigned(entier % 1000);
        if (milliards > 0) {
            groupe(milliards, true);
            fixe(milliards > 1 ? Milliards : Milliard);
        }
        if (millions > 0) {
            separer();
            groupe(millions, true);
            fixe(millions > 1 ? Millions : Million);
        }
        if (milliers > 0) {
            separer();
            // 1 000 is "mille", never "un mille".
            if (milliers > 1) {
                groupe(milliers, false);
                fixe(Blanc);
            }
            fixe(Mille);
        }
        if (reste > 0) {
            separer();
            groupe(reste, true);
        }
    }

    if (!unite.isEmpty()) {
        // "million" and "milliard" are nouns: "un million d'euros".
        const bool finitParUnNom = entier >= 1'000'000 && entier % 1'000'000 == 0;
        if (finitParUnNom)
            fixe(CommenceParVoyelle(unite) ? D : De);
        else
            fixe(Blanc);
        Unite(unite);
        if (entier >= 2)
            fixe(S);
    }

    if (fraction > 0) {
        fixe(Et);
        groupe(fraction, true);
        fixe(fraction > 1 ? Cents : Cent);
    }
    return true;
}

void Redaction::TelQuel(QStringView texte) {
    std::memcpy(Reserver(texte.size()), texte.utf16(),
                std::size_t(texte.size()) * sizeof(char16_t));
    Avancer(texte.size());
}

namespace {

// The unit names change only when the user sets them, but each amount writes
// two of them in capitals: keep the last two conversions.
struct UniteMajuscule {
    std::u16string source;
    std::u16string majuscules;
};

const std::u16string* EnCache(QStringView unite) {
    thread_local UniteMajuscule cache[2];
    thread_local int prochain = 0;
    const std::u16string_view vue(unite.utf16(), std::size_t(unite.size()));
    for (const UniteMajuscule& u : cache)
        if (!u.source.empty() && u.source == vue)
            return &u.majuscules;
    if (!EstAscii(unite))
        return nullptr;
    UniteMajuscule& place = cache[prochain];
    prochain = 1 - prochain;
    place.source.assign(vue);
    place.majuscules.resize(place.source.size());
    std::transform(place.source.begin(), place.source.end(), place.majuscules.begin(), Majuscule);
    return &place.majuscules;
}

} // namespace

void Redaction::Unite(QStringView unite) {
    if (casse_ == Casse::Phrase) {
        TelQuel(unite);
    } else if (const std::u16string* majuscules = EnCache(unite)) {
        TelQuel(QStringView(majuscules->data(), qsizetype(majuscules->size())));
    } else if (EstAscii(unite)) {
        char16_t* p = Reserver(unite.size());
        for (QChar c : unite)
            *p++ = Majuscule(c.unicode());
        Avancer(unite.size());
    } else {
        TelQuel(unite.toString().toUpper());
    }
}

void Redaction::Agrandir(qsizetype capacite) {
    capacite = std::max(capacite, 2 * capacite_);
    auto tas = std::make_unique_for_overwrite<char16_t[]>(std::size_t(capacite));
    std::memcpy(tas.get(), debut_, std::size_t(taille_) * sizeof(char16_t));
    tas_ = std::move(tas);
    debut_ = tas_.get();
    capacite_ = capacite;
}

QString Redaction::Resultat() {
    if (casse_ == Casse::Phrase && taille_ > 0)
        debut_[0] = Majuscule(debut_[0]);
    return QString(reinterpret_cast<const QChar*>(debut_), taille_);
}
