// Members reached by ID on a control created from the registry.

#include "Essai.h"

#include "bouton/hote/SiteWidget.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <functional>

using namespace bouton;
namespace m = bouton::membre;

namespace {

struct Valeur {
    int32_t id;
    QVariant attendue;
};

} // namespace

TEST_F(ControleEssai, NewControlInitialValues) {
    const Valeur valeurs[] = {
        {m::Style, 0},
        {m::Bordure, 0},
        {m::ToolTipText, QString()},
        {m::EtiFoCoOut, 0x80000012u},
        {m::EtiFoCoOver, 0x80000012u},
        {m::Caption, QStringLiteral("Etiquette")},
        {m::Stretch, true},
        {m::BorderWidth, 1},
        {m::Alignment, 2},
        {m::BorderStyle, 0},
        {m::Enabled, true},
        {m::MousePointer, 0},
        {m::BackColor, site.ambiante},
        {m::BackColorOver, site.ambiante},
        {m::EtiColOut, site.ambiante},
        {m::EtiColOver, site.ambiante},
        {m::BordColSombre, 0x80000010u},
        {m::Bord1ColClair, 0x80000014u},
        {m::Bord2ColClair, 0x80000014u},
        {m::FontName, site.police.family()},
        {m::FontSize, 10.0f},
        {m::FontBold, false},
    };
    for (const Valeur& v : valeurs)
        EXPECT_EQ(lire(v.id), v.attendue) << c.dispatch->nomDuMembre(v.id).toStdString();
    // The label shows the resting colours; the surface keeps its own until BackColor is set.
    EXPECT_EQ(partie("Lbl", "BackColor").toUInt(), site.ambiante);
    EXPECT_EQ(partie("Lbl", "ForeColor").toUInt(), 0x80000012u);
    EXPECT_EQ(c.widget->property("CouleurSurface").toUInt(), 0x8000000Fu);
}

TEST_F(ControleEssai, InitialisationAnnouncesTheFont) {
    SiteEssai autre;
    c.controle->definirSite(&autre);
    ASSERT_TRUE(c.controle->initialiserNouveau().reussi());
    EXPECT_EQ(autre.journal, QStringList{QStringLiteral("prop:Font")});
    c.controle->definirSite(&site);
}

TEST_F(ControleEssai, ArgumentConversions) {
    struct Cas {
        int32_t id;
        QVariant donnee;
        QVariant lue;
    };
    const Cas cas[] = {
        {m::Style, QStringLiteral("3"), 3},
        {m::Alignment, 1.5, 2}, // halves to even
        {m::Alignment, 0.5, 0},
        {m::FontSize, 8.25, 8.25f},
        {m::FontBold, -1, true},
        {m::FontItalic, QStringLiteral("Vrai"), true},
        {m::BackColor, int(0x8000000F), 0x8000000Fu},
        {m::BackColorOver, 0xFFFFFFFFu, 0xFFFFFFFFu},
        {m::Caption, 12, QStringLiteral("12")},
        {m::MousePointer, QVariant::fromValue<qint16>(2), 2},
    };
    for (const Cas& k : cas) {
        const auto r = ecrire(k.id, k.donnee);
        EXPECT_TRUE(r.reussi()) << texte(r);
        EXPECT_EQ(lire(k.id), k.lue) << c.dispatch->nomDuMembre(k.id).toStdString();
    }
}

