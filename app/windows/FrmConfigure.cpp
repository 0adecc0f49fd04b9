#include "windows/FrmConfigure.h"

#include "settings/ChargementChoix.h"
#include "settings/Configuration.h"
#include "settings/Listes.h"

#include "windows/ApercuCheque.h"
#include "windows/AppScribane.h"
#include "windows/BoiteMarge.h"
#include "windows/EssaiAlignement.h"
#include "windows/FrmTextes.h"
#include "windows/ListesTriees.h"
#include "windows/NombreEnTete.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

static void InitialiserRessources() {
    Q_INIT_RESOURCE(configuration);
}

namespace {

// The sheet is an A4 page at one quarter of its size, placed in window
// millimetres; the preview area starts at (OrigineX, OrigineY).
struct GeometrieFeuille {
    double haut, gauche, hauteur, largeur;
};
constexpr GeometrieFeuille Portrait{25, 142, 75, 52};
constexpr GeometrieFeuille Paysage{40, 142, 52, 75};
constexpr double OrigineX = 138;
constexpr double OrigineY = 23;
constexpr double LargeurZone = 83;
constexpr double HauteurZone = 79;

const QColor RougeFonce(192, 0, 0);

QStringList TaillesProposees() {
    QStringList tailles;
    for (int t = 8; t <= 16; ++t)
        tailles.append(QString::number(t));
    return tailles;
}

void Colorer(QWidget* w, const QColor& couleur) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, couleur);
    p.setColor(QPalette::ButtonText, couleur);
    w->setPalette(p);
}

// Selects the entry showing `texte` exactly; no selection when there is none.
bool Selectionner(QComboBox* boite, const QString& texte) {
    const int i = boite->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive);
    boite->setCurrentIndex(i);
    return i >= 0;
}

} // namespace

FrmConfigure::FrmConfigure(AppScribane& app, LiensConfiguration liens, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), liens_(std::move(liens)), copie_(app.reglages) {
    InitialiserRessources();
    setObjectName(QStringLiteral("FrmConfigure"));
    setWindowTitle(QStringLiteral("  Configuration de l'impression et options"));
    construire();
    app_.aide.relier(this, SectionAide::Configuration);

    // Loading.
    lblNote_->setText(QStringLiteral("\nSelon votre imprimante, lors de l'impression en mode "
                                     "paysage, c'est le bord gauche, ou droit, du document, qui "
                                     "est imprimé en premier."));
    for (QComboBox* boite : {cboTaille_, cboTChiffre_}) {
        boite->addItems(TaillesProposees());
        boite->setCurrentIndex(-1);
    }
    for (const ToucheRaccourci& touche : TouchesRaccourci)
        cboR_->addItem(QLatin1String(touche.nom));
    cboR_->setCurrentIndex(-1);
    ChoixInitial_ = app_.etat.ChoixCourant;
    choixCharge_ = app_.etat.ChoixCourant;
    // The choice buttons tell from the start which choices are saved.
    EtatChoix();
}

FrmConfigure::~FrmConfigure() = default;

