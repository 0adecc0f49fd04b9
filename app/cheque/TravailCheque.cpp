#include "cheque/TravailCheque.h"

#include "cheque/HistoriqueJournal.h"
#include "cheque/Journal.h"
#include "settings/Enregistrement.h"
#include "settings/Reglages.h"
#include "settings/TriFrancais.h"
#include "words/MontantTexte.h"

std::optional<QString> RefusControle(QStringView texte, const QString& champ) {
    if (const auto u = CaractereDeControle(texte))
        return QStringLiteral("%1 contient un caractère de contrôle (U+%2), qui ne "
                              "s'imprime pas : retirez-le.")
            .arg(champ, QStringLiteral("%1").arg(*u, 4, 16, QLatin1Char('0')).toUpper());
    return std::nullopt;
}

std::optional<QString> RefusControle(const ChequeSaisi& saisi) {
    const std::pair<const QString*, QString> champs[] = {
        {&saisi.montant, QStringLiteral("le montant")},
        {&saisi.destinataire, QStringLiteral("le destinataire")},
        {&saisi.lieu, QStringLiteral("le lieu")},
    };
    for (const auto& [texte, champ] : champs)
        if (auto refus = RefusControle(*texte, champ)) {
            (*refus)[0] = refus->at(0).toUpper();
            return refus;
        }
    return std::nullopt;
}

Resultat<ChequePrepare> PreparerCheque(const ChequeSaisi& saisi, const Reglages& r) {
    // Before the amount is read: its refusal would write the character out.
    if (const auto refus = RefusControle(saisi))
        return Echec{*refus};
    if (const auto refus = RefusMontant(saisi.montant))
        return Echec{*refus};
    const QString montant = MontantImprime(FormaterMontant(*LireMontant(saisi.montant)), r);
    const auto mots = PreparerTexteMontant(montant, r);
    if (!mots)
        return Echec{mots.raison()};
    ChequePrepare prepare{*mots,
                          {CaptionAvecSautDeLigne(mots->caption), montant, saisi.destinataire,
                           saisi.lieu, DateCheque(saisi.date), mots->tailleMots},
                          {}};
    prepare.depassements = VerifierPlaceTextes(r, prepare.textes);
    return prepare;
}

namespace {

Resultat<> GarderListes(ListesMemorisees listes, const QVector<ChequePrepare>& cheques,
                        const CheminsScribane& chemins, QuestionsImpression& questions) {
    for (const ChequePrepare& c : cheques) {
        RetenirTrie(listes.montants, c.textes.chiffres);
        RetenirTrie(listes.destinataires, c.textes.destinataire);
        RetenirTrie(listes.lieux, c.textes.lieu);
    }
    questions.listesRetenues(listes);
    const QStringList nonRepresentables = TextesNonRepresentables(listes, nullptr);
    if (!nonRepresentables.isEmpty())
        questions.textesNonRepresentables(nonRepresentables);
    return EnregistrerCheque(chemins, {}, nullptr, listes);
}

} // namespace

Resultat<> ImprimanteUtilisable(const QString& imprimante, const QStringList& installees) {
    if (imprimante.isEmpty())
        return Echec{
            QStringLiteral("Aucune imprimante n'est choisie : ouvrez Configuration et Options.")};
    if (!installees.contains(imprimante))
        return Echec{QStringLiteral("L'imprimante « %1 » n'est pas installée : ouvrez "
                                    "Configuration et Options.")
                         .arg(imprimante)};
    return {};
}

QString NumeroCheque(std::int64_t numero) {
    return QStringLiteral("n° %1").arg(numero, 7, 10, QLatin1Char('0'));
}

QString NomPdfPropose(const QString& destinataire, const QDate& date) {
    QString nom = destinataire.trimmed();
    static const QString interdits = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : nom)
        if (interdits.contains(c) || c.unicode() < 32)
            c = u'_';
    return QStringLiteral("Cheque_%1_%2.pdf").arg(date.toString(QStringLiteral("yyyy-MM-dd")), nom);
}

