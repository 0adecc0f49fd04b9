#include "BoutonKivW9x.h"

#include "Conversions.h"
#include "Couleurs.h"
#include "FrmAbout.h"
#include "Membres.h"
#include "Parties.h"
#include "Valeurs.h"
#include "bouton/Identites.h"
#include "bouton/PuitsEvenements.h"
#include "bouton/SiteHote.h"
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <cmath>

namespace bouton {

namespace {

std::atomic<int> vivants{0};

constexpr double TwipsParPouce = 1440.0;

Resultat erreurMembre(int32_t id, const char* quoi) {
    return Resultat::erreur(code::MembreInconnu, QStringLiteral("Membre 0x%1 %2.")
                                                     .arg(uint32_t(id), 8, 16, QLatin1Char('0'))
                                                     .arg(QLatin1String(quoi)));
}

// A picture object: nothing, a pixmap or an image.
std::optional<QPixmap> versImage(const QVariant& v, Resultat* erreur) {
    if (!v.isValid())
        return QPixmap();
    if (v.typeId() == QMetaType::QPixmap)
        return v.value<QPixmap>();
    if (v.typeId() == QMetaType::QImage)
        return QPixmap::fromImage(v.value<QImage>());
    if (erreur)
        *erreur = conv::erreurType();
    return std::nullopt;
}

Qt::CursorShape formePointeur(int16_t code) {
    static const Qt::CursorShape formes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    return formes[code];
}

constexpr int16_t PointeurPersonnalise = 99;

} // namespace

BoutonKivW9x::BoutonKivW9x(QWidget* parent)
    : QWidget(parent), img_(new PartieImage(QStringLiteral("Img"), this)),
      lbl_(new PartieEtiquette(QStringLiteral("Lbl"), this)),
      shp_(new PartieForme(QStringLiteral("Shp"), this)),
      line1_(new PartieLigne(QStringLiteral("Line1"), this)),
      line2_(new PartieLigne(QStringLiteral("Line2"), this)), timerEnd_(new QTimer(this)),
      backColor_(couleur::FaceBouton), backColorOver_(couleur::FaceBouton),
      etiColOut_(couleur::FaceBouton), etiColOver_(couleur::FaceBouton),
      etiFoCoOut_(couleur::TexteBouton), etiFoCoOver_(couleur::TexteBouton),
      couleurSurface_(couleur::FaceBouton) {
    ++vivants;
    setObjectName(QLatin1String(NomClasseBouton));
    setMouseTracking(true);

    img_->gauche = 120;
    img_->haut = 120;
    img_->largeur = 735;
    img_->hauteur = 735;

    lbl_->texte = QStringLiteral("Etiquette");
    lbl_->gauche = 90;
    lbl_->haut = 1200;
    lbl_->largeur = 855;
    lbl_->hauteur = 255;
    lbl_->police = QApplication::font();

    shp_->gauche = 20;
    shp_->haut = 20;
    shp_->largeur = 2160;
    shp_->hauteur = 2040;

    line1_->placer(40, 40, 520, 40);
    line2_->placer(40, 40, 40, 520);

    timerEnd_->setObjectName(QStringLiteral("TimerEnd"));
    timerEnd_->setInterval(100);
    connect(timerEnd_, &QTimer::timeout, this, &BoutonKivW9x::finSurvol);

    largeurTwips_ = twipsX(width());
    hauteurTwips_ = twipsY(height());
}

BoutonKivW9x::~BoutonKivW9x() {
    --vivants;
}

int BoutonKivW9x::nombreVivants() {
    return vivants;
}

// --- Units -------------------------------------------------------------------------------

double BoutonKivW9x::twipsX(double px) const {
    return px * TwipsParPouce / logicalDpiX();
}
double BoutonKivW9x::twipsY(double px) const {
    return px * TwipsParPouce / logicalDpiY();
}
int BoutonKivW9x::pxX(double twips) const {
    return int(std::lround(twips * logicalDpiX() / TwipsParPouce));
}
int BoutonKivW9x::pxY(double twips) const {
    return int(std::lround(twips * logicalDpiY() / TwipsParPouce));
}

// --- Host ----------------------------------------------------------------------------------

uint32_t BoutonKivW9x::couleurAmbiante() const {
    return site_ ? site_->couleurFondAmbiante() : couleur::FaceBouton;
}

QFont BoutonKivW9x::policeAmbiante() const {
    return site_ ? site_->policeAmbiante() : QApplication::font();
}

void BoutonKivW9x::notifier(int32_t id) {
    if (site_)
        site_->proprieteModifiee(QLatin1String(membreParId(id)->nom));
}

void BoutonKivW9x::lever(int32_t id, QVariantList& arguments) {
    if (puits_)
        puits_->evenement(id, arguments);
}

// --- Dispatch ------------------------------------------------------------------------------

std::optional<int32_t> BoutonKivW9x::idDuNom(const QString& nom) const {
    const Membre* m = membreParNom(nom);
    return m ? std::optional<int32_t>(m->id) : std::nullopt;
}

QString BoutonKivW9x::nomDuMembre(int32_t id) const {
    const Membre* m = membreParId(id);
    return m ? QLatin1String(m->nom) : QString();
}

QString BoutonKivW9x::description(int32_t id) const {
    const Membre* m = membreParId(id);
    return m ? QString::fromUtf8(m->description) : QString();
}

Resultat BoutonKivW9x::lire(int32_t id, QVariant& v) {
    namespace m = membre;
    switch (id) {
    case m::Enabled:
        v = !testAttribute(Qt::WA_ForceDisabled);
        break;
    case m::MouseIcon:
        v = objet(iconeSouris_);
        break;
    case m::MousePointer:
        v = entier(pointeur_);
        break;
    case m::Picture:
        v = objet(img_->image);
        break;
    case m::Stretch:
        v = img_->etirer;
        break;
    case m::ToolTipText:
        v = infobulle_;
        break;
    case m::Hwnd:
        v = QVariant::fromValue<int32_t>(int32_t(winId()));
        break;
    case m::BackColor:
        v = valeurCouleur(backColor_);
        break;
    case m::BackColorOver:
        v = valeurCouleur(backColorOver_);
        break;
    case m::BorderStyle:
        v = QVariant::fromValue<int32_t>(lbl_->cadre);
        break;
    case m::BordColSombre:
        v = valeurCouleur(shp_->couleur);
        break;
    case m::Bord1ColClair:
        v = valeurCouleur(line1_->couleur);
        break;
    case m::Bord2ColClair:
        v = valeurCouleur(line2_->couleur);
        break;
    case m::BorderWidth:
        v = entier(int16_t(shp_->epaisseur));
        break;
    case m::Style:
        v = QVariant::fromValue<int32_t>(style_);
        break;
    case m::Bordure:
        v = QVariant::fromValue<int32_t>(bordure_);
        break;
    case m::Caption:
        v = lbl_->texte;
        break;
    case m::Font:
        v = lbl_->police;
        break;
    case m::EtiFoCoOut:
        v = valeurCouleur(etiFoCoOut_);
        break;
    case m::EtiFoCoOver:
        v = valeurCouleur(etiFoCoOver_);
        break;
    case m::EtiColOut:
        v = valeurCouleur(etiColOut_);
        break;
    case m::EtiColOver:
        v = valeurCouleur(etiColOver_);
        break;
    case m::Alignment:
        v = QVariant::fromValue<int32_t>(lbl_->alignement);
        break;
    case m::FontName:
        v = lbl_->police.family();
        break;
    case m::FontSize:
        v = float(lbl_->police.pointSizeF());
        break;
    case m::FontItalic:
        v = lbl_->police.italic();
        break;
    case m::FontBold:
        v = lbl_->police.bold();
        break;
    case m::Boutons_SetState:
    case m::ShowAboutBox:
        return erreurMembre(id, "est une méthode");
    default:
        return erreurMembre(id, "inconnu");
    }
    return Resultat::ok();
}

// The host may delete the control from the Resize the layout raises, or from the change
// notification: nothing of the control is touched after that, and the caller hears of it.
Resultat BoutonKivW9x::ecrire(int32_t id, const QVariant& valeur) {
    const QPointer<BoutonKivW9x> vivant(this);
    Resultat r = affecter(id, valeur);
    if (vivant && r.reussi())
        notifier(id);
    if (!vivant)
        return Resultat::erreur(code::ObjetDeconnecte,
                                QStringLiteral("Le contrôle a été supprimé pendant l'affectation "
                                               "de %1.")
                                    .arg(QLatin1String(membreParId(id)->nom)));
    return r;
}

Resultat BoutonKivW9x::affecter(int32_t id, const QVariant& v) {
    namespace m = membre;
    Resultat e;
    switch (id) {
    case m::Enabled: {
        auto b = conv::versBooleen(v, &e);
        if (!b)
            return e;
        setEnabled(*b);
        return e;
    }
    case m::MouseIcon:
        return definirIconeSouris(v);
    case m::MousePointer: {
        auto n = conv::versEntier(v, &e);
        return n ? definirPointeur(*n) : e;
    }
    case m::Picture:
        return definirImage(v);
    case m::Stretch: {
        auto b = conv::versBooleen(v, &e);
        if (!b)
            return e;
        img_->etirer = *b;
        tailleNaturelleImage();
        update();
        return e;
    }
    case m::ToolTipText: {
        auto s = conv::versChaine(v, &e);
        if (!s)
            return e;
        infobulle_ = *s;
        img_->infobulle = *s;
        lbl_->infobulle = *s;
        return e;
    }
    case m::BackColor: {
        auto c = conv::versCouleur(v, &e);
        if (!c)
            return e;
        backColor_ = *c;
        return peindreSurface(*c);
    }
    case m::BackColorOver:
    case m::EtiFoCoOver:
    case m::EtiColOver: {
        auto c = conv::versCouleur(v, &e);
        if (!c)
            return e;
        (id == m::BackColorOver ? backColorOver_
         : id == m::EtiFoCoOver ? etiFoCoOver_
                                : etiColOver_) = *c;
        return e;
    }
    case m::BorderStyle:
    case m::Alignment: {
        auto n = conv::versEntier(v, &e);
        if (!n)
            return e;
        e = id == m::BorderStyle ? lbl_->definirCadre(*n) : lbl_->definirAlignement(*n);
        update();
        return e;
    }
    case m::BordColSombre:
    case m::Bord1ColClair:
    case m::Bord2ColClair: {
        auto c = conv::versCouleur(v, &e);
        if (!c)
            return e;
        e = id == m::BordColSombre   ? shp_->definirCouleur(*c)
            : id == m::Bord1ColClair ? line1_->definirCouleur(*c)
                                     : line2_->definirCouleur(*c);
        update();
        return e;
    }
    case m::BorderWidth: {
        auto n = conv::versEntier(v, &e);
        if (!n)
            return e;
        ESSAYER(shp_->definirEpaisseur(*n));
        ESSAYER(line1_->definirEpaisseur(*n));
        ESSAYER(line2_->definirEpaisseur(*n));
        update();
        return e;
    }
    case m::Style:
    case m::Bordure: {
        auto n = conv::versLong(v, &e);
        if (!n)
            return e;
        if (id == m::Style) {
            // A separator takes no input: a hover or a press in progress ends now, under the
            // style it began in.
            if (*n == Ligne && style_ != Ligne)
                retourAuRepos();
            style_ = *n;
        } else {
            bordure_ = style_ == EtiqRelief ? 1 : *n;
        }
        miseEnPage();
        return e;
    }
    case m::Caption: {
        auto s = conv::versChaine(v, &e);
        if (!s)
            return e;
        definirCaption(*s);
        return e;
    }
    case m::Font:
        return definirPolice(v);
    case m::EtiFoCoOut:
    case m::EtiColOut: {
        auto c = conv::versCouleur(v, &e);
        if (!c)
            return e;
        // Stored first: a colour the label refuses still changes the stored field.
        if (id == m::EtiFoCoOut) {
            etiFoCoOut_ = *c;
            e = lbl_->definirCouleurTexte(*c);
        } else {
            etiColOut_ = *c;
            e = lbl_->definirCouleurFond(*c);
        }
        update();
        return e;
    }
    case m::FontName: {
        auto s = conv::versChaine(v, &e);
        if (!s)
            return e;
        ESSAYER(lbl_->definirNomPolice(*s));
        ajusterEtiquette();
        return e;
    }
    case m::FontSize: {
        auto f = conv::versSimple(v, &e);
        if (!f)
            return e;
        ESSAYER(lbl_->definirTaillePolice(*f));
        ajusterEtiquette();
        return e;
    }
    case m::FontItalic:
    case m::FontBold: {
        auto b = conv::versBooleen(v, &e);
        if (!b)
            return e;
        if (id == m::FontItalic)
            lbl_->police.setItalic(*b);
        else
            lbl_->police.setBold(*b);
        ajusterEtiquette();
        return e;
    }
    case m::Hwnd:
        return erreurMembre(id, "est en lecture seule");
    case m::Boutons_SetState:
    case m::ShowAboutBox:
        return erreurMembre(id, "est une méthode");
    default:
        return erreurMembre(id, "inconnu");
    }
}

Resultat BoutonKivW9x::appeler(int32_t id, QVariantList& arguments, QVariant* retour) {
    const Membre* m = membreParId(id);
    if (!m)
        return erreurMembre(id, "inconnu");
    if (m->acces != Acces::Methode) {
        // A property called as a method with no arguments reads it, as dispatch hosts allow.
        if (!arguments.isEmpty())
            return Resultat::erreur(code::NombreArguments,
                                    QStringLiteral("Nombre d'arguments incorrect."));
        QVariant v;
        ESSAYER(lire(id, v));
        if (retour)
            *retour = v;
        return Resultat::ok();
    }
    const qsizetype attendus = id == membre::Boutons_SetState ? 1 : 0;
    if (arguments.size() != attendus)
        return Resultat::erreur(code::NombreArguments,
                                QStringLiteral("Nombre d'arguments incorrect."));
    if (id == membre::Boutons_SetState) {
        Resultat e;
        auto etat = conv::versLong(arguments[0], &e);
        return etat ? Boutons_SetState(*etat) : e;
    }
    return ShowAboutBox();
}

QList<QUuid> BoutonKivW9x::pagesProprietes() const {
    return {ClsidPageProprietes, ClsidPageStandardPicture, ClsidPageStandardColor,
            ClsidPageStandardFont};
}

// The box is modal over the host's window and released when it closes, so each call shows a
// fresh one. Nothing of the control is used after the box's event loop, which may delete it.
Resultat BoutonKivW9x::ShowAboutBox() {
    // Held here rather than in a global, so that a second box opened from inside the first
    // cannot have the first call release it.
    const QPointer<FrmAbout> boite = new FrmAbout(window());
    boite->exec();
    delete boite.data();
    return Resultat::ok();
}

// --- Setters with effects -----------------------------------------------------------------

Resultat BoutonKivW9x::peindreSurface(uint32_t ole) {
    if (!couleurOleValide(ole))
        return conv::erreurValeur();
    couleurSurface_ = ole;
    update();
    return Resultat::ok();
}

Resultat BoutonKivW9x::definirPolice(const QVariant& v) {
    if (v.typeId() != QMetaType::QFont)
        return conv::erreurType();
    lbl_->police = v.value<QFont>();
    ajusterEtiquette();
    return Resultat::ok();
}

Resultat BoutonKivW9x::definirImage(const QVariant& v) {
    Resultat e;
    auto image = versImage(v, &e);
    if (!image)
        return e;
    img_->image = *image;
    tailleNaturelleImage();
    update();
    return e;
}

// Without stretch the image takes its picture's size; it moves only at the next layout.
void BoutonKivW9x::tailleNaturelleImage() {
    if (img_->etirer || img_->image.isNull())
        return;
    const QSizeF taille = img_->image.deviceIndependentSize();
    img_->largeur = twipsX(taille.width());
    img_->hauteur = twipsY(taille.height());
}

Resultat BoutonKivW9x::definirIconeSouris(const QVariant& v) {
    Resultat e;
    auto image = versImage(v, &e);
    if (!image)
        return e;
    iconeSouris_ = *image;
    return definirPointeur(pointeur_);
}

Resultat BoutonKivW9x::definirPointeur(int16_t code) {
    if (code == PointeurPersonnalise) {
        if (iconeSouris_.isNull())
            unsetCursor();
        else
            setCursor(QCursor(iconeSouris_));
    } else if (code >= 0 && code <= 15) {
        if (code == 0)
            unsetCursor();
        else
            setCursor(formePointeur(code));
    } else {
        return conv::erreurValeur();
    }
    pointeur_ = code;
    return Resultat::ok();
}

} // namespace bouton
