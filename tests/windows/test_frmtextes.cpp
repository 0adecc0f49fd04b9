#include "windows/FrmTextes.h"
#include "ConfigurationTest.h"

#include <QDir>
#include <QFocusEvent>
#include <QFrame>

#include <array>

namespace {

constexpr std::array<std::int16_t Reglages::*, 11> Positions{
    &Reglages::MargeMX,  &Reglages::MargeMY,  &Reglages::MargeMLX, &Reglages::MargeMLY,
    &Reglages::MargeDEX, &Reglages::MargeDEY, &Reglages::MargeDAX, &Reglages::MargeDAY,
    &Reglages::MargeLIX, &Reglages::MargeLIY, &Reglages::MargeDLX};

std::array<std::int16_t, 11> PositionsDe(const Reglages& r) {
    std::array<std::int16_t, 11> p{};
    for (std::size_t i = 0; i < Positions.size(); ++i)
        p[i] = r.*Positions[i];
    return p;
}

// The leftmost inked column in a band of the picture, from column `depuis`; -1 if none.
int PremiereColonneEncree(const QImage& image, int haut, int bas, int depuis) {
    for (int x = depuis; x < image.width(); ++x)
        for (int y = haut; y < bas && y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return -1;
}

} // namespace

class Textes : public ConfigurationTest {
protected:
    QPointer<FrmTextes> textes;

    // The words far below the figures, so that the figures' band holds nothing else.
    void demarrerAvec(const QString& lieu = QStringLiteral("Paris")) {
        ecrire("Cheque.ini", section(1, {{"MargeMX", " 20"},
                                         {"MargeMY", " 0"},
                                         {"MargeMLX", " 0"},
                                         {"MargeMLY", " 60"},
                                         {"MargeDEX", " 1"},
                                         {"MargeDEY", " 2"},
                                         {"MargeDAX", " 3"},
                                         {"MargeDAY", " 4"},
                                         {"MargeLIX", " 5"},
                                         {"MargeLIY", " 6"},
                                         {"MargeDLX", " 5"}}));
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        ouvrir();
        // Typed on the main window once the choice is loaded.
        boite("CboM")->setEditText(QStringLiteral("1234,56"));
        boite("CboD")->setEditText(QStringLiteral("DUPONT SA"));
        boite("CboL")->setEditText(lieu);
        plateforme.dialogues.vus.clear();
    }
    void ouvrirTextes() {
        cliquer("Bouton_Kiv_XP1");
        textes = configuration->findChild<FrmTextes*>();
        ASSERT_FALSE(textes.isNull()) << messages().join(u'\n').toStdString();
        ASSERT_TRUE(textes->isVisible());
    }
    QLineEdit* b(const char* nom) const {
        auto* w = textes->findChild<QLineEdit*>(QLatin1String(nom));
        EXPECT_NE(w, nullptr) << nom;
        return w;
    }
    void cliquerTextes(const char* nom) const {
        clic(textes->findChild<QAbstractButton*>(QLatin1String(nom)));
    }
    void remplacer(const char* nom, const QString& texte) const {
        b(nom)->selectAll();
        QTest::keyClicks(b(nom), texte);
    }
    bool textesFermee() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return textes.isNull() || !textes->isVisible();
    }
    double pxParMm() const { return textes->logicalDpiX() / 25.4; }
    // Where the amount in figures starts on the picture: it is alone in its
    // band, from a third of its top offset, right of the payee and the date.
    int debutChiffres() const {
        const double haut = (25 + configuration->copie().MargeMY) / 3.0;
        return PremiereColonneEncree(textes->simulation(), int(haut * pxParMm()),
                                     int((haut + 2.5) * pxParMm()), int(45 * pxParMm()));
    }
};

