// kill -9 at random moments while a program prints, batches, spoils, cashes
// and takes journals in, again and again; after every kill the register is
// opened as the program would open it and checked:
//   - it passes its integrity check (never set aside as damaged);
//   - every cheque the killed program saw committed is there, with its number;
//   - no cheque is there twice, and no number serves twice;
//   - every chequebook's next number is past the numbers it has given;
//   - a statement reconciled by the real command line, killed as it goes, is
//     applied whole or not at all, at the statement's dates, and stays so.
// One kill in three is of `scribane-cli rapprocher RELEVE --appliquer`.
// Run by hand: scribane_registre_kill [KILLS] (200 by default).
#include "cheque/Journal.h"
#include "registre/Registre.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// What the killed program knew was committed, one line each, flushed to disk
// after the commit: a line may be missing for the last commit, never wrong.
void Temoin(QFile& f, const QByteArray& ligne) {
    f.write(ligne + '\n');
    f.flush();
#ifdef Q_OS_UNIX
    ::fsync(f.handle());
#endif
}

int Enfant(const QString& dossier, quint32 graine) {
    const CheminsScribane chemins{dossier};
    auto ouvert = Registre::ouvrir(chemins);
    if (!ouvert) {
        std::fprintf(stderr, "enfant : %s\n", qPrintable(ouvert.raison()));
        return 3;
    }
    Registre& reg = *ouvert.valeur();
    QFile temoin(dossier + QStringLiteral("/temoin.txt"));
    temoin.open(QIODevice::Append);
    QRandomGenerator alea(graine);
    for (int tour = 0;; ++tour) {
        const int choix = 1 + int(alea.bounded(2));
        const int quoi = int(alea.bounded(10));
        const QString nom = QStringLiteral("P%1-%2").arg(graine).arg(tour);
        if (quoi < 6) { // a print or a batch, as the print job does it
            QVector<ChequeAInscrire> cheques;
            const int n = quoi < 3 ? 1 : 1 + int(alea.bounded(5));
            for (int i = 0; i < n; ++i)
                cheques.append({QDate::currentDate(),
                                100 + tour,
                                QStringLiteral("%1,00").arg(1 + tour),
                                nom + QStringLiteral("-%1").arg(i),
                                {},
                                {},
                                QStringLiteral("Bureau")});
            auto notes = reg.noter(choix, cheques);
            if (!notes)
                continue;
            if (alea.bounded(8) == 0) { // the job came to nothing
                (void)reg.abandonner(*notes);
                continue;
            }
            const QDateTime moment = QDateTime::currentDateTime();
            if (!reg.confirmer(*notes, moment))
                continue;
            for (const ChequeInscrit& c : *notes)
                Temoin(temoin, QByteArray("C ") + QByteArray::number(c.id) + ' ' +
                                   QByteArray::number(c.numero.value_or(0)));
            for (int i = 0; i < n; ++i)
                (void)EcrireJournal(chemins.journaux(), moment, cheques[i].montant,
                                    cheques[i].destinataire, {});
        } else if (quoi == 6) { // a spoiled one
            const auto l = reg.nonEncaisses();
            if (l && !l->isEmpty() && reg.gacher(l->back().id, QStringLiteral("essai")))
                Temoin(temoin, "G " + QByteArray::number(l->back().id));
        } else if (quoi == 7) { // cashed, several at once
            const auto l = reg.nonEncaisses();
            if (l && l->size() > 3) {
                QVector<Encaissement> e;
                for (qsizetype i = 0; i < 3; ++i)
                    e.append({(*l)[i].id, QDate::currentDate()});
                if (reg.marquerEncaisses(e))
                    for (const Encaissement& x : e)
                        Temoin(temoin, "E " + QByteArray::number(x.id));
            }
        } else { // a line another program wrote in a journal, taken in
            (void)EcrireJournal(chemins.journaux(), QDateTime::currentDateTime(),
                                QStringLiteral("3,00"), nom + QStringLiteral("-j"), {});
            (void)reg.importerJournaux();
        }
    }
}

