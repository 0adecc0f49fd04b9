#include "commande.h"
#include "console.h"

#include "ChargementChoix.h"
#include "DossierApplication.h"
#include "Enregistrement.h"
#include "Journal.h"
#include "ListesTriees.h"
#include "PreparationMontant.h"
#include "Rendu.h"
#include "SurfaceImprimante.h"
#include "montant_texte.h"

#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QLockFile>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

const char* const kAide =
    "Utilisation : scribane-cli imprimer --montant M --destinataire D [OPTIONS]\n"
    "\n"
    "Imprime un chèque sans fenêtre, avec les réglages du choix en cours, comme le\n"
    "bouton Imprimer : les listes sont enregistrées, le journal est tenu s'il est\n"
    "activé, le chèque est dessiné sur l'imprimante réglée ou dans un fichier PDF.\n"
    "\n"
    "Options :\n"
    "  --montant M           montant en chiffres (1 250,00)\n"
    "  --destinataire D      bénéficiaire du chèque\n"
    "  --lieu L              lieu d'émission\n"
    "  --date JJ/MM/AAAA     date du chèque (défaut : aujourd'hui)\n"
    "  --emetteur NOM        nom du titulaire, quand le journal le demande\n"
    "  --dossier DOSSIER     dossier des réglages (défaut : celui du programme)\n"
    "  --pdf FICHIER         dessine le chèque dans un fichier PDF\n"
    "  --imprimante NOM      imprime sur cette imprimante plutôt que sur celle réglée\n"
    "  -h, --help            affiche cette aide\n";

struct Options {
    QString montant, destinataire, lieu, date, emetteur, dossier, pdf, imprimante;
    bool montantDonne = false, destinataireDonne = false;
};

std::optional<Options> LireOptions(const QStringList& arguments, int& code) {
    Options o;
    const std::pair<const char*, QString*> avecValeur[] = {
        {"--montant", &o.montant}, {"--destinataire", &o.destinataire}, {"--lieu", &o.lieu},
        {"--date", &o.date},       {"--emetteur", &o.emetteur},         {"--dossier", &o.dossier},
        {"--pdf", &o.pdf},         {"--imprimante", &o.imprimante},
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"-h" || a == u"--help") {
            Sortie() << kAide;
            Sortie().flush();
            code = kSucces;
            return std::nullopt;
        }
        QString* cible = nullptr;
        for (const auto& [nom, valeur] : avecValeur)
            if (a == QLatin1String(nom))
                cible = valeur;
        if (!cible || i + 1 >= arguments.size()) {
            code = Refuser(cible ? QStringLiteral("l'option %1 attend une valeur.").arg(a)
                                 : QStringLiteral("option inconnue « %1 ».").arg(a),
                           kUsage);
            return std::nullopt;
        }
        *cible = arguments[++i];
        o.montantDonne |= cible == &o.montant;
        o.destinataireDonne |= cible == &o.destinataire;
    }
    if (!o.montantDonne || !o.destinataireDonne) {
        code = Refuser(QStringLiteral("--montant et --destinataire sont obligatoires. Voir "
                                      "scribane-cli imprimer --help."),
                       kUsage);
        return std::nullopt;
    }
    if (!o.pdf.isEmpty() && !o.imprimante.isEmpty()) {
        code = Refuser(QStringLiteral("--pdf et --imprimante ne vont pas ensemble."), kUsage);
        return std::nullopt;
    }
    return o;
}

// A text that becomes a list entry when it is new, in its sorted place.
void Retenir(QStringList& liste, const QString& texte) {
    if (texte.isEmpty() || liste.contains(texte))
        return;
    auto place = std::upper_bound(liste.begin(), liste.end(), texte, AvantEnFrancais);
    liste.insert(place, texte);
}

} // namespace

