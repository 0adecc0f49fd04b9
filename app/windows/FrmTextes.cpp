#include "windows/FrmTextes.h"

#include "windows/BoiteMarge.h"
#include "windows/NombreEnTete.h"
#include "windows/Plateforme.h"
#include "cheque/PreparationMontant.h"
#include "settings/Reglages.h"
#include "windows/SurfaceImage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The settings behind the boxes, in the order of PositionsInitiales.
struct BoitePosition {
    const char* nom;
    std::int16_t Reglages::*reglage;
};
constexpr std::array<BoitePosition, 11> Boites{{{"TxtMX", &Reglages::MargeMX},
                                                {"TxtMY", &Reglages::MargeMY},
                                                {"TxtMLX", &Reglages::MargeMLX},
                                                {"TxtMLY", &Reglages::MargeMLY},
                                                {"TxtDEX", &Reglages::MargeDEX},
                                                {"TxtDEY", &Reglages::MargeDEY},
                                                {"TxtDAX", &Reglages::MargeDAX},
                                                {"TxtDAY", &Reglages::MargeDAY},
                                                {"TxtLIX", &Reglages::MargeLIX},
                                                {"TxtLIY", &Reglages::MargeLIY},
                                                {"TxtDLX", &Reglages::MargeDLX}}};
enum { MX, MY, MLX, MLY, DEX, DEY, DAX, DAY, LIX, LIY, DLX };

const QColor Bleu(0x30, 0x7E, 0xAD);

// The picture is a little wider than a third of the cheque (175 x 80 mm):
// at its small fixed font the figures would otherwise run off its edge.
constexpr double LargeurSimulationMm = 70;
constexpr double HauteurSimulationMm = 30;

// The second line's box steps with "+" and "-" like the others, but keeps the
// platform's caret placement on entry.
class BoiteDecalage final : public BoiteMarge {
public:
    using BoiteMarge::BoiteMarge;

protected:
    void focusInEvent(QFocusEvent* e) override { QLineEdit::focusInEvent(e); }
    void mousePressEvent(QMouseEvent* e) override { QLineEdit::mousePressEvent(e); }
};

// Shows the simulation image as it is.
class ImageSimulation final : public QWidget {
public:
    ImageSimulation(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, image_);
    }

private:
    const QImage& image_;
};

} // namespace

FrmTextes::FrmTextes(Reglages& reglages, const TextesCheque& textes, Dialogues& dialogues,
                     EnregistrementPositions enregistrer, QWidget* parent)
    : QDialog(parent), reglages_(reglages), textes_(textes), dialogues_(dialogues),
      enregistrer_(std::move(enregistrer)) {
    setObjectName(QStringLiteral("FrmTextes"));
    setWindowTitle(QString());
    setModal(true);
    construire();

    // Loading: the boxes' change events do nothing yet.
    for (std::size_t i = 0; i < Boites.size(); ++i) {
        const std::int16_t valeur = reglages_.*Boites[i].reglage;
        boites_[i]->setText(QString::number(valeur));
        PositionsInitiales[i] = valeur;
    }
}

FrmTextes::~FrmTextes() = default;

