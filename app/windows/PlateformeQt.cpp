#include "windows/PlateformeQt.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QMessageBox::Icon IconeQt(Icone icone) {
    switch (icone) {
    case Icone::Information:
        return QMessageBox::Information;
    case Icone::Exclamation:
        return QMessageBox::Warning;
    case Icone::Critique:
        return QMessageBox::Critical;
    case Icone::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString Titre(const QString& titre) {
    return titre.isEmpty() ? TitreProgramme() : titre;
}

} // namespace

void DialoguesQt::message(QWidget* parent, const QString& texte, Icone icone,
                          const QString& titre) {
    QMessageBox boite(IconeQt(icone), Titre(titre), texte, QMessageBox::Ok, parent);
    boite.exec();
}

bool DialoguesQt::question(QWidget* parent, const QString& texte, const QString& titre) {
    QMessageBox boite(QMessageBox::Question, Titre(titre), texte,
                      QMessageBox::Yes | QMessageBox::No, parent);
    boite.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    boite.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    boite.setDefaultButton(QMessageBox::No);
    boite.setEscapeButton(QMessageBox::No);
    return boite.exec() == QMessageBox::Yes;
}

int DialoguesQt::choix(QWidget* parent, const QString& texte, const QStringList& boutons,
                       int parDefaut, const QString& titre) {
    QMessageBox boite(QMessageBox::Question, Titre(titre), texte, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> presses;
    for (const QString& b : boutons)
        presses.append(boite.addButton(b, QMessageBox::AcceptRole));
    if (parDefaut >= 0 && parDefaut < presses.size()) {
        boite.setDefaultButton(qobject_cast<QPushButton*>(presses[parDefaut]));
        boite.setEscapeButton(presses[parDefaut]);
    }
    boite.exec();
    const int i = int(presses.indexOf(boite.clickedButton()));
    return i >= 0 ? i : parDefaut;
}

std::optional<QVector<int>> DialoguesQt::cocher(QWidget* parent, const QString& invite,
                                                const QStringList& elements,
                                                const QString& titre) {
    QDialog boite(parent);
    boite.setWindowTitle(Titre(titre));
    auto* mise = new QVBoxLayout(&boite);
    auto* libelle = new QLabel(invite, &boite);
    libelle->setWordWrap(true);
    mise->addWidget(libelle);
    auto* liste = new QListWidget(&boite);
    liste->setObjectName(QStringLiteral("LstCocher"));
    for (const QString& e : elements) {
        auto* element = new QListWidgetItem(e, liste);
        element->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        element->setCheckState(Qt::Unchecked);
    }
    liste->setCurrentRow(0);
    // Every line whole, without a scroll bar across.
    liste->setMinimumWidth(liste->sizeHintForColumn(0) + 2 * liste->frameWidth() +
                           liste->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    libelle->setBuddy(liste);
    mise->addWidget(liste);
    // The space bar ticks the current line, as in any list of boxes.
    auto* boutons = new QDialogButtonBox(&boite);
    boutons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    QObject::connect(boutons, &QDialogButtonBox::accepted, &boite, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &boite, &QDialog::reject);
    mise->addWidget(boutons);
    liste->setFocus();
    if (boite.exec() != QDialog::Accepted)
        return std::nullopt;
    QVector<int> coches;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked)
            coches.append(i);
    return coches;
}

QString DialoguesQt::saisie(QWidget* parent, const QString& invite, const QString& titre,
                            const QString& defaut) {
    QInputDialog boite(parent);
    boite.setWindowTitle(Titre(titre));
    boite.setLabelText(invite);
    boite.setTextValue(defaut);
    boite.setOkButtonText(QStringLiteral("OK"));
    boite.setCancelButtonText(QStringLiteral("Annuler"));
    return boite.exec() == QDialog::Accepted ? boite.textValue() : QString();
}

QString DialoguesQt::ouvrirFichier(QWidget* parent, const QString& titre, const QString& dossier,
                                   const QString& filtre) {
    return QFileDialog::getOpenFileName(parent, titre, dossier, FiltreQt(filtre));
}

QString DialoguesQt::enregistrerFichier(QWidget* parent, const QString& titre,
                                        const QString& chemin, const QString& filtre) {
    return QFileDialog::getSaveFileName(parent, titre, chemin, FiltreQt(filtre));
}

QString FiltreQt(const QString& filtre) {
    const QStringList parties = filtre.split(u'|', Qt::SkipEmptyParts);
    QStringList filtres;
    for (qsizetype i = 0; i + 1 < parties.size(); i += 2) {
        // Qt parts patterns with blanks: "*.csv;*.txt" would match no file.
        const QString motifs = QString(parties[i + 1]).replace(u';', u' ');
        const QString entre = QStringLiteral("(%1)").arg(motifs);
        // "PDF (*.pdf)" already shows its patterns.
        filtres.append(parties[i].endsWith(entre) ? parties[i]
                                                  : QStringLiteral("%1 %2").arg(parties[i], entre));
    }
    return filtres.join(QStringLiteral(";;"));
}

QStringList ImprimantesQt::noms() const {
    return QPrinterInfo::availablePrinterNames();
}

QString ImprimantesQt::parDefaut() const {
    return QPrinterInfo::defaultPrinterName();
}

QStringList PolicesQt::familles() const {
    return FamillesUniques(QFontDatabase::families());
}

QStringList FamillesUniques(const QStringList& familles) {
    static const QRegularExpression fonderie(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    QStringList uniques;
    QSet<QString> vues;
    for (QString famille : familles) {
        famille.remove(fonderie);
        if (!famille.isEmpty() && !vues.contains(famille)) {
            vues.insert(famille);
            uniques.append(famille);
        }
    }
    return uniques;
}

QDateTime HorlogeQt::maintenant() const {
    return QDateTime::currentDateTime();
}

QString PressePapiersQt::texte() const {
    return QGuiApplication::clipboard()->text();
}

bool BureauQt::ouvrir(const QString& cheminOuAdresse) {
    const QUrl url = QFileInfo::exists(cheminOuAdresse) ? QUrl::fromLocalFile(cheminOuAdresse)
                                                        : QUrl(cheminOuAdresse);
    return QDesktopServices::openUrl(url);
}
