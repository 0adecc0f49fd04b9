#pragma once

#include "bouton/PuitsEvenements.h"
#include "bouton/SiteHote.h"
#include "bouton/hote/ChargeurControle.h"
#include <QMainWindow>
#include <memory>
#include <vector>

class QAction;
class QListWidget;
class QPlainTextEdit;

namespace atelier {

class DialoguesAtelier;
class FenetreAtelier;

// One control placed on the form, and the site and event sink it talks to.
class ControlePlace final : public bouton::SiteHote, public bouton::PuitsEvenements {
public:
    ControlePlace(FenetreAtelier& fenetre, QString nom);
    ~ControlePlace();

    uint32_t couleurFondAmbiante() const override;
    QFont policeAmbiante() const override;
    void proprieteModifiee(const QString& propriete) override;
    void evenement(int32_t id, QVariantList& arguments) override;

    const QString nom;
    bouton::hote::ControleCharge charge;
    // Until the control is on the form (loaded aside while a file opens), what it says does
    // not reach the window.
    bool surLeFormulaire = false;

private:
    FenetreAtelier& fenetre_;
};

// The design host: controls placed on a form by class identity, selected, edited through
// their property pages, saved to a file and loaded back. The form is live: hovering and
// pressing the controls works there, and their events go to the log.
class FenetreAtelier final : public QMainWindow {
    Q_OBJECT

public:
    explicit FenetreAtelier(DialoguesAtelier& dialogues, QWidget* parent = nullptr);
    ~FenetreAtelier() override;

    const std::vector<std::unique_ptr<ControlePlace>>& controles() const { return controles_; }
    // A new control of that style below the others; nullptr when it cannot be created.
    ControlePlace* placer(int32_t style);
    void selectionner(const QStringList& noms, bool ajouter = false);
    QList<ControlePlace*> selection() const;
    // The page frame over the selection, modal.
    void proprietes();
    void aPropos();
    void supprimer();
    bool enregistrer(const QString& chemin);
    bool ouvrir(const QString& chemin);
    bool modifie() const { return modifie_; }

private:
    friend class ControlePlace;

    std::unique_ptr<ControlePlace> creer(const QString& nom, bouton::Resultat* erreur);
    ControlePlace* adopter(std::unique_ptr<ControlePlace> place);
    void journaliser(const QString& ligne);
    void marquerModifie(bool modifie);
    void actualiserActions();
    void vider();
    QWidget* formulaire() const { return formulaire_; }

    DialoguesAtelier& dialogues_;
    QWidget* formulaire_;
    QListWidget* liste_;
    QPlainTextEdit* journal_;
    QAction* actionProprietes_;
    QAction* actionAPropos_;
    QAction* actionSupprimer_;
    std::vector<std::unique_ptr<ControlePlace>> controles_;
    int prochainNumero_ = 1;
    QString chemin_;
    bool modifie_ = false;
};

} // namespace atelier
