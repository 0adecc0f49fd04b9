// A CFONB statement of 120-character records. Whatever the bytes, a statement
// read adds up: its old balances plus its movements make its new balances;
// every movement has a date and a label on one clean line; the line ends do
// not change what is read.
#include "Verifier.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const auto releve = LireReleveCfonb(octets);
    if (!releve) {
        VERIFIER(Propre(releve.raison()) && !releve.raison().isEmpty());
    } else {
        VERIFIER(releve->ancienSolde && releve->nouveauSolde);
        std::int64_t total = *releve->ancienSolde;
        int precedente = 0;
        for (const LigneReleve& l : releve->lignes) {
            VERIFIER(l.ligne > precedente);
            precedente = l.ligne;
            VERIFIER(l.date.isValid());
            VERIFIER(Propre(l.libelle) && l.libelle == l.libelle.trimmed());
            total += l.centimes;
        }
        VERIFIER(total == *releve->nouveauSolde);
    }
    if (!octets.startsWith("\xFF\xFE") && !octets.startsWith("\xFE\xFF") &&
        (octets.contains('\r') || octets.contains('\n'))) {
        const auto autre = LireReleveCfonb(AvecFins(octets, taille % 2 ? "\r\n" : "\n"));
        VERIFIER(autre.ok() == releve.ok());
        if (releve) {
            VERIFIER(autre->lignes.size() == releve->lignes.size());
            for (qsizetype i = 0; i < releve->lignes.size(); ++i)
                VERIFIER(autre->lignes[i].ligne == releve->lignes[i].ligne &&
                         autre->lignes[i].centimes == releve->lignes[i].centimes &&
                         autre->lignes[i].libelle == releve->lignes[i].libelle);
        } else {
            VERIFIER(autre.raison() == releve.raison());
        }
    }
    return 0;
}
