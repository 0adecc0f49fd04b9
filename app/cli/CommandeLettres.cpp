#include "cli/Commande.h"
#include "cli/Console.h"

#include "cheque/PreparationMontant.h"
#include "cheque/TravailCheque.h"
#include "words/MontantEnLettres.h"
#include "words/MontantTexte.h"

#include <QStringEncoder>
#include <QVarLengthArray>

#include <charconv>
#include <cstdio>
#include <string>

namespace {

const char* const kAide =
    "Utilisation : scribane-cli lettres [OPTIONS] MONTANT...\n"
    "\n"
    "Écrit chaque MONTANT en lettres, une ligne chacun, tel qu'il serait imprimé\n"
    "sur le chèque : le montant est d'abord mis en forme (1 234,5 devient\n"
    "1 234,50), et un montant que l'impression refuse est refusé ici aussi, avec\n"
    "sa raison. Le séparateur décimal est la virgule ; les milliers peuvent être\n"
    "séparés par une espace (1 234,56). Avec « - », les montants sont lus sur\n"
    "l'entrée standard, un par ligne ; une ligne refusée est signalée par son\n"
    "numéro et la lecture continue.\n"
    "\n"
    "Code de sortie : 0 quand tous les montants sont écrits, 1 quand l'un d'eux\n"
    "est refusé.\n"
    "\n"
    "Options :\n"
    "  --devise D            nom de la devise au singulier (défaut : euro)\n"
    "  --centimes C          nom des centimes au singulier (défaut : centime)\n"
    "  --liaison L           mot entre les unités et les centimes (défaut : et)\n"
    "  --sans-centimes-nuls  ne pas imprimer les centimes s'ils sont nuls\n"
    "  --sans-centimes       devise sans centimes (franc CFA) : les centimes ne sont\n"
    "                        jamais écrits, un montant qui en a est refusé\n"
    "  --variante V          france, belgique (septante, nonante) ou suisse\n"
    "                        (septante, huitante, nonante) ; défaut : france\n"
    "  --orthographe O       traditionnelle (vingt et un) ou 1990 (vingt-et-un) ;\n"
    "                        défaut : traditionnelle\n"
    "  -h, --help            affiche cette aide\n";

struct OptionsLettres {
    QString devise = QStringLiteral("euro");
    QString centimes = QStringLiteral("centime");
    QString liaison = QStringLiteral("et");
    bool sansCentimesNuls = false;
    ReglesMots regles;
};

// Standard output as bytes: the words are encoded into one buffer written in
// large blocks, rather than through a text stream line by line.
class SortieOctets {
public:
    SortieOctets() { tampon_.reserve(2 * kBloc); }
    ~SortieOctets() { vider(); }

    void ligne(QStringView texte) {
        // Room for the worst case, then the size actually written.
        const qsizetype avant = tampon_.size();
        tampon_.resize(avant + utf8_.requiredSpace(texte.size()) + 1);
        char* fin = utf8_.appendToBuffer(tampon_.data() + avant, texte);
        *fin++ = '\n';
        tampon_.resize(fin - tampon_.constData());
        if (tampon_.size() >= kBloc)
            vider();
    }