QWidget* FrmConfigure::construireColonneReglages() {
    auto* colonne = new QWidget(this);
    auto* vertical = new QVBoxLayout(colonne);
    vertical->setContentsMargins(0, 0, 0, 0);
    vertical->setSpacing(8);

    auto nouvelleCoche = [this](const char* nom, const QString& texte) {
        auto* c = new QCheckBox(texte, this);
        c->setObjectName(QLatin1String(nom));
        c->installEventFilter(this);
        return c;
    };
    // Lists carry the name of what they choose, for screen readers: the
    // caption beside them is not always their buddy.
    auto nouvelleListe = [this](const char* nom, const QString& nomAccessible) {
        auto* b = new QComboBox(this);
        b->setObjectName(QLatin1String(nom));
        b->setAccessibleName(nomAccessible);
        // Some screen readers give a list's current entry as its name.
        b->setAccessibleDescription(nomAccessible);
        return b;
    };
    auto nouvelAvertissement = [this](const char* nom) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(nom));
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        Colorer(l, RougeFonce);
        l->hide();
        return l;
    };
    auto noteBouton = [this](const char* nom) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(nom));
        b->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
        b->setIconSize(QSize(18, 18));
        b->setAutoRaise(true);
        b->setToolTip(QStringLiteral("Note"));
        b->setAccessibleName(QStringLiteral("Note"));
        return b;
    };

    // The two choices and the save button.
    auto* ligneChoix = new QHBoxLayout;
    auto* pctChoix = new QFrame(this);
    pctChoix->setObjectName(QStringLiteral("PctChoix"));
    pctChoix->setFrameShape(QFrame::StyledPanel);
    auto* boiteChoix = new QVBoxLayout(pctChoix);
    auto* titreChoix = new QLabel(QStringLiteral("2 choix de configuration possibles"), pctChoix);
    QFont gras = titreChoix->font();
    gras.setBold(true);
    titreChoix->setFont(gras);
    boiteChoix->addWidget(titreChoix);
    auto* lesDeux = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(QStringLiteral("Choix %1").arg(i + 1), pctChoix);
        o->setObjectName(QStringLiteral("optChoix%1").arg(i));
        o->setFont(gras);
        Colorer(o, RougeFonce);
        o->installEventFilter(this);
        connect(o, &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche)
                choixClique(i);
        });
        // Once a choice is picked with the mouse, saving it is the next step.
        connect(o, &QRadioButton::clicked, this, [this] {
            if (clicSouris_)
                cmdEnrChoix_->setFocus(Qt::OtherFocusReason);
            clicSouris_ = false;
        });
        optChoix_[i] = o;
        lesDeux->addWidget(o);
    }
    boiteChoix->addLayout(lesDeux);
    ligneChoix->addWidget(pctChoix, 1);

    cmdEnrChoix_ = new QToolButton(this);
    cmdEnrChoix_->setObjectName(QStringLiteral("CmdEnrChoix"));
    cmdEnrChoix_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    cmdEnrChoix_->setIconSize(QSize(32, 32));
    cmdEnrChoix_->setToolTip(QStringLiteral("Enregistrer le choix sélectionné"));
    cmdEnrChoix_->setAccessibleName(QStringLiteral("Enregistrer le choix"));
    connect(cmdEnrChoix_, &QToolButton::clicked, this, &FrmConfigure::enregistrerChoix);
    ligneChoix->addWidget(cmdEnrChoix_);
    auto* legende = new QVBoxLayout;
    legende->addStretch();
    legende->addWidget(new QLabel(QStringLiteral("Enregistrer"), this));
    legende->addWidget(new QLabel(QStringLiteral("le choix"), this));
    legende->addStretch();
    ligneChoix->addLayout(legende);
    vertical->addLayout(ligneChoix);

    // Printer, font and sizes.
    auto* impression = new QGroupBox(QStringLiteral(" Impression"), this);
    auto* grille = new QGridLayout(impression);
    grille->setColumnStretch(1, 1);
    cboPrint_ = nouvelleListe("CboPrint", QStringLiteral("Imprimantes"));
    horsListeImprimante_ = nouvelAvertissement("LblHorsListeImprimante");
    grille->addWidget(new QLabel(QStringLiteral("Imprimantes"), this), 0, 0);
    grille->addWidget(cboPrint_, 0, 1, 1, 2);
    grille->addWidget(horsListeImprimante_, 1, 1, 1, 3);

    cboPolices_ = nouvelleListe("CboPolices", QStringLiteral("Polices de caractères"));
    lblPolices_ = new QLabel(QStringLiteral("Polices de caractères"), this);
    lblPolices_->setObjectName(QStringLiteral("LblPolices"));
    horsListePolice_ = nouvelAvertissement("LblHorsListePolice");
    grille->addWidget(lblPolices_, 2, 0, 1, 3);
    grille->addWidget(cboPolices_, 3, 1, 1, 2);
    grille->addWidget(horsListePolice_, 4, 1, 1, 3);

    cboTaille_ =
        nouvelleListe("CboTaille", QStringLiteral("Taille police textes et / ou chiffres"));
    chkG_ = nouvelleCoche("ChkG", QStringLiteral("Gras"));
    horsListeTaille_ = nouvelAvertissement("LblHorsListeTaille");
    grille->addWidget(new QLabel(QStringLiteral("Taille police textes et / ou chiffres"), this), 5,
                      0, 1, 2);
    auto* ligneTaille = new QHBoxLayout;
    ligneTaille->addWidget(cboTaille_);
    ligneTaille->addWidget(chkG_);
    grille->addLayout(ligneTaille, 5, 2);
    grille->addWidget(horsListeTaille_, 6, 1, 1, 3);

    chkTC1_ = nouvelleCoche(
        "ChkTC1",
        QStringLiteral("Taille de police des montants (en chiffres) jamais inférieure à "));
    chkTC2_ = nouvelleCoche(
        "ChkTC2", QStringLiteral("Taille de police des montants (en chiffres) toujours égale à"));
    cboTChiffre_ =
        nouvelleListe("CboTChiffre", QStringLiteral("Taille de police des montants (en chiffres)"));
    cboTChiffre_->setEnabled(false);
    horsListeTChiffre_ = nouvelAvertissement("LblHorsListeTChiffre");
    auto* note5 = noteBouton("Bouton_Kiv_XP5");
    grille->addWidget(chkTC1_, 7, 0, 1, 2);
    grille->addWidget(chkTC2_, 8, 0, 1, 2);
    grille->addWidget(cboTChiffre_, 7, 2, 2, 1);
    grille->addWidget(note5, 7, 3, 2, 1);
    grille->addWidget(horsListeTChiffre_, 9, 1, 1, 3);
    vertical->addWidget(impression);

    // Options of the print and of the journal.
    auto* options = new QGroupBox(QStringLiteral(" Options"), this);
    auto* grilleOptions = new QGridLayout(options);
    chkJ_ = nouvelleCoche("ChkJ", QString());
    auto* ligneJournal = new QHBoxLayout;
    ligneJournal->addWidget(chkJ_);
    auto* tenir = new QLabel(QStringLiteral("Tenir un journal"), this);
    tenir->setBuddy(chkJ_);
    ligneJournal->addWidget(tenir);
    ligneJournal->addSpacing(16);
    chkD_ = nouvelleCoche("ChkD", QStringLiteral("Avec le nom de l'émetteur"));
    ligneJournal->addWidget(chkD_);
    ligneJournal->addStretch();
    grilleOptions->addLayout(ligneJournal, 0, 0, 1, 2);
    cboR_ = nouvelleListe("CboR", QStringLiteral("Raccourci clavier pour lancer l'impression"));
    grilleOptions->addWidget(
        new QLabel(QStringLiteral("Raccourci clavier pour lancer l'impression"), this), 1, 0);
    grilleOptions->addWidget(cboR_, 1, 1, Qt::AlignLeft);
    chkE_ = nouvelleCoche("ChkE", QStringLiteral("Encadrer le montant du CB  par //"));
    chkL_ =
        nouvelleCoche("ChkL", QStringLiteral("Ignorer, par défaut, le lieu d'émission du chèque"));
    chkM_ = nouvelleCoche("ChkM", QStringLiteral("Minimiser après impression"));
    chkCent_ =
        nouvelleCoche("Chkcent", QStringLiteral("Ne pas imprimer les centimes si  ils sont nuls"));
    grilleOptions->addWidget(chkE_, 2, 0);
    grilleOptions->addWidget(chkM_, 2, 1);
    grilleOptions->addWidget(chkL_, 3, 0);
    grilleOptions->addWidget(chkCent_, 3, 1);
    chkCompleter_ = nouvelleCoche("ChkCompleter",
                                  QStringLiteral("Compléter la ligne après le montant en lettres"));
    grilleOptions->addWidget(chkCompleter_, 4, 0);
    auto* ligneMots = new QHBoxLayout;
    auto* nombres = new QLabel(QStringLiteral("&Nombres en lettres :"), this);
    cboVariante_ = nouvelleListe("CboVariante", QStringLiteral("Nombres en lettres"));
    cboVariante_->addItems({QStringLiteral("France (soixante-dix, quatre-vingt-dix)"),
                            QStringLiteral("Belgique (septante, nonante)"),
                            QStringLiteral("Suisse (septante, huitante, nonante)")});
    nombres->setBuddy(cboVariante_);
    cboOrthographe_ = nouvelleListe("CboOrthographe", QStringLiteral("Orthographe"));
    cboOrthographe_->addItems({QStringLiteral("Orthographe traditionnelle (vingt et un)"),
                               QStringLiteral("Orthographe de 1990 (vingt-et-un)")});
    ligneMots->addWidget(nombres);
    ligneMots->addWidget(cboVariante_);
    ligneMots->addWidget(cboOrthographe_);
    ligneMots->addStretch();
    grilleOptions->addLayout(ligneMots, 5, 0, 1, 2);
    auto* ligneChequier = new QHBoxLayout;
    txtChequier_ = new QLineEdit(this);
    txtChequier_->setObjectName(QStringLiteral("TxtChequier"));
    txtChequier_->setMaxLength(40);
    txtChequier_->setToolTip(QStringLiteral("Deux choix qui nomment le même chéquier se "
                                            "partagent ses numéros"));
    auto* lblChequier = new QLabel(QStringLiteral("C&héquier :"), this);
    lblChequier->setBuddy(txtChequier_);
    chkNumeroter_ = nouvelleCoche("ChkNumeroter", QStringLiteral("Numéroter les chèques"));
    txtProchain_ = new QLineEdit(this);
    txtProchain_->setObjectName(QStringLiteral("TxtProchainNumero"));
    txtProchain_->setMaxLength(7);
    txtProchain_->setInputMask(QString());
    txtProchain_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,7}")), this));
    txtProchain_->setMaximumWidth(90);
    txtProchain_->setToolTip(QStringLiteral("Le numéro pré-imprimé du prochain chèque du "
                                            "chéquier, 7 chiffres"));
    auto* lblProchain = new QLabel(QStringLiteral("&Prochain numéro :"), this);
    lblProchain->setBuddy(txtProchain_);
    ligneChequier->addWidget(lblChequier);
    ligneChequier->addWidget(txtChequier_, 1);
    ligneChequier->addWidget(chkNumeroter_);
    ligneChequier->addWidget(lblProchain);
    ligneChequier->addWidget(txtProchain_);
    grilleOptions->addLayout(ligneChequier, 6, 0, 1, 2);
    connect(chkNumeroter_, &QCheckBox::toggled, txtProchain_, &QWidget::setEnabled);
    vertical->addWidget(options);

    // Defaults of the main window.
    auto* defauts = new QGroupBox(QStringLiteral(" Valeurs par défaut"), this);
    auto* grilleDefauts = new QGridLayout(defauts);
    grilleDefauts->setColumnStretch(1, 1);
    cboM_ = nouvelleListe("CboM", QStringLiteral("Montant du chèque par défaut"));
    cboD_ = nouvelleListe("CboD", QStringLiteral("Destinataire par défaut"));
    for (QComboBox* b : {cboM_, cboD_}) {
        b->setEditable(true);
        b->setInsertPolicy(QComboBox::NoInsert);
    }
    grilleDefauts->addWidget(new QLabel(QStringLiteral("Montant du chèque par défaut"), this), 0,
                             0);
    grilleDefauts->addWidget(cboM_, 0, 1);
    grilleDefauts->addWidget(new QLabel(QStringLiteral("Destinataire par défaut"), this), 1, 0);
    grilleDefauts->addWidget(cboD_, 1, 1);
    auto* note6 = noteBouton("Bouton_Kiv_XP6");
    grilleDefauts->addWidget(note6, 0, 2, 2, 1);
    auto* ligneRevenir = new QHBoxLayout;
    ligneRevenir->addWidget(
        new QLabel(QStringLiteral("Revenir à la valeur par défaut après impression :"), this));
    chkDef_ = nouvelleCoche("ChkDef", QStringLiteral("Montant"));
    chkDefDest_ = nouvelleCoche("ChkDefDest", QStringLiteral("Destinataire"));
    ligneRevenir->addWidget(chkDef_);
    ligneRevenir->addWidget(chkDefDest_);
    ligneRevenir->addStretch();
    grilleDefauts->addLayout(ligneRevenir, 2, 0, 1, 3);
    auto* devise = new QPushButton(QStringLiteral("Renseigner la devise"), this);
    devise->setObjectName(QStringLiteral("Bouton_Kiv_XP4"));
    grilleDefauts->addWidget(devise, 3, 0, Qt::AlignLeft);
    cboDevise_ = nouvelleListe("CboDevise", QStringLiteral("Devise proposée"));
    for (const DeviseProposee& d : DevisesProposees)
        cboDevise_->addItem(QString::fromUtf8(d.nom));
    auto* ligneDevise = new QHBoxLayout;
    auto* proposee = new QLabel(QStringLiteral("Devise &proposée :"), this);
    proposee->setBuddy(cboDevise_);
    ligneDevise->addWidget(proposee);
    ligneDevise->addWidget(cboDevise_);
    ligneDevise->addStretch();
    grilleDefauts->addLayout(ligneDevise, 3, 1, 1, 2);
    vertical->addWidget(defauts);
    vertical->addStretch();

    connect(devise, &QPushButton::clicked, this, &FrmConfigure::renseignerDevise);
    // An offered currency puts its words in the working copy, as the currency
    // dialog does; the dialog then edits them.
    connect(cboDevise_, &QComboBox::activated, this, [this](int index) {
        AppliquerDeviseProposee(copie_, index);
        montrerDevise();
    });
    connect(note5, &QToolButton::clicked, this, [this] {
        afficherNote(QStringLiteral(
            "La taille de la police, pour l'impression des montants en chiffres, est :\n\n"
            "1-  Egale à celle des textes, si aucune case n'est cochée,\n"
            "2-  Jamais inférieure à la taille définie, si la première case est cochée,\n"
            "3-  Toujours égale à la taille définie, si la seconde case est cochée "));
    });
    connect(note6, &QToolButton::clicked, this, [this] {
        afficherNote(QStringLiteral(
            "Pour qu'il n'y ait pas, par défaut, de montant ou de destinataire du chèque, il faut "
            "laisser une chaine vide dans la liste concernée.\n\nCes valeurs par défaut "
            "s'entendent au lancement du programme.\n\nOn peut, en cochant la case dédiée, faire "
            "le choix de retrouver ces valeurs par défaut après chaque impression."));
    });
    return colonne;
}

