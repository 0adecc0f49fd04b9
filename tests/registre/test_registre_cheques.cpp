#include "cheque/HistoriqueJournal.h"
#include "cheque/Journal.h"
#include "registre/Registre.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

ChequeAInscrire Cheque(std::int64_t centimes, const char* destinataire = "EDF") {
    return {QDate(2024, 3, 5),
            centimes,
            QString::number(centimes / 100) + QStringLiteral(",00"),
            QString::fromUtf8(destinataire),
            QStringLiteral("Paris"),
            {},
            QStringLiteral("Bureau")};
}

class RegistreTest : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    CheminsScribane chemins{dossier.path()};

    std::unique_ptr<Registre> ouvrir(OuvertureRegistre* rapport = nullptr) {
        auto r = Registre::ouvrir(chemins, rapport);
        EXPECT_TRUE(r.ok()) << r.raison().toStdString();
        return r ? std::move(r.valeur()) : nullptr;
    }
    // Prints and confirms, as the print job does.
    QVector<ChequeInscrit> imprimer(Registre& reg, int choix, QVector<ChequeAInscrire> cheques,
                                    std::optional<std::int64_t> premier = std::nullopt,
                                    QVector<std::int64_t> de = {}) {
        auto notes = reg.noter(choix, cheques, premier, de);
        EXPECT_TRUE(notes.ok()) << notes.raison().toStdString();
        if (!notes)
            return {};
        EXPECT_TRUE(reg.confirmer(*notes, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 32))).ok());
        return *notes;
    }
    void ecrireJournal(const QDateTime& t, const char* montant, const char* destinataire) {
        ASSERT_TRUE(EcrireJournal(chemins.journaux(), t, QString::fromUtf8(montant),
                                  QString::fromUtf8(destinataire), {})
                        .ok());
    }
};

TEST_F(RegistreTest, DeuxChoixSurLeMemeChequierPartagentSesNumerosSansJamaisLesRedonner) {
    auto reg = ouvrir();
    ASSERT_TRUE(reg);
    // Both choices on one chequebook, one per printer.
    ASSERT_TRUE(reg->reglerChequier(1, {QStringLiteral("Compte courant"), true, 1234567}).ok());
    ASSERT_TRUE(reg->reglerChequier(2, {QStringLiteral("Compte courant"), true, 1234567}).ok());

    const auto un = imprimer(*reg, 1, {Cheque(1000)});
    const auto lot = imprimer(*reg, 2, {Cheque(2000), Cheque(3000), Cheque(4000)});
    ASSERT_EQ(un.size(), 1);
    ASSERT_EQ(lot.size(), 3);
    EXPECT_EQ(un[0].numero, 1234567);
    EXPECT_EQ(lot[0].numero, 1234568);
    EXPECT_EQ(lot[2].numero, 1234570);
    EXPECT_EQ(reg->chequierDuChoix(1)->prochain, 1234571);

    // Setting the next number back onto a used one is refused...
    const auto recul = reg->reglerChequier(1, {QStringLiteral("Compte courant"), true, 1234568});
    ASSERT_FALSE(recul.ok());
    EXPECT_TRUE(recul.raison().contains(QStringLiteral("n° 1234568")))
        << recul.raison().toStdString();
    // ... and so is a number given by hand that served already.
    EXPECT_FALSE(reg->noter(2, {Cheque(500)}, 1234569).ok());
    EXPECT_EQ(reg->cheques()->size(), 4);

    // A job that came to nothing gives its numbers back, but only while no
    // later print has taken the ones after them.
    auto rate = reg->noter(1, {Cheque(700), Cheque(800)});
    ASSERT_TRUE(rate.ok());
    ASSERT_TRUE(reg->abandonner(*rate).ok());
    EXPECT_EQ(reg->chequierDuChoix(2)->prochain, 1234571);
    auto a = reg->noter(1, {Cheque(700)});
    auto b = reg->noter(1, {Cheque(800)});
    ASSERT_TRUE(a.ok() && b.ok());
    ASSERT_TRUE(reg->abandonner(*a).ok());
    EXPECT_EQ(reg->chequierDuChoix(1)->prochain, 1234573);
    EXPECT_EQ(reg->cheques()->size(), 5);

    // The numbering stays off on another chequebook: no number.
    ASSERT_TRUE(reg->reglerChequier(2, {QStringLiteral("Livret"), false, 1}).ok());
    EXPECT_FALSE(imprimer(*reg, 2, {Cheque(100)}).value(0).numero.has_value());
}

