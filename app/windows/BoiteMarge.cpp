#include "windows/BoiteMarge.h"

#include "windows/NombreEnTete.h"

#include <QFocusEvent>
#include <QKeyEvent>

BoiteMarge::BoiteMarge(QWidget* parent) : QLineEdit(parent) {}

void BoiteMarge::pas(int delta) {
    const int valeur = ArrondirPosition(LireNombreEnTete(text()));
    setText(QString::number(ArrondirPosition(double(valeur) + delta)));
}

void BoiteMarge::keyPressEvent(QKeyEvent* e) {
    if (e->text() == QLatin1String("+")) {
        pas(+1);
        return;
    }
    if (e->text() == QLatin1String("-")) {
        pas(-1);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void BoiteMarge::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    selectAll();
    // The click that gave the focus would otherwise put the caret where it landed.
    toutSelectionnerAuClic_ = e->reason() == Qt::MouseFocusReason;
}

void BoiteMarge::mousePressEvent(QMouseEvent* e) {
    QLineEdit::mousePressEvent(e);
    if (toutSelectionnerAuClic_) {
        toutSelectionnerAuClic_ = false;
        selectAll();
    }
}
