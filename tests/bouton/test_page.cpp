// The property page "Général" and the about box.

#include "Essai.h"

#include "bouton/PageProprietes.h"
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace bouton;
namespace m = bouton::membre;

class Page : public ControleEssai, public SitePage {
protected:
    void SetUp() override {
        ControleEssai::SetUp();
        Resultat e;
        auto cree = hote::CreerPageProprietes(ClsidPageProprietes, &parent, &e);
        ASSERT_TRUE(cree) << texte(e);
        page = *cree;
        page->definirSite(this);
    }
    void pageModifiee(bool modifiee) override { marques << modifiee; }

    template <typename T> T* enfant(const char* nom) const {
        auto* w = page->widget()->findChild<T*>(QLatin1String(nom));
        EXPECT_NE(w, nullptr) << nom;
        return w;
    }
    QComboBox* cbo() const { return enfant<QComboBox>("Cbo"); }
    QLineEdit* txt() const { return enfant<QLineEdit>("Txt"); }
    QRect twips(int gauche, int haut, int largeur, int hauteur) const {
        auto x = [&](int t) { return int(std::lround(t * parent.logicalDpiX() / 1440.0)); };
        auto y = [&](int t) { return int(std::lround(t * parent.logicalDpiY() / 1440.0)); };
        return QRect(x(gauche), y(haut), x(gauche + largeur) - x(gauche),
                     y(haut + hauteur) - y(haut));
    }

    PageProprietes* page = nullptr;
    QList<bool> marques;
};

TEST_F(Page, CreatedByItsClassWithItsFiveControls) {
    EXPECT_EQ(page->titre(), QStringLiteral("Général"));
    EXPECT_EQ(c.controle->pagesProprietes(),
              (QList<QUuid>{ClsidPageProprietes, ClsidPageStandardPicture, ClsidPageStandardColor,
                            ClsidPageStandardFont}));
    QStringList items;
    for (int i = 0; i < cbo()->count(); ++i)
        items << cbo()->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("Image"), QStringLiteral("Etiquette"),
                                  QStringLiteral("EtiqCentrée "), QStringLiteral("EtiqRelief "),
                                  QStringLiteral("Ligne")}));
    EXPECT_EQ(cbo()->currentIndex(), 0);

    struct Attendu {
        const char* nom;
        const char* texte;
        QRect place;
        bool titre;
    };
    const Attendu attendus[] = {
        {"LblStyle", "Style du Bouton", twips(600, 360, 2655, 375), true},
        {"Label1", "Propriété Caption du contrôle", twips(600, 1920, 3255, 375), true},
        {"Label2", "pour style Etiquette ou EtiquCentrée ou EtiqRelief",
         twips(240, 2640, 3615, 255), false},
    };
    for (const Attendu& a : attendus) {
        auto* l = enfant<QLabel>(a.nom);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->text(), QString::fromUtf8(a.texte)) << a.nom;
        EXPECT_EQ(l->geometry(), a.place) << a.nom;
        EXPECT_EQ(l->font().bold(), a.titre) << a.nom;
        if (a.titre) {
            EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 9.75) << a.nom;
        }
    }
    EXPECT_EQ(cbo()->geometry(), twips(600, 720, 2295, 315));
    EXPECT_EQ(txt()->geometry(), twips(600, 2280, 2775, 375));
}

TEST_F(Page, SelectionReadAndPageUnchanged) {
    ASSERT_TRUE(ecrire(m::Style, EtiqRelief).reussi());
    ASSERT_TRUE(ecrire(m::Caption, QStringLiteral("Montant")).reussi());
    ASSERT_TRUE(page->selectionModifiee({c.dispatch}).reussi());
    EXPECT_EQ(cbo()->currentText(), QStringLiteral("EtiqRelief "));
    EXPECT_EQ(txt()->text(), QStringLiteral("Montant"));
    EXPECT_FALSE(page->modifiee());
    ASSERT_FALSE(marques.isEmpty());
    EXPECT_FALSE(marques.last());

    // A style outside the list leaves the combo where it was.
    ASSERT_TRUE(ecrire(m::Style, 7).reussi());
    ASSERT_TRUE(page->selectionModifiee({c.dispatch}).reussi());
    EXPECT_EQ(cbo()->currentIndex(), EtiqRelief);

    QTest::keyClicks(txt(), QStringLiteral("s"));
    EXPECT_TRUE(page->modifiee());
    EXPECT_TRUE(marques.last());
    cbo()->setCurrentIndex(Image);
    EXPECT_TRUE(page->modifiee());
}

