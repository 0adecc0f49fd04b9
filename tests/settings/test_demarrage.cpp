#include "settings/AnalyseDemarrage.h"

#include "Fichiers.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A file left out of a case is not created; a null Choix.cfg stands for a
// folder holding its name.
struct Cas {
    const char* titre;
    const char* choix;
    const char* cheque;
    CasDemarrage attendu;
    ValeursChoix valeurs;
};

constexpr char kDossier[] = "\x01";

} // namespace

TEST(AnalyseDemarrage, EachFolderStateGivesItsCaseAndTouchesNothing) {
    const Cas cas[] = {
        {"empty folder", nullptr, nullptr, CasDemarrage::PremierLancement, {}},
        {"unreadable choice, no settings", "9,9\r\n", nullptr, CasDemarrage::PremierLancement, {}},
        {"choice without settings", "2,3\r\n", nullptr, CasDemarrage::ChoixLu, {2, 3}},
        {"no choice yet beside a former file",
         "0,0\r\n",
         "[Defaut]\r\nTaille= 9\r\n",
         CasDemarrage::ChoixLu,
         {0, 0}},
        {"former file alone",
         nullptr,
         "[Defaut]\r\nTaille= 9\r\n",
         CasDemarrage::AncienFichier,
         {}},
        {"current layout without Choix.cfg",
         nullptr,
         "[Defaut1]\r\nTaille= 9\r\n",
         CasDemarrage::AncienFichier,
         {}},
        {"damaged choice beside a former file",
         "abc",
         "[Defaut]\r\nTaille= 9\r\n",
         CasDemarrage::AncienFichier,
         {}},
        {"damaged choice, second choice saved",
         "\xff\xfe",
         "[defaut2]\r\nTaille= 9\r\n",
         CasDemarrage::ChoixRefait,
         {2, 2}},
        {"damaged choice, both saved",
         "1,7\r\n",
         "[Defaut2]\r\n[Montants]\r\n[Defaut1]\r\n",
         CasDemarrage::ChoixRefait,
         {1, 3}},
        {"folder named Choix.cfg", kDossier, "[Defaut1]\r\n", CasDemarrage::ChoixRefait, {1, 1}},
    };
    for (const Cas& c : cas) {
        QTemporaryDir dir;
        const CheminsScribane chemins{dir.path()};
        if (c.choix == kDossier)
            QDir().mkpath(chemins.choix());
        else if (c.choix)
            EcrireOctets(chemins.choix(), c.choix);
        if (c.cheque)
            EcrireOctets(chemins.cheque(), c.cheque);
        const QStringList avant =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        const AnalyseDemarrage analyse = AnalyserDemarrage(chemins);
        EXPECT_EQ(int(analyse.cas), int(c.attendu)) << c.titre;
        if (c.attendu == CasDemarrage::ChoixLu || c.attendu == CasDemarrage::ChoixRefait) {
            EXPECT_EQ(analyse.valeurs, c.valeurs) << c.titre;
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), avant)
            << c.titre;
        if (c.choix && c.choix != kDossier) {
            EXPECT_EQ(LireOctets(chemins.choix()), QByteArray(c.choix)) << c.titre;
        }
    }
}

TEST(AnalyseDemarrage, PreparingTheFolderRecoversAnInterruptedRewriteBeforeItIsRead) {
    QTemporaryDir dir;
    const CheminsScribane chemins{dir.path()};
    EcrireOctets(chemins.tmpCheque(), "[Defaut2]\r\nTaille= 9\r\n");
    EcrireOctets(chemins.choix(), "garbage");
    PreparerDossier(chemins);
    EXPECT_TRUE(QFileInfo(chemins.journaux()).isDir());
    EXPECT_FALSE(QFileInfo::exists(chemins.tmpCheque()));
    const AnalyseDemarrage analyse = AnalyserDemarrage(chemins);
    EXPECT_EQ(analyse.cas, CasDemarrage::ChoixRefait);
    EXPECT_EQ(analyse.valeurs, (ValeursChoix{2, 2}));
}