QWidget* FrmConfigure::construireColonneApercu() {
    const double ppm = ApercuCheque::pixelsParMm(this);
    auto px = [ppm](double mm) { return static_cast<int>(std::lround(mm * ppm)); };

    auto* colonne = new QWidget(this);
    auto* vertical = new QVBoxLayout(colonne);
    vertical->setContentsMargins(0, 0, 0, 0);

    auto* groupeOrientation = new QGroupBox(QStringLiteral("  Orientation"), this);
    auto* ligne = new QHBoxLayout(groupeOrientation);
    opt1_ = new QRadioButton(QStringLiteral("Mode portrait"), groupeOrientation);
    opt1_->setObjectName(QStringLiteral("Opt1"));
    opt2_ = new QRadioButton(QStringLiteral("Mode paysage"), groupeOrientation);
    opt2_->setObjectName(QStringLiteral("Opt2"));
    for (QRadioButton* o : {opt1_, opt2_}) {
        o->installEventFilter(this);
        ligne->addWidget(o);
    }
    connect(opt1_, &QRadioButton::clicked, this, [this] {
        orientation(true);
        versQuitter();
    });
    connect(opt2_, &QRadioButton::clicked, this, [this] {
        orientation(false);
        versQuitter();
    });
    vertical->addWidget(groupeOrientation);

    auto* zone = new QWidget(this);
    zone->setObjectName(QStringLiteral("ZoneApercu"));
    zone->setFixedSize(px(LargeurZone), px(HauteurZone));
    // A shadow under the sheet, so that it reads as paper lying on the window.
    ombre_ = new QFrame(zone);
    ombre_->setAutoFillBackground(true);
    QPalette gris = ombre_->palette();
    gris.setColor(QPalette::Window, QColor(150, 150, 150));
    ombre_->setPalette(gris);
    pct_ = new QFrame(zone);
    pct_->setObjectName(QStringLiteral("Pct"));
    pct_->setFrameShape(QFrame::Box);
    pct_->setBackgroundRole(QPalette::Base);
    pct_->setAutoFillBackground(true);
    Colorer(pct_, QColor(90, 90, 90));
    pctCB_ = new ApercuCheque(pct_);
    pctCB_->hide();
    connect(pctCB_, &ApercuCheque::deplace, this, &FrmConfigure::chequeDeplace);
    vertical->addWidget(zone, 0, Qt::AlignHCenter);

    lblNote_ = new QLabel(this);
    lblNote_->setObjectName(QStringLiteral("LblNote"));
    lblNote_->setWordWrap(true);
    lblNote_->setTextFormat(Qt::PlainText);
    lblNote_->setMaximumWidth(px(LargeurZone));
    QSizePolicy sp = lblNote_->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    lblNote_->setSizePolicy(sp);
    lblNote_->hide();
    vertical->addWidget(lblNote_);

    auto* marges = new QGridLayout;
    txtMH_ = new BoiteMarge(this);
    txtMH_->setObjectName(QStringLiteral("TxtMH"));
    txtMD_ = new BoiteMarge(this);
    txtMD_->setObjectName(QStringLiteral("TxtMD"));
    int rang = 0;
    for (auto [boite, texte] :
         {std::pair{txtMH_, "Marge haute en millimètres (plus décale vers le bas, moins vers le "
                            "haut)"},
          std::pair{txtMD_,
                    "Marge gauche en millimètres (plus décale à droite, moins à gauche)"}}) {
        auto* l = new QLabel(QString::fromUtf8(texte), this);
        l->setWordWrap(true);
        l->setBuddy(boite);
        boite->setMaximumWidth(px(18));
        marges->addWidget(l, rang, 0);
        marges->addWidget(boite, rang, 1);
        BoiteMarge* b = boite;
        connect(boite, &QLineEdit::textChanged, this, [this, b] { margeModifiee(b); });
        ++rang;
    }
    marges->setColumnStretch(0, 1);
    vertical->addLayout(marges);

    auto* precis = new QPushButton(QStringLiteral("&Règlage précis des textes"), this);
    precis->setObjectName(QStringLiteral("Bouton_Kiv_XP1"));
    connect(precis, &QPushButton::clicked, this, &FrmConfigure::reglerTextes);
    vertical->addWidget(precis);
    auto* essai = new QPushButton(QStringLiteral("Page d'essai d'alignement"), this);
    essai->setObjectName(QStringLiteral("BtnEssaiAlignement"));
    auto* menuEssai = new QMenu(essai);
    // For the choice as shown, unsaved edits included.
    auto pageEssai = [this, menuEssai](const char* nom, const QString& texte, bool pdf) {
        auto* action = menuEssai->addAction(texte);
        action->setObjectName(QLatin1String(nom));
        connect(action, &QAction::triggered, this, [this, pdf] {
            ImprimerPageAlignement(app_, this, ReglagesAffiches(copie_, valeurs()), pdf);
        });
    };
    pageEssai("mnuEssaiImprimer", QStringLiteral("Imprimer sur papier blanc"), false);
    pageEssai("mnuEssaiPdf", QStringLiteral("Enregistrer en PDF…"), true);
    essai->setMenu(menuEssai);
    vertical->addWidget(essai);
    vertical->addStretch();

    quitter_ = new QPushButton(QStringLiteral("Quitter et appliquer le choix"), this);
    quitter_->setObjectName(QStringLiteral("Bouton_Kiv_XP2"));
    annuler_ = new QPushButton(QStringLiteral("Annuler"), this);
    annuler_->setObjectName(QStringLiteral("Bouton_Kiv_XP3"));
    connect(quitter_, &QPushButton::clicked, this, &FrmConfigure::quitterEtAppliquer);
    connect(annuler_, &QPushButton::clicked, this, &FrmConfigure::annuler);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(quitter_);
    boutons->addWidget(annuler_);
    vertical->addLayout(boutons);
    return colonne;
}

