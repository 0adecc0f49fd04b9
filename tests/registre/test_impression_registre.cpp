#include "Montage.h"
#include "cheque/SurfaceEnregistreuse.h"
#include "cheque/TravailCheque.h"
#include "registre/Registre.h"
#include "settings/Reglages.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#ifdef Q_OS_UNIX
#include <sys/mount.h>
#endif

namespace {

// Answers yes to everything and records the pages that came out.
class Questions final : public QuestionsImpression {
public:
    bool finEchoue = false;
    int pages = 0;
    bool imprimerQuandMeme(const QString&) override { return true; }
    bool choisirSortie() override { return true; }
    void listesRetenues(const ListesMemorisees&) override {}
    void textesNonRepresentables(const QStringList&) override {}
    bool imprimerSansListes(const QString&) override { return true; }
    std::optional<QString> nomTitulaire() override { return QStringLiteral("martin"); }
    TravailImpression& ouvrirTravail() override { return travail_; }

private:
    class Travail final : public TravailImpression {
    public:
        explicit Travail(Questions& q) : q_(q) {}
        SurfaceSortie& surface() override { return surface_; }
        QString nomImprimante() const override { return QStringLiteral("Bureau"); }
        bool pageSuivante() override { return true; }
        Resultat<> terminer() override {
            if (q_.finEchoue)
                return Echec{QStringLiteral("l'imprimante a refusé le travail.")};
            ++q_.pages;
            return {};
        }

