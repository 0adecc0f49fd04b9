#include "cheque/Rapprochement.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

// Upper case without accents; the rest as it is.
QString Majuscules(QStringView texte) {
    const QString d = texte.toString().normalized(QString::NormalizationForm_D);
    QString n;
    n.reserve(d.size());
    for (const QChar c : d)
        if (c.category() != QChar::Mark_NonSpacing)
            n += c.toUpper();
    return n;
}

struct Place {
    qsizetype ligne; // index in the statement
    int liste;       // 0 matched, 1 to decide, 2 not matched
    qsizetype rang;  // in its list
};

} // namespace

std::optional<std::uint32_t> NumeroDeCheque(QStringView libelle) {
    // The word, an optional "number" word, then the digits, which are not
    // the start of a date or of an amount.
    static const QRegularExpression motif(
        QStringLiteral("(?<![A-Z0-9])(?:CHQ|CHEQ|CHEQUE)S?(?![A-Z])\\s*\\.?\\s*"
                       "(?:(?:N|NO|NR|NUM|NUMERO)(?![A-Z0-9])\\s*[°º.:]?\\s*)?[:#.\\-]?\\s*"
                       "(\\d+)(?!\\d)(?![/,]\\d)(?!\\.\\d)"));
    const QString n = Majuscules(libelle);
    auto trouve = motif.globalMatch(n);
    while (trouve.hasNext()) {
        const auto m = trouve.next();
        QStringView chiffres = m.capturedView(1);
        while (chiffres.size() > 1 && chiffres.front() == u'0')
            chiffres = chiffres.sliced(1);
        if (chiffres.size() > 7)
            return std::nullopt;
        const auto numero = static_cast<std::uint32_t>(chiffres.toUInt());
        if (numero == 0)
            return std::nullopt;
        return numero;
    }
    return std::nullopt;
}

QString DireDoute(Doute doute) {
    switch (doute) {
    case Doute::MontantDifferent:
        return QStringLiteral("montant différent de celui du chèque");
    case Doute::NumeroInconnu:
        return QStringLiteral("numéro absent des chèques à encaisser");
    case Doute::SansNumero:
        return QStringLiteral("montant d'un chèque, sans numéro");
    case Doute::DejaRapproche:
        return QStringLiteral("chèque déjà rapproché par une autre ligne");
    case Doute::PlusieursCheques:
        return QStringLiteral("plusieurs chèques de ce numéro et de ce montant");
    }
    return {};
}

