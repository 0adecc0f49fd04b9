#include "windows/FrmApercu.h"

#include "cheque/DispositionMots.h"
#include "cheque/SurfacePeinte.h"
#include "settings/Reglages.h"
#include "windows/EchelleEcran.h"
#include "windows/FrmEtalonnage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kHauteurCheque = 80.0;
constexpr double kZoomMin = 0.5; // pixels per millimetre
constexpr double kZoomMax = 20.0;
constexpr int kMargePage = 12; // pixels of the dark background round the page

// Dark thumbs on a light track: the toolkit's light thumb on a darker track
// reads the wrong way round, its track taken for the thumb at the far end.
const char* const kBarresDefilement = R"(
QScrollBar:vertical { background: #e8e8e8; width: 14px; margin: 0; }
QScrollBar:horizontal { background: #e8e8e8; height: 14px; margin: 0; }
QScrollBar::handle { background: #8c8c8c; border-radius: 4px; margin: 2px; }
QScrollBar::handle:hover, QScrollBar::handle:pressed { background: #6a6a6a; }
QScrollBar::handle:vertical { min-height: 32px; }
QScrollBar::handle:horizontal { min-width: 32px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

// The page as the printer takes it: the renderer asks for a printer, so it
// draws at true positions and sizes rather than the small simulation.
class SurfaceApercu final : public SurfacePeinte {
public:
    SurfaceApercu(QImage& image, QPointF decalagePixels)
        : SurfacePeinte(image), image_(image), decalage_(decalagePixels) {}
    bool estImprimante() const override { return true; }
    bool choisirImprimante(const QString&) override { return false; }
    bool definirPage(int orientation) override { return orientation == 1 || orientation == 2; }

protected:
    bool commencer() override {
        if (peintre_.isActive())
            return true;
        if (!peintre_.begin(&image_))
            return false;
        peintre_.setRenderHint(QPainter::TextAntialiasing);
        peintre_.translate(decalage_);
        peintre_.setPen(Qt::black);
        return true;
    }

private:
    QImage& image_;
    QPointF decalage_;
};

} // namespace

// The page with a gap and a thin border round it, so that its edges, and an
// outline drawn on them, never sit under the scroll area's frame.
class PageAffichee final : public QLabel {
public:
    PageAffichee() {
        setObjectName(QStringLiteral("ImagePage"));
        setContentsMargins(kMargePage, kMargePage, kMargePage, kMargePage);
        setAlignment(Qt::AlignCenter);
    }
    void afficher(const QPixmap& page) {
        setPixmap(page);
        resize((QSizeF(page.size()) / page.devicePixelRatio()).toSize() +
               QSize(2 * kMargePage, 2 * kMargePage));
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QLabel::paintEvent(e);
        QPainter p(this);
        p.setPen(QColor(60, 60, 60));
        p.drawRect(contentsRect().adjusted(-1, -1, 0, 0));
    }
};

QMarginsF MargesImprimante(const QString& imprimante) {
    if (imprimante.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(imprimante))
        return {};
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(imprimante);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QPageLayout page = printer.pageLayout();
    return page.minimumMargins(); // in the layout's units: millimetres for A4
}

QImage DessinerApercu(const Reglages& r, const TextesCheque& textes, double pixelsParMm,
                      const QMarginsF& marges) {
    const bool paysage = r.Orientation == 2;
    const QSizeF feuille = paysage ? QSizeF(297, 210) : QSizeF(210, 297);
    QImage image((feuille * pixelsParMm).toSize(), QImage::Format_RGB32);
    const int pointsParMetre = qRound(pixelsParMm * 1000);
    image.setDotsPerMeterX(pointsParMetre);
    image.setDotsPerMeterY(pointsParMetre);
    image.fill(Qt::white);

    // The cheque's outline, light and dashed: a guide on screen only.
    {
        QPainter peintre(&image);
        QPen trait(QColor(150, 170, 210), 0, Qt::DashLine);
        peintre.setPen(trait);
        const QPointF origine(marges.left() + r.MargeDroite, marges.top() + r.MargeHaute);
        peintre.drawRect(
            QRectF(origine * pixelsParMm, QSizeF(kLargeurCheque, kHauteurCheque) * pixelsParMm));
    }
    SurfaceApercu surface(image, QPointF(marges.left(), marges.top()) * pixelsParMm);
    ImprimerCheque(surface, r, textes);
    return image;
}

FrmApercu::FrmApercu(const Reglages& r, TextesCheque textes, QWidget* parent)
    : QDialog(parent), reglages_(r), textes_(std::move(textes)),
      marges_(MargesImprimante(r.Imprimante)) {
    setObjectName(QStringLiteral("FrmApercu"));
    setWindowTitle(QStringLiteral("Aperçu avant impression"));

    defilement_ = new QScrollArea(this);
    defilement_->setAlignment(Qt::AlignCenter);
    defilement_->setBackgroundRole(QPalette::Dark);
    defilement_->setStyleSheet(QLatin1String(kBarresDefilement));
    page_ = new PageAffichee;
    defilement_->setWidget(page_);

    auto bouton = [this](const char* nom, const QString& texte) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(QLatin1String(nom));
        b->setAutoDefault(false);
        return b;
    };
    auto* ajuster = bouton("BtnAjuster", QStringLiteral("Ajuster à la fenêtre"));
    auto* reelle = bouton("BtnTailleReelle", QStringLiteral("100 %"));
    auto* plus = bouton("BtnZoomPlus", QStringLiteral("Zoom +"));
    auto* moins = bouton("BtnZoomMoins", QStringLiteral("Zoom −"));
    auto* etalonner = bouton("BtnEtalonner", QStringLiteral("Étalonner l'écran"));
    auto* imprimer = bouton("BtnImprimer", QStringLiteral("Imprimer"));
    auto* fermer = bouton("BtnFermer", QStringLiteral("Fermer"));
    connect(ajuster, &QPushButton::clicked, this, &FrmApercu::ajuster);
    connect(reelle, &QPushButton::clicked, this, &FrmApercu::tailleReelle);
    connect(plus, &QPushButton::clicked, this, [this] { zoomer(1.25); });
    connect(moins, &QPushButton::clicked, this, [this] { zoomer(1 / 1.25); });
    connect(etalonner, &QPushButton::clicked, this, &FrmApercu::etalonner);
    connect(imprimer, &QPushButton::clicked, this, [this] {
        accept();
        emit imprimerDemande();
    });
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);

    auto* barre = new QHBoxLayout;
    for (QPushButton* b : {ajuster, reelle, plus, moins, etalonner})
        barre->addWidget(b);
    barre->addStretch();
    barre->addWidget(imprimer);
    barre->addWidget(fermer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(barre);
    colonne->addWidget(defilement_, 1);
    resize(900, 760);
}

double FrmApercu::echelleReelle() const {
    return PixelsParMmReels(screen());
}

void FrmApercu::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (ajusteAuPremierAffichage_) {
        ajusteAuPremierAffichage_ = false;
        ajuster();
    }
}

void FrmApercu::ajuster() {
    const bool paysage = reglages_.Orientation == 2;
    const QSizeF feuille = paysage ? QSizeF(297, 210) : QSizeF(210, 297);
    const QSize place =
        defilement_->viewport()->size() - QSize(2 * kMargePage + 2, 2 * kMargePage + 2);
    echelle_ =
        std::clamp(std::min(place.width() / feuille.width(), place.height() / feuille.height()),
                   kZoomMin, kZoomMax);
    redessiner();
}

void FrmApercu::tailleReelle() {
    echelle_ = echelleReelle();
    redessiner();
}

void FrmApercu::zoomer(double facteur) {
    echelle_ = std::clamp(echelle_ * facteur, kZoomMin, kZoomMax);
    redessiner();
}

void FrmApercu::etalonner() {
    auto* dialogue = new FrmEtalonnage(this);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialogue, &QDialog::accepted, this, &FrmApercu::tailleReelle);
    dialogue->open();
}

void FrmApercu::redessiner() {
    // Drawn in the screen's own pixels, so that a scaled display keeps it sharp.
    const double ratio = devicePixelRatioF();
    QImage image = DessinerApercu(reglages_, textes_, echelle_ * ratio, marges_);
    image.setDevicePixelRatio(ratio);
    page_->afficher(QPixmap::fromImage(image));
}
