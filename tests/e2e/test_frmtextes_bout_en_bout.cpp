#include "PdfLu.h"
#include "PlateformeTest.h"
#include "impression/SurfaceImprimante.h"
#include "windows/AppScribane.h"
#include "windows/FrmCB.h"
#include "windows/FrmConfigure.h"
#include "windows/FrmTextes.h"
#include "windows/PlateformeQt.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kFile = QStringLiteral("ScribaneTest");

FrmConfigure* ConfigurationOuverte() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<FrmConfigure*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

} // namespace

// Each text placed in the precise positioning window, saved there, then a
// cheque printed from the main window on the real queue: every text has moved
// by the millimetres typed, and the second line of the words sits where its
// box says.
TEST(TextesPuisImpression, EachTextMovesByTheMillimetresTyped) {
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kFile))
        << "la file " << kFile.toStdString() << " n'existe pas (voir FileCups.Demarrer)";
    QDir sortie(QStringLiteral(DOSSIER_PDF_CUPS));
    for (const QString& f : sortie.entryList(QDir::Files))
        sortie.remove(f);

    QTemporaryDir dossier;
    {
        QFile f(dossier.filePath(QStringLiteral("Cheque.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Defaut1]\r\nImprimante=" + kFile.toLatin1() +
                "\r\nPolice=Liberation Sans\r\nTaille= 12\r\nOrientation= 1\r\n"
                "MargeDroite= 10\r\nMargeHaute= 30\r\nDevise=euro\r\nCentimes=centime\r\n"
                "Liaison=et\r\nMargeDLX= 60\r\nMontant=1777777,77\r\n"
                "Ledestinataire=DUPONT SA\r\n[Destinataires]\r\nDest0=DUPONT SA\r\n"
                "[Lieu]\r\nLieu0=Paris\r\n");
        QFile c(dossier.filePath(QStringLiteral("Choix.cfg")));
        ASSERT_TRUE(c.open(QIODevice::WriteOnly));
        c.write("1,1\r\n");
    }
    PlateformeTest plateforme;
    ImprimantesQt imprimantes;
    PolicesQt polices;
    ImpressionQt impression;
    AppScribane app(dossier.path(), {plateforme.dialogues, imprimantes, polices, plateforme.horloge,
                                     plateforme.pressePapiers, plateforme.bureau, impression});
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    // Opening the configuration loads the choice, which fills the main window
    // with its default amount (two lines of words), payee and first place.
    plateforme.dialogues.vus.clear();

    fenetre.findChild<QAction*>(QStringLiteral("mnuConfigure"))->trigger();
    FrmConfigure* configuration = ConfigurationOuverte();
    ASSERT_NE(configuration, nullptr);
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(configuration, &activation);
    configuration->findChild<QPushButton*>(QStringLiteral("Bouton_Kiv_XP1"))->click();
    auto* textes = configuration->findChild<FrmTextes*>();
    ASSERT_NE(textes, nullptr) << plateforme.dialogues.textes().join(u'\n').toStdString();

    // The offsets, in millimetres: typed when positive, stepped with "-" below
    // zero (a minus sign cannot be typed), and the figures' X by three "+".
    const std::pair<const char*, const char*> saisies[] = {
        {"TxtMLY", "3"}, {"TxtDEX", "12"}, {"TxtDEY", "5"}, {"TxtDAY", "7"}, {"TxtDLX", "45"}};
    for (const auto& [nom, texte] : saisies) {
        auto* boite = textes->findChild<QLineEdit*>(QLatin1String(nom));
        boite->selectAll();
        QTest::keyClicks(boite, QLatin1String(texte));
    }
    const std::pair<const char*, int> pas[] = {{"TxtMX", 3},   {"TxtMLX", -4}, {"TxtMY", -2},
                                               {"TxtDAX", -9}, {"TxtLIX", -6}, {"TxtLIY", -3}};
    for (const auto& [nom, n] : pas)
        for (int i = 0; i < std::abs(n); ++i)
            QTest::keyClick(textes->findChild<QLineEdit*>(QLatin1String(nom)), n > 0 ? '+' : '-');
    textes->findChild<QPushButton*>(QStringLiteral("Bouton_Kiv_XP2"))->click();
    ASSERT_EQ(plateforme.dialogues.textes(),
              QStringList{QStringLiteral("Modifications enregistrées pour le choix 1 !")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    configuration->findChild<QPushButton*>(QStringLiteral("Bouton_Kiv_XP2"))->click();
    ASSERT_EQ(ConfigurationOuverte(), nullptr);

    plateforme.dialogues.vus.clear();
    fenetre.findChild<QToolButton*>(QStringLiteral("Bouton_Kiv_XP4"))->click();
    ASSERT_TRUE(plateforme.dialogues.vus.isEmpty())
        << plateforme.dialogues.textes().join(u'\n').toStdString();

    QString erreur;
    const auto imprimee = PageSortie(QStringLiteral(DOSSIER_PDF_CUPS), kFile, 60, &erreur);
    ASSERT_TRUE(imprimee) << erreur.toStdString();
    const PagePdf& page = *imprimee;

    const QPointF coin = CoinImprimable(kFile);
    const double x0 = coin.x() + 10, y0 = coin.y() + 30;
    const std::pair<const char*, QPointF> attendus[] = {
        {"UN", {x0 + 50 - 4, y0 + 15 + 3}},
        {"1", {x0 + 130 + 3, y0 + 25 - 2}},
        {"DUPONT", {x0 + 20 + 12, y0 + 26 + 5}},
        {"Paris", {x0 + 125 - 6, y0 + 33 - 3}},
        {"05/03/2024", {x0 + 129 - 9, y0 + 38 + 7}}};
    for (const auto& [texte, position] : attendus) {
        const MotPdf* mot = page.mot(QString::fromUtf8(texte));
        ASSERT_NE(mot, nullptr) << texte << " absent de la page";
        EXPECT_NEAR(mot->x, position.x(), 0.5) << texte;
        EXPECT_NEAR(mot->y, position.y(), 1.5) << texte;
    }
    // The second line of the words starts at its own X, under the first line.
    const double premiereLigne = page.mot(QStringLiteral("UN"))->y;
    double debutSeconde = 1e9;
    for (const MotPdf& m : page.mots)
        if (m.y > premiereLigne + 2 && m.y < premiereLigne + 9)
            debutSeconde = std::min(debutSeconde, m.x);
    // It may open with the blank before the link word.
    EXPECT_GE(debutSeconde, x0 + 45 - 0.5);
    EXPECT_LE(debutSeconde, x0 + 45 + 1.5);

    QFile ini(dossier.filePath(QStringLiteral("Cheque.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray contenu = ini.readAll();
    for (const char* ligne : {"MargeMX= 3\r\n", "MargeMLX=-4\r\n", "MargeDLX= 45\r\n"})
        EXPECT_TRUE(contenu.contains(ligne)) << ligne;
}