void FrmTextes::construire() {
    QPalette bleu = palette();
    bleu.setColor(QPalette::Window, Bleu);
    bleu.setColor(QPalette::WindowText, Qt::white);
    setPalette(bleu);
    setAutoFillBackground(true);

    const double ppm = logicalDpiX() / 25.4;
    auto px = [ppm](double mm) { return static_cast<int>(std::lround(mm * ppm)); };

    for (std::size_t i = 0; i < Boites.size(); ++i) {
        BoiteMarge* b = i == DLX ? new BoiteDecalage(this) : new BoiteMarge(this);
        b->setObjectName(QLatin1String(Boites[i].nom));
        b->setMaximumWidth(px(16));
        connect(b, &QLineEdit::textChanged, this, &FrmTextes::Position);
        boites_[i] = b;
    }

    auto etiquette = [this](const QString& texte) {
        auto* l = new QLabel(texte, this);
        l->setTextFormat(Qt::PlainText);
        return l;
    };

    auto* grille = new QGridLayout;
    grille->setHorizontalSpacing(6);
    grille->setVerticalSpacing(10);
    const std::pair<const char*, std::pair<int, int>> lignes[] = {
        {"Montant en lettres", {MLX, MLY}},
        {"Montant en chiffres", {MX, MY}},
        {"Destinataire", {DEX, DEY}},
        {"Date", {DAX, DAY}},
        {"Lieu", {LIX, LIY}},
    };
    int rang = 0;
    for (const auto& [texte, xy] : lignes) {
        auto* nom = etiquette(QString::fromUtf8(texte));
        QFont gras = nom->font();
        gras.setBold(true);
        nom->setFont(gras);
        auto* x = etiquette(QStringLiteral("X="));
        auto* y = etiquette(QStringLiteral("Y="));
        x->setBuddy(boites_[xy.first]);
        y->setBuddy(boites_[xy.second]);
        boites_[xy.first]->setAccessibleName(nom->text() + QStringLiteral(" X"));
        boites_[xy.second]->setAccessibleName(nom->text() + QStringLiteral(" Y"));
        grille->addWidget(nom, rang, 0);
        grille->addWidget(x, rang, 1, Qt::AlignRight);
        grille->addWidget(boites_[xy.first], rang, 2);
        grille->addWidget(y, rang, 3, Qt::AlignRight);
        grille->addWidget(boites_[xy.second], rang, 4);
        ++rang;
    }
    grille->setColumnStretch(0, 1);

    auto* seconde = etiquette(QStringLiteral(
        "Lorsque le montant en lettres est écrit sur 2 lignes, avancer (+) ou reculer (-) "
        "la seconde ligne de"));
    seconde->setWordWrap(true);
    seconde->setBuddy(boites_[DLX]);
    boites_[DLX]->setAccessibleName(QStringLiteral("Seconde ligne du montant en lettres"));
    auto* ligneDecalage = new QHBoxLayout;
    ligneDecalage->addWidget(seconde, 1);
    ligneDecalage->addWidget(boites_[DLX]);
    ligneDecalage->addWidget(etiquette(QStringLiteral("mm")));
    auto* invisible = etiquette(QStringLiteral("(non visible sur la simulation)"));

    auto* gauche = new QVBoxLayout;
    gauche->addLayout(grille);
    gauche->addSpacing(12);
    gauche->addLayout(ligneDecalage);
    gauche->addWidget(invisible);
    gauche->addStretch();

    auto* titre = etiquette(QStringLiteral("Simulation"));
    QFont grand = titre->font();
    grand.setBold(true);
    grand.setPointSizeF(grand.pointSizeF() * 1.3);
    titre->setFont(grand);
    image_ = QImage(px(LargeurSimulationMm), px(HauteurSimulationMm), QImage::Format_RGB32);
    image_.fill(Qt::white);
    pctTxt_ = new ImageSimulation(image_, this);
    pctTxt_->setObjectName(QStringLiteral("PctTxt"));
    pctTxt_->setFixedSize(image_.size());
    auto* explication = etiquette(QStringLiteral(
        "X et Y sont les abscisses et ordonnées des textes concernés (en millimètres). Plus "
        "décale vers la droite ou le bas, moins vers la gauche ou le haut. "));
    explication->setWordWrap(true);
    explication->setMaximumWidth(image_.width());
    auto* note = new QToolButton(this);
    note->setObjectName(QStringLiteral("Bouton_Kiv_XP1"));
    note->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    note->setIconSize(QSize(18, 18));
    note->setAutoRaise(true);
    note->setToolTip(QStringLiteral("Note"));
    note->setAccessibleName(QStringLiteral("Note"));
    connect(note, &QToolButton::clicked, this, &FrmTextes::afficherNote);

    auto* droite = new QVBoxLayout;
    droite->addWidget(titre, 0, Qt::AlignHCenter);
    droite->addWidget(pctTxt_, 0, Qt::AlignHCenter);
    auto* ligneExplication = new QHBoxLayout;
    ligneExplication->addWidget(explication, 1);
    ligneExplication->addWidget(note, 0, Qt::AlignTop);
    droite->addLayout(ligneExplication);
    droite->addStretch();

    auto* quitter = new QPushButton(QStringLiteral("&Quitter et enregistrer"), this);
    quitter->setObjectName(QStringLiteral("Bouton_Kiv_XP2"));
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName(QStringLiteral("Bouton_Kiv_XP4"));
    // Enter in a box must not save and close the window.
    for (QPushButton* b : {quitter, annuler}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(quitter, &QPushButton::clicked, this, &FrmTextes::quitterEtEnregistrer);
    connect(annuler, &QPushButton::clicked, this, &FrmTextes::annuler);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(quitter);
    boutons->addWidget(annuler);

    auto* colonnes = new QHBoxLayout;
    colonnes->setSpacing(24);
    colonnes->addLayout(gauche, 1);
    colonnes->addLayout(droite);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(colonnes);
    principal->addLayout(boutons);
}

void FrmTextes::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Activation, once: the window opens over the configuration window and
    // a message box of its own closing must not move the focus back.
    if (SimulationActive == 1)
        return;
    SimulationActive = 1;
    dessiner();
    boites_[MLX]->setFocus(Qt::ActiveWindowFocusReason);
}

