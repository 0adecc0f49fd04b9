#include "cheque/PageAlignement.h"

#include "cheque/DispositionMots.h"
#include "cheque/PlaceTextes.h"
#include "settings/Reglages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

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

} // namespace

TextesCheque TextesEssai() {
    return {QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS\n et CINQUANTE-SIX CENTIMES"),
            QStringLiteral("1 234,56"), QStringLiteral("DESTINATAIRE DE L'ESSAI"),
            QStringLiteral("Saint-Rémy-de-Provence"), QStringLiteral("31/12/2099")};
}

void DessinerPageAlignement(QPainter& p, const QPaintDevice& appareil, const Reglages& r) {
    const double ppm = appareil.logicalDpiX() / 25.4;
    auto pt = [ppm](double x, double y) { return QPointF(x * ppm, y * ppm); };
    const double ox = r.MargeDroite, oy = r.MargeHaute;

    p.save();
    QPen trait(Qt::black, 0.2 * ppm);
    p.setPen(trait);
    p.drawRect(QRectF(pt(ox, oy), QSizeF(kLargeurCheque * ppm, kHauteurCheque * ppm)));

    // The scale inside the outline, a tick a millimetre, longer every 5 and
    // numbered every 10, so that a shift reads directly against the cheque.
    QFont petite(QStringLiteral("Liberation Sans"));
    petite.setPointSizeF(5);
    p.setFont(petite);
    trait.setWidthF(0.1 * ppm);
    p.setPen(trait);
    for (int mm = 1; mm < kLargeurCheque; ++mm) {
        const double l = mm % 10 == 0 ? 3 : mm % 5 == 0 ? 2 : 1;
        p.drawLine(pt(ox + mm, oy), pt(ox + mm, oy + l));
        if (mm % 10 == 0)
            p.drawText(pt(ox + mm + 0.3, oy + 5), QString::number(mm));
    }
    for (int mm = 1; mm < kHauteurCheque; ++mm) {
        const double l = mm % 10 == 0 ? 3 : mm % 5 == 0 ? 2 : 1;
        p.drawLine(pt(ox, oy + mm), pt(ox + l, oy + mm));
        if (mm % 10 == 0)
            p.drawText(pt(ox + 3.5, oy + mm + 0.8), QString::number(mm));
    }

    // A cross at each text's position with its name and setting, above the
    // sample text itself written where the printer writes it.
    QString dejaNomme;
    for (const TextePlace& t : PlacerTextes(r, TextesEssai())) {
        const QPointF c = pt(ox + t.x, oy + t.y);
        trait.setWidthF(0.15 * ppm);
        p.setPen(trait);
        p.drawLine(c - QPointF(2 * ppm, 0), c + QPointF(2 * ppm, 0));
        p.drawLine(c - QPointF(0, 2 * ppm), c + QPointF(0, 2 * ppm));
        // The words' second line has a setting of its own, from the cheque's left edge.
        const bool seconde = t.nom == dejaNomme;
        const auto [x, y] = Reglage(r, t.nom);
        p.setFont(petite);
        p.setPen(Qt::darkGray);
        p.drawText(c + QPointF(0.8 * ppm, -0.8 * ppm),
                   seconde
                       ? QStringLiteral("%1, seconde ligne (X %2 mm)").arg(t.nom).arg(r.MargeDLX)
                       : QStringLiteral("%1 (X %2 mm, Y %3 mm)").arg(t.nom).arg(x).arg(y));
        dejaNomme = t.nom;
        QFont police;
        if (!t.police.famille.isEmpty())
            police.setFamily(t.police.famille);
        police.setBold(t.police.gras);
        police.setPointSizeF(t.police.taille);
        p.setFont(police);
        p.setPen(Qt::black);
        // The position is the text's top-left corner; the painter wants its baseline.
        const QFontMetricsF mesures(police, const_cast<QPaintDevice*>(&appareil));
        p.drawText(c + QPointF(0, mesures.ascent()), t.texte);
    }
    p.restore();
}
