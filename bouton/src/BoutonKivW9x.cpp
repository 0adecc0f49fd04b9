#include "BoutonKivW9x.h"

#include "Conversions.h"
#include "Couleurs.h"
#include "Membres.h"
#include "Parties.h"
#include "bouton/Identites.h"
#include "bouton/PuitsEvenements.h"
#include "bouton/SacProprietes.h"
#include "bouton/SiteHote.h"
#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <atomic>
#include <cmath>

#define ESSAYER(expression)                                                                        \
    do {                                                                                           \
        if (Resultat r_ = (expression); !r_.reussi())                                              \
            return r_;                                                                             \
    } while (false)

namespace bouton {

namespace {

std::atomic<int> vivants{0};

constexpr double TwipsParPouce = 1440.0;

QVariant valeurCouleur(uint32_t ole) {
    return QVariant::fromValue<uint>(ole);
}
QVariant entier(int16_t v) {
    return QVariant::fromValue<qint16>(v);
}
QVariant objet(const QPixmap& p) {
    return p.isNull() ? QVariant() : QVariant::fromValue(p);
}

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

int16_t boutonsSouris(Qt::MouseButtons b) {
    return int16_t((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                   (b & Qt::MiddleButton ? 4 : 0));
}

int16_t touchesMajuscule(Qt::KeyboardModifiers m) {
    return int16_t((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                   (m & Qt::AltModifier ? 4 : 0));
}

// A message that says which saved key failed.
Resultat avecCle(Resultat r, const char* cle) {
    r.message =
        QStringLiteral("%1 (propriété enregistrée « %2 »)").arg(r.message, QLatin1String(cle));
    return r;
}

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

Resultat BoutonKivW9x::ecrire(int32_t id, const QVariant& valeur) {
    Resultat r = affecter(id, valeur);
    if (r.reussi())
        notifier(id);
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
        if (id == m::Style)
            style_ = *n;
        else
            bordure_ = style_ == EtiqRelief ? 1 : *n;
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
    // The button states and the about box are not part of this library yet.
    return Resultat::erreur(
        code::NonImplemente,
        QStringLiteral("%1 n'est pas encore disponible.").arg(QLatin1String(m->nom)));
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

void BoutonKivW9x::definirCaption(const QString& texte) {
    lbl_->texte = texte;
    if (style_ != Ligne)
        appliquerSautDeLigne();
    ajusterEtiquette();
    update();
}

// "*" starts the second line; anything after a second "*" is dropped.
void BoutonKivW9x::appliquerSautDeLigne() {
    if (!lbl_->texte.contains(u'*'))
        return;
    const QStringList morceaux = lbl_->texte.split(u'*');
    lbl_->texte = morceaux[0] + u'\n' + morceaux[1];
    ajusterEtiquette();
}

// An auto-sized label takes the size of its text, keeping its left and top.
void BoutonKivW9x::ajusterEtiquette() {
    update();
    if (!lbl_->tailleAuto)
        return;
    const QFontMetricsF mesure(lbl_->police, this);
    const QRectF texte =
        mesure.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, lbl_->texte);
    lbl_->largeur = twipsX(std::ceil(texte.width()));
    lbl_->hauteur = twipsY(std::ceil(std::max(texte.height(), mesure.height())));
}

// --- Layout --------------------------------------------------------------------------------

void BoutonKivW9x::definirTailleTwips(double largeur, double hauteur) {
    largeurTwips_ = largeur;
    hauteurTwips_ = hauteur;
    tailleMiseEnPage_ = QSize(pxX(largeur), pxY(hauteur));
    if (tailleDemandee_ != tailleMiseEnPage_) {
        tailleDemandee_ = tailleMiseEnPage_;
        updateGeometry();
    }
    resize(tailleMiseEnPage_);
    miseEnPage();
}

void BoutonKivW9x::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Sizes given in twips are already laid out; a hidden widget gets its resize when shown.
    if (size() == tailleMiseEnPage_)
        return;
    tailleMiseEnPage_ = size();
    largeurTwips_ = twipsX(width());
    hauteurTwips_ = twipsY(height());
    miseEnPage();
}

void BoutonKivW9x::miseEnPage() {
    const double W = largeurTwips_;
    const double H = hauteurTwips_;
    // A size a part refuses (a control smaller than the margins) keeps the previous one.
    appliquerSautDeLigne();
    if (style_ == EtiqRelief)
        bordure_ = 1;
    if (bordure_ == 0 || bordure_ == 1)
        shp_->visible = line1_->visible = line2_->visible = bordure_ == 1;
    img_->gauche = 120;
    img_->haut = 120;

    auto cadre = [&] {
        shp_->definirHauteur(H - 35);
        shp_->definirLargeur(W - 35);
    };
    auto lignesEnRelief = [&] {
        line1_->placer(20, 20, 20 + shp_->largeur, 20);
        line2_->placer(20, 20, 20, 20 + shp_->hauteur);
    };
    auto etiquette = [&](double marge, bool auto_, int opaque) {
        lbl_->gauche = marge;
        lbl_->haut = marge;
        lbl_->tailleAuto = auto_;
        ajusterEtiquette();
        lbl_->fondOpaque = opaque;
        img_->visible = false;
        lbl_->visible = true;
        cadre();
        lignesEnRelief();
    };

    switch (style_) {
    case Image:
        img_->visible = true;
        lbl_->visible = false;
        cadre();
        if (!img_->etirer) {
            img_->gauche = W / 2 - img_->largeur / 2;
            img_->haut = H / 2 - img_->hauteur / 2;
        } else {
            img_->definirLargeur(W - 240);
            img_->definirHauteur(H - 240);
        }
        imgLeftRepos_ = float(img_->gauche);
        lignesEnRelief();
        break;
    case Etiquette:
        etiquette(40, false, 1);
        lbl_->definirLargeur(shp_->largeur - 50);
        lbl_->definirHauteur(shp_->hauteur - 50);
        break;
    case EtiqCentree:
        etiquette(40, true, 0);
        lbl_->gauche = 40;
        lbl_->definirLargeur(shp_->largeur - 50);
        lbl_->haut = shp_->hauteur / 2 - lbl_->hauteur / 2;
        break;
    case EtiqRelief:
        etiquette(30, false, 1);
        lbl_->definirLargeur(shp_->largeur - 20);
        lbl_->definirHauteur(shp_->hauteur - 20);
        break;
    case Ligne:
        img_->visible = false;
        lbl_->visible = false;
        line1_->placer(0, H / 2, W, H / 2);
        line2_->placer(0, H / 2 + 25, W, H / 2 + 25);
        line1_->visible = line2_->visible = true;
        break;
    default:
        break;
    }
    update();
    QVariantList aucun;
    lever(evenement::Resize, aucun);
}

// --- Painting ------------------------------------------------------------------------------

void BoutonKivW9x::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), couleurQt(couleurSurface_, pal));