void FrmTextes::Position() {
    if (SimulationActive != 1)
        return;
    std::array<bool, 11> bornee{};
    for (std::size_t i = 0; i < Boites.size(); ++i)
        reglages_.*Boites[i].reglage =
            ArrondirPosition(LireNombreEnTete(boites_[i]->text()), &bornee[i]);
    dessiner();
    // A position cannot go beyond what the settings hold: show where it stopped.
    for (std::size_t i = 0; i < Boites.size(); ++i)
        if (bornee[i])
            boites_[i]->setText(QString::number(reglages_.*Boites[i].reglage));
}

void FrmTextes::dessiner() {
    TextesCheque textes = textes_;
    // Spelt as the print job spells it: where the words break depends on the settings.
    const auto mots = PreparerTexteMontant(textes.chiffres, reglages_);
    textes.mots = mots ? CaptionAvecSautDeLigne(mots->caption) : QString();
    textes.tailleMots = mots ? mots->tailleMots : 0;

    image_.fill(Qt::white);
    {
        SurfaceImage surface(image_, logicalDpiX());
        ImprimerCheque(surface, reglages_, textes);
    }
    pctTxt_->update();
}

void FrmTextes::quitterEtEnregistrer() {
    const std::optional<int> choix = enregistrer_ ? enregistrer_() : std::nullopt;
    if (!choix) {
        // Leaving now would keep in memory positions that are not on disk,
        // and tell nothing of it: the user corrects, retries or cancels.
        dialogues_.message(this,
                           QStringLiteral("Les positions n'ont pas été enregistrées. Corrigez "
                                          "la configuration puis enregistrez de nouveau, ou "
                                          "annulez."),
                           Icone::Exclamation);
        return;
    }
    dialogues_.message(this,
                       QStringLiteral("Modifications enregistrées pour le choix %1 !").arg(*choix),
                       Icone::Exclamation);
    accept();
}

void FrmTextes::annuler() {
    SimulationActive = 0;
    reject();
}

// Every way out comes here: the buttons, the close box, Escape.
void FrmTextes::done(int resultat) {
    if (resultat != Accepted || SimulationActive == 0)
        for (std::size_t i = 0; i < Boites.size(); ++i)
            reglages_.*Boites[i].reglage = PositionsInitiales[i];
    SimulationActive = 0;
    QDialog::done(resultat);
}

void FrmTextes::afficherNote() {
    dialogues_.message(
        this,
        QStringLiteral("Les proportions ne sont pas respectées par rapport à celles d'un chèque "
                       "réel, car il faudrait, pour cela, une police de très petite  taille.\n"
                       "ce qui n'est pas possible à réaliser.\n\n"
                       "Toutefois, les déplacements de texte, selon les indications portées "
                       "sur la page, sont réalistes."),
        Icone::Information);
}
