#include "windows/AppScribane.h"
#include "windows/EssaiAlignement.h"
#include "windows/FrmCB.h"
#include "Montage.h"
#include "PdfLu.h"
#include "windows/PlateformeQt.h"
#include "PlateformeTest.h"
#include "impression/SurfaceImprimante.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace {

const QString kFile = QStringLiteral("ScribaneTest");

// Choice 1 in use, the journal kept, texts moved from their usual places.
const QByteArray kCheque = "[Defaut1]\r\nImprimante=ScribaneTest\r\nPolice=Arial\r\nTaille= "
                           "12\r\nOrientation= 1\r\nJournal= 1\r\nMargeDroite=10\r\nMargeHaute="
                           "6\r\nMargeMX=-3\r\nMargeDEX=4\r\nMargeDEY=2\r\nMargeLIY=-3\r\nMargeDAX="
                           "-2\r\nMargeDLX=12\r\n";

bool PreparerDossier(const QTemporaryDir& dossier) {
    QFile f(dossier.filePath(QStringLiteral("Cheque.ini")));
    QFile c(dossier.filePath(QStringLiteral("Choix.cfg")));
    return f.open(QIODevice::WriteOnly) && f.write(kCheque) > 0 && c.open(QIODevice::WriteOnly) &&
           c.write("1,1\r\n") > 0;
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// "Enregistrer en PDF…" from the window: the five texts at the millimetres the
// settings give (a PDF has no unprintable margin), and the journal written.
TEST(EnregistrerPdf, TheWindowsPdfHoldsTheTextsWhereTheSettingsPutThem) {
    QTemporaryDir dossier;
    ASSERT_TRUE(PreparerDossier(dossier));
    PlateformeTest plateforme;
    ImpressionQt impression;
    AppScribane app(dossier.path(),
                    {plateforme.dialogues, plateforme.imprimantes, plateforme.polices,
                     plateforme.horloge, plateforme.pressePapiers, plateforme.bureau, impression});
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.show();
    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(QStringLiteral("1234,56"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(QStringLiteral("DUPONT SA"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboL"))->setEditText(QStringLiteral("Paris"));
    fenetre.findChild<QDateEdit*>(QStringLiteral("DTP"))->setDate(QDate(2024, 3, 5));
    const QString pdf = dossier.filePath(QStringLiteral("sortie.pdf"));
    plateforme.dialogues.reponsesFichier.enqueue(pdf);
    fenetre.findChild<QAction*>(QStringLiteral("mnuPdf"))->trigger();

    QString erreur;
    ASSERT_TRUE(plateforme.dialogues.vus.size() == 1) // the save dialog alone
        << plateforme.dialogues.textes().join(u'\n').toStdString();
    const PagePdf page = LirePdf(pdf, &erreur);
    ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
    const struct {
        const char* mot;
        double x, y;
    } attendus[] = {{"MILLE", 10 + 50, 6 + 15},
                    {"1", 10 - 3 + 130, 6 + 25},
                    {"DUPONT", 10 + 4 + 20, 6 + 2 + 26},
                    {"Paris", 10 + 125, 6 - 3 + 33},
                    {"05/03/2024", 10 - 2 + 129, 6 + 38}};
    for (const auto& a : attendus) {
        const MotPdf* m = page.mot(QString::fromUtf8(a.mot));
        ASSERT_NE(m, nullptr) << a.mot;
        EXPECT_NEAR(m->x, a.x, 0.5) << a.mot;
        EXPECT_NEAR(m->y, a.y, 0.5) << a.mot;
    }
    EXPECT_TRUE(Lire(dossier.filePath(QStringLiteral("Journaux/Journal_2024_03_05.txt")))
                    .contains("1 234,56 Euros"));
}

// A payee past the cheque: the command line refuses, says which text and by
// how much, and leaves the lists and the journal as they were; --forcer prints.
TEST(CommandeImprimer, RefusesATextPastTheChequeUnlessForced) {
    QTemporaryDir dossier;
    ASSERT_TRUE(PreparerDossier(dossier));
    const QByteArray avant = Lire(dossier.filePath(QStringLiteral("Cheque.ini")));
    const QString pdf = dossier.filePath(QStringLiteral("cheque.pdf"));
    const QStringList arguments{
        QStringLiteral("imprimer"),  QStringLiteral("--dossier"), dossier.path(),
        QStringLiteral("--montant"), QStringLiteral("12"),        QStringLiteral("--destinataire"),
        QString(60, u'W'),           QStringLiteral("--pdf"),     pdf};
    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI), arguments);
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_NE(cli.exitCode(), 0);
    const QString refus = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_TRUE(refus.contains(QStringLiteral("« Destinataire » empiète sur « Montant en "
                                              "chiffres » de ")))
        << refus.toStdString();
    EXPECT_TRUE(refus.contains(QStringLiteral("--forcer")));
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(
        QFileInfo::exists(dossier.filePath(QStringLiteral("Journaux"))) &&
        !QDir(dossier.filePath(QStringLiteral("Journaux"))).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Lire(dossier.filePath(QStringLiteral("Cheque.ini"))), avant);

    cli.start(QStringLiteral(SCRIBANE_CLI), arguments + QStringList{QStringLiteral("--forcer")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo::exists(pdf));
}

// The alignment page through the CUPS test queue, read back as a picture of
// ten pixels a millimetre: each cross at its text's position and the
// outline's corners where the margins put them, to half a millimetre.
TEST(PageAlignementImprimee, CrossesAndOutlineComeOutWhereTheSettingsPutThem) {
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kFile));
    QDir sortie(QStringLiteral(DOSSIER_PDF_CUPS));
    for (const QString& f : sortie.entryList(QDir::Files))
        sortie.remove(f);
    QTemporaryDir dossier;
    PlateformeTest plateforme;
    ImpressionQt impression;
    AppScribane app(dossier.path(),
                    {plateforme.dialogues, plateforme.imprimantes, plateforme.polices,
                     plateforme.horloge, plateforme.pressePapiers, plateforme.bureau, impression});
    Reglages r;
    r.Imprimante = kFile;
    r.Police = QStringLiteral("Arial");
    r.Taille = 12;
    r.Orientation = 1;
    r.MargeDroite = 10, r.MargeHaute = 6;
    r.MargeMX = -3, r.MargeDEX = 4, r.MargeDEY = 2, r.MargeLIY = -3, r.MargeDAX = -2;
    r.MargeDLX = 12;
    ImprimerPageAlignement(app, nullptr, r, false);
    ASSERT_TRUE(plateforme.dialogues.vus.isEmpty())
        << plateforme.dialogues.textes().join(u'\n').toStdString();

    const QString pdf = AttendrePdf(QStringLiteral(DOSSIER_PDF_CUPS), kFile, 60);
    ASSERT_FALSE(pdf.isEmpty()) << "aucun PDF sorti de la file en 60 s";
    QTemporaryDir images;
    const QString racine = images.filePath(QStringLiteral("page"));
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QStringLiteral("254"),
                           QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, racine}),
        0);
    const QImage page(racine + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());

    QPrinter p(QPrinterInfo::printerInfo(kFile), QPrinter::HighResolution);
    p.setPageSize(QPageSize(QPageSize::A4));
    const QMarginsF m = p.pageLayout().minimumMargins();
    const double unite = p.pageLayout().units() == QPageLayout::Millimeter ? 1.0 : 25.4 / 72.0;
    const double ox = m.left() * unite + 10, oy = m.top() * unite + 6;
    auto encre = [&](double x, double y) {
        return QColor(page.pixel(qRound(x * 10), qRound(y * 10))).lightness() < 160;
    };
    const std::pair<double, double> croix[] = {
        {50, 15}, {130 - 3, 25}, {20 + 4, 26 + 2}, {125, 33 - 3}, {129 - 2, 38}};
    for (const auto& [cx, cy] : croix) {
        SCOPED_TRACE(testing::Message() << cx << ", " << cy);
        const double x = ox + cx, y = oy + cy;
        EXPECT_TRUE(encre(x - 1.5, y));
        EXPECT_FALSE(encre(x - 1.5, y - 0.5));
        EXPECT_FALSE(encre(x - 1.5, y + 0.5));
        EXPECT_TRUE(encre(x, y - 1.5));
        EXPECT_FALSE(encre(x - 0.5, y - 1.5));
        EXPECT_FALSE(encre(x + 0.5, y - 1.5));
    }
    // the outline: left and right edges between two ticks, top and bottom edges
    for (const auto& [x, y, dx, dy] : {std::tuple{ox, oy + 35.5, 0.5, 0.0},
                                       {ox + 175, oy + 35.5, 0.5, 0.0},
                                       {ox + 85.5, oy, 0.0, 0.5},
                                       {ox + 150, oy + 80, 0.0, 0.5}}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(encre(x, y));
        EXPECT_FALSE(encre(x - dx, y - dy));
        EXPECT_FALSE(encre(x + dx, y + dy));
    }
}

