#include "windows/EtiquetteMontant.h"

#include "cheque/PreparationMontant.h"

#include <QLabel>

EtiquetteMontant::EtiquetteMontant(QWidget* parent) : label_(new QLabel(parent)) {
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(false);
    label_->setTextFormat(Qt::PlainText);
    label_->setFrameShape(QFrame::Panel);
    label_->setFrameShadow(QFrame::Sunken);
    label_->setLineWidth(2);
    label_->setAutoFillBackground(true);
    signalerErreur(false);
}

void EtiquetteMontant::signalerErreur(bool erreur) {
    label_->setStyleSheet(QStringLiteral("QLabel { background: #ffffff; color: %1; "
                                         "border: 2px solid #307ead; padding: 4px; }")
                              .arg(erreur ? QStringLiteral("#c00000") : QStringLiteral("#000000")));
}

QWidget* EtiquetteMontant::widget() {
    return label_;
}

QString EtiquetteMontant::caption() const {
    return label_->text();
}

void EtiquetteMontant::ecrireCaption(const QString& texte) {
    label_->setText(CaptionAvecSautDeLigne(texte));
}

void EtiquetteMontant::ecrireFontName(const QString& nom) {
    QFont f = label_->font();
    f.setFamily(nom);
    label_->setFont(f);
}

void EtiquetteMontant::ecrireFontSize(float points) {
    if (points <= 0)
        return;
    QFont f = label_->font();
    f.setPointSizeF(points);
    label_->setFont(f);
}

void EtiquetteMontant::ecrireFontBold(bool gras) {
    QFont f = label_->font();
    f.setBold(gras);
    label_->setFont(f);
}
