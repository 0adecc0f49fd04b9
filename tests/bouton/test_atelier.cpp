// The design host driven as a person uses it: place a control, edit it through its pages,
// save the form, open it again in a fresh host.

#include "Essai.h"

#include "CadrePages.h"
#include "DialoguesAtelier.h"
#include "FenetreAtelier.h"
#include "FichierFormulaire.h"
#include "Montage.h"
#include "bouton/hote/SacMemoire.h"
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

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

namespace {

// A form of one control whose only property is the value given.
QByteArray formulaireDe(const QVariant& valeur) {
    return atelier::FormaterFormulaire(
        {{QStringLiteral("Bouton1"), QPoint(12, 12), QSizeF(2400, 600), {{"Valeur", valeur}}}});
}

// While it lives, the process may take at most one more gigabyte of address space: an
// allocation sized by a crafted count fails on any machine, whatever its memory and its
// overcommit, and under AddressSanitizer that failure stops the test.
class PlafondMemoire {
public:
#ifdef Q_OS_UNIX
    PlafondMemoire() {
        QFile etat(QStringLiteral("/proc/self/status"));
        if (!etat.open(QIODevice::ReadOnly) || ::getrlimit(RLIMIT_AS, &avant_) != 0)
            return;
        for (const QByteArray& ligne : etat.readAll().split('\n'))
            if (ligne.startsWith("VmSize:")) {
                const rlim_t actuel = ligne.mid(7).trimmed().split(' ').value(0).toULongLong();
                rlimit plafond = avant_;
                plafond.rlim_cur = actuel * 1024 + (rlim_t(1) << 30);
                pose_ = actuel > 0 && ::setrlimit(RLIMIT_AS, &plafond) == 0;
            }
    }
    ~PlafondMemoire() {
        if (pose_)
            ::setrlimit(RLIMIT_AS, &avant_);
    }
    bool pose() const { return pose_; }

private:
    rlimit avant_{};
    bool pose_ = false;
#endif
    // No address-space limit is set on Windows: the counts are still refused, unmeasured.
};

QString journalDe(const QWidget& fenetre) {
    return fenetre.findChild<QPlainTextEdit*>(QStringLiteral("Journal"))->toPlainText();
}

} // namespace

// A count read before what it counts: a crafted file asked for some 70 GB here. The count is
// now checked against what remains before anything is reserved.
TEST_F(Atelier, CraftedCountsRefusedBeforeAnyAllocation) {
    struct Cas {
        const char* quoi;
        QByteArray octets;
        qsizetype compte; // where the count lies, from the end
    };
    // The font's families and a list of texts end with their count, then one text "AB".
    QFont police(QStringLiteral("AB"), 10);
    const Cas cas[] = {
        {"families of a font", formulaireDe(police), 4 + 4 + 4},
        {"list of texts", formulaireDe(QStringList{QStringLiteral("AB")}), 4 + 4 + 4},
    };
    atelier::FenetreAtelier fenetre(dialogues);
    declencher(fenetre, "placerEtiquette");
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.quoi);
        QByteArray octets = k.octets;
        const qsizetype ou = octets.size() - k.compte;
        ASSERT_EQ(qFromBigEndian<quint32>(octets.constData() + ou), 1u);
        qToBigEndian<quint32>(0xB0000000u, octets.data() + ou);
        const QString chemin = dossier.filePath(QStringLiteral("fabrique.bkf"));
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
        f.close();

        dialogues.erreurs.clear();
        {
            [[maybe_unused]] const PlafondMemoire plafond;
#ifdef Q_OS_UNIX
            ASSERT_TRUE(plafond.pose());
#endif
            EXPECT_FALSE(fenetre.ouvrir(chemin));
        }
        ASSERT_EQ(dialogues.erreurs.size(), 1);
        EXPECT_TRUE(dialogues.erreurs[0].contains(QStringLiteral("endommagé")));
        EXPECT_TRUE(dialogues.erreurs[0].contains(QStringLiteral("« Valeur »")))
            << dialogues.erreurs[0].toStdString();
        EXPECT_EQ(fenetre.controles().size(), 1u);
    }
}