    auto boite = [&](const PartieRectangulaire* partie) {
        const int x = pxX(partie->gauche);
        const int y = pxY(partie->haut);
        return QRect(x, y, pxX(partie->gauche + partie->largeur) - x,
                     pxY(partie->haut + partie->hauteur) - y);
    };

    if (shp_->visible) {
        const QRect r = boite(shp_);
        const QColor c = couleurQt(shp_->couleur, pal);
        const int w = shp_->epaisseur;
        p.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
        p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
        p.fillRect(QRect(r.left(), r.top(), w, r.height()), c);
        p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
    }
    for (const PartieLigne* l : {line1_, line2_}) {
        if (!l->visible)
            continue;
        const QColor c = couleurQt(l->couleur, pal);
        const int x1 = pxX(l->x1), y1 = pxY(l->y1), x2 = pxX(l->x2), y2 = pxY(l->y2);
        // Like the platform's lines, the end point itself is not drawn.
        if (y1 == y2)
            p.fillRect(QRect(std::min(x1, x2), y1, std::abs(x2 - x1), l->epaisseur), c);
        else if (x1 == x2)
            p.fillRect(QRect(x1, std::min(y1, y2), l->epaisseur, std::abs(y2 - y1)), c);
        else {
            p.setPen(QPen(c, l->epaisseur));
            p.drawLine(x1, y1, x2, y2);
        }
    }
    if (img_->visible && !img_->image.isNull()) {
        const QRect r = boite(img_);
        p.save();
        p.setClipRect(r);
        if (img_->etirer)
            p.drawPixmap(r, img_->image);
        else
            p.drawPixmap(r.topLeft(), img_->image);
        p.restore();
    }
    if (lbl_->visible) {
        QRect r = boite(lbl_);
        p.save();
        p.setClipRect(r);
        if (lbl_->fondOpaque)
            p.fillRect(r, couleurQt(lbl_->couleurFond, pal));
        if (lbl_->cadre == vbBSSolid) {
            p.setPen(pal.color(QPalette::Active, QPalette::WindowText));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }
        static const Qt::Alignment alignements[] = {Qt::AlignLeft, Qt::AlignRight,
                                                    Qt::AlignHCenter};
        int drapeaux = alignements[lbl_->alignement].toInt() | Qt::AlignTop;
        // A fixed-size label wraps its words; an auto-sized one grows instead.
        if (!lbl_->tailleAuto)
            drapeaux |= Qt::TextWordWrap;
        p.setFont(lbl_->police);
        p.setPen(couleurQt(lbl_->couleurTexte, pal));
        p.drawText(r, drapeaux, lbl_->texte);
        p.restore();
    }
}

