#include "windows/FrmCB.h"

#include "cheque/HistoriqueJournal.h"
#include "cheque/LotCheques.h"
#include "cheque/PreparationMontant.h"
#include "cheque/Rendu.h"
#include "cheque/SurfaceSortie.h"
#include "cheque/TravailCheque.h"
#include "settings/AnalyseDemarrage.h"
#include "settings/ChargementChoix.h"
#include "settings/Configuration.h"
#include "settings/Enregistrement.h"
#include "settings/FichierIni.h"
#include "windows/AppScribane.h"
#include "windows/ControleMontant.h"
#include "windows/Dessins.h"
#include "windows/DossierDocuments.h"
#include "windows/EtiquetteMontant.h"
#include "windows/FrmAPROPOS.h"
#include "windows/FrmApercu.h"
#include "windows/FrmConfigure.h"
#include "windows/FrmHistorique.h"
#include "windows/ListesTriees.h"
#include "windows/Placement.h"
#include "words/MontantTexte.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

QString Guillemets(const QString& texte) {
    return QLatin1Char('"') + texte + QLatin1Char('"');
}

// The entry picked from a box, or -1 when its text was typed.
int IndexChoisi(const QComboBox* boite) {
    const int i = boite->currentIndex();
    return (i >= 0 && boite->itemText(i) == boite->currentText()) ? i : -1;
}

bool DansLaListe(const QComboBox* boite, const QString& texte) {
    return boite->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
}

// Font sizes a screen box can show sensibly; anything else leaves the box as it is.
bool TailleAffichable(int points) {
    return points >= 6 && points <= 48;
}

// The keys that give a shortcut of the table: Enter is on the main keys and
// on the keypad.
QList<Qt::Key> TouchesClavier(const ToucheRaccourci& touche) {
    if (touche.cle == Qt::Key_Return)
        return {Qt::Key_Return, Qt::Key_Enter};
    return {touche.cle};
}

} // namespace

FrmCB::FrmCB(AppScribane& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName(QStringLiteral("FrmCB"));
    setWindowTitle(QStringLiteral("     Scribane imprime  vos chèques bancaires ..."));
    construire();
    construireMenus();
    app_.aide.relier(this, SectionAide::FenetrePrincipale);
    resize(sizeHint().expandedTo(QSize(660, 390)));
}

FrmCB::~FrmCB() {
    // Child widgets still raise focus and change events while they go away,
    // after the amount label is gone.
    cboM_->removeEventFilter(this);
    cboM_->lineEdit()->removeEventFilter(this);
    image1_->removeEventFilter(this);
    disconnect(cboM_, nullptr, this, nullptr);
}

void FrmCB::construire() {
    auto* centre = new QWidget(this);
    setCentralWidget(centre);
    auto* grille = new QGridLayout(centre);
    grille->setContentsMargins(14, 10, 14, 12);
    grille->setHorizontalSpacing(10);
    grille->setVerticalSpacing(8);

    auto nouvelleBoite = [this](const char* nom) {
        auto* boite = new QComboBox(this);
        boite->setObjectName(QLatin1String(nom));
        boite->setEditable(true);
        boite->setInsertPolicy(QComboBox::NoInsert); // the program inserts, in sorted order
        boite->setMaxVisibleItems(20);
        boite->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        boite->setMinimumContentsLength(12);
        return boite;
    };
    auto nouveauLibelle = [this](const QString& texte, QWidget* copain) {
        auto* l = new QLabel(texte, this);
        l->setBuddy(copain);
        // An editable list is named after its text by some screen readers:
        // the description keeps what it is for.
        copain->setAccessibleDescription(texte);
        return l;
    };

    cboM_ = nouvelleBoite("CboM");
    cboD_ = nouvelleBoite("CboD");
    cboL_ = nouvelleBoite("CboL");
    cboM_->lineEdit()->installEventFilter(this);
    cboM_->installEventFilter(this);
    connect(cboM_, &QComboBox::editTextChanged, this, &FrmCB::montantModifie);
    // Picking an entry changes the text, which spells it; picking the entry
    // already shown changes nothing, and the label may have lost its words.
    connect(cboM_, &QComboBox::activated, this, [this] {
        if (!cboM_->currentText().isEmpty() && cboM_->currentText() != montantEpele_)
            PreparerMontant();
    });
    dtp_ = new QDateEdit(this);
    dtp_->setObjectName(QStringLiteral("DTP"));
    dtp_->setCalendarPopup(true);
    dtp_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtp_->setLocale(QLocale(QLocale::French, QLocale::France));
    // Today from the start, also on a first run where no choice fills it.
    dtp_->setDate(app_.plateforme.horloge.maintenant().date());

    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(DessinMinimiser(28));
    image1_->setToolTip(QStringLiteral("Minimise (ou  ALT + M)"));
    image1_->setAccessibleName(QStringLiteral("Minimiser"));
    image1_->setCursor(Qt::PointingHandCursor);
    image1_->installEventFilter(this);

    grille->addWidget(nouveauLibelle(QStringLiteral("Montant du chèque"), cboM_), 0, 0);
    grille->addWidget(cboM_, 0, 1);
    grille->addWidget(image1_, 0, 3, Qt::AlignRight | Qt::AlignTop);
    grille->addWidget(nouveauLibelle(QStringLiteral("Destinataire du chèque"), cboD_), 1, 0);
    grille->addWidget(cboD_, 1, 1, 1, 3);
    grille->addWidget(nouveauLibelle(QStringLiteral("Fait à :"), cboL_), 2, 0);
    grille->addWidget(cboL_, 2, 1);
    auto* ligneDate = new QHBoxLayout;
    ligneDate->addStretch();
    ligneDate->addWidget(nouveauLibelle(QStringLiteral("Date du chèque"), dtp_));
    ligneDate->addWidget(dtp_);
    grille->addLayout(ligneDate, 2, 2, 1, 2);

    lblMontant_ = std::make_unique<EtiquetteMontant>(this);
    lblMontant_->widget()->setObjectName(QStringLiteral("LblMontant"));
    lblMontant_->widget()->setMinimumHeight(58);
    grille->addWidget(lblMontant_->widget(), 3, 0, 1, 4);

    auto* groupe = new QGroupBox(QStringLiteral(" Choix d'impression sur"), this);
    groupe->setObjectName(QStringLiteral("FrameChoix"));
    auto* colonne = new QVBoxLayout(groupe);
    colonne->setSpacing(3);
    auto nouvelleInfo = [&](const char* nom) {
        auto* l = new QLabel(groupe);
        l->setObjectName(QLatin1String(nom));
        l->setTextFormat(Qt::PlainText);
        colonne->addWidget(l);
        return l;
    };
    lblImprimante_ = nouvelleInfo("LblImprimante");
    lblOrientation_ = nouvelleInfo("LblOrientation");
    lblPolice_ = nouvelleInfo("LblPolice");
    lblRaccourci_ = nouvelleInfo("LblRaccourci");
    colonne->addStretch();
    QFont gras = lblImprimante_->font();
    gras.setBold(true);
    lblImprimante_->setFont(gras);
    grille->addWidget(groupe, 4, 0, 1, 2);

    boutonImprimer_ = new QToolButton(this);
    boutonImprimer_->setObjectName(QStringLiteral("Bouton_Kiv_XP4"));
    boutonImprimer_->setText(QStringLiteral("Imprimer"));
    boutonImprimer_->setToolTip(QStringLiteral("Imprimer le chèque"));
    boutonImprimer_->setIcon(QIcon(DessinImprimante(48)));
    boutonImprimer_->setIconSize(QSize(48, 48));
    boutonImprimer_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    boutonImprimer_->setMinimumSize(96, 84);
    connect(boutonImprimer_, &QToolButton::clicked, this, &FrmCB::Imprimer);

    boutonAide_ = new QToolButton(this);
    boutonAide_->setObjectName(QStringLiteral("Bouton_Kiv_XP1"));
    boutonAide_->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    boutonAide_->setIconSize(QSize(28, 28));
    boutonAide_->setToolTip(QStringLiteral("Aide"));
    boutonAide_->setAccessibleName(QStringLiteral("Aide"));
    connect(boutonAide_, &QToolButton::clicked, this, &FrmCB::AfficherAide);

    boutonQuitter_ = new QPushButton(QStringLiteral("Quitter"), this);
    boutonQuitter_->setObjectName(QStringLiteral("Bouton_Kiv_XP3"));
    connect(boutonQuitter_, &QPushButton::clicked, this, &QWidget::close);

    auto* colonneImprimer = new QVBoxLayout;
    auto* titreImprimer = new QLabel(QStringLiteral("Imprimer le chèque"), this);
    titreImprimer->setAlignment(Qt::AlignCenter);
    colonneImprimer->addWidget(titreImprimer);
    colonneImprimer->addWidget(boutonImprimer_, 0, Qt::AlignHCenter);
    lblNumero_ = new QLabel(this);
    lblNumero_->setObjectName(QStringLiteral("LblNumero"));
    lblNumero_->setAlignment(Qt::AlignCenter);
    lblNumero_->hide();
    colonneImprimer->addWidget(lblNumero_);
    colonneImprimer->addStretch();
    auto* basDroite = new QHBoxLayout;
    basDroite->addWidget(boutonAide_);
    basDroite->addStretch();
    basDroite->addWidget(boutonQuitter_);
    colonneImprimer->addLayout(basDroite);
    grille->addLayout(colonneImprimer, 4, 2, 1, 2);

    grille->setColumnStretch(1, 1);
    grille->setColumnStretch(2, 1);

    // The print shortcut: one key of the settings' table, as the settings say.
    for (const ToucheRaccourci& touche : TouchesRaccourci) {
        const int code = touche.code;
        for (const Qt::Key cle : TouchesClavier(touche)) {
            auto* raccourci = new QShortcut(QKeySequence(cle), this);
            raccourci->setContext(Qt::WindowShortcut);
            raccourci->setEnabled(false);
            connect(raccourci, &QShortcut::activated, this,
                    [this, code] { toucheRaccourci(code); });
            raccourcis_.append({code, raccourci});
        }
    }

    auto* altM = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_M), this);
    altM->setContext(Qt::WindowShortcut);
    connect(altM, &QShortcut::activated, this, &FrmCB::Minimiser);
}

