#include "windows/FrmApercu.h"

#include "cheque/DispositionMots.h"
#include "settings/Reglages.h"
#include "cheque/SurfacePeinte.h"

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
        peintre.setPen(QColor(200, 200, 200));
        peintre.drawRect(QRectF(QPointF(0, 0), QSizeF(image.size())).adjusted(0, 0, -1, -1));
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
    page_ = new QLabel;
    page_->setObjectName(QStringLiteral("ImagePage"));
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
    auto* imprimer = bouton("BtnImprimer", QStringLiteral("Imprimer"));
    auto* fermer = bouton("BtnFermer", QStringLiteral("Fermer"));
    connect(ajuster, &QPushButton::clicked, this, &FrmApercu::ajuster);
    connect(reelle, &QPushButton::clicked, this, &FrmApercu::tailleReelle);
    connect(plus, &QPushButton::clicked, this, [this] { zoomer(1.25); });
    connect(moins, &QPushButton::clicked, this, [this] { zoomer(1 / 1.25); });
    connect(imprimer, &QPushButton::clicked, this, [this] {
        accept();
        emit imprimerDemande();
    });
    connect(fermer, &QPushButton::clicked, this, &QDialog::reject);

    auto* barre = new QHBoxLayout;
    for (QPushButton* b : {ajuster, reelle, plus, moins})
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
    const QScreen* ecran = screen();
    const double ppp = ecran ? ecran->physicalDotsPerInchX() : 96.0;
    return (ppp > 0 ? ppp : 96.0) / 25.4;
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
    const QSize place = defilement_->viewport()->size() - QSize(8, 8);
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

void FrmApercu::redessiner() {
    page_->setPixmap(QPixmap::fromImage(DessinerApercu(reglages_, textes_, echelle_, marges_)));
    page_->resize(page_->pixmap().size());
}