// The second control refuses what the file gives it: the form in use stays whole, and nothing
// of the refused file reaches the window.
TEST_F(Atelier, FormRefusedByAControlLeavesTheFormInUse) {
    atelier::FenetreAtelier fenetre(dialogues);
    declencher(fenetre, "placerImage");
    const QString chemin = dossier.filePath(QStringLiteral("refuse.bkf"));
    ASSERT_TRUE(atelier::EcrireFormulaire(
                    chemin, {{QStringLiteral("Bouton1"),
                              QPoint(12, 12),
                              QSizeF(2400, 600),
                              {{"Style", Etiquette}, {"Caption", QStringLiteral("Premier")}}},
                             {QStringLiteral("Bouton2"),
                              QPoint(12, 60),
                              QSizeF(2400, 600),
                              {{"Alignment", QVariant::fromValue<qint16>(7)}}}})
                    .reussi());
    const QString journal = journalDe(fenetre);
    const bool modifie = fenetre.modifie();

    EXPECT_FALSE(fenetre.ouvrir(chemin));
    ASSERT_EQ(dialogues.erreurs.size(), 1);
    EXPECT_TRUE(dialogues.erreurs[0].contains(QStringLiteral("Bouton2")))
        << dialogues.erreurs[0].toStdString();
    ASSERT_EQ(fenetre.controles().size(), 1u);
    EXPECT_EQ(lire(*fenetre.controles().front(), m::Style), Image);
    EXPECT_EQ(fenetre.findChild<QListWidget*>(QStringLiteral("ListeControles"))->count(), 1);
    EXPECT_EQ(journalDe(fenetre), journal);
    EXPECT_EQ(fenetre.modifie(), modifie);
    // Only the control in use is left on the form.
    EXPECT_EQ(fenetre.findChild<QWidget*>(QStringLiteral("Formulaire"))
                  ->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)
                  .size(),
              1);
}

// What reading checks holds for what the host writes: a picture, a font given in pixels with
// two families, and the highest number a name can carry.
TEST_F(Atelier, PicturesAndFontsReadBackAsWritten) {
    QPixmap image(24, 16);
    image.fill(QColor(0x20, 0x80, 0xC0));
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    police.setPixelSize(14);
    police.setItalic(true);
    atelier::FenetreAtelier fenetre(dialogues);
    declencher(fenetre, "placerImage");
    declencher(fenetre, "placerEtiquette");
    ASSERT_TRUE(fenetre.controles()[0]->charge.dispatch->ecrire(m::Picture, image).reussi());
    ASSERT_TRUE(fenetre.controles()[1]->charge.dispatch->ecrire(m::Font, police).reussi());
    const QString chemin = dossier.filePath(QStringLiteral("complet.bkf"));
    ASSERT_TRUE(fenetre.enregistrer(chemin));

    Resultat e;
    auto form = atelier::LireFormulaire(chemin, &e);
    ASSERT_TRUE(form) << texte(e);
    ASSERT_EQ(form->size(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto ecrit = sacDe(*fenetre.controles()[size_t(i)]);
        const auto& lu = (*form)[i].proprietes;
        ASSERT_EQ(lu.size(), ecrit.size());
        for (qsizetype j = 0; j < lu.size(); ++j) {
            EXPECT_EQ(lu[j].cle, ecrit[j].cle);
            // Pictures have no equality of their own.
            if (lu[j].valeur.typeId() == QMetaType::QPixmap)
                EXPECT_EQ(lu[j].valeur.value<QPixmap>().toImage(), image.toImage());
            else
                EXPECT_EQ(lu[j].valeur, ecrit[j].valeur) << lu[j].cle.toStdString();
        }
    }
    (*form)[1].nom = QStringLiteral("Bouton2147483647");
    ASSERT_TRUE(atelier::EcrireFormulaire(chemin, *form).reussi());

    atelier::FenetreAtelier relue(dialogues);
    ASSERT_TRUE(relue.ouvrir(chemin)) << dialogues.erreurs.join(u'\n').toStdString();
    ASSERT_EQ(relue.controles().size(), 2u);
    EXPECT_EQ(lire(*relue.controles()[0], m::Picture).value<QPixmap>().toImage(), image.toImage());
    EXPECT_EQ(lire(*relue.controles()[1], m::Font).value<QFont>().pixelSize(), 14);
    declencher(relue, "placerLigne");
    EXPECT_EQ(relue.controles().back()->nom, QStringLiteral("Bouton2"));
}

// Nothing is written that reading would refuse, and a disk that fills up keeps the previous
// file whole.
TEST_F(Atelier, SaveRefusedOrFailedKeepsThePreviousFile) {
    PetitTmpfs disque("size=256k");
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    atelier::FenetreAtelier fenetre(dialogues);
    declencher(fenetre, "placerEtiquette");
    const QString chemin = disque.fichier(QStringLiteral("forme.bkf"));
    ASSERT_TRUE(fenetre.enregistrer(chemin));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray avant = f.readAll();
    f.close();

    auto& controle = *fenetre.controles().front()->charge.dispatch;
    ASSERT_TRUE(controle.ecrire(m::Caption, QString(1024 * 1024 + 1, u'x')).reussi());
    EXPECT_FALSE(fenetre.enregistrer(chemin));
    ASSERT_EQ(dialogues.erreurs.size(), 1);
    EXPECT_TRUE(dialogues.erreurs[0].contains(QStringLiteral("ne pourrait pas être relu")));

    // Room for less than the form, whose caption now fills some 100 kB.
    ASSERT_TRUE(controle.ecrire(m::Caption, QString(50 * 1024, u'y')).reussi());
    ASSERT_TRUE(disque.remplir(16 * 1024));
    EXPECT_FALSE(fenetre.enregistrer(chemin));
    EXPECT_EQ(dialogues.erreurs.size(), 2);
    EXPECT_TRUE(fenetre.modifie());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), avant);
}
