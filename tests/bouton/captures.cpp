// bouton_captures FOLDER: pictures of the control for the documentation, rendered offscreen:
// the five styles at rest, hovered and pressed, the property page frame of the design host,
// and the about box.

#include "CadrePages.h"
#include "DialoguesAtelier.h"
#include "FenetreAtelier.h"
#include "bouton/Identites.h"
#include "bouton/hote/ChargeurControle.h"
#include "bouton/hote/SiteWidget.h"
#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

using namespace bouton;
namespace m = bouton::membre;

namespace {

QPixmap imprimante() {
    QPixmap p(40, 40);
    p.fill(Qt::transparent);
    QPainter d(&p);
    d.setRenderHint(QPainter::Antialiasing);
    d.setBrush(QColor(0x30, 0x7E, 0xAD));
    d.setPen(Qt::NoPen);
    d.drawRoundedRect(QRectF(3, 14, 34, 16), 3, 3);
    d.setBrush(Qt::white);
    d.setPen(QColor(0x60, 0x60, 0x60));
    d.drawRect(QRectF(10, 4, 20, 12));
    d.drawRect(QRectF(10, 24, 20, 13));
    return p;
}

bool ecrire(Dispatch* d, int32_t id, const QVariant& v) {
    const Resultat r = d->ecrire(id, v);
    if (!r.reussi())
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
    return r.reussi();
}

// The five styles in rows, at rest, hovered and pressed in columns.
bool styles(const QString& chemin) {
    QWidget planche;
    planche.setObjectName(QStringLiteral("Planche"));
    planche.setStyleSheet(QStringLiteral("#Planche { background: #EEE9D5 }"));
    auto* grille = new QGridLayout(&planche);
    grille->setSpacing(14);
    const char* titres[] = {"Au repos", "Survolé", "Enfoncé"};
    for (int e = 0; e < 3; ++e)
        grille->addWidget(new QLabel(QString::fromUtf8(titres[e])), 0, e + 1, Qt::AlignHCenter);
    hote::SiteWidget site(&planche);
    const struct {
        int32_t style;
        const char* nom;
        const char* caption;
    } lignes[] = {{Image, "Image", ""},
                  {Etiquette, "Etiquette", "Etiquette"},
                  {EtiqCentree, "EtiqCentrée", "Centrée"},
                  {EtiqRelief, "EtiqRelief", "MILLE EUROS* et zéro centime"},
                  {Ligne, "Ligne", ""}};
    QList<std::pair<Dispatch*, int>> etats;
    int rang = 1;
    for (const auto& l : lignes) {
        grille->addWidget(new QLabel(QString::fromUtf8(l.nom)), rang, 0);
        for (int e = 0; e < 3; ++e) {
            Resultat erreur;
            auto c = hote::CreerControleOuEnregistrer(QLatin1String(ProgIdBouton), &planche, &site,
                                                      hote::BibliothequeVoisine(), &erreur);
            if (!c) {
                std::fprintf(stderr, "%s\n", qPrintable(erreur.message));
                return false;
            }
            Dispatch* d = c->dispatch;
            if (!c->controle->initialiserNouveau().reussi())
                return false;
            const bool ok =
                ecrire(d, m::BackColor, 0x00D5E9EEu) && ecrire(d, m::BackColorOver, 0x00F7EBDCu) &&
                ecrire(d, m::BordColSombre, 0x00AD7E30u) &&
                ecrire(d, m::Bord1ColClair, 0x00FFFFFFu) &&
                ecrire(d, m::Bord2ColClair, 0x00FFFFFFu) && ecrire(d, m::EtiColOut, 0x00FFFFFFu) &&
                ecrire(d, m::EtiColOver, 0x00F7EBDCu) && ecrire(d, m::EtiFoCoOver, 0x00AD7E30u) &&
                ecrire(d, m::Stretch, false) && ecrire(d, m::Picture, imprimante()) &&
                ecrire(d, m::Caption, QString::fromUtf8(l.caption)) && ecrire(d, m::Style, l.style);
            if (!ok)
                return false;
            c->controle->definirTailleTwips(2700, l.style == Ligne ? 450 : 900);
            // A resize lays the control out again, at rest: the grid must not resize it.
            c->widget->setFixedSize(c->widget->size());
            grille->addWidget(c->widget, rang, e + 1);
            // The pointer leaves a line as it is; a host could still force a state on it.
            if (l.style != Ligne)
                etats.append({d, e == 0   ? BoutonNormal
                                 : e == 1 ? BoutonSelectionne
                                          : BoutonEnfonce});
        }
        ++rang;
    }
    planche.show();
    QApplication::processEvents();
    for (const auto& [d, etat] : etats) {
        QVariantList argument{etat};
        if (!d->appeler(m::Boutons_SetState, argument, nullptr).reussi())
            return false;
    }
    return planche.grab().save(chemin);
}

class SansQuestions : public atelier::DialoguesAtelier {
public:
    QString fichierAOuvrir(QWidget*) override { return {}; }
    QString fichierAEnregistrer(QWidget*) override { return {}; }
    QString imageAOuvrir(QWidget*) override { return {}; }
    std::optional<QColor> couleur(QWidget*, const QColor&) override { return std::nullopt; }
    std::optional<QFont> police(QWidget*, const QFont&) override { return std::nullopt; }
    void erreur(QWidget*, const QString& texte) override {
        std::fprintf(stderr, "%s\n", qPrintable(texte));
    }
};

// The design host with a few controls, its page frame, and the about box.
bool atelierEtBoites(const QString& dossier) {
    SansQuestions dialogues;
    atelier::FenetreAtelier fenetre(dialogues);
    fenetre.placer(EtiqRelief);
    fenetre.placer(Etiquette);
    fenetre.placer(EtiqCentree);
    fenetre.placer(Ligne);
    fenetre.show();
    fenetre.selectionner({QStringLiteral("Bouton2")});
    bool ok = fenetre.grab().save(dossier + QStringLiteral("/bouton-atelier.png"));

    QTimer::singleShot(0, [&] {
        QWidget* cadre = QApplication::activeModalWidget();
        ok = ok && cadre && cadre->grab().save(dossier + QStringLiteral("/bouton-page.png"));
        if (cadre)
            cadre->close();
    });
    fenetre.proprietes();

    QTimer::singleShot(0, [&] {
        QWidget* boite = QApplication::activeModalWidget();
        ok = ok && boite && boite->grab().save(dossier + QStringLiteral("/bouton-a-propos.png"));
        if (boite)
            boite->close();
    });
    fenetre.aPropos();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bouton_captures FOLDER\n");
        return 1;
    }
    QStandardPaths::setTestModeEnabled(true);
    const QString dossier = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dossier))
        return 2;
    if (!styles(dossier + QStringLiteral("/bouton-styles.png")))
        return 3;
    return atelierEtBoites(dossier) ? 0 : 4;
}
