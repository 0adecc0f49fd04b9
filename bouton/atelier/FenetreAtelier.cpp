#include "FenetreAtelier.h"

#include "CadrePages.h"
#include "DialoguesAtelier.h"
#include "FichierFormulaire.h"
#include "bouton/Identites.h"
#include "bouton/hote/SacMemoire.h"
#include "bouton/hote/SiteWidget.h"
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <limits>

namespace atelier {

namespace {

struct StylePlace {
    int32_t style;
    const char* nom;         // as the property page lists it, without its trailing blank
    const char* objet;       // object name of the menu action
    double largeur, hauteur; // twips
};

const StylePlace Styles[] = {
    {bouton::Image, "Image", "placerImage", 1440, 1080},
    {bouton::Etiquette, "Etiquette", "placerEtiquette", 2400, 600},
    {bouton::EtiqCentree, "EtiqCentrée", "placerEtiqCentree", 2400, 600},
    {bouton::EtiqRelief, "EtiqRelief", "placerEtiqRelief", 2400, 600},
    {bouton::Ligne, "Ligne", "placerLigne", 2400, 300},
};

QString nomEvenement(int32_t id) {
    namespace e = bouton::evenement;
    switch (id) {
    case e::Click:
        return QStringLiteral("Click");
    case e::Resize:
        return QStringLiteral("Resize");
    case e::MouseDown:
        return QStringLiteral("MouseDown");
    case e::MouseMove:
        return QStringLiteral("MouseMove");
    case e::MouseUp:
        return QStringLiteral("MouseUp");
    default:
        return QStringLiteral("Evénement %1").arg(id);
    }
}

constexpr int Marge = 12;

} // namespace

// --- Controls on the form --------------------------------------------------------------

ControlePlace::ControlePlace(FenetreAtelier& fenetre, QString nomControle)
    : nom(std::move(nomControle)), fenetre_(fenetre) {}

ControlePlace::~ControlePlace() {
    delete charge.widget;
}

uint32_t ControlePlace::couleurFondAmbiante() const {
    const QWidget* f = fenetre_.formulaire();
    return bouton::hote::SiteWidget::couleurOle(f->palette().color(f->backgroundRole()));
}

QFont ControlePlace::policeAmbiante() const {
    return fenetre_.formulaire()->font();
}

void ControlePlace::proprieteModifiee(const QString& propriete) {
    if (!surLeFormulaire)
        return;
    fenetre_.journaliser(QStringLiteral("%1.%2 modifiée").arg(nom, propriete));
    fenetre_.marquerModifie(true);
}

void ControlePlace::evenement(int32_t id, QVariantList& a) {
    if (!surLeFormulaire)
        return;
    QString ligne = nom + u' ' + nomEvenement(id);
    if (a.size() == 4)
        ligne += QStringLiteral(" Button=%1 Shift=%2 X=%3 Y=%4")
                     .arg(a[0].toInt())
                     .arg(a[1].toInt())
                     .arg(a[2].toFloat())
                     .arg(a[3].toFloat());
    fenetre_.journaliser(ligne);
    // Pressing a control selects it, as in a form designer; Ctrl adds it to the selection.
    if (id == bouton::evenement::MouseDown)
        fenetre_.selectionner({nom}, (a.value(1).toInt() & 2) != 0);
}

// --- Window -------------------------------------------------------------------------------

FenetreAtelier::FenetreAtelier(DialoguesAtelier& dialogues, QWidget* parent)
    : QMainWindow(parent), dialogues_(dialogues), formulaire_(new QWidget), liste_(new QListWidget),
      journal_(new QPlainTextEdit) {
    setObjectName(QStringLiteral("FenetreAtelier"));
    formulaire_->setObjectName(QStringLiteral("Formulaire"));
    formulaire_->setMinimumSize(420, 360);
    formulaire_->setAutoFillBackground(true);
    liste_->setObjectName(QStringLiteral("ListeControles"));
    liste_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    journal_->setObjectName(QStringLiteral("Journal"));
    journal_->setReadOnly(true);
    journal_->setMaximumBlockCount(1000);

    auto* defilement = new QScrollArea;
    defilement->setWidget(formulaire_);
    defilement->setWidgetResizable(true);
    auto* droite = new QSplitter(Qt::Vertical);
    droite->addWidget(liste_);
    droite->addWidget(journal_);
    auto* centre = new QSplitter;
    centre->addWidget(defilement);
    centre->addWidget(droite);
    centre->setStretchFactor(0, 3);
    centre->setStretchFactor(1, 2);
    centre->setSizes({540, 360});
    setCentralWidget(centre);

    QMenu* menuFormulaire = menuBar()->addMenu(QStringLiteral("&Formulaire"));
    QAction* ouvrir = menuFormulaire->addAction(QStringLiteral("&Ouvrir…"), this, [this] {
        const QString chemin = dialogues_.fichierAOuvrir(this);
        if (!chemin.isEmpty())
            this->ouvrir(chemin);
    });
    ouvrir->setObjectName(QStringLiteral("actionOuvrir"));
    ouvrir->setShortcut(QKeySequence::Open);
    QAction* enregistrer = menuFormulaire->addAction(QStringLiteral("&Enregistrer…"), this, [this] {
        const QString chemin = dialogues_.fichierAEnregistrer(this);
        if (!chemin.isEmpty())
            this->enregistrer(chemin);
    });
    enregistrer->setObjectName(QStringLiteral("actionEnregistrer"));
    enregistrer->setShortcut(QKeySequence::Save);
    menuFormulaire->addSeparator();
    menuFormulaire->addAction(QStringLiteral("&Quitter"), this, &QWidget::close);

    QMenu* menuControle = menuBar()->addMenu(QStringLiteral("&Contrôle"));
    QMenu* menuPlacer = menuControle->addMenu(QStringLiteral("&Placer"));
    for (const StylePlace& s : Styles) {
        QAction* a = menuPlacer->addAction(QString::fromUtf8(s.nom), this,
                                           [this, style = s.style] { placer(style); });
        a->setObjectName(QLatin1String(s.objet));
    }
    actionProprietes_ =
        menuControle->addAction(QStringLiteral("P&ropriétés…"), this, &FenetreAtelier::proprietes);
    actionProprietes_->setObjectName(QStringLiteral("actionProprietes"));
    actionSupprimer_ =
        menuControle->addAction(QStringLiteral("&Supprimer"), this, &FenetreAtelier::supprimer);
    actionSupprimer_->setObjectName(QStringLiteral("actionSupprimer"));
    menuControle->addSeparator();
    actionAPropos_ = menuControle->addAction(QStringLiteral("À pr&opos du contrôle…"), this,
                                             &FenetreAtelier::aPropos);
    actionAPropos_->setObjectName(QStringLiteral("actionAPropos"));

    connect(liste_, &QListWidget::itemSelectionChanged, this, &FenetreAtelier::actualiserActions);
    actualiserActions();
    marquerModifie(false);
    resize(900, 560);
}

FenetreAtelier::~FenetreAtelier() {
    vider();
}

void FenetreAtelier::journaliser(const QString& ligne) {
    journal_->appendPlainText(ligne);
}

void FenetreAtelier::marquerModifie(bool modifie) {
    modifie_ = modifie;
    const QString nom =
        chemin_.isEmpty() ? QStringLiteral("Nouveau formulaire") : QFileInfo(chemin_).fileName();
    setWindowTitle(QStringLiteral("Atelier BoutonKiv - %1%2").arg(nom, modifie ? u"*" : u""));
}

void FenetreAtelier::actualiserActions() {
    const bool choisis = !liste_->selectedItems().isEmpty();
    actionProprietes_->setEnabled(choisis);
    actionSupprimer_->setEnabled(choisis);
    actionAPropos_->setEnabled(choisis);
}

// Created hidden and apart from the form: adopter() puts it there.
std::unique_ptr<ControlePlace> FenetreAtelier::creer(const QString& nom, bouton::Resultat* erreur) {
    auto place = std::make_unique<ControlePlace>(*this, nom);
    auto charge = bouton::hote::CreerControleOuEnregistrer(
        QLatin1String(bouton::ProgIdBouton), formulaire_, place.get(),
        bouton::hote::BibliothequeVoisine(), erreur);
    if (!charge)
        return nullptr;
    place->charge = *charge;
    charge->widget->setObjectName(nom);
    charge->controle->connecterPuits(place.get());
    return place;
}

ControlePlace* FenetreAtelier::adopter(std::unique_ptr<ControlePlace> place) {
    place->surLeFormulaire = true;
    liste_->addItem(place->nom);
    controles_.push_back(std::move(place));
    return controles_.back().get();
}

ControlePlace* FenetreAtelier::placer(int32_t style) {
    const StylePlace* choisi = nullptr;
    for (const StylePlace& s : Styles)
        if (s.style == style)
            choisi = &s;
    if (!choisi)
        return nullptr;
    int bas = Marge;
    for (const auto& c : controles_)
        bas = std::max(bas, c->charge.widget->geometry().bottom() + 1 + Marge);
    bouton::Resultat e;
    auto cree = creer(QStringLiteral("Bouton%1").arg(prochainNumero_), &e);
    if (!cree) {
        dialogues_.erreur(this, e.message);
        return nullptr;
    }
    ControlePlace* place = adopter(std::move(cree));
    ++prochainNumero_;
    bouton::Controle* controle = place->charge.controle;
    bouton::Resultat r = controle->initialiserNouveau();
    if (r.reussi())
        r = place->charge.dispatch->ecrire(bouton::membre::Style, style);
    if (!r.reussi())
        dialogues_.erreur(this, r.message);
    controle->definirTailleTwips(choisi->largeur, choisi->hauteur);
    place->charge.widget->move(Marge, bas);
    place->charge.widget->show();
    formulaire_->setMinimumHeight(
        std::max(formulaire_->minimumHeight(), place->charge.widget->geometry().bottom() + Marge));
    selectionner({place->nom});
    marquerModifie(true);
    return place;
}

void FenetreAtelier::selectionner(const QStringList& noms, bool ajouter) {
    if (!ajouter)
        liste_->clearSelection();
    for (int i = 0; i < liste_->count(); ++i)
        if (noms.contains(liste_->item(i)->text()))
            liste_->item(i)->setSelected(true);
}

// In the order the controls were placed; the first is the one single-control pages edit.
QList<ControlePlace*> FenetreAtelier::selection() const {
    QList<ControlePlace*> choisis;
    for (const auto& c : controles_)
        for (const QListWidgetItem* item : liste_->selectedItems())
            if (item->text() == c->nom)
                choisis << c.get();
    return choisis;
}

void FenetreAtelier::proprietes() {
    const QList<ControlePlace*> choisis = selection();
    if (choisis.isEmpty())
        return;
    QList<bouton::Dispatch*> dispatchs;
    for (ControlePlace* c : choisis)
        dispatchs << c->charge.dispatch;
    CadrePages cadre(choisis.first()->charge.controle->pagesProprietes(), dispatchs, dialogues_,
                     this);
    cadre.setWindowTitle(QStringLiteral("Propriétés de %1").arg(choisis.first()->nom));
    cadre.exec();
}

void FenetreAtelier::aPropos() {
    const QList<ControlePlace*> choisis = selection();
    if (choisis.isEmpty())
        return;
    QVariantList aucun;
    const bouton::Resultat r =
        choisis.first()->charge.dispatch->appeler(bouton::membre::ShowAboutBox, aucun, nullptr);
    if (!r.reussi())
        dialogues_.erreur(this, r.message);
}

void FenetreAtelier::supprimer() {
    const QList<ControlePlace*> choisis = selection();
    for (ControlePlace* c : choisis) {
        for (int i = 0; i < liste_->count(); ++i)
            if (liste_->item(i)->text() == c->nom)
                delete liste_->takeItem(i);
        std::erase_if(controles_, [c](const auto& p) { return p.get() == c; });
    }
    if (!choisis.isEmpty())
        marquerModifie(true);
}

void FenetreAtelier::vider() {
    liste_->clear();
    controles_.clear();
}

bool FenetreAtelier::enregistrer(const QString& chemin) {
    QList<ControleEnregistre> form;
    for (const auto& c : controles_) {
        bouton::hote::SacMemoire sac;
        if (bouton::Resultat r = c->charge.controle->enregistrer(sac); !r.reussi()) {
            dialogues_.erreur(this, r.message);
            return false;
        }
        form.append(
            {c->nom, c->charge.widget->pos(), c->charge.controle->tailleTwips(), sac.entrees()});
    }
    if (bouton::Resultat r = EcrireFormulaire(chemin, form); !r.reussi()) {
        dialogues_.erreur(this, r.message);
        return false;
    }
    chemin_ = chemin;
    marquerModifie(false);
    journaliser(QStringLiteral("Formulaire enregistré : %1").arg(QDir::toNativeSeparators(chemin)));
    return true;
}

bool FenetreAtelier::ouvrir(const QString& chemin) {
    bouton::Resultat e;
    auto form = LireFormulaire(chemin, &e);
    if (!form) {
        dialogues_.erreur(this, e.message);
        return false;
    }
    // Every control of the file is created and loaded aside, hidden; the form in use gives way
    // only once all of them are, so a file that a control refuses leaves it as it was.
    std::vector<std::unique_ptr<ControlePlace>> nouveaux;
    for (const ControleEnregistre& enregistre : *form) {
        auto place = creer(enregistre.nom, &e);
        if (place) {
            bouton::hote::SacMemoire sac;
            for (const auto& p : enregistre.proprietes)
                sac.ajouter(p.cle, p.valeur);
            e = place->charge.controle->charger(sac);
        }
        if (!place || !e.reussi()) {
            dialogues_.erreur(
                this, QStringLiteral("Le formulaire « %1 » ne peut pas être ouvert : %2 : %3")
                          .arg(QDir::toNativeSeparators(chemin), enregistre.nom, e.message));
            return false;
        }
        place->charge.controle->definirTailleTwips(enregistre.tailleTwips.width(),
                                                   enregistre.tailleTwips.height());
        place->charge.widget->move(enregistre.position);
        nouveaux.push_back(std::move(place));
    }

    vider();
    prochainNumero_ = 1;
    for (auto& nouveau : nouveaux) {
        ControlePlace* place = adopter(std::move(nouveau));
        place->charge.widget->show();
        formulaire_->setMinimumHeight(std::max(formulaire_->minimumHeight(),
                                               place->charge.widget->geometry().bottom() + Marge));
        // New names continue after the highest number of the form.
        bool nombre = false;
        const int numero = place->nom.mid(6).toInt(&nombre);
        if (place->nom.startsWith(QLatin1String("Bouton")) && nombre &&
            numero < std::numeric_limits<int>::max())
            prochainNumero_ = std::max(prochainNumero_, numero + 1);
    }
    chemin_ = chemin;
    marquerModifie(false);
    return true;
}

} // namespace atelier
