#include "settings/FichierIni.h"
#include "settings/Reglages.h"

#include <gtest/gtest.h>

namespace {

Reglages ReglagesComplets() {
    Reglages r;
    r.Devise = QStringLiteral("dollar");
    r.Centimes = QStringLiteral("cent");
    r.Liaison = QStringLiteral("and");
    r.EcrireCent = 1;
    r.Orientation = 2;
    r.Imprimante =
        QStringLiteral("Imprimante du bureau d'à côté, deuxième étage, près de la fenêtre");
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.TailleChiffre = 14;
    r.ChoixTailleChiffre = 2;
    r.Gras = 1;
    r.MargeHaute = -32768;
    r.MargeDroite = 32767;
    r.Montant = QStringLiteral("1 250,00");
    r.Ledestinataire = QStringLiteral("Société Générale");
    r.Raccourci = 117;
    r.Minimise = 1;
    r.MargeMX = -3;
    r.MargeMY = 4;
    r.MargeMLX = 5;
    r.MargeMLY = -6;
    r.MargeDEX = 7;
    r.MargeDEY = 8;
    r.MargeDAX = 9;
    r.MargeDAY = 10;
    r.MargeLIX = 11;
    r.MargeLIY = 12;
    r.MargeDLX = 13;
    r.Emission = 1;
    r.Journal = 1;
    r.Debiteur = 1;
    r.Encadrer = 1;
    r.Revenir = 1;
    r.RevenirDest = 1;
    return r;
}

} // namespace

TEST(Reglages, ASectionWrittenReadsBackIdenticallyThroughTheFileFormat) {
    DocumentIni doc;
    const Reglages ecrit = ReglagesComplets();
    EcrireReglages(doc, u"Defaut2", ecrit);
    Reglages lu;
    LireReglages(DocumentIni::DepuisOctets(doc.versOctets()), u"defaut2", lu);
    EXPECT_EQ(lu, ecrit);
}

TEST(Reglages, KeysStandInTheirWritingOrderWithNumbersAsTheFormatWants) {
    DocumentIni doc;
    EcrireReglages(doc, u"Defaut1", ReglagesComplets());
    const QStringList& l = doc.lignes();
    ASSERT_EQ(l.size(), 1 + NombreDeClesReglages());
    EXPECT_EQ(l[0], QStringLiteral("[Defaut1]"));
    EXPECT_EQ(l[1].section(u'=', 0, 0), QStringLiteral("Imprimante"));
    EXPECT_EQ(l[2], QStringLiteral("Orientation= 2"));
    EXPECT_EQ(l[8], QStringLiteral("MargeHaute=-32768"));
    EXPECT_EQ(l[15], QStringLiteral("MargeMX=-3"));
    EXPECT_EQ(l[16], QStringLiteral("MargeMLX= 5"));
    EXPECT_EQ(l[18], QStringLiteral("MargeMY= 4"));
    EXPECT_EQ(l[27], QStringLiteral("Débiteur= 1"));
    EXPECT_EQ(l[34], QStringLiteral("EcrireCent= 1"));
    EXPECT_EQ(TexteNombreIni(0), QStringLiteral(" 0"));
}

TEST(Reglages, NumbersThatCannotBeReadKeepTheirPreviousValue) {
    Reglages r;
    r.Taille = 12;
    r.Gras = 1;
    r.Orientation = 2;
    r.MargeMX = 7;
    r.Raccourci = 116;
    r.Police = QStringLiteral("Arial");
    const DocumentIni doc = DocumentIni::DepuisOctets(
        "[Defaut1]\r\nTaille=99999\r\nGras=300\r\nOrientation=\r\nMargeMX=abc\r\n"
        "Raccourci=-32769\r\nJournal=-1\r\nMinimise= 1 \r\nMargeMY=-32768\r\n"
        "MargeDLX=1.5\r\nMargeDEX=+4\r\n");
    LireReglages(doc, u"Defaut1", r);
    EXPECT_EQ(r.Taille, 12);
    EXPECT_EQ(r.Gras, 1);
    EXPECT_EQ(r.Orientation, 2);
    EXPECT_EQ(r.MargeMX, 7);
    EXPECT_EQ(r.Raccourci, 116);
    EXPECT_EQ(r.Journal, 0);
    EXPECT_EQ(r.Minimise, 1);
    EXPECT_EQ(r.MargeMY, -32768);
    EXPECT_EQ(r.MargeDLX, 0);
    EXPECT_EQ(r.MargeDEX, 4);
    // Strings take what was read, empty for a missing key.
    EXPECT_EQ(r.Police, QString());
}

