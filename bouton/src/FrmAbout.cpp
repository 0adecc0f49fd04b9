#include "FrmAbout.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace bouton {

namespace {

// The library's icon: a small button in relief, drawn rather than shipped as a file.
QPixmap icone() {
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter dessin(&p);
    dessin.fillRect(QRect(2, 6, 28, 20), QColor(0xEE, 0xE9, 0xD5));
    dessin.fillRect(QRect(2, 6, 28, 1), Qt::white);
    dessin.fillRect(QRect(2, 6, 1, 20), Qt::white);
    dessin.fillRect(QRect(2, 25, 28, 1), QColor(0x30, 0x7E, 0xAD));
    dessin.fillRect(QRect(29, 6, 1, 20), QColor(0x30, 0x7E, 0xAD));
    dessin.fillRect(QRect(8, 14, 16, 4), QColor(0x30, 0x7E, 0xAD));
    return p;
}

} // namespace

QString FrmAbout::texteVersion() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(BOUTON_VERSION_MAJEURE)
        .arg(BOUTON_VERSION_MINEURE)
        .arg(BOUTON_VERSION_REVISION);
}

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("À propos de BoutonKiv"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(icone());
    auto* titre = new QLabel(QStringLiteral("Bouton_Kiv_W9x"), this);
    titre->setObjectName(QStringLiteral("lblTitle"));
    QFont gras = titre->font();
    gras.setBold(true);
    titre->setFont(gras);
    auto* lblDescription = new QLabel(
        QString(68, u' ') + QStringLiteral("Essai de création d'un premier contrôle  ActiveX"),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    // One line: its leading blanks carry the text clear of the icon.
    lblDescription->setWordWrap(false);
    lblDescription->setMinimumWidth(
        lblDescription->fontMetrics().horizontalAdvance(lblDescription->text()) + 4);
    auto* lblVersion = new QLabel(texteVersion(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblDisclaimer = new QLabel(
        QStringLiteral("Ce contrôle est fourni tel quel, sans garantie d'aucune sorte."), this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* grille = new QGridLayout(this);
    grille->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grille->addWidget(titre, 0, 1);
    grille->addWidget(lblVersion, 1, 1);
    grille->addWidget(lblDescription, 2, 0, 1, 2);
    grille->addWidget(lblDisclaimer, 3, 0, 1, 2);
    grille->addWidget(cmdOK, 4, 1, Qt::AlignRight);
}

} // namespace bouton
