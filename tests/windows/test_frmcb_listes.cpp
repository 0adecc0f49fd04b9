#include "FenetreTest.h"

#include "settings/FichierIni.h"
#include "settings/Listes.h"
#include "windows/AffichageMontant.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

namespace {

const QByteArray kCheque = "[Defaut1]\r\nImprimante=Bureau\r\nTaille= 10\r\nMontant=100,00\r\n"
                           "Montant2=x\r\n[Montants]\r\nMt0=100,00\r\nMt1=20,00\r\n"
                           "[Destinataires]\r\nDest0=DUPONT\r\nDest1=EDF\r\n[Lieu]\r\n"
                           "Lieu0=Paris\r\n";

} // namespace

class Listes : public FenetreTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", kCheque);
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    }

    QComboBox* montant() const { return boite("CboM"); }
    QString mots() const { return fenetre->lblMontant().caption(); }
    void taper(const QString& texte) const {
        montant()->setEditText(QString());
        montant()->setFocus();
        QTest::keyClicks(montant()->lineEdit(), texte);
    }
    void quitterLaBoite() const { boite("CboD")->setFocus(); }
    QAction* action(const char* nom) const { return controle<QAction>(nom); }
    ListesMemorisees surDisque() const {
        return ScannerListes(DocumentIni::DepuisOctets(lire("Cheque.ini")).lignes());
    }
};

TEST_F(Listes, TypingAnAmountShowsItsWordsAtOnce) {
    taper(QStringLiteral("12.5"));
    EXPECT_EQ(montant()->currentText(), QStringLiteral("12,5"));
    EXPECT_EQ(mots(), QStringLiteral("DOUZE EUROS\n et CINQUANTE CENTIMES"));

    taper(QStringLiteral("12,345"));
    EXPECT_EQ(montant()->currentText(), QStringLiteral("12,34"));

    taper(QStringLiteral("12 "));
    EXPECT_EQ(montant()->currentText(), QStringLiteral("12"));
    EXPECT_EQ(montant()->lineEdit()->cursorPosition(), 2);
    EXPECT_EQ(mots(), QStringLiteral("DOUZE EUROS"));

    // No words for what is not an amount: the label says why instead.
    taper(QStringLiteral("abc"));
    EXPECT_EQ(mots(), QStringLiteral("Montant non valide : séparez les centimes par une virgule "
                                     "(12,50)."));
}

TEST_F(Listes, LeavingTheBoxFormatsTheAmount) {
    taper(QStringLiteral("1250"));
    quitterLaBoite();
    EXPECT_EQ(montant()->currentText(), QStringLiteral("1 250,00"));
    EXPECT_EQ(mots(), QStringLiteral("MILLE DEUX CENT CINQUANTE EUROS"));

    taper(QString());
    quitterLaBoite();
    EXPECT_EQ(montant()->currentText(), QString());
}

TEST_F(Listes, PickingAnEntryAndFramedTwoLineWords) {
    app->reglages.Encadrer = 1;
    montant()->setCurrentIndex(montant()->findText(QStringLiteral("20,00")));
    emit montant()->activated(montant()->currentIndex());
    EXPECT_EQ(mots(), QStringLiteral("// VINGT EUROS //"));
    taper(QStringLiteral("1234,56"));
    EXPECT_EQ(mots(), QStringLiteral("// MILLE DEUX CENT TRENTE-QUATRE EUROS\n et CINQUANTE-SIX "
                                     "CENTIMES //"));
}

TEST_F(Listes, ClosingSavesNewEntriesInSortedOrderAndKeepsTheSettings) {
    taper(QStringLiteral("250"));
    quitterLaBoite();
    boite("CboD")->setEditText(QStringLiteral("Société Générale"));
    boite("CboL")->setEditText(QStringLiteral("Amiens"));
    fenetre->close();
    const ListesMemorisees l = surDisque();
    EXPECT_EQ(l.montants, (QStringList{QStringLiteral("100,00"), QStringLiteral("20,00"),
                                       QStringLiteral("250,00")}));
    EXPECT_EQ(l.destinataires, (QStringList{QStringLiteral("DUPONT"), QStringLiteral("EDF"),
                                            QStringLiteral("Société Générale")}));
    EXPECT_EQ(l.lieux, (QStringList{QStringLiteral("Amiens"), QStringLiteral("Paris")}));
    const QByteArray octets = lire("Cheque.ini");
    EXPECT_TRUE(octets.contains("Dest2=Soci\xe9t\xe9 G\xe9n\xe9rale\r\n"));
    EXPECT_TRUE(octets.startsWith("[Defaut1]\r\nImprimante=Bureau\r\nTaille= 10\r\n"
                                  "Montant=100,00\r\nMontant2=x\r\n[Montants]\r\nMt0=100,00\r\n"));

    // A restart reads back the same lists.
    demarrer();
    EXPECT_EQ(entrees("CboD"), l.destinataires);
    EXPECT_EQ(entrees("CboM"), l.montants);
}

