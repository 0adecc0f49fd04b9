#include "Fichiers.h"
#include "settings/Cp1252.h"
#include "settings/FichierIni.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Cp1252, EveryByteComesBackUnchanged) {
    QByteArray tous;
    for (int i = 0; i < 256; ++i)
        tous.append(static_cast<char>(i));
    EXPECT_EQ(EncoderCp1252(DecoderCp1252(tous)), tous);
}

TEST(Cp1252, FrenchAccentsAndTheEuroSign) {
    const QByteArray octets("Soci\xe9t\xe9 G\xe9n\xe9rale \x80 \x9c");
    EXPECT_EQ(DecoderCp1252(octets), QStringLiteral("Société Générale € œ"));
    EXPECT_EQ(EncoderCp1252(u"Débiteur"), QByteArray("D\xe9"
                                                     "biteur"));
}

TEST(Cp1252, CharactersOutsideTheCodePage) {
    // Digit grouping blanks of other systems become the no-break space.
    EXPECT_EQ(EncoderCp1252(u"1\u202F250,00"), QByteArray("1\xa0"
                                                          "250,00"));
    EXPECT_EQ(EncoderCp1252(u"\u4e2d"), QByteArray("?"));
    EXPECT_FALSE(RepresentableCp1252(u"\u4e2d"));
    EXPECT_TRUE(RepresentableCp1252(u"àéèêëîïôùûüç€"));
}

TEST(DocumentIni, ReadsSectionsAndKeysWithoutRegardToCaseAndTrimsValues) {
    const DocumentIni doc =
        DocumentIni::DepuisOctets("; comment\r\n[defaut1]\r\n  Taille  =   12  "
                                  "\r\nPolice=Arial\r\n[Defaut2]\r\nTaille=9\r\n");
    bool trouvee = false;
    EXPECT_EQ(doc.valeur(u"DEFAUT1", u"taille", &trouvee), QStringLiteral("12"));
    EXPECT_TRUE(trouvee);
    EXPECT_EQ(doc.valeur(u"Defaut2", u"Taille"), QStringLiteral("9"));
    EXPECT_EQ(doc.valeur(u"Defaut2", u"Police", &trouvee), QString());
    EXPECT_FALSE(trouvee);
    EXPECT_EQ(doc.valeur(u"Absente", u"Taille"), QString());
}

TEST(DocumentIni, LongValuesComeBackWhole) {
    const QString longue(70, u'x');
    const QString tresLongue(100000, u'y');
    DocumentIni doc;
    doc.ecrire(u"Defaut1", u"Imprimante", longue);
    doc.ecrire(u"Defaut1", u"Ledestinataire", tresLongue);
    const DocumentIni relu = DocumentIni::DepuisOctets(doc.versOctets());
    EXPECT_EQ(relu.valeur(u"Defaut1", u"Imprimante"), longue);
    EXPECT_EQ(relu.valeur(u"Defaut1", u"Ledestinataire"), tresLongue);
}

TEST(DocumentIni, WritesKeysInPlaceAtTheEndOfTheirSectionOrInANewSection) {
    DocumentIni doc = DocumentIni::DepuisOctets("[A]\r\nUn=1\r\n\r\n[B]\r\nDeux=2\r\n");
    doc.ecrire(u"a", u"UN", u"10");   // in place, keeping the file's spelling of the key
    doc.ecrire(u"A", u"Trois", u"3"); // after the last key, before the blank line
    doc.ecrire(u"C", u"Quatre", u"4");
    EXPECT_EQ(doc.versOctets(),
              QByteArray("[A]\r\nUn=10\r\nTrois=3\r\n\r\n[B]\r\nDeux=2\r\n[C]\r\nQuatre=4\r\n"));
}

TEST(DocumentIni, AValueNeverSplitsALine) {
    DocumentIni doc;
    doc.ecrire(u"Defaut1", u"Devise", u"euro\r\n[Defaut2]\nTaille=99");
    EXPECT_EQ(doc.lignes(), (QStringList{QStringLiteral("[Defaut1]"),
                                         QStringLiteral("Devise=euro  [Defaut2] Taille=99")}));
}

TEST(DocumentIni, DamagedContentIsSkippedNotFatal) {
    QByteArray octets("[Defaut1\r\nTaille=1\r\n[Defaut1]\r\nligne sans egal\r\n=sans cle\r\n");
    octets += QByteArray("Po\0lice=X\r\n", 11);
    octets += "Taille=12\r\nTaille=13\r\n[defaut1]\r\nTaille=14\r\nFin=LF seul\nDernier=sans fin";
    const DocumentIni doc = DocumentIni::DepuisOctets(octets);
    // A header without "]" opens no section; the first of duplicate sections
    // and keys is the one read.
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Taille"), QStringLiteral("12"));
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Police"), QString());
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Dernier"), QString());
    EXPECT_EQ(doc.valeur(u"defaut1", u"Fin"), QString());
    EXPECT_EQ(doc.lignes().size(), 12);
    EXPECT_EQ(doc.lignes()[9], QStringLiteral("Taille=14"));
    EXPECT_EQ(doc.lignes()[10], QStringLiteral("Fin=LF seul"));
}

TEST(EcrireIni, CreatesTheFileThenRewritesAtomicallyInCp1252WithCrLf) {
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("Cheque.ini"));
    ASSERT_TRUE(EcrireIni(QStringLiteral("Defaut1"), QStringLiteral("Débiteur"),
                          QStringLiteral(" 1"), chemin));
    ASSERT_TRUE(EcrireIni(QStringLiteral("Destinataires"), QStringLiteral("Dest0"),
                          QStringLiteral("Société Générale"), chemin));
    EXPECT_EQ(LireOctets(chemin), QByteArray("[Defaut1]\r\nD\xe9"
                                             "biteur= 1\r\n[Destinataires]\r\nDest0=Soci\xe9t\xe9 "
                                             "G\xe9n\xe9rale\r\n"));
    EXPECT_EQ(LireIni(QStringLiteral("DEFAUT1"), QStringLiteral("débiteur"), chemin),
              QStringLiteral("1"));
    EXPECT_EQ(LireIni(QStringLiteral("Defaut1"), QStringLiteral("X"), dir.filePath("absent")),
              QString());
    // No scratch file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Cheque.ini")});
}

TEST(EcrireIni, AFailedWriteIsReportedAndLeavesTheFileWhole) {
    QTemporaryDir dir;
    // A folder standing where the file should be: the rename at the end of the
    // write cannot succeed, even for the super-user.
    const QString chemin = dir.filePath(QStringLiteral("Cheque.ini"));
    ASSERT_TRUE(QDir().mkpath(chemin + QStringLiteral("/occupe")));
    const auto ecrit =
        EcrireIni(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), chemin);
    EXPECT_FALSE(ecrit);
    EXPECT_TRUE(ecrit.raison().contains(QStringLiteral("Cheque.ini")))
        << ecrit.raison().toStdString();
}
