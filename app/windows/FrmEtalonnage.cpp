#include "windows/FrmEtalonnage.h"

#include "windows/EchelleEcran.h"

#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr double kLongueurMm = 100;
constexpr int kMarge = 16; // pixels either side of the line

} // namespace

// The line to measure: 100 mm with a long stroke at each end and a short one
// every centimetre, so a ruler is easy to lay against it.
class LigneEtalon : public QWidget {
public:
    explicit LigneEtalon(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("LigneEtalon"));
        setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    }
    void definirEchelle(double pixelsParMm) {
        pixelsParMm_ = pixelsParMm;
        updateGeometry();
        update();
    }
    // The line's length on the screen, in whole pixels.
    int longueurPixels() const { return int(std::lround(kLongueurMm * pixelsParMm_)); }
    QSize sizeHint() const override { return {longueurPixels() + 2 * kMarge + 1, 48}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QPen(Qt::black, 1));
        const int y = height() / 2;
        const int fin = kMarge + longueurPixels();
        p.drawLine(kMarge, y, fin, y);
        for (int cm = 0; cm <= 10; ++cm) {
            const int x = kMarge + int(std::lround(cm * 10 * pixelsParMm_));
            const int demi = cm == 0 || cm == 10 ? 14 : 5;
            p.drawLine(x, y - demi, x, y + demi);
        }
    }

private:
    double pixelsParMm_ = 96 / 25.4;
};

FrmEtalonnage::FrmEtalonnage(QWidget* parent)
    : QDialog(parent), ecran_(parent ? parent->screen() : QGuiApplication::primaryScreen()),
      annonce_(PixelsParMmAnnonces(ecran_)), depart_(CorrectionEcran(ecran_)), facteur_(depart_) {
    setObjectName(QStringLiteral("FrmEtalonnage"));
    setWindowTitle(QStringLiteral("Étalonner l'écran"));

    auto* consigne = new QLabel(
        QStringLiteral("Posez une règle graduée sur la ligne ci-dessous et mesurez-la d'un grand "
                       "trait à l'autre. Elle devrait mesurer 100 mm."),
        this);
    consigne->setWordWrap(true);
    ligne_ = new LigneEtalon(this);

    longueur_ = new QDoubleSpinBox(this);
    longueur_->setObjectName(QStringLiteral("TxtLongueurMesuree"));
    longueur_->setDecimals(1);
    longueur_->setSingleStep(0.5);
    longueur_->setSuffix(QStringLiteral(" mm"));
    // A measurement that would ask for an absurd correction is not offered.
    longueur_->setRange(std::ceil(kLongueurMm * depart_ / kCorrectionMax * 10) / 10,
                        std::floor(kLongueurMm * depart_ / kCorrectionMin * 10) / 10);
    longueur_->setValue(kLongueurMm);
    auto* etiquette = new QLabel(QStringLiteral("Longueur &mesurée :"), this);
    etiquette->setBuddy(longueur_);
    auto* mesure = new QHBoxLayout;
    mesure->addWidget(etiquette);
    mesure->addWidget(longueur_);
    mesure->addStretch();

    auto* suite = new QLabel(QStringLiteral("La ligne est aussitôt retracée à l'échelle "
                                            "corrigée : elle doit alors mesurer 100 mm."),
                             this);
    suite->setWordWrap(true);
    resolution_ = new QLabel(this);
    resolution_->setObjectName(QStringLiteral("LblResolution"));
    erreur_ = new QLabel(this);
    erreur_->setObjectName(QStringLiteral("LblErreur"));
    erreur_->setWordWrap(true);
    erreur_->setStyleSheet(QStringLiteral("color: #b00000;"));
    erreur_->hide();

    auto* retablir = new QPushButton(QStringLiteral("&Rétablir la taille annoncée"), this);
    retablir->setObjectName(QStringLiteral("BtnRetablir"));
    retablir->setAutoDefault(false);
    auto* enregistrer = new QPushButton(QStringLiteral("&Enregistrer"), this);
    enregistrer->setObjectName(QStringLiteral("BtnEnregistrer"));
    enregistrer->setDefault(true);
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName(QStringLiteral("BtnAnnuler"));
    annuler->setAutoDefault(false);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(retablir);
    boutons->addStretch();
    boutons->addWidget(enregistrer);
    boutons->addWidget(annuler);

    auto* colonne = new QVBoxLayout(this);
    // The dialog widens with the line when a correction lengthens it.
    colonne->setSizeConstraint(QLayout::SetMinimumSize);
    colonne->addWidget(consigne);
    colonne->addWidget(ligne_);
    colonne->addLayout(mesure);
    colonne->addWidget(suite);
    colonne->addWidget(resolution_);
    colonne->addWidget(erreur_);
    colonne->addLayout(boutons);

    connect(longueur_, &QDoubleSpinBox::valueChanged, this, [this](double mesure) {
        facteur_ = depart_ * kLongueurMm / mesure;
        mesureChangee();
    });
    // The box shows what the line as first drawn measures at the screen's own
    // report, to a tenth; the factor itself is exactly 1.
    connect(retablir, &QPushButton::clicked, this, [this] {
        const QSignalBlocker silence(longueur_);
        longueur_->setValue(kLongueurMm * depart_);
        facteur_ = 1;
        mesureChangee();
    });
    connect(enregistrer, &QPushButton::clicked, this, &FrmEtalonnage::enregistrer);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    mesureChangee();
    longueur_->setFocus();
    longueur_->selectAll();
}

double FrmEtalonnage::facteur() const {
    return facteur_;
}

double FrmEtalonnage::pixelsParMm() const {
    return annonce_ * facteur();
}

void FrmEtalonnage::mesureChangee() {
    ligne_->definirEchelle(pixelsParMm());
    const QLocale francais(QLocale::French);
    resolution_->setText(
        QStringLiteral("L'écran annonce %1 points par pouce ; l'aperçu en retiendra %2.")
            .arg(francais.toString(annonce_ * 25.4, 'f', 0),
                 francais.toString(pixelsParMm() * 25.4, 'f', 0)));
    erreur_->hide();
}

void FrmEtalonnage::enregistrer() {
    const Resultat<> fait = EnregistrerCorrectionEcran(ecran_, facteur());
    if (!fait) {
        erreur_->setText(
            QStringLiteral("L'étalonnage n'a pas pu être enregistré. %1").arg(fait.raison()));
        erreur_->show();
        return;
    }
    accept();
}