TEST_F(Textes, OpensOverTheConfigurationWithItsBoxesAndTexts) {
    demarrerAvec();
    cliquer("ChkE"); // not saved: the simulation frames the amount all the same
    ASSERT_NO_FATAL_FAILURE(ouvrirTextes());

    EXPECT_TRUE(textes->isModal());
    EXPECT_TRUE(textes->windowTitle().isEmpty());
    EXPECT_EQ(textes->palette().color(QPalette::Window), QColor(0x30, 0x7E, 0xAD));
    EXPECT_EQ(textes->SimulationActive, 1);
    EXPECT_EQ(textes->focusWidget(), b("TxtMLX"));
    EXPECT_EQ(configuration->copie().Encadrer, 1);
    auto* frame = c<QFrame>("Frame");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->geometry().contains(configuration->rect()));

    const char* noms[] = {"TxtMX",  "TxtMY",  "TxtMLX", "TxtMLY", "TxtDEX", "TxtDEY",
                          "TxtDAX", "TxtDAY", "TxtLIX", "TxtLIY", "TxtDLX"};
    const std::array<std::int16_t, 11> attendues{20, 0, 0, 60, 1, 2, 3, 4, 5, 6, 5};
    for (std::size_t i = 0; i < attendues.size(); ++i)
        EXPECT_EQ(b(noms[i])->text(), QString::number(attendues[i])) << noms[i];
    EXPECT_EQ(textes->PositionsInitiales, attendues);

    QStringList etiquettes;
    for (auto* l : textes->findChildren<QLabel*>())
        etiquettes.append(l->text());
    EXPECT_EQ(etiquettes.count(QStringLiteral("X=")), 5);
    EXPECT_EQ(etiquettes.count(QStringLiteral("Y=")), 5);
    for (const char* t :
         {"Montant en lettres", "Montant en chiffres", "Destinataire", "Date", "Lieu", "mm",
          "(non visible sur la simulation)", "Simulation",
          "Lorsque le montant en lettres est écrit sur 2 lignes, avancer (+) ou reculer (-) la "
          "seconde ligne de",
          "X et Y sont les abscisses et ordonnées des textes concernés (en millimètres). Plus "
          "décale vers la droite ou le bas, moins vers la gauche ou le haut. "})
        EXPECT_TRUE(etiquettes.contains(QString::fromUtf8(t))) << t;
    EXPECT_EQ(textes->findChild<QAbstractButton*>("Bouton_Kiv_XP2")->text(),
              QStringLiteral("&Quitter et enregistrer"));
    EXPECT_EQ(textes->findChild<QAbstractButton*>("Bouton_Kiv_XP4")->text(),
              QStringLiteral("Annuler"));
    EXPECT_NE(textes->findChild<QWidget*>("PctTxt"), nullptr);

    cliquerTextes("Bouton_Kiv_XP1");
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Information);
    EXPECT_TRUE(plateforme.dialogues.vus[0].texte.contains(
        QStringLiteral("très petite  taille.\nce qui n'est pas possible à réaliser.\n\n")));

    // Entering a box selects its text, except the second line's, which places
    // the caret as any box does (tabbing in selects in every box).
    QFocusEvent entree(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(b("TxtDEY"), &entree);
    EXPECT_EQ(b("TxtDEY")->selectedText(), QStringLiteral("2"));
    b("TxtDLX")->deselect();
    QApplication::sendEvent(b("TxtDLX"), &entree);
    EXPECT_FALSE(b("TxtDLX")->hasSelectedText());

    cliquerTextes("Bouton_Kiv_XP4");
    EXPECT_TRUE(textesFermee());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(Textes, PlusMovesTheFiguresOnThePictureAndTheSecondLineIsNotShown) {
    demarrerAvec();
    ASSERT_NO_FATAL_FAILURE(ouvrirTextes());
    const int avant = debutChiffres();
    ASSERT_GT(avant, 0);

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(b("TxtMX"), '+');
    EXPECT_EQ(b("TxtMX")->text(), QStringLiteral("23"));
    EXPECT_EQ(configuration->copie().MargeMX, 23);
    // Three millimetres of cheque are one on the picture.
    EXPECT_NEAR(debutChiffres() - avant, pxParMm(), 1.0);

    QTest::keyClick(b("TxtMY"), '-');
    EXPECT_EQ(configuration->copie().MargeMY, -1);

    const QImage image = textes->simulation().copy();
    QTest::keyClicks(b("TxtDLX"), "2"); // "5" becomes "52"
    EXPECT_EQ(configuration->copie().MargeDLX, 52);
    QTest::keyClick(b("TxtDLX"), '+');
    EXPECT_EQ(b("TxtDLX")->text(), QStringLiteral("53"));
    EXPECT_EQ(textes->simulation(), image);
}

TEST_F(Textes, BoxesReadTheirLeadingNumberAndHoldTheSixteenBitRange) {
    demarrerAvec();
    ASSERT_NO_FATAL_FAILURE(ouvrirTextes());
    const std::pair<const char*, int> cas[] = {
        {"12.6", 13}, {"12,6", 12}, {"12.5", 12}, {"abc", 0}, {" -7mm", -7}, {"40000", 32767},
    };
    for (const auto& [texte, valeur] : cas) {
        b("TxtDAY")->setText(QString::fromLatin1(texte));
        EXPECT_EQ(configuration->copie().MargeDAY, valeur) << texte;
    }
    // Held at the bound, and the box shows where it stopped.
    EXPECT_EQ(b("TxtDAY")->text(), QStringLiteral("32767"));
    QTest::keyClick(b("TxtDAY"), '+');
    EXPECT_EQ(configuration->copie().MargeDAY, 32767);
    b("TxtDAY")->setText(QStringLiteral("-32768"));
    QTest::keyClick(b("TxtDAY"), '-');
    EXPECT_EQ(configuration->copie().MargeDAY, -32768);
    EXPECT_EQ(b("TxtDAY")->text(), QStringLiteral("-32768"));
}

TEST_F(Textes, CancelAndTheCloseBoxPutEveryPositionBack) {
    demarrerAvec();
    const auto initiales = PositionsDe(configuration->copie());
    for (bool parAnnuler : {true, false}) {
        SCOPED_TRACE(parAnnuler ? "Annuler" : "close box");
        ASSERT_NO_FATAL_FAILURE(ouvrirTextes());
        for (const char* nom : {"TxtMX", "TxtMY", "TxtMLX", "TxtMLY", "TxtDEX", "TxtDEY", "TxtDAX",
                                "TxtDAY", "TxtLIX", "TxtLIY", "TxtDLX"})
            remplacer(nom, QStringLiteral("17"));
        QTest::keyClick(b("TxtLIY"), '+');
        EXPECT_EQ(configuration->copie().MargeDLX, 17);
        EXPECT_EQ(configuration->copie().MargeLIY, 18);

        if (parAnnuler)
            cliquerTextes("Bouton_Kiv_XP4");
        else
            textes->close();
        EXPECT_TRUE(textesFermee());
        EXPECT_EQ(PositionsDe(configuration->copie()), initiales);
        EXPECT_FALSE(c<QFrame>("Frame")->isVisible());
    }
    EXPECT_EQ(lireCle("Defaut1", "MargeMX").trimmed(), QStringLiteral("20"));
}

TEST_F(Textes, SavingKeepsThePositionsWithThePendingEditsOfTheConfiguration) {
    demarrerAvec();
    cliquer("ChkG");
    ASSERT_NO_FATAL_FAILURE(ouvrirTextes());
    QTest::keyClick(b("TxtMX"), '+');
    remplacer("TxtLIY", QStringLiteral("7"));
    cliquerTextes("Bouton_Kiv_XP2");

    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte,
              QStringLiteral("Modifications enregistrées pour le choix 1 !"));
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Exclamation);
    EXPECT_TRUE(textesFermee());
    EXPECT_EQ(app->reglages.MargeMX, 21);
    EXPECT_EQ(app->reglages.MargeLIY, 7);
    EXPECT_EQ(lireCle("Defaut1", "MargeMX").trimmed(), QStringLiteral("21"));
    EXPECT_EQ(lireCle("Defaut1", "MargeLIY").trimmed(), QStringLiteral("7"));
    EXPECT_EQ(lireCle("Defaut1", "Gras").trimmed(), QStringLiteral("1"));

    // Leaving the configuration by its close box keeps what was saved.
    configuration->close();
    EXPECT_EQ(app->reglages.MargeMX, 21);
}

