#include "cli/Commande.h"
#include "cli/Console.h"

#include "cheque/LotCheques.h"
#include "cheque/PlaceTextes.h"
#include "cheque/PreparationMontant.h"
#include "cheque/TravailCheque.h"
#include "impression/SurfaceImprimante.h"
#include "registre/Registre.h"
#include "settings/ChargementChoix.h"
#include "settings/DossierApplication.h"
#include "settings/Enregistrement.h"
#include "settings/TriFrancais.h"
#include "words/MontantTexte.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QPrinterInfo>
#include <QRegularExpression>

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
    "  --lot FICHIER         imprime un chèque par ligne du fichier (CSV :\n"
    "                        montant;destinataire;lieu;date, la date facultative),\n"
    "                        en un seul travail, une page par chèque ; rien n'est\n"
    "                        imprimé si une ligne est refusée\n"
    "  --forcer              imprime même quand un texte dépasse du chèque ou\n"
    "                        empiète sur un autre\n"
    "  --numero N            numéro du chèque (7 chiffres) ; un lot prend les\n"
    "                        numéros suivants\n"
    "  --gache N             n'imprime rien : note au registre que le chèque n° N du\n"
    "                        chéquier du choix en cours est gâché\n"
    "  --raison TEXTE        avec --gache, pourquoi\n"
    "\n"
    "Chaque chèque imprimé est noté au registre des chèques (Registre.sqlite),\n"
    "avec son numéro quand le chéquier est numéroté ; il est tenu pour bien\n"
    "imprimé.\n"
    "  -h, --help            affiche cette aide\n";

// A cheque number: 1 to 7 digits, 1 to 9 999 999.
std::optional<std::int64_t> NumeroLu(const QString& texte) {
    static const QRegularExpression chiffres(QStringLiteral("^\\d{1,7}$"));
    if (!chiffres.match(texte).hasMatch() || texte.toLongLong() == 0)
        return std::nullopt;
    return texte.toLongLong();
}

struct Options {
    QString montant, destinataire, lieu, date, emetteur, dossier, pdf, imprimante, lot;
    QString numero, gache, raison;
    bool montantDonne = false, destinataireDonne = false;
    bool forcer = false;
};

