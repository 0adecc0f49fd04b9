#include "cli/Commande.h"
#include "cli/Console.h"

#include "cheque/HistoriqueJournal.h"
#include "cheque/TravailCheque.h"
#include "registre/Registre.h"
#include "settings/DossierApplication.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

const char* const kAide =
    "Utilisation : scribane-cli registre [OPTIONS]\n"
    "\n"
    "Liste les chèques du registre, du plus ancien au plus récent, avec leur\n"
    "numéro et leur état, puis leur total et ce qui reste à encaisser.\n"
    "\n"
    "Options :\n"
    "  --dossier DOSSIER     dossier des réglages (défaut : celui du programme)\n"
    "  --statut ETAT         émis (tous ceux partis, encaissés ou non), gâché,\n"
    "                        annulé, encaissé, ou en-cours (émis et pas encore\n"
    "                        encaissés)\n"
    "  --du JJ/MM/AAAA       à partir de ce jour (la date du chèque)\n"
    "  --au JJ/MM/AAAA       jusqu'à ce jour\n"
    "  --cherche TEXTE       dans le destinataire, l'émetteur, le lieu ou le numéro\n"
    "                        (sans tenir compte des accents ni des majuscules)\n"
    "  --csv                 au format CSV d'un tableur (UTF-8, « ; », virgule décimale)\n"
    "  -h, --help            affiche cette aide\n"
    "\n"
    "Un chèque émis depuis plus d'un an et huit jours et jamais encaissé est\n"
    "marqué « prescrit ».\n";

std::optional<QDate> LireJour(const QString& texte) {
    const QDate jour = QDate::fromString(texte, QStringLiteral("dd/MM/yyyy"));
    return jour.isValid() ? std::optional<QDate>(jour) : std::nullopt;
}

} // namespace

int CommandeRegistre(Invocation& invocation) {
    const QStringList& arguments = invocation.arguments;
    QString dossier;
    FiltreRegistre filtre;
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
        const bool avecValeur = a == u"--dossier" || a == u"--du" || a == u"--au" ||
                                a == u"--cherche" || a == u"--statut";
        if (!avecValeur)
            return Refuser(QStringLiteral("option inconnue « %1 ».").arg(a), kUsage);
        if (i + 1 >= arguments.size())
            return Refuser(QStringLiteral("l'option %1 attend une valeur.").arg(a), kUsage);
        const QString valeur = arguments[++i];
        if (a == u"--dossier") {
            dossier = valeur;
        } else if (a == u"--cherche") {
            filtre.recherche = valeur;
        } else if (a == u"--statut") {
            const auto statut = FiltreStatutDuNom(valeur);
            if (!statut)
                return Refuser(QStringLiteral("état inconnu « %1 » : émis, gâché, annulé, "
                                              "encaissé ou en-cours.")
                                   .arg(valeur),
                               kUsage);
            filtre.statut = *statut;
        } else {
            const auto jour = LireJour(valeur);
            if (!jour)
                return Refuser(
                    QStringLiteral("date non valide « %1 » : attendu JJ/MM/AAAA.").arg(valeur),
                    kUsage);
            (a == u"--du" ? filtre.du : filtre.au) = jour;
        }
    }

    QCoreApplication application(invocation.argc, invocation.argv);
    QCoreApplication::setApplicationName(QStringLiteral("Scribane"));
    if (dossier.isEmpty())
        dossier = ChoisirDossier(QCoreApplication::applicationDirPath(),
                                 DossierDonneesUtilisateur())
                      .chemin;
    if (!QFileInfo(dossier).isDir())
        return Refuser(QStringLiteral("le dossier « %1 » n'existe pas.").arg(dossier));

    // Only read: a print under way in the window is left to finish.
    OuvertureRegistre rapport;
    auto registre = Registre::ouvrir(CheminsScribane{dossier}, &rapport, false);
    for (const QString& m : rapport.messages())
        Erreurs() << "scribane-cli : " << m << '\n';
    Erreurs().flush();
    if (!registre)
        return Refuser(registre.raison());
    const auto tous = registre.valeur()->cheques();
    const auto enCours = registre.valeur()->enCours();
    if (!tous)
        return Refuser(tous.raison());
    if (!enCours)
        return Refuser(enCours.raison());

    const QDate aujourdhui = QDate::currentDate();
    QVector<ChequeRegistre> retenus;
    std::int64_t total = 0;
    for (const ChequeRegistre& c : *tous)
        if (filtre.accepte(c)) {
            retenus.append(c);
            total += c.centimes;
        }

    if (csv) {
        const QByteArray octets = CsvRegistre(retenus, aujourdhui);
        const bool ecrit = std::fwrite(octets.constData(), 1, static_cast<size_t>(octets.size()),
                                       stdout) == static_cast<size_t>(octets.size()) &&
                           std::fflush(stdout) == 0;
        return ecrit ? kSucces
                     : Refuser(QStringLiteral("la sortie n'a pas pu être écrite en entier."));
    }

    qsizetype largeurMontant = 7;
    qsizetype largeurDestinataire = 12;
    for (const ChequeRegistre& c : retenus) {
        largeurMontant = std::max(largeurMontant, MontantDeCentimes(c.centimes).size());
        largeurDestinataire = std::max(largeurDestinataire, c.destinataire.size());
    }
    QTextStream& s = Sortie();
    s << "Numéro   Date        " << QStringLiteral("Montant").rightJustified(largeurMontant) << "  "
      << QStringLiteral("Destinataire").leftJustified(largeurDestinataire) << "  Etat\n";
    for (const ChequeRegistre& c : retenus) {
        QString etat = StatutAffiche(c, aujourdhui);
        if (c.statut == Statut::Encaisse)
            etat += QStringLiteral(" le ") + c.encaisseLe.toString(QStringLiteral("dd/MM/yyyy"));
        if (!c.note.isEmpty())
            etat += QStringLiteral(" : ") + c.note;
        s << (c.numero ? QStringLiteral("%1").arg(*c.numero, 7, 10, QLatin1Char('0'))
                       : QStringLiteral("-"))
                 .leftJustified(7)
          << "  " << c.dateCheque.toString(QStringLiteral("dd/MM/yyyy")).leftJustified(10) << "  "
          << MontantDeCentimes(c.centimes).rightJustified(largeurMontant) << "  "
          << c.destinataire.leftJustified(largeurDestinataire) << "  " << etat << '\n';
    }
    s << "Total : " << retenus.size() << " chèque(s), " << MontantDeCentimes(total) << " euros\n";
    s << "Reste à encaisser : " << enCours->nombre << " chèque(s), "
      << MontantDeCentimes(enCours->centimes) << " euros\n";
    s.flush();
    if (s.status() != QTextStream::Ok || std::ferror(stdout))
        return Refuser(QStringLiteral("la sortie n'a pas pu être écrite en entier."));
    return kSucces;
}