void FrmCB::construireMenus() {
    auto* barre = menuBar();
    auto commande = [this, barre](const char* nom, const QString& texte) {
        auto* action = barre->addAction(texte);
        action->setObjectName(QLatin1String(nom));
        return action;
    };

    auto* mnuQuitter = commande("mnuQuitter", QStringLiteral("&Quitter"));
    connect(mnuQuitter, &QAction::triggered, this, &QWidget::close);

    auto* mnuConfigure = commande("mnuConfigure", QStringLiteral("Configuration et Options"));
    connect(mnuConfigure, &QAction::triggered, this, &FrmCB::ouvrirConfiguration);

    mnuRafraichir_ = new QMenu(QStringLiteral("&Rafraichir les listes"), this);
    mnuRafraichir_->setObjectName(QStringLiteral("mnuRafraichir"));
    auto article = [this](const char* nom, const QString& texte) {
        auto* action = mnuRafraichir_->addAction(texte);
        action->setObjectName(QLatin1String(nom));
        return action;
    };
    connect(article("mnuSupM", QStringLiteral("Supprimer le montant sélectionné")),
            &QAction::triggered, this, [this] {
                supprimerSelection(cboM_, QStringLiteral("Sélectionnez un montant à supprimer !"));
            });
    connect(article("mnuSupMTous", QStringLiteral("Supprimer tous les montants")),
            &QAction::triggered, this, [this] { supprimerTout(cboM_, app_.reglages.Montant); });
    mnuRafraichir_->addSeparator();
    connect(article("mnuSupD", QStringLiteral("Supprimer le destinataire sélectionné")),
            &QAction::triggered, this, [this] {
                supprimerSelection(cboD_,
                                   QStringLiteral("Sélectionnez un destinataire à supprimer !"));
            });
    connect(article("mnuSupDTous", QStringLiteral("Supprimer tous les destinataires")),
            &QAction::triggered, this,
            [this] { supprimerTout(cboD_, app_.reglages.Ledestinataire); });
    mnuRafraichir_->addSeparator();
    connect(article("mnuSupL", QStringLiteral("Supprimer un &lieu d'émission")),
            &QAction::triggered, this, [this] {
                supprimerSelection(cboL_,
                                   QStringLiteral("Sélectionnez un lieu d'émission à supprimer !"));
            });
    barre->addMenu(mnuRafraichir_);
    mnuRafraichir_->menuAction()->setEnabled(false);

    auto* mnuImpression = new QMenu(QStringLiteral("Im&pression"), this);
    mnuImpression->setObjectName(QStringLiteral("mnuImpression"));
    auto* mnuApercu = mnuImpression->addAction(QStringLiteral("&Aperçu avant impression"));
    mnuApercu->setObjectName(QStringLiteral("mnuApercu"));
    mnuApercu->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(mnuApercu, &QAction::triggered, this, &FrmCB::AfficherApercu);
    auto* mnuPdf = mnuImpression->addAction(QStringLiteral("&Enregistrer en PDF…"));
    mnuPdf->setObjectName(QStringLiteral("mnuPdf"));
    connect(mnuPdf, &QAction::triggered, this, &FrmCB::EnregistrerPdf);
    auto* mnuLot = mnuImpression->addAction(QStringLiteral("Imprimer un &lot…"));
    mnuLot->setObjectName(QStringLiteral("mnuLot"));
    connect(mnuLot, &QAction::triggered, this, &FrmCB::ImprimerLot);
    barre->addMenu(mnuImpression);

    // The journals' two commands under one menu: side by side on the bar they
    // pushed "?" out of sight at the window's usual width.
    auto* mnuJournal = new QMenu(QStringLiteral("&Journal"), this);
    mnuJournal->setObjectName(QStringLiteral("mnuJournal"));
    auto* mnuHistorique = mnuJournal->addAction(QStringLiteral("&Historique des chèques…"));
    mnuHistorique->setObjectName(QStringLiteral("mnuHistorique"));
    auto* mnuRapprocher = mnuJournal->addAction(QStringLiteral("&Rapprocher un relevé…"));
    mnuRapprocher->setObjectName(QStringLiteral("mnuRapprocher"));
    auto* mnuVoir = mnuJournal->addAction(QStringLiteral("&Voir les journaux"));
    mnuVoir->setObjectName(QStringLiteral("mnuVoir"));
    connect(mnuVoir, &QAction::triggered, this, &FrmCB::voirJournaux);
    barre->addMenu(mnuJournal);
    auto ouvrirHistorique = [this](bool rapprocher) {
        FrmHistorique historique(app_, this);
        // The statement is asked once the history shows, its outstanding total behind it.
        if (rapprocher)
            QTimer::singleShot(0, &historique, &FrmHistorique::rapprocherReleve);
        app_.aide.relier(&historique, SectionAide::Historique);
        connect(&historique, &FrmHistorique::chequeChoisi, this,
                [this, &historique](const QString& montant, const QString& destinataire) {
                    reprendreCheque(montant, destinataire);
                    historique.accept();
                });
        historique.exec();
    };
    connect(mnuHistorique, &QAction::triggered, this, [ouvrirHistorique] { ouvrirHistorique(false); });
    connect(mnuRapprocher, &QAction::triggered, this, [ouvrirHistorique] { ouvrirHistorique(true); });

    auto* mnuHelp = new QMenu(QStringLiteral("?"), this);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    auto* mnuAide = mnuHelp->addAction(QStringLiteral("&Aide"));
    mnuAide->setObjectName(QStringLiteral("mnuAide"));
    connect(mnuAide, &QAction::triggered, this, &FrmCB::AfficherAide);
    mnuHelp->addSeparator();
    auto* mnuAP = mnuHelp->addAction(QStringLiteral("A &propos"));
    mnuAP->setObjectName(QStringLiteral("mnuAP"));
    connect(mnuAP, &QAction::triggered, this, [this] {
        FrmAPROPOS apropos(app_, this);
        apropos.exec();
    });
    barre->addMenu(mnuHelp);
    // Every menu stays on the bar, never behind its overflow button, however
    // narrow the window is made.
    setMinimumWidth(std::max(minimumSizeHint().width(), barre->sizeHint().width()));
}