TEST_F(Textes, ASaveThatFailsIsNotConfirmedAndKeepsTheWindowOpen) {
    demarrerAvec();
    ASSERT_NO_FATAL_FAILURE(ouvrirTextes());
    remplacer("TxtDEX", QStringLiteral("9"));
    QFile::remove(chemin("Cheque.ini"));
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("Cheque.ini")));
    cliquerTextes("Bouton_Kiv_XP2");

    for (const QString& m : messages())
        EXPECT_FALSE(m.startsWith(QStringLiteral("Modifications enregistrées"))) << m.toStdString();
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Critique);
    EXPECT_FALSE(textesFermee());
    EXPECT_EQ(textes->SimulationActive, 1);
    EXPECT_EQ(b("TxtDEX")->text(), QStringLiteral("9"));
    EXPECT_EQ(configuration->copie().MargeDEX, 9);

    cliquerTextes("Bouton_Kiv_XP4");
    EXPECT_EQ(configuration->copie().MargeDEX, 1);
}

TEST_F(Textes, WithoutAPlaceTheConfigurationIsLeftToEnterIt) {
    demarrerAvec(QString());
    cliquer("Bouton_Kiv_XP1");

    EXPECT_EQ(configuration ? configuration->findChild<FrmTextes*>() : nullptr, nullptr);
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(plateforme.dialogues.vus[0].texte,
              QStringLiteral("Un montant de chèque, un destinataire et un lieu d'émission\n"
                             "doivent être indiqués pour accèder à cette page de simulation."));
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Critique);
    EXPECT_TRUE(configuration.isNull() || !configuration->isVisible());
    EXPECT_TRUE(fenetre->isVisible());
}
