#include "Montage.h"
#include "registre/Registre.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Issue {
    int code = -1;
    QString sortie, erreurs;
};

Issue Lancer(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(SCRIBANE_CLI), arguments);
    Issue issue;
    if (!cli.waitForFinished(120000))
        return issue;
    issue.code = cli.exitCode();
    issue.sortie = QString::fromUtf8(cli.readAllStandardOutput());
    issue.erreurs = QString::fromUtf8(cli.readAllStandardError());
    return issue;
}

// Three cheques numbered 1234567, 1234568 and 1234569: 125,00 to EDF,
// 40,00 to Orange, 9,90 to La Poste.
void Remplir(const QString& dossier) {
    auto reg = Registre::ouvrir(CheminsScribane{dossier});
    ASSERT_TRUE(reg.ok()) << reg.raison().toStdString();
    ASSERT_TRUE(reg.valeur()->reglerChequier(1, {ChequierParDefaut(1), true, 1234567}).ok());
    QVector<ChequeAInscrire> cheques;
    for (auto [centimes, destinataire] : {std::pair{12500, "EDF"}, std::pair{4000, "Orange"},
                                          std::pair{990, "La Poste"}})
        cheques.append({QDate(2024, 3, 1), centimes, QString(), QString::fromUtf8(destinataire),
                        QStringLiteral("Paris"), QString(), QStringLiteral("c.pdf")});
    const auto notes = reg.valeur()->noter(1, cheques);
    ASSERT_TRUE(notes.ok()) << notes.raison().toStdString();
    ASSERT_TRUE(reg.valeur()->confirmer(*notes, QDateTime(QDate(2024, 3, 1), QTime(9, 0))).ok());
}

QVector<ChequeRegistre> Cheques(const QString& dossier) {
    auto reg = Registre::ouvrir(CheminsScribane{dossier}, nullptr, false);
    EXPECT_TRUE(reg.ok());
    return reg ? reg.valeur()->cheques().valeur() : QVector<ChequeRegistre>();
}

QString Ecrire(const QTemporaryDir& dossier, const char* nom, const QByteArray& octets) {
    QFile f(dossier.filePath(QLatin1String(nom)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
    return f.fileName();
}

QByteArray Enregistrement(const char* code, const char* date, const char* montant,
                          const char* libelle = "") {
    QByteArray r(120, ' ');
    auto poser = [&](int de, const QByteArray& valeur) {
        r.replace(de - 1, valeur.size(), valeur);
    };
    poser(1, code);
    poser(3, "30004");
    poser(12, "00123");
    poser(17, "EUR");
    poser(20, "2");
    poser(22, "00012345678");
    poser(35, date);
    poser(49, libelle);
    poser(91, montant);
    return r;
}

// A statement in each format: 1234567 with its amount, 1234568 with another,
// 7654321 which is no cheque of the register, and a credit.
void Verifier(const QString& releve, const QStringList& options = {}) {
    QTemporaryDir dossier;
    Remplir(dossier.path());
    const QStringList base =
        QStringList{QStringLiteral("rapprocher"), releve, QStringLiteral("--dossier"),
                    dossier.path()} +
        options;

    auto issue = Lancer(base);
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    const std::string s = issue.sortie.toStdString();
    EXPECT_TRUE(issue.sortie.contains(
        QStringLiteral("Rapprochés : 1\n  n° 1234567  125,00 €  EDF  encaissé le 05/03/2024\n")))
        << s;
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("À décider : 2\n"))) << s;
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("41,00 €  CHQ 1234568 : montant différent")))
        << s;
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("60,00 €  CHEQUE N° 7654321 : ")) ||
                issue.sortie.contains(QStringLiteral("60,00 €  CHEQUE N 7654321 : ")))
        << s;
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("Non rapprochés : 1\n"))) << s;
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("Rien n'est marqué"))) << s;
    EXPECT_TRUE(issue.sortie.contains(
        QStringLiteral("Reste à encaisser ensuite : 2 chèque(s), 49,90 euros")))
        << s;
    for (const ChequeRegistre& c : Cheques(dossier.path()))
        EXPECT_EQ(c.statut, Statut::Emis) << "nothing is written without --appliquer";

    issue = Lancer(base + QStringList{QStringLiteral("--appliquer")});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("1 chèque(s) marqué(s) encaissé(s).")))
        << issue.sortie.toStdString();
    const auto apres = Cheques(dossier.path());
    ASSERT_EQ(apres.size(), 3);
    for (const ChequeRegistre& c : apres) {
        if (c.numero == 1234567) {
            EXPECT_EQ(c.statut, Statut::Encaisse);
            EXPECT_EQ(c.encaisseLe, QDate(2024, 3, 5));
        } else {
            EXPECT_EQ(c.statut, Statut::Emis) << "a line to decide is never marked";
        }
    }

    // Once cashed, the same statement finds nothing more to mark.
    issue = Lancer(base + QStringList{QStringLiteral("--appliquer")});
    ASSERT_EQ(issue.code, 0) << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("Rapprochés : 0\n")))
        << issue.sortie.toStdString();
    EXPECT_TRUE(issue.sortie.contains(QStringLiteral("Aucun chèque à marquer encaissé.")));
    int encaisses = 0;
    for (const ChequeRegistre& c : Cheques(dossier.path()))
        encaisses += c.statut == Statut::Encaisse;
    EXPECT_EQ(encaisses, 1);
}

