// Writes pictures of the print preview at true scale and of the top of an
// alignment page: capture_apercu APERCU.png ALIGNEMENT.png
#include "windows/AppScribane.h"
#include "windows/FrmApercu.h"
#include "windows/FrmCB.h"
#include "cheque/PageAlignement.h"
#include "PlateformeTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    QTemporaryDir dossier;
    QFile f(dossier.filePath(QStringLiteral("Cheque.ini")));
    f.open(QIODevice::WriteOnly);
    f.write("[Defaut1]\r\nImprimante=PDF\r\nPolice=Arial\r\nTaille= 12\r\nOrientation= 1\r\n"
            "MargeDroite=12\r\nMargeHaute=8\r\nMargeDLX=10\r\n");
    QFile c(dossier.filePath(QStringLiteral("Choix.cfg")));
    c.open(QIODevice::WriteOnly);
    c.write("1,1\r\n");
    f.close();
    c.close();

    PlateformeTest plateforme;
    AppScribane app(dossier.path(), plateforme.services());
    FrmCB fenetre(app);
    fenetre.demarrer();
    fenetre.show();
    fenetre.findChild<QComboBox*>(QStringLiteral("CboM"))->setEditText(QStringLiteral("1234,56"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(QStringLiteral("DUPONT SA"));
    fenetre.findChild<QComboBox*>(QStringLiteral("CboL"))->setEditText(QStringLiteral("Paris"));
    fenetre.findChild<QAction*>(QStringLiteral("mnuApercu"))->trigger();
    auto* apercu = fenetre.findChild<FrmApercu*>();
    if (!apercu)
        return 1;
    apercu->resize(1000, 560);
    apercu->tailleReelle();
    if (!apercu->grab().save(QString::fromLocal8Bit(argv[1])))
        return 1;

    // The top of the alignment page, 6 pixels a millimetre, with the settings above.
    QImage page(6 * 210, 6 * 110, QImage::Format_RGB32);
    page.setDotsPerMeterX(6000);
    page.setDotsPerMeterY(6000);
    page.fill(Qt::white);
    {
        QPainter peintre(&page);
        DessinerPageAlignement(peintre, page, app.reglages);
    }
    return page.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
