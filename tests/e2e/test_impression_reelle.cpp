#include "PdfLu.h"
#include "PlateformeTest.h"
#include "impression/SurfaceImprimante.h"
#include "windows/AppScribane.h"
#include "windows/FrmCB.h"
#include "windows/PlateformeQt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kFile = QStringLiteral("ScribaneTest");

struct Decalages {
    int orientation = 1;
    int margeDroite = 0, margeHaute = 0;
    int mx = 0, my = 0, mlx = 0, mly = 0, dex = 0, dey = 0, lix = 0, liy = 0, dax = 0, day = 0;
    int dlx = 12;
};

void PrintTo(const Decalages& d, std::ostream* os) {
    *os << "orientation " << d.orientation << ", marges " << d.margeDroite << "/" << d.margeHaute;
}

QByteArray Section(const Decalages& d) {
    QByteArray s =
        "[Defaut1]\r\nImprimante=" + kFile.toLatin1() +
        "\r\nPolice=Arial\r\nTaille= 12\r\nOrientation= " + QByteArray::number(d.orientation) +
        "\r\n";
    const std::pair<const char*, int> valeurs[] = {{"MargeDroite", d.margeDroite},
                                                   {"MargeHaute", d.margeHaute},
                                                   {"MargeMX", d.mx},
                                                   {"MargeMY", d.my},
                                                   {"MargeMLX", d.mlx},
                                                   {"MargeMLY", d.mly},
                                                   {"MargeDEX", d.dex},
                                                   {"MargeDEY", d.dey},
                                                   {"MargeLIX", d.lix},
                                                   {"MargeLIY", d.liy},
                                                   {"MargeDAX", d.dax},
                                                   {"MargeDAY", d.day},
                                                   {"MargeDLX", d.dlx}};
    for (const auto& [cle, v] : valeurs)
        s += QByteArray(cle) + "=" + QByteArray::number(v) + "\r\n";
    return s;
}

// A settings folder with choice 1 in use, holding these positions.
bool PreparerDossier(const QTemporaryDir& dossier, const Decalages& d) {
    QFile f(dossier.filePath(QStringLiteral("Cheque.ini")));
    QFile c(dossier.filePath(QStringLiteral("Choix.cfg")));
    return f.open(QIODevice::WriteOnly) && f.write(Section(d)) > 0 &&
           c.open(QIODevice::WriteOnly) && c.write("1,1\r\n") > 0;
}

// Where each text must start on the page, in millimetres: the printable area's
// corner, the shift of the whole cheque, the text's own place.
struct Attendu {
    const char* mot;
    double x, y;
};

std::vector<Attendu> Positions(const Decalages& d, double gauche, double haut) {
    const double x0 = gauche + d.margeDroite, y0 = haut + d.margeHaute;
    return {{"MILLE", x0 + d.mlx + 50, y0 + d.mly + 15},
            // "1 234,56" once the amount is in its printed form
            {"1", x0 + d.mx + 130, y0 + d.my + 25},
            {"DUPONT", x0 + d.dex + 20, y0 + d.dey + 26},
            {"Paris", x0 + d.lix + 125, y0 + d.liy + 33},
            {"05/03/2024", x0 + d.dax + 129, y0 + d.day + 38}};
}

void Verifier(const PagePdf& page, const std::vector<Attendu>& attendus, double toleranceY) {
    for (const Attendu& a : attendus) {
        const MotPdf* m = page.mot(QString::fromUtf8(a.mot));
        ASSERT_NE(m, nullptr) << a.mot << " absent de la page";
        EXPECT_NEAR(m->x, a.x, 0.5) << a.mot;
        EXPECT_NEAR(m->y, a.y, toleranceY) << a.mot;
    }
    // The second line of the words, below the first, at its own left position.
    const MotPdf* premier = page.mot(QStringLiteral("MILLE"));
    const MotPdf* second = page.mot(QStringLiteral("CINQUANTE-SIX"));
    ASSERT_NE(second, nullptr);
    EXPECT_GT(second->y, premier->y + 3);
}

class ImpressionReelle : public ::testing::TestWithParam<Decalages> {
protected:
    void SetUp() override {
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kFile))
            << "la file " << kFile.toStdString() << " n'existe pas : la mise en place de CUPS a "
            << "échoué (voir le test FileCups.Demarrer)";
        QDir sortie(QStringLiteral(DOSSIER_PDF_CUPS));
        for (const QString& f : sortie.entryList(QDir::Files))
            sortie.remove(f);
    }
};

} // namespace

