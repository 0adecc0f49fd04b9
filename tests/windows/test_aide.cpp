#include "ConfigurationTest.h"
#include "windows/FrmAide.h"
#include "windows/FrmApercu.h"
#include "windows/FrmHistorique.h"
#include "windows/FrmTextes.h"

#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

namespace {

::testing::AssertionResult Contient(const std::string& texte, const char* attendu) {
    if (texte.find(attendu) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "« " << texte << " » ne contient pas « " << attendu << " »";
}

// The first block carrying `ancre`, invalid when the guide has none.
QTextBlock Bloc(const QTextDocument* document, const QString& ancre) {
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f)
            if (f.fragment().charFormat().anchorNames().contains(ancre))
                return b;
    return {};
}

// The heading of the part `ancre` when the guide's window shows it, or why not.
std::string PartieEnVue(const FrmAide* aide, const QString& ancre) {
    if (!aide || !aide->isVisible())
        return "(guide fermé)";
    const QTextBrowser* texte = aide->texte();
    const QTextBlock bloc = Bloc(texte->document(), ancre);
    if (!bloc.isValid())
        return "(pas de partie " + ancre.toStdString() + ")";
    if (texte->source().fragment() != ancre)
        return "(ouvert à " + texte->source().toString().toStdString() + ")";
    const QRect ligne = texte->cursorRect(QTextCursor(bloc));
    if (!texte->viewport()->rect().contains(ligne.center()))
        return "(partie hors de vue)";
    return bloc.text().toStdString();
}

// Where the link to `adresse` sits in the guide's window, once brought into view.
QPoint Lien(FrmAide* aide, const QString& adresse) {
    QTextBrowser* texte = aide->texte();
    for (QTextBlock b = texte->document()->begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f)
            if (f.fragment().charFormat().anchorHref() == adresse) {
                QTextCursor curseur(texte->document());
                curseur.setPosition(f.fragment().position() + 1);
                texte->setTextCursor(curseur);
                texte->ensureCursorVisible();
                const QPoint point = texte->cursorRect(curseur).center() - QPoint(2, 0);
                return texte->viewport()->mapTo(aide, point);
            }
    ADD_FAILURE() << "pas de lien vers " << adresse.toStdString();
    return {};
}

// A click as the window system gives it: refused to a window a modal one blocks.
void Cliquer(FrmAide* aide, const QString& adresse) {
    QTest::mouseClick(aide->windowHandle(), Qt::LeftButton, {}, Lien(aide, adresse));
}

// F1 as a person presses it: in the window in front, which a window system
// would have made the active one (the offscreen platform does not).
void F1(QWidget* fenetre) {
    QApplication::setActiveWindow(fenetre);
    ASSERT_EQ(QApplication::activeWindow(), fenetre);
    QTest::keyClick(fenetre, Qt::Key_F1);
}

template <typename T> T* FenetreOuverte() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<T*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

int NombreDeGuides() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += qobject_cast<FrmAide*>(w) != nullptr;
    return n;
}

} // namespace

TEST(Guide, EveryLinkLeadsToAPartOfTheGuideOrOutsideAndEveryWindowHasItsPart) {
    BureauTest bureau;
    FrmAide aide(bureau);
    aide.afficherSection(SectionAide::Sommaire);
    const QTextDocument* document = aide.texte()->document();
    ASSERT_TRUE(Contient(document->toPlainText().toStdString(), "Guide de Scribane"));

    QSet<QString> ancres;
    QStringList liens;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextCharFormat format = f.fragment().charFormat();
            for (const QString& nom : format.anchorNames())
                ancres.insert(nom);
            if (!format.anchorHref().isEmpty())
                liens.append(format.anchorHref());
        }
    ASSERT_FALSE(liens.isEmpty());
    for (const QString& lien : liens) {
        const QUrl cible = aide.texte()->source().resolved(QUrl(lien));
        if (cible.scheme() == u"qrc") {
            EXPECT_EQ(cible.adjusted(QUrl::RemoveFragment).toString(),
                      aide.texte()->source().adjusted(QUrl::RemoveFragment).toString())
                << lien.toStdString();
            EXPECT_TRUE(ancres.contains(cible.fragment())) << lien.toStdString();
        } else {
            EXPECT_TRUE(cible.scheme() == u"http" || cible.scheme() == u"https")
                << lien.toStdString();
        }
    }
    for (SectionAide section :
         {SectionAide::Sommaire, SectionAide::FenetrePrincipale, SectionAide::Configuration,
          SectionAide::ReglagePrecis, SectionAide::Historique, SectionAide::Apercu})
        EXPECT_TRUE(ancres.contains(AncreAide(section))) << AncreAide(section).toStdString();
}