struct Bilan {
    int perdus = 0, doubles = 0, numerosRedonnes = 0, prochainsEnRetard = 0, endommages = 0,
        etatsPerdus = 0, cheques = 0, encaisses = 0, releves = 0, relevesAppliques = 0,
        partiels = 0, datesPerdues = 0;
};

// A statement given to the command line: its cheques, each on a day of its
// own no other statement uses.
struct ReleveEcrit {
    QVector<std::int64_t> ids;
    QVector<QDate> dates;
    bool applique = false;
};

QString Euros(std::int64_t centimes) {
    return QStringLiteral("%1,%2").arg(centimes / 100).arg(centimes % 100, 2, 10, QLatin1Char('0'));
}

// Up to four cheques still waiting to be cashed, written as a bank's CSV.
ReleveEcrit EcrireReleve(const QString& dossier, const QString& fichier, int rang) {
    ReleveEcrit r;
    auto ouvert = Registre::ouvrir(CheminsScribane{dossier}, nullptr, false);
    if (!ouvert)
        return r;
    const auto l = ouvert.valeur()->nonEncaisses();
    if (!l)
        return r;
    QByteArray csv = "Date;Libell\xc3\xa9;D\xc3\xa9""bit;Cr\xc3\xa9""dit\r\n";
    for (const ChequeNonEncaisse& c : *l) {
        if (!c.numero || r.ids.size() == 4)
            continue;
        const QDate jour = QDate(2020, 1, 1).addDays(rang * 4 + r.ids.size());
        r.ids.append(c.id);
        r.dates.append(jour);
        csv += (jour.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(";CHQ %1;%2;\r\n")
                                                                  .arg(*c.numero)
                                                                  .arg(Euros(c.centimes)))
                   .toUtf8();
    }
    QFile f(fichier);
    if (r.ids.isEmpty() || !f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(csv) != csv.size())
        r.ids.clear();
    return r;
}

// Whole or nothing, at the statement's dates; once whole, it stays whole.
void VerifierReleves(const QHash<std::int64_t, ChequeRegistre>& parId,
                     QVector<ReleveEcrit>& releves, Bilan& b) {
    b.relevesAppliques = 0;
    for (ReleveEcrit& r : releves) {
        // The statement's days are its own: a cheque cashed on one of them was
        // cashed by it. One cashed since on another day was never matched
        // (the command line was killed first) and was cashed by other means.
        int marques = 0;
        for (qsizetype i = 0; i < r.ids.size(); ++i) {
            const auto it = parId.constFind(r.ids[i]);
            if (it != parId.cend() && it->statut == Statut::Encaisse &&
                it->encaisseLe == r.dates[i])
                ++marques;
        }
        if (r.applique && marques != r.ids.size())
            ++b.datesPerdues;
        if (marques != 0 && marques != r.ids.size())
            ++b.partiels;
        r.applique = r.applique || marques == r.ids.size();
        b.relevesAppliques += r.applique;
    }
}

