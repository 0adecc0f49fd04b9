#include "FenetreTest.h"
#include "windows/AffichageMontant.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

QByteArray Cheque(const QByteArray& options) {
    return "[Defaut1]\r\nImprimante=PDF\r\nOrientation= 1\r\nPolice=Arial\r\nTaille= 12\r\n"
           "Montant=100,00\r\nLedestinataire=EDF\r\n" +
           options + "[Montants]\r\nMt0=100,00\r\n[Destinataires]\r\nDest0=EDF\r\n";
}

} // namespace

class ImpressionCheque : public FenetreTest {
protected:
    void demarrerAvec(const QByteArray& options) { demarrerSurChoix1(Cheque(options)); }
    void imprimer() const { controle<QToolButton>("Bouton_Kiv_XP4")->click(); }
    QComboBox* montant() const { return boite("CboM"); }
    QString journal() const {
        return chemin("Journaux") + QStringLiteral("/Journal_2024_03_05.txt");
    }
    QStringList textesImprimes(int page = 0) const {
        QStringList t;
        for (const auto& texte : plateforme.impression.pages.value(page).textes)
            t.append(texte.texte);
        return t;
    }
};

TEST_F(ImpressionCheque, ThePrintButtonPrintsTheFiveTextsOnTheChosenPrinter) {
    demarrerAvec("Journal= 1\r\n");
    montant()->setEditText(QStringLiteral("1234,56"));
    boite("CboD")->setEditText(QStringLiteral("DUPONT SA"));
    boite("CboL")->setEditText(QStringLiteral("Paris"));
    imprimer();
    ASSERT_EQ(plateforme.impression.pages.size(), 1);
    EXPECT_EQ(plateforme.impression.pages[0].imprimanteChoisie, QStringLiteral("PDF"));
    EXPECT_EQ(textesImprimes(),
              (QStringList{QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS"),
                           QStringLiteral(" et CINQUANTE-SIX CENTIMES"), QStringLiteral("1 234,56"),
                           QStringLiteral("DUPONT SA"), QStringLiteral("Paris"),
                           QStringLiteral("05/03/2024")}));
    QFile f(journal());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("RELEVE des CHEQUES IMPRIMES le 05/03/2024\r\n\r\n\r\n"
                                      "14:07:32 - 1 234,56 Euros \xe0 l'ordre de DUPONT SA\r\n"));
    // The lists remember what was printed.
    EXPECT_TRUE(lire("Cheque.ini").contains("Dest0=DUPONT SA\r\n"));
    EXPECT_TRUE(lire("Cheque.ini").contains("Lieu0=Paris\r\n"));
}

TEST_F(ImpressionCheque, TheAmountIsPrintedInTheFormItTakesWhenTheBoxIsLeft) {
    demarrerAvec("");
    // The print button takes no focus: the box is not left before printing.
    for (const char* tape : {"1234", "12,"}) {
        montant()->setFocus();
        montant()->setEditText(QString::fromLatin1(tape));
        imprimer();
    }
    ASSERT_EQ(plateforme.impression.pages.size(), 2);
    EXPECT_EQ(textesImprimes(0).mid(0, 2),
              (QStringList{QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS"),
                           QStringLiteral("1 234,00")}));
    EXPECT_EQ(textesImprimes(1).mid(0, 2),
              (QStringList{QStringLiteral("DOUZE EUROS"), QStringLiteral("12,00")}));
}

TEST_F(ImpressionCheque, NothingIsPrintedOrJournaledForAnAmountThatCannotBeWritten) {
    demarrerAvec("Journal= 1\r\n");
    const QStringList refuses = {QString(), QStringLiteral("abc"), QStringLiteral("-5,00"),
                                 QStringLiteral("1000000000000")};
    for (const QString& texte : refuses) {
        montant()->setEditText(texte);
        imprimer();
    }
    ASSERT_EQ(plateforme.dialogues.vus.size(), 4);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte, QStringLiteral("Aucun texte n'est à imprimer !"));
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Exclamation);
    EXPECT_TRUE(plateforme.dialogues.vus[1].texte.contains(QStringLiteral("« abc »")));
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(journal()));
}

TEST_F(ImpressionCheque, TheIssuerIsAskedBeforePrintingAndARefusalCallsOffThatPrintOnly) {
    demarrerAvec("Journal= 1\r\nD\xe9"
                 "biteur= 1\r\n");
    plateforme.pressePapiers.contenu = QStringLiteral("martin");
    montant()->setEditText(QStringLiteral("12,00"));
    imprimer(); // cancelled
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].genre, DialogueVu::Saisie);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte, QStringLiteral("Nom du titulaire :"));
    EXPECT_EQ(plateforme.dialogues.vus[0].titre, QStringLiteral("Titulaire du compte débité :"));
    EXPECT_FALSE(QFileInfo::exists(journal()));

    plateforme.dialogues.reponsesSaisie.enqueue(QStringLiteral("martin paul"));
    imprimer();
    EXPECT_EQ(plateforme.impression.pages.size(), 1);
    QFile f(journal());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        f.readAll().endsWith("12,00 Euros \xe0 l'ordre de EDF. Emetteur : MARTIN PAUL\r\n"));

    // With the journal off, a refusal earlier does not block later prints.
    app->reglages.Journal = 0;
    imprimer();
    EXPECT_EQ(plateforme.impression.pages.size(), 2);
}

