// The design host driven as a person uses it: place a control, edit it through its pages,
// save the form, open it again in a fresh host.

#include "Essai.h"

#include "CadrePages.h"
#include "DialoguesAtelier.h"
#include "FenetreAtelier.h"
#include "bouton/hote/SacMemoire.h"
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace bouton;
namespace m = bouton::membre;

namespace {

// Answers from a script, and keeps the errors shown.
class DialoguesScript : public atelier::DialoguesAtelier {
public:
    QString fichierAOuvrir(QWidget*) override {
        return fichiers.isEmpty() ? QString() : fichiers.takeFirst();
    }
    QString fichierAEnregistrer(QWidget*) override {
        return fichiers.isEmpty() ? QString() : fichiers.takeFirst();
    }
    QString imageAOuvrir(QWidget*) override { return {}; }
    std::optional<QColor> couleur(QWidget*, const QColor&) override { return couleurChoisie; }
    std::optional<QFont> police(QWidget*, const QFont&) override { return std::nullopt; }
    void erreur(QWidget*, const QString& texte) override { erreurs << texte; }

    QStringList fichiers;
    std::optional<QColor> couleurChoisie;
    QStringList erreurs;
};

QList<hote::SacMemoire::Entree> sacDe(const atelier::ControlePlace& c) {
    hote::SacMemoire sac;
    EXPECT_TRUE(c.charge.controle->enregistrer(sac).reussi());
    return sac.entrees();
}

} // namespace

class Atelier : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        const auto r = hote::EnregistrerBibliotheque(bibliothequeTestee());
        ASSERT_TRUE(r.reussi()) << texte(r);
    }
    static void declencher(QWidget& fenetre, const char* action) {
        auto* a = fenetre.findChild<QAction*>(QLatin1String(action));
        ASSERT_NE(a, nullptr) << action;
        ASSERT_TRUE(a->isEnabled()) << action;
        a->trigger();
    }
    QVariant lire(const atelier::ControlePlace& c, int32_t id) {
        QVariant v;
        EXPECT_TRUE(c.charge.dispatch->lire(id, v).reussi());
        return v;
    }

    QTemporaryDir dossier;
    DialoguesScript dialogues;
};

