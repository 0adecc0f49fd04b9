#include "windows/Aide.h"

#include "windows/FrmAide.h"

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QWindow>

QString AncreAide(SectionAide section) {
    switch (section) {
    case SectionAide::Sommaire:
        return QStringLiteral("sommaire");
    case SectionAide::FenetrePrincipale:
        return QStringLiteral("fenetre-principale");
    case SectionAide::Configuration:
        return QStringLiteral("configuration");
    case SectionAide::ReglagePrecis:
        return QStringLiteral("reglage-precis");
    case SectionAide::Historique:
        return QStringLiteral("historique");
    case SectionAide::Apercu:
        return QStringLiteral("apercu");
    }
    return QStringLiteral("sommaire");
}

Aide::Aide(Bureau& bureau) : bureau_(bureau) {}

Aide::~Aide() = default;

void Aide::afficher(SectionAide section) {
    if (!fenetre_)
        fenetre_ = std::make_unique<FrmAide>(bureau_);
    FrmAide& fenetre = *fenetre_;
    fenetre.afficherSection(section);
    // A modal window blocks every window but its own: the guide becomes one
    // of its own while it is open, so that it can be scrolled and its links
    // followed. Nothing ties it to the window that goes.
    fenetre.setWindowState(fenetre.windowState() & ~Qt::WindowMinimized);
    fenetre.show();
    QWidget* modale = QApplication::activeModalWidget();
    fenetre.windowHandle()->setTransientParent(modale ? modale->windowHandle() : nullptr);
    fenetre.raise();
    fenetre.activateWindow();
}

void Aide::relier(QWidget* fenetre, SectionAide section) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), fenetre);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, fenetre, [this, section] { afficher(section); });
}

void Aide::fermer() {
    if (fenetre_)
        fenetre_->close();
}
