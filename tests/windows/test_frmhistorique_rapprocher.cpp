#include "FenetreTest.h"
#include "windows/FrmHistorique.h"
#include "windows/FrmRapprochement.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

// The history's reconciliation: a statement chosen in the open dialog, its
// columns chosen once for a bank whose header names none, the user's
// decisions marked in the register.
class HistoriqueRapprocher : public FenetreTest {
protected:
    void SetUp() override {
        ecrire("Cheque.ini", "[Defaut1]\r\nImprimante=Bureau\r\nOrientation= 1\r\nPolice=Arial\r\n"
                             "Taille= 12\r\n");
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        Registre& reg = *app->registre;
        ASSERT_TRUE(reg.reglerChequier(1, {ChequierParDefaut(1), true, 1234567}).ok());
        QVector<ChequeAInscrire> cheques;
        for (auto [centimes, destinataire] : {std::pair{12500, "EDF"}, std::pair{4000, "Orange"},
                                              std::pair{990, "La Poste"}})
            cheques.append({QDate(2024, 3, 1), centimes, QString(),
                            QString::fromUtf8(destinataire), QString(), QString(),
                            QStringLiteral("Bureau")});
        const auto notes = reg.noter(1, cheques);
        ASSERT_TRUE(notes.ok()) << notes.raison().toStdString();
        ASSERT_TRUE(reg.confirmer(*notes, QDateTime(QDate(2024, 3, 1), QTime(9, 0))).ok());
    }

    QString releve(const char* nom, const QByteArray& octets) {
        QFile f(chemin(nom));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
        return f.fileName();
    }

