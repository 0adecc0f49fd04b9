#include "cheque/DispositionMots.h"
#include "words/MontantEnLettres.h"

#include <QFont>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// The words of an amount as the label prepares them: the units, then the
// link word and the cents on the second line.
MotsADisposer Mots(const QString& montant, bool encadrer = false) {
    const QString lettres = MontantEnLettres(montant, u"euro", u"centime", u"et", false).lettres;
    const qsizetype virgule = montant.indexOf(u',');
    const QString unites =
        MontantEnLettres(QStringView(montant).left(virgule < 0 ? montant.size() : virgule), u"euro",
                         u"centime", u"et", false)
            .lettres;
    MotsADisposer m{montant, unites, lettres.mid(unites.size())};
    if (encadrer) {
        m.premiere.prepend(QStringLiteral("// "));
        m.seconde.append(QStringLiteral(" //"));
    }
    return m;
}

struct Choix {
    const char* nom;
    PoliceMots police;
    PlaceMots place;
};

// The two usual choices: portrait in 12 points with the second line a little
// in from the cheque's edge, landscape in 10 points bold.
const Choix kPortrait{"portrait", {QStringLiteral("Liberation Sans"), false, 12}, {50, 12}};
const Choix kPaysage{"paysage", {QStringLiteral("Liberation Sans"), true, 10}, {60, 5}};

// The widest amount below 10^12 for a font: the widest group of three digits
// written four times, with the widest cents.
QString MontantLePlusLarge(const PoliceMots& police) {
    auto largeur = [&](const QString& montant) {
        return LargeurTexte(MontantEnLettres(montant, u"euro", u"centime", u"et", false).lettres,
                            police, kResolutionImprimante);
    };
    QString groupe, centimes;
    double plusLarge = 0;
    for (int g = 100; g <= 999; ++g) {
        const QString n = QString::number(g);
        const QString montant = QStringList{n, n, n, n}.join(u' ');
        if (const double l = largeur(montant); l > plusLarge)
            plusLarge = l, groupe = n;
    }
    plusLarge = 0;
    for (int c = 1; c <= 99; ++c) {
        const QString cc = QStringLiteral("%1").arg(c, 2, 10, QLatin1Char('0'));
        if (const double l = largeur(QStringLiteral("1,") + cc); l > plusLarge)
            plusLarge = l, centimes = cc;
    }
    return QStringList{groupe, groupe, groupe, groupe}.join(u' ') + u',' + centimes;
}

// What must hold of any laid-out amount: every word kept in its order, a
// break only at a blank, each line inside the cheque, a size in half points
// between the smallest and the one asked for, and no word moved needlessly.
void VerifierDisposition(const MotsADisposer& avant, const MotsDisposes& apres, const Choix& c) {
    SCOPED_TRACE(avant.montant.toStdString() + " " + c.nom);
    EXPECT_EQ(apres.premiere + apres.seconde, avant.premiere + avant.seconde);
    ASSERT_TRUE(avant.premiere.startsWith(apres.premiere));
    if (apres.premiere.size() < avant.premiere.size()) {
        EXPECT_EQ(avant.premiere[apres.premiere.size()], u' ');
        EXPECT_NE(apres.premiere.back(), u' ');
    }
    EXPECT_GE(apres.taille, kTailleMinimaleMots);
    EXPECT_LE(apres.taille, c.police.taille);
    EXPECT_DOUBLE_EQ(std::fmod((c.police.taille - apres.taille) * 2, 1.0), 0.0);

    PoliceMots police = c.police;
    police.taille = apres.taille;
    EXPECT_LE(c.place.xPremiere + LargeurTexte(apres.premiere, police, kResolutionImprimante),
              kLargeurCheque);
    EXPECT_LE(c.place.xSeconde + LargeurTexte(apres.seconde, police, kResolutionImprimante),
              kLargeurCheque);
    // The next word moved back would not have fitted on the first line.
    if (apres.premiere.size() < avant.premiere.size()) {
        qsizetype fin = avant.premiere.indexOf(u' ', apres.premiere.size() + 1);
        if (fin < 0)
            fin = avant.premiere.size();
        EXPECT_GT(c.place.xPremiere +
                      LargeurTexte(avant.premiere.left(fin), police, kResolutionImprimante),
                  kLargeurCheque);
    }
}

} // namespace

TEST(DisposerMots, MeasuresWithTheChequeFont) {
    // The metrics of these tests are those of the cheque's usual font.
    const QFontInfo info(QFont(QStringLiteral("Liberation Sans")));
    ASSERT_EQ(info.family(), QStringLiteral("Liberation Sans"))
        << "fonts-liberation2 is not installed";
    // Arial, the usual cheque font, is the same width.
    EXPECT_NEAR(
        LargeurTexte(QStringLiteral("MILLE EUROS"), {QStringLiteral("Arial"), false, 12},
                     kResolutionImprimante),
        LargeurTexte(QStringLiteral("MILLE EUROS"), kPortrait.police, kResolutionImprimante), 0.01);
}

