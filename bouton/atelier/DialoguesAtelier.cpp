#include "DialoguesAtelier.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace atelier {

namespace {
const QString FiltreFormulaire = QStringLiteral("Formulaires BoutonKiv (*.bkf)");
}

QString DialoguesQt::fichierAOuvrir(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Ouvrir un formulaire"), {},
                                        FiltreFormulaire);
}

QString DialoguesQt::fichierAEnregistrer(QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Enregistrer le formulaire"), {},
                                        FiltreFormulaire);
}

QString DialoguesQt::imageAOuvrir(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Choisir une image"), {},
                                        QStringLiteral("Images (*.png *.bmp *.jpg *.ico *.gif)"));
}

std::optional<QColor> DialoguesQt::couleur(QWidget* parent, const QColor& initiale) {
    const QColor c = QColorDialog::getColor(initiale, parent, QStringLiteral("Couleur"));
    return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
}

std::optional<QFont> DialoguesQt::police(QWidget* parent, const QFont& initiale) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initiale, parent, QStringLiteral("Police"));
    return ok ? std::optional<QFont>(f) : std::nullopt;
}

void DialoguesQt::erreur(QWidget* parent, const QString& texte) {
    QMessageBox::critical(parent, QStringLiteral("Atelier BoutonKiv"), texte);
}

} // namespace atelier