TEST_F(ImpressionCheque, AFailedPrintIsToldAndNotJournaled) {
    demarrerAvec("Journal= 1\r\nRevenir= 1\r\n");
    plateforme.impression.echec = true;
    montant()->setEditText(QStringLiteral("12,00"));
    imprimer();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Critique);
    EXPECT_TRUE(plateforme.dialogues.vus[0].texte.contains(QStringLiteral("« PDF »")));
    EXPECT_FALSE(QFileInfo::exists(journal()));
    EXPECT_EQ(montant()->currentText(), QStringLiteral("12,00")); // no after-print actions
}

TEST_F(ImpressionCheque, AfterPrintOptions) {
    demarrerAvec("Revenir= 1\r\nRevenirDest= 1\r\nMinimise= 1\r\n");
    montant()->setEditText(QStringLiteral("12,00"));
    boite("CboD")->setEditText(QStringLiteral("Autre"));
    imprimer();
    EXPECT_EQ(montant()->currentText(), QStringLiteral("100,00"));
    EXPECT_EQ(fenetre->lblMontant().caption(), QStringLiteral("CENT EUROS"));
    EXPECT_EQ(boite("CboD")->currentText(), QStringLiteral("EDF"));
    EXPECT_TRUE(fenetre->windowState() & Qt::WindowMinimized);

    // A maximised window is left as it is.
    fenetre->setWindowState(Qt::WindowMaximized);
    imprimer();
    EXPECT_FALSE(fenetre->windowState() & Qt::WindowMinimized);
}

TEST_F(ImpressionCheque, TheShortcutKeyFormatsTheAmountThenPrints) {
    demarrerAvec("Raccourci= 117\r\n");
    montant()->setFocus();
    montant()->setEditText(QStringLiteral("1250"));
    QTest::keyClick(montant()->lineEdit(), Qt::Key_F5); // not the shortcut
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    QTest::keyClick(montant()->lineEdit(), Qt::Key_F6);
    ASSERT_EQ(plateforme.impression.pages.size(), 1);
    EXPECT_EQ(montant()->currentText(), QStringLiteral("1 250,00"));
    EXPECT_TRUE(textesImprimes().contains(QStringLiteral("MILLE DEUX CENT CINQUANTE EUROS")));
}

TEST_F(ImpressionCheque, EnterAsTheShortcutPrintsFromThePayeeBox) {
    demarrerAvec("Raccourci= 13\r\n");
    montant()->setEditText(QStringLiteral("5"));
    boite("CboD")->setFocus();
    QTest::keyClick(boite("CboD")->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(plateforme.impression.pages.size(), 1);
    EXPECT_TRUE(textesImprimes().contains(QStringLiteral("5,00")));
}

// Without a printer nothing can reach paper: the user is sent to the
// configuration, and the lists keep only what was printed before.
TEST_F(ImpressionCheque, WithoutAPrinterNothingIsKeptAndTheUserIsToldWhy) {
    for (const QByteArray& imprimante : {QByteArray(""), QByteArray("Ancienne")}) {
        SCOPED_TRACE(imprimante.constData());
        ecrire("Cheque.ini", "[Defaut1]\r\nImprimante=" + imprimante +
                                 "\r\nOrientation= 1\r\nPolice=Arial\r\nTaille= 12\r\n"
                                 "Journal= 1\r\n[Montants]\r\nMt0=100,00\r\n");
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        fenetre->show();
        plateforme.dialogues.vus.clear();
        montant()->setEditText(QStringLiteral("12,00"));
        boite("CboD")->setEditText(QStringLiteral("Nouveau"));
        imprimer();

        ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
        const QString dit = plateforme.dialogues.vus[0].texte;
        EXPECT_TRUE(imprimante.isEmpty()
                        ? dit == QStringLiteral("Aucune imprimante n'est choisie : ouvrez "
                                                "Configuration et Options.")
                        : dit.contains(QStringLiteral("« Ancienne »")))
            << dit.toStdString();
        EXPECT_TRUE(plateforme.impression.pages.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(journal()));
        const QByteArray ini = lire("Cheque.ini");
        EXPECT_FALSE(ini.contains("Nouveau"));
        EXPECT_FALSE(ini.contains("12,00"));
        fenetre.reset();
    }
}

// A control character pasted into a box would print as a blank and go raw
// into the journal and Cheque.ini: the print is refused before anything is kept.
TEST_F(ImpressionCheque, AControlCharacterInABoxIsRefusedAndNothingIsKept) {
    demarrerAvec("Journal= 1\r\n");
    const QByteArray ini = lire("Cheque.ini");
    const struct {
        const char* boite;
        QString texte;
        const char* attendu;
    } cas[] = {
        {"CboD", QStringLiteral("DUPONT") + QChar(0) + QStringLiteral("SA"),
         "Le destinataire contient un caractère de contrôle (U+0000)"},
        {"CboL", QStringLiteral("Paris\x1B[31m"),
         "Le lieu contient un caractère de contrôle (U+001B)"},
    };
    for (const auto& [nom, texte, attendu] : cas) {
        plateforme.dialogues.vus.clear();
        montant()->setEditText(QStringLiteral("12,00"));
        boite("CboD")->setEditText(QStringLiteral("EDF"));
        boite("CboL")->setEditText(QString());
        boite(nom)->setEditText(texte);
        ASSERT_EQ(boite(nom)->currentText(), texte); // the box keeps it as pasted
        imprimer();
        ASSERT_EQ(plateforme.dialogues.vus.size(), 1) << nom;
        EXPECT_TRUE(plateforme.dialogues.vus[0].texte.startsWith(QString::fromUtf8(attendu)))
            << plateforme.dialogues.vus[0].texte.toStdString();
        EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Exclamation);
    }
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(journal()));
    EXPECT_EQ(lire("Cheque.ini"), ini);
}