void FrmConfigure::construire() {
    auto* principal = new QVBoxLayout(this);
    auto* colonnes = new QHBoxLayout;
    colonnes->setSpacing(18);
    colonnes->addWidget(construireColonneReglages(), 1);
    colonnes->addWidget(construireColonneApercu());
    principal->addLayout(colonnes);
    auto* basDePage =
        new QLabel(QStringLiteral("Le choix sélectionné sera ensuite appliqué par défaut"), this);
    basDePage->setAlignment(Qt::AlignCenter);
    QFont italique = basDePage->font();
    italique.setItalic(true);
    basDePage->setFont(italique);
    principal->addWidget(basDePage);

    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("Frame"));
    frame_->setAutoFillBackground(true);
    frame_->hide();

    connect(cboPolices_, &QComboBox::activated, this, &FrmConfigure::policeCliquee);
    // What the user picks from a list is installed: the warning about the value
    // that was saved goes as soon as another one is chosen.
    for (auto [boite, avertissement] : {std::pair{cboPrint_, horsListeImprimante_},
                                        std::pair{cboPolices_, horsListePolice_},
                                        std::pair{cboTaille_, horsListeTaille_},
                                        std::pair{cboTChiffre_, horsListeTChiffre_}})
        connect(boite, &QComboBox::activated, this,
                [this, avertissement] { signalerHorsListe(avertissement, QString()); });
    connect(cboR_, &QComboBox::activated, this, &FrmConfigure::raccourciClique);
    connect(chkJ_, &QCheckBox::clicked, this, &FrmConfigure::journalClique);
    connect(chkD_, &QCheckBox::clicked, this, &FrmConfigure::debiteurClique);
    connect(chkTC1_, &QCheckBox::clicked, this, [this] { tailleChiffreClique(chkTC1_, chkTC2_); });
    connect(chkTC2_, &QCheckBox::clicked, this, [this] { tailleChiffreClique(chkTC2_, chkTC1_); });
    for (QCheckBox* c : {chkG_, chkM_, chkL_, chkE_, chkDef_, chkDefDest_, chkCent_, chkCompleter_})
        connect(c, &QCheckBox::clicked, this, &FrmConfigure::versQuitter);
}