    private:
        Questions& q_;
        SurfaceEnregistreuse surface_{true, {QStringLiteral("Bureau")}};
    } travail_{*this};
};

Reglages ReglagesDeBase() {
    Reglages r;
    AppliquerDevisesParDefaut(r);
    r.Imprimante = QStringLiteral("Bureau");
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.Orientation = 1;
    r.Journal = 1;
    r.Debiteur = 1;
    return r;
}

const QDateTime kMoment(QDate(2024, 3, 5), QTime(14, 7, 32));

Resultat<ChequesImprimes> Imprimer(const CheminsScribane& chemins, RegistreImpression& registre,
                                   Questions& q, const Reglages& r, int nombre = 1) {
    QVector<ChequeSaisi> saisis;
    for (int i = 0; i < nombre; ++i)
        saisis.append({QStringLiteral("1 250,5%1").arg(i), QStringLiteral("Dupont"),
                       QStringLiteral("Paris"), QDate(2024, 3, 4)});
    return ImprimerCheques(saisis,
                           {r, chemins, std::nullopt, false, [] { return kMoment; }, &registre}, q);
}

TEST(ImpressionAuRegistre, ChaqueChequeImprimeEstNoteAvecSonNumeroEtTout) {
    QTemporaryDir dossier;
    const CheminsScribane chemins{dossier.path()};
    auto reg = Registre::ouvrir(chemins);
    ASSERT_TRUE(reg.ok()) << reg.raison().toStdString();
    Registre& registre = *reg.valeur();
    ASSERT_TRUE(registre.reglerChequier(2, {QStringLiteral("Pro"), true, 7000}).ok());
    ImpressionAuRegistre auRegistre(registre, 2);
    Questions q;
    const auto fait = Imprimer(chemins, auRegistre, q, ReglagesDeBase(), 2);
    ASSERT_TRUE(fait.ok()) << fait.raison().toStdString();
    ASSERT_EQ(fait->inscrits.size(), 2);
    EXPECT_TRUE(fait->echecRegistre.isEmpty());
    const auto liste = *registre.cheques();
    ASSERT_EQ(liste.size(), 2);
    const ChequeRegistre& c = liste[1];
    EXPECT_EQ(c.numero, 7001);
    EXPECT_EQ(c.chequier, QStringLiteral("Pro"));
    EXPECT_EQ(c.statut, Statut::Emis);
    EXPECT_EQ(c.centimes, 125051);
    EXPECT_EQ(c.dateCheque, QDate(2024, 3, 4));
    EXPECT_EQ(c.imprimeLe(), kMoment);
    EXPECT_EQ(c.emetteur, QStringLiteral("MARTIN"));
    EXPECT_EQ(c.configuration, 2);
    EXPECT_EQ(c.sortie, QStringLiteral("Bureau"));
    EXPECT_EQ(c.lieu, QStringLiteral("Paris"));
    // The journal has the same cheques: taking it in again adds nothing.
    EXPECT_EQ(*registre.importerJournaux(), 0);

    // A job that fails leaves no record and gives the number back.
    q.finEchoue = true;
    EXPECT_FALSE(Imprimer(chemins, auRegistre, q, ReglagesDeBase()).ok());
    EXPECT_EQ(registre.cheques()->size(), 2);
    EXPECT_EQ(registre.chequierDuChoix(2)->prochain, 7002);
}

// The register on a small file system of its own, to fill or make read-only.
class RegistreEnPanne : public ::testing::Test {
protected:
    PetitTmpfs fs{"size=2m"};
    void SetUp() override {
        if (!fs.monte())
            GTEST_SKIP() << fs.raison();
    }
};

TEST_F(RegistreEnPanne, SurUnDisquePleinRienNestImprimeSansSonRegistre) {
    const CheminsScribane chemins{fs.chemin()};
    auto reg = Registre::ouvrir(chemins);
    ASSERT_TRUE(reg.ok()) << reg.raison().toStdString();
    Registre& registre = *reg.valeur();
    ASSERT_TRUE(registre.reglerChequier(1, {ChequierParDefaut(1), true, 10}).ok());
    ASSERT_TRUE(fs.remplir(0));
    ImpressionAuRegistre auRegistre(registre, 1);
    Questions q;
    const auto fait = Imprimer(chemins, auRegistre, q, ReglagesDeBase());
    ASSERT_FALSE(fait.ok());
    EXPECT_TRUE(fait.raison().startsWith(QStringLiteral("Rien n'est imprimé")))
        << fait.raison().toStdString();
    EXPECT_TRUE(fait.raison().contains(QStringLiteral("plein"))) << fait.raison().toStdString();
    EXPECT_EQ(q.pages, 0);
    // Room again: the number was not spent on the cheque that never printed.
    QFile::remove(fs.fichier(QStringLiteral("remplissage")));
    EXPECT_TRUE(registre.cheques()->isEmpty());
    EXPECT_EQ(registre.chequierDuChoix(1)->prochain, 10);
}

#ifdef Q_OS_UNIX // a remount read-only
TEST_F(RegistreEnPanne, UnRegistreEnLectureSeuleEstDitEtLaisseTelQuel) {
    const CheminsScribane chemins{fs.chemin()};
    {
        auto reg = Registre::ouvrir(chemins);
        ASSERT_TRUE(reg.ok()) << reg.raison().toStdString();
        ASSERT_TRUE(reg.valeur()->reglerChequier(1, {ChequierParDefaut(1), true, 10}).ok());
    }
    const QByteArray nom = QFile::encodeName(fs.chemin());
    ASSERT_EQ(::mount(nullptr, nom.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const auto reg = Registre::ouvrir(chemins);
    ASSERT_FALSE(reg.ok());
    EXPECT_TRUE(reg.raison().startsWith(QStringLiteral("Le registre des chèques")))
        << reg.raison().toStdString();
    // Not taken for a damaged one: nothing set aside.
    EXPECT_EQ(QDir(fs.chemin()).entryList({QStringLiteral("Registre.endommage*")}).size(), 0);
    ASSERT_EQ(::mount(nullptr, nom.constData(), nullptr, MS_REMOUNT, nullptr), 0);
}
#endif

// A register that takes the cheques, then cannot confirm them.
class RegistreQuiSeTait final : public RegistreImpression {
public:
    Resultat<QVector<ChequeInscrit>> noter(const QVector<ChequeAInscrire>& c) override {
        QVector<ChequeInscrit> l;
        for (qsizetype i = 0; i < c.size(); ++i)
            l.append({i + 1, 1234567 + i});
        return l;
    }
    Resultat<> confirmer(const QVector<ChequeInscrit>&, const QDateTime&) override {
        return Echec{QStringLiteral("le disque est plein.")};
    }
    Resultat<> abandonner(const QVector<ChequeInscrit>&) override { return {}; }
};

TEST(ImpressionAuRegistre, UnChequeImprimeQueLeRegistreNaPasConfirmeEstDitParSonNumero) {
    QTemporaryDir dossier;
    RegistreQuiSeTait registre;
    Questions q;
    const auto fait = Imprimer({dossier.path()}, registre, q, ReglagesDeBase(), 2);
    ASSERT_TRUE(fait.ok());
    EXPECT_EQ(q.pages, 1);
    EXPECT_TRUE(fait->echecRegistre.contains(QStringLiteral("n° 1234567, n° 1234568")))
        << fait->echecRegistre.toStdString();
    EXPECT_TRUE(fait->echecRegistre.contains(QStringLiteral("plein")));
}

} // namespace
