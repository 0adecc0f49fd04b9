#include "FrmCB.h"

#include "AppScribane.h"
#include "ChargementChoix.h"
#include "Dessins.h"
#include "EtiquetteMontant.h"
#include "ListesTriees.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString Guillemets(const QString& texte) {
    return QLatin1Char('"') + texte + QLatin1Char('"');
}

// Font sizes a screen box can show sensibly; anything else leaves the box as it is.
bool TailleAffichable(int points) {
    return points >= 6 && points <= 48;
}

} // namespace

FrmCB::FrmCB(AppScribane& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName(QStringLiteral("FrmCB"));
    setWindowTitle(QStringLiteral("     Scribane imprime  vos chèques bancaires ..."));
    construire();
    construireMenus();
}

FrmCB::~FrmCB() = default;

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
        return l;
    };

    cboM_ = nouvelleBoite("CboM");
    cboD_ = nouvelleBoite("CboD");
    cboL_ = nouvelleBoite("CboL");
    dtp_ = new QDateEdit(this);
    dtp_->setObjectName(QStringLiteral("DTP"));
    dtp_->setCalendarPopup(true);
    dtp_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtp_->setLocale(QLocale(QLocale::French, QLocale::France));

    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(DessinMinimiser(28));
    image1_->setToolTip(QStringLiteral("Minimise (ou  ALT + M)"));
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
    // Printing a cheque is not available in this version of the window yet.
    boutonImprimer_->setEnabled(false);

    boutonAide_ = new QToolButton(this);
    boutonAide_->setObjectName(QStringLiteral("Bouton_Kiv_XP1"));
    boutonAide_->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    boutonAide_->setIconSize(QSize(28, 28));
    boutonAide_->setToolTip(QStringLiteral("Aide"));
    connect(boutonAide_, &QToolButton::clicked, this, &FrmCB::AfficherAide);

    boutonQuitter_ = new QPushButton(QStringLiteral("Quitter"), this);
    boutonQuitter_->setObjectName(QStringLiteral("Bouton_Kiv_XP3"));
    connect(boutonQuitter_, &QPushButton::clicked, this, &QWidget::close);

    auto* colonneImprimer = new QVBoxLayout;
    auto* titreImprimer = new QLabel(QStringLiteral("Imprimer le chèque"), this);
    titreImprimer->setAlignment(Qt::AlignCenter);
    colonneImprimer->addWidget(titreImprimer);
    colonneImprimer->addWidget(boutonImprimer_, 0, Qt::AlignHCenter);
    colonneImprimer->addStretch();
    auto* basDroite = new QHBoxLayout;
    basDroite->addWidget(boutonAide_);
    basDroite->addStretch();
    basDroite->addWidget(boutonQuitter_);
    colonneImprimer->addLayout(basDroite);
    grille->addLayout(colonneImprimer, 4, 2, 1, 2);

    grille->setColumnStretch(1, 1);
    grille->setColumnStretch(2, 1);

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
    // The configuration window is not part of this version yet.
    mnuConfigure->setEnabled(false);

    mnuRafraichir_ = new QMenu(QStringLiteral("&Rafraichir les listes"), this);
    mnuRafraichir_->setObjectName(QStringLiteral("mnuRafraichir"));
    auto article = [this](const char* nom, const QString& texte) {
        auto* action = mnuRafraichir_->addAction(texte);
        action->setObjectName(QLatin1String(nom));
        action->setEnabled(false); // list pruning comes with the entry boxes' behaviour
        return action;
    };
    article("mnuSupM", QStringLiteral("Supprimer le montant sélectionné"));
    article("mnuSupMTous", QStringLiteral("Supprimer tous les montants"));
    mnuRafraichir_->addSeparator();
    article("mnuSupD", QStringLiteral("Supprimer le destinataire sélectionné"));
    article("mnuSupDTous", QStringLiteral("Supprimer tous les destinataires"));
    mnuRafraichir_->addSeparator();
    article("mnuSupL", QStringLiteral("Supprimer un &lieu d'émission"));
    barre->addMenu(mnuRafraichir_);
    mnuRafraichir_->menuAction()->setEnabled(false);

    auto* mnuVoir = commande("mnuVoir", QStringLiteral("&Voir les journaux"));
    connect(mnuVoir, &QAction::triggered, this, &FrmCB::voirJournaux);

    auto* mnuHelp = new QMenu(QStringLiteral("?"), this);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    auto* mnuAide = mnuHelp->addAction(QStringLiteral("&Aide"));
    mnuAide->setObjectName(QStringLiteral("mnuAide"));
    connect(mnuAide, &QAction::triggered, this, &FrmCB::AfficherAide);
    mnuHelp->addSeparator();
    auto* mnuAP = mnuHelp->addAction(QStringLiteral("A &propos"));
    mnuAP->setObjectName(QStringLiteral("mnuAP"));
    mnuAP->setEnabled(false); // the about window is not part of this version yet
    barre->addMenu(mnuHelp);
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

    QDir().mkpath(chemins.journaux());
    RecupererReecritureInterrompue(chemins);

    const bool choixPresent = QFileInfo::exists(chemins.choix());
    const bool chequePresent = QFileInfo::exists(chemins.cheque());
    const auto valeurs = choixPresent ? LireChoixCfg(chemins.choix()) : std::nullopt;
    if (valeurs) {
        app_.etat.ChoixCourant = valeurs->courant;
        app_.etat.ChoixEnregistres = valeurs->enregistres;
        ChargerChoix();
    }

    // A Choix.cfg that cannot be read counts as absent.
    if (!valeurs && !chequePresent && app_.etat.ChoixCourant == 0) {
        dialogues.message(this,
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
    }

    if (chequePresent && !valeurs) {
        dialogues.message(this,
                          QStringLiteral("Vous utilisez déjà une ancienne version.\n\nVos anciens "
                                         "choix d'options et de configuration vont être attribués "
                                         "au choix n°1."),
                          Icone::Information);
        QString erreur;
        if (ConvertirAncienFichier(chemins, &erreur)) {
            app_.etat.ChoixCourant = 1;
            app_.etat.ChoixEnregistres = 1;
        } else {
            dialogues.message(this,
                              QStringLiteral("Vos anciens réglages n'ont pas pu être convertis ; "
                                             "ils restent tels quels.\n\n") +
                                  erreur,
                              Icone::Critique);
        }
    }

    AppliquerDevisesParDefaut(app_.reglages);
    mnuRafraichir_->menuAction()->setEnabled(app_.etat.ChoixCourant != 0);
}

