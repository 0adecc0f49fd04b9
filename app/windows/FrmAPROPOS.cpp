#include "windows/FrmAPROPOS.h"

#include "windows/ApercuCheque.h"
#include "windows/AppScribane.h"
#include "windows/PanneauDegrade.h"
#include "Projet.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

// The images live in this static library: their resource must be pulled in.
static void InitialiserRessources() {
    Q_INIT_RESOURCE(apropos);
}

namespace {

constexpr int kLargeur = 440;
constexpr int kHauteur = 250;

// An envelope beside the addresses: decoration only.
QPixmap DessinEnveloppe(int cote) {
    QPixmap image(cote, cote);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF corps(cote * 0.08, cote * 0.22, cote * 0.84, cote * 0.56);
    p.setPen(QPen(QColor(0x1d, 0x3b, 0x53), cote / 24.0));
    p.setBrush(QColor(0xfd, 0xf8, 0xe8));
    p.drawRoundedRect(corps, cote * 0.05, cote * 0.05);
    QPainterPath rabat;
    rabat.moveTo(corps.topLeft());
    rabat.lineTo(corps.center().x(), corps.top() + corps.height() * 0.55);
    rabat.lineTo(corps.topRight());
    p.setBrush(Qt::NoBrush);
    p.drawPath(rabat);
    return image;
}

QLabel* NouvelleEtiquette(QWidget* parent, const char* nom, const QString& texte, QRect place) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QLatin1String(nom));
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(place);
    return l;
}

void Souligner(QLabel* l, bool souligne) {
    QFont f = l->font();
    f.setUnderline(souligne);
    l->setFont(f);
}

} // namespace

FrmAPROPOS::FrmAPROPOS(AppScribane& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), app_(app) {
    InitialiserRessources();
    setObjectName(QStringLiteral("FrmAPROPOS"));
    setModal(true);
    setFixedSize(kLargeur, kHauteur);
    construire();
}

void FrmAPROPOS::construire() {
    panneau_ = new PanneauDegrade(this);
    panneau_->setObjectName(QStringLiteral("HLBPanel"));
    panneau_->setGeometry(0, 0, kLargeur, kHauteur);
    connect(panneau_, &PanneauDegrade::pointeurDeplace, this, &FrmAPROPOS::survolerPanneau);

    const QColor encre(0x1d, 0x3b, 0x53);
    QPalette palette = panneau_->palette();
    palette.setColor(QPalette::WindowText, encre);
    panneau_->setPalette(palette);

    auto* image1 = new QLabel(panneau_);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(QPixmap(QStringLiteral(":/apropos/scribane.png"))
                          .scaled(72, 72, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    image1->setGeometry(18, 22, 72, 72);

    auto* nom =
        NouvelleEtiquette(panneau_, "LblNom", QStringLiteral("SCRIBANE"), QRect(108, 18, 260, 40));
    QFont grand = nom->font();
    grand.setPointSizeF(grand.pointSizeF() * 2.2);
    grand.setBold(true);
    grand.setLetterSpacing(QFont::PercentageSpacing, 110);
    nom->setFont(grand);

    NouvelleEtiquette(panneau_, "LblCredit",
                      QStringLiteral("Conçu et programmé par l'équipe Scribane"),
                      QRect(108, 60, 310, 20));
    NouvelleEtiquette(panneau_, "LblDate", QStringLiteral("Novembre 2024"),
                      QRect(108, 82, 150, 20));
    NouvelleEtiquette(panneau_, "Lblversion",
                      QStringLiteral("[Version %1.%2.%3]")
                          .arg(kVersionMajeure)
                          .arg(kVersionMineure)
                          .arg(kVersionRevision),
                      QRect(108, 104, 200, 20));

    auto ligne = [this](const char* nomLigne, int y) {
        auto* l = new QFrame(panneau_);
        l->setObjectName(QLatin1String(nomLigne));
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        l->setGeometry(18, y, kLargeur - 36, 2);
    };
    ligne("Line1", 138);
    ligne("Line2", 222);

    auto* image2 = new QLabel(panneau_);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(DessinEnveloppe(48));
    image2->setGeometry(30, 154, 48, 48);

    QPalette lien = palette;
    lien.setColor(QPalette::WindowText, QColor(0x1f, 0x5f, 0x9f));
    label1_ = NouvelleEtiquette(panneau_, "Label1", QString::fromUtf8(kAdresseWeb),
                                QRect(108, 154, 310, 20));
    label2_ = NouvelleEtiquette(panneau_, "Label2", QString::fromUtf8(kAdresseCourriel),
                                QRect(108, 182, 310, 20));
    for (QLabel* l : {label1_, label2_}) {
        l->setPalette(lien);
        l->setMouseTracking(true);
        l->installEventFilter(this);
    }

    auto* fermer = new QToolButton(panneau_);
    fermer->setObjectName(QStringLiteral("Bouton_Kiv_XP1"));
    fermer->setText(QStringLiteral("x"));
    fermer->setAutoRaise(true);
    fermer->setGeometry(kLargeur - 30, 6, 24, 22);
    connect(fermer, &QToolButton::clicked, this, &QWidget::close);

    // Out of sight: it only holds the focus, so no visible control shows a
    // focus mark.
    cmdf_ = new QPushButton(QStringLiteral("Command1"), panneau_);
    cmdf_->setObjectName(QStringLiteral("cmdf"));
    cmdf_->setAutoDefault(false);
    cmdf_->setGeometry(kLargeur + 40, kHauteur + 40, 80, 24);
}

bool FrmAPROPOS::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        cmdf_->setFocus();
    return QDialog::event(e);
}

// Without a window system (offscreen) no activation comes: the focus is also
// placed when the window shows.
void FrmAPROPOS::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    cmdf_->setFocus();
}

bool FrmAPROPOS::eventFilter(QObject* objet, QEvent* e) {
    auto* lien = qobject_cast<QLabel*>(objet);
    if (lien != label1_ && lien != label2_)
        return QDialog::eventFilter(objet, e);
    if (e->type() == QEvent::MouseMove) {
        if (lien == label1_)
            survolerLien(label1_, survolWeb_, label2_, survolCourriel_);
        else
            survolerLien(label2_, survolCourriel_, label1_, survolWeb_);
        return true; // over a label is not over the panel
    }
    if (e->type() == QEvent::MouseButtonRelease) {
        const auto* souris = static_cast<QMouseEvent*>(e);
        if (souris->button() == Qt::LeftButton &&
            lien->rect().contains(souris->position().toPoint()))
            cliquerLien(lien);
        return true;
    }
    return QDialog::eventFilter(objet, e);
}

void FrmAPROPOS::survolerLien(QLabel* lien, quint8& survol, QLabel* autre, quint8& survolAutre) {
    if (survol == 0) {
        lien->setCursor(ApercuCheque::curseurRepos());
        Souligner(lien, true);
        Souligner(autre, false);
        survol = 1;
    }
    survolAutre = 0;
}

void FrmAPROPOS::survolerPanneau() {
    Souligner(label1_, false);
    Souligner(label2_, false);
    survolWeb_ = 0;
    survolCourriel_ = 0;
}

// The desktop opens the address with the user's browser or mail program; when
// it cannot, there is nothing more this window could do.
void FrmAPROPOS::cliquerLien(QLabel* lien) {
    if (lien == label1_)
        app_.plateforme.bureau.ouvrir(label1_->text());
    else
        app_.plateforme.bureau.ouvrir(QStringLiteral("mailto:") + label2_->text());
}