// --- Input ---------------------------------------------------------------------------------

void BoutonKivW9x::leverSouris(int32_t id, const QMouseEvent* e, int16_t bouton) {
    if (style_ == Ligne)
        return;
    const QPointF pos = e->position();
    QVariantList arguments{QVariant::fromValue<qint16>(bouton),
                           QVariant::fromValue<qint16>(touchesMajuscule(e->modifiers())),
                           float(twipsX(pos.x())), float(twipsY(pos.y()))};
    lever(id, arguments);
}

void BoutonKivW9x::mousePressEvent(QMouseEvent* e) {
    clicEnCours_ = true;
    leverSouris(evenement::MouseDown, e, boutonsSouris(e->button()));
}

void BoutonKivW9x::mouseMoveEvent(QMouseEvent* e) {
    leverSouris(evenement::MouseMove, e, boutonsSouris(e->buttons()));
}

void BoutonKivW9x::mouseReleaseEvent(QMouseEvent* e) {
    leverSouris(evenement::MouseUp, e, boutonsSouris(e->button()));
    const bool clic = clicEnCours_ && rect().contains(e->position().toPoint());
    clicEnCours_ = false;
    if (clic && style_ != Ligne) {
        QVariantList aucun;
        lever(evenement::Click, aucun);
    }
}

bool BoutonKivW9x::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        // Each part shows its own tooltip; the label lies over the image.
        const QPoint pos = static_cast<QHelpEvent*>(e)->pos();
        const QPointF twips(twipsX(pos.x()), twipsY(pos.y()));
        auto sous = [&](const PartieRectangulaire* partie) {
            return partie->visible &&
                   QRectF(partie->gauche, partie->haut, partie->largeur, partie->hauteur)
                       .contains(twips);
        };
        const QString texte = sous(lbl_)   ? lbl_->infobulle
                              : sous(img_) ? img_->infobulle
                                           : QString();
        if (texte.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), texte, this);
        return true;
    }
    return QWidget::event(e);
}

// --- Persistence ---------------------------------------------------------------------------

Resultat BoutonKivW9x::initialiserNouveau() {
    infobulle_.clear();
    etiFoCoOut_ = etiFoCoOver_ = couleur::TexteBouton;
    etiColOut_ = couleurAmbiante();
    etiColOver_ = couleurAmbiante();
    backColorOver_ = couleurAmbiante();
    ESSAYER(lbl_->definirCouleurFond(etiColOut_));
    ESSAYER(lbl_->definirCouleurTexte(etiFoCoOut_));
    ESSAYER(ecrire(membre::Font, policeAmbiante()));
    // The surface keeps its own colour until BackColor is assigned or loaded.
    backColor_ = couleurAmbiante();
    bordure_ = 0;
    update();
    return Resultat::ok();
}

