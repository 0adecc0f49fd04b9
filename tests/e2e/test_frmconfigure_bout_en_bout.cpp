#include "PdfLu.h"
#include "PlateformeTest.h"
#include "impression/SurfaceImprimante.h"
#include "windows/ApercuCheque.h"
#include "windows/AppScribane.h"
#include "windows/FrmCB.h"
#include "windows/FrmConfigure.h"
#include "windows/PlateformeQt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kFile = QStringLiteral("ScribaneTest");

template <typename T> T* Controle(QWidget* fenetre, const char* nom) {
    return fenetre->findChild<T*>(QLatin1String(nom));
}

void Clic(QWidget* w) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2));
}

void Choisir(QComboBox* liste, const QString& texte) {
    ASSERT_NE(liste, nullptr);
    const int i = liste->findText(texte);
    ASSERT_GE(i, 0) << texte.toStdString();
    liste->setCurrentIndex(i);
    emit liste->activated(i);
}

// A drag of the cheque with the left button, between two points of the sheet (mm).
void Glisser(ApercuCheque* cheque, QPointF depart, QPointF arrivee) {
    const double ppm = ApercuCheque::pixelsParMm(cheque);
    auto envoyer = [&](QEvent::Type type, QPointF mm, Qt::MouseButton b, Qt::MouseButtons bs) {
        const QPointF local = mm * ppm - QPointF(cheque->pos());
        QMouseEvent e(type, local, cheque->mapToGlobal(local), b, bs, Qt::NoModifier);
        QApplication::sendEvent(cheque, &e);
    };
    envoyer(QEvent::MouseButtonPress, depart, Qt::LeftButton, Qt::LeftButton);
    envoyer(QEvent::MouseMove, (depart + arrivee) / 2, Qt::NoButton, Qt::LeftButton);
    envoyer(QEvent::MouseMove, arrivee, Qt::NoButton, Qt::LeftButton);
    envoyer(QEvent::MouseButtonRelease, arrivee, Qt::LeftButton, Qt::NoButton);
}

FrmConfigure* ConfigurationOuverte() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<FrmConfigure*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

} // namespace

// From a first run, with nothing edited by hand: choice 1 is configured in the
// configuration window (printer, font, size, the cheque dragged on the sheet),
// saved and applied, and a cheque printed from the main window comes out of the
// real queue where the dragged margins put it.
TEST(ConfigurationPuisImpression, AFirstRunConfiguredByHandPrintsWhereTheChequeWasDragged) {
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kFile))
        << "la file " << kFile.toStdString() << " n'existe pas (voir FileCups.Demarrer)";
    QDir sortie(QStringLiteral(DOSSIER_PDF_CUPS));
    for (const QString& f : sortie.entryList(QDir::Files))
        sortie.remove(f);

    QTemporaryDir dossier;
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
    ASSERT_EQ(plateforme.dialogues.vus.size(), 2) << "the first-run guidance";
    plateforme.dialogues.vus.clear();

    Controle<QAction>(&fenetre, "mnuConfigure")->trigger();
    FrmConfigure* configuration = ConfigurationOuverte();
    ASSERT_NE(configuration, nullptr);
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(configuration, &activation);

    Clic(Controle<QRadioButton>(configuration, "optChoix0"));
    Choisir(Controle<QComboBox>(configuration, "CboPrint"), kFile);
    Choisir(Controle<QComboBox>(configuration, "CboPolices"), QStringLiteral("Liberation Sans"));
    Choisir(Controle<QComboBox>(configuration, "CboTaille"), QStringLiteral("12"));
    Clic(Controle<QRadioButton>(configuration, "Opt1"));
    // 5 mm right and 2.5 mm down on the quarter-size sheet: 20 and 10 mm of paper.
    Glisser(Controle<ApercuCheque>(configuration, "PctCB"), {10, 5}, {15, 7.5});
    Clic(Controle<QToolButton>(configuration, "CmdEnrChoix"));
    ASSERT_EQ(plateforme.dialogues.textes(), QStringList{QStringLiteral("Choix 1 enregistré.")});
    Clic(Controle<QPushButton>(configuration, "Bouton_Kiv_XP2"));
    ASSERT_TRUE(fenetre.isVisible());
    ASSERT_EQ(ConfigurationOuverte(), nullptr);

    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(QStringLiteral("1234,56"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(QStringLiteral("DUPONT SA"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboL"))->setEditText(QStringLiteral("Paris"));
    fenetre.findChild<QDateEdit*>(QStringLiteral("DTP"))->setDate(QDate(2024, 3, 5));
    plateforme.dialogues.vus.clear();
    fenetre.findChild<QToolButton*>(QStringLiteral("Bouton_Kiv_XP4"))->click();
    ASSERT_TRUE(plateforme.dialogues.vus.isEmpty())
        << plateforme.dialogues.textes().join(u'\n').toStdString();

    QString erreur;
    const auto imprimee = PageSortie(QStringLiteral(DOSSIER_PDF_CUPS), kFile, 60, &erreur);
    ASSERT_TRUE(imprimee) << erreur.toStdString();
    const PagePdf& page = *imprimee;

    // The texts at their base places, shifted by the printable corner and the
    // two dragged margins.
    const QPointF coin = CoinImprimable(kFile);
    const double x0 = coin.x() + 20, y0 = coin.y() + 10;
    const std::pair<const char*, QPointF> attendus[] = {{"MILLE", {x0 + 50, y0 + 15}},
                                                        {"1", {x0 + 130, y0 + 25}},
                                                        {"DUPONT", {x0 + 20, y0 + 26}},
                                                        {"Paris", {x0 + 125, y0 + 33}},
                                                        {"05/03/2024", {x0 + 129, y0 + 38}}};
    for (const auto& [texte, position] : attendus) {
        const MotPdf* mot = page.mot(QString::fromUtf8(texte));
        ASSERT_NE(mot, nullptr) << texte << " absent de la page";
        EXPECT_NEAR(mot->x, position.x(), 0.5) << texte;
        EXPECT_NEAR(mot->y, position.y(), 1.5) << texte;
    }

    // And the settings on disk say the same.
    QFile ini(dossier.filePath(QStringLiteral("Cheque.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray contenu = ini.readAll();
    for (const char* ligne : {"Imprimante=ScribaneTest\r\n", "Police=Liberation Sans\r\n",
                              "Taille= 12\r\n", "MargeHaute= 10\r\n", "MargeDroite= 20\r\n"})
        EXPECT_TRUE(contenu.contains(ligne)) << ligne;
    QFile choix(dossier.filePath(QStringLiteral("Choix.cfg")));
    ASSERT_TRUE(choix.open(QIODevice::ReadOnly));
    EXPECT_EQ(choix.readAll(), QByteArray("1,1\r\n"));
}
