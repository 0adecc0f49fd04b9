#include "cheque/Rendu.h"

#include "cheque/DispositionMots.h"
#include "cheque/SurfaceSortie.h"
#include "settings/Reglages.h"

#include <QDate>

#include <limits>
#include <optional>

namespace {

// setting + offset in 16-bit arithmetic: beyond the range the text is skipped.
std::optional<double> Position(int reglage, int decalage, double diviseur) {
    const int somme = reglage + decalage;
    if (somme < std::numeric_limits<std::int16_t>::min() ||
        somme > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return somme / diviseur;
}

void Ecrire(SurfaceSortie& s, std::optional<double> x, std::optional<double> y,
            const QString& texte) {
    if (x && y && !texte.isEmpty())
        s.ecrire(*x, *y, texte);
}

// A line of the words written at (x, y), then, when the settings want it, a
// rule from a blank after its last word to the cheque's right edge, so that
// nothing can be written after it. The words are laid out without it.
void EcrireLigneMots(SurfaceSortie& s, const Reglages& r, double x, double y, const QString& ligne,
                     double bordCheque) {
    if (ligne.isEmpty())
        return;
    s.ecrire(x, y, ligne);
    if (r.CompleterLigne != 1)
        return;
    QString visible = ligne;
    visible.remove(u'\n');
    while (visible.endsWith(u' '))
        visible.chop(1);
    if (visible.trimmed().isEmpty())
        return;
    const double debut = x + s.largeurTexte(visible + QLatin1Char(' '));
    if (debut < bordCheque)
        s.tracerTrait(debut, bordCheque, y + s.milieuLettres());
}

} // namespace

int TailleDesChiffres(const Reglages& r) {
    switch (r.ChoixTailleChiffre) {
    case 0:
        return r.Taille;
    case 1:
        return std::max(r.Taille, r.TailleChiffre);
    default:
        return r.TailleChiffre;
    }
}

QString DateCheque(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

void ImprimerCheque(SurfaceSortie& s, const Reglages& r, const TextesCheque& t) {
    const bool imprimante = s.estImprimante();
    s.choisirImprimante(r.Imprimante);
    const double e = imprimante ? 1.0 : 3.0;
    if (imprimante) {
        s.definirPage(r.Orientation);
        s.definirPolice(r.Police);
        s.definirGras(r.Gras == 1);
        s.definirTaille(r.Taille);
        s.definirOrigine(-r.MargeDroite, -r.MargeHaute);
    } else {
        s.definirTaille(8);
        s.definirOrigine(0, 0);
        s.definirPolice(QStringLiteral("Perpetua"));
    }

    // The amount in words: two lines on the printer, the first line alone,
    // cut to 25 characters, on the picture.
    const auto xMots = Position(r.MargeMLX, 50, e);
    const auto yMots = Position(r.MargeMLY, 15, e);
    const qsizetype saut = t.mots.indexOf(u'\n');
    const double bordCheque = kLargeurCheque / e;
    if (imprimante) {
        if (t.tailleMots > 0)
            s.definirTaille(t.tailleMots);
        if (saut < 0) {
            if (xMots && yMots)
                EcrireLigneMots(s, r, *xMots, *yMots, t.mots, bordCheque);
        } else if (xMots && yMots) {
            EcrireLigneMots(s, r, *xMots, *yMots, t.mots.left(saut), bordCheque);
            const qsizetype fin = t.mots.indexOf(u'\n', saut + 1);
            const QString seconde = t.mots.mid(saut + 1, fin < 0 ? -1 : fin - saut - 1);
            EcrireLigneMots(s, r, r.MargeDLX, *yMots + s.hauteurLigne(), seconde, bordCheque);
        }
    } else if (xMots && yMots) {
        EcrireLigneMots(s, r, *xMots, *yMots, (saut < 0 ? t.mots : t.mots.left(saut + 1)).left(25),
                        bordCheque);
    }

    if (imprimante)
        s.definirTaille(TailleDesChiffres(r));
    Ecrire(s, imprimante ? Position(r.MargeMX, 130, 1) : Position(r.MargeMX, 150, 3),
           Position(r.MargeMY, 25, e), t.chiffres);

    if (imprimante)
        s.definirTaille(r.Taille);
    Ecrire(s, Position(r.MargeDEX, 20, e), Position(r.MargeDEY, 26, e),
           imprimante ? t.destinataire : t.destinataire.left(25));

    if (imprimante)
        s.definirTaille(r.Taille - 2);
    Ecrire(s, Position(r.MargeLIX, 125, e),
           imprimante ? Position(r.MargeLIY, 33, 1) : Position(r.MargeLIY, 40, 3), t.lieu);

    if (imprimante)
        s.definirTaille(r.Taille > 10 ? r.Taille - 4 : r.Taille);
    Ecrire(s, Position(r.MargeDAX, 129, e),
           imprimante ? Position(r.MargeDAY, 38, 1) : Position(r.MargeDAY, 48, 3), t.date);
}