Resultat<ChequesImprimes> ImprimerCheques(const QVector<ChequeSaisi>& saisis,
                                          const ContexteImpression& contexte,
                                          QuestionsImpression& questions) {
    const Reglages& r = contexte.reglages;
    ChequesImprimes fait;
    QVector<Depassement> depassements;
    for (const ChequeSaisi& saisi : saisis) {
        auto prepare = PreparerCheque(saisi, r);
        if (!prepare)
            return Echec{prepare.raison()};
        depassements += prepare->depassements;
        fait.cheques.append(*prepare);
    }
    // A text past the cheque's edge or over another one spoils the cheque:
    // asked before anything is kept.
    if (!depassements.isEmpty() && !questions.imprimerQuandMeme(DecrireDepassements(depassements)))
        return Echec{};
    if (!questions.choisirSortie())
        return Echec{};

    bool listesGardees = false;
    if (contexte.listes && !contexte.listesApres) {
        const auto gardees =
            GarderListes(*contexte.listes, fait.cheques, contexte.chemins, questions);
        if (!gardees && !questions.imprimerSansListes(gardees.raison()))
            return Echec{gardees.raison()};
        listesGardees = gardees.ok();
    }

    QString titulaire;
    if (r.Journal == 1 && r.Debiteur == 1) {
        const auto nom = questions.nomTitulaire();
        if (!nom || nom->isEmpty())
            return Echec{}; // a refused name calls this print off, and only this one
        if (auto refus = RefusControle(*nom, QStringLiteral("le nom du titulaire"))) {
            (*refus)[0] = refus->at(0).toUpper();
            return Echec{*refus}; // it would go raw into the journal
        }
        titulaire = *nom;
    }

    TravailImpression& travail = questions.ouvrirTravail();
    // Nothing came out: the lists go back to what they held, so that a cheque
    // never printed is not offered as one used.
    const auto rendreListes = [&] {
        if (listesGardees) {
            questions.listesRetenues(*contexte.listes);
            (void)EnregistrerCheque(contexte.chemins, {}, nullptr, *contexte.listes);
        }
    };
    if (contexte.registre) {
        QVector<ChequeAInscrire> aInscrire;
        for (qsizetype i = 0; i < fait.cheques.size(); ++i) {
            const TextesCheque& t = fait.cheques[i].textes;
            aInscrire.append({saisis[i].date, CentimesDuMontant(t.chiffres).value_or(0), t.chiffres,
                              t.destinataire, t.lieu, titulaire.toUpper(),
                              travail.nomImprimante()});
        }
        auto notes = contexte.registre->noter(aInscrire);
        if (!notes) {
            rendreListes();
            return Echec{QStringLiteral("Rien n'est imprimé : %1").arg(notes.raison())};
        }
        fait.inscrits = *notes;
    }
    QString pageRefusee;
    for (qsizetype i = 0; i < fait.cheques.size(); ++i) {
        // Without a new page the next cheque would be drawn over this one.
        if (i > 0 && !travail.pageSuivante()) {
            pageRefusee = travail.annuler();
            if (pageRefusee.isEmpty())
                pageRefusee = QStringLiteral("l'imprimante n'a pas pu commencer la page "
                                             "suivante ; le travail est arrêté.");
            break;
        }
        ImprimerCheque(travail.surface(), r, fait.cheques[i].textes);
        questions.chequeDessine(i + 1, fait.cheques.size());
    }
    const auto termine =
        pageRefusee.isEmpty() ? travail.terminer() : Resultat<>(Echec{pageRefusee});
    if (!pageRefusee.isEmpty() && contexte.registre) {
        // The pages drawn before may still come out (not every printer can
        // call a job off): their numbers are never given back. The register
        // keeps them as interrupted prints, to be checked at the next start.
        rendreListes();
        QStringList numeros;
        for (const ChequeInscrit& c : fait.inscrits)
            if (c.numero)
                numeros << NumeroCheque(*c.numero);
        return Echec{pageRefusee +
                     (numeros.isEmpty()
                          ? QStringLiteral(" Le registre garde ces chèques comme impressions "
                                           "interrompues, à vérifier.")
                          : QStringLiteral(" Le registre garde les chèques %1 comme impressions "
                                           "interrompues, à vérifier : ne réutilisez pas ces "
                                           "chèques sans les avoir regardés.")
                                .arg(numeros.join(QStringLiteral(", "))))};
    }
    if (!termine) {
        rendreListes();
        if (contexte.registre) {
            // The numbers go back too; if the register cannot take them back,
            // it keeps them as interrupted prints, to be checked.
            (void)contexte.registre->abandonner(fait.inscrits);
            fait.inscrits.clear();
        }
        return Echec{termine.raison()};
    }

    const QDateTime moment =
        r.Journal == 1 || contexte.registre ? contexte.maintenant() : QDateTime();
    if (contexte.registre)
        if (const auto confirme = contexte.registre->confirmer(fait.inscrits, moment); !confirme) {
            QStringList numeros;
            for (const ChequeInscrit& c : fait.inscrits)
                if (c.numero)
                    numeros << NumeroCheque(*c.numero);
            fait.echecRegistre =
                (numeros.isEmpty()
                     ? QStringLiteral("le registre les garde comme impressions interrompues, à "
                                      "vérifier : ")
                     : QStringLiteral("le registre garde les chèques %1 comme impressions "
                                      "interrompues, à vérifier : ")
                           .arg(numeros.join(QStringLiteral(", ")))) +
                confirme.raison();
        }
    if (r.Journal == 1) {
        for (const ChequePrepare& c : fait.cheques)
            if (const auto ecrit =
                    EcrireJournal(contexte.chemins.journaux(), moment, c.textes.chiffres,
                                  c.textes.destinataire, titulaire);
                !ecrit) {
                fait.echecJournal = ecrit.raison();
                break;
            }
    }
    // A journal that could not be written stops a batch there, as printed.
    if (contexte.listes && contexte.listesApres && fait.echecJournal.isEmpty()) {
        const auto gardees =
            GarderListes(*contexte.listes, fait.cheques, contexte.chemins, questions);
        if (!gardees)
            fait.echecListes = gardees.raison();
    }
    return fait;
}
