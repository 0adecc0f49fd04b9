#include "words/Redaction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace {

constexpr std::u16string_view kUnites[20] = {
    u"",         u"un",     u"deux",  u"trois",    u"quatre",   u"cinq",     u"six",
    u"sept",     u"huit",   u"neuf",  u"dix",      u"onze",     u"douze",    u"treize",
    u"quatorze", u"quinze", u"seize", u"dix-sept", u"dix-huit", u"dix-neuf",
};

// The words of the tens, 2 to 9, in each variant. In France the 70s and 90s
// are written on the word of 60 and 80 followed by 10 to 19.
constexpr std::u16string_view kDizaines[3][10] = {
    {u"", u"", u"vingt", u"trente", u"quarante", u"cinquante", u"soixante", u"soixante",
     u"quatre-vingt", u"quatre-vingt"},
    {u"", u"", u"vingt", u"trente", u"quarante", u"cinquante", u"soixante", u"septante",
     u"quatre-vingt", u"nonante"},
    {u"", u"", u"vingt", u"trente", u"quarante", u"cinquante", u"soixante", u"septante",
     u"huitante", u"nonante"},
};

enum MotFixe { Zero, De, D, Et, Cent, Cents, kMotsFixes };
constexpr std::u16string_view kMotFixe[kMotsFixes] = {
    u"zéro", u" de ", u" d'", u" et ", u" cent", u" cents",
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
void EcrireGroupe(std::u16string& w, unsigned groupe, bool final, Variante variante) {
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
    const std::u16string_view mot = kDizaines[std::size_t(variante)][dizaine];
    w += mot;
    // Only "quatre-vingt" is a product: it takes the "s" and no "et".
    const bool quatreVingt = mot == u"quatre-vingt";
    const bool surDix = variante == Variante::France && (dizaine == 7 || dizaine == 9);
    if (unite == 1 && !quatreVingt)
        w += u" et ";
    else if (unite != 0 || surDix)
        w += u'-';
    if (surDix)
        unite += 10;
    if (unite != 0)
        w += kUnites[unite];
    else if (quatreVingt && final)
        w += u's';
}

// Where a group of three digits stands in the number.
enum Rang { Milliards, Millions, Milliers, Unites, kRangs };

// The 1990 spelling joins the numerals of a group by hyphens, "et" included.
void Rectifier(std::u16string& w, std::size_t depuis, Orthographe orthographe) {
    if (orthographe == Orthographe::Rectifiee1990)
        std::replace(w.begin() + std::ptrdiff_t(depuis), w.end(), u' ', u'-');
}

// A group from 1 to 999 with the word of its rank, so that a number is written
// in at most four copies: "deux cents millions", "vingt mille".
std::u16string Forme(Rang rang, unsigned groupe, Variante variante, Orthographe orthographe) {
    std::u16string w;
    switch (rang) {
    case Milliards:
        EcrireGroupe(w, groupe, true, variante);
        Rectifier(w, 0, orthographe);
        w += groupe > 1 ? u" milliards" : u" milliard";
        break;
    case Millions:
        EcrireGroupe(w, groupe, true, variante);
        Rectifier(w, 0, orthographe);
        w += groupe > 1 ? u" millions" : u" million";
        break;
    case Milliers:
        // 1 000 is "mille", never "un mille".
        if (groupe > 1) {
            EcrireGroupe(w, groupe, false, variante);
            w += u' ';
        }
        w += u"mille";
        Rectifier(w, 0, orthographe);
        break;
    case Unites:
    case kRangs:
        EcrireGroupe(w, groupe, true, variante);
        Rectifier(w, 0, orthographe);
        break;
    }
    return w;
}

// Every word the amounts use in one casing, written once: the groups from 0 to
// 999 at each rank, then the fixed words. Each casing has its own table, so
// that the amount text only touches the upper-case one.
class Vocabulaire {
public:
    Vocabulaire(Casse casse, Variante variante, Orthographe orthographe) {
        for (int rang = 0; rang < kRangs; ++rang)
            for (unsigned groupe = 0; groupe < 1000; ++groupe)
                Ranger(IndexGroupe(Rang(rang), groupe),
                       groupe > 0 ? Forme(Rang(rang), groupe, variante, orthographe)
                                  : std::u16string(),
                       casse);
        for (int mot = 0; mot < kMotsFixes; ++mot)
            Ranger(IndexMot(MotFixe(mot)), kMotFixe[mot], casse);
        texte_.append(kMarge, u' ');
    }

    QStringView Groupe(Rang rang, unsigned groupe) const { return Vue(IndexGroupe(rang, groupe)); }
    QStringView Fixe(MotFixe mot) const { return Vue(IndexMot(mot)); }

    // Room for the words of any number, copied in blocks: four groups and
    // their blanks.
    qsizetype PlaceNombre() const { return kRangs * (plusLong_ + 1) + kMarge; }

    // Every word is followed by at least this many characters of the text, so
    // it may be copied in blocks of that size.
    static constexpr qsizetype kMarge = 32;

private:
    static constexpr std::size_t kTaille = kRangs * 1000 + kMotsFixes;
    static std::size_t IndexGroupe(Rang rang, unsigned groupe) { return rang * 1000 + groupe; }
    static std::size_t IndexMot(MotFixe mot) { return kRangs * 1000 + mot; }
    void Ranger(std::size_t index, std::u16string_view mot, Casse casse) {
        debuts_[index] = std::uint32_t(texte_.size());
        longueurs_[index] = std::uint8_t(mot.size());
        plusLong_ = std::max(plusLong_, qsizetype(mot.size()));
        texte_ += mot;
        if (casse == Casse::Majuscules)
            std::transform(texte_.end() - mot.size(), texte_.end(), texte_.end() - mot.size(),
                           Majuscule);
    }
    QStringView Vue(std::size_t index) const {
        return QStringView(texte_.data() + debuts_[index], qsizetype(longueurs_[index]));
    }

    std::u16string texte_;
    std::uint32_t debuts_[kTaille];
    std::uint8_t longueurs_[kTaille];
    qsizetype plusLong_ = 0;
};

// The tables of France in the traditional spelling are those nearly every
// amount uses: kept apart, without a lookup. The others are built the first
// time they are asked for.
const Vocabulaire& LeVocabulaire(Casse casse, ReglesMots regles) {
    const bool courant =
        regles.variante == Variante::France && regles.orthographe == Orthographe::Traditionnelle;
    if (courant) {
        if (casse == Casse::Majuscules) {
            static const Vocabulaire majuscules(Casse::Majuscules, Variante::France,
                                                Orthographe::Traditionnelle);
            return majuscules;
        }
        static const Vocabulaire phrase(Casse::Phrase, Variante::France,
                                        Orthographe::Traditionnelle);
        return phrase;
    }
    constexpr std::size_t kVariantes = 3, kOrthographes = 2, kCasses = 2;
    static std::once_flag faits[kVariantes][kOrthographes][kCasses];
    static std::unique_ptr<const Vocabulaire> tables[kVariantes][kOrthographes][kCasses];
    const std::size_t v = std::min<std::size_t>(std::size_t(regles.variante), kVariantes - 1);
    const std::size_t o = std::min<std::size_t>(std::size_t(regles.orthographe), kOrthographes - 1);
    const std::size_t c = casse == Casse::Majuscules ? 1 : 0;
    std::call_once(faits[v][o][c], [&] {
        tables[v][o][c] = std::make_unique<const Vocabulaire>(casse, Variante(v), Orthographe(o));
    });
    return *tables[v][o][c];
}

bool CommenceParVoyelle(QStringView unite) {
    QChar c = unite.front();
    // "écu" and "Euro" elide like "euro": compare the bare letter.
    if (c.decompositionTag() == QChar::Canonical)
        c = c.decomposition().front();
    return QStringView(u"aeiouAEIOU").contains(c);
}

// Copies a word of the vocabulary to `p`, which has room for it and
// Vocabulaire::kMarge more characters, and returns its end. Fixed-size
// blocks, of which nearly every word needs only one.
char16_t* Copier(char16_t* p, QStringView mot) {
    qsizetype k = 0;
    do {
        std::memcpy(p + k, mot.utf16() + k, Vocabulaire::kMarge * sizeof(char16_t));
        k += Vocabulaire::kMarge;
    } while (k < mot.size());
    return p + mot.size();
}

// Upper-cases four ASCII characters at once, one per 16-bit lane. Adding
// 0x80 - 'a' to a lane sets its bit 7 from 'a' on, adding 0x80 - '{' from
// past 'z' on; no lane carries into the next while all are below 0x80.
std::uint64_t QuatreMajuscules(std::uint64_t quatre) {
    constexpr std::uint64_t kVoies = 0x0001'0001'0001'0001;
    const std::uint64_t depuisA = quatre + kVoies * (0x80 - u'a');
    const std::uint64_t apresZ = quatre + kVoies * (0x80 - u'z' - 1);
    const std::uint64_t minuscules = depuisA & ~apresZ & (kVoies * 0x80);
    return quatre - (minuscules >> 2); // 0x20 off each lower-case letter
}

} // namespace

