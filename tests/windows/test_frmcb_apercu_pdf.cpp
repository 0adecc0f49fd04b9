#include "windows/DossierDocuments.h"
#include "cheque/DispositionMots.h"
#include "FenetreTest.h"
#include "windows/FrmApercu.h"
#include "impression/SurfaceImprimante.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

namespace {

QByteArray Cheque(const QByteArray& options = {}) {
    return "[Defaut1]\r\nImprimante=PDF\r\nOrientation= 1\r\nPolice=Arial\r\nTaille= 12\r\n"
           "Journal= 1\r\nMontant=100,00\r\nLedestinataire=EDF\r\n" +
           options + "[Montants]\r\nMt0=100,00\r\n[Destinataires]\r\nDest0=EDF\r\n";
}

// The bounding box, in millimetres, of the pixels of an image that `garder` keeps.
QRectF Encre(const QImage& image, double pixelsParMm, auto garder) {
    QRect boite;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (garder(QColor(image.pixel(x, y))))
                boite |= QRect(x, y, 1, 1);
    return QRectF(boite.x() / pixelsParMm, boite.y() / pixelsParMm, boite.width() / pixelsParMm,
                  boite.height() / pixelsParMm);
}

} // namespace

class ApercuEtPdf : public FenetreTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", Cheque());
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
        boite("CboM")->setEditText(QStringLiteral("1234,56"));
        boite("CboL")->setEditText(QStringLiteral("Paris"));
    }
    void imprimer() const { controle<QToolButton>("Bouton_Kiv_XP4")->click(); }
    QString journal() const {
        return chemin("Journaux") + QStringLiteral("/Journal_2024_03_05.txt");
    }
    // Nothing printed, journaled nor kept since the window started.
    void rienEcrit(const QByteArray& chequeIni) const {
        EXPECT_TRUE(plateforme.impression.pages.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(journal()));
        EXPECT_EQ(lire("Cheque.ini"), chequeIni);
    }
};

// A payee past the cheque: the question names it and says by how much; No
// (the default) leaves everything as it was, Yes prints as usual.
TEST_F(ApercuEtPdf, ATextThatDoesNotFitIsPrintedOnlyWhenTheUserSaysSo) {
    const QByteArray avant = lire("Cheque.ini");
    boite("CboD")->setEditText(QString(60, u'W'));
    imprimer();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    const DialogueVu question = plateforme.dialogues.vus[0];
    EXPECT_EQ(question.genre, DialogueVu::Question);
    EXPECT_TRUE(question.texte.startsWith(QStringLiteral("« Destinataire » empiète sur « Montant "
                                                         "en chiffres » de ")));
    EXPECT_TRUE(question.texte.endsWith(QStringLiteral(" mm.\n\nImprimer quand même ?")));
    rienEcrit(avant);

    // The same from the PDF command: asked before the file is even chosen.
    controle<QAction>("mnuPdf")->trigger();
    EXPECT_EQ(plateforme.dialogues.vus.size(), 2);
    EXPECT_EQ(plateforme.dialogues.vus.last().genre, DialogueVu::Question);
    rienEcrit(avant);

    plateforme.dialogues.reponsesQuestion.enqueue(true);
    imprimer();
    EXPECT_EQ(plateforme.impression.pages.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(journal()));
}

// The PDF is the printer's page into a file: same texts at the same
// millimetres, the journal written and the lists kept as for a print.
TEST_F(ApercuEtPdf, SavingAsPdfIsAPrintIntoTheFileChosen) {
    boite("CboD")->setEditText(QStringLiteral("DUPONT / FILS"));
    const QString fichier = dossier.filePath(QStringLiteral("cheque.pdf"));

    controle<QAction>("mnuPdf")->trigger(); // the save dialog cancelled: nothing happens
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].genre, DialogueVu::EnregistrerFichier);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte,
              QDir(DossierDocuments())
                  .filePath(QStringLiteral("Cheque_2024-03-05_DUPONT _ FILS.pdf")));
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(journal()));

    plateforme.dialogues.reponsesFichier.enqueue(fichier);
    controle<QAction>("mnuPdf")->trigger();
    imprimer();
    ASSERT_EQ(plateforme.impression.pages.size(), 2);
    EXPECT_EQ(plateforme.impression.fichiersPdf, (QStringList{fichier, QString()}));
    const auto& pdf = plateforme.impression.pages[0].textes;
    const auto& papier = plateforme.impression.pages[1].textes;
    ASSERT_EQ(pdf.size(), papier.size());
    for (qsizetype i = 0; i < pdf.size(); ++i) {
        EXPECT_EQ(pdf[i].texte, papier[i].texte);
        EXPECT_DOUBLE_EQ(pdf[i].x, papier[i].x);
        EXPECT_DOUBLE_EQ(pdf[i].y, papier[i].y);
        EXPECT_EQ(pdf[i].taille, papier[i].taille);
    }
    QFile f(journal());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("1 234,56 Euros"), 2);
    EXPECT_TRUE(lire("Cheque.ini").contains("Dest1=DUPONT / FILS\r\n") ||
                lire("Cheque.ini").contains("Dest0=DUPONT / FILS\r\n"));
}