void FrmCB::remplacerLblMontant(std::unique_ptr<AffichageMontant> affichage) {
    auto* grille = static_cast<QGridLayout*>(centralWidget()->layout());
    QWidget* ancien = lblMontant_->widget();
    QWidget* nouveau = affichage->widget();
    nouveau->setObjectName(QStringLiteral("LblMontant"));
    nouveau->setMinimumHeight(ancien->minimumHeight());
    grille->replaceWidget(ancien, nouveau);
    affichage->ecrireCaption(lblMontant_->caption());
    ancien->hide();
    ancien->deleteLater();
    lblMontant_ = std::move(affichage);
}

void FrmCB::demarrer() {
    const CheminsScribane& chemins = app_.chemins;
    Dialogues& dialogues = app_.plateforme.dialogues;

    QString erreurControle;
    if (auto controle =
            ControleMontant::Creer(centralWidget(), app_.bibliothequeControle, &erreurControle))
        remplacerLblMontant(std::move(controle));
    else
        dialogues.message(this,
                          QStringLiteral("Le composant qui affiche le montant en lettres "
                                         "(BoutonKiv_W9x) n'a pas pu être chargé :\n") +
                              erreurControle +
                              QStringLiteral("\n\nLe montant en lettres sera affiché dans une "
                                             "étiquette simple ; les chèques s'impriment "
                                             "normalement."),
                          Icone::Exclamation);

    PreparerDossier(chemins);
    ouvrirRegistre();
    const AnalyseDemarrage analyse = AnalyserDemarrage(chemins);
    switch (analyse.cas) {
    case CasDemarrage::ChoixRefait: {
        const auto ecrit = EcrireChoixCfg(chemins.choix(), analyse.valeurs);
        dialogues.message(
            this,
            QStringLiteral("Le fichier Choix.cfg était illisible : il a été refait d'après vos "
                           "réglages (choix n°%1 en cours).")
                    .arg(analyse.valeurs.courant) +
                (ecrit ? QString() : QStringLiteral("\n\n") + ecrit.raison()),
            ecrit ? Icone::Information : Icone::Exclamation);
        [[fallthrough]];
    }
    case CasDemarrage::ChoixLu:
        app_.etat.ChoixCourant = analyse.valeurs.courant;
        app_.etat.ChoixEnregistres = analyse.valeurs.enregistres;
        ChargerChoix();
        break;
    case CasDemarrage::PremierLancement:
        dialogues.message(
            this,
            QStringLiteral("Vous devez en premier lieu +++ vous rendre dans le menu ") +
                Guillemets(QStringLiteral("Configuration et Options")),
            Icone::Information);
        dialogues.message(
            this,
            QStringLiteral(
                "Deux choix d'options sont possibles, pouvant correspondre à 2 imprimantes "
                "différentes.\n\nSélectionnez un des 2 choix :\n\nDéterminez les options "
                "correspondantes, et enregistrez.\n(Il faudra enregistrer après chaque "
                "modification que vous pourrez faire par la suite pour qu'elle soit prise en "
                "compte.)\n\nVous n'aurez plus ensuite qu'à faire votre choix d'options (1 ou 2) "
                "en fonction de l'imprimante utilisée."),
            Icone::Information);
        break;
    case CasDemarrage::AncienFichier:
        dialogues.message(this,
                          QStringLiteral("Vous utilisez déjà une ancienne version.\n\nVos anciens "
                                         "choix d'options et de configuration vont être attribués "
                                         "au choix n°1."),
                          Icone::Information);
        if (const auto converti = ConvertirAncienFichier(chemins)) {
            app_.etat.ChoixCourant = 1;
            app_.etat.ChoixEnregistres = 1;
        } else {
            dialogues.message(this,
                              QStringLiteral("Vos anciens réglages n'ont pas pu être convertis ; "
                                             "ils restent tels quels.\n\n") +
                                  converti.raison(),
                              Icone::Critique);
        }
        break;
    }

    AppliquerDevisesParDefaut(app_.reglages);
    activerRafraichir(app_.etat.ChoixCourant != 0);
    afficherNumero();
}

void FrmCB::ouvrirRegistre() {
    Dialogues& dialogues = app_.plateforme.dialogues;
    OuvertureRegistre rapport;
    auto registre = Registre::ouvrir(app_.chemins, &rapport);
    if (!registre) {
        app_.raisonRegistre = registre.raison();
        dialogues.message(this,
                          registre.raison() +
                              QStringLiteral("\n\nAucun chèque ne sera imprimé tant que le "
                                             "registre ne peut pas le noter."),
                          Icone::Critique);
        return;
    }
    app_.registre = std::move(registre.valeur());
    app_.raisonRegistre.clear();
    // The journals taken in on the first start are said; later ones silently.
    if (!rapport.cree && rapport.endommage.isEmpty())
        rapport.importes = 0;
    for (const QString& m : rapport.messages())
        dialogues.message(this, m,
                          rapport.endommage.isEmpty() && rapport.interrompus == 0
                              ? Icone::Information
                              : Icone::Exclamation);
}

void FrmCB::afficherNumero() {
    if (!lblNumero_)
        return;
    const auto chequier = app_.registre
                              ? app_.registre->chequierDuChoix(app_.etat.ChoixCourant == 2 ? 2 : 1)
                              : Resultat<Chequier>(Echec{});
    const bool numerote = chequier && chequier->numeroter;
    lblNumero_->setVisible(numerote);
    if (numerote)
        lblNumero_->setText(QStringLiteral("Chèque ") + NumeroCheque(chequier->prochain));
}

void FrmCB::activerRafraichir(bool actif) {
    mnuRafraichir_->menuAction()->setEnabled(actif);
}

