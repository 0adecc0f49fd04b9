#include "FenetreTest.h"

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