    // Answers every modal window the reconciliation opens, until it returns.
    void rapprocher(FrmHistorique& h, const std::function<void(QWidget*)>& repondre) {
        QTimer veille;
        QWidget* vu = nullptr;
        QObject::connect(&veille, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (w && w != &h && w != vu) {
                vu = w;
                repondre(w);
            }
        });
        veille.start(10);
        h.rapprocherReleve();
    }

    std::optional<ChequeRegistre> numero(std::int64_t n) {
        return app->registre->chequeNumero(ChequierParDefaut(1), n).valeur();
    }
    template <typename T> static T* dans(QWidget* w, const char* nom) {
        T* c = w->findChild<T*>(QLatin1String(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
};

TEST_F(HistoriqueRapprocher, MatchedAndConfirmedLinesAreMarkedCashedAndTheTotalFollows) {
    FrmHistorique h(*app);
    h.show();
    plateforme.dialogues.reponsesFichier.enqueue(
        releve("releve.csv", "Date;Libell\xc3\xa9;D\xc3\xa9""bit;Cr\xc3\xa9""dit\r\n"
                             "05/03/2024;CHQ 1234567;125,00;\r\n"
                             "06/03/2024;CHQ 1234568;41,00;\r\n"));
    int fenetres = 0;
    rapprocher(h, [&](QWidget* w) {
        ++fenetres;
        auto* f = qobject_cast<FrmRapprochement*>(w);
        ASSERT_NE(f, nullptr) << "a header that names its columns asks for none";
        auto* liste = dans<QTreeWidget>(f, "LstADecider");
        ASSERT_EQ(liste->topLevelItemCount(), 1);
        liste->setCurrentItem(liste->topLevelItem(0));
        // The number's cheque comes first, with its other amount.
        dans<QComboBox>(f, "CboCandidat")->setCurrentIndex(0);
        dans<QPushButton>(f, "CmdConfirmer")->click();
        dans<QPushButton>(f, "CmdMarquer")->click();
    });
    EXPECT_EQ(fenetres, 1);
    EXPECT_EQ(numero(1234567)->statut, Statut::Encaisse);
    EXPECT_EQ(numero(1234567)->encaisseLe, QDate(2024, 3, 5));
    EXPECT_EQ(numero(1234568)->statut, Statut::Encaisse);
    EXPECT_EQ(numero(1234568)->encaisseLe, QDate(2024, 3, 6));
    EXPECT_EQ(numero(1234569)->statut, Statut::Emis);
    EXPECT_EQ(dans<QLabel>(&h, "LblEnCours")->text(),
              QStringLiteral("Non encaissés : 1 chèque(s), 9,90 €"));
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    EXPECT_TRUE(plateforme.dialogues.vus.back().texte.startsWith(
        QStringLiteral("2 chèque(s) marqué(s) encaissé(s).")))
        << plateforme.dialogues.vus.back().texte.toStdString();
}

TEST_F(HistoriqueRapprocher, ColumnsChosenOnceServeTheBanksNextStatement) {
    FrmHistorique h(*app);
    h.show();
    plateforme.dialogues.reponsesFichier.enqueue(
        releve("mars.csv", "05/03/2024;CHQ 1234567;-125,00\r\n08/03/2024;VIR;300,00\r\n"));
    int colonnes = 0;
    auto repondre = [&](QWidget* w) {
        if (auto* c = qobject_cast<FrmColonnesReleve*>(w)) {
            ++colonnes;
            auto choisir = [&](const char* nom, int colonne) {
                auto* b = dans<QComboBox>(c, nom);
                b->setCurrentIndex(b->findData(colonne));
            };
            choisir("CboDate", 0);
            choisir("CboLibelle", 1);
            choisir("CboMontant", 2);
            dans<QPushButton>(c, "CmdLire")->click();
        } else if (auto* f = qobject_cast<FrmRapprochement*>(w)) {
            dans<QPushButton>(f, "CmdMarquer")->click();
        }
    };
    rapprocher(h, repondre);
    EXPECT_EQ(colonnes, 1);
    EXPECT_EQ(numero(1234567)->statut, Statut::Encaisse);

    plateforme.dialogues.reponsesFichier.enqueue(
        releve("avril.csv", "02/04/2024;CHQ 1234569;-9,90\r\n03/04/2024;CB;-12,00\r\n"));
    rapprocher(h, repondre);
    EXPECT_EQ(colonnes, 1) << "the same bank's statement opens on its columns";
    EXPECT_EQ(numero(1234569)->statut, Statut::Encaisse);
    EXPECT_EQ(numero(1234569)->encaisseLe, QDate(2024, 4, 2));
    EXPECT_EQ(numero(1234568)->statut, Statut::Emis);
}

// A register that refuses the write (here a trigger stands for a full disk)
// is told, and not one cheque of the statement is marked.
TEST_F(HistoriqueRapprocher, AWriteTheRegisterRefusesIsToldAndMarksNothing) {
    FrmHistorique h(*app);
    h.show();
    plateforme.dialogues.reponsesFichier.enqueue(
        releve("releve.csv", "Date;Libell\xc3\xa9;Montant\r\n"
                             "05/03/2024;CHQ 1234567;-125,00\r\n"
                             "06/03/2024;CHQ 1234569;-9,90\r\n"));
    rapprocher(h, [&](QWidget* w) {
        auto* f = qobject_cast<FrmRapprochement*>(w);
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(f->aEncaisser().size(), 2);
        ASSERT_TRUE(app->registre->base()
                        .executer("CREATE TEMP TRIGGER plein BEFORE UPDATE ON cheques "
                                  "WHEN NEW.numero = 1234569 BEGIN "
                                  "SELECT RAISE(ABORT, 'database or disk is full'); END")
                        .ok());
        dans<QPushButton>(f, "CmdMarquer")->click();
    });
    EXPECT_EQ(numero(1234567)->statut, Statut::Emis);
    EXPECT_EQ(numero(1234569)->statut, Statut::Emis);
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    const DialogueVu& dit = plateforme.dialogues.vus.back();
    EXPECT_EQ(dit.icone, Icone::Critique);
    EXPECT_TRUE(dit.texte.endsWith(QStringLiteral("Aucun chèque n'est marqué encaissé.")))
        << dit.texte.toStdString();
    EXPECT_EQ(dans<QLabel>(&h, "LblEnCours")->text(),
              QStringLiteral("Non encaissés : 3 chèque(s), 174,90 €"));
}

// The main window's menu item opens the history on the statement's question.
TEST_F(HistoriqueRapprocher, TheJournalMenuItemAsksForAStatement) {
    auto* action = fenetre->findChild<QAction*>(QStringLiteral("mnuRapprocher"));
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    QTimer veille;
    QObject::connect(&veille, &QTimer::timeout, [&] {
        // The file dialog answered "cancel": the history stays, and is closed here.
        if (auto* h = qobject_cast<FrmHistorique*>(QApplication::activeModalWidget());
            h && !plateforme.dialogues.vus.isEmpty())
            h->reject();
    });
    veille.start(10);
    action->trigger();
    ASSERT_FALSE(plateforme.dialogues.vus.isEmpty());
    EXPECT_EQ(plateforme.dialogues.vus.back().genre, DialogueVu::OuvrirFichier);
    EXPECT_EQ(plateforme.dialogues.vus.back().titre, QStringLiteral("Rapprocher un relevé"));
}
