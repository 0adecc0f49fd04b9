#include "windows/AffichageMontant.h"
#include "windows/EtiquetteMontant.h"
#include "FenetreTest.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

// Choice 1 in portrait, 12 points, the second line of the words 12 mm in.
QByteArray Cheque(const QByteArray& options) {
    return "[Defaut1]\r\nImprimante=PDF\r\nOrientation= 1\r\nPolice=Liberation Sans\r\n"
           "Taille= 12\r\nMargeDLX= 12\r\nJournal= 1\r\n" +
           options + "[Montants]\r\nMt0=100,00\r\n";
}

// The real label, counting how often it is given words.
class EtiquetteComptee final : public AffichageMontant {
public:
    explicit EtiquetteComptee(QWidget* parent) : etiquette_(parent) {}
    int ecritures = 0;

    QWidget* widget() override { return etiquette_.widget(); }
    QString caption() const override { return etiquette_.caption(); }
    void ecrireCaption(const QString& texte) override {
        ++ecritures;
        etiquette_.ecrireCaption(texte);
    }
    void ecrireFontName(const QString& nom) override { etiquette_.ecrireFontName(nom); }
    void ecrireFontSize(float points) override { etiquette_.ecrireFontSize(points); }
    void ecrireFontBold(bool gras) override { etiquette_.ecrireFontBold(gras); }
    void signalerErreur(bool erreur) override { etiquette_.signalerErreur(erreur); }

private:
    EtiquetteMontant etiquette_;
};

} // namespace

class Montant : public FenetreTest {
protected:
    void demarrerAvec(const QByteArray& options) { demarrerSurChoix1(Cheque(options)); }
    QComboBox* montant() const { return boite("CboM"); }
    QString mots() const { return fenetre->lblMontant().caption(); }
    // Keys as a real display delivers them: to the box that has the focus,
    // which is the combo box, not its line edit.
    void taper(const QString& texte) const {
        montant()->setEditText(QString());
        montant()->setFocus();
        QTest::keyClicks(montant(), texte);
    }
    // Whether the label shows any text in a red.
    bool enRouge() const {
        const QImage image = fenetre->lblMontant().widget()->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 140 && c.green() < 70 && c.blue() < 70)
                    return true;
            }
        return false;
    }
    QString journal() const {
        return chemin("Journaux") + QStringLiteral("/Journal_2024_03_05.txt");
    }
};

TEST_F(Montant, APointTypedOnTheKeyboardBecomesTheDecimalComma) {
    demarrerAvec("");
    taper(QStringLiteral("12.5"));
    EXPECT_EQ(montant()->currentText(), QStringLiteral("12,5"));
    EXPECT_EQ(mots(), QStringLiteral("DOUZE EUROS\n et CINQUANTE CENTIMES"));
}

TEST_F(Montant, APastedAmountWithAPointIsTakenWithTheComma) {
    demarrerAvec("");
    for (const char* colle : {"12.5", "12.50"}) {
        montant()->setEditText(QString());
        montant()->lineEdit()->insert(QString::fromLatin1(colle)); // as a paste does
        EXPECT_EQ(montant()->currentText(), QString::fromLatin1(colle).replace(u'.', u','));
        EXPECT_EQ(mots(), QStringLiteral("DOUZE EUROS\n et CINQUANTE CENTIMES")) << colle;
    }
    // A point followed by three digits is no decimal point.
    montant()->setEditText(QString());
    montant()->lineEdit()->insert(QStringLiteral("1.234"));
    EXPECT_EQ(montant()->currentText(), QStringLiteral("1.234"));
}

TEST_F(Montant, AnAmountThatCannotBeWrittenIsExplainedInTheErrorColour) {
    demarrerAvec("");
    const QString virgule =
        QStringLiteral("Montant non valide : un montant a une seule virgule au plus (12,50).");
    const std::tuple<const char*, const char*, QString> cas[] = {
        {"abc", "abc", QStringLiteral("Montant non valide : séparez les centimes par une virgule "
                                      "(12,50).")},
        // The point key gives a comma; nothing typed is dropped.
        {"1.2.3", "1,2,3", virgule},
        {"12,3,4", "12,3,4", virgule},
        {"-3", "-3", QStringLiteral("Montant négatif")},
        {"1000000000000", "1000000000000",
         QStringLiteral("Montant trop grand (mille milliards ou plus)")},
    };
    for (const auto& [tape, montre, explication] : cas) {
        taper(QString::fromUtf8(tape));
        EXPECT_EQ(montant()->currentText(), QString::fromUtf8(montre)) << tape;
        EXPECT_EQ(mots(), explication) << tape;
        EXPECT_TRUE(enRouge()) << tape;
    }
    taper(QStringLiteral("12"));
    EXPECT_EQ(mots(), QStringLiteral("DOUZE EUROS"));
    EXPECT_FALSE(enRouge());
}