TEST(DisposerMots, WordsThatFitKeepTheirLinesAndSize) {
    for (const Choix& c : {kPortrait, kPaysage}) {
        for (bool encadrer : {false, true}) {
            const MotsADisposer mots = Mots(QStringLiteral("1234,56"), encadrer);
            const auto r = DisposerMots(mots, c.police, c.place);
            ASSERT_TRUE(r) << r.raison().toStdString();
            EXPECT_EQ(r->premiere, mots.premiere);
            EXPECT_EQ(r->seconde, mots.seconde);
            EXPECT_EQ(r->taille, c.police.taille);
        }
    }
}

TEST(DisposerMots, ALongFirstLineSendsWholeWordsToTheSecond) {
    // 97 997,97 in 12 points ran 25 mm past the cheque on one line.
    const MotsADisposer mots = Mots(QStringLiteral("97 997,97"));
    const auto r = DisposerMots(mots, kPortrait.police, kPortrait.place);
    ASSERT_TRUE(r) << r.raison().toStdString();
    VerifierDisposition(mots, *r, kPortrait);
    EXPECT_EQ(r->taille, 12); // moving words is enough here
    EXPECT_LT(r->premiere.size(), mots.premiere.size());
    EXPECT_TRUE(r->seconde.endsWith(mots.seconde));

    // A one-line amount gets a second line, and the framing stays around the whole text.
    const MotsADisposer encadre = Mots(QStringLiteral("97 997"), true);
    const auto e = DisposerMots(encadre, kPortrait.police, kPortrait.place);
    ASSERT_TRUE(e) << e.raison().toStdString();
    VerifierDisposition(encadre, *e, kPortrait);
    EXPECT_TRUE(e->premiere.startsWith(QStringLiteral("// ")));
    EXPECT_TRUE(e->seconde.endsWith(QStringLiteral(" EUROS //")));
}

// At the smallest size, with as many whole words on the first line as fit,
// the rest still passes the cheque's edge on the second line.
bool NeTientPasEnTailleMinimale(const MotsADisposer& mots, const Choix& c) {
    PoliceMots police = c.police;
    police.taille = kTailleMinimaleMots;
    auto largeur = [&](const QString& t) { return LargeurTexte(t, police, kResolutionImprimante); };
    const QStringList motsUnites = mots.premiere.split(u' ');
    QString premiere = motsUnites.first();
    int n = 1;
    while (n < motsUnites.size() &&
           c.place.xPremiere + largeur(premiere + u' ' + motsUnites[n]) <= kLargeurCheque)
        premiere += u' ' + motsUnites[n++];
    const QString seconde = mots.premiere.mid(premiere.size()) + mots.seconde;
    return c.place.xPremiere + largeur(premiere) > kLargeurCheque ||
           c.place.xSeconde + largeur(seconde) > kLargeurCheque;
}

TEST(DisposerMots, TheLongestAmountsFitInPortraitAndLandscapeOrAreRefused) {
    for (const Choix& c : {kPortrait, kPaysage}) {
        const QString plusLarge = MontantLePlusLarge(c.police);
        const QStringList montants = {QStringLiteral("777 777 777 777,77"),
                                      QStringLiteral("1 777 777,77"), plusLarge};
        for (const QString& montant : montants) {
            for (bool encadrer : {false, true}) {
                const MotsADisposer mots = Mots(montant, encadrer);
                const auto r = DisposerMots(mots, c.police, c.place);
                std::printf("[ taille ] %s %s%s : %s\n", c.nom, qPrintable(montant),
                            encadrer ? " (encadré)" : "",
                            r ? qPrintable(QString::number(r->taille) + " points") : "refusé");
                if (montant != plusLarge) {
                    // These print on the usual choices.
                    ASSERT_TRUE(r)
                        << montant.toStdString() << " " << c.nom << " " << r.raison().toStdString();
                }
                if (r) {
                    VerifierDisposition(mots, *r, c);
                } else {
                    EXPECT_TRUE(NeTientPasEnTailleMinimale(mots, c)) << montant.toStdString();
                    EXPECT_TRUE(r.raison().contains(montant));
                }
            }
        }
    }
}

TEST(DisposerMots, WordsThatCannotFitAreRefusedNeverCut) {
    // Words starting 15 mm from the edge: even at the smallest size no
    // hyphenated group fits, and none is cut.
    const PlaceMots etroite{160, 0};
    const MotsADisposer mots = Mots(QStringLiteral("97,97"));
    const auto r = DisposerMots(mots, kPortrait.police, etroite);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.raison(),
              QStringLiteral("Le montant en lettres ne tient pas sur le chèque : 97,97, "
                             "même écrit en 7 points."));
    // A short amount still fits there, its words spread over the two lines.
    const Choix etroit{"étroit", kPortrait.police, etroite};
    const MotsADisposer un = Mots(QStringLiteral("1"));
    const auto court = DisposerMots(un, etroit.police, etroit.place);
    ASSERT_TRUE(court) << court.raison().toStdString();
    VerifierDisposition(un, *court, etroit);
}