// ---- Activation and filling -------------------------------------------------

bool FrmConfigure::event(QEvent* e) {
    const bool resultat = QWidget::event(e);
    // A window system may still activate the window after it was asked to
    // close (the message box it owned goes, the focus comes back): by then
    // it is leaving, and must neither reopen the session nor touch controls
    // that are about to be deleted.
    if (e->type() == QEvent::WindowActivate && !fermee_ && isVisible())
        activer();
    return resultat;
}

void FrmConfigure::activer() {
    // No processing of pending events here: activation is delivered while
    // the toolkit walks its windows, and a click run from inside it could
    // close and delete this window under that walk.
    app_.etat.ConfigurationOuverte = 1;
    const int choix = app_.etat.ChoixCourant;
    if (choix == 1 || choix == 2) {
        QRadioButton* option = optChoix_[choix - 1];
        if (!option->isChecked())
            option->setChecked(true); // its click follows
    }
}

void FrmConfigure::choixClique(int index) {
    app_.etat.ChoixCourant = static_cast<std::uint8_t>(index + 1);
    chargerCopie();
    FaitFrmOpConf();
}

// The settings of the choice shown, as saved: edits of another choice go.
void FrmConfigure::chargerCopie() {
    ChargerReglages(app_.chemins, app_.etat, copie_, false);
}

void FrmConfigure::afficherChequier() {
    const int choix = app_.etat.ChoixCourant == 2 ? 2 : 1;
    const auto chequier = app_.registre ? app_.registre->chequierDuChoix(choix)
                                        : Resultat<Chequier>(Echec{app_.raisonRegistre});
    const Chequier c = chequier ? *chequier : Chequier{ChequierParDefaut(choix), false, 1};
    txtChequier_->setText(c.nom);
    chkNumeroter_->setChecked(c.numeroter);
    txtProchain_->setText(QStringLiteral("%1").arg(c.prochain, 7, 10, QLatin1Char('0')));
    txtProchain_->setEnabled(c.numeroter);
    for (QWidget* w : std::initializer_list<QWidget*>{txtChequier_, chkNumeroter_, txtProchain_})
        w->setEnabled(app_.registre != nullptr && (w != txtProchain_ || c.numeroter));
}