TEST_F(RegistreTest, GacheReimprimeAnnuleEncaisseEtCeQuiResteAEncaisser) {
    auto reg = ouvrir();
    ASSERT_TRUE(reg);
    ASSERT_TRUE(reg->reglerChequier(1, {ChequierParDefaut(1), true, 42}).ok());
    const auto premiers = imprimer(*reg, 1, {Cheque(12345), Cheque(50000), Cheque(999)});
    ASSERT_EQ(premiers.size(), 3);

    // Spoiled, with a reason, then reprinted on the next number and linked.
    ASSERT_TRUE(reg->gacher(premiers[0].id, QStringLiteral("bourrage")).ok());
    const auto reprise = imprimer(*reg, 1, {Cheque(12345)}, std::nullopt, {premiers[0].id});
    ASSERT_EQ(reprise.size(), 1);
    EXPECT_EQ(reprise[0].numero, 45);
    const auto gache = *reg->cheque(premiers[0].id);
    ASSERT_TRUE(gache);
    EXPECT_EQ(gache->statut, Statut::Gache);
    EXPECT_EQ(gache->note, QStringLiteral("bourrage"));
    EXPECT_EQ(gache->reimpression, reprise[0].id);
    // A reprint can only follow a spoiled cheque.
    EXPECT_FALSE(reg->noter(1, {Cheque(1)}, std::nullopt, {premiers[1].id}).ok());

    // Void needs a reason and keeps the cheque; a voided one cannot be cashed.
    EXPECT_FALSE(reg->annuler(premiers[1].id, QStringLiteral("  ")).ok());
    ASSERT_TRUE(reg->annuler(premiers[1].id, QStringLiteral("perdu")).ok());
    EXPECT_EQ((*reg->cheque(premiers[1].id))->statut, Statut::Annule);
    EXPECT_FALSE(reg->encaisser(premiers[1].id, QDate(2024, 4, 1)).ok());

    // Outstanding: the reprint and the third one.
    auto enCours = *reg->enCours();
    EXPECT_EQ(enCours.nombre, 2);
    EXPECT_EQ(enCours.centimes, 12345 + 999);

    // Marking cashed is all or none: a voided cheque in the set stops it.
    EXPECT_FALSE(reg->marquerEncaisses(
                        {{reprise[0].id, QDate(2024, 3, 20)}, {premiers[1].id, QDate(2024, 3, 20)}})
                     .ok());
    EXPECT_EQ((*reg->cheque(reprise[0].id))->statut, Statut::Emis);
    ASSERT_TRUE(reg->marquerEncaisses({{reprise[0].id, QDate(2024, 3, 20)}}).ok());
    const auto encaisse = *reg->cheque(reprise[0].id);
    EXPECT_EQ(encaisse->statut, Statut::Encaisse);
    EXPECT_EQ(encaisse->encaisseLe, QDate(2024, 3, 20));

    const auto restants = *reg->nonEncaisses();
    ASSERT_EQ(restants.size(), 1);
    EXPECT_EQ(restants[0].id, premiers[2].id);
    EXPECT_EQ(restants[0].numero, 44);
    EXPECT_EQ(restants[0].centimes, 999);

    // Prescribed after one year and eight days, never when cashed.
    ChequeRegistre c = *(*reg->cheque(premiers[2].id));
    EXPECT_FALSE(EstPrescrit(c, QDate(2025, 3, 13)));
    EXPECT_TRUE(EstPrescrit(c, QDate(2025, 3, 14)));
    EXPECT_FALSE(EstPrescrit(*encaisse, QDate(2030, 1, 1)));
}