TEST_F(ControleEssai, RefusedValuesLeaveThePropertyUntouched) {
    struct Cas {
        int32_t id;
        QVariant donnee;
        int32_t code;
    };
    const Cas cas[] = {
        {m::Alignment, 70000, code::Depassement},
        {m::Alignment, -32769, code::Depassement},
        {m::MousePointer, 40000, code::Depassement},
        {m::BorderStyle, -40000, code::Depassement},
        {m::BorderWidth, 32768, code::Depassement},
        {m::Alignment, 3, code::ValeurProprieteInvalide},
        {m::BorderStyle, 2, code::ValeurProprieteInvalide},
        {m::BorderWidth, 0, code::ValeurProprieteInvalide},
        {m::MousePointer, 16, code::ValeurProprieteInvalide},
        {m::FontSize, 0, code::ValeurProprieteInvalide},
        {m::FontName, QString(), code::ValeurProprieteInvalide},
        {m::BordColSombre, 0x12345678u, code::ValeurProprieteInvalide},
        {m::FontSize, QStringLiteral("grand"), code::IncompatibiliteType},
        {m::Style, QStringLiteral("x"), code::IncompatibiliteType},
        {m::Font, QStringLiteral("Arial"), code::IncompatibiliteType},
        {m::Picture, QStringLiteral("image.bmp"), code::IncompatibiliteType},
        {m::Hwnd, 1, code::MembreInconnu},
        {0x12345, 1, code::MembreInconnu},
    };
    for (const Cas& k : cas) {
        QVariant avant;
        c.dispatch->lire(k.id, avant);
        const QString lblAvant = partie("Lbl", "Alignment").toString();
        site.journal.clear();
        const auto r = ecrire(k.id, k.donnee);
        EXPECT_EQ(r.code, k.code) << c.dispatch->nomDuMembre(k.id).toStdString() << " " << texte(r);
        EXPECT_FALSE(r.message.isEmpty());
        QVariant apres;
        c.dispatch->lire(k.id, apres);
        EXPECT_EQ(apres, avant) << c.dispatch->nomDuMembre(k.id).toStdString();
        EXPECT_EQ(partie("Lbl", "Alignment").toString(), lblAvant);
        EXPECT_TRUE(site.journal.isEmpty()) << site.journal.join(u' ').toStdString();
    }
}

TEST_F(ControleEssai, ColourRefusedByTheLabelStaysStored) {
    const auto r = ecrire(m::EtiFoCoOut, 0x12345678u);
    EXPECT_EQ(r.code, code::ValeurProprieteInvalide);
    EXPECT_EQ(lire(m::EtiFoCoOut).toUInt(), 0x12345678u);
    EXPECT_EQ(partie("Lbl", "ForeColor").toUInt(), 0x80000012u);
}

TEST_F(ControleEssai, EveryAssignmentAnnouncesItsName) {
    const Valeur valeurs[] = {
        {m::Enabled, false},
        {m::Caption, QStringLiteral("x")},
        {m::BackColorOver, 0x10u},
        {m::BorderWidth, 2},
        {m::FontBold, true},
        {m::ToolTipText, QStringLiteral("t")},
        {m::MousePointer, 3},
        {m::Picture, QPixmap(4, 4)},
        {m::Font, QFont(QStringLiteral("DejaVu Serif"))},
    };
    for (const Valeur& v : valeurs) {
        site.journal.clear();
        ASSERT_TRUE(ecrire(v.id, v.attendue).reussi());
        EXPECT_EQ(site.journal,
                  QStringList{QStringLiteral("prop:") + c.dispatch->nomDuMembre(v.id)});
    }
}

TEST_F(ControleEssai, StyleAndBorderLayOutBeforeTheAnnouncement) {
    ASSERT_TRUE(ecrire(m::Style, EtiqRelief).reussi());
    ASSERT_TRUE(ecrire(m::Bordure, 0).reussi());
    EXPECT_EQ(site.journal, (QStringList{"evt:1", "prop:Style", "evt:1", "prop:Bordure"}));
    EXPECT_EQ(lire(m::Bordure), 1);
    EXPECT_TRUE(partie("Shp", "Visible").toBool());
}