void FrmCB::ChargerChoix(bool avecListes) {
    Reglages& r = app_.reglages;
    const ChoixCharge charge = ChargerReglages(app_.chemins, app_.etat, r, avecListes);

    if (charge.chequePresent) {
        afficherPolice(charge.sectionLue);
        if (avecListes) {
            AjouterTries(cboM_, charge.listes.montants);
            AjouterTries(cboD_, charge.listes.destinataires);
            AjouterTries(cboL_, charge.listes.lieux);
        }
    }

    // At start the choice's defaults fill the boxes. A reload (leaving the
    // configuration) only fills those still empty: the cheque being typed
    // stays as it is.
    const bool demarrage = avecListes;
    if (demarrage || cboM_->currentText().isEmpty()) {
        const int indexMontant =
            cboM_->findText(r.Montant, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (indexMontant >= 0)
            cboM_->setCurrentIndex(indexMontant);
        else
            cboM_->setEditText(r.Montant);
    } else {
        PreparerMontant(); // the words in the currency and the font reloaded
    }

    if (demarrage || cboD_->currentText().isEmpty()) {
        const int indexDest =
            cboD_->findText(r.Ledestinataire, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (indexDest >= 0)
            cboD_->setCurrentIndex(indexDest);
    }

    if (demarrage || cboL_->currentText().isEmpty()) {
        if (r.Emission == 1)
            cboL_->setEditText(QString());
        else if (cboL_->count() > 0)
            cboL_->setCurrentIndex(0);
    }

    lblImprimante_->setText(r.Imprimante);
    if (r.Orientation == 1)
        lblOrientation_->setText(QStringLiteral("Orientation en mode portrait"));
    else if (r.Orientation == 2)
        lblOrientation_->setText(QStringLiteral("Orientation en mode paysage"));

    if (demarrage)
        dtp_->setDate(app_.plateforme.horloge.maintenant().date());

    const QString touche = NomTouche(r.Raccourci);
    actualiserRaccourci();
    if (!touche.isEmpty())
        lblRaccourci_->setText(QStringLiteral("Raccourci pour imprimer : ") + touche.mid(1));
    afficherNumero();
}

void FrmCB::actualiserRaccourci() {
    for (const auto& [code, raccourci] : raccourcis_)
        raccourci->setEnabled(code == app_.reglages.Raccourci);
}

void FrmCB::toucheRaccourci(int code) {
    if (code != app_.reglages.Raccourci)
        return;
    // The print puts the amount in its printed form and shows its words
    // first, as leaving the box would.
    Imprimer();
}

void FrmCB::Imprimer() {
    imprimerVers(Sortie::Imprimante);
}

void FrmCB::EnregistrerPdf() {
    imprimerVers(Sortie::Pdf);
}

void FrmCB::AfficherApercu() {
    const auto cheque = chequeAImprimer();
    if (!cheque)
        return;
    // Modal to this window only, without a loop of its own: the page shown
    // stays the one the boxes hold, and a test (or a benchmark) meets it open.
    auto* apercu = new FrmApercu(app_.reglages, cheque->textes, this);
    apercu->setAttribute(Qt::WA_DeleteOnClose);
    apercu->setWindowModality(Qt::WindowModal);
    app_.aide.relier(apercu, SectionAide::Apercu);
    connect(apercu, &FrmApercu::imprimerDemande, this, &FrmCB::Imprimer, Qt::QueuedConnection);
    apercu->show();
}

ChequeSaisi FrmCB::chequeSaisi() const {
    return {cboM_->currentText(), EntreeSurUneLigne(cboD_->currentText()),
            EntreeSurUneLigne(cboL_->currentText()), dtp_->date()};
}

std::optional<ChequePrepare> FrmCB::chequeAImprimer() {
    // The print button does not take the focus: the amount is put in its
    // printed form here, as leaving the box would ("12," or ",5" never reach
    // the cheque as typed).
    montantQuitte();
    auto cheque = PreparerCheque(chequeSaisi(), app_.reglages);
    if (!cheque) {
        app_.plateforme.dialogues.message(this, cheque.raison(), Icone::Exclamation);
        return std::nullopt;
    }
    return *cheque;
}

// The questions of a print, answered with the window's dialogs.
struct FrmCB::QuestionsFenetre final : QuestionsImpression {
    QuestionsFenetre(FrmCB& fenetre, bool pdf) : fenetre(fenetre), pdf(pdf) {}

    bool imprimerQuandMeme(const QString& depassements) override {
        return fenetre.app_.plateforme.dialogues.question(
            &fenetre, depassements + QStringLiteral("\n\nImprimer quand même ?"));
    }
    bool choisirSortie() override {
        if (!pdf)
            return true;
        const QString documents = DossierDocuments();
        fichierPdf = fenetre.app_.plateforme.dialogues.enregistrerFichier(
            &fenetre, QStringLiteral("Enregistrer le chèque en PDF"),
            QDir(documents).filePath(
                NomPdfPropose(fenetre.cboD_->currentText(), fenetre.dtp_->date())),
            QStringLiteral("PDF (*.pdf)|*.pdf|"));
        return !fichierPdf.isEmpty();
    }
    void textesNonRepresentables(const QStringList& textes) override {
        fenetre.signalerNonRepresentables(textes);
    }
    void listesRetenues(const ListesMemorisees& listes) override { fenetre.afficherListes(listes); }
    bool imprimerSansListes(const QString& erreur) override {
        fenetre.app_.plateforme.dialogues.message(
            &fenetre,
            QStringLiteral("Vos listes et réglages n'ont pas pu être enregistrés.\n\n") + erreur,
            Icone::Critique);
        return true; // the cheque in hand still prints
    }
    std::optional<QString> nomTitulaire() override {
        return fenetre.app_.plateforme.dialogues.saisie(
            &fenetre, QStringLiteral("Nom du titulaire :"),
            QStringLiteral("Titulaire du compte débité :"),
            fenetre.app_.plateforme.pressePapiers.texte());
    }
    TravailImpression& ouvrirTravail() override {
        Impression& impression = fenetre.app_.plateforme.impression;
        travail = pdf ? impression.nouveauTravailPdf(fichierPdf) : impression.nouveauTravail();
        return *travail;
    }
    void chequeDessine(qsizetype numero, qsizetype total) override {
        if (total < 2)
            return;
        if (!progression) {
            // Shown only when the batch takes long enough to need it.
            progression = std::make_unique<QProgressDialog>(
                QStringLiteral("Impression des chèques du lot…"), QString(), 0, int(total),
                &fenetre);
            progression->setWindowTitle(TitreProgramme());
            progression->setWindowModality(Qt::WindowModal);
            progression->setCancelButton(nullptr);
        }
        progression->setValue(int(numero));
    }

    FrmCB& fenetre;
    const bool pdf;
    QString fichierPdf;
    std::unique_ptr<TravailImpression> travail;
    std::unique_ptr<QProgressDialog> progression;
};

void FrmCB::imprimerVers(Sortie sortie, std::optional<std::int64_t> reimpressionDe) {
    Dialogues& dialogues = app_.plateforme.dialogues;
    const Reglages& r = app_.reglages;
    if (!chequeAImprimer())
        return;
    const bool pdf = sortie == Sortie::Pdf;
    if (!peutImprimer(pdf))
        return;

    QuestionsFenetre questions(*this, pdf);
    RelireChoixCfg(app_.etat, app_.chemins.choix());
    ImpressionAuRegistre auRegistre(*app_.registre, app_.etat.ChoixCourant == 2 ? 2 : 1);
    if (reimpressionDe)
        auRegistre.reimpressionsDe = {*reimpressionDe};
    const ContexteImpression contexte{
        r,
        app_.chemins,
        app_.etat.ChoixCourant != 0
            ? std::optional(ListesMemorisees{EntreesDe(cboM_), EntreesDe(cboD_), EntreesDe(cboL_)})
            : std::nullopt,
        false,
        [this] { return app_.plateforme.horloge.maintenant(); },
        &auRegistre};
    const auto fait = ImprimerCheques({chequeSaisi()}, contexte, questions);
    if (!fait) {
        if (questions.travail)
            dialogues.message(
                this,
                pdf ? QStringLiteral("Le chèque n'a pas pu être enregistré dans « %1 » : %2")
                          .arg(QDir::toNativeSeparators(questions.fichierPdf), fait.raison())
                    : QStringLiteral("Le chèque n'a pas pu être imprimé sur "
                                     "l'imprimante « %1 » : %2")
                          .arg(questions.travail->nomImprimante(), fait.raison()),
                Icone::Critique);
        else if (!fait.raison().isEmpty())
            dialogues.message(this, fait.raison(), Icone::Exclamation);
        return;
    }

    afficherNumero();
    if (!fait->echecRegistre.isEmpty())
        dialogues.message(this,
                          (pdf ? QStringLiteral("Le chèque est enregistré en PDF, mais ")
                               : QStringLiteral("Le chèque est imprimé, mais ")) +
                              fait->echecRegistre,
                          Icone::Exclamation);
    if (!fait->echecJournal.isEmpty())
        dialogues.message(this,
                          (pdf ? QStringLiteral("Le chèque est enregistré en PDF, mais il n'a pas "
                                                "pu être noté dans le journal.\n\n")
                               : QStringLiteral("Le chèque est imprimé, mais il n'a pas pu être "
                                                "noté dans le journal.\n\n")) +
                              fait->echecJournal,
                          Icone::Exclamation);

    if (!pdf && fait->echecRegistre.isEmpty() && !fait->inscrits.isEmpty() &&
        fait->inscrits.front().numero) {
        verifierImpression(fait->inscrits.front());
        return; // a reprint ends as a print does; a good one goes on below
    }
    apresImpression();
}

bool FrmCB::peutImprimer(bool pdf) {
    Dialogues& dialogues = app_.plateforme.dialogues;
    // Without a printer the cheque cannot be printed: say so before anything
    // is kept: a cheque that cannot reach any printer leaves the lists alone.
    if (const auto utilisable =
            ImprimanteUtilisable(app_.reglages.Imprimante, app_.plateforme.imprimantes.noms());
        !pdf && !utilisable) {
        dialogues.message(this, utilisable.raison(), Icone::Exclamation);
        return false;
    }
    if (!app_.registre) {
        dialogues.message(this,
                          QStringLiteral("Rien n'est imprimé : le registre des chèques n'est pas "
                                         "accessible, et aucun chèque ne sort sans y être "
                                         "noté.\n\n") +
                              app_.raisonRegistre,
                          Icone::Critique);
        return false;
    }
    return true;
}

namespace {

// The first refusals of a batch, and how many more there are: a file of a
// thousand bad lines must still fit on the screen.
QString RefusDuLot(const QStringList& refus) {
    constexpr qsizetype kMontres = 12;
    QStringList lignes = refus.mid(0, kMontres);
    if (!lignes.isEmpty())
        lignes[0][0] = lignes[0][0].toUpper();
    QString texte = lignes.join(u'\n');
    if (refus.size() > kMontres)
        texte += QStringLiteral("\n… et %1 autre(s).").arg(refus.size() - kMontres);
    return texte;
}

QString NumerosDe(const QVector<ChequeInscrit>& inscrits) {
    if (inscrits.size() == 1)
        return QStringLiteral("le chèque ") + NumeroCheque(*inscrits.front().numero);
    return QStringLiteral("les chèques %1 à %2")
        .arg(NumeroCheque(*inscrits.front().numero), NumeroCheque(*inscrits.back().numero));
}

} // namespace

void FrmCB::ImprimerLot() {
    Dialogues& dialogues = app_.plateforme.dialogues;
    if (!peutImprimer(false))
        return;
    const QString fichier = dialogues.ouvrirFichier(
        this, QStringLiteral("Imprimer un lot de chèques"), DossierDocuments(),
        QStringLiteral("Lots de chèques|*.csv;*.txt|Tous fichiers|*|"));
    if (fichier.isEmpty())
        return;
    const QString nom = QFileInfo(fichier).fileName();

    // Every line is checked before anything is kept or printed.
    const LotLu lu = LireFichierLot(QDir::toNativeSeparators(fichier));
    QStringList refus = lu.refus;
    QVector<ChequeSaisi> saisis;
    std::int64_t total = 0;
    const QDate aujourdhui = app_.plateforme.horloge.maintenant().date();
    for (const ChequeDuLot& l : lu.cheques) {
        const QString ligne = QStringLiteral("ligne %1 : ").arg(l.ligne);
        const auto date = DateDuCheque(l.date, aujourdhui);
        if (!date) {
            refus << ligne + date.raison();
            continue;
        }
        const ChequeSaisi saisi{AvecVirguleDecimale(l.montant).value_or(l.montant), l.destinataire,
                                l.lieu, *date};
        const auto prepare = PreparerCheque(saisi, app_.reglages);
        if (!prepare) {
            refus << ligne + prepare.raison();
            continue;
        }
        total += CentimesDuMontant(prepare->textes.chiffres).value_or(0);
        saisis.append(saisi);
    }
    if (!refus.isEmpty()) {
        // In the file's order, whichever check refused the line.
        const auto ligneDe = [](const QString& r) {
            return r.startsWith(QStringLiteral("ligne ")) ? r.mid(6).section(u' ', 0, 0).toInt()
                                                          : 0;
        };
        std::stable_sort(refus.begin(), refus.end(), [&](const QString& a, const QString& b) {
            return ligneDe(a) < ligneDe(b);
        });
        dialogues.message(this,
                          QStringLiteral("Aucun chèque du lot « %1 » n'est imprimé :\n\n").arg(nom) +
                              RefusDuLot(refus),
                          Icone::Exclamation);
        return;
    }

    RelireChoixCfg(app_.etat, app_.chemins.choix());
    const bool seul = saisis.size() == 1;
    QString texte =
        seul ? QStringLiteral("Imprimer le chèque du lot « %1 », de %2\u00a0€, sur l'imprimante "
                              "« %3 » ?")
                   .arg(nom, MontantDeCentimes(total), app_.reglages.Imprimante)
             : QStringLiteral("Imprimer les %1 chèques du lot « %2 », pour un total de "
                              "%3\u00a0€, sur l'imprimante « %4 » ?")
                   .arg(saisis.size())
                   .arg(nom, MontantDeCentimes(total), app_.reglages.Imprimante);
    if (const auto chequier = app_.registre->chequierDuChoix(app_.etat.ChoixCourant == 2 ? 2 : 1);
        chequier && chequier->numeroter) {
        QVector<ChequeInscrit> numeros;
        for (qsizetype i = 0; i < saisis.size(); ++i)
            numeros.append({0, chequier->prochain + i});
        texte += QStringLiteral("\n\n%1 sur %2 du chéquier « %3 ».")
                     .arg(seul ? QStringLiteral("Il va") : QStringLiteral("Ils vont"),
                          NumerosDe(numeros), chequier->nom);
    }
    if (!dialogues.question(this, texte, QStringLiteral("Imprimer un lot")))
        return;
    imprimerLot(saisis);
}

void FrmCB::imprimerLot(const QVector<ChequeSaisi>& saisis,
                        const QVector<std::int64_t>& reimpressionsDe) {
    Dialogues& dialogues = app_.plateforme.dialogues;
    QuestionsFenetre questions(*this, false);
    RelireChoixCfg(app_.etat, app_.chemins.choix());
    ImpressionAuRegistre auRegistre(*app_.registre, app_.etat.ChoixCourant == 2 ? 2 : 1);
    auRegistre.reimpressionsDe = reimpressionsDe;
    const ContexteImpression contexte{
        app_.reglages,
        app_.chemins,
        app_.etat.ChoixCourant != 0
            ? std::optional(ListesMemorisees{EntreesDe(cboM_), EntreesDe(cboD_), EntreesDe(cboL_)})
            : std::nullopt,
        true, // a batch keeps the lists once its pages are out
        [this] { return app_.plateforme.horloge.maintenant(); },
        &auRegistre};
    const auto fait = ImprimerCheques(saisis, contexte, questions);
    questions.progression.reset();
    if (!fait) {
        afficherNumero(); // numbers kept aside by a job stopped half way are not offered again
        if (questions.travail && !fait.raison().startsWith(QStringLiteral("Rien n'est imprimé")))
            dialogues.message(this,
                              QStringLiteral("Le lot n'a pas pu être imprimé sur l'imprimante "
                                             "« %1 » : %2")
                                  .arg(questions.travail->nomImprimante(), fait.raison()),
                              Icone::Critique);
        else if (!fait.raison().isEmpty())
            dialogues.message(this, fait.raison(), Icone::Exclamation);
        focaliserMontant();
        return;
    }

    afficherNumero();
    const bool seul = fait->cheques.size() == 1;
    const QString imprimes =
        seul ? QStringLiteral("Le chèque du lot est imprimé, mais ")
             : QStringLiteral("Les %1 chèques du lot sont imprimés, mais ").arg(fait->cheques.size());
    if (!fait->echecRegistre.isEmpty())
        dialogues.message(this, imprimes + fait->echecRegistre, Icone::Exclamation);
    if (!fait->echecJournal.isEmpty())
        dialogues.message(this,
                          imprimes +
                              (seul ? QStringLiteral("il n'a pas pu être noté dans le journal.\n\n")
                                    : QStringLiteral("ils n'ont pas pu être notés dans le "
                                                     "journal.\n\n")) +
                              fait->echecJournal,
                          Icone::Exclamation);
    if (!fait->echecListes.isEmpty())
        dialogues.message(this,
                          imprimes + QStringLiteral("vos listes n'ont pas pu être "
                                                    "enregistrées.\n\n") +
                              fait->echecListes,
                          Icone::Exclamation);
    if (fait->echecRegistre.isEmpty() && !fait->inscrits.isEmpty() &&
        fait->inscrits.front().numero) {
        verifierLot(fait->inscrits, saisis);
        return;
    }
    if (fait->echecRegistre.isEmpty() && fait->echecJournal.isEmpty() &&
        fait->echecListes.isEmpty())
        dialogues.message(this,
                          seul ? QStringLiteral("Le chèque du lot est parti sur l'imprimante "
                                                "« %1 ».")
                                     .arg(questions.travail->nomImprimante())
                               : QStringLiteral("Les %1 chèques du lot sont partis sur "
                                                "l'imprimante « %2 ».")
                                     .arg(fait->cheques.size())
                                     .arg(questions.travail->nomImprimante()),
                          Icone::Information);
    focaliserMontant();
}

void FrmCB::verifierLot(const QVector<ChequeInscrit>& inscrits,
                        const QVector<ChequeSaisi>& saisis) {
    Dialogues& dialogues = app_.plateforme.dialogues;
    QStringList elements;
    for (qsizetype i = 0; i < inscrits.size(); ++i)
        elements << QStringLiteral("%1   %2\u00a0€   %3")
                        .arg(NumeroCheque(*inscrits[i].numero),
                             MontantDeCentimes(CentimesDuMontant(saisis[i].montant).value_or(0)),
                             saisis[i].destinataire);
    const bool seul = inscrits.size() == 1;
    std::optional<QVector<int>> gaches;
    // Cancelling the list goes back to the question: the batch is not left
    // without an answer.
    while (!gaches) {
        const int reponse = dialogues.choix(
            this,
            seul ? QStringLiteral("Le chèque %1 est-il bien imprimé ?")
                       .arg(NumeroCheque(*inscrits.front().numero))
                 : QStringLiteral("Les %1 chèques %2 à %3 sont-ils bien imprimés ?")
                       .arg(inscrits.size())
                       .arg(NumeroCheque(*inscrits.front().numero),
                            NumeroCheque(*inscrits.back().numero)),
            seul ? QStringList{QStringLiteral("&Oui"), QStringLiteral("&Gâché…")}
                 : QStringList{QStringLiteral("&Tous bien imprimés"),
                               QStringLiteral("&Choisir les gâchés…")},
            0);
        if (reponse != 1) {
            focaliserMontant();
            return;
        }
        gaches = seul ? std::optional(QVector<int>{0})
                      : dialogues.cocher(this, QStringLiteral("Cochez les chèques gâchés :"),
                                         elements, QStringLiteral("Chèques gâchés"));
    }
    if (gaches->isEmpty()) {
        focaliserMontant();
        return;
    }

    QVector<std::int64_t> ids;
    QVector<ChequeSaisi> aRefaire;
    QStringList numeros;
    for (const int i : std::as_const(*gaches)) {
        ids << inscrits[i].id;
        aRefaire << saisis[i];
        numeros << NumeroCheque(*inscrits[i].numero);
    }
    const bool un = ids.size() == 1;
    const QString liste = numeros.join(QStringLiteral(", "));
    const QString raison = dialogues.saisie(
        this,
        un ? QStringLiteral("Pourquoi le chèque %1 est-il gâché ? (facultatif)").arg(liste)
           : QStringLiteral("Pourquoi ces chèques sont-ils gâchés ? (facultatif)"),
        un ? QStringLiteral("Chèque gâché") : QStringLiteral("Chèques gâchés"), {});
    if (const auto fait = app_.registre->gacher(ids, raison); !fait) {
        dialogues.message(this,
                          (un ? QStringLiteral("Le chèque %1 reste émis au registre : %2")
                              : QStringLiteral("Les chèques %1 restent émis au registre : %2"))
                              .arg(liste, fait.raison()),
                          Icone::Critique);
        return;
    }
    afficherNumero();
    const auto chequier = app_.registre->chequierDuChoix(app_.etat.ChoixCourant == 2 ? 2 : 1);
    if (chequier && chequier->numeroter) {
        QVector<ChequeInscrit> suivants;
        for (qsizetype i = 0; i < ids.size(); ++i)
            suivants.append({0, chequier->prochain + i});
        if (dialogues.question(
                this,
                (un ? QStringLiteral("Le chèque %1 est noté gâché.\n\nRéimprimer ce chèque sur %2 ?")
                    : QStringLiteral("Les chèques %1 sont notés gâchés.\n\nLes réimprimer sur %2 ?"))
                    .arg(liste, NumerosDe(suivants)),
                QStringLiteral("Réimprimer"))) {
            imprimerLot(aRefaire, ids);
            return;
        }
    }
    focaliserMontant();
}

void FrmCB::verifierImpression(const ChequeInscrit& inscrit) {
    Dialogues& dialogues = app_.plateforme.dialogues;
    const QString numero = NumeroCheque(*inscrit.numero);
    const int reponse =
        dialogues.choix(this, QStringLiteral("Le chèque %1 est-il bien imprimé ?").arg(numero),
                        {QStringLiteral("&Oui"), QStringLiteral("&Gâché…")}, 0);
    if (reponse != 1) {
        apresImpression();
        return;
    }
    const QString raison = dialogues.saisie(
        this, QStringLiteral("Pourquoi le chèque %1 est-il gâché ? (facultatif)").arg(numero),
        QStringLiteral("Chèque gâché"), {});
    if (const auto fait = app_.registre->gacher(inscrit.id, raison); !fait) {
        dialogues.message(this, fait.raison(), Icone::Critique);
        return;
    }
    afficherNumero();
    const auto chequier = app_.registre->chequierDuChoix(app_.etat.ChoixCourant == 2 ? 2 : 1);
    if (chequier &&
        dialogues.question(this,
                           QStringLiteral("Le chèque %1 est noté gâché.\n\nRéimprimer ce "
                                          "chèque sur le chèque %2 ?")
                               .arg(numero, NumeroCheque(chequier->prochain)),
                           QStringLiteral("Réimprimer"))) {
        imprimerVers(Sortie::Imprimante, inscrit.id);
        return;
    }
    focaliserMontant();
}

void FrmCB::apresImpression() {
    const Reglages& r = app_.reglages;
    if (r.Minimise == 1)
        Minimiser();
    if (r.Revenir == 1)
        ecrireMontant(r.Montant);
    if (r.RevenirDest == 1)
        cboD_->setEditText(r.Ledestinataire);
    focaliserMontant();
}

void FrmCB::signalerNonRepresentables(const QStringList& textes) {
    // Told once each while the window is open.
    QStringList nouveaux;
    for (const QString& texte : textes)
        if (!textesSignales_.contains(texte))
            nouveaux.append(texte);
    if (nouveaux.isEmpty())
        return;
    textesSignales_ += nouveaux;
    app_.plateforme.dialogues.message(
        this,
        QStringLiteral("Ces textes contiennent des caractères que le fichier des réglages "
                       "(Cheque.ini) ne sait pas garder ; ils y sont enregistrés avec « ? » à "
                       "leur place :\n\n") +
            nouveaux.join(u'\n'),
        Icone::Exclamation);
}

void FrmCB::afficherListes(const ListesMemorisees& listes) {
    // The printed texts joined the lists: the boxes show them, each box
    // keeping its text, on one line as it was printed and kept.
    const std::pair<QComboBox*, const QStringList*> boites[] = {
        {cboM_, &listes.montants}, {cboD_, &listes.destinataires}, {cboL_, &listes.lieux}};
    for (const auto& [boite, liste] : boites) {
        const QSignalBlocker bloque(boite);
        const QString saisi = boite->currentText();
        for (const QString& texte : *liste)
            if (!DansLaListe(boite, texte))
                InsererTrie(boite, texte);
        boite->setEditText(EntreeSurUneLigne(saisi));
    }
}

void FrmCB::focaliserMontant() {
    if (cboM_->isVisible())
        cboM_->setFocus(Qt::OtherFocusReason);
}

void FrmCB::Minimiser() {
    if ((windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) == 0)
        setWindowState(windowState() | Qt::WindowMinimized);
}

void FrmCB::AfficherAide() {
    app_.aide.afficher(SectionAide::Sommaire);
    focaliserMontant();
}

void FrmCB::voirJournaux() {
    const QString fichier = app_.plateforme.dialogues.ouvrirFichier(
        this, QStringLiteral("Ouvrir un journal d'impression"), app_.chemins.journaux(),
        QStringLiteral("*.txt|*.txt|Tous fichiers|*.*|"));
    if (!fichier.isEmpty() && !app_.plateforme.bureau.ouvrir(fichier))
        app_.plateforme.dialogues.message(
            this,
            QStringLiteral("Le journal n'a pas pu être ouvert : aucun programme du bureau n'a "
                           "pu l'afficher.\n\n%1")
                .arg(QDir::toNativeSeparators(fichier)),
            Icone::Exclamation);
}

bool FrmCB::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        actualiserRaccourci();
        if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
            setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        focaliserMontant();
    }
    return QMainWindow::event(e);
}