TEST(Reglages, DefaultsAndDerivedValues) {
    Reglages r;
    r.Liaison = QStringLiteral("ET");
    AppliquerDevisesParDefaut(r);
    EXPECT_EQ(r.Devise, QStringLiteral("euro"));
    EXPECT_EQ(r.Centimes, QStringLiteral("centime"));
    EXPECT_EQ(r.Liaison, QStringLiteral("ET"));

    Reglages initiaux;
    AppliquerReglagesInitiaux(initiaux);
    EXPECT_EQ(initiaux.Police, QStringLiteral("Arial"));
    EXPECT_EQ(initiaux.Taille, 8);

    r.Gras = 1;
    EXPECT_EQ(MarqueGras(r), QStringLiteral("G"));
    r.Gras = 2;
    EXPECT_EQ(MarqueGras(r), QString());

    EXPECT_EQ(SectionDuChoix(1), QStringLiteral("Defaut1"));
    EXPECT_EQ(SectionDuChoix(2), QStringLiteral("Defaut2"));
    EXPECT_EQ(SectionDuChoix(0), QString());
    EXPECT_EQ(SectionDuChoix(9), QString());
}

TEST(NomTouche, NamesEveryShortcutOfTheListAndNothingElse) {
    const std::pair<int, const char*> table[] = {
        {116, "0F5"},  {117, "1F6"},  {118, "2F7"},  {119, "3F8"},  {120, "4F9"},
        {121, "5F10"}, {122, "6F11"}, {123, "7F12"}, {13, "8ENTR"}, {0, ""},
        {115, ""},     {124, ""},     {-116, ""},    {14, ""},
    };
    for (const auto& [code, nom] : table)
        EXPECT_EQ(NomTouche(code), QString::fromLatin1(nom)) << code;
}

// The keys of the words' form came later: a section without them reads as the
// words always were, whatever the choice read before; it writes back as it
// was, the new keys added at the end of its section.
TEST(Reglages, ASectionOlderThanTheWordsFormReadsAndWritesBackAsBefore) {
    DocumentIni ecrit;
    EcrireReglages(ecrit, u"Defaut1", ReglagesComplets());
    QByteArray ancien = "[Montants]\r\nMt0=12,00\r\n";
    QByteArray nouvellesCles;
    for (const QString& ligne : ecrit.lignes()) {
        const QString cle = ligne.section(u'=', 0, 0);
        const bool nouvelle = cle == u"Variante" || cle == u"Orthographe" ||
                              cle == u"SansCentimes" || cle == u"CompleterLigne";
        (nouvelle ? nouvellesCles : ancien) += ligne.toLatin1() + "\r\n";
    }
    ASSERT_EQ(nouvellesCles,
              "Variante= 0\r\nOrthographe= 0\r\nSansCentimes= 0\r\nCompleterLigne= 0\r\n");
    ancien += "[Lieu]\r\nLieu0=Paris\r\n";

    Reglages r;
    r.Variante = 2;
    r.Orthographe = 1;
    r.SansCentimes = 1;
    r.CompleterLigne = 1;
    DocumentIni doc = DocumentIni::DepuisOctets(ancien);
    LireReglages(doc, u"Defaut1", r);
    EXPECT_EQ(r, ReglagesComplets());
    EcrireReglages(doc, u"Defaut1", r);
    QByteArray attendu = ancien;
    attendu.insert(attendu.indexOf("[Lieu]"), nouvellesCles);
    EXPECT_EQ(doc.versOctets(), attendu);

    // Values they do not know read as the words always were too.
    r.Variante = 1;
    LireReglages(DocumentIni::DepuisOctets("[Defaut1]\r\nVariante= 3\r\nOrthographe=x\r\n"
                                           "CompleterLigne= 1\r\n"),
                 u"Defaut1", r);
    EXPECT_EQ(r.Variante, 0);
    EXPECT_EQ(r.Orthographe, 0);
    EXPECT_EQ(r.CompleterLigne, 1);
}
