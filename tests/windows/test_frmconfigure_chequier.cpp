#include "ConfigurationTest.h"

#include <QLabel>

class ChequierConfiguration : public ConfigurationTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", section(1) + section(2, {{"Imprimante", "PDF"}}));
        ecrire("Choix.cfg", "1,3\r\n");
        demarrer();
        ouvrir();
    }
    void regler(const char* nom, bool numeroter, const char* prochain) const {
        boiteTexte("TxtChequier")->setText(QString::fromUtf8(nom));
        coche("ChkNumeroter")->setChecked(numeroter);
        boiteTexte("TxtProchainNumero")->setText(QString::fromUtf8(prochain));
    }
};

TEST_F(ChequierConfiguration, DeuxChoixSurUnChequierPartagentSesNumerosGardesAuRegistre) {
    EXPECT_EQ(boiteTexte("TxtChequier")->text(), QStringLiteral("Chéquier 1"));
    EXPECT_FALSE(coche("ChkNumeroter")->isChecked());
    EXPECT_FALSE(boiteTexte("TxtProchainNumero")->isEnabled());

    regler("Compte joint", true, "1234567");
    cliquer("CmdEnrChoix");
    EXPECT_EQ(messages().value(0), QStringLiteral("Choix 1 enregistré."));
    auto un = *app->registre->chequierDuChoix(1);
    EXPECT_EQ(un.nom, QStringLiteral("Compte joint"));
    EXPECT_TRUE(un.numeroter);
    EXPECT_EQ(un.prochain, 1234567);
    EXPECT_FALSE(lire("Cheque.ini").contains("Compte joint")); // the register's, not the INI's

    choisir(1);
    EXPECT_EQ(boiteTexte("TxtChequier")->text(), QStringLiteral("Chéquier 2"));
    boiteTexte("TxtChequier")->setText(QStringLiteral("Compte joint"));
    EXPECT_EQ(boiteTexte("TxtProchainNumero")->text(), QStringLiteral("0000001"));
    regler("Compte joint", true, "1234567");
    cliquer("CmdEnrChoix");
    // Choice 1 prints one: choice 2 goes on from the next number.
    ASSERT_TRUE(app->registre
                    ->noter(1, {{QDate(2024, 3, 5),
                                 100,
                                 QStringLiteral("1,00"),
                                 QStringLiteral("EDF"),
                                 {},
                                 {},
                                 {}}})
                    .ok());
    EXPECT_EQ(app->registre->chequierDuChoix(2)->prochain, 1234568);

    // The used number typed back is refused, and nothing is saved.
    plateforme.dialogues.vus.clear();
    regler("Compte joint", true, "1234567");
    cliquer("CmdEnrChoix");
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_TRUE(messages().front().contains(QStringLiteral("a déjà servi")))
        << messages().front().toStdString();
    EXPECT_EQ(app->registre->chequierDuChoix(2)->prochain, 1234568);

    // Beside the print button, the number of the choice in use once the window is left.
    regler("Compte joint", true, "1234568");
    cliquer("CmdEnrChoix");
    cliquer("Bouton_Kiv_XP2"); // "Quitter et appliquer le choix"
    const auto* numero = controle<QLabel>("LblNumero");
    EXPECT_FALSE(numero->isHidden());
    EXPECT_EQ(numero->text(), QStringLiteral("Chèque n° 1234568"));
}