class AideFenetres : public ConfigurationTest {
protected:
    void SetUp() override {
        // Texts in the main window, as the precise positioning needs them.
        ecrire("Cheque.ini", section(1, {{"Montant", "12,50"}, {"Ledestinataire", "DUPONT SA"}}) +
                                 "[Destinataires]\r\nDest0=DUPONT SA\r\n[Lieu]\r\nLieu0=Paris\r\n");
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    }

    FrmAide* aide() const { return app->aide.fenetre(); }
};

TEST_F(AideFenetres, F1InEachWindowOpensTheOneGuideAtThatWindowsPart) {
    F1(fenetre.get());
    ASSERT_NE(aide(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(aide()));
    EXPECT_TRUE(Contient(PartieEnVue(aide(), QStringLiteral("fenetre-principale")),
                         "La fenêtre principale"));

    controle<QAction>("mnuApercu")->trigger();
    auto* apercu = FenetreOuverte<FrmApercu>();
    ASSERT_NE(apercu, nullptr);
    EXPECT_EQ(apercu->windowTitle(), QStringLiteral("Aperçu avant impression"));
    F1(apercu);
    EXPECT_TRUE(
        Contient(PartieEnVue(aide(), QStringLiteral("apercu")), "L'aperçu avant impression"));
    apercu->close();

    ouvrir();
    F1(configuration);
    EXPECT_TRUE(Contient(PartieEnVue(aide(), QStringLiteral("configuration")),
                         "La fenêtre de configuration"));

    configuration->findChild<QPushButton*>(QStringLiteral("Bouton_Kiv_XP1"))->click();
    auto* textes = configuration->findChild<FrmTextes*>();
    ASSERT_NE(textes, nullptr) << messages().join(u'\n').toStdString();
    F1(textes);
    EXPECT_TRUE(Contient(PartieEnVue(aide(), QStringLiteral("reglage-precis")),
                         "Le réglage précis des textes"));
    textes->reject();

    EXPECT_EQ(NombreDeGuides(), 1);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(u'\n').toStdString();
}

TEST_F(AideFenetres, TheGuideOpenedFromTheModalHistoryCanBeUsedWhileItIsOpen) {
    std::string partie, apresClic;
    QTimer::singleShot(0, [&] {
        auto* historique = FenetreOuverte<FrmHistorique>();
        ASSERT_NE(historique, nullptr);
        EXPECT_EQ(historique->windowTitle(), QStringLiteral("Historique des chèques"));
        F1(historique);
        partie = PartieEnVue(aide(), QStringLiteral("historique"));
        if (aide()) {
            Cliquer(aide(), QStringLiteral("#sommaire"));
            apresClic = PartieEnVue(aide(), QStringLiteral("sommaire"));
        }
        historique->reject();
    });
    controle<QAction>("mnuHistorique")->trigger();
    EXPECT_TRUE(Contient(partie, "L'historique des chèques"));
    EXPECT_TRUE(Contient(apresClic, "Guide de Scribane"));
}

TEST_F(AideFenetres, LinksAreFollowedInTheGuideAndAddressesGoToTheDesktop) {
    controle<QAction>("mnuAide")->trigger();
    ASSERT_NE(aide(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(aide()));
    EXPECT_TRUE(Contient(PartieEnVue(aide(), QStringLiteral("sommaire")), "Guide de Scribane"));

    // Just opened, there is nothing to go back to.
    auto* precedent = aide()->findChild<QPushButton*>(QStringLiteral("BtnPrecedent"));
    EXPECT_FALSE(precedent->isEnabled());

    Cliquer(aide(), QStringLiteral("#historique"));
    EXPECT_TRUE(
        Contient(PartieEnVue(aide(), QStringLiteral("historique")), "L'historique des chèques"));
    precedent->click();
    EXPECT_TRUE(Contient(PartieEnVue(aide(), QStringLiteral("sommaire")), "Guide de Scribane"));

    // An address outside the guide is the desktop's: the guide stays as it was.
    const QString avant = aide()->texte()->source().toString();
    Cliquer(aide(), QStringLiteral("http://localhost:631/"));
    EXPECT_EQ(plateforme.bureau.ouverts, QStringList{QStringLiteral("http://localhost:631/")});
    EXPECT_EQ(aide()->texte()->source().toString(), avant);
    EXPECT_TRUE(Contient(aide()->texte()->toPlainText().toStdString(), "Guide de Scribane"));
}