Rapprochement Rapprocher(const QVector<LigneReleve>& lignes,
                         const QVector<ChequeEnCours>& cheques) {
    const qsizetype n = cheques.size();
    // Two orders of the cheques: by number, and by amount then date.
    std::vector<qsizetype> parNumero, parMontant(static_cast<std::size_t>(n));
    std::iota(parMontant.begin(), parMontant.end(), qsizetype(0));
    for (qsizetype i = 0; i < n; ++i)
        if (cheques[i].numero)
            parNumero.push_back(i);
    std::sort(parNumero.begin(), parNumero.end(), [&](qsizetype a, qsizetype b) {
        return *cheques[a].numero != *cheques[b].numero ? *cheques[a].numero < *cheques[b].numero
                                                        : a < b;
    });
    std::sort(parMontant.begin(), parMontant.end(), [&](qsizetype a, qsizetype b) {
        const ChequeEnCours& x = cheques[a];
        const ChequeEnCours& y = cheques[b];
        if (x.centimes != y.centimes)
            return x.centimes < y.centimes;
        if (x.date != y.date)
            return x.date < y.date;
        return a < b;
    });
    auto deNumero = [&](std::uint32_t numero) {
        const auto de =
            std::lower_bound(parNumero.begin(), parNumero.end(), numero,
                             [&](qsizetype c, std::uint32_t v) { return *cheques[c].numero < v; });
        const auto a =
            std::upper_bound(de, parNumero.end(), numero,
                             [&](std::uint32_t v, qsizetype c) { return v < *cheques[c].numero; });
        return std::pair(de, a);
    };
    auto deMontant = [&](std::int64_t centimes) {
        const auto de =
            std::lower_bound(parMontant.begin(), parMontant.end(), centimes,
                             [&](qsizetype c, std::int64_t v) { return cheques[c].centimes < v; });
        const auto a =
            std::upper_bound(de, parMontant.end(), centimes,
                             [&](std::int64_t v, qsizetype c) { return v < cheques[c].centimes; });
        return std::pair(de, a);
    };

    std::vector<bool> utilise(static_cast<std::size_t>(n), false);
    QHash<std::int64_t, qsizetype> utilisesParMontant;
    Rapprochement r;
    std::vector<Place> places;
    std::vector<qsizetype> parMontantPlusTard; // to decide, waiting for amount candidates

    // The lines that name a number first: a plain amount must not take the
    // cheque a numbered line cashes further down.
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const LigneReleve& l = lignes[i];
        if (l.centimes >= 0)
            continue;
        const auto numero = NumeroDeCheque(l.libelle);
        if (!numero)
            continue;
        const auto [de, a] = deNumero(*numero);
        LigneADecider d;
        d.ligne = l;
        d.numero = numero;
        QVector<qsizetype> libresDuMontant, libres;
        bool dejaPris = false;
        for (auto it = de; it != a; ++it) {
            const bool memeMontant = cheques[*it].centimes == -l.centimes;
            if (utilise[*it]) {
                dejaPris |= memeMontant;
                continue;
            }
            libres << *it;
            if (memeMontant)
                libresDuMontant << *it;
        }
        if (libresDuMontant.size() == 1) {
            const qsizetype c = libresDuMontant.front();
            utilise[c] = true;
            ++utilisesParMontant[cheques[c].centimes];
            places.push_back({i, 0, r.rapproches.size()});
            r.rapproches.append({l, cheques[c].id, l.date});
            continue;
        }
        if (de == a) {
            d.doute = Doute::NumeroInconnu;
            parMontantPlusTard.push_back(r.aDecider.size());
        } else {
            const QVector<qsizetype>& candidats =
                libresDuMontant.isEmpty() ? libres : libresDuMontant;
            d.doute = libresDuMontant.size() > 1 ? Doute::PlusieursCheques
                      : dejaPris                 ? Doute::DejaRapproche
                                                 : Doute::MontantDifferent;
            d.candidatsEnTout = candidats.size();
            for (qsizetype k = 0; k < candidats.size() && k < kCandidatsMax; ++k)
                d.candidats << cheques[candidats[k]].id;
        }
        places.push_back({i, 1, r.aDecider.size()});
        r.aDecider.append(d);
    }

    // The cheques of an amount, not yet matched, nearest the line's date first.
    auto candidatsDuMontant = [&](LigneADecider& d) {
        const auto [de, a] = deMontant(-d.ligne.centimes);
        d.candidatsEnTout = (a - de) - utilisesParMontant.value(-d.ligne.centimes);
        const QDate jour = d.ligne.date;
        // From the first cheque dated after the line, outwards both ways.
        auto droite =
            std::partition_point(de, a, [&](qsizetype c) { return !(jour < cheques[c].date); });
        auto gauche = droite;
        auto ecart = [&](qsizetype c) { return std::abs(cheques[c].date.daysTo(jour)); };
        while (d.candidats.size() < kCandidatsMax && (gauche != de || droite != a)) {
            bool prendreGauche;
            if (gauche == de)
                prendreGauche = false;
            else if (droite == a)
                prendreGauche = true;
            else
                prendreGauche = ecart(*(gauche - 1)) <= ecart(*droite);
            const qsizetype c = prendreGauche ? *--gauche : *droite++;
            if (!utilise[c])
                d.candidats << cheques[c].id;
        }
    };
    for (const qsizetype k : parMontantPlusTard)
        candidatsDuMontant(r.aDecider[k]);

    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const LigneReleve& l = lignes[i];
        if (l.centimes < 0 && NumeroDeCheque(l.libelle))
            continue; // placed above
        LigneADecider d;
        d.ligne = l;
        if (l.centimes < 0) {
            candidatsDuMontant(d);
            if (d.candidatsEnTout > 0) {
                places.push_back({i, 1, r.aDecider.size()});
                r.aDecider.append(d);
                continue;
            }
        }
        places.push_back({i, 2, r.nonRapproches.size()});
        r.nonRapproches.append(l);
    }

    // Each list in the statement's order.
    std::sort(places.begin(), places.end(),
              [](const Place& a, const Place& b) { return a.ligne < b.ligne; });
    Rapprochement ordonne;
    for (const Place& p : places) {
        if (p.liste == 0)
            ordonne.rapproches.append(r.rapproches[p.rang]);
        else if (p.liste == 1)
            ordonne.aDecider.append(r.aDecider[p.rang]);
        else
            ordonne.nonRapproches.append(r.nonRapproches[p.rang]);
    }

    std::int64_t total = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (!utilise[i]) {
            ++ordonne.restants;
            total += cheques[i].centimes;
        }
    ordonne.restantCentimes = total;
    return ordonne;
}