Resultat BoutonKivW9x::enregistrer(SacProprietes& sac) const {
    const QVariant ambiante = valeurCouleur(couleurAmbiante());
    const QVariant texteBouton = valeurCouleur(couleur::TexteBouton);
    struct Entree {
        const char* cle;
        QVariant valeur;
        QVariant defaut;
    };
    const Entree entrees[] = {
        {"Enabled", !testAttribute(Qt::WA_ForceDisabled), true},
        {"BordColSombre", valeurCouleur(shp_->couleur), valeurCouleur(couleur::OmbreBouton)},
        {"MouseIcon", objet(iconeSouris_), QVariant()},
        {"MousePointer", entier(pointeur_), entier(0)},
        {"Picture", objet(img_->image), QVariant()},
        {"Stretch", img_->etirer, true},
        {"ToolTipText", infobulle_, QString()},
        {"Bord1ColClair", valeurCouleur(line1_->couleur), valeurCouleur(couleur::FaceBouton)},
        {"Bord2ColClair", valeurCouleur(line2_->couleur), valeurCouleur(couleur::FaceBouton)},
        {"BackColor", valeurCouleur(couleurSurface_), ambiante},
        {"Style", QVariant::fromValue<int32_t>(style_), QVariant::fromValue<int32_t>(0)},
        {"Caption", lbl_->texte, QString()},
        {"Font", lbl_->police, policeAmbiante()},
        {"EtiFoCoOut", valeurCouleur(etiFoCoOut_), texteBouton},
        {"EtiFoCoOut", valeurCouleur(lbl_->couleurTexte), texteBouton},
        {"EtiFoCoOver", valeurCouleur(etiFoCoOver_), texteBouton},
        {"EtiColOut", valeurCouleur(etiColOut_), ambiante},
        {"EtiColOut", valeurCouleur(lbl_->couleurFond), ambiante},
        {"EtiColOver", valeurCouleur(etiColOver_), ambiante},
        {"BorderWidth", entier(int16_t(shp_->epaisseur)), entier(1)},
        {"BorderWidth", entier(int16_t(line1_->epaisseur)), entier(1)},
        {"BorderWidth", entier(int16_t(line2_->epaisseur)), entier(1)},
        {"BackColorOver", valeurCouleur(backColorOver_), ambiante},
        {"BackColorOut", valeurCouleur(backColor_), ambiante},
        {"BorderStyle", entier(int16_t(lbl_->cadre)), entier(0)},
        {"Bordure", QVariant::fromValue<int32_t>(bordure_), QVariant::fromValue<int32_t>(0)},
        {"Alignment", entier(int16_t(lbl_->alignement)), entier(2)},
        {"FontName", lbl_->police.family(), QString()},
        {"FontSize", float(lbl_->police.pointSizeF()), 0.0f},
        {"FontItalic", lbl_->police.italic(), false},
        {"FontBold", lbl_->police.bold(), false},
    };
    for (const Entree& e : entrees)
        ESSAYER(sac.ecrire(QLatin1String(e.cle), e.valeur, e.defaut));
    return Resultat::ok();
}

namespace {

// Reads one key and converts it to the type it was saved as.
template <typename T, typename Conversion>
Resultat lireCle(SacProprietes& sac, const char* cle, const QVariant& defaut, T& sortie,
                 Conversion conversion) {
    QVariant v;
    Resultat r = sac.lire(QLatin1String(cle), v, defaut);
    if (!r.reussi())
        return avecCle(r, cle);
    auto valeur = conversion(v, &r);
    if (!valeur)
        return avecCle(r, cle);
    sortie = *valeur;
    return Resultat::ok();
}

} // namespace

