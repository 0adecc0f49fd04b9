#include "cli/Commande.h"
#include "cli/Console.h"

#include "cheque/HistoriqueJournal.h"
#include "cheque/Rapprochement.h"
#include "cheque/Releve.h"
#include "cheque/TravailCheque.h"
#include "registre/Registre.h"
#include "settings/DossierApplication.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

const char* const kAide =
    "Utilisation : scribane-cli rapprocher RELEVE [OPTIONS]\n"
    "\n"
    "Rapproche un relevé bancaire (CSV ou CFONB) des chèques du registre pas\n"
    "encore encaissés : ce qui est rapproché (numéro et montant sur un débit),\n"
    "ce qui reste à décider, ce qui n'est pas rapproché, puis ce qui reste à\n"
    "encaisser. Sans --appliquer, rien n'est écrit.\n"
    "\n"
    "Options :\n"
    "  --appliquer           marque encaissés les chèques rapprochés, à la date du\n"
    "                        relevé (jamais les lignes à décider)\n"
    "  --dossier DOSSIER     dossier des réglages (défaut : celui du programme)\n"
    "  --colonnes TEXTE      colonnes d'un CSV sans en-tête lisible, comptées depuis 0 :\n"
    "                        « date=0;libelle=1;debit=2;credit=3;montant=-1 »\n"
    "  -h, --help            affiche cette aide\n";

QString Jour(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString Numero(const std::optional<std::int64_t>& n) {
    return n ? NumeroCheque(*n) : QStringLiteral("sans numéro");
}

} // namespace

