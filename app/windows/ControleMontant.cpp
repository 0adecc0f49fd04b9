#include "windows/ControleMontant.h"

#include "bouton/Identites.h"
#include "bouton/hote/ChargeurControle.h"
#include "bouton/hote/SacMemoire.h"
#include "bouton/hote/SiteWidget.h"

#include <QFont>
#include <QWidget>

std::unique_ptr<ControleMontant>
ControleMontant::Creer(QWidget* parent, const QString& bibliotheque, QString* erreur) {
    std::unique_ptr<ControleMontant> montant(new ControleMontant);
    montant->site_ = std::make_unique<bouton::hote::SiteWidget>(parent);
    bouton::Resultat resultat;
    const auto charge = bouton::hote::CreerControleOuEnregistrer(
        QLatin1String(bouton::ProgIdBouton), parent, montant->site_.get(),
        bibliotheque.isEmpty() ? bouton::hote::BibliothequeVoisine() : bibliotheque, &resultat);
    if (!charge) {
        if (erreur)
            *erreur = resultat.message;
        return nullptr;
    }

    // The label's look as the window saved it: a framed white label in relief.
    QFont police(QStringLiteral("MS Sans Serif"));
    police.setPointSizeF(8.25);
    bouton::hote::SacMemoire sac;
    const std::pair<const char*, QVariant> valeurs[] = {
        {"BordColSombre", 0x00AD7E30u},
        {"Bord1ColClair", 0x00F3F3CFu},
        {"Bord2ColClair", 0x00F3F3CFu},
        {"BackColor", 0x00D5E9EEu},
        {"Style", 3},
        {"Font", police},
        {"EtiColOut", 0x00FFFFFFu},
        {"EtiColOut", 0x00FFFFFFu},
        {"EtiColOver", 0x00D5E9EEu},
        {"BackColorOver", 0x00D5E9EEu},
        {"BackColorOut", 0x00D5E9EEu},
        {"Bordure", 1},
        {"FontName", QStringLiteral("MS Sans Serif")},
        {"FontSize", 8.25f},
    };
    for (const auto& [cle, valeur] : valeurs)
        sac.ajouter(QLatin1String(cle), valeur);
    const bouton::Resultat chargement = charge->controle->charger(sac);
    if (!chargement.reussi()) {
        if (erreur)
            *erreur = chargement.message;
        delete charge->widget;
        return nullptr;
    }
    charge->controle->definirTailleTwips(5655, 870);
    montant->widget_ = charge->widget;
    montant->dispatch_ = charge->dispatch;
    montant->dispatch_->lire(bouton::membre::EtiFoCoOut, montant->couleurTexte_);
    return montant;
}

ControleMontant::~ControleMontant() = default;

QWidget* ControleMontant::widget() {
    return widget_;
}

QString ControleMontant::caption() const {
    QVariant valeur;
    return dispatch_->lire(bouton::membre::Caption, valeur).reussi() ? valeur.toString()
                                                                     : QString();
}

// Strings are handed over as copies; a value the control refuses leaves it as it was.
void ControleMontant::ecrireCaption(const QString& texte) {
    dispatch_->ecrire(bouton::membre::Caption, QVariant(QString(texte)));
}

void ControleMontant::ecrireFontName(const QString& nom) {
    dispatch_->ecrire(bouton::membre::FontName, QVariant(QString(nom)));
}

void ControleMontant::ecrireFontSize(float points) {
    dispatch_->ecrire(bouton::membre::FontSize, QVariant(points));
}

void ControleMontant::ecrireFontBold(bool gras) {
    dispatch_->ecrire(bouton::membre::FontBold, QVariant(gras));
}

void ControleMontant::signalerErreur(bool erreur) {
    // OLE colours are 0x00BBGGRR: a dark red. The hover colour too, so that
    // the pointer over the label does not hide the error.
    const QVariant couleur = erreur ? QVariant(0x000000C0u) : couleurTexte_;
    if (!couleur.isValid())
        return;
    dispatch_->ecrire(bouton::membre::EtiFoCoOut, couleur);
    dispatch_->ecrire(bouton::membre::EtiFoCoOver, couleur);
}
