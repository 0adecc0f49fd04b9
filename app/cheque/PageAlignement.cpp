#include "cheque/PageAlignement.h"

#include "cheque/DispositionMots.h"
#include "cheque/PlaceTextes.h"
#include "cheque/SurfaceSortie.h"
#include "settings/Reglages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

constexpr double kBras = 2.0;         // length of a mark's arms
constexpr double kEcart = 0.3;        // room kept around a label, a number or a leader
constexpr double kBandeGraduee = 3.2; // the ticks run this far into the outline
constexpr double kRenvoi = 1.0;       // further than this from its mark, a label gets a leader
// How far from its mark a label is looked for: near first, then further with a leader.
constexpr double kRecherche[] = {15.0, 45.0};
constexpr double kPas = 0.5; // the step of that search

PoliceMots PolicePetite() {
    return {QStringLiteral("Liberation Sans"), false, 5};
}

// The height of a line's cell (ascent and descent), measured as on the printer.
double HauteurTexte(const PoliceMots& police) {
    QImage appareil(1, 1, QImage::Format_Mono);
    const int pointsParMetre = qRound(kResolutionImprimante / 0.0254);
    appareil.setDotsPerMeterX(pointsParMetre);
    appareil.setDotsPerMeterY(pointsParMetre);
    QFont f = PoliceDeDessin();
    if (!police.famille.isEmpty())
        f.setFamily(police.famille);
    f.setBold(police.gras);
    f.setPointSizeF(police.taille);
    const QFontMetricsF mesures(f, &appareil);
    return (mesures.ascent() + mesures.descent()) * 25.4 / kResolutionImprimante;
}

QRectF BoiteTexte(const QString& texte, const PoliceMots& police, QPointF coin) {
    return {coin, QSizeF(LargeurTexte(texte, police, kResolutionImprimante), HauteurTexte(police))};
}

QRectF Elargie(const QRectF& b, double d) {
    return b.adjusted(-d, -d, d, d);
}

double Distance(QPointF p, const QRectF& b) {
    const double dx = std::max({b.left() - p.x(), 0.0, p.x() - b.right()});
    const double dy = std::max({b.top() - p.y(), 0.0, p.y() - b.bottom()});
    return std::hypot(dx, dy);
}

QPointF PlusProche(QPointF p, const QRectF& b) {
    return {std::clamp(p.x(), b.left(), b.right()), std::clamp(p.y(), b.top(), b.bottom())};
}

bool Coupe(const QLineF& trait, const QRectF& b) {
    if (b.contains(trait.p1()) || b.contains(trait.p2()))
        return true;
    const QLineF bords[] = {{b.topLeft(), b.topRight()},
                            {b.topRight(), b.bottomRight()},
                            {b.bottomRight(), b.bottomLeft()},
                            {b.bottomLeft(), b.topLeft()}};
    return std::any_of(std::begin(bords), std::end(bords), [&](const QLineF& bord) {
        return trait.intersects(bord, nullptr) == QLineF::BoundedIntersection;
    });
}

// What a label must keep clear of: the sample texts, the labels and numbers
// already laid, the bands of ticks, and lines (the outline, the marks, the
// leaders). A leader may cross the ticks, never a text.
struct Obstacles {
    QVector<QRectF> textes;
    QVector<QRectF> petits; // labels and numbers
    QVector<QRectF> bandes;
    QVector<QLineF> traits;

    bool touche(const QRectF& b) const {
        const QRectF large = Elargie(b, kEcart);
        auto boite = [&](const QRectF& o) { return large.intersects(o); };
        return std::any_of(textes.begin(), textes.end(), boite) ||
               std::any_of(petits.begin(), petits.end(), boite) ||
               std::any_of(bandes.begin(), bandes.end(), boite) ||
               std::any_of(traits.begin(), traits.end(),
                           [&](const QLineF& t) { return Coupe(t, large); });
    }
    bool traverse(const QLineF& renvoi) const {
        auto boite = [&](const QRectF& o) { return Coupe(renvoi, Elargie(o, kEcart)); };
        return std::any_of(textes.begin(), textes.end(), boite) ||
               std::any_of(petits.begin(), petits.end(), boite);
    }
};

// The two arms of a mark: to the left and upwards from the text's position,
// away from the text it marks.
using Bras = std::array<QLineF, 2>;

struct Repere {
    QPointF sommet; // the text's position on the page
    QString etiquette;
    Bras bras;
};