int CommandeImprimer(Invocation& invocation) {
    int code = kSucces;
    auto options = LireOptions(invocation.arguments, code);
    if (!options)
        return code;
    Options& o = *options;
    o.montant = EntreeSurUneLigne(o.montant);
    o.destinataire = EntreeSurUneLigne(o.destinataire);
    o.lieu = EntreeSurUneLigne(o.lieu);

    // Printing needs fonts and printers, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(invocation.argc, invocation.argv);
    QApplication::setApplicationName(QStringLiteral("Scribane"));

    QDate date = QDate::currentDate();
    if (!o.date.isEmpty()) {
        date = QDate::fromString(o.date, QStringLiteral("dd/MM/yyyy"));
        if (!date.isValid())
            return Refuser(
                QStringLiteral("la date « %1 » n'est pas de la forme JJ/MM/AAAA.").arg(o.date));
    }
    if (const auto refus = RefusMontant(o.montant))
        return Refuser(*refus);
    // The figures as the window prints them, once the amount box is left.
    o.montant = FormaterMontant(*LireMontant(o.montant));

    const QString dossier =
        !o.dossier.isEmpty()
            ? o.dossier
            : ChoisirDossier(QApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                  .chemin;
    if (!QFileInfo(dossier).isDir())
        return Refuser(QStringLiteral("le dossier « %1 » n'existe pas.").arg(dossier));
    const CheminsScribane chemins{dossier};
    // The window rewrites the lists from its boxes: the two must not run together.
    RefusVerrou refus;
    const auto verrou = PrendreVerrou(chemins, &refus);
    if (!verrou)
        return Refuser(refus.message);
    EtatChoix etat;
    RelireChoixCfg(etat, chemins.choix());
    Reglages r;
    ChoixCharge charge = ChargerReglages(chemins, etat, r, true);

    if (!o.imprimante.isEmpty()) {
        if (!QPrinterInfo::availablePrinterNames().contains(o.imprimante))
            return Refuser(
                QStringLiteral("l'imprimante « %1 » n'est pas installée.").arg(o.imprimante));
        r.Imprimante = o.imprimante;
    }
    if (r.Journal == 1 && r.Débiteur == 1 && o.emetteur.isEmpty())
        return Refuser(QStringLiteral("le journal demande le nom de l'émetteur : donnez-le avec "
                                      "--emetteur NOM."));

    const MontantPrepare prepare = PreparerTexteMontant(o.montant, r);
    if (prepare.montantRaccourci) // zero cents not printed: "150" rather than "150,00"
        o.montant = *prepare.montantRaccourci;

    if (etat.ChoixCourant != 0) {
        for (QStringList* liste :
             {&charge.listes.montants, &charge.listes.destinataires, &charge.listes.lieux})
            TrierEnFrancais(*liste);
        Retenir(charge.listes.montants, o.montant);
        Retenir(charge.listes.destinataires, o.destinataire);
        Retenir(charge.listes.lieux, o.lieu);
        for (const QString& texte : TextesNonRepresentables(charge.listes, nullptr))
            Erreurs() << QStringLiteral("scribane-cli : attention : « %1 » est enregistré dans "
                                        "Cheque.ini avec « ? » à la place des caractères que ce "
                                        "fichier ne sait pas garder.\n")
                             .arg(texte);
        Erreurs().flush();
        QString erreur;
        if (!EnregistrerCheque(chemins, {}, nullptr, charge.listes, &erreur))
            return Refuser(erreur);
    }

    const TextesCheque textes{CaptionAvecSautDeLigne(PreparerTexteMontant(o.montant, r).caption),
                              o.montant, o.destinataire, o.lieu, DateCheque(date)};
    TravailQt travail(o.pdf);
    ImprimerCheque(travail.surface(), r, textes);
    QString erreur;
    if (!travail.terminer(&erreur))
        return Refuser(QStringLiteral("le chèque n'a pas pu être imprimé sur « %1 » : %2")
                           .arg(travail.nomImprimante(), erreur));
    if (r.Journal == 1 &&
        !EcrireJournal(chemins.journaux(), QDateTime(QDate::currentDate(), QTime::currentTime()),
                       o.montant, o.destinataire, o.emetteur, &erreur))
        return Refuser(QStringLiteral("le chèque est imprimé, mais le journal n'a pas pu être "
                                      "tenu : ") +
                       erreur);

    Sortie() << QStringLiteral("Chèque imprimé sur « %1 ».\n").arg(travail.nomImprimante());
    Sortie().flush();
    return kSucces;
}
