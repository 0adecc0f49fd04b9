#include "settings/Cp1252.h"

#include <array>

namespace {

// 0x80..0x9F; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHaut = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int OctetPour(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    // The narrow and figure no-break spaces some systems use to group digits
    // have no byte of their own: the plain no-break space stands for them.
    if (c == 0x202F || c == 0x2007)
        return 0xA0;
    for (int i = 0; i < 32; ++i)
        if (kHaut[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

QString DecoderCp1252(const QByteArray& octets) {
    QString texte;
    texte.resize(octets.size());
    QChar* sortie = texte.data();
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto o = static_cast<unsigned char>(octets[i]);
        sortie[i] = (o >= 0x80 && o < 0xA0) ? QChar(kHaut[o - 0x80]) : QChar(o);
    }
    return texte;
}

char* EncoderCp1252Dans(QStringView texte, char* sortie) {
    for (QChar c : texte) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *sortie++ = static_cast<char>(u);
            continue;
        }
        const int o = OctetPour(u);
        *sortie++ = o < 0 ? '?' : static_cast<char>(o);
    }
    return sortie;
}

QByteArray EncoderCp1252(QStringView texte) {
    QByteArray octets(texte.size(), Qt::Uninitialized);
    EncoderCp1252Dans(texte, octets.data());
    return octets;
}

bool RepresentableCp1252(QStringView texte) {
    for (QChar c : texte)
        if (OctetPour(c.unicode()) < 0)
            return false;
    return true;
}
