#include "cli/Commande.h"
#include "cli/Console.h"

#include "cheque/HistoriqueJournal.h"
#include "settings/DossierApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

const char* const kAide =
    "Utilisation : scribane-cli journal [OPTIONS]\n"
    "\n"
    "Liste les chèques notés dans les journaux d'impression, du plus ancien au plus\n"
    "récent, et leur total en dernière ligne.\n"
    "\n"
    "Options :\n"
    "  --dossier DOSSIER     dossier des réglages (défaut : celui du programme)\n"
    "  --du JJ/MM/AAAA       à partir de ce jour\n"
    "  --au JJ/MM/AAAA       jusqu'à ce jour\n"
    "  --cherche TEXTE       dans le destinataire ou l'émetteur (sans tenir compte\n"
    "                        des accents ni des majuscules)\n"
    "  --csv                 au format CSV d'un tableur (UTF-8, « ; », virgule décimale)\n"
    "  -h, --help            affiche cette aide\n"
    "\n"
    "Le code de sortie est 1 quand un journal ou une de ses lignes n'a pas pu être\n"
    "lu : la liste peut manquer de chèques, et la sortie d'erreur dit où.\n";

std::optional<QDate> LireJour(const QString& texte) {
    const QDate jour = QDate::fromString(texte, QStringLiteral("dd/MM/yyyy"));
    return jour.isValid() ? std::optional<QDate>(jour) : std::nullopt;
}

// After the list, so that it is read last: which journals the list may lack
// cheques from. A damaged journal of a day outside the dates asked for takes
// nothing from the list. Any other makes the total incomplete: not a success.
int SignalerJournauxEndommages(const LectureJournaux& lecture, const FiltreJournal& filtre,
                               const QString& journaux) {
    int code = kSucces;
    for (const JournalEndommage& e : lecture.endommages) {
        if (!filtre.couvre(e.jour))
            continue;
        const QString chemin = QDir::toNativeSeparators(journaux + u'/' + e.fichier);
        Erreurs() << "scribane-cli : "
                  << (e.illisible
                          ? QStringLiteral("le journal %1 est illisible : ses chèques manquent à "
                                           "la liste.")
                                .arg(chemin)
                          : QStringLiteral("%1 ligne(s) illisible(s) ignorée(s) dans le journal "
                                           "%2 : la liste peut être incomplète.")
                                .arg(e.lignesIgnorees)
                                .arg(chemin))
                  << '\n';
        code = kEchec;
    }
    Erreurs().flush();
    return code;
}

} // namespace

int CommandeJournal(Invocation& invocation) {
    const QStringList& arguments = invocation.arguments;
    QString dossier;
    FiltreJournal filtre;
    bool csv = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"-h" || a == u"--help") {
            Sortie() << kAide;
            Sortie().flush();
            return kSucces;
        }
        if (a == u"--csv") {
            csv = true;
            continue;
        }
        const bool avecValeur =
            a == u"--dossier" || a == u"--du" || a == u"--au" || a == u"--cherche";
        if (!avecValeur)
            return Refuser(QStringLiteral("option inconnue « %1 ».").arg(a), kUsage);
        if (i + 1 >= arguments.size())
            return Refuser(QStringLiteral("l'option %1 attend une valeur.").arg(a), kUsage);
        const QString valeur = arguments[++i];
        if (a == u"--dossier") {
            dossier = valeur;
        } else if (a == u"--cherche") {
            filtre.recherche = valeur;
        } else {
            const auto jour = LireJour(valeur);
            if (!jour)
                return Refuser(
                    QStringLiteral("date non valide « %1 » : attendu JJ/MM/AAAA.").arg(valeur),
                    kUsage);
            (a == u"--du" ? filtre.du : filtre.au) = jour;
        }
    }

    if (dossier.isEmpty()) {
        QCoreApplication application(invocation.argc, invocation.argv);
        QCoreApplication::setApplicationName(QStringLiteral("Scribane"));
        dossier = ChoisirDossier(QCoreApplication::applicationDirPath(),
                                 DossierDonneesUtilisateur())
                      .chemin;
    }
    if (!QFileInfo(dossier).isDir())
        return Refuser(QStringLiteral("le dossier « %1 » n'existe pas.").arg(dossier));

    const QString journaux = CheminsScribane{dossier}.journaux();
    const LectureJournaux lecture = LireJournaux(journaux);
    QVector<ChequeJournal> retenus;
    std::int64_t total = 0;
    for (const ChequeJournal& c : lecture.cheques)
        if (filtre.accepte(c)) {
            retenus.append(c);
            total += c.centimes;
        }

    if (csv) {
        const QByteArray octets = CsvJournal(retenus);
        const bool ecrit = std::fwrite(octets.constData(), 1, static_cast<size_t>(octets.size()),
                                       stdout) == static_cast<size_t>(octets.size()) &&
                           std::fflush(stdout) == 0;
        if (!ecrit)
            return Refuser(QStringLiteral("la sortie n'a pas pu être écrite en entier."));
        return SignalerJournauxEndommages(lecture, filtre, journaux);
    }

    // Aligned columns: the amounts to the right, as on a statement.
    qsizetype largeurMontant = 7;
    qsizetype largeurDestinataire = 12;
    for (const ChequeJournal& c : retenus) {
        largeurMontant = std::max(largeurMontant, c.montant.size());
        largeurDestinataire = std::max(largeurDestinataire, c.destinataire.size());
    }
    QTextStream& s = Sortie();
    s << "Date        Heure     " << QStringLiteral("Montant").rightJustified(largeurMontant)
      << "  " << QStringLiteral("Destinataire").leftJustified(largeurDestinataire)
      << "  Emetteur\n";
    for (const ChequeJournal& c : retenus)
        s << c.date.toString(QStringLiteral("dd/MM/yyyy")) << "  "
          << c.heure.toString(QStringLiteral("HH:mm:ss")) << "  "
          << MontantDeCentimes(c.centimes).rightJustified(largeurMontant) << "  "
          << (c.emetteur.isEmpty() ? c.destinataire
                                   : c.destinataire.leftJustified(largeurDestinataire) +
                                         QStringLiteral("  ") + c.emetteur)
          << '\n';
    s << "Total : " << retenus.size() << " chèque(s), " << MontantDeCentimes(total) << " euros\n";
    s.flush();
    if (s.status() != QTextStream::Ok || std::ferror(stdout))
        return Refuser(QStringLiteral("la sortie n'a pas pu être écrite en entier."));
    return SignalerJournauxEndommages(lecture, filtre, journaux);
}
