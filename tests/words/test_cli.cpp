#include "montant_en_lettres.h"
#include "montant_texte.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct Resultat {
    int code = -1;
    QByteArray sortie;
    QByteArray erreurs;
};

Resultat Lancer(const QStringList& arguments, const QByteArray& entree = {}) {
    QProcess p;
    // A C locale must not change the encoding of the output.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(SCRIBANE_CLI), arguments);
    if (!p.waitForStarted())
        return {};
    p.write(entree);
    p.closeWriteChannel();
    p.waitForFinished(-1);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

TEST(ScribaneCli, LettresEcritLeMontantDuCheque) {
    const Resultat r = Lancer({"lettres", "1234,56"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES\n");
    EXPECT_EQ(r.erreurs, "");
}

TEST(ScribaneCli, LettresUneLigneParMontantEnUtf8) {
    const Resultat r = Lancer({"lettres", "0,50", "1\u00A0000\u00A0000"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "Z\xC3\x89RO EURO et CINQUANTE CENTIMES\nUN MILLION D'EUROS\n");
}

TEST(ScribaneCli, LettresEcritCeQuiSeraitImprimeEtRefuseCeQueLImpressionRefuse) {
    // Printing formats the amount first: "1 234,5 " is 1 234,50.
    Resultat r = Lancer({"lettres", "1 234,5 "});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE CENTIMES\n");

    const std::pair<const char*, const char*> refuses[] = {
        {"abc", "séparez les centimes par une virgule"},
        {"-3", "Montant négatif"},
        {"1000000000000", "Montant trop grand (mille milliards ou plus)"},
        {"12,345", "deux chiffres au plus après la virgule"},
    };
    for (const auto& [montant, raison] : refuses) {
        r = Lancer({"lettres", montant});
        EXPECT_EQ(r.code, 1) << montant;
        EXPECT_EQ(r.sortie, "") << montant;
        EXPECT_TRUE(QString::fromUtf8(r.erreurs).contains(QString::fromUtf8(raison)))
            << montant << " : " << r.erreurs.toStdString();
    }
}

TEST(ScribaneCli, LettresAvecReglages) {
    const Resultat r = Lancer({"lettres", "--devise", "dollar", "--centimes", "cent", "--liaison",
                               "and", "--sans-centimes-nuls", "1000000", "2,01", "3,00"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "UN MILLION DE DOLLARS\nDEUX DOLLARS and UN CENT\nTROIS DOLLARS\n");
}

TEST(ScribaneCli, LettresEnSerieEcritCommeLImpression) {
    // Typed forms that printing puts in another form first, on both sides of
    // 10^11 (the batch reads the usual amounts from their digits).
    const QStringList saisis = {
        QStringLiteral("1 234,5 "),
        QStringLiteral(",5"),
        QStringLiteral("+12"),
        QStringLiteral("0012,3"),
        QStringLiteral("12,"),
        QStringLiteral(" 7,05"),
        QStringLiteral("1\u00A0000\u00A0000"),
        QStringLiteral("99999999999,99"),
        QStringLiteral("100000000000,1"),
        QStringLiteral("999 999 999 999,99"),
        QStringLiteral("-0"),
        QStringLiteral("0000000000000000000042,10"),
    };
    QByteArray entree, attendu;
    for (const QString& saisi : saisis) {
        entree += saisi.toUtf8() + '\n';
        attendu += MontantEnLettres(FormaterMontant(*LireMontant(saisi)), u"euro", u"centime",
                                    u"et", false)
                       .lettres.toUtf8() +
                   '\n';
    }
    const Resultat r = Lancer({"lettres", "-"}, entree);
    EXPECT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.sortie, attendu);
}

TEST(ScribaneCli, LettresLitLEntreeStandard) {
    Resultat r = Lancer({"lettres", "-"}, "80\r\n1 234,5\n1\u00A0000\n");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "QUATRE-VINGTS EUROS\nMILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE "
                        "CENTIMES\nMILLE EUROS\n");
    EXPECT_EQ(r.erreurs, "");

    // A refused line is told by its number; the next lines are still written.
    r = Lancer({"lettres", "-"}, "80\n\xC3\xA9\n-3\n\n2");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.sortie, "QUATRE-VINGTS EUROS\nDEUX EUROS\n");
    const QString erreurs = QString::fromUtf8(r.erreurs);
    EXPECT_TRUE(erreurs.contains(QStringLiteral("ligne 2 : « é » : Montant non valide")))
        << r.erreurs.toStdString();
    EXPECT_TRUE(erreurs.contains(QStringLiteral("ligne 3 : « -3 » : Montant négatif")));
    EXPECT_TRUE(erreurs.contains(QStringLiteral("ligne 4 : ")));
}

TEST(ScribaneCli, NombreEcritLeNombreEtSonUnite) {
    Resultat r = Lancer({"nombre", "80", "euro"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "Quatre-vingts euros\n");
    r = Lancer({"nombre", "1,5", "écu"});
    EXPECT_EQ(r.sortie, "Un \xC3\xA9"
                        "cu et cinquante cents\n");
}

TEST(ScribaneCli, EchecsEtUsage) {
    const struct {
        QStringList arguments;
        int code;
    } cas[] = {{{"nombre", "1000000000000", "euro"}, 1},
               {{"nombre", "douze", "euro"}, 1},
               {{"nombre", "12"}, 2},
               {{"lettres"}, 2},
               {{"lettres", "--devise"}, 2},
               {{"lettres", "--inconnue", "12"}, 2},
               {{"imprimer-tout"}, 2},
               {{}, 2}};
    for (const auto& c : cas) {
        const Resultat r = Lancer(c.arguments);
        EXPECT_EQ(r.code, c.code) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(r.erreurs.startsWith("scribane-cli : ") || c.arguments.isEmpty())
            << r.erreurs.toStdString();
        if (!c.arguments.isEmpty()) {
            EXPECT_EQ(r.sortie, "") << c.arguments.join(' ').toStdString();
        }
    }
}

TEST(ScribaneCli, AideEnFrancais) {
    for (const QStringList& arguments :
         {QStringList{"--help"}, QStringList{"lettres", "--help"}, QStringList{"nombre", "-h"}}) {
        const Resultat r = Lancer(arguments);
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.sortie.startsWith("Utilisation : scribane-cli")) << r.sortie.toStdString();
    }
}

} // namespace
