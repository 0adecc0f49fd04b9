#include "cheque/PlaceTextes.h"

#include "settings/Reglages.h"
#include "cheque/Rendu.h"
#include "cheque/SurfaceEnregistreuse.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// A text as it lands on the cheque: its advance across, its ink down (two
// texts on neighbouring lines only meet where their letters would).
struct Boite {
    QString nom;
    bool verifie = true; // the amount in words is laid out by its own rule
    double x = 0, largeur = 0, haut = 0, bas = 0;
};

bool SeChevauchentEnHauteur(const Boite& a, const Boite& b) {
    return a.haut < b.bas && b.haut < a.bas;
}

QVector<Boite> Boites(const Reglages& r, const TextesCheque& t, double resolution) {
    QVector<Boite> boites;
    for (const TextePlace& p : PlacerTextes(r, t)) {
        const EncreVerticale encre = MesurerEncre(p.texte, p.police, resolution);
        boites.append({p.nom, p.nom != QLatin1String("Montant en lettres"), p.x,
                       LargeurTexte(p.texte, p.police, resolution), p.y + encre.haut,
                       p.y + encre.bas});
    }
    return boites;
}

} // namespace

// The renderer's output matched back to the texts it was given, in its order
// of drawing.
QVector<TextePlace> PlacerTextes(const Reglages& r, const TextesCheque& t) {
    SurfaceEnregistreuse surface(true);
    ImprimerCheque(surface, r, t);

    const qsizetype saut = t.mots.indexOf(u'\n');
    const QString premiere = saut < 0 ? t.mots : t.mots.left(saut);
    const QString seconde = saut < 0 ? QString() : t.mots.mid(saut + 1).section(u'\n', 0, 0);
    const QString mots = QStringLiteral("Montant en lettres");
    const std::pair<QString, QString> attendus[] = {
        {mots, premiere},
        {mots, seconde},
        {QStringLiteral("Montant en chiffres"), t.chiffres},
        {QStringLiteral("Destinataire"), t.destinataire},
        {QStringLiteral("Lieu"), t.lieu},
        {QStringLiteral("Date"), t.date},
    };

    QVector<TextePlace> places;
    std::size_t suivant = 0;
    for (const auto& dessine : surface.textes) {
        while (suivant < std::size(attendus) && attendus[suivant].second != dessine.texte)
            ++suivant;
        if (suivant == std::size(attendus))
            break;
        // back from the page to the cheque's origin
        places.append({attendus[suivant].first, dessine.texte, dessine.x - r.MargeDroite,
                       dessine.y - r.MargeHaute,
                       PoliceMots{dessine.police, dessine.gras, dessine.taille}});
        ++suivant;
    }
    return places;
}

QVector<Depassement> VerifierPlaceTextes(const Reglages& r, const TextesCheque& textes,
                                         double resolution) {
    // A4 paper; the sheet ends that far from the cheque's origin.
    const double largeurFeuille = (r.Orientation == 2 ? 297.0 : 210.0) - r.MargeDroite;
    const QVector<Boite> boites = Boites(r, textes, resolution);

    QVector<Depassement> depassements;
    for (const Boite& a : boites) {
        if (!a.verifie)
            continue;
        const double fin = a.x + a.largeur;
        // The nearest text that starts further right on the same height stops it first.
        const Boite* obstacle = nullptr;
        for (const Boite& b : boites)
            if (&b != &a && b.x > a.x && b.x < fin && SeChevauchentEnHauteur(a, b) &&
                (!obstacle || b.x < obstacle->x))
                obstacle = &b;
        const double bord = std::min(kLargeurCheque, largeurFeuille);
        if (obstacle && obstacle->x <= bord)
            depassements.append({a.nom, obstacle->nom, fin - obstacle->x, false});
        else if (fin > bord)
            depassements.append({a.nom, {}, fin - bord, bord < kLargeurCheque});
    }
    return depassements;
}

QString DecrireDepassements(const QVector<Depassement>& depassements) {
    const QLocale francais(QLocale::French);
    QStringList lignes;
    for (const Depassement& d : depassements) {
        // Rounded up to the tenth: "0 mm" would read as no overflow at all.
        const QString mm = francais.toString(std::max(0.1, std::ceil(d.mm * 10) / 10), 'f', 1);
        if (!d.obstacle.isEmpty())
            lignes << QStringLiteral("« %1 » empiète sur « %2 » de %3 mm.")
                          .arg(d.texte, d.obstacle, mm);
        else
            lignes << QStringLiteral("« %1 » dépasse le bord %2 de %3 mm.")
                          .arg(d.texte,
                               d.feuille ? QStringLiteral("de la feuille")
                                         : QStringLiteral("droit du chèque"),
                               mm);
    }
    return lignes.join(u'\n');
}
