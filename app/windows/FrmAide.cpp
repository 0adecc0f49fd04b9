#include "windows/FrmAide.h"

#include "windows/Plateforme.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The guide lives in this static library: its resource must be pulled in.
static void InitialiserRessources() {
    Q_INIT_RESOURCE(aide);
}

namespace {

const QUrl Guide(QStringLiteral("qrc:/aide/guide.html"));

} // namespace

FrmAide::FrmAide(Bureau& bureau, QWidget* parent) : QWidget(parent, Qt::Window), bureau_(bureau) {
    InitialiserRessources();
    setObjectName(QStringLiteral("FrmAide"));
    setWindowTitle(QStringLiteral("Aide de Scribane"));
    // Reading the guide never keeps the program running once its windows are closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    texte_ = new QTextBrowser(this);
    texte_->setObjectName(QStringLiteral("TxtAide"));
    // Every link is decided here: left to itself the browser would try to
    // load an address from the web into the guide's place.
    texte_->setOpenLinks(false);
    connect(texte_, &QTextBrowser::anchorClicked, this, &FrmAide::lienClique);

    auto bouton = [this](const char* nom, const QString& texte) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(QLatin1String(nom));
        b->setAutoDefault(false);
        return b;
    };
    auto* sommaire = bouton("BtnSommaire", QStringLiteral("&Sommaire"));
    auto* precedent = bouton("BtnPrecedent", QStringLiteral("&Précédent"));
    auto* fermer = bouton("BtnFermer", QStringLiteral("&Fermer"));
    precedent->setEnabled(false);
    connect(sommaire, &QPushButton::clicked, this,
            [this] { afficherSection(SectionAide::Sommaire); });
    connect(precedent, &QPushButton::clicked, texte_, &QTextBrowser::backward);
    connect(texte_, &QTextBrowser::backwardAvailable, precedent, &QPushButton::setEnabled);
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);

    auto* barre = new QHBoxLayout;
    barre->addWidget(sommaire);
    barre->addWidget(precedent);
    barre->addStretch();
    barre->addWidget(fermer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(barre);
    colonne->addWidget(texte_, 1);
    resize(760, 680);
}

void FrmAide::afficherSection(SectionAide section) {
    QUrl ancre = Guide;
    ancre.setFragment(AncreAide(section));
    texte_->setSource(ancre);
}

void FrmAide::lienClique(const QUrl& lien) {
    const QUrl cible = texte_->source().resolved(lien);
    if (cible.scheme() == u"qrc") {
        texte_->setSource(cible);
        return;
    }
    // An address outside the guide is the desktop's to show; any other kind
    // of link (a file, a program) is not followed at all. The address is
    // written out in the guide, for a desktop without a browser.
    const QString schema = cible.scheme();
    if (schema == u"http" || schema == u"https" || schema == u"mailto")
        bureau_.ouvrir(cible.toString());
}