TEST_F(RegistreTest, LesJournauxSontReprisUneFoisEtUnChequeDejaNoteNestPasDouble) {
    ecrireJournal(QDateTime(QDate(2024, 3, 5), QTime(9, 0, 0)), "1 250,00", "DUPONT SA");
    // Two identical cheques of one batch stay two.
    ecrireJournal(QDateTime(QDate(2024, 3, 5), QTime(9, 5, 0)), "10,00", "Zoé");
    ecrireJournal(QDateTime(QDate(2024, 3, 5), QTime(9, 5, 0)), "10,00", "Zoé");
    ecrireJournal(QDateTime(QDate(2024, 3, 6), QTime(10, 0, 0)), "0,99", "EDF");
    const QByteArray avant = [&] {
        QFile f(chemins.journaux() + QStringLiteral("/Journal_2024_03_05.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    OuvertureRegistre rapport;
    auto reg = ouvrir(&rapport);
    ASSERT_TRUE(reg);
    EXPECT_TRUE(rapport.cree);
    EXPECT_EQ(rapport.importes, 4);
    auto liste = *reg->cheques();
    ASSERT_EQ(liste.size(), 4);
    EXPECT_EQ(liste[0].centimes, 125000);
    EXPECT_EQ(liste[0].destinataire, QStringLiteral("DUPONT SA"));
    EXPECT_EQ(liste[0].dateCheque, QDate(2024, 3, 5));
    EXPECT_EQ(liste[3].centimes, 99);

    // A cheque the print job noted, then journaled: the journal line is the same cheque.
    auto notes = reg->noter(
        1,
        {{QDate(2024, 3, 6), 500, QStringLiteral("5,00"), QStringLiteral("Orange"), {}, {}, {}}});
    ASSERT_TRUE(notes.ok());
    const QDateTime moment(QDate(2024, 3, 6), QTime(11, 0, 0));
    ASSERT_TRUE(reg->confirmer(*notes, moment).ok());
    ecrireJournal(moment, "5,00", "Orange");

    // A payee that reads back split at ". Emetteur : " is still the same cheque.
    auto piege = reg->noter(1, {{QDate(2024, 3, 6),
                                 700,
                                 QStringLiteral("7,00"),
                                 QStringLiteral("DUPONT. Emetteur : X"),
                                 {},
                                 {},
                                 {}}});
    ASSERT_TRUE(piege.ok());
    const QDateTime plusTard(QDate(2024, 3, 6), QTime(11, 30, 0));
    ASSERT_TRUE(reg->confirmer(*piege, plusTard).ok());
    ASSERT_TRUE(EcrireJournal(chemins.journaux(), plusTard, QStringLiteral("7,00"),
                              QStringLiteral("DUPONT. Emetteur : X"), {})
                    .ok());

    EXPECT_EQ(*reg->importerJournaux(), 0);
    EXPECT_EQ(*reg->importerJournaux(), 0);
    EXPECT_EQ(reg->cheques()->size(), 6);
    // A line added to a journal from elsewhere is taken in, once; a damaged
    // one is counted for its journal.
    ecrireJournal(QDateTime(QDate(2024, 3, 6), QTime(12, 0, 0)), "7,00", "Ailleurs");
    {
        QFile j(chemins.journaux() + QStringLiteral("/Journal_2024_03_06.txt"));
        ASSERT_TRUE(j.open(QIODevice::Append));
        j.write("12:00:01 - douze Euros\r\n");
    }
    EXPECT_EQ(*reg->importerJournaux(), 1);
    EXPECT_EQ(*reg->importerJournaux(), 0);
    EXPECT_EQ(reg->cheques()->size(), 7);
    const LectureJournaux endommages = reg->journauxEndommages();
    ASSERT_EQ(endommages.endommages.size(), 1);
    EXPECT_EQ(endommages.endommages[0].fichier, QStringLiteral("Journal_2024_03_06.txt"));
    EXPECT_EQ(endommages.lignesIgnorees, 1);
    reg.reset();

    // Opened again, nothing is imported, and the journal is as it was.
    OuvertureRegistre encore;
    reg = ouvrir(&encore);
    ASSERT_TRUE(reg);
    EXPECT_FALSE(encore.cree);
    EXPECT_EQ(encore.importes, 0);
    EXPECT_EQ(reg->cheques()->size(), 7);
    QFile f(chemins.journaux() + QStringLiteral("/Journal_2024_03_05.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), avant);
}

TEST_F(RegistreTest, UnRegistreDeLaPremiereVersionEstMigreSansRienPerdre) {
    // The first layout, as a register of that version left it.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(CheminRegistre(chemins)).constData(), &db), SQLITE_OK);
    const char* v1 = R"(
CREATE TABLE cheques (id INTEGER PRIMARY KEY, chequier TEXT, numero INTEGER, date_cheque TEXT,
 imprime_le TEXT NOT NULL, centimes INTEGER NOT NULL, montant TEXT NOT NULL,
 destinataire TEXT NOT NULL, lieu TEXT NOT NULL DEFAULT '', emetteur TEXT NOT NULL DEFAULT '',
 configuration INTEGER NOT NULL DEFAULT 0, sortie TEXT NOT NULL DEFAULT '',
 statut TEXT NOT NULL CHECK (statut IN ('impression','émis','gâché','annulé','encaissé')),
 encaisse_le TEXT, note TEXT NOT NULL DEFAULT '', reimpression INTEGER REFERENCES cheques(id),
 UNIQUE (chequier, numero));
CREATE INDEX cheques_moment ON cheques(imprime_le);
CREATE TABLE chequiers (nom TEXT PRIMARY KEY, numeroter INTEGER NOT NULL DEFAULT 0,
 prochain INTEGER NOT NULL DEFAULT 1 CHECK (prochain BETWEEN 1 AND 10000000));
CREATE TABLE choix (choix INTEGER PRIMARY KEY, chequier TEXT NOT NULL);
CREATE TABLE faits (cle TEXT PRIMARY KEY, valeur TEXT);
INSERT INTO chequiers VALUES ('Chéquier 1', 1, 8);
INSERT INTO cheques (chequier, numero, date_cheque, imprime_le, centimes, montant, destinataire,
 emetteur, statut) VALUES ('Chéquier 1', 7, '2023-01-02', '2023-01-02T10:00:00', 4200, '42,00',
 'Électricité', 'MARTIN', 'émis');
PRAGMA user_version = 1;)";
    ASSERT_EQ(sqlite3_exec(db, v1, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    auto reg = ouvrir();
    ASSERT_TRUE(reg);
    EXPECT_EQ(*reg->base().entier("PRAGMA user_version"), 2);
    const auto liste = *reg->cheques();
    ASSERT_EQ(liste.size(), 1);
    EXPECT_EQ(liste[0].numero, 7);
    EXPECT_EQ(liste[0].recherche, TexteDeRecherche(QStringLiteral("Électricité\nMARTIN\n")));
    EXPECT_EQ(reg->chequierDuChoix(1)->prochain, 8);
}

TEST_F(RegistreTest, UnRegistreEndommageEstMisDeCoteEtRefaitDesJournaux) {
    ecrireJournal(QDateTime(QDate(2024, 3, 5), QTime(9, 0, 0)), "1 250,00", "DUPONT SA");
    {
        auto reg = ouvrir();
        ASSERT_TRUE(reg);
        ASSERT_TRUE(reg->reglerChequier(1, {ChequierParDefaut(1), true, 100}).ok());
        imprimer(*reg, 1, {Cheque(100)}); // takes n° 100
    }
    // Damage past the header: the pages of the tables.
    {
        QFile f(CheminRegistre(chemins));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray octets = f.readAll();
        ASSERT_GT(octets.size(), 4096);
        for (qsizetype i = 4096 + 100; i < octets.size(); i += 7)
            octets[i] = char(0x5a);
        f.seek(0);
        f.write(octets);
    }
    OuvertureRegistre rapport;
    auto reg = ouvrir(&rapport);
    ASSERT_TRUE(reg);
    ASSERT_FALSE(rapport.endommage.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(rapport.endommage));
    EXPECT_TRUE(rapport.messages().join(u' ').contains(QStringLiteral("endommagé")));
    EXPECT_EQ(rapport.importes, 1);
    EXPECT_EQ(reg->cheques()->size(), 1);
}

TEST_F(RegistreTest, UneImpressionInterrompueResteEmiseAvecUneNote) {
    {
        auto reg = ouvrir();
        ASSERT_TRUE(reg);
        ASSERT_TRUE(reg->reglerChequier(1, {ChequierParDefaut(1), true, 5}).ok());
        ASSERT_TRUE(reg->noter(1, {Cheque(100)}).ok()); // killed before the job ended
    }
    OuvertureRegistre rapport;
    auto reg = ouvrir(&rapport);
    ASSERT_TRUE(reg);
    EXPECT_EQ(rapport.interrompus, 1);
    const auto liste = *reg->cheques();
    ASSERT_EQ(liste.size(), 1);
    EXPECT_EQ(liste[0].statut, Statut::Emis);
    EXPECT_EQ(liste[0].numero, 5);
    EXPECT_FALSE(liste[0].note.isEmpty());
    EXPECT_EQ(reg->chequierDuChoix(1)->prochain, 6);
}

} // namespace
