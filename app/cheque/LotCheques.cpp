#include "cheque/LotCheques.h"

#include "cheque/TravailCheque.h"
#include "settings/Cp1252.h"
#include "settings/Listes.h"
#include "words/MontantTexte.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringView>

namespace {

// The line a position is on, counted the way the batch is split.
template <typename Unite> int LigneA(const Unite* unites, qsizetype position) {
    int ligne = 1;
    for (qsizetype i = 0; i < position; ++i)
        if (unites[i] == Unite('\r') ||
            (unites[i] == Unite('\n') && (i == 0 || unites[i - 1] != Unite('\r'))))
            ++ligne;
    return ligne;
}

struct ExamenUtf8 {
    qsizetype mauvais = -1; // the first byte not part of well-formed UTF-8
    bool sequences = false; // a well-formed multi-byte sequence somewhere
};

// Well-formed UTF-8 as Unicode defines it: no overlong form, no surrogate,
// nothing past U+10FFFF. The whole file is looked at: a sequence after the
// first bad byte still tells the file was meant as UTF-8.
ExamenUtf8 ExaminerUtf8(const QByteArray& octets) {
    ExamenUtf8 examen;
    const auto* o = reinterpret_cast<const unsigned char*>(octets.constData());
    const qsizetype n = octets.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char tete = o[i];
        if (tete < 0x80) {
            ++i;
            continue;
        }
        int suite = 0;
        unsigned char min = 0x80, max = 0xBF; // the second byte's range
        if (tete >= 0xC2 && tete <= 0xDF) {
            suite = 1;
        } else if (tete >= 0xE0 && tete <= 0xEF) {
            suite = 2;
            min = tete == 0xE0 ? 0xA0 : 0x80;
            max = tete == 0xED ? 0x9F : 0xBF;
        } else if (tete >= 0xF0 && tete <= 0xF4) {
            suite = 3;
            min = tete == 0xF0 ? 0x90 : 0x80;
            max = tete == 0xF4 ? 0x8F : 0xBF;
        }
        bool bonne = suite > 0 && i + suite < n;
        for (int k = 1; bonne && k <= suite; ++k) {
            const unsigned char c = o[i + k];
            bonne = k == 1 ? (c >= min && c <= max) : (c >= 0x80 && c <= 0xBF);
        }
        if (!bonne) {
            if (examen.mauvais < 0)
                examen.mauvais = i;
            ++i;
            continue;
        }
        examen.sequences = true;
        i += suite + 1;
    }
    return examen;
}

Resultat<QString> TexteUtf16(const QByteArray& octets, bool petitBoutiste) {
    const auto* o = reinterpret_cast<const unsigned char*>(octets.constData());
    const qsizetype n = (octets.size() - 2) / 2;
    QString texte(n, Qt::Uninitialized);
    auto* unites = reinterpret_cast<char16_t*>(texte.data());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char a = o[2 + 2 * i], b = o[3 + 2 * i];
        unites[i] = petitBoutiste ? char16_t(a | b << 8) : char16_t(a << 8 | b);
    }
    // A surrogate without its pair, or a last byte alone.
    qsizetype mauvais = octets.size() % 2 ? n : -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (QChar::isHighSurrogate(unites[i]) && i + 1 < n && QChar::isLowSurrogate(unites[i + 1]))
            ++i;
        else if (QChar::isSurrogate(unites[i])) {
            mauvais = i;
            break;
        }
    }
    if (mauvais >= 0)
        return Echec{QStringLiteral("ligne %1 : le fichier n'est pas en UTF-16 valide ; "
                                    "enregistrez-le en UTF-8.")
                         .arg(LigneA(unites, mauvais))};
    return texte;
}

// The lines of the text: CR, LF and CR LF each end one. A file from an old
// Mac ends its lines with CR alone; read as one line, two cheques would merge.
QList<QStringView> Lignes(QStringView texte) {
    QList<QStringView> lignes;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] != u'\r' && texte[i] != u'\n')
            continue;
        lignes.append(texte.sliced(debut, i - debut));
        if (texte[i] == u'\r' && i + 1 < texte.size() && texte[i + 1] == u'\n')
            ++i;
        debut = i + 1;
    }
    lignes.append(texte.sliced(debut));
    return lignes;
}

// The fields of one line separated by ";". One pass, whatever the line holds.
QStringList ChampsCsv(QStringView ligne, bool* malForme) {
    enum class Etat { Debut, Nu, Cite, ApresCite };
    QStringList champs;
    QString champ;
    Etat etat = Etat::Debut;
    *malForme = false;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        const QChar c = ligne[i];
        switch (etat) {
        case Etat::Debut:
            if (c == u'"') {
                etat = Etat::Cite;
            } else if (c == u';') {
                champs << QString();
            } else if (!c.isSpace()) {
                champ += c;
                etat = Etat::Nu;
            }
            break;
        case Etat::Nu: // a quote inside an unquoted field is text
            if (c == u';') {
                champs << champ.trimmed();
                champ.clear();
                etat = Etat::Debut;
            } else {
                champ += c;
            }
            break;
        case Etat::Cite:
            if (c == u'"' && i + 1 < ligne.size() && ligne[i + 1] == u'"') {
                champ += u'"';
                ++i;
            } else if (c == u'"') {
                etat = Etat::ApresCite;
            } else {
                champ += c;
            }
            break;
        case Etat::ApresCite: // "12"3,00 would otherwise print 12
            if (c == u';') {
                champs << champ;
                champ.clear();
                etat = Etat::Debut;
            } else if (!c.isSpace()) {
                *malForme = true;
            }
            break;
        }
    }
    *malForme |= etat == Etat::Cite; // a quote never closed
    champs << (etat == Etat::Nu ? champ.trimmed() : champ);
    return champs;
}

} // namespace