void FrmCB::ChargerChoix() {
    Reglages& r = app_.reglages;
    const ChoixCharge charge =
        ChargerReglages(app_.chemins, app_.etat, r, app_.etat.ConfigurationOuverte == 0);

    if (charge.chequePresent) {
        if (charge.sectionLue && !r.Police.isEmpty()) {
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
        if (app_.etat.ConfigurationOuverte == 0) {
            AjouterTries(cboM_, charge.listes.montants);
            AjouterTries(cboD_, charge.listes.destinataires);
            AjouterTries(cboL_, charge.listes.lieux);
        }
    }

    const int indexMontant = cboM_->findText(r.Montant, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (indexMontant >= 0)
        cboM_->setCurrentIndex(indexMontant);
    else
        cboM_->setEditText(r.Montant);

    const int indexDest =
        cboD_->findText(r.Ledestinataire, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (indexDest >= 0)
        cboD_->setCurrentIndex(indexDest);

    if (r.Emission == 1)
        cboL_->setEditText(QString());
    else if (cboL_->count() > 0)
        cboL_->setCurrentIndex(0);

    lblImprimante_->setText(r.Imprimante);
    if (r.Orientation == 1)
        lblOrientation_->setText(QStringLiteral("Orientation en mode portrait"));
    else if (r.Orientation == 2)
        lblOrientation_->setText(QStringLiteral("Orientation en mode paysage"));

    dtp_->setDate(app_.plateforme.horloge.maintenant().date());

    const QString touche = NomTouche(r.Raccourci);
    if (!touche.isEmpty())
        lblRaccourci_->setText(QStringLiteral("Raccourci pour imprimer : ") + touche.mid(1));
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
    app_.plateforme.dialogues.message(
        this,
        QStringLiteral("L'aide au format HLP n'est plus reconnue par Windows > 7.\n\nDes messages "
                       "renseignent de ci de là ... pour compenser.\nMais vous allez vite et "
                       "intuitivement comprendre le fonctionnement du logiciel") +
            QChar(0x00A0) + QStringLiteral(" !"),
        Icone::Information, QStringLiteral("Aide"));
    focaliserMontant();
}

void FrmCB::voirJournaux() {
    const QString fichier = app_.plateforme.dialogues.ouvrirFichier(
        this, QStringLiteral("Ouvrir un journal d'impression"), app_.chemins.journaux(),
        QStringLiteral("*.txt|*.txt|Tous fichiers|*.*|"));
    if (!fichier.isEmpty())
        app_.plateforme.bureau.ouvrir(fichier);
}

bool FrmCB::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
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

bool FrmCB::eventFilter(QObject* objet, QEvent* e) {
    if (objet == image1_ && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        Minimiser();
        return true;
    }
    return QMainWindow::eventFilter(objet, e);
}