TEST_P(ImpressionReelle, TheMainWindowPrintsEachTextWhereTheSettingsPutIt) {
    const Decalages d = GetParam();
    QTemporaryDir dossier;
    ASSERT_TRUE(PreparerDossier(dossier, d));
    PlateformeTest plateforme;
    ImpressionQt impression;
    ImprimantesQt imprimantes; // the queue is installed for real
    AppScribane app(dossier.path(),
                    {plateforme.dialogues, imprimantes, plateforme.polices, plateforme.horloge,
                     plateforme.pressePapiers, plateforme.bureau, impression});
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.show();
    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(QStringLiteral("1234,56"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(QStringLiteral("DUPONT SA"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboL"))->setEditText(QStringLiteral("Paris"));
    fenetre.findChild<QDateEdit*>(QStringLiteral("DTP"))->setDate(QDate(2024, 3, 5));
    fenetre.findChild<QToolButton*>(QStringLiteral("Bouton_Kiv_XP4"))->click();
    ASSERT_TRUE(plateforme.dialogues.vus.isEmpty())
        << plateforme.dialogues.textes().join(u'\n').toStdString();

    QString erreur;
    auto imprimee = PageSortie(QStringLiteral(DOSSIER_PDF_CUPS), kFile, 60, &erreur);
    ASSERT_TRUE(imprimee) << erreur.toStdString();
    PagePdf& page = *imprimee;
    ASSERT_LT(page.largeur, page.hauteur); // the paper is A4 portrait either way
    if (d.orientation == 2) {
        // Landscape comes out turned on the paper: the words run upwards.
        const MotPdf* mot = page.mot(QStringLiteral("TRENTE-QUATRE"));
        ASSERT_NE(mot, nullptr);
        EXPECT_GT(mot->yMax - mot->y, mot->xMax - mot->x);
        page = RemettreEnPaysage(page);
    }
    const QPointF coin = CoinImprimable(kFile, d.orientation);
    // Ghostscript moves the top of the letters a little lower than drawn; x is exact.
    Verifier(page, Positions(d, coin.x(), coin.y()), 1.5);
}

TEST_P(ImpressionReelle, TheCommandLinePrintsTheSameChequeIntoAPdf) {
    const Decalages d = GetParam();
    QTemporaryDir dossier;
    ASSERT_TRUE(PreparerDossier(dossier, d));
    const QString pdf = dossier.filePath(QStringLiteral("cheque.pdf"));
    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI),
              {QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
               QStringLiteral("--montant"), QStringLiteral("1234,56"),
               QStringLiteral("--destinataire"), QStringLiteral("DUPONT SA"),
               QStringLiteral("--lieu"), QStringLiteral("Paris"), QStringLiteral("--date"),
               QStringLiteral("05/03/2024"), QStringLiteral("--pdf"), pdf});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    QString erreur;
    const PagePdf page = LirePdf(pdf, &erreur);
    ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
    EXPECT_EQ(page.largeur > page.hauteur, d.orientation == 2);
    // A PDF file has no unprintable margins.
    Verifier(page, Positions(d, 0, 0), 0.5);
    // The lists remember what was printed.
    QFile ini(dossier.filePath(QStringLiteral("Cheque.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("Dest0=DUPONT SA\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Positions, ImpressionReelle,
    ::testing::Values(Decalages{}, Decalages{1, 10, 5, -3, 2, 4, -1, 6, 4, 7, 3, -2, 2, 30},
                      Decalages{2, 20, 8, 5, 0, 0, 3, 0, 0, 0, 0, 10, 0, 12}),
    [](const ::testing::TestParamInfo<Decalages>& info) {
        return std::string(info.index == 0 ? "ParDefaut" : info.index == 1 ? "Decale" : "Paysage");
    });

TEST(CommandeImprimer, RefusesInFrenchWhatTheWindowRefuses) {
    QTemporaryDir dossier;
    const std::pair<QString, const char*> cas[] = {
        {QStringLiteral("abc"), "ne peut pas être écrit en lettres"},
        {QStringLiteral("-3"), "ne peut pas être écrit en lettres"},
        // Three decimals: the words would read them as cents.
        {QStringLiteral("12,345"), "ne peut pas être écrit en lettres"},
        {QString(), "Aucun texte n'est à imprimer !"},
    };
    for (const auto& [montant, message] : cas) {
        QProcess cli;
        cli.start(QStringLiteral(SCRIBANE_CLI),
                  {QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
                   QStringLiteral("--montant"), montant, QStringLiteral("--destinataire"),
                   QStringLiteral("X"), QStringLiteral("--pdf"),
                   dossier.filePath(QStringLiteral("x.pdf"))});
        ASSERT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 1) << montant.toStdString();
        EXPECT_TRUE(
            QString::fromUtf8(cli.readAllStandardError()).contains(QString::fromUtf8(message)))
            << montant.toStdString();
        EXPECT_FALSE(QFile::exists(dossier.filePath(QStringLiteral("x.pdf"))));
    }
}
