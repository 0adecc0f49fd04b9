#include "redaction.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <string_view>

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

// Our own words hold only ASCII letters and "é".
char16_t Majuscule(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return c - u'a' + u'A';
    if (c == u'é')
        return u'É';
    return c;
}

bool CommenceParVoyelle(QStringView unite) {
    QChar c = unite.front();
    // "écu" and "Euro" elide like "euro": compare the bare letter.
    if (c.decompositionTag() == QChar::Canonical)
        c = c.decomposition().front();
    return QStringView(u"aeiouAEIOU").contains(c);
}

class Redacteur {
public:
    Redacteur(Tampon& tampon, Casse casse) : tampon_(tampon), casse_(casse) {}

    void Mot(std::u16string_view mot) {
        if (casse_ == Casse::Phrase) {
            tampon_.append(mot.data(), qsizetype(mot.size()));
            return;
        }
        for (char16_t c : mot)
            tampon_.append(Majuscule(c));
    }

    // The unit as the user typed it.
    void Texte(QStringView texte) {
        if (casse_ == Casse::Phrase) {
            Ajouter(tampon_, texte);
            return;
        }
        bool ascii = true;
        for (QChar c : texte)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            for (QChar c : texte)
                tampon_.append(Majuscule(c.unicode()));
        } else {
            Ajouter(tampon_, texte.toString().toUpper());
        }
    }

    // A group from 1 to 999. `final`: no number word follows, so a multiplied
    // "cent" or "quatre-vingt" takes its "s" (a noun such as "millions" or the
    // unit may follow; "mille" may not, it is a number word).
    void Groupe(unsigned groupe, bool final) {
        const unsigned centaines = groupe / 100;
        const unsigned reste = groupe % 100;
        if (centaines > 0) {
            if (centaines > 1) {
                Mot(kUnites[centaines]);
                Mot(u" ");
            }
            Mot(u"cent");
            if (centaines > 1 && reste == 0 && final)
                Mot(u"s");
            if (reste > 0)
                Mot(u" ");
        }
        if (reste == 0)
            return;
        if (reste < 20) {
            Mot(kUnites[reste]);
            return;
        }
        const unsigned dizaine = reste / 10;
        unsigned unite = reste % 10;
        Mot(kDizaines[dizaine]);
        const bool surDix = dizaine == 7 || dizaine == 9;
        if (unite == 1 && dizaine < 8)
            Mot(u" et ");
        else if (unite != 0 || surDix)
            Mot(u"-");
        if (surDix)
            unite += 10;
        if (unite != 0)
            Mot(kUnites[unite]);
        else if (dizaine == 8 && final)
            Mot(u"s");
    }

    bool Vide() const { return tampon_.size() == debut_; }

    void Capitaliser() {
        if (!Vide())
            tampon_[debut_] = Majuscule(tampon_[debut_]);
    }

private:
    Tampon& tampon_;
    Casse casse_;
    qsizetype debut_ = tampon_.size();
};

} // namespace

bool EcrireNombreEnLettres(Tampon& tampon, double montant, QStringView unite, Casse casse) {
    if (!(montant < 1e12)) // NaN fails here too
        return false;
    // Rounded to the hundredth once, so that 1,999 carries to two units
    // rather than reading "un euro et cent cents". A negative amount reads
    // zero: the fraction of its floor would not be its cents.
    const std::uint64_t centiemes =
        montant > 0 ? std::uint64_t(std::floor(montant * 100 + 0.5)) : 0;
    const std::uint64_t entier = centiemes / 100;
    const unsigned fraction = unsigned(centiemes % 100);
    if (entier >= 1'000'000'000'000)
        return false;

    Redacteur r(tampon, casse);
    if (entier == 0) {
        r.Mot(u"zéro");
    } else {
        const unsigned milliards = unsigned(entier / 1'000'000'000);
        const unsigned millions = unsigned(entier / 1'000'000 % 1000);
        const unsigned milliers = unsigned(entier / 1000 % 1000);
        const unsigned reste = unsigned(entier % 1000);
        auto separer = [&r] {
            if (!r.Vide())
                r.Mot(u" ");
        };
        if (milliards > 0) {
            r.Groupe(milliards, true);
            r.Mot(milliards > 1 ? u" milliards" : u" milliard");
        }
        if (millions > 0) {
            separer();
            r.Groupe(millions, true);
            r.Mot(millions > 1 ? u" millions" : u" million");
        }
        if (milliers > 0) {
            separer();
            // 1 000 is "mille", never "un mille".
            if (milliers > 1) {
                r.Groupe(milliers, false);
                r.Mot(u" ");
            }
            r.Mot(u"mille");
        }
        if (reste > 0) {
            separer();
            r.Groupe(reste, true);
        }
    }

    if (!unite.isEmpty()) {
        // "million" and "milliard" are nouns: "un million d'euros".
        const bool finitParUnNom = entier >= 1'000'000 && entier % 1'000'000 == 0;
        if (finitParUnNom)
            r.Mot(CommenceParVoyelle(unite) ? u" d'" : u" de ");
        else
            r.Mot(u" ");
        r.Texte(unite);
        if (entier >= 2)
            r.Mot(u"s");
    }

    if (fraction > 0) {
        r.Mot(u" et ");
        r.Groupe(fraction, true);
        r.Mot(fraction > 1 ? u" cents" : u" cent");
    }

    if (casse == Casse::Phrase)
        r.Capitaliser();
    return true;
}