TEST(LigneRapprocher, ReleveCsvRapprocheEtMarqueSeulementAvecAppliquer) {
    QTemporaryDir fichiers;
    Verifier(Ecrire(fichiers, "releve.csv",
                    "Date;Libell\xc3\xa9;D\xc3\xa9""bit;Cr\xc3\xa9""dit\r\n"
                    "05/03/2024;CHQ 1234567;125,00;\r\n"
                    "06/03/2024;CHQ 1234568;41,00;\r\n"
                    "07/03/2024;CHEQUE N\xc2\xb0 7654321;60,00;\r\n"
                    "08/03/2024;VIR SALAIRE;;1 500,00\r\n"));
}

TEST(LigneRapprocher, ReleveCfonbRapprocheEtMarqueSeulementAvecAppliquer) {
    QTemporaryDir fichiers;
    QByteArray cfonb;
    for (const QByteArray& e : {
             Enregistrement("01", "290224", "0000000100000{"),
             Enregistrement("04", "050324", "0000000001250}", "CHQ 1234567"),
             Enregistrement("04", "060324", "0000000000410}", "CHQ 1234568"),
             Enregistrement("04", "070324", "0000000000600}", "CHEQUE N 7654321"),
             Enregistrement("04", "080324", "0000000015000{", "VIR SALAIRE"),
             Enregistrement("07", "310324", "0000000112740{"),
         })
        cfonb += e + "\r\n";
    Verifier(Ecrire(fichiers, "releve.txt", cfonb));
}

// The columns given by hand for a statement without header; a refused line
// is named, and a register is never opened for a refused statement.
TEST(LigneRapprocher, ColonnesDonneesEtReleveRefuse) {
    QTemporaryDir fichiers;
    Verifier(Ecrire(fichiers, "sans-entete.csv",
                    "05/03/2024;CHQ 1234567;-125,00\r\n"
                    "06/03/2024;CHQ 1234568;-41,00\r\n"
                    "07/03/2024;CHEQUE N 7654321;-60,00\r\n"
                    "08/03/2024;VIR SALAIRE;1500,00\r\n"),
             {QStringLiteral("--colonnes"),
              QStringLiteral("date=0;libelle=1;debit=-1;credit=-1;montant=2")});

    QTemporaryDir dossier;
    Remplir(dossier.path());
    const QString abime = Ecrire(fichiers, "abime.csv",
                                 "Date;Libell\xc3\xa9;Montant\r\n"
                                 "05/03/2024;CHQ 1234567;-125,00\r\n"
                                 "06/03/2024;CHQ 1234568;quarante\r\n");
    auto issue = Lancer({QStringLiteral("rapprocher"), abime, QStringLiteral("--dossier"),
                         dossier.path(), QStringLiteral("--appliquer")});
    EXPECT_EQ(issue.code, 1);
    EXPECT_TRUE(issue.erreurs.contains(QStringLiteral("ligne 3 : le montant « quarante »"))) << issue.erreurs.toStdString();
    EXPECT_TRUE(issue.sortie.isEmpty());
    for (const ChequeRegistre& c : Cheques(dossier.path()))
        EXPECT_EQ(c.statut, Statut::Emis);

    issue = Lancer({QStringLiteral("rapprocher"), abime, QStringLiteral("--colonnes"),
                    QStringLiteral("date=0")});
    EXPECT_EQ(issue.code, 2);
}

} // namespace