// The arms, each cut short where it would reach another text's letters (but
// kept long enough to be seen).
Bras BrasLibres(QPointF s, const QVector<QRectF>& lettresDesAutres) {
    constexpr double kMinimum = 0.5;
    double gauche = s.x() - kBras, haut = s.y() - kBras;
    for (const QRectF& l : lettresDesAutres) {
        const QRectF large = Elargie(l, kEcart);
        if (large.top() <= s.y() && s.y() <= large.bottom() && large.right() > gauche &&
            large.left() < s.x())
            gauche = std::min(std::max(gauche, large.right()), s.x() - kMinimum);
        if (large.left() <= s.x() && s.x() <= large.right() && large.bottom() > haut &&
            large.top() < s.y())
            haut = std::min(std::max(haut, large.bottom()), s.y() - kMinimum);
    }
    return {QLineF(QPointF(gauche, s.y()), s), QLineF(QPointF(s.x(), haut), s)};
}

struct EtiquettePlacee {
    QString texte;
    QRectF boite;
    std::optional<QLineF> renvoi;
};

// The nearest place within `rayon` of the mark where the label touches
// nothing, stays on the page and is nearer its own mark than any other; above
// the mark is preferred to below, after it to before it.
std::optional<EtiquettePlacee> PlacerEtiquette(const Repere& repere, const QVector<Repere>& reperes,
                                               const Obstacles& obstacles, const QRectF& page,
                                               double rayon) {
    const QPointF s = repere.sommet;
    const QSizeF taille = BoiteTexte(repere.etiquette, PolicePetite(), {}).size();
    const auto& [gauche, haut] = repere.bras;

    struct Candidat {
        double cout;
        QRectF boite;
    };
    // Boxes on a grid through the spot just above and after the mark.
    QVector<Candidat> candidats;
    const QPointF depart = s + QPointF(0.6, -0.6 - taille.height());
    const int avant = int(std::ceil((rayon + taille.width()) / kPas));
    const int apres = int(std::ceil(rayon / kPas));
    const int dessus = int(std::ceil(rayon / kPas));
    const int dessous = int(std::ceil((rayon + taille.height()) / kPas));
    for (int i = -avant; i <= apres; ++i)
        for (int j = -dessus; j <= dessous; ++j) {
            const QRectF b(depart + QPointF(i * kPas, j * kPas), taille);
            // Nearest the mark first; among equals, starting where the text starts.
            const double cout = Distance(s, b) + 0.02 * std::abs(b.left() - s.x()) +
                                (b.bottom() > s.y() ? 0.75 : 0) + (b.left() < s.x() ? 0.25 : 0);
            candidats.append({cout, b});
        }
    std::stable_sort(candidats.begin(), candidats.end(),
                     [](const Candidat& a, const Candidat& b) { return a.cout < b.cout; });

    for (const Candidat& c : candidats) {
        if (!page.contains(c.boite) || obstacles.touche(c.boite))
            continue;
        const double dSommet = Distance(s, c.boite);
        if (std::any_of(reperes.begin(), reperes.end(), [&](const Repere& autre) {
                return &autre != &repere && autre.sommet != s &&
                       Distance(autre.sommet, c.boite) <= dSommet;
            }))
            continue;
        // A leader from the nearer arm's end, which lies away from the text.
        const QPointF bout =
            Distance(gauche.p1(), c.boite) < Distance(haut.p1(), c.boite) ? gauche.p1() : haut.p1();
        std::optional<QLineF> renvoi;
        if (std::min(dSommet, Distance(bout, c.boite)) > kRenvoi) {
            renvoi = QLineF(bout, PlusProche(bout, c.boite));
            if (obstacles.traverse(*renvoi))
                continue;
        }
        return EtiquettePlacee{repere.etiquette, c.boite, renvoi};
    }
    return std::nullopt;
}

// Each text's own pair of settings, as the user reads them in the configuration.
std::pair<int, int> Reglage(const Reglages& r, const QString& nom) {
    if (nom == u"Montant en lettres")
        return {r.MargeMLX, r.MargeMLY};
    if (nom == u"Montant en chiffres")
        return {r.MargeMX, r.MargeMY};
    if (nom == u"Destinataire")
        return {r.MargeDEX, r.MargeDEY};
    if (nom == u"Lieu")
        return {r.MargeLIX, r.MargeLIY};
    return {r.MargeDAX, r.MargeDAY};
}

// Writes on the page's own painter as the printer's surface does: a text is
// placed by the top-left corner of its cell, in millimetres of the device.
class SurfaceDuPeintre final : public SurfaceSortie {
public:
    SurfaceDuPeintre(QPainter& peintre, double pixelsParMm)
        : peintre_(peintre), ppm_(pixelsParMm) {}