void FrmCB::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    focaliserMontant();
}

void FrmCB::PreparerMontant() {
    const Reglages& r = app_.reglages;
    AffichageMontant& label = *lblMontant_;
    // Zero cents dropped from the box first: the words, or the reason there
    // are none, are those of the amount as it prints.
    if (const QString imprime = MontantImprime(cboM_->currentText(), r);
        imprime != cboM_->currentText()) {
        const QSignalBlocker bloque(cboM_);
        cboM_->setEditText(imprime);
    }
    const auto prepare = PreparerTexteMontant(cboM_->currentText(), r);
    const double tailleMots = prepare ? prepare->tailleMots : 0;
    if (!r.Police.isEmpty())
        label.ecrireFontName(r.Police);
    // Words that print smaller to fit the cheque are shown smaller too.
    if (tailleMots > 0 && tailleMots < r.Taille)
        label.ecrireFontSize(float(tailleMots));
    else if (r.Taille != 0)
        label.ecrireFontSize(r.Taille);
    label.ecrireFontBold(r.Gras == 1);
    // What cannot be written is said in place of the words, not left blank.
    label.signalerErreur(!prepare);
    label.ecrireCaption(prepare ? prepare->caption : prepare.raison());
    montantEpele_ = cboM_->currentText();
}

void FrmCB::montantModifie() {
    // A line break or a decimal point typed or pasted, a blank or a third
    // decimal: the box is corrected once, without coming back here.
    const MontantNettoye nettoye = NettoyerMontantTape(cboM_->currentText());
    if (nettoye.texte != cboM_->currentText()) {
        const int curseur = cboM_->lineEdit()->cursorPosition();
        const QSignalBlocker bloque(cboM_);
        cboM_->setEditText(nettoye.texte);
        if (nettoye.curseurALaFin)
            cboM_->lineEdit()->end(false);
        else
            cboM_->lineEdit()->setCursorPosition(curseur);
    }
    if (nettoye.texte.isEmpty()) {
        montantEpele_.clear();
        lblMontant_->signalerErreur(false);
        lblMontant_->ecrireCaption(QString());
    } else {
        PreparerMontant(); // the words, or why there are none
    }
}

