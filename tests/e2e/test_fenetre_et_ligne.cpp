#include "windows/DossierDocuments.h"
#include "PdfLu.h"
#include "PlateformeTest.h"
#include "impression/SurfaceImprimante.h"
#include "windows/AppScribane.h"
#include "windows/FrmCB.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The same cheque printed from the window and from scribane-cli comes out the
// same: journal, lists and the texts on the page.
namespace {

bool Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Choice 1 with the journal and the holder's name, two payees already listed.
void Preparer(const QTemporaryDir& dossier) {
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("Cheque.ini")),
                       "[Defaut1]\r\nImprimante=PDF\r\nPolice=Liberation Sans\r\nTaille= 12\r\n"
                       "Orientation= 1\r\nJournal= 1\r\nD\xE9\x62iteur= 1\r\nMargeDLX= 12\r\n"
                       "[Destinataires]\r\nDest0=Alpha\r\nDest1=Zo\xE9\r\n[Lieu]\r\n"
                       "Lieu0=Lyon\r\n"));
    ASSERT_TRUE(Ecrire(dossier.filePath(QStringLiteral("Choix.cfg")), "1,1\r\n"));
}

// The entry lines of the journals, the time of day set apart: the two
// programs print a few seconds apart.
QStringList LignesDuJournal(const QTemporaryDir& dossier) {
    QStringList lignes;
    const QDir journaux(dossier.filePath(QStringLiteral("Journaux")));
    static const QRegularExpression heure(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d"));
    for (const QString& nom : journaux.entryList({QStringLiteral("Journal_*.txt")}))
        for (const QByteArray& l : Lire(journaux.filePath(nom)).split('\n'))
            if (l.contains(" Euros ")) {
                const QString ligne = QString::fromLatin1(l.trimmed());
                EXPECT_TRUE(heure.match(ligne).hasMatch()) << l.constData();
                lignes << nom + QLatin1Char(' ') + ligne.mid(8);
            }
    return lignes;
}

QStringList TextesDuPdf(const QString& chemin) {
    QString erreur;
    const PagePdf page = LirePdf(chemin, &erreur);
    EXPECT_TRUE(erreur.isEmpty()) << erreur.toStdString();
    QStringList textes;
    for (const MotPdf& mot : page.mots)
        textes << QStringLiteral("%1 @%2,%3")
                      .arg(mot.texte)
                      .arg(qRound(mot.x * 2) / 2.0) // half millimetres
                      .arg(qRound(mot.y * 2) / 2.0);
    return textes;
}

} // namespace

TEST(FenetreEtLigne, TheSameChequeComesOutTheSameFromBoth) {
    const QString montant = QStringLiteral("1234,5"), destinataire = QStringLiteral("Bénédicte"),
                  lieu = QStringLiteral("Paris"), date = QStringLiteral("05/03/2024");
    QTemporaryDir parFenetre, parLigne;
    Preparer(parFenetre);
    Preparer(parLigne);

    {
        PlateformeTest plateforme;
        plateforme.horloge.instant = QDateTime::currentDateTime();
        plateforme.dialogues.reponsesFichier.enqueue(parFenetre.filePath(QStringLiteral("c.pdf")));
        plateforme.dialogues.reponsesSaisie.enqueue(QStringLiteral("Martin"));
        ImpressionQt impression;
        AppScribane app(parFenetre.path(),
                        {plateforme.dialogues, plateforme.imprimantes, plateforme.polices,
                         plateforme.horloge, plateforme.pressePapiers, plateforme.bureau,
                         impression});
        FrmCB fenetre(app);
        fenetre.demarrer();
        fenetre.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
        auto* boiteMontant = fenetre.findChild<QComboBox*>(QStringLiteral("CboM"));
        boiteMontant->setEditText(QString());
        boiteMontant->setFocus();
        QTest::keyClicks(boiteMontant, montant);
        fenetre.findChild<QComboBox*>(QStringLiteral("CboD"))->setEditText(destinataire);
        fenetre.findChild<QComboBox*>(QStringLiteral("CboL"))->setEditText(lieu);
        fenetre.findChild<QDateEdit*>(QStringLiteral("DTP"))
            ->setDate(QDate::fromString(date, QStringLiteral("dd/MM/yyyy")));
        plateforme.dialogues.vus.clear();
        fenetre.EnregistrerPdf();
        ASSERT_EQ(
            plateforme.dialogues.textes(),
            (QStringList{QDir(DossierDocuments())
                             .filePath(QStringLiteral("Cheque_2024-03-05_Bénédicte.pdf")),
                         QStringLiteral("Nom du titulaire :")}));
    }

    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI),
              {QStringLiteral("imprimer"), QStringLiteral("--dossier"), parLigne.path(),
               QStringLiteral("--montant"), montant, QStringLiteral("--destinataire"), destinataire,
               QStringLiteral("--lieu"), lieu, QStringLiteral("--date"), date,
               QStringLiteral("--emetteur"), QStringLiteral("Martin"), QStringLiteral("--pdf"),
               parLigne.filePath(QStringLiteral("c.pdf"))});
    ASSERT_TRUE(cli.waitForFinished(120000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();

    const QStringList journal = LignesDuJournal(parFenetre);
    ASSERT_EQ(journal.size(), 1);
    EXPECT_TRUE(journal[0].contains(QStringLiteral("1 234,50 Euros")));
    EXPECT_TRUE(journal[0].endsWith(QStringLiteral("Emetteur : MARTIN")));
    EXPECT_EQ(LignesDuJournal(parLigne), journal);
    EXPECT_EQ(Lire(parLigne.filePath(QStringLiteral("Cheque.ini"))),
              Lire(parFenetre.filePath(QStringLiteral("Cheque.ini"))));
    const QStringList page = TextesDuPdf(parFenetre.filePath(QStringLiteral("c.pdf")));
    EXPECT_TRUE(page.join(u' ').contains(QStringLiteral("CENT"))) << page.join(u'\n').toStdString();
    EXPECT_EQ(TextesDuPdf(parLigne.filePath(QStringLiteral("c.pdf"))), page);
}