    bool estImprimante() const override { return true; }
    bool choisirImprimante(const QString&) override { return false; } // the caller's printer
    bool definirPage(int orientation) override { return orientation == 1 || orientation == 2; }
    bool definirPolice(const QString& nom) override {
        if (nom.isEmpty())
            return false;
        police_.setFamily(nom);
        return true;
    }
    bool definirGras(bool gras) override {
        police_.setBold(gras);
        return true;
    }
    bool definirTaille(double points) override {
        if (points <= 0 || points > 1000)
            return false;
        police_.setPointSizeF(points);
        return true;
    }
    bool definirOrigine(double gauche, double haut) override {
        gauche_ = gauche;
        haut_ = haut;
        return true;
    }
    bool ecrire(double x, double y, const QString& texte) override {
        peintre_.setFont(police_);
        const QFontMetricsF mesures(police_, peintre_.device());
        QString ligne = texte;
        ligne.remove(u'\n');
        peintre_.drawText(QPointF((x - gauche_) * ppm_, (y - haut_) * ppm_ + mesures.ascent()),
                          ligne);
        return true;
    }
    double hauteurLigne() const override {
        return QFontMetricsF(police_, peintre_.device()).lineSpacing() / ppm_;
    }
    double largeurTexte(const QString& texte) const override {
        return QFontMetricsF(police_, peintre_.device()).horizontalAdvance(texte) / ppm_;
    }
    double milieuLettres() const override {
        const QFontMetricsF mesures(police_, peintre_.device());
        return (mesures.ascent() - mesures.capHeight() / 2) / ppm_;
    }
    bool tracerTrait(double x1, double x2, double y) override {
        peintre_.save();
        peintre_.setPen(QPen(Qt::black,
                             std::max(QFontMetricsF(police_, peintre_.device()).lineWidth(), 1.0),
                             Qt::SolidLine, Qt::FlatCap));
        peintre_.drawLine(QPointF((x1 - gauche_) * ppm_, (y - haut_) * ppm_),
                          QPointF((x2 - gauche_) * ppm_, (y - haut_) * ppm_));
        peintre_.restore();
        return true;
    }

private:
    QPainter& peintre_;
    double ppm_;
    QFont police_ = PoliceDeDessin();
    double gauche_ = 0;
    double haut_ = 0;
};

} // namespace

TextesCheque TextesEssai() {
    return {QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS\n et CINQUANTE-SIX CENTIMES"),
            QStringLiteral("1 234,56"), QStringLiteral("DESTINATAIRE DE L'ESSAI"),
            QStringLiteral("Saint-Rémy-de-Provence"), QStringLiteral("31/12/2099")};
}

void DessinerPageAlignement(QPainter& p, const QPaintDevice& appareil, const Reglages& r) {
    const double ppm = appareil.logicalDpiX() / 25.4;
    SurfaceDuPeintre textes(p, ppm);
    DessinerPageAlignement(p, ppm, QSizeF(appareil.width(), appareil.height()) / ppm, textes, r);
}

