#include "cheque/LotCheques.h"

#include <gtest/gtest.h>

#include <ostream>

// Every byte of the literal, NULs included.
#define OCTETS(texte) QByteArray(texte, sizeof(texte) - 1)

// Failures show the texts, not their code units.
void PrintTo(const QString& texte, std::ostream* os) {
    *os << '"' << texte.toStdString() << '"';
}

namespace {

// The payees read, or the refusals when there are any.
QStringList Lus(const QByteArray& octets) {
    const LotLu lot = LireLot(octets);
    if (!lot.refus.isEmpty())
        return lot.refus;
    QStringList destinataires;
    for (const ChequeDuLot& c : lot.cheques)
        destinataires << QStringLiteral("%1:%2").arg(c.ligne).arg(c.destinataire);
    return destinataires;
}

QString Refus(int ligne, const char* encodage) {
    return QStringLiteral("ligne %1 : le fichier n'est pas en %2 valide ; enregistrez-le en UTF-8.")
        .arg(ligne)
        .arg(QLatin1String(encodage));
}

} // namespace

TEST(LireLot, CrLfAndCrLfEachEndALineAndLinesAreNumberedThatWay) {
    // CR alone, as an old Mac saves: two cheques, never one to "Dupont 13,00".
    EXPECT_EQ(Lus("12,50;Dupont\r13,00;Martin\r"),
              (QStringList{QStringLiteral("1:Dupont"), QStringLiteral("2:Martin")}));
    EXPECT_EQ(Lus("montant;destinataire\r\n12;A\r13;B\n\r\n14;C"),
              (QStringList{QStringLiteral("2:A"), QStringLiteral("3:B"), QStringLiteral("5:C")}));
    // CR LF is one line end, CR CR two; a refused line is counted like any other.
    EXPECT_EQ(Lus("12;A\r\n\r\r14\n15;C"),
              QStringList{QStringLiteral("ligne 4 : attendu montant;destinataire;lieu;date.")});
}

TEST(LireLot, TheFieldsOfALine) {
    const LotLu lot = LireLot(" 1 234,56 ; \"Dupont \"\"fils\"\"; cie \" ;Paris;05/03/2024\n"
                              "7;EDF\n");
    ASSERT_TRUE(lot.refus.isEmpty()) << lot.refus.join(u'\n').toStdString();
    ASSERT_EQ(lot.cheques.size(), 2);
    EXPECT_EQ(lot.cheques[0].montant, QStringLiteral("1 234,56"));
    EXPECT_EQ(lot.cheques[0].destinataire, QStringLiteral("Dupont \"fils\"; cie "));
    EXPECT_EQ(lot.cheques[0].lieu, QStringLiteral("Paris"));
    EXPECT_EQ(lot.cheques[0].date, QStringLiteral("05/03/2024"));
    EXPECT_TRUE(lot.cheques[1].lieu.isEmpty() && lot.cheques[1].date.isEmpty());

    for (const char* malForme : {"\"12\"3,00;Dupont", "12;\"Dupont", "12", "1;2;3;4;5"})
        EXPECT_EQ(Lus(malForme),
                  QStringList{QStringLiteral("ligne 1 : attendu montant;destinataire;lieu;date.")})
            << malForme;
}

TEST(LireLot, EncodingsAreReadOrRefusedNamingTheFirstBadLine) {
    const QString societe = QStringLiteral("1:Soci\u00E9t\u00E9 \u20AC");
    const struct {
        QByteArray octets;
        QStringList attendu;
    } cas[] = {
        {OCTETS("12;Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"), {societe}},
        {OCTETS("12;Soci\xE9t\xE9 \x80"), {societe}}, // Windows-1252
        {OCTETS("\xEF\xBB\xBF"
                "12;Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"),
         {societe}},
        {OCTETS("\xFF\xFE"
                "1\0002\000;\000S\000o\000c\000i\000\xE9\000t\000\xE9\000 \000\xAC\x20"),
         {societe}},
        {OCTETS("\xFE\xFF\0001\0002\000;\000S\000o\000c\000i\000\xE9\000t\000\xE9\000 \x20\xAC"),
         {societe}},
        // One stray byte in a UTF-8 file, before or after its accents.
        {OCTETS("12;Soci\xC3\xA9t\xC3\xA9\r\n13;Mar\xE9\r\n"), {Refus(2, "UTF-8")}},
        {OCTETS("12;Mar\xE9\r13;Soci\xC3\xA9t\xC3\xA9"), {Refus(1, "UTF-8")}},
        // The byte-order mark alone tells UTF-8: the amount is not read as "ï»¿12".
        {OCTETS("\xEF\xBB\xBF"
                "12;Mar\xE9"),
         {Refus(1, "UTF-8")}},
        // Overlong forms, surrogates, a sequence cut short are not UTF-8.
        {OCTETS("1;\xC3\xA9\n2;\xC0\xAF"), {Refus(2, "UTF-8")}},
        {OCTETS("1;\xC3\xA9\n\n2;\xED\xA0\x80"), {Refus(3, "UTF-8")}},
        {OCTETS("1;\xC3\xA9\n2;\xC3"), {Refus(2, "UTF-8")}},
        // A surrogate without its pair on line 2; a byte left alone at the end.
        {OCTETS("\xFF\xFE"
                "1\000;\000A\000\n\000"
                "2\000;\000\x00\xD8"),
         {Refus(2, "UTF-16")}},
        {OCTETS("\xFF\xFE"
                "1\000;\000A\000\r\000\n\000Z"),
         {Refus(2, "UTF-16")}},
        {OCTETS("\xFF\xFE\0\0"
                "1\0\0\0"),
         {QStringLiteral("le fichier est en UTF-32 ; enregistrez-le en UTF-8.")}},
    };
    for (const auto& [octets, attendu] : cas)
        EXPECT_EQ(Lus(octets), attendu) << octets.toHex(' ').toStdString();
}

TEST(LireLot, AControlCharacterInAFieldRefusesItsLineNamingFieldAndCharacter) {
    const QString fin = QStringLiteral(", qui ne s'imprime pas : retirez-le.");
    const struct {
        QByteArray octets;
        QString attendu;
    } cas[] = {
        {OCTETS("12,50;Dup\0ont"),
         QStringLiteral("ligne 1 : le destinataire contient un caractère de contrôle (U+0000)")},
        {OCTETS("montant;destinataire\n12\x1B;A"),
         QStringLiteral("ligne 2 : le montant contient un caractère de contrôle (U+001B)")},
        {OCTETS("12;A;\"Pa\tris\""),
         QStringLiteral("ligne 1 : le lieu contient un caractère de contrôle (U+0009)")},
        {OCTETS("12;A;Paris;05/03/2024\x7F"),
         QStringLiteral("ligne 1 : la date contient un caractère de contrôle (U+007F)")},
        // An undefined byte of Windows-1252 keeps its C1 control.
        {OCTETS("12;Soci\xE9t\x81"),
         QStringLiteral("ligne 1 : le destinataire contient un caractère de contrôle (U+0081)")},
    };
    for (const auto& [octets, attendu] : cas)
        EXPECT_EQ(Lus(octets), QStringList{attendu + fin}) << octets.toHex(' ').toStdString();

    // Blanks around a field are not part of it; a line separator becomes a
    // blank, as in any box of the program.
    EXPECT_EQ(Lus("12;\tEDF\t;\xE2\x80\xA8Paris"), QStringList{QStringLiteral("1:EDF")});
    EXPECT_EQ(LireLot("12;A\xE2\x80\xA8"
                      "B")
                  .cheques.value(0)
                  .destinataire,
              QStringLiteral("A B"));
}