TEST_F(Atelier, PlaceEditSaveReopen) {
    atelier::FenetreAtelier fenetre(dialogues);
    fenetre.show();
    declencher(fenetre, "placerEtiquette");
    ASSERT_EQ(fenetre.controles().size(), 1u);
    const atelier::ControlePlace& place = *fenetre.controles().front();
    ASSERT_EQ(fenetre.selection().size(), 1);

    dialogues.couleurChoisie = QColor(0x12, 0x34, 0x56);
    bool vu = false;
    QTimer::singleShot(0, [&] {
        auto* cadre = qobject_cast<atelier::CadrePages*>(QApplication::activeModalWidget());
        ASSERT_NE(cadre, nullptr);
        auto* onglets = cadre->findChild<QTabWidget*>(QStringLiteral("Onglets"));
        QStringList titres;
        for (int i = 0; i < onglets->count(); ++i)
            titres << onglets->tabText(i);
        EXPECT_EQ(titres, (QStringList{QStringLiteral("Général"), QStringLiteral("Image"),
                                       QStringLiteral("Couleur"), QStringLiteral("Police")}));
        auto* appliquer = cadre->findChild<QPushButton*>(QStringLiteral("Appliquer"));
        EXPECT_FALSE(appliquer->isEnabled());

        auto* cbo = cadre->findChild<QComboBox*>(QStringLiteral("Cbo"));
        auto* txt = cadre->findChild<QLineEdit*>(QStringLiteral("Txt"));
        EXPECT_EQ(cbo->currentText(), QStringLiteral("Etiquette"));
        cbo->setCurrentIndex(EtiqRelief);
        txt->selectAll();
        QTest::keyClicks(txt, QStringLiteral("MILLE EUROS* et cent"));
        EXPECT_TRUE(appliquer->isEnabled());
        QTest::mouseClick(appliquer, Qt::LeftButton);
        EXPECT_FALSE(appliquer->isEnabled());
        EXPECT_EQ(lire(place, m::Style), EtiqRelief);

        onglets->setCurrentIndex(2);
        auto* couleurs = onglets->currentWidget();
        couleurs->findChild<QComboBox*>(QStringLiteral("Proprietes"))->setCurrentIndex(5);
        QTest::mouseClick(couleurs->findChild<QPushButton*>(QStringLiteral("Choisir")),
                          Qt::LeftButton);
        EXPECT_TRUE(appliquer->isEnabled());
        QTest::mouseClick(cadre->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        vu = true;
    });
    declencher(fenetre, "actionProprietes");
    ASSERT_TRUE(vu);
    EXPECT_TRUE(dialogues.erreurs.isEmpty()) << dialogues.erreurs.join(u'\n').toStdString();
    EXPECT_EQ(lire(place, m::Caption), QStringLiteral("MILLE EUROS\n et cent"));
    EXPECT_EQ(lire(place, m::EtiColOut).toUInt(), 0x00563412u);
    EXPECT_TRUE(fenetre.modifie());

    const QString chemin = dossier.filePath(QStringLiteral("essai.bkf"));
    dialogues.fichiers << chemin;
    declencher(fenetre, "actionEnregistrer");
    EXPECT_FALSE(fenetre.modifie());
    ASSERT_TRUE(QFile::exists(chemin));

    atelier::FenetreAtelier neuve(dialogues);
    dialogues.fichiers << chemin;
    declencher(neuve, "actionOuvrir");
    ASSERT_TRUE(dialogues.erreurs.isEmpty()) << dialogues.erreurs.join(u'\n').toStdString();
    ASSERT_EQ(neuve.controles().size(), 1u);
    const atelier::ControlePlace& relu = *neuve.controles().front();
    EXPECT_EQ(relu.nom, QStringLiteral("Bouton1"));
    EXPECT_EQ(lire(relu, m::Style), EtiqRelief);
    EXPECT_EQ(lire(relu, m::Caption), QStringLiteral("MILLE EUROS\n et cent"));
    EXPECT_EQ(lire(relu, m::EtiColOut).toUInt(), 0x00563412u);
    EXPECT_EQ(relu.charge.controle->tailleTwips(), place.charge.controle->tailleTwips());
    const auto avant = sacDe(place), apres = sacDe(relu);
    ASSERT_EQ(avant.size(), apres.size());
    for (qsizetype i = 0; i < avant.size(); ++i) {
        EXPECT_EQ(avant[i].cle, apres[i].cle);
        EXPECT_EQ(avant[i].valeur, apres[i].valeur) << avant[i].cle.toStdString();
    }
    // The next control placed does not take a name already used.
    declencher(neuve, "placerLigne");
    EXPECT_EQ(neuve.controles().back()->nom, QStringLiteral("Bouton2"));
}

TEST_F(Atelier, DamagedOrUnreadableFormReported) {
    atelier::FenetreAtelier fenetre(dialogues);
    declencher(fenetre, "placerImage");
    const QString chemin = dossier.filePath(QStringLiteral("bon.bkf"));
    ASSERT_TRUE(fenetre.enregistrer(chemin));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray octets = f.readAll();
    ASSERT_TRUE(f.resize(octets.size() / 2));
    f.close();

    EXPECT_FALSE(fenetre.ouvrir(chemin));
    ASSERT_EQ(dialogues.erreurs.size(), 1);
    EXPECT_TRUE(dialogues.erreurs[0].contains(QStringLiteral("endommagé")));
    EXPECT_EQ(fenetre.controles().size(), 1u) << "the form in use stays";

    // A save that fails leaves the form marked as changed.
    declencher(fenetre, "placerLigne");
    EXPECT_FALSE(fenetre.enregistrer(dossier.filePath(QStringLiteral("absent/x.bkf"))));
    EXPECT_EQ(dialogues.erreurs.size(), 2);
    EXPECT_TRUE(fenetre.modifie());
}

TEST_F(Atelier, TheControlsEventsGoToTheLog) {
    atelier::FenetreAtelier fenetre(dialogues);
    fenetre.show();
    declencher(fenetre, "placerEtiqCentree");
    declencher(fenetre, "placerEtiquette");
    QWidget* premier = fenetre.controles().front()->charge.widget;
    const QPoint p(20, 10);
    QTest::mousePress(premier, Qt::LeftButton, {}, p);
    QTest::mouseRelease(premier, Qt::LeftButton, {}, p);
    const QString journal =
        fenetre.findChild<QPlainTextEdit*>(QStringLiteral("Journal"))->toPlainText();
    EXPECT_TRUE(journal.contains(QStringLiteral("Bouton1 MouseDown Button=1 Shift=0")));
    EXPECT_TRUE(journal.contains(QStringLiteral("Bouton1 Click")));
    // Pressing a control selects it.
    ASSERT_EQ(fenetre.selection().size(), 1);
    EXPECT_EQ(fenetre.selection().first()->nom, QStringLiteral("Bouton1"));
}
