#include "cheque/SurfaceEnregistreuse.h"
#include "cheque/TravailCheque.h"
#include "settings/Reglages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Reglages ReglagesDeBase() {
    Reglages r;
    AppliquerDevisesParDefaut(r);
    r.Imprimante = QStringLiteral("Bureau");
    r.Police = QStringLiteral("Liberation Sans");
    r.Taille = 12;
    r.Orientation = 1;
    return r;
}

ChequeSaisi Saisi(const char* montant, const char* destinataire = "Dupont") {
    return {QString::fromUtf8(montant), QString::fromUtf8(destinataire), QStringLiteral("Paris"),
            QDate(2024, 3, 5)};
}

// Records the questions in the order they come and answers from its fields.
class QuestionsScript final : public QuestionsImpression {
public:
    QStringList vues;
    bool quandMeme = false;
    bool sortie = true;
    bool sansListes = false;
    bool finEchoue = false; // the job's end fails, as on a full disk
    bool pageEchoue = false; // the device cannot start another page
    bool annule = false;
    std::optional<QString> titulaire = QStringLiteral("Martin");
    QVector<SurfaceEnregistreuse> pages;
    std::optional<ListesMemorisees> retenues;

    // Back to the first answers, for another print.
    void remettre() {
        vues.clear();
        quandMeme = sansListes = false;
        sortie = true;
        titulaire = QStringLiteral("Martin");
        pages.clear();
        retenues.reset();
    }

    bool imprimerQuandMeme(const QString&) override { return note("depassement", quandMeme); }
    bool choisirSortie() override { return note("sortie", sortie); }
    void listesRetenues(const ListesMemorisees& l) override {
        vues << QStringLiteral("listes");
        retenues = l;
    }
    void textesNonRepresentables(const QStringList&) override { vues << QStringLiteral("?"); }
    bool imprimerSansListes(const QString&) override { return note("sansListes", sansListes); }
    std::optional<QString> nomTitulaire() override {
        vues << QStringLiteral("titulaire");
        return titulaire;
    }
    TravailImpression& ouvrirTravail() override {
        vues << QStringLiteral("travail");
        return travail_;
    }

private:
    bool note(const char* quoi, bool reponse) {
        vues << QLatin1String(quoi);
        return reponse;
    }
    class Travail final : public TravailImpression {
    public:
        explicit Travail(QuestionsScript& q) : q_(q) {}
        SurfaceSortie& surface() override { return surface_; }
        QString nomImprimante() const override { return QStringLiteral("Bureau"); }
        bool pageSuivante() override {
            if (q_.pageEchoue)
                return false;
            q_.pages.append(surface_);
            surface_ = SurfaceEnregistreuse(true, {QStringLiteral("Bureau")});
            return true;
        }
        QString annuler() override {
            q_.annule = true;
            return {};
        }
        Resultat<> terminer() override {
            EXPECT_FALSE(q_.annule) << "a job called off is not ended";
            if (q_.finEchoue)
                return Echec{QStringLiteral("le disque est plein.")};
            q_.pages.append(surface_);
            return {};
        }

    private:
        QuestionsScript& q_;
        SurfaceEnregistreuse surface_{true, {QStringLiteral("Bureau")}};
    } travail_{*this};
};

