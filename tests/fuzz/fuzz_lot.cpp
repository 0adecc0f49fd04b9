// A batch file of cheques: its encoding, its lines and its fields. Whatever
// the bytes, no cheque read carries a control character; the line ends do not
// change what is read; the cheques read, written out again with any line ends
// and any encoding, read back the same.
#include "Verifier.h"
#include "cheque/LotCheques.h"
#include "settings/Cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>

namespace {

bool Propre(const QString& texte) {
    for (const QChar c : texte)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            return false;
    return true;
}

bool SurUneLigne(const QString& texte) {
    return !texte.contains(QChar::LineSeparator) && !texte.contains(QChar::ParagraphSeparator);
}

bool Memes(const QVector<ChequeDuLot>& a, const QVector<ChequeDuLot>& b, int decalage) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].ligne + decalage != b[i].ligne || a[i].montant != b[i].montant ||
            a[i].destinataire != b[i].destinataire || a[i].lieu != b[i].lieu ||
            a[i].date != b[i].date)
            return false;
    return true;
}

const char* const kFins[] = {"\r", "\n", "\r\n"};

// The bytes with every line end (CR, LF, CR LF) made `fin`. Sound for the
// encodings whose line ends are single bytes, which no other character uses.
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

QString Cite(const QString& champ) {
    return u'"' + QString(champ).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The cheques written out as a batch: a header, then every field quoted, each
// line ended as `choix` says, in the encoding it says.
QByteArray Reecrire(const QVector<ChequeDuLot>& cheques, const QByteArray& choix) {
    QString texte = QStringLiteral("Montant;Destinataire;Lieu;Date\r\n");
    for (qsizetype i = 0; i < cheques.size(); ++i) {
        const ChequeDuLot& c = cheques[i];
        texte += Cite(c.montant) + u';' + Cite(c.destinataire) + u';' + Cite(c.lieu) + u';' +
                 Cite(c.date);
        const auto octet = static_cast<unsigned char>(choix.at(i % choix.size()));
        // The last line may go without its end.
        if (i + 1 < cheques.size() || octet % 4 != 3)
            texte += QLatin1String(kFins[octet % 4 % 3]);
    }
    switch (static_cast<unsigned char>(choix.at(0)) % 4) {
    case 0:
        return texte.toUtf8();
    case 1:
        return "\xEF\xBB\xBF" + texte.toUtf8();
    default: {
        const bool le = static_cast<unsigned char>(choix.at(0)) % 4 == 2;
        QStringEncoder utf16(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                             QStringEncoder::Flag::WriteBom);
        return utf16.encode(texte);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const LotLu lot = LireLot(octets);

    int precedente = 0;
    for (const ChequeDuLot& c : lot.cheques) {
        VERIFIER(c.ligne > precedente);
        precedente = c.ligne;
        VERIFIER(Propre(c.montant) && Propre(c.destinataire) && Propre(c.lieu) && Propre(c.date));
        VERIFIER(SurUneLigne(c.montant) && SurUneLigne(c.destinataire) && SurUneLigne(c.lieu));
    }
    for (const QString& refus : lot.refus)
        VERIFIER(Propre(refus));

    const bool unOctetParFin = !octets.startsWith("\xFF\xFE") && !octets.startsWith("\xFE\xFF");
    if (unOctetParFin) {
        // UTF-8 when the system's decoder finds it so, Windows-1252 or a
        // refusal otherwise; never refused when every byte is ASCII.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        const QString commeUtf8 = utf8.decode(octets);
        const auto texte = TexteDuLot(octets);
        const bool marque = octets.startsWith("\xEF\xBB\xBF");
        const bool utf32 = octets.startsWith(QByteArrayView("\0\0\xFE\xFF", 4));
        if (!utf32 && !utf8.hasError())
            VERIFIER(texte && *texte == (marque ? commeUtf8.mid(1) : commeUtf8));
        if (!utf32 && utf8.hasError())
            VERIFIER(texte ? *texte == DecoderCp1252(octets)
                           : texte.raison().contains(QStringLiteral("UTF-8 valide")));
        bool ascii = true;
        for (const char o : octets)
            ascii &= static_cast<unsigned char>(o) < 0x80;
        if (ascii && !utf32)
            VERIFIER(texte);

        // Whatever the line ends, the same cheques on the same lines.
        const char* fin = kFins[taille % 3];
        const LotLu autre = LireLot(AvecFins(octets, fin));
        VERIFIER(autre.refus == lot.refus);
        VERIFIER(Memes(autre.cheques, lot.cheques, 0));
    }

    if (lot.refus.isEmpty() && !lot.cheques.isEmpty()) {
        const LotLu relu = LireLot(Reecrire(lot.cheques, octets));
        VERIFIER(relu.refus.isEmpty());
        // Cheque i is on line i + 2, under the header.
        QVector<ChequeDuLot> attendus = lot.cheques;
        for (qsizetype i = 0; i < attendus.size(); ++i)
            attendus[i].ligne = int(i + 1);
        VERIFIER(Memes(attendus, relu.cheques, 1));
    }
    return 0;
}