TEST_F(Listes, DeletingAskesFirstAndNeedsAPickedEntry) {
    boite("CboD")->setEditText(QStringLiteral("Nouveau"));
    action("mnuSupD")->trigger();
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].texte,
              QStringLiteral("Sélectionnez un destinataire à supprimer !"));
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Critique);

    boite("CboD")->setCurrentIndex(0);
    action("mnuSupD")->trigger(); // answered No
    EXPECT_EQ(plateforme.dialogues.vus.last().texte, QStringLiteral("Supprimer DUPONT ?"));
    EXPECT_EQ(entrees("CboD").size(), 2);

    plateforme.dialogues.reponsesQuestion.enqueue(true);
    action("mnuSupD")->trigger();
    EXPECT_EQ(entrees("CboD"), QStringList{QStringLiteral("EDF")});

    montant()->setCurrentIndex(0);
    plateforme.dialogues.reponsesQuestion.enqueue(true);
    action("mnuSupM")->trigger();
    EXPECT_EQ(entrees("CboM"), QStringList{QStringLiteral("20,00")});
    // The words follow what the box shows after the deletion.
    EXPECT_EQ(montant()->currentText(), QStringLiteral("20,00"));
    EXPECT_EQ(mots(), QStringLiteral("VINGT EUROS"));

    action("mnuSupL")->trigger();
    EXPECT_EQ(plateforme.dialogues.vus.last().texte, QStringLiteral("Supprimer Paris ?"));
}

TEST_F(Listes, DeletingAllAmountsEmptiesTheSectionButNotTheDefault) {
    plateforme.dialogues.reponsesQuestion.enqueue(true);
    action("mnuSupMTous")->trigger();
    EXPECT_EQ(plateforme.dialogues.vus.last().texte, QStringLiteral("Tout supprimer ?"));
    EXPECT_EQ(montant()->count(), 0);
    EXPECT_EQ(montant()->currentText(), QString());
    EXPECT_EQ(app->reglages.Montant, QString());
    fenetre->close();
    const QByteArray octets = lire("Cheque.ini");
    EXPECT_TRUE(octets.contains("[Montants]\r\n[Destinataires]\r\n"));
    EXPECT_TRUE(octets.contains("Montant=100,00\r\n"));
}

TEST_F(Listes, QuittingWithoutAChoiceWritesNothing) {
    QFile::remove(chemin("Choix.cfg"));
    boite("CboD")->setEditText(QStringLiteral("Nouveau"));
    fenetre->close();
    EXPECT_EQ(lire("Cheque.ini"), kCheque);
    EXPECT_FALSE(QFileInfo::exists(chemin("Choix.cfg")));
}

TEST_F(Listes, LineBreaksAndEqualSignsInEntriesStayInTheirEntry) {
    boite("CboD")->setEditText(QStringLiteral("A=B\r\n[Defaut1]\nTaille=99"));
    fenetre->close();
    EXPECT_EQ(surDisque().destinataires,
              (QStringList{QStringLiteral("A=B  [Defaut1] Taille=99"), QStringLiteral("DUPONT"),
                           QStringLiteral("EDF")}));
    EXPECT_EQ(DocumentIni::DepuisOctets(lire("Cheque.ini")).valeur(u"Defaut1", u"Taille"),
              QStringLiteral("10"));
}

TEST_F(Listes, TextsTheSettingsFileCannotKeepAreToldOnce) {
    boite("CboD")->setEditText(QStringLiteral("Łukasz Sp."));
    ASSERT_TRUE(fenetre->EnregistrerChoix().ok());
    ASSERT_EQ(plateforme.dialogues.vus.size(), 1);
    EXPECT_EQ(plateforme.dialogues.vus[0].icone, Icone::Exclamation);
    EXPECT_TRUE(plateforme.dialogues.vus[0].texte.endsWith(QStringLiteral(":\n\nŁukasz Sp.")));
    EXPECT_TRUE(lire("Cheque.ini").contains("Dest2=?ukasz Sp.\r\n"));
    fenetre->EnregistrerChoix();
    EXPECT_EQ(plateforme.dialogues.vus.size(), 1);
}

TEST_F(Listes, AFailedSaveIsToldWithTheFileName) {
    QFile::remove(chemin("Cheque.ini"));
    QDir().mkpath(chemin("Cheque.ini") + QStringLiteral("/occupe"));
    EXPECT_FALSE(fenetre->EnregistrerChoix().ok());
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(plateforme.dialogues.vus.last().icone, Icone::Critique);
    EXPECT_TRUE(plateforme.dialogues.vus.last().texte.contains(QStringLiteral("Cheque.ini")));
}

class Configuration : public Listes {
protected:
    // Settings as the configuration window hands them over for saving.
    Reglages reglages() const {
        Reglages r = app->reglages;
        r.Imprimante = QStringLiteral("PDF");
        r.Orientation = 2;
        r.Montant = QStringLiteral("75,00");
        r.Ledestinataire = QStringLiteral("GDF");
        return r;
    }
};

TEST_F(Configuration, SavingWritesTheSectionAndTheDefaults) {
    taper(QStringLiteral("75"));
    const Reglages r = reglages();
    ASSERT_TRUE(fenetre->EnregistrerChoix(&r).ok());
    EXPECT_EQ(montant()->currentText(), QStringLiteral("75,00"));
    EXPECT_TRUE(entrees("CboM").contains(QStringLiteral("75,00")));
    EXPECT_TRUE(entrees("CboD").contains(QStringLiteral("GDF")));
    EXPECT_EQ(texte("LblOrientation"), QStringLiteral("Orientation en mode paysage"));
    const DocumentIni doc = DocumentIni::DepuisOctets(lire("Cheque.ini"));
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Orientation"), QStringLiteral("2"));
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Montant"), QStringLiteral("75,00"));
    EXPECT_EQ(doc.valeur(u"Defaut1", u"Montant2"), QStringLiteral("x"));
    EXPECT_EQ(doc.valeur(u"Defaut2", u"Taille"), QString());
    EXPECT_TRUE(lire("Cheque.ini").contains("Mt2=75,00\r\n"));
}
