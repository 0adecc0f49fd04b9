// A CSV bank statement: its encoding, its lines, its fields and its amounts.
// Whatever the bytes, every movement read has a date and a label on one clean
// line; the line ends do not change what is read; the movements read, written
// out again as a plain statement, read back the same.
#include "Verifier.h"
#include "cheque/HistoriqueJournal.h"
#include "cheque/Releve.h"

#include <cstdint>

namespace {

bool Propre(const QString& texte) {
    for (const QChar c : texte)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    return true;
}

// Every line end (CR, LF, CR LF) made `fin`; for encodings of one byte per line end.
QByteArray AvecFins(const QByteArray& octets, const char* fin) {
    QByteArray resultat;
    for (qsizetype i = 0; i < octets.size(); ++i) {
        if (octets[i] == '\r') {
            resultat += fin;
            if (i + 1 < octets.size() && octets[i + 1] == '\n')
                ++i;
        } else if (octets[i] == '\n') {
            resultat += fin;
        } else {
            resultat += octets[i];
        }
    }
    return resultat;
}

bool Memes(const QVector<LigneReleve>& a, const QVector<LigneReleve>& b, bool memesLignes) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if ((memesLignes && a[i].ligne != b[i].ligne) || a[i].date != b[i].date ||
            a[i].libelle != b[i].libelle || a[i].centimes != b[i].centimes)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    // A first byte from 0xF0 up gives the columns by hand from the next four.
    std::optional<ColonnesReleve> colonnes;
    QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    if (taille >= 5 && donnees[0] >= 0xF0) {
        ColonnesReleve c;
        c.date = donnees[1] % 6 - 1;
        c.libelle = donnees[2] % 6 - 1;
        c.montant = donnees[3] % 6 - 1;
        c.debit = donnees[4] % 6 - 1;
        c.credit = donnees[0] % 6 - 1;
        colonnes = c;
        octets = octets.mid(5);
    }
    const auto releve = LireReleveCsv(octets, colonnes);
    if (!releve) {
        VERIFIER(Propre(releve.raison()) && !releve.raison().isEmpty());
    } else {
        VERIFIER(!releve->lignes.isEmpty());
        int precedente = 0;
        for (const LigneReleve& l : releve->lignes) {
            VERIFIER(l.ligne > precedente);
            precedente = l.ligne;
            VERIFIER(l.date.isValid());
            VERIFIER(Propre(l.libelle) && l.libelle == l.libelle.trimmed());
            VERIFIER(l.centimes > -1'000'000'000'000'000 && l.centimes < 1'000'000'000'000'000);
        }
    }

    if (!octets.startsWith("\xFF\xFE") && !octets.startsWith("\xFE\xFF")) {
        const auto autre = LireReleveCsv(AvecFins(octets, taille % 2 ? "\r" : "\n"), colonnes);
        VERIFIER(autre.ok() == releve.ok());
        if (releve)
            VERIFIER(Memes(autre->lignes, releve->lignes, true));
        else
            VERIFIER(autre.raison() == releve.raison());
    }

    if (releve) {
        QString texte = QStringLiteral("Date;Libellé;Montant\r\n");
        for (const LigneReleve& l : releve->lignes)
            texte += l.date.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(";\"") +
                     QString(l.libelle).replace(u'"', QStringLiteral("\"\"")) +
                     QStringLiteral("\";") + MontantDeCentimes(l.centimes) + QStringLiteral("\r\n");
        const auto relu = LireReleve(texte.toUtf8());
        VERIFIER(relu);
        VERIFIER(Memes(relu->lignes, releve->lignes, false));
    }
    return 0;
}
