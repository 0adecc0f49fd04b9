#include "settings/EtatChoix.h"
#include "settings/FichierIni.h"
#include "settings/Listes.h"

#include <gtest/gtest.h>

TEST(ChoixCfg, ReadsTwoNumbersAndRefusesAnythingElse) {
    struct Cas {
        QByteArray contenu;
        std::optional<ValeursChoix> attendu;
    };
    QByteArray milleLignes = "2,3\r\n";
    for (int i = 0; i < 1000; ++i)
        milleLignes += "1,1\r\n";
    const Cas cas[] = {
        {"1,3\r\n", ValeursChoix{1, 3}}, {" 2 , 1 ", ValeursChoix{2, 1}},
        {"0,0", ValeursChoix{0, 0}},     {milleLignes, ValeursChoix{2, 3}},
        {"9,9\r\n", std::nullopt},       {"1,4\r\n", std::nullopt},
        {"-1,1\r\n", std::nullopt},      {"256,1\r\n", std::nullopt},
        {"abc\r\n", std::nullopt},       {"", std::nullopt},
        {"1\r\n", std::nullopt},         {"1,2,3\r\n", std::nullopt},
        {"\r\n1,1\r\n", std::nullopt},   {QByteArray("1\0,1", 4), std::nullopt},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(AnalyserChoixCfg(c.contenu), c.attendu) << c.contenu.left(20).toStdString();
    EXPECT_EQ(TexteChoixCfg({1, 3}), QByteArray("1,3\r\n"));
}

TEST(ChoixCfg, RebuiltFromTheSectionsOfTheSettingsFile) {
    EXPECT_EQ(ChoixDApresSections(DocumentIni::DepuisOctets("[Defaut2]\r\n[defaut1]\r\n")),
              (ValeursChoix{1, 3}));
    EXPECT_EQ(ChoixDApresSections(DocumentIni::DepuisOctets("[Lieu]\r\n[Defaut2]\r\n")),
              (ValeursChoix{2, 2}));
    EXPECT_EQ(ChoixDApresSections(DocumentIni::DepuisOctets("[Defaut]\r\n[Montants]\r\n")),
              std::nullopt);
}

TEST(ChoixCfg, SavingTheChoiceInUseUpdatesTheMask) {
    struct Cas {
        std::uint8_t courant, avant, apres;
    };
    const Cas cas[] = {{1, 0, 1}, {2, 0, 2}, {1, 1, 1}, {2, 1, 3}, {1, 2, 3}, {2, 3, 3}};
    for (const Cas& c : cas) {
        EtatChoix e{c.courant, c.avant, 1};
        MarquerChoixEnregistre(e);
        EXPECT_EQ(e.ChoixEnregistres, c.apres) << int(c.courant) << "/" << int(c.avant);
        EXPECT_EQ(e.ChoixCourant, c.courant);
    }
}

TEST(ChoixCfg, LeavingTheConfigurationFollowsWhatWasSaved) {
    struct Cas {
        std::uint8_t courant, enregistres, courantApres;
        bool reecrire;
    };
    const Cas cas[] = {
        {2, 1, 1, true}, {1, 2, 2, true}, {2, 3, 2, true}, {1, 3, 1, true}, {2, 0, 2, false}};
    for (const Cas& c : cas) {
        EtatChoix e{c.courant, c.enregistres, 1};
        EXPECT_EQ(ChoixEnQuittantConfiguration(e), c.reecrire);
        EXPECT_EQ(e.ChoixCourant, c.courantApres);
    }
}

TEST(Listes, ScanningFindsEntriesInAnySectionByTheirPrefixWithCase) {
    const QStringList lignes = {
        QStringLiteral("[Montants]"),      QStringLiteral("Mt0=1 250,00"),
        QStringLiteral("mt1=ignored"),     QStringLiteral("Mt sans egal"),
        QStringLiteral("[Destinataires]"), QStringLiteral("Dest3=A=B"),
        QStringLiteral("Dest4="),          QStringLiteral("[Lieu]"),
        QStringLiteral("Lieu0=Paris"),     QStringLiteral("[Defaut1]"),
        QStringLiteral("Montant=100,00"),  QStringLiteral("Lieu1=Lyon"),
    };
    const ListesMemorisees l = ScannerListes(lignes);
    EXPECT_EQ(l.montants,
              (QStringList{QStringLiteral("1 250,00"), QStringLiteral("Mt sans egal")}));
    // An entry holding "=" keeps it: only the first "=" ends the key.
    EXPECT_EQ(l.destinataires, (QStringList{QStringLiteral("A=B"), QString()}));
    EXPECT_EQ(l.lieux, (QStringList{QStringLiteral("Paris"), QStringLiteral("Lyon")}));
}

TEST(Listes, PurgeKeepsSectionsAndEverythingElse) {
    const QStringList lignes = {QStringLiteral("[Defaut1]"),   QStringLiteral("Taille= 8"),
                                QStringLiteral("[Montants]"),  QStringLiteral("Mt0=1"),
                                QStringLiteral("mt=kept"),     QStringLiteral("[Lieu]"),
                                QStringLiteral("Lieu0=Paris"), QStringLiteral("Destin")};
    EXPECT_EQ(PurgerListes(lignes),
              (QStringList{QStringLiteral("[Defaut1]"), QStringLiteral("Taille= 8"),
                           QStringLiteral("[Montants]"), QStringLiteral("mt=kept"),
                           QStringLiteral("[Lieu]")}));
}

TEST(Listes, RewritingPutsEachListInItsSectionAndReadsBack) {
    QStringList lignes = {QStringLiteral("[Montants]"),
                          QStringLiteral("Mt0=vieux"),
                          QStringLiteral(""),
                          QStringLiteral("[Defaut1]"),
                          QStringLiteral("Taille= 8"),
                          QStringLiteral("[Destinataires]"),
                          QStringLiteral("Dest0=ancien")};
    ListesMemorisees l;
    l.montants = {QStringLiteral("1 250,00"), QStringLiteral("250,00")};
    l.destinataires = {};
    l.lieux = {QStringLiteral("Nîmes\r\n[Defaut1]\nTaille=99")};
    EcrireListes(lignes, l);
    EXPECT_EQ(lignes, (QStringList{QStringLiteral("[Montants]"), QStringLiteral("Mt0=1 250,00"),
                                   QStringLiteral("Mt1=250,00"), QStringLiteral(""),
                                   QStringLiteral("[Defaut1]"), QStringLiteral("Taille= 8"),
                                   QStringLiteral("[Destinataires]"), QStringLiteral("[Lieu]"),
                                   QStringLiteral("Lieu0=Nîmes  [Defaut1] Taille=99")}));
    const ListesMemorisees relu = ScannerListes(lignes);
    EXPECT_EQ(relu.montants, l.montants);
    EXPECT_TRUE(relu.destinataires.isEmpty());
    EXPECT_EQ(relu.lieux.size(), 1);
}

TEST(Listes, ConversionRenamesOnlyTheExactFormerHeader) {
    const QStringList avant = {QStringLiteral("[Defaut]"), QStringLiteral("Taille= 8"),
                               QStringLiteral("[Defaut] "), QStringLiteral("[defaut]"),
                               QStringLiteral("Mt0=[Defaut]")};
    QStringList attendu = avant;
    attendu[0] = QStringLiteral("[Defaut1]");
    EXPECT_EQ(ConvertirLignesAnciennes(avant), attendu);
}

TEST(Listes, ListsAndKeysMeetInTheFirstSectionOfTheNameWhateverItsCase) {
    DocumentIni doc(QStringList{QStringLiteral("[ montants ]"), QStringLiteral("Note=a"),
                                QStringLiteral(""), QStringLiteral("[MONTANTS]"),
                                QStringLiteral("Mt0=x")});
    doc.ecrire(u"Montants", u"Cle", u"v");
    ListesMemorisees l;
    l.montants = {QStringLiteral("1,00")};
    EcrireListes(doc.lignes(), l);
    EXPECT_EQ(doc.lignes(), (QStringList{QStringLiteral("[ montants ]"), QStringLiteral("Note=a"),
                                         QStringLiteral("Cle=v"), QStringLiteral("Mt0=1,00"),
                                         QStringLiteral(""), QStringLiteral("[MONTANTS]")}));
}