bool FrmConfigure::enregistrerChequier() {
    Dialogues& dialogues = app_.plateforme.dialogues;
    if (!app_.registre)
        return true; // told at start; the settings are saved all the same
    const int choix = app_.etat.ChoixCourant == 2 ? 2 : 1;
    const QString nom = txtChequier_->text().trimmed();
    if (nom.isEmpty()) {
        dialogues.message(this, QStringLiteral("Donnez un nom au chéquier de ce choix."),
                          Icone::Exclamation);
        txtChequier_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const QString texte = txtProchain_->text().trimmed();
    const std::int64_t prochain = texte.toLongLong();
    if (chkNumeroter_->isChecked() && (texte.isEmpty() || prochain < 1 || prochain > 9999999)) {
        dialogues.message(this,
                          QStringLiteral("Le prochain numéro doit avoir au plus 7 chiffres, de "
                                         "0000001 à 9999999."),
                          Icone::Exclamation);
        txtProchain_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    Chequier c{nom, chkNumeroter_->isChecked(), prochain};
    if (prochain < 1 || prochain > 9999999) {
        // Numbering off: the next number stays where the register has it.
        const auto avant = app_.registre->chequierDuChoix(choix);
        c.prochain = avant ? avant->prochain : 1;
    }
    if (const auto fait = app_.registre->reglerChequier(choix, c); !fait) {
        dialogues.message(this, fait.raison(), Icone::Exclamation);
        (fait.raison().contains(QStringLiteral("numéro")) ? txtProchain_ : txtChequier_)
            ->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void FrmConfigure::signalerHorsListe(QLabel* etiquette, const QString& texte) {
    etiquette->setText(texte);
    etiquette->setVisible(!texte.isEmpty());
}

void FrmConfigure::FaitFrmOpConf() {
    const Reglages& r = copie_;
    pctCB_->hide();

    if (r.Taille != 0) {
        const bool vue = Selectionner(cboTaille_, QString::number(r.Taille));
        signalerHorsListe(
            horsListeTaille_,
            vue ? QString()
                : QStringLiteral("Taille enregistrée hors de la liste : %1").arg(r.Taille));
    } else {
        signalerHorsListe(horsListeTaille_, QString());
    }

    cboPrint_->clear();
    AjouterTries(cboPrint_, app_.plateforme.imprimantes.noms());
    const bool imprimanteVue = !r.Imprimante.isEmpty() && Selectionner(cboPrint_, r.Imprimante);
    if (!imprimanteVue)
        cboPrint_->setCurrentIndex(-1);
    signalerHorsListe(horsListeImprimante_,
                      imprimanteVue || r.Imprimante.isEmpty()
                          ? QString()
                          : QStringLiteral("Imprimante enregistrée introuvable : ") + r.Imprimante);

    const QStringList polices = app_.plateforme.polices.familles();
    cboPolices_->clear();
    AjouterTries(cboPolices_, polices);
    const bool policeVue = !r.Police.isEmpty() && Selectionner(cboPolices_, r.Police);
    if (!policeVue)
        cboPolices_->setCurrentIndex(-1);
    signalerHorsListe(horsListePolice_,
                      policeVue || r.Police.isEmpty()
                          ? QString()
                          : QStringLiteral("Police enregistrée non installée : ") + r.Police);

    txtMH_->setText(QString::number(r.MargeHaute));
    txtMD_->setText(QString::number(r.MargeDroite));

    const bool portrait = r.Orientation == 1;
    (portrait ? opt1_ : opt2_)->setChecked(true);
    orientation(portrait);
    pctCB_->placer(r.MargeHaute / 4.0, r.MargeDroite / 4.0);
    pctCB_->show();

    chkG_->setChecked(r.Gras == 1);
    chkM_->setChecked(r.Minimise == 1);
    chkL_->setChecked(r.Emission == 1);
    chkJ_->setChecked(r.Journal == 1);
    chkD_->setChecked(r.Debiteur == 1);
    chkE_->setChecked(r.Encadrer == 1);
    chkDef_->setChecked(r.Revenir == 1);
    chkDefDest_->setChecked(r.RevenirDest == 1);
    chkCent_->setChecked(r.EcrireCent == 1);
    chkCompleter_->setChecked(r.CompleterLigne == 1);
    cboVariante_->setCurrentIndex(r.Variante <= 2 ? r.Variante : 0);
    cboOrthographe_->setCurrentIndex(r.Orthographe == 1 ? 1 : 0);
    montrerDevise();
    chkD_->setEnabled(chkJ_->isChecked());
    if (!chkJ_->isChecked())
        chkD_->setChecked(false);
    afficherChequier();

    QString tailleChiffreInvisible;
    if (r.ChoixTailleChiffre == 0) {
        chkTC1_->setChecked(false);
        chkTC2_->setChecked(false);
        cboTChiffre_->setEnabled(false);
        cboTChiffre_->setCurrentIndex(-1);
    } else {
        chkTC1_->setChecked(r.ChoixTailleChiffre == 1);
        chkTC2_->setChecked(r.ChoixTailleChiffre != 1);
        cboTChiffre_->setEnabled(true);
        if (!Selectionner(cboTChiffre_, QString::number(r.TailleChiffre)))
            tailleChiffreInvisible =
                QStringLiteral("Taille enregistrée hors de la liste : %1").arg(r.TailleChiffre);
    }
    signalerHorsListe(horsListeTChiffre_, tailleChiffreInvisible);

    const auto [montants, destinataires] = liens_.listes();
    cboM_->clear();
    cboM_->addItems(montants);
    cboM_->setEditText(r.Montant);
    cboD_->clear();
    AjouterTries(cboD_, destinataires);
    cboD_->setEditText(r.Ledestinataire);

    if (!r.Police.isEmpty() && !cboPolices_->currentText().isEmpty()) {
        QFont f = lblPolices_->font();
        f.setFamily(cboPolices_->currentText());
        lblPolices_->setFont(f);
    }
    lblPolices_->setText(QStringLiteral(" Polices de caractères (%1) ").arg(polices.size()));

    const QString touche = NomTouche(r.Raccourci);
    const int indexTouche = touche.isEmpty() ? 0 : touche.left(1).toInt();
    cboR_->setCurrentIndex(indexTouche);
    raccourciClique();

    pctCB_->setCursor(ApercuCheque::curseurRepos());
}

void FrmConfigure::orientation(bool portrait) {
    const GeometrieFeuille& g = portrait ? Portrait : Paysage;
    const double ppm = ApercuCheque::pixelsParMm(this);
    auto px = [ppm](double mm) { return static_cast<int>(std::lround(mm * ppm)); };
    pct_->setGeometry(px(g.gauche - OrigineX), px(g.haut - OrigineY), px(g.largeur), px(g.hauteur));
    ombre_->setGeometry(pct_->geometry().translated(3, 3));
    lblNote_->setVisible(!portrait);
}

// ---- Control rules ----------------------------------------------------------

void FrmConfigure::versQuitter() {
    if (clicSouris_)
        quitter_->setFocus(Qt::OtherFocusReason);
    clicSouris_ = false;
}

bool FrmConfigure::eventFilter(QObject* objet, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonRelease:
        clicSouris_ = true;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        clicSouris_ = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(objet, e);
}

void FrmConfigure::journalClique() {
    if (!chkJ_->isChecked()) {
        chkD_->setChecked(false);
        chkD_->setEnabled(false);
    } else {
        chkD_->setEnabled(true);
    }
    versQuitter();
}

void FrmConfigure::debiteurClique() {
    // The issuer's name is kept in the journal only.
    if (!chkJ_->isChecked())
        chkD_->setChecked(false);
    versQuitter();
}

void FrmConfigure::tailleChiffreClique(QCheckBox* coche, QCheckBox* autre) {
    if (coche->isChecked())
        autre->setChecked(false);
    if (!chkTC1_->isChecked() && !chkTC2_->isChecked()) {
        cboTChiffre_->setEnabled(false);
        cboTChiffre_->setCurrentIndex(-1);
    } else {
        cboTChiffre_->setEnabled(true);
    }
    versQuitter();
}

void FrmConfigure::policeCliquee() {
    QFont f = lblPolices_->font();
    f.setBold(false);
    f.setFamily(cboPolices_->currentText());
    lblPolices_->setFont(f);
}

void FrmConfigure::raccourciClique() {
    const int i = cboR_->currentIndex();
    if (i >= 0 && i < int(TouchesRaccourci.size()))
        copie_.Raccourci = TouchesRaccourci[i].code;
}

// ---- Preview and margins ----------------------------------------------------

void FrmConfigure::margeModifiee(BoiteMarge* boite) {
    bool borne = false;
    const std::int16_t valeur = ArrondirPosition(LireNombreEnTete(boite->text()), &borne);
    if (boite == txtMH_) {
        copie_.MargeHaute = valeur;
        pctCB_->placerHaut(valeur / 4.0);
    } else {
        copie_.MargeDroite = valeur;
        pctCB_->placerGauche(valeur / 4.0);
    }
    // A margin cannot go beyond what the settings hold: show where it stopped.
    if (borne)
        boite->setText(QString::number(valeur));
}

void FrmConfigure::chequeDeplace(double haut, double gauche) {
    const std::int16_t margeHaute = ArrondirPosition(haut * 4);
    const std::int16_t margeDroite = ArrondirPosition(gauche * 4);
    copie_.MargeHaute = margeHaute;
    copie_.MargeDroite = margeDroite;
    txtMH_->setText(QString::number(margeHaute));
    txtMD_->setText(QString::number(margeDroite));
}

// The precise positioning of the texts, over this window, simulated with the
// main window's texts.
void FrmConfigure::reglerTextes() {
    const TextesCheque textes = liens_.cheque();
    if (textes.chiffres.isEmpty() || textes.lieu.isEmpty() || textes.destinataire.isEmpty()) {
        app_.plateforme.dialogues.message(
            this,
            QStringLiteral("Un montant de chèque, un destinataire et un lieu d'émission\n"
                           "doivent être indiqués pour accèder à cette page de simulation."),
            Icone::Critique);
        quitterEtAppliquer();
        return;
    }
    // The simulation frames the amount as the box is ticked now.
    copie_.Encadrer = chkE_->isChecked();
    // And writes and closes the words as the window shows them now.
    copie_.Variante = std::uint8_t(std::max(cboVariante_->currentIndex(), 0));
    copie_.Orthographe = std::uint8_t(std::max(cboOrthographe_->currentIndex(), 0));
    copie_.CompleterLigne = chkCompleter_->isChecked();

    frame_->setGeometry(rect());
    frame_->raise();
    frame_->show();
    auto* textesFenetre = new FrmTextes(
        copie_, textes, app_.plateforme.dialogues,
        [this]() -> std::optional<int> {
            if (!enregistrer())
                return std::nullopt;
            return app_.etat.ChoixCourant;
        },
        this);
    app_.aide.relier(textesFenetre, SectionAide::ReglagePrecis);
    connect(textesFenetre, &QDialog::finished, this, [this, textesFenetre] {
        frame_->hide();
        textesFenetre->deleteLater();
        activateWindow();
    });
    textesFenetre->open();
}

// ---- Buttons ----------------------------------------------------------------

void FrmConfigure::EtatChoix() {
    const int masque = app_.etat.ChoixEnregistres;
    if (masque < 0 || masque > 3)
        return;
    for (int i = 0; i < 2; ++i) {
        const bool enregistre = masque & (1 << i);
        optChoix_[i]->setText(QStringLiteral("Choix %1%2")
                                  .arg(i + 1)
                                  .arg(enregistre ? QStringLiteral(" OK") : QString()));
        Colorer(optChoix_[i], enregistre ? QColor(0, 0, 0) : RougeFonce);
    }
}

ValeursConfiguration FrmConfigure::valeurs() const {
    ValeursConfiguration v;
    v.imprimante = cboPrint_->currentText();
    v.police = cboPolices_->currentText();
    v.taille = cboTaille_->currentText();
    v.portrait = opt1_->isChecked();
    v.gras = chkG_->isChecked();
    v.minimise = chkM_->isChecked();
    v.ignorerLieu = chkL_->isChecked();
    v.journal = chkJ_->isChecked();
    v.debiteur = chkD_->isChecked();
    v.encadrer = chkE_->isChecked();
    v.revenir = chkDef_->isChecked();
    v.revenirDest = chkDefDest_->isChecked();
    v.sansCentimesNuls = chkCent_->isChecked();
    v.tailleChiffreMinimum = chkTC1_->isChecked();
    v.tailleChiffreFixe = chkTC2_->isChecked();
    if (cboTChiffre_->currentIndex() >= 0)
        v.tailleChiffre = cboTChiffre_->currentText();
    v.montant = cboM_->currentText();
    v.destinataire = cboD_->currentText();
    v.variante = std::max(cboVariante_->currentIndex(), 0);
    v.orthographe = std::max(cboOrthographe_->currentIndex(), 0);
    v.completerLigne = chkCompleter_->isChecked();
    return v;
}

// The settings in force must be those of the choice in use when the window
// is left; switching choices may have shown another one.
void FrmConfigure::rechargerSiAutreChoix() {
    const int choix = app_.etat.ChoixCourant;
    if (choix == 0 || choix == choixCharge_)
        return;
    emit choixARecharger();
    choixCharge_ = choix;
}

namespace {

bool EcrireChoix(AppScribane& app, QWidget* parent) {
    const auto ecrit =
        EcrireChoixCfg(app.chemins.choix(), {app.etat.ChoixCourant, app.etat.ChoixEnregistres});
    if (ecrit)
        return true;
    app.plateforme.dialogues.message(
        parent,
        QStringLiteral("Le choix en cours n'a pas pu être enregistré.\n\n") + ecrit.raison(),
        Icone::Critique);
    return false;
}

} // namespace

void FrmConfigure::quitterEtAppliquer() {
    if (ChoixManquant(valeurs())) {
        app_.plateforme.dialogues.message(
            this,
            QStringLiteral("Vous n'avez pas fait le choix de l'imprimante, ou de la police, ou de "
                           "sa taille !\n\nOu le choix sélectionné, voire aucun choix, n'est "
                           "encore enregistré !\n\nPour une utilisation même ponctuelle, tous les "
                           "éléments de la configuration doivent être renseignés."),
            Icone::Exclamation);
        cboPrint_->setFocus(Qt::OtherFocusReason);
        return;
    }

    // The choice kept after leaving, loaded when it is not the one in force;
    // unsaved edits go with the copy, so that what the main window shows is
    // what it will print with.
    const bool ecrire = ChoixEnQuittantConfiguration(app_.etat);
    rechargerSiAutreChoix();
    emit choixApplique();

    // Choix.cfg that cannot be written: the user was told; leaving now would
    // reload, on closing, a choice other than the one just applied.
    if (ecrire && !EcrireChoix(app_, this))
        return;
    app_.etat.ConfigurationOuverte = 0;
    close();
}

void FrmConfigure::annuler() {
    app_.etat.ChoixCourant = static_cast<std::uint8_t>(ChoixInitial_);
    if (ChoixEnQuittantConfiguration(app_.etat))
        EcrireChoix(app_, this);
    emit annule();
    // What was just reloaded is what stays.
    choixCharge_ = app_.etat.ChoixCourant;
    app_.etat.ConfigurationOuverte = 0;
    close();
}

void FrmConfigure::enregistrerChoix() {
    if (enregistrer())
        app_.plateforme.dialogues.message(
            this, QStringLiteral("Choix %1 enregistré.").arg(app_.etat.ChoixCourant),
            Icone::Information);
}

// Saves the choice shown with the lists; false, the user told why, when nothing was saved.
bool FrmConfigure::enregistrer() {
    Dialogues& dialogues = app_.plateforme.dialogues;
    if (app_.etat.ChoixCourant == 0) {
        dialogues.message(this, QStringLiteral("Aucun choix n'est sélectionné !"),
                          Icone::Exclamation);
        return false;
    }
    const ValeursConfiguration v = valeurs();
    if (ChoixManquant(v)) {
        dialogues.message(
            this,
            QStringLiteral("Vous n'avez pas fait le choix de l'imprimante, ou de la "
                           "police, ou de sa taille !\n\nEnregistrement impossible !"),
            Icone::Exclamation);
        cboPrint_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const Resultat<Reglages> reglages = ReglagesDeConfiguration(copie_, v);
    if (!reglages) {
        dialogues.message(this, reglages.raison(), Icone::Information);
        if (const auto champ = ChampRefuse(v)) {
            QWidget* controles[] = {cboPrint_, cboPolices_, cboTaille_, cboTChiffre_};
            controles[static_cast<int>(*champ)]->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }
    if (!enregistrerChequier())
        return false;
    if (!liens_.enregistrer(*reglages))
        return false;

    // On disk: the settings are in force. The choice is marked as saved only
    // once Choix.cfg says so.
    copie_ = *reglages;
    app_.reglages = copie_;
    app_.MarqueGras = MarqueGras(copie_);
    choixCharge_ = app_.etat.ChoixCourant;
    const auto avant = app_.etat.ChoixEnregistres;
    MarquerChoixEnregistre(app_.etat);
    if (!EcrireChoix(app_, this)) {
        app_.etat.ChoixEnregistres = avant;
        return false;
    }

    EtatChoix();
    emit choixEnregistre();
    return true;
}

void FrmConfigure::renseignerDevise() {
    Dialogues& dialogues = app_.plateforme.dialogues;
    Reglages& r = copie_;
    const QString titre = TitreProgramme();

    const QString devise = MotDeDevise(
        dialogues.saisie(this, QStringLiteral("Nouvelle devise (singulier)"), titre, r.Devise),
        true);
    if (devise.isEmpty())
        return;
    r.Devise = devise;

    const QString centimes = MotDeDevise(
        dialogues.saisie(this, QStringLiteral("Centième de devise (singulier)"), titre, r.Centimes),
        true);
    if (centimes.isEmpty())
        return;
    r.Centimes = centimes;

    const QString liaison =
        MotDeDevise(dialogues.saisie(this,
                                     QStringLiteral("Liaison entre ") + r.Devise +
                                         QStringLiteral("  \" et \"  ") + r.Centimes,
                                     titre, r.Liaison),
                    false);
    if (!liaison.isEmpty())
        r.Liaison = liaison;
    montrerDevise();
}

void FrmConfigure::montrerDevise() {
    // Words of the user's own show as such, after the offered ones.
    const int proposee = DeviseProposeeDe(copie_);
    const int autres = int(std::size(DevisesProposees));
    while (cboDevise_->count() > autres)
        cboDevise_->removeItem(autres);
    if (proposee >= 0) {
        cboDevise_->setCurrentIndex(proposee);
        return;
    }
    cboDevise_->addItem(
        QStringLiteral("autre : %1 / %2%3")
            .arg(copie_.Devise, copie_.Centimes,
                 copie_.SansCentimes == 1 ? QStringLiteral(" (sans centimes)") : QString()));
    cboDevise_->setCurrentIndex(autres);
}

void FrmConfigure::afficherNote(const QString& texte) {
    app_.plateforme.dialogues.message(this, texte, Icone::Information);
}

// ---- Closing ----------------------------------------------------------------

void FrmConfigure::closeEvent(QCloseEvent* e) {
    fermee_ = true;
    RelireChoixCfg(app_.etat, app_.chemins.choix());
    rechargerSiAutreChoix();
    app_.etat.ConfigurationOuverte = 0;
    e->accept();
    emit fermee();
}
