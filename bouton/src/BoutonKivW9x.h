#pragma once

#include "bouton/Controle.h"
#include "bouton/SourceSouris.h"
#include <QPixmap>
#include <QVariant>
#include <QWidget>
#include <cstdint>

class QTimer;

namespace bouton {

class PartieEtiquette;
class PartieForme;
class PartieImage;
class PartieLigne;
class PartieRectangulaire;

// The control Bouton_Kiv_W9x: a surface on which it paints its five parts (Shp, Line1,
// Line2, Img, Lbl, in that order), laid out in twips according to Style and Bordure.
class BoutonKivW9x final : public QWidget, public Controle {
    Q_OBJECT
    // Stored state that has no member of its own, readable for tests and tools.
    Q_PROPERTY(QVariant ImgLeftRepos MEMBER imgLeftRepos_)
    Q_PROPERTY(uint CouleurSurface MEMBER couleurSurface_)
    Q_PROPERTY(int EtatCourant MEMBER etatCourant_)
    Q_PROPERTY(int SourisEnfoncee READ sourisEnfoncee)

public:
    explicit BoutonKivW9x(QWidget* parent);
    ~BoutonKivW9x() override;

    Resultat lire(int32_t id, QVariant& valeur) override;
    Resultat ecrire(int32_t id, const QVariant& valeur) override;
    Resultat appeler(int32_t id, QVariantList& arguments, QVariant* retour) override;
    std::optional<int32_t> idDuNom(const QString& nom) const override;
    QString nomDuMembre(int32_t id) const override;
    QString description(int32_t id) const override;

    QWidget* widget() override { return this; }
    void definirSite(SiteHote* site) override { site_ = site; }
    void connecterPuits(PuitsEvenements* puits) override { puits_ = puits; }
    void definirSourceSouris(SourceSouris* source) override { sourceSouris_ = source; }
    Resultat initialiserNouveau() override;
    Resultat charger(SacProprietes& sac) override;
    Resultat enregistrer(SacProprietes& sac) const override;
    void definirTailleTwips(double largeur, double hauteur) override;
    QSizeF tailleTwips() const override { return {largeurTwips_, hauteurTwips_}; }
    QList<QUuid> pagesProprietes() const override;

    int sourisEnfoncee() const { return sourisEnfoncee_; }

    // Live controls, for DllCanUnloadNow.
    static int nombreVivants();

    // The size the host gave in twips, so that layouts start from it.
    QSize sizeHint() const override {
        return tailleDemandee_.isValid() ? tailleDemandee_ : QWidget::sizeHint();
    }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    // Reads and writes the saved properties.
    friend class Persistance;

    Resultat affecter(int32_t id, const QVariant& valeur);
    void miseEnPage();
    void appliquerSautDeLigne();
    void ajusterEtiquette();
    Resultat peindreSurface(uint32_t ole);
    Resultat definirPolice(const QVariant& valeur);
    Resultat definirImage(const QVariant& valeur);
    Resultat definirIconeSouris(const QVariant& valeur);
    Resultat definirPointeur(int16_t code);
    void definirCaption(const QString& texte);
    void tailleNaturelleImage();
    void placerLignes(bool enfoncees);

    // Hover and press.
    Resultat Boutons_SetState(int32_t etat);
    Resultat ShowAboutBox();
    void decaler(bool enfonce);
    void lirePointeur();
    bool pointeurDedans() const;
    void finSurvol();
    void arreterSuivi();
    void retourAuRepos();
    void appuiPerdu();
    PartieRectangulaire* partieSous(QPointF twips) const;
    QVariantList argumentsSouris(const QMouseEvent* e, int16_t bouton);

    void lever(int32_t id, QVariantList& arguments);
    void notifier(int32_t id);
    uint32_t couleurAmbiante() const;
    QFont policeAmbiante() const;
    double twipsX(double px) const;
    double twipsY(double px) const;
    int pxX(double twips) const;
    int pxY(double twips) const;

    SiteHote* site_ = nullptr;
    PuitsEvenements* puits_ = nullptr;

    PartieImage* img_;
    PartieEtiquette* lbl_;
    PartieForme* shp_;
    PartieLigne* line1_;
    PartieLigne* line2_;
    QTimer* timerEnd_;
    SourceSouris* sourceSouris_ = nullptr;

    int32_t style_ = 0;
    int32_t bordure_ = 0;
    QString infobulle_;
    uint32_t backColor_;
    uint32_t backColorOver_;
    uint32_t etiColOut_;
    uint32_t etiColOver_;
    uint32_t etiFoCoOut_;
    uint32_t etiFoCoOver_;
    int32_t etatCourant_ = 0;
    uint8_t sourisEnfoncee_ = 0;
    QVariant imgLeftRepos_;
    RectangleEcran rectBouton_;
    QPoint posSouris_;

    uint32_t couleurSurface_;
    int16_t pointeur_ = 0;
    QPixmap iconeSouris_;

    double largeurTwips_ = 0;
    double hauteurTwips_ = 0;
    QSize tailleMiseEnPage_;
    QSize tailleDemandee_;
    // The part that received the button-down keeps the input until the last button is up
    // (nullptr: the surface).
    bool saisieEnCours_ = false;
    PartieRectangulaire* partieSaisie_ = nullptr;
    bool clicEnCours_ = false;
};

} // namespace bouton
