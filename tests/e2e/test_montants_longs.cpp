#include "PdfLu.h"
#include "PlateformeTest.h"
#include "impression/SurfaceImprimante.h"
#include "windows/AppScribane.h"
#include "windows/FrmCB.h"
#include "windows/PlateformeQt.h"
#include "words/MontantEnLettres.h"
#include "words/MontantTexte.h"

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

#include <algorithm>

namespace {

const QString kFile = QStringLiteral("ScribaneTest");
constexpr int kMargeDroite = 10, kMargeHaute = 30;

// Choice 1 on the test queue: portrait, Liberation Sans 12, the cheque 10 mm
// from the left and 30 mm from the top of the printable area.
bool PreparerDossier(const QTemporaryDir& dossier) {
    QFile f(dossier.filePath(QStringLiteral("Cheque.ini")));
    QFile c(dossier.filePath(QStringLiteral("Choix.cfg")));
    const QByteArray section = "[Defaut1]\r\nImprimante=" + kFile.toLatin1() +
                               "\r\nPolice=Liberation Sans\r\nTaille= 12\r\nOrientation= 1\r\n"
                               "MargeDroite= 10\r\nMargeHaute= 30\r\n";
    return f.open(QIODevice::WriteOnly) && f.write(section) > 0 && c.open(QIODevice::WriteOnly) &&
           c.write("1,1\r\n") > 0;
}

// The words of the amount as the page reads them: the words' two lines (from
// 13 mm below the cheque's top to above the figures), line by line, left to right.
QStringList MotsLus(const PagePdf& page, double haut) {
    QVector<MotPdf> mots;
    for (const MotPdf& m : page.mots)
        if (m.y >= haut + 13 && m.y < haut + 24)
            mots.append(m);
    std::sort(mots.begin(), mots.end(), [](const MotPdf& a, const MotPdf& b) {
        if (std::abs(a.y - b.y) > 1.5)
            return a.y < b.y;
        return a.x < b.x;
    });
    QStringList textes;
    for (const MotPdf& m : mots)
        textes.append(m.texte);
    return textes;
}

void Verifier(const PagePdf& page, const QString& montant, QPointF origine) {
    const QString lettres =
        MontantEnLettres(FormaterMontant(*LireMontant(montant)), u"euro", u"centime", u"et", false)
            .lettres;
    EXPECT_EQ(MotsLus(page, origine.y()).join(u' '), lettres);
    const double bord = origine.x() + 175;
    double plusADroite = 0;
    for (const MotPdf& m : page.mots) {
        EXPECT_LE(m.xMax, bord) << m.texte.toStdString() << " passe le bord droit du chèque";
        plusADroite = std::max(plusADroite, m.xMax);
    }
    std::printf("[ bord ] %s : le texte finit à %.1f mm du bord droit du chèque\n",
                qPrintable(montant), bord - plusADroite);
}

class MontantLong : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kFile))
            << "la file " << kFile.toStdString() << " n'existe pas (voir FileCups.Demarrer)";
        QDir sortie(QStringLiteral(DOSSIER_PDF_CUPS));
        for (const QString& f : sortie.entryList(QDir::Files))
            sortie.remove(f);
    }
};

} // namespace

TEST_P(MontantLong, TheWordsPrintWholeAndInsideTheCheque) {
    const QString montant = QString::fromUtf8(GetParam());
    QTemporaryDir dossier;
    ASSERT_TRUE(PreparerDossier(dossier));
    PlateformeTest plateforme;
    ImpressionQt impression;
    ImprimantesQt imprimantes; // the queue is installed for real
    AppScribane app(dossier.path(),
                    {plateforme.dialogues, imprimantes, plateforme.polices, plateforme.horloge,
                     plateforme.pressePapiers, plateforme.bureau, impression});
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.show();
    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(montant);
    fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(QStringLiteral("DUPONT"));
    fenetre.findChild<QDateEdit*>(QStringLiteral("DTP"))->setDate(QDate(2024, 3, 5));
    fenetre.findChild<QToolButton*>(QStringLiteral("Bouton_Kiv_XP4"))->click();
    ASSERT_TRUE(plateforme.dialogues.vus.isEmpty())
        << plateforme.dialogues.textes().join(u'\n').toStdString();

    QString erreur;
    const auto imprimee = PageSortie(QStringLiteral(DOSSIER_PDF_CUPS), kFile, 60, &erreur);
    ASSERT_TRUE(imprimee) << erreur.toStdString();
    const PagePdf& page = *imprimee;
    const QPointF coin = CoinImprimable(kFile);
    Verifier(page, montant, coin + QPointF(kMargeDroite, kMargeHaute));
}

TEST_P(MontantLong, TheCommandLinePrintsThemTheSameWay) {
    const QString montant = QString::fromUtf8(GetParam());
    QTemporaryDir dossier;
    ASSERT_TRUE(PreparerDossier(dossier));
    const QString pdf = dossier.filePath(QStringLiteral("cheque.pdf"));
    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI),
              {QStringLiteral("imprimer"), QStringLiteral("--dossier"), dossier.path(),
               QStringLiteral("--montant"), montant, QStringLiteral("--destinataire"),
               QStringLiteral("DUPONT"), QStringLiteral("--pdf"), pdf});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    QString erreur;
    const PagePdf page = LirePdf(pdf, &erreur);
    ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
    Verifier(page, montant, QPointF(kMargeDroite, kMargeHaute)); // a PDF has no margins
}

INSTANTIATE_TEST_SUITE_P(Montants, MontantLong,
                         ::testing::Values("97 997,97", "777 777 777 777,77"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.index == 0 ? "Milliers" : "Milliards");
                         });