void Verifier(const QString& dossier, QVector<ReleveEcrit>& releves, Bilan& b) {
    OuvertureRegistre rapport;
    auto ouvert = Registre::ouvrir(CheminsScribane{dossier}, &rapport);
    if (!ouvert || !rapport.endommage.isEmpty()) {
        ++b.endommages;
        std::fprintf(stderr, "registre : %s\n",
                     qPrintable(ouvert ? rapport.endommage : ouvert.raison()));
        return;
    }
    Registre& reg = *ouvert.valeur();
    const auto liste = *reg.cheques();
    b.cheques = int(liste.size());
    QHash<std::int64_t, ChequeRegistre> parId;
    QSet<QString> numeros, cles;
    QHash<QString, std::int64_t> plusHaut;
    b.encaisses = 0;
    for (const ChequeRegistre& c : liste) {
        parId.insert(c.id, c);
        b.encaisses += c.statut == Statut::Encaisse;
        if (c.numero) {
            const QString n = c.chequier + u'#' + QString::number(*c.numero);
            b.numerosRedonnes += numeros.contains(n);
            numeros.insert(n);
            plusHaut[c.chequier] = std::max(plusHaut.value(c.chequier), *c.numero);
        }
        const QString cle = c.destinataire + u'#' + QString::number(c.centimes);
        b.doubles += cles.contains(cle); // every payee is used once
        cles.insert(cle);
    }
    for (auto it = plusHaut.cbegin(); it != plusHaut.cend(); ++it) {
        const auto prochain =
            reg.base().entier("SELECT prochain FROM chequiers WHERE nom = ?", {it.key()});
        if (!prochain || !*prochain || **prochain <= it.value())
            ++b.prochainsEnRetard;
    }
    VerifierReleves(parId, releves, b);
    QFile temoin(dossier + QStringLiteral("/temoin.txt"));
    temoin.open(QIODevice::ReadOnly);
    for (const QByteArray& ligne : temoin.readAll().split('\n')) {
        const QList<QByteArray> p = ligne.split(' ');
        if (p.size() < 2)
            continue;
        const auto it = parId.constFind(p[1].toLongLong());
        if (it == parId.cend()) {
            ++b.perdus;
            continue;
        }
        if (p[0] == "C" && it->numero.value_or(0) != p.value(2).toLongLong())
            ++b.perdus;
        if ((p[0] == "G" && it->statut != Statut::Gache) ||
            (p[0] == "E" && it->statut != Statut::Encaisse))
            ++b.etatsPerdus;
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 4 && args[1] == u"enfant")
        return Enfant(args[2], args[3].toUInt());

    const int tues = args.size() > 1 ? args[1].toInt() : 200;
    QTemporaryDir dossier;
    {
        auto reg = Registre::ouvrir(CheminsScribane{dossier.path()});
        (void)reg.valeur()->reglerChequier(1, {QStringLiteral("Commun"), true, 1000000});
        (void)reg.valeur()->reglerChequier(2, {QStringLiteral("Commun"), true, 1000000});
    }
    QRandomGenerator alea(2026);
    Bilan b;
    int tuesVraiment = 0;
    QVector<ReleveEcrit> releves;
    const QString fichierReleve = dossier.filePath(QStringLiteral("releve.csv"));
    for (int i = 0; i < tues; ++i) {
        QProcess enfant;
        enfant.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        int attente = 20 + int(alea.bounded(250));
        ReleveEcrit releve;
        if (i % 3 == 2)
            releve = EcrireReleve(dossier.path(), fichierReleve, i);
        if (!releve.ids.isEmpty()) {
            ++b.releves;
            releves.append(releve);
            enfant.setStandardOutputFile(QProcess::nullDevice());
            enfant.start(QStringLiteral(SCRIBANE_CLI),
                         {QStringLiteral("rapprocher"), fichierReleve, QStringLiteral("--dossier"),
                          dossier.path(), QStringLiteral("--appliquer")});
            attente = int(alea.bounded(60));
        } else {
            enfant.start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("enfant"), dossier.path(), QString::number(i + 1)});
        }
        enfant.waitForStarted();
        QThread::msleep(attente);
        if (enfant.state() == QProcess::Running)
            ++tuesVraiment;
        enfant.kill(); // SIGKILL
        enfant.waitForFinished();
        Verifier(dossier.path(), releves, b);
    }
    std::printf("%d tués (%d en pleine course), %d chèques au registre dont %d encaissés : "
                "%d perdus, %d en double, %d numéros redonnés, %d prochains numéros en retard, "
                "%d états perdus, %d registres endommagés ; %d relevés rapprochés par la ligne "
                "de commande, %d appliqués en entier, %d appliqués en partie, %d dates "
                "d'encaissement perdues\n",
                tues, tuesVraiment, b.cheques, b.encaisses, b.perdus, b.doubles,
                b.numerosRedonnes, b.prochainsEnRetard, b.etatsPerdus, b.endommages, b.releves,
                b.relevesAppliques, b.partiels, b.datesPerdues);
    return b.perdus + b.doubles + b.numerosRedonnes + b.prochainsEnRetard + b.etatsPerdus +
                       b.endommages + b.partiels + b.datesPerdues ==
                   0
               ? 0
               : 1;
}