// A host may delete the control from the Resize a layout raises, or from a change
// notification: the call then says so, and nothing of the control is touched again (under
// AddressSanitizer a touch is a use after free; without it, a late notification shows).
TEST_F(ControleEssai, HostDeletingTheControlInsideACall) {
    struct HoteQuiSupprime : SiteEssai {
        QPointer<QWidget> cible;
        int32_t evenementFatal = 0;
        QString proprieteFatale;
        void evenement(int32_t id, QVariantList& arguments) override {
            SiteEssai::evenement(id, arguments);
            if (id == evenementFatal)
                delete cible.data();
        }
        void proprieteModifiee(const QString& nom) override {
            SiteEssai::proprieteModifiee(nom);
            if (nom == proprieteFatale)
                delete cible.data();
        }
    };
    struct Cas {
        const char* quoi;
        int32_t evenementFatal;
        const char* proprieteFatale;
        std::function<Resultat(hote::ControleCharge&)> appel;
    };
    const Cas cas[] = {
        {"Style", evenement::Resize, "",
         [](hote::ControleCharge& k) { return k.dispatch->ecrire(m::Style, Etiquette); }},
        {"Bordure", evenement::Resize, "",
         [](hote::ControleCharge& k) { return k.dispatch->ecrire(m::Bordure, 1); }},
        // Initialisation goes on after announcing the font.
        {"initialisation", 0, "Font",
         [](hote::ControleCharge& k) { return k.controle->initialiserNouveau(); }},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.quoi);
        HoteQuiSupprime hote;
        hote::ControleCharge controle = creer();
        ASSERT_NE(controle.widget, nullptr);
        controle.controle->definirSite(&hote);
        controle.controle->connecterPuits(&hote);
        hote.cible = controle.widget;
        hote.evenementFatal = k.evenementFatal;
        hote.proprieteFatale = QLatin1String(k.proprieteFatale);
        const Resultat r = k.appel(controle);
        ASSERT_FALSE(hote.cible);
        EXPECT_EQ(r.code, code::ObjetDeconnecte) << texte(r);
        EXPECT_FALSE(r.message.isEmpty());
        if (k.evenementFatal) {
            EXPECT_EQ(hote.journal, QStringList{QStringLiteral("evt:1")});
        }
    }
}

TEST_F(ControleEssai, BorderOutsideTheEnumerationIsKept) {
    ASSERT_TRUE(ecrire(m::Bordure, 1).reussi());
    ASSERT_TRUE(ecrire(m::Bordure, 5).reussi());
    EXPECT_EQ(lire(m::Bordure), 5);
    EXPECT_TRUE(partie("Line1", "Visible").toBool());
}

TEST_F(ControleEssai, BorderWidthOnTheThreeParts) {
    ASSERT_TRUE(ecrire(m::BorderWidth, 3).reussi());
    for (const char* p : {"Shp", "Line1", "Line2"})
        EXPECT_EQ(partie(p, "BorderWidth"), 3) << p;
    EXPECT_EQ(lire(m::BorderWidth), 3);
}

TEST_F(ControleEssai, BackColorPaintsTheSurfaceAndBackColorOverDoesNot) {
    ASSERT_TRUE(ecrire(m::BackColorOver, 0x000000FFu).reussi());
    EXPECT_EQ(c.widget->property("CouleurSurface").toUInt(), 0x8000000Fu);
    ASSERT_TRUE(ecrire(m::BackColor, 0x00D5E9EEu).reussi());
    EXPECT_EQ(lire(m::BackColor).toUInt(), 0x00D5E9EEu);
    EXPECT_EQ(c.widget->property("CouleurSurface").toUInt(), 0x00D5E9EEu);
}

TEST_F(ControleEssai, ToolTipTextCopiedOntoTheParts) {
    ASSERT_TRUE(ecrire(m::ToolTipText, QStringLiteral("Montant")).reussi());
    EXPECT_EQ(partie("Img", "ToolTipText").toString(), QStringLiteral("Montant"));
    EXPECT_EQ(partie("Lbl", "ToolTipText").toString(), QStringLiteral("Montant"));
}