// The preview opens from its shortcut, writes nothing, shows the page at the
// screen's millimetres on demand, and prints through the print command.
TEST_F(ApercuEtPdf, ThePreviewShowsThePageAndPrintsOnlyWhenAsked) {
    const QByteArray avant = lire("Cheque.ini");
    boite("CboD")->setEditText(QStringLiteral("DUPONT SA"));
    QTest::keyClick(fenetre.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    auto* apercu = fenetre->findChild<FrmApercu*>();
    ASSERT_NE(apercu, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(apercu));
    rienEcrit(avant);

    apercu->findChild<QPushButton*>(QStringLiteral("BtnTailleReelle"))->click();
    EXPECT_DOUBLE_EQ(apercu->echelle(), apercu->echelleReelle());
    const QLabel* page = apercu->findChild<QLabel*>(QStringLiteral("ImagePage"));
    EXPECT_NEAR(page->pixmap().width(), 210 * apercu->echelleReelle(), 1);

    apercu->findChild<QPushButton*>(QStringLiteral("BtnImprimer"))->click();
    QTRY_COMPARE(plateforme.impression.pages.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(journal()));
}

// The preview's page holds the outline where the margins put the cheque and
// each text where the printer writes it, in the printer's font size.
TEST(DessinApercu, TheOutlineAndATextLandAtTheirMillimetres) {
    Reglages r;
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.Orientation = 2;
    r.MargeDroite = 12;
    r.MargeHaute = 30;
    r.MargeDEX = 7;
    r.MargeDEY = -3;
    TextesCheque t{};
    t.destinataire = QStringLiteral("DUPONT SA");
    const double ppm = 10;
    const QMarginsF marges(4, 5, 4, 5);
    const QImage image = DessinerApercu(r, t, ppm, marges);
    EXPECT_EQ(image.size(), QSize(2970, 2100));

    const QRectF cadre = Encre(image, ppm, [](QColor c) { return c.blue() > c.red() + 30; });
    EXPECT_NEAR(cadre.left(), 4 + 12, 0.2);
    EXPECT_NEAR(cadre.top(), 5 + 30, 0.2);
    EXPECT_NEAR(cadre.width(), kLargeurCheque, 0.3);
    EXPECT_NEAR(cadre.height(), 80, 0.3);

    const QRectF texte = Encre(image, ppm, [](QColor c) { return c.lightness() < 100; });
    const double largeur =
        LargeurTexte(t.destinataire, {r.Police, false, 12}, kResolutionImprimante);
    EXPECT_NEAR(texte.left(), 4 + 12 + 20 + 7, 0.5);
    EXPECT_NEAR(texte.width(), largeur, 1.0);
    // The top of the capitals sits below the cell's top by the font's internal leading.
    EXPECT_GT(texte.top(), 5 + 30 + 26 - 3);
    EXPECT_LT(texte.top(), 5 + 30 + 26 - 3 + 2);
}

// A PDF that cannot be written says why, and is neither journaled nor kept
// as printed.
TEST(EnregistrerPdfImpossible, TheUserIsToldWhyAndNothingIsJournaled) {
    QTemporaryDir dossier;
    {
        QFile f(dossier.filePath(QStringLiteral("Cheque.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Cheque());
        QFile c(dossier.filePath(QStringLiteral("Choix.cfg")));
        ASSERT_TRUE(c.open(QIODevice::WriteOnly));
        c.write("1,1\r\n");
    }
    PlateformeTest plateforme;
    ImpressionQt impression; // the real PDF writer
    AppScribane app(dossier.path(),
                    {plateforme.dialogues, plateforme.imprimantes, plateforme.polices,
                     plateforme.horloge, plateforme.pressePapiers, plateforme.bureau, impression});
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(QStringLiteral("12"));
    const QString fichier = dossier.filePath(QStringLiteral("absent/cheque.pdf"));
    plateforme.dialogues.reponsesFichier.enqueue(fichier);
    fenetre.findChild<QAction*>(QStringLiteral("mnuPdf"))->trigger();

    ASSERT_EQ(plateforme.dialogues.vus.size(), 2);
    const DialogueVu& message = plateforme.dialogues.vus[1];
    EXPECT_EQ(message.icone, Icone::Critique);
    EXPECT_EQ(message.texte,
              QStringLiteral("Le chèque n'a pas pu être enregistré dans « %1 » : le fichier n'a "
                             "pas pu être créé : le dossier n'existe pas.")
                  .arg(QDir::toNativeSeparators(fichier)));
    EXPECT_FALSE(QFileInfo::exists(dossier.filePath(QStringLiteral("Journaux"))) &&
                 !QDir(dossier.filePath(QStringLiteral("Journaux"))).isEmpty());
}
