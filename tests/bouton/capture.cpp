// bouton_capture FILE.png: the amount label, as the main window loads it, rendered offscreen.

#include "bouton/Identites.h"
#include "bouton/hote/ChargeurControle.h"
#include "bouton/hote/SacMemoire.h"
#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QStandardPaths>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bouton_capture FILE.png\n");
        return 1;
    }
    QStandardPaths::setTestModeEnabled(true);

    QWidget fenetre;
    fenetre.setStyleSheet(QStringLiteral("background: #EEE9D5"));
    fenetre.resize(420, 90);
    bouton::Resultat erreur;
    auto c = bouton::hote::CreerControleOuEnregistrer(QLatin1String(bouton::ProgIdBouton), &fenetre,
                                                      nullptr, bouton::hote::BibliothequeVoisine(),
                                                      &erreur);
    if (!c) {
        std::fprintf(stderr, "%s\n", qPrintable(erreur.message));
        return 2;
    }
    bouton::hote::SacMemoire sac;
    QFont police(QStringLiteral("MS Sans Serif"));
    police.setPointSizeF(8.25);
    sac.ajouter(QStringLiteral("BordColSombre"), 0x00AD7E30u);
    sac.ajouter(QStringLiteral("Bord1ColClair"), 0x00F3F3CFu);
    sac.ajouter(QStringLiteral("Bord2ColClair"), 0x00F3F3CFu);
    sac.ajouter(QStringLiteral("BackColor"), 0x00D5E9EEu);
    sac.ajouter(QStringLiteral("Style"), 3);
    sac.ajouter(QStringLiteral("Font"), police);
    sac.ajouter(QStringLiteral("EtiColOut"), 0x00FFFFFFu);
    sac.ajouter(QStringLiteral("EtiColOut"), 0x00FFFFFFu);
    sac.ajouter(QStringLiteral("Bordure"), 1);
    sac.ajouter(QStringLiteral("FontName"), QStringLiteral("MS Sans Serif"));
    sac.ajouter(QStringLiteral("FontSize"), 8.25f);
    if (auto r = c->controle->charger(sac); !r.reussi()) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
        return 3;
    }
    c->widget->move(20, 15);
    c->controle->definirTailleTwips(5655, 870);
    c->dispatch->ecrire(bouton::membre::Caption,
                        QStringLiteral("// MILLE DEUX CENT TRENTE-QUATRE EUROS* et CINQUANTE-SIX "
                                       "CENTIMES //"));
    fenetre.show();
    return fenetre.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 4;
}
