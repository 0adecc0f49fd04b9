#include "../settings/Montage.h"
#include "FenetreTest.h"
#include "cheque/Journal.h"
#include "windows/FrmHistorique.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

class Historique : public FenetreTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", "[Defaut1]\r\nImprimante=Bureau\r\nOrientation= 1\r\nPolice=Arial\r\n"
                             "Taille= 12\r\n");
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        const QString journaux = chemin("Journaux");
        auto imprime = [&](QDate jour, const char* montant, const char* destinataire,
                           const char* emetteur = "") {
            ASSERT_TRUE(EcrireJournal(journaux, QDateTime(jour, QTime(10, 0)),
                                      QString::fromUtf8(montant), QString::fromUtf8(destinataire),
                                      QString::fromUtf8(emetteur)));
        };
        imprime(QDate(2023, 12, 31), "1 250,00", "Société Générale", "martin");
        imprime(QDate(2024, 3, 5), "12,50", "EDF");
        imprime(QDate(2024, 3, 6), "100,05", "Dupont; fils");
    }
    template <typename T> static T* dans(QWidget* w, const char* nom) {
        T* c = w->findChild<T*>(QLatin1String(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    static QString total(QWidget* w) { return dans<QLabel>(w, "LblTotal")->text(); }
};

TEST_F(Historique, FiltersAndTotalFollowWhatIsShown) {
    FrmHistorique h(*app);
    EXPECT_EQ(total(&h), QStringLiteral("3 chèque(s) : 1 362,55 €"));

    dans<QLineEdit>(&h, "TxtRecherche")->setText(QStringLiteral("generale"));
    EXPECT_EQ(total(&h), QStringLiteral("1 chèque(s) : 1 250,00 €"));
    dans<QLineEdit>(&h, "TxtRecherche")->setText(QStringLiteral("MARTIN"));
    EXPECT_EQ(total(&h), QStringLiteral("1 chèque(s) : 1 250,00 €"));
    dans<QLineEdit>(&h, "TxtRecherche")->clear();

    dans<QDateEdit>(&h, "DateDu")->setDate(QDate(2024, 1, 1));
    EXPECT_EQ(total(&h), QStringLiteral("3 chèque(s) : 1 362,55 €")); // not ticked yet
    dans<QCheckBox>(&h, "ChkDu")->setChecked(true);
    EXPECT_EQ(total(&h), QStringLiteral("2 chèque(s) : 112,55 €"));
    dans<QLineEdit>(&h, "TxtMontantMin")->setText(QStringLiteral("100,05"));
    EXPECT_EQ(total(&h), QStringLiteral("1 chèque(s) : 100,05 €"));
    dans<QLineEdit>(&h, "TxtMontantMax")->setText(QStringLiteral("50"));
    EXPECT_EQ(total(&h), QStringLiteral("0 chèque(s) : 0,00 €"));
}

TEST_F(Historique, ExportWritesTheRowsShownForASpreadsheet) {
    FrmHistorique h(*app);
    dans<QLineEdit>(&h, "TxtMontantMax")->setText(QStringLiteral("200"));
    auto* table = dans<QTableView>(&h, "TableCheques");
    table->sortByColumn(ModeleHistorique::Montant, Qt::AscendingOrder);

    const QString csv = chemin("export"); // the extension is added
    plateforme.dialogues.reponsesFichier.enqueue(csv);
    h.exporterCsv();
    QFile f(csv + QStringLiteral(".csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(),
              "\xEF\xBB\xBF"
              "Numéro;Date;Montant;Destinataire;Lieu;Emetteur;Statut;Encaissé le;Imprimé le;"
              "Note\r\n"
              ";05/03/2024;12,50;EDF;;;émis;;05/03/2024 10:00:00;\r\n"
              ";06/03/2024;100,05;\"Dupont; fils\";;;émis;;06/03/2024 10:00:00;\r\n");

    // A file that cannot be written is told.
    plateforme.dialogues.reponsesFichier.enqueue(chemin("absent/export.csv"));
    h.exporterCsv();
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(plateforme.dialogues.vus.last().icone, Icone::Critique);

    plateforme.dialogues.reponsesFichier.enqueue(chemin("liste.pdf"));
    h.exporterPdf();
    QFile pdf(chemin("liste.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

// Lines the history could not read are told in the window, with the journal
// that holds them; the cheques around them are there.
TEST_F(Historique, AJournalWithUnreadableLinesIsNamedInTheWindow) {
    {
        QFile f(chemin("Journaux/Journal_2024_03_05.txt"));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("00:12:29 - 12,50 Eur\r\n");
    }
    ASSERT_TRUE(EcrireJournal(chemin("Journaux"), QDateTime(QDate(2024, 3, 5), QTime(11, 0)),
                              QStringLiteral("1,00"), QStringLiteral("Après"), {}));
    FrmHistorique h(*app);
    EXPECT_EQ(total(&h), QStringLiteral("4 chèque(s) : 1 363,55 €"));
    const QLabel* ignorees = dans<QLabel>(&h, "LblIgnorees");
    EXPECT_EQ(ignorees->text().toStdString(),
              "1 ligne(s) illisible(s) ignorée(s) dans Journal_2024_03_05.txt : la liste peut "
              "être incomplète.");
    EXPECT_TRUE(ignorees->toolTip().contains(
        QDir::toNativeSeparators(chemin("Journaux/Journal_2024_03_05.txt"))))
        << ignorees->toolTip().toStdString();
}

// Exports that do not fit on the disk are told, and leave no short file.
TEST_F(Historique, AnExportOnAFullDiskIsToldAndLeavesNothing) {
    PetitTmpfs disque("size=64k");
    if (!disque.monte())
        GTEST_SKIP() << disque.raison();
    ASSERT_TRUE(disque.remplir(0));
    FrmHistorique h(*app);
    const qsizetype vus = plateforme.dialogues.vus.size();
    plateforme.dialogues.reponsesFichier.enqueue(disque.fichier(QStringLiteral("export.csv")));
    h.exporterCsv();
    plateforme.dialogues.reponsesFichier.enqueue(disque.fichier(QStringLiteral("liste.pdf")));
    h.exporterPdf();
    QVector<DialogueVu> messages;
    for (const DialogueVu& vu : plateforme.dialogues.vus.mid(vus))
        if (vu.genre == DialogueVu::Message)
            messages.append(vu);
    ASSERT_EQ(messages.size(), 2);
    for (const DialogueVu& vu : messages) {
        EXPECT_EQ(vu.icone, Icone::Critique);
        EXPECT_TRUE(vu.texte.contains(QStringLiteral("le disque est plein")))
            << vu.texte.toStdString();
    }
    EXPECT_EQ(QDir(disque.chemin()).entryList(QDir::Files), QStringList{"remplissage"});
}

TEST_F(Historique, ADoubleClickPutsTheChequeBackInTheMainWindow) {
    fenetre->show();
    QTimer::singleShot(0, [this] {
        FrmHistorique* h = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<FrmHistorique*>(w); f && f->isVisible())
                h = f;
        ASSERT_NE(h, nullptr);
        auto* table = dans<QTableView>(h, "TableCheques");
        table->sortByColumn(ModeleHistorique::Date, Qt::AscendingOrder);
        const QRect ligne = table->visualRect(table->model()->index(0, 3));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, ligne.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, ligne.center());
        if (h->isVisible())
            h->reject(); // the test fails below, without hanging
    });
    controle<QAction>("mnuHistorique")->trigger();
    EXPECT_EQ(boite("CboM")->currentText(), QStringLiteral("1 250,00"));
    EXPECT_EQ(boite("CboD")->currentText(), QStringLiteral("Société Générale"));
}

// The register's view: a cheque voided with its reason stays there, one
// marked cashed leaves what is still to be cashed, and an old one never
// cashed is prescribed.
TEST_F(Historique, AnnulerEncaisserEtCeQuiResteAEncaisser) {
    ASSERT_TRUE(EcrireJournal(chemin("Journaux"), QDateTime(QDate(2023, 2, 24), QTime(9, 0)),
                              QStringLiteral("40,00"), QStringLiteral("Ancien"), {}));
    FrmHistorique h(*app);
    auto* table = dans<QTableView>(&h, "TableCheques");
    table->sortByColumn(ModeleHistorique::Date, Qt::AscendingOrder);
    const auto enCours = [&] { return dans<QLabel>(&h, "LblEnCours")->text(); };
    const auto etat = [&](int ligne) {
        return table->model()->index(ligne, ModeleHistorique::Etat).data().toString();
    };
    EXPECT_EQ(enCours(), QStringLiteral("Non encaissés : 4 chèque(s), 1 402,55 €"));
    EXPECT_EQ(etat(0), QStringLiteral("émis (prescrit)"));
    EXPECT_EQ(etat(1), QStringLiteral("émis"));

    auto* annuler = dans<QPushButton>(&h, "CmdAnnulerCheque");
    auto* encaisser = dans<QPushButton>(&h, "CmdEncaisser");
    EXPECT_FALSE(annuler->isEnabled());
    table->selectRow(2); // EDF, 12,50
    ASSERT_TRUE(annuler->isEnabled());
    plateforme.dialogues.reponsesSaisie << QStringLiteral("perdu au courrier");
    annuler->click();
    EXPECT_EQ(etat(2), QStringLiteral("annulé"));
    EXPECT_FALSE(annuler->isEnabled()); // still selected, and no longer issued

    table->selectRow(3); // Dupont, 100,05
    plateforme.dialogues.reponsesSaisie << QStringLiteral("31/02/2024");
    encaisser->click();
    EXPECT_EQ(etat(3), QStringLiteral("émis")); // a date that does not exist marks nothing
    EXPECT_EQ(plateforme.dialogues.vus.last().icone, Icone::Exclamation);
    plateforme.dialogues.reponsesSaisie << QStringLiteral("04/03/2024");
    encaisser->click();
    EXPECT_EQ(etat(3), QStringLiteral("encaissé le 04/03/2024"));
    EXPECT_EQ(enCours(), QStringLiteral("Non encaissés : 2 chèque(s), 1 290,00 €"));

    // The status filter, and the void kept with its reason.
    auto* statut = dans<QComboBox>(&h, "CboStatut");
    statut->setCurrentIndex(statut->findText(QStringLiteral("Annulés")));
    EXPECT_EQ(total(&h), QStringLiteral("1 chèque(s) : 12,50 €"));
    const auto voide = *app->registre->cheques();
    EXPECT_TRUE(std::any_of(voide.begin(), voide.end(), [](const ChequeRegistre& c) {
        return c.statut == Statut::Annule && c.note == QStringLiteral("perdu au courrier");
    }));
    statut->setCurrentIndex(statut->findText(QStringLiteral("Non encaissés")));
    EXPECT_EQ(total(&h), QStringLiteral("2 chèque(s) : 1 290,00 €"));
}