TEST_F(Page, ApplyLineAndOK) {
    ASSERT_TRUE(page->selectionModifiee({c.dispatch}).reussi());
    cbo()->setCurrentIndex(Ligne);
    txt()->setText(QStringLiteral("OK"));
    site.journal.clear();
    const Resultat r = page->appliquer();
    ASSERT_TRUE(r.reussi()) << texte(r);
    EXPECT_EQ(lire(m::Style), Ligne);
    EXPECT_EQ(lire(m::Caption), QStringLiteral("OK"));
    EXPECT_EQ(site.journal.filter(QStringLiteral("prop:")),
              (QStringList{QStringLiteral("prop:Style"), QStringLiteral("prop:Caption")}));
    EXPECT_FALSE(page->modifiee());
}

TEST_F(Page, OnlyTheFirstSelectedChanges) {
    hote::ControleCharge second = creer();
    ASSERT_NE(second.dispatch, nullptr);
    ASSERT_TRUE(second.controle->initialiserNouveau().reussi());
    ASSERT_TRUE(second.dispatch->ecrire(m::Style, Etiquette).reussi());
    ASSERT_TRUE(page->selectionModifiee({c.dispatch, second.dispatch}).reussi());
    cbo()->setCurrentIndex(EtiqCentree);
    txt()->setText(QStringLiteral("Premier"));
    ASSERT_TRUE(page->appliquer().reussi());
    EXPECT_EQ(lire(m::Style), EtiqCentree);
    QVariant v;
    ASSERT_TRUE(second.dispatch->lire(m::Style, v).reussi());
    EXPECT_EQ(v, Etiquette);
    ASSERT_TRUE(second.dispatch->lire(m::Caption, v).reussi());
    EXPECT_EQ(v, QStringLiteral("Etiquette"));

    // Without a selection, the error reaches the frame.
    EXPECT_FALSE(page->selectionModifiee({}).reussi());
    EXPECT_FALSE(page->appliquer().reussi());
}

TEST_F(ControleEssai, ShowAboutBoxShowsANewBoxEachTime) {
    parent.show();
    struct Vue {
        QPointer<QDialog> boite;
        QString version, description, titreParent;
    };
    QList<Vue> vues;
    for (int appel = 0; appel < 2; ++appel) {
        QTimer::singleShot(0, [&] {
            auto* boite = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(boite, nullptr);
            Vue v{boite, boite->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                  boite->findChild<QLabel*>(QStringLiteral("lblDescription"))->text(),
                  boite->parentWidget() ? boite->parentWidget()->objectName() : QString()};
            vues << v;
            auto* ok = boite->findChild<QPushButton*>(QStringLiteral("cmdOK"));
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->text(), QStringLiteral("OK"));
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QVariantList aucun;
        const Resultat r = c.dispatch->appeler(m::ShowAboutBox, aucun, nullptr);
        ASSERT_TRUE(r.reussi()) << texte(r);
        ASSERT_EQ(vues.size(), appel + 1);
        // Released on close: the next call builds another.
        EXPECT_TRUE(vues.last().boite.isNull());
    }
    for (const Vue& v : vues) {
        EXPECT_EQ(v.version, QStringLiteral("Version 1.0.114"));
        EXPECT_EQ(v.description, QString(68, u' ') + QStringLiteral("Essai de création d'un "
                                                                    "premier contrôle  ActiveX"));
    }
}