namespace {

const QByteArray kReleveSimple = "Date;Libell\xc3\xa9;D\xc3\xa9""bit;Cr\xc3\xa9""dit\r\n"
                                 "05/03/2024;CHQ 1234567;125,00;\r\n"
                                 "06/03/2024;CHQ 1234568;40,00;\r\n";

QStringList Appliquer(const QString& releve, const QString& dossier) {
    return {QStringLiteral("rapprocher"), releve, QStringLiteral("--dossier"), dossier,
            QStringLiteral("--appliquer")};
}

} // namespace

// A full disk and a read-only medium: refused in French, nothing said to be
// marked, and the register as it was and sound.
TEST(LigneRapprocher, DisquePleinOuLectureSeuleNeMarqueRien) {
    QTemporaryDir fichiers;
    const QString releve = Ecrire(fichiers, "releve.csv", kReleveSimple);
    for (const bool plein : {true, false}) {
        SCOPED_TRACE(plein ? "disque plein" : "lecture seule");
        PetitTmpfs tmpfs("size=2m");
        if (!tmpfs.monte())
            GTEST_SKIP() << tmpfs.raison();
        Remplir(tmpfs.chemin());
#ifdef Q_OS_UNIX
        if (plein) {
            ASSERT_TRUE(tmpfs.remplir(0));
        } else {
            ASSERT_EQ(::mount("tmpfs", QFile::encodeName(tmpfs.chemin()).constData(), "tmpfs",
                              MS_REMOUNT | MS_RDONLY, nullptr),
                      0);
        }
#endif
        const Issue issue = Lancer(Appliquer(releve, tmpfs.chemin()));
        EXPECT_NE(issue.code, 0) << issue.sortie.toStdString();
        EXPECT_FALSE(issue.sortie.contains(QStringLiteral("marqué(s) encaissé(s)")))
            << issue.sortie.toStdString();
        // Refused at the opening or at the writing, it says why in French.
        EXPECT_TRUE(issue.erreurs.contains(plein ? QStringLiteral("le disque est plein")
                                                 : QStringLiteral("lecture seule")))
            << issue.erreurs.toStdString();
        EXPECT_TRUE(issue.erreurs.contains(QStringLiteral("Aucun")) ||
                    issue.erreurs.contains(QStringLiteral("ne peut pas être ouvert")))
            << issue.erreurs.toStdString();
        for (const char* anglais : {"database", "disk I/O", "readonly", "locked", "full"}) {
            EXPECT_FALSE(issue.erreurs.contains(QLatin1String(anglais)))
                << issue.erreurs.toStdString();
        }
#ifdef Q_OS_UNIX
        if (plein)
            QFile::remove(tmpfs.fichier(QStringLiteral("remplissage")));
        else
            ASSERT_EQ(::mount("tmpfs", QFile::encodeName(tmpfs.chemin()).constData(), "tmpfs",
                              MS_REMOUNT, nullptr),
                      0);
#endif
        const auto apres = Cheques(tmpfs.chemin());
        ASSERT_EQ(apres.size(), 3);
        for (const ChequeRegistre& c : apres)
            EXPECT_EQ(c.statut, Statut::Emis);
        auto reg = Registre::ouvrir(CheminsScribane{tmpfs.chemin()}, nullptr, false);
        ASSERT_TRUE(reg.ok()) << reg.raison().toStdString();
    }
}

