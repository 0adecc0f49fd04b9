#include "windows/FrmRapprochement.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

template <typename T> T* Dans(QWidget* w, const char* nom) {
    T* c = w->findChild<T*>(QLatin1String(nom));
    EXPECT_NE(c, nullptr) << nom;
    return c;
}

QString Restant(QWidget* w) {
    return Dans<QLabel>(w, "LblRestant")->text();
}

} // namespace

// Two lines of 50,00 € and two cheques of that amount, plus one matched: the
// user confirms from the keyboard, a cheque taken by one line is not offered
// to the other, and a confirmation can be taken back.
TEST(FrmRapprochement, TheUserDecidesLineByLineFromTheKeyboard) {
    const QVector<ChequeEnCours> cheques = {
        {1, 1234567, 125000, QDate(2024, 3, 1), QStringLiteral("Garage")},
        {2, std::nullopt, 5000, QDate(2024, 3, 2), QStringLiteral("Boulangerie")},
        {3, 1234569, 5000, QDate(2024, 3, 4), QStringLiteral("Presse")},
        {4, 1234570, 7000, QDate(2024, 3, 4), QStringLiteral("Fleuriste")},
    };
    const QVector<LigneReleve> lignes = {
        {2, QDate(2024, 3, 5), QStringLiteral("CHQ 1234567"), -125000},
        {3, QDate(2024, 3, 5), QStringLiteral("CARTE BOULANGERIE"), -5000},
        {4, QDate(2024, 3, 6), QStringLiteral("RETRAIT"), -5000},
        {5, QDate(2024, 3, 6), QStringLiteral("VIR SALAIRE"), 250000},
    };
    FrmRapprochement f(Rapprocher(lignes, cheques), cheques);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));

    EXPECT_EQ(Dans<QLabel>(&f, "LblResume")->text(),
              QStringLiteral("1 chèque(s) rapproché(s), 2 ligne(s) à décider, 1 ligne(s) non "
                             "rapprochée(s)."));
    EXPECT_EQ(Dans<QTabWidget>(&f, "Onglets")->currentIndex(), 1); // what needs the user
    EXPECT_EQ(Dans<QTreeWidget>(&f, "LstRapproches")->topLevelItem(0)->text(4),
              QStringLiteral("n° 1234567 – 1 250,00 € – Garage – 01/03/2024"));
    EXPECT_EQ(Dans<QTreeWidget>(&f, "LstNonRapproches")->topLevelItemCount(), 1);
    EXPECT_EQ(Restant(&f), QStringLiteral("Restent à encaisser : 3 chèque(s) pour 170,00 €."));

    auto* liste = Dans<QTreeWidget>(&f, "LstADecider");
    auto* candidats = Dans<QComboBox>(&f, "CboCandidat");
    ASSERT_EQ(liste->currentItem(), liste->topLevelItem(0));
    ASSERT_EQ(candidats->count(), 2);
    // Line 3 is the bakery's: the second candidate, picked and confirmed with keys.
    liste->setFocus();
    QTest::keyClick(&f, Qt::Key_H, Qt::AltModifier); // to the cheque box
    ASSERT_TRUE(candidats->hasFocus());
    candidats->setCurrentIndex(candidats->findData(QVariant::fromValue<qlonglong>(2)));
    QTest::keyClick(&f, Qt::Key_C, Qt::AltModifier);
    // A button's shortcut clicks it from the event loop.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !liste->topLevelItem(0)->text(5).isEmpty(); }));
    EXPECT_EQ(
        liste->topLevelItem(0)->text(5),
        QStringLiteral("encaisse le chèque sans numéro – 50,00 € – Boulangerie – 02/03/2024"));
    EXPECT_EQ(Restant(&f), QStringLiteral("Restent à encaisser : 2 chèque(s) pour 120,00 €."));

    // On to line 4, which is offered only the cheque left.
    ASSERT_EQ(liste->currentItem(), liste->topLevelItem(1));
    ASSERT_EQ(candidats->count(), 1);
    EXPECT_EQ(candidats->itemData(0).toLongLong(), 3);
    QTest::keyClick(&f, Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !liste->topLevelItem(1)->text(5).isEmpty(); }));
    EXPECT_EQ(Restant(&f), QStringLiteral("Restent à encaisser : 1 chèque(s) pour 70,00 €."));

    // Taken back: line 3's cheque is offered again, and line 4 may have it.
    liste->setCurrentItem(liste->topLevelItem(0));
    EXPECT_FALSE(Dans<QPushButton>(&f, "CmdConfirmer")->isEnabled());
    QTest::keyClick(&f, Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return liste->topLevelItem(0)->text(5).isEmpty(); }));
    EXPECT_EQ(f.decisions().size(), 1);
    EXPECT_EQ(f.decisions()[0].id, 3);
    EXPECT_EQ(f.decisions()[0].encaissement, QDate(2024, 3, 6));

    const QVector<ChequeEncaisse> tout = f.aEncaisser();
    ASSERT_EQ(tout.size(), 2);
    EXPECT_EQ(tout[0].id, 1);
    EXPECT_EQ(tout[1].id, 3);
    EXPECT_EQ(f.restants(), 2);
    EXPECT_EQ(f.restantCentimes(), 12000);
    // Enter marks nothing: only the button does.
    QTest::keyClick(liste, Qt::Key_Return);
    EXPECT_TRUE(f.isVisible());
    Dans<QPushButton>(&f, "CmdMarquer")->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST(FrmColonnesReleve, AChoiceThatCannotReadTheStatementIsToldAndTheWindowStays) {
    const QByteArray octets = "Jour;Texte;Somme;Solde\n"
                              "05/03/2024;CHQ 1234567;-10,00;90,00\n"
                              "06/03/2024;VIR;5,00;95,00\n";
    const auto apercu = ApercevoirCsv(octets);
    ASSERT_TRUE(apercu);
    ASSERT_FALSE(apercu->colonnes);
    FrmColonnesReleve f(octets, *apercu);
    f.show();
    EXPECT_EQ(Dans<QTableWidget>(&f, "TblApercu")->item(1, 1)->text(),
              QStringLiteral("CHQ 1234567"));
    auto choisir = [&](const char* nom, int colonne) {
        auto* b = Dans<QComboBox>(&f, nom);
        b->setCurrentIndex(b->findData(colonne));
    };
    choisir("CboDate", 0);
    choisir("CboLibelle", 1);
    choisir("CboMontant", 3); // the balance, not the amount: still reads
    choisir("CboDebit", 2);   // and a debit as well: refused
    Dans<QPushButton>(&f, "CmdLire")->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(Dans<QLabel>(&f, "LblRefus")
                    ->text()
                    .startsWith(QStringLiteral(
                        "Le relevé ne se lit pas ainsi : les colonnes choisies ne suffisent pas")));
    choisir("CboDebit", -1);
    choisir("CboMontant", 2);
    Dans<QPushButton>(&f, "CmdLire")->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    ColonnesReleve attendu;
    attendu.date = 0;
    attendu.libelle = 1;
    attendu.montant = 2;
    EXPECT_EQ(f.colonnes(), attendu);
    ASSERT_TRUE(f.releve());
    ASSERT_EQ(f.releve()->lignes.size(), 2);
    EXPECT_EQ(f.releve()->lignes[0].centimes, -1000);

    // Opened again with the remembered columns, they are there.
    FrmColonnesReleve encore(octets, *apercu, attendu);
    EXPECT_EQ(encore.colonnes(), attendu);
}