class Travail : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    CheminsScribane chemins{dossier.path()};
    Reglages r = ReglagesDeBase();
    QuestionsScript questions;

    Resultat<ChequesImprimes> imprimer(const QVector<ChequeSaisi>& saisis, bool apres = false) {
        const ListesMemorisees listes{
            {QStringLiteral("5,00")}, {QStringLiteral("Alpha"), QStringLiteral("zoé")}, {}};
        return ImprimerCheques(saisis,
                               {r, chemins, listes, apres,
                                [this] {
                                    questions.vues << QStringLiteral("heure");
                                    return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 32));
                                }},
                               questions);
    }
    QStringList journal() const {
        QFile f(chemins.journaux() + QStringLiteral("/Journal_2024_03_05.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lignes;
        for (const QByteArray& l : f.readAll().split('\n'))
            if (l.contains(" Euros "))
                lignes << QString::fromLatin1(l.trimmed());
        return lignes;
    }
    QByteArray ini() const {
        QFile f(chemins.cheque());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList textesImprimes(int page = 0) const {
        QStringList t;
        for (const auto& texte : questions.pages.value(page).textes)
            t << texte.texte;
        return t;
    }
};

} // namespace

TEST(PreparerCheque, RefusesOrPutsTheAmountInItsPrintedForm) {
    const Reglages r = ReglagesDeBase();
    for (const char* refuse : {"", "abc", "-5", "12,345"}) {
        const auto c = PreparerCheque(Saisi(refuse), r);
        ASSERT_FALSE(c) << refuse;
        EXPECT_FALSE(c.raison().isEmpty()) << refuse;
    }
    const auto c = PreparerCheque(Saisi("1234,5"), r);
    ASSERT_TRUE(c) << c.raison().toStdString();
    EXPECT_EQ(c->textes.chiffres, QStringLiteral("1 234,50"));
    EXPECT_EQ(c->textes.date, QStringLiteral("05/03/2024"));
    // What prints is what the label is given, its first "*" a line break.
    EXPECT_EQ(c->textes.mots, CaptionAvecSautDeLigne(c->mots.caption));
    EXPECT_TRUE(c->textes.mots.startsWith(QStringLiteral("MILLE DEUX CENT TRENTE-QUATRE EUROS")));

    Reglages sansCentimesNuls = r;
    sansCentimesNuls.EcrireCent = 1;
    EXPECT_EQ(PreparerCheque(Saisi("150,"), sansCentimesNuls)->textes.chiffres,
              QStringLiteral("150"));
}

TEST(PreparerCheque, RefusesAControlCharacterInAnyFieldNamingFieldAndCharacter) {
    const Reglages r = ReglagesDeBase();
    // A NUL prints as a blank and an escape as nothing, yet both would go as
    // they are into the journal and Cheque.ini.
    const QString nul(QChar(0));
    const struct {
        ChequeSaisi saisi;
        const char* attendu;
    } cas[] = {
        {{QStringLiteral("12\x1B"), QStringLiteral("EDF"), {}, {}},
         "Le montant contient un caractère de contrôle (U+001B)"},
        {{QStringLiteral("12"), nul + QStringLiteral("EDF"), {}, {}},
         "Le destinataire contient un caractère de contrôle (U+0000)"},
        {{QStringLiteral("12"), QStringLiteral("EDF"), QStringLiteral("Paris\u009B"), {}},
         "Le lieu contient un caractère de contrôle (U+009B)"},
    };
    for (const auto& [saisi, attendu] : cas) {
        const auto c = PreparerCheque(saisi, r);
        ASSERT_FALSE(c) << attendu;
        EXPECT_TRUE(c.raison().startsWith(QString::fromUtf8(attendu))) << c.raison().toStdString();
        // The message never writes the character out to a terminal or a box.
        EXPECT_FALSE(RefusControle(c.raison(), {})) << c.raison().toStdString();
    }
    // Accents, no-break spaces and symbols are no control characters.
    EXPECT_TRUE(PreparerCheque({QStringLiteral("1 234"), QStringLiteral("Zo\u00E9\u00A0\u20AC"),
                                QStringLiteral("\u00C9vry"), QDate(2024, 3, 5)},
                               r));
}

TEST_F(Travail, OneChequeKeepsTheListsAsksTheHolderPrintsAndJournals) {
    r.Journal = 1;
    r.Debiteur = 1;
    const auto fait = imprimer({Saisi("12,5", "Bernard")});
    ASSERT_TRUE(fait) << fait.raison().toStdString();
    EXPECT_EQ(questions.vues,
              (QStringList{QStringLiteral("sortie"), QStringLiteral("listes"),
                           QStringLiteral("titulaire"), QStringLiteral("travail"),
                           QStringLiteral("heure")})); // the journal's time, once printed
    // Joined in French order, case aside.
    EXPECT_EQ(
        questions.retenues->destinataires,
        (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bernard"), QStringLiteral("zoé")}));
    EXPECT_TRUE(ini().contains("Dest1=Bernard")) << ini().constData();
    EXPECT_TRUE(textesImprimes().contains(QStringLiteral("12,50")));
    EXPECT_EQ(journal(), QStringList{QStringLiteral(
                             "14:07:32 - 12,50 Euros à l'ordre de Bernard. Emetteur : MARTIN")});
}

TEST_F(Travail, AnAnswerCallsThePrintOffWithoutAReason) {
    r.Journal = 1;
    r.Debiteur = 1;
    r.MargeDEX = 150; // the payee runs past the cheque's edge
    questions.quandMeme = false;
    auto fait = imprimer({Saisi("12,50")});
    ASSERT_FALSE(fait);
    EXPECT_TRUE(fait.raison().isEmpty());
    EXPECT_EQ(questions.vues, QStringList{QStringLiteral("depassement")});
    EXPECT_TRUE(ini().isEmpty());

    // Printed anyway, then no holder given: the lists are kept, nothing else.
    questions.remettre();
    questions.quandMeme = true;
    questions.titulaire = QString();
    fait = imprimer({Saisi("12,50")});
    ASSERT_FALSE(fait);
    EXPECT_TRUE(fait.raison().isEmpty());
    EXPECT_FALSE(questions.vues.contains(QStringLiteral("travail")));
    EXPECT_TRUE(ini().contains("12,50"));
    EXPECT_TRUE(journal().isEmpty());

    // A holder's name with an escape in it never reaches the journal raw.
    questions.remettre();
    questions.quandMeme = true;
    questions.titulaire = QStringLiteral("Martin\x1b[2J");
    fait = imprimer({Saisi("12,50")});
    ASSERT_FALSE(fait);
    EXPECT_TRUE(fait.raison().startsWith(QStringLiteral("Le nom du titulaire contient un caractère "
                                                        "de contrôle (U+001B)")))
        << fait.raison().toStdString();
    EXPECT_FALSE(questions.vues.contains(QStringLiteral("travail")));
    EXPECT_TRUE(journal().isEmpty());
}

TEST_F(Travail, AJobThatFailsToEndPutsTheListsBackAndJournalsNothing) {
    r.Journal = 1;
    questions.finEchoue = true;
    const auto fait = imprimer({Saisi("12,50", "Durand")});
    ASSERT_FALSE(fait);
    EXPECT_EQ(fait.raison(), QStringLiteral("le disque est plein."));
    EXPECT_FALSE(ini().contains("Durand"));
    EXPECT_TRUE(ini().contains("Alpha")); // what the lists held stays
    ASSERT_TRUE(questions.retenues);
    EXPECT_FALSE(questions.retenues->destinataires.contains(QStringLiteral("Durand")));
    EXPECT_TRUE(journal().isEmpty());
}

TEST_F(Travail, ListsThatCannotBeSavedStopThePrintUnlessTheAnswerGoesOn) {
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("Cheque.ini"))); // cannot be written
    auto fait = imprimer({Saisi("7")});
    ASSERT_FALSE(fait);
    EXPECT_FALSE(fait.raison().isEmpty());
    EXPECT_TRUE(questions.pages.isEmpty());

    questions.remettre();
    questions.sansListes = true;
    fait = imprimer({Saisi("7")});
    EXPECT_TRUE(fait) << fait.raison().toStdString();
    EXPECT_EQ(questions.pages.size(), 1);
}

TEST_F(Travail, ABatchIsOneJobAPageEachWithTheListsKeptAfter) {
    r.Journal = 1;
    const auto fait = imprimer({Saisi("1", "Bernard"), Saisi("2", "Claude")}, true);
    ASSERT_TRUE(fait) << fait.raison().toStdString();
    EXPECT_EQ(questions.vues.indexOf(QStringLiteral("listes")), questions.vues.size() - 1);
    ASSERT_EQ(questions.pages.size(), 2);
    EXPECT_TRUE(textesImprimes(0).contains(QStringLiteral("Bernard")));
    EXPECT_TRUE(textesImprimes(1).contains(QStringLiteral("Claude")));
    EXPECT_FALSE(textesImprimes(1).contains(QStringLiteral("Bernard")));
    EXPECT_EQ(journal().size(), 2);
    EXPECT_TRUE(ini().contains("Claude"));

    // A refused cheque in a batch prints none.
    questions.remettre();
    EXPECT_FALSE(imprimer({Saisi("3"), Saisi("abc")}, true));
    EXPECT_TRUE(questions.vues.isEmpty());

    // A page the printer cannot start calls the job off: the second cheque is
    // never drawn over the first, and nothing is journaled.
    questions.remettre();
    questions.pageEchoue = true;
    const auto refuse = imprimer({Saisi("4", "Denis"), Saisi("5", "Emile")}, true);
    ASSERT_FALSE(refuse);
    EXPECT_TRUE(refuse.raison().contains(QStringLiteral("page suivante")));
    EXPECT_TRUE(questions.annule);
    EXPECT_TRUE(questions.pages.isEmpty());
    EXPECT_EQ(journal().size(), 2);
    EXPECT_FALSE(ini().contains("Emile"));
}

TEST(NettoyerMontantTape, CorrectionsAndWhereTheCaretGoes) {
    struct Cas {
        const char* tape;
        const char* attendu;
        bool alaFin;
    };
    for (const Cas& c :
         {Cas{"12.5", "12,5", false}, Cas{"12,345", "12,34", true}, Cas{"12,345 ", "12,34", true},
          Cas{"1 234", "1 234", false}, Cas{"12\n5", "12 5", true}, Cas{"12,50", "12,50", false},
          Cas{"12,3,4", "12,3,4", false}}) {
        const MontantNettoye n = NettoyerMontantTape(QString::fromUtf8(c.tape));
        EXPECT_EQ(n.texte, QString::fromUtf8(c.attendu)) << c.tape;
        EXPECT_EQ(n.curseurALaFin, c.alaFin) << c.tape;
    }
}