// The disk filled to within a few pages: the opening may pass and the write
// fail. Whatever happens, both cheques or none, and the output says which.
TEST(LigneRapprocher, PresquePleinToutOuRien) {
    QTemporaryDir fichiers;
    const QString releve = Ecrire(fichiers, "releve.csv", kReleveSimple);
    int refusAEcrire = 0, reussites = 0;
    for (const qint64 libre : {4096, 16384, 24576, 28672, 32768, 36864, 40960, 45056, 49152, 98304}) {
        SCOPED_TRACE(libre);
        PetitTmpfs tmpfs("size=2m");
        if (!tmpfs.monte())
            GTEST_SKIP() << tmpfs.raison();
        Remplir(tmpfs.chemin());
        ASSERT_TRUE(tmpfs.remplir(libre));
        const Issue issue = Lancer(Appliquer(releve, tmpfs.chemin()));
        const bool dit = issue.sortie.contains(QStringLiteral("2 chèque(s) marqué(s) encaissé(s)."));
        EXPECT_EQ(dit, issue.code == 0) << issue.erreurs.toStdString();
        for (const char* anglais : {"database", "disk I/O", "readonly", "locked", "full"}) {
            EXPECT_FALSE(issue.erreurs.contains(QLatin1String(anglais)))
                << issue.erreurs.toStdString();
        }
        QFile::remove(tmpfs.fichier(QStringLiteral("remplissage")));
        int encaisses = 0;
        for (const ChequeRegistre& c : Cheques(tmpfs.chemin()))
            encaisses += c.statut == Statut::Encaisse;
        EXPECT_EQ(encaisses, dit ? 2 : 0) << issue.erreurs.toStdString();
        refusAEcrire += issue.erreurs.contains(QStringLiteral("n'ont pas pu être notés"));
        reussites += dit;
    }
    // The sizes span the three outcomes: refused at the opening, at the
    // writing, and done.
    EXPECT_GT(refusAEcrire, 0);
    EXPECT_GT(reussites, 0);
}

// Two applications of one statement at once: one marks both cheques, the
// other finds them already cashed or is refused in French; never twice.
TEST(LigneRapprocher, DeuxApplicationsALaFois) {
    QTemporaryDir fichiers, dossier;
    const QString releve = Ecrire(fichiers, "releve.csv", kReleveSimple);
    Remplir(dossier.path());
    QProcess a, b;
    a.start(QStringLiteral(SCRIBANE_CLI), Appliquer(releve, dossier.path()));
    b.start(QStringLiteral(SCRIBANE_CLI), Appliquer(releve, dossier.path()));
    ASSERT_TRUE(a.waitForFinished(120000));
    ASSERT_TRUE(b.waitForFinished(120000));
    int marques = 0;
    for (QProcess* p : {&a, &b}) {
        const QString sortie = QString::fromUtf8(p->readAllStandardOutput());
        const QString erreurs = QString::fromUtf8(p->readAllStandardError());
        if (sortie.contains(QStringLiteral("2 chèque(s) marqué(s) encaissé(s).")))
            ++marques;
        if (p->exitCode() != 0) {
            EXPECT_TRUE(erreurs.contains(QStringLiteral("Aucun"))) << erreurs.toStdString();
        }
        EXPECT_FALSE(erreurs.contains(QLatin1String("database"))) << erreurs.toStdString();
    }
    EXPECT_EQ(marques, 1);
    int encaisses = 0;
    for (const ChequeRegistre& c : Cheques(dossier.path())) {
        if (c.statut == Statut::Encaisse) {
            ++encaisses;
            EXPECT_EQ(c.encaisseLe, c.numero == 1234567 ? QDate(2024, 3, 5) : QDate(2024, 3, 6));
        }
    }
    EXPECT_EQ(encaisses, 2);
}