TEST_F(Montant, TheLabelShowsAndThePrinterPrintsTheLinesThatFitTheCheque) {
    demarrerAvec("");
    taper(QStringLiteral("97997,97"));
    const QStringList lignes = mots().split(u'\n');
    ASSERT_EQ(lignes.size(), 2);
    // The first line alone ran past the cheque: its last words moved down.
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("QUATRE-VINGT-DIX-SEPT MILLE")));
    EXPECT_FALSE(lignes[0].endsWith(QStringLiteral("EUROS")));
    EXPECT_TRUE(lignes[1].endsWith(QStringLiteral(" EUROS et QUATRE-VINGT-DIX-SEPT CENTIMES")));

    controle<QToolButton>("Bouton_Kiv_XP4")->click();
    ASSERT_EQ(plateforme.impression.pages.size(), 1);
    const auto& textes = plateforme.impression.pages[0].textes;
    ASSERT_GE(textes.size(), 2);
    EXPECT_EQ(textes[0].texte, lignes[0]);
    EXPECT_EQ(textes[1].texte, lignes[1]);

    // Longer words print smaller, the same lines as the label shows.
    taper(QStringLiteral("777777777777,77"));
    const QStringList longues = mots().split(u'\n');
    controle<QToolButton>("Bouton_Kiv_XP4")->click();
    ASSERT_EQ(plateforme.impression.pages.size(), 2);
    const auto& petites = plateforme.impression.pages[1].textes;
    ASSERT_GE(petites.size(), 3);
    EXPECT_EQ(QStringList({petites[0].texte, petites[1].texte}), longues);
    EXPECT_LT(petites[0].taille, 12);
    EXPECT_EQ(petites[1].taille, petites[0].taille);
    EXPECT_EQ(petites[2].taille, 12); // the figures keep theirs
}

TEST_F(Montant, WordsThatCannotFitAreRefusedAndNothingIsPrintedOrKept) {
    // The words start 15 mm from the cheque's right edge.
    demarrerAvec("MargeMLX= 110\r\nMargeDLX= 160\r\n");
    const QByteArray avant = lire("Cheque.ini");
    taper(QStringLiteral("97,97"));
    const QString refus = QStringLiteral(
        "Le montant en lettres ne tient pas sur le chèque : 97,97, même écrit en 7 points.");
    EXPECT_EQ(mots(), refus);
    EXPECT_TRUE(enRouge());

    controle<QToolButton>("Bouton_Kiv_XP4")->click();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte, refus);
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Exclamation);
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(journal()));
    EXPECT_EQ(lire("Cheque.ini"), avant); // the amount did not join the list
}

TEST_F(Montant, ZeroCentsAreDroppedFromTheBoxEvenWhenTheWordsDoNotFit) {
    // The words start 170 mm in: nothing fits, and the refusal names the
    // amount as it would print.
    demarrerAvec("EcrireCent= 1\r\nMargeMLX= 120\r\n");
    taper(QStringLiteral("150,"));
    QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(montant(), &sortie);
    EXPECT_EQ(montant()->currentText(), QStringLiteral("150"));
    EXPECT_TRUE(mots().contains(QStringLiteral("ne tient pas sur le chèque : 150,")))
        << mots().toStdString();
}

TEST_F(Montant, EachChangeOfTheAmountIsSpelledOnce) {
    // Zero cents not printed: leaving the box also shortens the amount.
    demarrerAvec("EcrireCent= 1\r\nRevenir= 1\r\nMontant=5,00\r\n");
    auto compte = std::make_unique<EtiquetteComptee>(fenetre.get());
    EtiquetteComptee& etiquette = *compte;
    fenetre->remplacerLblMontant(std::move(compte));
    auto quitter = [this] {
        QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(montant(), &sortie);
    };

    taper(QStringLiteral("150,"));
    etiquette.ecritures = 0;
    quitter();
    EXPECT_EQ(montant()->currentText(), QStringLiteral("150"));
    EXPECT_EQ(mots(), QStringLiteral("CENT CINQUANTE EUROS"));
    EXPECT_EQ(etiquette.ecritures, 1);

    taper(QStringLiteral("12.5"));
    etiquette.ecritures = 0;
    quitter();
    EXPECT_EQ(montant()->currentText(), QStringLiteral("12,50"));
    EXPECT_EQ(etiquette.ecritures, 1);

    etiquette.ecritures = 0;
    fenetre->reprendreCheque(QStringLiteral("7,5"), QStringLiteral("Dupont"));
    EXPECT_EQ(montant()->currentText(), QStringLiteral("7,50"));
    EXPECT_EQ(mots(), QStringLiteral("SEPT EUROS\n et CINQUANTE CENTIMES"));
    EXPECT_EQ(etiquette.ecritures, 1);

    // The print puts the amount in its printed form, then goes back to the
    // default amount: two changes, two spellings.
    montant()->setEditText(QStringLiteral("8,"));
    etiquette.ecritures = 0;
    controle<QToolButton>("Bouton_Kiv_XP4")->click();
    ASSERT_EQ(plateforme.impression.pages.size(), 1);
    EXPECT_EQ(montant()->currentText(), QStringLiteral("5"));
    EXPECT_EQ(mots(), QStringLiteral("CINQ EUROS"));
    EXPECT_EQ(etiquette.ecritures, 2);

    // An entry picked from the list, then deleted: once each.
    montant()->clear();
    montant()->addItems({QStringLiteral("100,50"), QStringLiteral("20,50")});
    montant()->setFocus();
    montant()->setCurrentIndex(0);
    etiquette.ecritures = 0;
    // As the drop-down list does when an entry is clicked.
    montant()->setCurrentIndex(1);
    emit montant()->activated(1);
    EXPECT_EQ(mots(), QStringLiteral("VINGT EUROS\n et CINQUANTE CENTIMES"));
    EXPECT_EQ(etiquette.ecritures, 1);
    etiquette.ecritures = 0;
    plateforme.dialogues.reponsesQuestion.enqueue(true);
    controle<QAction>("mnuSupM")->trigger();
    EXPECT_EQ(mots(), QStringLiteral("CENT EUROS\n et CINQUANTE CENTIMES"));
    EXPECT_EQ(etiquette.ecritures, 1);
}
