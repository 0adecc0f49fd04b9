#include "FenetreTest.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QToolButton>

namespace {

class ImpressionNumerotee : public FenetreTest {
protected:
    void SetUp() override {
        demarrerSurChoix1("[Defaut1]\r\nImprimante=PDF\r\nOrientation= 1\r\nPolice=Arial\r\n"
                          "Taille= 12\r\nJournal= 1\r\n");
        ASSERT_TRUE(app->registre);
        ASSERT_TRUE(app->registre->reglerChequier(1, {ChequierParDefaut(1), true, 42}).ok());
        fenetre->afficherNumero();
        boite("CboM")->setEditText(QStringLiteral("12,50"));
        boite("CboD")->setEditText(QStringLiteral("EDF"));
    }
    void imprimer() const { controle<QToolButton>("Bouton_Kiv_XP4")->click(); }
    QString numero() const {
        const auto* l = controle<QLabel>("LblNumero");
        return l->isHidden() ? QString() : l->text();
    }
};

TEST_F(ImpressionNumerotee, UnChequeGacheEstGardeEtReimprimeSurLeNumeroSuivant) {
    EXPECT_EQ(numero(), QStringLiteral("Chèque n° 0000042"));
    plateforme.dialogues.reponsesChoix << 1 << 0; // "Gâché…", then "Oui"
    plateforme.dialogues.reponsesSaisie << QStringLiteral("bourrage");
    plateforme.dialogues.reponsesQuestion << true; // reprint
    imprimer();
    EXPECT_EQ(plateforme.impression.pages.size(), 2);
    EXPECT_TRUE(plateforme.dialogues.textes().contains(
        QStringLiteral("Le chèque n° 0000042 est-il bien imprimé ?")));
    EXPECT_TRUE(plateforme.dialogues.textes().contains(
        QStringLiteral("Le chèque n° 0000043 est-il bien imprimé ?")));

    const auto liste = *app->registre->cheques();
    ASSERT_EQ(liste.size(), 2);
    EXPECT_EQ(liste[0].numero, 42);
    EXPECT_EQ(liste[0].statut, Statut::Gache);
    EXPECT_EQ(liste[0].note, QStringLiteral("bourrage"));
    EXPECT_EQ(liste[0].reimpression, liste[1].id);
    EXPECT_EQ(liste[1].numero, 43);
    EXPECT_EQ(liste[1].statut, Statut::Emis);
    EXPECT_EQ(liste[1].destinataire, QStringLiteral("EDF"));
    EXPECT_EQ(numero(), QStringLiteral("Chèque n° 0000044"));

    // Enter on the question is "Oui": nothing more is asked.
    const qsizetype vus = plateforme.dialogues.vus.size();
    imprimer();
    EXPECT_EQ(plateforme.dialogues.vus.size(), vus + 1);
    EXPECT_EQ((*app->registre->cheques())[2].statut, Statut::Emis);
}

// A batch from the Impression menu: every line checked, the batch confirmed
// with its numbers, then the spoiled ones ticked, kept and reprinted on the
// next numbers, each linked to the cheque it replaces.
TEST_F(ImpressionNumerotee, UnLotGacheEnPartieEstReimprimeSurLesNumerosSuivants) {
    ecrire("paie.csv", "montant;destinataire;lieu;date\r\n12,50;EDF;Paris;01/03/2024\r\n"
                       "7.5;\"Dupont; fils\";Lyon\r\n3;Garage\r\n");
    auto& d = plateforme.dialogues;
    d.reponsesFichier << chemin("paie.csv");
    d.reponsesQuestion << true;  // print the batch
    d.reponsesChoix << 1 << 1;   // "Choisir les gâchés…", cancelled, asked again
    d.reponsesCocher << std::nullopt << QVector<int>{1, 2};
    d.reponsesSaisie << QStringLiteral("bourrage");
    d.reponsesQuestion << true;  // reprint them
    d.reponsesChoix << 1;        // the reprint: "Choisir les gâchés…"
    d.reponsesCocher << QVector<int>{}; // none ticked: all came out well
    fenetre->ImprimerLot();

    EXPECT_TRUE(d.textes().contains(QStringLiteral(
        "Imprimer les 3 chèques du lot « paie.csv », pour un total de 23,00\u00a0€, sur "
        "l'imprimante « PDF » ?\n\nIls vont sur les chèques n° 0000042 à n° 0000044 du "
        "chéquier « Chéquier 1 ».")));
    EXPECT_EQ(d.textes().count(
                  QStringLiteral("Les 3 chèques n° 0000042 à n° 0000044 sont-ils bien imprimés ?")),
              2);
    EXPECT_TRUE(d.textes().contains(QStringLiteral(
        "Les chèques n° 0000043, n° 0000044 sont notés gâchés.\n\nLes réimprimer sur les "
        "chèques n° 0000045 à n° 0000046 ?")));
    EXPECT_EQ(d.elementsCoches,
              (QStringList{QStringLiteral("n° 0000045   7,50\u00a0€   Dupont; fils"),
                           QStringLiteral("n° 0000046   3,00\u00a0€   Garage")}));
    EXPECT_EQ(plateforme.impression.travaux, 2);
    ASSERT_EQ(plateforme.impression.pages.size(), 5);

    const auto liste = *app->registre->cheques();
    ASSERT_EQ(liste.size(), 5);
    QHash<std::int64_t, ChequeRegistre> parNumero;
    for (const ChequeRegistre& c : liste)
        parNumero.insert(c.numero.value_or(0), c);
    EXPECT_EQ(parNumero[42].statut, Statut::Emis);
    EXPECT_EQ(parNumero[42].dateCheque, QDate(2024, 3, 1));
    for (const std::int64_t n : {43, 44}) {
        EXPECT_EQ(parNumero[n].statut, Statut::Gache) << n;
        EXPECT_EQ(parNumero[n].note, QStringLiteral("bourrage"));
        EXPECT_EQ(parNumero[n].reimpression, parNumero[n + 2].id) << n;
        EXPECT_EQ(parNumero[n + 2].destinataire, parNumero[n].destinataire);
        EXPECT_EQ(parNumero[n + 2].centimes, parNumero[n].centimes);
        EXPECT_EQ(parNumero[n + 2].statut, Statut::Emis);
    }
    EXPECT_EQ(parNumero[43].centimes, 750);
    EXPECT_EQ(numero(), QStringLiteral("Chèque n° 0000047"));
    // The lists took the batch's payees once its pages were out; the boxes
    // keep what they held.
    EXPECT_NE(boite("CboD")->findText(QStringLiteral("Garage")), -1);
    EXPECT_EQ(boite("CboM")->currentText(), QStringLiteral("12,50"));
    EXPECT_EQ(boite("CboD")->currentText(), QStringLiteral("EDF"));
    EXPECT_EQ(boite("CboL")->currentText(), QString());
}

// Spoiling is all or none: a register that refuses the second leaves both
// issued, says so, and offers no reprint.
TEST_F(ImpressionNumerotee, DesGachesQueLeRegistreRefuseRestentEmis) {
    ecrire("paie.csv", "1;Alpha\n2;Beta\n3;Gamma\n");
    auto& d = plateforme.dialogues;
    d.reponsesFichier << chemin("paie.csv");
    d.reponsesQuestion << true;
    d.reponsesChoix << 1;
    d.reponsesCocher << QVector<int>{0, 1};
    ASSERT_TRUE(app->registre->base()
                    .executer("CREATE TEMP TRIGGER plein BEFORE UPDATE ON cheques "
                              "WHEN NEW.numero = 43 AND NEW.statut = 'gâché' BEGIN "
                              "SELECT RAISE(ABORT, 'database or disk is full'); END")
                    .ok());
    d.reponsesQuestion << true; // a reprint, were it offered
    fenetre->ImprimerLot();
    EXPECT_EQ(plateforme.impression.pages.size(), 3);
    const DialogueVu& dit = d.vus.last();
    EXPECT_EQ(dit.icone, Icone::Critique);
    EXPECT_TRUE(dit.texte.startsWith(
        QStringLiteral("Les chèques n° 0000042, n° 0000043 restent émis au registre : ")))
        << dit.texte.toStdString();
    EXPECT_FALSE(dit.texte.contains(QStringLiteral("database"))) << dit.texte.toStdString();
    const auto liste = *app->registre->cheques();
    for (const ChequeRegistre& c : liste)
        EXPECT_EQ(c.statut, Statut::Emis) << *c.numero;
    EXPECT_EQ(d.reponsesQuestion.size(), 1); // no reprint asked
}

TEST_F(ImpressionNumerotee, UnLotAvecUneLigneRefuseeNImprimeRien) {
    ecrire("paie.csv", "12,50;EDF\n5;Durand;;31/02/2024\n;Personne\n1;Martin;a;b;c\n");
    auto& d = plateforme.dialogues;
    d.reponsesFichier << chemin("paie.csv");
    fenetre->ImprimerLot();
    ASSERT_FALSE(d.vus.isEmpty());
    const QString dit = d.vus.last().texte;
    EXPECT_TRUE(dit.startsWith(QStringLiteral("Aucun chèque du lot « paie.csv » n'est imprimé")))
        << dit.toStdString();
    // Every refused line, in the file's order, whichever check refused it.
    const auto deux = dit.indexOf(QStringLiteral("\n\nLigne 2 : la date « 31/02/2024 »"));
    const auto trois = dit.indexOf(QStringLiteral("\nligne 3 : "));
    const auto quatre = dit.indexOf(QStringLiteral("\nligne 4 : "));
    EXPECT_TRUE(deux > 0 && trois > deux && quatre > trois) << dit.toStdString();
    EXPECT_FALSE(dit.contains(QStringLiteral("ligne 1 ")));
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    EXPECT_TRUE(app->registre->cheques()->isEmpty());
    EXPECT_EQ(numero(), QStringLiteral("Chèque n° 0000042"));

    // A file that is not there is told, in a sentence of its own.
    d.reponsesFichier << chemin("absent.csv");
    fenetre->ImprimerLot();
    EXPECT_TRUE(d.vus.last().texte.contains(QStringLiteral("Le fichier « ")))
        << d.vus.last().texte.toStdString();
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
}

// A page the printer cannot start stops the job; what it drew before may
// still come out, so the numbers are kept aside, never given again.
TEST_F(ImpressionNumerotee, UnLotDontLaPageSuivanteEchoueGardeSesNumerosDeCote) {
    ecrire("paie.csv", "1;Alpha\n2;Beta\n");
    plateforme.impression.pageRefusee = true;
    auto& d = plateforme.dialogues;
    d.reponsesFichier << chemin("paie.csv");
    d.reponsesQuestion << true;
    fenetre->ImprimerLot();
    EXPECT_EQ(plateforme.impression.annules, 1);
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    EXPECT_EQ(d.vus.last().icone, Icone::Critique);
    EXPECT_TRUE(d.vus.last().texte.contains(
        QStringLiteral("les chèques n° 0000042, n° 0000043 comme impressions interrompues")))
        << d.vus.last().texte.toStdString();
    const auto liste = *app->registre->cheques();
    ASSERT_EQ(liste.size(), 2);
    for (const ChequeRegistre& c : liste)
        EXPECT_EQ(c.statut, Statut::EnImpression);
    EXPECT_EQ(numero(), QStringLiteral("Chèque n° 0000044"));
    EXPECT_FALSE(QFile::exists(chemin("Journaux/Journal_2024_03_05.txt")));
}

// One line: the question and the end message in the singular, each text in
// its place.
TEST_F(ImpressionNumerotee, UnLotDUnSeulCheque) {
    ASSERT_TRUE(app->registre->reglerChequier(1, {ChequierParDefaut(1), false, 42}).ok());
    ecrire("seul.csv", "12,50;EDF\n");
    auto& d = plateforme.dialogues;
    d.reponsesFichier << chemin("seul.csv");
    d.reponsesQuestion << true;
    fenetre->ImprimerLot();
    EXPECT_TRUE(d.textes().contains(QStringLiteral(
        "Imprimer le chèque du lot « seul.csv », de 12,50\u00a0€, sur l'imprimante « PDF » ?")))
        << d.textes().join(u'|').toStdString();
    EXPECT_EQ(d.vus.last().texte,
              QStringLiteral("Le chèque du lot est parti sur l'imprimante « PDF »."));
}

TEST_F(ImpressionNumerotee, UnLotSansNumerosDitQuIlEstParti) {
    ASSERT_TRUE(app->registre->reglerChequier(1, {ChequierParDefaut(1), false, 42}).ok());
    ecrire("paie.csv", "1;Alpha\n2;Beta\n");
    auto& d = plateforme.dialogues;
    d.reponsesFichier << chemin("paie.csv");
    d.reponsesQuestion << true;
    fenetre->ImprimerLot();
    EXPECT_EQ(plateforme.impression.pages.size(), 2);
    EXPECT_EQ(d.vus.last().texte,
              QStringLiteral("Les 2 chèques du lot sont partis sur l'imprimante « PDF »."));
    for (const DialogueVu& vu : d.vus)
        EXPECT_NE(vu.genre, DialogueVu::Choix); // nothing to check without numbers
    EXPECT_EQ(app->registre->cheques()->size(), 2);
}

TEST_F(ImpressionNumerotee, SansRegistreRienNestImprime) {
    app->registre.reset();
    app->raisonRegistre = QStringLiteral("le disque est plein.");
    imprimer();
    EXPECT_TRUE(plateforme.impression.pages.isEmpty());
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(plateforme.dialogues.vus.last().icone, Icone::Critique);
    EXPECT_TRUE(
        plateforme.dialogues.vus.last().texte.startsWith(QStringLiteral("Rien n'est imprimé")));
    EXPECT_FALSE(QFile::exists(chemin("Journaux/Journal_2024_03_05.txt")));
}

} // namespace