void FrmCB::ecrireMontant(const QString& texte) {
    {
        const QSignalBlocker bloque(cboM_);
        cboM_->setEditText(texte);
    }
    montantModifie();
}

void FrmCB::reprendreCheque(const QString& montant, const QString& destinataire) {
    ecrireMontant(MontantEnForme(montant));
    cboD_->setEditText(destinataire);
    focaliserMontant();
}

void FrmCB::montantQuitte() {
    // Only an amount that reads as one is put in its printed form (and spelled
    // again); anything else keeps the words or the reason already shown.
    if (LireMontant(cboM_->currentText()))
        ecrireMontant(MontantEnForme(cboM_->currentText()));
}

void FrmCB::supprimerSelection(QComboBox* boite, const QString& messageSansSelection) {
    const int index = IndexChoisi(boite);
    if (index < 0) {
        app_.plateforme.dialogues.message(this, messageSansSelection, Icone::Critique);
        return;
    }
    if (boite->currentText().isEmpty())
        return;
    if (!app_.plateforme.dialogues.question(this, QStringLiteral("Supprimer ") +
                                                      boite->currentText() + QStringLiteral(" ?")))
        return;
    boite->removeItem(index);
    // Removing the entry shown usually changes the text, which spells it.
    if (boite == cboM_ && cboM_->currentText() != montantEpele_)
        montantModifie();
}