TEST(PageAlignementPdf, AFullDiskIsToldAndLeavesNoFile) {
    PetitTmpfs disque("size=128k");
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    ASSERT_TRUE(disque.remplir(2 * 1024));
    QTemporaryDir dossier;
    PlateformeTest plateforme;
    ImpressionQt impression;
    AppScribane app(dossier.path(),
                    {plateforme.dialogues, plateforme.imprimantes, plateforme.polices,
                     plateforme.horloge, plateforme.pressePapiers, plateforme.bureau, impression});
    Reglages r;
    r.Police = QStringLiteral("Arial");
    r.Taille = 12;
    r.Orientation = 1;
    const QString fichier = disque.fichier(QStringLiteral("page.pdf"));
    plateforme.dialogues.reponsesFichier.enqueue(fichier);
    ImprimerPageAlignement(app, nullptr, r, true);
    ASSERT_EQ(plateforme.dialogues.vus.size(), 2); // the file asked, then the failure told
    EXPECT_EQ(plateforme.dialogues.vus[1].icone, Icone::Critique);
    EXPECT_TRUE(plateforme.dialogues.vus[1].texte.contains(QStringLiteral("le disque est plein")))
        << plateforme.dialogues.vus[1].texte.toStdString();
    QStringList restes = QDir(disque.chemin()).entryList(QDir::Files | QDir::Hidden);
    restes.removeAll(QStringLiteral("remplissage"));
    EXPECT_EQ(restes, QStringList());
}