void DessinerPageAlignement(QPainter& p, double ppm, const QSizeF& page, SurfaceSortie& textes,
                            const Reglages& r) {
    auto pt = [ppm](QPointF mm) { return mm * ppm; };
    const QPointF o(r.MargeDroite, r.MargeHaute);
    const QRectF feuille(QPointF(0, 0), page);

    // The sample texts where the renderer puts them, and the boxes they fill.
    const TextesCheque essai = TextesEssai();
    const QVector<TextePlace> places = PlacerTextes(r, essai);
    QVector<QRectF> boitesTextes;
    for (const TextePlace& t : places)
        boitesTextes.append(BoiteTexte(t.texte, t.police, o + QPointF(t.x, t.y)));

    Obstacles obstacles;
    obstacles.textes = boitesTextes;
    const QRectF cadre(o, QSizeF(kLargeurCheque, kHauteurCheque));
    obstacles.traits = {{cadre.topLeft(), cadre.topRight()},
                        {cadre.topRight(), cadre.bottomRight()},
                        {cadre.bottomRight(), cadre.bottomLeft()},
                        {cadre.bottomLeft(), cadre.topLeft()}};
    obstacles.bandes = {QRectF(o, QSizeF(kLargeurCheque, kBandeGraduee)),
                        QRectF(o, QSizeF(kBandeGraduee, kHauteurCheque))};

    p.save();
    QPen trait(Qt::black, 0.2 * ppm);
    p.setPen(trait);
    p.drawRect(QRectF(pt(o), cadre.size() * ppm));

    // The scale inside the outline, a tick a millimetre, longer every 5 and
    // numbered every 10, so that a shift reads directly against the cheque.
    trait.setWidthF(0.1 * ppm);
    p.setPen(trait);
    struct Nombre {
        QString texte;
        QPointF coin;
    };
    QVector<Nombre> nombres;
    for (int mm = 1; mm < kLargeurCheque; ++mm) {
        const double l = mm % 10 == 0 ? 3 : mm % 5 == 0 ? 2 : 1;
        p.drawLine(pt(o + QPointF(mm, 0)), pt(o + QPointF(mm, l)));
        if (mm % 10 == 0)
            nombres.append({QString::number(mm), o + QPointF(mm + 0.3, 3.4)});
    }
    for (int mm = 1; mm < kHauteurCheque; ++mm) {
        const double l = mm % 10 == 0 ? 3 : mm % 5 == 0 ? 2 : 1;
        p.drawLine(pt(o + QPointF(0, mm)), pt(o + QPointF(l, mm)));
        if (mm % 10 == 0)
            nombres.append({QString::number(mm), o + QPointF(3.5, mm - 0.8)});
    }

    // The marks, and their labels laid one after the other round what is
    // already there.
    QVector<Repere> reperes;
    QVector<QRectF> lettres; // where each text's ink lies
    QString dejaNomme;
    for (const TextePlace& t : places) {
        // The words' second line has a setting of its own, from the cheque's left edge.
        const auto [x, y] = Reglage(r, t.nom);
        reperes.append(
            {o + QPointF(t.x, t.y),
             t.nom == dejaNomme
                 ? QStringLiteral("%1, seconde ligne (X %2 mm)").arg(t.nom).arg(r.MargeDLX)
                 : QStringLiteral("%1 (X %2 mm, Y %3 mm)").arg(t.nom).arg(x).arg(y),
             {}});
        dejaNomme = t.nom;
        const EncreVerticale encre = MesurerEncre(t.texte, t.police, kResolutionImprimante);
        const QRectF cellule = boitesTextes[lettres.size()];
        lettres.append(QRectF(cellule.left(), cellule.top() + encre.haut, cellule.width(),
                              encre.bas - encre.haut));
    }
    for (qsizetype i = 0; i < reperes.size(); ++i) {
        QVector<QRectF> autres = lettres;
        autres.remove(i);
        reperes[i].bras = BrasLibres(reperes[i].sommet, autres);
        for (const QLineF& b : reperes[i].bras)
            obstacles.traits.append(b);
    }

    // A number under a sample text would be misread as part of it.
    QVector<Nombre> nombresGardes;
    for (const Nombre& n : nombres) {
        const QRectF b = BoiteTexte(n.texte, PolicePetite(), n.coin);
        const QRectF large = Elargie(b, kEcart);
        if (std::none_of(boitesTextes.begin(), boitesTextes.end(),
                         [&](const QRectF& t) { return large.intersects(t); })) {
            nombresGardes.append(n);
            obstacles.petits.append(b);
        }
    }

    QVector<EtiquettePlacee> etiquettes;
    for (const Repere& rep : reperes) {
        if (!feuille.contains(rep.sommet))
            continue; // a mark off the page names nothing the user can see
        std::optional<EtiquettePlacee> placee;
        for (double rayon : kRecherche)
            if (!placee)
                placee = PlacerEtiquette(rep, reperes, obstacles, feuille, rayon);
        if (!placee) {
            // Nowhere free: beside the mark all the same, rather than unnamed.
            const QSizeF taille = BoiteTexte(rep.etiquette, PolicePetite(), {}).size();
            placee = EtiquettePlacee{
                rep.etiquette, QRectF(rep.sommet + QPointF(0.6, -0.6 - taille.height()), taille),
                std::nullopt};
        }
        obstacles.petits.append(placee->boite);
        if (placee->renvoi)
            obstacles.traits.append(*placee->renvoi);
        etiquettes.append(*placee);
    }

    trait.setWidthF(0.15 * ppm);
    p.setPen(trait);
    for (const Repere& rep : reperes)
        for (const QLineF& b : rep.bras)
            p.drawLine(pt(b.p1()), pt(b.p2()));
    trait.setColor(Qt::darkGray);
    trait.setWidthF(0.1 * ppm);
    p.setPen(trait);
    for (const EtiquettePlacee& e : etiquettes)
        if (e.renvoi)
            p.drawLine(pt(e.renvoi->p1()), pt(e.renvoi->p2()));

    // The texts last, on the surface: the samples as the renderer writes them,
    // then the scale's numbers and the labels in the small font.
    p.setPen(Qt::black);
    ImprimerCheque(textes, r, essai);
    const PoliceMots petite = PolicePetite();
    textes.definirOrigine(0, 0);
    textes.definirPolice(petite.famille);
    textes.definirGras(false);
    textes.definirTaille(petite.taille);
    for (const Nombre& n : nombresGardes)
        textes.ecrire(n.coin.x(), n.coin.y(), n.texte);
    p.setPen(Qt::darkGray);
    for (const EtiquettePlacee& e : etiquettes)
        textes.ecrire(e.boite.left(), e.boite.top(), e.texte);
    p.restore();
}