void FrmCB::supprimerTout(QComboBox* boite, QString& defaut) {
    if (!app_.plateforme.dialogues.question(this, QStringLiteral("Tout supprimer ?")))
        return;
    boite->clear();
    boite->setEditText(QString());
    defaut.clear();
}

// The default amount and payee of settings about to be saved join their
// lists; the window shows the orientation and place they ask for.
Resultat<> FrmCB::EnregistrerChoix(const Reglages* reglages) {
    // Worked out on the lists as data and written first: a failed write
    // leaves the boxes as they were.
    const BoitesCheque boites =
        BoitesAEnregistrer({{EntreesDe(cboM_), EntreesDe(cboD_), EntreesDe(cboL_)},
                            cboM_->currentText(),
                            cboD_->currentText(),
                            cboL_->currentText()},
                           reglages);
    signalerNonRepresentables(TextesNonRepresentables(boites.listes, reglages));

    const QString section = reglages ? SectionDuChoix(app_.etat.ChoixCourant) : QString();
    if (const auto ecrit = EnregistrerCheque(app_.chemins, section,
                                             reglages ? reglages : &app_.reglages, boites.listes);
        !ecrit) {
        const QString raison =
            QStringLiteral("Vos listes et réglages n'ont pas pu être enregistrés.\n\n") +
            ecrit.raison();
        app_.plateforme.dialogues.message(this, raison, Icone::Critique);
        return Echec{raison};
    }

    afficherListes(boites.listes);
    const std::pair<QComboBox*, const QString*> textes[] = {
        {cboM_, &boites.montant}, {cboD_, &boites.destinataire}, {cboL_, &boites.lieu}};
    for (const auto& [boite, texte] : textes)
        if (boite->currentText() != *texte)
            boite->setEditText(*texte);
    if (reglages) {
        if (reglages->Emission == 0 && cboL_->count() > 0)
            cboL_->setCurrentIndex(0);
        if (lblMontant_->caption() == QLatin1String("//  //"))
            lblMontant_->ecrireCaption(QString());
        lblOrientation_->setText(reglages->Orientation == 1
                                     ? QStringLiteral("Orientation en mode portrait")
                                     : QStringLiteral("Orientation en mode paysage"));
    }
    return {};
}