TEST_F(ControleEssai, MembersByNameAndDescriptions) {
    EXPECT_EQ(c.dispatch->idDuNom(QStringLiteral("caption")), m::Caption);
    EXPECT_EQ(c.dispatch->idDuNom(QStringLiteral("Style")), m::Style);
    EXPECT_EQ(c.dispatch->idDuNom(QStringLiteral("ShowAboutBox")), m::ShowAboutBox);
    EXPECT_FALSE(c.dispatch->idDuNom(QStringLiteral("Couleur")));
    EXPECT_EQ(c.dispatch->description(m::MouseIcon),
              QStringLiteral("Définit une icône de souris personnalisée."));
    EXPECT_EQ(c.dispatch->description(m::FontBold),
              QStringLiteral("Renvoie ou définit les styles de police Gras."));

    ASSERT_TRUE(
        c.dispatch->ecrireParNom(QStringLiteral("Caption"), QStringLiteral("A*B")).reussi());
    QVariant v;
    ASSERT_TRUE(c.dispatch->lireParNom(QStringLiteral("Caption"), v).reussi());
    EXPECT_EQ(v.toString(), QStringLiteral("A\nB"));
    EXPECT_EQ(c.dispatch->ecrireParNom(QStringLiteral("Couleur"), 1).code, code::NomInconnu);
}

TEST_F(ControleEssai, MouseEventsToTheContainer) {
    parent.show();
    taille(1200, 600);
    site.evenements.clear();
    const QPoint point(10, 5);
    QMouseEvent appui(QEvent::MouseButtonPress, point, c.widget->mapToGlobal(point), Qt::LeftButton,
                      Qt::LeftButton, Qt::ShiftModifier);
    QMouseEvent lacher(QEvent::MouseButtonRelease, point, c.widget->mapToGlobal(point),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(c.widget, &appui);
    QCoreApplication::sendEvent(c.widget, &lacher);
    ASSERT_EQ(site.evenements.size(), 3);
    EXPECT_EQ(site.evenements[0].first, evenement::MouseDown);
    EXPECT_EQ(site.evenements[1].first, evenement::MouseUp);
    EXPECT_EQ(site.evenements[2].first, evenement::Click);
    const QVariantList& a = site.evenements[0].second;
    ASSERT_EQ(a.size(), 4);
    EXPECT_EQ(a[0].typeId(), QMetaType::Short);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1], 1);
    EXPECT_FLOAT_EQ(a[2].toFloat(), float(10 * 1440.0 / c.widget->logicalDpiX()));
    EXPECT_FLOAT_EQ(a[3].toFloat(), float(5 * 1440.0 / c.widget->logicalDpiY()));

    ASSERT_TRUE(ecrire(m::Style, Ligne).reussi());
    site.evenements.clear();
    QCoreApplication::sendEvent(c.widget, &appui);
    QCoreApplication::sendEvent(c.widget, &lacher);
    EXPECT_TRUE(site.evenements.isEmpty());
}

TEST_F(ControleEssai, AmbientValuesOfTheContainer) {
    QWidget fenetre;
    QPalette palette = fenetre.palette();
    palette.setColor(fenetre.backgroundRole(), QColor(0x30, 0x7E, 0xAD));
    fenetre.setPalette(palette);
    fenetre.setFont(QFont(QStringLiteral("DejaVu Serif"), 11));
    hote::SiteWidget siteFenetre(&fenetre);
    c.controle->definirSite(&siteFenetre);
    ASSERT_TRUE(c.controle->initialiserNouveau().reussi());
    EXPECT_EQ(lire(m::BackColor).toUInt(), 0x00AD7E30u);
    EXPECT_EQ(lire(m::EtiColOut).toUInt(), 0x00AD7E30u);
    EXPECT_EQ(lire(m::FontName), QStringLiteral("DejaVu Serif"));
    EXPECT_FLOAT_EQ(lire(m::FontSize).toFloat(), 11.0f);
    c.controle->definirSite(&site);
}