    void vider() {
        if (!tampon_.isEmpty())
            std::fwrite(tampon_.constData(), 1, std::size_t(tampon_.size()), stdout);
        tampon_.resize(0); // keeps its room
        std::fflush(stdout);
    }

private:
    static constexpr qsizetype kBloc = 1 << 16;
    QByteArray tampon_; // grows to a block and a line, then stays (no clearing of new room)
    QStringEncoder utf8_{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
};

// An amount that is surely printable: no sign, at most two decimals and at
// most eleven digits before them; the rest goes through the full rule.
bool SurementImprimable(const MontantLu& lu) {
    return !lu.negatif && lu.decimales <= 2 && lu.chiffres - lu.decimales <= 11;
}

// Spells one amount exactly as the cheque would print it: formatted first,
// as printing does, and refused for the reasons printing refuses it.
// Returns false after telling why on standard error.
bool Ecrire(const OptionsLettres& r, QStringView montant, SortieOctets& sortie,
            qsizetype ligne = 0) {
    const std::optional<MontantLu> lu = LireMontantExact(montant);
    if (!lu) // "12.50" is "12,50", as the amount box takes the point key
        if (const auto avecVirgule = AvecVirguleDecimale(montant.toString()))
            return Ecrire(r, *avecVirgule, sortie, ligne);
    if (!lu || !SurementImprimable(*lu)) {
        const QString ou = ligne > 0 ? QStringLiteral("ligne %1 : ").arg(ligne) : QString();
        if (montant.isEmpty()) {
            Refuser(ou + QStringLiteral("aucun montant"));
            return false;
        }
        // Said before the amount is quoted: a terminal would act on the character.
        if (const auto refus = RefusControle(montant, QStringLiteral("le montant"))) {
            Refuser(ou + *refus);
            return false;
        }
        if (const auto refus = ExplicationMontant(montant)) {
            Refuser(ou + QStringLiteral("« %1 » : %2").arg(montant.toString(), *refus));
            return false;
        }
        const QString imprime = FormaterMontant(*LireMontant(montant));
        if (r.regles.sansCentimes && !imprime.endsWith(u",00")) {
            Refuser(ou +
                    QStringLiteral("« %1 » : %2").arg(montant.toString(), RaisonSansCentimes()));
            return false;
        }
        sortie.ligne(
            MontantEnLettres(imprime, r.devise, r.centimes, r.liaison, r.sansCentimesNuls, r.regles)
                .lettres);
        return true;
    }
    // The usual amount: its printed form ("1 234,50") read from its exact
    // digits rather than through a double; the words do not need the groups.
    static constexpr std::uint64_t kCentaines[] = {100, 10, 1};
    const std::uint64_t centimes = lu->mantisse * kCentaines[lu->decimales];
    if (r.regles.sansCentimes && centimes % 100 != 0) {
        const QString ou = ligne > 0 ? QStringLiteral("ligne %1 : ").arg(ligne) : QString();
        Refuser(ou + QStringLiteral("« %1 » : %2").arg(montant.toString(), RaisonSansCentimes()));
        return false;
    }
    char16_t imprime[32];
    qsizetype n = 0;
    char chiffres[24];
    const auto [finChiffres, erreur] =
        std::to_chars(chiffres, chiffres + sizeof chiffres, centimes / 100);
    Q_UNUSED(erreur); // eleven digits at most
    for (const char* c = chiffres; c < finChiffres; ++c)
        imprime[n++] = char16_t(*c);
    imprime[n++] = u',';
    imprime[n++] = char16_t(u'0' + centimes % 100 / 10);
    imprime[n++] = char16_t(u'0' + centimes % 10);
    sortie.ligne(MontantEnLettres(QStringView(imprime, n), r.devise, r.centimes, r.liaison,
                                  r.sansCentimesNuls, r.regles)
                     .lettres);
    return true;
}

// Reads standard input in large blocks and spells each line; a line in ASCII,
// as amounts are, is widened in place rather than decoded.
bool EcrireEntree(const OptionsLettres& r, SortieOctets& sortie) {
    bool tout = true;
    qsizetype numero = 0;
    std::string reste;
    QVarLengthArray<char16_t, 64> large;
    auto traiter = [&](const char* debut, const char* fin) {
        ++numero;
        if (fin > debut && fin[-1] == '\r')
            --fin;
        bool ascii = true;
        large.resize(fin - debut);
        for (qsizetype i = 0; i < large.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(debut[i]);
            ascii = ascii && c < 0x80;
            large[i] = c;
        }
        if (ascii) {
            tout &= Ecrire(r, QStringView(large.constData(), large.size()), sortie, numero);
        } else {
            const QString texte = QString::fromUtf8(debut, fin - debut);
            tout &= Ecrire(r, texte, sortie, numero);
        }
    };

    static constexpr std::size_t kBloc = 1 << 16;
    std::string bloc(kBloc, '\0');
    std::size_t lus = 0;
    while ((lus = std::fread(bloc.data(), 1, kBloc, stdin)) > 0) {
        const char* debut = bloc.data();
        const char* const fin = debut + lus;
        for (const char* p = debut; p < fin; ++p) {
            if (*p != '\n')
                continue;
            if (reste.empty()) {
                traiter(debut, p);
            } else {
                reste.append(debut, p);
                traiter(reste.data(), reste.data() + reste.size());
                reste.clear();
            }
            debut = p + 1;
        }
        reste.append(debut, fin);
    }
    if (!reste.empty())
        traiter(reste.data(), reste.data() + reste.size());
    return tout;
}

} // namespace

int CommandeLettres(Invocation& invocation) {
    OptionsLettres reglages;
    QStringList montants;
    const QStringList& args = invocation.arguments;
    bool options = true;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!options || a == u"-" || !a.startsWith(u"-") || (a.size() > 1 && a[1].isDigit())) {
            montants << a; // "-" is standard input; "-5" is an amount
            continue;
        }
        if (a == u"--") {
            options = false;
        } else if (a == u"--help" || a == u"-h") {
            Sortie() << kAide;
            Sortie().flush();
            return kSucces;
        } else if (a == u"--sans-centimes-nuls") {
            reglages.sansCentimesNuls = true;
        } else if (a == u"--sans-centimes") {
            reglages.regles.sansCentimes = true;
        } else if (a == u"--variante" || a == u"--orthographe") {
            if (i + 1 >= args.size())
                return Refuser(QStringLiteral("l'option %1 attend une valeur.").arg(a), kUsage);
            const QString& valeur = args[++i];
            if (a == u"--variante" && valeur == u"france")
                reglages.regles.variante = Variante::France;
            else if (a == u"--variante" && valeur == u"belgique")
                reglages.regles.variante = Variante::Belgique;
            else if (a == u"--variante" && valeur == u"suisse")
                reglages.regles.variante = Variante::Suisse;
            else if (a == u"--orthographe" && valeur == u"traditionnelle")
                reglages.regles.orthographe = Orthographe::Traditionnelle;
            else if (a == u"--orthographe" && valeur == u"1990")
                reglages.regles.orthographe = Orthographe::Rectifiee1990;
            else
                return Refuser(
                    a == u"--variante"
                        ? QStringLiteral("variante inconnue « %1 » : france, belgique ou suisse.")
                              .arg(valeur)
                        : QStringLiteral("orthographe inconnue « %1 » : traditionnelle ou 1990.")
                              .arg(valeur),
                    kUsage);
        } else if (a == u"--devise" || a == u"--centimes" || a == u"--liaison") {
            if (i + 1 >= args.size())
                return Refuser(QStringLiteral("l'option %1 attend une valeur.").arg(a), kUsage);
            QString& valeur = a == u"--devise"     ? reglages.devise
                              : a == u"--centimes" ? reglages.centimes
                                                   : reglages.liaison;
            valeur = args[++i];
        } else {
            return Refuser(
                QStringLiteral("option inconnue « %1 ». Voir scribane-cli lettres --help.").arg(a),
                kUsage);
        }
    }
    if (montants.isEmpty())
        return Refuser(QStringLiteral("aucun montant. Voir scribane-cli lettres --help."), kUsage);

    SortieOctets sortie;
    bool tout = true;
    for (const QString& montant : montants) {
        // What is written so far goes out before a refusal is told.
        tout &=
            montant == u"-" ? EcrireEntree(reglages, sortie) : Ecrire(reglages, montant, sortie);
    }
    sortie.vider();
    return tout ? kSucces : kEchec;
}