Resultat BoutonKivW9x::charger(SacProprietes& sac) {
    const QVariant ambiante = valeurCouleur(couleurAmbiante());
    const QVariant texteBouton = valeurCouleur(couleur::TexteBouton);
    auto appliquer = [](Resultat r, const char* cle) { return r.reussi() ? r : avecCle(r, cle); };
    auto objetBrut = [&](const char* cle, const QVariant& defaut, QVariant& sortie) {
        return appliquer(sac.lire(QLatin1String(cle), sortie, defaut), cle);
    };

    bool b = false;
    int16_t n = 0;
    uint32_t c = 0;
    float f = 0;
    QString s;
    QVariant o;

    ESSAYER(lireCle(sac, "Enabled", true, b, conv::versBooleen));
    setEnabled(b);
    ESSAYER(
        lireCle(sac, "BordColSombre", valeurCouleur(couleur::OmbreBouton), c, conv::versCouleur));
    ESSAYER(appliquer(shp_->definirCouleur(c), "BordColSombre"));
    ESSAYER(objetBrut("MouseIcon", QVariant(), o));
    ESSAYER(appliquer(ecrire(membre::MouseIcon, o), "MouseIcon"));
    ESSAYER(lireCle(sac, "MousePointer", entier(0), n, conv::versEntier));
    ESSAYER(appliquer(definirPointeur(n), "MousePointer"));
    ESSAYER(objetBrut("Picture", QVariant(), o));
    ESSAYER(appliquer(ecrire(membre::Picture, o), "Picture"));
    ESSAYER(lireCle(sac, "Stretch", true, b, conv::versBooleen));
    img_->etirer = b;
    tailleNaturelleImage();
    // The parts get the tooltip only when ToolTipText is next assigned.
    ESSAYER(lireCle(sac, "ToolTipText", QString(), infobulle_, conv::versChaine));
    ESSAYER(
        lireCle(sac, "Bord1ColClair", valeurCouleur(couleur::FaceBouton), c, conv::versCouleur));
    ESSAYER(appliquer(line1_->definirCouleur(c), "Bord1ColClair"));
    ESSAYER(
        lireCle(sac, "Bord2ColClair", valeurCouleur(couleur::FaceBouton), c, conv::versCouleur));
    ESSAYER(appliquer(line2_->definirCouleur(c), "Bord2ColClair"));
    ESSAYER(lireCle(sac, "BackColor", ambiante, c, conv::versCouleur));
    ESSAYER(appliquer(peindreSurface(c), "BackColor"));
    ESSAYER(lireCle(sac, "Style", QVariant::fromValue<int32_t>(0), style_, conv::versLong));
    ESSAYER(lireCle(sac, "Caption", QString(), s, conv::versChaine));
    definirCaption(s);
    ESSAYER(objetBrut("Font", policeAmbiante(), o));
    ESSAYER(appliquer(ecrire(membre::Font, o), "Font"));
    ESSAYER(lireCle(sac, "EtiFoCoOut", texteBouton, etiFoCoOut_, conv::versCouleur));
    ESSAYER(lireCle(sac, "EtiFoCoOut", texteBouton, c, conv::versCouleur));
    ESSAYER(appliquer(lbl_->definirCouleurTexte(c), "EtiFoCoOut"));
    ESSAYER(lireCle(sac, "EtiFoCoOver", texteBouton, etiFoCoOver_, conv::versCouleur));
    ESSAYER(lireCle(sac, "EtiColOut", ambiante, etiColOut_, conv::versCouleur));
    ESSAYER(lireCle(sac, "EtiColOut", ambiante, c, conv::versCouleur));
    ESSAYER(appliquer(lbl_->definirCouleurFond(c), "EtiColOut"));
    ESSAYER(lireCle(sac, "EtiColOver", ambiante, etiColOver_, conv::versCouleur));
    for (PartieLigne* ligne : {static_cast<PartieLigne*>(nullptr), line1_, line2_}) {
        ESSAYER(lireCle(sac, "BorderWidth", entier(1), n, conv::versEntier));
        ESSAYER(appliquer(ligne ? ligne->definirEpaisseur(n) : shp_->definirEpaisseur(n),
                          "BorderWidth"));
    }
    ESSAYER(lireCle(sac, "BackColorOver", ambiante, backColorOver_, conv::versCouleur));
    ESSAYER(lireCle(sac, "BackColorOut", ambiante, backColor_, conv::versCouleur));
    ESSAYER(lireCle(sac, "BorderStyle", entier(0), n, conv::versEntier));
    ESSAYER(appliquer(lbl_->definirCadre(n), "BorderStyle"));
    ESSAYER(lireCle(sac, "Bordure", QVariant::fromValue<int32_t>(0), bordure_, conv::versLong));
    ESSAYER(lireCle(sac, "Alignment", entier(2), n, conv::versEntier));
    ESSAYER(appliquer(lbl_->definirAlignement(n), "Alignment"));
    // An absent name or size (empty, 0) keeps what "Font" restored instead of failing.
    ESSAYER(lireCle(sac, "FontName", QString(), s, conv::versChaine));
    if (!s.isEmpty())
        ESSAYER(appliquer(lbl_->definirNomPolice(s), "FontName"));
    ESSAYER(lireCle(sac, "FontSize", 0.0f, f, conv::versSimple));
    if (f != 0)
        ESSAYER(appliquer(lbl_->definirTaillePolice(f), "FontSize"));
    ESSAYER(lireCle(sac, "FontItalic", false, b, conv::versBooleen));
    lbl_->police.setItalic(b);
    ESSAYER(lireCle(sac, "FontBold", false, b, conv::versBooleen));
    lbl_->police.setBold(b);
    ajusterEtiquette();
    return Resultat::ok();
}

} // namespace bouton