int CommandeRapprocher(Invocation& invocation) {
    const QStringList& arguments = invocation.arguments;
    QString dossier, fichier;
    std::optional<ColonnesReleve> colonnes;
    bool appliquer = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"-h" || a == u"--help") {
            Sortie() << kAide;
            Sortie().flush();
            return kSucces;
        }
        if (a == u"--appliquer") {
            appliquer = true;
            continue;
        }
        if (a == u"--dossier" || a == u"--colonnes") {
            if (i + 1 >= arguments.size())
                return Refuser(QStringLiteral("l'option %1 attend une valeur.").arg(a), kUsage);
            const QString valeur = arguments[++i];
            if (a == u"--dossier") {
                dossier = valeur;
            } else {
                colonnes = ColonnesReleve::depuisTexte(valeur);
                if (!colonnes)
                    return Refuser(QStringLiteral("colonnes non valides « %1 » : attendu par "
                                                  "exemple « date=0;libelle=1;debit=2;"
                                                  "credit=3;montant=-1 ».")
                                       .arg(valeur),
                                   kUsage);
            }
            continue;
        }
        if (a.startsWith(u'-') && a.size() > 1)
            return Refuser(QStringLiteral("option inconnue « %1 ».").arg(a), kUsage);
        if (!fichier.isEmpty())
            return Refuser(QStringLiteral("un seul relevé à la fois (« %1 » en plus).").arg(a),
                           kUsage);
        fichier = a;
    }
    if (fichier.isEmpty())
        return Refuser(QStringLiteral("quel relevé ? Voir scribane-cli rapprocher --help."),
                       kUsage);

    QCoreApplication application(invocation.argc, invocation.argv);
    QCoreApplication::setApplicationName(QStringLiteral("Scribane"));

    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return Refuser(QStringLiteral("le relevé « %1 » n'a pas pu être ouvert : %2")
                           .arg(fichier, f.errorString()));
    if (f.size() > kTailleMaxReleve)
        return Refuser(
            QStringLiteral("le relevé « %1 » est trop grand pour un relevé bancaire.").arg(fichier));
    const QByteArray octets = f.read(kTailleMaxReleve + 1);
    if (f.error() != QFileDevice::NoError || octets.size() > kTailleMaxReleve)
        return Refuser(QStringLiteral("le relevé « %1 » n'a pas pu être lu : %2")
                           .arg(fichier, f.errorString()));
    const auto releve = LireReleve(octets, colonnes);
    if (!releve)
        return Refuser(QStringLiteral("relevé « %1 » refusé : %2").arg(fichier, releve.raison()));

    if (dossier.isEmpty())
        dossier = ChoisirDossier(QCoreApplication::applicationDirPath(),
                                 DossierDonneesUtilisateur())
                      .chemin;
    if (!QFileInfo(dossier).isDir())
        return Refuser(QStringLiteral("le dossier « %1 » n'existe pas.").arg(dossier));

    // A print under way in the window is left to finish: it is not ours to take back.
    OuvertureRegistre rapport;
    auto registre = Registre::ouvrir(CheminsScribane{dossier}, &rapport, false);
    for (const QString& m : rapport.messages())
        Erreurs() << "scribane-cli : " << m << '\n';
    Erreurs().flush();
    if (!registre)
        return Refuser(registre.raison());
    const auto nonEncaisses = registre.valeur()->nonEncaisses();
    if (!nonEncaisses)
        return Refuser(nonEncaisses.raison());

    const QVector<ChequeEnCours> cheques = ChequesARapprocher(*nonEncaisses);
    QHash<std::int64_t, qsizetype> parId;
    for (qsizetype i = 0; i < cheques.size(); ++i)
        parId.insert(cheques[i].id, i);
    const Rapprochement r = Rapprocher(releve->lignes, cheques);

    auto cheque = [&](std::int64_t id) -> const ChequeNonEncaisse& {
        return (*nonEncaisses)[parId.value(id)];
    };
    auto ligne = [](const LigneReleve& l) {
        return QStringLiteral("ligne %1  %2  %3 €  %4")
            .arg(l.ligne)
            .arg(Jour(l.date), MontantDeCentimes(l.centimes), l.libelle);
    };

    QTextStream& s = Sortie();
    s << "Rapprochés : " << r.rapproches.size() << '\n';
    for (const ChequeEncaisse& e : r.rapproches) {
        const ChequeNonEncaisse& c = cheque(e.id);
        s << "  " << Numero(c.numero) << "  " << MontantDeCentimes(c.centimes) << " €  "
          << c.destinataire << "  encaissé le " << Jour(e.encaissement) << '\n';
    }
    s << "À décider : " << r.aDecider.size() << '\n';
    for (const LigneADecider& d : r.aDecider) {
        s << "  " << ligne(d.ligne) << " : " << DireDoute(d.doute);
        if (!d.candidats.isEmpty()) {
            QStringList noms;
            for (std::int64_t id : d.candidats.first(std::min<qsizetype>(d.candidats.size(), 3))) {
                const ChequeNonEncaisse& c = cheque(id);
                noms << QStringLiteral("%1 de %2 € à %3")
                            .arg(Numero(c.numero), MontantDeCentimes(c.centimes), c.destinataire);
            }
            s << " (peut-être " << noms.join(QStringLiteral(", "))
              << (d.candidatsEnTout > noms.size() ? QStringLiteral("…") : QString()) << ')';
        }
        s << '\n';
    }
    s << "Non rapprochés : " << r.nonRapproches.size() << '\n';
    for (const LigneReleve& l : r.nonRapproches)
        s << "  " << ligne(l) << '\n';
    s.flush();

    if (appliquer && !r.rapproches.isEmpty()) {
        QVector<Encaissement> marques;
        for (const ChequeEncaisse& e : r.rapproches)
            marques.append({e.id, e.encaissement});
        if (const auto fait = registre.valeur()->marquerEncaisses(marques); !fait)
            return Refuser(fait.raison().contains(QStringLiteral("Aucun n'est marqué"))
                               ? fait.raison()
                               : fait.raison() +
                                     QStringLiteral(" Aucun chèque n'est marqué encaissé."));
        s << marques.size() << " chèque(s) marqué(s) encaissé(s).\n";
    } else if (appliquer) {
        s << "Aucun chèque à marquer encaissé.\n";
    } else {
        s << "Rien n'est marqué : --appliquer marque encaissés les chèques rapprochés.\n";
    }
    s << "Reste à encaisser ensuite : " << r.restants << " chèque(s), "
      << MontantDeCentimes(r.restantCentimes) << " euros\n";
    s.flush();
    if (s.status() != QTextStream::Ok || std::ferror(stdout))
        return Refuser(QStringLiteral("la sortie n'a pas pu être écrite en entier."));
    return kSucces;
}