std::optional<Options> LireOptions(const QStringList& arguments, int& code) {
    Options o;
    const std::pair<const char*, QString*> avecValeur[] = {
        {"--montant", &o.montant},   {"--destinataire", &o.destinataire},
        {"--lieu", &o.lieu},         {"--date", &o.date},
        {"--emetteur", &o.emetteur}, {"--dossier", &o.dossier},
        {"--pdf", &o.pdf},           {"--imprimante", &o.imprimante},
        {"--lot", &o.lot},           {"--numero", &o.numero},
        {"--gache", &o.gache},       {"--raison", &o.raison},
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"-h" || a == u"--help") {
            Sortie() << kAide;
            Sortie().flush();
            code = kSucces;
            return std::nullopt;
        }
        if (a == u"--forcer") {
            o.forcer = true;
            continue;
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
    for (const QString* n : {&o.numero, &o.gache})
        if (!n->isEmpty() && !NumeroLu(*n)) {
            code = Refuser(QStringLiteral("« %1 » n'est pas un numéro de chèque : 1 à 7 "
                                          "chiffres.")
                               .arg(*n),
                           kUsage);
            return std::nullopt;
        }
    if (!o.gache.isEmpty()) {
        if (o.montantDonne || o.destinataireDonne || !o.lot.isEmpty() || !o.numero.isEmpty() ||
            !o.pdf.isEmpty() || !o.imprimante.isEmpty()) {
            code = Refuser(QStringLiteral("--gache n'imprime rien : il ne va qu'avec --raison "
                                          "et --dossier."),
                           kUsage);
            return std::nullopt;
        }
        return o;
    }
    if (!o.raison.isEmpty()) {
        code = Refuser(QStringLiteral("--raison ne va qu'avec --gache."), kUsage);
        return std::nullopt;
    }
    if (!o.lot.isEmpty() &&
        (o.montantDonne || o.destinataireDonne || !o.lieu.isEmpty() || !o.date.isEmpty())) {
        code = Refuser(QStringLiteral("--lot remplace --montant, --destinataire, --lieu et "
                                      "--date."),
                       kUsage);
        return std::nullopt;
    }
    if (o.lot.isEmpty() && (!o.montantDonne || !o.destinataireDonne)) {
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

// One cheque to print, as typed or as read from a batch line.
struct Cheque {
    int ligne = 0; // in the batch file; 0 for the command line
    ChequeSaisi saisi;
    QString dateTexte;
};

std::optional<QVector<Cheque>> LireFichierLot(const QString& chemin, QStringList& refus) {
    const LotLu lu = LireFichierLot(chemin);
    refus << lu.refus;
    QVector<Cheque> cheques;
    for (const ChequeDuLot& l : lu.cheques)
        cheques.append({l.ligne, {l.montant, l.destinataire, l.lieu, {}}, l.date});
    return cheques;
}

// The date of a cheque, or why it is refused.
std::optional<QString> RefusDate(Cheque& c) {
    const auto date = DateDuCheque(c.dateTexte, QDate::currentDate());
    if (!date)
        return date.raison();
    c.saisi.date = *date;
    return std::nullopt;
}

// The words as the settings lay them out, or why they do not fit; then every
// other text in its room on the cheque, unless the user forces the print.
std::optional<QString> RefusAvecReglages(const Cheque& c, const Reglages& r, bool forcer) {
    const auto prepare = PreparerCheque(c.saisi, r);
    if (!prepare)
        return prepare.raison();
    if (!forcer && !prepare->depassements.isEmpty())
        return DecrireDepassements(prepare->depassements).replace(u'\n', u' ') +
               QStringLiteral(" Corrigez les réglages, ou imprimez quand même avec --forcer.");
    return std::nullopt;
}

// "12.50" is taken for "12,50", as the amount box takes the point key.
QString AvecVirguleSiPoint(const QString& montant) {
    return AvecVirguleDecimale(montant).value_or(montant);
}

QString Prefixe(const Cheque& c) {
    return c.ligne > 0 ? QStringLiteral("ligne %1 : ").arg(c.ligne) : QString();
}

// The questions of a print, answered from the options: every cheque was
// checked before (overflows refused unless --forcer), the holder's name is
// --emetteur, and lists that cannot be saved stop the print.
class QuestionsLigne final : public QuestionsImpression {
public:
    QuestionsLigne(const Options& o, bool lot) : options_(o), lot_(lot) {}

    bool imprimerQuandMeme(const QString&) override { return true; }
    bool choisirSortie() override { return true; }
    void listesRetenues(const ListesMemorisees&) override {}
    void textesNonRepresentables(const QStringList& textes) override {
        for (const QString& texte : textes)
            Erreurs() << QStringLiteral("scribane-cli : attention : « %1 » est enregistré dans "
                                        "Cheque.ini avec « ? » à la place des caractères que ce "
                                        "fichier ne sait pas garder.\n")
                             .arg(texte);
        Erreurs().flush();
    }
    bool imprimerSansListes(const QString&) override { return false; }
    std::optional<QString> nomTitulaire() override { return options_.emetteur; }
    TravailImpression& ouvrirTravail() override {
        travail = std::make_unique<TravailQt>(options_.pdf);
        return *travail;
    }
    void chequeDessine(qsizetype numero, qsizetype total) override {
        // One line rewritten in place on a terminal; elsewhere the "\r" would
        // run the counts together, and only the outcome is said.
        if (!lot_ || !ErreursSurTerminal())
            return;
        Erreurs() << QStringLiteral("\rChèque %1 sur %2…").arg(numero).arg(total);
        if (numero == total)
            Erreurs() << '\n';
        Erreurs().flush();
    }

    std::unique_ptr<TravailQt> travail;

private:
    const Options& options_;
    const bool lot_;
};

QString DossierDesReglages(const Options& o) {
    return !o.dossier.isEmpty()
               ? o.dossier
               : ChoisirDossier(QApplication::applicationDirPath(),
                                DossierDonneesUtilisateur())
                     .chemin;
}

// The register of the folder, what its opening found said on stderr.
Resultat<std::unique_ptr<Registre>> OuvrirRegistre(const CheminsScribane& chemins) {
    OuvertureRegistre rapport;
    auto registre = Registre::ouvrir(chemins, &rapport);
    for (const QString& m : rapport.messages())
        Erreurs() << "scribane-cli : " << m << '\n';
    Erreurs().flush();
    return registre;
}

// --gache N: the cheque N of the current choice's chequebook is spoiled.
int NoterGache(const Options& o) {
    const QString dossier = DossierDesReglages(o);
    if (!QFileInfo(dossier).isDir())
        return Refuser(QStringLiteral("le dossier « %1 » n'existe pas.").arg(dossier));
    const CheminsScribane chemins{dossier};
    RefusVerrou refus;
    const auto verrou = PrendreVerrou(chemins, &refus);
    if (!verrou)
        return Refuser(refus.message);
    EtatChoix etat;
    RelireChoixCfg(etat, chemins.choix());
    auto registre = OuvrirRegistre(chemins);
    if (!registre)
        return Refuser(registre.raison());
    Registre& reg = *registre.valeur();
    const auto chequier = reg.chequierDuChoix(etat.ChoixCourant == 2 ? 2 : 1);
    if (!chequier)
        return Refuser(chequier.raison());
    const std::int64_t numero = *NumeroLu(o.gache);
    const auto cheque = reg.chequeNumero(chequier->nom, numero);
    if (!cheque)
        return Refuser(cheque.raison());
    if (!*cheque)
        return Refuser(QStringLiteral("le chèque %1 du chéquier « %2 » n'est pas au registre.")
                           .arg(NumeroCheque(numero), chequier->nom));
    if (const auto fait = reg.gacher((*cheque)->id, o.raison); !fait)
        return Refuser(fait.raison());
    Sortie() << QStringLiteral("Chèque %1 noté gâché.\n").arg(NumeroCheque(numero));
    Sortie().flush();
    return kSucces;
}

} // namespace

int CommandeImprimer(Invocation& invocation) {
    int code = kSucces;
    auto options = LireOptions(invocation.arguments, code);
    if (!options)
        return code;
    Options& o = *options;

    // Printing needs fonts and printers, not a screen. Windows always has its desktop
    // (and there, setting the variable here leaves Qt without any font).
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication application(invocation.argc, invocation.argv);
    QApplication::setApplicationName(QStringLiteral("Scribane"));
    if (!o.gache.isEmpty())
        return NoterGache(o);

    const bool lot = !o.lot.isEmpty();
    QVector<Cheque> cheques;
    if (lot) {
        QStringList refus;
        const auto lus = LireFichierLot(o.lot, refus);
        if (!refus.isEmpty()) {
            for (const QString& r : refus)
                Refuser(r);
            return Refuser(QStringLiteral("aucun chèque n'est imprimé."));
        }
        cheques = *lus;
        for (Cheque& c : cheques)
            c.saisi.montant = AvecVirguleSiPoint(c.saisi.montant);
    } else {
        Cheque c;
        c.saisi = {AvecVirguleSiPoint(EntreeSurUneLigne(o.montant)),
                   EntreeSurUneLigne(o.destinataire),
                   EntreeSurUneLigne(o.lieu),
                   {}};
        c.dateTexte = o.date;
        // What needs no settings is refused before the settings are looked for.
        if (auto refus = RefusControle(c.saisi);
            refus || (refus = RefusDate(c)) || (refus = RefusMontant(c.saisi.montant)))
            return Refuser(*refus);
        cheques.append(c);
    }

    const QString dossier = DossierDesReglages(o);
    if (!QFileInfo(dossier).isDir())
        return Refuser(QStringLiteral("le dossier « %1 » n'existe pas.").arg(dossier));
    if (!o.pdf.isEmpty()) {
        // Refused before anything is kept: the file could never be written.
        const QFileInfo pdf(o.pdf);
        if (!pdf.absoluteDir().exists())
            return Refuser(QStringLiteral("le dossier « %1 » du fichier PDF n'existe pas.")
                               .arg(QDir::toNativeSeparators(pdf.absolutePath())));
        if (pdf.isDir())
            return Refuser(QStringLiteral("« %1 » est un dossier, pas un fichier PDF.")
                               .arg(QDir::toNativeSeparators(o.pdf)));
        if (!DossierInscriptible(pdf.absolutePath()))
            return Refuser(
                QStringLiteral("le dossier « %1 » du fichier PDF n'est pas accessible en écriture.")
                    .arg(QDir::toNativeSeparators(pdf.absolutePath())));
    }
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
    } else if (o.pdf.isEmpty() && !QPrinterInfo::availablePrinterNames().contains(r.Imprimante)) {
        // Never the system's default printer in its place: the cheque would
        // come out elsewhere, reported as printed.
        return Refuser(
            r.Imprimante.isEmpty()
                ? QStringLiteral("aucune imprimante n'est choisie : ouvrez "
                                 "Configuration et Options, ou donnez --imprimante.")
                : QStringLiteral("l'imprimante « %1 » n'est pas installée.").arg(r.Imprimante));
    }
    if (auto refus = RefusControle(o.emetteur, QStringLiteral("le nom de l'émetteur")))
        return Refuser(*refus);
    if (r.Journal == 1 && r.Debiteur == 1 && o.emetteur.isEmpty())
        return Refuser(QStringLiteral("le journal demande le nom de l'émetteur : donnez-le avec "
                                      "--emetteur NOM."));

    // Every cheque is checked before anything is printed, kept or journaled.
    bool refuse = false;
    QVector<ChequeSaisi> saisis;
    for (Cheque& c : cheques) {
        auto refus = lot ? RefusDate(c) : std::nullopt;
        if (!refus)
            refus = RefusAvecReglages(c, r, o.forcer);
        if (refus) {
            Refuser(Prefixe(c) + *refus);
            refuse = true;
        }
        saisis.append(c.saisi);
    }
    if (refuse)
        return lot ? Refuser(QStringLiteral("aucun chèque n'est imprimé.")) : kEchec;

    std::optional<ListesMemorisees> listes;
    if (etat.ChoixCourant != 0) {
        listes = charge.listes;
        for (QStringList* liste : {&listes->montants, &listes->destinataires, &listes->lieux})
            TrierEnFrancais(*liste);
    }
    // No cheque goes out without its record.
    auto registre = OuvrirRegistre(chemins);
    if (!registre)
        return Refuser(registre.raison() + QStringLiteral(" Rien n'est imprimé."));
    ImpressionAuRegistre auRegistre(*registre.valeur(), etat.ChoixCourant == 2 ? 2 : 1);
    if (!o.numero.isEmpty())
        auRegistre.premier = NumeroLu(o.numero);

    // One cheque keeps the lists first, as the print button does; a batch
    // keeps them once, after its pages.
    const ContexteImpression contexte{r,          chemins, listes, lot, &QDateTime::currentDateTime,
                                      &auRegistre};
    QuestionsLigne questions(o, lot);
    const auto fait = ImprimerCheques(saisis, contexte, questions);
    if (!fait) {
        if (!questions.travail || fait.raison().startsWith(QStringLiteral("Rien n'est imprimé")))
            return Refuser(fait.raison());
        return Refuser(
            QStringLiteral("%1 n'a pas pu être imprimé sur « %2 » : %3")
                .arg(lot ? QStringLiteral("le lot de chèques") : QStringLiteral("le chèque"),
                     questions.travail->nomImprimante(), fait.raison()));
    }
    if (!fait->echecRegistre.isEmpty())
        return Refuser(QStringLiteral("%1, mais ")
                           .arg(lot ? QStringLiteral("les chèques sont imprimés")
                                    : QStringLiteral("le chèque est imprimé")) +
                       fait->echecRegistre);
    if (!fait->echecJournal.isEmpty())
        return Refuser(QStringLiteral("%1, mais le journal n'a pas pu être tenu : ")
                           .arg(lot ? QStringLiteral("les chèques sont imprimés")
                                    : QStringLiteral("le chèque est imprimé")) +
                       fait->echecJournal);
    if (!fait->echecListes.isEmpty())
        return Refuser(QStringLiteral("les chèques sont imprimés, mais les listes n'ont pas "
                                      "pu être enregistrées : ") +
                       fait->echecListes);

    const QString imprimante = questions.travail->nomImprimante();
    Sortie() << (!lot                 ? QStringLiteral("Chèque imprimé sur « %1 ».\n").arg(imprimante)
                 : cheques.size() == 1 ? QStringLiteral("1 chèque imprimé sur « %1 ».\n").arg(imprimante)
                                       : QStringLiteral("%1 chèques imprimés sur « %2 ».\n")
                                             .arg(cheques.size())
                                             .arg(imprimante));
    QStringList numeros;
    for (const ChequeInscrit& c : fait->inscrits)
        if (c.numero)
            numeros << NumeroCheque(*c.numero);
    if (!numeros.isEmpty())
        Sortie() << QStringLiteral("Noté au registre : chèque %1.\n")
                        .arg(numeros.size() == 1
                                 ? numeros.front()
                                 : QStringLiteral("%1 à %2").arg(numeros.front(), numeros.back()));
    Sortie().flush();
    return kSucces;
}