// After leaving the configuration window by applying: the settings in force
// on the boxes and labels.
void FrmCB::afficherReglagesAppliques() {
    const Reglages& r = app_.reglages;
    afficherPolice(true);
    // The defaults only fill boxes left empty: what is being typed stays.
    if (!r.Montant.isEmpty() && cboM_->currentText().isEmpty())
        cboM_->setEditText(r.Montant);
    if (!r.Police.isEmpty())
        PreparerMontant();
    if (lblMontant_->caption() == QLatin1String("//  //"))
        lblMontant_->ecrireCaption(QString());
    if (!r.Ledestinataire.isEmpty() && cboD_->currentText().isEmpty())
        cboD_->setEditText(r.Ledestinataire);
    lblRaccourci_->setText(QStringLiteral("Raccourci pour imprimer : ") +
                           NomTouche(r.Raccourci).mid(1));
    lblImprimante_->setText(r.Imprimante);
}

// The boxes in the font of the settings (its family only when `avecFamille`)
// and the label that names it.
void FrmCB::afficherPolice(bool avecFamille) {
    const Reglages& r = app_.reglages;
    if (avecFamille && !r.Police.isEmpty()) {
        for (QComboBox* boite : {cboD_, cboM_}) {
            QFont f = boite->font();
            f.setFamily(r.Police);
            boite->setFont(f);
        }
    }
    app_.MarqueGras = MarqueGras(r);
    lblPolice_->setText(QStringLiteral("Police %1   %2   %3")
                            .arg(r.Police, QString::number(r.Taille), app_.MarqueGras));
    if (TailleAffichable(r.Taille)) {
        QFont f = cboD_->font();
        f.setPointSize(r.Taille);
        cboD_->setFont(f);
    }
}

// Shows the configuration window and hides this one until it closes.
void FrmCB::ouvrirConfiguration() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    LiensConfiguration liens;
    liens.listes = [this] { return std::pair{EntreesDe(cboM_), EntreesDe(cboD_)}; };
    liens.cheque = [this] {
        return TextesCheque{QString(), cboM_->currentText(), cboD_->currentText(),
                            cboL_->currentText(), DateCheque(dtp_->date())};
    };
    liens.enregistrer = [this](const Reglages& reglages) { return EnregistrerChoix(&reglages); };
    // A window of its own rather than a child of this hidden one, so that the
    // desktop lists it; it goes when closed, or with this window.
    auto* configuration = new FrmConfigure(app_, std::move(liens));
    configuration->setAttribute(Qt::WA_DeleteOnClose);
    connect(this, &QObject::destroyed, configuration, [configuration] { delete configuration; });
    connect(configuration, &FrmConfigure::choixARecharger, this, [this] { ChargerChoix(false); });
    connect(configuration, &FrmConfigure::choixEnregistre, this, [this] {
        activerRafraichir(true);
        afficherNumero();
    });
    connect(configuration, &FrmConfigure::choixApplique, this, &FrmCB::afficherReglagesAppliques);
    connect(configuration, &FrmConfigure::annule, this, [this] {
        if (cboM_->currentText().isEmpty())
            lblMontant_->ecrireCaption(QString());
        ChargerChoix(false);
    });
    // Shown again where it was: a window manager places a window mapped anew
    // wherever it likes unless the program says where.
    const QPoint place = geometry().topLeft(); // the inside: the frame is the manager's guess
    connect(configuration, &FrmConfigure::fermee, this, [this, place] {
        // This window was on screen when the configuration was opened from its
        // menu; a minimised state left over from before (restored by the window
        // system without telling the toolkit) must not hide it again.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        // Through the window itself: a move to where the widget believes it
        // already is would be dropped, and the position left to the manager.
        if (QWindow* fenetre = windowHandle())
            fenetre->setPosition(place);
        show();
        activateWindow();
    });
    PlacerSurParent(*configuration, *this);
    // It fills itself once activated, and a warning shown then makes it taller.
    GarderSurEcran(*configuration);
    configuration->show();
    configuration->activateWindow();
    QApplication::restoreOverrideCursor();
    hide();
}

void FrmCB::closeEvent(QCloseEvent* e) {
    RelireChoixCfg(app_.etat, app_.chemins.choix());
    if (app_.etat.ChoixCourant != 0)
        EnregistrerChoix();
    app_.aide.fermer();
    e->accept();
}

bool FrmCB::eventFilter(QObject* objet, QEvent* e) {
    // On a real display the keys go to the combo box, which has the focus and
    // hands them to its line edit directly, past that one's filters; a test
    // that sends them to the line edit reaches it the other way.
    if ((objet == cboM_ || objet == cboM_->lineEdit()) && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->text() == QLatin1String(".")) {
        cboM_->lineEdit()->insert(QStringLiteral(","));
        return true;
    }
    if ((objet == cboM_ || objet == cboM_->lineEdit()) && e->type() == QEvent::FocusOut) {
        // Leaving for the drop-down list of the box itself is not leaving it.
        const auto raison = static_cast<QFocusEvent*>(e)->reason();
        if (raison != Qt::PopupFocusReason && objet == cboM_)
            montantQuitte();
    }
    if (objet == image1_ && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        Minimiser();
        return true;
    }
    return QMainWindow::eventFilter(objet, e);
}