Resultat<QString> TexteDuLot(const QByteArray& octets) {
    if (octets.startsWith(QByteArrayView("\xFF\xFE\x00\x00", 4)) ||
        octets.startsWith(QByteArrayView("\x00\x00\xFE\xFF", 4)))
        return Echec{QStringLiteral("le fichier est en UTF-32 ; enregistrez-le en UTF-8.")};
    if (octets.startsWith("\xFF\xFE"))
        return TexteUtf16(octets, true);
    if (octets.startsWith("\xFE\xFF"))
        return TexteUtf16(octets, false);

    const ExamenUtf8 examen = ExaminerUtf8(octets);
    if (examen.mauvais < 0) {
        // One mark dropped, the one the file starts with; QString::fromUtf8
        // would drop a second one as well.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        QString texte = utf8.decode(octets);
        if (octets.startsWith("\xEF\xBB\xBF"))
            texte.remove(0, 1);
        return texte;
    }
    if (examen.sequences)
        return Echec{QStringLiteral("ligne %1 : le fichier n'est pas en UTF-8 valide ; "
                                    "enregistrez-le en UTF-8.")
                         .arg(LigneA(octets.constData(), examen.mauvais))};
    return DecoderCp1252(octets);
}

LotLu LireLot(const QByteArray& octets) {
    LotLu lot;
    const auto texte = TexteDuLot(octets);
    if (!texte) {
        lot.refus << texte.raison();
        return lot;
    }
    const QList<QStringView> lignes = Lignes(*texte);
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QStringView ligne = lignes[i];
        if (ligne.trimmed().isEmpty())
            continue;
        bool malForme = false;
        const QStringList champs = ChampsCsv(ligne, &malForme);
        if (i == 0 && !EstUnMontant(champs[0]) &&
            champs[0].contains(QStringLiteral("montant"), Qt::CaseInsensitive))
            continue; // the header
        const QString prefixe = QStringLiteral("ligne %1 : ").arg(i + 1);
        if (malForme || champs.size() < 2 || champs.size() > 4) {
            lot.refus << prefixe + QStringLiteral("attendu montant;destinataire;lieu;date.");
            continue;
        }
        static const QString noms[] = {QStringLiteral("le montant"),
                                       QStringLiteral("le destinataire"), QStringLiteral("le lieu"),
                                       QStringLiteral("la date")};
        std::optional<QString> refus;
        for (qsizetype k = 0; k < champs.size() && !refus; ++k)
            refus = RefusControle(champs[k], noms[k]);
        if (refus) {
            lot.refus << prefixe + *refus;
            continue;
        }
        ChequeDuLot c;
        c.ligne = static_cast<int>(i + 1);
        c.montant = EntreeSurUneLigne(champs[0]);
        c.destinataire = EntreeSurUneLigne(champs[1]);
        c.lieu = champs.size() > 2 ? EntreeSurUneLigne(champs[2]) : QString();
        c.date = champs.value(3);
        lot.cheques.append(c);
    }
    return lot;
}

LotLu LireFichierLot(const QString& chemin) {
    LotLu lu;
    QFile f(chemin);
    const QByteArray octets =
        f.open(QIODevice::ReadOnly) ? f.read(kTailleMaxLot + 1) : QByteArray();
    if (f.error() != QFileDevice::NoError) {
        lu.refus << QStringLiteral("le fichier « %1 » ne peut pas être lu : %2")
                        .arg(chemin, f.errorString());
        return lu;
    }
    if (octets.size() > kTailleMaxLot) {
        lu.refus << QStringLiteral("le fichier « %1 » est trop grand pour un lot de chèques "
                                   "(plus de 10 Mo).")
                        .arg(chemin);
        return lu;
    }
    lu = LireLot(octets);
    if (lu.cheques.isEmpty() && lu.refus.isEmpty())
        lu.refus << QStringLiteral("le fichier « %1 » ne contient aucun chèque.").arg(chemin);
    return lu;
}

Resultat<QDate> DateDuCheque(const QString& texte, const QDate& aujourdhui) {
    if (auto refus = RefusControle(texte, QStringLiteral("la date")))
        return Echec{*refus};
    if (texte.isEmpty())
        return aujourdhui;
    const QDate date = QDate::fromString(texte, QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid())
        return Echec{
            QStringLiteral("la date « %1 » n'est pas de la forme JJ/MM/AAAA.").arg(texte)};
    return date;
}