inline void Redaction::Ecrire(QStringView mot) {
    Copier(Reserver(mot.size() + Vocabulaire::kMarge), mot);
    Avancer(mot.size());
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

    const Vocabulaire& v = LeVocabulaire(casse_, regles_);
    // Room for any number at once: its words are copied without a check each.
    char16_t* const debut = Reserver(v.PlaceNombre());
    char16_t* p = debut;
    if (entier == 0) {
        p = Copier(p, v.Fixe(Zero));
    } else if (entier < 1000) {
        // Cents and small amounts: a single group.
        p = Copier(p, v.Groupe(Unites, unsigned(entier)));
    } else {
        auto groupe = [&](Rang rang, unsigned g) {
            if (g == 0)
                return;
            if (p > debut)
                *p++ = u' ';
            p = Copier(p, v.Groupe(rang, g));
        };
        groupe(Milliards, unsigned(entier / 1'000'000'000));
        groupe(Millions, unsigned(entier / 1'000'000 % 1000));
        groupe(Milliers, unsigned(entier / 1000 % 1000));
        const unsigned unites = unsigned(entier % 1000);
        if (unites > 0 && regles_.orthographe == Orthographe::Rectifiee1990 &&
            entier / 1000 % 1000 > 0) {
            // "mille-deux-cent-trente-quatre": mille is a numeral, joined too.
            *p++ = u'-';
            p = Copier(p, v.Groupe(Unites, unites));
        } else {
            groupe(Unites, unites);
        }
    }
    Avancer(p - debut);

    if (!unite.isEmpty()) {
        // "million" and "milliard" are nouns: "un million d'euros".
        const bool finitParUnNom = entier >= 1'000'000 && entier % 1'000'000 == 0;
        if (finitParUnNom)
            Ecrire(v.Fixe(CommenceParVoyelle(unite) ? D : De));
        else
            Caractere(u' ');
        // Inline: Qt's own search is a call, at every amount.
        if (entier >= 2 && std::find(unite.utf16(), unite.utf16() + unite.size(), u' ') !=
                               unite.utf16() + unite.size()) {
            UnitePlurielle(unite);
        } else {
            Unite(unite);
            if (entier >= 2)
                Caractere(casse_ == Casse::Majuscules ? u'S' : u's');
        }
    }

    if (fraction > 0 && !regles_.sansCentimes) {
        Ecrire(v.Fixe(Et));
        Ecrire(v.Groupe(Unites, fraction));
        Ecrire(v.Fixe(fraction > 1 ? Cents : Cent));
    }
    return true;
}

void Redaction::Unite(QStringView unite) {
    if (casse_ == Casse::Phrase) {
        TelQuel(unite);
        return;
    }
    // Unit names are nearly always ASCII: upper-cased as they are copied,
    // which also finds out whether they are.
    const qsizetype n = unite.size();
    const char16_t* source = unite.utf16();
    char16_t* p = Reserver(n);
    std::uint64_t tous = 0;
    if (n >= 4) {
        // Four characters at a time; the last block may overlap the one
        // before, which only writes the same characters again.
        for (qsizetype k = 0; k < n; k += 4) {
            const qsizetype bloc = std::min(k, n - 4);
            std::uint64_t quatre;
            std::memcpy(&quatre, source + bloc, sizeof quatre);
            tous |= quatre;
            quatre = QuatreMajuscules(quatre);
            std::memcpy(p + bloc, &quatre, sizeof quatre);
        }
    } else {
        for (qsizetype k = 0; k < n; ++k) {
            tous |= source[k];
            p[k] = Majuscule(source[k]);
        }
    }
    if ((tous & 0xFF80'FF80'FF80'FF80) == 0)
        Avancer(n);
    else
        UniteNonAscii(unite);
}

// A unit of several words ("franc suisse") takes the plural on each word but
// an acronym ("francs CFA").
Q_NEVER_INLINE void Redaction::UnitePlurielle(QStringView unite) {
    QString pluriel;
    qsizetype debut = 0;
    for (qsizetype i = 0; i <= unite.size(); ++i) {
        if (i < unite.size() && unite[i] != u' ')
            continue;
        const QStringView mot = unite.sliced(debut, i - debut);
        pluriel += mot;
        bool sigle = debut > 0 && mot.size() >= 2;
        for (QChar c : mot)
            sigle = sigle && c.isUpper();
        if (!mot.isEmpty() && !sigle)
            pluriel += u's';
        if (i < unite.size())
            pluriel += u' ';
        debut = i + 1;
    }
    if (casse_ == Casse::Majuscules)
        TelQuel(pluriel.toUpper());
    else
        TelQuel(pluriel);
}

// Kept out of Unite(), whose usual path it would slow down.
Q_NEVER_INLINE void Redaction::UniteNonAscii(QStringView unite) {
    TelQuel(unite.toString().toUpper()); // the full mapping: "Straße" gives "STRASSE"
}

void Redaction::Agrandir(qsizetype capacite) {
    capacite = std::max(capacite, 2 * capacite_);
    auto tas = std::make_unique_for_overwrite<char16_t[]>(std::size_t(capacite));
    std::memcpy(tas.get(), debut_, std::size_t(taille_) * sizeof(char16_t));
    tas_ = std::move(tas);
    debut_ = tas_.get();
    capacite_ = capacite;
}

QString Redaction::Lettres() {
    if (casse_ == Casse::Phrase && taille_ > 0)
        debut_[0] = Majuscule(debut_[0]);
    return QString(reinterpret_cast<const QChar*>(debut_), taille_);
}
